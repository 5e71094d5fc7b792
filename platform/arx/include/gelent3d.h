// AcGeLinearEnt3d: the base of straight lines and line segments.
// A linear entity is pointOnLine() + t * v for the vector v it was built with; an unbounded
// line takes every t, a segment t in [0, 1] from its start to its end point.
#pragma once
#include "gecurv3d.h"
#include "gepnt3d.h"
#include "gevec3d.h"

class AcGeLine3d;
class AcGePlanarEnt;
class AcGePlane;

class GE_DLLEXPIMPORT AcGeLinearEnt3d : public AcGeCurve3d {
public:
    // Intersection point of two non-parallel linear entities that meet within equalPoint
    // (the point returned lies on this one); false when parallel (colinear included) or apart.
    Adesk::Boolean intersectWith(const AcGeLinearEnt3d& line, AcGePoint3d& intPt,
                                 const AcGeTol& tol = AcGeContext::gTol) const;
    Adesk::Boolean intersectWith(const AcGePlanarEnt& plane, AcGePoint3d& intPnt,
                                 const AcGeTol& tol = AcGeContext::gTol) const;
    // Intersection of the two as seen along projDir: the points on each that line up.
    // False when either is parallel to projDir or they look parallel.
    Adesk::Boolean projIntersectWith(const AcGeLinearEnt3d& line, const AcGeVector3d& projDir,
                                     AcGePoint3d& pntOnThisLine, AcGePoint3d& pntOnOtherLine,
                                     const AcGeTol& tol = AcGeContext::gTol) const;
    // The common part of two colinear linear entities, as a new line or segment the caller
    // deletes; false (and null) when they are not colinear or share no stretch.
    Adesk::Boolean overlap(const AcGeLinearEnt3d& line, AcGeLinearEnt3d*& overlap,
                           const AcGeTol& tol = AcGeContext::gTol) const;

    using AcGeCurve3d::isOn;
    Adesk::Boolean isOn(const AcGePoint3d& pnt, double& param, const AcGeTol& tol = AcGeContext::gTol) const override;
    Adesk::Boolean isOn(double param, const AcGeTol& tol = AcGeContext::gTol) const override;
    // The whole line lies in the plane.
    Adesk::Boolean isOn(const AcGePlane& plane, const AcGeTol& tol = AcGeContext::gTol) const;

    Adesk::Boolean isParallelTo(const AcGeLinearEnt3d& line, const AcGeTol& tol = AcGeContext::gTol) const;
    Adesk::Boolean isParallelTo(const AcGePlanarEnt& plane, const AcGeTol& tol = AcGeContext::gTol) const;
    Adesk::Boolean isPerpendicularTo(const AcGeLinearEnt3d& line, const AcGeTol& tol = AcGeContext::gTol) const;
    Adesk::Boolean isPerpendicularTo(const AcGePlanarEnt& plane, const AcGeTol& tol = AcGeContext::gTol) const;
    Adesk::Boolean isColinearTo(const AcGeLinearEnt3d& line, const AcGeTol& tol = AcGeContext::gTol) const;

    // The plane through pnt perpendicular to the line.
    void getPerpPlane(const AcGePoint3d& pnt, AcGePlane& plane) const;

    AcGePoint3d pointOnLine() const { return mPoint; }
    // Unit vector along increasing parameter.
    AcGeVector3d direction() const;
    // The unbounded line that carries this entity.
    void getLine(AcGeLine3d& line) const;

    AcGePoint3d closestPointTo(const AcGePoint3d& pnt, const AcGeTol& tol = AcGeContext::gTol) const override;
    AcGePoint3d projClosestPointTo(const AcGePoint3d& pnt, const AcGeVector3d& projectDirection,
                                   const AcGeTol& tol = AcGeContext::gTol) const override;
    double paramOf(const AcGePoint3d& pnt, const AcGeTol& tol = AcGeContext::gTol) const override;
    AcGePoint3d evalPoint(double param) const override;
    Adesk::Boolean isClosed(const AcGeTol& tol = AcGeContext::gTol) const override;
    double length(double fromParam, double toParam, double tol = AcGeContext::gTol.equalPoint()) const override;
    Adesk::Boolean hasStartPoint(AcGePoint3d& startPnt) const override;
    Adesk::Boolean hasEndPoint(AcGePoint3d& endPnt) const override;

    Adesk::Boolean isKindOf(AcGe::EntityId entType) const override;
    AcGeEntity3d& transformBy(const AcGeMatrix3d& xfm) override;

protected:
    constexpr AcGeLinearEnt3d(const AcGePoint3d& pnt, const AcGeVector3d& vec) : mPoint(pnt), mVector(vec) {}
    constexpr AcGeLinearEnt3d(const AcGeLinearEnt3d&) = default;
    AcGeLinearEnt3d& operator=(const AcGeLinearEnt3d&) = default;

    // Parameter range: [lo, hi], infinite for an unbounded line.
    virtual double lowerParam() const = 0;
    virtual double upperParam() const = 0;
    // Parameter tolerance matching a distance tolerance along the line.
    double paramTolerance(const AcGeTol& tol) const;

    AcGePoint3d mPoint;
    AcGeVector3d mVector;
};
