#include <gtest/gtest.h>

#include "ed/keywords.h"

using arx::ed::KeywordList;

TEST(KeywordList, LocalKeywordsAnswerWithTheirGlobalOnes)
{
    KeywordList list("Oui Non _Yes No");
    EXPECT_EQ(list.match("o"), "Yes");
    EXPECT_EQ(list.match("NON"), "No");
    EXPECT_EQ(list.match("_yes"), "Yes");
    EXPECT_EQ(list.match("Yes"), std::nullopt);  // a global keyword needs its underscore
}

TEST(KeywordList, WithoutGlobalsTheLocalsAreTheirOwnGlobals)
{
    KeywordList list("Yes No");
    EXPECT_EQ(list.match("y"), "Yes");
    EXPECT_EQ(list.match("ye"), "Yes");
    EXPECT_EQ(list.match("yess"), std::nullopt);
    EXPECT_EQ(list.match(""), std::nullopt);
}

TEST(KeywordList, CapitalsMarkTheShortestAbbreviation)
{
    KeywordList list("LAyer LType");
    EXPECT_EQ(list.match("l"), std::nullopt);
    EXPECT_EQ(list.match("la"), "LAyer");
    EXPECT_EQ(list.match("lt"), "LType");
    EXPECT_EQ(list.match("ltyp"), "LType");
}

TEST(KeywordList, AllCapitalsMustBeTypedWhole)
{
    KeywordList list("ON OFF");
    EXPECT_EQ(list.match("o"), std::nullopt);
    EXPECT_EQ(list.match("on"), "ON");
    EXPECT_EQ(list.match("off"), "OFF");
}
