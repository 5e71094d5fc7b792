#include "gi/host_fonts.h"

#include <algorithm>
#include <cmath>
#include <cctype>
#include <iterator>

namespace arx::gi {
namespace {

constexpr double kSimplexGrid = 21.0;

constexpr HostFont kSimplex(const char* name)
{
    return HostFont{
        name, 16.0 / kSimplexGrid, 9.0 / kSimplexGrid, 13.0 / kSimplexGrid, 20.0 / kSimplexGrid, 26.0 / kSimplexGrid};
}

constexpr HostFont kBox(const char* name) { return HostFont{name, 1.0, 1.0, 1.0, 1.0, 1.0}; }

constexpr HostFont kHostFonts[] = {kSimplex("romans.shx"), kSimplex("simplex.shx"), kBox("txt.shx"),
                                   kBox("monotxt.shx")};

std::string normalisedFileName(std::string_view fontName)
{
    const size_t slash = fontName.find_last_of("/\\");
    if (slash != std::string_view::npos) fontName.remove_prefix(slash + 1);
    std::string name;
    std::transform(fontName.begin(), fontName.end(), std::back_inserter(name),
                   [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); });
    if (name.find('.') == std::string::npos) name += ".shx";
    return name;
}

bool isOneOf(char32_t glyph, std::u32string_view set) { return set.find(glyph) != std::u32string_view::npos; }

}  // namespace

double HostFont::advance(WidthClass widthClass) const
{
    switch (widthClass) {
    case WidthClass::Blank: return blank;
    case WidthClass::Thin: return thin;
    case WidthClass::Narrow: return narrow;
    case WidthClass::Wide: return wide;
    case WidthClass::Normal: break;
    }
    return normal;
}

const HostFont* findHostFont(std::string_view fontName)
{
    if (fontName.empty()) return nullptr;
    const std::string name = normalisedFileName(fontName);
    for (const HostFont& font : kHostFonts)
        if (name == font.fileName) return &font;
    return nullptr;
}

const HostFont& fallbackFont() { return kHostFonts[2]; }

WidthClass widthClassOf(char32_t glyph)
{
    if (glyph == U' ') return WidthClass::Blank;
    if (isOneOf(glyph, U"iIjl!|.,:;'`")) return WidthClass::Thin;
    if (isOneOf(glyph, U"frtJ()[]{}\"")) return WidthClass::Narrow;
    if (isOneOf(glyph, U"mwMW@%")) return WidthClass::Wide;
    return WidthClass::Normal;
}

namespace {

constexpr double kVerticalSpacing = 2.0 / 3.0;

void trimBlanks(std::u32string& glyphs)
{
    const size_t first = glyphs.find_first_not_of(U' ');
    if (first == std::u32string::npos) {
        glyphs.clear();
        return;
    }
    glyphs.erase(glyphs.find_last_not_of(U' ') + 1);
    glyphs.erase(0, first);
}

}  // namespace

TextSize measureText(const HostFont& font, std::u32string glyphs, const TextLayout& layout, bool penups)
{
    if (!penups) trimBlanks(glyphs);
    TextSize size;
    if (glyphs.empty()) return size;
    const double scale = layout.height * layout.widthFactor;
    if (layout.vertical) {
        for (char32_t g : glyphs) size.width = std::max(size.width, font.advance(widthClassOf(g)) * scale);
        const double n = static_cast<double>(glyphs.size());
        size.height = layout.height * (n + kVerticalSpacing * (n - 1.0));
        return size;
    }
    for (char32_t g : glyphs) size.width += font.advance(widthClassOf(g)) * scale * layout.tracking;
    size.width += std::fabs(layout.height * std::tan(layout.obliqueAngle));
    size.height = layout.height;
    return size;
}

}  // namespace arx::gi
