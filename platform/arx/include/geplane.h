// AcGePlane: an unbounded plane.
#pragma once
#include "geplanar.h"

class AcGeLine3d;

class GE_DLLEXPIMPORT AcGePlane : public AcGePlanarEnt {
public:
    static const AcGePlane kXYPlane;
    static const AcGePlane kYZPlane;
    static const AcGePlane kZXPlane;

    // The world XY plane.
    constexpr AcGePlane()
        : AcGePlanarEnt(AcGePoint3d(), AcGeVector3d(1.0, 0.0, 0.0), AcGeVector3d(0.0, 1.0, 0.0),
                        AcGeVector3d(0.0, 0.0, 1.0))
    {}
    constexpr AcGePlane(const AcGePlane&) = default;
    AcGePlane& operator=(const AcGePlane&) = default;
    // uAxis = unit(normal).perpVector() (the arbitrary-axis X axis by default), vAxis =
    // unit(normal) x uAxis. Contract: normal is not zero.
    AcGePlane(const AcGePoint3d& origin, const AcGeVector3d& normal);
    // origin org, uAxis = pntU - org, vAxis = pntV - org.
    AcGePlane(const AcGePoint3d& pntU, const AcGePoint3d& org, const AcGePoint3d& pntV);
    AcGePlane(const AcGePoint3d& org, const AcGeVector3d& uAxis, const AcGeVector3d& vAxis);
    // a*x + b*y + c*z + d = 0: origin the plane point nearest the world origin, axes as for a
    // normal (a, b, c).
    AcGePlane(double a, double b, double c, double d);

    double signedDistanceTo(const AcGePoint3d& pnt) const { return heightOf(pnt); }

    Adesk::Boolean intersectWith(const AcGeLinearEnt3d& linEnt, AcGePoint3d& resultPnt,
                                 const AcGeTol& tol = AcGeContext::gTol) const;
    // The line where two non-parallel planes meet.
    Adesk::Boolean intersectWith(const AcGePlane& otherPln, AcGeLine3d& resultLine,
                                 const AcGeTol& tol = AcGeContext::gTol) const;

    AcGePlane& set(const AcGePoint3d& pnt, const AcGeVector3d& normal);
    AcGePlane& set(const AcGePoint3d& pntU, const AcGePoint3d& org, const AcGePoint3d& pntV);
    AcGePlane& set(double a, double b, double c, double d);
    AcGePlane& set(const AcGePoint3d& org, const AcGeVector3d& uAxis, const AcGeVector3d& vAxis);

    Adesk::Boolean isKindOf(AcGe::EntityId entType) const override;
    AcGe::EntityId type() const override { return AcGe::kPlane; }
    AcGeEntity3d* copy() const override { return new AcGePlane(*this); }
    // The same parametrisation (origin and both axes) within tol; isCoplanarTo compares
    // the point sets.
    Adesk::Boolean isEqualTo(const AcGeEntity3d& ent, const AcGeTol& tol = AcGeContext::gTol) const override;

private:
    constexpr AcGePlane(const AcGePoint3d& origin, const AcGeVector3d& uAxis, const AcGeVector3d& vAxis,
                        const AcGeVector3d& unitNormal)
        : AcGePlanarEnt(origin, uAxis, vAxis, unitNormal)
    {}
};
