// The host's own stroke fonts and their metrics. There is no font file to read: each font
// gives every character an advance width by the width class it falls in, in units of the
// text height (the height of a capital letter).
//
// "romans.shx" and "simplex.shx" are the simplex stroke font. Its glyphs sit on a grid 21
// units high (capital height) and advance about 20 units for most letters and digits, 16 for
// a blank, 8 to 10 for the thin ones (i, l, punctuation), 12 to 14 for f, r, t and brackets,
// and 24 to 30 for m, w, M, W; the classes below use those values over 21.
// "txt.shx" and "monotxt.shx" are the basic box fonts: every character and the blank advance
// one text height.
#pragma once
#include <string>
#include <string_view>

namespace arx::gi {

enum class WidthClass { Blank, Thin, Narrow, Normal, Wide };

struct HostFont {
    const char* fileName;  // as styles name it, lower case with extension
    double blank;
    double thin;
    double narrow;
    double normal;
    double wide;

    double advance(WidthClass widthClass) const;
};

// The host font a style names: by file name in any case, with or without folder and
// ".shx". Null when the host has no such font.
const HostFont* findHostFont(std::string_view fontName);
// The font text is measured with when its own cannot be loaded.
const HostFont& fallbackFont();

WidthClass widthClassOf(char32_t glyph);

// How text is laid out for measuring.
struct TextLayout {
    double height = 1.0;
    double widthFactor = 1.0;   // x scale of the glyphs
    double tracking = 1.0;      // advance multiplier
    double obliqueAngle = 0.0;  // radians; slanted glyphs lean past their advance
    bool vertical = false;      // glyphs stacked downwards
};

// Width and height of the glyphs. Horizontal text is as high as the text height (capital
// height; descenders are not counted) and as wide as its advances; vertical text is as wide
// as its widest glyph and one text height plus two thirds of spacing per glyph high. Without
// penups, leading and trailing blanks do not count.
struct TextSize {
    double width = 0.0;
    double height = 0.0;
};
TextSize measureText(const HostFont& font, std::u32string glyphs, const TextLayout& layout, bool penups);

}  // namespace arx::gi
