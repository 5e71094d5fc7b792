// The shared behaviour of the entity base classes.
#include "geent3d.h"

#include "gecurv3d.h"
#include "gemat3d.h"
#include "gesurf.h"

Adesk::Boolean AcGeEntity3d::isKindOf(AcGe::EntityId entType) const { return entType == AcGe::kEntity3d; }

AcGeEntity3d& AcGeEntity3d::translateBy(const AcGeVector3d& translateVec)
{
    return transformBy(AcGeMatrix3d::translation(translateVec));
}

AcGeEntity3d& AcGeEntity3d::rotateBy(double angle, const AcGeVector3d& vec, const AcGePoint3d& wrtPoint)
{
    return transformBy(AcGeMatrix3d::rotation(angle, vec, wrtPoint));
}

AcGeEntity3d& AcGeEntity3d::mirror(const AcGePlane& plane) { return transformBy(AcGeMatrix3d::mirroring(plane)); }

AcGeEntity3d& AcGeEntity3d::scaleBy(double scaleFactor, const AcGePoint3d& wrtPoint)
{
    return transformBy(AcGeMatrix3d::scaling(scaleFactor, wrtPoint));
}

double AcGeCurve3d::distanceTo(const AcGePoint3d& pnt, const AcGeTol& tol) const
{
    return closestPointTo(pnt, tol).distanceTo(pnt);
}

Adesk::Boolean AcGeCurve3d::isOn(const AcGePoint3d& pnt, const AcGeTol& tol) const
{
    double param = 0.0;
    return isOn(pnt, param, tol);
}

Adesk::Boolean AcGeSurface::isOn(const AcGePoint3d& pnt, const AcGeTol& tol) const
{
    AcGePoint2d param;
    return isOn(pnt, param, tol);
}

double AcGeSurface::distanceTo(const AcGePoint3d& pnt, const AcGeTol& tol) const
{
    return closestPointTo(pnt, tol).distanceTo(pnt);
}
