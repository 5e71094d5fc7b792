// The INI file of the "/F" form:
//
//   [VERSION]
//   Version=R15.0            release key and number (the first five characters are used)
//   [Keys]
//   Key0=Kestra              consecutive entries from Key0; the first missing or empty one
//   Key1=Kestra\User         ends the list; each names the key
//                            SOFTWARE\Zentrel\AutoCAD\<release number>\<name>
//   [Kestra\User]            one section per listed key, copied value by value:
//   splash=1                 a number is written as REG_DWORD,
//   name="Kestra"            a value in double quotes as REG_SZ without the quotes.
//
// Lines starting with ";" are comments. Input that cannot be copied faithfully is logged in
// RegKestra.log with its section and line and skipped, never guessed at: a line without "="
// or without a value name, and a value that is neither quoted nor a decimal number that fits
// 32 bits (from -2147483648 to 4294967295; a negative number is stored as its two's
// complement). In particular a value that does not parse is never written as 0.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "install_log.h"

namespace regkestra {

// "Version" of section "VERSION" (up to 511 characters); empty when missing.
std::string readIniVersion(const std::string& iniPath);

// The key names of section "Keys" from "Key0" on.
std::vector<std::string> readIniKeyList(const std::string& iniPath);

// Copies the section of every listed key into the machine's registry. True when every key and
// value that could be read was written; each failure and each skipped line is logged.
bool copyIniKeys(InstallLog& log, const std::string& iniPath, const std::string& releaseNumber,
                 const std::vector<std::string>& keys);

// A decimal number that fits a REG_DWORD, as described above.
std::optional<unsigned> parseDwordNumber(const std::string& text);

}  // namespace regkestra
