#include "gelent3d.h"

#include <algorithm>
#include <cmath>

#include "geline3d.h"
#include "gelnsg3d.h"
#include "gemat3d.h"
#include "geplane.h"

namespace {

// Parameters of the mutually closest points of the unbounded lines p1 + s v1 and p2 + t v2.
// Contract: the lines are not parallel.
void closestParams(const AcGePoint3d& p1, const AcGeVector3d& v1, const AcGePoint3d& p2, const AcGeVector3d& v2,
                   double& s, double& t)
{
    const AcGeVector3d w = p1 - p2;
    const double a = v1.dotProduct(v1);
    const double b = v1.dotProduct(v2);
    const double c = v2.dotProduct(v2);
    const double d = v1.dotProduct(w);
    const double e = v2.dotProduct(w);
    const double den = a * c - b * b;
    s = (b * e - c * d) / den;
    t = (a * e - b * d) / den;
}

}  // namespace

double AcGeLinearEnt3d::paramTolerance(const AcGeTol& tol) const
{
    const double len = mVector.length();
    return len == 0.0 ? 0.0 : tol.equalPoint() / len;
}

Adesk::Boolean AcGeLinearEnt3d::intersectWith(const AcGeLinearEnt3d& line, AcGePoint3d& intPt, const AcGeTol& tol) const
{
    if (mVector.isZeroLength(tol) || line.mVector.isZeroLength(tol) || mVector.isParallelTo(line.mVector, tol))
        return false;
    // The lines meet when the gap between them across both directions is within tolerance;
    // measured from the defining points, it stays exact however far away they cross.
    const AcGeVector3d across = mVector.crossProduct(line.mVector);
    if (std::fabs((line.mPoint - mPoint).dotProduct(across)) > tol.equalPoint() * across.length()) return false;
    double s = 0.0, t = 0.0;
    closestParams(mPoint, mVector, line.mPoint, line.mVector, s, t);
    const AcGePoint3d onThis = evalPoint(s);
    if (!isOn(s, tol) || !line.isOn(t, tol)) return false;
    intPt = onThis;
    return true;
}

Adesk::Boolean AcGeLinearEnt3d::intersectWith(const AcGePlanarEnt& plane, AcGePoint3d& intPnt, const AcGeTol& tol) const
{
    return plane.intersectWith(*this, intPnt, tol);
}

Adesk::Boolean AcGeLinearEnt3d::projIntersectWith(const AcGeLinearEnt3d& line, const AcGeVector3d& projDir,
                                                  AcGePoint3d& pntOnThisLine, AcGePoint3d& pntOnOtherLine,
                                                  const AcGeTol& tol) const
{
    // Solve s v1 - t v2 + a d = p2 - p1: the two points differ by a multiple of projDir.
    const AcGeVector3d& v1 = mVector;
    const AcGeVector3d v2 = -line.mVector;
    const AcGeVector3d& d = projDir;
    const double det = v1.dotProduct(v2.crossProduct(d));
    if (!(std::fabs(det) > tol.equalVector() * v1.length() * v2.length() * d.length())) return false;
    const AcGeVector3d rhs = line.mPoint - mPoint;
    const double s = rhs.dotProduct(v2.crossProduct(d)) / det;
    const double t = v1.dotProduct(rhs.crossProduct(d)) / det;
    if (!isOn(s, tol) || !line.isOn(t, tol)) return false;
    pntOnThisLine = evalPoint(s);
    pntOnOtherLine = line.evalPoint(t);
    return true;
}

Adesk::Boolean AcGeLinearEnt3d::overlap(const AcGeLinearEnt3d& line, AcGeLinearEnt3d*& overlap,
                                        const AcGeTol& tol) const
{
    overlap = nullptr;
    if (!isColinearTo(line, tol)) return false;
    // The other's parameter interval expressed in this entity's parameter.
    const bool sameSense = mVector.dotProduct(line.mVector) > 0.0;
    double otherLo = line.lowerParam(), otherHi = line.upperParam();
    double a = std::isfinite(otherLo) ? paramOf(line.evalPoint(otherLo)) : (sameSense ? otherLo : -otherLo);
    double b = std::isfinite(otherHi) ? paramOf(line.evalPoint(otherHi)) : (sameSense ? otherHi : -otherHi);
    if (a > b) std::swap(a, b);
    const double lo = std::max(a, lowerParam());
    const double hi = std::min(b, upperParam());
    if (!(hi - lo > paramTolerance(tol))) return false;
    if (std::isinf(lo) && std::isinf(hi)) overlap = new AcGeLine3d(mPoint, mVector);
    else overlap = new AcGeLineSeg3d(evalPoint(lo), evalPoint(hi));
    return true;
}

Adesk::Boolean AcGeLinearEnt3d::isOn(const AcGePoint3d& pnt, double& param, const AcGeTol& tol) const
{
    param = paramOf(pnt, tol);
    return evalPoint(param).distanceTo(pnt) <= tol.equalPoint() && isOn(param, tol);
}

