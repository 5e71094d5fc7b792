// The 28 AutoLISP functions: the row number is the function code under which each is
// defined, in every document, with its name exactly as written.
#pragma once
#include <array>

#include "adsdef.h"

namespace kestra {

// Takes the argument list (possibly empty), sets the AutoLISP result, and returns RTNORM or
// RTERROR.
using LispFunction = int (*)(const resbuf* args);

struct LispFunctionEntry {
    const char* name;
    LispFunction function;
};

constexpr int kLispFunctionCount = 28;
const std::array<LispFunctionEntry, kLispFunctionCount>& lispFunctionTable();

// Defines the functions in the current document; stops at the first the host refuses.
void defineLispFunctions();

// The invoke-function message: runs the function of the host's function code with the
// arguments and returns its status. A code outside the table reports "Received nonexistent
// function code." and returns RTERROR.
int dispatchLispFunction();

}  // namespace kestra
