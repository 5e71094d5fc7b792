// The folder that holds the hive files.
#pragma once

#include <string>

namespace win32::registry {

// The registry folder as Win32RegistryFolder chooses it, without a trailing slash; the folder
// is created when missing (a failure shows later, when a hive cannot be written).
std::string currentRegistryFolder();

}  // namespace win32::registry
