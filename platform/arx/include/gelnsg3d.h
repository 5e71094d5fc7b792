// AcGeLineSeg3d: a bounded straight segment; parameter 0 at its start, 1 at its end.
#pragma once
#include "geline3d.h"
#include "geplane.h"

class GE_DLLEXPIMPORT AcGeLineSeg3d : public AcGeLinearEnt3d {
public:
    // The unit segment along the world X axis.
    constexpr AcGeLineSeg3d() : AcGeLinearEnt3d(AcGePoint3d(), AcGeVector3d(1.0, 0.0, 0.0)) {}
    // From pnt to pnt + vec.
    constexpr AcGeLineSeg3d(const AcGePoint3d& pnt, const AcGeVector3d& vec) : AcGeLinearEnt3d(pnt, vec) {}
    constexpr AcGeLineSeg3d(const AcGePoint3d& pnt1, const AcGePoint3d& pnt2) : AcGeLinearEnt3d(pnt1, pnt2 - pnt1) {}
    constexpr AcGeLineSeg3d(const AcGeLineSeg3d&) = default;
    AcGeLineSeg3d& operator=(const AcGeLineSeg3d&) = default;

    // The plane through the midpoint perpendicular to the segment.
    void getBisector(AcGePlane& plane) const;
    // (1 - blendCoeff) * start + blendCoeff * end.
    AcGePoint3d baryComb(double blendCoeff) const;

    AcGePoint3d startPoint() const { return mPoint; }
    AcGePoint3d midPoint() const { return mPoint + mVector * 0.5; }
    AcGePoint3d endPoint() const { return mPoint + mVector; }
    double length() const { return mVector.length(); }
    double length(double fromParam, double toParam, double tol = AcGeContext::gTol.equalPoint()) const override;

    AcGeLineSeg3d& set(const AcGePoint3d& pnt, const AcGeVector3d& vec);
    AcGeLineSeg3d& set(const AcGePoint3d& pnt1, const AcGePoint3d& pnt2);

    Adesk::Boolean isKindOf(AcGe::EntityId entType) const override;
    AcGe::EntityId type() const override { return AcGe::kLineSeg3d; }
    AcGeEntity3d* copy() const override { return new AcGeLineSeg3d(*this); }
    // Same start and end points within equalPoint.
    Adesk::Boolean isEqualTo(const AcGeEntity3d& ent, const AcGeTol& tol = AcGeContext::gTol) const override;

protected:
    double lowerParam() const override { return 0.0; }
    double upperParam() const override { return 1.0; }
};
