// Registration with the host for demand loading, and the module's own description key under
// HKEY_LOCAL_MACHINE "Software\Zentrel\AutoCAD\15.0\Kestra".
#pragma once
#include <array>
#include <string>

namespace kestra {

struct KestraModule;

constexpr const char* kApplicationName = "Kestra";
constexpr const char* kRegistrationPath = "Software\\Zentrel\\AutoCAD\\15.0";
constexpr const char* kModuleFileName = "Kestra2000.arx";
constexpr int kLoadAtEveryOccasion = 15;  // proxy detection, start-up, command, load request

// The command names written under "Commands", in order (KSLIST twice, stored once).
const std::array<const char*, 28>& describedCommandNames();

// Registers for demand loading with flags 15 (the host's answer is ignored), records the
// module's path, folder and file name, and writes the description key. Failures are silent;
// returns the last registry status.
long registerDemandLoad(KestraModule& module);

// The description key: "Groups", "Commands", "Loader" (with "MODULE" only when the module's
// path is known), an empty "Registration" and "Name". A key that cannot be created is skipped
// with its values; returns the last registry status.
long writeDescriptionKey(const std::string& modulePath);

// Registers again with other load flags (0 to 15); true when the host accepted it.
bool setDemandLoadFlags(int flags);

// A full path split after its last separator ("/" or "\"): the folder keeps the separator.
struct ModulePathParts {
    std::string folder;
    std::string fileName;
};
ModulePathParts splitModulePath(const std::string& fullPath);

}  // namespace kestra
