// What a proxy keeps: the class it stands for, its groups after its object header (for an
// entity: after its AcDbEntity groups too, which the entity models), and the entities it owns
// in the file (vertices, attributes and their sequence end).
#pragma once
#include "db/proxy_support.h"
#include "dbidar.h"

namespace arx::db {

struct ProxyRecord {
    ProxyOrigin origin;
    DxfItemList items;
    AcDbObjectIdArray subentities;
    // The groups from the first subclass marker on, as describe() hands them out.
    mutable DxfItemList described;
};

// Registers the proxy classes' hooks with the database.
void registerProxyHooks();

}  // namespace arx::db
