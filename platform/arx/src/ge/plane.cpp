#include "geplane.h"

#include "geline3d.h"

constinit const AcGePlane AcGePlane::kXYPlane(AcGePoint3d(0.0, 0.0, 0.0), AcGeVector3d(1.0, 0.0, 0.0),
                                              AcGeVector3d(0.0, 1.0, 0.0), AcGeVector3d(0.0, 0.0, 1.0));
constinit const AcGePlane AcGePlane::kYZPlane(AcGePoint3d(0.0, 0.0, 0.0), AcGeVector3d(0.0, 1.0, 0.0),
                                              AcGeVector3d(0.0, 0.0, 1.0), AcGeVector3d(1.0, 0.0, 0.0));
constinit const AcGePlane AcGePlane::kZXPlane(AcGePoint3d(0.0, 0.0, 0.0), AcGeVector3d(0.0, 0.0, 1.0),
                                              AcGeVector3d(1.0, 0.0, 0.0), AcGeVector3d(0.0, 1.0, 0.0));

AcGePlane::AcGePlane(const AcGePoint3d& origin, const AcGeVector3d& normal) : AcGePlane() { set(origin, normal); }

AcGePlane::AcGePlane(const AcGePoint3d& pntU, const AcGePoint3d& org, const AcGePoint3d& pntV) : AcGePlane()
{
    set(pntU, org, pntV);
}

AcGePlane::AcGePlane(const AcGePoint3d& org, const AcGeVector3d& uAxis, const AcGeVector3d& vAxis) : AcGePlane()
{
    set(org, uAxis, vAxis);
}

AcGePlane::AcGePlane(double a, double b, double c, double d) : AcGePlane() { set(a, b, c, d); }

Adesk::Boolean AcGePlane::intersectWith(const AcGeLinearEnt3d& linEnt, AcGePoint3d& resultPnt, const AcGeTol& tol) const
{
    return AcGePlanarEnt::intersectWith(linEnt, resultPnt, tol);
}

Adesk::Boolean AcGePlane::intersectWith(const AcGePlane& otherPln, AcGeLine3d& resultLine, const AcGeTol& tol) const
{
    if (isParallelTo(otherPln, tol)) return false;
    AcGePoint3d pointOnBoth;
    closestPointToPlanarEnt(otherPln, pointOnBoth, tol);
    resultLine.set(pointOnBoth, mNormal.crossProduct(otherPln.normal()).normal());
    return true;
}

AcGePlane& AcGePlane::set(const AcGePoint3d& pnt, const AcGeVector3d& normal)
{
    const AcGeVector3d n = normal.normal();
    const AcGeVector3d u = n.perpVector();
    setFrame(pnt, u, n.crossProduct(u));
    return *this;
}

AcGePlane& AcGePlane::set(const AcGePoint3d& pntU, const AcGePoint3d& org, const AcGePoint3d& pntV)
{
    setFrame(org, pntU - org, pntV - org);
    return *this;
}

AcGePlane& AcGePlane::set(double a, double b, double c, double d)
{
    const AcGeVector3d n(a, b, c);
    return set(AcGePoint3d::kOrigin + n * (-d / n.lengthSqrd()), n);
}

AcGePlane& AcGePlane::set(const AcGePoint3d& org, const AcGeVector3d& uAxis, const AcGeVector3d& vAxis)
{
    setFrame(org, uAxis, vAxis);
    return *this;
}

Adesk::Boolean AcGePlane::isKindOf(AcGe::EntityId entType) const
{
    return entType == AcGe::kPlane || AcGePlanarEnt::isKindOf(entType);
}

Adesk::Boolean AcGePlane::isEqualTo(const AcGeEntity3d& ent, const AcGeTol& tol) const
{
    if (ent.type() != AcGe::kPlane) return false;
    AcGePoint3d origin;
    AcGeVector3d u, v;
    static_cast<const AcGePlane&>(ent).get(origin, u, v);
    return mOrigin.isEqualTo(origin, tol) && mUAxis.isEqualTo(u, tol) && mVAxis.isEqualTo(v, tol);
}
