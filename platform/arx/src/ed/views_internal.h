// Helpers shared by the views files: the viewports of a layout without opening them one by
// one, the layout of a block, the tiled viewport's record.
#pragma once
#include <vector>

#include "dbid.h"

class AcDbDatabase;
class AcDbLayout;

namespace arx::views {

AcDbObjectId blockOfLayout(AcDbObjectId layoutId);
AcDbObjectId layoutOfBlock(AcDbObjectId blockId);
// The AcDbViewports of a layout's block in drawing order (erased ones left out). Kept until
// the structure of the drawings changes (db/structure_generation.h); the reference is valid
// until the next call.
const std::vector<AcDbObjectId>& layoutViewports(AcDbObjectId layoutId);
// True when the id is one of the layout's floating viewports (not its paper-space one).
bool isFloatingViewport(AcDbObjectId layoutId, AcDbObjectId viewportId);
// Every layout of the drawing, "Model" included, in dictionary order.
std::vector<AcDbObjectId> allLayouts(AcDbDatabase* db);
// The first "*Active" record of the VPORT table, added with the defaults of a new drawing
// when create is set and there is none.
AcDbObjectId tiledViewportRecord(AcDbDatabase* db, bool create);
// Sets the layout's last active viewport when it differs (the layout is opened for write
// only then).
void setLastActiveViewport(AcDbObjectId layoutId, AcDbObjectId viewportId);
AcDbObjectId lastActiveViewport(AcDbObjectId layoutId);
bool isViewportOn(AcDbObjectId viewportId);

}  // namespace arx::views
