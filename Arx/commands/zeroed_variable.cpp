#include "commands/zeroed_variable.h"

#include "acutads.h"
#include "mark/mark_messages.h"
#include "shell/system_variables.h"

namespace kestra {

void printVariableFailure(const char* prefix, const char* message, const char* name)
{
    acutPrintf("%s%s %s.\n", prefix, message, name);
}

ZeroedVariable::ZeroedVariable(const char* name, const char* prefix) : name_(name), prefix_(prefix)
{
    const std::optional<int> value = readIntegerVariable(name);
    if (!value) {
        printVariableFailure(prefix, kCannotReadVariable, name);
        return;
    }
    if (!writeIntegerVariable(name, 0)) {
        printVariableFailure(prefix, kCannotChangeVariable, name);
        return;
    }
    saved_ = value;
}

bool ZeroedVariable::restore()
{
    if (!saved_) return true;
    const int value = *saved_;
    saved_.reset();
    if (writeIntegerVariable(name_, value)) return true;
    printVariableFailure(prefix_, kCannotChangeVariable, name_);
    return false;
}

}  // namespace kestra
