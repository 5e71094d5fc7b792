// Numbers written the way the host writes them in DXF files.
#pragma once
#include <cstddef>
#include <cstdint>

namespace arx::dxf {

// Room formatReal needs.
constexpr std::size_t kRealBufferSize = 40;

// The shortest decimal text that reads back as exactly `value`: at most seventeen
// significant digits, sixteen or fewer for nearly every value (the host's precision); always
// with a decimal point: "0.0", "1.5", "-566.1685822008871"; plain notation for exponents -4
// to 15, otherwise "1.5E+20" or "1.0E-05". Returns the number of characters written. The
// value must be finite.
std::size_t formatReal(double value, char* out);

// `value` right-aligned in `width` columns (no padding when it is longer).
std::size_t formatInteger(std::int64_t value, int width, char* out);

// A handle as upper-case hexadecimal without leading zeros ("0" for the null handle).
std::size_t formatHandle(std::uint64_t value, char* out);

}  // namespace arx::dxf
