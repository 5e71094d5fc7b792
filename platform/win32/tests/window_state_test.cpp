// EnableWindow and IsWindowEnabled as Windows documents them: a window is enabled until
// disabled, and EnableWindow answers whether it was disabled before.
#include <gtest/gtest.h>
#include <windows.h>

namespace {

TEST(WindowState, AWindowIsEnabledUntilDisabledAndEnableWindowTellsTheStateBefore)
{
    int standIn = 0;
    const HWND window = reinterpret_cast<HWND>(&standIn);
    EXPECT_TRUE(IsWindowEnabled(window));
    EXPECT_FALSE(EnableWindow(window, FALSE));  // was enabled
    EXPECT_FALSE(IsWindowEnabled(window));
    EXPECT_TRUE(IsWindowEnabled(GetDesktopWindow()));  // another window keeps its state
    EXPECT_TRUE(EnableWindow(window, FALSE));          // was disabled already
    EXPECT_TRUE(EnableWindow(window, TRUE));
    EXPECT_TRUE(IsWindowEnabled(window));
    EXPECT_FALSE(EnableWindow(window, TRUE));
    EXPECT_FALSE(IsWindowEnabled(nullptr));
    EXPECT_FALSE(EnableWindow(nullptr, FALSE));
}

}  // namespace
