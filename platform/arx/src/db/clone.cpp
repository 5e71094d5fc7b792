// Cloning: AcDbObject::deepClone and wblockClone, AcDbDatabase::deepCloneObjects and
// wblockCloneObjects, and the id translation that ends a clone operation.
#include <strings.h>

#include <vector>

#include "dbdict.h"
#include "dbidmap.h"
#include "dbsymtb.h"
#include "db/database_state.h"
#include "db/id_map.h"
#include "db/memory_dwg_filer.h"
#include "db/notifications.h"
#include "db/object_state.h"
#include "db/open_rules.h"
#include "db/symbol_lookup.h"
#include "db/xdata_rules.h"

using arx::db::IdKind;
using arx::db::stateOf;

namespace {

bool alreadyMapped(const AcDbObject* obj, AcDbIdMapping& idMap)
{
    AcDbIdPair pair(obj->objectId(), AcDbObjectId(), false);
    return idMap.compute(pair);
}

// Puts a new clone under its owner in the owner's database.
Acad::ErrorStatus attachClone(AcDbObject* clone, AcRxObject* pOwner, AcDbDatabase* dest)
{
    AcDbObject* owner = AcDbObject::cast(pOwner);
    if (auto* block = AcDbBlockTableRecord::cast(owner); block && AcDbEntity::cast(clone))
        return block->appendAcDbEntity(AcDbEntity::cast(clone));
    if (auto* table = AcDbSymbolTable::cast(owner); table && AcDbSymbolTableRecord::cast(clone))
        return table->add(AcDbSymbolTableRecord::cast(clone));
    AcDbObjectId id;
    Acad::ErrorStatus es = dest->addAcDbObject(id, clone);
    if (es != Acad::eOk) return es;
    stateOf(clone).owner = owner ? owner->objectId() : AcDbObjectId();
    return Acad::eOk;
}

// Files obj into a new object of its class through the filer.
AcDbObject* copyThrough(const AcDbObject* obj, AcDbDeepCloneFiler& filer, Acad::ErrorStatus& es)
{
    AcRxClass* cls = obj->isA();
    AcDbObject* clone = cls ? AcDbObject::cast(cls->create()) : nullptr;
    if (clone == nullptr) {
        es = Acad::eNotApplicable;
        return nullptr;
    }
    es = obj->dwgOut(&filer);
    if (es == Acad::eOk) {
        filer.seek(0, AcDb::kSeekFromStart);
        es = clone->dwgIn(&filer);
    }
    if (es != Acad::eOk) {
        delete clone;
        return nullptr;
    }
    return clone;
}

AcDbObjectId tableOfRecord(const AcDbDatabase* db, const AcDbSymbolTableRecord* record)
{
    if (AcDbBlockTableRecord::cast(record)) return db->blockTableId();
    if (AcDbLayerTableRecord::cast(record)) return db->layerTableId();
    if (AcDbTextStyleTableRecord::cast(record)) return db->textStyleTableId();
    if (AcDbLinetypeTableRecord::cast(record)) return db->linetypeTableId();
    if (AcDbViewTableRecord::cast(record)) return db->viewTableId();
    if (AcDbUCSTableRecord::cast(record)) return db->UCSTableId();
    if (AcDbViewportTableRecord::cast(record)) return db->viewportTableId();
    if (AcDbRegAppTableRecord::cast(record)) return db->regAppTableId();
    if (AcDbDimStyleTableRecord::cast(record)) return db->dimStyleTableId();
    return AcDbObjectId();
}

// A hard pointer of a wblock clone: a record of the same name in the destination serves
// (duplicate record cloning "ignore"), otherwise the object is cloned there as well.
void wblockHardPointer(AcDbObjectId id, AcDbIdMapping& idMap, AcDbDatabase* dest)
{
    if (id.isNull() || id.database() == dest) return;
    AcDbIdPair pair(id, AcDbObjectId(), false);
    if (idMap.compute(pair)) return;
    AcDbObject* target = nullptr;
    if (acdbOpenAcDbObject(target, id, AcDb::kForRead) != Acad::eOk) return;
    if (auto* record = AcDbSymbolTableRecord::cast(target)) {
        const char* name = nullptr;
        record->getName(name);
        AcDbObjectId tableId = tableOfRecord(dest, record);
        AcDbObjectId existing = arx::db::findRecord(tableId, name);
        if (!existing.isNull() && idMap.duplicateRecordCloning() != AcDb::kDrcReplace) {
            idMap.assign(AcDbIdPair(id, existing, false));
        } else if (!tableId.isNull()) {
            AcDbObject* table = nullptr;
            if (acdbOpenAcDbObject(table, tableId, AcDb::kForWrite) == Acad::eOk) {
                AcDbObject* clone = nullptr;
                if (target->wblockClone(table, clone, idMap, false) == Acad::eOk && clone) clone->close();
                table->close();
            }
        }
    } else {
        AcDbObject* clone = nullptr;
        if (target->wblockClone(nullptr, clone, idMap, false) == Acad::eOk && clone) clone->close();
    }
    target->close();
}

// Re-files each copy through the id translation filer so that its references name the
// copies; references to objects that were not copied stay (within one database) or are
// dropped (into another), and no copy keeps owning an original.
void translateIds(AcDbIdMapping& idMap)
{
    arx::db::IdMap& map = idMap.map();
    AcDbDatabase* dest = map.dest;
    auto translator = [&](AcDbObjectId id, IdKind kind) {
        auto it = map.pairs.find(id);
        if (it != map.pairs.end() && !it->second.value().isNull()) return it->second.value();
        bool ownership = kind == IdKind::HardOwner || kind == IdKind::SoftOwner;
        if (ownership) return map.values.count(id) ? id : AcDbObjectId();
        return id.database() == dest ? id : AcDbObjectId();
    };
    for (AcDbObjectId key : map.order) {
        const AcDbIdPair& pair = map.pairs[key];
        if (!pair.isCloned() || pair.value().isNull()) continue;
        AcDbObject* clone = nullptr;
        if (arx::db::openForInternalWrite(clone, pair.value()) != Acad::eOk) continue;
        // The translation is part of making the copy: it is neither undone nor announced.
        stateOf(clone).undoing = true;
        arx::db::MemoryDwgFiler out(AcDb::kIdXlateFiler, dest);
        if (clone->dwgOutFields(&out) == Acad::eOk) {
            arx::db::MemoryDwgFiler in(AcDb::kIdXlateFiler, dest, out.takeBytes());
            in.setIdTranslator(translator);
            clone->dwgInFields(&in);
        }
        stateOf(clone).modified = false;
        clone->close();
    }
}

// Extended data of copies into another database names applications registered there.
void registerCopiedApps(AcDbIdMapping& idMap)
{
    arx::db::IdMap& map = idMap.map();
    AcDbDatabase* dest = map.dest;
    for (AcDbObjectId key : map.order) {
        const AcDbIdPair& pair = map.pairs[key];
        if (!pair.isCloned() || pair.value().isNull() || pair.value().stub()->object == nullptr) continue;
        for (const auto& app : stateOf(pair.value().stub()->object).xdata) arx::db::registerApp(dest, app.appName);
    }
}

void sendCopiedNotifications(AcDbIdMapping& idMap, std::size_t fromPair)
{
    arx::db::IdMap& map = idMap.map();
    for (std::size_t i = fromPair; i < map.order.size(); ++i) {
        const AcDbIdPair& pair = map.pairs[map.order[i]];
        if (!pair.isCloned() || pair.value().isNull()) continue;
        AcDbObject* original = pair.key().stub()->object;
        AcDbObject* copy = pair.value().stub()->object;
        if (original && copy) arx::db::sendCopied(original, copy);
    }
}

}  // namespace

