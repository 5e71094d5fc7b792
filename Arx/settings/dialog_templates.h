// The dialog templates of the settings dialogs, as the module's resource script lays them out.
// Their texts are stand-ins for layout only; every text the user sees is set when the dialog opens.
#pragma once
#include <vector>

#include "afxres.h"

namespace kestra {

std::vector<AfxDialogResource> settingsDialogTemplates();

// The layout of the warning and advice dialogs: everything above the marker stays in sight
// when the dialog is cut down; the hint lies below it.
constexpr int kWarningMarkerBottom = 104;

}  // namespace kestra
