// Writing one value under HKEY_LOCAL_MACHINE: the key is created when missing (class "",
// non-volatile, KEY_WRITE), the value set, the key closed.
#pragma once

#include <string>

namespace regkestra {

bool writeMachineDword(const std::string& keyPath, const std::string& valueName, unsigned value);
// A REG_SZ written with its terminating NUL.
bool writeMachineString(const std::string& keyPath, const std::string& valueName, const std::string& value);
// Creates the key (and the keys above it) when missing.
bool createMachineKey(const std::string& keyPath);

}  // namespace regkestra
