#include "hive_tree.h"

#include "../ansi_text.h"

namespace win32::registry {
namespace {

// Removes the entry at position from items and index, moving the later entries up.
template <typename Item, typename NameOf>
void eraseAt(std::vector<Item>& items, std::unordered_map<std::string, size_t>& index, size_t position, NameOf nameOf)
{
    index.erase(toUpperAnsi(nameOf(items[position])));
    items.erase(items.begin() + static_cast<std::ptrdiff_t>(position));
    for (size_t i = position; i < items.size(); ++i) index[toUpperAnsi(nameOf(items[i]))] = i;
}

}  // namespace

Key::~Key()
{
    std::vector<std::unique_ptr<Key>> pending = std::move(subkeys_);
    while (!pending.empty()) {
        std::unique_ptr<Key> key = std::move(pending.back());
        pending.pop_back();
        for (auto& subkey : key->subkeys_) pending.push_back(std::move(subkey));
        key->subkeys_.clear();
    }
}

Key* Key::findSubkey(std::string_view subkeyName) const
{
    const auto found = subkeyIndex_.find(toUpperAnsi(subkeyName));
    return found == subkeyIndex_.end() ? nullptr : subkeys_[found->second].get();
}

Key& Key::findOrAddSubkey(std::string_view subkeyName, bool* created)
{
    const auto [entry, added] = subkeyIndex_.try_emplace(toUpperAnsi(subkeyName), subkeys_.size());
    if (created != nullptr) *created = added;
    if (added) subkeys_.push_back(std::make_unique<Key>(std::string(subkeyName)));
    return *subkeys_[entry->second];
}

bool Key::removeSubkey(std::string_view subkeyName)
{
    const auto found = subkeyIndex_.find(toUpperAnsi(subkeyName));
    if (found == subkeyIndex_.end()) return false;
    eraseAt(subkeys_, subkeyIndex_, found->second,
            [](const std::unique_ptr<Key>& key) -> const std::string& { return key->name; });
    return true;
}

const Value* Key::findValue(std::string_view valueName) const
{
    const auto found = valueIndex_.find(toUpperAnsi(valueName));
    return found == valueIndex_.end() ? nullptr : &values_[found->second];
}

void Key::setValue(std::string_view valueName, DWORD type, std::vector<BYTE> data)
{
    const auto [entry, added] = valueIndex_.try_emplace(toUpperAnsi(valueName), values_.size());
    if (added) {
        values_.push_back(Value{std::string(valueName), type, std::move(data)});
        return;
    }
    Value& existing = values_[entry->second];
    existing.type = type;
    existing.data = std::move(data);
}

bool Key::removeValue(std::string_view valueName)
{
    const auto found = valueIndex_.find(toUpperAnsi(valueName));
    if (found == valueIndex_.end()) return false;
    eraseAt(values_, valueIndex_, found->second, [](const Value& value) -> const std::string& { return value.name; });
    return true;
}

Key* findKey(Key& root, const KeyPath& path)
{
    Key* key = &root;
    for (const std::string& name : path) {
        key = key->findSubkey(name);
        if (key == nullptr) return nullptr;
    }
    return key;
}

}  // namespace win32::registry