Acad::ErrorStatus AcDbObject::deepClone(AcDbObject* pOwnerObject, AcDbObject*& pClonedObject, AcDbIdMapping& idMap,
                                        Adesk::Boolean isPrimary) const
{
    pClonedObject = nullptr;
    assertReadEnabled();
    if (alreadyMapped(this, idMap)) return Acad::eOk;
    AcDbDatabase* dest = pOwnerObject ? pOwnerObject->database() : database();
    if (dest == nullptr) return Acad::eNoDatabase;
    AcDbDeepCloneFiler filer;
    Acad::ErrorStatus es = Acad::eOk;
    AcDbObject* clone = copyThrough(this, filer, es);
    if (clone == nullptr) return es;
    es = attachClone(clone, pOwnerObject, dest);
    if (es != Acad::eOk) {
        delete clone;
        return es;
    }
    idMap.assign(AcDbIdPair(objectId(), clone->objectId(), true, isPrimary));
    // What the object owns is copied with it.
    AcDbObjectId ownedId;
    while (filer.getNextOwnedObject(ownedId)) {
        AcDbObject* owned = nullptr;
        if (acdbOpenAcDbObject(owned, ownedId, AcDb::kForRead) != Acad::eOk) continue;
        AcDbObject* ownedClone = nullptr;
        owned->deepClone(clone, ownedClone, idMap, false);
        if (ownedClone) ownedClone->close();
        owned->close();
    }
    pClonedObject = clone;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbObject::wblockClone(AcRxObject* pOwnerObject, AcDbObject*& pClonedObject, AcDbIdMapping& idMap,
                                          Adesk::Boolean isPrimary) const
{
    pClonedObject = nullptr;
    assertReadEnabled();
    if (alreadyMapped(this, idMap)) return Acad::eOk;
    AcDbDatabase* dest = nullptr;
    idMap.destDb(dest);
    if (dest == nullptr) {
        AcDbObject* owner = AcDbObject::cast(pOwnerObject);
        dest = owner ? owner->database() : nullptr;
    }
    if (dest == nullptr) return Acad::eNoDatabase;
    AcDbWblockCloneFiler filer;
    Acad::ErrorStatus es = Acad::eOk;
    AcDbObject* clone = copyThrough(this, filer, es);
    if (clone == nullptr) return es;
    es = attachClone(clone, pOwnerObject, dest);
    if (es != Acad::eOk) {
        delete clone;
        return es;
    }
    idMap.assign(AcDbIdPair(objectId(), clone->objectId(), true, isPrimary));
    AcDbObjectId id;
    while (filer.getNextOwnedObject(id)) {
        AcDbObject* owned = nullptr;
        if (acdbOpenAcDbObject(owned, id, AcDb::kForRead) != Acad::eOk) continue;
        AcDbObject* ownedClone = nullptr;
        owned->wblockClone(clone, ownedClone, idMap, false);
        if (ownedClone) ownedClone->close();
        owned->close();
    }
    pClonedObject = clone;
    // What the object needs (its layer, linetype, ...) goes along; the clone is closed
    // meanwhile so that records cloned now can be looked up.
    std::vector<AcDbObjectId> hard;
    while (filer.getNextHardObject(id)) hard.push_back(id);
    for (AcDbObjectId target : hard) wblockHardPointer(target, idMap, dest);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDatabase::deepCloneObjects(AcDbObjectIdArray& objectIds, AcDbObjectId& owner,
                                                 AcDbIdMapping& idMap, bool deferXlation)
{
    if (owner.isNull()) return Acad::eNullObjectId;
    if (owner.database() != this) return Acad::eWrongDatabase;
    for (AcDbObjectId id : objectIds)
        if (id.isNull() || id.database() != this) return Acad::eWrongDatabase;
    idMap.map().dest = this;
    idMap.map().orig = this;
    idMap.map().context = AcDb::kDcCopy;
    std::size_t firstPair = idMap.map().order.size();
    AcDbObject* ownerObj = nullptr;
    Acad::ErrorStatus es = acdbOpenAcDbObject(ownerObj, owner, AcDb::kForWrite, false, true);
    if (es != Acad::eOk) return es;
    for (AcDbObjectId id : objectIds) {
        AcDbObject* obj = nullptr;
        if (acdbOpenAcDbObject(obj, id, AcDb::kForRead) != Acad::eOk) continue;
        AcDbObject* clone = nullptr;
        obj->deepClone(ownerObj, clone, idMap, true);
        if (clone) clone->close();
        obj->close();
    }
    ownerObj->close();
    if (!deferXlation) {
        translateIds(idMap);
        sendCopiedNotifications(idMap, firstPair);
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDatabase::wblockCloneObjects(AcDbObjectIdArray& objectIds, AcDbObjectId& owner,
                                                   AcDbIdMapping& idMap, AcDb::DuplicateRecordCloning drc,
                                                   bool deferXlation)
{
    if (owner.isNull()) return Acad::eNullObjectId;
    AcDbDatabase* dest = owner.database();
    if (dest == nullptr) return Acad::eNoDatabase;
    for (AcDbObjectId id : objectIds)
        if (id.isNull() || id.database() != this) return Acad::eWrongDatabase;
    idMap.setDestDb(dest);
    idMap.map().orig = this;
    idMap.map().context = AcDb::kDcWblkObjects;
    idMap.map().drc = drc;
    std::size_t firstPair = idMap.map().order.size();
    for (AcDbObjectId id : objectIds) {
        AcDbObject* obj = nullptr;
        if (acdbOpenAcDbObject(obj, id, AcDb::kForRead) != Acad::eOk) continue;
        AcDbObject* ownerObj = nullptr;
        if (acdbOpenAcDbObject(ownerObj, owner, AcDb::kForWrite, false, true) != Acad::eOk) {
            obj->close();
            return Acad::eWasOpenForWrite;
        }
        AcDbObject* clone = nullptr;
        obj->wblockClone(ownerObj, clone, idMap, true);
        if (clone) clone->close();
        ownerObj->close();
        obj->close();
    }
    if (!deferXlation) {
        translateIds(idMap);
        registerCopiedApps(idMap);
        sendCopiedNotifications(idMap, firstPair);
    }
    return Acad::eOk;
}

void AcDbDatabase::abortDeepClone(AcDbIdMapping& idMap)
{
    arx::db::IdMap& map = idMap.map();
    for (AcDbObjectId key : map.order) {
        const AcDbIdPair& pair = map.pairs[key];
        if (!pair.isCloned() || pair.value().isNull()) continue;
        AcDbObject* clone = nullptr;
        if (acdbOpenAcDbObject(clone, pair.value(), AcDb::kForWrite, false, true) != Acad::eOk) continue;
        clone->erase();
        clone->close();
    }
}
