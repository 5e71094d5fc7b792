// The DXF text layer: group types, the tokenizer, value checks and the writer's formats.
#include <gtest/gtest.h>

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "db/dxf/format_error.h"
#include "db/dxf/group_code.h"
#include "db/dxf/number_format.h"
#include "db/dxf/text_writer.h"
#include "db/dxf/tokenizer.h"

using namespace arx::dxf;

namespace {

std::vector<Group> tokenize(std::string_view text)
{
    Tokenizer tokens(text);
    std::vector<Group> groups;
    Group group;
    while (tokens.next(group)) groups.push_back(group);
    return groups;
}

std::string errorOf(std::string_view text)
{
    try {
        tokenize(text);
    } catch (const FormatError& error) {
        return error.what();
    }
    return "";
}

std::string real(double value)
{
    char text[kRealBufferSize];
    return std::string(text, formatReal(value, text));
}

// Significant digits without trailing zeros and the decimal exponent of a text.
struct Decimal {
    std::string digits;
    int exponent = 0;
    bool operator==(const Decimal&) const = default;
};

Decimal decimalOf(std::string text)
{
    Decimal decimal;
    if (!text.empty() && text[0] == '-') text.erase(0, 1);
    const std::size_t mark = text.find_first_of("Ee");
    int exponent = 0;
    if (mark != std::string::npos) {
        std::from_chars(text.data() + mark + 1 + (text[mark + 1] == '+'), text.data() + text.size(), exponent);
        text.resize(mark);
    }
    const std::size_t point = text.find('.');
    const int pointAt = static_cast<int>(point == std::string::npos ? text.size() : point);
    if (point != std::string::npos) text.erase(point, 1);
    const std::size_t first = text.find_first_not_of('0');
    if (first == std::string::npos) return decimal;
    decimal.exponent = exponent + pointAt - 1 - static_cast<int>(first);
    decimal.digits = text.substr(first);
    while (decimal.digits.size() > 1 && decimal.digits.back() == '0') decimal.digits.pop_back();
    return decimal;
}

// The digits and exponent of the standard library's shortest conversion.
Decimal shortest(double value)
{
    char text[64];
    const auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::scientific).ptr;
    return decimalOf(std::string(text, end));
}

}  // namespace

TEST(GroupCode, TypesFollowTheReferenceRanges)
{
    EXPECT_EQ(groupTypeOf(0), GroupType::String);
    EXPECT_EQ(groupTypeOf(5), GroupType::Handle);
    EXPECT_EQ(groupTypeOf(105), GroupType::Handle);
    EXPECT_EQ(groupTypeOf(10), GroupType::Real);
    EXPECT_EQ(groupTypeOf(39), GroupType::Real);
    EXPECT_EQ(groupTypeOf(59), GroupType::Real);
    EXPECT_EQ(groupTypeOf(62), GroupType::Int16);
    EXPECT_EQ(groupTypeOf(90), GroupType::Int32);
    EXPECT_EQ(groupTypeOf(102), GroupType::String);
    EXPECT_EQ(groupTypeOf(160), GroupType::Int64);
    EXPECT_EQ(groupTypeOf(290), GroupType::Bool);
    EXPECT_EQ(groupTypeOf(310), GroupType::Binary);
    EXPECT_EQ(groupTypeOf(330), GroupType::ObjectId);
    EXPECT_EQ(groupTypeOf(369), GroupType::ObjectId);
    EXPECT_EQ(groupTypeOf(390), GroupType::Handle);
    EXPECT_EQ(groupTypeOf(420), GroupType::Int32);
    EXPECT_EQ(groupTypeOf(1004), GroupType::Binary);
    EXPECT_EQ(groupTypeOf(1005), GroupType::Handle);
    EXPECT_EQ(groupTypeOf(1040), GroupType::Real);
    EXPECT_EQ(groupTypeOf(1070), GroupType::Int16);
    EXPECT_EQ(groupTypeOf(1071), GroupType::Int32);
    for (int invalid : {-1, 80, 89, 103, 150, 200, 500, 998, 1072, 5000})
        EXPECT_EQ(groupTypeOf(invalid), GroupType::Invalid) << invalid;
    EXPECT_TRUE(isPointXCode(10));
    EXPECT_TRUE(isPointXCode(210));
    EXPECT_TRUE(isPointXCode(1011));
    EXPECT_FALSE(isPointXCode(20));
    EXPECT_FALSE(isPointXCode(40));
}

