// GetPrivateProfileStringA, GetPrivateProfileIntA, GetPrivateProfileSectionA and
// WritePrivateProfileStringA. Every call looks at the file, so changes made by others are seen
// at once: the reading calls parse it again whenever it is not the file they parsed last (same
// device, inode, size and times), so that reading many entries of a big file parses it once.
// Every write replaces the file atomically.
#include <windows.h>

#include <sys/stat.h>

#include <cerrno>
#include <ctime>
#include <memory>
#include <mutex>
#include <unordered_map>
#include <cstring>
#include <fstream>
#include <sstream>

#include "../ansi_text.h"
#include "../atomic_file.h"
#include "profile_text.h"

using win32::profile::ProfileLine;
using win32::profile::ProfileText;

namespace {

// A file name without a folder is looked up in the current folder, which stands in for the
// Windows folder; NULL names win.ini there.
std::string profilePath(LPCSTR fileName)
{
    return fileName != nullptr && *fileName != '\0' ? std::string(fileName) : "win.ini";
}

// A parsed file with its sections and their entries indexed by upper-cased name (the first of
// equal names, as Windows reads them).
struct ParsedSection {
    size_t start = 0;  // the line that opens it
    size_t end = 0;    // one past its last line
    std::unordered_map<std::string, size_t> entries;
};

struct ParsedProfile {
    ProfileText text;
    std::unordered_map<std::string, ParsedSection> sections;
};

void indexSections(ParsedProfile& parsed)
{
    ParsedSection* current = nullptr;
    const std::vector<ProfileLine>& lines = parsed.text.lines;
    for (size_t i = 0; i < lines.size(); ++i) {
        const ProfileLine& line = lines[i];
        if (line.kind == ProfileLine::Kind::Section) {
            if (current != nullptr) current->end = i;
            const auto [entry, added] =
                parsed.sections.try_emplace(win32::toUpperAnsi(line.name), ParsedSection{i, i + 1, {}});
            current = added ? &entry->second : nullptr;
        } else if (line.kind == ProfileLine::Kind::Entry && current != nullptr) {
            current->entries.try_emplace(win32::toUpperAnsi(line.name), i);
        }
    }
    if (current != nullptr) current->end = lines.size();
}

std::optional<ProfileText> readProfile(LPCSTR fileName);

// The file parsed, from the last call when it is unchanged since; null when it cannot be read.
std::optional<std::string> readProfileBytes(LPCSTR fileName);

// A file changed twice within one tick of the file system's clock keeps its times (and maybe
// its size): its stamp is trusted only once it is older than this when it was parsed, else its
// bytes are compared with those parsed.
constexpr time_t kRacySeconds = 2;

std::shared_ptr<const ParsedProfile> readParsedProfile(LPCSTR fileName)
{
    struct Cache {
        std::mutex mutex;
        std::string path;
        struct stat stamp {};
        time_t parsedAt = 0;
        std::string bytes;
        std::shared_ptr<const ParsedProfile> parsed;
    };
    static Cache& cache = *new Cache;  // never destroyed: calls made at exit still find it
    const std::string path = profilePath(fileName);
    struct stat info {};
    const bool exists = stat(path.c_str(), &info) == 0;
    std::lock_guard lock(cache.mutex);
    const auto same = [&](const struct stat& a) {
        return a.st_dev == info.st_dev && a.st_ino == info.st_ino && a.st_size == info.st_size &&
               a.st_mtim.tv_sec == info.st_mtim.tv_sec && a.st_mtim.tv_nsec == info.st_mtim.tv_nsec &&
               a.st_ctim.tv_sec == info.st_ctim.tv_sec && a.st_ctim.tv_nsec == info.st_ctim.tv_nsec;
    };
    const bool known = exists && cache.parsed && cache.path == path;
    if (known && same(cache.stamp) && cache.stamp.st_ctim.tv_sec + kRacySeconds <= cache.parsedAt &&
        cache.stamp.st_mtim.tv_sec + kRacySeconds <= cache.parsedAt) {
        return cache.parsed;
    }
    std::optional<std::string> bytes = readProfileBytes(fileName);
    if (!bytes) return nullptr;
    cache.stamp = info;
    cache.parsedAt = time(nullptr);
    if (known && *bytes == cache.bytes) return cache.parsed;
    auto parsed = std::make_shared<ParsedProfile>();
    parsed->text = win32::profile::parseProfile(*bytes);
    indexSections(*parsed);
    cache.path = path;
    cache.bytes = std::move(*bytes);
    cache.parsed = parsed;
    return parsed;
}

const ParsedSection* findParsedSection(const ParsedProfile& profile, LPCSTR section)
{
    const auto found = profile.sections.find(win32::toUpperAnsi(section));
    return found == profile.sections.end() ? nullptr : &found->second;
}

std::optional<std::string> readProfileBytes(LPCSTR fileName)
{
    std::ifstream file(profilePath(fileName), std::ios::binary);
    if (!file) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return std::nullopt;
    }
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

std::optional<ProfileText> readProfile(LPCSTR fileName)
{
    std::optional<std::string> bytes = readProfileBytes(fileName);
    if (!bytes) return std::nullopt;
    return win32::profile::parseProfile(*bytes);
}

// A list of strings, each ending in NUL, the whole ending in a second NUL. A list that does
// not fit is cut so that the buffer still ends in two NULs, and size - 2 is returned.
DWORD copyList(const std::vector<std::string>& items, LPSTR buffer, DWORD size)
{
    if (buffer == nullptr || size == 0) return 0;
    std::string joined;
    for (const std::string& item : items) joined += item + '\0';
    if (joined.size() + 1 <= size) {
        std::memcpy(buffer, joined.data(), joined.size());
        buffer[joined.size()] = '\0';
        if (joined.empty() && size >= 2) buffer[1] = '\0';
        return static_cast<DWORD>(joined.size());
    }
    if (size < 2) {
        buffer[0] = '\0';
        return 0;
    }
    std::memcpy(buffer, joined.data(), size - 2);
    buffer[size - 2] = '\0';
    buffer[size - 1] = '\0';
    return size - 2;
}

std::vector<std::string> sectionNames(const ProfileText& profile)
{
    std::vector<std::string> names;
    for (const ProfileLine& line : profile.lines) {
        if (line.kind != ProfileLine::Kind::Section) continue;
        bool seen = false;
        for (const std::string& name : names) seen = seen || win32::equalsIgnoreCase(name, line.name);
        if (!seen) names.push_back(line.name);
    }
    return names;
}

// The lines of a section: entries as "key=value" or only "key" (keysOnly), and the bare lines
// when whole lines are asked for.
std::vector<std::string> sectionLines(const ParsedProfile& parsed, LPCSTR section, bool keysOnly)
{
    std::vector<std::string> lines;
    const ParsedSection* found = findParsedSection(parsed, section);
    if (found == nullptr) return lines;
    for (size_t i = found->start + 1; i < found->end; ++i) {
        const ProfileLine& line = parsed.text.lines[i];
        if (line.kind == ProfileLine::Kind::Entry) {
            lines.push_back(keysOnly ? line.name : line.name + "=" + line.value);
        } else if (line.kind == ProfileLine::Kind::Bare && !keysOnly) {
            lines.push_back(line.name);
        }
    }
    return lines;
}

std::optional<std::string> lookUp(const ParsedProfile& parsed, LPCSTR section, LPCSTR key)
{
    const ParsedSection* found = findParsedSection(parsed, section);
    if (found == nullptr) return std::nullopt;
    const auto entry = found->entries.find(win32::toUpperAnsi(key));
    if (entry == found->entries.end()) return std::nullopt;
    return parsed.text.lines[entry->second].value;
}

// One pair of enclosing quotes, double or single, is dropped.
std::string withoutEnclosingQuotes(const std::string& value)
{
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

// Leading blanks, a sign, then decimal digits or "0x" and hexadecimal digits, up to the first
// other character.
LONG parseProfileInteger(std::string_view text)
{
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    unsigned base = 10;
    if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    uint32_t number = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        unsigned digit = 0;
        if (c >= '0' && c <= '9') digit = static_cast<unsigned>(c - '0');
        else if (base == 16 && c >= 'a' && c <= 'f') digit = static_cast<unsigned>(c - 'a' + 10);
        else if (base == 16 && c >= 'A' && c <= 'F') digit = static_cast<unsigned>(c - 'A' + 10);
        else break;
        number = number * base + digit;
    }
    return static_cast<LONG>(negative ? 0u - number : number);
}

bool writeProfile(LPCSTR fileName, const ProfileText& profile)
{
    const int error = win32::replaceFileAtomically(profilePath(fileName), win32::profile::formatProfile(profile));
    if (error == 0) return true;
    SetLastError(error == EACCES || error == EPERM || error == EROFS ? ERROR_ACCESS_DENIED : ERROR_PATH_NOT_FOUND);
    return false;
}

void setEntry(ProfileText& profile, LPCSTR section, LPCSTR key, LPCSTR value)
{
    using win32::profile::makeEntryLine;
    std::optional<size_t> start = win32::profile::findSection(profile, section);
    if (!start) {
        if (!profile.lines.empty() && !win32::trimBlanks(profile.lines.back().text).empty()) {
            profile.lines.push_back(ProfileLine{});
        }
        profile.lines.push_back(win32::profile::makeSectionLine(section));
        profile.lines.push_back(makeEntryLine(key, value));
        return;
    }
    if (const std::optional<size_t> entry = win32::profile::findEntry(profile, *start, key)) {
        profile.lines[*entry] = makeEntryLine(profile.lines[*entry].name, value);
        return;
    }
    // After the section's last non-blank line, so blank lines between sections stay put.
    size_t insertAt = win32::profile::sectionEnd(profile, *start);
    while (insertAt > *start + 1 && profile.lines[insertAt - 1].kind == ProfileLine::Kind::Blank) {
        --insertAt;
    }
    profile.lines.insert(profile.lines.begin() + static_cast<long>(insertAt), makeEntryLine(key, value));
}

bool removeEntry(ProfileText& profile, LPCSTR section, LPCSTR key)
{
    const std::optional<size_t> start = win32::profile::findSection(profile, section);
    if (!start) return false;
    const std::optional<size_t> entry = win32::profile::findEntry(profile, *start, key);
    if (!entry) return false;
    profile.lines.erase(profile.lines.begin() + static_cast<long>(*entry));
    return true;
}

bool removeSection(ProfileText& profile, LPCSTR section)
{
    const std::optional<size_t> start = win32::profile::findSection(profile, section);
    if (!start) return false;
    const size_t end = win32::profile::sectionEnd(profile, *start);
    profile.lines.erase(profile.lines.begin() + static_cast<long>(*start),
                        profile.lines.begin() + static_cast<long>(end));
    return true;
}

}  // namespace

