// AcGeLine3d: an unbounded straight line.
#pragma once
#include "gelent3d.h"

class GE_DLLEXPIMPORT AcGeLine3d : public AcGeLinearEnt3d {
public:
    // The world X axis line.
    constexpr AcGeLine3d() : AcGeLinearEnt3d(AcGePoint3d(), AcGeVector3d(1.0, 0.0, 0.0)) {}
    constexpr AcGeLine3d(const AcGePoint3d& pnt, const AcGeVector3d& vec) : AcGeLinearEnt3d(pnt, vec) {}
    constexpr AcGeLine3d(const AcGePoint3d& pnt1, const AcGePoint3d& pnt2) : AcGeLinearEnt3d(pnt1, pnt2 - pnt1) {}
    constexpr AcGeLine3d(const AcGeLine3d&) = default;
    AcGeLine3d& operator=(const AcGeLine3d&) = default;

    static const AcGeLine3d kXAxis;
    static const AcGeLine3d kYAxis;
    static const AcGeLine3d kZAxis;

    AcGeLine3d& set(const AcGePoint3d& pnt, const AcGeVector3d& vec);
    AcGeLine3d& set(const AcGePoint3d& pnt1, const AcGePoint3d& pnt2);

    Adesk::Boolean isKindOf(AcGe::EntityId entType) const override;
    AcGe::EntityId type() const override { return AcGe::kLine3d; }
    AcGeEntity3d* copy() const override { return new AcGeLine3d(*this); }
    // Two lines are equal when they are colinear.
    Adesk::Boolean isEqualTo(const AcGeEntity3d& ent, const AcGeTol& tol = AcGeContext::gTol) const override;

protected:
    double lowerParam() const override;
    double upperParam() const override;
};
