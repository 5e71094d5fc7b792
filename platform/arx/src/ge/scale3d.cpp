#include "gescl3d.h"

#include <cmath>

#include "gemat3d.h"

constinit const AcGeScale3d AcGeScale3d::kIdentity;

Adesk::Boolean AcGeScale3d::isProportional(const AcGeTol& tol) const
{
    return std::fabs(sx - sy) <= tol.equalVector() && std::fabs(sx - sz) <= tol.equalVector();
}

bool AcGeScale3d::isEqualTo(const AcGeScale3d& s, const AcGeTol& tol) const
{
    return std::fabs(sx - s.sx) <= tol.equalVector() && std::fabs(sy - s.sy) <= tol.equalVector() &&
           std::fabs(sz - s.sz) <= tol.equalVector();
}

AcGeScale3d::operator AcGeMatrix3d() const
{
    AcGeMatrix3d m;
    getMatrix(m);
    return m;
}

void AcGeScale3d::getMatrix(AcGeMatrix3d& mat) const
{
    mat.setToIdentity();
    mat.entry[0][0] = sx;
    mat.entry[1][1] = sy;
    mat.entry[2][2] = sz;
}

AcGeScale3d& AcGeScale3d::extractScale(const AcGeMatrix3d& mat)
{
    AcGePoint3d origin;
    AcGeVector3d x, y, z;
    mat.getCoordSystem(origin, x, y, z);
    sx = x.length();
    sy = y.length();
    sz = z.length();
    // A left-handed matrix mirrors: the host reports that as a negative Z factor.
    if (x.crossProduct(y).dotProduct(z) < 0.0) sz = -sz;
    return *this;
}

AcGeScale3d& AcGeScale3d::removeScale(AcGeMatrix3d& mat)
{
    extractScale(mat);
    const double f[3] = {sx, sy, sz};
    for (int c = 0; c < 3; ++c) {
        if (f[c] == 0.0) continue;
        for (int r = 0; r < 3; ++r) mat.entry[r][c] /= f[c];
    }
    return *this;
}
