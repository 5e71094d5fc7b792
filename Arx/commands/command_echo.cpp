#include "commands/command_echo.h"

#include "mark/mark_messages.h"
#include "shell/system_variables.h"

namespace kestra {

CommandEchoOff::CommandEchoOff() : saved_(readIntegerVariable("CMDECHO"))
{
    if (!saved_) {
        printUnreadableVariable("CMDECHO");
        return;
    }
    if (!writeIntegerVariable("CMDECHO", 0)) {
        printUnchangeableVariable("CMDECHO");
        saved_.reset();
        return;
    }
    active_ = true;
}

bool CommandEchoOff::restore()
{
    if (!saved_) return true;
    const int value = *saved_;
    saved_.reset();
    if (writeIntegerVariable("CMDECHO", value)) return true;
    printUnchangeableVariable("CMDECHO");
    return false;
}

}  // namespace kestra
