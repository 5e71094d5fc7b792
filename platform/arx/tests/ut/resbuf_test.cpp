// Result-buffer lists: acutNewRb, acutBuildList with every kind of item, acutRelRb.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "adslib.h"

namespace {

std::vector<int> typesOf(const resbuf* chain)
{
    std::vector<int> types;
    for (const resbuf* rb = chain; rb; rb = rb->rbnext) types.push_back(rb->restype);
    return types;
}

TEST(ResultBuffers, NewBufferIsEmptyAndTyped)
{
    resbuf* rb = acutNewRb(RTSTR);
    ASSERT_NE(rb, nullptr);
    EXPECT_EQ(rb->restype, RTSTR);
    EXPECT_EQ(rb->rbnext, nullptr);
    EXPECT_EQ(rb->resval.rstring, nullptr);
    // A string the application puts in is the buffer's to free.
    rb->resval.rstring = static_cast<char*>(std::malloc(6));
    std::strcpy(rb->resval.rstring, "Hello");
    EXPECT_EQ(acutRelRb(rb), RTNORM);
    EXPECT_EQ(acutRelRb(nullptr), RTNORM);
}

TEST(ResultBuffers, BuildListTakesEveryAdsType)
{
    ads_point p3 = {1.0, 2.0, 3.0};
    ads_name name = {0x7ef5a3c8, 7};
    char text[] = "copied";
    resbuf* chain =
        acutBuildList(RTSTR, text, RTSHORT, -12, RTLONG, 100000L, RTREAL, 1.5, RTANG, 0.25, RTORINT, 0.5, RTPOINT, p3,
                      RT3DPOINT, p3, RTENAME, name, RTPICKS, name, RTLB, RTT, RTDOTE, RTNIL, RTLE, RTVOID, RTNONE);
    ASSERT_NE(chain, nullptr);
    EXPECT_EQ(typesOf(chain), (std::vector<int>{RTSTR, RTSHORT, RTLONG, RTREAL, RTANG, RTORINT, RTPOINT, RT3DPOINT,
                                                RTENAME, RTPICKS, RTLB, RTT, RTDOTE, RTNIL, RTLE, RTVOID}));
    const resbuf* rb = chain;
    EXPECT_STREQ(rb->resval.rstring, "copied");
    EXPECT_NE(rb->resval.rstring, text);  // a copy, not the caller's buffer
    rb = rb->rbnext;
    EXPECT_EQ(rb->resval.rint, -12);
    rb = rb->rbnext;
    EXPECT_EQ(rb->resval.rlong, 100000L);
    rb = rb->rbnext;
    EXPECT_DOUBLE_EQ(rb->resval.rreal, 1.5);
    rb = rb->rbnext->rbnext->rbnext;
    EXPECT_DOUBLE_EQ(rb->resval.rpoint[0], 1.0);
    EXPECT_DOUBLE_EQ(rb->resval.rpoint[1], 2.0);
    EXPECT_DOUBLE_EQ(rb->resval.rpoint[2], 0.0);  // a 2D point has no Z
    rb = rb->rbnext;
    EXPECT_DOUBLE_EQ(rb->resval.rpoint[2], 3.0);
    rb = rb->rbnext;
    EXPECT_EQ(rb->resval.rlname[0], 0x7ef5a3c8);
    EXPECT_EQ(rb->resval.rlname[1], 7);
    acutRelRb(chain);
}

TEST(ResultBuffers, BuildListTakesDxfGroupCodes)
{
    ads_point p = {4.0, 5.0, 6.0};
    ads_name owner = {42, 0};
    resbuf* chain = acutBuildList(RTDXF0, "LINE", 8, "WALLS", 10, p, 40, 2.5, 62, 1, 90, 70000L, -4, "<OR", 330, owner,
                                  1000, "xdata", 0);
    ASSERT_NE(chain, nullptr);
    EXPECT_EQ(typesOf(chain), (std::vector<int>{RTDXF0, 8, 10, 40, 62, 90, -4, 330, 1000}));
    EXPECT_STREQ(chain->resval.rstring, "LINE");
    EXPECT_STREQ(chain->rbnext->resval.rstring, "WALLS");
    EXPECT_DOUBLE_EQ(chain->rbnext->rbnext->resval.rpoint[2], 6.0);
    EXPECT_EQ(chain->rbnext->rbnext->rbnext->rbnext->resval.rint, 1);
    EXPECT_EQ(chain->rbnext->rbnext->rbnext->rbnext->rbnext->resval.rlong, 70000L);
    acutRelRb(chain);
}

TEST(ResultBuffers, BuildListRefusesWhatItCannotRead)
{
    EXPECT_EQ(acutBuildList(RTSTR, static_cast<const char*>(nullptr), 0), nullptr);
    EXPECT_EQ(acutBuildList(RTSTR, "ok", 4242, 1, 0), nullptr);  // an unknown type code
    EXPECT_EQ(acutBuildList(RTRESBUF, nullptr, 0), nullptr);
    EXPECT_EQ(acutBuildList(0), nullptr);  // the empty list
}

}  // namespace
