// The handlers of the typed commands (each alias runs the same handler). Guarded commands
// refuse to run inside an AutoLISP evaluation and name the function to call instead.
#pragma once

namespace kestra {

void ksMakeCommand();
void ksRefreshCommand();
void ksScaleCommand();
void ksPlanCommand();
void ksUcsCommand();
void ksViewUcsCommand();
void ksMenuCommand();
void ksMenuHelpCommand();
void ksListCommand();
void ksVersionCommand();
void ksHelpCommand();
void ksUnloadCommand();
void ksAboutCommand();
void ksLogoCommand();
void ksGotoCommand();
void ksOptionsCommand();
void ksRepairCommand();
void ksUpdateCommand();

}  // namespace kestra
