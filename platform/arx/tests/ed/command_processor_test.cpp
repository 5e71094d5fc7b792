#include <gtest/gtest.h>

#include <algorithm>

#include "aced.h"
#include "acedads.h"
#include "winuser.h"
#include "console_capture.h"
#include "ed/command_processor.h"
#include "ed/command_stack.h"
#include "ed/console.h"
#include "ed/editor.h"
#include "ed/standard_sysvars.h"
#include "ed/sysvars.h"

using namespace arx::ed;

namespace {

struct EventLog : AcEditorReactor {
    std::vector<std::string> events;
    void commandWillStart(const char* c) override { events.push_back(std::string("start ") + c); }
    void commandEnded(const char* c) override { events.push_back(std::string("end ") + c); }
    void commandCancelled(const char* c) override { events.push_back(std::string("cancel ") + c); }
    void commandFailed(const char* c) override { events.push_back(std::string("fail ") + c); }
};

long cmdActive() { return CommandProcessor::instance().cmdActive(); }

std::vector<long> seenActive;
std::string seenNames;

void moduleCommand()
{
    seenActive.push_back(cmdActive());
    seenNames = SysVars::instance().getString("CMDNAMES").value_or("?");
    char answer[64];
    acedInitGet(0, "Yes No");
    acedGetKword("Go on [Yes/No]? ", answer);
    acedCommand(RTSTR, "._PROBE", RTNONE);
}

// A host command that asks three texts, and module commands that feed it over several
// acedCommand calls.
std::vector<std::string> asked;
std::vector<long> activeBetweenCalls;
std::vector<std::string> namesBetweenCalls;

CommandOutcome askThree()
{
    for (int i = 0; i < 3; ++i) {
        char text[64] = {};
        if (acedGetString(0, "Text: ", text) != RTNORM) return CommandOutcome::Cancelled;
        asked.push_back(text);
    }
    return CommandOutcome::Ended;
}

void noteBetweenCalls()
{
    activeBetweenCalls.push_back(cmdActive());
    namesBetweenCalls.push_back(SysVars::instance().getString("CMDNAMES").value_or("?"));
}

void feedInThreeCalls()
{
    acedCommand(RTSTR, "._ASK3", RTSTR, "a", RTNONE);
    noteBetweenCalls();
    acedCommand(RTSTR, "b", RTNONE);
    noteBetweenCalls();
    acedCommand(RTSTR, "c", RTNONE);
    noteBetweenCalls();
}

void feedOnceAndLeave() { acedCommand(RTSTR, "._ASK3", RTSTR, "a", RTNONE); }

class CommandProcessorTest : public testing::Test {
protected:
    void SetUp() override
    {
        defineStandardSysVars();
        Editor::instance().addReactor(&log);
        CommandProcessor::instance().defineHostCommand("PROBE", [] {
            seenActive.push_back(cmdActive());
            return CommandOutcome::Ended;
        });
        acedRegCmds->addCommand("TEST_GROUP", "MINE", "MINE", ACRX_CMD_MODAL, moduleCommand);
        CommandProcessor::instance().defineHostCommand("ASK3", askThree);
        acedRegCmds->addCommand("TEST_GROUP", "FEED3", "FEED3", ACRX_CMD_MODAL, feedInThreeCalls);
        acedRegCmds->addCommand("TEST_GROUP", "FEED1", "FEED1", ACRX_CMD_MODAL, feedOnceAndLeave);
        seenActive.clear();
        asked.clear();
        activeBetweenCalls.clear();
        namesBetweenCalls.clear();
    }
    void TearDown() override
    {
        Editor::instance().removeReactor(&log);
        acedRegCmds->removeGroup("TEST_GROUP");
        CommandProcessor::instance().resetQuit();
    }
    void runScript(const std::string& text)
    {
        ScriptInput script(text);
        InputScope scope(&script);
        CommandProcessor::instance().runCommandLoop();
    }
    EventLog log;
    ConsoleCapture capture;
};

}  // namespace

TEST_F(CommandProcessorTest, ScriptRunsCommandsWithTheirAnswersAndEchoes)
{
    runScript("MINE Yes\n");
    EXPECT_EQ(capture.text, "Command: MINE\nGo on [Yes/No]? Yes\nCommand: ._PROBE\nCommand: \n");
    EXPECT_EQ(log.events, (std::vector<std::string>{"start MINE", "start PROBE", "end PROBE", "end MINE"}));
    ASSERT_EQ(seenActive.size(), 2u);
    EXPECT_EQ(seenActive[0], 1 | 4 | 64);      // command, script, module command
    EXPECT_EQ(seenActive[1], 1 | 2 | 4 | 64);  // nested
    EXPECT_EQ(seenNames, "MINE");
    EXPECT_EQ(cmdActive(), 0);
}

TEST_F(CommandProcessorTest, AWrongKeywordIsAskedAgainAndTheEndOfInputCancels)
{
    runScript("MINE maybe");
    EXPECT_NE(capture.text.find("Invalid option keyword.\nGo on [Yes/No]? *Cancel*\n"), std::string::npos)
        << capture.text;
    EXPECT_EQ(log.events.front(), "start MINE");
    EXPECT_EQ(log.events.back(), "cancel MINE");
}

