#include "gevec2d.h"

#include <cmath>

#include "gemat2d.h"
#include "ge/angles.h"

constinit const AcGeVector2d AcGeVector2d::kIdentity(0.0, 0.0);
constinit const AcGeVector2d AcGeVector2d::kXAxis(1.0, 0.0);
constinit const AcGeVector2d AcGeVector2d::kYAxis(0.0, 1.0);

AcGeVector2d operator*(const AcGeMatrix2d& m, const AcGeVector2d& v)
{
    return AcGeVector2d(m.entry[0][0] * v.x + m.entry[0][1] * v.y, m.entry[1][0] * v.x + m.entry[1][1] * v.y);
}

AcGeVector2d& AcGeVector2d::setToProduct(const AcGeMatrix2d& mat, const AcGeVector2d& vec) { return *this = mat * vec; }

AcGeVector2d& AcGeVector2d::transformBy(const AcGeMatrix2d& leftSide) { return *this = leftSide * *this; }

AcGeVector2d& AcGeVector2d::rotateBy(double angle)
{
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    return set(c * x - s * y, s * x + c * y);
}

AcGeVector2d& AcGeVector2d::mirror(const AcGeVector2d& line)
{
    const double len2 = line.lengthSqrd();
    if (len2 == 0.0) return *this;
    // Reflection in the line: twice the projection onto it, minus the vector.
    const AcGeVector2d along = line * (dotProduct(line) / len2);
    return *this = along * 2.0 - *this;
}

double AcGeVector2d::angle() const { return arx::ge::normalizeAngle(std::atan2(y, x)); }

double AcGeVector2d::angleTo(const AcGeVector2d& vec) const
{
    const double cross = x * vec.y - y * vec.x;
    return std::atan2(std::fabs(cross), dotProduct(vec));
}

AcGeVector2d AcGeVector2d::normal(const AcGeTol& tol) const { return isZeroLength(tol) ? *this : *this / length(); }

AcGeVector2d& AcGeVector2d::normalize(const AcGeTol& tol) { return *this = normal(tol); }

AcGeVector2d& AcGeVector2d::normalize(const AcGeTol& tol, AcGeError& flag)
{
    flag = isZeroLength(tol) ? AcGe::k0This : AcGe::kOk;
    return normalize(tol);
}

double AcGeVector2d::length() const { return std::sqrt(lengthSqrd()); }

Adesk::Boolean AcGeVector2d::isUnitLength(const AcGeTol& tol) const
{
    return std::fabs(length() - 1.0) <= tol.equalVector();
}

Adesk::Boolean AcGeVector2d::isZeroLength(const AcGeTol& tol) const { return length() <= tol.equalVector(); }

Adesk::Boolean AcGeVector2d::isParallelTo(const AcGeVector2d& vec, const AcGeTol& tol) const
{
    if (isZeroLength(tol) || vec.isZeroLength(tol)) return false;
    const AcGeVector2d a = *this / length();
    const AcGeVector2d b = vec / vec.length();
    return (a - b).length() <= tol.equalVector() || (a + b).length() <= tol.equalVector();
}

Adesk::Boolean AcGeVector2d::isCodirectionalTo(const AcGeVector2d& vec, const AcGeTol& tol) const
{
    if (isZeroLength(tol) || vec.isZeroLength(tol)) return false;
    return (*this / length() - vec / vec.length()).length() <= tol.equalVector();
}

Adesk::Boolean AcGeVector2d::isPerpendicularTo(const AcGeVector2d& vec, const AcGeTol& tol) const
{
    if (isZeroLength(tol) || vec.isZeroLength(tol)) return false;
    return std::fabs(dotProduct(vec)) / (length() * vec.length()) <= tol.equalVector();
}

bool AcGeVector2d::isEqualTo(const AcGeVector2d& vec, const AcGeTol& tol) const
{
    return (*this - vec).length() <= tol.equalVector();
}

AcGeVector2d::operator AcGeMatrix2d() const { return AcGeMatrix2d::translation(*this); }
