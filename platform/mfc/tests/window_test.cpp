#include <gtest/gtest.h>

#include "afxheadless.h"

namespace {

class TickingWindow : public CWnd {
public:
    int ticks = 0;
    UINT_PTR lastTimer = 0;
    bool destroyed = false;

protected:
    void OnTimer(UINT_PTR id) override
    {
        ++ticks;
        lastTimer = id;
    }
    void OnDestroy() override { destroyed = true; }
};

class SelfDeletingWindow : public CWnd {
public:
    explicit SelfDeletingWindow(bool& deleted) : deleted_(deleted) {}
    ~SelfDeletingWindow() override { deleted_ = true; }

protected:
    void PostNcDestroy() override { delete this; }

private:
    bool& deleted_;
};

const AfxWindowInfo* findWindow(const std::vector<AfxWindowInfo>& windows, HWND hwnd)
{
    for (const AfxWindowInfo& info : windows)
        if (info.hwnd == hwnd) return &info;
    return nullptr;
}

}  // namespace

TEST(WindowTest, CreatedWindowIsListedUntilDestroyed)
{
    size_t before = AfxHeadlessWindows().size();
    TickingWindow window;
    ASSERT_TRUE(window.CreateEx(WS_EX_TOPMOST, "Splash", "Kestra", WS_POPUP, 10, 20, 400, 300, nullptr, nullptr));
    EXPECT_FALSE(window.CreateEx(0, "Again", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr));
    ASSERT_NE(window.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandle(window.m_hWnd), &window);

    auto windows = AfxHeadlessWindows();
    ASSERT_EQ(windows.size(), before + 1);
    const AfxWindowInfo* info = findWindow(windows, window.m_hWnd);
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->className, "Splash");
    EXPECT_EQ(info->title, "Kestra");
    EXPECT_EQ(info->exStyle, static_cast<DWORD>(WS_EX_TOPMOST));
    EXPECT_FALSE(info->visible);
    EXPECT_FALSE(info->modal);
    EXPECT_EQ(info->rect.left, 10);
    EXPECT_EQ(info->rect.bottom, 320);

    EXPECT_FALSE(window.ShowWindow(SW_SHOW));
    window.CenterWindow();
    info = findWindow(AfxHeadlessWindows(), window.m_hWnd);
    windows = AfxHeadlessWindows();
    info = findWindow(windows, window.m_hWnd);
    EXPECT_TRUE(info->visible);
    EXPECT_EQ(info->rect.left, (kAfxScreenWidth - 400) / 2);
    EXPECT_EQ(info->rect.top, (kAfxScreenHeight - 300) / 2);

    HWND hwnd = window.m_hWnd;
    EXPECT_TRUE(window.DestroyWindow());
    EXPECT_TRUE(window.destroyed);
    EXPECT_EQ(window.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandle(hwnd), nullptr);
    EXPECT_EQ(findWindow(AfxHeadlessWindows(), hwnd), nullptr);
    EXPECT_FALSE(window.DestroyWindow());
    EXPECT_FALSE(window.IsWindowVisible());
}

TEST(WindowTest, TimersFireOnlyWhileRunning)
{
    TickingWindow window;
    EXPECT_EQ(window.SetTimer(1, 250, nullptr), 0u);  // no window yet
    ASSERT_TRUE(window.CreateEx(0, "T", "", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr, nullptr));
    EXPECT_EQ(window.SetTimer(0, 250, nullptr), 0u);
    EXPECT_EQ(window.SetTimer(7, 250, nullptr), 7u);
    auto windows = AfxHeadlessWindows();
    const AfxWindowInfo* info = findWindow(windows, window.m_hWnd);
    ASSERT_NE(info, nullptr);
    EXPECT_TRUE(info->visible);
    ASSERT_EQ(info->timers.size(), 1u);
    EXPECT_EQ(info->timers[0], (std::pair<UINT_PTR, UINT>(7, 250)));

    window.SendMessage(WM_TIMER, 7);
    window.SendMessage(WM_TIMER, 8);  // never set
    EXPECT_EQ(window.ticks, 1);
    EXPECT_EQ(window.lastTimer, 7u);
    EXPECT_TRUE(window.KillTimer(7));
    EXPECT_FALSE(window.KillTimer(7));
    window.SendMessage(WM_TIMER, 7);
    EXPECT_EQ(window.ticks, 1);

    window.SetTimer(9, 100, nullptr);
    window.DestroyWindow();  // timers die with the window
    EXPECT_TRUE(window.timers().empty());
}

TEST(WindowTest, TimerProcedureReplacesOnTimer)
{
    static int procCalls = 0;
    procCalls = 0;
    TickingWindow window;
    window.CreateEx(0, "T", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr);
    window.SetTimer(3, 50, [](HWND, UINT message, UINT_PTR id, DWORD) {
        if (message == WM_TIMER && id == 3) ++procCalls;
    });
    window.SendMessage(WM_TIMER, 3);
    EXPECT_EQ(procCalls, 1);
    EXPECT_EQ(window.ticks, 0);
}

TEST(WindowTest, CloseDestroysAndSelfOwnedWindowDeletesItself)
{
    bool deleted = false;
    auto* window = new SelfDeletingWindow(deleted);
    window->CreateEx(0, "Modeless", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr);
    HWND hwnd = window->m_hWnd;
    window->SendMessage(WM_CLOSE);
    EXPECT_TRUE(deleted);
    EXPECT_EQ(CWnd::FromHandle(hwnd), nullptr);
}

TEST(WindowTest, DestructorRemovesAWindowStillOpen)
{
    HWND hwnd = nullptr;
    {
        CWnd window;
        window.CreateEx(0, "Scoped", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr);
        hwnd = window.m_hWnd;
    }
    EXPECT_EQ(findWindow(AfxHeadlessWindows(), hwnd), nullptr);
}

TEST(WindowTest, ChildWindowsAreNotListedAndKeepTheirId)
{
    CWnd parent;
    parent.CreateEx(0, "Parent", "", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr);
    CWnd child;
    child.CreateEx(0, "Static", "text", WS_CHILD, 0, 0, 10, 10, parent.m_hWnd,
                   reinterpret_cast<HMENU>(static_cast<UINT_PTR>(1201)));
    EXPECT_EQ(child.GetDlgCtrlID(), 1201);
    EXPECT_EQ(child.GetParent(), &parent);
    EXPECT_EQ(findWindow(AfxHeadlessWindows(), child.m_hWnd), nullptr);
    EXPECT_NE(findWindow(AfxHeadlessWindows(), parent.m_hWnd), nullptr);
    EXPECT_FALSE(child.EnableWindow(FALSE));
    EXPECT_FALSE(child.IsWindowEnabled());
    EXPECT_TRUE(child.EnableWindow(TRUE));
}
