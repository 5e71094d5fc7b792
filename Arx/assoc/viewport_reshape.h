// Reshaping marks after their viewports were stretched, scaled, turned or mirrored on a
// layout's sheet: each edited viewport's mark takes the region of model space the viewport
// shows now, worked out from the snapshot taken before the edit.
#pragma once
#include <vector>

#include "acadstrc.h"
#include "assoc/working_lists.h"
#include "gemat3d.h"

class AcDbViewport;
class VaduKestra;

namespace kestra {

// The viewport as it is now: its frame on the sheet and its view.
ViewportSnapshot snapshotOf(const AcDbViewport& viewport);

// Entries of clip entities take the identifier and the present snapshot of the associated
// viewport they clip; others stay as they are.
void completePendingEdits(PendingEditList& edits);

// The carrying of a paper-space point to model space as the mark saw the viewport before the
// edit: the paper centre `beforeCenter` goes to the mark's centre, the sheet's X and Y to the
// mark's sides (corner 2 to 3 and 2 to 1) and Z to its view direction, each divided by
// zoomXp.
AcGeMatrix3d paperToMarkTransform(const VaduKestra& mark, const AcGePoint3d& beforeCenter);

// Reshapes the viewport's mark (null when it has none) after the edit the snapshot was taken
// before. eNullObjectId without a mark, eInvalidOpenState when the viewport or the mark cannot
// be opened or the mark not changed.
Acad::ErrorStatus reshapeMarkOfViewport(const ViewportSnapshot& before, const AcGePoint3d& beforeCenter,
                                        AcDbObjectId markId);

// Reshapes the mark of every edit in order (the first centre of each viewport serves after a
// STRETCH, its latest otherwise) and reports how many of the edits reshaped a mark. Nothing
// for no edits.
void reshapeEditedMarks(const std::vector<PendingEdit>& edits, const char* commandName);

}  // namespace kestra
