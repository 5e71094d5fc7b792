// What every registry function does first: take the registry lock, find the hive of the handle
// (re-read when its file changed) and the key the handle stands for.
#pragma once

#include <winreg.h>

#include <mutex>
#include <string>

#include "hive_file.h"
#include "key_handles.h"

namespace win32::registry {

// Rights that change a hive; a read-only hive refuses handles that ask for them.
constexpr REGSAM kWriteRights = KEY_SET_VALUE | KEY_CREATE_SUB_KEY | KEY_CREATE_LINK | DELETE | WRITE_DAC | WRITE_OWNER;

struct Target {
    int root = 0;
    HiveFile* hive = nullptr;
    Key* key = nullptr;  // the key the handle stands for
    KeyPath path;
    REGSAM access = 0;
    bool predefined = false;
};

class RegistryCall {
public:
    // A call that may change the hive also locks the registry folder against other processes
    // for its duration, so that re-reading, changing and writing the file is one step.
    explicit RegistryCall(bool changesHive);
    ~RegistryCall();
    RegistryCall(const RegistryCall&) = delete;
    RegistryCall& operator=(const RegistryCall&) = delete;

    LONG resolve(HKEY handle, Target* target);
    HKEY addHandle(const Target& target, KeyPath path, REGSAM access);

private:
    std::unique_lock<std::mutex> lock_;
    std::string folder_;
    int folderLock_ = -1;
};

// Removes a handle made by RegistryCall::addHandle; false for an unknown handle.
bool closeHandle(HKEY handle);

// Splits a sub-key path at backslashes. NULL and "" give no names; a trailing backslash is
// allowed, a leading one or an empty name in between is ERROR_BAD_PATHNAME.
LONG parseSubKey(LPCSTR subKey, KeyPath* names);

// Names of keys and values may not hold line breaks: the hive file could not carry them.
bool storableName(std::string_view name);

// Copies value data the Windows way: no buffer gives the size, a small buffer ERROR_MORE_DATA
// and the size needed, otherwise the bytes and their count. No size pointer copies nothing.
LONG copyValueData(const std::vector<BYTE>& data, LPBYTE buffer, LPDWORD size);

// The rights a new handle gets: MAXIMUM_ALLOWED grants what the hive allows.
REGSAM grantedAccess(REGSAM desired, const HiveFile& hive);
bool asksToWrite(REGSAM desired);

}  // namespace win32::registry
