// Reads a drawing file into a fresh database: every record becomes an object of its class
// (found by DXF name in the class dictionary) or, when no class is registered for it or the
// class asks for it (eMakeMeProxy), a proxy holding all of its groups.
#include <cctype>
#include <cstdio>
#include <fstream>
#include <map>
#include <memory>
#include <new>
#include <set>
#include <sstream>
#include <unordered_map>

#include "db/database_access.h"
#include "db/database_loader.h"
#include "db/dxf/carried_drawing.h"
#include "db/dxf/class_demand_loader.h"
#include "db/dxf/drawing_file.h"
#include "db/dxf/file_message.h"
#include "db/dxf/format_error.h"
#include "db/dxf/item_conversion.h"
#include "db/dxf/structure_reader.h"
#include "db/dxf_item_filer.h"
#include "db/entities/subentities.h"
#include "db/header_vars.h"
#include "db/proxy_support.h"
#include "db/stub.h"
#include "dbdict.h"
#include "dbmain.h"
#include "dbsymtb.h"
#include "rxclass.h"

namespace arx::dxf {
namespace {

// The class of each symbol table, by the table's name in the file.
const std::map<std::string, std::string, std::less<>> kTableClasses = {
    {"VPORT", "AcDbViewportTable"},  {"LTYPE", "AcDbLinetypeTable"},    {"LAYER", "AcDbLayerTable"},
    {"STYLE", "AcDbTextStyleTable"}, {"VIEW", "AcDbViewTable"},         {"UCS", "AcDbUCSTable"},
    {"APPID", "AcDbRegAppTable"},    {"DIMSTYLE", "AcDbDimStyleTable"}, {"BLOCK_RECORD", "AcDbBlockTable"},
};

std::string statusText(Acad::ErrorStatus status) { return "status " + std::to_string(static_cast<int>(status)); }

// The first group of a code in a record, or null.
const Group* findGroup(const Record& record, int code)
{
    for (const Group& group : record.groups)
        if (group.code == code) return &group;
    return nullptr;
}

class DrawingReader : public SectionHandler {
public:
    explicit DrawingReader(AcDbDatabase* db) : db_(db), loader_(db), carried_(makeCarriedDrawing(db)) {}

    // A record of a drawing takes a hundred bytes or more of its text: room for that many.
    void expectText(std::size_t bytes) { loader_.expectObjects(bytes / 100); }

    void finish(ReadReport& report)
    {
        closeComplex();
        removeDanglingDictionaryEntries(report);
        const Acad::ErrorStatus status = loader_.finish(report.warnings);
        if (status != Acad::eOk)
            throw FormatError(0, "the drawing could not be completed (" + statusText(status) + ")");
    }

    void headerVariable(std::string_view name, long line, std::span<const Group> values) override
    {
        if (name.size() < 2 || name.front() != '$') throw FormatError(line, "a header variable name must start with $");
        db::headerVars(db_).set(name.substr(1), toItems(values, idLookup()));
    }

    void classRecord(const Record& record) override
    {
        db::DxfClassRecord entry;
        bool named = false;
        for (const Group& group : record.groups) {
            switch (group.code) {
            case 1:
                entry.dxfName = group.value;
                named = true;
                break;
            case 2: entry.className = group.value; break;
            case 3: entry.appName = group.value; break;
            case 90: entry.proxyFlags = static_cast<int>(integerValue(group)); break;
            case 280: entry.wasAProxy = integerValue(group) != 0; break;
            case 281: entry.isEntity = integerValue(group) != 0; break;
            default: checkValue(group); break;
            }
        }
        // Some programs write classes with an empty name: they are carried like the others.
        if (!named) throw FormatError(record.line, "a CLASS without its DXF name (group 1)");
        if (!entry.dxfName.empty()) classesByDxfName_[entry.dxfName] = entry;
        demandLoadClass(entry);
        db::dxfClasses(db_).push_back(std::move(entry));
    }

