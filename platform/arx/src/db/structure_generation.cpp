#include "db/structure_generation.h"

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

}  // namespace arx::db
