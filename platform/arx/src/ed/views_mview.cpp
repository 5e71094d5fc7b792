#include "ed/views_mview.h"

#include <cmath>

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

bool frameHolds(const AcDbViewport& vp, const AcGePoint3d& p)
{
    const AcGePoint3d c = vp.centerPoint();
    const double tol = 1e-9 * (1.0 + vp.width() + vp.height());
    return std::fabs(p.x - c.x) <= 0.5 * vp.width() + tol && std::fabs(p.y - c.y) <= 0.5 * vp.height() + tol;
}

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
    {
        AcDbObjectPointer<AcDbCurve> curve(boundaryId, AcDb::kForRead);
        if (curve.openStatus() != Acad::eOk || !curve->isClosed() || curve->ownerId() != currentPaperBlock(db))
            return Acad::eInvalidInput;
        if (curve->getGeomExtents(box) != Acad::eOk || box.isEmpty()) return Acad::eInvalidInput;
    }
    Acad::ErrorStatus es = makeRectangularViewport(db, box.minPoint(), box.maxPoint(), viewportId);
    if (es != Acad::eOk) return es;
    if ((es = clipBy(viewportId, boundaryId)) != Acad::eOk) eraseEntity(viewportId);
    return es;
}

Acad::ErrorStatus makePolygonalViewport(AcDbDatabase* db, const std::vector<AcGePoint3d>& points,
                                        AcDbObjectId& viewportId)
{
    if (points.size() < 3) return Acad::eInvalidInput;
    AcDbObjectPointer<AcDbBlockTableRecord> block(currentPaperBlock(db), AcDb::kForWrite);
    if (block.openStatus() != Acad::eOk) return block.openStatus();
    auto* outline = new AcDbPolyline();
    for (const AcGePoint3d& p : points) outline->addVertexAt(outline->numVerts(), AcGePoint2d(p.x, p.y));
    outline->setClosed(true);
    outline->setElevation(points.front().z);
    AcDbObjectId outlineId;
    Acad::ErrorStatus es = block->appendAcDbEntity(outlineId, outline);
    if (es != Acad::eOk) {
        delete outline;
        return es;
    }
    outline->close();
    block.close();
    if ((es = makeClippedViewport(db, outlineId, viewportId)) != Acad::eOk) eraseEntity(outlineId);
    return es;
}

AcDbObjectId floatingViewportAt(AcDbDatabase* db, const AcGePoint3d& paperPoint)
{
    AcDbObjectId found;
    for (AcDbObjectId id : floatingViewports(currentLayoutId(db))) {
        AcDbObjectPointer<AcDbViewport> vp(id, AcDb::kForRead);
        if (vp.openStatus() == Acad::eOk && frameHolds(*vp.object(), paperPoint)) found = id;
    }
    return found;
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
