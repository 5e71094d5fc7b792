// The warning given while marks are reshaped after a viewport edit, when a viewport and its
// mark no longer agree on scale, twist or view direction.
#pragma once

namespace kestra {

// Shown when the "Reshape" switch is on and the command runs interactively; printed on the
// command line ("\n%s %s\n%s\n%s\n") until the warning dialog is built.
void showReshapeWarning();

}  // namespace kestra
