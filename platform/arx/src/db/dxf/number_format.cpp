#include "db/dxf/number_format.h"

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
    const char* const end = std::to_chars(scientific, scientific + sizeof scientific, value,
                                          std::chars_format::scientific).ptr;
    char* p = scientific;
    if (*p == '-') *out++ = *p++;
    const char* e = end - 4;  // the exponent has two or three digits
    while (*e != 'e') --e;
    int exponent = 0;
    for (const char* q = e + 2; q < end; ++q) exponent = exponent * 10 + (*q - '0');
    if (e[1] == '-') exponent = -exponent;
    // The digits side by side: the first moves over the decimal point.
    const char* digits = p;
    if (p[1] == '.') {
        p[1] = p[0];
        digits = p + 1;
    }
    int count = static_cast<int>(e - digits);
    while (count > 1 && digits[count - 1] == '0') --count;

    if (exponent >= kLowestPlainExponent && exponent <= kHighestPlainExponent) {
        if (exponent >= 0) {
            const int integerDigits = exponent + 1;
            if (count <= integerDigits) {
                out = writeDigits(out, digits, count);
                out = writeZeros(out, integerDigits - count);
                std::memcpy(out, ".0", 2);
                out += 2;
            } else {
                out = writeDigits(out, digits, integerDigits);
                *out++ = '.';
                out = writeDigits(out, digits + integerDigits, count - integerDigits);
            }
        } else {
            std::memcpy(out, "0.", 2);
            out = writeZeros(out + 2, -exponent - 1);
            out = writeDigits(out, digits, count);
        }
        return static_cast<std::size_t>(out - start);
    }
    *out++ = digits[0];
    *out++ = '.';
    if (count > 1)
        out = writeDigits(out, digits + 1, count - 1);
    else
        *out++ = '0';
    *out++ = 'E';
    *out++ = exponent < 0 ? '-' : '+';
    const int magnitude = exponent < 0 ? -exponent : exponent;
    if (magnitude < 10) *out++ = '0';
    out = std::to_chars(out, out + 4, magnitude).ptr;
    return static_cast<std::size_t>(out - start);
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
