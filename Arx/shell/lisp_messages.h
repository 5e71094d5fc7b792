// The argument-error messages of the AutoLISP functions, reported with acdbFail so that the
// host shows them when the function returns.
#pragma once

namespace kestra {

constexpr const char* kTooManyParameters = "Error -- Too many parameters!\nConsult the Help file.\n";
constexpr const char* kIncorrectParameters = "Error -- Incorrect parameters!\nConsult the Help file.\n";
constexpr const char* kNonexistentFunctionCode = "Received nonexistent function code.";

void reportTooManyParameters();
void reportIncorrectParameters();

}  // namespace kestra
