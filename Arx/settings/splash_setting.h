// KSLOGO: asks whether the splash window is shown at start-up and stores the answer.
#pragma once
#include <optional>

#include "settings/settings_flags.h"

namespace kestra {

// "No" (any case) turns "Splash" off; any other answer, Enter included, turns it on. A
// cancelled prompt leaves the setting as it is.
void askSplashSetting(KestraSettings& settings);

// The decision alone: the prompt's status and answer, and the new setting (none: unchanged).
std::optional<bool> splashAnswer(int status, const char* answer);

}  // namespace kestra
