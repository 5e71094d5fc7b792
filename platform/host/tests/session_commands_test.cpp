// The host's session and file commands where AutoLISP and the file system meet them: CLOSE
// asked for by the evaluation that runs in the drawing, C: functions typed as commands, and
// SAVEAS onto links and onto files that are not regular files.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "acedads.h"
#include "adscodes.h"
#include "ap/document_manager.h"
#include "ed/command_processor.h"
#include "ed/console.h"
#include "ed/input.h"
#include "host.h"

namespace {

namespace fs = std::filesystem;
using arx::ap::DocumentManager;

std::string& printed()
{
    static std::string text;
    return text;
}

std::string fileText(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class SessionCommands : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        static const fs::path registry =
            fs::temp_directory_path() / ("kestra_session_commands_" + std::to_string(::getpid()));
        fs::create_directories(registry);
        arx::host::HostOptions options;
        options.registryFolder = registry.string();
        arx::host::startHost(options);
    }
    static void TearDownTestSuite() { arx::host::stopHost(); }

    void SetUp() override
    {
        folder = fs::temp_directory_path() / ("kestra_session_files_" + std::to_string(::getpid()));
        fs::create_directories(folder);
        if (documents() == 0) DocumentManager::instance().newDocument();
        printed().clear();
        arx::ed::Console::instance().setSink([](std::string_view text) { printed().append(text); });
    }
    void TearDown() override
    {
        arx::ed::Console::instance().resetSink();
        DocumentManager::instance().closeAll();
        fs::remove_all(folder);
    }
    static void typed(const std::string& text)
    {
        std::istringstream in(text);
        arx::ed::TypedInput input(in);
        arx::ed::InputScope scope(&input);
        arx::ed::CommandProcessor::instance().runCommandLoop();
    }
    static int documents() { return DocumentManager::instance().documentCount(); }

    fs::path folder;
};

TEST_F(SessionCommands, CloseFromAutoLispWaitsForTheEvaluationThatAskedForIt)
{
    ASSERT_EQ(documents(), 1);
    // The rest of the expression still runs in the drawing, which closes when it has ended.
    typed("(progn (command \"CLOSE\") (if (entmake '((0 . \"LINE\") (10 0 0 0) (11 1 1 0))) "
          "(princ \"drawn after CLOSE\")) (princ))\n");
    EXPECT_NE(printed().find("Command: CLOSE\ndrawn after CLOSE"), std::string::npos) << printed();
    EXPECT_EQ(documents(), 0);
    EXPECT_EQ(DocumentManager::instance().current(), nullptr);

    // Typed as a command, CLOSE closes at once; closing the drawing of another evaluation
    // than the one that runs does not wait either.
    DocumentManager::instance().newDocument();
    DocumentManager::instance().newDocument();
    typed("CLOSE\n");
    EXPECT_EQ(documents(), 1);
    typed("(command \"NEW\" \"CLOSE\")\n");
    EXPECT_EQ(documents(), 1);
}

TEST_F(SessionCommands, CFunctionsRunWhenTheirNameIsTypedAndPrintTheirValue)
{
    typed("(defun c:hello () (princ \"Hello from AutoLISP\") 42)\n"
          "HELLO\n"
          "\n"
          "_hello\n");
    const std::string once = "Hello from AutoLISP42\n";
    EXPECT_NE(printed().find("Command: HELLO\n" + once + "Command: \n" + once + "Command: _hello\n" + once),
              std::string::npos)
        << printed();

    // The command function and acedCommand do not reach them, as in the host.
    printed().clear();
    typed("(command \"HELLO\")\n");
    EXPECT_NE(printed().find("Unknown command \"HELLO\""), std::string::npos) << printed();
    EXPECT_EQ(printed().find("Hello from AutoLISP"), std::string::npos);
    EXPECT_EQ(acedCommand(RTSTR, "HELLO", RTNONE), RTERROR);

    // A host command keeps its name; a name that is not a plain symbol calls nothing.
    printed().clear();
    typed("(setq n 0)\n"
          "(defun c:new () (setq n (1+ n)))\n"
          "(defun c:x () (setq n (1+ n)))\n"
          "x)(c:x)(c:x\n"
          "(+ n 100)\n"
          "NEW\n");
    EXPECT_NE(printed().find("Unknown command \"X)(C:X)(C:X\""), std::string::npos) << printed();
    EXPECT_NE(printed().find("Command: (+ n 100)\n100"), std::string::npos) << printed();
    EXPECT_EQ(documents(), 2);
}

TEST_F(SessionCommands, SaveAsOntoALinkWritesTheFileTheLinkNames)
{
    const fs::path target = folder / "target.dxf";
    const fs::path link = folder / "link.dxf";
    std::ofstream(target) << "old contents";
    fs::create_symlink("target.dxf", link);  // relative, as links usually are
    ASSERT_EQ(acedCommand(RTSTR, "SAVEAS", RTSTR, link.c_str(), RTNONE), RTNORM) << printed();
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(link)));
    EXPECT_NE(fileText(target).find("EOF"), std::string::npos);

    // A link to a file not there yet makes that file.
    const fs::path dangling = folder / "dangling.dxf";
    fs::create_symlink(folder / "made.dxf", dangling);
    ASSERT_EQ(acedCommand(RTSTR, "SAVEAS", RTSTR, dangling.c_str(), RTNONE), RTNORM) << printed();
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(dangling)));
    EXPECT_TRUE(fs::is_regular_file(folder / "made.dxf"));
}

TEST_F(SessionCommands, SaveAsRefusesTargetsThatAreNotRegularFiles)
{
    const fs::path pipe = folder / "pipe.dxf";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const fs::path toPipe = folder / "to-pipe.dxf";
    fs::create_symlink(pipe, toPipe);
    const fs::path subfolder = folder / "folder.dxf";
    fs::create_directory(subfolder);
    const fs::path loop = folder / "loop.dxf";
    fs::create_symlink("loop.dxf", loop);
    for (const fs::path& path : {pipe, toPipe, subfolder, loop}) {
        printed().clear();
        EXPECT_NE(acedCommand(RTSTR, "SAVEAS", RTSTR, path.c_str(), RTNONE), RTNORM) << path;
        EXPECT_NE(printed().find("Cannot save the drawing as " + path.string() + ": "), std::string::npos) << printed();
    }
    EXPECT_EQ(fs::status(pipe).type(), fs::file_type::fifo);
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(toPipe)));
    EXPECT_TRUE(fs::is_empty(subfolder));
    EXPECT_EQ(fs::read_symlink(loop), "loop.dxf");
}

}  // namespace
