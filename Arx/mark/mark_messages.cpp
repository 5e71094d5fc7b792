#include "mark/mark_messages.h"

#include "acutads.h"

namespace kestra {

void printMarkMessage(const char* message) { acutPrintf("%s\n", message); }

// The same line as the variable's own format "%s NAME.\n" gives.
void printUnreadableVariable(const char* name) { acutPrintf("%s %s.\n", kCannotReadVariable, name); }

void printUnchangeableVariable(const char* name) { acutPrintf("%s %s.\n", kCannotChangeVariable, name); }

}  // namespace kestra
