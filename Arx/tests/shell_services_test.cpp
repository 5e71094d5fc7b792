#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>
#include <thread>

#include "adscodes.h"
#include "registry_fixture.h"
#include "settings/splash_setting.h"
#include "shell/demand_load.h"
#include "shell/shell_execute.h"

using namespace kestra;

TEST(ModulePathTest, SplitsAfterTheLastSeparatorOfEitherKind)
{
    ModulePathParts posix = splitModulePath("/opt/kestra/bin/Kestra2000.arx");
    EXPECT_EQ(posix.folder, "/opt/kestra/bin/");
    EXPECT_EQ(posix.fileName, "Kestra2000.arx");
    ModulePathParts windows = splitModulePath("C:\\Program Files\\Kestra\\Kestra2000.arx");
    EXPECT_EQ(windows.folder, "C:\\Program Files\\Kestra\\");
    EXPECT_EQ(windows.fileName, "Kestra2000.arx");
    ModulePathParts bare = splitModulePath("Kestra2000.arx");
    EXPECT_EQ(bare.folder, "");
    EXPECT_EQ(bare.fileName, "Kestra2000.arx");
    EXPECT_EQ(splitModulePath("/").folder, "/");
}

TEST(FallbackCommandLineTest, CutsAtThePlaceholderAndAppendsThePath)
{
    EXPECT_EQ(fallbackCommandLine("\"/usr/bin/viewer\" \"%1\" -x", "/tmp/a.pdf"), "\"/usr/bin/viewer\"  /tmp/a.pdf");
    EXPECT_EQ(fallbackCommandLine("viewer %1 -x", "/tmp/a.pdf"), "viewer  /tmp/a.pdf");
    // The quoted placeholder wins even where a bare one comes first.
    EXPECT_EQ(fallbackCommandLine("viewer %1 \"%1\"", "/tmp/a.pdf"), "viewer %1  /tmp/a.pdf");
    EXPECT_EQ(fallbackCommandLine("viewer", "/tmp/a.pdf"), "viewer /tmp/a.pdf");
    EXPECT_EQ(fallbackCommandLine("", "/tmp/a.pdf"), " /tmp/a.pdf");
}

TEST(FallbackCommandLineTest, APathWithBlanksOrQuotationMarksStaysOneArgument)
{
    EXPECT_EQ(fallbackCommandLine("viewer \"%1\"", "/tmp/my file.pdf"), "viewer  \"/tmp/my file.pdf\"");
    EXPECT_EQ(quotedArgument("plain\\path.txt"), "plain\\path.txt");
    EXPECT_EQ(quotedArgument(""), "\"\"");
    EXPECT_EQ(quotedArgument("a \"b\" c"), "\"a \\\"b\\\" c\"");
    // Backslashes are doubled only where a quotation mark follows them.
    EXPECT_EQ(quotedArgument("C:\\My Docs\\"), "\"C:\\My Docs\\\\\"");
    EXPECT_EQ(quotedArgument("x\\\"y z"), "\"x\\\\\\\"y z\"");
    EXPECT_EQ(quotedArgument("tab\there"), "\"tab\there\"");
}

TEST(SplashAnswerTest, OnlyNoTurnsTheSplashOff)
{
    EXPECT_EQ(splashAnswer(RTNORM, "No"), false);
    EXPECT_EQ(splashAnswer(RTNORM, "no"), false);
    EXPECT_EQ(splashAnswer(RTNORM, "Yes"), true);
    EXPECT_EQ(splashAnswer(RTNONE, ""), true);  // Enter
    EXPECT_EQ(splashAnswer(RTCAN, ""), std::nullopt);
    EXPECT_EQ(splashAnswer(RTERROR, "No"), std::nullopt);
}

namespace {

constexpr const char* kKestraKey = "Software\\Zentrel\\AutoCAD\\15.0\\Kestra";

class DescriptionKeyTest : public RegistryTest {};

}  // namespace

TEST_F(DescriptionKeyTest, WritesEveryPartOfTheDescriptionOnceEvenWhenRepeated)
{
    for (int load = 0; load < 2; ++load) EXPECT_EQ(writeDescriptionKey("/opt/kestra/Kestra2000.arx"), ERROR_SUCCESS);

    EXPECT_EQ(getString(HKEY_LOCAL_MACHINE, "Software\\Zentrel\\AutoCAD\\15.0\\Kestra\\Groups", "Kestra"),
              std::string("Kestra\0", 7));
    EXPECT_EQ(getString(HKEY_LOCAL_MACHINE, "Software\\Zentrel\\AutoCAD\\15.0\\Kestra\\Loader", "MODULE"),
              std::string("/opt/kestra/Kestra2000.arx\0", 27));
    EXPECT_EQ(getString(HKEY_LOCAL_MACHINE, "Software\\Zentrel\\AutoCAD\\15.0\\Kestra\\Name", "Kestra"),
              std::string("Kestra Viewport Marks\0", 22));
    EXPECT_EQ(getString(HKEY_LOCAL_MACHINE, "Software\\Zentrel\\AutoCAD\\15.0\\Kestra\\Name", "Makers"),
              std::string("Zentrel.\0", 9));
    HKEY registration = nullptr;
    ASSERT_EQ(RegOpenKeyA(HKEY_LOCAL_MACHINE, "Software\\Zentrel\\AutoCAD\\15.0\\Kestra\\Registration", &registration),
              ERROR_SUCCESS);
    RegCloseKey(registration);
    EXPECT_TRUE(valueNames(HKEY_LOCAL_MACHINE, "Software\\Zentrel\\AutoCAD\\15.0\\Kestra\\Registration").empty());

    std::vector<std::string> commands =
        valueNames(HKEY_LOCAL_MACHINE, "Software\\Zentrel\\AutoCAD\\15.0\\Kestra\\Commands");
    const std::vector<std::string> expected = {
        "KSMAKE", "KS1",       "KSREFRESH", "KS2",     "KSLIST", "KSSCALE", "KS3",     "KSPLAN",    "KS4",
        "KSUCS",  "KS5",       "KSVIEWUCS", "KS6",     "KSMENU", "KS7",     "KSMENU?", "KS8",       "KSHELP",
        "KS?",    "KSVERSION", "KS9",       "KSABOUT", "KSLOGO", "KSGOTO",  "KS10",    "KSOPTIONS", "KS11"};
    EXPECT_EQ(commands, expected);
    for (const std::string& name : commands)
        EXPECT_EQ(getString(HKEY_LOCAL_MACHINE, "Software\\Zentrel\\AutoCAD\\15.0\\Kestra\\Commands", name.c_str()),
                  name + '\0');
}

