// The text of a private profile (INI) file, kept line by line so that a write changes only the
// line it must and leaves comments, order and line ends as they were.
//
// Rules, as Windows reads these files: "[name]" starts a section; "key = value" is an entry
// (key and value trimmed of blanks); a line starting with ";" is a comment; sections and keys
// are compared without regard to case and the first of equal names wins; lines before the
// first section belong to none. A line of a section without "=" is kept (GetPrivateProfileSection
// returns it) but names no key.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace win32::profile {

struct ProfileLine {
    enum class Kind { Blank, Comment, Section, Entry, Bare };
    Kind kind = Kind::Blank;
    std::string text;   // the line as written, without its line end
    std::string name;   // section name, entry key, or the trimmed bare line
    std::string value;  // entry value
};

struct ProfileText {
    std::vector<ProfileLine> lines;
    std::string lineEnd = "\n";  // CRLF when the file uses it
};

ProfileText parseProfile(std::string_view text);
std::string formatProfile(const ProfileText& profile);

// Index of the line that opens the section, if any.
std::optional<size_t> findSection(const ProfileText& profile, std::string_view section);
// Index one past the last line of the section opened at sectionLine.
size_t sectionEnd(const ProfileText& profile, size_t sectionLine);
// Index of the entry of key in the section opened at sectionLine, if any.
std::optional<size_t> findEntry(const ProfileText& profile, size_t sectionLine, std::string_view key);

ProfileLine makeSectionLine(std::string_view section);
ProfileLine makeEntryLine(std::string_view key, std::string_view value);

}  // namespace win32::profile
