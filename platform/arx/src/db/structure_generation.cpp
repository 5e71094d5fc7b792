#include "db/structure_generation.h"

#include "dbmain.h"
#include "dbsymtb.h"
#include "db/database_state.h"
#include "db/symbol_lookup.h"

namespace arx::db {

namespace {

Adesk::UInt64& generation()
{
    static Adesk::UInt64 count = 1;
    return count;
}

}  // namespace

Adesk::UInt64 structureGeneration() { return generation(); }

void structureChanged() { ++generation(); }

void entityListChanged(AcDbDatabase* db, AcDbObjectId ownerId)
{
    if (db != nullptr && !ownerId.isNull() && ownerId == findRecord(stateOf(db).blockTable, ACDB_MODEL_SPACE)) return;
    structureChanged();
}

}  // namespace arx::db
