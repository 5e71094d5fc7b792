// The work behind commands and AutoLISP functions whose subsystems are built separately: the
// shell calls these after its own argument rules, LISP guard and flag bracket. Routines that
// take the AutoLISP argument list get null when run from a typed command; those returning an
// int give the AutoLISP status (RTNORM or RTERROR) and set the function's result.
#pragma once
#include <memory>

#include "adsdef.h"

class AcApDocument;
class AcRxObject;

namespace kestra {

// Marks.
void makeMarksInteractively();
// vadu_KsMake with a selection set: an empty set does nothing; otherwise paper space is
// required (TILEMODE 0, CVPORT readable) before the viewports of the set are taken.
int makeMarksFromSelection(const ads_name selection);
void refreshViews();
int scaleViewport(const resbuf* args);
enum class AlignMode { Plan = 1, Ucs = 2, ViewUcs = 3 };
int alignToMark(AlignMode mode, const resbuf* args);
int gotoMarkLayout(const resbuf* args);
void repairAssociations();
void updateMarks();

// Association queries of the AutoLISP functions.
int associationCountResult();
enum class PairOrder { MarkThenViewport, ViewportThenMark };
int associationPairsResult(PairOrder order);
int marksAroundPointResult(const resbuf* args);

// Menu, help and options.
void loadMenu();
void showHelp(const char* topic, int command);
void showOptionsDialog();

// Lifecycle pieces of other subsystems.
void auditDrawing(AcApDocument* doc);
void registerDynamicProperties();
void removeDynamicProperties();
// The layout-manager reactor; deleting it detaches it. Null when there is none to make.
std::unique_ptr<AcRxObject> createLayoutReactor();

}  // namespace kestra
