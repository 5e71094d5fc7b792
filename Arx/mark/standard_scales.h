// Scale names: the 33 standard scales, the fallback number format and the label of a free
// scale. A scale ratio here is zoomXp, paper units per model unit (0.01 for 1:100).
#pragma once
#include <span>
#include <string>

namespace kestra {

struct StandardScale {
    int number;  // 1 to 33
    double ratio;
    const char* name;
};

std::span<const StandardScale> standardScales();

struct ScaleName {
    std::string text;
    int number;  // the standard scale's number, 0 for a ratio printed as a number
};

// The first standard scale within 1e-6 of the ratio, else the ratio with four decimals.
ScaleName formatScale(double ratio);

// The digits of `value` rounded to `decimals` places, a point before the fraction digits and
// no sign: 100.00, and .50 for 0.5.
std::string formatFixed(double value, int decimals);

// "2.50:1" above 1, else "1:" and the inverse ("1:80.00" for 0.0125).
std::string freeScaleLabel(double zoomXp);

}  // namespace kestra
