#include "gemat2d.h"

#include <cmath>
#include <utility>

constinit const AcGeMatrix2d AcGeMatrix2d::kIdentity;

namespace {

bool isAffine(const AcGeMatrix2d& m) { return m.entry[2][0] == 0.0 && m.entry[2][1] == 0.0 && m.entry[2][2] == 1.0; }

AcGeVector2d column(const AcGeMatrix2d& m, int c) { return AcGeVector2d(m.entry[0][c], m.entry[1][c]); }

}  // namespace

AcGeMatrix2d& AcGeMatrix2d::setToIdentity() { return *this = AcGeMatrix2d(); }

AcGeMatrix2d AcGeMatrix2d::operator*(const AcGeMatrix2d& mat) const
{
    AcGeMatrix2d r;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            double s = 0.0;
            for (int k = 0; k < 3; ++k) s += entry[i][k] * mat.entry[k][j];
            r.entry[i][j] = s;
        }
    return r;
}

AcGeMatrix2d& AcGeMatrix2d::operator*=(const AcGeMatrix2d& mat) { return *this = *this * mat; }

AcGeMatrix2d& AcGeMatrix2d::preMultBy(const AcGeMatrix2d& leftSide) { return *this = leftSide * *this; }

AcGeMatrix2d& AcGeMatrix2d::postMultBy(const AcGeMatrix2d& rightSide) { return *this = *this * rightSide; }

AcGeMatrix2d& AcGeMatrix2d::setToProduct(const AcGeMatrix2d& mat1, const AcGeMatrix2d& mat2)
{
    return *this = mat1 * mat2;
}

double AcGeMatrix2d::det() const
{
    const auto& e = entry;
    return e[0][0] * (e[1][1] * e[2][2] - e[1][2] * e[2][1]) - e[0][1] * (e[1][0] * e[2][2] - e[1][2] * e[2][0]) +
           e[0][2] * (e[1][0] * e[2][1] - e[1][1] * e[2][0]);
}

Adesk::Boolean AcGeMatrix2d::isSingular(const AcGeTol& tol) const
{
    // Relative to the column lengths, so that a uniformly small scale is not singular.
    double bound = 1.0;
    double d = 0.0;
    if (isAffine(*this)) {
        bound = column(*this, 0).length() * column(*this, 1).length();
        d = entry[0][0] * entry[1][1] - entry[0][1] * entry[1][0];
    } else {
        for (int c = 0; c < 3; ++c)
            bound *= std::sqrt(entry[0][c] * entry[0][c] + entry[1][c] * entry[1][c] + entry[2][c] * entry[2][c]);
        d = det();
    }
    return !(std::fabs(d) > tol.equalVector() * bound);
}

AcGeMatrix2d AcGeMatrix2d::inverse() const
{
    if (isSingular()) return *this;
    // Adjugate over the determinant.
    const auto& e = entry;
    const double d = det();
    AcGeMatrix2d r;
    r.entry[0][0] = (e[1][1] * e[2][2] - e[1][2] * e[2][1]) / d;
    r.entry[0][1] = (e[0][2] * e[2][1] - e[0][1] * e[2][2]) / d;
    r.entry[0][2] = (e[0][1] * e[1][2] - e[0][2] * e[1][1]) / d;
    r.entry[1][0] = (e[1][2] * e[2][0] - e[1][0] * e[2][2]) / d;
    r.entry[1][1] = (e[0][0] * e[2][2] - e[0][2] * e[2][0]) / d;
    r.entry[1][2] = (e[0][2] * e[1][0] - e[0][0] * e[1][2]) / d;
    r.entry[2][0] = (e[1][0] * e[2][1] - e[1][1] * e[2][0]) / d;
    r.entry[2][1] = (e[0][1] * e[2][0] - e[0][0] * e[2][1]) / d;
    r.entry[2][2] = (e[0][0] * e[1][1] - e[0][1] * e[1][0]) / d;
    return r;
}

AcGeMatrix2d& AcGeMatrix2d::invert() { return *this = inverse(); }

AcGeMatrix2d& AcGeMatrix2d::transposeIt()
{
    for (int i = 0; i < 3; ++i)
        for (int j = i + 1; j < 3; ++j) std::swap(entry[i][j], entry[j][i]);
    return *this;
}

AcGeMatrix2d AcGeMatrix2d::transpose() const
{
    AcGeMatrix2d r = *this;
    return r.transposeIt();
}

bool AcGeMatrix2d::isEqualTo(const AcGeMatrix2d& mat, const AcGeTol& tol) const
{
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            const double limit = (j == 2 && i < 2) ? tol.equalPoint() : tol.equalVector();
            if (!(std::fabs(entry[i][j] - mat.entry[i][j]) <= limit)) return false;
        }
    return true;
}

