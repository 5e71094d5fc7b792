// Hive files exported by the Windows registry editor are UTF-16LE; the platform's text is
// code page 1252.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace win32::registry {

bool startsWithUtf16LeMark(std::string_view bytes);

// Converts UTF-16LE bytes after the byte-order mark to code page 1252. Fails (returning the
// 1-based line of the first character that has no code page 1252 form) on such a character
// or on a truncated code unit.
std::optional<std::string> utf16LeToAnsi(std::string_view bytes, int* failedLine);

}  // namespace win32::registry
