// The host's local name of a command given by its global name.
#pragma once
#include <string>

namespace kestra {

// acedGetCName: "_UNDO" gives the command's name in the host's language; the global name
// without its underscore when the host does not know it.
std::string localCommandName(const char* globalName);

}  // namespace kestra
