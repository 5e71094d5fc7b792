// Object snap overrides at point prompts: which answers name one, that a keyword of the
// prompt wins, that the override asks "of " for its point and that object picks and typed
// coordinates are left alone as the host leaves them.
#include <gtest/gtest.h>

#include <sstream>

#include "acedads.h"
#include "adscodes.h"
#include "ed/input.h"
#include "ed/object_snap.h"

using namespace arx::ed;

TEST(ObjectSnap, OverridesByNameAndAbbreviation)
{
    for (const char* name : {"INT", "int", "_INT", "_int", "Inter", "INTERSECTION"})
        EXPECT_EQ(snapOverrideOf(name), SnapOverride::Intersection) << name;
    for (const char* name : {"NON", "_NONE", "none"}) EXPECT_EQ(snapOverrideOf(name), SnapOverride::None) << name;
    for (const char* name : {"", "IN", "INS", "INTERSECTIONS", "_", "NO", "NONES", "1,1"})
        EXPECT_FALSE(snapOverrideOf(name)) << name;
}

TEST(ObjectSnap, PointPromptsTakeTheOverrideThenItsPoint)
{
    // No drawing here: NON gives the point as typed; INT finds nothing and asks again.
    ScriptInput script("NON 1,2 INT 5,5 3,4 NON 7,8\n");
    InputScope scope(&script);
    ads_point p;
    ASSERT_EQ(acedGetPoint(nullptr, "Point: ", p), RTNORM);
    EXPECT_EQ(p[0], 1.0);
    EXPECT_EQ(p[1], 2.0);
    ASSERT_EQ(acedGetPoint(nullptr, "Point: ", p), RTNORM);
    EXPECT_EQ(p[0], 3.0);
    EXPECT_EQ(p[1], 4.0);
    // A keyword of the prompt is a keyword, even when it also names a snap.
    acedInitGet(0, "NONe Other");
    EXPECT_EQ(acedGetPoint(nullptr, "Point or [NONe/Other]: ", p), RTKWORD);
    // Object picks take no override: the name is no point.
    {
        const ObjectPickScope picking;
        acedInitGet(0, "Other");
        ASSERT_EQ(acedGetPoint(nullptr, "Select object: ", p), RTNORM);
        EXPECT_EQ(p[0], 7.0);
    }
}

TEST(ObjectSnap, RunningSnapsTakeLispPointsAndScriptedCoordinates)
{
    Answer lisp;
    lisp.kind = Answer::Kind::Value;
    lisp.value.type = RT3DPOINT;
    EXPECT_TRUE(runningSnapsTake(lisp));
    const Answer typed = Answer::ofText("1,1");
    std::istringstream keyboard("1,1\n");
    {
        TypedInput input(keyboard);
        InputScope scope(&input);
        EXPECT_FALSE(runningSnapsTake(typed));
    }
    ScriptInput script("1,1\n");
    InputScope scope(&script);
    EXPECT_TRUE(runningSnapsTake(typed));
}
