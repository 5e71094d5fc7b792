// The in-memory form of one hive: keys with sub-keys and values in insertion order. Names are
// case-preserving and compared without regard to case.
#pragma once

#include <windef.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace win32::registry {

struct Value {
  std::string name;  // empty for the default value
  DWORD type = 0;
  std::vector<BYTE> data;
};

struct Key {
  std::string name;
  std::vector<std::unique_ptr<Key>> subkeys;
  std::vector<Value> values;

  Key* findSubkey(std::string_view subkeyName) const;
  // The existing sub-key of that name, or a new one appended at the end.
  Key& findOrAddSubkey(std::string_view subkeyName, bool* created = nullptr);
  bool removeSubkey(std::string_view subkeyName);

  Value* findValue(std::string_view valueName);
  // Replaces the data of an existing value in its place (keeping its name as first written),
  // else appends a new value.
  void setValue(std::string_view valueName, DWORD type, std::vector<BYTE> data);
  bool removeValue(std::string_view valueName);
};

// Path of a key below a root, one name per level.
using KeyPath = std::vector<std::string>;

// The key at path below root, or nullptr.
Key* findKey(Key& root, const KeyPath& path);

}  // namespace win32::registry
