#include "gemat3d.h"

#include <cmath>
#include <utility>

#include "geline3d.h"
#include "geplane.h"
#include "ge/arbitrary_axis.h"

constinit const AcGeMatrix3d AcGeMatrix3d::kIdentity;

namespace {

bool isAffine(const AcGeMatrix3d& m)
{
    return m.entry[3][0] == 0.0 && m.entry[3][1] == 0.0 && m.entry[3][2] == 0.0 && m.entry[3][3] == 1.0;
}

AcGeVector3d column(const AcGeMatrix3d& m, int c) { return AcGeVector3d(m.entry[0][c], m.entry[1][c], m.entry[2][c]); }

double det3(const AcGeMatrix3d& m) { return column(m, 0).dotProduct(column(m, 1).crossProduct(column(m, 2))); }

// Gauss-Jordan elimination with partial pivoting; false when a pivot vanishes.
bool invertGeneral(const AcGeMatrix3d& m, AcGeMatrix3d& inv)
{
    double a[4][8];
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) {
            a[i][j] = m.entry[i][j];
            a[i][j + 4] = i == j ? 1.0 : 0.0;
        }
    for (int c = 0; c < 4; ++c) {
        int pivot = c;
        for (int r = c + 1; r < 4; ++r)
            if (std::fabs(a[r][c]) > std::fabs(a[pivot][c])) pivot = r;
        if (a[pivot][c] == 0.0) return false;
        if (pivot != c)
            for (int j = 0; j < 8; ++j) std::swap(a[c][j], a[pivot][j]);
        const double p = a[c][c];
        for (int j = 0; j < 8; ++j) a[c][j] /= p;
        for (int r = 0; r < 4; ++r) {
            if (r == c || a[r][c] == 0.0) continue;
            const double f = a[r][c];
            for (int j = 0; j < 8; ++j) a[r][j] -= f * a[c][j];
        }
    }
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) inv.entry[i][j] = a[i][j + 4];
    return true;
}

// Affine inverse: the inverse linear part and the translation it implies.
AcGeMatrix3d invertAffine(const AcGeMatrix3d& m)
{
    const AcGeVector3d c0 = column(m, 0), c1 = column(m, 1), c2 = column(m, 2);
    const double d = c0.dotProduct(c1.crossProduct(c2));
    // The rows of the inverse are the cross products of the columns over the determinant.
    const AcGeVector3d r0 = c1.crossProduct(c2) / d;
    const AcGeVector3d r1 = c2.crossProduct(c0) / d;
    const AcGeVector3d r2 = c0.crossProduct(c1) / d;
    const AcGeVector3d t = column(m, 3);
    AcGeMatrix3d inv;
    const AcGeVector3d rows[3] = {r0, r1, r2};
    for (int i = 0; i < 3; ++i) {
        inv.entry[i][0] = rows[i].x;
        inv.entry[i][1] = rows[i].y;
        inv.entry[i][2] = rows[i].z;
        inv.entry[i][3] = -rows[i].dotProduct(t);
    }
    return inv;
}

bool singular(const AcGeMatrix3d& m, double tol)
{
    if (isAffine(m)) {
        const double bound = column(m, 0).length() * column(m, 1).length() * column(m, 2).length();
        return !(std::fabs(det3(m)) > tol * bound);
    }
    double bound = 1.0;
    for (int c = 0; c < 4; ++c) {
        double s = 0.0;
        for (int r = 0; r < 4; ++r) s += m.entry[r][c] * m.entry[r][c];
        bound *= std::sqrt(s);
    }
    return !(std::fabs(m.det()) > tol * bound);
}

}  // namespace

AcGeMatrix3d& AcGeMatrix3d::setToIdentity() { return *this = AcGeMatrix3d(); }

AcGeMatrix3d AcGeMatrix3d::operator*(const AcGeMatrix3d& mat) const
{
    AcGeMatrix3d r;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) {
            double s = 0.0;
            for (int k = 0; k < 4; ++k) s += entry[i][k] * mat.entry[k][j];
            r.entry[i][j] = s;
        }
    return r;
}

AcGeMatrix3d& AcGeMatrix3d::operator*=(const AcGeMatrix3d& mat) { return *this = *this * mat; }

AcGeMatrix3d& AcGeMatrix3d::preMultBy(const AcGeMatrix3d& leftSide) { return *this = leftSide * *this; }

