// The registry functions keep Windows' semantics and return codes.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <win32standin.h>
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "test_support.h"

using win32test::ScopedRegistry;

namespace {

// Moves the hive file's time stamp so that the next call reads the file again.
void forceReread(const std::string& hive)
{
    struct stat info {};
    ASSERT_EQ(stat(hive.c_str(), &info), 0);
    timespec times[2] = {info.st_atim, info.st_mtim};
    times[1].tv_sec -= 10;
    ASSERT_EQ(utimensat(AT_FDCWD, hive.c_str(), times, 0), 0);
}

HKEY createKey(HKEY root, const char* path, REGSAM access = KEY_ALL_ACCESS)
{
    HKEY key = nullptr;
    EXPECT_EQ(RegCreateKeyExA(root, path, 0, "", REG_OPTION_NON_VOLATILE, access, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    return key;
}

void setString(HKEY key, const char* name, const std::string& text)
{
    ASSERT_EQ(RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                             static_cast<DWORD>(text.size() + 1)),
              ERROR_SUCCESS);
}

std::vector<std::string> subkeyNames(HKEY key)
{
    std::vector<std::string> names;
    char name[256];
    for (DWORD i = 0;; ++i) {
        DWORD size = sizeof name;
        const LONG status = RegEnumKeyExA(key, i, name, &size, nullptr, nullptr, nullptr, nullptr);
        if (status == ERROR_NO_MORE_ITEMS) break;
        EXPECT_EQ(status, ERROR_SUCCESS);
        EXPECT_EQ(size, std::strlen(name));
        names.push_back(name);
    }
    return names;
}

std::vector<std::string> valueNames(HKEY key)
{
    std::vector<std::string> names;
    char name[256];
    for (DWORD i = 0;; ++i) {
        DWORD size = sizeof name;
        const LONG status = RegEnumValueA(key, i, name, &size, nullptr, nullptr, nullptr, nullptr);
        if (status == ERROR_NO_MORE_ITEMS) break;
        EXPECT_EQ(status, ERROR_SUCCESS);
        names.push_back(name);
    }
    return names;
}

struct StoredValue {
    DWORD type = 0;
    std::vector<BYTE> data;
    bool operator==(const StoredValue& other) const = default;
};

StoredValue queryValue(HKEY key, const char* name)
{
    StoredValue value;
    DWORD size = 0;
    EXPECT_EQ(RegQueryValueExA(key, name, nullptr, &value.type, nullptr, &size), ERROR_SUCCESS);
    value.data.resize(size);
    EXPECT_EQ(RegQueryValueExA(key, name, nullptr, &value.type, value.data.data(), &size), ERROR_SUCCESS);
    return value;
}

TEST(RegistrySemantics, OpeningAMissingKeyFailsWithFileNotFound)
{
    ScopedRegistry registry;
    HKEY key = reinterpret_cast<HKEY>(1);
    EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Missing", 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(key, nullptr);
    EXPECT_EQ(RegOpenKeyA(HKEY_CURRENT_USER, "Software", &key), ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(win32test::fileExists(registry.hive("HKEY_LOCAL_MACHINE")));  // reading writes nothing
}

TEST(RegistrySemantics, CreateMakesIntermediateKeysAndReportsWhatItDid)
{
    ScopedRegistry registry;
    HKEY key = nullptr;
    DWORD disposition = 0;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\Zentrel\\AutoCAD\\15.0", 0, "", REG_OPTION_NON_VOLATILE,
                              KEY_WRITE, nullptr, &key, &disposition),
              ERROR_SUCCESS);
    EXPECT_EQ(disposition, static_cast<DWORD>(REG_CREATED_NEW_KEY));
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\zentrel\\AutoCAD\\15.0", 0, "", REG_OPTION_NON_VOLATILE,
                              KEY_WRITE, nullptr, &key, &disposition),
              ERROR_SUCCESS);
    EXPECT_EQ(disposition, static_cast<DWORD>(REG_OPENED_EXISTING_KEY));
    RegCloseKey(key);
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "software\\ZENTREL", 0, KEY_READ, &key), ERROR_SUCCESS);
    EXPECT_EQ(subkeyNames(key), std::vector<std::string>{"AutoCAD"});  // case as first written
    RegCloseKey(key);
    ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, "A\\B", &key), ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_EQ(RegOpenKeyA(HKEY_CURRENT_USER, "a\\b", &key), ERROR_SUCCESS);
    RegCloseKey(key);
}

