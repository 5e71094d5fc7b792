#include "db/dxf/number_format.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstring>

namespace arx::dxf {
namespace {

// Plain notation for decimal exponents in this range, as "%.16g" would choose.
constexpr int kLowestPlainExponent = -4;
constexpr int kHighestPlainExponent = 15;
// Whole numbers below this are written from their integer (decimal exponent 14 at most).
constexpr double kLargestPlainInteger = 1e15;

char* writeDigits(char* out, const char* digits, int count)
{
    std::memcpy(out, digits, static_cast<std::size_t>(count));
    return out + count;
}

char* writeZeros(char* out, int count)
{
    for (int i = 0; i < count; ++i) *out++ = '0';
    return out;
}

// Writes the significant digits `digits` (no trailing zeros) of decimal exponent `exponent`
// in plain or scientific notation; returns the end.
char* layOut(char* out, const char* digits, int count, int exponent)
{
    if (exponent >= kLowestPlainExponent && exponent <= kHighestPlainExponent) {
        if (exponent >= 0) {
            const int integerDigits = exponent + 1;
            if (count <= integerDigits) {
                out = writeDigits(out, digits, count);
                out = writeZeros(out, integerDigits - count);
                std::memcpy(out, ".0", 2);
                return out + 2;
            }
            out = writeDigits(out, digits, integerDigits);
            *out++ = '.';
            return writeDigits(out, digits + integerDigits, count - integerDigits);
        }
        std::memcpy(out, "0.", 2);
        out = writeZeros(out + 2, -exponent - 1);
        return writeDigits(out, digits, count);
    }
    *out++ = digits[0];
    *out++ = '.';
    if (count > 1) out = writeDigits(out, digits + 1, count - 1);
    else *out++ = '0';
    *out++ = 'E';
    *out++ = exponent < 0 ? '-' : '+';
    const int magnitude = exponent < 0 ? -exponent : exponent;
    if (magnitude < 10) *out++ = '0';
    return std::to_chars(out, out + 4, magnitude).ptr;
}

// Exact powers of ten (every one up to 1e22 is a double).
constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                   1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
// Where fifteen- and sixteen-digit texts are tried: decimal exponents -4 to 14.
constexpr double kFastLowest = 1e-4;
constexpr double kFastHighest = 1e15;
constexpr double kFifteenDigitsLowest = 1e14;
constexpr double kFifteenDigitsHighest = 1e15;
constexpr double kSixteenDigitsLowest = 1e15;
constexpr double kSixteenDigitsHighest = 9007199254740992.0;  // 2^53

// The decimal exponent of a magnitude in [1e-4, 1e15): the largest e with 10^e <= magnitude.
int decimalExponent(double magnitude)
{
    int exponent = 14;
    if (magnitude >= 1) {
        while (magnitude < kPowersOfTen[exponent]) --exponent;
        return exponent;
    }
    exponent = -1;
    while (magnitude * kPowersOfTen[-exponent] < 1) --exponent;
    return exponent;
}

// The exact product a * b as product + error (Veltkamp's split and Dekker's product; exact
// as long as nothing overflows and the multiplications and additions are not fused, as ISO
// C++ mode compiles them).
void exactProduct(double a, double b, double& product, double& error)
{
    constexpr double kSplitter = 134217729.0;  // 2^27 + 1
    product = a * b;
    const double ta = kSplitter * a, aHigh = ta - (ta - a), aLow = a - aHigh;
    const double tb = kSplitter * b, bHigh = tb - (tb - b), bLow = b - bHigh;
    error = ((aHigh * bHigh - product) + aHigh * bLow + aLow * bHigh) + aLow * bLow;
}

// Every two-digit pair, for writing numbers of a known length two digits at a time.
constexpr std::array<char, 200> buildDigitPairs()
{
    std::array<char, 200> pairs{};
    for (int i = 0; i < 100; ++i) {
        pairs[static_cast<std::size_t>(2 * i)] = static_cast<char>('0' + i / 10);
        pairs[static_cast<std::size_t>(2 * i + 1)] = static_cast<char>('0' + i % 10);
    }
    return pairs;
}

constexpr std::array<char, 200> kDigitPairs = buildDigitPairs();

// `whole`, an integer of exactly `length` (15 or 16) digits, as its digits without trailing
// zeros.
void writeDecimalDigits(double whole, int length, char* digits, int& count)
{
    auto value = static_cast<std::uint64_t>(whole);
    for (int at = length - 2; at >= 0; at -= 2) {
        std::memcpy(digits + at, &kDigitPairs[static_cast<std::size_t>(2 * (value % 100))], 2);
        value /= 100;
    }
    if (length % 2 != 0) digits[0] = static_cast<char>('0' + value % 10);
    count = length;
    while (count > 1 && digits[count - 1] == '0') --count;
}

// The shortest digits of a magnitude when fifteen or sixteen significant digits read back
// as it; false when they do not, or the magnitude is out of the range covered (the general
// conversion answers then).
//
// Fifteen-digit texts lie more than four units of the last place apart, so at most one of
// them reads back as a given double, the one nearest to it: when it does, it is the
// shortest text padded with zeros. When none does, the shortest text has sixteen digits or
// more, and the one that reads back nearest to the double is the one written: the nearest
// sixteen-digit text, found from the exact product of the magnitude and the power of ten.
bool shortDigits(double magnitude, char* digits, int& count, int& exponent)
{
    if (!(magnitude >= kFastLowest && magnitude < kFastHighest)) return false;
    exponent = decimalExponent(magnitude);
    const double scale = kPowersOfTen[14 - exponent];
    const double nearest = std::round(magnitude * scale);
    if (nearest < kFifteenDigitsLowest || nearest > kFifteenDigitsHighest) return false;
    // Both the text's digits and the scale are exact doubles, so the division rounds as
    // reading the text does.
    if (nearest / scale == magnitude) {
        if (nearest == kFifteenDigitsHighest) {
            digits[0] = '1';
            count = 1;
            ++exponent;
            return true;
        }
        writeDecimalDigits(nearest, 15, digits, count);
        return true;
    }
    // Sixteen digits, while they stay below 2^53 (every such integer is a double).
    const double finerScale = kPowersOfTen[15 - exponent];
    double product = 0, error = 0;
    exactProduct(magnitude, finerScale, product, error);
    if (!(product >= kSixteenDigitsLowest && product < kSixteenDigitsHighest)) return false;
    double finer = std::round(product);
    const double rest = (product - finer) + error;  // the exact product less `finer`
    // Halfway between two texts the general conversion settles the tie.
    if (std::fabs(std::fabs(rest) - 0.5) < 1e-6) return false;
    if (rest > 0.5) finer += 1;
    else if (rest < -0.5) finer -= 1;
    if (finer < kSixteenDigitsLowest || finer >= kSixteenDigitsHighest || finer / finerScale != magnitude) return false;
    writeDecimalDigits(finer, 16, digits, count);
    return true;
}

}  // namespace

std::size_t formatReal(double value, char* out)
{
    char* const start = out;
    if (value == 0) {
        if (std::signbit(value)) *out++ = '-';
        std::memcpy(out, "0.0", 3);
        return static_cast<std::size_t>(out + 3 - start);
    }
    // Whole numbers of plain notation are their integer's digits: no shorter text reads back
    // as the same value, as every integer below 2^53 is exact.
    if (value > -kLargestPlainInteger && value < kLargestPlainInteger && value == std::trunc(value)) {
        out = std::to_chars(out, out + kRealBufferSize, static_cast<std::int64_t>(value)).ptr;
        std::memcpy(out, ".0", 2);
        return static_cast<std::size_t>(out + 2 - start);
    }
    // The shortest digits that read back exactly (at most 17; 16 or fewer for nearly every
    // value, as the host writes them), as "d.ddde+XX".
    char scientific[kRealBufferSize];
    int exponent = 0;
    int count = 0;
    const char* digits = scientific;
    if (shortDigits(std::fabs(value), scientific, count, exponent)) {
        if (value < 0) *out++ = '-';
        return static_cast<std::size_t>(layOut(out, digits, count, exponent) - start);
    }
    const char* const end =
        std::to_chars(scientific, scientific + sizeof scientific, value, std::chars_format::scientific).ptr;
    char* p = scientific;
    if (*p == '-') *out++ = *p++;
    const char* e = end - 4;  // the exponent has two or three digits
    while (*e != 'e') --e;
    exponent = 0;
    for (const char* q = e + 2; q < end; ++q) exponent = exponent * 10 + (*q - '0');
    if (e[1] == '-') exponent = -exponent;
    // The digits side by side: the first moves over the decimal point.
    digits = p;
    if (p[1] == '.') {
        p[1] = p[0];
        digits = p + 1;
    }
    count = static_cast<int>(e - digits);
    while (count > 1 && digits[count - 1] == '0') --count;
    return static_cast<std::size_t>(layOut(out, digits, count, exponent) - start);
}

std::size_t formatInteger(std::int64_t value, int width, char* out)
{
    char digits[24];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    const int length = static_cast<int>(result.ptr - digits);
    const int padding = width > length ? width - length : 0;
    std::memset(out, ' ', static_cast<std::size_t>(padding));
    std::memcpy(out + padding, digits, static_cast<std::size_t>(length));
    return static_cast<std::size_t>(padding + length);
}

std::size_t formatHandle(std::uint64_t value, char* out)
{
    const auto result = std::to_chars(out, out + 16, value, 16);
    for (char* p = out; p < result.ptr; ++p)
        if (*p >= 'a' && *p <= 'f') *p = static_cast<char>(*p - 'a' + 'A');
    return static_cast<std::size_t>(result.ptr - out);
}

}  // namespace arx::dxf
