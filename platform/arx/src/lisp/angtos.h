// Angles as angtos writes them in the host's angular-unit modes (AUNITS), the angle first
// brought into [0, 2 pi):
//   0 decimal degrees "45.0000", 1 degrees/minutes/seconds "45d30'15\"", 2 grads "50.0000g",
//   3 radians "0.7854r", 4 surveyor's units "N 45d0' E".
// In mode 1 (and for the bearing of mode 4) the precision chooses what is shown: 0 degrees,
// 1-2 minutes, 3-4 seconds, more the decimals of the seconds.
#pragma once
#include <string>

namespace arx::lisp {

// false for a mode outside 0 to 4.
bool formatAngle(double radians, int mode, int precision, std::string& out);

}  // namespace arx::lisp
