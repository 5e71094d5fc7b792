// Where acutPrintf's text goes. The command line (ed) registers its writer when the library
// loads; until then, and in programs built without it, the text goes to standard output.
#pragma once
#include <string_view>

namespace arx::ut {

// Receives host text (ANSI, code page 1252), formatted.
using ConsoleWriter = void (*)(std::string_view ansiText);

// nullptr puts standard output back.
void setConsoleWriter(ConsoleWriter writer);
void writeToConsole(std::string_view ansiText);

}  // namespace arx::ut
