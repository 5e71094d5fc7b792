#include <gtest/gtest.h>

#include <sstream>

#include "ed/input.h"

using namespace arx::ed;

namespace {

std::vector<std::string> drain(InputSource& source, AnswerRequest request = {})
{
    std::vector<std::string> out;
    while (auto answer = source.next(request)) out.push_back(answer->text);
    return out;
}

}  // namespace

TEST(ScriptInput, ASpaceOrALineEndIsEnter)
{
    ScriptInput script("LINE 0,0 1,1  \nKSLIST\r\n");
    EXPECT_EQ(drain(script), (std::vector<std::string>{"LINE", "0,0", "1,1", "", "", "KSLIST"}));
}

TEST(ScriptInput, AnExpressionIsReadWholeAcrossBlanksAndLines)
{
    ScriptInput script("(setq a \"x y\"\n b 2) KSLIST\n");
    AnswerRequest atPrompt;
    atPrompt.atCommandPrompt = true;
    EXPECT_EQ(drain(script, atPrompt), (std::vector<std::string>{"(setq a \"x y\"\n b 2)", "KSLIST"}));
}

TEST(ScriptInput, StringAnswersMayHoldBlanks)
{
    ScriptInput script("my file.dxf\nNEXT\n");
    AnswerRequest text;
    text.spacesAllowed = true;
    EXPECT_EQ(script.next(text)->text, "my file.dxf");
    EXPECT_EQ(script.next({})->text, "NEXT");
}

TEST(TypedInput, OneAnswerPerLineAndExpressionsOverSeveralLines)
{
    std::istringstream typed("KSLIST\n(+ 1\n 2)\n\nlast answer\n");
    TypedInput input(typed);
    AnswerRequest atPrompt;
    atPrompt.atCommandPrompt = true;
    EXPECT_EQ(input.next(atPrompt)->text, "KSLIST");
    EXPECT_EQ(input.next(atPrompt)->text, "(+ 1\n 2)");
    EXPECT_TRUE(input.next(atPrompt)->isEnter());
    EXPECT_EQ(input.next({})->text, "last answer");
    EXPECT_FALSE(input.next({}).has_value());
}

TEST(Input, ArgumentsRunDryIntoTheSourceBelow)
{
    ScriptInput script("below\n");
    ArgumentInput arguments({Answer::ofText("first")});
    InputScope base(&script);
    InputScope top(&arguments);
    EXPECT_TRUE(Input::instance().answerFromArguments());
    Answer first = Input::instance().next({});
    EXPECT_EQ(first.text, "first");
    EXPECT_TRUE(first.fromArguments);
    EXPECT_FALSE(Input::instance().answerFromArguments());
    Answer second = Input::instance().next({});
    EXPECT_EQ(second.text, "below");
    EXPECT_FALSE(second.fromArguments);
    EXPECT_EQ(Input::instance().next({}).kind, Answer::Kind::Cancel);
}

TEST(EndOfLispExpression, IgnoresParenthesesInStringsAndComments)
{
    std::string text = "(princ \")(\" ; )\n)";
    EXPECT_EQ(endOfLispExpression(text, 0), std::optional<size_t>(text.size()));
    EXPECT_EQ(endOfLispExpression("(princ \")(\" ; )", 0), std::nullopt);
    EXPECT_EQ(endOfLispExpression("(a (b) \"\\\")\")", 0), std::optional<size_t>(13));
}
