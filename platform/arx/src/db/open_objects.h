// The objects of a database that are open right now. Between two commands nothing should be:
// the host looks after each command and reports what a module left open.
#pragma once
#include <vector>

#include "dbid.h"

class AcDbDatabase;

namespace arx::db {

// The objects of the database open for read, write or notify, in the order they were added.
std::vector<AcDbObjectId> objectsLeftOpen(const AcDbDatabase* db);

}  // namespace arx::db
