// acedTrans and acedVports, and the UCS and viewport calls of the editor API.
#include "ed/views_trans.h"

#include <cmath>

#include "aced.h"
#include "acedads.h"
#include "acutads.h"
#include "dbents.h"
#include "dbmain.h"
#include "dbobjptr.h"
#include "dbpl.h"
#include "ed/views.h"
#include "ed/views_internal.h"
#include "ed/views_ucs.h"

namespace arx::views {
namespace {

using Kind = CoordSystem::Kind;

// The extrusion direction that defines an entity's own coordinate system.
AcGeVector3d entityNormal(const AcDbEntity* ent)
{
    if (auto* e = AcDbCircle::cast(ent)) return e->normal();
    if (auto* e = AcDbArc::cast(ent)) return e->normal();
    if (auto* e = AcDbLine::cast(ent)) return e->normal();
    if (auto* e = AcDbPolyline::cast(ent)) return e->normal();
    if (auto* e = AcDb2dPolyline::cast(ent)) return e->normal();
    if (auto* e = AcDbBlockReference::cast(ent)) return e->normal();
    return AcGeVector3d::kZAxis;
}

Acad::ErrorStatus systemOfEntity(const resbuf* rb, CoordSystem& out)
{
    AcDbObjectId id;
    if (acdbGetObjectId(id, rb->resval.rlname) != Acad::eOk) return Acad::eInvalidInput;
    AcDbObjectPointer<AcDbEntity> ent(id, AcDb::kForRead);
    if (ent.openStatus() != Acad::eOk) return Acad::eInvalidInput;
    out = CoordSystem{Kind::Object, entityNormal(ent.object())};
    return out.normal.isZeroLength() ? Acad::eInvalidInput : Acad::eOk;
}

Acad::ErrorStatus systemOfCode(long code, CoordSystem& out)
{
    if (code < 0 || code > 3) return Acad::eInvalidInput;
    out = CoordSystem::of(static_cast<Kind>(code));
    return Acad::eOk;
}

// DCS -> WCS of a viewport, or its inverse.
Acad::ErrorStatus displayMatrix(const Viewport& vp, bool toWorld, AcGeMatrix3d& out)
{
    return toWorld ? view::dcsToWcs(vp.view(), out) : view::wcsToDcs(vp.view(), out);
}

// The matrix from `cs` to the world (toWorld) or back, for the systems that pass through
// the world (all but PSDCS).
Acad::ErrorStatus worldMatrix(AcDbDatabase* db, const CoordSystem& cs, bool toWorld, AcGeMatrix3d& out)
{
    switch (cs.kind) {
    case Kind::Wcs: out.setToIdentity(); return Acad::eOk;
    case Kind::Ucs: {
        const UcsFrame ucs = currentUcs(db);
        out = toWorld ? ucsToWcs(ucs) : wcsToUcs(ucs);
        return Acad::eOk;
    }
    case Kind::Dcs: {
        Viewport vp;
        Acad::ErrorStatus es = activeViewport(db, vp);
        return es == Acad::eOk ? displayMatrix(vp, toWorld, out) : es;
    }
    case Kind::Object:
        out = toWorld ? AcGeMatrix3d::planeToWorld(cs.normal) : AcGeMatrix3d::worldToPlane(cs.normal);
        return Acad::eOk;
    case Kind::Psdcs: break;
    }
    return Acad::eInvalidInput;
}

// PSDCS <-> DCS of the current model-space viewport (a floating viewport).
Acad::ErrorStatus paperMatrix(AcDbDatabase* db, bool fromPaper, AcGeMatrix3d& out)
{
    if (isTiled(db)) return Acad::eNotApplicable;
    Viewport vp;
    Acad::ErrorStatus es = currentModelViewport(db, vp);
    if (es != Acad::eOk) return es;
    return fromPaper ? view::psdcsToDcs(vp.frame, out) : view::dcsToPsdcs(vp.frame, out);
}

}  // namespace

Acad::ErrorStatus coordSystemOf(const resbuf* rb, CoordSystem& out)
{
    if (rb == nullptr) return Acad::eInvalidInput;
    switch (rb->restype) {
    case RTSHORT: return systemOfCode(rb->resval.rint, out);
    case RTLONG: return systemOfCode(rb->resval.rlong, out);
    case RTENAME: return systemOfEntity(rb, out);
    case RT3DPOINT: {
        const AcGeVector3d n(rb->resval.rpoint[0], rb->resval.rpoint[1], rb->resval.rpoint[2]);
        if (n.isZeroLength() || !std::isfinite(n.length())) return Acad::eInvalidInput;
        out = CoordSystem{Kind::Object, n};
        return Acad::eOk;
    }
    default: return Acad::eInvalidInput;
    }
}

Acad::ErrorStatus transformMatrix(AcDbDatabase* db, const CoordSystem& from, const CoordSystem& to, AcGeMatrix3d& out)
{
    if (db == nullptr) return Acad::eNoDatabase;
    const bool fromPaper = from.kind == Kind::Psdcs;
    const bool toPaper = to.kind == Kind::Psdcs;
    if (fromPaper || toPaper) {
        if (fromPaper && toPaper) {
            out.setToIdentity();
            return Acad::eOk;
        }
        if ((fromPaper ? to.kind : from.kind) != Kind::Dcs) return Acad::eInvalidInput;
        return paperMatrix(db, fromPaper, out);
    }
    AcGeMatrix3d toWorld, fromWorld;
    Acad::ErrorStatus es = worldMatrix(db, from, true, toWorld);
    if (es == Acad::eOk) es = worldMatrix(db, to, false, fromWorld);
    if (es != Acad::eOk) return es;
    out = fromWorld * toWorld;
    return Acad::eOk;
}

Acad::ErrorStatus transformPoint(AcDbDatabase* db, Kind from, Kind to, AcGePoint3d& point)
{
    AcGeMatrix3d m;
    Acad::ErrorStatus es = transformMatrix(db, CoordSystem::of(from), CoordSystem::of(to), m);
    if (es == Acad::eOk) point.transformBy(m);
    return es;
}

Acad::ErrorStatus transformVector(AcDbDatabase* db, Kind from, Kind to, AcGeVector3d& vector)
{
    AcGeMatrix3d m;
    Acad::ErrorStatus es = transformMatrix(db, CoordSystem::of(from), CoordSystem::of(to), m);
    if (es == Acad::eOk) vector.transformBy(m);
    return es;
}

}  // namespace arx::views

