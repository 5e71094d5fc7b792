#include "settings/plot_warning.h"

#include "acutads.h"
#include "settings/warning_dialogs.h"

namespace kestra {

void showPlotWarning()
{
    if (showWarningDialog(Warning::Plot)) return;
    acutPrintf("\n%s\n%s\n", "One or many views do not conform to the Kestra object(s). ",
               "Execute the KS2 command to restore them or KS1 to redefine Kestra objects.");
}

}  // namespace kestra