TEST(Tokenizer, ReadsLfCrlfAndAMissingFinalLineEnd)
{
    for (std::string_view text :
         {"  0\nSECTION\n  2\nHEADER\n 10\n1.5\n", "  0\r\nSECTION\r\n  2\r\nHEADER\r\n 10\r\n1.5\r\n",
          "0\nSECTION\r\n2\nHEADER\n10\n1.5"}) {
        const auto groups = tokenize(text);
        ASSERT_EQ(groups.size(), 3u) << text;
        EXPECT_TRUE(groups[0].is(0, "SECTION"));
        EXPECT_TRUE(groups[1].is(2, "HEADER"));
        EXPECT_EQ(groups[2].code, 10);
        EXPECT_EQ(groups[2].line, 5);
        EXPECT_EQ(groups[2].valueLine(), 6);
        EXPECT_EQ(realValue(groups[2]), 1.5);
    }
}

TEST(Tokenizer, KeepsStringsByteForByteAndSkipsCommentsAndByteOrderMark)
{
    const auto groups = tokenize("\xEF\xBB\xBF  0\nTEXT\n999\nwritten by hand\n  1\n  two  spaces \xE9\x85\x0b\r\n");
    ASSERT_EQ(groups.size(), 2u);
    EXPECT_EQ(groups[1].value, "  two  spaces \xE9\x85\x0b");
    EXPECT_EQ(groups[1].line, 5);
}

TEST(Tokenizer, CodeLinesReadTheSameWhateverTheirPadding)
{
    // Right-aligned codes, codes with blanks or tabs around them and leading zeros all name the
    // same group; anything but blanks around the digits does not.
    for (std::string_view code : {"  8", "8", "8 ", "\t8", " 008", "0008", "00008"}) {
        const auto groups = tokenize(std::string(code) + "\nlayer\n");
        ASSERT_EQ(groups.size(), 1u) << code;
        EXPECT_EQ(groups[0].code, 8) << code;
    }
    EXPECT_EQ(tokenize("1071\n7\n")[0].code, 1071);
    EXPECT_EQ(errorOf("  0\nA\n 8 8\nfoo\n"), "Error in DXF file at line 3: invalid group code \" 8 8\"");
    EXPECT_EQ(errorOf("  0\nA\n10710\nfoo\n"), "Error in DXF file at line 3: unknown group code 10710");
    EXPECT_EQ(errorOf("  0\nA\n-\nfoo\n"), "Error in DXF file at line 3: invalid group code \"-\"");
    EXPECT_EQ(errorOf("  0\nA\n+8\nfoo\n"), "Error in DXF file at line 3: invalid group code \"+8\"");
    EXPECT_EQ(errorOf("  0\nA\n -4\nAND\n"), "Error in DXF file at line 3: unknown group code -4");
}

TEST(Tokenizer, PushBackReturnsTheSameGroupAgain)
{
    Tokenizer tokens("  1\na\n  2\nb\n");
    Group first, again, second;
    ASSERT_TRUE(tokens.next(first));
    tokens.pushBack(first);
    ASSERT_TRUE(tokens.next(again));
    EXPECT_TRUE(again.is(1, "a"));
    ASSERT_TRUE(tokens.next(second));
    EXPECT_TRUE(second.is(2, "b"));
    EXPECT_FALSE(tokens.next(second));
}

// A text tokenized as it arrives in two pieces, cut at `cut`; each group is described by its
// code, value and line, and an error by its message.
std::string tokenizeArriving(std::string_view text, std::size_t cut)
{
    std::string seen;
    try {
        Tokenizer tokens(text.substr(0, cut), cut == text.size());
        Group group;
        for (;;) {
            if (tokens.next(group)) {
                seen += std::to_string(group.code) + "=" + std::string(group.value) + "@" + std::to_string(group.line) +
                        ";";
                continue;
            }
            if (!tokens.waiting()) break;
            tokens.extend(text, true);
        }
        seen += "end@" + std::to_string(tokens.line());
    } catch (const FormatError& error) {
        seen += error.what();
    }
    return seen;
}

