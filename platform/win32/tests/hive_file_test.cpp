// Hive files: the export format read and written, atomic replacement, read-only and malformed
// files, and changes made by other processes.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "test_support.h"

using win32test::kHiveHeader;
using win32test::readFile;
using win32test::ScopedRegistry;
using win32test::writeFile;

namespace {

std::string queryString(HKEY root, const char* path, const char* name)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return "<no key>";
    char text[256] = "";
    DWORD size = sizeof text;
    const LONG status = RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size);
    RegCloseKey(key);
    return status == ERROR_SUCCESS ? std::string(text) : "<error " + std::to_string(status) + ">";
}

LONG setString(HKEY root, const char* path, const char* name, const std::string& text)
{
    HKEY key = nullptr;
    LONG status = RegCreateKeyExA(root, path, 0, "", REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, &key, nullptr);
    if (status != ERROR_SUCCESS) return status;
    status = RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                            static_cast<DWORD>(text.size() + 1));
    RegCloseKey(key);
    return status;
}

ino_t inodeOf(const std::string& path)
{
    struct stat info {};
    stat(path.c_str(), &info);
    return info.st_ino;
}

TEST(HiveFile, IsWrittenInTheRegistryExportFormat)
{
    ScopedRegistry registry;
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyA(HKEY_LOCAL_MACHINE, "Software\\Zentrel", &key), ERROR_SUCCESS);
    const std::string name = "Kestra \"2000\" in C:\\Kestra";
    RegSetValueExA(key, "Name", 0, REG_SZ, reinterpret_cast<const BYTE*>(name.c_str()),
                   static_cast<DWORD>(name.size() + 1));
    const DWORD fifteen = 15;
    RegSetValueExA(key, "LOADCTRLS", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&fifteen), 4);
    RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>("default"), 8);
    const BYTE bytes[] = {1, 0xFE};
    RegSetValueExA(key, "Bin", 0, REG_BINARY, bytes, 2);
    RegSetValueExA(key, "Multi", 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>("a\0"), 3);
    RegCloseKey(key);
    ASSERT_EQ(RegCreateKeyA(HKEY_LOCAL_MACHINE, "Software\\Empty", &key), ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_EQ(readFile(registry.hive("HKEY_LOCAL_MACHINE")), kHiveHeader +
                                                                 "[HKEY_LOCAL_MACHINE\\Software]\n\n"
                                                                 "[HKEY_LOCAL_MACHINE\\Software\\Zentrel]\n"
                                                                 "\"Name\"=\"Kestra \\\"2000\\\" in C:\\\\Kestra\"\n"
                                                                 "\"LOADCTRLS\"=dword:0000000f\n"
                                                                 "@=\"default\"\n"
                                                                 "\"Bin\"=hex:01,fe\n"
                                                                 "\"Multi\"=hex(7):61,00,00\n\n"
                                                                 "[HKEY_LOCAL_MACHINE\\Software\\Empty]\n\n");
}

TEST(HiveFile, LongHexDataIsWrappedWithContinuationLines)
{
    ScopedRegistry registry;
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, "Blob", &key), ERROR_SUCCESS);
    std::vector<BYTE> blob(200);
    for (size_t i = 0; i < blob.size(); ++i) blob[i] = static_cast<BYTE>(i);
    RegSetValueExA(key, "Data", 0, REG_BINARY, blob.data(), static_cast<DWORD>(blob.size()));
    RegCloseKey(key);
    const std::string text = readFile(registry.hive("HKEY_CURRENT_USER"));
    size_t lines = 0;
    for (size_t start = 0, end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        EXPECT_LE(end - start, 80u);
        ++lines;
    }
    EXPECT_GT(lines, 8u);
    EXPECT_NE(text.find(",\\\n  "), std::string::npos);
}

