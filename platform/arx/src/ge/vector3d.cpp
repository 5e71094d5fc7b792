#include "gevec3d.h"

#include <cmath>
#include <numbers>

#include "gemat3d.h"
#include "geplanar.h"
#include "gevec2d.h"
#include "ge/angles.h"

constinit const AcGeVector3d AcGeVector3d::kIdentity(0.0, 0.0, 0.0);
constinit const AcGeVector3d AcGeVector3d::kXAxis(1.0, 0.0, 0.0);
constinit const AcGeVector3d AcGeVector3d::kYAxis(0.0, 1.0, 0.0);
constinit const AcGeVector3d AcGeVector3d::kZAxis(0.0, 0.0, 1.0);

namespace {

// Coordinates of vec in the (not necessarily orthogonal) basis u, v of a plane, for the
// vector's orthogonal projection onto the plane: the Gram system of the two axes.
AcGeVector2d planeCoordinates(const AcGeVector3d& vec, const AcGeVector3d& u, const AcGeVector3d& v)
{
    const double uu = u.dotProduct(u);
    const double uv = u.dotProduct(v);
    const double vv = v.dotProduct(v);
    const double xu = vec.dotProduct(u);
    const double xv = vec.dotProduct(v);
    const double d = uu * vv - uv * uv;
    return AcGeVector2d((xu * vv - xv * uv) / d, (xv * uu - xu * uv) / d);
}

}  // namespace

AcGeVector3d::AcGeVector3d(const AcGePlanarEnt& pln, const AcGeVector2d& vec) : AcGeVector3d() { set(pln, vec); }

AcGeVector3d operator*(const AcGeMatrix3d& m, const AcGeVector3d& v)
{
    const auto& e = m.entry;
    return AcGeVector3d(e[0][0] * v.x + e[0][1] * v.y + e[0][2] * v.z, e[1][0] * v.x + e[1][1] * v.y + e[1][2] * v.z,
                        e[2][0] * v.x + e[2][1] * v.y + e[2][2] * v.z);
}

AcGeVector3d& AcGeVector3d::setToProduct(const AcGeMatrix3d& mat, const AcGeVector3d& vec) { return *this = mat * vec; }

AcGeVector3d& AcGeVector3d::transformBy(const AcGeMatrix3d& leftSide) { return *this = leftSide * *this; }

AcGeVector3d& AcGeVector3d::rotateBy(double ang, const AcGeVector3d& axis)
{
    const double len = axis.length();
    if (len == 0.0) return *this;
    // Rodrigues' formula.
    const AcGeVector3d k = axis / len;
    const double c = std::cos(ang);
    const double s = std::sin(ang);
    return *this = *this * c + k.crossProduct(*this) * s + k * (k.dotProduct(*this) * (1.0 - c));
}

AcGeVector3d& AcGeVector3d::mirror(const AcGeVector3d& normalToPlane)
{
    const double len2 = normalToPlane.lengthSqrd();
    if (len2 == 0.0) return *this;
    return *this -= normalToPlane * (2.0 * dotProduct(normalToPlane) / len2);
}

AcGeVector2d AcGeVector3d::convert2d(const AcGePlanarEnt& pln) const
{
    AcGePoint3d origin;
    AcGeVector3d u, v;
    pln.get(origin, u, v);
    return planeCoordinates(*this, u, v);
}

AcGeVector3d& AcGeVector3d::set(const AcGePlanarEnt& pln, const AcGeVector2d& vec)
{
    AcGePoint3d origin;
    AcGeVector3d u, v;
    pln.get(origin, u, v);
    return *this = u * vec.x + v * vec.y;
}

AcGeVector3d AcGeVector3d::perpVector() const
{
    AcGeVector3d result;
    AcGeContext::gOrthoVector(*this, result);
    return result;
}

double AcGeVector3d::angleTo(const AcGeVector3d& vec) const
{
    return std::atan2(crossProduct(vec).length(), dotProduct(vec));
}

double AcGeVector3d::angleTo(const AcGeVector3d& vec, const AcGeVector3d& refVec) const
{
    const double a = angleTo(vec);
    if (refVec.dotProduct(crossProduct(vec)) >= 0.0) return a;
    return arx::ge::normalizeAngle(arx::ge::kTwoPi - a);
}

double AcGeVector3d::angleOnPlane(const AcGePlanarEnt& pln) const
{
    AcGePoint3d origin;
    AcGeVector3d axis1, axis2;
    pln.getCoordSystem(origin, axis1, axis2);
    // The components along the two in-plane axes are those of the orthogonal projection.
    return arx::ge::normalizeAngle(std::atan2(dotProduct(axis2), dotProduct(axis1)));
}

AcGeVector3d AcGeVector3d::normal(const AcGeTol& tol) const { return isZeroLength(tol) ? *this : *this / length(); }

AcGeVector3d& AcGeVector3d::normalize(const AcGeTol& tol) { return *this = normal(tol); }

AcGeVector3d& AcGeVector3d::normalize(const AcGeTol& tol, AcGeError& flag)
{
    flag = isZeroLength(tol) ? AcGe::k0This : AcGe::kOk;
    return normalize(tol);
}

double AcGeVector3d::length() const { return std::sqrt(lengthSqrd()); }

Adesk::Boolean AcGeVector3d::isUnitLength(const AcGeTol& tol) const
{
    return std::fabs(length() - 1.0) <= tol.equalVector();
}

