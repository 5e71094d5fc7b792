#include "settings/options_dialog.h"

#include "acui.h"
#include "settings/settings_loading.h"
#include "shell/kestra_module.h"
#include "shell/module_resources.h"
#include "shell/resource.h"

namespace kestra {

namespace {

struct SwitchBox {
    int id;
    Switch which;
    const char* text;
};

// Top to bottom on the page.
constexpr SwitchBox kDialogBoxes[] = {
    {IDC_OPTIONS_WARMNOCREATE, Switch::KsWarmNoCreate,
     "Quit a first layout having a floatting viewport but no Kestra attached."},
    {IDC_OPTIONS_FREEZELAYER, Switch::FreezeLayer, "Creation of a Kestra object on a invisible layer (frozen or off)"},
    {IDC_OPTIONS_RESHAPE, Switch::Reshape, "During the stretching of some floatting viewports"},
    {IDC_OPTIONS_BADPLOT, Switch::BadPlotAlert, "If error detected in a floatting viewport while plotting"},
    {IDC_OPTIONS_SHOWNEW, Switch::ShowNewDlg, "During the installation of a new version of Kestra"},
    {IDC_OPTIONS_SPLASH, Switch::Splash, "Display the 'Zentrel' banner at the opening of AutoCAD"},
    {IDC_OPTIONS_AUDIT, Switch::AuditAlert, "Display any audit message at the command line even if there is no error "},
};

// The order in which OK writes the switches.
constexpr Switch kWriteOrder[] = {Switch::FreezeLayer, Switch::KsWarmNoCreate, Switch::BadPlotAlert, Switch::AuditAlert,
                                  Switch::Reshape,     Switch::Splash,         Switch::ShowNewDlg};

constexpr const char* kDescription =
    "Display the Kestra messages.\n\nThe check boxes indicate that a 'Dialog boxes' are activated or not. When not "
    "activated, the message will be prompted to the command line or will not be shown at all. In all cases, the "
    "inactive mode preveals when an AutoLISP routine or a script is in progress.";

int boxOf(Switch which)
{
    for (const SwitchBox& box : kDialogBoxes)
        if (box.which == which) return box.id;
    return 0;
}

// The "Messages" page: its boxes start from the flags and are written on OK.
class MessagesPage : public CAcUiTabChildDialog {
public:
    BOOL OnInitDialog() override
    {
        CAcUiTabChildDialog::OnInitDialog();
        SetDlgItemText(IDC_OPTIONS_DIALOGS_GROUP, "Display of dialog boxes");
        SetDlgItemText(IDC_OPTIONS_OTHER_GROUP, "Other messages");
        SetDlgItemText(IDC_OPTIONS_DESCRIPTION, kDescription);
        const KestraModule* module = kestraModule();
        for (const SwitchBox& box : kDialogBoxes) {
            SetDlgItemText(box.id, box.text);
            const bool on = module != nullptr && module->settings.flag(box.which);
            CheckDlgButton(box.id, on ? BST_CHECKED : BST_UNCHECKED);
        }
        return TRUE;
    }

    void OnMainDialogOK() override
    {
        KestraModule* module = kestraModule();
        if (module == nullptr) return;
        for (Switch which : kWriteOrder)
            storeSwitch(module->settings, which, IsDlgButtonChecked(boxOf(which)) == BST_CHECKED);
    }
};

class OptionsDialog : public CAcUiTabMainDialog {
public:
    OptionsDialog() : CAcUiTabMainDialog(IDD_OPTIONS) {}

protected:
    BOOL OnInitDialog() override
    {
        CAcUiTabMainDialog::OnInitDialog();
        SetWindowText("Kestra Settings");
        SetDlgItemText(IDOK, "OK");
        SetDlgItemText(IDCANCEL, "Cancel");
        return TRUE;
    }
};

}  // namespace

void showOptionsDialog()
{
    ModuleResourceOverride resources;
    OptionsDialog dialog;
    dialog.SetDialogName("Options_Kestra");
    MessagesPage page;
    dialog.AddTab(0, "Messages", IDD_OPTIONS_MESSAGES, &page);
    dialog.AddExtendedTabs();
    dialog.DoModal();
}

}  // namespace kestra
