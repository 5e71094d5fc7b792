// The work behind commands and AutoLISP functions whose subsystems are built separately: the
// shell calls these after its own argument rules, LISP guard and flag bracket. Routines that
// take the AutoLISP argument list get null when run from a typed command; those returning an
// int give the AutoLISP status (RTNORM or RTERROR) and set the function's result.
#pragma once
#include <memory>

#include "adsdef.h"

class AcDbBlockReference;
class AcRxObject;
class VaduKestra;

namespace kestra {

// Marks.
void refreshViews();
int scaleViewport(const resbuf* args);
enum class AlignMode { Plan = 1, Ucs = 2, ViewUcs = 3 };
int alignToMark(AlignMode mode, const resbuf* args);
int gotoMarkLayout(const resbuf* args);
void repairAssociations();
// The update pass: every mark notified of a change, so that the end of the command brings its
// outline and its viewport's view record in line. Also the repair step of the association
// check.
void updateMarks();
// An outline block reference changed outside a command: its mark (open for write) follows.
void reshapeMarkFromOutline(VaduKestra& mark, const AcDbBlockReference& outline);

// Menu and help.
void loadMenu();
void showHelp(const char* topic, int command);

// Lifecycle pieces of other subsystems.
// The layout-manager reactor; deleting it detaches it. Null when there is none to make.
std::unique_ptr<AcRxObject> createLayoutReactor();

}  // namespace kestra