TEST(HiveFile, ReadsHandWrittenFilesWithCrlfCommentsEscapesAndContinuations)
{
    ScopedRegistry registry;
    const std::string hive = registry.hive("HKEY_LOCAL_MACHINE");
    const std::string text = "Windows Registry Editor Version 5.00\r\n\r\n"
                             "; written by hand\r\n"
                             "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Autodesk\\AutoCAD]\r\n"
                             "\"CurVer\"=\"R15.0\"\r\n\r\n"
                             "[hkey_local_machine\\SOFTWARE\\Autodesk\\AutoCAD\\R15.0]  \r\n"
                             "\"CurVer\" = \"ACAD-1:409\"\r\n"
                             "\"Path\"=\"C:\\\\Program Files\\\\\\\"K\\\"\"\r\n"
                             "\"Bin\"=hex:01,02,\\\r\n"
                             "  03,04\r\n"
                             "@=dword:0000000F\r\n";
    writeFile(hive, text);
    EXPECT_EQ(queryString(HKEY_LOCAL_MACHINE, "Software\\Autodesk\\AutoCAD", "CurVer"), "R15.0");
    EXPECT_EQ(queryString(HKEY_LOCAL_MACHINE, "Software\\Autodesk\\AutoCAD\\R15.0", "CurVer"), "ACAD-1:409");
    EXPECT_EQ(queryString(HKEY_LOCAL_MACHINE, "Software\\Autodesk\\AutoCAD\\R15.0", "Path"),
              "C:\\Program Files\\\"K\"");
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Autodesk\\AutoCAD\\R15.0", 0, KEY_ALL_ACCESS, &key),
              ERROR_SUCCESS);
    BYTE bytes[8];
    DWORD size = sizeof bytes;
    DWORD type = 0;
    ASSERT_EQ(RegQueryValueExA(key, "Bin", nullptr, &type, bytes, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(std::vector<BYTE>(bytes, bytes + size), (std::vector<BYTE>{1, 2, 3, 4}));
    DWORD number = 0;
    size = 4;
    ASSERT_EQ(RegQueryValueExA(key, "", nullptr, &type, reinterpret_cast<BYTE*>(&number), &size), ERROR_SUCCESS);
    EXPECT_EQ(number, 15u);
    EXPECT_EQ(readFile(hive), text);  // reading never rewrites the file

    RegSetValueExA(key, "New", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), 4);
    RegCloseKey(key);
    EXPECT_EQ(readFile(hive).find('\r'), std::string::npos);  // written back with LF
    EXPECT_EQ(queryString(HKEY_LOCAL_MACHINE, "Software\\Autodesk\\AutoCAD\\R15.0", "Path"),
              "C:\\Program Files\\\"K\"");
}

TEST(HiveFile, ReadsUtf16ExportsOfTheRegistryEditor)
{
    ScopedRegistry registry;
    const std::u16string text = u"\uFEFFWindows Registry Editor Version 5.00\r\n\r\n"
                                u"[HKEY_CURRENT_USER\\Software\\Caf\u00E9]\r\n"
                                u"\"Price\"=\"5 \u20AC\"\r\n";
    std::string bytes;
    for (char16_t unit : text) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    writeFile(registry.hive("HKEY_CURRENT_USER"), bytes);
    EXPECT_EQ(queryString(HKEY_CURRENT_USER, "Software\\CAF\xC9", "Price"), "5 \x80");
}

TEST(HiveFile, DeletionLinesOfTheExportFormatAreApplied)
{
    ScopedRegistry registry;
    writeFile(registry.hive("HKEY_LOCAL_MACHINE"), kHiveHeader +
                                                       "[HKEY_LOCAL_MACHINE\\A\\B]\n\"x\"=\"1\"\n"
                                                       "[-HKEY_LOCAL_MACHINE\\A\\B]\n"
                                                       "[HKEY_LOCAL_MACHINE\\C]\n\"x\"=\"1\"\n\"y\"=\"2\"\n\"x\"=-\n");
    EXPECT_EQ(queryString(HKEY_LOCAL_MACHINE, "A\\B", "x"), "<no key>");
    EXPECT_EQ(queryString(HKEY_LOCAL_MACHINE, "C", "x"), "<error 2>");
    EXPECT_EQ(queryString(HKEY_LOCAL_MACHINE, "C", "y"), "2");
    EXPECT_EQ(queryString(HKEY_LOCAL_MACHINE, "A", nullptr), "<error 2>");  // A itself stays
}