TEST(Tokenizer, ATextThatArrivesInPiecesGivesTheSameGroupsAndErrors)
{
    for (std::string_view text :
         {std::string_view("  0\r\nSECTION\r\n999\r\nnote\r\n  2\r\nHEADER\r\n 10\r\n1.5"),
          std::string_view("  0\nLINE\n  8\n\n 62\n7\n"), std::string_view("  0\nLINE\n 8 8\nx\n"),
          std::string_view("  0\nLINE\n 62\n"), std::string_view("\xEF\xBB\xBF  0\nEOF\n")}) {
        const std::string whole = tokenizeArriving(text, text.size());
        // The first piece holds the start of the file, where the tokenizer looks for its marks.
        for (std::size_t cut = 3; cut < text.size(); ++cut) EXPECT_EQ(tokenizeArriving(text, cut), whole) << cut;
    }
}

TEST(Tokenizer, RefusesBadCodesMissingValuesAndBinaryFiles)
{
    EXPECT_EQ(errorOf("  0\nSECTION\nXY\nfoo\n"), "Error in DXF file at line 3: invalid group code \"XY\"");
    EXPECT_EQ(errorOf("  0\nSECTION\n 1.5\nfoo\n"), "Error in DXF file at line 3: invalid group code \" 1.5\"");
    EXPECT_EQ(errorOf("  0\nA\n\nfoo\n"), "Error in DXF file at line 3: invalid group code \"\"");
    EXPECT_EQ(errorOf("  0\nA\n 85\nfoo\n"), "Error in DXF file at line 3: unknown group code 85");
    EXPECT_EQ(errorOf("  0\nSECTION\n  2\n"),
              "Error in DXF file at line 3: group code 2 has no value (unexpected end of file)");
    EXPECT_EQ(errorOf(std::string("AutoCAD Binary DXF\r\n\x1a\0", 22)),
              "Error in DXF file at line 1: binary DXF files are not supported; save the drawing as ASCII DXF");
}

TEST(GroupValues, NumbersAreCheckedAgainstTheirGroupType)
{
    auto group = [](int code, std::string_view value) { return Group{code, value, 41}; };
    EXPECT_EQ(realValue(group(10, "  -2.5E+3 ")), -2500.0);
    EXPECT_EQ(realValue(group(40, "+.5")), 0.5);
    EXPECT_EQ(realValue(group(40, "7E0")), 7.0);
    EXPECT_EQ(integerValue(group(70, "    -7")), -7);
    EXPECT_EQ(integerValue(group(90, " 33554508")), 33554508);
    EXPECT_EQ(integerValue(group(160, "-9223372036854775808")), std::numeric_limits<std::int64_t>::min());
    EXPECT_EQ(handleValue(group(5, "1f4A")), 0x1F4Au);

    auto message = [](auto call) {
        try {
            call();
        } catch (const FormatError& error) {
            EXPECT_EQ(error.line(), 42);
            return std::string(error.what());
        }
        return std::string();
    };
    EXPECT_EQ(message([&] { realValue(group(10, "1,5")); }),
              "Error in DXF file at line 42: group 10 needs a real number, found \"1,5\"");
    EXPECT_NE(message([&] { realValue(group(10, "")); }), "");
    EXPECT_NE(message([&] { realValue(group(10, "nan")); }), "");
    EXPECT_NE(message([&] { realValue(group(10, "1e999")); }), "");
    EXPECT_EQ(message([&] { integerValue(group(70, "1.0")); }),
              "Error in DXF file at line 42: group 70 needs a 16-bit integer, found \"1.0\"");
    EXPECT_EQ(message([&] { integerValue(group(70, "40000")); }),
              "Error in DXF file at line 42: group 70 value 40000 does not fit a 16-bit integer");
    EXPECT_NE(message([&] { integerValue(group(90, "2147483648")); }), "");
    EXPECT_NE(message([&] { handleValue(group(5, "G1")); }), "");
    EXPECT_NE(message([&] { handleValue(group(5, "11112222333344445")); }), "");
}

