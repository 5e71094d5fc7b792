#include "shell/command_table.h"

#include "shell/command_handlers.h"
#include "shell/kestra_module.h"

namespace kestra {

const std::array<CommandEntry, 32>& commandTable()
{
    static const std::array<CommandEntry, 32> table = {{
        {"KSMAKE", ACRX_CMD_USEPICKSET, ksMakeCommand},
        {"KS1", ACRX_CMD_USEPICKSET, ksMakeCommand},
        {"KSREFRESH", ACRX_CMD_MODAL, ksRefreshCommand},
        {"KS2", ACRX_CMD_MODAL, ksRefreshCommand},
        {"KSSCALE", ACRX_CMD_USEPICKSET, ksScaleCommand},
        {"KS3", ACRX_CMD_USEPICKSET, ksScaleCommand},
        {"KSPLAN", ACRX_CMD_USEPICKSET, ksPlanCommand},
        {"KS4", ACRX_CMD_USEPICKSET, ksPlanCommand},
        {"KSUCS", ACRX_CMD_USEPICKSET, ksUcsCommand},
        {"KS5", ACRX_CMD_USEPICKSET, ksUcsCommand},
        {"KSVIEWUCS", ACRX_CMD_USEPICKSET, ksViewUcsCommand},
        {"KS6", ACRX_CMD_USEPICKSET, ksViewUcsCommand},
        {"KSMENU", ACRX_CMD_MODAL, ksMenuCommand},
        {"KS7", ACRX_CMD_MODAL, ksMenuCommand},
        {"KSMENU?", ACRX_CMD_MODAL, ksMenuHelpCommand},
        {"KSLIST", ACRX_CMD_MODAL, ksListCommand},
        {"KS8", ACRX_CMD_MODAL, ksListCommand},
        {"KSVERSION", ACRX_CMD_MODAL, ksVersionCommand},
        {"KS9", ACRX_CMD_MODAL, ksVersionCommand},
        {"KSHELP", ACRX_CMD_MODAL, ksHelpCommand},
        {"KS?", ACRX_CMD_MODAL, ksHelpCommand},
        {"KSUNLOAD", ACRX_CMD_MODAL, ksUnloadCommand},
        {"KS999", ACRX_CMD_MODAL, ksUnloadCommand},
        {"KSABOUT", ACRX_CMD_MODAL, ksAboutCommand},
        {"KSLOGO", ACRX_CMD_MODAL, ksLogoCommand},
        {"KSGOTO", ACRX_CMD_USEPICKSET, ksGotoCommand},
        {"KS10", ACRX_CMD_USEPICKSET, ksGotoCommand},
        {"KSOPTIONS", ACRX_CMD_MODAL, ksOptionsCommand},
        {"KS11", ACRX_CMD_MODAL, ksOptionsCommand},
        {"KSREPAIR", ACRX_CMD_MODAL, ksRepairCommand},
        {"KS12", ACRX_CMD_MODAL, ksRepairCommand},
        {"KSUPDATE", ACRX_CMD_MODAL, ksUpdateCommand},
    }};
    return table;
}

void addCommands(KestraModule& module)
{
    AcEdCommandStack* stack = acedRegCmds;
    if (stack == nullptr) return;
    for (const CommandEntry& command : commandTable())
        stack->addCommand(kCommandGroup, command.name, command.name, command.flags, command.handler);
    module.commandsAdded = true;
}

void removeCommands(KestraModule& module)
{
    if (!module.commandsAdded) return;
    if (AcEdCommandStack* stack = acedRegCmds) stack->removeGroup(kCommandGroup);
    module.commandsAdded = false;
}

}  // namespace kestra
