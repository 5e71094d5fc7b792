// Loading the switches at start-up and storing a switch when it changes. The registry
// helpers underneath are in settings_store.h.
#pragma once
#include "settings/settings_flags.h"

namespace kestra {

// Reads the switches once at load. A user whose "Settings01" holds "KsWarmNoCreate" gets
// readAllSettings; a first run seeds every switch (machine defaults for "kswarmnocreate" and
// "splash", else 1). kSettingFailed when a write failed; the flags are set in any case.
int loadSettings(KestraSettings& settings);
// Reads the six switches read at load; a missing one is written as 1 and taken as 1.
int readAllSettings(KestraSettings& settings);

// Sets a switch and writes it at once to "Settings01" (1 or 0). The flag follows the
// request even when the write fails.
int storeSwitch(KestraSettings& settings, Switch which, bool on);

}  // namespace kestra
