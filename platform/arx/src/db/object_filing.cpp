// AcDbObject: the frames of filing and the object's own data (owner, extension
// dictionary, persistent reactors, extended data) in both filer families.
#include <strings.h>

#include <algorithm>

#include "dbdict.h"
#include "dbsymtb.h"
#include "db/database_state.h"
#include "db/dxf_item_filer.h"
#include "db/item_filing.h"
#include "db/memory_dwg_filer.h"
#include "db/object_state.h"
#include "db/proxy_support.h"

using arx::db::DxfItem;
using arx::db::DxfItemList;
using arx::db::ObjectState;
using arx::db::stateOf;

namespace {

bool takesOwnerFrom(AcDb::FilerType type)
{
    // Copies and clones keep the owner their cloner gave them.
    return type == AcDb::kUndoFiler || type == AcDb::kFileFiler || type == AcDb::kIdXlateFiler ||
           type == AcDb::kPageFiler;
}

void writeXData(AcDbDwgFiler* filer, const std::vector<arx::db::XDataApp>& xdata)
{
    filer->writeInt32(static_cast<Adesk::Int32>(xdata.size()));
    for (const auto& app : xdata) {
        filer->writeString(app.appName.c_str());
        arx::db::writeItems(filer, app.items);
    }
}

Acad::ErrorStatus readXData(AcDbDwgFiler* filer, std::vector<arx::db::XDataApp>& xdata)
{
    xdata.clear();
    Adesk::Int32 count = 0;
    if (filer->readInt32(&count) != Acad::eOk || count < 0) return Acad::eFilerError;
    for (Adesk::Int32 i = 0; i < count; ++i) {
        arx::db::XDataApp app;
        char* name = nullptr;
        if (filer->readString(&name) != Acad::eOk) return Acad::eFilerError;
        app.appName = name;
        delete[] name;
        Acad::ErrorStatus es = arx::db::readItems(filer, app.items);
        if (es != Acad::eOk) return es;
        xdata.push_back(std::move(app));
    }
    return Acad::eOk;
}

void setPersistentReactors(ObjectState& st, const std::vector<AcDbObjectId>& ids)
{
    AcDbVoidPtrArray kept;
    for (void* entry : st.reactors)
        if (!arx::db::isPersistentEntry(entry)) kept.append(entry);
    for (AcDbObjectId id : ids)
        if (!id.isNull()) kept.append(arx::db::encodePersistentReactor(id));
    st.reactors = kept;
}

std::vector<AcDbObjectId> persistentReactors(const ObjectState& st)
{
    std::vector<AcDbObjectId> ids;
    for (void* entry : st.reactors)
        if (arx::db::isPersistentEntry(entry)) ids.push_back(arx::db::decodePersistentReactor(entry));
    return ids;
}

}  // namespace

Acad::ErrorStatus AcDbObject::dwgIn(AcDbDwgFiler* pFiler)
{
    if (pFiler == nullptr) return Acad::eNullObjectPointer;
    return dwgInFields(pFiler);
}

Acad::ErrorStatus AcDbObject::dwgOut(AcDbDwgFiler* pFiler) const
{
    if (pFiler == nullptr) return Acad::eNullObjectPointer;
    return dwgOutFields(pFiler);
}

