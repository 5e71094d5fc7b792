// The in-memory form of one hive: keys with sub-keys and values in insertion order. Names are
// case-preserving and compared without regard to case. Each key indexes its sub-keys and
// values by upper-cased name, so that finding one among many takes constant time and reading
// or filling a hive is linear in its size.
#pragma once

#include <windef.h>

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace win32::registry {

struct Value {
    std::string name;  // empty for the default value
    DWORD type = 0;
    std::vector<BYTE> data;
};

class Key {
public:
    Key() = default;
    explicit Key(std::string keyName) : name(std::move(keyName)) {}
    // Frees the sub-keys level by level instead of recursively, so that a hive of any depth is
    // freed without exhausting the stack.
    ~Key();
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;

    std::string name;

    // In stored order; changed only through the functions below, which keep the index.
    const std::vector<std::unique_ptr<Key>>& subkeys() const { return subkeys_; }
    const std::vector<Value>& values() const { return values_; }

    Key* findSubkey(std::string_view subkeyName) const;
    // The existing sub-key of that name, or a new one appended at the end.
    Key& findOrAddSubkey(std::string_view subkeyName, bool* created = nullptr);
    bool removeSubkey(std::string_view subkeyName);

    const Value* findValue(std::string_view valueName) const;
    // Replaces the data of an existing value in its place (keeping its name as first written),
    // else appends a new value.
    void setValue(std::string_view valueName, DWORD type, std::vector<BYTE> data);
    bool removeValue(std::string_view valueName);

private:
    std::vector<std::unique_ptr<Key>> subkeys_;
    std::vector<Value> values_;
    std::unordered_map<std::string, size_t> subkeyIndex_;  // upper-cased name -> position
    std::unordered_map<std::string, size_t> valueIndex_;
};

// Path of a key below a root, one name per level.
using KeyPath = std::vector<std::string>;

// The key at path below root, or nullptr.
Key* findKey(Key& root, const KeyPath& path);

}  // namespace win32::registry
