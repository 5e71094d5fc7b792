// KSMAKE and KS1, and vadu_KsMake: marking floating viewports.
#pragma once
#include "adsdef.h"

namespace kestra {

// The command entry (after the LISP guard): inside a floating viewport that viewport is
// marked; in a layout's paper space the user selects the viewports; model space is refused.
void makeMarksInteractively();

// vadu_KsMake with a selection set: an empty set does nothing; otherwise paper space is
// required (TILEMODE 0, CVPORT readable) before the viewports of the set are taken. Returns
// the AutoLISP status.
int makeMarksFromSelection(const ads_name selection);

// The viewport-selection step: the viewports of the selection (the pick-first set or the
// user's when given is null), each made current and marked in turn. A given set stays the
// caller's.
void markSelectedViewports(const ads_name given);

}  // namespace kestra