extern "C" DWORD GetPrivateProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpDefault, LPSTR lpReturnedString,
                                          DWORD nSize, LPCSTR lpFileName)
{
    if (lpReturnedString == nullptr || nSize == 0) return 0;
    std::shared_ptr<const ParsedProfile> profile = readParsedProfile(lpFileName);
    if (!profile) profile = std::make_shared<ParsedProfile>();
    if (lpAppName == nullptr) return copyList(sectionNames(profile->text), lpReturnedString, nSize);
    if (lpKeyName == nullptr) {
        return copyList(sectionLines(*profile, lpAppName, true), lpReturnedString, nSize);
    }
    const std::optional<std::string> value = lookUp(*profile, lpAppName, lpKeyName);
    // The default loses its trailing blanks, as on Windows.
    std::string text = value ? withoutEnclosingQuotes(*value) : std::string(lpDefault != nullptr ? lpDefault : "");
    if (!value) text.erase(text.find_last_not_of(" \t") + 1);
    return static_cast<DWORD>(win32::copyTruncated(text, lpReturnedString, nSize));
}

extern "C" UINT GetPrivateProfileIntA(LPCSTR lpAppName, LPCSTR lpKeyName, INT nDefault, LPCSTR lpFileName)
{
    if (lpAppName == nullptr || lpKeyName == nullptr) return static_cast<UINT>(nDefault);
    const std::shared_ptr<const ParsedProfile> profile = readParsedProfile(lpFileName);
    if (!profile) return static_cast<UINT>(nDefault);
    const std::optional<std::string> value = lookUp(*profile, lpAppName, lpKeyName);
    if (!value || value->empty()) return static_cast<UINT>(nDefault);
    return static_cast<UINT>(parseProfileInteger(withoutEnclosingQuotes(*value)));
}

