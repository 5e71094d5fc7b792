// The equation a*cos(t) + b*sin(t) = k, met by the circle-against-plane problems.
#pragma once

namespace arx::ge {

// Solutions t (0, 1 or 2, returned) of a*cos(t) + b*sin(t) = k. The left side is a distance
// (a height above a plane along a circle), so `slack` is a distance tolerance: when |k|
// is within slack of the amplitude sqrt(a^2 + b^2) the single touching solution is given.
// No solution when the amplitude itself is within slack of zero (the circle does not cross).
int solveCosSin(double a, double b, double k, double slack, double solutions[2]);

}  // namespace arx::ge
