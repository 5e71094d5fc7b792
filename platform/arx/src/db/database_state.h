// What an AcDbDatabase holds: the stubs (one per id, in a deque so their addresses never
// move), the handle map, the standard objects, reactors, undo history, header variables.
#pragma once
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "dbmain.h"
#include "db/database_access.h"
#include "db/handle_index.h"
#include "db/header_vars.h"
#include "db/stub.h"
#include "db/undo_history.h"
#include "rxclass.h"

namespace arx::db {

class ProxyClassObserver;

struct DatabaseState {
    explicit DatabaseState(AcDbDatabase* db);
    ~DatabaseState();

    AcDbDatabase* db;
    std::deque<AcDbStub> stubs;
    HandleIndex byHandle;
    Adesk::UInt64 nextHandle = 1;

    AcDbObjectId blockTable, layerTable, textStyleTable, linetypeTable, viewTable, ucsTable, viewportTable, regAppTable,
        dimStyleTable;
    AcDbObjectId namedObjects;
    AcDbObjectId currentSpace;

    std::vector<AcDbDatabaseReactor*> reactors;
    UndoHistory undo;
    HeaderVars header;
    int loading = 0;              // a loader is filling the database: no undo, no notifications
    AcDbObjectId lastLayerFound;  // findOrAddLayer's last answer: entities mostly share a layer
    bool destroying = false;
    Adesk::UInt64 changeCount = 0;
    std::vector<DxfClassRecord> dxfClasses;
    std::map<std::string, std::shared_ptr<void>> attachments;
    std::string fileName;
    std::unique_ptr<ProxyClassObserver> classObserver;
    // Objects opened (or appended open) since the host last looked for objects left open, each
    // once: the look after every command checks these instead of every object of the drawing.
    std::vector<AcDbStub*> openedSinceCheck;

    // A new stub with the next handle (or the given one, which raises the seed).
    AcDbStub* newStub(Adesk::UInt64 handle = 0);
    AcDbStub* findStub(Adesk::UInt64 handle) const;
    // A stub the host made while loading gives up `handle` (it takes the next free one), so
    // that the file's own object or reference can have it.
    void releaseProvisional(Adesk::UInt64 handle);
    // Gives a stub another handle that no stub has.
    void rehandle(AcDbStub* stub, Adesk::UInt64 handle);
    bool notifying() const { return loading == 0 && !destroying; }
    void noteOpened(AcDbStub* stub)
    {
        if (stub == nullptr || stub->listedOpen) return;
        stub->listedOpen = true;
        openedSinceCheck.push_back(stub);
    }
    void changed() { ++changeCount; }
};

inline DatabaseState& stateOf(const AcDbDatabase* db) { return *db->state(); }

// Places a new object into a stub of the database (no undo, no notifications).
void bindObject(AcDbStub* stub, AcDbObject* obj);
// Deletes an object whose stub keeps the id (goodbye goes to its reactors first).
void destroyObject(AcDbStub* stub);

}  // namespace arx::db
