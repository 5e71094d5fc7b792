// The four reactor objects of the association store.
#include "assoc/association_store.h"
#include "assoc/ms_vp_pers_reactor.h"
#include "assoc/store_access.h"

namespace kestra {

namespace {

constexpr const char* kReactorKeys[] = {kMarkReactorKey, kViewportReactorKey, kClipReactorKey, kOutlineReactorKey};

}  // namespace

Acad::ErrorStatus getReactorObject(const char* storeName, const char* key, bool create, AcDbObjectId& id)
{
    id.setNull();
    ObjectOpener<AcDbDictionary> store;
    Acad::ErrorStatus status = openStore(storeName, AcDb::kForRead, create, store);
    if (status != Acad::eOk) return status;
    if (store->getAt(key, id) == Acad::eOk) return Acad::eOk;
    if (!create) return Acad::eKeyNotFound;
    status = store.upgradeOpen();
    if (status != Acad::eOk) return status;
    ObjectOpener<MsVpPersReactor> reactor;
    status = openEntry(*store, key, AcDb::kForWrite, true, reactor);
    if (status == Acad::eOk) id = reactor->objectId();
    return status;
}

ReactorObjects getReactorObjects()
{
    ReactorObjects reactors;
    getReactorObject(kStoreName, kMarkReactorKey, true, reactors.mark);
    getReactorObject(kStoreName, kOutlineReactorKey, true, reactors.outline);
    getReactorObject(kStoreName, kViewportReactorKey, true, reactors.viewport);
    getReactorObject(kStoreName, kClipReactorKey, true, reactors.clip);
    return reactors;
}

Acad::ErrorStatus dropStore()
{
    AcDbDatabase* db = workingDatabase();
    if (db == nullptr) return Acad::eNoDatabase;
    ObjectOpener<AcDbDictionary> named(db->namedObjectsDictionaryId(), AcDb::kForWrite);
    if (!named) return named.openStatus();
    AcDbObjectId storeId;
    if (named->getAt(kStoreName, storeId) != Acad::eOk) return Acad::eKeyNotFound;
    ObjectOpener<AcDbDictionary> store(storeId, AcDb::kForWrite);
    if (!store) return store.openStatus();
    bool failed = false;
    for (const char* key : kReactorKeys)
        if (store->has(key) && store->remove(key) != Acad::eOk) failed = true;
    AcDbObjectId indexId;
    if (store->getAt(kIndexKey, indexId) == Acad::eOk) {
        ObjectOpener<AcDbObject> index(indexId, AcDb::kForWrite);
        if (!index || index->erase() != Acad::eOk) failed = true;
    }
    if (named->remove(storeId) != Acad::eOk || store->erase() != Acad::eOk) failed = true;
    return failed ? Acad::eNotApplicable : Acad::eOk;
}

bool hasPersistentReactor(const AcDbObject& object, AcDbObjectId reactorId)
{
    const AcDbVoidPtrArray* reactors = object.reactors();
    if (reactors == nullptr) return false;
    for (int i = 0; i < reactors->length(); ++i) {
        void* entry = reactors->at(i);
        if (acdbIsPersistentReactor(entry) && acdbPersistentReactorObjectId(entry) == reactorId) return true;
    }
    return false;
}

}  // namespace kestra