TEST(RegistrySemantics, HandlesOnlyDoWhatTheirAccessAllows)
{
    ScopedRegistry registry;
    RegCloseKey(createKey(HKEY_CURRENT_USER, "Software\\Kestra"));
    HKEY reader = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Kestra", 0, KEY_READ, &reader), ERROR_SUCCESS);
    const DWORD one = 1;
    EXPECT_EQ(RegSetValueExA(reader, "Splash", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), 4),
              ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegDeleteValueA(reader, "Splash"), ERROR_ACCESS_DENIED);
    HKEY child = nullptr;
    EXPECT_EQ(
        RegCreateKeyExA(reader, "Settings01", 0, "", REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, &child, nullptr),
        ERROR_ACCESS_DENIED);
    RegCloseKey(reader);

    HKEY writer = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Kestra", 0, KEY_WRITE, &writer), ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExA(writer, "Splash", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), 4), ERROR_SUCCESS);
    DWORD size = 4;
    DWORD data = 0;
    EXPECT_EQ(RegQueryValueExA(writer, "Splash", nullptr, nullptr, reinterpret_cast<BYTE*>(&data), &size),
              ERROR_ACCESS_DENIED);  // KEY_WRITE has no KEY_QUERY_VALUE
    RegCloseKey(writer);
}

