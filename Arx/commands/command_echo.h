// CMDECHO off for the length of a step of a command, put back on every path out.
#pragma once
#include "commands/zeroed_variable.h"

namespace kestra {

// Reads CMDECHO and sets it to 0; each failure is reported ("Cannot read the variable" or
// "Cannot change the variable" for CMDECHO) and leaves active() false.
class CommandEchoOff : public ZeroedVariable {
public:
    CommandEchoOff() : ZeroedVariable("CMDECHO", "") {}
};

}  // namespace kestra
