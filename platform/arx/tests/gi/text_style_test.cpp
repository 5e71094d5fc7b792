// Text styles: the host's fonts load, others do not, and extents follow the width classes
// of the font scaled by the style.
#include <gtest/gtest.h>

#include <cmath>

#include "acgi.h"
#include "gi/host_fonts.h"
#include "gi/text_codes.h"

namespace {

constexpr double kGrid = 21.0;  // the simplex font's capital height in its own units

AcGiTextStyle romans(double height)
{
    return AcGiTextStyle("romans.shx", "", height, 1.0, 0.0, 1.0, false, false, false, false, false, "LABEL");
}

TEST(TextStyle, KeepsWhatItIsGiven)
{
    AcGiTextStyle style("romans.shx", "big.shx", 2.5, 0.8, 0.2, 1.1, true, false, true, false, true, "NOTES");
    EXPECT_STREQ(style.fileName(), "romans.shx");
    EXPECT_STREQ(style.bigFontFileName(), "big.shx");
    EXPECT_STREQ(style.styleName(), "NOTES");
    EXPECT_DOUBLE_EQ(style.textSize(), 2.5);
    EXPECT_DOUBLE_EQ(style.xScale(), 0.8);
    EXPECT_DOUBLE_EQ(style.obliquingAngle(), 0.2);
    EXPECT_DOUBLE_EQ(style.trackingPercent(), 1.1);
    EXPECT_TRUE(style.isBackward());
    EXPECT_FALSE(style.isUpsideDown());
    EXPECT_TRUE(style.isVertical());
    EXPECT_TRUE(style.isUnderlined());
    EXPECT_FALSE(style.isOverlined());

    AcGiTextStyle copy = style;
    style.setTextSize(9.0);
    style.setFileName(nullptr);
    EXPECT_DOUBLE_EQ(copy.textSize(), 2.5);
    EXPECT_STREQ(copy.fileName(), "romans.shx");
    EXPECT_STREQ(style.fileName(), "");

    const AcGiTextStyle plain;
    EXPECT_STREQ(plain.fileName(), "");
    EXPECT_DOUBLE_EQ(plain.xScale(), 1.0);
    EXPECT_DOUBLE_EQ(plain.trackingPercent(), 1.0);
}

TEST(TextStyle, LoadsTheHostFontsByFileName)
{
    for (const char* name :
         {"romans.shx", "ROMANS.SHX", "romans", "C:\\Fonts\\romans.shx", "fonts/simplex.shx", "txt.shx", "monotxt"}) {
        AcGiTextStyle style;
        style.setFileName(name);
        EXPECT_EQ(style.loadStyleRec(), 1) << name;
    }
    for (const char* name : {"", "arial.ttf", "romans.shx.bak", "nosuch.shx"}) {
        AcGiTextStyle style;
        style.setFileName(name);
        EXPECT_EQ(style.loadStyleRec(), 0) << name;
    }
    // The host has no big fonts: asking for one loads only the font.
    AcGiTextStyle withBigFont("romans.shx", "bigfont.shx", 1, 1, 0, 1, false, false, false, false, false);
    EXPECT_EQ(withBigFont.loadStyleRec(), 1);
}

TEST(TextStyle, ExtentsAddTheWidthClassesOfTheGlyphs)
{
    // "1", "0" are normal (20), ":" thin (9), blank 16, "m" wide (26), "r" narrow (13).
    EXPECT_NEAR(romans(2.0).extents("1:100", true, -1, false).x, 2.0 * (4 * 20 + 9) / kGrid, 1e-12);
    EXPECT_NEAR(romans(2.0).extents("1:100", true, -1, false).y, 2.0, 1e-12);
    EXPECT_NEAR(romans(1.0).extents("rm m", true, -1, false).x, (13 + 26 + 16 + 26) / kGrid, 1e-12);
    // Height scales the width in proportion.
    const double small = romans(1.0).extents("Scale 1:50", true, -1, false).x;
    EXPECT_NEAR(romans(3.5).extents("Scale 1:50", true, -1, false).x, 3.5 * small, 1e-12);
    // The box fonts give every glyph one height.
    AcGiTextStyle txt("txt.shx", nullptr, 2.0, 1.0, 0.0, 1.0, false, false, false, false, false);
    EXPECT_NEAR(txt.extents("Mi .", true, -1, false).x, 8.0, 1e-12);
}

TEST(TextStyle, ExtentsFollowScaleTrackingObliqueAndVertical)
{
    AcGiTextStyle style = romans(1.0);
    const double base = style.extents("ABC", true, -1, false).x;
    style.setXScale(0.5);
    EXPECT_NEAR(style.extents("ABC", true, -1, false).x, base * 0.5, 1e-12);
    style.setXScale(1.0);
    style.setTrackingPercent(1.5);
    EXPECT_NEAR(style.extents("ABC", true, -1, false).x, base * 1.5, 1e-12);
    style.setTrackingPercent(1.0);
    style.setObliquingAngle(0.25);
    EXPECT_NEAR(style.extents("ABC", true, -1, false).x, base + std::tan(0.25), 1e-12);
    style.setObliquingAngle(0.0);
    style.setVertical(true);
    const AcGePoint2d vertical = style.extents("AiM", true, -1, false);
    EXPECT_NEAR(vertical.x, 26 / kGrid, 1e-12);
    EXPECT_NEAR(vertical.y, 3.0 + 2.0 * 2.0 / 3.0, 1e-12);
}

TEST(TextStyle, ExtentsReadLengthPenupsAndCodes)
{
    const AcGiTextStyle style = romans(1.0);
    EXPECT_NEAR(style.extents("  AB  ", true, -1, false).x, (4 * 16 + 2 * 20) / kGrid, 1e-12);
    EXPECT_NEAR(style.extents("  AB  ", false, -1, false).x, 2 * 20 / kGrid, 1e-12);
    EXPECT_NEAR(style.extents("ABCDEF", true, 2, false).x, 2 * 20 / kGrid, 1e-12);
    EXPECT_NEAR(style.extents("AB", true, 10, false).x, 2 * 20 / kGrid, 1e-12);
    // %%d is one degree sign; raw text measures the five bytes; %%u shows nothing.
    EXPECT_NEAR(style.extents("45%%d", true, -1, false).x, 3 * 20 / kGrid, 1e-12);
    EXPECT_NEAR(style.extents("45%%d", true, -1, true).x, (2 * 20 + 2 * 26 + 20) / kGrid, 1e-12);
    EXPECT_NEAR(style.extents("%%uA%%u", true, -1, false).x, 20 / kGrid, 1e-12);
    // Nothing to show measures nothing, and a missing string is not a fault.
    EXPECT_EQ(style.extents("", true, -1, false).x, 0.0);
    EXPECT_EQ(style.extents("   ", false, -1, false).y, 0.0);
    EXPECT_EQ(style.extents(nullptr, true, -1, false).x, 0.0);
}

TEST(TextStyle, AnUnknownFontIsMeasuredWithTheFallback)
{
    AcGiTextStyle style("nosuch.shx", nullptr, 2.0, 1.0, 0.0, 1.0, false, false, false, false, false);
    EXPECT_NEAR(style.extents("abc", true, -1, false).x, 6.0, 1e-12);
}

TEST(TextCodes, DecodeControlCodesUnlessRaw)
{
    using arx::gi::decodeText;
    EXPECT_EQ(decodeText("%%c10 %%p0.1 90%%d", -1, false), U"\u230010 \u00B10.1 90\u00B0");
    EXPECT_EQ(decodeText("100%%%", -1, false), U"100%");
    EXPECT_EQ(decodeText("%%065%%066", -1, false), U"AB");
    EXPECT_EQ(decodeText("%%oover%%o", -1, false), U"over");
    EXPECT_EQ(decodeText("%%", -1, false), U"%%");
    EXPECT_EQ(decodeText("%%d", -1, true), U"%%d");
    // Control characters show nothing; bytes above 127 are Latin-1.
    EXPECT_EQ(decodeText("\rA\tB\n", -1, false), U"AB");
    EXPECT_EQ(decodeText("\xE9t\xE9", -1, false), U"\u00E9t\u00E9");
    EXPECT_EQ(arx::gi::toUtf8(decodeText("\xE9%%d%%c", -1, false)), "\xC3\xA9\xC2\xB0\xE2\x8C\x80");
}

}  // namespace
