#include "ini_copy.h"

#include <windows.h>

#include <cstdint>

#include "registry_writer.h"

namespace regkestra {
namespace {

constexpr DWORD kVersionBufferSize = 512;

std::string readIniString(const std::string& iniPath, const char* section, const std::string& key)
{
    char text[kVersionBufferSize];
    GetPrivateProfileStringA(section, key.c_str(), "", text, sizeof text, iniPath.c_str());
    return text;
}

// The lines of a section as "name=value" texts; the buffer doubles until the section fits.
std::vector<std::string> readSectionLines(const std::string& iniPath, const std::string& section)
{
    std::vector<char> buffer(4096);
    DWORD length = 0;
    while (true) {
        length = GetPrivateProfileSectionA(section.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()),
                                           iniPath.c_str());
        if (length + 2 < buffer.size()) break;
        buffer.resize(buffer.size() * 2);
    }
    std::vector<std::string> lines;
    for (size_t start = 0; start < length;) {
        const std::string line(buffer.data() + start);
        lines.push_back(line);
        start += line.size() + 1;
    }
    return lines;
}

bool isQuoted(const std::string& value) { return value.size() >= 2 && value.front() == '"' && value.back() == '"'; }

std::string trimmed(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// Copies one "name=value" line; false only when a registry write failed.
bool copyLine(InstallLog& log, const std::string& section, const std::string& keyPath, const std::string& line)
{
    const size_t equals = line.find('=');
    const std::string name = equals == std::string::npos ? std::string() : trimmed(line.substr(0, equals));
    if (name.empty()) {
        log.message("Error -- Line skipped in section [" + section + "] of the (INI) file: " + line + "\n");
        return true;
    }
    const std::string value = trimmed(line.substr(equals + 1));
    if (isQuoted(value)) {
        const std::string text = value.substr(1, value.size() - 2);
        if (!writeMachineString(keyPath, name, text)) {
            log.message("Error -- Cannot write the registry value " + name + " of " + keyPath + ".\n");
            return false;
        }
        log.traceString(keyPath, name, text);
        return true;
    }
    const std::optional<unsigned> number = parseDwordNumber(value);
    if (!number) {
        log.message("Error -- Not a number, value skipped in section [" + section + "] of the (INI) file: " + name +
                    "=" + value + "\n");
        return true;
    }
    if (!writeMachineDword(keyPath, name, *number)) {
        log.message("Error -- Cannot write the registry value " + name + " of " + keyPath + ".\n");
        return false;
    }
    log.traceDword(keyPath, name, *number);
    return true;
}

}  // namespace

std::string readIniVersion(const std::string& iniPath) { return readIniString(iniPath, "VERSION", "Version"); }

std::vector<std::string> readIniKeyList(const std::string& iniPath)
{
    std::vector<std::string> keys;
    while (true) {
        std::string key = readIniString(iniPath, "Keys", std::string("Key").append(std::to_string(keys.size())));
        if (key.empty()) return keys;
        keys.push_back(std::move(key));
    }
}

bool copyIniKeys(InstallLog& log, const std::string& iniPath, const std::string& releaseNumber,
                 const std::vector<std::string>& keys)
{
    bool succeeded = true;
    for (const std::string& key : keys) {
        const std::string keyPath = "SOFTWARE\\Zentrel\\AutoCAD\\" + releaseNumber + "\\" + key;
        // The key is created even when its section holds no value (or is missing): it is listed.
        if (!createMachineKey(keyPath)) {
            log.message("Error -- Cannot create the registry key " + keyPath + ".\n");
            succeeded = false;
            continue;
        }
        for (const std::string& line : readSectionLines(iniPath, key)) {
            succeeded = copyLine(log, key, keyPath, line) && succeeded;
        }
    }
    return succeeded;
}

std::optional<unsigned> parseDwordNumber(const std::string& text)
{
    size_t position = 0;
    const bool negative = !text.empty() && text.front() == '-';
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) position = 1;
    if (position >= text.size()) return std::nullopt;
    uint64_t magnitude = 0;
    for (; position < text.size(); ++position) {
        const char c = text[position];
        if (c < '0' || c > '9') return std::nullopt;
        magnitude = magnitude * 10 + static_cast<uint64_t>(c - '0');
        if (magnitude > 0xFFFFFFFFull) return std::nullopt;
    }
    if (negative) {
        if (magnitude > 0x80000000ull) return std::nullopt;
        return static_cast<unsigned>((0x100000000ull - magnitude) & 0xFFFFFFFFull);
    }
    return static_cast<unsigned>(magnitude);
}

}  // namespace regkestra
