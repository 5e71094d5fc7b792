#include <gtest/gtest.h>

#include "acedads.h"
#include "acutads.h"
#include "ed/console.h"

using arx::ed::Console;

namespace {

struct Capture {
    std::string text;
    Capture() { Console::instance().setSink([this](std::string_view t) { text += t; }); }
    ~Capture() { Console::instance().resetSink(); }
};

}  // namespace

TEST(Console, AnsiTextReachesTheTerminalAsUtf8)
{
    Capture capture;
    acutPrintf("%s\n", "\nErreur -- Param\xe8tres Absents!");
    EXPECT_EQ(capture.text, "\nErreur -- Paramètres Absents!\n");
    EXPECT_EQ(arx::ed::utf8ToAnsi("Paramètres €"), "Param\xe8tres \x80");
}

TEST(Console, AnAlertIsABlockOfItsOwn)
{
    Capture capture;
    acutPrintf("Command: ");
    acedAlert("Sorry!\nline two");
    EXPECT_EQ(capture.text,
              "Command: \n"
              "+-- Alert ------------------------------------------\n"
              "| Sorry!\n"
              "| line two\n"
              "+---------------------------------------------------\n");
}
