// A scratch folder for one fuzzing process, removed when it ends.
#pragma once

#include <string>
#include <string_view>

namespace kestra_fuzz {

// The folder, made on first use under the temporary folder.
const std::string& scratchFolder();
void writeWholeFile(const std::string& path, std::string_view contents);
std::string readWholeFile(const std::string& path);

}  // namespace kestra_fuzz