TEST(NumberFormat, RealsLookAsTheHostWritesThem)
{
    EXPECT_EQ(real(0.0), "0.0");
    EXPECT_EQ(real(-0.0), "-0.0");
    EXPECT_EQ(real(1.0), "1.0");
    EXPECT_EQ(real(12.0), "12.0");
    EXPECT_EQ(real(0.05), "0.05");
    EXPECT_EQ(real(1852.185633549592), "1852.185633549592");
    EXPECT_EQ(real(0.0001), "0.0001");
    EXPECT_EQ(real(0.00001), "1.0E-05");
    EXPECT_EQ(real(1.224646799147353e-16), "1.224646799147353E-16");
    EXPECT_EQ(real(2e50), "2.0E+50");
    EXPECT_EQ(real(1e15), "1000000000000000.0");
    EXPECT_EQ(real(1e16), "1.0E+16");
    EXPECT_EQ(real(-1.797693134862314e+99), "-1.797693134862314E+99");
    EXPECT_EQ(real(1e-300), "1.0E-300");
    EXPECT_EQ(real(123456.5), "123456.5");
    EXPECT_EQ(real(0.1), "0.1");
    EXPECT_EQ(real(1.0 / 3.0), "0.3333333333333333");
    EXPECT_EQ(real(0.1 + 0.2), "0.30000000000000004");  // needs the seventeenth digit
}

TEST(NumberFormat, EveryRealReadsBackExactlyInAtMost17Digits)
{
    std::mt19937_64 random(2000);
    std::uniform_real_distribution<double> uniform(-1e6, 1e6);
    char text[kRealBufferSize];
    auto check = [&](double value) {
        const std::size_t length = formatReal(value, text);
        ASSERT_LT(length, kRealBufferSize);
        double back = 0;
        ASSERT_TRUE(parseReal(std::string_view(text, length), back)) << std::string(text, length);
        ASSERT_EQ(std::memcmp(&back, &value, sizeof value), 0) << std::string(text, length);
        int digits = 0;
        for (std::size_t i = 0; i < length && text[i] != 'E'; ++i) digits += (text[i] >= '0' && text[i] <= '9');
        ASSERT_LE(digits, 17 + 5) << std::string(text, length);  // plus leading zeros of 0.0000d
    };
    for (int i = 0; i < 200000; ++i) check(uniform(random));
    for (int i = 0; i < 200000; ++i) {
        std::uint64_t bits = random();
        double value;
        std::memcpy(&value, &bits, sizeof value);
        if (std::isfinite(value)) check(value);
    }
    for (double value : {std::numeric_limits<double>::max(), std::numeric_limits<double>::min(),
                         std::numeric_limits<double>::denorm_min(), 0.1, 0.2, 0.3, 1.0 / 3.0, M_PI})
        check(value);
}

// Whole numbers below 1e15 take a shortcut: their integer's digits, which must be the
// shortest text as the general conversion finds it (1200 is "1200.0", not "1.2E+03").
TEST(NumberFormat, WholeNumbersWriteAsTheShortestPlainText)
{
    std::mt19937_64 random(1015);
    auto expected = [](double value) {
        char text[64];
        const auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed).ptr;
        return std::string(text, end) + ".0";
    };
    std::vector<double> values = {1,
                                  -1,
                                  10,
                                  1200,
                                  -999999999999999.0,
                                  999999999999999.0,
                                  562949953421312.0,
                                  123456789012345.0,
                                  100000000000000.0,
                                  4503599627370496.0 / 8};
    for (int i = 0; i < 100000; ++i) {
        const int digits = 1 + static_cast<int>(random() % 15);
        double value = static_cast<double>(random() % static_cast<std::uint64_t>(std::pow(10.0, digits)));
        if (random() & 1) value = -value;
        if (value != 0) values.push_back(value);
    }
    for (double value : values) ASSERT_EQ(real(value), expected(value)) << value;
    // Next to a whole number the general conversion still answers.
    EXPECT_EQ(real(std::nextafter(1200.0, 2000.0)), "1200.0000000000002");
    EXPECT_EQ(real(std::nextafter(1e15, 0.0)), "999999999999999.9");
}

