#include "gepnt3d.h"

#include "gemat3d.h"
#include "gepnt2d.h"
#include "geplane.h"

constinit const AcGePoint3d AcGePoint3d::kOrigin(0.0, 0.0, 0.0);

AcGePoint3d::AcGePoint3d(const AcGePlanarEnt& pln, const AcGePoint2d& pnt2d) : AcGePoint3d() { set(pln, pnt2d); }

AcGePoint3d operator*(const AcGeMatrix3d& m, const AcGePoint3d& p)
{
    const auto& e = m.entry;
    const double x = e[0][0] * p.x + e[0][1] * p.y + e[0][2] * p.z + e[0][3];
    const double y = e[1][0] * p.x + e[1][1] * p.y + e[1][2] * p.z + e[1][3];
    const double z = e[2][0] * p.x + e[2][1] * p.y + e[2][2] * p.z + e[2][3];
    const double w = e[3][0] * p.x + e[3][1] * p.y + e[3][2] * p.z + e[3][3];
    return w == 1.0 ? AcGePoint3d(x, y, z) : AcGePoint3d(x / w, y / w, z / w);
}

AcGePoint3d& AcGePoint3d::setToProduct(const AcGeMatrix3d& mat, const AcGePoint3d& pnt) { return *this = mat * pnt; }

AcGePoint3d& AcGePoint3d::transformBy(const AcGeMatrix3d& leftSide) { return *this = leftSide * *this; }

AcGePoint3d& AcGePoint3d::rotateBy(double angle, const AcGeVector3d& vec, const AcGePoint3d& wrtPoint)
{
    return *this = wrtPoint + (*this - wrtPoint).rotateBy(angle, vec);
}

AcGePoint3d& AcGePoint3d::mirror(const AcGePlane& pln)
{
    return *this -= pln.normal() * (2.0 * pln.signedDistanceTo(*this));
}

AcGePoint3d& AcGePoint3d::scaleBy(double scaleFactor, const AcGePoint3d& wrtPoint)
{
    return *this = wrtPoint + (*this - wrtPoint) * scaleFactor;
}

AcGePoint2d AcGePoint3d::convert2d(const AcGePlanarEnt& pln) const { return pln.paramOf(*this); }

AcGePoint3d& AcGePoint3d::set(const AcGePlanarEnt& pln, const AcGePoint2d& pnt) { return *this = pln.evalPoint(pnt); }

AcGePoint3d AcGePoint3d::project(const AcGePlane& pln, const AcGeVector3d& vec) const
{
    const AcGeVector3d n = pln.normal();
    if (vec.isZeroLength() || vec.isPerpendicularTo(n)) return *this;
    return *this - vec * (pln.signedDistanceTo(*this) / vec.dotProduct(n));
}

AcGePoint3d AcGePoint3d::orthoProject(const AcGePlane& pln) const
{
    return *this - pln.normal() * pln.signedDistanceTo(*this);
}

bool AcGePoint3d::isEqualTo(const AcGePoint3d& pnt, const AcGeTol& tol) const
{
    return distanceTo(pnt) <= tol.equalPoint();
}
