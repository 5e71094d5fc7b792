#include "assoc/viewport_reshape.h"

#include <cmath>
#include <map>
#include <optional>

#include "acutads.h"
#include "adscodes.h"
#include "assoc/association_store.h"
#include "assoc/handle_text.h"
#include "assoc/layer_state.h"
#include "assoc/outline_reshape.h"
#include "assoc/view_agreement.h"
#include "dbents.h"
#include "mark/vadu_kestra.h"
#include "mark/viewport_projection.h"
#include "settings/reshape_warning.h"
#include "shell/object_opener.h"

namespace kestra {

namespace {

constexpr double kSizeTolerance = 1e-6;

// The associated viewports clipped by an entity, by that entity.
std::map<AcDbObjectId, AcDbObjectId> clippedViewports()
{
    std::map<AcDbObjectId, AcDbObjectId> byClip;
    IndexPairs pairs;
    if (readIndexPairs(kStoreName, pairs) != Acad::eOk) return byClip;
    for (const IndexPair& pair : pairs) {
        ObjectOpener<AcDbViewport> viewport(objectIdOfHandle(pair.viewport.c_str()), AcDb::kForRead);
        if (viewport && viewport->isNonRectClipOn() && !viewport->nonRectClipEntityId().isNull())
            byClip.emplace(viewport->nonRectClipEntityId(), viewport->objectId());
    }
    return byClip;
}

// The viewports of the index with their marks (the first pair of a viewport counts).
std::map<AcDbObjectId, AcDbObjectId> marksByViewport()
{
    std::map<AcDbObjectId, AcDbObjectId> marks;
    IndexPairs pairs;
    if (readIndexPairs(kStoreName, pairs) != Acad::eOk) return marks;
    for (const IndexPair& pair : pairs)
        marks.emplace(objectIdOfHandle(pair.viewport.c_str()), objectIdOfHandle(pair.mark.c_str()));
    return marks;
}

bool isViewport(AcDbObjectId id) { return ObjectOpener<AcDbViewport>(id, AcDb::kForRead).isOpen(); }

// What the reshaping needs of the viewport after the edit, read before it is closed (the
// mark's reshape opens it again to write its view record).
struct ViewportNow {
    explicit ViewportNow(const AcDbViewport& viewport)
        : view(viewOf(viewport)), center(viewport.centerPoint()), frame(paperCorners(viewport)),
          width(viewport.width()), height(viewport.height()),
          clipId(viewport.isNonRectClipOn() ? viewport.nonRectClipEntityId() : AcDbObjectId())
    {}
    ViewportView view;
    AcGePoint3d center;
    Corners frame;
    double width;
    double height;
    AcDbObjectId clipId;  // null unless the non-rectangular clipping is on
};

// The new corners and paper height of the mark: kept when the viewport was only moved, turned
// or mirrored; otherwise its present frame carried into model space.
struct NewOutline {
    AcGePoint3d corners[4];
    double paperHeight = 0.0;
};

NewOutline outlineAfterEdit(const VaduKestra& mark, const ViewportNow& now, const ViewportSnapshot& before,
                            const AcGePoint3d& beforeCenter)
{
    NewOutline outline;
    if (std::fabs(now.width - before.width) < kSizeTolerance &&
        std::fabs(now.height - before.height) < kSizeTolerance) {
        for (int i = 0; i < 4; ++i) outline.corners[i] = mark.corners()[i];
        outline.paperHeight = mark.paperHeight();
        return outline;
    }
    const AcGeMatrix3d toModel = paperToMarkTransform(mark, beforeCenter);
    for (int i = 0; i < 4; ++i) outline.corners[i] = AcGePoint3d(now.frame[i]).transformBy(toModel);
    outline.paperHeight = now.height;
    return outline;
}

// The mark (open for write) takes its new outline and the view it now stands for; a clipped
// viewport's outline block follows.
Acad::ErrorStatus applyOutline(VaduKestra& mark, const NewOutline& outline, const ViewportNow& now)
{
    const Acad::ErrorStatus status = mark.reshape(outline.corners[0], outline.corners[1], outline.corners[2],
                                                  outline.corners[3], outline.paperHeight);
    mark.setViewCenter(now.center);
    mark.setViewTarget(mark.center());
    if (!now.clipId.isNull() && !mark.outlineBlockId().isNull()) {
        rebuildOutlineBlock(mark.outlineBlockId(), now.clipId, now.center, now.frame);
        placeOutlineOverMark(mark.outlineBlockId(), mark);
    }
    return status;
}

}  // namespace

ViewportSnapshot snapshotOf(const AcDbViewport& viewport)
{
    ViewportSnapshot snapshot;
    snapshot.id = viewport.objectId();
    snapshot.width = viewport.width();
    snapshot.height = viewport.height();
    snapshot.viewDirection = viewport.viewDirection();
    snapshot.viewTarget = viewport.viewTarget();
    snapshot.viewCenter = viewport.viewCenter();
    snapshot.viewHeight = viewport.viewHeight();
    snapshot.centerPoint = viewport.centerPoint();
    return snapshot;
}

void completePendingEdits(PendingEditList& edits)
{
    bool clipEntities = false;
    for (const PendingEdit& edit : edits.entries()) clipEntities = clipEntities || !isViewport(edit.snapshot.id);
    if (!clipEntities) return;
    const std::map<AcDbObjectId, AcDbObjectId> byClip = clippedViewports();
    std::vector<PendingEdit> entries = edits.take();
    for (PendingEdit& edit : entries) {
        const auto found = byClip.find(edit.snapshot.id);
        if (found == byClip.end()) continue;
        ObjectOpener<AcDbViewport> viewport(found->second, AcDb::kForRead);
        if (!viewport) continue;
        edit.snapshot = snapshotOf(*viewport);
        edit.latestCenter = edit.snapshot.centerPoint;
    }
    // Back in their order; a viewport listed twice keeps both entries, as each was an edit.
    for (const PendingEdit& edit : entries) edits.append(edit);
}

AcGeMatrix3d paperToMarkTransform(const VaduKestra& mark, const AcGePoint3d& beforeCenter)
{
    const double k = mark.zoomXp();
    const AcGePoint3d* c = mark.corners();
    AcGeVector3d depth = mark.viewDir().asVector();
    if (depth.isZeroLength()) depth = mark.normal();
    if (depth.isZeroLength()) depth = AcGeVector3d::kZAxis;
    const AcGeVector3d xAxis = (c[3] - c[2]).normal() / k;
    const AcGeVector3d yAxis = (c[1] - c[2]).normal() / k;
    const AcGeVector3d zAxis = depth.normal() / k;
    // S carries the unit frame to the mark's, B^-1 the sheet to the unit frame around C.
    AcGeMatrix3d s;
    s.setCoordSystem(mark.center(), xAxis, yAxis, zAxis);
    return s * AcGeMatrix3d::translation(AcGePoint3d::kOrigin - beforeCenter);
}

Acad::ErrorStatus reshapeMarkOfViewport(const ViewportSnapshot& before, const AcGePoint3d& beforeCenter,
                                        AcDbObjectId markId)
{
    if (markId.isNull()) return Acad::eNullObjectId;
    std::optional<ViewportNow> now;
    if (ObjectOpener<AcDbViewport> viewport(before.id, AcDb::kForRead); viewport) now.emplace(*viewport);
    if (!now) return Acad::eInvalidOpenState;
    ObjectOpener<VaduKestra> mark(markId, AcDb::kForRead);
    if (!mark || mark->zoomXp() == 0.0) return Acad::eInvalidOpenState;
    if (!viewShapeMatchesMark(now->view, viewOf(*mark))) showReshapeWarning();
    const NewOutline outline = outlineAfterEdit(*mark, *now, before, beforeCenter);
    Acad::ErrorStatus reshaped = Acad::eOk;
    const Acad::ErrorStatus upgraded =
        changeOnUnlockedLayer(mark, [&](VaduKestra& opened) { reshaped = applyOutline(opened, outline, *now); });
    if (upgraded != Acad::eOk) {
        acutPrintf("%s\n", "Cannot open Kestra object for writing");
        return Acad::eInvalidOpenState;
    }
    return reshaped == Acad::eOk ? Acad::eOk : Acad::eInvalidOpenState;
}

void reshapeEditedMarks(const std::vector<PendingEdit>& edits, const char* commandName)
{
    if (edits.empty()) return;
    const bool stretch = commandName != nullptr && acutWcMatch(commandName, "*STRETCH*") == RTNORM;
    // The index is read once: each edit then finds its mark at once, however many there are.
    const std::map<AcDbObjectId, AcDbObjectId> marks = marksByViewport();
    int reshaped = 0;
    for (const PendingEdit& edit : edits) {
        const AcGePoint3d& beforeCenter = stretch ? edit.snapshot.centerPoint : edit.latestCenter;
        const auto found = marks.find(edit.snapshot.id);
        const AcDbObjectId markId = found == marks.end() ? AcDbObjectId() : found->second;
        if (reshapeMarkOfViewport(edit.snapshot, beforeCenter, markId) == Acad::eOk) ++reshaped;
    }
    const int possible = static_cast<int>(edits.size());
    if (reshaped == 1) acutPrintf("\n1 %s %i.", "Kestra object reshaped from a possibility of ", possible);
    else acutPrintf("\n%i %s %i.", reshaped, "Kestra objects reshaped from a possibility of ", possible);
}

}  // namespace kestra
