// AcGePlanarEnt: the base of planar surfaces. The surface point of parameters (u, v) is
// origin + u * uAxis + v * vAxis; the axes need be neither unit nor perpendicular, only
// independent. The canonical coordinate system of the plane is: the origin, axis1 =
// unit(uAxis), axis2 = normal x axis1, with normal = unit(uAxis x vAxis).
#pragma once
#include "gesurf.h"
#include "gevec3d.h"

class AcGeLinearEnt3d;

class GE_DLLEXPIMPORT AcGePlanarEnt : public AcGeSurface {
public:
    // Intersection with a linear entity that is not parallel to the plane and reaches it.
    Adesk::Boolean intersectWith(const AcGeLinearEnt3d& linEnt, AcGePoint3d& pnt,
                                 const AcGeTol& tol = AcGeContext::gTol) const;

    // The point of this plane nearest to the linear entity; pointOnLine the entity's point
    // nearest to the plane (the two coincide where they meet).
    AcGePoint3d closestPointToLinearEnt(const AcGeLinearEnt3d& line, AcGePoint3d& pointOnLine,
                                        const AcGeTol& tol = AcGeContext::gTol) const;
    AcGePoint3d closestPointToPlanarEnt(const AcGePlanarEnt& otherPln, AcGePoint3d& pointOnOtherPln,
                                        const AcGeTol& tol = AcGeContext::gTol) const;

    Adesk::Boolean isParallelTo(const AcGeLinearEnt3d& linEnt, const AcGeTol& tol = AcGeContext::gTol) const;
    Adesk::Boolean isParallelTo(const AcGePlanarEnt& otherPlnEnt, const AcGeTol& tol = AcGeContext::gTol) const;
    Adesk::Boolean isPerpendicularTo(const AcGeLinearEnt3d& linEnt, const AcGeTol& tol = AcGeContext::gTol) const;
    Adesk::Boolean isPerpendicularTo(const AcGePlanarEnt& otherPlnEnt, const AcGeTol& tol = AcGeContext::gTol) const;

    // The same set of points (either orientation).
    Adesk::Boolean isCoplanarTo(const AcGePlanarEnt& otherPlnEnt, const AcGeTol& tol = AcGeContext::gTol) const;

    void get(AcGePoint3d& origin, AcGeVector3d& uVec, AcGeVector3d& vVec) const;
    void get(AcGePoint3d& uPnt, AcGePoint3d& origin, AcGePoint3d& vPnt) const;

    AcGePoint3d pointOnPlane() const { return mOrigin; }
    AcGeVector3d normal() const { return mNormal; }
    // a*x + b*y + c*z + d = 0 with (a, b, c) the unit normal.
    void getCoefficients(double& a, double& b, double& c, double& d) const;
    void getCoordSystem(AcGePoint3d& origin, AcGeVector3d& axis1, AcGeVector3d& axis2) const;

    using AcGeSurface::isOn;
    Adesk::Boolean isOn(const AcGePoint3d& pnt, AcGePoint2d& paramPoint,
                        const AcGeTol& tol = AcGeContext::gTol) const override;
    AcGePoint2d paramOf(const AcGePoint3d& pnt, const AcGeTol& tol = AcGeContext::gTol) const override;
    AcGePoint3d closestPointTo(const AcGePoint3d& pnt, const AcGeTol& tol = AcGeContext::gTol) const override;
    AcGePoint3d evalPoint(const AcGePoint2d& param) const override;

    Adesk::Boolean isKindOf(AcGe::EntityId entType) const override;
    AcGeEntity3d& transformBy(const AcGeMatrix3d& xfm) override;

protected:
    constexpr AcGePlanarEnt(const AcGePoint3d& origin, const AcGeVector3d& uAxis, const AcGeVector3d& vAxis,
                            const AcGeVector3d& unitNormal)
        : mOrigin(origin), mUAxis(uAxis), mVAxis(vAxis), mNormal(unitNormal)
    {}
    constexpr AcGePlanarEnt(const AcGePlanarEnt&) = default;
    AcGePlanarEnt& operator=(const AcGePlanarEnt&) = default;

    // Sets the parametrisation and the unit normal from it.
    void setFrame(const AcGePoint3d& origin, const AcGeVector3d& uAxis, const AcGeVector3d& vAxis);
    // Signed distance of pnt from the plane along its unit normal.
    double heightOf(const AcGePoint3d& pnt) const { return (pnt - mOrigin).dotProduct(mNormal); }

    AcGePoint3d mOrigin;
    AcGeVector3d mUAxis;
    AcGeVector3d mVAxis;
    AcGeVector3d mNormal;
};
