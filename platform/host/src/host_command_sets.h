// The host's commands, one set per file: each set defines its commands with the command
// processor (ed::CommandProcessor::defineHostCommand).
#pragma once

#include <string>
#include <vector>

#include "ed/command_processor.h"
#include "ed/object_selection.h"
#include "gemat3d.h"
#include "gepnt3d.h"
#include "gevec3d.h"

class AcDbDatabase;

namespace arx::host {

void defineSessionCommands();     // QUIT, EXIT, NEW, CLOSE, ARX (host_commands.cpp)
void defineFileCommands();        // OPEN, SAVEAS, QSAVE (file_commands.cpp)
void defineViewCommands();        // MVIEW, MSPACE, PSPACE, ZOOM, DVIEW, UCS, LAYOUT, SETVAR (view_commands.cpp)
void definePlotCommands();        // SVGOUT, PLOT, PREVIEW (plot_commands.cpp)
void defineLayerCommands();       // -LAYER (layer_commands.cpp)
void defineEditCommands();        // ERASE, U, UNDO, REDO (edit_commands.cpp)
void defineClipCommands();        // VPCLIP (viewport_clip_command.cpp)
void defineTrimExtendCommands();  // TRIM, EXTEND (trim_extend_commands.cpp)
void defineTransformCommands();   // MOVE, COPY, ROTATE, SCALE, MIRROR (transform_commands.cpp)
void defineStretchCommand();      // STRETCH (stretch_command.cpp)
void defineExplodeAndList();      // EXPLODE, LIST (explode_list_commands.cpp)
void defineGripEditCommand();     // GRIPEDIT (grip_edit_command.cpp)
void defineMenuCommands();        // MENULOAD (menu_commands.cpp)
void definePropertiesCommand();   // PROPERTIES (properties_command.cpp)

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

// The objects an editing command works on: the pick-first set, else "Select objects: " leaving
// out locked layers. With lastRegion (STRETCH) the pick-first set is not taken and the region
// of the last window or polygon drawn is kept there. RTNORM (the list may be empty) or RTCAN.
int selectForEditing(ed::EntityList& chosen, ed::SelectionRegion* lastRegion = nullptr);

// Points and displacements of the editing commands (transform_commands.cpp). Points typed are
// in the UCS; the transforms act in the world.
AcGePoint3d worldPoint(AcDbDatabase* db, const double ucs[3]);
AcGeVector3d worldVector(AcDbDatabase* db, const AcGeVector3d& ucs);
// The second point of a displacement from the base point (UCS), as a world vector; Enter,
// when enterTakesBase, takes the base point itself as the displacement.
int askDisplacement(AcDbDatabase* db, const double ucsBase[3], const char* secondPrompt, bool enterTakesBase,
                    AcGeVector3d& displacement);
// Transforms each entity through its transformBy (open for write); returns how many refused.
int transformEach(const ed::EntityList& ids, const AcGeMatrix3d& xform);
// Deep clones of the entities in the current space, in the order given (each original hears
// copied); an entity that refuses to be copied has none.
ed::EntityList copiesOf(AcDbDatabase* db, const ed::EntityList& ids);

// Messages more than one set prints.
inline constexpr const char* kNotInModelTab = "** Command not allowed in Model Tab **";
inline constexpr const char* kNotAClosedCurve = "Object is not a closed curve of this layout.";

}  // namespace arx::host
