#include "utf16_text.h"

namespace win32::registry {
namespace {

// Unicode code points of the code page 1252 bytes 0x80..0x9F; 0 where the byte is unassigned
// (those bytes map to the C1 control of the same number).
constexpr char16_t kHighControls[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                        0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                        0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                        0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

std::optional<char> ansiOf(char16_t unit)
{
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) return static_cast<char>(unit);
    for (int i = 0; i < 32; ++i) {
        if (kHighControls[i] == unit || (kHighControls[i] == 0 && unit == 0x80 + i)) {
            return static_cast<char>(0x80 + i);
        }
    }
    return std::nullopt;
}

}  // namespace

bool startsWithUtf16LeMark(std::string_view bytes)
{
    return bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
           static_cast<unsigned char>(bytes[1]) == 0xFE;
}

std::optional<std::string> utf16LeToAnsi(std::string_view bytes, int* failedLine)
{
    std::string text;
    text.reserve(bytes.size() / 2);
    int line = 1;
    for (size_t i = 2; i < bytes.size(); i += 2) {
        if (i + 1 >= bytes.size()) {
            *failedLine = line;
            return std::nullopt;
        }
        const auto unit = static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                                (static_cast<unsigned char>(bytes[i + 1]) << 8));
        const std::optional<char> ansi = ansiOf(unit);
        if (!ansi) {
            *failedLine = line;
            return std::nullopt;
        }
        if (*ansi == '\n') ++line;
        text.push_back(*ansi);
    }
    return text;
}

}  // namespace win32::registry
