// Hives of unusual shape (many values under one key, very deep keys) read and change as small
// ones do, and deferred registry changes reach the hive file all at once or not at all.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <win32standin.h>
#include <windows.h>

#include <string>
#include <vector>

#include "test_support.h"

using win32test::kHiveHeader;
using win32test::readFile;
using win32test::ScopedRegistry;
using win32test::writeFile;

namespace {

LONG setDword(HKEY root, const char* path, const std::string& name, DWORD number)
{
    HKEY key = nullptr;
    LONG status = RegCreateKeyExA(root, path, 0, "", REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, &key, nullptr);
    if (status != ERROR_SUCCESS) return status;
    status = RegSetValueExA(key, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
    RegCloseKey(key);
    return status;
}

// The DWORD, or -1 when missing, -2 when the key is missing.
long long queryDword(HKEY root, const std::string& path, const std::string& name)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return -2;
    DWORD number = 0;
    DWORD size = sizeof number;
    const LONG status = RegQueryValueExA(key, name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(&number), &size);
    RegCloseKey(key);
    return status == ERROR_SUCCESS ? static_cast<long long>(number) : -1;
}

// Value names of a key in enumeration order, separated by spaces. (The order is the stand-in's
// stored order; Windows promises none.)
std::string valueNames(HKEY root, const char* path)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return "<no key>";
    std::string names;
    char name[64];
    for (DWORD index = 0;; ++index) {
        DWORD size = sizeof name;
        if (RegEnumValueA(key, index, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
            break;
        }
        names.append(name, size).append(" ");
    }
    RegCloseKey(key);
    return names;
}

// The order checked here and in the next test is the stand-in's own (creation order, a value set
// again keeps its place), not a promise of Windows.
TEST(HiveScale, ManyValuesOfOneKeyKeepTheirOrderAndAreFoundWithoutRegardToCase)
{
    ScopedRegistry registry;
    std::string text = kHiveHeader + "[HKEY_LOCAL_MACHINE\\Many]\n";
    constexpr int kValues = 20000;
    for (int i = 0; i < kValues; ++i) {
        char line[48];
        std::snprintf(line, sizeof line, "\"v%d\"=dword:%08x\n", i, i);
        text += line;
    }
    text += "\"V7\"=dword:00000070\n";  // the same value again, in another case: replaced in place
    text += "\"v8\"=-\n";               // and one deleted
    writeFile(registry.hive("HKEY_LOCAL_MACHINE"), text);
    EXPECT_EQ(queryDword(HKEY_LOCAL_MACHINE, "Many", "v19999"), 19999);
    EXPECT_EQ(queryDword(HKEY_LOCAL_MACHINE, "many", "v7"), 0x70);
    EXPECT_EQ(queryDword(HKEY_LOCAL_MACHINE, "Many", "v8"), -1);
    EXPECT_EQ(queryDword(HKEY_LOCAL_MACHINE, "Many", "v9"), 9);  // found after the deletion
    EXPECT_EQ(valueNames(HKEY_LOCAL_MACHINE, "Many").substr(0, 24), "v0 v1 v2 v3 v4 v5 v6 v7 ");
    EXPECT_EQ(valueNames(HKEY_LOCAL_MACHINE, "Many").substr(24, 6), "v9 v10");
}

TEST(HiveScale, ValuesAndKeysRemovedAndAddedAgainAreFoundAtTheirNewPlace)
{
    ScopedRegistry registry;
    for (const char* name : {"a", "b", "c", "d"}) {
        ASSERT_EQ(setDword(HKEY_CURRENT_USER, "K", name, 1), ERROR_SUCCESS);
    }
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "K", 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
    ASSERT_EQ(RegDeleteValueA(key, "B"), ERROR_SUCCESS);
    RegCloseKey(key);
    ASSERT_EQ(setDword(HKEY_CURRENT_USER, "K", "D", 4), ERROR_SUCCESS);  // replaced in place
    ASSERT_EQ(setDword(HKEY_CURRENT_USER, "K", "B", 2), ERROR_SUCCESS);  // appended
    EXPECT_EQ(valueNames(HKEY_CURRENT_USER, "K"), "a c d B ");
    EXPECT_EQ(queryDword(HKEY_CURRENT_USER, "K", "d"), 4);
    EXPECT_EQ(queryDword(HKEY_CURRENT_USER, "K", "b"), 2);

    for (const char* sub : {"K\\One", "K\\Two", "K\\Three"}) {
        ASSERT_EQ(setDword(HKEY_CURRENT_USER, sub, "x", 1), ERROR_SUCCESS);
    }
    ASSERT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "K\\ONE"), ERROR_SUCCESS);
    EXPECT_EQ(queryDword(HKEY_CURRENT_USER, "K\\Two", "x"), 1);
    EXPECT_EQ(queryDword(HKEY_CURRENT_USER, "K\\three", "x"), 1);
    EXPECT_EQ(queryDword(HKEY_CURRENT_USER, "K\\One", "x"), -2);
}

