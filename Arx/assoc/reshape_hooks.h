// The reshape processing's part in every command: what the start of a command decides, what
// the persistent reactor hands over while it runs, and what the end of it does.
#pragma once
#include <string_view>

#include "assoc/working_lists.h"

namespace kestra {

// A command after which viewport edits reshape their marks: one whose name matches
// "*STRETCH*,*ROTATE*,*MIRROR*,*SCALE*" while a layout's paper space is current (CVPORT 1),
// or the end of an AutoLISP evaluation (empty name).
bool isReshapeCommand(const char* commandName);

// At commandWillStart and lispWillStart: the reshape-command flag is set for a reshape
// command and kept once set (nested evaluations); the reactor suspension flag is cleared.
void onCommandStart(const char* commandName);

// From the persistent reactor when a viewport or clip entity is opened for change: listed
// only while the reshape-command flag is set.
void recordSnapshot(const ViewportSnapshot& snapshot);

// At commandEnded, commandCancelled, commandFailed, lispEnded and lispCancelled (twice in a
// row): after a reshape command the marks of the edited viewports are reshaped and the flag
// cleared; otherwise the pending-modification list is processed.
void onCommandEnd(const char* commandName);

}  // namespace kestra
