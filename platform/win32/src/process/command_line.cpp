#include "command_line.h"

namespace win32 {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

size_t skipBlanks(std::string_view text, size_t position)
{
    while (position < text.size() && isBlank(text[position])) ++position;
    return position;
}

// One argument starting at position; position is left after it.
std::string readArgument(std::string_view text, size_t* position)
{
    std::string argument;
    bool quoted = false;
    size_t i = *position;
    while (i < text.size()) {
        const char c = text[i];
        if (isBlank(c) && !quoted) break;
        if (c == '\\') {
            size_t backslashes = 0;
            while (i < text.size() && text[i] == '\\') {
                ++backslashes;
                ++i;
            }
            if (i < text.size() && text[i] == '"') {
                argument.append(backslashes / 2, '\\');
                if (backslashes % 2 == 1) {
                    argument.push_back('"');
                    ++i;
                }
            } else {
                argument.append(backslashes, '\\');
            }
            continue;
        }
        if (c == '"') {
            if (quoted && i + 1 < text.size() && text[i + 1] == '"') {
                argument.push_back('"');
                i += 2;
                continue;
            }
            quoted = !quoted;
            ++i;
            continue;
        }
        argument.push_back(c);
        ++i;
    }
    *position = i;
    return argument;
}

std::string readProgramName(std::string_view text, size_t* position)
{
    std::string name;
    bool quoted = false;
    size_t i = *position;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '"') {
            quoted = !quoted;
            continue;
        }
        if (isBlank(c) && !quoted) break;
        name.push_back(c);
    }
    *position = i;
    return name;
}

void appendArguments(std::string_view text, size_t position, std::vector<std::string>* out)
{
    while ((position = skipBlanks(text, position)) < text.size()) {
        out->push_back(readArgument(text, &position));
    }
}

}  // namespace

std::vector<std::string> splitCommandLine(std::string_view commandLine)
{
    std::vector<std::string> words;
    size_t position = skipBlanks(commandLine, 0);
    if (position >= commandLine.size()) return words;
    words.push_back(readProgramName(commandLine, &position));
    appendArguments(commandLine, position, &words);
    return words;
}

std::vector<std::string> splitArguments(std::string_view arguments)
{
    std::vector<std::string> words;
    appendArguments(arguments, 0, &words);
    return words;
}

}  // namespace win32
