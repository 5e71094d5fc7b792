// A registry key held for a scope: the host's own reads and writes of its keys.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include <windows.h>

namespace arx::rx {

class RegistryKey {
public:
    // Opens an existing key for reading, or creates (and opens for writing) with `create`.
    RegistryKey(HKEY root, const std::string& path, bool create = false);
    ~RegistryKey();
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    bool isOpen() const { return key_ != nullptr; }
    std::optional<std::string> getString(const char* name) const;
    std::optional<DWORD> getDword(const char* name) const;
    bool setString(const char* name, const std::string& value);
    bool setDword(const char* name, DWORD value);
    std::vector<std::string> subKeys() const;
    // Every value as name and text (REG_SZ values only).
    std::vector<std::pair<std::string, std::string>> stringValues() const;

private:
    HKEY key_ = nullptr;
};

// "\\HKEY_LOCAL_MACHINE\Software\..." as root and path; false for another form.
bool splitRegistryPath(const std::string& full, HKEY& root, std::string& path);

}  // namespace arx::rx
