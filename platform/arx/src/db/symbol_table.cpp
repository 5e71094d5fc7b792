// Symbol tables, their iterators and the record base class.
#include <strings.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <string>

#include "dblayout.h"
#include "db/block_internal.h"
#include "db/database_state.h"
#include "db/item_filing.h"
#include "db/object_state.h"
#include "db/symbol_lookup.h"
#include "db/symbol_table_internal.h"

using arx::db::DxfItem;
using arx::db::SymbolTableEntries;

namespace {

AcDbSymbolTableRecord* recordObject(AcDbObjectId id)
{
    if (id.isNull() || id.stub()->object == nullptr || id.stub()->unappended) return nullptr;
    return AcDbSymbolTableRecord::cast(id.stub()->object);
}

// The record's name as the table's own lookups read it (getName does not check the open
// state: the table's lookups must not depend on the records' opens).
const char* rawName(const AcDbSymbolTableRecord* record)
{
    const char* name = nullptr;
    record->getName(name);
    return name;
}

// "*U" (a star and one letter) asks the block table for an anonymous block.
bool asksForAnonymousName(const char* name)
{
    return name[0] == '*' && std::isalpha(static_cast<unsigned char>(name[1])) && name[2] == '\0';
}

// The anonymous block gets the letter and the number after the highest the table has used
// with it ("*U" becomes "*U1", then "*U2"), erased blocks included, and the anonymous flag.
void giveAnonymousName(const std::vector<AcDbObjectId>& records, AcDbSymbolTableRecord* block, const char* request)
{
    const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(request[1])));
    long highest = 0;
    for (AcDbObjectId id : records) {
        AcDbSymbolTableRecord* rec = recordObject(id);
        const char* name = rec ? rawName(rec) : nullptr;
        if (name == nullptr || name[0] != '*' || std::toupper(static_cast<unsigned char>(name[1])) != letter) continue;
        char* end = nullptr;
        const long number = std::strtol(name + 2, &end, 10);
        if (end != name + 2 && *end == '\0') highest = std::max(highest, number);
    }
    const std::string unique = std::string("*") + letter + std::to_string(highest + 1);
    block->setName(unique.c_str());
    block->setFlags(static_cast<Adesk::Int16>(block->flags() | 1));
}

}  // namespace

// ---- AcDbSymbolTable -----------------------------------------------------------------------

ACRX_DEFINE_MEMBERS_COMMON(AcDbSymbolTable)
void AcDbSymbolTable::rxInit() { gpDesc = newAcRxClass("AcDbSymbolTable", "AcDbObject"); }

AcDbSymbolTable::AcDbSymbolTable() : mpEntries(new SymbolTableEntries) {}
AcDbSymbolTable::~AcDbSymbolTable() { delete mpEntries; }

Acad::ErrorStatus AcDbSymbolTable::getAt(const char* entryName, AcDbObjectId& recordId, bool getErasedRecord) const
{
    assertReadEnabled();
    recordId.setNull();
    if (entryName == nullptr) return Acad::eInvalidInput;
    AcDbObjectId erasedMatch;
    for (AcDbObjectId id : mpEntries->records) {
        AcDbSymbolTableRecord* rec = recordObject(id);
        if (rec == nullptr) continue;
        const char* name = rawName(rec);
        if (name == nullptr || strcasecmp(name, entryName) != 0) continue;
        if (!id.isErased()) {
            recordId = id;
            return Acad::eOk;
        }
        if (erasedMatch.isNull()) erasedMatch = id;
    }
    if (getErasedRecord && !erasedMatch.isNull()) {
        recordId = erasedMatch;
        return Acad::eOk;
    }
    return Acad::eKeyNotFound;
}

Acad::ErrorStatus AcDbSymbolTable::getAt(const char* entryName, AcDbSymbolTableRecord*& pRec, AcDb::OpenMode openMode,
                                         bool openErasedRec) const
{
    pRec = nullptr;
    AcDbObjectId id;
    Acad::ErrorStatus es = getAt(entryName, id, openErasedRec);
    if (es != Acad::eOk) return es;
    return acdbOpenObject(pRec, id, openMode, openErasedRec);
}

bool AcDbSymbolTable::has(const char* name) const
{
    AcDbObjectId id;
    return getAt(name, id) == Acad::eOk;
}

