// A layout's paper-space viewport: the first viewport of the layout's block, id 1, covering
// the sheet. The views make it when a layout is first shown; a drawing read from a file that
// has floating viewports but no paper-space viewport (other programs write such files) gets
// one at the front of the block, as the host gives it when it opens the layout.
#pragma once
#include "acadstrc.h"
#include "dbid.h"
#include "gepnt2d.h"

class AcDbDatabase;

namespace arx::db {

inline constexpr int kPaperViewportId = 1;

// The sheet the paper-space viewport covers: the layout's limits, else the drawing's paper
// limits, else those of a new drawing.
void layoutSheet(AcDbDatabase* db, AcDbObjectId layoutId, AcGePoint2d& low, AcGePoint2d& high);

// Appends the layout's paper-space viewport (on, id 1, covering the sheet) to its block.
Acad::ErrorStatus addPaperSpaceViewport(AcDbDatabase* db, AcDbObjectId layoutId, AcDbObjectId& viewportId);

// For a drawing just read: a layout whose first viewport says it is floating (id 2 or more)
// gets the viewport of id 1 in front of it, made when the file has none.
void ensurePaperViewportFirst(AcDbDatabase* db, AcDbObjectId layoutId);

}  // namespace arx::db
