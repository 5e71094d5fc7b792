// Block table records, their entity iterator, and the BLOCK/ENDBLK framing objects.
#include <strings.h>

#include <algorithm>
#include <string>

#include "dblayout.h"
#include "db/block_internal.h"
#include "db/memory_dwg_filer.h"
#include "db/object_state.h"
#include "db/structure_generation.h"
#include "db/symbol_lookup.h"
#include "db/symbol_table_internal.h"

using arx::db::DxfItem;

struct AcDbBlockTableRecord::Data {
    AcDbObjectIdArray entities;
    AcGePoint3d origin;
    std::string comments;
    std::string path;
    AcDbObjectId layout;
    AcDbObjectId blockBegin;
    AcDbObjectId blockEnd;
};

struct AcDbBlockBegin::BlockData {
    bool read = false;
    std::string name;
    Adesk::Int16 flags = 0;
    AcGePoint3d origin;
    std::string path;
    std::string description;
};

namespace {

bool isLiveEntity(AcDbObjectId id, bool skipErased)
{
    if (id.isNull() || !id.stub()->isLive()) return false;
    return !(skipErased && id.isErased());
}

}  // namespace

ACRX_DEFINE_MEMBERS_COMMON(AcDbBlockTableRecord)
static AcRxObject* makeAcDbBlockTableRecord() { return new AcDbBlockTableRecord(); }
void AcDbBlockTableRecord::rxInit()
{
    gpDesc = newAcRxClass("AcDbBlockTableRecord", "AcDbSymbolTableRecord", 0, 0, 0, makeAcDbBlockTableRecord,
                          "BLOCK_RECORD", "");
}

AcDbBlockTableRecord::AcDbBlockTableRecord() : mpData(new Data) {}
AcDbBlockTableRecord::~AcDbBlockTableRecord() { delete mpData; }

Acad::ErrorStatus AcDbBlockTableRecord::appendAcDbEntity(AcDbEntity* pEntity)
{
    AcDbObjectId id;
    return appendAcDbEntity(id, pEntity);
}

