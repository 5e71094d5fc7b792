// The open rules in one place: which opens are allowed in which state.
#pragma once
#include "dbmain.h"

namespace arx::db {

constexpr int kMaxReaders = 256;

// An entity whose layer is locked.
bool isOnLockedLayer(const AcDbObject* obj);

// Opens for write whatever the erased bit and the layer say, for the database's own work
// (undo replay, class conversion). Fails only when the object is open or gone.
Acad::ErrorStatus openForInternalWrite(AcDbObject*& obj, AcDbObjectId id);

}  // namespace arx::db