    void tableBegin(std::string_view name, const Record& record) override
    {
        tableClass_ = nullptr;
        carriedTable_ = nullptr;
        const auto known = kTableClasses.find(name);
        if (known == kTableClasses.end()) {
            carried_.tables.emplace_back();
            carriedTable_ = &carried_.tables.back();
            carriedTable_->push_back({0, "TABLE"});
            append(*carriedTable_, record.groups);
            return;
        }
        tableClass_ = acrxFindClass(known->second.c_str());
        if (tableClass_ == nullptr) throw FormatError(record.line, "no class for the " + std::string(name) + " table");
        if (record.groups.empty()) {
            // A table without its TABLE record: made when its first entry names its owner.
            headerlessTable_ = true;
            return;
        }
        headerlessTable_ = false;
        // The table's name (group 2, first) is the file's: the table object starts after it.
        loadRecord(Record{record.type, record.line, record.groups.subspan(1)}, tableClass_, Space::None);
    }

    void tableEntry(std::string_view name, const Record& record) override
    {
        if (carriedTable_) {
            carriedTable_->push_back({0, std::string(record.type)});
            append(*carriedTable_, record.groups);
            return;
        }
        if (headerlessTable_) makeHeaderlessTable(record);
        const AcDbObjectId id = loadRecord(record, classFor(record), Space::None);
        if (name == "BLOCK_RECORD") {
            if (const Group* nameGroup = findGroup(record, 2)) blockRecords_[std::string(nameGroup->value)] = id;
        }
    }

    void tableEnd(std::string_view, const Record& record) override
    {
        if (carriedTable_) {
            carriedTable_->push_back({0, "ENDTAB"});
            append(*carriedTable_, record.groups);
        }
        carriedTable_ = nullptr;
        tableClass_ = nullptr;
        headerlessTable_ = false;
    }

    void blockBegin(const Record& record) override
    {
        closeComplex();
        currentBlock_ = AcDbObjectId();
        if (const Group* nameGroup = findGroup(record, 2)) {
            auto found = blockRecords_.find(std::string(nameGroup->value));
            if (found != blockRecords_.end()) currentBlock_ = found->second;
        }
        loadRecord(record, classFor(record), Space::Block);
    }

    void blockEntity(const Record& record) override { loadEntity(record, Space::Block); }

    void blockEnd(const Record& record) override
    {
        closeComplex();
        loadRecord(record, classFor(record), Space::Block);
        currentBlock_ = AcDbObjectId();
    }

    void entity(const Record& record) override { loadEntity(record, Space::Entities); }

    void object(const Record& record) override
    {
        closeComplex();
        const AcDbObjectId id = loadRecord(record, classFor(record), Space::None);
        noteDictionaryEntries(id, record);
    }

    void otherSection(std::string_view name, long, std::span<const Group> groups) override
    {
        closeComplex();
        carried_.sections.push_back(CarriedSection{std::string(name), carry(groups)});
    }

private:
    enum class Space { None, Block, Entities };

    // The entries of a dictionary as the file gives them: a key (3) and the handle (350 or 360)
    // after it.
    void noteDictionaryEntries(AcDbObjectId id, const Record& record)
    {
        if (AcDbDictionary::cast(id.stub()->object) == nullptr) return;
        const Group* key = nullptr;
        for (const Group& group : record.groups) {
            if (group.code == 3) {
                key = &group;
            } else if ((group.code == 350 || group.code == 360) && key != nullptr) {
                dictionaryEntries_.push_back({id, std::string(key->value), handleValue(group)});
                key = nullptr;
            }
        }
    }

    // An entry whose handle no object of the file has cannot be kept (nothing could save or
    // open it): it is removed, and the report says so, as an audit would.
    void removeDanglingDictionaryEntries(ReadReport& report)
    {
        for (const DictionaryEntry& entry : dictionaryEntries_) {
            AcDbObjectId target;
            if (entry.handle == 0 || db_->getAcDbObjectId(target, false, AcDbHandle(entry.handle)) != Acad::eOk)
                continue;
            if (target.stub()->object != nullptr) continue;
            AcDbDictionary* dictionary = nullptr;
            if (acdbOpenObject(dictionary, entry.dictionary, AcDb::kForWrite) != Acad::eOk) continue;
            const bool removed = dictionary->remove(target) == Acad::eOk;
            dictionary->close();
            if (!removed) continue;
            char handles[64];
            std::snprintf(handles, sizeof handles, "%llX names handle %llX",
                          static_cast<unsigned long long>(entry.dictionary.handle().value()),
                          static_cast<unsigned long long>(entry.handle));
            report.removed.push_back("The entry \"" + entry.key + "\" of dictionary " + handles +
                                     ", which no object has: the entry is removed.");
            report.warnings.push_back(report.removed.back());
        }
    }

