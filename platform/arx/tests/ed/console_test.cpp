#include <gtest/gtest.h>

#include "acedads.h"
#include "acutads.h"
#include "console_capture.h"
#include "ed/console.h"

using arx::ed::Console;

TEST(Console, AnsiTextReachesTheTerminalAsUtf8)
{
    ConsoleCapture capture;
    acutPrintf("%s\n", "\nErreur -- Param\xe8tres Absents!");
    EXPECT_EQ(capture.text, "\nErreur -- Paramètres Absents!\n");
    EXPECT_EQ(arx::ed::utf8ToAnsi("Paramètres €"), "Param\xe8tres \x80");
}

TEST(Console, AnAlertIsABlockOfItsOwn)
{
    ConsoleCapture capture;
    acutPrintf("Command: ");
    acedAlert("Sorry!\nline two");
    EXPECT_EQ(capture.text, "Command: \n"
                            "+-- Alert ------------------------------------------\n"
                            "| Sorry!\n"
                            "| line two\n"
                            "+---------------------------------------------------\n");
}
