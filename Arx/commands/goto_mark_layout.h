// KSGOTO and KS10, and vadu_KsGoto: from a mark in model space to the layout of its viewport.
#pragma once
#include "adsdef.h"
#include "commands/space_state.h"

namespace kestra {

constexpr const char* kLayoutErased = "The layout has been erased or is invalid.\nCan not activate it.\n";

// Makes current the layout that holds the viewport of the mark picked by the user (args null)
// or named by the AutoLISP argument. A mark without an association does nothing. Returns the
// AutoLISP status.
int gotoMarkLayout(const resbuf* args);

}  // namespace kestra
