#include "ed/views_edit.h"

#include <cmath>

#include "dblayout.h"
#include "dbmain.h"
#include "dbobjptr.h"
#include "dbsymtb.h"
#include "db/symbol_lookup.h"
#include "ed/views_internal.h"
#include "ed/views_session.h"

namespace arx::views {
namespace {

bool positive(double v) { return v > 0.0 && std::isfinite(v); }

// The DCS of a point as the viewport's view sees it (before any perspective).
bool toDisplay(const Viewport& vp, AcGePoint3d& p)
{
    AcGeMatrix3d m;
    if (view::wcsToDcs(vp.view(), m) != Acad::eOk) return false;
    p.transformBy(m);
    return true;
}

// Centres the view on a DCS rectangle and makes it fit, keeping the viewport's aspect.
Acad::ErrorStatus fitDisplayBox(Viewport& vp, const AcGePoint3d& low, const AcGePoint3d& high)
{
    const double dx = high.x - low.x, dy = high.y - low.y;
    if (!std::isfinite(dx) || !std::isfinite(dy)) return Acad::eInvalidInput;
    vp.view().viewCenter.set(0.5 * (low.x + high.x), 0.5 * (low.y + high.y));
    const double height = std::max(dy, dx / vp.aspect());
    const double scale = std::max({1.0, std::fabs(low.x), std::fabs(low.y), std::fabs(high.x), std::fabs(high.y)});
    if (height > 1e-10 * scale) vp.view().viewHeight = height;
    return Acad::eOk;
}

}  // namespace

Acad::ErrorStatus zoomCenter(Viewport& vp, const AcGePoint3d& center, double height)
{
    AcGePoint3d c = center;
    if (!positive(height) || !toDisplay(vp, c)) return Acad::eInvalidInput;
    vp.view().viewCenter.set(c.x, c.y);
    vp.view().viewHeight = height;
    return Acad::eOk;
}

Acad::ErrorStatus zoomWindow(Viewport& vp, const AcGePoint3d& corner1, const AcGePoint3d& corner2)
{
    AcGePoint3d a = corner1, b = corner2;
    if (!toDisplay(vp, a) || !toDisplay(vp, b)) return Acad::eInvalidInput;
    if (std::fabs(a.x - b.x) < 1e-12 || std::fabs(a.y - b.y) < 1e-12) return Acad::eInvalidInput;
    return fitDisplayBox(vp, AcGePoint3d(std::min(a.x, b.x), std::min(a.y, b.y), 0.0),
                         AcGePoint3d(std::max(a.x, b.x), std::max(a.y, b.y), 0.0));
}

Acad::ErrorStatus zoomBox(Viewport& vp, const AcGePoint3d& min, const AcGePoint3d& max)
{
    AcGeMatrix3d m;
    if (view::wcsToDcs(vp.view(), m) != Acad::eOk) return Acad::eInvalidInput;
    AcDbExtents box(min, max);
    box.transformBy(m);
    if (box.isEmpty()) return Acad::eInvalidInput;
    return fitDisplayBox(vp, box.minPoint(), box.maxPoint());
}

Acad::ErrorStatus zoomFactor(Viewport& vp, double factor)
{
    if (!positive(factor)) return Acad::eInvalidInput;
    vp.view().viewHeight /= factor;
    return Acad::eOk;
}

Acad::ErrorStatus zoomPaperScale(Viewport& vp, double factor)
{
    if (!positive(factor) || !positive(vp.frame.height)) return Acad::eInvalidInput;
    vp.view().viewHeight = vp.frame.height / factor;
    return Acad::eOk;
}

Acad::ErrorStatus planView(AcDbDatabase* db, Viewport& vp, const AcGePoint3d& origin, const AcGeVector3d& xAxis,
                           const AcGeVector3d& yAxis)
{
    const AcGeVector3d z = xAxis.crossProduct(yAxis);
    if (z.isZeroLength()) return Acad::eInvalidInput;
    view::ViewRecord& v = vp.view();
    v.direction = z.normal();
    v.target = origin;
    v.viewMode &= ~(view::kPerspective | view::kFrontClip | view::kBackClip | view::kFrontClipNotAtEye);
    // Without twist the DCS X axis is the arbitrary axis of the direction; a twist t turns it
    // by -t about the direction, so the UCS X axis shows to the right for t = -angle(axis, X).
    v.twist = 0.0;
    AcGeMatrix3d toWorld;
    if (view::dcsToWcs(v, toWorld) != Acad::eOk) return Acad::eInvalidInput;
    AcGeVector3d untwistedX = AcGeVector3d::kXAxis;
    untwistedX.transformBy(toWorld);
    v.twist = -untwistedX.angleTo(xAxis, v.direction);
    AcGePoint3d low, high;
    if (!blockExtents(arx::db::findRecord(db->blockTableId(), ACDB_MODEL_SPACE), low, high))
        spaceLimits(db, false, low, high);
    return zoomBox(vp, low, high) == Acad::eOk ? Acad::eOk : zoomCenter(vp, origin, v.viewHeight);
}

void setTwist(Viewport& vp, double radians) { vp.view().twist = radians; }

double cameraDistance(const Viewport& vp) { return vp.view().direction.length(); }

Acad::ErrorStatus setCameraDistance(Viewport& vp, double distance)
{
    if (!positive(distance) || vp.view().direction.isZeroLength()) return Acad::eInvalidInput;
    view::ViewRecord& v = vp.view();
    v.direction = v.direction.normal() * distance;
    v.viewMode |= view::kPerspective;
    const double height = view::perspectiveViewHeight(distance, v.lensLength, vp.aspect());
    if (height > 0.0) v.viewHeight = height;
    return Acad::eOk;
}

Acad::ErrorStatus setLensLength(Viewport& vp, double lensLength)
{
    if (!positive(lensLength)) return Acad::eInvalidInput;
    view::ViewRecord& v = vp.view();
    v.lensLength = lensLength;
    if (view::isPerspective(v)) {
        const double height = view::perspectiveViewHeight(cameraDistance(vp), lensLength, vp.aspect());
        if (height > 0.0) v.viewHeight = height;
    }
    return Acad::eOk;
}

void setPerspectiveOff(Viewport& vp) { vp.view().viewMode &= ~view::kPerspective; }

void setFrontClip(Viewport& vp, double distance)
{
    vp.view().frontClip = distance;
    vp.view().viewMode |= view::kFrontClip | view::kFrontClipNotAtEye;
}

void setFrontClipAtEye(Viewport& vp)
{
    vp.view().viewMode |= view::kFrontClip;
    vp.view().viewMode &= ~view::kFrontClipNotAtEye;
}

void setBackClip(Viewport& vp, double distance)
{
    vp.view().backClip = distance;
    vp.view().viewMode |= view::kBackClip;
}

void setClipping(Viewport& vp, int bits, bool on)
{
    bits &= view::kFrontClip | view::kBackClip;
    vp.view().viewMode = on ? (vp.view().viewMode | bits) : (vp.view().viewMode & ~bits);
}

Acad::ErrorStatus applyView(AcDbDatabase* db, const Viewport& changed)
{
    Viewport before;
    Acad::ErrorStatus es = readViewport(changed.id, before);
    if (es != Acad::eOk) return es;
    if ((es = writeView(changed)) != Acad::eOk) return es;
    pushBounded(session(db).previousViews[changed.id], before.view());
    return Acad::eOk;
}

Acad::ErrorStatus restorePreviousView(AcDbDatabase* db, Viewport& vp)
{
    std::vector<view::ViewRecord>& stack = session(db).previousViews[vp.id];
    if (stack.empty()) return Acad::eNotApplicable;
    vp.view() = stack.back();
    Acad::ErrorStatus es = writeView(vp);
    if (es == Acad::eOk) stack.pop_back();
    return es;
}

bool blockExtents(AcDbObjectId blockId, AcGePoint3d& min, AcGePoint3d& max)
{
    // A layout's paper-space viewport is the sheet itself, not drawing content.
    const std::vector<AcDbObjectId> viewports = layoutViewports(layoutOfBlock(blockId));
    const AcDbObjectId sheet = viewports.empty() ? AcDbObjectId() : viewports.front();
    AcDbObjectPointer<AcDbBlockTableRecord> block(blockId, AcDb::kForRead);
    if (block.openStatus() != Acad::eOk) return false;
    AcDbBlockTableRecordIterator* it = nullptr;
    if (block->newIterator(it) != Acad::eOk) return false;
    AcDbExtents all;
    for (; !it->done(); it->step()) {
        AcDbEntity* ent = nullptr;
        if (it->getEntity(ent, AcDb::kForRead) != Acad::eOk) continue;
        AcDbExtents one;
        if (ent->objectId() != sheet && ent->getGeomExtents(one) == Acad::eOk && !one.isEmpty()) all.addExt(one);
        ent->close();
    }
    delete it;
    if (all.isEmpty()) return false;
    min = all.minPoint();
    max = all.maxPoint();
    return true;
}

void spaceLimits(AcDbDatabase* db, bool paper, AcGePoint3d& min, AcGePoint3d& max)
{
    AcGePoint2d low = paper ? db->plimmin() : db->limmin();
    AcGePoint2d high = paper ? db->plimmax() : db->limmax();
    if (paper) {
        AcDbObjectPointer<AcDbLayout> layout(currentLayoutId(db), AcDb::kForRead);
        AcGePoint2d a, b;
        if (layout.openStatus() == Acad::eOk) layout->getLimits(a, b);
        if (b.x > a.x && b.y > a.y) low = a, high = b;
    }
    min.set(low.x, low.y, 0.0);
    max.set(high.x, high.y, 0.0);
}

}  // namespace arx::views
