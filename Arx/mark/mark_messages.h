// The mark's own messages, as the user sees them on the command line.
#pragma once

namespace kestra {

constexpr const char* kProxyMessage = "Kestra object is only available with AutoCAD 2000. A proxy will be created.";
constexpr const char* kParentFilingMessage = "Cannot access parent AcDbEntity object.";
constexpr const char* kVersionFieldMessage = "DxfInField error: The first field is not the version ID.";
constexpr const char* kCannotReadVariable = "Cannot read the variable";
constexpr const char* kCannotChangeVariable = "Cannot change the variable";

// Prints the message on a line of its own.
void printMarkMessage(const char* message);

// "Cannot read the variable" through the format that names the variable ("%s VIEWDIR.\n").
void printUnreadableVariable(const char* name);
// "Cannot change the variable" through the same format.
void printUnchangeableVariable(const char* name);

}  // namespace kestra
