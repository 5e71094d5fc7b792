// _splitpath, _fcvt and GetTempPathA.
#include <gtest/gtest.h>
#include <win32crt.h>
#include <windows.h>

#include <cstdlib>
#include <string>

namespace {

struct Parts {
    std::string drive, dir, fname, ext;
    bool operator==(const Parts& other) const = default;
};

std::ostream& operator<<(std::ostream& out, const Parts& parts)
{
    return out << "{" << parts.drive << "|" << parts.dir << "|" << parts.fname << "|" << parts.ext << "}";
}

Parts split(const char* path)
{
    char drive[_MAX_DRIVE], dir[_MAX_DIR], fname[_MAX_FNAME], ext[_MAX_EXT];
    _splitpath(path, drive, dir, fname, ext);
    return Parts{drive, dir, fname, ext};
}

TEST(SplitPath, SplitsAsTheWindowsRuntimeDoes)
{
    EXPECT_EQ(split("C:\\Kestra\\Arx\\Kestra2000.arx"), (Parts{"C:", "\\Kestra\\Arx\\", "Kestra2000", ".arx"}));
    EXPECT_EQ(split("/opt/kestra/bin/Kestra2000.arx"), (Parts{"", "/opt/kestra/bin/", "Kestra2000", ".arx"}));
    EXPECT_EQ(split("setup.ini"), (Parts{"", "", "setup", ".ini"}));
    EXPECT_EQ(split("C:setup.ini"), (Parts{"C:", "", "setup", ".ini"}));
    EXPECT_EQ(split("mixed\\folder/file.tar.gz"), (Parts{"", "mixed\\folder/", "file.tar", ".gz"}));
    EXPECT_EQ(split("folder.d/README"), (Parts{"", "folder.d/", "README", ""}));
    EXPECT_EQ(split("home/.profile"), (Parts{"", "home/", "", ".profile"}));
    EXPECT_EQ(split("/"), (Parts{"", "/", "", ""}));
    EXPECT_EQ(split(""), (Parts{"", "", "", ""}));
}

TEST(SplitPath, AcceptsMissingOutputsAndTruncatesLongParts)
{
    char ext[_MAX_EXT];
    _splitpath("C:\\a\\b.txt", nullptr, nullptr, nullptr, ext);
    EXPECT_STREQ(ext, ".txt");
    const std::string longFolder = "/" + std::string(300, 'd') + "/name.x";
    const Parts parts = split(longFolder.c_str());
    EXPECT_EQ(parts.dir.size(), static_cast<size_t>(_MAX_DIR - 1));
    EXPECT_EQ(parts.fname, "name");
}

struct Fixed {
    std::string digits;
    int dec;
    int sign;
    bool operator==(const Fixed& other) const = default;
};

std::ostream& operator<<(std::ostream& out, const Fixed& fixed)
{
    return out << "'" << fixed.digits << "' dec " << fixed.dec << " sign " << fixed.sign;
}

Fixed fcvt(double value, int count)
{
    int dec = 99, sign = 99;
    const char* digits = _fcvt(value, count, &dec, &sign);
    return Fixed{digits, dec, sign};
}

TEST(Fcvt, GivesDigitsDecimalPointAndSign)
{
    EXPECT_EQ(fcvt(3.1415926535, 7), (Fixed{"31415927", 1, 0}));
    EXPECT_EQ(fcvt(100.0, 2), (Fixed{"10000", 3, 0}));
    EXPECT_EQ(fcvt(0.5, 2), (Fixed{"50", 0, 0}));
    EXPECT_EQ(fcvt(0.05, 2), (Fixed{"5", -1, 0}));
    EXPECT_EQ(fcvt(-12.345678, 3), (Fixed{"12346", 2, 1}));
    EXPECT_EQ(fcvt(9.999, 2), (Fixed{"1000", 2, 0}));
    EXPECT_EQ(fcvt(1234.0, 0), (Fixed{"1234", 4, 0}));
    EXPECT_EQ(fcvt(0.0, 2), (Fixed{"00", 0, 0}));
    EXPECT_EQ(fcvt(0.001, 2), (Fixed{"00", 0, 0}));
    EXPECT_EQ(fcvt(2.5, -1), (Fixed{"2", 1, 0}));  // a negative count counts as 0
}

TEST(TempPath, IsTmpdirOrTmpWithATrailingSlash)
{
    const char* old = std::getenv("TMPDIR");
    const std::string saved = old != nullptr ? old : "";
    char buffer[MAX_PATH];
    setenv("TMPDIR", "/var/tmp/kestra", 1);
    EXPECT_EQ(GetTempPathA(sizeof buffer, buffer), 16u);
    EXPECT_STREQ(buffer, "/var/tmp/kestra/");
    char small[4] = "abc";
    EXPECT_EQ(GetTempPathA(sizeof small, small), 17u);  // the size needed with its NUL
    EXPECT_STREQ(small, "abc");
    unsetenv("TMPDIR");
    EXPECT_EQ(GetTempPathA(sizeof buffer, buffer), 5u);
    EXPECT_STREQ(buffer, "/tmp/");
    if (old != nullptr) setenv("TMPDIR", saved.c_str(), 1);
}

}  // namespace
