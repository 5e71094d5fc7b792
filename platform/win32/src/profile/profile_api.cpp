// GetPrivateProfileStringA, GetPrivateProfileIntA, GetPrivateProfileSectionA and
// WritePrivateProfileStringA. The file is read at every call, so changes made by others are
// seen at once, and every write replaces the file atomically.
#include <windows.h>

#include <cerrno>
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
std::string profilePath(LPCSTR fileName) {
  return fileName != nullptr && *fileName != '\0' ? std::string(fileName) : "win.ini";
}

std::optional<ProfileText> readProfile(LPCSTR fileName) {
  std::ifstream file(profilePath(fileName), std::ios::binary);
  if (!file) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return std::nullopt;
  }
  std::ostringstream text;
  text << file.rdbuf();
  return win32::profile::parseProfile(text.str());
}

// A list of strings, each ending in NUL, the whole ending in a second NUL. A list that does
// not fit is cut so that the buffer still ends in two NULs, and size - 2 is returned.
DWORD copyList(const std::vector<std::string>& items, LPSTR buffer, DWORD size) {
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

std::vector<std::string> sectionNames(const ProfileText& profile) {
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
std::vector<std::string> sectionLines(const ProfileText& profile, LPCSTR section, bool keysOnly) {
  std::vector<std::string> lines;
  const std::optional<size_t> start = win32::profile::findSection(profile, section);
  if (!start) return lines;
  const size_t end = win32::profile::sectionEnd(profile, *start);
  for (size_t i = *start + 1; i < end; ++i) {
    const ProfileLine& line = profile.lines[i];
    if (line.kind == ProfileLine::Kind::Entry) {
      lines.push_back(keysOnly ? line.name : line.name + "=" + line.value);
    } else if (line.kind == ProfileLine::Kind::Bare && !keysOnly) {
      lines.push_back(line.name);
    }
  }
  return lines;
}

std::optional<std::string> lookUp(const ProfileText& profile, LPCSTR section, LPCSTR key) {
  const std::optional<size_t> start = win32::profile::findSection(profile, section);
  if (!start) return std::nullopt;
  const std::optional<size_t> entry = win32::profile::findEntry(profile, *start, key);
  if (!entry) return std::nullopt;
  return profile.lines[*entry].value;
}

// One pair of enclosing quotes, double or single, is dropped.
std::string withoutEnclosingQuotes(const std::string& value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

// Leading blanks, a sign, then decimal digits or "0x" and hexadecimal digits, up to the first
// other character.
LONG parseProfileInteger(std::string_view text) {
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
    if (c >= '0' && c <= '9')
      digit = static_cast<unsigned>(c - '0');
    else if (base == 16 && c >= 'a' && c <= 'f')
      digit = static_cast<unsigned>(c - 'a' + 10);
    else if (base == 16 && c >= 'A' && c <= 'F')
      digit = static_cast<unsigned>(c - 'A' + 10);
    else
      break;
    number = number * base + digit;
  }
  return static_cast<LONG>(negative ? 0u - number : number);
}

bool writeProfile(LPCSTR fileName, const ProfileText& profile) {
  const int error =
      win32::replaceFileAtomically(profilePath(fileName), win32::profile::formatProfile(profile));
  if (error == 0) return true;
  SetLastError(error == EACCES || error == EPERM || error == EROFS ? ERROR_ACCESS_DENIED
                                                                   : ERROR_PATH_NOT_FOUND);
  return false;
}

void setEntry(ProfileText& profile, LPCSTR section, LPCSTR key, LPCSTR value) {
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
  profile.lines.insert(profile.lines.begin() + static_cast<long>(insertAt),
                       makeEntryLine(key, value));
}

bool removeEntry(ProfileText& profile, LPCSTR section, LPCSTR key) {
  const std::optional<size_t> start = win32::profile::findSection(profile, section);
  if (!start) return false;
  const std::optional<size_t> entry = win32::profile::findEntry(profile, *start, key);
  if (!entry) return false;
  profile.lines.erase(profile.lines.begin() + static_cast<long>(*entry));
  return true;
}

bool removeSection(ProfileText& profile, LPCSTR section) {
  const std::optional<size_t> start = win32::profile::findSection(profile, section);
  if (!start) return false;
  const size_t end = win32::profile::sectionEnd(profile, *start);
  profile.lines.erase(profile.lines.begin() + static_cast<long>(*start),
                      profile.lines.begin() + static_cast<long>(end));
  return true;
}

}  // namespace

extern "C" DWORD GetPrivateProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpDefault,
                                          LPSTR lpReturnedString, DWORD nSize, LPCSTR lpFileName) {
  if (lpReturnedString == nullptr || nSize == 0) return 0;
  const ProfileText profile = readProfile(lpFileName).value_or(ProfileText{});
  if (lpAppName == nullptr) return copyList(sectionNames(profile), lpReturnedString, nSize);
  if (lpKeyName == nullptr) {
    return copyList(sectionLines(profile, lpAppName, true), lpReturnedString, nSize);
  }
  const std::optional<std::string> value = lookUp(profile, lpAppName, lpKeyName);
  // The default loses its trailing blanks, as on Windows.
  std::string text =
      value ? withoutEnclosingQuotes(*value) : std::string(lpDefault != nullptr ? lpDefault : "");
  if (!value) text.erase(text.find_last_not_of(" \t") + 1);
  return static_cast<DWORD>(win32::copyTruncated(text, lpReturnedString, nSize));
}

extern "C" UINT GetPrivateProfileIntA(LPCSTR lpAppName, LPCSTR lpKeyName, INT nDefault,
                                      LPCSTR lpFileName) {
  if (lpAppName == nullptr || lpKeyName == nullptr) return static_cast<UINT>(nDefault);
  const std::optional<ProfileText> profile = readProfile(lpFileName);
  if (!profile) return static_cast<UINT>(nDefault);
  const std::optional<std::string> value = lookUp(*profile, lpAppName, lpKeyName);
  if (!value || value->empty()) return static_cast<UINT>(nDefault);
  return static_cast<UINT>(parseProfileInteger(withoutEnclosingQuotes(*value)));
}

extern "C" DWORD GetPrivateProfileSectionA(LPCSTR lpAppName, LPSTR lpReturnedString, DWORD nSize,
                                           LPCSTR lpFileName) {
  if (lpAppName == nullptr) return 0;
  const ProfileText profile = readProfile(lpFileName).value_or(ProfileText{});
  return copyList(sectionLines(profile, lpAppName, false), lpReturnedString, nSize);
}

// A NULL key removes the section, a NULL string removes the key; otherwise the key is set in
// place, or added at the end of its section, or in a new section at the end of the file.
extern "C" BOOL WritePrivateProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpString,
                                           LPCSTR lpFileName) {
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
