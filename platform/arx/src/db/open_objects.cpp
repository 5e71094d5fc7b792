#include "db/open_objects.h"

#include "db/database_state.h"
#include "db/object_state.h"

namespace arx::db {

std::vector<AcDbObjectId> objectsLeftOpen(const AcDbDatabase* db)
{
    std::vector<AcDbObjectId> open;
    if (db == nullptr) return open;
    for (const AcDbStub& stub : stateOf(db).stubs) {
        if (stub.object == nullptr) continue;
        if (!stateOf(stub.object).closed()) open.emplace_back(const_cast<AcDbStub*>(&stub));
    }
    return open;
}

}  // namespace arx::db
