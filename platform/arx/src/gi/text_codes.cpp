#include "gi/text_codes.h"

#include <cctype>

namespace arx::gi {
namespace {

// The glyph of the control code starting at text[i] (just after "%%"); advances i past it.
// Toggles give 0.
char32_t readControlCode(std::string_view text, size_t& i)
{
    const char c = text[i];
    switch (std::tolower(static_cast<unsigned char>(c))) {
    case 'd': ++i; return kDegreeSign;
    case 'p': ++i; return kPlusMinusSign;
    case 'c': ++i; return kDiameterSign;
    case 'o':
    case 'u': ++i; return 0;
    default: break;
    }
    if (i + 2 < text.size() && std::isdigit(static_cast<unsigned char>(text[i])) &&
        std::isdigit(static_cast<unsigned char>(text[i + 1])) &&
        std::isdigit(static_cast<unsigned char>(text[i + 2]))) {
        const int code = (text[i] - '0') * 100 + (text[i + 1] - '0') * 10 + (text[i + 2] - '0');
        i += 3;
        return code < 32 || code > 255 ? 0 : static_cast<char32_t>(code);
    }
    ++i;
    return static_cast<unsigned char>(c);
}

}  // namespace

std::u32string decodeText(std::string_view text, int length, bool raw)
{
    if (length >= 0 && static_cast<size_t>(length) < text.size()) text = text.substr(0, length);
    std::u32string glyphs;
    size_t i = 0;
    while (i < text.size()) {
        char32_t glyph;
        if (!raw && text[i] == '%' && i + 2 < text.size() && text[i + 1] == '%') {
            i += 2;
            glyph = readControlCode(text, i);
        } else {
            glyph = static_cast<unsigned char>(text[i++]);
        }
        if (glyph >= 32 && glyph != 127) glyphs.push_back(glyph);
    }
    return glyphs;
}

std::string toUtf8(const std::u32string& glyphs)
{
    std::string out;
    for (char32_t g : glyphs) {
        if (g < 0x80) {
            out.push_back(static_cast<char>(g));
        } else if (g < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (g >> 6)));
            out.push_back(static_cast<char>(0x80 | (g & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xE0 | (g >> 12)));
            out.push_back(static_cast<char>(0x80 | ((g >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (g & 0x3F)));
        }
    }
    return out;
}

}  // namespace arx::gi
