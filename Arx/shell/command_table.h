// The 32 commands of the group "VADU_KESTRA", in the order they are added. Every command has
// the same global and local name, no user-interface context, no function code and no
// resource handle.
#pragma once
#include <array>

#include "accmd.h"

namespace kestra {

struct CommandEntry {
    const char* name;
    Adesk::Int32 flags;
    AcRxFunctionPtr handler;
};

const std::array<CommandEntry, 32>& commandTable();

struct KestraModule;
// Adds the table to the host's command stack; the results are not examined.
void addCommands(KestraModule& module);
// Removes the group, once.
void removeCommands(KestraModule& module);

}  // namespace kestra
