// The marks and outline block references changed during a command, brought in line at its
// end: a mark's viewport takes the mark's view in its legacy view record and the mark's
// outline is placed over it; a moved, turned or scaled outline reshapes its mark.
#pragma once

namespace kestra {

// Works through the current document's pending-modification list and empties it, with the
// persistent reactor kept still and the layout regeneration switched off (LAYOUTREGENCTL 0)
// meanwhile. Nothing when the list is empty. Also run outside a command end, by whatever
// changes marks on its own (the property palette).
void processPendingModifications();

}  // namespace kestra
