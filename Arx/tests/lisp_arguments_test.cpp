#include <gtest/gtest.h>

#include "adscodes.h"
#include "shell/lisp_arguments.h"

using namespace kestra;

namespace {

// Argument chains built on the stack, as the host would pass them.
struct Chain {
    std::vector<resbuf> items;
    explicit Chain(std::initializer_list<resbuf> list) : items(list)
    {
        for (size_t i = 0; i + 1 < items.size(); ++i) items[i].rbnext = &items[i + 1];
        if (!items.empty()) items.back().rbnext = nullptr;
    }
    const resbuf* head() const { return items.empty() ? nullptr : &items.front(); }
};

resbuf item(short type)
{
    resbuf rb{};
    rb.restype = type;
    return rb;
}

resbuf shortItem(short value)
{
    resbuf rb = item(RTSHORT);
    rb.resval.rint = value;
    return rb;
}

resbuf longItem(long value)
{
    resbuf rb = item(RTLONG);
    rb.resval.rlong = value;
    return rb;
}

resbuf textItem(const char* text)
{
    resbuf rb = item(RTSTR);
    rb.resval.rstring = const_cast<char*>(text);
    return rb;
}

}  // namespace

TEST(LispArgumentsTest, TOrNilTakesOnlyTheFirstArgumentAsTOrNil)
{
    EXPECT_EQ(tOrNilArgument(Chain{item(RTT)}.head()), true);
    EXPECT_EQ(tOrNilArgument(Chain{item(RTNIL)}.head()), false);
    EXPECT_EQ(tOrNilArgument(Chain{item(RTT), shortItem(3)}.head()), true);  // later ones are not looked at
    EXPECT_EQ(tOrNilArgument(Chain{shortItem(1)}.head()), std::nullopt);     // an integer is not T
    EXPECT_EQ(tOrNilArgument(Chain{textItem("T")}.head()), std::nullopt);
    EXPECT_EQ(tOrNilArgument(Chain{item(RTLB), item(RTLE)}.head()), std::nullopt);
    EXPECT_EQ(tOrNilArgument(nullptr), std::nullopt);
}

TEST(LispArgumentsTest, IntegersOfBothWidthsAndTheLoadFlagRange)
{
    EXPECT_EQ(integerArgument(Chain{shortItem(-1)}.head()), -1);
    EXPECT_EQ(integerArgument(Chain{longItem(70000)}.head()), 70000);
    resbuf real = item(RTREAL);
    real.resval.rreal = 4.0;
    EXPECT_EQ(integerArgument(Chain{real}.head()), std::nullopt);
    EXPECT_EQ(integerArgument(Chain{item(RTNIL)}.head()), std::nullopt);
    EXPECT_EQ(integerArgument(nullptr), std::nullopt);

    EXPECT_EQ(loadControlFlags(0), 0);
    EXPECT_EQ(loadControlFlags(2), 2);
    EXPECT_EQ(loadControlFlags(15), 15);
    EXPECT_EQ(loadControlFlags(16), 0);
    EXPECT_EQ(loadControlFlags(20), 0);
    EXPECT_EQ(loadControlFlags(-1), 0);
    EXPECT_EQ(loadControlFlags(70000), 0);
}

TEST(LispArgumentsTest, HelpTopicNeedsListOpeningTextAndShortInOrder)
{
    std::optional<HelpTopicArgument> help =
        helpTopicArgument(Chain{item(RTLB), textItem("html\\kstr3wl0.htm"), shortItem(4), item(RTLE)}.head());
    ASSERT_TRUE(help);
    EXPECT_EQ(help->topic, "html\\kstr3wl0.htm");
    EXPECT_EQ(help->command, 4);

    EXPECT_FALSE(helpTopicArgument(Chain{textItem("topic"), shortItem(4)}.head()));              // no list
    EXPECT_FALSE(helpTopicArgument(Chain{item(RTLB), shortItem(4), textItem("topic")}.head()));  // swapped
    EXPECT_FALSE(helpTopicArgument(Chain{item(RTLB), textItem("topic"), longItem(4)}.head()));   // 32-bit
    EXPECT_FALSE(helpTopicArgument(Chain{item(RTLB), textItem("topic")}.head()));                // cut short
    EXPECT_FALSE(helpTopicArgument(Chain{item(RTLB)}.head()));
    EXPECT_FALSE(helpTopicArgument(nullptr));
}

TEST(LispArgumentsTest, TextArgumentTellsMissingFromWrongType)
{
    EXPECT_EQ(textArgumentProblem(nullptr), TextArgumentProblem::Missing);
    EXPECT_EQ(textArgumentProblem(Chain{shortItem(1)}.head()), TextArgumentProblem::NotText);
    EXPECT_EQ(textArgumentProblem(Chain{item(RTNIL)}.head()), TextArgumentProblem::NotText);
    EXPECT_EQ(textArgumentProblem(Chain{textItem(nullptr)}.head()), TextArgumentProblem::NotText);
    EXPECT_EQ(textArgumentProblem(Chain{textItem("C:\\doc.pdf"), shortItem(1)}.head()), TextArgumentProblem::None);
}
