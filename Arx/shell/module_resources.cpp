#include "shell/module_resources.h"

#include "afxwin.h"
#include "settings/dialog_templates.h"
#include "shell/banner.h"
#include "shell/host_resource_stack.h"
#include "shell/resource.h"

namespace kestra {

namespace {

HINSTANCE instance = nullptr;

AfxModuleResources withSettingsDialogs(AfxModuleResources resources)
{
    for (AfxDialogResource& dialog : settingsDialogTemplates()) resources.dialogs.push_back(std::move(dialog));
    return resources;
}

}  // namespace

HINSTANCE moduleInstance() { return instance; }

void setModuleInstance(HINSTANCE hInstance) { instance = hInstance; }

const AfxModuleResources& moduleResources()
{
    static const AfxModuleResources resources = withSettingsDialogs({
        // Dialogs.
        {
            {IDD_ABOUTBOX,
             "About Kestra",
             230,
             96,
             {
                 {AfxControlType::Picture, IDC_ABOUT_LOGO, "", 7, 7, 40, 40},
                 {AfxControlType::LText, IDC_ABOUT_PRODUCT, "Kestra Viewport Marks", 55, 10, 168, 10},
                 {AfxControlType::LText, IDC_ABOUT_VERSION, "Version", 55, 24, 168, 10},
                 {AfxControlType::LText, IDC_ABOUT_NOTICE, kLoadNotice, 55, 38, 168, 20},
                 {AfxControlType::DefPushButton, IDOK, "OK", 173, 75, 50, 14},
             }},
        },
        // Strings.
        {},
        // Bitmaps.
        {
            {IDB_SPLASH, 400, 250, 24},
        },
    });
    return resources;
}

ModuleResourceOverride::ModuleResourceOverride() : previous_(AfxGetResourceHandle())
{
    pushed_ = pushHostResourceHandle(moduleInstance());
    AfxSetResourceHandle(moduleInstance());
}

ModuleResourceOverride::~ModuleResourceOverride()
{
    AfxSetResourceHandle(previous_);
    if (pushed_) popHostResourceHandle();
}

}  // namespace kestra
