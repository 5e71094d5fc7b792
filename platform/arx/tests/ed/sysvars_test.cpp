#include <gtest/gtest.h>

#include <cstdlib>

#include "acedads.h"
#include "ed/standard_sysvars.h"
#include "ed/sysvars.h"

using namespace arx::ed;

class SysVarsTest : public testing::Test {
protected:
    void SetUp() override { defineStandardSysVars(); }
};

TEST_F(SysVarsTest, WrittenValuesTakeEffectAtOnce)
{
    resbuf value;
    value.restype = RTSHORT;
    value.resval.rint = 0;
    ASSERT_EQ(acedSetVar("cmdecho", &value), RTNORM);
    resbuf read;
    ASSERT_EQ(acedGetVar("CMDECHO", &read), RTNORM);
    EXPECT_EQ(read.restype, RTSHORT);
    EXPECT_EQ(read.resval.rint, 0);
    value.resval.rint = 1;
    acedSetVar("CMDECHO", &value);
}

TEST_F(SysVarsTest, RefusesWrongTypesRangesReadOnlyAndUnknownNames)
{
    resbuf value;
    value.restype = RTSHORT;
    value.resval.rint = 7;
    EXPECT_EQ(acedSetVar("CMDECHO", &value), RTERROR);    // out of range
    EXPECT_EQ(acedSetVar("CMDACTIVE", &value), RTERROR);  // read only
    EXPECT_EQ(acedSetVar("NO_SUCH_VARIABLE", &value), RTERROR);
    value.restype = RTSTR;
    value.resval.rstring = const_cast<char*>("1");
    EXPECT_EQ(acedSetVar("CMDECHO", &value), RTERROR);
    resbuf read;
    EXPECT_EQ(acedGetVar("NO_SUCH_VARIABLE", &read), RTERROR);
}

TEST_F(SysVarsTest, StringsAreCopiedForTheCaller)
{
    resbuf read;
    ASSERT_EQ(acedGetVar("ACADVER", &read), RTNORM);
    ASSERT_EQ(read.restype, RTSTR);
    EXPECT_STREQ(read.resval.rstring, "15.0");
    std::free(read.resval.rstring);
}