TEST(RegistrySemantics, QueryingGivesSizesTheWindowsWay)
{
    ScopedRegistry registry;
    HKEY key = createKey(HKEY_LOCAL_MACHINE, "Software\\Kestra");
    setString(key, "Name", "Kestra");
    DWORD type = 0;
    DWORD size = 0;
    ASSERT_EQ(RegQueryValueExA(key, "Name", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(size, 7u);  // the NUL counts
    char small[3] = {'x', 'x', 'x'};
    size = sizeof small;
    EXPECT_EQ(RegQueryValueExA(key, "Name", nullptr, &type, reinterpret_cast<BYTE*>(small), &size), ERROR_MORE_DATA);
    EXPECT_EQ(size, 7u);
    char exact[7];
    size = sizeof exact;
    ASSERT_EQ(RegQueryValueExA(key, "name", nullptr, nullptr, reinterpret_cast<BYTE*>(exact), &size), ERROR_SUCCESS);
    EXPECT_STREQ(exact, "Kestra");
    EXPECT_EQ(RegQueryValueExA(key, "Missing", nullptr, nullptr, nullptr, &size), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegQueryValueExA(key, "Name", nullptr, nullptr, reinterpret_cast<BYTE*>(exact), nullptr),
              ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegQueryValueExA(key, nullptr, nullptr, nullptr, nullptr, &size), ERROR_FILE_NOT_FOUND);
    RegCloseKey(key);
}

TEST(RegistrySemantics, ValuesKeepTheirTypeAndBytesAcrossTheFile)
{
    ScopedRegistry registry;
    HKEY key = createKey(HKEY_LOCAL_MACHINE, "Types");
    const std::vector<std::pair<const char*, StoredValue>> values = {
        {"", {REG_SZ, {'d', 'e', 'f', 0}}},
        {"NoNul", {REG_SZ, {'a', 'b', 'c'}}},
        {"Lines", {REG_SZ, {'a', '\r', '\n', 'b', 0}}},
        {"Word", {REG_DWORD, {0x0f, 0, 0, 0}}},
        {"ShortWord", {REG_DWORD, {1, 2}}},
        {"Binary", {REG_BINARY, std::vector<BYTE>(100, 0xAB)}},
        {"Empty", {REG_BINARY, {}}},
        {"Expand", {REG_EXPAND_SZ, {'%', 'P', '%', 0}}},
        {"Multi", {REG_MULTI_SZ, {'a', 0, 'b', 0, 0}}},
        {"Quad", {REG_QWORD, {1, 2, 3, 4, 5, 6, 7, 8}}},
        {"None", {REG_NONE, {9}}},
        {"Accent\xE9", {REG_SZ, {0xE9, 0}}},
        {"Quote\"Back\\slash", {REG_SZ, {'"', '\\', 0}}},
    };
    for (const auto& [name, value] : values) {
        ASSERT_EQ(RegSetValueExA(key, name, 0, value.type, value.data.data(), static_cast<DWORD>(value.data.size())),
                  ERROR_SUCCESS)
            << name;
    }
    forceReread(registry.hive("HKEY_LOCAL_MACHINE"));
    for (const auto& [name, value] : values) EXPECT_EQ(queryValue(key, name), value) << name;
    RegCloseKey(key);
}

TEST(RegistrySemantics, DeletingAKeyNeedsItToHaveNoSubkeys)
{
    ScopedRegistry registry;
    RegCloseKey(createKey(HKEY_LOCAL_MACHINE, "Parent\\Child"));
    HKEY child = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Parent\\Child", 0, KEY_READ, &child), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteKeyA(HKEY_LOCAL_MACHINE, "Parent"), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegDeleteKeyA(HKEY_LOCAL_MACHINE, "Parent\\Nobody"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegDeleteKeyA(HKEY_LOCAL_MACHINE, "PARENT\\CHILD"), ERROR_SUCCESS);
    DWORD size = 0;
    EXPECT_EQ(RegQueryValueExA(child, nullptr, nullptr, nullptr, nullptr, &size), ERROR_KEY_DELETED);
    RegCloseKey(child);
    EXPECT_EQ(RegDeleteKeyA(HKEY_LOCAL_MACHINE, "Parent"), ERROR_SUCCESS);
    HKEY gone = nullptr;
    EXPECT_EQ(RegOpenKeyA(HKEY_LOCAL_MACHINE, "Parent", &gone), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegDeleteKeyA(HKEY_LOCAL_MACHINE, ""), ERROR_ACCESS_DENIED);  // a root stays
}

// Windows documents no order of enumeration. What it does document: indices 0 to n-1 give each
// subkey and value once, index n gives ERROR_NO_MORE_ITEMS, and the order holds while the key is
// not changed. Names are compared without regard to case.
TEST(RegistrySemantics, EnumerationGivesEachNameOnceThenNoMoreItemsAndHoldsWhileUnchanged)
{
    ScopedRegistry registry;
    HKEY key = createKey(HKEY_CURRENT_USER, "Listed");
    for (const char* name : {"Zeta", "Alpha", "Mid"}) RegCloseKey(createKey(key, name));
    for (const char* name : {"z", "a", "m"}) setString(key, name, name);
    setString(key, "Z", "again");  // the same value: no second entry, the first spelling stays

    const std::vector<std::string> keys = subkeyNames(key);
    const std::vector<std::string> values = valueNames(key);
    using Names = std::multiset<std::string>;
    EXPECT_EQ(Names(keys.begin(), keys.end()), (Names{"Alpha", "Mid", "Zeta"}));
    EXPECT_EQ(Names(values.begin(), values.end()), (Names{"a", "m", "z"}));
    EXPECT_EQ(subkeyNames(key), keys);
    EXPECT_EQ(valueNames(key), values);
    EXPECT_EQ(queryValue(key, "z").data.size(), 6u);  // "again" and its NUL

    char name[8];
    DWORD size = sizeof name;
    EXPECT_EQ(RegEnumKeyExA(key, 3, name, &size, nullptr, nullptr, nullptr, nullptr), ERROR_NO_MORE_ITEMS);
    EXPECT_EQ(RegEnumKeyA(key, 3, name, sizeof name), ERROR_NO_MORE_ITEMS);
    size = sizeof name;
    EXPECT_EQ(RegEnumValueA(key, 3, name, &size, nullptr, nullptr, nullptr, nullptr), ERROR_NO_MORE_ITEMS);

    const auto zeta = static_cast<DWORD>(std::find(keys.begin(), keys.end(), "Zeta") - keys.begin());
    size = 4;  // "Zeta" needs 5 with its NUL
    EXPECT_EQ(RegEnumKeyExA(key, zeta, name, &size, nullptr, nullptr, nullptr, nullptr), ERROR_MORE_DATA);
    EXPECT_EQ(RegEnumKeyA(key, zeta, name, sizeof name), ERROR_SUCCESS);
    EXPECT_STREQ(name, "Zeta");
    char className[8] = "x";
    DWORD classSize = sizeof className;
    FILETIME written{};
    size = sizeof name;
    ASSERT_EQ(RegEnumKeyExA(key, zeta, name, &size, nullptr, className, &classSize, &written), ERROR_SUCCESS);
    EXPECT_EQ(size, 4u);
    EXPECT_STREQ(className, "");
    EXPECT_NE(written.dwHighDateTime, 0u);

    const auto a = static_cast<DWORD>(std::find(values.begin(), values.end(), "a") - values.begin());
    BYTE data[1];
    DWORD dataSize = sizeof data;
    DWORD type = 0;
    size = sizeof name;
    EXPECT_EQ(RegEnumValueA(key, a, name, &size, nullptr, &type, data, &dataSize), ERROR_MORE_DATA);
    EXPECT_EQ(dataSize, 2u);  // "a" and its NUL
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    RegCloseKey(key);
}

// The stand-in's own choice, not Windows': it enumerates in the order of creation (a value set
// again keeps its place), and keeps that order through its hive file, so that a hive file reads
// and writes back unchanged.
TEST(RegistryStandIn, EnumeratesInCreationOrderAndKeepsItThroughTheHiveFile)
{
    ScopedRegistry registry;
    HKEY key = createKey(HKEY_CURRENT_USER, "Order");
    for (const char* name : {"Zeta", "Alpha", "Mid"}) RegCloseKey(createKey(key, name));
    for (const char* name : {"z", "a", "m"}) setString(key, name, name);
    setString(key, "Z", "again");
    const std::vector<std::string> keys{"Zeta", "Alpha", "Mid"};
    const std::vector<std::string> values{"z", "a", "m"};
    EXPECT_EQ(subkeyNames(key), keys);
    EXPECT_EQ(valueNames(key), values);
    forceReread(registry.hive("HKEY_CURRENT_USER"));
    EXPECT_EQ(subkeyNames(key), keys);
    EXPECT_EQ(valueNames(key), values);
    RegCloseKey(key);
}

TEST(RegistrySemantics, QueryValueReadsTheDefaultValueOfASubkey)
{
    ScopedRegistry registry;
    HKEY key = createKey(HKEY_CLASSES_ROOT, ".ktx");
    char text[32];
    LONG size = sizeof text;
    ASSERT_EQ(RegQueryValueA(HKEY_CLASSES_ROOT, ".ktx", text, &size), ERROR_SUCCESS);
    EXPECT_STREQ(text, "");
    EXPECT_EQ(size, 1);
    setString(key, nullptr, "Kestra.Document");
    size = 0;
    ASSERT_EQ(RegQueryValueA(HKEY_CLASSES_ROOT, ".KTX", nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(size, 16);
    size = 4;
    EXPECT_EQ(RegQueryValueA(key, nullptr, text, &size), ERROR_MORE_DATA);
    size = sizeof text;
    ASSERT_EQ(RegQueryValueA(key, "", text, &size), ERROR_SUCCESS);
    EXPECT_STREQ(text, "Kestra.Document");
    EXPECT_EQ(RegQueryValueA(HKEY_CLASSES_ROOT, ".none", text, &size), ERROR_FILE_NOT_FOUND);
    RegCloseKey(key);
}

TEST(RegistrySemantics, HandlesAreCheckedAndClosedOnce)
{
    ScopedRegistry registry;
    HKEY key = createKey(HKEY_LOCAL_MACHINE, "Software");
    HKEY same = nullptr;
    EXPECT_EQ(RegOpenKeyA(key, "", &same), ERROR_SUCCESS);
    EXPECT_EQ(same, key);
    EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, nullptr, 0, KEY_READ, &same), ERROR_SUCCESS);
    EXPECT_EQ(same, HKEY_LOCAL_MACHINE);
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);
    DWORD size = 0;
    EXPECT_EQ(RegQueryValueExA(key, "x", nullptr, nullptr, nullptr, &size), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegCloseKey(HKEY_LOCAL_MACHINE), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(reinterpret_cast<HKEY>(0x12345)), ERROR_INVALID_HANDLE);
}

TEST(RegistrySemantics, PathsAndNamesAreValidated)
{
    ScopedRegistry registry;
    HKEY key = nullptr;
    EXPECT_EQ(RegCreateKeyA(HKEY_LOCAL_MACHINE, "\\Software", &key), ERROR_BAD_PATHNAME);
    EXPECT_EQ(RegCreateKeyA(HKEY_LOCAL_MACHINE, "Software\\\\Kestra", &key), ERROR_BAD_PATHNAME);
    EXPECT_EQ(RegCreateKeyA(HKEY_LOCAL_MACHINE, "Bad\nName", &key), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(
        RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Volatile", 0, "", REG_OPTION_VOLATILE, KEY_WRITE, nullptr, &key, nullptr),
        ERROR_INVALID_PARAMETER);
    ASSERT_EQ(RegCreateKeyA(HKEY_LOCAL_MACHINE, "Software\\", &key), ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExA(key, "Two\nLines", 0, REG_SZ, reinterpret_cast<const BYTE*>(""), 1),
              ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegSetValueExA(key, "x", 0, REG_BINARY, nullptr, 3), ERROR_INVALID_PARAMETER);
    RegCloseKey(key);
}

TEST(RegistrySemantics, EachRootHasItsOwnHiveFile)
{
    ScopedRegistry registry;
    HKEY key = createKey(HKEY_USERS, ".DEFAULT");
    RegCloseKey(key);
    EXPECT_TRUE(win32test::fileExists(registry.hive("HKEY_USERS")));
    EXPECT_FALSE(win32test::fileExists(registry.hive("HKEY_LOCAL_MACHINE")));
    HKEY other = nullptr;
    EXPECT_EQ(RegOpenKeyA(HKEY_LOCAL_MACHINE, ".DEFAULT", &other), ERROR_FILE_NOT_FOUND);
}

TEST(RegistryFolder, IsSetExplicitlyElseFromTheEnvironmentElseUnderHome)
{
    win32test::TempFolder scratch;
    const char* oldHome = std::getenv("HOME");
    const std::string savedHome = oldHome != nullptr ? oldHome : "";
    const char* oldRegistry = std::getenv("ARXHOST_REGISTRY");
    const std::string savedRegistry = oldRegistry != nullptr ? oldRegistry : "";

    Win32SetRegistryFolder(nullptr);
    setenv("ARXHOST_REGISTRY", scratch.file("from-env/registry").c_str(), 1);
    EXPECT_EQ(std::string(Win32RegistryFolder()), scratch.file("from-env/registry"));
    EXPECT_TRUE(win32test::fileExists(scratch.file("from-env/registry")));  // created

    Win32SetRegistryFolder(scratch.file("explicit").c_str());
    EXPECT_EQ(std::string(Win32RegistryFolder()), scratch.file("explicit"));

    Win32SetRegistryFolder("");
    unsetenv("ARXHOST_REGISTRY");
    setenv("HOME", scratch.path().c_str(), 1);
    EXPECT_EQ(std::string(Win32RegistryFolder()), scratch.file(".arxhost/registry"));
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, "Software", &key), ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_TRUE(win32test::fileExists(scratch.file(".arxhost/registry/HKEY_CURRENT_USER.reg")));

    setenv("HOME", savedHome.c_str(), 1);
    if (oldRegistry != nullptr) setenv("ARXHOST_REGISTRY", savedRegistry.c_str(), 1);
}

}  // namespace
