// Starting a program without a shell and without waiting for it.
#pragma once

#include <string>
#include <vector>

namespace win32 {

// Starts argv[0] (searched in PATH when it holds no "/") with argv, in folder when it is not
// empty. The child is reaped in the background when it ends, so none is left as a zombie.
// Returns 0 or the errno of the failure (ENOENT when the program does not exist).
int startProgram(const std::vector<std::string>& argv, const std::string& folder);

// The path of an executable file named by a command word: the word itself when it holds a
// "/", else the first match in PATH; empty when there is none.
std::string findExecutable(const std::string& word);

bool isExecutableFile(const std::string& path);

}  // namespace win32
