// Reading hive files. The reader is strict: anything it does not understand is an error with
// its line number, because a hive that was read wrongly would be written back wrongly.
#include <winreg.h>

#include <vector>

#include "../ansi_text.h"
#include "hive_text.h"
#include "utf16_text.h"

namespace win32::registry {
namespace {

constexpr std::string_view kHeader5 = "Windows Registry Editor Version 5.00";
constexpr std::string_view kHeader4 = "REGEDIT4";

bool startsWithIgnoreCase(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() && equalsIgnoreCase(text.substr(0, prefix.size()), prefix);
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::optional<unsigned long> parseHexNumber(std::string_view digits, size_t maxDigits)
{
    if (digits.empty() || digits.size() > maxDigits) return std::nullopt;
    unsigned long number = 0;
    for (char c : digits) {
        const int digit = hexDigit(c);
        if (digit < 0) return std::nullopt;
        number = number * 16 + static_cast<unsigned long>(digit);
    }
    return number;
}

std::vector<std::string_view> splitLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

class HiveTextReader {
public:
    HiveTextReader(std::string_view text, std::string_view rootName)
        : lines_(splitLines(text)), rootName_(rootName), root_(std::make_unique<Key>(std::string(rootName)))
    {}

    HiveParseResult read()
    {
        if (readAll()) return HiveParseResult{std::move(root_), std::nullopt};
        return HiveParseResult{nullptr, error_};
    }

private:
    bool readAll()
    {
        if (!readHeader()) return false;
        for (; index_ < lines_.size(); ++index_) {
            const std::string_view line = trimBlanks(lines_[index_]);
            if (line.empty() || line.front() == ';') continue;
            const bool ok = line.front() == '[' ? readSection(line) : readValue(line);
            if (!ok) return false;
        }
        return true;
    }

    bool fail(std::string message)
    {
        error_ = HiveParseError{static_cast<int>(index_ + 1), std::move(message)};
        return false;
    }

    bool readHeader()
    {
        for (; index_ < lines_.size(); ++index_) {
            const std::string_view line = trimBlanks(lines_[index_]);
            if (line.empty()) continue;
            if (line != kHeader5 && line != kHeader4) {
                return fail("the first line must be \"Windows Registry Editor Version 5.00\"");
            }
            ++index_;
            return true;
        }
        return true;  // an empty file is an empty hive
    }

    bool readSection(std::string_view line)
    {
        if (line.back() != ']') return fail("a key line must end with \"]\"");
        std::string_view path = line.substr(1, line.size() - 2);
        const bool deletion = !path.empty() && path.front() == '-';
        if (deletion) path.remove_prefix(1);
        KeyPath names;
        size_t start = 0;
        while (true) {
            const size_t end = path.find('\\', start);
            names.emplace_back(path.substr(start, end == std::string_view::npos ? end : end - start));
            if (names.back().empty()) return fail(std::string("empty key name in [").append(path).append("]"));
            if (end == std::string_view::npos) break;
            start = end + 1;
        }
        if (!equalsIgnoreCase(names.front(), rootName_)) {
            return fail(std::string("the key [").append(path).append("] does not belong to ").append(rootName_));
        }
        names.erase(names.begin());
        return deletion ? deleteKey(names) : openSection(names);
    }

    bool openSection(const KeyPath& names)
    {
        Key* key = root_.get();
        for (const std::string& name : names) key = &key->findOrAddSubkey(name);
        current_ = key;
        return true;
    }

    bool deleteKey(const KeyPath& names)
    {
        if (names.empty()) return fail("the root key cannot be deleted");
        KeyPath parentPath(names.begin(), names.end() - 1);
        if (Key* parent = findKey(*root_, parentPath)) parent->removeSubkey(names.back());
        current_ = nullptr;  // values may not follow a deleted key
        return true;
    }

    // A quoted text with \\ and \" escapes starting at text[0]; consumed receives its length.
    std::optional<std::string> readQuoted(std::string_view text, size_t* consumed)
    {
        std::string result;
        for (size_t i = 1; i < text.size(); ++i) {
            const char c = text[i];
            if (c == '"') {
                *consumed = i + 1;
                return result;
            }
            if (c == '\\') {
                if (i + 1 >= text.size() || (text[i + 1] != '\\' && text[i + 1] != '"')) {
                    fail("a backslash in a quoted text must be followed by \\ or \"");
                    return std::nullopt;
                }
                ++i;
            }
            result.push_back(text[i]);
        }
        fail("a quoted text is not closed");
        return std::nullopt;
    }

    bool readValue(std::string_view line)
    {
        if (current_ == nullptr) return fail("a value line must follow a key line");
        std::string name;
        size_t position = 0;
        if (line.front() == '@') {
            position = 1;
        } else if (line.front() == '"') {
            std::optional<std::string> quoted = readQuoted(line, &position);
            if (!quoted) return false;
            name = std::move(*quoted);
        } else {
            return fail("expected a key line, a value line or a comment");
        }
        std::string_view rest = trimBlanks(line.substr(position));
        if (rest.empty() || rest.front() != '=') return fail("expected \"=\" after the value name");
        return readData(name, trimBlanks(rest.substr(1)));
    }

    bool readData(const std::string& name, std::string_view data)
    {
        if (data == "-") {
            current_->removeValue(name);
            return true;
        }
        if (!data.empty() && data.front() == '"') return readStringData(name, data);
        if (startsWithIgnoreCase(data, "dword:")) return readDwordData(name, data.substr(6));
        if (startsWithIgnoreCase(data, "hex")) return readHexData(name, data.substr(3));
        return fail(std::string("unrecognised value data \"").append(data).append("\""));
    }

    bool readStringData(const std::string& name, std::string_view data)
    {
        size_t consumed = 0;
        std::optional<std::string> text = readQuoted(data, &consumed);
        if (!text) return false;
        if (!trimBlanks(data.substr(consumed)).empty()) return fail("text after the closing quote");
        std::vector<BYTE> bytes(text->begin(), text->end());
        bytes.push_back(0);
        current_->setValue(name, REG_SZ, std::move(bytes));
        return true;
    }

    bool readDwordData(const std::string& name, std::string_view digits)
    {
        const std::optional<unsigned long> number = parseHexNumber(digits, 8);
        if (!number) return fail("a dword needs one to eight hexadecimal digits");
        std::vector<BYTE> bytes(4);
        for (int i = 0; i < 4; ++i) bytes[i] = static_cast<BYTE>((*number >> (8 * i)) & 0xFF);
        current_->setValue(name, REG_DWORD, std::move(bytes));
        return true;
    }

    // "hex:..." or "hex(N):..." with N the type in hexadecimal; a line ending in a backslash
    // continues on the next line.
    bool readHexData(const std::string& name, std::string_view afterHex)
    {
        DWORD type = REG_BINARY;
        if (!afterHex.empty() && afterHex.front() == '(') {
            const size_t close = afterHex.find(')');
            const std::optional<unsigned long> number =
                close == std::string_view::npos ? std::nullopt : parseHexNumber(afterHex.substr(1, close - 1), 8);
            if (!number) return fail("hex(N) needs a hexadecimal type number");
            type = static_cast<DWORD>(*number);
            afterHex.remove_prefix(close + 1);
        }
        if (afterHex.empty() || afterHex.front() != ':') return fail("expected \":\" after hex");
        std::string joined(trimBlanks(afterHex.substr(1)));
        while (!joined.empty() && joined.back() == '\\') {
            joined.pop_back();
            if (index_ + 1 >= lines_.size() || trimBlanks(lines_[index_ + 1]).empty()) {
                return fail("the hex data continues past its last line");
            }
            ++index_;
            joined += trimBlanks(lines_[index_]);
        }
        std::optional<std::vector<BYTE>> bytes = parseHexBytes(joined);
        if (!bytes) return false;
        current_->setValue(name, type, std::move(*bytes));
        return true;
    }

    std::optional<std::vector<BYTE>> parseHexBytes(std::string_view list)
    {
        std::vector<BYTE> bytes;
        size_t start = 0;
        while (start < list.size()) {
            size_t end = list.find(',', start);
            if (end == std::string_view::npos) end = list.size();
            const std::string_view item = trimBlanks(list.substr(start, end - start));
            const bool lastItem = end >= list.size() - 1;
            if (item.empty() && lastItem) break;  // a trailing comma
            const std::optional<unsigned long> number = parseHexNumber(item, 2);
            if (!number) {
                fail(std::string("\"").append(item).append("\" is not a hexadecimal byte"));
                return std::nullopt;
            }
            bytes.push_back(static_cast<BYTE>(*number));
            start = end + 1;
        }
        return bytes;
    }

    std::vector<std::string_view> lines_;
    size_t index_ = 0;
    std::string_view rootName_;
    std::unique_ptr<Key> root_;
    Key* current_ = nullptr;
    std::optional<HiveParseError> error_;
};

}  // namespace

HiveParseResult parseHiveText(std::string_view bytes, std::string_view rootName)
{
    if (startsWithUtf16LeMark(bytes)) {
        int failedLine = 0;
        const std::optional<std::string> text = utf16LeToAnsi(bytes, &failedLine);
        if (!text) {
            return HiveParseResult{nullptr, HiveParseError{failedLine, "a character has no code page 1252 form"}};
        }
        return HiveTextReader(*text, rootName).read();
    }
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
    return HiveTextReader(bytes, rootName).read();
}

}  // namespace win32::registry