// Reals of up to sixteen significant digits take a shortcut past the general conversion; the
// digits and exponent written must be those of the shortest conversion for every value:
// short decimals, results of arithmetic, values next to powers of ten and arbitrary bit
// patterns alike.
TEST(NumberFormat, DigitsAreThoseOfTheShortestConversion)
{
    std::mt19937_64 random(15);
    std::vector<double> values;
    for (int i = 0; i < 100000; ++i) {
        // A decimal of 1 to 17 digits at exponents -7 to 17; every fourth one halfway
        // between two sixteen-digit decimals.
        std::string text = (random() & 1) ? "-" : "";
        const bool halfway = random() % 4 == 0;
        const int digits = halfway ? 17 : 1 + static_cast<int>(random() % 17);
        text += static_cast<char>('1' + random() % 9);
        for (int d = 1; d < digits; ++d) text += static_cast<char>('0' + random() % 10);
        if (halfway) text.back() = '5';
        text += "e" + std::to_string(static_cast<int>(random() % 25) - 7 - digits);
        double value = 0;
        std::from_chars(text.data(), text.data() + text.size(), value);
        values.push_back(value);
        std::uint64_t bits = random();
        std::memcpy(&value, &bits, sizeof value);
        if (std::isfinite(value)) values.push_back(value);
    }
    // Results of arithmetic, as coordinates are: mostly sixteen or seventeen digits.
    std::uniform_real_distribution<double> uniform(-1e6, 1e6);
    for (int i = 0; i < 100000; ++i) {
        values.push_back(i * 0.731);
        values.push_back((i % 977) * 1.618 + i * 1e-5);
        values.push_back(uniform(random) * std::pow(10.0, static_cast<int>(random() % 18) - 9));
    }
    for (int exponent = -6; exponent <= 16; ++exponent) {
        const double power = std::pow(10.0, exponent);
        for (double value = power, steps = 0; steps < 4; ++steps, value = std::nextafter(value, 0.0))
            values.push_back(value);
        for (double value = power, steps = 0; steps < 4; ++steps, value = std::nextafter(value, 1e300))
            values.push_back(value);
        values.push_back(power * 0.999999999999999);
        values.push_back(power * 0.9999999999999999);
        values.push_back(power * 1.00000000000001);
    }
    for (double value : values) {
        if (value == 0) continue;
        ASSERT_EQ(decimalOf(real(value)), shortest(value)) << real(value);
    }
}