Adesk::Boolean AcGeMatrix2d::isScaledOrtho(const AcGeTol& tol) const
{
    if (!isAffine(*this)) return false;
    const AcGeVector2d c0 = column(*this, 0);
    const AcGeVector2d c1 = column(*this, 1);
    return !c0.isZeroLength(tol) && !c1.isZeroLength(tol) && c0.isPerpendicularTo(c1, tol);
}

Adesk::Boolean AcGeMatrix2d::isUniScaledOrtho(const AcGeTol& tol) const
{
    if (!isScaledOrtho(tol)) return false;
    const double l0 = column(*this, 0).length();
    return std::fabs(column(*this, 1).length() - l0) <= tol.equalVector() * l0;
}

double AcGeMatrix2d::scale() const { return std::fmax(column(*this, 0).length(), column(*this, 1).length()); }

AcGeMatrix2d& AcGeMatrix2d::setTranslation(const AcGeVector2d& vec)
{
    entry[0][2] = vec.x;
    entry[1][2] = vec.y;
    return *this;
}

AcGeVector2d AcGeMatrix2d::translation() const { return AcGeVector2d(entry[0][2], entry[1][2]); }

AcGeMatrix2d& AcGeMatrix2d::setCoordSystem(const AcGePoint2d& origin, const AcGeVector2d& e0, const AcGeVector2d& e1)
{
    setToIdentity();
    entry[0][0] = e0.x;
    entry[1][0] = e0.y;
    entry[0][1] = e1.x;
    entry[1][1] = e1.y;
    return setTranslation(origin.asVector());
}

void AcGeMatrix2d::getCoordSystem(AcGePoint2d& origin, AcGeVector2d& e0, AcGeVector2d& e1) const
{
    origin.set(entry[0][2], entry[1][2]);
    e0 = column(*this, 0);
    e1 = column(*this, 1);
}

AcGeMatrix2d& AcGeMatrix2d::setToTranslation(const AcGeVector2d& vec)
{
    setToIdentity();
    return setTranslation(vec);
}

AcGeMatrix2d& AcGeMatrix2d::setToRotation(double angle, const AcGePoint2d& center)
{
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    setToIdentity();
    entry[0][0] = c;
    entry[0][1] = -s;
    entry[1][0] = s;
    entry[1][1] = c;
    // Fixed point: center.
    return setTranslation(center.asVector() - AcGeVector2d(c * center.x - s * center.y, s * center.x + c * center.y));
}

AcGeMatrix2d& AcGeMatrix2d::setToScaling(double scaleAll, const AcGePoint2d& center)
{
    setToIdentity();
    entry[0][0] = scaleAll;
    entry[1][1] = scaleAll;
    return setTranslation(center.asVector() * (1.0 - scaleAll));
}

AcGeMatrix2d& AcGeMatrix2d::setToMirroring(const AcGePoint2d& pnt) { return setToScaling(-1.0, pnt); }

AcGeMatrix2d& AcGeMatrix2d::setToAlignCoordSys(const AcGePoint2d& fromOrigin, const AcGeVector2d& fromE0,
                                               const AcGeVector2d& fromE1, const AcGePoint2d& toOrigin,
                                               const AcGeVector2d& toE0, const AcGeVector2d& toE1)
{
    AcGeMatrix2d from, to;
    from.setCoordSystem(fromOrigin, fromE0, fromE1);
    to.setCoordSystem(toOrigin, toE0, toE1);
    return *this = to * from.inverse();
}

AcGeMatrix2d AcGeMatrix2d::translation(const AcGeVector2d& vec) { return AcGeMatrix2d().setToTranslation(vec); }

AcGeMatrix2d AcGeMatrix2d::rotation(double angle, const AcGePoint2d& center)
{
    return AcGeMatrix2d().setToRotation(angle, center);
}

AcGeMatrix2d AcGeMatrix2d::scaling(double scaleAll, const AcGePoint2d& center)
{
    return AcGeMatrix2d().setToScaling(scaleAll, center);
}

AcGeMatrix2d AcGeMatrix2d::mirroring(const AcGePoint2d& pnt) { return AcGeMatrix2d().setToMirroring(pnt); }

AcGeMatrix2d AcGeMatrix2d::alignCoordSys(const AcGePoint2d& fromOrigin, const AcGeVector2d& fromE0,
                                         const AcGeVector2d& fromE1, const AcGePoint2d& toOrigin,
                                         const AcGeVector2d& toE0, const AcGeVector2d& toE1)
{
    return AcGeMatrix2d().setToAlignCoordSys(fromOrigin, fromE0, fromE1, toOrigin, toE0, toE1);
}
