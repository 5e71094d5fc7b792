#include "db/proxy_conversion.h"

#include <strings.h>

#include <cstdio>

#include "db/database_state.h"
#include "db/dxf_item_filer.h"
#include "db/object_state.h"
#include "db/proxy_support.h"

namespace arx::db {

namespace {

// The new object takes over the old one's place: its id and handle, owner, extension
// dictionary, reactors and extended data. The old one is deleted.
void replaceInStub(AcDbStub* stub, AcDbObject* replacement)
{
    AcDbObject* old = stub->object;
    ObjectState& from = stateOf(old);
    ObjectState& to = stateOf(replacement);
    to.owner = from.owner;
    to.extDict = from.extDict;
    to.reactors = from.reactors;
    to.xdata = from.xdata;
    from.stub = nullptr;
    bindObject(stub, replacement);
    delete old;
    stateOf(stub->database).undo.forgetModifications(stub);
    stateOf(stub->database).changed();
}

void convertToProxy(AcDbStub* stub, AcRxClass* leaving)
{
    AcDbObject* obj = stub->object;
    ObjectState& st = stateOf(obj);
    ProxyOrigin origin;
    origin.dxfName = obj->isA()->dxfName();
    origin.className = obj->isA()->name();
    origin.appName = obj->isA()->appName();
    origin.proxyFlags = obj->isA()->proxyFlags();
    origin.isEntity = obj->isKindOf(AcDbEntity::desc());
    if (origin.dxfName.empty()) origin.dxfName = leaving->dxfName();
    // Filed out as for a drawing file, so that the proxy writes back what the object would.
    ++st.readers;
    DxfItemList items = proxyItemsOf(obj);
    --st.readers;
    AcDbObject* proxy = makeProxy(origin, std::move(items));
    if (proxy == nullptr) {
        std::fprintf(stderr, "The %s object with handle %llX cannot be kept as a proxy.\n", origin.className.c_str(),
                     static_cast<unsigned long long>(stub->handle));
        return;
    }
    const AcDbEntity* oldEntity = AcDbEntity::cast(obj);
    AcDbEntity* newEntity = AcDbEntity::cast(proxy);
    if (oldEntity && newEntity) {
        ++st.readers;
        newEntity->setPropertiesFrom(oldEntity);
        --st.readers;
    }
    replaceInStub(stub, proxy);
}

bool convertFromProxy(AcDbStub* stub, AcRxClass* arriving, const DxfItemList& items)
{
    AcDbObject* obj = AcDbObject::cast(arriving->create());
    if (obj == nullptr) return false;
    DxfItemFiler filer(AcDb::kFileFiler, stub->database, items);
    if (obj->dxfInFields(&filer) != Acad::eOk) {
        delete obj;
        return false;
    }
    replaceInStub(stub, obj);
    return true;
}

}  // namespace

ProxyClassObserver::ProxyClassObserver(AcDbDatabase* db) : mpDb(db) { acrxAddClassObserver(this); }
ProxyClassObserver::~ProxyClassObserver() { acrxRemoveClassObserver(this); }

void ProxyClassObserver::classRemoving(AcRxClass* cls)
{
    for (AcDbStub& stub : stateOf(mpDb).stubs) {
        AcDbObject* obj = stub.object;
        if (obj == nullptr || obj->isA() == nullptr || !obj->isA()->isDerivedFrom(cls)) continue;
        if (!stateOf(obj).closed()) {
            std::fprintf(stderr, "The %s object with handle %llX is open while its class is removed.\n",
                         obj->isA()->name(), static_cast<unsigned long long>(stub.handle));
            continue;
        }
        convertToProxy(&stub, cls);
    }
}

void ProxyClassObserver::classAdded(AcRxClass* cls)
{
    if (cls == nullptr || *cls->dxfName() == '\0') return;
    AcDbObjectIdArray resurrected;
    for (AcDbStub& stub : stateOf(mpDb).stubs) {
        AcDbObject* obj = stub.object;
        ProxyOrigin origin;
        const DxfItemList* items = nullptr;
        if (obj == nullptr || !obj->isAProxy() || !stateOf(obj).closed()) continue;
        // Read as the filer reads it: the proxy is opened for the moment of describing it.
        ObjectState& st = stateOf(obj);
        ++st.readers;
        const bool described = describeProxy(obj, origin, items) && items != nullptr;
        DxfItemList copy = described ? *items : DxfItemList{};
        --st.readers;
        if (!described || strcasecmp(origin.dxfName.c_str(), cls->dxfName()) != 0) continue;
        if (convertFromProxy(&stub, cls, copy)) resurrected.append(AcDbObjectId(&stub));
    }
    if (resurrected.isEmpty()) return;
    std::vector<AcDbDatabaseReactor*> reactors = stateOf(mpDb).reactors;
    for (AcDbDatabaseReactor* r : reactors) r->proxyResurrectionCompleted(mpDb, cls->appName(), resurrected);
}

std::unique_ptr<ProxyClassObserver> makeProxyClassObserver(AcDbDatabase* db)
{
    return std::make_unique<ProxyClassObserver>(db);
}

}  // namespace arx::db
