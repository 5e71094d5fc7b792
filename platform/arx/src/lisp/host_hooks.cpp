#include <algorithm>
#include <cstdio>

#include "lisp/hooks.h"

namespace arx::lisp {

namespace {

Interpreter* current = nullptr;

std::vector<Interpreter*>& interpreters()
{
    static std::vector<Interpreter*> list;
    return list;
}

}  // namespace

Hooks& hooks()
{
    static Hooks installed;
    return installed;
}

void setOutputHook(OutputHook hook) { hooks().output = std::move(hook); }

void writeOutput(std::string_view text)
{
    if (text.empty()) return;
    if (hooks().output) {
        hooks().output(text);
        return;
    }
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
}

void setEvaluationHooks(EvaluationStartHook start, EvaluationEndHook end)
{
    hooks().evaluationStart = std::move(start);
    hooks().evaluationEnd = std::move(end);
}

void setModuleHooks(CallingModuleHook callingModule, InvokeExternalHook invokeExternal)
{
    hooks().callingModule = std::move(callingModule);
    hooks().invokeExternal = std::move(invokeExternal);
}

void setIntegerVariableHook(IntegerVariableHook hook) { hooks().integerVariable = std::move(hook); }

int integerVariable(std::string_view name, int fallback)
{
    if (!hooks().integerVariable) return fallback;
    return hooks().integerVariable(name).value_or(fallback);
}

void setCurrentInterpreter(Interpreter* interpreter) { current = interpreter; }
Interpreter* currentInterpreter() { return current; }

void resetHooks() { hooks() = Hooks{}; }

void registerInterpreter(Interpreter* interpreter) { interpreters().push_back(interpreter); }

void unregisterInterpreter(Interpreter* interpreter)
{
    auto& list = interpreters();
    list.erase(std::remove(list.begin(), list.end(), interpreter), list.end());
    if (current == interpreter) current = nullptr;
}

const std::vector<Interpreter*>& liveInterpreters() { return interpreters(); }

}  // namespace arx::lisp