TEST(HiveScale, AKeyHundredsOfThousandsOfLevelsDeepIsReadAndFreed)
{
    ScopedRegistry registry;
    constexpr int kLevels = 300000;
    std::string path;
    path.reserve(2 * kLevels);
    for (int i = 0; i < kLevels; ++i) path += i == 0 ? "k" : "\\k";
    const std::string hive = registry.hive("HKEY_LOCAL_MACHINE");
    writeFile(hive, kHiveHeader + "[HKEY_LOCAL_MACHINE\\" + path + "]\n\"depth\"=dword:00000001\n");
    EXPECT_EQ(queryDword(HKEY_LOCAL_MACHINE, path, "depth"), 1);
    // Replacing the file drops the deep tree read before.
    writeFile(hive, kHiveHeader + "[HKEY_LOCAL_MACHINE\\k]\n\"depth\"=dword:00000002\n");
    EXPECT_EQ(queryDword(HKEY_LOCAL_MACHINE, "k", "depth"), 2);
}

TEST(DeferredRegistryChanges, AreSeenByTheProcessAndWrittenOnceAtTheCommit)
{
    ScopedRegistry registry;
    const std::string hive = registry.hive("HKEY_LOCAL_MACHINE");
    ASSERT_EQ(setDword(HKEY_LOCAL_MACHINE, "Software", "before", 1), ERROR_SUCCESS);
    const std::string before = readFile(hive);
    ASSERT_EQ(Win32BeginRegistryChanges(), ERROR_SUCCESS);
    EXPECT_EQ(Win32BeginRegistryChanges(), ERROR_INVALID_FUNCTION);
    for (int i = 0; i < 50; ++i) {
        ASSERT_EQ(setDword(HKEY_LOCAL_MACHINE, "Software\\New", "v" + std::to_string(i), i), ERROR_SUCCESS);
    }
    EXPECT_EQ(queryDword(HKEY_LOCAL_MACHINE, "Software\\New", "v49"), 49);
    EXPECT_EQ(readFile(hive), before);
    EXPECT_EQ(win32test::listFolder(registry.folder()), "HKEY_LOCAL_MACHINE.reg ");
    ASSERT_EQ(Win32CommitRegistryChanges(), ERROR_SUCCESS);
    const std::string after = readFile(hive);
    EXPECT_NE(after.find("\"v0\"=dword:00000000\n"), std::string::npos);
    EXPECT_NE(after.find("\"v49\"=dword:00000031\n"), std::string::npos);
    EXPECT_EQ(Win32CommitRegistryChanges(), ERROR_INVALID_FUNCTION);
    // Changes are written at once again.
    ASSERT_EQ(setDword(HKEY_LOCAL_MACHINE, "Software", "after", 2), ERROR_SUCCESS);
    EXPECT_NE(readFile(hive).find("\"after\""), std::string::npos);
}

TEST(DeferredRegistryChanges, DiscardedOrNeverCommittedChangesLeaveTheFileAsItWas)
{
    ScopedRegistry registry;
    const std::string hive = registry.hive("HKEY_LOCAL_MACHINE");
    ASSERT_EQ(setDword(HKEY_LOCAL_MACHINE, "Software", "kept", 1), ERROR_SUCCESS);
    const std::string before = readFile(hive);

    ASSERT_EQ(Win32BeginRegistryChanges(), ERROR_SUCCESS);
    ASSERT_EQ(setDword(HKEY_LOCAL_MACHINE, "Software", "dropped", 2), ERROR_SUCCESS);
    ASSERT_EQ(RegDeleteKeyA(HKEY_LOCAL_MACHINE, "Software"), ERROR_SUCCESS);
    Win32DiscardRegistryChanges();
    EXPECT_EQ(readFile(hive), before);
    EXPECT_EQ(queryDword(HKEY_LOCAL_MACHINE, "Software", "dropped"), -1);
    EXPECT_EQ(queryDword(HKEY_LOCAL_MACHINE, "Software", "kept"), 1);

    // A process that ends before its commit changes nothing.
    const pid_t child = fork();
    if (child == 0) {
        Win32BeginRegistryChanges();
        setDword(HKEY_LOCAL_MACHINE, "Software", "lost", 3);
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_EQ(readFile(hive), before);
    // Its lock went with it: this process writes again.
    EXPECT_EQ(setDword(HKEY_LOCAL_MACHINE, "Software", "later", 4), ERROR_SUCCESS);
}

TEST(DeferredRegistryChanges, ACommitThatCannotWriteLeavesTheFileAndReportsTheFailure)
{
    ScopedRegistry registry;
    const std::string hive = registry.hive("HKEY_LOCAL_MACHINE");
    ASSERT_EQ(setDword(HKEY_LOCAL_MACHINE, "Software", "kept", 1), ERROR_SUCCESS);
    const std::string before = readFile(hive);
    const std::string folder = registry.folder();
    const pid_t child = fork();
    if (child == 0) {
        // A file size limit makes writing the new hive fail half way.
        signal(SIGXFSZ, SIG_IGN);
        bool passed = Win32BeginRegistryChanges() == ERROR_SUCCESS;
        for (int i = 0; i < 200; ++i) {
            passed = setDword(HKEY_LOCAL_MACHINE, "Software", "v" + std::to_string(i), i) == 0 && passed;
        }
        const rlimit limit{before.size() + 16, before.size() + 16};
        setrlimit(RLIMIT_FSIZE, &limit);
        passed = Win32CommitRegistryChanges() == ERROR_CANTWRITE && passed;
        passed = queryDword(HKEY_LOCAL_MACHINE, "Software", "v0") == -1 && passed;
        _exit(passed ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(readFile(hive), before);
    EXPECT_EQ(win32test::listFolder(folder), "HKEY_LOCAL_MACHINE.reg ");
}

}  // namespace