Adesk::Boolean AcGeLinearEnt3d::isOn(double param, const AcGeTol& tol) const
{
    const double slack = paramTolerance(tol);
    return param >= lowerParam() - slack && param <= upperParam() + slack;
}

Adesk::Boolean AcGeLinearEnt3d::isOn(const AcGePlane& plane, const AcGeTol& tol) const
{
    return plane.isOn(mPoint, tol) && (mVector.isZeroLength(tol) || isParallelTo(plane, tol));
}

Adesk::Boolean AcGeLinearEnt3d::isParallelTo(const AcGeLinearEnt3d& line, const AcGeTol& tol) const
{
    return mVector.isParallelTo(line.mVector, tol);
}

Adesk::Boolean AcGeLinearEnt3d::isParallelTo(const AcGePlanarEnt& plane, const AcGeTol& tol) const
{
    return mVector.isPerpendicularTo(plane.normal(), tol);
}

Adesk::Boolean AcGeLinearEnt3d::isPerpendicularTo(const AcGeLinearEnt3d& line, const AcGeTol& tol) const
{
    return mVector.isPerpendicularTo(line.mVector, tol);
}

Adesk::Boolean AcGeLinearEnt3d::isPerpendicularTo(const AcGePlanarEnt& plane, const AcGeTol& tol) const
{
    return mVector.isParallelTo(plane.normal(), tol);
}

Adesk::Boolean AcGeLinearEnt3d::isColinearTo(const AcGeLinearEnt3d& line, const AcGeTol& tol) const
{
    if (!isParallelTo(line, tol)) return false;
    AcGeLine3d carrier;
    getLine(carrier);
    return carrier.isOn(line.mPoint, tol);
}

void AcGeLinearEnt3d::getPerpPlane(const AcGePoint3d& pnt, AcGePlane& plane) const { plane.set(pnt, mVector); }

AcGeVector3d AcGeLinearEnt3d::direction() const { return mVector.normal(); }

void AcGeLinearEnt3d::getLine(AcGeLine3d& line) const { line.set(mPoint, mVector); }

AcGePoint3d AcGeLinearEnt3d::closestPointTo(const AcGePoint3d& pnt, const AcGeTol& tol) const
{
    return evalPoint(std::clamp(paramOf(pnt, tol), lowerParam(), upperParam()));
}

AcGePoint3d AcGeLinearEnt3d::projClosestPointTo(const AcGePoint3d& pnt, const AcGeVector3d& projectDirection,
                                                const AcGeTol& tol) const
{
    // Seen along a direction it is parallel to, the whole entity is one point.
    if (projectDirection.isZeroLength(tol) || mVector.isZeroLength(tol) || mVector.isParallelTo(projectDirection, tol))
        return closestPointTo(pnt, tol);
    double s = 0.0, t = 0.0;
    closestParams(mPoint, mVector, pnt, projectDirection, s, t);
    // The distance to the sight line is convex in s: clamping gives the bounded answer.
    return evalPoint(std::clamp(s, lowerParam(), upperParam()));
}

double AcGeLinearEnt3d::paramOf(const AcGePoint3d& pnt, const AcGeTol&) const
{
    const double len2 = mVector.lengthSqrd();
    return len2 == 0.0 ? 0.0 : (pnt - mPoint).dotProduct(mVector) / len2;
}

AcGePoint3d AcGeLinearEnt3d::evalPoint(double param) const { return mPoint + mVector * param; }

Adesk::Boolean AcGeLinearEnt3d::isClosed(const AcGeTol&) const { return false; }

double AcGeLinearEnt3d::length(double fromParam, double toParam, double) const
{
    return std::fabs(toParam - fromParam) * mVector.length();
}

Adesk::Boolean AcGeLinearEnt3d::hasStartPoint(AcGePoint3d& startPnt) const
{
    if (!std::isfinite(lowerParam())) return false;
    startPnt = evalPoint(lowerParam());
    return true;
}

Adesk::Boolean AcGeLinearEnt3d::hasEndPoint(AcGePoint3d& endPnt) const
{
    if (!std::isfinite(upperParam())) return false;
    endPnt = evalPoint(upperParam());
    return true;
}

Adesk::Boolean AcGeLinearEnt3d::isKindOf(AcGe::EntityId entType) const
{
    return entType == AcGe::kLinearEnt3d || entType == AcGe::kCurve3d || AcGeCurve3d::isKindOf(entType);
}

AcGeEntity3d& AcGeLinearEnt3d::transformBy(const AcGeMatrix3d& xfm)
{
    // Both defining points are carried, so the parameters keep their meaning.
    const AcGePoint3d start = xfm * mPoint;
    const AcGePoint3d end = xfm * (mPoint + mVector);
    mPoint = start;
    mVector = end - start;
    return *this;
}