    // A class the drawing lists but nobody registered: its application is asked for once.
    void demandLoadClass(const db::DxfClassRecord& entry)
    {
        const db::ClassDemandLoader& loader = db::classDemandLoader();
        if (!loader || entry.dxfName.empty() || entry.appName.empty()) return;
        if (acrxFindClassByDxfName(entry.dxfName.c_str()) != nullptr) return;
        if (!appsAsked_.insert(entry.appName).second) return;
        loader(entry.appName);
    }

    IdForHandle idLookup()
    {
        return [this](std::uint64_t handle) { return loader_.idForHandle(AcDbHandle(handle)); };
    }

    AcRxClass* classFor(const Record& record)
    {
        auto cached = classCache_.find(record.type);
        if (cached != classCache_.end()) return cached->second;
        AcRxClass* cls = acrxFindClassByDxfName(std::string(record.type).c_str());
        if (cls != nullptr && !cls->isDerivedFrom(AcDbObject::desc())) cls = nullptr;
        classCache_.emplace(std::string(record.type), cls);
        return cls;
    }

    // The class of a POLYLINE follows its flags; a VERTEX follows its polyline.
    AcRxClass* entityClassFor(const Record& record)
    {
        if (record.type == "POLYLINE") {
            const Group* flags = findGroup(record, 70);
            const std::int64_t bits = flags ? integerValue(*flags) : 0;
            if (bits & (16 | 64)) return nullptr;  // polygon and polyface meshes: kept as proxies
            return acrxFindClass((bits & 8) ? "AcDb3dPolyline" : "AcDb2dPolyline");
        }
        if (record.type == "VERTEX") {
            if (complexClass_ == nullptr) return nullptr;
            if (complexClass_->isDerivedFrom(acrxFindClass("AcDb2dPolyline"))) return acrxFindClass("AcDb2dVertex");
            if (complexClass_->isDerivedFrom(acrxFindClass("AcDb3dPolyline")))
                return acrxFindClass("AcDb3dPolylineVertex");
            return nullptr;
        }
        return classFor(record);
    }

    void makeHeaderlessTable(const Record& firstEntry)
    {
        headerlessTable_ = false;
        std::uint64_t handle = 0;
        if (const Group* owner = findGroup(firstEntry, 330)) handle = handleValue(*owner);
        std::unique_ptr<AcDbObject> table(AcDbObject::cast(tableClass_->create()));
        AcDbObjectId id;
        Acad::ErrorStatus status = loader_.addObject(table.get(), AcDbHandle(handle), id);
        if (status == Acad::eHandleInUse) status = loader_.addObject(table.get(), AcDbHandle(), id);
        if (status != Acad::eOk)
            throw FormatError(firstEntry.line,
                              "the table of this record could not be made (" + statusText(status) + ")");
        table.release();
    }

    void loadEntity(const Record& record, Space space)
    {
        const bool isSubentity = db::isSubentityType(std::string(record.type).c_str());
        if (!isSubentity) closeComplex();
        AcRxClass* cls = entityClassFor(record);
        readingSubentity_ = isSubentity && !complexHead_.isNull();
        const AcDbObjectId id = loadRecord(record, cls, space);
        readingSubentity_ = false;
        if (isSubentity && !complexHead_.isNull()) {
            const bool isEnd = record.type == "SEQEND";
            adoptIntoComplex(id, isEnd, record.line);
            if (isEnd) closeComplex();
            return;
        }
        const bool startsComplex =
            record.type == "POLYLINE" || (record.type == "INSERT" && hasAttributesFollow(record));
        if (startsComplex) {
            complexHead_ = id;
            complexClass_ = cls;
        }
    }

    static bool hasAttributesFollow(const Record& record)
    {
        const Group* follow = findGroup(record, 66);
        return follow && integerValue(*follow) != 0;
    }

