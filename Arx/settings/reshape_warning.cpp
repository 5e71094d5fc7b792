#include "settings/reshape_warning.h"

#include "acutads.h"
#include "settings/warning_dialogs.h"

namespace kestra {

void showReshapeWarning()
{
    if (showWarningDialog(Warning::Reshape)) return;
    acutPrintf("\n%s %s\n%s\n%s\n",
               "The floating viewport and its corresponding Kestra are not correctly aligned. Unexpected results ",
               "could occur.", "Probable cause: The drawing was edited without loading the Kestra2000.arx file.",
               "Execute KS1 to redefine a new Kestra.");
}

}  // namespace kestra
