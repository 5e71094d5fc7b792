// ShellExecuteA and WinExec really start programs, with arguments split as Windows splits them.
#include <dirent.h>
#include <gtest/gtest.h>
#include <unistd.h>
#include <windows.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "process/command_line.h"
#include "test_support.h"

namespace {

using Words = std::vector<std::string>;

TEST(CommandLineSplitting, FollowsTheRuntimeRulesForArguments)
{
    const std::vector<std::pair<std::string, Words>> cases = {
        {R"("a b c" d e)", {"a b c", "d", "e"}},
        {R"("ab\"c" "\\" d)", {"ab\"c", "\\", "d"}},
        {R"(a\\\b d"e f"g h)", {"a\\\\\\b", "de fg", "h"}},
        {R"(a\\\"b c d)", {"a\\\"b", "c", "d"}},
        {R"(a\\\\"b c" d e)", {"a\\\\b c", "d", "e"}},
        {R"(a"b"" c d)", {"ab\" c d"}},
        {"  spaced\t\ttabs  ", {"spaced", "tabs"}},
        {R"("unclosed to the end)", {"unclosed to the end"}},
        {R"("" x)", {"", "x"}},
        {R"(trailing\)", {"trailing\\"}},
        {"", {}},
    };
    for (const auto& [line, words] : cases) EXPECT_EQ(win32::splitArguments(line), words) << line;
}

TEST(CommandLineSplitting, TheProgramNameKeepsItsBackslashes)
{
    EXPECT_EQ(win32::splitCommandLine(R"("C:\Program Files\Viewer\view.exe" "%1" -x)"),
              (Words{"C:\\Program Files\\Viewer\\view.exe", "%1", "-x"}));
    EXPECT_EQ(win32::splitCommandLine(R"(C:\dir\\prog.exe a\"b)"), (Words{"C:\\dir\\\\prog.exe", "a\"b"}));
    EXPECT_EQ(win32::splitCommandLine(R"(/opt/my" "app/run x)"), (Words{"/opt/my app/run", "x"}));
    EXPECT_EQ(win32::splitCommandLine("   "), Words{});
}

// Each test gets a folder and a marker file that the recorder program writes when started.
class StartingPrograms : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("WIN32_TEST_MARKER", marker().c_str(), 1);
        recorder_ = std::filesystem::canonical(win32test::binFolder() + "/win32_argv_recorder").string();
    }
    void TearDown() override { unsetenv("WIN32_TEST_MARKER"); }

    std::string marker() const { return folder_.file("marker"); }
    std::string folder() const { return std::filesystem::canonical(folder_.path()).string(); }
    const std::string& recorder() const { return recorder_; }

    // The recorder's working folder followed by its arguments.
    Words record() const
    {
        if (!win32test::waitForFile(marker())) return {"<not started>"};
        std::istringstream lines(win32test::readFile(marker()));
        Words words;
        for (std::string line; std::getline(lines, line);) {
            words.push_back(line.size() >= 2 && line.front() == '[' ? line.substr(1, line.size() - 2) : line);
        }
        return words;
    }

    void associate(const std::string& key, const std::string& command)
    {
        HKEY handle = nullptr;
        ASSERT_EQ(RegCreateKeyA(HKEY_CLASSES_ROOT, key.c_str(), &handle), ERROR_SUCCESS);
        ASSERT_EQ(RegSetValueExA(handle, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                                 static_cast<DWORD>(command.size() + 1)),
                  ERROR_SUCCESS);
        RegCloseKey(handle);
    }

    win32test::TempFolder folder_;
    win32test::ScopedRegistry registry_;
    std::string recorder_;
};

INT_PTR code(HINSTANCE result) { return reinterpret_cast<INT_PTR>(result); }

TEST_F(StartingPrograms, WinExecStartsTheProgramWithWindowsArgumentSplitting)
{
    const std::string line = "\"" + recorder() + R"(" plain "two words" a\\\"b "c""d" e\f)";
    EXPECT_GT(WinExec(line.c_str(), SW_SHOWNORMAL), 31u);
    const Words words = record();
    ASSERT_EQ(words.size(), 7u);  // the folder, then the program and five arguments
    EXPECT_EQ(Words(words.begin() + 1, words.end()),
              (Words{recorder(), "plain", "two words", "a\\\"b", "c\"d", "e\\f"}));
}

