// The splash window shown at load when the setting "Splash" is on, and the closing of the
// module's modeless windows at teardown.
#pragma once

namespace kestra {

struct KestraModule;

// Creates and shows the splash window (bitmap 1045, centred pop-up, 250 ms timer) with the
// module's resources pushed for the time of its creation.
void showSplashWindow(KestraModule& module);

// Closes and frees the module's modeless windows that are still open.
void closeModelessWindows(KestraModule& module);

}  // namespace kestra
