#include <gtest/gtest.h>

#include "afxwin.h"

TEST(CStringTest, BuildsComparesAndFormats)
{
    CString text("Kestra");
    text += ' ';
    text += CString("loaded");
    EXPECT_EQ(text, "Kestra loaded");
    EXPECT_EQ(text.GetLength(), 13);
    EXPECT_EQ(CString("ab") + "cd", "abcd");
    EXPECT_EQ("ab" + CString("cd"), "abcd");
    EXPECT_EQ(CString('-', 3), "---");
    EXPECT_EQ(CString("abc", 2), "ab");
    EXPECT_EQ(CString(static_cast<const char*>(nullptr)), "");

    EXPECT_EQ(CString("KsList").CompareNoCase("KSLIST"), 0);
    EXPECT_LT(CString("a").CompareNoCase("B"), 0);
    EXPECT_GT(CString("ab").CompareNoCase("A"), 0);
    EXPECT_EQ(CString("b").Compare("a"), 1);

    CString version;
    version.Format("%s  %s.", "Version number:", "15.06.04.05 2004/03/04");
    EXPECT_EQ(version, "Version number:  15.06.04.05 2004/03/04.");
    version.AppendFormat("%d", 7);
    EXPECT_EQ(version.Right(2), ".7");
    CString longText;
    longText.Format("%0600d", 1);
    EXPECT_EQ(longText.GetLength(), 600);
}

TEST(CStringTest, SubstringsClampOutOfRangeArguments)
{
    CString text("Kestra2000.arx");
    EXPECT_EQ(text.Left(6), "Kestra");
    EXPECT_EQ(text.Left(99), text);
    EXPECT_EQ(text.Left(-1), "");
    EXPECT_EQ(text.Right(3), "arx");
    EXPECT_EQ(text.Right(99), text);
    EXPECT_EQ(text.Mid(6, 4), "2000");
    EXPECT_EQ(text.Mid(20), "");
    EXPECT_EQ(text.Mid(-3, 2), "Ke");
    EXPECT_EQ(text.Find('.'), 10);
    EXPECT_EQ(text.Find("2000"), 6);
    EXPECT_EQ(text.Find('r', 5), 12);
    EXPECT_EQ(text.Find('z'), -1);
    EXPECT_EQ(text.Find('K', 99), -1);
    EXPECT_EQ(text.ReverseFind('r'), 12);
}

// MFC makes an index outside 0..GetLength()-1 the caller's fault: GetAt and SetAt assert, and
// promise nothing once the assertion is compiled out. Reading NUL and ignoring the write is the
// stand-in's own choice, so that a faulty caller cannot corrupt memory here.
TEST(CStringStandIn, AnIndexOutOfRangeReadsNulAndWritesNothing)
{
    CString text("Kestra");
    EXPECT_EQ(text.GetAt(0), 'K');
    EXPECT_EQ(text.GetAt(5), 'a');
    for (int index : {-1, 6, 99}) {
        EXPECT_EQ(text.GetAt(index), '\0') << index;
        text.SetAt(index, 'x');
    }
    EXPECT_EQ(text, "Kestra");
    EXPECT_EQ(text.GetLength(), 6);
    text.SetAt(5, 'o');
    EXPECT_EQ(text, "Kestro");
}

TEST(CStringTest, EditsInPlace)
{
    CString text("a%1b%1");
    EXPECT_EQ(text.Replace("%1", "%1%1"), 2);
    EXPECT_EQ(text, "a%1%1b%1%1");
    EXPECT_EQ(text.Replace("", "x"), 0);
    EXPECT_EQ(CString("  padded \t\n").Trim(), "padded");
    EXPECT_EQ(CString("   ").Trim(), "");
    EXPECT_EQ(CString("MiXed").MakeUpper(), "MIXED");
    EXPECT_EQ(CString("MiXed").MakeLower(), "mixed");

    CString buffer;
    std::snprintf(buffer.GetBuffer(16), 16, "%s", "filled");
    buffer.ReleaseBuffer();
    EXPECT_EQ(buffer, "filled");
    EXPECT_EQ(buffer.GetLength(), 6);
    buffer.GetBuffer(0);
    buffer.ReleaseBuffer(3);
    EXPECT_EQ(buffer, "fil");
}
