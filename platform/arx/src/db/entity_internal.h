// What the database knows of an entity beyond its API.
#pragma once
#include "dbmain.h"

namespace arx::db {

// The entity's last DXF reading said it belongs to paper space (group 67 = 1).
bool entityPaperSpaceFlag(const AcDbEntity* ent);

}  // namespace arx::db
