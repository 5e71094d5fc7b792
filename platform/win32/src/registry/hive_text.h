// Hive files in Windows' registry export format:
//
//   Windows Registry Editor Version 5.00
//
//   [HKEY_LOCAL_MACHINE\Software\Zentrel]
//   @="default value"
//   "Name"="text with \\ and \" escaped"
//   "Count"=dword:0000000f
//   "Bytes"=hex:01,02,03
//   "Other"=hex(7):61,00,00,00,<backslash>
//     00,00                        (a line ending in a backslash continues on the next one)
//
// Read with LF or CRLF line ends (and from UTF-16LE files as the Windows registry editor
// writes them); written with LF line ends, one section per key in pre-order, sub-keys and values
// in stored order. A value whose bytes the text forms cannot carry exactly (a REG_SZ without
// its NUL, a REG_DWORD of another size than 4) is written as hex(N) so it reads back unchanged.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "hive_tree.h"

namespace win32::registry {

struct HiveParseError {
    int line = 0;
    std::string message;
};

struct HiveParseResult {
    std::unique_ptr<Key> root;  // set when error is empty
    std::optional<HiveParseError> error;
};

// Reads the text of the hive of rootName ("HKEY_LOCAL_MACHINE"). Every section must lie under
// that root. An empty text is an empty hive.
HiveParseResult parseHiveText(std::string_view bytes, std::string_view rootName);

std::string formatHiveText(const Key& root, std::string_view rootName);

}  // namespace win32::registry