// Reals of binary exponents where coordinates lie (2^-14 to 2^53) are converted exactly in
// wide integers; the rest by the general conversion. Either way the digits are the shortest
// conversion's, and the text reads back as the same bits: checked on millions of random bit
// patterns in and around that range, on subnormals and the extremes, on both sides of every
// power of ten and of two, and where the digit count changes (sixteen against seventeen
// digits, nines that round up to the next power of ten).
TEST(NumberFormat, ExactConversionMatchesTheShortestOnMillionsOfValues)
{
    std::mt19937_64 random(53);
    char text[kRealBufferSize];
    int mismatches = 0;
    auto check = [&](double value) {
        if (!std::isfinite(value) || value == 0 || mismatches > 10) return;
        const std::string written(text, formatReal(value, text));
        const Decimal expected = shortest(value);
        double back = 0;
        const bool readsBack = parseReal(written, back) && std::memcmp(&back, &value, sizeof value) == 0;
        if (decimalOf(written) == expected && readsBack) return;
        ++mismatches;
        ADD_FAILURE() << written << " for " << expected.digits << "E" << expected.exponent;
    };
    auto fromBits = [](std::uint64_t bits) {
        double value = 0;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    };
    // Random significands and signs at binary exponents -80 to +60 (the exact range and a
    // margin on each side), then anywhere.
    for (int i = 0; i < 2000000; ++i) {
        const std::uint64_t bits = random();
        const std::uint64_t exponent = 1075 - 80 + random() % 140;
        check(fromBits((bits & 0x800FFFFFFFFFFFFFull) | (exponent << 52)));
    }
    for (int i = 0; i < 200000; ++i) check(fromBits(random()));
    // Subnormals, the smallest normal, the largest finite.
    for (int i = 0; i < 20000; ++i) check(fromBits(random() & 0x000FFFFFFFFFFFFFull));
    for (double value : {std::numeric_limits<double>::denorm_min(), std::numeric_limits<double>::min(),
                         std::numeric_limits<double>::max(), std::nextafter(std::numeric_limits<double>::min(), 0.0)})
        check(value);
    // Both sides of every power of ten and of two.
    auto around = [&](double centre) {
        double value = centre;
        for (int step = 0; step < 4; ++step, value = std::nextafter(value, 0.0)) check(value);
        value = centre;
        for (int step = 0; step < 4; ++step, value = std::nextafter(value, 1e308)) check(value);
    };
    for (int exponent = -307; exponent <= 308; ++exponent) around(std::pow(10.0, exponent));
    for (int exponent = -1074; exponent <= 1023; ++exponent) around(std::ldexp(1.0, exponent));
    // Where the digit count changes: decimals of 15, 16 and 17 digits, and runs of nines.
    std::uniform_int_distribution<int> exponents(-20, 20);
    for (int i = 0; i < 300000; ++i) {
        const int digits = 15 + i % 3;
        std::string decimal(1, static_cast<char>('1' + random() % 9));
        for (int d = 1; d < digits; ++d) decimal += static_cast<char>('0' + random() % 10);
        if (i % 10 == 0) decimal.replace(1, std::string::npos, static_cast<std::size_t>(digits - 1), '9');
        decimal += "e" + std::to_string(exponents(random));
        double value = 0;
        std::from_chars(decimal.data(), decimal.data() + decimal.size(), value);
        check(value);
        check(std::nextafter(value, 0.0));
        check(std::nextafter(value, 1e308));
    }
    EXPECT_EQ(mismatches, 0);
}

// Plain decimals take a shortcut past the general conversion: whatever their length, sign
// and number of digits after the point, the value read is the correctly rounded one, bit
// for bit what the general conversion gives (the shortcut must not round differently near
// 2^53 digits or 22 decimals, where it hands over).
TEST(NumberFormat, PlainDecimalsReadExactlyAsTheGeneralConversion)
{
    std::mt19937_64 random(2026);
    auto reference = [](const std::string& text) {
        double value = 0;
        std::from_chars(text.data(), text.data() + text.size(), value);
        return value;
    };
    auto check = [&](const std::string& text) {
        double value = 1234.5;
        ASSERT_TRUE(parseReal(text, value)) << text;
        const double expected = reference(text);
        ASSERT_EQ(std::memcmp(&value, &expected, sizeof value), 0) << text;
    };
    for (int i = 0; i < 200000; ++i) {
        std::string text = (random() & 1) ? "-" : "";
        const int whole = static_cast<int>(random() % 18), fraction = static_cast<int>(random() % 26);
        for (int d = 0; d < whole; ++d) text += static_cast<char>('0' + random() % 10);
        if (whole == 0 || fraction > 0 || random() % 4 == 0) text += '.';
        for (int d = 0; d < fraction; ++d) text += static_cast<char>('0' + random() % 10);
        if (whole == 0 && fraction == 0) text += '0';
        check(text);
    }
    for (const char* text : {"9007199254740991", "9007199254740992", "9007199254740993", "0.9007199254740993",
                             "1.0000000000000000000001", "0.1", "-0.0", "0.", ".5", "-.5", "123456.789",
                             "0.0000000000000000000001", "0.00000000000000000000001", "1852.185633549592"})
        check(text);
    double untouched = 7;
    for (const char* text : {"-", ".", "1..2", "1.2.", "--1", "1-", "0x10", "1e"})
        EXPECT_FALSE(parseReal(text, untouched)) << text;
    double negativeZero = 1;
    ASSERT_TRUE(parseReal("-0", negativeZero));
    EXPECT_TRUE(std::signbit(negativeZero));
}

