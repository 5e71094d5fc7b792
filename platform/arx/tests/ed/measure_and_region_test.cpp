// Distance and angle prompts (a number, or a point measured from the base point or between two
// points), and the region of a selection window or polygon.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "acedads.h"
#include "ed/input.h"
#include "ed/selection_region.h"

using namespace arx::ed;

namespace {

// Runs a prompt call on typed answers.
template <typename Call>
int onTyped(const std::string& text, Call call)
{
    std::istringstream in(text);
    TypedInput input(in);
    InputScope scope(&input);
    return call();
}

TEST(MeasurePrompts, DistanceIsANumberOrMeasuredFromTheBasePoint)
{
    const ads_point base = {1.0, 1.0, 0.0};
    double d = 0.0;
    EXPECT_EQ(onTyped("2.5\n", [&] { return acedGetDist(base, "Length: ", &d); }), RTNORM);
    EXPECT_DOUBLE_EQ(d, 2.5);
    EXPECT_EQ(onTyped("4,5\n", [&] { return acedGetDist(base, "Length: ", &d); }), RTNORM);
    EXPECT_DOUBLE_EQ(d, 5.0);
    // Without a base point a point is the first of two.
    EXPECT_EQ(onTyped("0,0\n0,7\n", [&] { return acedGetDist(nullptr, "Length: ", &d); }), RTNORM);
    EXPECT_DOUBLE_EQ(d, 7.0);
    // Refused values ask again; Enter is RTNONE unless refused; a keyword is RTKWORD.
    acedInitGet(RSG_NOZERO | RSG_NONEG, nullptr);
    EXPECT_EQ(onTyped("0\n-1\n3\n", [&] { return acedGetDist(base, "Length: ", &d); }), RTNORM);
    EXPECT_DOUBLE_EQ(d, 3.0);
    EXPECT_EQ(onTyped("\n", [&] { return acedGetDist(base, "Length: ", &d); }), RTNONE);
    acedInitGet(0, "Reference");
    EXPECT_EQ(onTyped("R\n", [&] { return acedGetDist(base, "Length: ", &d); }), RTKWORD);
    EXPECT_EQ(onTyped("abc\n2\n", [&] { return acedGetDist(base, "Length: ", &d); }), RTNORM) << "junk asks again";
    EXPECT_DOUBLE_EQ(d, 2.0);
}

TEST(MeasurePrompts, AngleIsDegreesOrTheDirectionToAPoint)
{
    const ads_point base = {1.0, 1.0, 0.0};
    double a = 0.0;
    EXPECT_EQ(onTyped("90\n", [&] { return acedGetAngle(base, "Angle: ", &a); }), RTNORM);
    EXPECT_DOUBLE_EQ(a, M_PI / 2);
    EXPECT_EQ(onTyped("-45\n", [&] { return acedGetAngle(base, "Angle: ", &a); }), RTNORM);
    EXPECT_DOUBLE_EQ(a, -M_PI / 4);
    EXPECT_EQ(onTyped("0,1\n", [&] { return acedGetAngle(base, "Angle: ", &a); }), RTNORM);
    EXPECT_DOUBLE_EQ(a, M_PI);
    EXPECT_EQ(onTyped("5,5\n5,10\n", [&] { return acedGetAngle(nullptr, "Angle: ", &a); }), RTNORM);
    EXPECT_DOUBLE_EQ(a, M_PI / 2);
}

std::vector<std::vector<AcGePoint3d>> path(std::initializer_list<AcGePoint3d> points) { return {points}; }

TEST(SelectionRegion, AConcavePolygonHoldsWhatLiesInsideAndOnItsEdges)
{
    // An L shape: the notch at the upper right is outside.
    const SelectionRegion region(AcGeMatrix3d::kIdentity,
                                 {{0, 0, 0}, {4, 0, 0}, {4, 2, 0}, {2, 2, 0}, {2, 4, 0}, {0, 4, 0}});
    EXPECT_TRUE(region.holds({1, 1, 0}));
    EXPECT_TRUE(region.holds({1, 3, 0}));
    EXPECT_FALSE(region.holds({3, 3, 0}));
    EXPECT_TRUE(region.holds({4, 1, 0})) << "on an edge";
    EXPECT_TRUE(region.holds({2, 2, 0})) << "at a corner";
    EXPECT_FALSE(region.holds({5, 1, 0}));
    EXPECT_TRUE(region.holds({1, 1, 30})) << "the display sees no depth";

    EXPECT_TRUE(region.holdsAll(path({{0.5, 0.5, 0}, {3.5, 1.5, 0}})));
    EXPECT_FALSE(region.meets(path({{3, 3, 0}, {5, 5, 0}, {3, 3.5, 0}}))) << "a path in the notch and beyond";
    EXPECT_TRUE(region.meets(path({{3, 3, 0}, {3, 1, 0}})));
    EXPECT_TRUE(region.meets(path({{-1, 2, 0}, {5, 2.5, 0}}))) << "crossing without a point inside";
    EXPECT_FALSE(region.holdsAll({}));
    EXPECT_FALSE(SelectionRegion().holds({0, 0, 0})) << "an empty region holds nothing";
}

TEST(SelectionRegion, PointsAreSeenThroughTheViewItWasDrawnIn)
{
    // A view turned a quarter: world X runs up the display.
    AcGeMatrix3d wcsToDcs = AcGeMatrix3d::rotation(M_PI / 2, AcGeVector3d::kZAxis);
    const SelectionRegion region(wcsToDcs, {{0, 0, 0}, {10, 0, 0}, {10, 1, 0}, {0, 1, 0}});
    EXPECT_TRUE(region.holds({5, 0.5, 0}));
    EXPECT_FALSE(region.holds({0.5, 5, 0}));
}

}  // namespace
