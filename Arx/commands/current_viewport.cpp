// The viewport the creation step works on: found by its number, its display lock lifted, its
// view normalised.
#include <memory>

#include "acdb.h"
#include "acedads.h"
#include "assoc/layer_state.h"
#include "assoc/store_access.h"
#include "commands/creation_parts.h"
#include "dbents.h"
#include "dbsymtb.h"
#include "mark/mark_messages.h"
#include "mark/mark_variables.h"
#include "shell/system_variables.h"

namespace kestra {

namespace {

// The view centre (VIEWCTR) in world coordinates; nothing (reported) when it cannot be read.
std::optional<AcGePoint3d> worldViewCenter()
{
    const std::optional<AcGePoint3d> center = readPointVariable("VIEWCTR");
    if (!center) {
        printUnreadableVariable("VIEWCTR");
        return std::nullopt;
    }
    resbuf fromUcs{nullptr, RTSHORT, {}};
    fromUcs.resval.rint = 1;
    resbuf toWorld{nullptr, RTSHORT, {}};
    toWorld.resval.rint = 0;
    const ads_point in = {center->x, center->y, center->z};
    ads_point out;
    if (acedTrans(in, &fromUcs, &toWorld, 0, out) != RTNORM) return std::nullopt;
    return AcGePoint3d(out[0], out[1], out[2]);
}

// DVIEW with its two questions answered by Enter, with WORLDVIEW off for the command.
void replayDview()
{
    const std::optional<int> worldView = readIntegerVariable("WORLDVIEW");
    writeIntegerVariable("WORLDVIEW", 0);
    acedCommand(RTSTR, "._DVIEW", RTSTR, "", RTSTR, "", RTNONE);
    if (worldView) writeIntegerVariable("WORLDVIEW", *worldView);
}

}  // namespace

AcDbObjectId findViewportByNumber(int number)
{
    ObjectOpener<AcDbBlockTable> table(workingDatabase()->blockTableId(), AcDb::kForRead);
    if (!table) {
        printStepFailure("Cannot open block table!");
        return AcDbObjectId();
    }
    AcDbObjectId paperSpaceId;
    ObjectOpener<AcDbBlockTableRecord> paperSpace;
    if (table->getAt(ACDB_PAPER_SPACE, paperSpaceId) != Acad::eOk ||
        paperSpace.open(paperSpaceId, AcDb::kForRead) != Acad::eOk) {
        printStepFailure("Cannot read the paper space block.");
        return AcDbObjectId();
    }
    table.close();
    AcDbBlockTableRecordIterator* rawIterator = nullptr;
    if (paperSpace->newIterator(rawIterator, true, true) != Acad::eOk || rawIterator == nullptr) {
        printStepFailure("Cannot create an iterator.");
        return AcDbObjectId();
    }
    std::unique_ptr<AcDbBlockTableRecordIterator> iterator(rawIterator);
    paperSpace.close();
    for (; !iterator->done(); iterator->step()) {
        AcDbObjectId id;
        iterator->getEntityId(id);
        ObjectOpener<AcDbEntity> entity(id, AcDb::kForRead);
        if (!entity) {
            printStepFailure("Cannot open object for reading");
            return AcDbObjectId();
        }
        const AcDbViewport* viewport = AcDbViewport::cast(entity.get());
        if (viewport != nullptr && viewport->number() == number) return id;
    }
    return AcDbObjectId();
}

bool liftDisplayLock(AcDbObjectId viewportId)
{
    ObjectOpener<AcDbViewport> viewport(viewportId, AcDb::kForRead);
    if (!viewport || !viewport->isLocked()) return false;
    changeOnUnlockedLayer(viewport, [](AcDbViewport& v) { v.setUnlocked(); });
    return true;
}

// The host's DVIEW leaves the target at the view centre; the view centre on the display is
// then the target itself, so the display keeps its place.
void normaliseView(AcDbObjectId viewportId, bool displayLocked)
{
    const std::optional<AcGePoint3d> center = worldViewCenter();
    replayDview();
    changeOnUnlockedLayer<AcDbViewport>(viewportId, [&](AcDbViewport& viewport) {
        if (center) {
            viewport.setViewTarget(*center);
            viewport.setViewCenter(AcGePoint2d(0.0, 0.0));
            viewport.updateDisplay();
        }
        if (displayLocked) viewport.setLocked();
    });
}

}  // namespace kestra
