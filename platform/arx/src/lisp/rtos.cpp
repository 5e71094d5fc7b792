#include "lisp/rtos.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <numeric>

namespace arx::lisp {

namespace {

using Count = std::uint64_t;

// Beyond this a value is not rounded through integers.
constexpr double kLargest = 9.0e15;

Count powerOf10(int places)
{
    Count p = 1;
    for (int k = 0; k < places; ++k) p *= 10;
    return p;
}

// |value| in units of 1/scale, rounded half away from zero. A relative fuzz makes the
// decimal halves that binary cannot hold exactly (1.005) round up, as one would write them.
Count roundedUnits(double value, double scale)
{
    double scaled = std::fabs(value) * scale;
    return static_cast<Count>(std::floor(scaled + 0.5 + scaled * 1e-12));
}

std::string digits(Count n) { return std::to_string(n); }

struct Decimal {
    bool negative;
    std::string whole;
    std::string fraction;  // `places` digits
};

Decimal decimal(double value, int places)
{
    Decimal d;
    Count scale = powerOf10(places);
    if (std::fabs(value) * static_cast<double>(scale) > kLargest) {
        char buffer[400];
        auto r = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::fixed, places);
        std::string text(buffer, r.ptr);
        auto dot = text.find('.');
        d.whole = text.substr(0, dot);
        d.fraction = dot == std::string::npos ? "" : text.substr(dot + 1);
        d.negative = value < 0;
        return d;
    }
    Count n = roundedUnits(value, static_cast<double>(scale));
    d.negative = value < 0 && n != 0;
    d.whole = digits(n / scale);
    std::string fraction = digits(n % scale);
    d.fraction = std::string(static_cast<std::size_t>(places) - std::min<std::size_t>(fraction.size(), places), '0') +
                 (places > 0 ? fraction : "");
    return d;
}

// Writes a decimal with the DIMZIN rules for leading (4) and trailing (8) zeros.
std::string writeDecimal(const Decimal& d, int dimzin)
{
    std::string fraction = d.fraction;
    if (dimzin & 8)
        while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
    std::string whole = d.whole;
    if ((dimzin & 4) && whole == "0" && !fraction.empty()) whole.clear();
    std::string text = (d.negative ? "-" : "") + whole;
    if (!fraction.empty()) text += "." + fraction;
    return text;
}

std::string scientific(double value, const UnitSettings& s)
{
    int exponent = 0;
    double mantissa = value;
    if (value != 0 && std::isfinite(value)) {
        exponent = static_cast<int>(std::floor(std::log10(std::fabs(value))));
        mantissa = value / std::pow(10.0, exponent);
        // Rounding may carry the mantissa to 10.
        Decimal probe = decimal(mantissa, s.precision);
        if (probe.whole == "10") {
            ++exponent;
            mantissa /= 10;
        } else if (probe.whole == "0") {
            --exponent;
            mantissa *= 10;
        }
    }
    std::string text = writeDecimal(decimal(mantissa, s.precision), s.dimzin & 8);
    std::string e = std::to_string(std::abs(exponent));
    if (e.size() < 2) e.insert(e.begin(), '0');
    return text + "E" + (exponent < 0 ? "-" : "+") + e;
}

// The two parts of a feet-and-inch text and which of them to show, by DIMZIN's low bits:
// 0 drops zero feet and zero inches, 1 keeps both, 2 keeps zero feet, 3 keeps zero inches.
std::string feetAndInches(bool negative, Count feet, bool inchesZero, const std::string& inches, const UnitSettings& s)
{
    int rule = s.dimzin & 3;
    bool showFeet = feet != 0 || rule == 1 || rule == 2;
    bool showInches = !inchesZero || rule == 1 || rule == 3 || !showFeet;
    std::string text = negative ? "-" : "";
    if (showFeet) text += digits(feet) + "'";
    if (showFeet && showInches && s.unitmode == 0) text += "-";
    if (showInches) text += inches + "\"";
    return text;
}

std::string engineering(double value, const UnitSettings& s)
{
    Count scale = powerOf10(s.precision);
    Count n = roundedUnits(value, static_cast<double>(scale));
    Count perFoot = 12 * scale;
    Decimal inches{false, digits((n % perFoot) / scale), digits((n % perFoot) % scale)};
    inches.fraction.insert(
        0, static_cast<std::size_t>(s.precision) - std::min<std::size_t>(inches.fraction.size(), s.precision), '0');
    if (s.precision == 0) inches.fraction.clear();
    return feetAndInches(value < 0 && n != 0, n / perFoot, n % perFoot == 0, writeDecimal(inches, s.dimzin & 12), s);
}

// "5 1/2" (or "5-1/2" with UNITMODE 1); the whole part is left out when it is 0 and
// `wholeOptional`.
std::string mixedNumber(Count whole, Count numerator, Count denominator, bool wholeOptional, const UnitSettings& s)
{
    if (numerator == 0) return digits(whole);
    Count divisor = std::gcd(numerator, denominator);
    std::string fraction = digits(numerator / divisor) + "/" + digits(denominator / divisor);
    if (whole == 0 && wholeOptional) return fraction;
    return digits(whole) + (s.unitmode == 0 ? " " : "-") + fraction;
}

std::string architectural(double value, const UnitSettings& s)
{
    Count denominator = Count{1} << s.precision;
    Count n = roundedUnits(value, static_cast<double>(denominator));
    Count perFoot = 12 * denominator;
    Count feet = n / perFoot;
    Count rest = n % perFoot;
    int rule = s.dimzin & 3;
    bool feetShown = feet != 0 || rule == 1 || rule == 2;
    std::string inches = mixedNumber(rest / denominator, rest % denominator, denominator, !feetShown, s);
    return feetAndInches(value < 0 && n != 0, feet, rest == 0, inches, s);
}

std::string fractional(double value, const UnitSettings& s)
{
    Count denominator = Count{1} << s.precision;
    Count n = roundedUnits(value, static_cast<double>(denominator));
    std::string text = mixedNumber(n / denominator, n % denominator, denominator, true, s);
    return (value < 0 && n != 0 ? "-" : "") + text;
}

}  // namespace

bool formatLinear(double value, const UnitSettings& settings, std::string& out)
{
    UnitSettings s = settings;
    s.precision = std::clamp(s.precision, 0, 8);
    bool feetAndInchModes = s.mode >= 3;
    if (feetAndInchModes && std::fabs(value) > kLargest / 1e8) s.mode = 2;  // too large for units
    switch (s.mode) {
    case 1: out = scientific(value, s); return true;
    case 2: out = writeDecimal(decimal(value, s.precision), s.dimzin); return true;
    case 3: out = engineering(value, s); return true;
    case 4: out = architectural(value, s); return true;
    case 5: out = fractional(value, s); return true;
    default: return false;
    }
}

}  // namespace arx::lisp
