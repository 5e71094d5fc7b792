// Complex entities: a block reference with attributes and the old-style polylines own the
// entities that follow them in a drawing file (attributes or vertices, then a sequence end).
#pragma once
#include "dbidar.h"

class AcDbEntity;
class AcRxClass;

namespace arx::db {

// The owned entities written after the entity, in order, the sequence end last; empty for an
// entity that has none.
AcDbObjectIdArray subentityIdsOf(const AcDbEntity* entity);
// False for a class whose objects never own entities (subentityIdsOf is always empty).
bool mayOwnSubentities(const AcRxClass* cls);
// Hands a complex entity one of its owned entities read after it; false when the entity
// takes none (it is not complex).
bool adoptSubentity(AcDbEntity* head, AcDbObjectId id, bool isSequenceEnd);
// True for the DXF names of entities that may be owned by the one before them.
bool isSubentityType(const char* dxfName);

}  // namespace arx::db
