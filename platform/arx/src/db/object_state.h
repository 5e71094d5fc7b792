// What every database object carries besides its class's fields: its stub, owner,
// extension dictionary, reactors, extended data and open state.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "dbmain.h"
#include "db/dxf_item.h"
#include "db/stub.h"

namespace arx::db {

class MemoryDwgFiler;

// Extended data of one registered application (the items after its 1001 group).
struct XDataApp {
    std::string appName;
    DxfItemList items;
};

// Undo bookkeeping of one write open: the state at the first write (for the full record,
// and for cancel), whether the full record went into the history, and the object's own
// partial records.
struct OpenUndo {
    std::vector<unsigned char> snapshot;
    bool hasSnapshot = false;
    bool fullCommitted = false;
    std::unique_ptr<MemoryDwgFiler> partial;
    OpenUndo();
    ~OpenUndo();
};

struct ObjectState {
    AcDbStub* stub = nullptr;
    AcDbObjectId owner;
    AcDbObjectId extDict;
    // Transient reactor pointers and persistent reactor ids (stub address | 1).
    AcDbVoidPtrArray reactors;
    std::vector<XDataApp> xdata;

    std::uint16_t readers = 0;
    bool writer = false;
    bool notifyOpen = false;
    int notifying = 0;
    bool undoing = false;
    bool cancelling = false;
    bool reallyClosing = false;
    bool modified = false;
    bool modifiedXData = false;
    bool modifiedGraphics = false;
    bool firstWriteDone = false;
    bool appendedInOpen = false;
    bool eraseToggled = false;
    // The 67 group of the last DXF read of an entity: where entmake and a file without
    // owners put it.
    bool paperSpaceFlag = false;
    std::unique_ptr<OpenUndo> openUndo;

    bool resident() const { return stub != nullptr; }
    // No open of any kind and no notification in progress.
    bool closed() const { return readers == 0 && !writer && !notifyOpen && notifying == 0; }
    // Clears what belongs to one write open.
    void resetWriteOpen();
};

inline ObjectState& stateOf(const AcDbObject* obj) { return *obj->objectState(); }

// Persistent reactor entries of the reactor list.
inline void* encodePersistentReactor(AcDbObjectId id)
{
    return reinterpret_cast<void*>(reinterpret_cast<std::uintptr_t>(id.stub()) | 1u);
}
inline bool isPersistentEntry(const void* p) { return (reinterpret_cast<std::uintptr_t>(p) & 1u) != 0; }
inline AcDbObjectId decodePersistentReactor(const void* p)
{
    return AcDbObjectId(reinterpret_cast<AcDbStub*>(reinterpret_cast<std::uintptr_t>(p) & ~std::uintptr_t(1)));
}

}  // namespace arx::db
