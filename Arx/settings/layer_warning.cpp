#include "settings/layer_warning.h"

#include <string>

#include "acutads.h"
#include "settings/warning_dialogs.h"

namespace kestra {

void showLayerWarning(const char* layerName)
{
    if (showWarningDialog(Warning::Layer, layerName)) return;
    const std::string named = std::string(">> ") + (layerName ? layerName : "") + " <<";
    acutPrintf("\n%s\n%s", "Warning: the Kestra layer is invisible (frozen or deactivated).", named.c_str());
}

}  // namespace kestra
