// Where RegKestra looks for its own folder and for the INI file.
#pragma once

#include <optional>
#include <string>

namespace regkestra {

// The folder of the program file with its trailing separator: from the program's module file
// name, else the folder part of the first command-line word, else "" (the current folder).
std::string programFolder(const char* firstCommandWord);

// The INI file to read. The name must have a file name and an extension. With a drive and a
// folder part it is used as given; otherwise its file name is looked up in the program's
// folder. On Linux a path starting at the root counts as having both a drive and a folder.
// Any other form counts as not found.
std::optional<std::string> iniPathFor(const std::string& name, const std::string& programFolder);

// True when the file exists as a file and can be opened for reading.
bool isReadableFile(const std::string& path);

}  // namespace regkestra
