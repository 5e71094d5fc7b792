#include "registry_writer.h"

#include <windows.h>

namespace regkestra {
namespace {

HKEY createKey(const std::string& keyPath)
{
    HKEY key = nullptr;
    DWORD disposition = 0;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, keyPath.c_str(), 0, "", REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, &key,
                        &disposition) != ERROR_SUCCESS) {
        return nullptr;
    }
    return key;
}

bool writeValue(const std::string& keyPath, const std::string& valueName, DWORD type, const BYTE* data, DWORD size)
{
    HKEY key = createKey(keyPath);
    if (key == nullptr) return false;
    const LONG status = RegSetValueExA(key, valueName.c_str(), 0, type, data, size);
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

}  // namespace

bool writeMachineDword(const std::string& keyPath, const std::string& valueName, unsigned value)
{
    const DWORD data = value;
    return writeValue(keyPath, valueName, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof data);
}

bool writeMachineString(const std::string& keyPath, const std::string& valueName, const std::string& value)
{
    return writeValue(keyPath, valueName, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                      static_cast<DWORD>(value.size() + 1));
}

bool createMachineKey(const std::string& keyPath)
{
    HKEY key = createKey(keyPath);
    if (key == nullptr) return false;
    RegCloseKey(key);
    return true;
}

}  // namespace regkestra