TEST(HiveFile, AMissingOrEmptyFileIsAnEmptyHive)
{
    ScopedRegistry registry;
    EXPECT_EQ(queryString(HKEY_LOCAL_MACHINE, "Software", "x"), "<no key>");
    writeFile(registry.hive("HKEY_LOCAL_MACHINE"), "");
    EXPECT_EQ(queryString(HKEY_LOCAL_MACHINE, "Software", "x"), "<no key>");
    EXPECT_EQ(setString(HKEY_LOCAL_MACHINE, "Software", "x", "1"), ERROR_SUCCESS);
}

TEST(HiveFile, EveryWriteReplacesTheFileAtomicallyAndKeepsItsPermissions)
{
    ScopedRegistry registry;
    const std::string hive = registry.hive("HKEY_LOCAL_MACHINE");
    ASSERT_EQ(setString(HKEY_LOCAL_MACHINE, "Software", "a", "1"), ERROR_SUCCESS);
    ASSERT_EQ(chmod(hive.c_str(), 0640), 0);
    const ino_t before = inodeOf(hive);
    ASSERT_EQ(setString(HKEY_LOCAL_MACHINE, "Software", "b", "2"), ERROR_SUCCESS);
    EXPECT_NE(inodeOf(hive), before);  // a new file renamed over the old one
    struct stat info {};
    stat(hive.c_str(), &info);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(win32test::listFolder(registry.folder()), "HKEY_LOCAL_MACHINE.reg ");
}

TEST(HiveFile, WritingTheDataAValueAlreadyHoldsLeavesTheFileAlone)
{
    ScopedRegistry registry;
    const std::string hive = registry.hive("HKEY_LOCAL_MACHINE");
    ASSERT_EQ(setString(HKEY_LOCAL_MACHINE, "Software", "a", "1"), ERROR_SUCCESS);
    const ino_t before = inodeOf(hive);
    ASSERT_EQ(setString(HKEY_LOCAL_MACHINE, "Software", "a", "1"), ERROR_SUCCESS);
    EXPECT_EQ(inodeOf(hive), before);
    ASSERT_EQ(setString(HKEY_LOCAL_MACHINE, "Software", "a", "2"), ERROR_SUCCESS);
    EXPECT_NE(inodeOf(hive), before);
    EXPECT_EQ(queryString(HKEY_LOCAL_MACHINE, "Software", "a"), "2");
}

TEST(HiveFileDeathTest, AFailedWriteLeavesTheFileAndTheRegistryAsTheyWere)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    ScopedRegistry registry;
    const std::string hive = registry.hive("HKEY_LOCAL_MACHINE");
    ASSERT_EQ(setString(HKEY_LOCAL_MACHINE, "Software", "a", "1"), ERROR_SUCCESS);
    const std::string before = readFile(hive);
    const std::string folder = registry.folder();
    // A file size limit makes writing the new file fail half way.
    const auto writeTooMuch = [&] {
        signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{before.size() + 16, before.size() + 16};
        setrlimit(RLIMIT_FSIZE, &limit);
        const LONG status = setString(HKEY_LOCAL_MACHINE, "Software", "big", std::string(4096, 'x'));
        const bool unchanged = readFile(hive) == before && win32test::listFolder(folder) == "HKEY_LOCAL_MACHINE.reg ";
        const bool forgotten = queryString(HKEY_LOCAL_MACHINE, "Software", "big") == "<error 2>";
        const bool passed = status == ERROR_CANTWRITE && unchanged && forgotten;
        std::filesystem::remove_all(folder);  // _exit skips the destructors of this process
        _exit(passed ? 0 : 1);
    };
    EXPECT_EXIT(writeTooMuch(), ::testing::ExitedWithCode(0), "");
}