TEST_F(CommandProcessorTest, UnknownNamesAreReportedAndEnterRepeatsTheLastCommand)
{
    runScript("NOSUCH\nPROBE\n\n");
    EXPECT_NE(capture.text.find("Unknown command \"NOSUCH\".  Press F1 for help.\n"), std::string::npos);
    EXPECT_EQ(seenActive.size(), 2u);  // PROBE, then again for the empty line
}

TEST_F(CommandProcessorTest, DotPrefixSkipsModuleCommandsAndQuitEndsTheLoop)
{
    runScript("._MINE QUIT PROBE\n");
    EXPECT_NE(capture.text.find("Unknown command \"._MINE\"."), std::string::npos);
    CommandProcessor::instance().defineHostCommand("QUIT", [] {
        CommandProcessor::instance().requestQuit();
        return CommandOutcome::Ended;
    });
    seenActive.clear();
    runScript("QUIT PROBE\n");
    EXPECT_TRUE(seenActive.empty());
}

TEST_F(CommandProcessorTest, ArgumentPromptsFollowCmdecho)
{
    resbuf off;
    off.restype = RTSHORT;
    off.resval.rint = 0;
    acedSetVar("CMDECHO", &off);
    ScriptInput empty("");
    InputScope scope(&empty);
    EXPECT_EQ(acedCommand(RTSTR, "MINE", RTSTR, "No", RTNONE), RTNORM);
    EXPECT_EQ(capture.text, "");
    off.resval.rint = 1;
    acedSetVar("CMDECHO", &off);
    EXPECT_EQ(acedCommand(RTSTR, "NOSUCH", RTNONE), RTERROR);
}

TEST_F(CommandProcessorTest, ACommandLeftWaitingTakesItsAnswersFromTheNextCalls)
{
    runScript("FEED3\n");
    EXPECT_EQ(asked, (std::vector<std::string>{"a", "b", "c"}));
    // Between the calls the host command is still active on top of the module command.
    ASSERT_EQ(activeBetweenCalls.size(), 3u);
    EXPECT_EQ(activeBetweenCalls[0], 1 | 2 | 4 | 64);
    EXPECT_EQ(namesBetweenCalls[0], "FEED3'ASK3");
    EXPECT_EQ(namesBetweenCalls[1], "FEED3'ASK3");
    EXPECT_EQ(namesBetweenCalls[2], "FEED3") << "the third answer ended it";
    EXPECT_EQ(log.events, (std::vector<std::string>{"start FEED3", "start ASK3", "end ASK3", "end FEED3"}));
    EXPECT_FALSE(CommandProcessor::instance().commandWaiting());
    EXPECT_EQ(cmdActive(), 0);
}

TEST_F(CommandProcessorTest, ACommandStillWaitingWhenItsCallerEndsReadsFromTheInputBelow)
{
    runScript("FEED1 x y\nPROBE\n");
    EXPECT_EQ(asked, (std::vector<std::string>{"a", "x", "y"}));
    EXPECT_EQ(log.events, (std::vector<std::string>{"start FEED1", "start ASK3", "end ASK3", "end FEED1", "start PROBE",
                                                    "end PROBE"}));
    EXPECT_FALSE(CommandProcessor::instance().commandWaiting());
}

TEST_F(CommandProcessorTest, AWaitingCommandCancelledByTheEndOfInputEndsCleanly)
{
    runScript("FEED1 x");
    EXPECT_EQ(asked, (std::vector<std::string>{"a", "x"}));
    // The cancelled prompt ran inside FEED1, so the host reports FEED1 cancelled too.
    EXPECT_EQ(log.events.back(), "cancel FEED1");
    EXPECT_NE(std::find(log.events.begin(), log.events.end(), "cancel ASK3"), log.events.end());
    EXPECT_EQ(cmdActive(), 0);
}

TEST_F(CommandProcessorTest, WithCmdechoOffAWaitingCommandShowsNoPrompts)
{
    resbuf off;
    off.restype = RTSHORT;
    off.resval.rint = 0;
    acedSetVar("CMDECHO", &off);
    runScript("FEED3\n");
    off.resval.rint = 1;
    acedSetVar("CMDECHO", &off);
    EXPECT_EQ(asked, (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(capture.text.find("Text: "), std::string::npos) << capture.text;
}

TEST_F(CommandProcessorTest, CmdactiveHasTheDialogBitWhileTheMainWindowIsDisabled)
{
    const HWND mainWindow = adsw_acadMainWnd();
    EXPECT_EQ(cmdActive() & 8, 0);
    EXPECT_FALSE(EnableWindow(mainWindow, FALSE));
    EXPECT_EQ(cmdActive(), 8);
    EXPECT_TRUE(EnableWindow(mainWindow, TRUE));
    EXPECT_EQ(cmdActive(), 0);
}
