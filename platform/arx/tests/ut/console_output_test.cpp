// acutPrintf on its own: formatting, the writer the command line registers, and standard
// output when none is registered (this program links the ut area alone).
#include <gtest/gtest.h>

#include <string>

#include "acutads.h"
#include "ut/console_output.h"

namespace {

std::string& written()
{
    static std::string text;
    return text;
}

void recordingWriter(std::string_view ansiText) { written() += ansiText; }

// Registers the recording writer for one test and puts standard output back after it.
struct RecordingWriter {
    RecordingWriter()
    {
        written().clear();
        arx::ut::setConsoleWriter(&recordingWriter);
    }
    ~RecordingWriter() { arx::ut::setConsoleWriter(nullptr); }
    RecordingWriter(const RecordingWriter&) = delete;
    RecordingWriter& operator=(const RecordingWriter&) = delete;
};

TEST(ConsoleOutput, PrintfFormatsAndHandsTheWholeTextToTheWriterOnce)
{
    RecordingWriter writer;
    EXPECT_EQ(acutPrintf("\n%s %d of %.2f\n", "Mark", 3, 4.5), 16);
    EXPECT_EQ(written(), "\nMark 3 of 4.50\n");

    written().clear();
    const std::string longText(5000, 'x');
    EXPECT_EQ(acutPrintf("%s|", longText.c_str()), 5001);
    EXPECT_EQ(written(), longText + "|");

    written().clear();
    EXPECT_EQ(acutPrintf("Param\xe8tres"), 10);  // host text passes as it is, byte for byte
    EXPECT_EQ(written(), "Param\xe8tres");
}

TEST(ConsoleOutput, NothingToPrintReachesNoWriter)
{
    RecordingWriter writer;
    EXPECT_EQ(acutPrintf(nullptr), 0);
    EXPECT_EQ(acutPrintf("%s", ""), 0);
    EXPECT_EQ(written(), "");
}

TEST(ConsoleOutput, WithoutAWriterTheTextGoesToStandardOutput)
{
    arx::ut::setConsoleWriter(nullptr);
    testing::internal::CaptureStdout();
    acutPrintf("Command: %s\n", "KSLIST");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Command: KSLIST\n");
}

}  // namespace
