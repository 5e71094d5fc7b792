#include "shell/command_handlers.h"

#include "commands/goto_mark_layout.h"
#include "commands/ksmake.h"
#include "settings/splash_setting.h"
#include "shell/about_box.h"
#include "shell/banner.h"
#include "shell/kestra_module.h"
#include "shell/lisp_guard.h"
#include "shell/teardown.h"
#include "settings/options_dialog.h"
#include "commands/command_routines.h"

namespace kestra {

namespace {

constexpr const char* kMenuHelpTopic = "IDH_KSMENU";
constexpr const char* kHelpTopic = "html\\ks_tbglance.htm";

}  // namespace

void ksMakeCommand()
{
    if (!lispGuardRefuses("vadu_ksmake")) makeMarksInteractively();
}

void ksRefreshCommand()
{
    if (!lispGuardRefuses("vadu_ksrefresh")) refreshViews();
}

void ksScaleCommand()
{
    if (!lispGuardRefuses("vadu_ksscale")) scaleViewport(nullptr);
}

void ksPlanCommand()
{
    if (!lispGuardRefuses("vadu_ksplan")) alignToMark(AlignMode::Plan, nullptr);
}

void ksUcsCommand()
{
    if (!lispGuardRefuses("vadu_ksucs")) alignToMark(AlignMode::Ucs, nullptr);
}

void ksViewUcsCommand()
{
    if (!lispGuardRefuses("vadu_ksviewucs")) alignToMark(AlignMode::ViewUcs, nullptr);
}

void ksMenuCommand()
{
    if (!lispGuardRefuses("vadu_ksmenu")) loadMenu();
}

void ksMenuHelpCommand() { showHelp(kMenuHelpTopic, 0); }

void ksListCommand()
{
    if (!lispGuardRefuses("vadu_kslist")) printCommandList();
}

void ksVersionCommand()
{
    if (!lispGuardRefuses("vadu_ksversion")) printVersion();
}

void ksHelpCommand()
{
    if (!lispGuardRefuses("vadu_kshelp")) showHelp(kHelpTopic, 0);
}

void ksUnloadCommand() { teardown(); }

void ksAboutCommand() { showAboutBox(); }

void ksLogoCommand()
{
    if (KestraModule* module = kestraModule()) askSplashSetting(module->settings);
}

void ksGotoCommand()
{
    if (!lispGuardRefuses("vadu_ksgoto")) gotoMarkLayout(nullptr);
}

void ksOptionsCommand() { showOptionsDialog(); }

void ksRepairCommand() { repairAssociations(); }

void ksUpdateCommand() { updateMarks(); }

}  // namespace kestra
