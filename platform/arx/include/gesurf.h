// AcGeSurface: the base of the 3D surfaces. A surface maps (u, v) parameters onto space.
#pragma once
#include "geent3d.h"
#include "gepnt2d.h"

class GE_DLLEXPIMPORT AcGeSurface : public AcGeEntity3d {
public:
    // Parameters of the surface point nearest to pnt.
    virtual AcGePoint2d paramOf(const AcGePoint3d& pnt, const AcGeTol& tol = AcGeContext::gTol) const = 0;

    Adesk::Boolean isOn(const AcGePoint3d& pnt, const AcGeTol& tol = AcGeContext::gTol) const override;
    virtual Adesk::Boolean isOn(const AcGePoint3d& pnt, AcGePoint2d& paramPoint,
                                const AcGeTol& tol = AcGeContext::gTol) const = 0;

    virtual AcGePoint3d closestPointTo(const AcGePoint3d& pnt, const AcGeTol& tol = AcGeContext::gTol) const = 0;
    double distanceTo(const AcGePoint3d& pnt, const AcGeTol& tol = AcGeContext::gTol) const;

    virtual AcGePoint3d evalPoint(const AcGePoint2d& param) const = 0;

protected:
    constexpr AcGeSurface() = default;
    constexpr AcGeSurface(const AcGeSurface&) = default;
    AcGeSurface& operator=(const AcGeSurface&) = default;
};
