#include "db/database_loader.h"

#include <strings.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "dbdict.h"
#include "dblayout.h"
#include "dbsymtb.h"
#include "db/block_internal.h"
#include "db/database_defaults.h"
#include "db/database_state.h"
#include "db/object_state.h"
#include "db/paper_viewport.h"
#include "db/symbol_lookup.h"
#include "db/symbol_table_internal.h"

namespace arx::db {

namespace {

template <class T>
T* objectAs(AcDbObjectId id)
{
    if (id.isNull() || id.stub()->object == nullptr) return nullptr;
    return T::cast(id.stub()->object);
}

// An owner read from the file counts only when it is an object of this drawing.
void keepOwnOwner(AcDbDatabase* db, ObjectState& st)
{
    if (!st.owner.isNull() && st.owner.database() != db) st.owner.setNull();
}

// The table a record read without a (usable) owner belongs to.
AcDbObjectId defaultTableOf(DatabaseState& ds, const AcDbObject* record)
{
    if (AcDbBlockTableRecord::cast(record)) return ds.blockTable;
    if (AcDbLayerTableRecord::cast(record)) return ds.layerTable;
    if (AcDbTextStyleTableRecord::cast(record)) return ds.textStyleTable;
    if (AcDbLinetypeTableRecord::cast(record)) return ds.linetypeTable;
    if (AcDbViewTableRecord::cast(record)) return ds.viewTable;
    if (AcDbUCSTableRecord::cast(record)) return ds.ucsTable;
    if (AcDbViewportTableRecord::cast(record)) return ds.viewportTable;
    if (AcDbRegAppTableRecord::cast(record)) return ds.regAppTable;
    if (AcDbDimStyleTableRecord::cast(record)) return ds.dimStyleTable;
    return AcDbObjectId();
}

// A change the loader makes itself: no open, no record, no notification.
template <class F>
void withLoaderWrite(AcDbObject* obj, F change)
{
    ObjectState& st = stateOf(obj);
    bool writer = st.writer;
    st.writer = true;
    st.undoing = true;
    change();
    st.undoing = false;
    st.writer = writer;
}

void noteTable(DatabaseState& ds, AcDbObjectId id)
{
    AcDbObject* obj = id.stub()->object;
    AcDbObjectId* slot = nullptr;
    if (AcDbBlockTable::cast(obj)) slot = &ds.blockTable;
    else if (AcDbLayerTable::cast(obj)) slot = &ds.layerTable;
    else if (AcDbTextStyleTable::cast(obj)) slot = &ds.textStyleTable;
    else if (AcDbLinetypeTable::cast(obj)) slot = &ds.linetypeTable;
    else if (AcDbViewTable::cast(obj)) slot = &ds.viewTable;
    else if (AcDbUCSTable::cast(obj)) slot = &ds.ucsTable;
    else if (AcDbViewportTable::cast(obj)) slot = &ds.viewportTable;
    else if (AcDbRegAppTable::cast(obj)) slot = &ds.regAppTable;
    else if (AcDbDimStyleTable::cast(obj)) slot = &ds.dimStyleTable;
    if (slot && (slot->isNull() || !slot->stub()->isLive())) *slot = id;
}

}  // namespace

// What finish does with an object depends on its kind alone; the kind of each class is found
// once (a cast walks the class chain, and finish would walk it a dozen times per object).
enum class LoaderKind : unsigned char {
    Other,
    SymbolTable,
    Dictionary,
    Record,
    BlockRecord,
    BlockBegin,
    BlockEnd,
    Entity,
    Layout
};

class KindOfClass {
public:
    LoaderKind operator()(const AcDbObject* obj)
    {
        if (obj == nullptr) return LoaderKind::Other;
        const AcRxClass* cls = obj->isA();
        // A small table indexed by the class's address: a drawing has a few dozen classes, and
        // finish asks for the kind of every object and of its owner in turn.
        Slot& slot = slots_[(reinterpret_cast<std::uintptr_t>(cls) >> 4) % kSlots];
        if (slot.cls != cls) slot = Slot{cls, classify(obj)};
        return slot.kind;
    }
    LoaderKind operator()(AcDbObjectId id) { return id.isNull() ? LoaderKind::Other : (*this)(id.stub()->object); }

private:
    static LoaderKind classify(const AcDbObject* obj)
    {
        if (AcDbSymbolTable::cast(obj)) return LoaderKind::SymbolTable;
        if (AcDbDictionary::cast(obj)) return LoaderKind::Dictionary;
        if (AcDbBlockTableRecord::cast(obj)) return LoaderKind::BlockRecord;
        if (AcDbSymbolTableRecord::cast(obj)) return LoaderKind::Record;
        if (AcDbBlockBegin::cast(obj)) return LoaderKind::BlockBegin;
        if (AcDbBlockEnd::cast(obj)) return LoaderKind::BlockEnd;
        if (AcDbEntity::cast(obj)) return LoaderKind::Entity;
        if (AcDbLayout::cast(obj)) return LoaderKind::Layout;
        return LoaderKind::Other;
    }

