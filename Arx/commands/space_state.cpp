#include "commands/space_state.h"

#include "mark/mark_messages.h"
#include "shell/message_routing.h"
#include "shell/system_variables.h"

namespace kestra {

std::optional<SpaceState> readSpaceState()
{
    SpaceState state;
    for (auto [name, value] : {std::pair{"TILEMODE", &state.tileMode}, std::pair{"CVPORT", &state.viewport}}) {
        const std::optional<int> read = readIntegerVariable(name);
        if (!read) {
            printUnreadableVariable(name);
            return std::nullopt;
        }
        *value = *read;
    }
    return state;
}

bool requireModelSpace(const char* refusal)
{
    const std::optional<int> tileMode = readIntegerVariable("TILEMODE");
    if (!tileMode) {
        printUnreadableVariable("TILEMODE");
        return false;
    }
    if (*tileMode == 0) {
        showRefusal(refusal);
        return false;
    }
    return true;
}

}  // namespace kestra
