#include "mark/standard_scales.h"

#include <cmath>
#include <cstdio>

#include "win32crt.h"

namespace kestra {

namespace {

constexpr double kMatchTolerance = 1e-6;

constexpr StandardScale kStandardScales[] = {
    {1, 0.0006510416666666666, "1/128\"= 1'"},
    {2, 0.0013020833333333333, "1/64\"= 1'"},
    {3, 0.0026041666666666665, "1/32\"= 1'"},
    {4, 0.005208333333333333, "1/16\"= 1'"},
    {5, 0.0078125, "3/32\"= 1'"},
    {6, 0.010416666666666666, "1/8\"= 1'"},
    {7, 0.015625, "3/16\"= 1'"},
    {8, 0.020833333333333332, " 1/4\"= 1'"},
    {9, 0.03125, "3/8\"= 1'"},
    {10, 0.041666666666666664, "1/2\"= 1'"},
    {11, 0.0625, "3/4\"= 1' (1:16)"},
    {12, 0.08333333333333333, "1\"= 1'"},
    {13, 0.25, "3\"= 1' (1:4)"},
    {14, 0.5, "6\"= 1' (1:2)"},
    {15, 1.0, "1'= 1' (1:1)"},
    {16, 0.125, "1:8"},
    {17, 0.1, "1:10"},
    {18, 0.05, "1:20"},
    {19, 0.033333333333333, "1:30"},
    {20, 0.025, "1:40"},
    {21, 0.02, "1:50"},
    {22, 0.01, "1:100"},
    {23, 0.005, "1:200"},
    {24, 0.004, "1:250"},
    {25, 0.002, "1:500"},
    {26, 0.001, "1:1000"},
    {27, 0.0002, "1:5000"},
    {28, 2.0, "2:1"},
    {29, 4.0, "4:1"},
    {30, 8.0, "8:1"},
    {31, 10.0, "10:1"},
    {32, 100.0, "100:1"},
    {33, 1000.0, "1000:1"},
};

}  // namespace

std::span<const StandardScale> standardScales() { return kStandardScales; }

ScaleName formatScale(double ratio)
{
    for (const StandardScale& scale : kStandardScales)
        if (std::fabs(ratio - scale.ratio) <= kMatchTolerance) return {scale.name, scale.number};
    std::string text(static_cast<std::size_t>(std::snprintf(nullptr, 0, "%.4f", ratio)), '\0');
    std::snprintf(text.data(), text.size() + 1, "%.4f", ratio);
    return {text, 0};
}

std::string formatFixed(double value, int decimals)
{
    int point = 0;
    int sign = 0;
    const std::string digits = _fcvt(value, decimals, &point, &sign);
    if (point <= 0) return "." + std::string(static_cast<std::size_t>(-point), '0') + digits;
    if (static_cast<std::size_t>(point) >= digits.size()) return digits + ".";
    return digits.substr(0, static_cast<std::size_t>(point)) + "." + digits.substr(static_cast<std::size_t>(point));
}

std::string freeScaleLabel(double zoomXp)
{
    if (zoomXp > 1.0) return formatFixed(zoomXp, 2) + ":1";
    return "1:" + formatFixed(1.0 / zoomXp, 2);
}

}  // namespace kestra