TEST(HiveFile, AReadOnlyHiveRefusesEveryWriteLikeAUserWithoutRights)
{
    ScopedRegistry registry;
    const std::string hive = registry.hive("HKEY_LOCAL_MACHINE");
    ASSERT_EQ(setString(HKEY_LOCAL_MACHINE, "Software\\Kestra", "a", "1"), ERROR_SUCCESS);
    ASSERT_EQ(chmod(hive.c_str(), 0444), 0);
    const std::string before = readFile(hive);

    HKEY key = nullptr;
    EXPECT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\New", 0, "", REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr,
                              &key, nullptr),
              ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Kestra", 0, KEY_WRITE, &key), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegSetValueExA(HKEY_LOCAL_MACHINE, "x", 0, REG_SZ, reinterpret_cast<const BYTE*>(""), 1),
              ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegDeleteKeyA(HKEY_LOCAL_MACHINE, "Software\\Kestra"), ERROR_ACCESS_DENIED);
    // What may be read still reads, and a handle opened for "whatever is allowed" only reads.
    ASSERT_EQ(RegOpenKeyA(HKEY_LOCAL_MACHINE, "Software\\Kestra", &key), ERROR_SUCCESS);
    EXPECT_EQ(queryString(key, nullptr, "a"), "1");
    EXPECT_EQ(RegSetValueExA(key, "b", 0, REG_SZ, reinterpret_cast<const BYTE*>(""), 1), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegDeleteValueA(key, "a"), ERROR_ACCESS_DENIED);
    RegCloseKey(key);
    EXPECT_EQ(readFile(hive), before);
    EXPECT_EQ(setString(HKEY_CURRENT_USER, "Software", "a", "1"),
              ERROR_SUCCESS);  // other roots write

    ASSERT_EQ(chmod(hive.c_str(), 0644), 0);
    EXPECT_EQ(setString(HKEY_LOCAL_MACHINE, "Software\\Kestra", "b", "2"), ERROR_SUCCESS);
}

struct MalformedCase {
    std::string text;
    int line;
};

class MalformedHive : public ::testing::TestWithParam<MalformedCase> {};

TEST_P(MalformedHive, IsReportedOnceMakesTheRootUnreadableAndIsNeverOverwritten)
{
    ScopedRegistry registry;
    const std::string hive = registry.hive("HKEY_LOCAL_MACHINE");
    writeFile(hive, GetParam().text);
    ::testing::internal::CaptureStderr();
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "A", 0, KEY_READ, &key), ERROR_BADDB);
    const std::string report = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(report.find(hive + ":" + std::to_string(GetParam().line) + ":"), std::string::npos) << report;

    ::testing::internal::CaptureStderr();
    EXPECT_EQ(RegCreateKeyA(HKEY_LOCAL_MACHINE, "B", &key), ERROR_BADDB);
    EXPECT_EQ(RegSetValueExA(HKEY_LOCAL_MACHINE, "v", 0, REG_SZ, reinterpret_cast<const BYTE*>(""), 1), ERROR_BADDB);
    DWORD size = 0;
    EXPECT_EQ(RegQueryValueExA(HKEY_LOCAL_MACHINE, "v", nullptr, nullptr, nullptr, &size), ERROR_BADDB);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");  // said once
    EXPECT_EQ(readFile(hive), GetParam().text);
    EXPECT_EQ(setString(HKEY_CURRENT_USER, "A", "v", "1"), ERROR_SUCCESS);  // other roots work

    writeFile(hive, kHiveHeader + "[HKEY_LOCAL_MACHINE\\A]\n");
    EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "A", 0, KEY_READ, &key), ERROR_SUCCESS);
    RegCloseKey(key);
}

const std::string kSection = "[HKEY_LOCAL_MACHINE\\A]\n";

