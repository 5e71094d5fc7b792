// The hooks set through lisp_host.h, as the interpreter's own code reads them, and the list
// of live interpreters.
#pragma once
#include <vector>

#include "lisp/lisp_host.h"

namespace arx::lisp {

struct Hooks {
    OutputHook output;
    EvaluationStartHook evaluationStart;
    EvaluationEndHook evaluationEnd;
    CallingModuleHook callingModule;
    InvokeExternalHook invokeExternal;
    IntegerVariableHook integerVariable;
};

Hooks& hooks();

void registerInterpreter(Interpreter* interpreter);
void unregisterInterpreter(Interpreter* interpreter);
const std::vector<Interpreter*>& liveInterpreters();

}  // namespace arx::lisp