AcGeMatrix3d& AcGeMatrix3d::postMultBy(const AcGeMatrix3d& rightSide) { return *this = *this * rightSide; }

AcGeMatrix3d& AcGeMatrix3d::setToProduct(const AcGeMatrix3d& mat1, const AcGeMatrix3d& mat2)
{
    return *this = mat1 * mat2;
}

Adesk::Boolean AcGeMatrix3d::inverse(AcGeMatrix3d& inv, double tol) const
{
    if (singular(*this, tol)) return false;
    if (isAffine(*this)) {
        inv = invertAffine(*this);
        return true;
    }
    return invertGeneral(*this, inv);
}

AcGeMatrix3d AcGeMatrix3d::inverse(const AcGeTol& tol) const
{
    AcGeMatrix3d inv;
    return inverse(inv, tol.equalVector()) ? inv : *this;
}

AcGeMatrix3d AcGeMatrix3d::inverse() const { return inverse(AcGeContext::gTol); }

AcGeMatrix3d& AcGeMatrix3d::invert() { return *this = inverse(); }

Adesk::Boolean AcGeMatrix3d::isSingular(const AcGeTol& tol) const { return singular(*this, tol.equalVector()); }

AcGeMatrix3d& AcGeMatrix3d::transposeIt()
{
    for (int i = 0; i < 4; ++i)
        for (int j = i + 1; j < 4; ++j) std::swap(entry[i][j], entry[j][i]);
    return *this;
}

AcGeMatrix3d AcGeMatrix3d::transpose() const
{
    AcGeMatrix3d r = *this;
    return r.transposeIt();
}

bool AcGeMatrix3d::isEqualTo(const AcGeMatrix3d& mat, const AcGeTol& tol) const
{
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) {
            const double limit = (j == 3 && i < 3) ? tol.equalPoint() : tol.equalVector();
            if (!(std::fabs(entry[i][j] - mat.entry[i][j]) <= limit)) return false;
        }
    return true;
}

Adesk::Boolean AcGeMatrix3d::isScaledOrtho(const AcGeTol& tol) const
{
    if (!isAffine(*this)) return false;
    const AcGeVector3d c0 = column(*this, 0), c1 = column(*this, 1), c2 = column(*this, 2);
    if (c0.isZeroLength(tol) || c1.isZeroLength(tol) || c2.isZeroLength(tol)) return false;
    return c0.isPerpendicularTo(c1, tol) && c1.isPerpendicularTo(c2, tol) && c0.isPerpendicularTo(c2, tol);
}

Adesk::Boolean AcGeMatrix3d::isUniScaledOrtho(const AcGeTol& tol) const
{
    if (!isScaledOrtho(tol)) return false;
    const double l0 = column(*this, 0).length();
    const double slack = tol.equalVector() * l0;
    return std::fabs(column(*this, 1).length() - l0) <= slack && std::fabs(column(*this, 2).length() - l0) <= slack;
}

double AcGeMatrix3d::det() const
{
    // Laplace expansion along the last row, which is (0, 0, 0, 1) for affine matrices.
    double d = 0.0;
    for (int c = 0; c < 4; ++c) {
        if (entry[3][c] == 0.0) continue;
        double minor[3][3];
        for (int r = 0; r < 3; ++r)
            for (int k = 0, mc = 0; k < 4; ++k)
                if (k != c) minor[r][mc++] = entry[r][k];
        const double m3 = minor[0][0] * (minor[1][1] * minor[2][2] - minor[1][2] * minor[2][1]) -
                          minor[0][1] * (minor[1][0] * minor[2][2] - minor[1][2] * minor[2][0]) +
                          minor[0][2] * (minor[1][0] * minor[2][1] - minor[1][1] * minor[2][0]);
        const double sign = ((3 + c) % 2 == 0) ? 1.0 : -1.0;
        d += sign * entry[3][c] * m3;
    }
    return d;
}

AcGeMatrix3d& AcGeMatrix3d::setTranslation(const AcGeVector3d& vec)
{
    entry[0][3] = vec.x;
    entry[1][3] = vec.y;
    entry[2][3] = vec.z;
    return *this;
}

AcGeVector3d AcGeMatrix3d::translation() const { return column(*this, 3); }

