#include <gtest/gtest.h>

#include <deque>
#include <functional>

#include "acedads.h"
#include "acui.h"
#include "afxheadless.h"

namespace {

constexpr UINT kWarningTemplate = 2000;
constexpr int kDoNotShowBox = 1100;
constexpr int kHint = 1101;
constexpr int kMarker = 1102;

HINSTANCE testModule() { return reinterpret_cast<HINSTANCE>(static_cast<UINT_PTR>(0x7000)); }

class ScriptedConsole : public AfxDialogConsole {
public:
    std::string printed;
    std::vector<std::string> prompts;
    std::deque<std::string> answers;
    std::function<void()> onAsk;

    void print(const char* text) override { printed += text; }
    bool ask(const char* prompt, std::string& answer) override
    {
        prompts.push_back(prompt);
        if (onAsk) onAsk();
        if (answers.empty()) return false;
        answer = answers.front();
        answers.pop_front();
        return true;
    }
};

class WarningDialog : public CDialog {
public:
    explicit WarningDialog(bool ticked) : CDialog(kWarningTemplate), ticked_(ticked) {}
    int boxClicks = 0;
    bool cancelled = false;
    bool tickedAtEnd = false;

protected:
    BOOL OnInitDialog() override
    {
        CheckDlgButton(kDoNotShowBox, ticked_ ? BST_CHECKED : BST_UNCHECKED);
        SetDlgItemText(kHint, "To show this dialog again, type KSOPTIONS");
        showHint();
        return TRUE;
    }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        if (LOWORD(wParam) == kDoNotShowBox) {
            ++boxClicks;
            showHint();
            return TRUE;
        }
        if (LOWORD(wParam) == IDHELP) {
            EndDialog(IDHELP);
            return TRUE;
        }
        return CDialog::OnCommand(wParam, lParam);
    }
    void OnOK() override
    {
        tickedAtEnd = IsDlgButtonChecked(kDoNotShowBox) == BST_CHECKED;
        CDialog::OnOK();
    }
    void OnCancel() override
    {
        cancelled = true;
        CDialog::OnCancel();
    }

private:
    void showHint() { GetDlgItem(kHint)->ShowWindow(IsDlgButtonChecked(kDoNotShowBox) ? SW_SHOW : SW_HIDE); }
    bool ticked_;
};

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        resources.dialogs = {
            {kWarningTemplate,
             "Kestra Information",
             300,
             120,
             {{AfxControlType::GroupBox, IDC_STATIC, "WARNING", 5, 5, 290, 60},
              {AfxControlType::LText, IDC_STATIC, "Line one\nLine two", 10, 15, 280, 20},
              {AfxControlType::AutoCheckBox, kDoNotShowBox, "Do not display this message.", 10, 70, 200, 10},
              {AfxControlType::LText, kMarker, "", 10, 82, 1, 1},
              {AfxControlType::LText, kHint, "placeholder", 10, 90, 200, 10},
              {AfxControlType::DefPushButton, IDOK, "OK", 200, 100, 40, 14},
              {AfxControlType::PushButton, IDHELP, "&Help", 250, 100, 40, 14}}}};
        AfxRegisterModuleResources(testModule(), &resources);
        savedHandle = AfxGetResourceHandle();
        AfxSetResourceHandle(testModule());
        AfxSetDialogConsole(&console);
    }
    void TearDown() override
    {
        AfxSetDialogConsole(nullptr);
        AfxSetResourceHandle(savedHandle);
        AfxUnregisterModuleResources(testModule());
    }

    AfxModuleResources resources;
    HINSTANCE savedHandle = nullptr;
    ScriptedConsole console;
};

const char* const kUnticked = "\n[Kestra Information]\n"
                              "  -- WARNING --\n"
                              "  Line one\n"
                              "  Line two\n"
                              "  [ ] (1) Do not display this message.\n";
const char* const kTicked = "\n[Kestra Information]\n"
                            "  -- WARNING --\n"
                            "  Line one\n"
                            "  Line two\n"
                            "  [X] (1) Do not display this message.\n"
                            "  To show this dialog again, type KSOPTIONS\n";

}  // namespace

TEST_F(DialogTest, PrintsTicksAndClosesWithTheDefaultButton)
{
    console.answers = {"bogus", "1", ""};
    WarningDialog dialog(false);
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(console.printed, std::string(kUnticked) + "Invalid option keyword.\n" + kTicked);
    ASSERT_EQ(console.prompts.size(), 3u);
    EXPECT_EQ(console.prompts[0], "Check box number or [OK/Help] <OK>: ");
    EXPECT_EQ(dialog.boxClicks, 1);
    EXPECT_TRUE(dialog.tickedAtEnd);
    EXPECT_FALSE(dialog.cancelled);
    EXPECT_EQ(dialog.m_hWnd, nullptr);
}

