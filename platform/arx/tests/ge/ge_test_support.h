// Shared helpers of the geometry tests: comparisons with a message and a seeded source of
// random geometry, so every property test sees the same cases on every run.
#pragma once
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>

#include "gemat3d.h"
#include "gepnt3d.h"
#include "gevec3d.h"

namespace ge_test {

inline constexpr double kPi = std::numbers::pi;

inline ::testing::AssertionResult near(const AcGePoint3d& a, const AcGePoint3d& b, double tol = 1e-9)
{
    if (a.distanceTo(b) <= tol) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "(" << a.x << ", " << a.y << ", " << a.z << ") vs (" << b.x << ", " << b.y
                                         << ", " << b.z << "), distance " << a.distanceTo(b);
}

inline ::testing::AssertionResult near(const AcGeVector3d& a, const AcGeVector3d& b, double tol = 1e-9)
{
    return near(AcGePoint3d::kOrigin + a, AcGePoint3d::kOrigin + b, tol);
}

inline ::testing::AssertionResult near(const AcGeMatrix3d& a, const AcGeMatrix3d& b, double tol = 1e-9)
{
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            if (std::fabs(a(i, j) - b(i, j)) > tol)
                return ::testing::AssertionFailure()
                       << "entry (" << i << ", " << j << "): " << a(i, j) << " vs " << b(i, j);
    return ::testing::AssertionSuccess();
}

class Random {
public:
    explicit Random(unsigned seed = 20000) : mEngine(seed) {}

    double uniform(double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(mEngine); }
    AcGePoint3d point(double extent = 1000.0)
    {
        return AcGePoint3d(uniform(-extent, extent), uniform(-extent, extent), uniform(-extent, extent));
    }
    // A direction of random length, never (nearly) zero.
    AcGeVector3d vector()
    {
        for (;;) {
            const AcGeVector3d v(uniform(-1, 1), uniform(-1, 1), uniform(-1, 1));
            if (v.length() > 0.1) return v * uniform(0.5, 50.0);
        }
    }
    double angle() { return uniform(-2.0 * kPi, 2.0 * kPi); }

private:
    std::mt19937 mEngine;
};

}  // namespace ge_test