extern "C" DWORD GetPrivateProfileSectionA(LPCSTR lpAppName, LPSTR lpReturnedString, DWORD nSize, LPCSTR lpFileName)
{
    if (lpAppName == nullptr) return 0;
    std::shared_ptr<const ParsedProfile> profile = readParsedProfile(lpFileName);
    if (!profile) profile = std::make_shared<ParsedProfile>();
    return copyList(sectionLines(*profile, lpAppName, false), lpReturnedString, nSize);
}

// A NULL key removes the section, a NULL string removes the key; otherwise the key is set in
// place, or added at the end of its section, or in a new section at the end of the file.
extern "C" BOOL WritePrivateProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpString, LPCSTR lpFileName)
{
    if (lpAppName == nullptr) {
        // All three NULL asks Windows to flush its cache; nothing is cached here.
        if (lpKeyName == nullptr && lpString == nullptr) return TRUE;
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    ProfileText profile = readProfile(lpFileName).value_or(ProfileText{});
    if (lpKeyName == nullptr) {
        if (!removeSection(profile, lpAppName)) return TRUE;
    } else if (lpString == nullptr) {
        if (!removeEntry(profile, lpAppName, lpKeyName)) return TRUE;
    } else {
        setEntry(profile, lpAppName, lpKeyName, lpString);
    }
    return writeProfile(lpFileName, profile) ? TRUE : FALSE;
}
