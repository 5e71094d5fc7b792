#include "ansi_text.h"

#include <cstring>

namespace win32 {

char upperAnsi(char c)
{
    const auto u = static_cast<unsigned char>(c);
    if (u >= 'a' && u <= 'z') return static_cast<char>(u - 32);
    if (u >= 0xE0 && u <= 0xFE && u != 0xF7) return static_cast<char>(u - 32);  // à..þ
    switch (u) {
    case 0x9A: return static_cast<char>(0x8A);  // š
    case 0x9C: return static_cast<char>(0x8C);  // œ
    case 0x9E: return static_cast<char>(0x8E);  // ž
    case 0xFF: return static_cast<char>(0x9F);  // ÿ
    default: return c;
    }
}

bool equalsIgnoreCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (upperAnsi(a[i]) != upperAnsi(b[i])) return false;
    }
    return true;
}

std::string toUpperAnsi(std::string_view text)
{
    std::string result(text);
    for (char& c : result) c = upperAnsi(c);
    return result;
}

std::string_view trimBlanks(std::string_view text)
{
    const char* blanks = " \t\r";
    const size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos) return {};
    const size_t last = text.find_last_not_of(blanks);
    return text.substr(first, last - first + 1);
}

size_t copyTruncated(std::string_view text, char* buffer, size_t size)
{
    if (buffer == nullptr || size == 0) return 0;
    const size_t count = text.size() < size ? text.size() : size - 1;
    if (count > 0) std::memcpy(buffer, text.data(), count);
    buffer[count] = '\0';
    return count;
}

}  // namespace win32
