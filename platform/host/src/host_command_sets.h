// The host's commands, one set per file: each set defines its commands with the command
// processor (ed::CommandProcessor::defineHostCommand).
#pragma once

#include <string>

#include "ed/command_processor.h"

namespace arx::host {

void defineSessionCommands();  // QUIT, EXIT, NEW, CLOSE, ARX (host_commands.cpp)
void defineFileCommands();     // OPEN, SAVEAS, QSAVE (file_commands.cpp)
void defineViewCommands();     // MVIEW, MSPACE, PSPACE, ZOOM, DVIEW, UCS, LAYOUT, SETVAR (view_commands.cpp)
void definePlotCommands();     // SVGOUT, PLOT, PREVIEW (plot_commands.cpp)
void defineEditCommands();     // ERASE, U, UNDO, REDO (edit_commands.cpp)
void defineLayerCommands();    // -LAYER (layer_commands.cpp)

// Shared by the sets: a line of the host's own on the command line, and a question whose
// answer may hold blanks (a file name).
void say(const std::string& text);
// How a command ends after an input call returned status (RTCAN cancels it; an answer,
// Enter or a keyword lets it end; anything else makes it fail).
ed::CommandOutcome outcomeOf(int status);
bool askText(const char* prompt, std::string& answer);

}  // namespace arx::host
