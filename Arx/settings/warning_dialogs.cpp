#include "settings/warning_dialogs.h"

#include <string>
#include <vector>

#include "acui.h"
#include "settings/dialog_templates.h"
#include "settings/settings_loading.h"
#include "shell/kestra_module.h"
#include "shell/message_routing.h"
#include "shell/module_resources.h"
#include "shell/resource.h"
#include "commands/command_routines.h"

namespace kestra {

namespace {

struct WarningText {
    UINT templateId;
    Switch which;
    const char* helpTopic;
    const char* group;
    std::vector<std::string> lines;
    int closeId;  // IDOK for the warnings, IDCANCEL for the advice
    const char* closeLabel;
    const char* helpLabel;  // the button that closes and opens the help topic
};

WarningText textOf(Warning which, const char* layerName)
{
    switch (which) {
    case Warning::Plot:
        return {IDD_PLOT_WARNING,
                Switch::BadPlotAlert,
                "html\\kstr3wl0.htm",
                "WARNING",
                {"One or many views do not conform to the Kestra object(s). ",
                 "Execute the KS2 command to restore them or KS1 to redefine Kestra objects."},
                IDOK,
                "OK",
                "&Help"};
    case Warning::Layer:
        return {IDD_LAYER_WARNING,
                Switch::FreezeLayer,
                "html\\ksoptions_freeze.htm",
                "WARNING",
                {"Warning: the Kestra layer is invisible (frozen or deactivated).",
                 std::string(">> ") + (layerName ? layerName : "") + " <<"},
                IDOK,
                "OK",
                "&Help"};
    case Warning::Reshape:
        return {IDD_RESHAPE_WARNING,
                Switch::Reshape,
                "html\\kstr52ib.htm",
                "WARNING",
                {"The floating viewport and its corresponding Kestra are not correctly aligned. Unexpected results ",
                 "could occur.", "Probable cause: The drawing was edited without loading the Kestra2000.arx file.",
                 "Execute KS1 to redefine a new Kestra."},
                IDOK,
                "OK",
                "&Help"};
    case Warning::Advice:
    default:
        return {IDD_ADVICE,
                Switch::KsWarmNoCreate,
                "html\\kstr0zsh.htm",
                "New",
                {"Did you know that ...",
                 "with the KS1 command, you can create an object in the model space that will not only represent the "
                 "shape of the floating viewport, but will also allow you",
                 "to make changes. We strongly recommend that you consult the tutorial for more details."},
                IDCANCEL,
                "&Cancel",
                "More &Information"};
    }
}

class WarningDialog : public CAcUiDialog {
public:
    explicit WarningDialog(WarningText text) : CAcUiDialog(text.templateId), text_(std::move(text)) {}

    bool helpAsked() const { return helpAsked_; }

protected:
    BOOL OnInitDialog() override
    {
        CAcUiDialog::OnInitDialog();
        SetWindowText("Kestra Information");
        SetDlgItemText(IDC_WARNING_GROUP, text_.group);
        const int lineIds[] = {IDC_WARNING_LINE1, IDC_WARNING_LINE2, IDC_WARNING_LINE3, IDC_WARNING_LINE4};
        for (size_t i = 0; i < std::size(lineIds); ++i)
            SetDlgItemText(lineIds[i], i < text_.lines.size() ? text_.lines[i].c_str() : "");
        SetDlgItemText(IDC_WARNING_NOSHOW, "Do not display this message.");
        SetDlgItemText(IDC_WARNING_HINT, "To show this dialog again, type KSOPTIONS");
        if (CWnd* closing = GetDlgItem(text_.closeId)) closing->SetWindowText(text_.closeLabel);
        if (CWnd* help = GetDlgItem(IDC_WARNING_HELP)) help->SetWindowText(text_.helpLabel);
        const KestraModule* module = kestraModule();
        const bool on = module == nullptr || module->settings.flag(text_.which);
        CheckDlgButton(IDC_WARNING_NOSHOW, on ? BST_UNCHECKED : BST_CHECKED);
        showExtension(!on);
        return TRUE;
    }

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        if (HIWORD(wParam) != BN_CLICKED) return CAcUiDialog::OnCommand(wParam, lParam);
        switch (LOWORD(wParam)) {
        case IDC_WARNING_NOSHOW: boxClicked(); return TRUE;
        case IDC_WARNING_HELP:
            helpAsked_ = true;
            EndDialog(IDOK);
            return TRUE;
        default: return CAcUiDialog::OnCommand(wParam, lParam);
        }
    }

    void OnOK() override
    {
        // The layer warning left with the box ticked turns its flag off as well.
        KestraModule* module = kestraModule();
        if (module != nullptr && text_.which == Switch::FreezeLayer && IsDlgButtonChecked(IDC_WARNING_NOSHOW))
            module->settings.freezeLayer = false;
        CAcUiDialog::OnOK();
    }

private:
    void boxClicked()
    {
        const bool ticked = IsDlgButtonChecked(IDC_WARNING_NOSHOW) == BST_CHECKED;
        if (KestraModule* module = kestraModule()) storeSwitch(module->settings, text_.which, !ticked);
        showExtension(ticked);
    }

    // The hint below the marker is in sight only while the box is ticked: the window is cut
    // at the marker's bottom and what lies below is disabled, or given back its full height.
    void showExtension(bool show)
    {
        RECT frame;
        GetWindowRect(&frame);
        const LONG height = frame.bottom - frame.top;
        if (fullHeight_ == 0) fullHeight_ = height;
        const LONG wanted = show ? fullHeight_ : kWarningMarkerBottom;
        SetWindowPos(nullptr, 0, 0, frame.right - frame.left, wanted, SWP_NOMOVE | SWP_NOZORDER);
        if (CWnd* hint = GetDlgItem(IDC_WARNING_HINT)) hint->EnableWindow(show ? TRUE : FALSE);
    }

    WarningText text_;
    LONG fullHeight_ = 0;
    bool helpAsked_ = false;
};

bool dialogWanted(Switch which)
{
    const KestraModule* module = kestraModule();
    return module != nullptr && module->settings.flag(which) && !messagesToCommandLine();
}

}  // namespace

bool showWarningDialog(Warning which, const char* layerName)
{
    WarningText text = textOf(which, layerName);
    if (!dialogWanted(text.which)) return false;
    const char* topic = text.helpTopic;
    bool helpAsked = false;
    {
        ModuleResourceOverride resources;
        WarningDialog dialog(std::move(text));
        // A dialog that cannot be made (its template missing) leaves its text to the command line.
        if (dialog.DoModal() == -1) return false;
        helpAsked = dialog.helpAsked();
    }
    if (helpAsked) showHelp(topic, 0);
    return true;
}

}  // namespace kestra
