// Opening, creating, deleting and closing keys.
#include <winreg.h>

#include "registry_call.h"

using namespace win32::registry;

namespace {

// Walks names below the target's key as far as they exist; returns how many were found and
// leaves key and path at the deepest one.
size_t walkExisting(const KeyPath& names, Key** key, KeyPath* path)
{
    size_t found = 0;
    for (; found < names.size(); ++found) {
        Key* next = (*key)->findSubkey(names[found]);
        if (next == nullptr) break;
        *key = next;
        path->push_back(next->name);
    }
    return found;
}

bool allStorable(const KeyPath& names)
{
    for (const std::string& name : names) {
        if (!storableName(name)) return false;
    }
    return true;
}

}  // namespace

extern "C" LONG RegOpenKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD ulOptions, REGSAM samDesired, PHKEY phkResult)
{
    if (phkResult == nullptr) return ERROR_INVALID_PARAMETER;
    *phkResult = nullptr;
    RegistryCall call(false);
    Target target;
    if (const LONG status = call.resolve(hKey, &target); status != ERROR_SUCCESS) return status;
    KeyPath names;
    if (const LONG status = parseSubKey(lpSubKey, &names); status != ERROR_SUCCESS) return status;
    Key* key = target.key;
    KeyPath path = target.path;
    if (walkExisting(names, &key, &path) != names.size()) return ERROR_FILE_NOT_FOUND;
    if (asksToWrite(samDesired) && !target.hive->writable()) return ERROR_ACCESS_DENIED;
    if (names.empty() && target.predefined) {
        *phkResult = hKey;  // Windows hands back the predefined key itself
        return ERROR_SUCCESS;
    }
    *phkResult = call.addHandle(target, std::move(path), grantedAccess(samDesired, *target.hive));
    return ERROR_SUCCESS;
}

extern "C" LONG RegOpenKeyA(HKEY hKey, LPCSTR lpSubKey, PHKEY phkResult)
{
    if (phkResult != nullptr && (lpSubKey == nullptr || *lpSubKey == '\0')) {
        *phkResult = hKey;  // the same handle, as documented for RegOpenKey
        return ERROR_SUCCESS;
    }
    return RegOpenKeyExA(hKey, lpSubKey, 0, MAXIMUM_ALLOWED, phkResult);
}

extern "C" LONG RegCreateKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD, LPCSTR, DWORD dwOptions, REGSAM samDesired,
                                const SECURITY_ATTRIBUTES*, PHKEY phkResult, LPDWORD lpdwDisposition)
{
    if (phkResult == nullptr) return ERROR_INVALID_PARAMETER;
    *phkResult = nullptr;
    // Every key lives in a hive file: volatile keys (and the backup and link options) do not
    // exist here and are refused rather than silently made permanent.
    if (dwOptions != REG_OPTION_NON_VOLATILE) return ERROR_INVALID_PARAMETER;
    RegistryCall call(true);
    Target target;
    if (const LONG status = call.resolve(hKey, &target); status != ERROR_SUCCESS) return status;
    KeyPath names;
    if (const LONG status = parseSubKey(lpSubKey, &names); status != ERROR_SUCCESS) return status;
    if (!allStorable(names)) return ERROR_INVALID_PARAMETER;
    Key* key = target.key;
    KeyPath path = target.path;
    size_t found = walkExisting(names, &key, &path);
    const bool exists = found == names.size();
    if (exists && asksToWrite(samDesired) && !target.hive->writable()) return ERROR_ACCESS_DENIED;
    if (!exists) {
        if ((target.access & KEY_CREATE_SUB_KEY) == 0 || !target.hive->writable()) {
            return ERROR_ACCESS_DENIED;
        }
        for (; found < names.size(); ++found) {
            key = &key->findOrAddSubkey(names[found]);
            path.push_back(names[found]);
        }
        if (const LONG status = target.hive->save(); status != ERROR_SUCCESS) return status;
    }
    if (lpdwDisposition != nullptr) {
        *lpdwDisposition = exists ? REG_OPENED_EXISTING_KEY : REG_CREATED_NEW_KEY;
    }
    *phkResult = call.addHandle(target, std::move(path), grantedAccess(samDesired, *target.hive));
    return ERROR_SUCCESS;
}

extern "C" LONG RegCreateKeyA(HKEY hKey, LPCSTR lpSubKey, PHKEY phkResult)
{
    if (phkResult != nullptr && (lpSubKey == nullptr || *lpSubKey == '\0')) {
        *phkResult = hKey;  // the same handle, as documented for RegCreateKey
        return ERROR_SUCCESS;
    }
    return RegCreateKeyExA(hKey, lpSubKey, 0, nullptr, REG_OPTION_NON_VOLATILE, MAXIMUM_ALLOWED, nullptr, phkResult,
                           nullptr);
}

// Deletes a key without sub-keys (Windows refuses the others with ERROR_ACCESS_DENIED). An
// empty sub-key name deletes the key of the handle itself.
extern "C" LONG RegDeleteKeyA(HKEY hKey, LPCSTR lpSubKey)
{
    if (lpSubKey == nullptr) return ERROR_INVALID_PARAMETER;
    RegistryCall call(true);
    Target target;
    if (const LONG status = call.resolve(hKey, &target); status != ERROR_SUCCESS) return status;
    KeyPath names;
    if (const LONG status = parseSubKey(lpSubKey, &names); status != ERROR_SUCCESS) return status;
    KeyPath full = target.path;
    full.insert(full.end(), names.begin(), names.end());
    if (full.empty()) return ERROR_ACCESS_DENIED;  // a root key cannot be deleted
    const std::string last = full.back();
    full.pop_back();
    Key* parent = findKey(target.hive->root(), full);
    Key* doomed = parent == nullptr ? nullptr : parent->findSubkey(last);
    if (doomed == nullptr) return ERROR_FILE_NOT_FOUND;
    if (!doomed->subkeys().empty() || !target.hive->writable()) return ERROR_ACCESS_DENIED;
    parent->removeSubkey(last);
    return target.hive->save();
}

extern "C" LONG RegCloseKey(HKEY hKey) { return closeHandle(hKey) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE; }
