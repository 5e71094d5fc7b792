#include "shell/about_box.h"

#include "afxwin.h"
#include "shell/kestra_module.h"
#include "shell/module_resources.h"
#include "shell/resource.h"

namespace kestra {

namespace {

class AboutDialog : public CDialog {
public:
    AboutDialog() : CDialog(IDD_ABOUTBOX) {}

protected:
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        CString version;
        version.Format("%s  %s.", "Version number:", kVersionText);
        SetDlgItemText(IDC_ABOUT_VERSION, version);
        return TRUE;
    }
};

}  // namespace

void showAboutBox()
{
    ModuleResourceOverride resources;
    AboutDialog dialog;
    dialog.DoModal();
}

}  // namespace kestra
