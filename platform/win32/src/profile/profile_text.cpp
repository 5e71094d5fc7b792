#include "profile_text.h"

#include "../ansi_text.h"

namespace win32::profile {
namespace {

ProfileLine parseLine(std::string_view raw)
{
    ProfileLine line;
    line.text = std::string(raw);
    const std::string_view text = trimBlanks(raw);
    if (text.empty()) return line;
    if (text.front() == ';') {
        line.kind = ProfileLine::Kind::Comment;
    } else if (text.front() == '[') {
        const size_t close = text.find(']');
        line.kind = ProfileLine::Kind::Section;
        line.name = std::string(trimBlanks(text.substr(1, close == text.npos ? text.npos : close - 1)));
    } else if (const size_t equals = text.find('='); equals != text.npos) {
        line.kind = ProfileLine::Kind::Entry;
        line.name = std::string(trimBlanks(text.substr(0, equals)));
        line.value = std::string(trimBlanks(text.substr(equals + 1)));
    } else {
        line.kind = ProfileLine::Kind::Bare;
        line.name = std::string(text);
    }
    return line;
}

}  // namespace

ProfileText parseProfile(std::string_view text)
{
    ProfileText profile;
    if (text.find("\r\n") != text.npos) profile.lineEnd = "\r\n";
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == text.npos) end = text.size();
        std::string_view raw = text.substr(start, end - start);
        if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
        profile.lines.push_back(parseLine(raw));
        start = end + 1;
    }
    return profile;
}

std::string formatProfile(const ProfileText& profile)
{
    std::string text;
    for (const ProfileLine& line : profile.lines) text += line.text + profile.lineEnd;
    return text;
}

std::optional<size_t> findSection(const ProfileText& profile, std::string_view section)
{
    for (size_t i = 0; i < profile.lines.size(); ++i) {
        const ProfileLine& line = profile.lines[i];
        if (line.kind == ProfileLine::Kind::Section && equalsIgnoreCase(line.name, section)) return i;
    }
    return std::nullopt;
}

size_t sectionEnd(const ProfileText& profile, size_t sectionLine)
{
    size_t i = sectionLine + 1;
    while (i < profile.lines.size() && profile.lines[i].kind != ProfileLine::Kind::Section) ++i;
    return i;
}

std::optional<size_t> findEntry(const ProfileText& profile, size_t sectionLine, std::string_view key)
{
    const size_t end = sectionEnd(profile, sectionLine);
    for (size_t i = sectionLine + 1; i < end; ++i) {
        const ProfileLine& line = profile.lines[i];
        if (line.kind == ProfileLine::Kind::Entry && equalsIgnoreCase(line.name, key)) return i;
    }
    return std::nullopt;
}

ProfileLine makeSectionLine(std::string_view section)
{
    std::string text(1, '[');
    text.append(section);
    text.push_back(']');
    return parseLine(text);
}

ProfileLine makeEntryLine(std::string_view key, std::string_view value)
{
    std::string text(key);
    text.push_back('=');
    text.append(value);
    return parseLine(text);
}

}  // namespace win32::profile
