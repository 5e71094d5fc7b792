// Open key handles. A handle names its key by root and path rather than by pointer, because
// the tree is rebuilt whenever the hive file changes; a handle whose key has gone away answers
// ERROR_KEY_DELETED, as on Windows.
#pragma once

#include <windef.h>

#include <cstdint>
#include <unordered_map>

#include "hive_tree.h"

namespace win32::registry {

struct OpenKey {
    int root = 0;  // index of the predefined root
    KeyPath path;  // names as stored in the hive
    REGSAM access = 0;
};

class KeyHandles {
public:
    HKEY add(OpenKey key);
    const OpenKey* find(HKEY handle) const;
    bool remove(HKEY handle);

private:
    std::unordered_map<uintptr_t, OpenKey> open_;
    // Handle values are never reused, so a handle used after RegCloseKey is always refused.
    uintptr_t next_ = 0x1000;
};

}  // namespace win32::registry
