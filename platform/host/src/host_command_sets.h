// The host's commands, one set per file: each set defines its commands with the command
// processor (ed::CommandProcessor::defineHostCommand).
#pragma once

#include <string>
#include <vector>

#include "ed/command_processor.h"
#include "gepnt3d.h"

class AcDbDatabase;

namespace arx::host {

void defineSessionCommands();  // QUIT, EXIT, NEW, CLOSE, ARX (host_commands.cpp)
void defineFileCommands();     // OPEN, SAVEAS, QSAVE (file_commands.cpp)
void defineViewCommands();     // MVIEW, MSPACE, PSPACE, ZOOM, DVIEW, UCS, LAYOUT, SETVAR (view_commands.cpp)
void definePlotCommands();     // SVGOUT, PLOT, PREVIEW (plot_commands.cpp)
void defineLayerCommands();    // -LAYER (layer_commands.cpp)
void defineEditCommands();     // ERASE, U, UNDO, REDO (edit_commands.cpp)
void defineClipCommands();     // VPCLIP (viewport_clip_command.cpp)
void defineTrimExtendCommands();  // TRIM, EXTEND (trim_extend_commands.cpp)

// Shared by the sets: a line of the host's own on the command line, and a question whose
// answer may hold blanks (a file name).
void say(const std::string& text);
// How a command ends after an input call returned status (RTCAN cancels it; an answer,
// Enter or a keyword lets it end; anything else makes it fail).
ed::CommandOutcome outcomeOf(int status);
// Says the message and fails the command.
ed::CommandOutcome failWith(const char* message);
bool askText(const char* prompt, std::string& answer);
// The corners of a polygon on the sheet (WCS): "Specify start point: ", then next points with
// Undo, and Close (or Enter) once there are three. RTNORM with the points; RTNONE when Enter
// came before three; RTCAN.
int askPolygon(AcDbDatabase* db, std::vector<AcGePoint3d>& points);

// Messages more than one set prints.
inline constexpr const char* kNotInModelTab = "** Command not allowed in Model Tab **";
inline constexpr const char* kNotAClosedCurve = "Object is not a closed curve of this layout.";

}  // namespace arx::host
