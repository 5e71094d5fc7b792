// Opening a file with the program associated with it.
#pragma once
#include <string>

namespace kestra {

// Asks the shell to open the file; when it cannot, starts the "open" command line that
// HKEY_CLASSES_ROOT gives for the file's extension. Failures are silent.
void shellOpen(const char* path);

// The registered command line cut at its "%1" placeholder (at the opening quotation mark when
// the placeholder is quoted), followed by one blank and the path as one argument.
std::string fallbackCommandLine(const std::string& registeredCommand, const char* path);

// An argument written so that the program receives it whole and unchanged (the rules by which
// Windows programs split their command line): as it is when it holds no blank and no quotation
// mark, else in quotation marks with each quotation mark escaped and the backslashes before one
// (or before the closing mark) doubled.
std::string quotedArgument(const std::string& argument);

}  // namespace kestra
