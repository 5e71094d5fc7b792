// The host's search path for support files (acedFindFile, acedHelp, MENULOAD): the current
// folder, the current drawing's folder, the folders of ARXHOST_SUPPORT (separated by colons),
// the host program's folder, and the folder of each loaded ARX module.
#pragma once
#include <optional>
#include <string>
#include <vector>

namespace arx::ap {

std::vector<std::string> supportSearchPath();

// A file named with a folder (absolute or relative) is taken as it is when it exists; a bare
// name is looked for along the search path. Backslashes count as folder separators. The
// path found, or nothing.
std::optional<std::string> findSupportFile(const std::string& name);

}  // namespace arx::ap
