// Calls of external functions (defined by modules with acedDefun) and the state the ADS
// bridge calls read and write while one runs: its code, its arguments, its result and the
// acdbFail messages it reports.
#pragma once
#include "lisp/value.h"

namespace arx::lisp {

// Sends the call to the function's module through the invoke hook. acdbFail messages are
// printed when the module returns, before its result is used. The result is what the last
// acedRet... call set, nil when none was made; RTERROR (or any failure status) ends the
// evaluation with errors::externalFunctionFailed, RTCAN with errors::functionCancelled.
Value callExternalFunction(Interpreter& interpreter, const ExternalFunction& function, const Arguments& arguments);

// The interpreter the ADS calls act on: the one running the innermost external function,
// else the current interpreter (nullptr when there is none).
Interpreter* bridgeInterpreter();

}  // namespace arx::lisp
