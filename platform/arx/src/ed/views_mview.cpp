#include "ed/views_mview.h"

#include <cmath>
#include <map>
#include <set>

#include "dbcurve.h"
#include "dbents.h"
#include "dbmain.h"
#include "dbobjptr.h"
#include "dbpl.h"
#include "dbsymtb.h"
#include "db/symbol_lookup.h"
#include "ed/views.h"
#include "ed/views_edit.h"
#include "ed/views_internal.h"

namespace arx::views {
namespace {

AcDbObjectId currentPaperBlock(AcDbDatabase* db) { return blockOfLayout(currentLayoutId(db)); }

Acad::ErrorStatus clipBy(AcDbObjectId viewportId, AcDbObjectId boundaryId)
{
    {
        AcDbObjectPointer<AcDbViewport> vp(viewportId, AcDb::kForWrite);
        if (vp.openStatus() != Acad::eOk) return vp.openStatus();
        vp->setNonRectClipEntityId(boundaryId);
        vp->setNonRectClipOn();
    }
    AcDbObjectPointer<AcDbEntity> boundary(boundaryId, AcDb::kForWrite);
    if (boundary.openStatus() != Acad::eOk) return boundary.openStatus();
    boundary->addPersistentReactor(viewportId);
    return Acad::eOk;
}

void eraseEntity(AcDbObjectId id)
{
    AcDbObjectPointer<AcDbEntity> ent(id, AcDb::kForWrite);
    if (ent.openStatus() == Acad::eOk) ent->erase();
}

// A clip boundary the viewport no longer uses: it stops naming the viewport and goes.
void eraseBoundary(AcDbObjectId viewportId, AcDbObjectId boundaryId)
{
    AcDbObjectPointer<AcDbEntity> boundary(boundaryId, AcDb::kForWrite);
    if (boundary.openStatus() != Acad::eOk) return;
    boundary->removePersistentReactor(viewportId);
    boundary->erase();
}

// The extents of a closed curve of the current layout; eInvalidInput for anything else.
Acad::ErrorStatus boundaryExtents(AcDbDatabase* db, AcDbObjectId boundaryId, AcDbExtents& box)
{
    AcDbObjectPointer<AcDbCurve> curve(boundaryId, AcDb::kForRead);
    if (curve.openStatus() != Acad::eOk || !curve->isClosed() || curve->ownerId() != currentPaperBlock(db))
        return Acad::eInvalidInput;
    if (curve->getGeomExtents(box) != Acad::eOk || box.isEmpty()) return Acad::eInvalidInput;
    return Acad::eOk;
}

// A closed lightweight polyline through the points (paper WCS) in the current layout.
Acad::ErrorStatus addPaperOutline(AcDbDatabase* db, const std::vector<AcGePoint3d>& points, AcDbObjectId& outlineId)
{
    if (points.size() < 3) return Acad::eInvalidInput;
    AcDbObjectPointer<AcDbBlockTableRecord> block(currentPaperBlock(db), AcDb::kForWrite);
    if (block.openStatus() != Acad::eOk) return block.openStatus();
    auto* outline = new AcDbPolyline();
    for (const AcGePoint3d& p : points) outline->addVertexAt(outline->numVerts(), AcGePoint2d(p.x, p.y));
    outline->setClosed(true);
    outline->setElevation(points.front().z);
    const Acad::ErrorStatus es = block->appendAcDbEntity(outlineId, outline);
    if (es != Acad::eOk) {
        delete outline;
        return es;
    }
    outline->close();
    return Acad::eOk;
}

// Gives the viewport the frame low..high on the sheet; what it shows stays where it was on
// the sheet (the view centre moves with the frame's centre, the scale is kept).
Acad::ErrorStatus fitFrame(AcDbObjectId viewportId, const AcGePoint3d& low, const AcGePoint3d& high)
{
    AcDbObjectPointer<AcDbViewport> vp(viewportId, AcDb::kForWrite);
    if (vp.openStatus() != Acad::eOk) return vp.openStatus();
    const double width = high.x - low.x, height = high.y - low.y;
    if (!(width > 1e-10) || !(height > 1e-10) || !(vp->height() > 0.0)) return Acad::eInvalidInput;
    const double scale = vp->viewHeight() / vp->height();
    const AcGePoint3d oldCenter = vp->centerPoint();
    const AcGePoint3d center(0.5 * (low.x + high.x), 0.5 * (low.y + high.y), oldCenter.z);
    const AcGeVector2d shift((center.x - oldCenter.x) * scale, (center.y - oldCenter.y) * scale);
    vp->setViewCenter(vp->viewCenter() + shift);
    vp->setViewHeight(height * scale);
    vp->setCenterPoint(center);
    vp->setWidth(width);
    vp->setHeight(height);
    return Acad::eOk;
}

}  // namespace

Acad::ErrorStatus aimAtModel(AcDbDatabase* db, AcDbObjectId viewportId)
{
    Viewport vp;
    Acad::ErrorStatus es = readViewport(viewportId, vp);
    if (es != Acad::eOk) return es;
    AcGePoint3d low, high;
    if (!blockExtents(arx::db::findRecord(db->blockTableId(), ACDB_MODEL_SPACE), low, high))
        spaceLimits(db, false, low, high);
    if ((es = zoomBox(vp, low, high)) != Acad::eOk) return es;
    return writeView(vp);
}

Acad::ErrorStatus makeRectangularViewport(AcDbDatabase* db, const AcGePoint3d& c1, const AcGePoint3d& c2,
                                          AcDbObjectId& viewportId)
{
    const double width = std::fabs(c2.x - c1.x), height = std::fabs(c2.y - c1.y);
    if (!(width > 1e-10) || !(height > 1e-10)) return Acad::eInvalidInput;
    const AcGePoint3d center(0.5 * (c1.x + c2.x), 0.5 * (c1.y + c2.y), c1.z);
    Acad::ErrorStatus es = addFloatingViewport(db, center, width, height, viewportId);
    return es == Acad::eOk ? aimAtModel(db, viewportId) : es;
}

Acad::ErrorStatus makeClippedViewport(AcDbDatabase* db, AcDbObjectId boundaryId, AcDbObjectId& viewportId)
{
    AcDbExtents box;
    Acad::ErrorStatus es = boundaryExtents(db, boundaryId, box);
    if (es != Acad::eOk) return es;
    if ((es = makeRectangularViewport(db, box.minPoint(), box.maxPoint(), viewportId)) != Acad::eOk) return es;
    if ((es = clipBy(viewportId, boundaryId)) != Acad::eOk) eraseEntity(viewportId);
    return es;
}

Acad::ErrorStatus makePolygonalViewport(AcDbDatabase* db, const std::vector<AcGePoint3d>& points,
                                        AcDbObjectId& viewportId)
{
    AcDbObjectId outlineId;
    Acad::ErrorStatus es = addPaperOutline(db, points, outlineId);
    if (es != Acad::eOk) return es;
    if ((es = makeClippedViewport(db, outlineId, viewportId)) != Acad::eOk) eraseEntity(outlineId);
    return es;
}

Acad::ErrorStatus clipViewport(AcDbDatabase* db, AcDbObjectId viewportId, AcDbObjectId boundaryId)
{
    if (!isFloatingViewport(db, viewportId) || boundaryId == viewportId) return Acad::eInvalidInput;
    AcDbExtents box;
    Acad::ErrorStatus es = boundaryExtents(db, boundaryId, box);
    if (es != Acad::eOk) return es;
    const AcDbObjectId previous = clipBoundaryOf(viewportId);
    if (previous == boundaryId) return Acad::eOk;
    if (!viewportsSelected(db, {boundaryId}).empty()) return Acad::eInvalidInput;  // another viewport's boundary
    if ((es = fitFrame(viewportId, box.minPoint(), box.maxPoint())) != Acad::eOk) return es;
    if ((es = clipBy(viewportId, boundaryId)) != Acad::eOk) return es;
    if (!previous.isNull()) eraseBoundary(viewportId, previous);
    return Acad::eOk;
}

Acad::ErrorStatus clipViewportByPolygon(AcDbDatabase* db, AcDbObjectId viewportId,
                                        const std::vector<AcGePoint3d>& points)
{
    if (!isFloatingViewport(db, viewportId)) return Acad::eInvalidInput;
    AcDbObjectId outlineId;
    Acad::ErrorStatus es = addPaperOutline(db, points, outlineId);
    if (es != Acad::eOk) return es;
    if ((es = clipViewport(db, viewportId, outlineId)) != Acad::eOk) eraseEntity(outlineId);
    return es;
}

Acad::ErrorStatus removeViewportClip(AcDbObjectId viewportId)
{
    const AcDbObjectId boundary = clipBoundaryOf(viewportId);
    {
        AcDbObjectPointer<AcDbViewport> vp(viewportId, AcDb::kForWrite);
        if (vp.openStatus() != Acad::eOk) return vp.openStatus();
        if (!vp->isNonRectClipOn() && boundary.isNull()) return Acad::eNotApplicable;
        vp->setNonRectClipOff();
        vp->setNonRectClipEntityId(AcDbObjectId());
    }
    if (!boundary.isNull()) eraseBoundary(viewportId, boundary);
    return Acad::eOk;
}

AcDbObjectId clipBoundaryOf(AcDbObjectId viewportId)
{
    AcDbObjectPointer<AcDbViewport> vp(viewportId, AcDb::kForRead);
    return vp.openStatus() == Acad::eOk ? vp->nonRectClipEntityId() : AcDbObjectId();
}

std::vector<AcDbObjectId> viewportsSelected(AcDbDatabase* db, const std::vector<AcDbObjectId>& entities)
{
    std::map<AcDbObjectId, AcDbObjectId> standsFor;  // a viewport and its clip boundary: the viewport
    for (AcDbObjectId vp : floatingViewports(currentLayoutId(db))) {
        standsFor[vp] = vp;
        const AcDbObjectId boundary = clipBoundaryOf(vp);
        if (!boundary.isNull()) standsFor.emplace(boundary, vp);
    }
    std::vector<AcDbObjectId> viewports;
    std::set<AcDbObjectId> seen;
    for (AcDbObjectId id : entities) {
        auto it = standsFor.find(id);
        if (it != standsFor.end() && seen.insert(it->second).second) viewports.push_back(it->second);
    }
    return viewports;
}

AcDbObjectId lastEntityOfSpace(AcDbDatabase* db)
{
    AcDbObjectPointer<AcDbBlockTableRecord> block(db->currentSpaceId(), AcDb::kForRead);
    if (block.openStatus() != Acad::eOk) return AcDbObjectId();
    AcDbObjectId last;
    AcDbBlockTableRecordIterator* it = nullptr;
    if (block->newIterator(it) != Acad::eOk) return last;
    for (; !it->done(); it->step()) it->getEntityId(last);
    delete it;
    return last;
}

bool isFloatingViewport(AcDbDatabase* db, AcDbObjectId id)
{
    const std::vector<AcDbObjectId> all = floatingViewports(currentLayoutId(db));
    return std::find(all.begin(), all.end(), id) != all.end();
}

Acad::ErrorStatus setViewportOn(AcDbObjectId viewportId, bool on)
{
    AcDbObjectPointer<AcDbViewport> vp(viewportId, AcDb::kForWrite);
    if (vp.openStatus() != Acad::eOk) return vp.openStatus();
    return on ? vp->setOn() : vp->setOff();
}

Acad::ErrorStatus setViewportLocked(AcDbObjectId viewportId, bool locked)
{
    AcDbObjectPointer<AcDbViewport> vp(viewportId, AcDb::kForWrite);
    if (vp.openStatus() != Acad::eOk) return vp.openStatus();
    return locked ? vp->setLocked() : vp->setUnlocked();
}

}  // namespace arx::views
