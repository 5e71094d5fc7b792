// AcDbDatabase: objects, ids and handles, the standard objects, reactors and undo.
#include <algorithm>

#include "dbapserv.h"
#include "dbdict.h"
#include "dbsymtb.h"
#include "db/class_registration.h"
#include "db/database_defaults.h"
#include "db/database_state.h"
#include "db/notifications.h"
#include "db/object_state.h"
#include "db/proxy_conversion.h"
#include "db/structure_generation.h"
#include "db/symbol_lookup.h"
#include "db/undo_recording.h"

namespace arx::db {

DatabaseState::DatabaseState(AcDbDatabase* owner) : db(owner), undo(owner)
{
    header.setOwner(owner);
    structureChanged();
}

DatabaseState::~DatabaseState() { structureChanged(); }

AcDbStub* DatabaseState::newStub(Adesk::UInt64 handle)
{
    // While a file is read, a stub without a handle of its own is the host's addition.
    const bool provisional = handle == 0 && loading > 0;
    if (handle == 0) {
        while (byHandle.contains(nextHandle)) ++nextHandle;
        handle = nextHandle++;
    } else if (handle >= nextHandle) {
        nextHandle = handle + 1;
    }
    AcDbStub& stub = stubs.emplace_back();
    stub.database = db;
    stub.handle = handle;
    stub.order = static_cast<std::uint32_t>(stubs.size() - 1);
    stub.provisional = provisional;
    byHandle.set(handle, &stub);
    return &stub;
}

void DatabaseState::releaseProvisional(Adesk::UInt64 handle)
{
    AcDbStub* stub = findStub(handle);
    if (stub == nullptr || !stub->provisional) return;
    while (byHandle.contains(nextHandle)) ++nextHandle;
    rehandle(stub, nextHandle++);
}

void DatabaseState::rehandle(AcDbStub* stub, Adesk::UInt64 handle)
{
    byHandle.erase(stub->handle);
    stub->handle = handle;
    byHandle.set(handle, stub);
    if (handle >= nextHandle) nextHandle = handle + 1;
}

AcDbStub* DatabaseState::findStub(Adesk::UInt64 handle) const { return byHandle.find(handle); }

void bindObject(AcDbStub* stub, AcDbObject* obj)
{
    stub->object = obj;
    stub->reserved = false;
    stateOf(obj).stub = stub;
    if (!stateOf(obj).closed()) stateOf(stub->database).noteOpened(stub);
}

void destroyObject(AcDbStub* stub)
{
    AcDbObject* obj = stub->object;
    if (obj == nullptr) return;
    sendGoodbye(obj);
    stub->object = nullptr;
    stateOf(obj).stub = nullptr;
    delete obj;
}

std::vector<AcDbObjectId> allObjectIds(const AcDbDatabase* db)
{
    std::vector<AcDbObjectId> ids;
    const DatabaseState& ds = stateOf(db);
    ids.reserve(ds.stubs.size());
    for (const AcDbStub& stub : ds.stubs)
        if (stub.isLive()) ids.emplace_back(const_cast<AcDbStub*>(&stub));
    return ids;
}

std::vector<DxfClassRecord>& dxfClasses(AcDbDatabase* db) { return stateOf(db).dxfClasses; }

std::shared_ptr<void>& attachment(AcDbDatabase* db, const std::string& key) { return stateOf(db).attachments[key]; }

void setFileName(AcDbDatabase* db, const std::string& fileName) { stateOf(db).fileName = fileName; }

namespace {

// Points a state and everything in it at the database that now holds it.
void adopt(DatabaseState& ds, AcDbDatabase* db)
{
    ds.db = db;
    for (AcDbStub& stub : ds.stubs) stub.database = db;
    ds.header.setOwner(db);
    ds.undo.setDatabase(db);
    ds.classObserver = makeProxyClassObserver(db);
}

}  // namespace

void swapDatabaseContents(AcDbDatabase* a, AcDbDatabase* b)
{
    if (a == b || a == nullptr || b == nullptr) return;
    std::swap(a->mpState, b->mpState);
    // Reactors belong to the database object, not to the drawing it holds.
    std::swap(a->mpState->reactors, b->mpState->reactors);
    adopt(*a->mpState, a);
    adopt(*b->mpState, b);
}

}  // namespace arx::db

using arx::db::DatabaseState;
using arx::db::stateOf;

ACRX_DEFINE_MEMBERS_COMMON(AcDbDatabase)
void AcDbDatabase::rxInit() { gpDesc = newAcRxClass("AcDbDatabase", "AcRxObject"); }

AcDbDatabase::AcDbDatabase(bool buildDefaultDrawing, bool) : mpState(new DatabaseState(this))
{
    arx::db::ensureDatabaseClasses();
    mpState->classObserver = arx::db::makeProxyClassObserver(this);
    arx::db::addDefaultHeaderVars(mpState->header);
    if (buildDefaultDrawing) {
        // A new drawing starts with no history: what building it did cannot be undone.
        mpState->undo.setDisabled(true);
        arx::db::buildDefaultDrawing(this);
        mpState->undo.setDisabled(false);
    }
}