INSTANTIATE_TEST_SUITE_P(Cases, MalformedHive,
                         ::testing::Values(MalformedCase{"[HKEY_LOCAL_MACHINE\\A]\n", 1},
                                           MalformedCase{kHiveHeader + "\"x\"=\"y\"\n", 3},
                                           MalformedCase{kHiveHeader + "[HKEY_CURRENT_USER\\A]\n", 3},
                                           MalformedCase{kHiveHeader + "[HKEY_LOCAL_MACHINE\\A\n", 3},
                                           MalformedCase{kHiveHeader + "[HKEY_LOCAL_MACHINE\\\\A]\n", 3},
                                           MalformedCase{kHiveHeader + kSection + "\"d\"=dword:123456789\n", 4},
                                           MalformedCase{kHiveHeader + kSection + "\"h\"=hex:01,zz\n", 4},
                                           MalformedCase{kHiveHeader + kSection + "\"h\"=hex(q):01\n", 4},
                                           MalformedCase{kHiveHeader + kSection + "\"s\"=\"open\n", 4},
                                           MalformedCase{kHiveHeader + kSection + "\"s\"=\"C:\\dir\"\n", 4},
                                           MalformedCase{kHiveHeader + kSection + "\"s\" \"t\"\n", 4},
                                           MalformedCase{kHiveHeader + kSection + "\"s\"=text\n", 4},
                                           MalformedCase{kHiveHeader + kSection + "\"s\"=\"a\" b\n", 4},
                                           MalformedCase{kHiveHeader + kSection + "\"h\"=hex:01,\\\n", 4},
                                           MalformedCase{kHiveHeader + kSection + "name=\"x\"\n", 4}),
                         [](const ::testing::TestParamInfo<MalformedCase>& info) {
                             return "Case" + std::to_string(info.index);
                         });

TEST(HiveFile, ChangesMadeByAnotherProcessAreSeenAtTheNextCall)
{
    ScopedRegistry registry;
    const std::string hive = registry.hive("HKEY_LOCAL_MACHINE");
    ASSERT_EQ(setString(HKEY_LOCAL_MACHINE, "Software", "v", "one"), ERROR_SUCCESS);
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software", 0, KEY_READ, &key), ERROR_SUCCESS);
    EXPECT_EQ(queryString(key, nullptr, "v"), "one");
    writeFile(hive, kHiveHeader + "[HKEY_LOCAL_MACHINE\\Software]\n\"v\"=\"two\"\n");
    EXPECT_EQ(queryString(key, nullptr, "v"), "two");
    writeFile(hive, kHiveHeader);
    DWORD size = 0;
    EXPECT_EQ(RegQueryValueExA(key, "v", nullptr, nullptr, nullptr, &size), ERROR_KEY_DELETED);
    RegCloseKey(key);
}

std::string valueName(int process, int value)
{
    char name[32];
    std::snprintf(name, sizeof name, "p%dv%d", process, value);
    return name;
}

TEST(HiveFile, ConcurrentWritersInSeveralProcessesLoseNothing)
{
    ScopedRegistry registry;
    constexpr int kProcesses = 3;
    constexpr int kValues = 40;
    std::vector<pid_t> children;
    for (int p = 0; p < kProcesses; ++p) {
        const pid_t child = fork();
        if (child == 0) {
            bool ok = true;
            for (int v = 0; v < kValues; ++v) {
                const std::string name = valueName(p, v);
                ok = setString(HKEY_LOCAL_MACHINE, "Shared", name.c_str(), name) == ERROR_SUCCESS && ok;
            }
            _exit(ok ? 0 : 1);
        }
        children.push_back(child);
    }
    for (pid_t child : children) {
        int status = 0;
        waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    for (int p = 0; p < kProcesses; ++p) {
        for (int v = 0; v < kValues; ++v) {
            const std::string name = valueName(p, v);
            EXPECT_EQ(queryString(HKEY_LOCAL_MACHINE, "Shared", name.c_str()), name);
        }
    }
}

}  // namespace
