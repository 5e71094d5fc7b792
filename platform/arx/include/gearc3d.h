// AcGeCircArc3d: a circle or circular arc in space.
// The arc lies in the plane through center with the given normal. Angles are measured from
// refVec counterclockwise about the normal; the arc runs from startAng to endAng (the end is
// kept at or after the start, at most one full turn after it), and its parameter is the angle.
#pragma once
#include "gecurv3d.h"
#include "gepnt3d.h"
#include "gevec3d.h"
#include "geplane.h"
#include "gegblabb.h"

class AcGeLine3d;
class AcGeLinearEnt3d;
class AcGePlanarEnt;

class GE_DLLEXPIMPORT AcGeCircArc3d : public AcGeCurve3d {
public:
    // The unit circle in the world XY plane.
    AcGeCircArc3d();
    AcGeCircArc3d(const AcGeCircArc3d&) = default;
    AcGeCircArc3d& operator=(const AcGeCircArc3d&) = default;
    // A full circle; refVec is nrm.perpVector().
    AcGeCircArc3d(const AcGePoint3d& cent, const AcGeVector3d& nrm, double radius);
    // refVec is made perpendicular to nrm; an endAngle before startAngle is taken one turn later.
    AcGeCircArc3d(const AcGePoint3d& cent, const AcGeVector3d& nrm, const AcGeVector3d& refVec, double radius,
                  double startAngle, double endAngle);
    // The arc from startPoint through pnt to endPoint (normal oriented so that it runs
    // counterclockwise, refVec towards startPoint, startAng 0).
    AcGeCircArc3d(const AcGePoint3d& startPoint, const AcGePoint3d& pnt, const AcGePoint3d& endPoint);

    // Intersections (0, 1 or 2 points, in intn); true when there is at least one. Overlapping
    // (coincident) arcs report none.
    Adesk::Boolean intersectWith(const AcGeLinearEnt3d& line, int& intn, AcGePoint3d& p1, AcGePoint3d& p2,
                                 const AcGeTol& tol = AcGeContext::gTol) const;
    Adesk::Boolean intersectWith(const AcGeCircArc3d& arc, int& intn, AcGePoint3d& p1, AcGePoint3d& p2,
                                 const AcGeTol& tol = AcGeContext::gTol) const;
    Adesk::Boolean intersectWith(const AcGePlanarEnt& plane, int& numOfIntersect, AcGePoint3d& p1, AcGePoint3d& p2,
                                 const AcGeTol& tol = AcGeContext::gTol) const;

    // Intersections seen along projDir: arc points and the line points they line up with.
    Adesk::Boolean projIntersectWith(const AcGeLinearEnt3d& line, const AcGeVector3d& projDir, int& numInt,
                                     AcGePoint3d& pntOnArc1, AcGePoint3d& pntOnArc2, AcGePoint3d& pntOnLine1,
                                     AcGePoint3d& pntOnLine2, const AcGeTol& tol = AcGeContext::gTol) const;

    // The tangent line at a point of the arc; false when pnt is not on it.
    Adesk::Boolean tangent(const AcGePoint3d& pnt, AcGeLine3d& line, const AcGeTol& tol = AcGeContext::gTol) const;
    Adesk::Boolean tangent(const AcGePoint3d& pnt, AcGeLine3d& line, const AcGeTol& tol, AcGeError& error) const;

    // The arc's plane, with refVec as its first axis.
    void getPlane(AcGePlane& plane) const;
    // pnt (in the arc's plane) lies strictly inside the full circle.
    Adesk::Boolean isInside(const AcGePoint3d& pnt, const AcGeTol& tol = AcGeContext::gTol) const;

    AcGePoint3d center() const { return mCenter; }
    AcGeVector3d normal() const { return mNormal; }
    AcGeVector3d refVec() const { return mRefVec; }
    double radius() const { return mRadius; }
    double startAng() const { return mStartAng; }
    double endAng() const { return mEndAng; }
    AcGePoint3d startPoint() const { return evalPoint(mStartAng); }
    AcGePoint3d endPoint() const { return evalPoint(mEndAng); }

    AcGeCircArc3d& setCenter(const AcGePoint3d& cent);
    AcGeCircArc3d& setAxes(const AcGeVector3d& normal, const AcGeVector3d& refVec);
    AcGeCircArc3d& setRadius(double radius);
    AcGeCircArc3d& setAngles(double startAngle, double endAngle);

    AcGeCircArc3d& set(const AcGePoint3d& cent, const AcGeVector3d& nrm, double radius);
    AcGeCircArc3d& set(const AcGePoint3d& cent, const AcGeVector3d& nrm, const AcGeVector3d& refVec, double radius,
                       double startAngle, double endAngle);
    AcGeCircArc3d& set(const AcGePoint3d& startPoint, const AcGePoint3d& pnt, const AcGePoint3d& endPoint);
    // As above; on coincident or colinear points the arc is left unchanged and error says why.
    AcGeCircArc3d& set(const AcGePoint3d& startPoint, const AcGePoint3d& pnt, const AcGePoint3d& endPoint,
                       AcGeError& error);

    AcGePoint3d closestPointTo(const AcGePoint3d& pnt, const AcGeTol& tol = AcGeContext::gTol) const override;
    AcGePoint3d projClosestPointTo(const AcGePoint3d& pnt, const AcGeVector3d& projectDirection,
                                   const AcGeTol& tol = AcGeContext::gTol) const override;
    using AcGeCurve3d::isOn;
    Adesk::Boolean isOn(const AcGePoint3d& pnt, double& param, const AcGeTol& tol = AcGeContext::gTol) const override;
    Adesk::Boolean isOn(double param, const AcGeTol& tol = AcGeContext::gTol) const override;
    double paramOf(const AcGePoint3d& pnt, const AcGeTol& tol = AcGeContext::gTol) const override;
    AcGePoint3d evalPoint(double param) const override;
    Adesk::Boolean isClosed(const AcGeTol& tol = AcGeContext::gTol) const override;
    double length(double fromParam, double toParam, double tol = AcGeContext::gTol.equalPoint()) const override;
    Adesk::Boolean hasStartPoint(AcGePoint3d& startPnt) const override;
    Adesk::Boolean hasEndPoint(AcGePoint3d& endPnt) const override;

    Adesk::Boolean isKindOf(AcGe::EntityId entType) const override;
    AcGe::EntityId type() const override { return AcGe::kCircArc3d; }
    AcGeEntity3d* copy() const override { return new AcGeCircArc3d(*this); }
    Adesk::Boolean isEqualTo(const AcGeEntity3d& ent, const AcGeTol& tol = AcGeContext::gTol) const override;
    // The arc stays circular under rotations, translations, uniform scaling and mirroring;
    // under other matrices its radius follows the scaling of refVec.
    AcGeEntity3d& transformBy(const AcGeMatrix3d& xfm) override;

private:
    // Second in-plane axis: normal x refVec.
    AcGeVector3d perpAxis() const { return mNormal.crossProduct(mRefVec); }
    // Angle of a vector in the arc's plane, measured from refVec, in [0, 2*pi).
    double angleOf(const AcGeVector3d& vec) const;
    // The angle's representative in [startAng, startAng + 2*pi) when it lies on the arc
    // within the distance tolerance; false otherwise.
    bool onSweep(double angle, const AcGeTol& tol, double& param) const;
    double sweep() const { return mEndAng - mStartAng; }

    AcGePoint3d mCenter;
    AcGeVector3d mNormal;
    AcGeVector3d mRefVec;
    double mRadius;
    double mStartAng;
    double mEndAng;
};
