// The warning given when a new mark lies on a layer that cannot be seen.
#pragma once

namespace kestra {

// Tells the user that the mark's layer is frozen or off, naming it: the layer warning's dialog
// when "FreezeLayer" is on and messages do not go to the command line; otherwise its two
// lines on the command line ("\n%s\n%s").
void showLayerWarning(const char* layerName);

}  // namespace kestra
