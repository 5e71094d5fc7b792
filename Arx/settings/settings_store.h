// The registry helpers of the settings: the user's switches under HKEY_CURRENT_USER
// "Software\Zentrel\AutoCAD\15.0\Kestra\Settings01" and the installer's defaults under
// HKEY_LOCAL_MACHINE "...\Kestra\User". Each helper returns kSettingOk or kSettingFailed and
// closes every key it opened.
#pragma once
#include <string>

#include "settings/settings_flags.h"
#include "windows.h"

namespace kestra {

constexpr const char* kSettingsBaseKey = "Software\\Zentrel\\AutoCAD\\15.0\\Kestra";
constexpr const char* kSettingsSubKey = "Settings01";
constexpr const char* kMachineDefaultsKey = "Software\\Zentrel\\AutoCAD\\15.0\\Kestra\\User";
constexpr int kSettingOk = 0;
constexpr int kSettingFailed = 33;

// The base key, followed by "\" and the sub-key when one is named.
std::string settingsKeyPath(const char* subKey);

// A REG_DWORD of four bytes; any other type or size counts as missing.
int readSettingDword(HKEY root, const char* subKey, const char* valueName, DWORD* value);
int writeSettingDword(HKEY root, const char* subKey, const char* valueName, DWORD value);
// A REG_SZ of the text's length plus its terminating NUL.
int writeSettingString(HKEY root, const char* subKey, const char* valueName, const char* text);
// Deletes the named sub-key of the base key.
int deleteSettingsKey(HKEY root, const char* subKey);
// A REG_DWORD of the installer's defaults (lower-case value names).
int readMachineDefault(const char* valueName, DWORD* value);

}  // namespace kestra