TEST(NumberFormat, IntegersAndHandlesReadAsTheGeneralConversion)
{
    // Random texts of digits, signs, blanks and other characters: the digit loops accept
    // exactly what std::from_chars accepts, with the same values.
    std::mt19937_64 random(20261208);
    const std::string alphabet = "0123456789abcdefABCDEFxX+- \t.";
    for (int i = 0; i < 300000; ++i) {
        std::string text;
        const int length = static_cast<int>(random() % 22);
        const bool digitsOnly = random() % 2 == 0;
        for (int d = 0; d < length; ++d)
            text += digitsOnly ? static_cast<char>('0' + random() % 10) : alphabet[random() % alphabet.size()];
        if (digitsOnly && random() % 2 == 0) text.insert(0, "-");
        std::string_view trimmed = text;
        while (!trimmed.empty() && (trimmed.front() == ' ' || trimmed.front() == '\t')) trimmed.remove_prefix(1);
        while (!trimmed.empty() && (trimmed.back() == ' ' || trimmed.back() == '\t')) trimmed.remove_suffix(1);
        std::string_view signless = trimmed;
        if (!signless.empty() && signless.front() == '+') signless.remove_prefix(1);
        std::int64_t expected = 0, value = 0;
        const auto [end, error] = std::from_chars(signless.data(), signless.data() + signless.size(), expected);
        const bool fits = !signless.empty() && error == std::errc() && end == signless.data() + signless.size();
        ASSERT_EQ(parseInteger(text, value), fits) << text;
        if (fits) {
            ASSERT_EQ(value, expected) << text;
        }
        std::uint64_t expectedHandle = 0, handle = 0;
        const auto [hend, herror] =
            std::from_chars(trimmed.data(), trimmed.data() + trimmed.size(), expectedHandle, 16);
        const bool isHandle = !trimmed.empty() && trimmed.size() <= 16 && herror == std::errc() &&
                              hend == trimmed.data() + trimmed.size();
        ASSERT_EQ(parseHandle(text, handle), isHandle) << text;
        if (isHandle) {
            ASSERT_EQ(handle, expectedHandle) << text;
        }
    }
}

TEST(NumberFormat, IntegersAndHandles)
{
    char text[32];
    EXPECT_EQ(std::string(text, formatInteger(20, 6, text)), "    20");
    EXPECT_EQ(std::string(text, formatInteger(-7, 6, text)), "    -7");
    EXPECT_EQ(std::string(text, formatInteger(33554508, 9, text)), " 33554508");
    EXPECT_EQ(std::string(text, formatInteger(-2147483647, 9, text)), "-2147483647");
    EXPECT_EQ(std::string(text, formatHandle(0, text)), "0");
    EXPECT_EQ(std::string(text, formatHandle(0x154D, text)), "154D");
    EXPECT_EQ(std::string(text, formatHandle(0xFFFFFFFFFFFFFFFFull, text)), "FFFFFFFFFFFFFFFF");
    // Each side of every change in the number of digits.
    for (int bits = 1; bits < 64; ++bits) {
        for (std::uint64_t value : {(std::uint64_t{1} << bits) - 1, std::uint64_t{1} << bits}) {
            char expected[20];
            const auto end = std::to_chars(expected, expected + sizeof expected, value, 16).ptr;
            std::string upper(expected, end);
            for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            EXPECT_EQ(std::string(text, formatHandle(value, text)), upper);
        }
    }
}