TEST_F(DialogTest, ButtonsAnswerToLabelOrMnemonicInAnyCase)
{
    for (const char* answer : {"h", "HELP", "  help "}) {
        ScriptedConsole fresh;
        fresh.answers = {answer};
        AfxSetDialogConsole(&fresh);
        WarningDialog dialog(true);
        EXPECT_EQ(dialog.DoModal(), IDHELP) << answer;
        EXPECT_EQ(fresh.printed, kTicked);
    }
    ScriptedConsole okConsole;
    okConsole.answers = {"ok"};
    AfxSetDialogConsole(&okConsole);
    WarningDialog dialog(true);
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.boxClicks, 0);
}

TEST_F(DialogTest, EndOfInputCancels)
{
    WarningDialog dialog(false);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_TRUE(dialog.cancelled);
    ASSERT_EQ(console.prompts.size(), 1u);
}

TEST_F(DialogTest, DisabledBoxKeepsItsPlaceButCannotBeTicked)
{
    class LockedBox : public WarningDialog {
    public:
        LockedBox() : WarningDialog(false) {}
        BOOL OnInitDialog() override
        {
            WarningDialog::OnInitDialog();
            GetDlgItem(kDoNotShowBox)->EnableWindow(FALSE);
            return TRUE;
        }
    };
    console.answers = {"1", "ok"};
    LockedBox dialog;
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(console.prompts[0], "[OK/Help] <OK>: ");
    EXPECT_NE(console.printed.find("  [ ] Do not display this message.\n"), std::string::npos);
    EXPECT_NE(console.printed.find("Invalid option keyword.\n"), std::string::npos);
    EXPECT_EQ(dialog.boxClicks, 0);
}

TEST_F(DialogTest, RunningDialogIsListedAsModalWindow)
{
    bool sawModal = false;
    console.onAsk = [&] {
        for (const AfxWindowInfo& info : AfxHeadlessWindows())
            if (info.modal && info.title == "Kestra Information" && info.visible) sawModal = true;
    };
    console.answers = {""};
    WarningDialog dialog(false);
    dialog.DoModal();
    EXPECT_TRUE(sawModal);
    for (const AfxWindowInfo& info : AfxHeadlessWindows()) EXPECT_FALSE(info.modal);
}

TEST_F(DialogTest, MissingTemplateFailsWithoutPrinting)
{
    CDialog dialog(4242);
    EXPECT_EQ(dialog.DoModal(), -1);
    EXPECT_TRUE(console.printed.empty());
    AfxSetResourceHandle(savedHandle);  // the template is not on the chain either
    WarningDialog elsewhere(false);
    EXPECT_EQ(elsewhere.DoModal(), -1);
}

namespace {

constexpr UINT kTabTemplate = 2001;
constexpr UINT kPageTemplate = 2002;
constexpr int kFirstSwitch = 1200;
constexpr int kSecondSwitch = 1201;

// A page of two switches; OK on the main dialog reads them.
class SwitchPage : public CAcUiTabChildDialog {
public:
    bool first = true, second = false;
    int clicks = 0;
    bool tookOk = false;

    BOOL OnInitDialog() override
    {
        CheckDlgButton(kFirstSwitch, first ? BST_CHECKED : BST_UNCHECKED);
        CheckDlgButton(kSecondSwitch, second ? BST_CHECKED : BST_UNCHECKED);
        return TRUE;
    }
    void OnMainDialogOK() override
    {
        tookOk = true;
        first = IsDlgButtonChecked(kFirstSwitch) == BST_CHECKED;
        second = IsDlgButtonChecked(kSecondSwitch) == BST_CHECKED;
    }

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        if (LOWORD(wParam) == kFirstSwitch || LOWORD(wParam) == kSecondSwitch) ++clicks;
        return CAcUiTabChildDialog::OnCommand(wParam, lParam);
    }
};

class SettingsDialog : public CAcUiTabMainDialog {
public:
    SettingsDialog() : CAcUiTabMainDialog(kTabTemplate) {}
};