AcGeMatrix3d& AcGeMatrix3d::setCoordSystem(const AcGePoint3d& origin, const AcGeVector3d& xAxis,
                                           const AcGeVector3d& yAxis, const AcGeVector3d& zAxis)
{
    setToIdentity();
    const AcGeVector3d axes[3] = {xAxis, yAxis, zAxis};
    for (int c = 0; c < 3; ++c) {
        entry[0][c] = axes[c].x;
        entry[1][c] = axes[c].y;
        entry[2][c] = axes[c].z;
    }
    return setTranslation(origin.asVector());
}

void AcGeMatrix3d::getCoordSystem(AcGePoint3d& origin, AcGeVector3d& xAxis, AcGeVector3d& yAxis,
                                  AcGeVector3d& zAxis) const
{
    xAxis = column(*this, 0);
    yAxis = column(*this, 1);
    zAxis = column(*this, 2);
    const AcGeVector3d t = column(*this, 3);
    origin.set(t.x, t.y, t.z);
}

AcGeMatrix3d& AcGeMatrix3d::setToTranslation(const AcGeVector3d& vec)
{
    setToIdentity();
    return setTranslation(vec);
}

AcGeMatrix3d& AcGeMatrix3d::setToRotation(double angle, const AcGeVector3d& axis, const AcGePoint3d& center)
{
    setToIdentity();
    if (axis.length() == 0.0) return *this;
    // The images of the world axes under the rotation are the columns.
    const AcGeVector3d x = AcGeVector3d(AcGeVector3d::kXAxis).rotateBy(angle, axis);
    const AcGeVector3d y = AcGeVector3d(AcGeVector3d::kYAxis).rotateBy(angle, axis);
    const AcGeVector3d z = AcGeVector3d(AcGeVector3d::kZAxis).rotateBy(angle, axis);
    const AcGeVector3d c = center.asVector();
    const AcGePoint3d origin = center - (x * c.x + y * c.y + z * c.z);
    return setCoordSystem(origin, x, y, z);
}

AcGeMatrix3d& AcGeMatrix3d::setToScaling(double scaleAll, const AcGePoint3d& center)
{
    setToIdentity();
    entry[0][0] = entry[1][1] = entry[2][2] = scaleAll;
    return setTranslation(center.asVector() * (1.0 - scaleAll));
}

AcGeMatrix3d& AcGeMatrix3d::setToMirroring(const AcGePlane& pln)
{
    // x' = x - 2 ((x - o) . n) n
    const AcGeVector3d n = pln.normal();
    const AcGeVector3d x = AcGeVector3d(AcGeVector3d::kXAxis).mirror(n);
    const AcGeVector3d y = AcGeVector3d(AcGeVector3d::kYAxis).mirror(n);
    const AcGeVector3d z = AcGeVector3d(AcGeVector3d::kZAxis).mirror(n);
    const double h = pln.pointOnPlane().asVector().dotProduct(n);
    return setCoordSystem(AcGePoint3d::kOrigin + n * (2.0 * h), x, y, z);
}

AcGeMatrix3d& AcGeMatrix3d::setToMirroring(const AcGePoint3d& pnt) { return setToScaling(-1.0, pnt); }

AcGeMatrix3d& AcGeMatrix3d::setToMirroring(const AcGeLine3d& line)
{
    // A half turn about the line.
    return setToRotation(std::acos(-1.0), line.direction(), line.pointOnLine());
}

AcGeMatrix3d& AcGeMatrix3d::setToProjection(const AcGePlane& projectionPlane, const AcGeVector3d& projectDir)
{
    setToIdentity();
    const AcGeVector3d n = projectionPlane.normal();
    if (projectDir.isZeroLength() || projectDir.isPerpendicularTo(n)) return *this;
    // x' = x - ((x - o) . n / (d . n)) d
    const AcGeVector3d d = projectDir / projectDir.dotProduct(n);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) entry[i][j] -= d[i] * n[j];
    return setTranslation(d * projectionPlane.pointOnPlane().asVector().dotProduct(n));
}

AcGeMatrix3d& AcGeMatrix3d::setToAlignCoordSys(const AcGePoint3d& fromOrigin, const AcGeVector3d& fromXAxis,
                                               const AcGeVector3d& fromYAxis, const AcGeVector3d& fromZAxis,
                                               const AcGePoint3d& toOrigin, const AcGeVector3d& toXAxis,
                                               const AcGeVector3d& toYAxis, const AcGeVector3d& toZAxis)
{
    AcGeMatrix3d from, to;
    from.setCoordSystem(fromOrigin, fromXAxis, fromYAxis, fromZAxis);
    to.setCoordSystem(toOrigin, toXAxis, toYAxis, toZAxis);
    return *this = to * from.inverse();
}

