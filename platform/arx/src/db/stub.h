// The record behind an object id: which database, which object (none for a handle reserved
// by a forward reference, or after the object is gone), the handle, the erased bit and the
// un-appended state. Stubs live as long as their database, so ids never dangle while it
// does.
#pragma once
#include <cstdint>

#include "adesk.h"

class AcDbDatabase;
class AcDbObject;

class AcDbStub {
public:
    AcDbDatabase* database = nullptr;
    AcDbObject* object = nullptr;
    Adesk::UInt64 handle = 0;
    // Position in the order objects were added (for writers that keep the file's order).
    std::uint32_t order = 0;
    bool erased = false;
    // Undo reversed the append: the object is kept for redo but is not part of the drawing.
    bool unappended = false;
    // The handle was met before its object (a forward reference of a file being read).
    bool reserved = false;
    // Made by the host itself while a file was being read (a layer an entity names but the
    // file lacks): its handle gives way to the file's objects and moves above them at the end.
    bool provisional = false;
    // The stub is in its database's list of objects opened since the last look for objects
    // left open.
    bool listedOpen = false;

    bool isLive() const { return object != nullptr && !unappended; }
};
