// The AutoLISP functions that switch settings; each writes the registry value at once.
#pragma once
#include "adsdef.h"

namespace kestra {

int vaduKsLogo(const resbuf* args);          // "Splash" := 1
int vaduKsNoLogo(const resbuf* args);        // "Splash" := 0
int vaduKsWarmNoCreate(const resbuf* args);  // "KsWarmNoCreate" := 1 for T, 0 for nil

}  // namespace kestra