AcGeMatrix3d& AcGeMatrix3d::setToPlaneToWorld(const AcGeVector3d& normal)
{
    // A zero normal defines no plane; it is taken as the world Z axis, as a DXF reader
    // takes a missing extrusion.
    if (normal.length() == 0.0) return setToIdentity();
    const AcGeVector3d z = normal / normal.length();
    const AcGeVector3d x = arx::ge::arbitraryXAxis(normal);
    return setCoordSystem(AcGePoint3d::kOrigin, x, z.crossProduct(x), z);
}

AcGeMatrix3d& AcGeMatrix3d::setToPlaneToWorld(const AcGePlane& plane)
{
    AcGePoint3d origin;
    AcGeVector3d axis1, axis2;
    plane.getCoordSystem(origin, axis1, axis2);
    return setCoordSystem(origin, axis1, axis2, plane.normal());
}

AcGeMatrix3d& AcGeMatrix3d::setToWorldToPlane(const AcGeVector3d& normal)
{
    // The plane's system is orthonormal: its inverse is its transpose.
    setToPlaneToWorld(normal);
    return transposeIt();
}

AcGeMatrix3d& AcGeMatrix3d::setToWorldToPlane(const AcGePlane& plane)
{
    setToPlaneToWorld(plane);
    return *this = invertAffine(*this);
}

AcGeMatrix3d AcGeMatrix3d::translation(const AcGeVector3d& vec) { return AcGeMatrix3d().setToTranslation(vec); }

AcGeMatrix3d AcGeMatrix3d::rotation(double angle, const AcGeVector3d& axis, const AcGePoint3d& center)
{
    return AcGeMatrix3d().setToRotation(angle, axis, center);
}

AcGeMatrix3d AcGeMatrix3d::scaling(double scaleAll, const AcGePoint3d& center)
{
    return AcGeMatrix3d().setToScaling(scaleAll, center);
}

AcGeMatrix3d AcGeMatrix3d::mirroring(const AcGePlane& pln) { return AcGeMatrix3d().setToMirroring(pln); }

AcGeMatrix3d AcGeMatrix3d::mirroring(const AcGePoint3d& pnt) { return AcGeMatrix3d().setToMirroring(pnt); }

AcGeMatrix3d AcGeMatrix3d::mirroring(const AcGeLine3d& line) { return AcGeMatrix3d().setToMirroring(line); }

AcGeMatrix3d AcGeMatrix3d::projection(const AcGePlane& projectionPlane, const AcGeVector3d& projectDir)
{
    return AcGeMatrix3d().setToProjection(projectionPlane, projectDir);
}

AcGeMatrix3d AcGeMatrix3d::alignCoordSys(const AcGePoint3d& fromOrigin, const AcGeVector3d& fromXAxis,
                                         const AcGeVector3d& fromYAxis, const AcGeVector3d& fromZAxis,
                                         const AcGePoint3d& toOrigin, const AcGeVector3d& toXAxis,
                                         const AcGeVector3d& toYAxis, const AcGeVector3d& toZAxis)
{
    return AcGeMatrix3d().setToAlignCoordSys(fromOrigin, fromXAxis, fromYAxis, fromZAxis, toOrigin, toXAxis, toYAxis,
                                             toZAxis);
}

AcGeMatrix3d AcGeMatrix3d::worldToPlane(const AcGeVector3d& normal) { return AcGeMatrix3d().setToWorldToPlane(normal); }

AcGeMatrix3d AcGeMatrix3d::worldToPlane(const AcGePlane& plane) { return AcGeMatrix3d().setToWorldToPlane(plane); }

AcGeMatrix3d AcGeMatrix3d::planeToWorld(const AcGeVector3d& normal) { return AcGeMatrix3d().setToPlaneToWorld(normal); }

AcGeMatrix3d AcGeMatrix3d::planeToWorld(const AcGePlane& plane) { return AcGeMatrix3d().setToPlaneToWorld(plane); }

double AcGeMatrix3d::scale() const
{
    return std::fmax(column(*this, 0).length(), std::fmax(column(*this, 1).length(), column(*this, 2).length()));
}

double AcGeMatrix3d::norm() const
{
    double best = 0.0;
    for (int i = 0; i < 3; ++i)
        best = std::fmax(best, std::fabs(entry[i][0]) + std::fabs(entry[i][1]) + std::fabs(entry[i][2]));
    return best;
}
