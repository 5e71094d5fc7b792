// The open calls: acdbOpenAcDbObject and acdbOpenAcDbEntity.
#include "dbsymtb.h"
#include "db/database_state.h"
#include "db/object_state.h"
#include "db/open_rules.h"

namespace arx::db {

bool isOnLockedLayer(const AcDbObject* obj)
{
    const AcDbEntity* ent = AcDbEntity::cast(obj);
    if (ent == nullptr) return false;
    AcDbObjectId layerId = ent->layerId();
    if (layerId.isNull() || layerId.stub()->object == nullptr) return false;
    const AcDbLayerTableRecord* layer = AcDbLayerTableRecord::cast(layerId.stub()->object);
    return layer != nullptr && layer->isLocked();
}

namespace {

Acad::ErrorStatus findObject(AcDbObjectId id, bool openErased, AcDbObject*& obj)
{
    obj = nullptr;
    if (id.isNull()) return Acad::eNullObjectId;
    AcDbStub* stub = id.stub();
    if (stub->object == nullptr || stub->unappended) return Acad::ePermanentlyErased;
    if (stub->erased && !openErased) return Acad::eWasErased;
    obj = stub->object;
    return Acad::eOk;
}

Acad::ErrorStatus checkOpen(const ObjectState& st, AcDb::OpenMode mode)
{
    switch (mode) {
    case AcDb::kForRead:
        if (st.writer) return Acad::eWasOpenForWrite;
        if (st.notifyOpen || st.notifying > 0) return Acad::eWasOpenForNotify;
        if (st.readers >= kMaxReaders) return Acad::eAtMaxReaders;
        return Acad::eOk;
    case AcDb::kForWrite:
        if (st.notifying > 0) return Acad::eWasNotifying;
        if (st.writer) return Acad::eWasOpenForWrite;
        if (st.readers > 0) return Acad::eWasOpenForRead;
        if (st.notifyOpen) return Acad::eWasOpenForNotify;
        return Acad::eOk;
    case AcDb::kForNotify:
        if (st.notifyOpen) return Acad::eWasOpenForNotify;
        return Acad::eOk;
    default: return Acad::eInvalidInput;
    }
}

void markOpen(ObjectState& st, AcDb::OpenMode mode)
{
    if (st.stub != nullptr) stateOf(st.stub->database).noteOpened(st.stub);
    if (mode == AcDb::kForRead) {
        ++st.readers;
    } else if (mode == AcDb::kForWrite) {
        st.writer = true;
        st.resetWriteOpen();
    } else {
        st.notifyOpen = true;
    }
}

}  // namespace

Acad::ErrorStatus openForInternalWrite(AcDbObject*& obj, AcDbObjectId id)
{
    Acad::ErrorStatus es = findObject(id, true, obj);
    if (es != Acad::eOk) return es;
    ObjectState& st = stateOf(obj);
    es = checkOpen(st, AcDb::kForWrite);
    if (es != Acad::eOk) {
        obj = nullptr;
        return es;
    }
    markOpen(st, AcDb::kForWrite);
    return Acad::eOk;
}

}  // namespace arx::db

Acad::ErrorStatus acdbOpenAcDbObject(AcDbObject*& pObj, AcDbObjectId id, AcDb::OpenMode mode, bool openErasedObject,
                                     bool openOnLockedLayer)
{
    using namespace arx::db;
    pObj = nullptr;
    AcDbObject* obj = nullptr;
    Acad::ErrorStatus es = findObject(id, openErasedObject, obj);
    if (es != Acad::eOk) return es;
    ObjectState& st = stateOf(obj);
    es = checkOpen(st, mode);
    if (es != Acad::eOk) return es;
    if (mode == AcDb::kForWrite && !openOnLockedLayer && isOnLockedLayer(obj)) return Acad::eOnLockedLayer;
    markOpen(st, mode);
    // subOpen is called with the object already open in that mode, so it can read itself;
    // a refusal undoes the open.
    es = obj->subOpen(mode);
    if (es != Acad::eOk) {
        if (mode == AcDb::kForRead) --st.readers;
        else if (mode == AcDb::kForWrite) st.writer = false;
        else st.notifyOpen = false;
        return es;
    }
    pObj = obj;
    return Acad::eOk;
}

Acad::ErrorStatus acdbOpenAcDbEntity(AcDbEntity*& pEnt, AcDbObjectId id, AcDb::OpenMode mode, bool openErasedEntity,
                                     bool openOnLockedLayer)
{
    pEnt = nullptr;
    if (id.isNull()) return Acad::eNullObjectId;
    AcDbStub* stub = id.stub();
    if (stub->object != nullptr && !stub->unappended && AcDbEntity::cast(stub->object) == nullptr)
        return Acad::eNotAnEntity;
    AcDbObject* obj = nullptr;
    Acad::ErrorStatus es = acdbOpenAcDbObject(obj, id, mode, openErasedEntity, openOnLockedLayer);
    if (es != Acad::eOk) return es;
    pEnt = AcDbEntity::cast(obj);
    return Acad::eOk;
}
