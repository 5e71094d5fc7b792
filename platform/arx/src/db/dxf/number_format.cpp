#include "db/dxf/number_format.h"

#include <algorithm>
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

// Powers of ten up to 10^8.
constexpr std::uint32_t kPowersOfTen[] = {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000};

// `value`, below 10^8, as its decimal digits without leading zeros; returns their number.
int writeShortDigits(std::uint32_t value, char* digits)
{
    int length = 1;
    while (length < 8 && value >= kPowersOfTen[length]) ++length;
    int at = length;
    while (at >= 2) {
        at -= 2;
        std::memcpy(digits + at, &kDigitPairs[2 * (value % 100)], 2);
        value /= 100;
    }
    if (at == 1) digits[0] = static_cast<char>('0' + value);
    return length;
}

// `value`, below 10^8, as exactly eight digits (two halves written side by side).
void writeEightDigits(std::uint32_t value, char* digits)
{
    const std::uint32_t high = value / 10000, low = value % 10000;
    std::memcpy(digits, &kDigitPairs[2 * (high / 100)], 2);
    std::memcpy(digits + 2, &kDigitPairs[2 * (high % 100)], 2);
    std::memcpy(digits + 4, &kDigitPairs[2 * (low / 100)], 2);
    std::memcpy(digits + 6, &kDigitPairs[2 * (low % 100)], 2);
}

// `value`, below 10^19, as its decimal digits without leading zeros; returns their number.
int writeDecimalDigits(std::uint64_t value, char* digits)
{
    constexpr std::uint64_t kEight = 100000000;
    if (value < kEight) return writeShortDigits(static_cast<std::uint32_t>(value), digits);
    const std::uint64_t upper = value / kEight;
    int length = 0;
    if (upper < kEight) {
        length = writeShortDigits(static_cast<std::uint32_t>(upper), digits);
    } else {
        length = writeShortDigits(static_cast<std::uint32_t>(upper / kEight), digits);
        writeEightDigits(static_cast<std::uint32_t>(upper % kEight), digits + length);
        length += 8;
    }
    writeEightDigits(static_cast<std::uint32_t>(value % kEight), digits + length);
    return length + 8;
}

// Unsigned integers of 128 bits: wide enough to hold twice a double's significand times the
// powers of ten up to 10^21, exactly.
using Wide = unsigned __int128;

constexpr std::array<Wide, 22> buildWidePowers()
{
    std::array<Wide, 22> powers{};
    Wide power = 1;
    for (Wide& entry : powers) {
        entry = power;
        power *= 10;
    }
    return powers;
}

constexpr std::array<Wide, 22> kWidePowers = buildWidePowers();

// Binary exponents (value = significand * 2^exponent, the significand of 53 bits) whose values
// the exact conversion below covers: 2^-14 to 2^53, where drawings' coordinates, lengths and
// angles lie. The others take the general conversion.
constexpr int kLowestExactExponent = -66;
constexpr int kHighestExactExponent = 0;

// `value` without its trailing decimal zeros (it is not zero); `zeros` counts them.
std::uint64_t withoutTrailingZeros(std::uint64_t value, int& zeros)
{
    while (value % 100000000 == 0) {
        value /= 100000000;
        zeros += 8;
    }
    if (value % 10000 == 0) {
        value /= 10000;
        zeros += 4;
    }
    if (value % 100 == 0) {
        value /= 100;
        zeros += 2;
    }
    if (value % 10 == 0) {
        value /= 10;
        zeros += 1;
    }
    return value;
}

// The shortest decimal digits that read back as `magnitude` (positive, finite), and the
// decimal exponent of the first; among texts of that length, the one nearest to the value
// (ties to an even last digit), as the shortest general conversion chooses. False when the
// magnitude lies outside the exponents covered.
//
// Exact arithmetic: scaled by 10^k, k chosen so that a unit of the value's last binary place
// becomes 1 to 10, the value and the two ends of the interval of reals that read back as it
// are fractions over a power of two, held in 128 bits. The whole numbers between the ends
// are the candidates of sixteen or seventeen digits. The interval being shorter than ten, at
// most one of them is a multiple of ten: when there is one, it is the shortest text (with its
// zeros dropped); otherwise every candidate has the same length and the one nearest to the
// value is written.
bool shortestDigits(double magnitude, char* digits, int& count, int& exponent)
{
    std::uint64_t bits = 0;
    std::memcpy(&bits, &magnitude, sizeof bits);
    const int biased = static_cast<int>(bits >> 52);
    const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
    const int binaryExponent = biased - 1075;
    // A power of two has a nearer neighbour below, which can leave the interval without a
    // whole number at this scale: the general conversion writes those.
    if (fraction == 0 || binaryExponent < kLowestExactExponent || binaryExponent > kHighestExactExponent) return false;
    const std::uint64_t significand = fraction | (std::uint64_t{1} << 52);
    // k = -floor(log10(2^binaryExponent)), so that 2^binaryExponent * 10^k lies in [1, 10).
    const int scalePower = -((binaryExponent * 78913) >> 18);
    const Wide scale = kWidePowers[static_cast<std::size_t>(scalePower)];
    // The interval reaches half a unit of the last place each way. Reading rounds halfway to
    // the even significand: the ends belong to the interval when this significand is even.
    const bool endsIncluded = (significand & 1) == 0;
    const int shift = 1 - binaryExponent;
    const Wide centre = static_cast<Wide>(2 * significand) * scale;
    const Wide low = centre - scale, high = centre + scale;
    const Wide mask = (Wide{1} << shift) - 1;
    auto lowest = static_cast<std::uint64_t>((low + mask) >> shift);
    if (!endsIncluded && (low & mask) == 0) ++lowest;
    auto highest = static_cast<std::uint64_t>(high >> shift);
    if (!endsIncluded && (high & mask) == 0) --highest;
    if (lowest > highest) return false;
    int zeros = 0;
    std::uint64_t chosen = highest / 10 * 10;
    if (chosen >= lowest && chosen != 0) {
        chosen = withoutTrailingZeros(chosen, zeros);
    } else {
        // The value rounded to a whole number (ties to even), kept in the interval.
        const auto whole = static_cast<std::uint64_t>(centre >> shift);
        const Wide rest = centre & mask, half = Wide{1} << (shift - 1);
        chosen = whole + ((rest > half || (rest == half && (whole & 1) != 0)) ? 1 : 0);
        chosen = std::clamp(chosen, lowest, highest);
    }
    count = writeDecimalDigits(chosen, digits);
    exponent = count - 1 + zeros - scalePower;
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
    // value, as the host writes them): found exactly where the value's exponent allows,
    // else by the general conversion as "d.ddde+XX".
    char scientific[kRealBufferSize];
    int exponent = 0;
    int count = 0;
    const char* digits = scientific;
    if (shortestDigits(std::fabs(value), scientific, count, exponent)) {
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
