// A count that grows whenever what the viewports of a layout are may have changed: an entity
// appended to a block or moved in its list, an object erased, unerased or un-appended (undo
// included), a viewport turned on or off, given another id or read back through a filer, a
// layout pointed at another block, a database made or destroyed. What the views derive from
// a layout's viewports (the list, their numbers) is kept against it, so that looking the
// active viewport up does not walk the layout again while nothing changed.
#pragma once
#include "adesk.h"
#include "dbid.h"

class AcDbDatabase;

namespace arx::db {

Adesk::UInt64 structureGeneration();
void structureChanged();
// An entity came into, or went out of, the block `ownerId`: model space holds no viewports of
// a layout, so a change there leaves the count alone (erasing thousands of model-space
// entities in one command must not make every later lookup walk the layouts again).
void entityListChanged(AcDbDatabase* db, AcDbObjectId ownerId);

}  // namespace arx::db
