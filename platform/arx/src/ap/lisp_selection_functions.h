// The AutoLISP selection-set functions: ssget, ssadd, ssdel, ssname, sslength, ssmemb,
// sssetfirst and ssgetfirst, over the ADS selection calls.
#pragma once

namespace arx::ap {

// Adds them to every interpreter; wireAutoLisp calls it.
void addSelectionBuiltins();

}  // namespace arx::ap
