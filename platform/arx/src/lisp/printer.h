// How AutoLISP writes values: prin1 (strings quoted and escaped, as the command line shows a
// value) and princ (strings as they are).
#pragma once
#include <string>

#include "lisp/value.h"

namespace arx::lisp {

enum class PrintStyle { Prin1, Princ };

std::string printValue(const Value& value, PrintStyle style);
void appendPrinted(std::string& out, const Value& value, PrintStyle style);

// A real as AutoLISP prints it: six significant digits, always with a decimal point, the
// exponent with three digits as the host's C runtime writes it (3.0, 1.5, 1.23457,
// 1.0e+020).
std::string formatReal(double value);

}  // namespace arx::lisp
