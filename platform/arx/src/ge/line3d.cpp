// The two concrete linear entities: the unbounded line and the segment.
#include "geline3d.h"

#include <limits>

#include "gelnsg3d.h"

constinit const AcGeLine3d AcGeLine3d::kXAxis(AcGePoint3d(0.0, 0.0, 0.0), AcGeVector3d(1.0, 0.0, 0.0));
constinit const AcGeLine3d AcGeLine3d::kYAxis(AcGePoint3d(0.0, 0.0, 0.0), AcGeVector3d(0.0, 1.0, 0.0));
constinit const AcGeLine3d AcGeLine3d::kZAxis(AcGePoint3d(0.0, 0.0, 0.0), AcGeVector3d(0.0, 0.0, 1.0));

AcGeLine3d& AcGeLine3d::set(const AcGePoint3d& pnt, const AcGeVector3d& vec)
{
    mPoint = pnt;
    mVector = vec;
    return *this;
}

AcGeLine3d& AcGeLine3d::set(const AcGePoint3d& pnt1, const AcGePoint3d& pnt2) { return set(pnt1, pnt2 - pnt1); }

Adesk::Boolean AcGeLine3d::isKindOf(AcGe::EntityId entType) const
{
    return entType == AcGe::kLine3d || AcGeLinearEnt3d::isKindOf(entType);
}

Adesk::Boolean AcGeLine3d::isEqualTo(const AcGeEntity3d& ent, const AcGeTol& tol) const
{
    return ent.type() == AcGe::kLine3d && isColinearTo(static_cast<const AcGeLine3d&>(ent), tol);
}

double AcGeLine3d::lowerParam() const { return -std::numeric_limits<double>::infinity(); }

double AcGeLine3d::upperParam() const { return std::numeric_limits<double>::infinity(); }

void AcGeLineSeg3d::getBisector(AcGePlane& plane) const { plane.set(midPoint(), mVector); }

AcGePoint3d AcGeLineSeg3d::baryComb(double blendCoeff) const { return mPoint + mVector * blendCoeff; }

double AcGeLineSeg3d::length(double fromParam, double toParam, double tol) const
{
    return AcGeLinearEnt3d::length(fromParam, toParam, tol);
}

AcGeLineSeg3d& AcGeLineSeg3d::set(const AcGePoint3d& pnt, const AcGeVector3d& vec)
{
    mPoint = pnt;
    mVector = vec;
    return *this;
}

AcGeLineSeg3d& AcGeLineSeg3d::set(const AcGePoint3d& pnt1, const AcGePoint3d& pnt2) { return set(pnt1, pnt2 - pnt1); }

Adesk::Boolean AcGeLineSeg3d::isKindOf(AcGe::EntityId entType) const
{
    return entType == AcGe::kLineSeg3d || AcGeLinearEnt3d::isKindOf(entType);
}

Adesk::Boolean AcGeLineSeg3d::isEqualTo(const AcGeEntity3d& ent, const AcGeTol& tol) const
{
    if (ent.type() != AcGe::kLineSeg3d) return false;
    const auto& other = static_cast<const AcGeLineSeg3d&>(ent);
    return startPoint().isEqualTo(other.startPoint(), tol) && endPoint().isEqualTo(other.endPoint(), tol);
}
