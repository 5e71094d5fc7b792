#include "lisp/angtos.h"

#include <cmath>
#include <cstdio>
#include <numbers>

namespace arx::lisp {

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;
constexpr double kDegreesPerRadian = 180.0 / std::numbers::pi;

std::string decimalText(double value, int places)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", places, value);
    return buffer;
}

// Degrees as d, ' and " at the precision's detail, rounded as a whole (59.99999 seconds
// carries into the minute).
std::string degreesMinutesSeconds(double degrees, int precision)
{
    if (precision <= 0) return decimalText(std::round(degrees), 0) + "d";
    if (precision <= 2) {
        const long long minutes = std::llround(degrees * 60.0);
        return std::to_string(minutes / 60) + "d" + std::to_string(minutes % 60) + "'";
    }
    const int places = precision > 4 ? precision - 4 : 0;
    const double unit = std::pow(10.0, places);
    const long long ticks = std::llround(degrees * 3600.0 * unit);
    const long long wholeSeconds = ticks / static_cast<long long>(unit);
    const double seconds = static_cast<double>(ticks % (60 * static_cast<long long>(unit))) / unit;
    return std::to_string(wholeSeconds / 3600) + "d" + std::to_string(wholeSeconds / 60 % 60) + "'" +
           decimalText(seconds, places) + "\"";
}

// The bearing from north or south toward east or west; east and the other axes alone are
// written as the letter.
std::string surveyor(double radians, int precision)
{
    const double degrees = radians * kDegreesPerRadian;
    if (std::fabs(degrees) < 1e-10 || std::fabs(degrees - 360.0) < 1e-10) return "E";
    if (std::fabs(degrees - 90.0) < 1e-10) return "N";
    if (std::fabs(degrees - 180.0) < 1e-10) return "W";
    if (std::fabs(degrees - 270.0) < 1e-10) return "S";
    const bool north = degrees < 180.0;
    const bool east = degrees < 90.0 || degrees > 270.0;
    const double fromNorthSouth = north ? std::fabs(90.0 - degrees) : std::fabs(270.0 - degrees);
    return std::string(north ? "N " : "S ") + degreesMinutesSeconds(fromNorthSouth, precision) + (east ? " E" : " W");
}

}  // namespace

bool formatAngle(double radians, int mode, int precision, std::string& out)
{
    if (mode < 0 || mode > 4) return false;
    if (precision < 0) precision = 0;
    double angle = std::fmod(radians, kTwoPi);
    if (angle < 0.0) angle += kTwoPi;
    angle += 0.0;  // no sign on zero
    switch (mode) {
    case 0: out = decimalText(angle * kDegreesPerRadian, precision); break;
    case 1: out = degreesMinutesSeconds(angle * kDegreesPerRadian, precision); break;
    case 2: out = decimalText(angle * 200.0 / std::numbers::pi, precision) + "g"; break;
    case 3: out = decimalText(angle, precision) + "r"; break;
    default: out = surveyor(angle, precision); break;
    }
    return true;
}

}  // namespace arx::lisp
