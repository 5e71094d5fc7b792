// The host's file dialog, for the commands that ask the user where a file of theirs is.
#pragma once
#include <cstddef>
#include <optional>
#include <string>

namespace kestra {

// What the host's file calls (acedFindFile) need of a caller's buffer.
constexpr size_t kFilePathSize = 260;

constexpr const char* kUnableToAllocateBuffer = "Unable to allocate buffer\n";

// The file the user chose (an existing one; the dialog's "type it" button off), or nothing
// when they cancelled. When no result buffer can be had, says so through acdbFail.
std::optional<std::string> askForFile(const char* title, const char* defaultPath, const char* extensions);

}  // namespace kestra