    void adoptIntoComplex(AcDbObjectId id, bool isEnd, long line)
    {
        AcDbEntity* head = nullptr;
        if (acdbOpenAcDbEntity(head, complexHead_, AcDb::kForWrite) != Acad::eOk)
            throw FormatError(line, "the entity this record belongs to cannot take it");
        db::adoptSubentity(head, id, isEnd);
        head->close();
    }

    void closeComplex()
    {
        complexHead_ = AcDbObjectId();
        complexClass_ = nullptr;
    }

    std::uint64_t handleOf(const Record& record) const
    {
        if (record.prepared && record.prepared->handle) return *record.prepared->handle;
        for (const Group& group : record.groups) {
            if (group.code == 5 || group.code == 105) return handleValue(group);
            if (group.code == 100) break;  // the handle comes before the first subclass
        }
        return 0;
    }

    // Reads a record into an object of `cls` (a proxy when cls is null or refuses) and adds it
    // under its handle. Whatever the record holds is checked before an object exists, and the
    // object is owned here until the database takes it, so a refused record leaks nothing.
    AcDbObjectId loadRecord(const Record& record, AcRxClass* cls, Space space)
    {
        const AcDbHandle handle(handleOf(record));
        const std::span<const db::DxfItem> items = itemsOf(record);
        std::unique_ptr<AcDbObject> object(cls ? AcDbObject::cast(cls->create()) : nullptr);
        if (object != nullptr) {
            const Acad::ErrorStatus status = fileIn(object.get(), items);
            if (status == Acad::eMakeMeProxy) {
                object.reset();
            } else if (status != Acad::eOk) {
                throw FormatError(record.line, std::string(record.type) + " record refused by its class " +
                                                   cls->name() + " (" + statusText(status) + ")");
            }
        }
        if (object == nullptr) object = makeProxy(record, space, items);
        setDefaultOwner(object.get(), record, space);
        AcDbObjectId id;
        const Acad::ErrorStatus status = loader_.addObject(object.get(), handle, id);
        if (status != Acad::eOk) {
            throw FormatError(record.line,
                              status == Acad::eHandleInUse
                                  ? "the handle of this " + std::string(record.type) + " is already used"
                                  : std::string(record.type) + " could not be added (" + statusText(status) + ")");
        }
        object.release();
        return id;
    }

    // The items of a record: those the second thread prepared, with their references resolved,
    // or the record's groups converted here (which names the line of a value that does not fit).
    std::span<const db::DxfItem> itemsOf(const Record& record)
    {
        if (record.prepared && expandPreparedItems(record.prepared->items, idLookup(), items_))
            return std::span<const db::DxfItem>(items_).first(record.prepared->items.size());
        assignItems(record.groups, idLookup(), items_);
        return items_;
    }

    // The object reads the items of the record through a filer that borrows them (no copy per
    // record; a proxy may have to read them again).
    Acad::ErrorStatus fileIn(AcDbObject* object, std::span<const db::DxfItem> items)
    {
        db::DxfItemFiler filer(AcDb::kFileFiler, db_, items);
        return object->dxfIn(&filer);
    }

    // A record of the entities section or of a block is kept as an entity whatever its markers
    // say: kept as an object it would be saved among the objects, where its own class (a
    // VERTEX's, say) would refuse it when the file is opened again.
    std::unique_ptr<AcDbObject> makeProxy(const Record& record, Space space, std::span<const db::DxfItem> items)
    {
        db::ProxyOrigin origin;
        origin.dxfName = record.type;
        auto known = classesByDxfName_.find(origin.dxfName);
        if (known != classesByDxfName_.end()) {
            origin.className = known->second.className;
            origin.appName = known->second.appName;
            origin.proxyFlags = known->second.proxyFlags;
            origin.isEntity = known->second.isEntity;
        } else {
            origin.isEntity = findGroup(record, 100) && findGroup(record, 100)->value == "AcDbEntity";
        }
        if (space != Space::None) origin.isEntity = true;
        std::unique_ptr<AcDbObject> proxy(db::makeProxy(origin, db::DxfItemList()));
        if (proxy == nullptr) throw FormatError(record.line, "no proxy class to keep " + std::string(record.type));
        const Acad::ErrorStatus status = fileIn(proxy.get(), items);
        if (status != Acad::eOk) {
            throw FormatError(record.line, "the data of this " + std::string(record.type) + " cannot be kept (" +
                                               statusText(status) + ")");
        }
        return proxy;
    }