bool AcDbSymbolTable::has(AcDbObjectId id) const
{
    assertReadEnabled();
    for (AcDbObjectId rec : mpEntries->records)
        if (rec == id) return id.stub()->isLive() && !id.isErased();
    return false;
}

Acad::ErrorStatus AcDbSymbolTable::newIterator(AcDbSymbolTableIterator*& pIterator, bool atBeginning,
                                               bool skipDeleted) const
{
    assertReadEnabled();
    pIterator = new AcDbSymbolTableIterator(this, atBeginning, skipDeleted);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSymbolTable::add(AcDbSymbolTableRecord* pRecord)
{
    AcDbObjectId id;
    return add(id, pRecord);
}

Acad::ErrorStatus AcDbSymbolTable::add(AcDbObjectId& recordId, AcDbSymbolTableRecord* pRecord)
{
    recordId.setNull();
    if (pRecord == nullptr) return Acad::eNullObjectPointer;
    if (database() == nullptr) return Acad::eNoDatabase;
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    if (!pRecord->isKindOf(recordClass())) return Acad::eWrongObjectType;
    const char* name = rawName(pRecord);
    if (name == nullptr || !arx::db::isValidRecordName(name)) return Acad::eInvalidSymbolTableName;
    if (AcDbBlockTableRecord::cast(pRecord) && asksForAnonymousName(name)) {
        giveAnonymousName(mpEntries->records, pRecord, name);
        name = rawName(pRecord);
    }
    if (has(name)) return Acad::eDuplicateRecordName;
    if (pRecord->database() != nullptr && pRecord->database() != database()) return Acad::eWrongDatabase;
    if (pRecord->database() != nullptr && !pRecord->ownerId().isNull()) return Acad::eAlreadyInDb;
    if (pRecord->database() == nullptr) {
        Acad::ErrorStatus es = database()->addAcDbObject(recordId, pRecord);
        if (es != Acad::eOk) return es;
    } else {
        recordId = pRecord->objectId();
    }
    arx::db::stateOf(pRecord).owner = objectId();
    assertWriteEnabled();
    mpEntries->records.push_back(recordId);
    if (auto* block = AcDbBlockTableRecord::cast(pRecord)) arx::db::ensureBlockBeginEnd(block);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSymbolTable::dwgOutFields(AcDbDwgFiler* pFiler) const
{
    Acad::ErrorStatus es = AcDbObject::dwgOutFields(pFiler);
    if (es != Acad::eOk) return es;
    pFiler->writeInt32(static_cast<Adesk::Int32>(mpEntries->records.size()));
    for (AcDbObjectId id : mpEntries->records) pFiler->writeHardOwnershipId(id);
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbSymbolTable::dwgInFields(AcDbDwgFiler* pFiler)
{
    Acad::ErrorStatus es = AcDbObject::dwgInFields(pFiler);
    if (es != Acad::eOk) return es;
    Adesk::Int32 count = 0;
    if (pFiler->readInt32(&count) != Acad::eOk || count < 0) return Acad::eFilerError;
    std::vector<AcDbObjectId> records;
    for (Adesk::Int32 i = 0; i < count; ++i) {
        AcDbHardOwnershipId id;
        if (pFiler->readHardOwnershipId(&id) != Acad::eOk) return pFiler->filerStatus();
        records.push_back(id);
    }
    mpEntries->records = std::move(records);
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbSymbolTable::dxfOutFields(AcDbDxfFiler* pFiler) const
{
    Acad::ErrorStatus es = AcDbObject::dxfOutFields(pFiler);
    if (es != Acad::eOk) return es;
    pFiler->writeString(AcDb::kDxfSubclass, "AcDbSymbolTable");
    Adesk::Int16 count = 0;
    for (AcDbObjectId id : mpEntries->records)
        if (recordObject(id) != nullptr && !id.isErased()) ++count;
    pFiler->writeInt16(AcDb::kDxfInt16, count);
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbSymbolTable::dxfInFields(AcDbDxfFiler* pFiler)
{
    Acad::ErrorStatus es = AcDbObject::dxfInFields(pFiler);
    if (es != Acad::eOk) return es;
    if (!pFiler->atSubclassData("AcDbSymbolTable")) return Acad::eBadDxfSequence;
    // The count (70) and a dimension style table's own groups are derived from the records.
    resbuf rb;
    while (!pFiler->atExtendedData() && pFiler->readItem(&rb) == Acad::eOk) {}
    return pFiler->filerStatus();
}

// ---- Iterator ------------------------------------------------------------------------------

struct AcDbSymbolTableIterator::Position {
    const AcDbSymbolTable* table;
    long index = 0;
    bool skipDeleted = true;

    const std::vector<AcDbObjectId>& records() const { return table->entries().records; }
    bool usable(long i, bool skip) const
    {
        AcDbObjectId id = records()[static_cast<std::size_t>(i)];
        if (recordObject(id) == nullptr) return false;
        return !(skip && id.isErased());
    }
    void settle(bool forward, bool skip)
    {
        long size = static_cast<long>(records().size());
        while (index >= 0 && index < size && !usable(index, skip)) index += forward ? 1 : -1;
    }
};

AcDbSymbolTableIterator::AcDbSymbolTableIterator(const AcDbSymbolTable* table, bool atBeginning, bool skipDeleted)
    : mpPos(new Position{table})
{
    start(atBeginning, skipDeleted);
}

AcDbSymbolTableIterator::~AcDbSymbolTableIterator() { delete mpPos; }

void AcDbSymbolTableIterator::start(bool atBeginning, bool skipDeleted)
{
    mpPos->skipDeleted = skipDeleted;
    mpPos->index = atBeginning ? 0 : static_cast<long>(mpPos->records().size()) - 1;
    mpPos->settle(atBeginning, skipDeleted);
}

bool AcDbSymbolTableIterator::done() const
{
    return mpPos->index < 0 || mpPos->index >= static_cast<long>(mpPos->records().size());
}

void AcDbSymbolTableIterator::step(bool forward, bool skipDeleted)
{
    if (done()) return;
    mpPos->index += forward ? 1 : -1;
    mpPos->settle(forward, skipDeleted);
}

Acad::ErrorStatus AcDbSymbolTableIterator::getRecordId(AcDbObjectId& id) const
{
    if (done()) return Acad::eInvalidIndex;
    id = mpPos->records()[static_cast<std::size_t>(mpPos->index)];
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSymbolTableIterator::getRecord(AcDbSymbolTableRecord*& pRecord, AcDb::OpenMode openMode,
                                                     bool openErasedRec) const
{
    pRecord = nullptr;
    AcDbObjectId id;
    Acad::ErrorStatus es = getRecordId(id);
    if (es != Acad::eOk) return es;
    return acdbOpenObject(pRecord, id, openMode, openErasedRec);
}

Acad::ErrorStatus AcDbSymbolTableIterator::seek(AcDbObjectId id)
{
    const auto& records = mpPos->records();
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (records[i] == id) {
            mpPos->index = static_cast<long>(i);
            return Acad::eOk;
        }
    }
    return Acad::eKeyNotFound;
}

Acad::ErrorStatus AcDbSymbolTableIterator::seek(const AcDbSymbolTableRecord* pRecord)
{
    if (pRecord == nullptr) return Acad::eNullObjectPointer;
    return seek(pRecord->objectId());
}

// ---- Typed tables --------------------------------------------------------------------------

#define ARX_DEFINE_SYMBOL_TABLE(TABLE, RECORD, ITERATOR)                                                               \
    ACRX_DEFINE_MEMBERS_COMMON(TABLE)                                                                                  \
    static AcRxObject* make##TABLE() { return new TABLE(); }                                                           \
    void TABLE::rxInit() { gpDesc = newAcRxClass(#TABLE, "AcDbSymbolTable", 0, 0, 0, make##TABLE, "", ""); }           \
    TABLE::TABLE() = default;                                                                                          \
    TABLE::~TABLE() = default;                                                                                         \
    AcRxClass* TABLE::recordClass() const { return RECORD::desc(); }                                                   \
    Acad::ErrorStatus TABLE::getAt(const char* entryName, RECORD*& pRec, AcDb::OpenMode openMode, bool openErasedRec)  \
        const                                                                                                          \
    {                                                                                                                  \
        pRec = nullptr;                                                                                                \
        AcDbObjectId id;                                                                                               \
        Acad::ErrorStatus es = AcDbSymbolTable::getAt(entryName, id, openErasedRec);                                   \
        if (es != Acad::eOk) return es;                                                                                \
        return acdbOpenObject(pRec, id, openMode, openErasedRec);                                                      \
    }                                                                                                                  \
    Acad::ErrorStatus TABLE::add(RECORD* pRecord) { return AcDbSymbolTable::add(pRecord); }                            \
    Acad::ErrorStatus TABLE::add(AcDbObjectId& recordId, RECORD* pRecord)                                              \
    {                                                                                                                  \
        return AcDbSymbolTable::add(recordId, pRecord);                                                                \
    }                                                                                                                  \
    Acad::ErrorStatus TABLE::newIterator(ITERATOR*& pIterator, bool atBeginning, bool skipDeleted) const               \
    {                                                                                                                  \
        assertReadEnabled();                                                                                           \
        pIterator = new ITERATOR(this, atBeginning, skipDeleted);                                                      \
        return Acad::eOk;                                                                                              \
    }                                                                                                                  \
    Acad::ErrorStatus ITERATOR::getRecord(RECORD*& pRecord, AcDb::OpenMode openMode, bool openErasedRec) const         \
    {                                                                                                                  \
        pRecord = nullptr;                                                                                             \
        AcDbObjectId id;                                                                                               \
        Acad::ErrorStatus es = getRecordId(id);                                                                        \
        if (es != Acad::eOk) return es;                                                                                \
        return acdbOpenObject(pRecord, id, openMode, openErasedRec);                                                   \
    }

ARX_DEFINE_SYMBOL_TABLE(AcDbBlockTable, AcDbBlockTableRecord, AcDbBlockTableIterator)
ARX_DEFINE_SYMBOL_TABLE(AcDbLayerTable, AcDbLayerTableRecord, AcDbLayerTableIterator)
ARX_DEFINE_SYMBOL_TABLE(AcDbTextStyleTable, AcDbTextStyleTableRecord, AcDbTextStyleTableIterator)
ARX_DEFINE_SYMBOL_TABLE(AcDbLinetypeTable, AcDbLinetypeTableRecord, AcDbLinetypeTableIterator)
ARX_DEFINE_SYMBOL_TABLE(AcDbViewTable, AcDbViewTableRecord, AcDbViewTableIterator)
ARX_DEFINE_SYMBOL_TABLE(AcDbUCSTable, AcDbUCSTableRecord, AcDbUCSTableIterator)
ARX_DEFINE_SYMBOL_TABLE(AcDbViewportTable, AcDbViewportTableRecord, AcDbViewportTableIterator)
ARX_DEFINE_SYMBOL_TABLE(AcDbRegAppTable, AcDbRegAppTableRecord, AcDbRegAppTableIterator)
ARX_DEFINE_SYMBOL_TABLE(AcDbDimStyleTable, AcDbDimStyleTableRecord, AcDbDimStyleTableIterator)

// ---- AcDbSymbolTableRecord -----------------------------------------------------------------

struct AcDbSymbolTableRecord::Data {
    std::string name;
    Adesk::Int16 flags = 0;
};

ACRX_DEFINE_MEMBERS_COMMON(AcDbSymbolTableRecord)
void AcDbSymbolTableRecord::rxInit() { gpDesc = newAcRxClass("AcDbSymbolTableRecord", "AcDbObject"); }

AcDbSymbolTableRecord::AcDbSymbolTableRecord() : mpData(new Data), mpCarried(new arx::db::CarriedItems) {}

AcDbSymbolTableRecord::~AcDbSymbolTableRecord()
{
    delete mpData;
    delete mpCarried;
}

Acad::ErrorStatus AcDbSymbolTableRecord::getName(char*& pName) const
{
    pName = new char[mpData->name.size() + 1];
    std::memcpy(pName, mpData->name.c_str(), mpData->name.size() + 1);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSymbolTableRecord::getName(const char*& pName) const
{
    pName = mpData->name.c_str();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSymbolTableRecord::setName(const char* pName)
{
    if (pName == nullptr || !arx::db::isValidRecordName(pName)) return Acad::eInvalidSymbolTableName;
    if (database() && !isWriteEnabled()) return Acad::eNotOpenForWrite;
    if (strcasecmp(pName, mpData->name.c_str()) != 0) {
        AcDbObjectId other = arx::db::findRecord(ownerId(), pName);
        if (!other.isNull() && other != objectId()) return Acad::eDuplicateRecordName;
    }
    assertWriteEnabled();
    mpData->name = pName;
    return Acad::eOk;
}

bool AcDbSymbolTableRecord::isDependent() const { return (mpData->flags & 16) != 0; }
bool AcDbSymbolTableRecord::isResolved() const { return (mpData->flags & 32) != 0; }
Adesk::Int16 AcDbSymbolTableRecord::flags() const { return mpData->flags; }

void AcDbSymbolTableRecord::setFlags(Adesk::Int16 flags)
{
    assertWriteEnabled();
    mpData->flags = flags;
}

Acad::ErrorStatus AcDbSymbolTableRecord::dwgOutFields(AcDbDwgFiler* pFiler) const
{
    Acad::ErrorStatus es = AcDbObject::dwgOutFields(pFiler);
    if (es != Acad::eOk) return es;
    pFiler->writeString(mpData->name.c_str());
    pFiler->writeInt16(mpData->flags);
    arx::db::fileCarried(pFiler, *mpCarried);
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbSymbolTableRecord::dwgInFields(AcDbDwgFiler* pFiler)
{
    Acad::ErrorStatus es = AcDbObject::dwgInFields(pFiler);
    if (es != Acad::eOk) return es;
    char* name = nullptr;
    if (pFiler->readString(&name) != Acad::eOk) return pFiler->filerStatus();
    mpData->name = name;
    delete[] name;
    if (pFiler->readInt16(&mpData->flags) != Acad::eOk) return pFiler->filerStatus();
    return arx::db::unfileCarried(pFiler, *mpCarried);
}

Acad::ErrorStatus AcDbSymbolTableRecord::dxfOutFields(AcDbDxfFiler* pFiler) const
{
    Acad::ErrorStatus es = AcDbObject::dxfOutFields(pFiler);
    if (es != Acad::eOk) return es;
    return pFiler->writeString(AcDb::kDxfSubclass, "AcDbSymbolTableRecord");
}

Acad::ErrorStatus AcDbSymbolTableRecord::dxfInFields(AcDbDxfFiler* pFiler)
{
    Acad::ErrorStatus es = AcDbObject::dxfInFields(pFiler);
    if (es != Acad::eOk) return es;
    if (!pFiler->atSubclassData("AcDbSymbolTableRecord")) return Acad::eBadDxfSequence;
    return pFiler->filerStatus();
}

// ---- Shared helpers ------------------------------------------------------------------------

namespace arx::db {

void linkRecord(AcDbSymbolTable* table, AcDbObjectId recordId)
{
    auto& records = table->entries().records;
    if (std::find(records.begin(), records.end(), recordId) == records.end()) records.push_back(recordId);
}

bool isValidRecordName(const char* name)
{
    if (name == nullptr || *name == '\0' || std::strlen(name) > 255) return false;
    for (const char* p = name; *p; ++p) {
        // Names like *Model_Space, *U12 and *Active start with a star.
        if (*p == '*' && p == name) continue;
        if (std::strchr("<>/\\\":;?*|,=`", *p) != nullptr) {
            // Names of xref-dependent records hold a bar.
            if (*p == '|') continue;
            return false;
        }
        if (static_cast<unsigned char>(*p) < 0x20) return false;
    }
    return true;
}

void setRecordNameRaw(AcDbSymbolTableRecord* record, const char* name)
{
    // Through setName's storage without the duplicate check: the reader fills records
    // before they are linked into their table.
    AcDbObjectId owner = stateOf(record).owner;
    stateOf(record).owner.setNull();
    record->setName(name);
    stateOf(record).owner = owner;
}

void writeNameAndFlags(AcDbDxfFiler* filer, const AcDbSymbolTableRecord* record, bool withFlags)
{
    const char* name = nullptr;
    record->getName(name);
    filer->writeString(AcDb::kDxfSymbolTableName, name ? name : "");
    if (withFlags) filer->writeInt16(AcDb::kDxfInt16, record->flags());
}

Acad::ErrorStatus readRecordGroups(AcDbDxfFiler* filer, AcDbSymbolTableRecord* record, CarriedItems& carried,
                                   const std::function<bool(const DxfItem&)>& handle)
{
    carried.items.clear();
    DxfItem item;
    while (!filer->atExtendedData() && readRawItem(filer, item)) {
        if (item.code == AcDb::kDxfSymbolTableName && item.kind == DxfItem::Kind::Text) {
            if (isValidRecordName(item.text.c_str())) setRecordNameRaw(record, item.text.c_str());
            continue;
        }
        if (item.code == AcDb::kDxfInt16) {
            if (!handle(item)) record->setFlags(static_cast<Adesk::Int16>(item.integer));
            continue;
        }
        if (!handle(item)) carried.items.push_back(item);
    }
    return filer->filerStatus();
}

void fileCarried(AcDbDwgFiler* filer, const CarriedItems& carried) { writeItems(filer, carried.items); }

Acad::ErrorStatus unfileCarried(AcDbDwgFiler* filer, CarriedItems& carried) { return readItems(filer, carried.items); }

std::string recordName(AcDbObjectId recordId) { return recordNameText(recordId); }

const char* recordNameText(AcDbObjectId recordId)
{
    AcDbSymbolTableRecord* rec = recordObject(recordId);
    const char* name = rec ? rawName(rec) : nullptr;
    return name ? name : "";
}

AcDbObjectId findRecord(AcDbObjectId tableId, const char* name)
{
    if (name == nullptr || tableId.isNull() || tableId.stub()->object == nullptr) return AcDbObjectId();
    const AcDbSymbolTable* table = AcDbSymbolTable::cast(tableId.stub()->object);
    if (table == nullptr) return AcDbObjectId();
    for (AcDbObjectId id : table->entries().records) {
        AcDbSymbolTableRecord* rec = recordObject(id);
        if (rec == nullptr || id.isErased()) continue;
        const char* own = rawName(rec);
        if (own && strcasecmp(own, name) == 0) return id;
    }
    return AcDbObjectId();
}

AcDbObjectId findOrAddLayer(AcDbDatabase* db, const char* name)
{
    if (db == nullptr || name == nullptr) return AcDbObjectId();
    // The layer of the last call answers again while it is still that layer of this drawing's
    // table under that name; else the table is searched.
    DatabaseState& ds = stateOf(db);
    AcDbObjectId& last = ds.lastLayerFound;
    if (!last.isNull() && !last.isErased()) {
        AcDbSymbolTableRecord* rec = recordObject(last);
        const char* own = rec ? rawName(rec) : nullptr;
        if (own && strcasecmp(own, name) == 0 && stateOf(rec).owner == db->layerTableId()) return last;
    }
    AcDbObjectId found = findRecord(db->layerTableId(), name);
    if (!found.isNull()) last = found;
    if (!found.isNull() || !isValidRecordName(name)) return found;
    AcDbLayerTable* table = nullptr;
    if (db->getLayerTable(table, AcDb::kForWrite) != Acad::eOk) return AcDbObjectId();
    auto* layer = new AcDbLayerTableRecord();
    layer->setName(name);
    AcCmColor white;
    white.setColorIndex(7);
    layer->setColor(white);
    layer->setLinetypeObjectId(db->continuousLinetype());
    AcDbObjectId id;
    if (table->add(id, layer) == Acad::eOk) layer->close();
    else delete layer;
    table->close();
    return id;
}

bool isPaperSpaceBlock(AcDbObjectId blockId)
{
    const AcDbSymbolTableRecord* rec = recordObject(blockId);
    const char* name = rec ? rawName(rec) : nullptr;
    return name != nullptr && strncasecmp(name, "*Paper_Space", 12) == 0;
}

std::string layoutNameOfBlock(AcDbObjectId blockId)
{
    if (blockId.isNull() || blockId.stub()->object == nullptr) return std::string();
    const AcDbBlockTableRecord* block = AcDbBlockTableRecord::cast(blockId.stub()->object);
    if (block == nullptr) return std::string();
    AcDbObjectId layoutId = block->getLayoutId();
    if (layoutId.isNull() || !layoutId.stub()->isLive()) return std::string();
    const AcDbLayout* layout = AcDbLayout::cast(layoutId.stub()->object);
    if (layout == nullptr) return std::string();
    const char* name = nullptr;
    layout->getLayoutName(name);
    return name ? name : "";
}

}  // namespace arx::db