TEST_F(StartingPrograms, WinExecSearchesThePathAndReportsAMissingProgram)
{
    EXPECT_EQ(WinExec("/nonexistent/folder/program arg", SW_SHOWNORMAL), static_cast<UINT>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(WinExec("no-such-program-anywhere", SW_SHOWNORMAL), static_cast<UINT>(ERROR_FILE_NOT_FOUND));
    const std::string oldPath = std::getenv("PATH") != nullptr ? std::getenv("PATH") : "";
    setenv("PATH", (std::filesystem::path(recorder()).parent_path().string() + ":" + oldPath).c_str(), 1);
    const UINT started = WinExec("win32_argv_recorder from-path", SW_SHOWNORMAL);
    setenv("PATH", oldPath.c_str(), 1);
    EXPECT_EQ(started, 33u);
    EXPECT_EQ(record().back(), "from-path");
}

// Counts this process's children that have ended but were not waited for.
int zombieChildren()
{
    int zombies = 0;
    DIR* proc = opendir("/proc");
    while (dirent* entry = readdir(proc)) {
        std::ifstream stat(std::string("/proc/") + entry->d_name + "/stat");
        std::string text;
        if (!std::getline(stat, text)) continue;
        const size_t close = text.rfind(')');
        if (close == std::string::npos) continue;
        char state = 0;
        int parent = 0;
        std::istringstream(text.substr(close + 2)) >> state >> parent;
        if (parent == getpid() && state == 'Z') ++zombies;
    }
    closedir(proc);
    return zombies;
}

TEST_F(StartingPrograms, EndedChildrenAreReapedWithoutTheCallerWaiting)
{
    for (int i = 0; i < 5; ++i) {
        std::filesystem::remove(marker());
        ASSERT_EQ(WinExec(("\"" + recorder() + "\" run").c_str(), SW_HIDE), 33u);
        ASSERT_TRUE(win32test::waitForFile(marker()));
    }
    int zombies = zombieChildren();
    for (int i = 0; i < 200 && zombies > 0; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        zombies = zombieChildren();
    }
    EXPECT_EQ(zombies, 0);
}

TEST_F(StartingPrograms, ShellExecuteStartsAnExecutableDirectlyInTheFolderGiven)
{
    const INT_PTR result =
        code(ShellExecuteA(nullptr, "open", recorder().c_str(), R"(one "two three")", folder().c_str(), SW_SHOWNORMAL));
    EXPECT_GT(result, 32);
    EXPECT_EQ(record(), (Words{folder(), recorder(), "one", "two three"}));
}

TEST_F(StartingPrograms, ShellExecuteOpensADocumentThroughItsAssociation)
{
    associate(".ktx", "Kestra.Document");
    associate("Kestra.Document\\shell\\open\\command", "\"" + recorder() + "\" --open \"%1\"");
    const std::string document = folder() + "/my drawing.ktx";
    win32test::writeFile(document, "text");
    EXPECT_GT(code(ShellExecuteA(nullptr, nullptr, document.c_str(), nullptr, nullptr, SW_SHOWNORMAL)), 32);
    const Words words = record();
    EXPECT_EQ(Words(words.begin() + 1, words.end()), (Words{recorder(), "--open", document}));
    EXPECT_EQ(code(ShellExecuteA(nullptr, "print", document.c_str(), nullptr, nullptr, SW_SHOWNORMAL)), SE_ERR_NOASSOC);
}

TEST_F(StartingPrograms, ShellExecuteOpensAnAddressThroughItsScheme)
{
    associate("kestra-test\\shell\\open\\command", "\"" + recorder() + "\" %1");
    EXPECT_GT(code(ShellExecuteA(nullptr, "open", "kestra-test://help/topic", nullptr, nullptr, 1)), 32);
    EXPECT_EQ(record().back(), "kestra-test://help/topic");
}

TEST_F(StartingPrograms, ShellExecuteReportsMissingFilesAndAssociations)
{
    EXPECT_EQ(code(ShellExecuteA(nullptr, "open", (folder() + "/missing.ktx").c_str(), nullptr, nullptr, 1)),
              SE_ERR_FNF);
    win32test::writeFile(folder() + "/plain.zzz", "");
    win32test::writeFile(folder() + "/noextension", "");
    EXPECT_EQ(code(ShellExecuteA(nullptr, "open", (folder() + "/plain.zzz").c_str(), nullptr, nullptr, 1)),
              SE_ERR_NOASSOC);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_ASSOCIATION));
    EXPECT_EQ(code(ShellExecuteA(nullptr, "open", (folder() + "/noextension").c_str(), nullptr, nullptr, 1)),
              SE_ERR_NOASSOC);
    associate(".zzz", "Broken.Document");
    associate("Broken.Document\\shell\\open\\command", "/nonexistent/viewer \"%1\"");
    EXPECT_EQ(code(ShellExecuteA(nullptr, "open", (folder() + "/plain.zzz").c_str(), nullptr, nullptr, 1)), SE_ERR_FNF);
    EXPECT_FALSE(win32test::fileExists(marker()));
}

}  // namespace
