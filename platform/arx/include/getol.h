// AcGeTol: the two tolerances every geometric comparison uses.
//
//  - two points are equal when their distance is at most equalPoint;
//  - two vectors are equal when the length of their difference is at most equalVector;
//  - two vectors are parallel when their unit vectors differ, or sum, to less than equalVector;
//  - two vectors are perpendicular when |cos| of their angle is at most equalVector.
#pragma once
#include "gedll.h"

class GE_DLLEXPIMPORT AcGeTol {
public:
    constexpr AcGeTol() : mEqualPoint(1.0e-10), mEqualVector(1.0e-10) {}

    double equalPoint() const { return mEqualPoint; }
    double equalVector() const { return mEqualVector; }

    void setEqualPoint(double val) { mEqualPoint = val; }
    void setEqualVector(double val) { mEqualVector = val; }

private:
    double mEqualPoint;
    double mEqualVector;
};
