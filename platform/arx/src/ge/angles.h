// Angle helpers shared by the geometry classes.
#pragma once
#include <cmath>
#include <numbers>

namespace arx::ge {

inline constexpr double kTwoPi = 2.0 * std::numbers::pi;

// The angle's representative in [0, 2*pi).
inline double normalizeAngle(double angle)
{
    double a = std::fmod(angle, kTwoPi);
    if (a < 0.0) a += kTwoPi;
    // fmod of a tiny negative angle plus 2*pi rounds to 2*pi itself.
    return a >= kTwoPi ? 0.0 : a;
}

}  // namespace arx::ge