Acad::ErrorStatus AcDbObject::dwgOutFields(AcDbDwgFiler* pFiler) const
{
    assertReadEnabled();
    const ObjectState& st = *objectState();
    pFiler->writeSoftPointerId(st.owner);
    pFiler->writeHardOwnershipId(st.extDict);
    std::vector<AcDbObjectId> reactors = persistentReactors(st);
    pFiler->writeInt32(static_cast<Adesk::Int32>(reactors.size()));
    for (AcDbObjectId id : reactors) pFiler->writeSoftPointerId(id);
    writeXData(pFiler, st.xdata);
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbObject::dwgInFields(AcDbDwgFiler* pFiler)
{
    assertWriteEnabled();
    ObjectState& st = *objectState();
    AcDbSoftPointerId owner;
    AcDbHardOwnershipId extDict;
    if (pFiler->readSoftPointerId(&owner) != Acad::eOk || pFiler->readHardOwnershipId(&extDict) != Acad::eOk)
        return pFiler->filerStatus();
    Adesk::Int32 count = 0;
    if (pFiler->readInt32(&count) != Acad::eOk || count < 0) return Acad::eFilerError;
    std::vector<AcDbObjectId> reactors;
    for (Adesk::Int32 i = 0; i < count; ++i) {
        AcDbSoftPointerId id;
        if (pFiler->readSoftPointerId(&id) != Acad::eOk) return pFiler->filerStatus();
        reactors.push_back(id);
    }
    std::vector<arx::db::XDataApp> xdata;
    Acad::ErrorStatus es = readXData(pFiler, xdata);
    if (es != Acad::eOk) return es;

    AcDb::FilerType type = pFiler->filerType();
    if (takesOwnerFrom(type)) st.owner = owner;
    // A plain copy does not share the original's extension dictionary; a clone points at it
    // until id translation gives it the cloned one.
    st.extDict = type == AcDb::kCopyFiler ? AcDbObjectId() : AcDbObjectId(extDict);
    setPersistentReactors(st, reactors);
    st.xdata = std::move(xdata);
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbObject::dxfOutFields(AcDbDxfFiler* pFiler) const
{
    assertReadEnabled();
    const ObjectState& st = *objectState();
    AcDbHandle handle;
    getAcDbHandle(handle);
    // Dimension styles carry their handle in group 105.
    pFiler->writeAcDbHandle(AcDbDimStyleTableRecord::cast(this) ? AcDb::kDxfDimVarHandle : AcDb::kDxfHandle, handle);
    std::vector<AcDbObjectId> reactors = persistentReactors(st);
    if (!reactors.empty()) {
        pFiler->writeString(AcDb::kDxfControlString, "{ACAD_REACTORS");
        for (AcDbObjectId id : reactors) pFiler->writeObjectId(AcDb::kDxfSoftPointerId, id);
        pFiler->writeString(AcDb::kDxfControlString, "}");
    }
    if (!st.extDict.isNull()) {
        pFiler->writeString(AcDb::kDxfControlString, "{ACAD_XDICTIONARY");
        pFiler->writeObjectId(AcDb::kDxfHardOwnershipId, st.extDict);
        pFiler->writeString(AcDb::kDxfControlString, "}");
    }
    pFiler->writeObjectId(AcDb::kDxfSoftPointerId, st.owner);
    return pFiler->filerStatus();
}

// Reads the object header groups (handle, reactors, extension dictionary, other
// application groups in braces, owner) up to the first group that is none of them. Only a
// file filer takes them over: lists of entmake and entmod cannot change them.
Acad::ErrorStatus AcDbObject::dxfInFields(AcDbDxfFiler* pFiler)
{
    assertWriteEnabled();
    ObjectState& st = *objectState();
    bool fromFile = pFiler->filerType() == AcDb::kFileFiler;
    resbuf rb;
    while (pFiler->readItem(&rb) == Acad::eOk) {
        if (rb.restype == AcDb::kDxfHandle || rb.restype == AcDb::kDxfDimVarHandle) continue;
        if (rb.restype == AcDb::kDxfSoftPointerId) {
            if (fromFile) {
                AcDbObjectId owner;
                owner.setFromOldId(rb.resval.rlname[0]);
                st.owner = owner;
            }
            continue;
        }
        if (rb.restype != AcDb::kDxfControlString) {
            pFiler->pushBackItem();
            break;
        }
        std::string group = rb.resval.rstring ? rb.resval.rstring : "";
        if (group.empty() || group[0] != '{') return Acad::eBadDxfSequence;
        std::vector<AcDbObjectId> ids;
        bool closed = false;
        while (pFiler->readItem(&rb) == Acad::eOk) {
            if (rb.restype == AcDb::kDxfControlString && rb.resval.rstring && std::string(rb.resval.rstring) == "}") {
                closed = true;
                break;
            }
            if (arx::db::kindOfCode(rb.restype) == DxfItem::Kind::Id) {
                AcDbObjectId id;
                id.setFromOldId(rb.resval.rlname[0]);
                ids.push_back(id);
            }
        }
        if (!closed) return Acad::eBadDxfSequence;
        if (!fromFile) continue;
        if (strcasecmp(group.c_str(), "{ACAD_REACTORS") == 0) setPersistentReactors(st, ids);
        else if (strcasecmp(group.c_str(), "{ACAD_XDICTIONARY") == 0)
            st.extDict = ids.empty() ? AcDbObjectId() : ids.front();
    }
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbObject::dxfIn(AcDbDxfFiler* pFiler)
{
    if (pFiler == nullptr) return Acad::eNullObjectPointer;
    resbuf rb;
    if (pFiler->readItem(&rb) == Acad::eOk && rb.restype != AcDb::kDxfStart) pFiler->pushBackItem();
    Acad::ErrorStatus es = dxfInFields(pFiler);
    if (es != Acad::eOk) return es;
    // Extended data follows the class's groups; what the class left unread before it is
    // passed over.
    std::vector<arx::db::XDataApp> xdata;
    while (pFiler->readItem(&rb) == Acad::eOk) {
        DxfItem item;
        if (rb.restype == AcDb::kDxfRegAppName) {
            xdata.push_back({rb.resval.rstring ? rb.resval.rstring : "", {}});
            continue;
        }
        if (xdata.empty() || !arx::db::isXDataCode(rb.restype)) continue;
        if (arx::db::itemFromResbuf(rb, item)) xdata.back().items.push_back(std::move(item));
    }
    if (!xdata.empty()) {
        ObjectState& st = *objectState();
        for (auto& app : xdata) {
            auto it = std::find_if(st.xdata.begin(), st.xdata.end(), [&](const arx::db::XDataApp& a) {
                return strcasecmp(a.appName.c_str(), app.appName.c_str()) == 0;
            });
            if (it != st.xdata.end()) it->items = std::move(app.items);
            else st.xdata.push_back(std::move(app));
        }
        st.modifiedXData = true;
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbObject::dxfOut(AcDbDxfFiler* pFiler, Adesk::Boolean allXdFlag, Adesk::UInt8*) const
{
    if (pFiler == nullptr) return Acad::eNullObjectPointer;
    pFiler->writeString(AcDb::kDxfStart, arx::db::dxfNameOf(this).c_str());
    Acad::ErrorStatus es = dxfOutFields(pFiler);
    if (es != Acad::eOk) return es;
    const ObjectState& st = *objectState();
    if (allXdFlag && !st.xdata.empty()) {
        pFiler->writeXDataStart();
        for (const auto& app : st.xdata) {
            pFiler->writeString(AcDb::kDxfRegAppName, app.appName.c_str());
            for (const DxfItem& item : app.items) arx::db::writeItemTo(pFiler, item);
        }
    }
    return pFiler->filerStatus();
}

AcRxObject* AcDbObject::clone() const
{
    AcRxClass* cls = isA();
    AcDbObject* copy = cls ? AcDbObject::cast(cls->create()) : nullptr;
    if (copy == nullptr) return nullptr;
    arx::db::MemoryDwgFiler filer(AcDb::kCopyFiler, database());
    if (dwgOut(&filer) != Acad::eOk) {
        delete copy;
        return nullptr;
    }
    filer.rewind();
    if (copy->dwgIn(&filer) != Acad::eOk) {
        delete copy;
        return nullptr;
    }
    stateOf(copy).owner = objectState()->owner;
    return copy;
}

Acad::ErrorStatus AcDbObject::copyFrom(const AcRxObject* pSrc)
{
    const AcDbObject* src = AcDbObject::cast(pSrc);
    if (src == nullptr) return Acad::eWrongObjectType;
    if (src->isA() != isA()) return Acad::eNotThatKindOfClass;
    arx::db::MemoryDwgFiler filer(AcDb::kCopyFiler, src->database());
    Acad::ErrorStatus es = src->dwgOut(&filer);
    if (es != Acad::eOk) return es;
    filer.rewind();
    AcDbObjectId extDict = objectState()->extDict;
    es = dwgIn(&filer);
    objectState()->extDict = extDict;
    return es;
}

// Extension dictionary.

Acad::ErrorStatus AcDbObject::createExtensionDictionary()
{
    ObjectState& st = *objectState();
    if (!st.resident()) return Acad::eNoDatabase;
    if (!st.writer) return Acad::eNotOpenForWrite;
    if (!st.extDict.isNull() && st.extDict.stub()->isLive() && !st.extDict.isErased()) return Acad::eAlreadyInDb;
    auto* dict = new AcDbDictionary();
    AcDbObjectId dictId;
    Acad::ErrorStatus es = database()->addAcDbObject(dictId, dict);
    if (es != Acad::eOk) {
        delete dict;
        return es;
    }
    dict->setOwnerId(objectId());
    dict->close();
    assertWriteEnabled();
    st.extDict = dictId;
    return Acad::eOk;
}

AcDbObjectId AcDbObject::extensionDictionary() const
{
    assertReadEnabled();
    const ObjectState& st = *objectState();
    if (st.extDict.isNull() || !st.extDict.stub()->isLive() || st.extDict.isErased()) return AcDbObjectId();
    return st.extDict;
}

Acad::ErrorStatus AcDbObject::releaseExtensionDictionary()
{
    ObjectState& st = *objectState();
    if (!st.writer && st.resident()) return Acad::eNotOpenForWrite;
    if (st.extDict.isNull()) return Acad::eOk;
    AcDbDictionary* dict = nullptr;
    Acad::ErrorStatus es = acdbOpenObject(dict, st.extDict, AcDb::kForWrite, true);
    if (es == Acad::eOk) {
        if (dict->numEntries() > 0) {
            dict->close();
            return Acad::eContainerNotEmpty;
        }
        if (!dict->isErased()) dict->erase();
        dict->close();
    }
    assertWriteEnabled();
    st.extDict.setNull();
    return Acad::eOk;
}

// Reactors.

void AcDbObject::addReactor(AcDbObjectReactor* newObj) const
{
    if (newObj == nullptr) return;
    ObjectState& st = *objectState();
    if (!st.reactors.contains(newObj)) st.reactors.append(newObj);
}

void AcDbObject::removeReactor(AcDbObjectReactor* newObj) const { objectState()->reactors.remove(newObj); }

void AcDbObject::addPersistentReactor(AcDbObjectId objId)
{
    if (objId.isNull()) return;
    ObjectState& st = *objectState();
    void* entry = arx::db::encodePersistentReactor(objId);
    if (st.reactors.contains(entry)) return;
    assertWriteEnabled();
    st.reactors.append(entry);
}

Acad::ErrorStatus AcDbObject::removePersistentReactor(AcDbObjectId objId)
{
    ObjectState& st = *objectState();
    void* entry = arx::db::encodePersistentReactor(objId);
    if (!st.reactors.contains(entry)) return Acad::eKeyNotFound;
    if (st.resident() && !st.writer && !st.undoing) return Acad::eNotOpenForWrite;
    assertWriteEnabled();
    st.reactors.remove(entry);
    return Acad::eOk;
}

bool AcDbObject::hasPersistentReactor(AcDbObjectId objId) const
{
    return objectState()->reactors.contains(arx::db::encodePersistentReactor(objId));
}

const AcDbVoidPtrArray* AcDbObject::reactors() const { return &objectState()->reactors; }

bool acdbIsPersistentReactor(void* pSomething) { return arx::db::isPersistentEntry(pSomething); }

AcDbObjectId acdbPersistentReactorObjectId(void* pSomething)
{
    if (!arx::db::isPersistentEntry(pSomething)) return AcDbObjectId();
    return arx::db::decodePersistentReactor(pSomething);
}