TEST(TextWriter, FormatsCodesAndValuesByGroupType)
{
    TextWriter writer;
    writer.string(0, "SECTION");
    writer.integer(70, 20);
    writer.integer(90, 1152);
    writer.integer(290, 1);
    writer.real(40, 0.5);
    writer.handle(5, 0x94);
    writer.point(10, 1, 2, 3);
    writer.string(1000, "x");
    EXPECT_EQ(writer.text(), "  0\r\nSECTION\r\n 70\r\n    20\r\n 90\r\n     1152\r\n290\r\n     1\r\n"
                             " 40\r\n0.5\r\n  5\r\n94\r\n 10\r\n1.0\r\n 20\r\n2.0\r\n 30\r\n3.0\r\n"
                             "1000\r\nx\r\n");
    EXPECT_FALSE(writer.failed());
}

TEST(TextWriter, BinaryChunksAreTwoUpperCaseHexadecimalDigitsAByte)
{
    TextWriter writer;
    const unsigned char bytes[] = {0x00, 0x7F, 0x80, 0xAB, 0xFF};
    writer.binary(310, bytes, sizeof bytes);
    writer.binary(1004, nullptr, 0);
    EXPECT_EQ(writer.text(), "310\r\n007F80ABFF\r\n1004\r\n\r\n");
}

TEST(TextWriter, LineBreaksInStringsAreEscapedAndNonFiniteRealsFail)
{
    TextWriter writer;
    writer.string(1, "a\nb\rc");
    EXPECT_EQ(writer.text(), "  1\r\na^Jb^Mc\r\n");
    writer.real(40, std::numeric_limits<double>::quiet_NaN());
    EXPECT_TRUE(writer.failed());
    EXPECT_EQ(writer.problem(), "group 40 holds a value that is not a finite number");
}

// Strings are looked at eight characters at a time for line breaks: a break anywhere in a
// long string is escaped, and other control characters, bytes above 127 and the characters
// around 13 pass through as they are.
TEST(TextWriter, LineBreaksAreFoundAnywhereInLongStrings)
{
    const std::string plain = "Layer \t\x0B\x0C\x0E\x7F\x80\xC3\xA9 tab\tand more text after";
    for (std::size_t at = 0; at <= plain.size(); ++at) {
        for (char lineEnd : {'\n', '\r'}) {
            std::string value = plain;
            value.insert(at, 1, lineEnd);
            std::string expected = plain;
            expected.insert(at, lineEnd == '\n' ? "^J" : "^M");
            TextWriter writer;
            writer.string(8, value);
            ASSERT_EQ(writer.text(), "  8\r\n" + expected + "\r\n") << "break at " << at;
        }
    }
    TextWriter writer;
    writer.string(8, plain);
    EXPECT_EQ(writer.text(), "  8\r\n" + plain + "\r\n");
}

TEST(TextWriter, RawTextIsCheckedAndNormalised)
{
    TextWriter writer;
    EXPECT_TRUE(writer.raw(70, "0"));
    EXPECT_TRUE(writer.raw(10, "12.000000"));
    EXPECT_TRUE(writer.raw(1, " keep "));
    EXPECT_FALSE(writer.raw(70, "x"));
    EXPECT_FALSE(writer.raw(70, "70000"));
    EXPECT_FALSE(writer.raw(85, "1"));
    EXPECT_EQ(writer.text(), " 70\r\n     0\r\n 10\r\n12.0\r\n  1\r\n keep \r\n");
    EXPECT_TRUE(writer.failed());
    EXPECT_EQ(writer.problem(), "group 70 cannot hold \"x\"");
}

TEST(TextWriter, ChunksGoToTheSinkInOrderAndASinkFailureSticks)
{
    std::string received;
    int calls = 0;
    TextWriter writer(
        [&](std::string_view chunk) {
            received.append(chunk);
            return ++calls < 3;
        },
        "\n");
    std::string expected;
    for (int i = 0; i < 300000; ++i) {
        writer.integer(90, i);
        expected += " 90\n" +
                    std::string(i < 10       ? 8
                                : i < 100    ? 7
                                : i < 1000   ? 6
                                : i < 10000  ? 5
                                : i < 100000 ? 4
                                             : 3,
                                ' ') +
                    std::to_string(i) + "\n";
    }
    EXPECT_FALSE(writer.flush());
    EXPECT_TRUE(writer.failed());
    EXPECT_EQ(received, expected.substr(0, received.size()));
    EXPECT_GE(calls, 3);
}
