#include "db/dxf/number_format.h"

#include <algorithm>
#include <array>
#include <bit>
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

// `value`, below 10^8, as exactly eight digits, all computed at once in one word: its two
// halves of four digits in 32-bit lanes, each split into two pairs in 16-bit lanes, each pair
// into two digits in bytes (x / 100 as (x * 5243) >> 19 below 10^4, x / 10 as (x * 103) >> 10
// below 100; no lane overflows into the next). The first digit is the word's lowest byte, so
// the word is stored as it is on a little-endian machine.
void writeEightDigits(std::uint32_t value, char* digits)
{
    static_assert(std::endian::native == std::endian::little);
    const std::uint64_t halves = (value / 10000) | (std::uint64_t{value % 10000} << 32);
    const std::uint64_t hundreds = ((halves * 5243) >> 19) & 0x0000007F0000007Full;
    const std::uint64_t pairs = hundreds | ((halves - 100 * hundreds) << 16);
    const std::uint64_t tens = ((pairs * 103) >> 10) & 0x000F000F000F000Full;
    const std::uint64_t text = (tens | ((pairs - 10 * tens) << 8)) + 0x3030303030303030ull;
    std::memcpy(digits, &text, sizeof text);
}

// Room before the seventeen digits of a candidate, so that trailing zeros are found eight
// characters at a time without reading outside the buffer.
constexpr int kDigitsAt = 8;

// `value`, below 10^17, as seventeen digits (with leading zeros) at digits[kDigitsAt].
// Returns the number of its significant digits without the leading and trailing zeros, and
// sets `first` to the first significant one; `length` is the number of digits of `value`.
int writeCandidate(std::uint64_t value, char* digits, const char*& first, int& length)
{
    constexpr std::uint64_t kEight = 100000000;
    char* const at = digits + kDigitsAt;
    const std::uint64_t upper = value / kEight;
    at[0] = static_cast<char>('0' + upper / kEight);
    writeEightDigits(static_cast<std::uint32_t>(upper % kEight), at + 1);
    writeEightDigits(static_cast<std::uint32_t>(value % kEight), at + 9);
    // A candidate has sixteen or seventeen digits.
    const int leading = at[0] == '0' ? 1 : 0;
    first = at + leading;
    length = 17 - leading;
    // Trailing zeros, eight characters at a time: XOR-ed with "00000000" they are the zero
    // bytes at the top of the word (the last characters are its high bytes).
    int count = length;
    const char* end = at + 17;
    for (;;) {
        std::uint64_t word = 0;
        std::memcpy(&word, end - 8, sizeof word);
        word ^= 0x3030303030303030ull;
        if (word != 0) return count - __builtin_clzll(word) / 8;
        count -= 8;
        end -= 8;
    }
}

// Unsigned integers of 128 bits: wide enough for a double's significand times the scales
// below, exactly.
using Wide = unsigned __int128;

// Binary exponents (value = significand * 2^exponent, the significand of 53 bits) whose values
// the exact conversion below covers: 2^-14 to 2^53, where drawings' coordinates, lengths and
// angles lie. The others take the general conversion.
constexpr int kLowestExactExponent = -66;
constexpr int kHighestExactExponent = 0;

// For each binary exponent q covered: k = -floor(log10(2^q)), so that 2^q * 10^k lies in
// [1, 10), and the scale 10^k * 2^(63 + q) = 2^63 * (2^q * 10^k), a whole number (5^k times
// a power of two) below 10 * 2^63. Twice a significand times it is twice the value times 10^k
// as a fraction over 2^64: its whole part is the high 64 bits, with no shifting.
struct Scale {
    Wide factor;
    int decimalPower;
};

constexpr std::array<Scale, kHighestExactExponent - kLowestExactExponent + 1> buildScales()
{
    std::array<Scale, kHighestExactExponent - kLowestExactExponent + 1> scales{};
    for (int q = kLowestExactExponent; q <= kHighestExactExponent; ++q) {
        const int k = -((q * 78913) >> 18);
        Wide factor = 1;
        for (int i = 0; i < k; ++i) factor *= 5;
        factor <<= k + 63 + q;
        scales[static_cast<std::size_t>(q - kLowestExactExponent)] = Scale{factor, k};
    }
    return scales;
}

constexpr auto kScales = buildScales();

// The shortest decimal digits that read back as `magnitude` (positive, finite), written in
// `buffer` (`digits` points at the first, `count` of them), and the decimal exponent of the
// first; among texts of that length, the one nearest to the value
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
bool shortestDigits(double magnitude, char* buffer, const char*& digits, int& count, int& exponent)
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
    const Scale& scale = kScales[static_cast<std::size_t>(binaryExponent - kLowestExactExponent)];
    // The interval reaches half a unit of the last place each way. Reading rounds halfway to
    // the even significand: the ends belong to the interval when this significand is even.
    // Each is a fraction over 2^64: whole part above, the rest in the low 64 bits.
    const bool endsIncluded = (significand & 1) == 0;
    const Wide centre = static_cast<Wide>(2 * significand) * scale.factor;
    const Wide low = centre - scale.factor, high = centre + scale.factor;
    auto lowest = static_cast<std::uint64_t>(low >> 64) + (static_cast<std::uint64_t>(low) != 0 ? 1 : 0);
    if (!endsIncluded && static_cast<std::uint64_t>(low) == 0) ++lowest;
    auto highest = static_cast<std::uint64_t>(high >> 64);
    if (!endsIncluded && static_cast<std::uint64_t>(high) == 0) --highest;
    if (lowest > highest) return false;
    std::uint64_t chosen = highest / 10 * 10;
    if (chosen < lowest || chosen == 0) {
        // The value rounded to a whole number (ties to even), kept in the interval.
        const auto whole = static_cast<std::uint64_t>(centre >> 64);
        const auto rest = static_cast<std::uint64_t>(centre);
        constexpr std::uint64_t kHalf = std::uint64_t{1} << 63;
        chosen = whole + ((rest > kHalf || (rest == kHalf && (whole & 1) != 0)) ? 1 : 0);
        chosen = std::clamp(chosen, lowest, highest);
    }
    int length = 0;
    count = writeCandidate(chosen, buffer, digits, length);
    exponent = length - 1 - scale.decimalPower;
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
    // (The conversion to an integer is exact in that range, and cheaper than a call to trunc.)
    if (value > -kLargestPlainInteger && value < kLargestPlainInteger &&
        static_cast<double>(static_cast<std::int64_t>(value)) == value) {
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
    if (shortestDigits(std::fabs(value), scientific, digits, count, exponent)) {
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
    static constexpr char kHexDigits[] = "0123456789ABCDEF";
    // The number of hexadecimal digits, from the highest bit set (one for zero).
    const int length = value == 0 ? 1 : (67 - __builtin_clzll(value)) / 4;
    for (int at = length - 1; at >= 0; --at) {
        out[at] = kHexDigits[value & 15];
        value >>= 4;
    }
    return static_cast<std::size_t>(length);
}

}  // namespace arx::dxf
