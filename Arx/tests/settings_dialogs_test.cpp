// The warning, advice and options dialogs of the module on the stand-in host running in this
// process, answered through a scripted dialog console: texts, the "Do not display this
// message." box writing its switch at once, the hint shown only while it is ticked, the
// command-line fallbacks, and the options dialog writing on OK only.
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "afxheadless.h"
#include "assoc_test_support.h"
#include "settings/advice.h"
#include "settings/layer_warning.h"
#include "settings/options_dialog.h"
#include "settings/plot_warning.h"
#include "settings/settings_loading.h"
#include "settings/settings_store.h"
#include "settings/warning_dialogs.h"
#include "shell/kestra_module.h"
#include "shell/module_resources.h"

using namespace assoctest;
using namespace kestra;

namespace {

HINSTANCE fakeModule() { return reinterpret_cast<HINSTANCE>(static_cast<UINT_PTR>(0x7100)); }

class ScriptedConsole : public AfxDialogConsole {
public:
    std::string printed;
    std::vector<std::string> prompts;
    std::deque<std::string> answers;
    std::function<void()> beforeAnswer;

    void print(const char* text) override { printed += text; }
    bool ask(const char* prompt, std::string& answer) override
    {
        prompts.push_back(prompt);
        if (beforeAnswer) beforeAnswer();
        if (answers.empty()) return false;
        answer = answers.front();
        answers.pop_front();
        return true;
    }
};

DWORD stored(const char* name)
{
    DWORD value = 99;
    if (readSettingDword(HKEY_CURRENT_USER, kSettingsSubKey, name, &value) != kSettingOk) return 99;
    return value;
}

class SettingsDialogsTest : public AssocHostTest {
protected:
    void SetUp() override
    {
        AssocHostTest::SetUp();
        setModuleInstance(fakeModule());
        AfxRegisterModuleResources(fakeModule(), &moduleResources());
        AfxSetDialogConsole(&console);
        switchEverythingOn();
    }
    void TearDown() override
    {
        switchEverythingOn();  // as the other tests of the program expect them
        AfxSetDialogConsole(nullptr);
        AfxUnregisterModuleResources(fakeModule());
        setModuleInstance(nullptr);
        AssocHostTest::TearDown();
    }
    KestraSettings& settings() { return kestraModule()->settings; }
    void switchEverythingOn()
    {
        for (Switch which : {Switch::KsWarmNoCreate, Switch::Splash, Switch::AuditAlert, Switch::BadPlotAlert,
                             Switch::FreezeLayer, Switch::Reshape, Switch::ShowNewDlg})
            storeSwitch(settings(), which, true);
    }