using arx::views::CoordSystem;

int acedTrans(const ads_point pt, const resbuf* from, const resbuf* to, int disp, ads_point result)
{
    if (pt == nullptr || result == nullptr) return RTERROR;
    CoordSystem source, target;
    if (arx::views::coordSystemOf(from, source) != Acad::eOk || arx::views::coordSystemOf(to, target) != Acad::eOk)
        return RTERROR;
    AcGeMatrix3d m;
    if (arx::views::transformMatrix(arx::views::workingDatabase(), source, target, m) != Acad::eOk) return RTERROR;
    if (disp != 0) {
        AcGeVector3d v(pt[0], pt[1], pt[2]);
        v.transformBy(m);
        result[0] = v.x, result[1] = v.y, result[2] = v.z;
    } else {
        AcGePoint3d p(pt[0], pt[1], pt[2]);
        p.transformBy(m);
        result[0] = p.x, result[1] = p.y, result[2] = p.z;
    }
    return RTNORM;
}

namespace {

// One (number, lower-left, upper-right) group of acedVports.
resbuf* describeViewport(const arx::views::Viewport& vp, int number)
{
    const bool tiled = vp.kind == arx::views::ViewportKind::Tiled;
    const AcGePoint3d& c = vp.frame.centerPoint;
    const double w = vp.frame.width * 0.5, h = vp.frame.height * 0.5;
    ads_point low = {tiled ? 0.0 : c.x - w, tiled ? 0.0 : c.y - h, 0.0};
    ads_point high = {tiled ? 1.0 : c.x + w, tiled ? 1.0 : c.y + h, 0.0};
    return acutBuildList(RTSHORT, number, RTPOINT, low, RTPOINT, high, 0);
}

void append(resbuf*& head, resbuf* chain)
{
    if (chain == nullptr) return;
    resbuf** tail = &head;
    while (*tail) tail = &(*tail)->rbnext;
    *tail = chain;
}

}  // namespace

int acedVports(resbuf** vlist)
{
    if (vlist == nullptr) return RTERROR;
    *vlist = nullptr;
    AcDbDatabase* db = arx::views::workingDatabase();
    arx::views::Viewport active;
    if (arx::views::activeViewport(db, active) != Acad::eOk) return RTERROR;
    resbuf* head = describeViewport(active, active.number);
    if (active.kind != arx::views::ViewportKind::Tiled) {
        const AcDbObjectId layout = arx::views::currentLayoutId(db);
        std::vector<AcDbObjectId> all = arx::views::layoutViewports(layout);
        for (AcDbObjectId id : all) {
            arx::views::Viewport vp;
            if (id == active.id || arx::views::readViewport(id, vp) != Acad::eOk) continue;
            const int number =
                vp.kind == arx::views::ViewportKind::PaperSpace ? arx::views::kPaperSpaceNumber : vp.number;
            if (number > 0) append(head, describeViewport(vp, number));
        }
    }
    *vlist = head;
    return RTNORM;
}

Acad::ErrorStatus acedGetCurrentUCS(AcGeMatrix3d& mat)
{
    AcDbDatabase* db = arx::views::workingDatabase();
    if (db == nullptr) return Acad::eNoDatabase;
    mat = arx::views::ucsToWcs(arx::views::currentUcs(db));
    return Acad::eOk;
}

Acad::ErrorStatus acedSetCurrentUCS(const AcGeMatrix3d& mat)
{
    arx::views::UcsFrame frame;
    if (arx::views::frameOfMatrix(mat, frame) != Acad::eOk) return Acad::eInvalidInput;
    return arx::views::setCurrentUcs(arx::views::workingDatabase(), frame);
}

Acad::ErrorStatus acedRestorePreviousUCS() { return arx::views::restorePreviousUcs(arx::views::workingDatabase()); }

Acad::ErrorStatus acedSetCurrentVPort(int vpnumber)
{
    return arx::views::setCurrentViewportNumber(arx::views::workingDatabase(), vpnumber);
}

Acad::ErrorStatus acedSetCurrentVPort(const AcDbViewport* pVp)
{
    if (pVp == nullptr) return Acad::eNullObjectPointer;
    return acedSetCurrentVPort(pVp->number());
}
