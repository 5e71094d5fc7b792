// Writing hive files in the registry editor's export layout.
#include <winreg.h>

#include <cstdio>
#include <vector>

#include "hive_text.h"

namespace win32::registry {
namespace {

constexpr size_t kHexLineWidth = 77;  // wrap long hex data as the registry editor does

std::string quoted(std::string_view text)
{
    std::string result = "\"";
    for (char c : text) {
        if (c == '\\' || c == '"') result.push_back('\\');
        result.push_back(c);
    }
    result.push_back('"');
    return result;
}

// True when a REG_SZ can be written as "text" and read back as the same bytes: exactly one NUL,
// at the end, and no line-breaking control characters.
bool fitsQuotedForm(const std::vector<BYTE>& data)
{
    if (data.empty() || data.back() != 0) return false;
    for (size_t i = 0; i + 1 < data.size(); ++i) {
        if (data[i] < 0x20 && data[i] != '\t') return false;
    }
    return true;
}

void appendHexData(std::string& out, std::string prefix, const std::vector<BYTE>& data)
{
    size_t lineLength = prefix.size();
    out += prefix;
    char digits[4];
    for (size_t i = 0; i < data.size(); ++i) {
        std::snprintf(digits, sizeof digits, "%02x", data[i]);
        out += digits;
        lineLength += 2;
        if (i + 1 == data.size()) break;
        out += ',';
        ++lineLength;
        if (lineLength >= kHexLineWidth) {
            out += "\\\n  ";
            lineLength = 2;
        }
    }
}

void appendValue(std::string& out, const Value& value)
{
    const std::string name = value.name.empty() ? "@" : quoted(value.name);
    if (value.type == REG_SZ && fitsQuotedForm(value.data)) {
        const std::string_view text(reinterpret_cast<const char*>(value.data.data()), value.data.size() - 1);
        out += name + "=" + quoted(text);
    } else if (value.type == REG_DWORD && value.data.size() == 4) {
        const unsigned number =
            value.data[0] | (value.data[1] << 8) | (value.data[2] << 16) | (static_cast<unsigned>(value.data[3]) << 24);
        char digits[16];
        std::snprintf(digits, sizeof digits, "%08x", number);
        out += name + "=dword:" + digits;
    } else if (value.type == REG_BINARY) {
        appendHexData(out, name + "=hex:", value.data);
    } else {
        char type[24];
        std::snprintf(type, sizeof type, "=hex(%x):", value.type);
        appendHexData(out, name + type, value.data);
    }
    out += '\n';
}

// One section per key in pre-order, walked with a stack of its own so that a hive of any depth
// is written without exhausting the call stack.
void appendKeys(std::string& out, const Key& root, const std::string& rootPath)
{
    struct Pending {
        const Key* key;
        std::string path;
    };
    std::vector<Pending> pending;
    const auto pushSubkeys = [&](const Key& key, const std::string& path) {
        const auto& subkeys = key.subkeys();
        for (auto subkey = subkeys.rbegin(); subkey != subkeys.rend(); ++subkey) {
            pending.push_back(Pending{subkey->get(), path + "\\" + (*subkey)->name});
        }
    };
    pushSubkeys(root, rootPath);
    while (!pending.empty()) {
        const Pending next = std::move(pending.back());
        pending.pop_back();
        out += "[" + next.path + "]\n";
        for (const Value& value : next.key->values()) appendValue(out, value);
        out += '\n';
        pushSubkeys(*next.key, next.path);
    }
}

}  // namespace

std::string formatHiveText(const Key& root, std::string_view rootName)
{
    std::string out = "Windows Registry Editor Version 5.00\n\n";
    const std::string rootPath(rootName);
    if (!root.values().empty()) {
        out += "[" + rootPath + "]\n";
        for (const Value& value : root.values()) appendValue(out, value);
        out += '\n';
    }
    appendKeys(out, root, rootPath);
    return out;
}

}  // namespace win32::registry
