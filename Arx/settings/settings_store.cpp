#include "settings/settings_store.h"

#include <cstring>

#include "settings/registry_values.h"
#include "settings/settings_loading.h"

namespace kestra {

namespace {

// Creates or opens a key for writing and closes it on every path.
class WritableKey {
public:
    WritableKey(HKEY root, const std::string& path)
    {
        DWORD disposition = 0;
        if (RegCreateKeyExA(root, path.c_str(), 0, "", REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, &key_,
                            &disposition) != ERROR_SUCCESS)
            key_ = nullptr;
    }
    ~WritableKey()
    {
        if (key_ != nullptr) RegCloseKey(key_);
    }
    WritableKey(const WritableKey&) = delete;
    WritableKey& operator=(const WritableKey&) = delete;

    int set(const char* valueName, DWORD type, const void* data, DWORD size) const
    {
        if (key_ == nullptr) return kSettingFailed;
        LONG status = RegSetValueExA(key_, valueName, 0, type, static_cast<const BYTE*>(data), size);
        return status == ERROR_SUCCESS ? kSettingOk : kSettingFailed;
    }

private:
    HKEY key_ = nullptr;
};

}  // namespace

std::string settingsKeyPath(const char* subKey)
{
    std::string path = kSettingsBaseKey;
    if (subKey != nullptr && *subKey != '\0') path += std::string("\\") + subKey;
    return path;
}

int readSettingDword(HKEY root, const char* subKey, const char* valueName, DWORD* value)
{
    std::optional<DWORD> read = readRegistryDword(root, settingsKeyPath(subKey).c_str(), valueName);
    if (!read) return kSettingFailed;
    if (value != nullptr) *value = *read;
    return kSettingOk;
}

int writeSettingDword(HKEY root, const char* subKey, const char* valueName, DWORD value)
{
    return WritableKey(root, settingsKeyPath(subKey)).set(valueName, REG_DWORD, &value, sizeof value);
}

int writeSettingString(HKEY root, const char* subKey, const char* valueName, const char* text)
{
    if (text == nullptr) return kSettingFailed;
    DWORD size = static_cast<DWORD>(std::strlen(text) + 1);
    return WritableKey(root, settingsKeyPath(subKey)).set(valueName, REG_SZ, text, size);
}

int deleteSettingsKey(HKEY root, const char* subKey)
{
    if (subKey == nullptr || *subKey == '\0') return kSettingFailed;
    HKEY base = nullptr;
    if (RegOpenKeyA(root, kSettingsBaseKey, &base) != ERROR_SUCCESS) return kSettingFailed;
    LONG status = RegDeleteKeyA(base, subKey);
    RegCloseKey(base);
    return status == ERROR_SUCCESS ? kSettingOk : kSettingFailed;
}

int readMachineDefault(const char* valueName, DWORD* value)
{
    std::optional<DWORD> read = readRegistryDword(HKEY_LOCAL_MACHINE, kMachineDefaultsKey, valueName);
    if (!read) return kSettingFailed;
    if (value != nullptr) *value = *read;
    return kSettingOk;
}

int storeSwitch(KestraSettings& settings, Switch which, bool on)
{
    settings.flag(which) = on;
    return writeSettingDword(HKEY_CURRENT_USER, kSettingsSubKey, switchValueName(which), on ? 1 : 0);
}

}  // namespace kestra
