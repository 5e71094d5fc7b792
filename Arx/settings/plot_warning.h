// The warning given before a plot when a viewport no longer shows what its mark outlines.
#pragma once

namespace kestra {

// Printed on the command line ("\n%s\n%s\n"); the warning dialog of the "BadPlotAlert"
// switch takes this over when the module's dialogs are built.
void showPlotWarning();

}  // namespace kestra