TEST_F(DescriptionKeyTest, UnknownModulePathLeavesLoaderWithoutModule)
{
    writeDescriptionKey("");
    HKEY loader = nullptr;
    ASSERT_EQ(RegOpenKeyA(HKEY_LOCAL_MACHINE, "Software\\Zentrel\\AutoCAD\\15.0\\Kestra\\Loader", &loader),
              ERROR_SUCCESS);
    RegCloseKey(loader);
    EXPECT_FALSE(getRaw(HKEY_LOCAL_MACHINE, "Software\\Zentrel\\AutoCAD\\15.0\\Kestra\\Loader", "MODULE"));
}

TEST_F(DescriptionKeyTest, ReadOnlyMachineHiveLosesTheDescriptionSilently)
{
    setDword(HKEY_LOCAL_MACHINE, "Software\\Other", "x", 1);
    makeReadOnly("HKEY_LOCAL_MACHINE");
    EXPECT_NE(writeDescriptionKey("/opt/kestra/Kestra2000.arx"), ERROR_SUCCESS);
    HKEY kestra = nullptr;
    EXPECT_NE(RegOpenKeyA(HKEY_LOCAL_MACHINE, kKestraKey, &kestra), ERROR_SUCCESS);
    EXPECT_EQ(getDword(HKEY_LOCAL_MACHINE, "Software\\Other", "x"), 1u);
}

namespace {

class ShellOpenTest : public RegistryTest {
protected:
    void associate(const char* extension, const char* command)
    {
        setRaw(HKEY_CLASSES_ROOT, extension, "", REG_SZ, "KestraTest.File", 16);
        setRaw(HKEY_CLASSES_ROOT, "KestraTest.File\\shell\\open\\command", "", REG_SZ, command,
               static_cast<DWORD>(std::strlen(command) + 1));
    }

    static bool appears(const std::string& path)
    {
        for (int i = 0; i < 100 && !std::filesystem::exists(path); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        return std::filesystem::exists(path);
    }
};

}  // namespace

TEST_F(ShellOpenTest, FileTheShellCannotOpenIsStartedThroughItsRegisteredCommand)
{
    // The file does not exist, so the shell refuses it; the registered command line then runs
    // with the path appended, and creates it.
    associate(".kstest", "/usr/bin/touch \"%1\" --no-such-option");
    std::string path = folder_ + "/opened.kstest";
    shellOpen(path.c_str());
    EXPECT_TRUE(appears(path));
}

// The registered program receives a path with blanks, quotation marks and backslashes as one
// argument, unchanged: nothing of it can become an argument of its own.
TEST_F(ShellOpenTest, TheRegisteredProgramReceivesThePathAsOneArgument)
{
    const std::string recorder = KESTRA_ARGV_RECORDER;
    associate(".kstest", ("\"" + recorder + "\" \"%1\"").c_str());
    int round = 0;
    for (const std::string name : {"my file.kstest", "a \" --injected \".kstest", "back\\\" slash\\.kstest"}) {
        const std::string marker = folder_ + "/argv" + std::to_string(++round);
        setenv("WIN32_TEST_MARKER", marker.c_str(), 1);
        const std::string path = folder_ + "/" + name;
        shellOpen(path.c_str());
        ASSERT_TRUE(appears(marker)) << name;
        std::ifstream in(marker);
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        ASSERT_EQ(lines.size(), 3u) << name;  // the folder, the program, one argument
        EXPECT_EQ(lines[2], "[" + path + "]");
    }
    unsetenv("WIN32_TEST_MARKER");
}

TEST_F(ShellOpenTest, NothingStartsWithoutARegisteredCommand)
{
    setRaw(HKEY_CLASSES_ROOT, ".kstest", "", REG_SZ, "KestraTest.File", 16);  // a class without a command
    std::string path = folder_ + "/never.kstest";
    shellOpen(path.c_str());
    std::string noExtension = folder_ + "/never";
    shellOpen(noExtension.c_str());
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_FALSE(std::filesystem::exists(noExtension));
}
