// Whole-file replacement that never leaves a half-written file behind.
#pragma once

#include <string>
#include <string_view>

namespace win32 {

// Writes contents to a new file in the folder of path, flushes it to disk and renames it over
// path, so readers see either the old or the new file. The new file keeps the permission bits
// of the file it replaces (or gets the default ones). Returns 0 or the errno of the failure;
// on failure path is untouched and no temporary file is left.
int replaceFileAtomically(const std::string& path, std::string_view contents);

// Creates a folder and its missing parents. Returns 0 or an errno value.
int createFolders(const std::string& folder);

}  // namespace win32
