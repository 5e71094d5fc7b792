#include "shell/aerial_view.h"

#include "acutads.h"
#include "settings/registry_values.h"
#include "shell/kestra_module.h"

namespace kestra {

std::optional<std::string> readHostProductKey()
{
    std::optional<std::string> release = readRegistryString(HKEY_LOCAL_MACHINE, kHostRootKey, "CurVer");
    if (!release || release->empty()) return std::nullopt;
    std::string releaseKey = std::string(kHostRootKey) + "\\" + *release;
    std::optional<std::string> product = readRegistryString(HKEY_LOCAL_MACHINE, releaseKey.c_str(), "CurVer");
    if (!product || product->empty()) return std::nullopt;
    return product;
}

std::optional<long> aerialViewEnabled()
{
    KestraModule* module = kestraModule();
    if (module == nullptr) return std::nullopt;
    // Kept only once found, so a host installed later is still found.
    if (!module->hostProductKey) module->hostProductKey = readHostProductKey();
    if (!module->hostProductKey) {
        acutPrintf("%s\n", "\nError -- Can not read the current version number of AutoCAD.\n");
        return std::nullopt;
    }
    std::string profileKey = kHostProfileRoot + *module->hostProductKey + "\\FixedProfile\\Aerial View";
    std::optional<DWORD> enabled = readRegistryDword(HKEY_CURRENT_USER, profileKey.c_str(), "Enabled");
    if (!enabled) return std::nullopt;
    return static_cast<long>(static_cast<LONG>(*enabled));
}

}  // namespace kestra
