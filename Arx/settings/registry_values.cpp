#include "settings/registry_values.h"

#include <vector>

namespace kestra {

namespace {

// Closes the key on every path.
class OpenKey {
public:
    OpenKey(HKEY root, const char* keyPath)
    {
        if (RegOpenKeyA(root, keyPath, &key_) != ERROR_SUCCESS) key_ = nullptr;
    }
    ~OpenKey()
    {
        if (key_ != nullptr) RegCloseKey(key_);
    }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;
    HKEY get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

bool isText(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ; }

}  // namespace

std::optional<DWORD> readRegistryDword(HKEY root, const char* keyPath, const char* valueName)
{
    OpenKey key(root, keyPath);
    if (key.get() == nullptr) return std::nullopt;
    DWORD type = REG_NONE;
    DWORD size = 0;
    if (RegQueryValueExA(key.get(), valueName, nullptr, &type, nullptr, &size) != ERROR_SUCCESS || type != REG_DWORD ||
        size != sizeof(DWORD))
        return std::nullopt;
    DWORD value = 0;
    size = sizeof value;
    if (RegQueryValueExA(key.get(), valueName, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
            ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof(DWORD))
        return std::nullopt;
    return value;
}

std::optional<std::string> readRegistryString(HKEY root, const char* keyPath, const char* valueName)
{
    OpenKey key(root, keyPath);
    if (key.get() == nullptr) return std::nullopt;
    DWORD type = REG_NONE;
    DWORD size = 0;
    if (RegQueryValueExA(key.get(), valueName, nullptr, &type, nullptr, &size) != ERROR_SUCCESS || !isText(type))
        return std::nullopt;
    // One byte more than announced, so the text always ends with a NUL of ours.
    std::vector<char> data(static_cast<size_t>(size) + 1, '\0');
    DWORD read = size;
    if (RegQueryValueExA(key.get(), valueName, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &read) !=
            ERROR_SUCCESS ||
        !isText(type) || read > size)
        return std::nullopt;
    return std::string(data.data());  // up to the first NUL
}

}  // namespace kestra
