// Text helpers shared by the registry, profile files and module lookup. Text is ANSI
// (code page 1252); names are compared the way Windows compares them, by upper case.
#pragma once

#include <string>
#include <string_view>

namespace win32 {

// Upper case of one code page 1252 character (ASCII and the accented Latin letters).
char upperAnsi(char c);
bool equalsIgnoreCase(std::string_view a, std::string_view b);
std::string toUpperAnsi(std::string_view text);

// Without leading and trailing spaces, tabs and carriage returns.
std::string_view trimBlanks(std::string_view text);

// Copies text into a caller's buffer of `size` characters, NUL-terminated, truncating when it
// does not fit. Returns the number of characters copied without the NUL.
size_t copyTruncated(std::string_view text, char* buffer, size_t size);

}  // namespace win32
