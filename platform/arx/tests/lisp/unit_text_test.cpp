// Numbers and angles as text in the host's unit modes, through acdbRToS and acdbAngToS.
#include <gtest/gtest.h>

#include <numbers>
#include <string>

#include "acdbads.h"

namespace {

constexpr double kPi = std::numbers::pi;

std::string length(double value, int unit, int precision)
{
    char text[128] = "unchanged";
    if (acdbRToS(value, unit, precision, text) != RTNORM) return "error";
    return text;
}

std::string angle(double radians, int unit, int precision)
{
    char text[128] = "unchanged";
    if (acdbAngToS(radians, unit, precision, text) != RTNORM) return "error";
    return text;
}

TEST(UnitText, LengthsAreWrittenAsRtosWritesThem)
{
    EXPECT_EQ(length(17.5, 2, 2), "17.50");
    EXPECT_EQ(length(17.5, 1, 4), "1.7500E+01");
    EXPECT_EQ(length(17.5, 4, 2), "1'-5 1/2\"");
    EXPECT_EQ(length(2000.0, -1, -1), "2000.0000") << "-1: the drawing's LUNITS and LUPREC (a new drawing's here)";
    EXPECT_EQ(length(1.0, 6, 2), "error");
    EXPECT_EQ(length(1.0, 2, 9), "error");
}

TEST(UnitText, AnglesInEachModeComeBetweenZeroAndAFullTurn)
{
    EXPECT_EQ(angle(kPi / 4, 0, 4), "45.0000");
    EXPECT_EQ(angle(-kPi / 2, 0, 0), "270") << "brought into one turn";
    EXPECT_EQ(angle(-0.0, 0, 0), "0") << "no sign on zero";
    EXPECT_EQ(angle(2 * kPi + kPi / 6, 0, 1), "30.0");
    EXPECT_EQ(angle(kPi / 4, 2, 2), "50.00g");
    EXPECT_EQ(angle(kPi / 4, 3, 4), "0.7854r");
    const double dms = (45.0 + 30.0 / 60.0 + 15.0 / 3600.0) * kPi / 180.0;
    EXPECT_EQ(angle(dms, 1, 0), "46d");
    EXPECT_EQ(angle(dms, 1, 2), "45d30'");
    EXPECT_EQ(angle(dms, 1, 4), "45d30'15\"");
    EXPECT_EQ(angle(dms, 1, 6), "45d30'15.00\"");
    EXPECT_EQ(angle((59.0 + 59.9999 / 60.0) * kPi / 180.0, 1, 2), "60d0'") << "rounding carries";
    EXPECT_EQ(angle(kPi / 3, 4, 2), "N 30d0' E");
    EXPECT_EQ(angle(kPi * 5 / 4, 4, 2), "S 45d0' W");
    EXPECT_EQ(angle(kPi / 2, 4, 2), "N");
    EXPECT_EQ(angle(0.0, 4, 2), "E");
    EXPECT_EQ(angle(1.0, 5, 2), "error");
    EXPECT_EQ(angle(1.0, 0, -2), "error");
}

}  // namespace
