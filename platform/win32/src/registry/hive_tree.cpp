#include "hive_tree.h"

#include <algorithm>

#include "../ansi_text.h"

namespace win32::registry {

Key* Key::findSubkey(std::string_view subkeyName) const {
  for (const auto& subkey : subkeys) {
    if (equalsIgnoreCase(subkey->name, subkeyName)) return subkey.get();
  }
  return nullptr;
}

Key& Key::findOrAddSubkey(std::string_view subkeyName, bool* created) {
  Key* existing = findSubkey(subkeyName);
  if (created != nullptr) *created = existing == nullptr;
  if (existing != nullptr) return *existing;
  subkeys.push_back(std::make_unique<Key>());
  subkeys.back()->name = std::string(subkeyName);
  return *subkeys.back();
}

bool Key::removeSubkey(std::string_view subkeyName) {
  const auto found = std::find_if(subkeys.begin(), subkeys.end(), [&](const auto& subkey) {
    return equalsIgnoreCase(subkey->name, subkeyName);
  });
  if (found == subkeys.end()) return false;
  subkeys.erase(found);
  return true;
}

Value* Key::findValue(std::string_view valueName) {
  for (Value& value : values) {
    if (equalsIgnoreCase(value.name, valueName)) return &value;
  }
  return nullptr;
}

void Key::setValue(std::string_view valueName, DWORD type, std::vector<BYTE> data) {
  if (Value* existing = findValue(valueName)) {
    existing->type = type;
    existing->data = std::move(data);
    return;
  }
  values.push_back(Value{std::string(valueName), type, std::move(data)});
}

bool Key::removeValue(std::string_view valueName) {
  const auto found = std::find_if(values.begin(), values.end(), [&](const Value& value) {
    return equalsIgnoreCase(value.name, valueName);
  });
  if (found == values.end()) return false;
  values.erase(found);
  return true;
}

Key* findKey(Key& root, const KeyPath& path) {
  Key* key = &root;
  for (const std::string& name : path) {
    key = key->findSubkey(name);
    if (key == nullptr) return nullptr;
  }
  return key;
}

}  // namespace win32::registry
