// The work behind the mark commands and their AutoLISP functions: the shell's command and
// function tables call these after their own argument rules, LISP guard and flag bracket.
// Routines that take the AutoLISP argument list get null when run from a typed command; those
// returning an int give the AutoLISP status (RTNORM or RTERROR) and set the function's result.
#pragma once
#include "adsdef.h"

namespace kestra {

// Marks.
void refreshViews();
int scaleViewport(const resbuf* args);
enum class AlignMode { Plan = 1, Ucs = 2, ViewUcs = 3 };
int alignToMark(AlignMode mode, const resbuf* args);
void repairAssociations();
// The update pass: every mark notified of a change, so that the end of the command brings its
// outline and its viewport's view record in line. Also the repair step of the association
// check.
void updateMarks();

// Menu and help.
void loadMenu();
void showHelp(const char* topic, int command);

}  // namespace kestra
