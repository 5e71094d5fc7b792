// AcGeCurve3d: the base of the 3D curves. A curve maps a parameter interval onto space.
#pragma once
#include "adesk.h"
#include "geent3d.h"

class GE_DLLEXPIMPORT AcGeCurve3d : public AcGeEntity3d {
public:
    double distanceTo(const AcGePoint3d& pnt, const AcGeTol& tol = AcGeContext::gTol) const;

    // The curve point nearest to pnt.
    virtual AcGePoint3d closestPointTo(const AcGePoint3d& pnt, const AcGeTol& tol = AcGeContext::gTol) const = 0;
    // The curve point nearest to the line through pnt along projectDirection: the point
    // that, seen along projectDirection, is closest to pnt.
    virtual AcGePoint3d projClosestPointTo(const AcGePoint3d& pnt, const AcGeVector3d& projectDirection,
                                           const AcGeTol& tol = AcGeContext::gTol) const = 0;

    Adesk::Boolean isOn(const AcGePoint3d& pnt, const AcGeTol& tol = AcGeContext::gTol) const override;
    // On the curve; param receives the point's parameter.
    virtual Adesk::Boolean isOn(const AcGePoint3d& pnt, double& param,
                                const AcGeTol& tol = AcGeContext::gTol) const = 0;
    // The parameter lies in the curve's interval.
    virtual Adesk::Boolean isOn(double param, const AcGeTol& tol = AcGeContext::gTol) const = 0;

    // Parameter of a point of the curve (contract: the point is on the curve).
    virtual double paramOf(const AcGePoint3d& pnt, const AcGeTol& tol = AcGeContext::gTol) const = 0;
    virtual AcGePoint3d evalPoint(double param) const = 0;

    virtual Adesk::Boolean isClosed(const AcGeTol& tol = AcGeContext::gTol) const = 0;
    // Arc length between two parameters (always positive).
    virtual double length(double fromParam, double toParam, double tol = AcGeContext::gTol.equalPoint()) const = 0;

    virtual Adesk::Boolean hasStartPoint(AcGePoint3d& startPnt) const = 0;
    virtual Adesk::Boolean hasEndPoint(AcGePoint3d& endPnt) const = 0;

protected:
    constexpr AcGeCurve3d() = default;
    constexpr AcGeCurve3d(const AcGeCurve3d&) = default;
    AcGeCurve3d& operator=(const AcGeCurve3d&) = default;
};
