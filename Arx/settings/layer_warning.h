// The warning given when a new mark lies on a layer that cannot be seen.
#pragma once

namespace kestra {

// Tells the user that the mark's layer is frozen or off, naming it. Printed on the command
// line ("\n%s\n%s"); the warning dialog of the "FreezeLayer" switch takes this over when the
// module's dialogs are built.
void showLayerWarning(const char* layerName);

}  // namespace kestra
