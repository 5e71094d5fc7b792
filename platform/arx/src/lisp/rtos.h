// Numbers as rtos writes them in the host's linear-unit modes:
//   1 scientific "1.7500E+01", 2 decimal "17.50", 3 engineering "1'-5.50\"",
//   4 architectural "1'-5 1/2\"", 5 fractional "17 1/2".
// UNITMODE 1 writes the last three as they are typed ("1'5.50\"", "1'5-1/2\"", "17-1/2").
// DIMZIN: 4 drops the leading zero and 8 the trailing zeros of decimals; its low bits choose
// which zero feet and zero inches the feet-and-inch modes show.
#pragma once
#include <string>

namespace arx::lisp {

struct UnitSettings {
    int mode = 2;       // LUNITS
    int precision = 4;  // LUPREC: decimal places, or the power of two of the fractions' denominator
    int dimzin = 0;
    int unitmode = 0;
};

// false for a mode outside 1 to 5.
bool formatLinear(double value, const UnitSettings& settings, std::string& out);

}  // namespace arx::lisp
