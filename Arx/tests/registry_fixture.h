// A registry of its own for each test: a fresh folder of hive files, removed afterwards.
#pragma once
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "win32standin.h"
#include "windows.h"

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "kestra-registry-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
        Win32SetRegistryFolder(folder_.c_str());
    }

    void TearDown() override
    {
        Win32SetRegistryFolder(nullptr);
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

    std::string hivePath(const char* root) const { return folder_ + "/" + root + ".reg"; }

    // Stores a value of any type and size, as another program might have left it.
    static void setRaw(HKEY root, const char* key, const char* name, DWORD type, const void* data, DWORD size)
    {
        HKEY handle = nullptr;
        ASSERT_EQ(RegCreateKeyExA(root, key, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, &handle, nullptr),
                  ERROR_SUCCESS);
        EXPECT_EQ(RegSetValueExA(handle, name, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
        RegCloseKey(handle);
    }

    static void setDword(HKEY root, const char* key, const char* name, DWORD value)
    {
        setRaw(root, key, name, REG_DWORD, &value, sizeof value);
    }

    struct RawValue {
        DWORD type;
        std::vector<BYTE> data;
    };

    static std::optional<RawValue> getRaw(HKEY root, const char* key, const char* name)
    {
        HKEY handle = nullptr;
        if (RegOpenKeyA(root, key, &handle) != ERROR_SUCCESS) return std::nullopt;
        RawValue value{REG_NONE, std::vector<BYTE>(1024)};
        DWORD size = static_cast<DWORD>(value.data.size());
        LONG status = RegQueryValueExA(handle, name, nullptr, &value.type, value.data.data(), &size);
        RegCloseKey(handle);
        if (status != ERROR_SUCCESS) return std::nullopt;
        value.data.resize(size);
        return value;
    }

    static std::optional<DWORD> getDword(HKEY root, const char* key, const char* name)
    {
        std::optional<RawValue> raw = getRaw(root, key, name);
        if (!raw || raw->type != REG_DWORD || raw->data.size() != 4) return std::nullopt;
        DWORD value = 0;
        std::memcpy(&value, raw->data.data(), 4);
        return value;
    }

    static std::optional<std::string> getString(HKEY root, const char* key, const char* name)
    {
        std::optional<RawValue> raw = getRaw(root, key, name);
        if (!raw || raw->type != REG_SZ) return std::nullopt;
        return std::string(raw->data.begin(), raw->data.end());  // with its NUL
    }

    static std::vector<std::string> valueNames(HKEY root, const char* key)
    {
        std::vector<std::string> names;
        HKEY handle = nullptr;
        if (RegOpenKeyA(root, key, &handle) != ERROR_SUCCESS) return names;
        for (DWORD i = 0;; ++i) {
            char name[256];
            DWORD length = sizeof name;
            if (RegEnumValueA(handle, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
            names.emplace_back(name, length);
        }
        RegCloseKey(handle);
        return names;
    }

    // Makes an existing hive file read-only, as for a user without write access.
    void makeReadOnly(const char* root)
    {
        ASSERT_TRUE(std::filesystem::exists(hivePath(root)));
        std::filesystem::permissions(hivePath(root),
                                     std::filesystem::perms::owner_write | std::filesystem::perms::group_write |
                                         std::filesystem::perms::others_write,
                                     std::filesystem::perm_options::remove);
    }

    std::string folder_;
};