Adesk::Boolean AcGeVector3d::isZeroLength(const AcGeTol& tol) const { return length() <= tol.equalVector(); }

Adesk::Boolean AcGeVector3d::isParallelTo(const AcGeVector3d& vec, const AcGeTol& tol) const
{
    AcGeError flag;
    return isParallelTo(vec, tol, flag);
}

Adesk::Boolean AcGeVector3d::isParallelTo(const AcGeVector3d& vec, const AcGeTol& tol, AcGeError& flag) const
{
    flag = isZeroLength(tol) ? AcGe::k0This : (vec.isZeroLength(tol) ? AcGe::k0Arg1 : AcGe::kOk);
    if (flag != AcGe::kOk) return false;
    const AcGeVector3d a = *this / length();
    const AcGeVector3d b = vec / vec.length();
    return (a - b).length() <= tol.equalVector() || (a + b).length() <= tol.equalVector();
}

Adesk::Boolean AcGeVector3d::isCodirectionalTo(const AcGeVector3d& vec, const AcGeTol& tol) const
{
    AcGeError flag;
    return isCodirectionalTo(vec, tol, flag);
}

Adesk::Boolean AcGeVector3d::isCodirectionalTo(const AcGeVector3d& vec, const AcGeTol& tol, AcGeError& flag) const
{
    flag = isZeroLength(tol) ? AcGe::k0This : (vec.isZeroLength(tol) ? AcGe::k0Arg1 : AcGe::kOk);
    if (flag != AcGe::kOk) return false;
    return (*this / length() - vec / vec.length()).length() <= tol.equalVector();
}

Adesk::Boolean AcGeVector3d::isPerpendicularTo(const AcGeVector3d& vec, const AcGeTol& tol) const
{
    AcGeError flag;
    return isPerpendicularTo(vec, tol, flag);
}

Adesk::Boolean AcGeVector3d::isPerpendicularTo(const AcGeVector3d& vec, const AcGeTol& tol, AcGeError& flag) const
{
    flag = isZeroLength(tol) ? AcGe::k0This : (vec.isZeroLength(tol) ? AcGe::k0Arg1 : AcGe::kOk);
    if (flag != AcGe::kOk) return false;
    return std::fabs(dotProduct(vec)) / (length() * vec.length()) <= tol.equalVector();
}

AcGeMatrix3d AcGeVector3d::rotateTo(const AcGeVector3d& vec, const AcGeVector3d& axis) const
{
    if (!axis.isZeroLength()) {
        const AcGeVector3d from = orthoProject(axis);
        const AcGeVector3d to = vec.orthoProject(axis);
        return AcGeMatrix3d::rotation(from.angleTo(to, axis), axis);
    }
    AcGeVector3d turn = crossProduct(vec);
    if (turn.isZeroLength()) {
        // Parallel: nothing to do when codirectional, a half turn about any perpendicular else.
        if (dotProduct(vec) >= 0.0) return AcGeMatrix3d::kIdentity;
        return AcGeMatrix3d::rotation(std::numbers::pi, perpVector());
    }
    return AcGeMatrix3d::rotation(angleTo(vec), turn);
}

AcGeVector3d AcGeVector3d::project(const AcGeVector3d& planeNormal, const AcGeVector3d& projectDirection) const
{
    AcGeError flag;
    return project(planeNormal, projectDirection, AcGeContext::gTol, flag);
}

AcGeVector3d AcGeVector3d::project(const AcGeVector3d& planeNormal, const AcGeVector3d& projectDirection,
                                   const AcGeTol& tol, AcGeError& flag) const
{
    if (planeNormal.isZeroLength(tol)) flag = AcGe::k0Arg1;
    else if (projectDirection.isZeroLength(tol)) flag = AcGe::k0Arg2;
    else if (projectDirection.isPerpendicularTo(planeNormal, tol)) flag = AcGe::kPerpendicularArg1Arg2;
    else flag = AcGe::kOk;
    if (flag != AcGe::kOk) return *this;
    return *this - projectDirection * (dotProduct(planeNormal) / projectDirection.dotProduct(planeNormal));
}

AcGeVector3d AcGeVector3d::orthoProject(const AcGeVector3d& planeNormal) const
{
    AcGeError flag;
    return orthoProject(planeNormal, AcGeContext::gTol, flag);
}

AcGeVector3d AcGeVector3d::orthoProject(const AcGeVector3d& planeNormal, const AcGeTol& tol, AcGeError& flag) const
{
    flag = planeNormal.isZeroLength(tol) ? AcGe::k0Arg1 : AcGe::kOk;
    if (flag != AcGe::kOk) return *this;
    const AcGeVector3d n = planeNormal / planeNormal.length();
    return *this - n * dotProduct(n);
}

bool AcGeVector3d::isEqualTo(const AcGeVector3d& vec, const AcGeTol& tol) const
{
    return (*this - vec).length() <= tol.equalVector();
}

unsigned int AcGeVector3d::largestElement() const
{
    const double ax = std::fabs(x), ay = std::fabs(y), az = std::fabs(z);
    if (ax >= ay && ax >= az) return 0;
    return ay >= az ? 1 : 2;
}

AcGeVector3d::operator AcGeMatrix3d() const { return AcGeMatrix3d::translation(*this); }