Acad::ErrorStatus AcDbBlockTableRecord::appendAcDbEntity(AcDbObjectId& pOutputId, AcDbEntity* pEntity)
{
    pOutputId.setNull();
    if (pEntity == nullptr) return Acad::eNullEntityPointer;
    AcDbDatabase* db = database();
    if (db == nullptr) return Acad::eNoDatabase;
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    if (pEntity->database() != nullptr && pEntity->database() != db) return Acad::eWrongDatabase;
    if (pEntity->database() != nullptr && !pEntity->ownerId().isNull()) return Acad::eAlreadyInDb;
    AcDbObjectId id = pEntity->objectId();
    if (id.isNull()) {
        Acad::ErrorStatus es = db->addAcDbObject(id, pEntity);
        if (es != Acad::eOk) return es;
    }
    if (pEntity->layerId().isNull()) pEntity->setDatabaseDefaults(db);
    arx::db::stateOf(pEntity).owner = objectId();
    // The list is not part of the block's undo record: undoing the append un-appends the
    // entity, which takes it out of the block.
    assertWriteEnabled(false, true);
    mpData->entities.append(id);
    arx::db::entityListChanged(db, objectId());
    pOutputId = id;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockTableRecord::newIterator(AcDbBlockTableRecordIterator*& pIterator, bool atBeginning,
                                                    bool skipDeleted) const
{
    assertReadEnabled();
    pIterator = new AcDbBlockTableRecordIterator(this, atBeginning, skipDeleted);
    return Acad::eOk;
}

AcGePoint3d AcDbBlockTableRecord::origin() const { return mpData->origin; }

Acad::ErrorStatus AcDbBlockTableRecord::setOrigin(const AcGePoint3d& pt)
{
    assertWriteEnabled();
    mpData->origin = pt;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockTableRecord::comments(char*& pString) const
{
    pString = new char[mpData->comments.size() + 1];
    std::copy(mpData->comments.c_str(), mpData->comments.c_str() + mpData->comments.size() + 1, pString);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockTableRecord::comments(const char*& pString) const
{
    pString = mpData->comments.c_str();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockTableRecord::setComments(const char* pString)
{
    assertWriteEnabled();
    mpData->comments = pString ? pString : "";
    return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockTableRecord::pathName(const char*& pPath) const
{
    pPath = mpData->path.c_str();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockTableRecord::setPathName(const char* pathStr)
{
    assertWriteEnabled();
    mpData->path = pathStr ? pathStr : "";
    return Acad::eOk;
}

bool AcDbBlockTableRecord::isAnonymous() const { return (flags() & 1) != 0; }
bool AcDbBlockTableRecord::hasAttributeDefinitions() const { return (flags() & 2) != 0; }
bool AcDbBlockTableRecord::isFromExternalReference() const { return (flags() & 4) != 0; }
bool AcDbBlockTableRecord::isLayout() const { return !mpData->layout.isNull(); }
AcDbObjectId AcDbBlockTableRecord::getLayoutId() const { return mpData->layout; }

Acad::ErrorStatus AcDbBlockTableRecord::setLayoutId(AcDbObjectId layoutId)
{
    if (database() && !isWriteEnabled()) return Acad::eNotOpenForWrite;
    assertWriteEnabled();
    mpData->layout = layoutId;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockTableRecord::openBlockBegin(AcDbBlockBegin*& pBlockBegin, AcDb::OpenMode openMode)
{
    pBlockBegin = nullptr;
    if (mpData->blockBegin.isNull()) return Acad::eNullObjectId;
    return acdbOpenObject(pBlockBegin, mpData->blockBegin, openMode, false, true);
}

Acad::ErrorStatus AcDbBlockTableRecord::openBlockEnd(AcDbBlockEnd*& pBlockEnd, AcDb::OpenMode openMode)
{
    pBlockEnd = nullptr;
    if (mpData->blockEnd.isNull()) return Acad::eNullObjectId;
    return acdbOpenObject(pBlockEnd, mpData->blockEnd, openMode, false, true);
}

AcDbObjectId AcDbBlockTableRecord::blockBeginId() const { return mpData->blockBegin; }
AcDbObjectId AcDbBlockTableRecord::blockEndId() const { return mpData->blockEnd; }
const AcDbObjectIdArray& AcDbBlockTableRecord::entityIds() const { return mpData->entities; }

Acad::ErrorStatus AcDbBlockTableRecord::subErase(Adesk::Boolean erasing)
{
    const char* name = nullptr;
    getName(name);
    if (erasing && name && (strcasecmp(name, ACDB_MODEL_SPACE) == 0 || strcasecmp(name, ACDB_PAPER_SPACE) == 0))
        return Acad::eCannotBeErasedByCaller;
    Acad::ErrorStatus es = AcDbSymbolTableRecord::subErase(erasing);
    if (es != Acad::eOk) return es;
    AcDbObjectIdArray owned = mpData->entities;
    owned.append(mpData->blockBegin);
    owned.append(mpData->blockEnd);
    for (AcDbObjectId id : owned) {
        if (id.isNull() || !id.stub()->isLive() || id.isErased() == static_cast<bool>(erasing)) continue;
        AcDbObject* entity = nullptr;
        if (acdbOpenAcDbObject(entity, id, AcDb::kForWrite, true, true) != Acad::eOk) continue;
        entity->erase(erasing);
        entity->close();
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockTableRecord::dwgOutFields(AcDbDwgFiler* pFiler) const
{
    Acad::ErrorStatus es = AcDbSymbolTableRecord::dwgOutFields(pFiler);
    if (es != Acad::eOk) return es;
    pFiler->writePoint3d(mpData->origin);
    pFiler->writeString(mpData->comments.c_str());
    pFiler->writeString(mpData->path.c_str());
    pFiler->writeSoftPointerId(mpData->layout);
    pFiler->writeHardOwnershipId(mpData->blockBegin);
    pFiler->writeHardOwnershipId(mpData->blockEnd);
    // The entity list goes into every filer but the undo filer: undo restores membership by
    // un-appending and re-appending the entities themselves.
    bool withList = pFiler->filerType() != AcDb::kUndoFiler;
    pFiler->writeBool(withList);
    if (withList) {
        pFiler->writeInt32(mpData->entities.length());
        for (AcDbObjectId id : mpData->entities) pFiler->writeHardOwnershipId(id);
    }
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbBlockTableRecord::dwgInFields(AcDbDwgFiler* pFiler)
{
    Acad::ErrorStatus es = AcDbSymbolTableRecord::dwgInFields(pFiler);
    if (es != Acad::eOk) return es;
    char* comments = nullptr;
    char* path = nullptr;
    AcDbSoftPointerId layout;
    AcDbHardOwnershipId begin;
    AcDbHardOwnershipId end;
    bool withList = false;
    if (pFiler->readPoint3d(&mpData->origin) != Acad::eOk || pFiler->readString(&comments) != Acad::eOk ||
        pFiler->readString(&path) != Acad::eOk || pFiler->readSoftPointerId(&layout) != Acad::eOk ||
        pFiler->readHardOwnershipId(&begin) != Acad::eOk || pFiler->readHardOwnershipId(&end) != Acad::eOk ||
        pFiler->readBool(&withList) != Acad::eOk) {
        delete[] comments;
        delete[] path;
        return pFiler->filerStatus();
    }
    mpData->comments = comments;
    mpData->path = path;
    delete[] comments;
    delete[] path;
    AcDb::FilerType type = pFiler->filerType();
    bool isClone = type == AcDb::kDeepCloneFiler || type == AcDb::kWblockCloneFiler || type == AcDb::kCopyFiler;
    if (!isClone) {
        mpData->layout = layout;
        mpData->blockBegin = begin;
        mpData->blockEnd = end;
    }
    if (withList) {
        Adesk::Int32 count = 0;
        if (pFiler->readInt32(&count) != Acad::eOk || count < 0) return Acad::eFilerError;
        AcDbObjectIdArray entities;
        for (Adesk::Int32 i = 0; i < count; ++i) {
            AcDbHardOwnershipId id;
            if (pFiler->readHardOwnershipId(&id) != Acad::eOk) return pFiler->filerStatus();
            if (!id.isNull() && !entities.contains(id)) entities.append(id);
        }
        // A clone gets its entities as they are cloned and appended to it.
        if (!isClone) mpData->entities = entities;
        arx::db::structureChanged();
    }
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbBlockTableRecord::dxfOutFields(AcDbDxfFiler* pFiler) const
{
    Acad::ErrorStatus es = AcDbSymbolTableRecord::dxfOutFields(pFiler);
    if (es != Acad::eOk) return es;
    pFiler->writeString(AcDb::kDxfSubclass, "AcDbBlockTableRecord");
    arx::db::writeNameAndFlags(pFiler, this, false);
    if (!mpData->layout.isNull()) pFiler->writeObjectId(AcDb::kDxfHardPointerId, mpData->layout);
    arx::db::writeCarried(pFiler, carried());
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbBlockTableRecord::dxfInFields(AcDbDxfFiler* pFiler)
{
    Acad::ErrorStatus es = AcDbSymbolTableRecord::dxfInFields(pFiler);
    if (es != Acad::eOk) return es;
    if (!pFiler->atSubclassData("AcDbBlockTableRecord")) return Acad::eBadDxfSequence;
    return arx::db::readRecordGroups(pFiler, this, carried(), [&](const DxfItem& item) {
        if (item.code == AcDb::kDxfHardPointerId) {
            mpData->layout = item.id;
            return true;
        }
        return false;
    });
}

// ---- Iterator ------------------------------------------------------------------------------

struct AcDbBlockTableRecordIterator::Position {
    const AcDbBlockTableRecord* record;
    long index = 0;

    const AcDbObjectIdArray& ids() const { return record->entityIds(); }
    void settle(bool forward, bool skipErased)
    {
        long size = ids().length();
        while (index >= 0 && index < size && !isLiveEntity(ids()[static_cast<int>(index)], skipErased))
            index += forward ? 1 : -1;
    }
};

AcDbBlockTableRecordIterator::AcDbBlockTableRecordIterator(const AcDbBlockTableRecord* record, bool atBeginning,
                                                           bool skipDeleted)
    : mpPos(new Position{record})
{
    start(atBeginning, skipDeleted);
}

AcDbBlockTableRecordIterator::~AcDbBlockTableRecordIterator() { delete mpPos; }

void AcDbBlockTableRecordIterator::start(bool atBeginning, bool skipDeleted)
{
    mpPos->index = atBeginning ? 0 : mpPos->ids().length() - 1;
    mpPos->settle(atBeginning, skipDeleted);
}

bool AcDbBlockTableRecordIterator::done() const { return mpPos->index < 0 || mpPos->index >= mpPos->ids().length(); }

void AcDbBlockTableRecordIterator::step(bool forward, bool skipDeleted)
{
    if (done()) return;
    mpPos->index += forward ? 1 : -1;
    mpPos->settle(forward, skipDeleted);
}

Acad::ErrorStatus AcDbBlockTableRecordIterator::getEntityId(AcDbObjectId& entityId) const
{
    entityId.setNull();
    if (done()) return Acad::eInvalidIndex;
    entityId = mpPos->ids()[static_cast<int>(mpPos->index)];
    return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockTableRecordIterator::getEntity(AcDbEntity*& pEntity, AcDb::OpenMode openMode,
                                                          bool openErasedEntity) const
{
    pEntity = nullptr;
    AcDbObjectId id;
    Acad::ErrorStatus es = getEntityId(id);
    if (es != Acad::eOk) return es;
    return acdbOpenAcDbEntity(pEntity, id, openMode, openErasedEntity);
}

Acad::ErrorStatus AcDbBlockTableRecordIterator::seek(AcDbObjectId id)
{
    int at = mpPos->ids().find(id);
    if (at < 0) return Acad::eKeyNotFound;
    mpPos->index = at;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockTableRecordIterator::seek(const AcDbEntity* pEntity)
{
    if (pEntity == nullptr) return Acad::eNullEntityPointer;
    return seek(pEntity->objectId());
}

AcDbBlockTableRecord* AcDbBlockTableRecordIterator::blockTableRecord() const
{
    return const_cast<AcDbBlockTableRecord*>(mpPos->record);
}

// ---- BLOCK and ENDBLK ----------------------------------------------------------------------

ACRX_DEFINE_MEMBERS_COMMON(AcDbBlockBegin)
static AcRxObject* makeAcDbBlockBegin() { return new AcDbBlockBegin(); }
void AcDbBlockBegin::rxInit()
{
    gpDesc = newAcRxClass("AcDbBlockBegin", "AcDbEntity", 0, 0, 0, makeAcDbBlockBegin, "BLOCK", "");
}

AcDbBlockBegin::AcDbBlockBegin() : mpData(new BlockData) {}
AcDbBlockBegin::~AcDbBlockBegin() { delete mpData; }

Acad::ErrorStatus AcDbBlockBegin::dxfOutFields(AcDbDxfFiler* pFiler) const
{
    Acad::ErrorStatus es = AcDbEntity::dxfOutFields(pFiler);
    if (es != Acad::eOk) return es;
    pFiler->writeString(AcDb::kDxfSubclass, "AcDbBlockBegin");
    AcDbObjectId owner = ownerId();
    const AcDbBlockTableRecord* block =
        owner.isNull() || owner.stub()->object == nullptr ? nullptr : AcDbBlockTableRecord::cast(owner.stub()->object);
    std::string name = block ? arx::db::recordName(owner) : mpData->name;
    AcGePoint3d origin = block ? block->origin() : mpData->origin;
    Adesk::Int16 flags = block ? block->flags() : mpData->flags;
    const char* path = mpData->path.c_str();
    const char* description = mpData->description.c_str();
    if (block) {
        block->pathName(path);
        block->comments(description);
    }
    pFiler->writeString(AcDb::kDxfBlockName, name.c_str());
    pFiler->writeInt16(AcDb::kDxfInt16, flags);
    pFiler->writePoint3d(AcDb::kDxfXCoord, origin);
    pFiler->writeString(static_cast<AcDb::DxfCode>(3), name.c_str());
    pFiler->writeString(AcDb::kDxfXRefPath, path);
    if (*description != '\0') pFiler->writeString(static_cast<AcDb::DxfCode>(4), description);
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbBlockBegin::dxfInFields(AcDbDxfFiler* pFiler)
{
    Acad::ErrorStatus es = AcDbEntity::dxfInFields(pFiler);
    if (es != Acad::eOk) return es;
    if (!pFiler->atSubclassData("AcDbBlockBegin")) return Acad::eBadDxfSequence;
    resbuf rb;
    mpData->read = true;
    while (!pFiler->atExtendedData() && pFiler->readItem(&rb) == Acad::eOk) {
        switch (rb.restype) {
        case 2: mpData->name = rb.resval.rstring ? rb.resval.rstring : ""; break;
        case 70: mpData->flags = rb.resval.rint; break;
        case 10: mpData->origin.set(rb.resval.rpoint[0], rb.resval.rpoint[1], rb.resval.rpoint[2]); break;
        case 1: mpData->path = rb.resval.rstring ? rb.resval.rstring : ""; break;
        case 4: mpData->description = rb.resval.rstring ? rb.resval.rstring : ""; break;
        default: break;  // 3 repeats the name
        }
    }
    return pFiler->filerStatus();
}

ACRX_DEFINE_MEMBERS_COMMON(AcDbBlockEnd)
static AcRxObject* makeAcDbBlockEnd() { return new AcDbBlockEnd(); }
void AcDbBlockEnd::rxInit()
{
    gpDesc = newAcRxClass("AcDbBlockEnd", "AcDbEntity", 0, 0, 0, makeAcDbBlockEnd, "ENDBLK", "");
}

AcDbBlockEnd::AcDbBlockEnd() = default;
AcDbBlockEnd::~AcDbBlockEnd() = default;

Acad::ErrorStatus AcDbBlockEnd::dxfOutFields(AcDbDxfFiler* pFiler) const
{
    Acad::ErrorStatus es = AcDbEntity::dxfOutFields(pFiler);
    if (es != Acad::eOk) return es;
    return pFiler->writeString(AcDb::kDxfSubclass, "AcDbBlockEnd");
}

Acad::ErrorStatus AcDbBlockEnd::dxfInFields(AcDbDxfFiler* pFiler)
{
    Acad::ErrorStatus es = AcDbEntity::dxfInFields(pFiler);
    if (es != Acad::eOk) return es;
    pFiler->atSubclassData("AcDbBlockEnd");
    return pFiler->filerStatus();
}

// ---- Internal ------------------------------------------------------------------------------

namespace arx::db {

void ensureBlockBeginEnd(AcDbBlockTableRecord* block)
{
    AcDbDatabase* db = block->database();
    if (db == nullptr) return;
    AcDbObjectId layer0 = findRecord(db->layerTableId(), "0");
    auto makeFrame = [&](AcDbEntity* frame) {
        AcDbObjectId id;
        db->addAcDbObject(id, frame);
        if (!layer0.isNull()) frame->setLayer(layer0);
        stateOf(frame).owner = block->objectId();
        frame->close();
        return id;
    };
    AcDbObjectId begin = block->blockBeginId();
    AcDbObjectId end = block->blockEndId();
    if (begin.isNull() || !begin.stub()->isLive()) begin = makeFrame(new AcDbBlockBegin());
    if (end.isNull() || !end.stub()->isLive()) end = makeFrame(new AcDbBlockEnd());
    setBlockFrames(block, begin, end);
}

void setBlockFrames(AcDbBlockTableRecord* block, AcDbObjectId begin, AcDbObjectId end)
{
    BlockAccess::edit(block, [&](auto& data) {
        data.blockBegin = begin;
        data.blockEnd = end;
    });
}

void setBlockLayout(AcDbBlockTableRecord* block, AcDbObjectId layoutId)
{
    BlockAccess::edit(block, [&](auto& data) { data.layout = layoutId; });
}

void linkEntity(AcDbBlockTableRecord* block, AcDbObjectId entityId)
{
    BlockAccess::edit(block, [&](auto& data) { data.entities.append(entityId); });
}

void moveEntityToFront(AcDbBlockTableRecord* block, AcDbObjectId entityId)
{
    BlockAccess::edit(block, [&](auto& data) {
        if (!data.entities.remove(entityId)) return;
        data.entities.insertAt(0, entityId);
    });
}

void applyBlockBegin(AcDbBlockTableRecord* block, const AcDbBlockBegin* begin)
{
    const AcDbBlockBegin::BlockData& read = begin->blockData();
    if (!read.read) return;
    BlockAccess::edit(block, [&](auto& data) {
        data.origin = read.origin;
        data.path = read.path;
        if (!read.description.empty()) data.comments = read.description;
    });
    AcDbObjectId owner = stateOf(block).owner;
    // Flags of a BLOCK record: the block's own.
    bool wasUndoing = stateOf(block).undoing;
    stateOf(block).undoing = true;
    block->setFlags(read.flags);
    stateOf(block).undoing = wasUndoing;
    stateOf(block).owner = owner;
}

}  // namespace arx::db
