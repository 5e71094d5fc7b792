#include "settings/plot_warning.h"

#include "acutads.h"

namespace kestra {

void showPlotWarning()
{
    acutPrintf("\n%s\n%s\n", "One or many views do not conform to the Kestra object(s). ",
               "Execute the KS2 command to restore them or KS1 to redefine Kestra objects.");
}

}  // namespace kestra
