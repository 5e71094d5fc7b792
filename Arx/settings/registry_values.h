// Reading typed registry values without trusting what the hive holds: a value of another type
// or size than asked for counts as missing, and nothing is read past the value's end.
#pragma once
#include <optional>
#include <string>

#include "windows.h"

namespace kestra {

// A REG_DWORD value of exactly four bytes. An empty or null value name is the default value.
std::optional<DWORD> readRegistryDword(HKEY root, const char* keyPath, const char* valueName);

// A REG_SZ or REG_EXPAND_SZ value, with or without its terminating NUL.
std::optional<std::string> readRegistryString(HKEY root, const char* keyPath, const char* valueName);

}  // namespace kestra
