// Wild-card matching with the AutoLISP rules, through acutWcMatch.
#include <gtest/gtest.h>

#include "acutads.h"

namespace {

bool matches(const char* text, const char* pattern) { return acutWcMatch(text, pattern) == RTNORM; }

TEST(WcMatch, SingleCharacterClasses)
{
    EXPECT_TRUE(matches("A1", "@#"));
    EXPECT_FALSE(matches("11", "@#"));
    EXPECT_TRUE(matches("a-b", "@.@"));
    EXPECT_FALSE(matches("abb", "@.@"));
    EXPECT_TRUE(matches("x", "?"));
    EXPECT_FALSE(matches("", "?"));
    EXPECT_FALSE(matches("xy", "?"));
    EXPECT_FALSE(matches("\xe9", "@"));  // letters are the ASCII ones
}

TEST(WcMatch, StarsMatchAnySequence)
{
    EXPECT_TRUE(matches("Name", "N*"));
    EXPECT_TRUE(matches("Name", "*"));
    EXPECT_TRUE(matches("", "*"));
    EXPECT_TRUE(matches("Name", "*am*"));
    EXPECT_TRUE(matches("abcabd", "*ab?"));
    EXPECT_FALSE(matches("abcabe", "*abd"));
    EXPECT_TRUE(matches("LAYER-01-WALL", "LAYER-##-*"));
    EXPECT_FALSE(matches("name", "N*"));  // case-sensitive
}

TEST(WcMatch, BracketsAndNegation)
{
    EXPECT_TRUE(matches("b", "[abc]"));
    EXPECT_FALSE(matches("d", "[abc]"));
    EXPECT_TRUE(matches("m", "[a-z]"));
    EXPECT_FALSE(matches("M", "[a-z]"));
    EXPECT_TRUE(matches("d", "[~abc]"));
    EXPECT_FALSE(matches("a", "[~abc]"));
    EXPECT_TRUE(matches("-", "[-a]"));
    EXPECT_TRUE(matches("]", "[]a]"));
    EXPECT_TRUE(matches("x7", "x[0-9]"));
    EXPECT_TRUE(matches("[a", "[a"));  // an unclosed bracket is literal
    EXPECT_TRUE(matches("Other", "~N*"));
    EXPECT_FALSE(matches("Name", "~N*"));
    EXPECT_TRUE(matches("~x", "`~x"));
}

TEST(WcMatch, CommasSeparateAlternatives)
{
    EXPECT_TRUE(matches("Name", "???,~*m*,N*"));
    EXPECT_TRUE(matches("DOOR", "WALL,DOOR,WINDOW"));
    EXPECT_FALSE(matches("ROOF", "WALL,DOOR,WINDOW"));
    EXPECT_TRUE(matches("a,b", "a`,b"));
    EXPECT_TRUE(matches(",", "[,]"));
    EXPECT_TRUE(matches("", "x,"));  // the empty alternative matches the empty text
}

TEST(WcMatch, EscapedSpecialCharactersAreLiteral)
{
    EXPECT_TRUE(matches("a*b", "a`*b"));
    EXPECT_FALSE(matches("axb", "a`*b"));
    EXPECT_TRUE(matches("#", "`#"));
    EXPECT_FALSE(matches("1", "`#"));
    EXPECT_TRUE(matches("a.b", "a`.b"));
}

TEST(WcMatch, NullArgumentsAreRefused)
{
    EXPECT_EQ(acutWcMatch(nullptr, "*"), RTERROR);
    EXPECT_EQ(acutWcMatch("x", nullptr), RTERROR);
}

}  // namespace
