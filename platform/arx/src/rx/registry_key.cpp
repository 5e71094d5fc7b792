#include "rx/registry_key.h"

#include <strings.h>

#include <winreg.h>

namespace arx::rx {

RegistryKey::RegistryKey(HKEY root, const std::string& path, bool create)
{
    HKEY key = nullptr;
    LONG status = create ? RegCreateKeyExA(root, path.c_str(), 0, "", REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                                           &key, nullptr)
                         : RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key);
    if (status == ERROR_SUCCESS) key_ = key;
}

RegistryKey::~RegistryKey()
{
    if (key_) RegCloseKey(key_);
}

std::optional<std::string> RegistryKey::getString(const char* name) const
{
    if (!key_) return std::nullopt;
    DWORD type = 0, size = 0;
    if (RegQueryValueExA(key_, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return std::nullopt;
    if (type != REG_SZ && type != REG_EXPAND_SZ) return std::nullopt;
    std::string text(size, '\0');
    if (RegQueryValueExA(key_, name, nullptr, &type, reinterpret_cast<LPBYTE>(text.data()), &size) != ERROR_SUCCESS)
        return std::nullopt;
    text.resize(std::min<size_t>(size, text.size()));
    while (!text.empty() && text.back() == '\0') text.pop_back();
    return text;
}

std::optional<DWORD> RegistryKey::getDword(const char* name) const
{
    if (!key_) return std::nullopt;
    DWORD type = 0, value = 0, size = sizeof value;
    if (RegQueryValueExA(key_, name, nullptr, &type, reinterpret_cast<LPBYTE>(&value), &size) != ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof value)
        return std::nullopt;
    return value;
}

bool RegistryKey::setString(const char* name, const std::string& value)
{
    return key_ && RegSetValueExA(key_, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                  static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
}

bool RegistryKey::setDword(const char* name, DWORD value)
{
    return key_ && RegSetValueExA(key_, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value) ==
                       ERROR_SUCCESS;
}

std::vector<std::string> RegistryKey::subKeys() const
{
    std::vector<std::string> names;
    if (!key_) return names;
    char name[256];
    for (DWORD i = 0; RegEnumKeyA(key_, i, name, sizeof name) == ERROR_SUCCESS; ++i) names.push_back(name);
    return names;
}

std::vector<std::pair<std::string, std::string>> RegistryKey::stringValues() const
{
    std::vector<std::pair<std::string, std::string>> values;
    if (!key_) return values;
    for (DWORD i = 0;; ++i) {
        char name[512];
        DWORD nameSize = sizeof name, type = 0, dataSize = 0;
        if (RegEnumValueA(key_, i, name, &nameSize, nullptr, &type, nullptr, &dataSize) != ERROR_SUCCESS) break;
        if (type == REG_SZ)
            if (auto text = getString(name)) values.emplace_back(name, *text);
    }
    return values;
}

bool splitRegistryPath(const std::string& full, HKEY& root, std::string& path)
{
    std::string rest = full;
    while (!rest.empty() && rest[0] == '\\') rest.erase(0, 1);
    size_t slash = rest.find('\\');
    std::string rootName = rest.substr(0, slash);
    path = slash == std::string::npos ? "" : rest.substr(slash + 1);
    if (strcasecmp(rootName.c_str(), "HKEY_LOCAL_MACHINE") == 0) root = HKEY_LOCAL_MACHINE;
    else if (strcasecmp(rootName.c_str(), "HKEY_CURRENT_USER") == 0) root = HKEY_CURRENT_USER;
    else if (strcasecmp(rootName.c_str(), "HKEY_CLASSES_ROOT") == 0) root = HKEY_CLASSES_ROOT;
    else return false;
    return true;
}

}  // namespace arx::rx
