#include "ge/trig_equation.h"

#include <cmath>

namespace arx::ge {

int solveCosSin(double a, double b, double k, double slack, double solutions[2])
{
    const double amplitude = std::hypot(a, b);
    if (amplitude <= slack) return 0;
    const double phase = std::atan2(b, a);  // a cos t + b sin t = amplitude * cos(t - phase)
    if (std::fabs(k) > amplitude + slack) return 0;
    if (std::fabs(k) >= amplitude - slack) {
        solutions[0] = k > 0.0 ? phase : phase + std::acos(-1.0);
        return 1;
    }
    const double spread = std::acos(k / amplitude);
    solutions[0] = phase - spread;
    solutions[1] = phase + spread;
    return 2;
}

}  // namespace arx::ge
