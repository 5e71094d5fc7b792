#include "geplanar.h"

#include <cmath>

#include "gelent3d.h"
#include "gemat3d.h"

void AcGePlanarEnt::setFrame(const AcGePoint3d& origin, const AcGeVector3d& uAxis, const AcGeVector3d& vAxis)
{
    mOrigin = origin;
    mUAxis = uAxis;
    mVAxis = vAxis;
    const AcGeVector3d n = uAxis.crossProduct(vAxis);
    const double len = n.length();
    mNormal = len == 0.0 ? n : n / len;
}

Adesk::Boolean AcGePlanarEnt::intersectWith(const AcGeLinearEnt3d& linEnt, AcGePoint3d& pnt, const AcGeTol& tol) const
{
    const AcGePoint3d p = linEnt.pointOnLine();
    const AcGeVector3d dir = linEnt.direction();
    if (dir.isZeroLength(tol)) {
        // A degenerate (point) entity meets the plane only by lying on it.
        if (!isOn(p, tol)) return false;
        pnt = p;
        return true;
    }
    if (linEnt.isParallelTo(*this, tol)) return false;
    const AcGePoint3d hit = p + dir * (-heightOf(p) / dir.dotProduct(mNormal));
    if (!linEnt.isOn(hit, tol)) return false;
    pnt = hit;
    return true;
}

AcGePoint3d AcGePlanarEnt::closestPointToLinearEnt(const AcGeLinearEnt3d& line, AcGePoint3d& pointOnLine,
                                                   const AcGeTol& tol) const
{
    AcGePoint3d hit;
    if (intersectWith(line, hit, tol)) {
        pointOnLine = hit;
        return hit;
    }
    // The height above the plane is linear along the line: a bounded entity that does not
    // reach the plane is nearest at one of its ends; a parallel one is equally near everywhere.
    AcGePoint3d best = line.pointOnLine();
    AcGePoint3d end;
    if (line.hasStartPoint(end)) best = end;
    if (line.hasEndPoint(end) && std::fabs(heightOf(end)) < std::fabs(heightOf(best))) best = end;
    pointOnLine = best;
    return closestPointTo(best, tol);
}

AcGePoint3d AcGePlanarEnt::closestPointToPlanarEnt(const AcGePlanarEnt& otherPln, AcGePoint3d& pointOnOtherPln,
                                                   const AcGeTol& tol) const
{
    if (isParallelTo(otherPln, tol)) {
        pointOnOtherPln = otherPln.pointOnPlane();
        return closestPointTo(pointOnOtherPln, tol);
    }
    // A point of the line where the planes meet.
    const AcGeVector3d dir = mNormal.crossProduct(otherPln.mNormal);
    const double d1 = mNormal.dotProduct(mOrigin.asVector());
    const double d2 = otherPln.mNormal.dotProduct(otherPln.mOrigin.asVector());
    const AcGeVector3d p =
        (otherPln.mNormal.crossProduct(dir) * d1 + dir.crossProduct(mNormal) * d2) / dir.lengthSqrd();
    pointOnOtherPln = AcGePoint3d::kOrigin + p;
    return pointOnOtherPln;
}

Adesk::Boolean AcGePlanarEnt::isParallelTo(const AcGeLinearEnt3d& linEnt, const AcGeTol& tol) const
{
    return linEnt.isParallelTo(*this, tol);
}

Adesk::Boolean AcGePlanarEnt::isParallelTo(const AcGePlanarEnt& otherPlnEnt, const AcGeTol& tol) const
{
    return mNormal.isParallelTo(otherPlnEnt.mNormal, tol);
}

Adesk::Boolean AcGePlanarEnt::isPerpendicularTo(const AcGeLinearEnt3d& linEnt, const AcGeTol& tol) const
{
    return linEnt.isPerpendicularTo(*this, tol);
}

Adesk::Boolean AcGePlanarEnt::isPerpendicularTo(const AcGePlanarEnt& otherPlnEnt, const AcGeTol& tol) const
{
    return mNormal.isPerpendicularTo(otherPlnEnt.mNormal, tol);
}

Adesk::Boolean AcGePlanarEnt::isCoplanarTo(const AcGePlanarEnt& otherPlnEnt, const AcGeTol& tol) const
{
    return isParallelTo(otherPlnEnt, tol) && isOn(otherPlnEnt.mOrigin, tol);
}

void AcGePlanarEnt::get(AcGePoint3d& origin, AcGeVector3d& uVec, AcGeVector3d& vVec) const
{
    origin = mOrigin;
    uVec = mUAxis;
    vVec = mVAxis;
}

void AcGePlanarEnt::get(AcGePoint3d& uPnt, AcGePoint3d& origin, AcGePoint3d& vPnt) const
{
    uPnt = mOrigin + mUAxis;
    origin = mOrigin;
    vPnt = mOrigin + mVAxis;
}

void AcGePlanarEnt::getCoefficients(double& a, double& b, double& c, double& d) const
{
    a = mNormal.x;
    b = mNormal.y;
    c = mNormal.z;
    d = -mNormal.dotProduct(mOrigin.asVector());
}

void AcGePlanarEnt::getCoordSystem(AcGePoint3d& origin, AcGeVector3d& axis1, AcGeVector3d& axis2) const
{
    origin = mOrigin;
    axis1 = mUAxis.normal();
    axis2 = mNormal.crossProduct(axis1);
}

Adesk::Boolean AcGePlanarEnt::isOn(const AcGePoint3d& pnt, AcGePoint2d& paramPoint, const AcGeTol& tol) const
{
    if (std::fabs(heightOf(pnt)) > tol.equalPoint()) return false;
    paramPoint = paramOf(pnt, tol);
    return true;
}

AcGePoint2d AcGePlanarEnt::paramOf(const AcGePoint3d& pnt, const AcGeTol&) const
{
    const AcGeVector2d uv = (pnt - mOrigin).convert2d(*this);
    return AcGePoint2d(uv.x, uv.y);
}

AcGePoint3d AcGePlanarEnt::closestPointTo(const AcGePoint3d& pnt, const AcGeTol&) const
{
    return pnt - mNormal * heightOf(pnt);
}

AcGePoint3d AcGePlanarEnt::evalPoint(const AcGePoint2d& param) const
{
    return mOrigin + mUAxis * param.x + mVAxis * param.y;
}

Adesk::Boolean AcGePlanarEnt::isKindOf(AcGe::EntityId entType) const
{
    return entType == AcGe::kPlanarEnt || entType == AcGe::kSurface || AcGeSurface::isKindOf(entType);
}

AcGeEntity3d& AcGePlanarEnt::transformBy(const AcGeMatrix3d& xfm)
{
    const AcGePoint3d origin = xfm * mOrigin;
    setFrame(origin, (xfm * (mOrigin + mUAxis)) - origin, (xfm * (mOrigin + mVAxis)) - origin);
    return *this;
}
