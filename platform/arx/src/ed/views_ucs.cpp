#include "ed/views_ucs.h"

#include <cmath>

#include "adsdef.h"
#include "dbhostext.h"
#include "dbmain.h"
#include "ed/views.h"
#include "ed/views_edit.h"

namespace arx::views {
namespace {

constexpr double kFrameTolerance = 1e-9;

AcGePoint3d headerPoint(AcDbDatabase* db, const char* name, const AcGePoint3d& fallback)
{
    resbuf rb{};
    if (acdbGetHeaderVar(db, name, &rb) != Acad::eOk) return fallback;
    return AcGePoint3d(rb.resval.rpoint[0], rb.resval.rpoint[1], rb.resval.rpoint[2]);
}

Acad::ErrorStatus setHeaderPoint(AcDbDatabase* db, const char* name, const AcGePoint3d& p)
{
    resbuf rb{};
    rb.restype = 10;
    rb.resval.rpoint[0] = p.x;
    rb.resval.rpoint[1] = p.y;
    rb.resval.rpoint[2] = p.z;
    return acdbSetHeaderVar(db, name, &rb);
}

// -0.0 + 0.0 is +0.0: axes read back print as 0.0, not -0.0.
AcGeVector3d withoutNegativeZeros(const AcGeVector3d& v) { return AcGeVector3d(v.x + 0.0, v.y + 0.0, v.z + 0.0); }

AcGePoint3d asPoint(const AcGeVector3d& v) { return AcGePoint3d(v.x, v.y, v.z); }

UcsFrame storedUcs(AcDbDatabase* db, bool paper)
{
    UcsFrame f;
    if (paper) {
        f.origin = headerPoint(db, "PUCSORG", AcGePoint3d::kOrigin);
        f.xAxis = headerPoint(db, "PUCSXDIR", AcGePoint3d(1, 0, 0)).asVector();
        f.yAxis = headerPoint(db, "PUCSYDIR", AcGePoint3d(0, 1, 0)).asVector();
    } else {
        f.origin = db->ucsorg();
        f.xAxis = db->ucsxdir();
        f.yAxis = db->ucsydir();
    }
    // A file may hold axes that are not quite unit or perpendicular; the UCS is their frame.
    UcsFrame clean;
    if (frameOf(f.origin, f.xAxis, f.yAxis, clean) != Acad::eOk) clean.origin = f.origin;
    return clean;
}

Acad::ErrorStatus storeUcs(AcDbDatabase* db, bool paper, const UcsFrame& f)
{
    if (!paper) {
        Acad::ErrorStatus es = db->setUcsorg(f.origin);
        return es == Acad::eOk ? db->setUcsdir(f.xAxis, f.yAxis) : es;
    }
    Acad::ErrorStatus es = setHeaderPoint(db, "PUCSORG", f.origin);
    if (es == Acad::eOk) es = setHeaderPoint(db, "PUCSXDIR", asPoint(f.xAxis));
    if (es == Acad::eOk) es = setHeaderPoint(db, "PUCSYDIR", asPoint(f.yAxis));
    return es;
}

// UCSFOLLOW: a viewport of model space that follows the UCS turns to the plan of each new one.
void followUcs(AcDbDatabase* db, bool paper, const UcsFrame& ucs)
{
    Viewport vp;
    if (paper || activeViewport(db, vp) != Acad::eOk || vp.kind == ViewportKind::PaperSpace ||
        (vp.view().viewMode & view::kUcsFollow) == 0)
        return;
    if (planView(db, vp, ucs.origin, ucs.xAxis, ucs.yAxis) == Acad::eOk) applyView(db, vp);
}

}  // namespace

bool paperSpaceCurrent(AcDbDatabase* db) { return !isTiled(db) && !inFloatingViewport(db); }

UcsFrame currentUcs(AcDbDatabase* db)
{
    if (db == nullptr) return UcsFrame{};
    return storedUcs(db, paperSpaceCurrent(db));
}

AcGeMatrix3d ucsToWcs(const UcsFrame& ucs)
{
    AcGeMatrix3d m;
    m.setCoordSystem(ucs.origin, ucs.xAxis, ucs.yAxis, ucs.xAxis.crossProduct(ucs.yAxis));
    return m;
}

AcGeMatrix3d wcsToUcs(const UcsFrame& ucs)
{
    // The inverse of a rigid motion: the transposed rotation and the origin carried back.
    AcGeMatrix3d m = ucsToWcs(ucs);
    m.setTranslation(AcGeVector3d::kIdentity);
    m.transposeIt();
    AcGeVector3d back = -ucs.origin.asVector();
    back.transformBy(m);
    m.setTranslation(back);
    return m;
}

bool isWorld(const UcsFrame& ucs)
{
    return ucs.origin.isEqualTo(AcGePoint3d::kOrigin) && ucs.xAxis.isEqualTo(AcGeVector3d::kXAxis) &&
           ucs.yAxis.isEqualTo(AcGeVector3d::kYAxis);
}

Acad::ErrorStatus frameOf(const AcGePoint3d& origin, const AcGeVector3d& xDir, const AcGeVector3d& yDir,
                          UcsFrame& frame)
{
    const double xl = xDir.length();
    if (!(xl > kFrameTolerance) || !std::isfinite(xl)) return Acad::eInvalidInput;
    const AcGeVector3d x = xDir / xl;
    AcGeVector3d y = yDir - x * x.dotProduct(yDir);
    const double yl = y.length();
    if (!(yl > kFrameTolerance * yDir.length()) || !(yl > 0.0) || !std::isfinite(yl)) return Acad::eInvalidInput;
    frame.origin = origin;
    frame.xAxis = withoutNegativeZeros(x);
    frame.yAxis = withoutNegativeZeros(y / yl);
    return Acad::eOk;
}

Acad::ErrorStatus frameOfMatrix(const AcGeMatrix3d& matrix, UcsFrame& frame)
{
    AcGePoint3d origin;
    AcGeVector3d x, y, z;
    matrix.getCoordSystem(origin, x, y, z);
    for (int c = 0; c < 3; ++c)
        if (std::fabs(matrix(3, c)) > kFrameTolerance) return Acad::eInvalidInput;
    const bool rigid = std::fabs(x.length() - 1.0) < kFrameTolerance && std::fabs(y.length() - 1.0) < kFrameTolerance &&
                       std::fabs(x.dotProduct(y)) < kFrameTolerance &&
                       (x.crossProduct(y) - z).length() < kFrameTolerance;
    if (!rigid) return Acad::eInvalidInput;
    frame.origin = origin;
    frame.xAxis = x;
    frame.yAxis = y;
    return Acad::eOk;
}

Acad::ErrorStatus setCurrentUcs(AcDbDatabase* db, const UcsFrame& ucs)
{
    if (db == nullptr) return Acad::eNoDatabase;
    const bool paper = paperSpaceCurrent(db);
    const UcsFrame before = storedUcs(db, paper);
    Acad::ErrorStatus es = storeUcs(db, paper, ucs);
    if (es != Acad::eOk) return es;
    ViewSession& s = session(db);
    pushBounded(paper ? s.previousPaperUcs : s.previousModelUcs, before);
    followUcs(db, paper, ucs);
    return Acad::eOk;
}

Acad::ErrorStatus restorePreviousUcs(AcDbDatabase* db)
{
    if (db == nullptr) return Acad::eNoDatabase;
    const bool paper = paperSpaceCurrent(db);
    std::vector<UcsFrame>& stack = paper ? session(db).previousPaperUcs : session(db).previousModelUcs;
    if (stack.empty()) return Acad::eNotApplicable;
    Acad::ErrorStatus es = storeUcs(db, paper, stack.back());
    if (es != Acad::eOk) return es;
    const UcsFrame restored = stack.back();
    stack.pop_back();
    followUcs(db, paper, restored);
    return Acad::eOk;
}

}  // namespace arx::views
