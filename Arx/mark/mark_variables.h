// Reading the system variables the mark needs: reals and points (integers are read with
// readIntegerVariable of the shell).
#pragma once
#include <optional>

#include "gepnt3d.h"

namespace kestra {

// The value, or nothing when the variable cannot be read or is not of that kind. A 16-bit
// integer variable reads as a real too.
std::optional<double> readRealVariable(const char* name);
std::optional<AcGePoint3d> readPointVariable(const char* name);

}  // namespace kestra
