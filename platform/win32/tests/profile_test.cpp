// Private profile (INI) files with Windows' rules.
#include <gtest/gtest.h>
#include <unistd.h>
#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "test_support.h"

namespace {

const std::string kIni = "; installer values\r\n"
                         "[VERSION]\r\n"
                         "  Version = R15.0  \r\n"
                         "[Keys]\r\n"
                         "Key0=Kestra\r\n"
                         "key1 = \"Kestra\\User\"\r\n"
                         "\r\n"
                         "[Kestra\\User]\r\n"
                         "splash=1\r\n"
                         "name=\"quoted text\"\r\n"
                         "single='x'\r\n"
                         "bare line\r\n"
                         ";note=1\r\n"
                         "count=  42abc\r\n"
                         "negative=-3\r\n"
                         "hex=0x1F\r\n"
                         "word=abc\r\n"
                         "empty=\r\n"
                         "[keys]\r\n"
                         "Key9=second section of the same name\r\n";

class ProfileFiles : public ::testing::Test {
protected:
    void SetUp() override { win32test::writeFile(path(), kIni); }
    std::string path() const { return folder_.file("setup.ini"); }
    std::string get(const char* section, const char* key, const char* fallback = "<default>")
    {
        char text[256];
        GetPrivateProfileStringA(section, key, fallback, text, sizeof text, path().c_str());
        return text;
    }
    win32test::TempFolder folder_;
};

std::string asList(const char* buffer, DWORD length) { return std::string(buffer, length); }

TEST_F(ProfileFiles, StringsAreFoundWithoutRegardToCaseTrimmedAndUnquoted)
{
    EXPECT_EQ(get("version", "VERSION"), "R15.0");
    EXPECT_EQ(get("Keys", "KEY1"), "Kestra\\User");
    EXPECT_EQ(get("Kestra\\User", "single"), "x");
    EXPECT_EQ(get("Kestra\\User", "empty"), "");
    EXPECT_EQ(get("Keys", "Key9"), "<default>");  // the first section of a name is the one read
    EXPECT_EQ(get("Keys", "bare line"), "<default>");
    EXPECT_EQ(get("Keys", "Key2", "fallback  "), "fallback");  // the default loses trailing blanks
    EXPECT_EQ(get("Nope", "Key0"), "<default>");
    char text[8];
    EXPECT_EQ(GetPrivateProfileStringA("Keys", "Key0", "", text, sizeof text, path().c_str()), 6u);
    EXPECT_EQ(GetPrivateProfileStringA("VERSION", "Version", "", text, 4, path().c_str()), 3u);
    EXPECT_STREQ(text, "R15");
    EXPECT_EQ(
        GetPrivateProfileStringA("VERSION", "Version", "dflt", text, sizeof text, folder_.file("missing.ini").c_str()),
        4u);
    EXPECT_STREQ(text, "dflt");
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

TEST_F(ProfileFiles, EveryChangeOfTheFileIsSeenAtTheNextRead)
{
    EXPECT_EQ(get("Keys", "Key0"), "Kestra");
    // Rewritten in place with a text of the same size, and replaced by another file.
    std::string changed = kIni;
    changed.replace(changed.find("Key0=Kestra"), 11, "Key0=Other!");
    {
        std::FILE* file = std::fopen(path().c_str(), "r+b");
        ASSERT_NE(file, nullptr);
        std::fwrite(changed.data(), 1, changed.size(), file);
        std::fclose(file);
    }
    EXPECT_EQ(get("Keys", "Key0"), "Other!");
    win32test::writeFile(folder_.file("other.ini"), "[Keys]\nKey0=third\n");
    std::filesystem::rename(folder_.file("other.ini"), path());
    EXPECT_EQ(get("Keys", "Key0"), "third");
    EXPECT_EQ(get("VERSION", "Version"), "<default>");
    std::filesystem::remove(path());
    EXPECT_EQ(get("Keys", "Key0"), "<default>");
}

TEST_F(ProfileFiles, ThousandsOfSectionsAreEachFound)
{
    std::string text;
    for (int i = 0; i < 3000; ++i) text += "[S" + std::to_string(i) + "]\nv=" + std::to_string(i) + "\n";
    text += "[s7]\nv=duplicate\n";
    win32test::writeFile(path(), text);
    EXPECT_EQ(get("S0", "v"), "0");
    EXPECT_EQ(get("s2999", "V"), "2999");
    EXPECT_EQ(get("S7", "v"), "7");  // the first section of a name
    char buffer[32];
    EXPECT_EQ(asList(buffer, GetPrivateProfileSectionA("S1234", buffer, sizeof buffer, path().c_str())),
              std::string("v=1234\0", 7));
}

TEST_F(ProfileFiles, SectionAndKeyListsEndInADoubleNul)
{
    char buffer[256];
    DWORD length = GetPrivateProfileStringA(nullptr, nullptr, "", buffer, sizeof buffer, path().c_str());
    EXPECT_EQ(asList(buffer, length + 1), std::string("VERSION\0Keys\0Kestra\\User\0\0", 26));
    length = GetPrivateProfileStringA("KEYS", nullptr, "", buffer, sizeof buffer, path().c_str());
    EXPECT_EQ(asList(buffer, length + 1), std::string("Key0\0key1\0\0", 11));
    length = GetPrivateProfileStringA("KEYS", nullptr, "", buffer, 7, path().c_str());
    EXPECT_EQ(length, 5u);
    EXPECT_EQ(asList(buffer, 7), std::string("Key0\0\0\0", 7));  // cut, still two NULs at the end
}

TEST_F(ProfileFiles, ASectionIsReturnedRawWithoutComments)
{
    char buffer[256];
    const DWORD length = GetPrivateProfileSectionA("kestra\\user", buffer, sizeof buffer, path().c_str());
    std::string expected;
    for (const char* line : {"splash=1", "name=\"quoted text\"", "single='x'", "bare line", "count=42abc",
                             "negative=-3", "hex=0x1F", "word=abc", "empty="}) {
        expected += std::string(line) + '\0';
    }
    EXPECT_EQ(length, expected.size());
    EXPECT_EQ(asList(buffer, length + 1), expected + '\0');
    EXPECT_EQ(GetPrivateProfileSectionA("Kestra\\User", buffer, 12, path().c_str()), 10u);
    EXPECT_EQ(asList(buffer, 12), std::string("splash=1\0n\0\0", 12));
    EXPECT_EQ(GetPrivateProfileSectionA("Missing", buffer, sizeof buffer, path().c_str()), 0u);
    EXPECT_EQ(buffer[0], '\0');
}

TEST_F(ProfileFiles, IntegersAreReadAsWindowsReadsThem)
{
    const std::string file = path();
    EXPECT_EQ(GetPrivateProfileIntA("Kestra\\User", "splash", 7, file.c_str()), 1u);
    EXPECT_EQ(GetPrivateProfileIntA("Kestra\\User", "count", 7, file.c_str()), 42u);
    EXPECT_EQ(GetPrivateProfileIntA("Kestra\\User", "negative", 7, file.c_str()), static_cast<UINT>(-3));
    EXPECT_EQ(GetPrivateProfileIntA("Kestra\\User", "hex", 7, file.c_str()), 31u);
    EXPECT_EQ(GetPrivateProfileIntA("Kestra\\User", "word", 7, file.c_str()), 0u);
    EXPECT_EQ(GetPrivateProfileIntA("Kestra\\User", "empty", 7, file.c_str()), 7u);
    EXPECT_EQ(GetPrivateProfileIntA("Kestra\\User", "missing", 7, file.c_str()), 7u);
}

TEST_F(ProfileFiles, ANameWithoutFolderIsLookedUpInTheCurrentFolder)
{
    const std::string before = std::filesystem::current_path().string();
    ASSERT_EQ(chdir(folder_.path().c_str()), 0);
    char text[16];
    GetPrivateProfileStringA("VERSION", "Version", "", text, sizeof text, "setup.ini");
    ASSERT_EQ(chdir(before.c_str()), 0);
    EXPECT_STREQ(text, "R15.0");
}

TEST_F(ProfileFiles, WritingChangesOnlyWhatItMustAndKeepsTheLineEnds)
{
    const std::string name = path();
    ASSERT_TRUE(WritePrivateProfileStringA("version", "VERSION", "R16.0", name.c_str()));
    ASSERT_TRUE(WritePrivateProfileStringA("Keys", "Key2", "Kestra\\Loader", name.c_str()));
    ASSERT_TRUE(WritePrivateProfileStringA("New", "a", "1", name.c_str()));
    ASSERT_TRUE(WritePrivateProfileStringA("Kestra\\User", "splash", nullptr, name.c_str()));
    ASSERT_TRUE(WritePrivateProfileStringA("Kestra\\User", "absent", nullptr, name.c_str()));
    EXPECT_EQ(win32test::readFile(name), "; installer values\r\n"
                                         "[VERSION]\r\n"
                                         "Version=R16.0\r\n"
                                         "[Keys]\r\n"
                                         "Key0=Kestra\r\n"
                                         "key1 = \"Kestra\\User\"\r\n"
                                         "Key2=Kestra\\Loader\r\n"
                                         "\r\n"
                                         "[Kestra\\User]\r\n"
                                         "name=\"quoted text\"\r\n"
                                         "single='x'\r\n"
                                         "bare line\r\n"
                                         ";note=1\r\n"
                                         "count=  42abc\r\n"
                                         "negative=-3\r\n"
                                         "hex=0x1F\r\n"
                                         "word=abc\r\n"
                                         "empty=\r\n"
                                         "[keys]\r\n"
                                         "Key9=second section of the same name\r\n"
                                         "\r\n"
                                         "[New]\r\n"
                                         "a=1\r\n");
    EXPECT_EQ(win32test::listFolder(folder_.path()), "setup.ini ");
}

TEST_F(ProfileFiles, ANullKeyRemovesTheWholeSection)
{
    const std::string name = folder_.file("two.ini");
    win32test::writeFile(name, "[A]\nx=1\n\n[B]\ny=2\n");
    ASSERT_TRUE(WritePrivateProfileStringA("a", nullptr, nullptr, name.c_str()));
    EXPECT_EQ(win32test::readFile(name), "[B]\ny=2\n");
}

TEST_F(ProfileFiles, WritingANewFileCreatesIt)
{
    const std::string name = folder_.file("fresh.ini");
    ASSERT_TRUE(WritePrivateProfileStringA("Section", "key", "value", name.c_str()));
    ASSERT_TRUE(WritePrivateProfileStringA("Section", "other", "2", name.c_str()));
    EXPECT_EQ(win32test::readFile(name), "[Section]\nkey=value\nother=2\n");
    EXPECT_FALSE(WritePrivateProfileStringA("S", "k", "v", folder_.file("no/such/folder.ini").c_str()));
}

}  // namespace
