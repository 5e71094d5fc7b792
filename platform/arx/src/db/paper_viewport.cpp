#include "db/paper_viewport.h"

#include <strings.h>

#include "dbents.h"
#include "dblayout.h"
#include "dbobjptr.h"
#include "dbsymtb.h"
#include "db/block_internal.h"
#include "db/symbol_lookup.h"

namespace arx::db {
namespace {

AcDbObjectId blockOf(AcDbObjectId layoutId)
{
    AcDbObjectPointer<AcDbLayout> layout(layoutId, AcDb::kForRead);
    return layout.openStatus() == Acad::eOk ? layout->getBlockTableRecordId() : AcDbObjectId();
}

int viewportIdOf(AcDbObjectId viewportId)
{
    AcDbObjectPointer<AcDbViewport> vp(viewportId, AcDb::kForRead);
    return vp.openStatus() == Acad::eOk ? vp->viewportId() : 0;
}

void moveToFront(AcDbObjectId blockId, AcDbObjectId entityId)
{
    AcDbObjectPointer<AcDbBlockTableRecord> block(blockId, AcDb::kForRead);
    if (block.openStatus() != Acad::eOk) return;
    moveEntityToFront(block.object(), entityId);
}

}  // namespace

void layoutSheet(AcDbDatabase* db, AcDbObjectId layoutId, AcGePoint2d& low, AcGePoint2d& high)
{
    {
        AcDbObjectPointer<AcDbLayout> layout(layoutId, AcDb::kForRead);
        if (layout.openStatus() == Acad::eOk) layout->getLimits(low, high);
    }
    if (high.x > low.x && high.y > low.y) return;
    low = db->plimmin();
    high = db->plimmax();
    if (high.x > low.x && high.y > low.y) return;
    low.set(0.0, 0.0);
    high.set(12.0, 9.0);
}

Acad::ErrorStatus addPaperSpaceViewport(AcDbDatabase* db, AcDbObjectId layoutId, AcDbObjectId& viewportId)
{
    viewportId.setNull();
    AcGePoint2d low, high;
    layoutSheet(db, layoutId, low, high);
    AcDbObjectPointer<AcDbBlockTableRecord> block(blockOf(layoutId), AcDb::kForWrite);
    if (block.openStatus() != Acad::eOk) return block.openStatus();
    auto* vp = new AcDbViewport();
    const AcGePoint2d mid(0.5 * (low.x + high.x), 0.5 * (low.y + high.y));
    vp->setCenterPoint(AcGePoint3d(mid.x, mid.y, 0.0));
    vp->setWidth(high.x - low.x);
    vp->setHeight(high.y - low.y);
    vp->setViewCenter(mid);
    vp->setViewHeight(high.y - low.y);
    vp->setViewportId(kPaperViewportId);
    const Acad::ErrorStatus es = block->appendAcDbEntity(viewportId, vp);
    if (es != Acad::eOk) {
        delete vp;
        return es;
    }
    vp->setOn();
    vp->close();
    return Acad::eOk;
}

void ensurePaperViewportFirst(AcDbDatabase* db, AcDbObjectId layoutId)
{
    AcDbObjectIdArray viewports;
    {
        AcDbObjectPointer<AcDbLayout> layout(layoutId, AcDb::kForRead);
        if (layout.openStatus() != Acad::eOk) return;
        // Model space has no paper viewport: its entities need not be walked through.
        if (strcasecmp(recordName(layout->getBlockTableRecordId()).c_str(), ACDB_MODEL_SPACE) == 0) return;
        viewports = layout->getViewportArray();
    }
    if (viewports.length() == 0 || viewportIdOf(viewports[0]) < 2) return;
    AcDbObjectId paper;
    for (int i = 1; i < viewports.length() && paper.isNull(); ++i)
        if (viewportIdOf(viewports[i]) == kPaperViewportId) paper = viewports[i];
    if (paper.isNull() && addPaperSpaceViewport(db, layoutId, paper) != Acad::eOk) return;
    moveToFront(blockOf(layoutId), paper);
}

}  // namespace arx::db
