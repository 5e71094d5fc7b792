// Enumerating sub-keys and values, in the order they are stored in the hive file.
#include <winreg.h>

#include <cstring>

#include "registry_call.h"

using namespace win32::registry;

namespace {

// Copies a name into a buffer of *size characters; *size receives the length without the NUL.
// A name that does not fit with its NUL is ERROR_MORE_DATA.
LONG copyName(const std::string& name, LPSTR buffer, LPDWORD size)
{
    if (*size <= name.size()) return ERROR_MORE_DATA;
    std::memcpy(buffer, name.c_str(), name.size() + 1);
    *size = static_cast<DWORD>(name.size());
    return ERROR_SUCCESS;
}

}  // namespace

// Keys carry no class here (the hive file has no place for it): the class is always "".
extern "C" LONG RegEnumKeyExA(HKEY hKey, DWORD dwIndex, LPSTR lpName, LPDWORD lpcchName, LPDWORD, LPSTR lpClass,
                              LPDWORD lpcchClass, PFILETIME lpftLastWriteTime)
{
    if (lpName == nullptr || lpcchName == nullptr) return ERROR_INVALID_PARAMETER;
    if (lpClass != nullptr && lpcchClass == nullptr) return ERROR_INVALID_PARAMETER;
    RegistryCall call(false);
    Target target;
    if (const LONG status = call.resolve(hKey, &target); status != ERROR_SUCCESS) return status;
    if ((target.access & KEY_ENUMERATE_SUB_KEYS) == 0) return ERROR_ACCESS_DENIED;
    if (dwIndex >= target.key->subkeys().size()) return ERROR_NO_MORE_ITEMS;
    const LONG status = copyName(target.key->subkeys()[dwIndex]->name, lpName, lpcchName);
    if (status != ERROR_SUCCESS) return status;
    if (lpClass != nullptr && *lpcchClass > 0) lpClass[0] = '\0';
    if (lpcchClass != nullptr) *lpcchClass = 0;
    if (lpftLastWriteTime != nullptr) *lpftLastWriteTime = target.hive->lastWriteTime();
    return ERROR_SUCCESS;
}

extern "C" LONG RegEnumKeyA(HKEY hKey, DWORD dwIndex, LPSTR lpName, DWORD cchName)
{
    DWORD size = cchName;
    return RegEnumKeyExA(hKey, dwIndex, lpName, &size, nullptr, nullptr, nullptr, nullptr);
}

extern "C" LONG RegEnumValueA(HKEY hKey, DWORD dwIndex, LPSTR lpValueName, LPDWORD lpcchValueName, LPDWORD,
                              LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData)
{
    if (lpValueName == nullptr || lpcchValueName == nullptr) return ERROR_INVALID_PARAMETER;
    if (lpData != nullptr && lpcbData == nullptr) return ERROR_INVALID_PARAMETER;
    RegistryCall call(false);
    Target target;
    if (const LONG status = call.resolve(hKey, &target); status != ERROR_SUCCESS) return status;
    if ((target.access & KEY_QUERY_VALUE) == 0) return ERROR_ACCESS_DENIED;
    if (dwIndex >= target.key->values().size()) return ERROR_NO_MORE_ITEMS;
    const Value& value = target.key->values()[dwIndex];
    if (const LONG status = copyName(value.name, lpValueName, lpcchValueName); status != ERROR_SUCCESS) {
        return status;
    }
    if (lpType != nullptr) *lpType = value.type;
    return copyValueData(value.data, lpData, lpcbData);
}
