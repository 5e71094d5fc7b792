// Splitting a command line into arguments the way Windows programs receive them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace win32 {

// The whole command line: the first word is the program name (quoted parts allowed, the quotes
// dropped, backslashes literal), the rest are arguments as splitArguments splits them.
std::vector<std::string> splitCommandLine(std::string_view commandLine);

// Arguments only, by the runtime's rules: blanks (space, tab) separate; "..." groups; 2n
// backslashes before a quote give n backslashes and the quote delimits; 2n+1 give n and a
// literal quote; other backslashes are literal; "" inside quotes is a literal quote; an
// unclosed quote runs to the end.
std::vector<std::string> splitArguments(std::string_view arguments);

}  // namespace win32