AcDbDatabase::~AcDbDatabase()
{
    DatabaseState& ds = *mpState;
    ds.classObserver.reset();
    std::vector<AcDbDatabaseReactor*> reactors = ds.reactors;
    for (AcDbDatabaseReactor* r : reactors) r->goodbye(this);
    ds.destroying = true;
    if (acdbHostApplicationServices()->workingDatabase() == this)
        acdbHostApplicationServices()->setWorkingDatabase(nullptr);
    for (AcDbStub& stub : ds.stubs) arx::db::destroyObject(&stub);
    delete mpState;
}

Acad::ErrorStatus AcDbDatabase::addAcDbObject(AcDbObject* pObj)
{
    AcDbObjectId id;
    return addAcDbObject(id, pObj);
}

Acad::ErrorStatus AcDbDatabase::addAcDbObject(AcDbObjectId& objId, AcDbObject* pObj)
{
    objId.setNull();
    if (pObj == nullptr) return Acad::eNullObjectPointer;
    arx::db::ObjectState& st = arx::db::stateOf(pObj);
    if (st.resident()) return Acad::eAlreadyInDb;
    AcDbStub* stub = mpState->newStub();
    arx::db::bindObject(stub, pObj);
    st.writer = true;
    st.resetWriteOpen();
    mpState->noteOpened(stub);
    st.appendedInOpen = true;
    arx::db::recordAppend(pObj);
    mpState->changed();
    objId = AcDbObjectId(stub);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDatabase::getAcDbObjectId(AcDbObjectId& retId, bool createIfNotFound, const AcDbHandle& objHandle,
                                                Adesk::UInt32)
{
    retId.setNull();
    if (objHandle.isNull()) return Acad::eNullHandle;
    AcDbStub* stub = mpState->findStub(objHandle.value());
    if (stub == nullptr) {
        if (!createIfNotFound) return Acad::eUnknownHandle;
        stub = mpState->newStub(objHandle.value());
        stub->reserved = true;
    }
    retId = AcDbObjectId(stub);
    return Acad::eOk;
}

namespace {

template <class T>
Acad::ErrorStatus openStandard(AcDbObjectId id, T*& p, AcDb::OpenMode mode)
{
    p = nullptr;
    if (id.isNull()) return Acad::eNullObjectId;
    return acdbOpenObject(p, id, mode);
}

AcDbObjectId namedEntry(const AcDbDatabase* db, const char* key)
{
    return arx::db::findEntry(db->namedObjectsDictionaryId(), key);
}

}  // namespace

Acad::ErrorStatus AcDbDatabase::getBlockTable(AcDbBlockTable*& p, AcDb::OpenMode m)
{
    return openStandard(mpState->blockTable, p, m);
}
Acad::ErrorStatus AcDbDatabase::getLayerTable(AcDbLayerTable*& p, AcDb::OpenMode m)
{
    return openStandard(mpState->layerTable, p, m);
}
Acad::ErrorStatus AcDbDatabase::getTextStyleTable(AcDbTextStyleTable*& p, AcDb::OpenMode m)
{
    return openStandard(mpState->textStyleTable, p, m);
}
Acad::ErrorStatus AcDbDatabase::getLinetypeTable(AcDbLinetypeTable*& p, AcDb::OpenMode m)
{
    return openStandard(mpState->linetypeTable, p, m);
}
Acad::ErrorStatus AcDbDatabase::getViewTable(AcDbViewTable*& p, AcDb::OpenMode m)
{
    return openStandard(mpState->viewTable, p, m);
}
Acad::ErrorStatus AcDbDatabase::getUCSTable(AcDbUCSTable*& p, AcDb::OpenMode m)
{
    return openStandard(mpState->ucsTable, p, m);
}
Acad::ErrorStatus AcDbDatabase::getViewportTable(AcDbViewportTable*& p, AcDb::OpenMode m)
{
    return openStandard(mpState->viewportTable, p, m);
}
Acad::ErrorStatus AcDbDatabase::getRegAppTable(AcDbRegAppTable*& p, AcDb::OpenMode m)
{
    return openStandard(mpState->regAppTable, p, m);
}
Acad::ErrorStatus AcDbDatabase::getDimStyleTable(AcDbDimStyleTable*& p, AcDb::OpenMode m)
{
    return openStandard(mpState->dimStyleTable, p, m);
}

AcDbObjectId AcDbDatabase::blockTableId() const { return mpState->blockTable; }
AcDbObjectId AcDbDatabase::layerTableId() const { return mpState->layerTable; }
AcDbObjectId AcDbDatabase::textStyleTableId() const { return mpState->textStyleTable; }
AcDbObjectId AcDbDatabase::linetypeTableId() const { return mpState->linetypeTable; }
AcDbObjectId AcDbDatabase::viewTableId() const { return mpState->viewTable; }
AcDbObjectId AcDbDatabase::UCSTableId() const { return mpState->ucsTable; }
AcDbObjectId AcDbDatabase::viewportTableId() const { return mpState->viewportTable; }
AcDbObjectId AcDbDatabase::regAppTableId() const { return mpState->regAppTable; }
AcDbObjectId AcDbDatabase::dimStyleTableId() const { return mpState->dimStyleTable; }

Acad::ErrorStatus AcDbDatabase::getNamedObjectsDictionary(AcDbDictionary*& p, AcDb::OpenMode m)
{
    return openStandard(mpState->namedObjects, p, m);
}
Acad::ErrorStatus AcDbDatabase::getLayoutDictionary(AcDbDictionary*& p, AcDb::OpenMode m)
{
    return openStandard(layoutDictionaryId(), p, m);
}
Acad::ErrorStatus AcDbDatabase::getGroupDictionary(AcDbDictionary*& p, AcDb::OpenMode m)
{
    return openStandard(groupDictionaryId(), p, m);
}
Acad::ErrorStatus AcDbDatabase::getMLStyleDictionary(AcDbDictionary*& p, AcDb::OpenMode m)
{
    return openStandard(mLStyleDictionaryId(), p, m);
}
Acad::ErrorStatus AcDbDatabase::getPlotSettingsDictionary(AcDbDictionary*& p, AcDb::OpenMode m)
{
    return openStandard(plotSettingsDictionaryId(), p, m);
}
Acad::ErrorStatus AcDbDatabase::getPlotStyleNameDictionary(AcDbDictionary*& p, AcDb::OpenMode m)
{
    return openStandard(plotStyleNameDictionaryId(), p, m);
}

AcDbObjectId AcDbDatabase::namedObjectsDictionaryId() const { return mpState->namedObjects; }
AcDbObjectId AcDbDatabase::layoutDictionaryId() const { return namedEntry(this, "ACAD_LAYOUT"); }
AcDbObjectId AcDbDatabase::groupDictionaryId() const { return namedEntry(this, "ACAD_GROUP"); }
AcDbObjectId AcDbDatabase::mLStyleDictionaryId() const { return namedEntry(this, "ACAD_MLINESTYLE"); }
AcDbObjectId AcDbDatabase::plotSettingsDictionaryId() const { return namedEntry(this, "ACAD_PLOTSETTINGS"); }
AcDbObjectId AcDbDatabase::plotStyleNameDictionaryId() const { return namedEntry(this, "ACAD_PLOTSTYLENAME"); }

namespace {

AcDbObjectId recordIn(AcDbObjectId tableId, const char* name) { return arx::db::findRecord(tableId, name); }

}  // namespace

AcDbObjectId AcDbDatabase::byLayerLinetype() const { return recordIn(mpState->linetypeTable, "ByLayer"); }
AcDbObjectId AcDbDatabase::byBlockLinetype() const { return recordIn(mpState->linetypeTable, "ByBlock"); }
AcDbObjectId AcDbDatabase::continuousLinetype() const { return recordIn(mpState->linetypeTable, "Continuous"); }

AcDbObjectId AcDbDatabase::currentSpaceId() const
{
    AcDbObjectId space = mpState->currentSpace;
    if (!space.isNull() && space.stub()->isLive() && !space.isErased()) return space;
    return recordIn(mpState->blockTable, ACDB_MODEL_SPACE);
}

void AcDbDatabase::addReactor(AcDbDatabaseReactor* pReactor) const
{
    auto& reactors = mpState->reactors;
    if (pReactor && std::find(reactors.begin(), reactors.end(), pReactor) == reactors.end())
        reactors.push_back(pReactor);
}

void AcDbDatabase::removeReactor(AcDbDatabaseReactor* pReactor) const
{
    auto& reactors = mpState->reactors;
    reactors.erase(std::remove(reactors.begin(), reactors.end(), pReactor), reactors.end());
}

bool AcDbDatabase::undoRecording() const { return !mpState->undo.disabled(); }
void AcDbDatabase::disableUndoRecording(bool disable) { mpState->undo.setDisabled(disable); }

Acad::ErrorStatus AcDbDatabase::getFilename(const char*& pOutput) const
{
    pOutput = mpState->fileName.c_str();
    return Acad::eOk;
}

int AcDbDatabase::approxNumObjects() const
{
    int count = 0;
    for (const AcDbStub& stub : mpState->stubs)
        if (stub.isLive()) ++count;
    return count;
}

AcDbHandle AcDbDatabase::handseed() const { return AcDbHandle(mpState->nextHandle); }

Acad::ErrorStatus AcDbDatabase::setHandseed(const AcDbHandle& handle)
{
    if (handle.value() < mpState->nextHandle) return Acad::eInvalidInput;
    mpState->nextHandle = handle.value();
    return Acad::eOk;
}