    // A vertex, attribute or sequence end belongs to the entity it follows, whatever its 330
    // group says (a file whose handles are all 0 names owners that are not there): its owner
    // writes it, so a second owner would write it twice. Other entities that name no owner go
    // to the block they are in, or to the space group 67 gives.
    void setDefaultOwner(AcDbObject* object, const Record& record, Space space)
    {
        if (readingSubentity_) {
            object->setOwnerId(complexHead_);
            return;
        }
        if (space == Space::None || !object->ownerId().isNull()) return;
        if (space == Space::Block && !currentBlock_.isNull()) {
            object->setOwnerId(currentBlock_);
        } else if (space == Space::Entities) {
            const Group* paper = findGroup(record, 67);
            const char* name = (paper && integerValue(*paper) != 0) ? "*PAPER_SPACE" : "*MODEL_SPACE";
            for (const auto& [recordName, id] : blockRecords_)
                if (equalsIgnoringCase(recordName, name)) object->setOwnerId(id);
        }
    }

    static bool equalsIgnoringCase(const std::string& a, const char* b)
    {
        std::size_t i = 0;
        for (; i < a.size() && b[i]; ++i)
            if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i])))
                return false;
        return i == a.size() && b[i] == 0;
    }

    struct DictionaryEntry {
        AcDbObjectId dictionary;
        std::string key;
        std::uint64_t handle = 0;
    };

    AcDbDatabase* db_;
    db::DatabaseLoader loader_;
    std::vector<DictionaryEntry> dictionaryEntries_;
    CarriedDrawing& carried_;
    db::DxfItemList items_;
    // Looked up once per record: hashed, and by the record's own text.
    struct TextHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
    };
    std::unordered_map<std::string, AcRxClass*, TextHash, std::equal_to<>> classCache_;
    std::map<std::string, db::DxfClassRecord> classesByDxfName_;
    std::set<std::string> appsAsked_;
    std::map<std::string, AcDbObjectId> blockRecords_;
    AcRxClass* tableClass_ = nullptr;
    bool headerlessTable_ = false;
    CarriedGroups* carriedTable_ = nullptr;
    AcDbObjectId currentBlock_;
    AcDbObjectId complexHead_;
    AcRxClass* complexClass_ = nullptr;
    bool readingSubentity_ = false;
};

// Reads the text into the database; the report holds what the reader found.
Acad::ErrorStatus readDrawing(AcDbDatabase* db, DrawingText& text, ReadReport& report, Splitting splitting)
{
    Acad::ErrorStatus status = Acad::eOk;
    try {
        DrawingReader reader(db);
        reader.expectText(text.size());
        readStructure(text, reader, splitting);
        reader.finish(report);
    } catch (const FormatError& error) {
        report.message = error.what();
        status = Acad::eDxfReadAborted;
    } catch (const FileReadError& error) {
        report.message = error.what();
        status = Acad::eFileAccessErr;
    } catch (const std::bad_alloc&) {
        report.message = "Error in DXF file: not enough memory to read it";
        status = Acad::eOutOfMemory;
    }
    if (status != Acad::eOk) {
        report.warnings.clear();
        report.removed.clear();
    }
    setLastDrawingFileMessage(status == Acad::eOk ? std::string() : report.message);
    setLastDrawingFileRemovals(report.removed);
    return status;
}

}  // namespace

Acad::ErrorStatus readDrawingText(AcDbDatabase* db, std::string_view text, ReadReport& report, Splitting splitting)
{
    report = ReadReport();
    DrawingText whole(text);
    return readDrawing(db, whole, report, splitting);
}

Acad::ErrorStatus readDrawingFile(AcDbDatabase* db, const char* fileName, ReadReport& report)
{
    report = ReadReport();
    Acad::ErrorStatus status = Acad::eOk;
    const std::unique_ptr<DrawingText> text = openDrawingText(fileName, status, report.message);
    if (text == nullptr) {
        setLastDrawingFileMessage(report.message);
        setLastDrawingFileRemovals(report.removed);
        return status;
    }
    status = readDrawing(db, *text, report, Splitting::Automatic);
    if (status == Acad::eOk) db::setFileName(db, fileName);
    return status;
}

}  // namespace arx::dxf
