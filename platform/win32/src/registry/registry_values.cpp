// Reading, writing and deleting values.
#include <winreg.h>

#include <algorithm>

#include "registry_call.h"

using namespace win32::registry;

namespace {

std::string_view valueNameOf(LPCSTR name) { return name == nullptr ? std::string_view() : name; }

}  // namespace

extern "C" LONG RegQueryValueExA(HKEY hKey, LPCSTR lpValueName, LPDWORD, LPDWORD lpType, LPBYTE lpData,
                                 LPDWORD lpcbData)
{
    if (lpData != nullptr && lpcbData == nullptr) return ERROR_INVALID_PARAMETER;
    RegistryCall call(false);
    Target target;
    if (const LONG status = call.resolve(hKey, &target); status != ERROR_SUCCESS) return status;
    if ((target.access & KEY_QUERY_VALUE) == 0) return ERROR_ACCESS_DENIED;
    const Value* value = target.key->findValue(valueNameOf(lpValueName));
    if (value == nullptr) return ERROR_FILE_NOT_FOUND;
    if (lpType != nullptr) *lpType = value->type;
    return copyValueData(value->data, lpData, lpcbData);
}

// The default value of a sub-key as text; a key without a default value gives "".
extern "C" LONG RegQueryValueA(HKEY hKey, LPCSTR lpSubKey, LPSTR lpData, PLONG lpcbData)
{
    if (lpData != nullptr && lpcbData == nullptr) return ERROR_INVALID_PARAMETER;
    RegistryCall call(false);
    Target target;
    if (const LONG status = call.resolve(hKey, &target); status != ERROR_SUCCESS) return status;
    KeyPath names;
    if (const LONG status = parseSubKey(lpSubKey, &names); status != ERROR_SUCCESS) return status;
    Key* key = findKey(*target.key, names);
    if (key == nullptr) return ERROR_FILE_NOT_FOUND;
    if (names.empty() && (target.access & KEY_QUERY_VALUE) == 0) return ERROR_ACCESS_DENIED;
    std::vector<BYTE> text;
    if (const Value* value = key->findValue("")) {
        if (value->type != REG_SZ && value->type != REG_EXPAND_SZ) return ERROR_INVALID_DATA;
        const auto end = std::find(value->data.begin(), value->data.end(), BYTE{0});
        text.assign(value->data.begin(), end);
    }
    text.push_back(0);
    if (lpcbData == nullptr) return ERROR_SUCCESS;
    DWORD size = *lpcbData < 0 ? 0 : static_cast<DWORD>(*lpcbData);
    const LONG status = copyValueData(text, reinterpret_cast<LPBYTE>(lpData), &size);
    *lpcbData = static_cast<LONG>(size);
    return status;
}

extern "C" LONG RegSetValueExA(HKEY hKey, LPCSTR lpValueName, DWORD, DWORD dwType, const BYTE* lpData, DWORD cbData)
{
    if (lpData == nullptr && cbData != 0) return ERROR_INVALID_PARAMETER;
    const std::string_view name = valueNameOf(lpValueName);
    if (!storableName(name)) return ERROR_INVALID_PARAMETER;
    RegistryCall call(true);
    Target target;
    if (const LONG status = call.resolve(hKey, &target); status != ERROR_SUCCESS) return status;
    if ((target.access & KEY_SET_VALUE) == 0 || !target.hive->writable()) {
        return ERROR_ACCESS_DENIED;
    }
    std::vector<BYTE> data(lpData, lpData + cbData);
    // Writing what is already there changes nothing, so the hive file is not rewritten.
    if (const Value* old = target.key->findValue(name); old && old->type == dwType && old->data == data) {
        return ERROR_SUCCESS;
    }
    target.key->setValue(name, dwType, std::move(data));
    return target.hive->save();
}

extern "C" LONG RegDeleteValueA(HKEY hKey, LPCSTR lpValueName)
{
    RegistryCall call(true);
    Target target;
    if (const LONG status = call.resolve(hKey, &target); status != ERROR_SUCCESS) return status;
    if ((target.access & KEY_SET_VALUE) == 0 || !target.hive->writable()) {
        return ERROR_ACCESS_DENIED;
    }
    if (!target.key->removeValue(valueNameOf(lpValueName))) return ERROR_FILE_NOT_FOUND;
    return target.hive->save();
}
