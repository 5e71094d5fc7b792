#include "db/open_objects.h"

#include <algorithm>

#include "db/database_state.h"
#include "db/object_state.h"

namespace arx::db {

std::vector<AcDbObjectId> objectsLeftOpen(const AcDbDatabase* db)
{
    std::vector<AcDbObjectId> open;
    if (db == nullptr) return open;
    // Only objects opened since the last look can be open now; those still open stay listed.
    std::vector<AcDbStub*>& listed = stateOf(db).openedSinceCheck;
    std::vector<AcDbStub*> stillOpen;
    for (AcDbStub* stub : listed) {
        if (stub->object != nullptr && !stateOf(stub->object).closed()) {
            stillOpen.push_back(stub);
        } else {
            stub->listedOpen = false;
        }
    }
    listed.swap(stillOpen);
    std::sort(listed.begin(), listed.end(), [](const AcDbStub* a, const AcDbStub* b) { return a->order < b->order; });
    for (AcDbStub* stub : listed) open.emplace_back(stub);
    return open;
}

}  // namespace arx::db