class TabDialogTest : public DialogTest {
protected:
    void SetUp() override
    {
        DialogTest::SetUp();
        resources.dialogs.push_back({kTabTemplate,
                                     "Settings",
                                     200,
                                     150,
                                     {{AfxControlType::DefPushButton, IDOK, "OK", 100, 130, 40, 14},
                                      {AfxControlType::PushButton, IDCANCEL, "Cancel", 150, 130, 40, 14}}});
        resources.dialogs.push_back({kPageTemplate,
                                     "page",
                                     180,
                                     100,
                                     {{AfxControlType::GroupBox, IDC_STATIC, "Boxes", 5, 5, 170, 40},
                                      {AfxControlType::AutoCheckBox, kFirstSwitch, "First", 10, 15, 100, 10},
                                      {AfxControlType::AutoCheckBox, kSecondSwitch, "Second", 10, 27, 100, 10}}});
    }
};

}  // namespace

TEST_F(DialogTest, ControlsBelowTheCutOfTheWindowAreOutOfSight)
{
    class Collapsing : public WarningDialog {
    public:
        Collapsing() : WarningDialog(true) {}
        BOOL OnInitDialog() override
        {
            WarningDialog::OnInitDialog();
            RECT frame;
            GetWindowRect(&frame);
            SetWindowPos(nullptr, 0, 0, frame.right - frame.left, 85,
                         SWP_NOMOVE | SWP_NOZORDER);  // the marker's bottom
            return TRUE;
        }
    };
    console.answers = {"help", "ok"};
    Collapsing dialog;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL) << "the buttons are cut off: no answer reaches them";
    EXPECT_EQ(console.printed.find("To show this dialog again"), std::string::npos) << console.printed;
    EXPECT_EQ(console.prompts[0], "Check box number or []: ");
}

TEST_F(TabDialogTest, PagesAreShownUnderTheirTabsAndTakeTheirOwnClicks)
{
    SwitchPage page;
    SettingsDialog dialog;
    dialog.SetDialogName("Options_Test");
    ASSERT_TRUE(dialog.AddTab(0, "Messages", kPageTemplate, &page));
    EXPECT_FALSE(dialog.AddTab(3, "Later", kPageTemplate, &page));
    console.answers = {"2", ""};
    EXPECT_EQ(dialog.DoModal(), IDOK);
    const std::string first = "\n[Settings]\n  == Messages ==\n  -- Boxes --\n  [X] (1) First\n  [ ] (2) Second\n";
    EXPECT_EQ(console.printed.substr(0, first.size()), first);
    EXPECT_EQ(page.clicks, 1);
    EXPECT_TRUE(page.tookOk);
    EXPECT_TRUE(page.first);
    EXPECT_TRUE(page.second);
    RECT kept;
    EXPECT_TRUE(AfxKeptDialogPlacement("Options_Test", kept));
    EXPECT_EQ(kept.right - kept.left, 200);
    EXPECT_FALSE(AfxKeptDialogPlacement("Never_Shown", kept));
}

TEST_F(TabDialogTest, CancelLeavesThePagesUnread)
{
    SwitchPage page;
    SettingsDialog dialog;
    ASSERT_TRUE(dialog.AddTab(0, "Messages", kPageTemplate, &page));
    console.answers = {"1", "cancel"};
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_FALSE(page.tookOk);
    EXPECT_TRUE(page.first);
    EXPECT_EQ(page.m_hWnd, nullptr);
}

// As Windows does, a modal dialog disables its owner while it runs: the host's main window for a
// dialog without a parent (the host shows that as CMDACTIVE bit 8), the parent dialog for a
// dialog over it. Each owner is enabled again when its dialog ends.
TEST_F(DialogTest, AModalDialogDisablesItsOwnerWhileItRuns)
{
    const HWND mainWindow = adsw_acadMainWnd();
    ASSERT_TRUE(IsWindowEnabled(mainWindow));
    struct Seen {
        bool mainEnabled;
        bool outerEnabled;
        bool operator==(const Seen&) const = default;
    };
    std::vector<Seen> seen;
    WarningDialog outer(false);
    auto look = [&] { seen.push_back({IsWindowEnabled(mainWindow) != FALSE, IsWindowEnabled(outer.m_hWnd) != FALSE}); };
    int asks = 0;
    console.onAsk = [&] {
        look();
        if (++asks > 1) return;
        CDialog inner(kWarningTemplate, &outer);
        EXPECT_EQ(inner.DoModal(), IDOK);
        look();
    };
    console.answers = {"", ""};
    EXPECT_EQ(outer.DoModal(), IDOK);
    EXPECT_EQ(seen, (std::vector<Seen>{{false, true}, {false, false}, {false, true}}));
    EXPECT_TRUE(IsWindowEnabled(mainWindow));
}
