#include "gepnt2d.h"

#include "gemat2d.h"

constinit const AcGePoint2d AcGePoint2d::kOrigin(0.0, 0.0);

AcGePoint2d operator*(const AcGeMatrix2d& m, const AcGePoint2d& p)
{
    const double x = m.entry[0][0] * p.x + m.entry[0][1] * p.y + m.entry[0][2];
    const double y = m.entry[1][0] * p.x + m.entry[1][1] * p.y + m.entry[1][2];
    const double w = m.entry[2][0] * p.x + m.entry[2][1] * p.y + m.entry[2][2];
    return w == 1.0 ? AcGePoint2d(x, y) : AcGePoint2d(x / w, y / w);
}

AcGePoint2d& AcGePoint2d::setToProduct(const AcGeMatrix2d& mat, const AcGePoint2d& pnt) { return *this = mat * pnt; }

AcGePoint2d& AcGePoint2d::transformBy(const AcGeMatrix2d& leftSide) { return *this = leftSide * *this; }

AcGePoint2d& AcGePoint2d::rotateBy(double angle, const AcGePoint2d& wrtPoint)
{
    return *this = wrtPoint + (*this - wrtPoint).rotateBy(angle);
}

AcGePoint2d& AcGePoint2d::scaleBy(double scaleFactor, const AcGePoint2d& wrtPoint)
{
    return *this = wrtPoint + (*this - wrtPoint) * scaleFactor;
}

bool AcGePoint2d::isEqualTo(const AcGePoint2d& pnt, const AcGeTol& tol) const
{
    return distanceTo(pnt) <= tol.equalPoint();
}
