// Opening a file with the program associated with it.
#pragma once
#include <string>

namespace kestra {

// Asks the shell to open the file; when it cannot, starts the "open" command line that
// HKEY_CLASSES_ROOT gives for the file's extension. Failures are silent.
void shellOpen(const char* path);

// The registered command line cut at its "%1" placeholder (at the opening quotation mark when
// the placeholder is quoted), followed by one blank and the path.
std::string fallbackCommandLine(const std::string& registeredCommand, const char* path);

}  // namespace kestra