    struct Slot {
        const AcRxClass* cls = nullptr;
        LoaderKind kind = LoaderKind::Other;
    };
    static constexpr std::size_t kSlots = 251;
    std::array<Slot, kSlots> slots_{};
};

DatabaseLoader::DatabaseLoader(AcDbDatabase* db) : mpDb(db), mpKinds(std::make_unique<KindOfClass>())
{
    ++stateOf(db).loading;
}

DatabaseLoader::~DatabaseLoader() { --stateOf(mpDb).loading; }

void DatabaseLoader::expectObjects(std::size_t count)
{
    DatabaseState& ds = stateOf(mpDb);
    ds.byHandle.reserve(ds.byHandle.size() + count);
    mAdded.reserve(mAdded.size() + count);
    mAddedKinds.reserve(mAddedKinds.size() + count);
}

AcDbObjectId DatabaseLoader::idForHandle(const AcDbHandle& handle)
{
    AcDbObjectId id;
    if (handle.isNull()) return id;
    stateOf(mpDb).releaseProvisional(handle.value());
    mpDb->getAcDbObjectId(id, true, handle);
    return id;
}

Acad::ErrorStatus DatabaseLoader::addObject(AcDbObject* pObj, const AcDbHandle& handle, AcDbObjectId& id)
{
    id.setNull();
    if (pObj == nullptr) return Acad::eNullObjectPointer;
    ObjectState& st = stateOf(pObj);
    if (st.resident()) return Acad::eAlreadyInDb;
    DatabaseState& ds = stateOf(mpDb);
    if (!handle.isNull()) ds.releaseProvisional(handle.value());
    AcDbStub* stub = handle.isNull() ? nullptr : ds.findStub(handle.value());
    if (stub != nullptr && stub->object != nullptr) return Acad::eHandleInUse;
    if (stub == nullptr) stub = ds.newStub(handle.value());
    bindObject(stub, pObj);
    id = AcDbObjectId(stub);
    mAdded.push_back(id);
    mAddedKinds.push_back(linkAtOnce(id));
    return Acad::eOk;
}

// Tables and records are linked as they arrive, so that what is read after them (a layer's
// linetype, an entity's layer) finds them by name.
LoaderKind DatabaseLoader::linkAtOnce(AcDbObjectId id)
{
    DatabaseState& ds = stateOf(mpDb);
    AcDbObject* obj = id.stub()->object;
    ObjectState& st = stateOf(obj);
    keepOwnOwner(mpDb, st);
    const LoaderKind kind = (*mpKinds)(obj);
    if (kind == LoaderKind::SymbolTable) {
        noteTable(ds, id);
        return kind;
    }
    if (kind == LoaderKind::Dictionary && st.owner.isNull() && ds.namedObjects.isNull()) {
        ds.namedObjects = id;
        return kind;
    }
    if (kind != LoaderKind::Record && kind != LoaderKind::BlockRecord) return kind;
    auto* record = static_cast<AcDbSymbolTableRecord*>(obj);
    AcDbSymbolTable* table = objectAs<AcDbSymbolTable>(st.owner);
    if (table != nullptr && record->isKindOf(table->recordClass())) linkRecord(table, id);
    return kind;
}

Acad::ErrorStatus DatabaseLoader::finish(std::vector<std::string>& problems)
{
    if (mFinished) return Acad::eOk;
    mFinished = true;
    DatabaseState& ds = stateOf(mpDb);
    giveAdditionsFreshHandles();

    // Tables and the named-object dictionary (the first of each kind read, unowned) were noted
    // as they were added; only the objects that are one of them are visited again.
    KindOfClass& kindOf = *mpKinds;
    const std::vector<LoaderKind>& kinds = mAddedKinds;
    for (std::size_t i = 0; i < mAdded.size(); ++i) {
        if (kinds[i] != LoaderKind::SymbolTable && kinds[i] != LoaderKind::Dictionary) continue;
        ObjectState& st = stateOf(mAdded[i].stub()->object);
        keepOwnOwner(mpDb, st);
        if (kinds[i] == LoaderKind::SymbolTable) noteTable(ds, mAdded[i]);
        else if (st.owner.isNull() && ds.namedObjects.isNull()) ds.namedObjects = mAdded[i];
    }
    ensureTables(mpDb);
    for (std::size_t i = 0; i < mAdded.size(); ++i) {
        if (kinds[i] != LoaderKind::Record && kinds[i] != LoaderKind::BlockRecord) continue;
        auto* record = objectAs<AcDbSymbolTableRecord>(mAdded[i]);
        if (record == nullptr) continue;
        ObjectState& st = stateOf(record);
        keepOwnOwner(mpDb, st);
        AcDbSymbolTable* table = objectAs<AcDbSymbolTable>(st.owner);
        if (table == nullptr || !record->isKindOf(table->recordClass())) {
            st.owner = defaultTableOf(ds, record);
            table = objectAs<AcDbSymbolTable>(st.owner);
        }
        if (table) linkRecord(table, mAdded[i]);
    }
    ensureStandardObjects(mpDb);
    AcDbObjectId layerZero = findRecord(ds.layerTable, "0");
    // Layers whose linetype the file did not have (or named before its table) draw solid.
    if (auto* layers = objectAs<AcDbLayerTable>(ds.layerTable)) {
        for (AcDbObjectId id : layers->entries().records) {
            auto* layer = objectAs<AcDbLayerTableRecord>(id);
            if (layer == nullptr || !layer->linetypeObjectId().isNull()) continue;
            withLoaderWrite(layer, [&] { layer->setLinetypeObjectId(mpDb->continuousLinetype()); });
        }
    }

    std::vector<AcDbObjectId> layouts;
    for (std::size_t i = 0; i < mAdded.size(); ++i) {
        const AcDbObjectId id = mAdded[i];
        AcDbObject* obj = id.stub()->object;
        if (obj == nullptr) continue;
        ObjectState& st = stateOf(obj);
        keepOwnOwner(mpDb, st);
        switch (kinds[i]) {
        case LoaderKind::BlockBegin:
            if (auto* block = objectAs<AcDbBlockTableRecord>(st.owner)) {
                setBlockFrames(block, id, block->blockEndId());
                applyBlockBegin(block, AcDbBlockBegin::cast(obj));
            }
            break;
        case LoaderKind::BlockEnd:
            if (auto* block = objectAs<AcDbBlockTableRecord>(st.owner))
                setBlockFrames(block, block->blockBeginId(), id);
            break;
        case LoaderKind::Entity: {
            const LoaderKind ownerKind = kindOf(st.owner);
            AcDbBlockTableRecord* block = ownerKind == LoaderKind::BlockRecord
                                              ? static_cast<AcDbBlockTableRecord*>(st.owner.stub()->object)
                                              : nullptr;
            // Entities owned by other entities (vertices, attributes) are their owner's.
            const bool ownedByEntity = ownerKind == LoaderKind::Entity || ownerKind == LoaderKind::BlockBegin ||
                                       ownerKind == LoaderKind::BlockEnd;
            if (block == nullptr && !ownedByEntity) {
                // No owner (or not a block): the entities section's model or paper space.
                const char* space = st.paperSpaceFlag ? ACDB_PAPER_SPACE : ACDB_MODEL_SPACE;
                st.owner = findRecord(ds.blockTable, space);
                block = objectAs<AcDbBlockTableRecord>(st.owner);
            }
            if (block) linkEntity(block, id);
            auto* ent = static_cast<AcDbEntity*>(obj);
            if (ent->layerId().isNull() && !layerZero.isNull()) withLoaderWrite(ent, [&] { ent->setLayer(layerZero); });
            break;
        }
        case LoaderKind::Layout: layouts.push_back(id); break;
        default: break;
        }
    }
    // Every block gets its frames; layouts and their blocks point at each other.
    if (auto* blocks = objectAs<AcDbBlockTable>(ds.blockTable)) {
        for (AcDbObjectId blockId : blocks->entries().records)
            if (auto* block = objectAs<AcDbBlockTableRecord>(blockId)) ensureBlockBeginEnd(block);
    }
    for (AcDbObjectId id : layouts) {
        AcDbLayout* layout = objectAs<AcDbLayout>(id);
        if (layout == nullptr) continue;
        if (auto* block = objectAs<AcDbBlockTableRecord>(layout->getBlockTableRecordId()))
            if (block->getLayoutId().isNull()) setBlockLayout(block, id);
    }
    for (AcDbObjectId id : layouts)
        if (objectAs<AcDbLayout>(id) != nullptr) ensurePaperViewportFirst(mpDb, id);
    if (ds.currentSpace.isNull()) ds.currentSpace = findRecord(ds.blockTable, ACDB_MODEL_SPACE);
    for (AcDbStub& stub : ds.stubs) {
        stub.provisional = false;
        if (!stub.reserved || stub.object != nullptr) continue;
        // A reference to a handle no object took.
        char text[64];
        std::snprintf(text, sizeof text, "No object has the handle %llX.",
                      static_cast<unsigned long long>(stub.handle));
        problems.emplace_back(text);
    }
    return Acad::eOk;
}

// What the host added while reading moves above every handle of the file and above the seed the
// file gives, in the order it was made; what finish adds next follows it.
void DatabaseLoader::giveAdditionsFreshHandles()
{
    DatabaseState& ds = stateOf(mpDb);
    Adesk::UInt64 ceiling = 0;
    std::vector<AcDbStub*> additions;
    for (AcDbStub& stub : ds.stubs) {
        if (stub.provisional) additions.push_back(&stub);
        else if (stub.handle > ceiling) ceiling = stub.handle;
    }
    AcDbHandle seed;
    if (AcDbHandle::fromText(ds.header.text("HANDSEED").c_str(), seed) && seed.value() > ceiling + 1)
        ceiling = seed.value() - 1;
    // Out of the way first, so that no two stubs ever share a handle while they move.
    for (AcDbStub* stub : additions) ds.byHandle.erase(stub->handle);
    ds.nextHandle = ceiling + 1;
    for (AcDbStub* stub : additions) {
        stub->handle = ds.nextHandle++;
        ds.byHandle.set(stub->handle, stub);
    }
}

}  // namespace arx::db