    ScriptedConsole console;
};

const char* const kPlotDialog = "\n[Kestra Information]\n"
                                "  -- WARNING --\n"
                                "  One or many views do not conform to the Kestra object(s). \n"
                                "  Execute the KS2 command to restore them or KS1 to redefine Kestra objects.\n"
                                "  [ ] (1) Do not display this message.\n";

TEST_F(SettingsDialogsTest, PlotWarningBoxWritesItsSwitchAtOnceAndShowsTheHint)
{
    std::vector<DWORD> seen;
    console.beforeAnswer = [&] { seen.push_back(stored("BadPlotAlert")); };
    console.answers = {"1", "1", "1", "OK"};
    showPlotWarning();
    EXPECT_EQ(seen, (std::vector<DWORD>{1, 0, 1, 0}));
    EXPECT_FALSE(settings().badPlotAlert);
    EXPECT_EQ(console.printed.substr(0, std::string(kPlotDialog).size()), kPlotDialog) << console.printed;
    EXPECT_NE(
        console.printed.find("  [X] (1) Do not display this message.\n  To show this dialog again, type KSOPTIONS\n"),
        std::string::npos)
        << console.printed;
    EXPECT_EQ(console.prompts[0], "Check box number or [OK/Help] <OK>: ");
    EXPECT_EQ(takePrinted(), "") << "shown, not printed";

    // Switched off: the next warning goes to the command line.
    console.printed.clear();
    showPlotWarning();
    EXPECT_EQ(console.printed, "");
    EXPECT_EQ(takePrinted(), "\nOne or many views do not conform to the Kestra object(s). \n"
                             "Execute the KS2 command to restore them or KS1 to redefine Kestra objects.\n");
}

TEST_F(SettingsDialogsTest, HelpClosesTheDialogAsOk)
{
    console.answers = {"h"};
    EXPECT_TRUE(showWarningDialog(Warning::Reshape));
    EXPECT_EQ(console.prompts.size(), 1u);
    EXPECT_NE(
        console.printed.find("  The floating viewport and its corresponding Kestra are not correctly aligned. "
                             "Unexpected results \n  could occur.\n  Probable cause: The drawing was edited "
                             "without loading the Kestra2000.arx file.\n  Execute KS1 to redefine a new Kestra.\n"),
        std::string::npos)
        << console.printed;
    EXPECT_TRUE(settings().reshape);
}

TEST_F(SettingsDialogsTest, LayerWarningNamesTheLayerAndIsPrintedWhenItsSwitchIsOff)
{
    console.answers = {""};
    showLayerWarning("Hidden");
    EXPECT_NE(
        console.printed.find("  Warning: the Kestra layer is invisible (frozen or deactivated).\n  >> Hidden <<\n"),
        std::string::npos)
        << console.printed;
    // Off: printed on the command line, the dialog not shown.
    storeSwitch(settings(), Switch::FreezeLayer, false);
    console.printed.clear();
    showLayerWarning("Hidden");
    EXPECT_EQ(console.printed, "");
    EXPECT_EQ(takePrinted(), "\nWarning: the Kestra layer is invisible (frozen or deactivated).\n>> Hidden <<");
}

TEST_F(SettingsDialogsTest, WarningsGoToTheCommandLineDuringAutoLisp)
{
    currentDocumentState()->lispEvaluating = true;
    showPlotWarning();
    currentDocumentState()->lispEvaluating = false;
    EXPECT_EQ(console.printed, "");
    EXPECT_NE(takePrinted().find("One or many views"), std::string::npos);
}

TEST_F(SettingsDialogsTest, AdviceComesOnlyForADrawingWithoutMarksAndOffersMoreInformation)
{
    state().associationCount = 1;
    showAdvice();
    EXPECT_TRUE(console.prompts.empty());
    state().associationCount = 0;
    console.answers = {"1", "Cancel"};
    showAdvice();
    ASSERT_FALSE(console.prompts.empty());
    EXPECT_EQ(console.prompts[0], "Check box number or [More Information/Cancel] <More Information>: ");
    EXPECT_NE(console.printed.find("  -- New --\n  Did you know that ...\n"), std::string::npos) << console.printed;
    EXPECT_FALSE(settings().ksWarmNoCreate);
    EXPECT_EQ(stored("KsWarmNoCreate"), 0u);
    console.prompts.clear();
    showAdvice();
    EXPECT_TRUE(console.prompts.empty()) << "switched off";
    EXPECT_EQ(takePrinted(), "") << "the advice is never printed";
}

TEST_F(SettingsDialogsTest, OptionsOkWritesEveryBoxAndCancelWritesNothing)
{
    console.answers = {"1", "2", "3", "4", "5", "6", "7", ""};
    showOptionsDialog();
    for (const char* name :
         {"KsWarmNoCreate", "Splash", "AuditAlert", "BadPlotAlert", "FreezeLayer", "Reshape", "ShowNewDlg"})
        EXPECT_EQ(stored(name), 0u) << name;
    EXPECT_FALSE(settings().showNewDlg);
    EXPECT_NE(
        console.printed.find("[Kestra Settings]\n  == Messages ==\n  -- Display of dialog boxes --\n"
                             "  [X] (1) Quit a first layout having a floatting viewport but no Kestra attached.\n"),
        std::string::npos)
        << console.printed;

    console.printed.clear();
    console.answers = {"1", "7", "Cancel"};
    showOptionsDialog();
    EXPECT_NE(console.printed.find("  [ ] (1) Quit a first layout"), std::string::npos) << "boxes start from the flags";
    EXPECT_EQ(stored("KsWarmNoCreate"), 0u);
    EXPECT_EQ(stored("AuditAlert"), 0u);
    EXPECT_FALSE(settings().ksWarmNoCreate);
    RECT kept;
    EXPECT_TRUE(AfxKeptDialogPlacement("Options_Kestra", kept));
}

}  // namespace
