#include "host_registration.h"

#include <windows.h>

#include <optional>
#include <vector>

#include "registry_writer.h"

namespace regkestra {
namespace {

constexpr DWORD kMaxProductKeyName = 200;

std::string releasePath(const std::string& releaseKey) { return "SOFTWARE\\Autodesk\\AutoCAD\\" + releaseKey; }

// The sub-keys of the release key, or nothing when the key cannot be opened. A name longer
// than 200 characters is logged and counted as a failure.
std::optional<std::vector<std::string>> productKeys(InstallLog& log, const std::string& releaseKey, bool* complete)
{
    HKEY release = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, releasePath(releaseKey).c_str(), 0, KEY_READ, &release) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    std::vector<std::string> products;
    char name[kMaxProductKeyName + 1];
    for (DWORD index = 0;; ++index) {
        DWORD size = sizeof name;
        const LONG status = RegEnumKeyExA(release, index, name, &size, nullptr, nullptr, nullptr, nullptr);
        if (status == ERROR_NO_MORE_ITEMS) break;
        if (status == ERROR_MORE_DATA) {
            log.message("Error -- AutoCAD product key name longer than 200 characters.\n");
            *complete = false;
            continue;
        }
        if (status != ERROR_SUCCESS) {
            *complete = false;
            break;
        }
        products.emplace_back(name, size);
    }
    RegCloseKey(release);
    return products;
}

bool registerProduct(InstallLog& log, const std::string& keyPath, const std::string& regPath, unsigned loadControls)
{
    bool succeeded = true;
    if (writeMachineDword(keyPath, "LOADCTRLS", loadControls)) {
        log.traceDword(keyPath, "LOADCTRLS", loadControls);
    } else {
        log.message("Error -- AutoCAD registry -- LOADCTRLS.\n");
        succeeded = false;
    }
    if (writeMachineString(keyPath, "REGPATH", regPath)) {
        log.traceString(keyPath, "REGPATH", regPath);
    } else {
        log.message("Error -- AutoCAD registry REGPATH.\n");
        succeeded = false;
    }
    return succeeded;
}

}  // namespace

std::string registrationPathFor(const std::string& releaseNumber)
{
    return "\\\\HKEY_LOCAL_MACHINE\\Software\\Zentrel\\AutoCAD\\" + releaseNumber + "\\Kestra";
}

bool registerWithHost(InstallLog& log, const std::string& releaseKey, const std::string& regPath, unsigned loadControls)
{
    bool succeeded = true;
    const std::optional<std::vector<std::string>> products = productKeys(log, releaseKey, &succeeded);
    if (!products) {
        log.message("Error -- AutoCAD not found.\n");
        return false;
    }
    for (const std::string& product : *products) {
        const std::string keyPath = releasePath(releaseKey) + "\\" + product + "\\Applications\\Kestra";
        succeeded = registerProduct(log, keyPath, regPath, loadControls) && succeeded;
    }
    return succeeded;
}

}  // namespace regkestra
