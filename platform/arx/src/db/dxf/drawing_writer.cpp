// Writes a database as an ASCII DXF file of release 2000: each object through its own
// dxfOut, in the sections and order the host uses; what the database carries from the file
// it was read from (unknown sections and tables, the CLASSES of proxies) is written back.
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <algorithm>
#include <map>
#include <set>
#include <vector>
#include <sys/stat.h>
#include <unistd.h>

#include "db/database_access.h"
#include "db/dxf/carried_drawing.h"
#include "db/dxf/drawing_file.h"
#include "db/dxf/file_message.h"
#include "db/dxf/file_output.h"
#include "db/dxf/item_conversion.h"
#include "db/dxf/text_dxf_filer.h"
#include "db/entities/subentities.h"
#include "db/header_vars.h"
#include "db/proxy_support.h"
#include "dbmain.h"
#include "dbsymtb.h"
#include "rx/class_dictionary.h"
#include "rxclass.h"

namespace arx::dxf {
namespace {

// Entity and object types of the DXF format itself: they are never listed in CLASSES.
const std::set<std::string, std::less<>> kBuiltInDxfNames = {
    "3DFACE",
    "3DSOLID",
    "ARC",
    "ATTDEF",
    "ATTRIB",
    "BLOCK",
    "BODY",
    "CIRCLE",
    "DIMENSION",
    "ELLIPSE",
    "ENDBLK",
    "HATCH",
    "INSERT",
    "LEADER",
    "LINE",
    "LWPOLYLINE",
    "MLINE",
    "MTEXT",
    "OLEFRAME",
    "OLE2FRAME",
    "POINT",
    "POLYLINE",
    "RAY",
    "REGION",
    "SEQEND",
    "SHAPE",
    "SOLID",
    "SPLINE",
    "TEXT",
    "TOLERANCE",
    "TRACE",
    "VERTEX",
    "VIEWPORT",
    "XLINE",
    "DICTIONARY",
    "GROUP",
    "MLINESTYLE",
    "XRECORD",
    "ACAD_PROXY_ENTITY",
    "ACAD_PROXY_OBJECT",
    "TABLE",
    "APPID",
    "BLOCK_RECORD",
    "DIMSTYLE",
    "LAYER",
    "LTYPE",
    "STYLE",
    "UCS",
    "VIEW",
    "VPORT",
};

// The process's file creation mask (a new drawing gets the permissions any new file would).
mode_t currentUmask()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

struct WriteFailure {
    std::string message;
};

bool equalsIgnoringCase(const char* a, const char* b)
{
    for (; *a && *b; ++a, ++b)
        if (std::toupper(static_cast<unsigned char>(*a)) != std::toupper(static_cast<unsigned char>(*b))) return false;
    return *a == *b;
}

class DrawingWriter {
public:
    DrawingWriter(AcDbDatabase* db, TextWriter& out) : db_(db), out_(out) {}

    void run()
    {
        writeHeader();
        writeClasses();
        writeTables();
        writeBlocksAndEntities();
        writeObjects();
        writeCarriedSections();
        out_.string(0, "EOF");
        check();
    }

private:
    void check()
    {
        if (out_.failed()) throw WriteFailure{out_.problem()};
    }

    void beginSection(const char* name)
    {
        out_.string(0, "SECTION");
        out_.string(2, name);
    }
    void endSection() { out_.string(0, "ENDSEC"); }

    void writeHeader()
    {
        beginSection("HEADER");
        out_.string(9, "$ACADVER");
        out_.string(1, "AC1015");
        db::headerVars(db_).forEach([this](const std::string& name, const db::DxfItemList& values) {
            if (name == "ACADVER") return;
            out_.string(9, "$" + name);
            writeItems(out_, values);
        });
        endSection();
        check();
    }

    void writeClass(const std::string& dxfName, const std::string& className, const std::string& appName,
                    int proxyFlags, bool wasAProxy, bool isEntity)
    {
        if (!dxfName.empty() && !written_.insert(dxfName).second) return;
        out_.string(0, "CLASS");
        out_.string(1, dxfName);
        out_.string(2, className);
        out_.string(3, appName.empty() ? "ObjectDBX Classes" : appName);
        out_.integer(90, proxyFlags);
        out_.integer(280, wasAProxy ? 1 : 0);
        out_.integer(281, isEntity ? 1 : 0);
    }

    void writeClasses()
    {
        beginSection("CLASSES");
        AcRxClass* entityClass = AcDbEntity::desc();
        // The classes the drawing was read with, in their order, then every other class a
        // module or the platform registered with a DXF name of its own.
        for (const db::DxfClassRecord& entry : db::dxfClasses(db_)) {
            if (AcRxClass* cls = acrxFindClassByDxfName(entry.dxfName.c_str())) {
                writeClass(entry.dxfName, cls->name(), cls->appName(), cls->proxyFlags(), false,
                           cls->isDerivedFrom(entityClass));
            } else {
                writeClass(entry.dxfName, entry.className, entry.appName, entry.proxyFlags, true, entry.isEntity);
            }
        }
        for (AcRxClass* cls : rx::ClassDictionary::instance().classes()) {
            const std::string dxfName = cls->dxfName();
            if (dxfName.empty() || kBuiltInDxfNames.count(dxfName) || dxfName[0] == '*') continue;
            if (!cls->isDerivedFrom(AcDbObject::desc())) continue;
            writeClass(dxfName, cls->name(), cls->appName(), cls->proxyFlags(), false, cls->isDerivedFrom(entityClass));
        }
        endSection();
        check();
    }

    // Writes one object through its dxfOut, then the entities it owns in the file (attributes
    // or vertices and their sequence end).
    void writeObject(AcDbObjectId id, const char* tableName = nullptr)
    {
        AcDbObject* object = nullptr;
        const Acad::ErrorStatus status = acdbOpenAcDbObject(object, id, AcDb::kForRead);
        if (status != Acad::eOk) {
            char handle[20];
            id.handle().getIntoAsciiBuffer(handle);
            throw WriteFailure{std::string("object ") + handle + " cannot be read (status " +
                               std::to_string(static_cast<int>(status)) + ")"};
        }
        writeOpenObject(object, tableName);
        markWritten(id);
        AcDbObjectIdArray owned;
        if (mayOwnSubentities(object->isA()))
            if (const AcDbEntity* entity = AcDbEntity::cast(object)) owned = db::subentityIdsOf(entity);
        object->close();
        for (int i = 0; i < owned.length(); ++i)
            if (!owned[i].isNull() && !owned[i].isErased()) writeObject(owned[i]);
    }

    // Objects written before OBJECTS (tables, records, entities) by handle, so that finding
    // the plain objects need not open them again. Handles past the limit are not marked.
    static constexpr std::uint64_t kMarkedHandles = 1ull << 26;

    void markWritten(AcDbObjectId id)
    {
        const std::uint64_t handle = id.handle().value();
        if (handle >= kMarkedHandles) return;
        if (handle >= writtenHandles_.size())
            writtenHandles_.resize(std::max<std::size_t>(handle + 1, writtenHandles_.size() * 2));
        writtenHandles_[handle] = true;
    }

    bool wasWritten(AcDbObjectId id) const
    {
        const std::uint64_t handle = id.handle().value();
        return handle < writtenHandles_.size() && writtenHandles_[handle];
    }

    // Whether objects of the class may own entities written after them, asked once a class.
    bool mayOwnSubentities(const AcRxClass* cls)
    {
        for (const auto& [known, may] : subentityClasses_)
            if (known == cls) return may;
        const bool may = db::mayOwnSubentities(cls);
        subentityClasses_.emplace_back(cls, may);
        return may;
    }

    // `tableName`: the table's name, which a TABLE record gives in group 2 right after its type.
    void writeOpenObject(const AcDbObject* object, const char* tableName = nullptr)
    {
        TextDxfFiler filer(db_, out_);
        if (tableName != nullptr) filer.setTableName(tableName);
        const Acad::ErrorStatus status = object->dxfOut(&filer);
        if (status != Acad::eOk) {
            AcDbHandle handle;
            object->getAcDbHandle(handle);
            char text[20];
            handle.getIntoAsciiBuffer(text);
            throw WriteFailure{std::string("the data of object ") + text + " (" + db::dxfNameOf(object) +
                               ") cannot be written (status " + std::to_string(static_cast<int>(status)) + ")"};
        }
        check();
        ++objectsWritten_;
    }

    template <class Table, class Iterator>
    void writeTable(const char* name, Acad::ErrorStatus (AcDbDatabase::*getTable)(Table*&, AcDb::OpenMode))
    {
        Table* table = nullptr;
        if ((db_->*getTable)(table, AcDb::kForRead) != Acad::eOk) return;
        AcDbObjectIdArray records;
        Iterator* iterator = nullptr;
        if (table->newIterator(iterator) == Acad::eOk) {
            for (; !iterator->done(); iterator->step()) {
                AcDbObjectId id;
                if (iterator->getRecordId(id) == Acad::eOk) records.append(id);
            }
            delete iterator;
        }
        const AcDbObjectId tableId = table->objectId();
        table->close();
        writeObject(tableId, name);
        for (int i = 0; i < records.length(); ++i) writeObject(records[i]);
        out_.string(0, "ENDTAB");
    }

    void writeTables()
    {
        beginSection("TABLES");
        writeTable<AcDbViewportTable, AcDbViewportTableIterator>("VPORT", &AcDbDatabase::getViewportTable);
        writeTable<AcDbLinetypeTable, AcDbLinetypeTableIterator>("LTYPE", &AcDbDatabase::getLinetypeTable);
        writeTable<AcDbLayerTable, AcDbLayerTableIterator>("LAYER", &AcDbDatabase::getLayerTable);
        writeTable<AcDbTextStyleTable, AcDbTextStyleTableIterator>("STYLE", &AcDbDatabase::getTextStyleTable);
        writeTable<AcDbViewTable, AcDbViewTableIterator>("VIEW", &AcDbDatabase::getViewTable);
        writeTable<AcDbUCSTable, AcDbUCSTableIterator>("UCS", &AcDbDatabase::getUCSTable);
        writeTable<AcDbRegAppTable, AcDbRegAppTableIterator>("APPID", &AcDbDatabase::getRegAppTable);
        writeTable<AcDbDimStyleTable, AcDbDimStyleTableIterator>("DIMSTYLE", &AcDbDatabase::getDimStyleTable);
        writeTable<AcDbBlockTable, AcDbBlockTableIterator>("BLOCK_RECORD", &AcDbDatabase::getBlockTable);
        if (CarriedDrawing* carried = carriedDrawing(db_))
            for (const CarriedGroups& table : carried->tables)
                if (!writeCarried(out_, table)) check();
        endSection();
        check();
    }

    struct Block {
        AcDbObjectId record, begin, end;
        AcDbObjectIdArray entities;
        bool inEntitiesSection = false;
    };

    std::vector<Block> collectBlocks()
    {
        std::vector<Block> blocks;
        AcDbBlockTable* table = nullptr;
        if (db_->getBlockTable(table, AcDb::kForRead) != Acad::eOk) return blocks;
        AcDbBlockTableIterator* iterator = nullptr;
        if (table->newIterator(iterator) == Acad::eOk) {
            for (; !iterator->done(); iterator->step()) {
                AcDbBlockTableRecord* record = nullptr;
                if (iterator->getRecord(record, AcDb::kForRead) != Acad::eOk) continue;
                Block block;
                block.record = record->objectId();
                block.begin = record->blockBeginId();
                block.end = record->blockEndId();
                block.entities = record->entityIds();
                const char* name = "";
                record->getName(name);
                block.inEntitiesSection =
                    equalsIgnoringCase(name, ACDB_MODEL_SPACE) || equalsIgnoringCase(name, ACDB_PAPER_SPACE);
                record->close();
                blocks.push_back(std::move(block));
            }
            delete iterator;
        }
        table->close();
        return blocks;
    }

    void writeEntities(const AcDbObjectIdArray& entities)
    {
        for (int i = 0; i < entities.length(); ++i)
            if (!entities[i].isErased()) writeObject(entities[i]);
    }

    void writeBlocksAndEntities()
    {
        const std::vector<Block> blocks = collectBlocks();
        beginSection("BLOCKS");
        for (const Block& block : blocks) {
            if (!block.begin.isNull()) writeObject(block.begin);
            if (!block.inEntitiesSection) writeEntities(block.entities);
            if (!block.end.isNull()) writeObject(block.end);
        }
        endSection();
        check();
        beginSection("ENTITIES");
        for (const Block& block : blocks)
            if (block.inEntitiesSection) writeEntities(block.entities);
        endSection();
        check();
    }

    // Objects that belong in OBJECTS: not entities and not part of the symbol tables.
    static bool isPlainObject(const AcDbObject* object)
    {
        return !AcDbEntity::cast(object) && !AcDbSymbolTable::cast(object) && !AcDbSymbolTableRecord::cast(object);
    }

    // Objects in the order of ownership, as the host writes them: the named-object
    // dictionary, then each object followed by what it owns, owners' children by handle;
    // objects whose owner is not among them come last, by handle. The order depends only on
    // the drawing, so saving a drawing read from our own file writes the same file.
    void writeObjects()
    {
        beginSection("OBJECTS");
        const AcDbObjectId root = db_->namedObjectsDictionaryId();
        std::map<AcDbObjectId, std::vector<AcDbObjectId>> children;
        std::map<AcDbObjectId, AcDbObjectId> owners;
        for (const AcDbObjectId& id : db::allObjectIds(db_)) {
            if (id.isErased() || wasWritten(id)) continue;
            AcDbObject* object = nullptr;
            if (acdbOpenAcDbObject(object, id, AcDb::kForRead) != Acad::eOk) continue;
            if (isPlainObject(object)) {
                owners[id] = object->ownerId();
                children[object->ownerId()].push_back(id);
            }
            object->close();
        }
        auto byHandle = [](AcDbObjectId a, AcDbObjectId b) { return a.handle().value() < b.handle().value(); };
        for (auto& [owner, owned] : children) std::sort(owned.begin(), owned.end(), byHandle);
        std::vector<AcDbObjectId> plain;
        for (const auto& [id, owner] : owners) plain.push_back(id);
        std::sort(plain.begin(), plain.end(), byHandle);
        std::set<AcDbObjectId> done;
        if (owners.count(root)) writeOwnedTree(root, children, done);
        for (const AcDbObjectId& id : plain)
            if (!done.count(id) && !owners.count(owners[id])) writeOwnedTree(id, children, done);
        for (const AcDbObjectId& id : plain)
            if (!done.count(id)) writeOwnedTree(id, children, done);
        endSection();
        check();
    }

    void writeOwnedTree(AcDbObjectId top, const std::map<AcDbObjectId, std::vector<AcDbObjectId>>& children,
                        std::set<AcDbObjectId>& done)
    {
        std::vector<AcDbObjectId> pending{top};
        while (!pending.empty()) {
            const AcDbObjectId id = pending.back();
            pending.pop_back();
            if (!done.insert(id).second) continue;
            writeObject(id);
            auto owned = children.find(id);
            if (owned == children.end()) continue;
            for (auto it = owned->second.rbegin(); it != owned->second.rend(); ++it)
                if (!done.count(*it)) pending.push_back(*it);
        }
    }

    void writeCarriedSections()
    {
        CarriedDrawing* carried = carriedDrawing(db_);
        if (carried == nullptr) return;
        for (const CarriedSection& section : carried->sections) {
            beginSection(section.name.c_str());
            if (!writeCarried(out_, section.groups)) check();
            endSection();
        }
    }

    AcDbDatabase* db_;
    TextWriter& out_;
    std::set<std::string> written_;
    std::vector<std::pair<const AcRxClass*, bool>> subentityClasses_;
    std::vector<bool> writtenHandles_;
    std::size_t objectsWritten_ = 0;
};

Acad::ErrorStatus writeWith(AcDbDatabase* db, TextWriter& writer, std::string& message)
{
    try {
        DrawingWriter(db, writer).run();
        if (!writer.flush()) throw WriteFailure{writer.problem()};
    } catch (const WriteFailure& failure) {
        message = "Cannot write the drawing: " + failure.message;
        return Acad::eInvalidInput;
    }
    message.clear();
    return Acad::eOk;
}

}  // namespace

Acad::ErrorStatus writeDrawingText(AcDbDatabase* db, std::string& text, std::string& message)
{
    TextWriter writer([&text](std::string_view chunk) {
        text.append(chunk);
        return true;
    });
    text.clear();
    const Acad::ErrorStatus status = writeWith(db, writer, message);
    setLastDrawingFileMessage(message);
    return status;
}

Acad::ErrorStatus writeDrawingFile(AcDbDatabase* db, const char* fileName, std::string& message)
{
    std::string temporary = std::string(fileName) + ".XXXXXX";
    const int descriptor = ::mkstemp(temporary.data());
    if (descriptor < 0) {
        message = std::string("Cannot write the drawing file ") + fileName + ": " + std::strerror(errno);
        setLastDrawingFileMessage(message);
        return Acad::eFileAccessErr;
    }
    // The text goes out through a thread that only writes; the file is synced before it
    // replaces the drawing.
    Acad::ErrorStatus status = Acad::eOk;
    int error = 0;
    {
        FileOutput output(descriptor);
        TextWriter writer([&output](std::string_view chunk) { return output.write(chunk); });
        status = writeWith(db, writer, message);
        if (!output.finish()) error = output.error();
    }
    if (status == Acad::eOk && error == 0 && ::fsync(descriptor) != 0) error = errno;
    if (::close(descriptor) != 0 && error == 0) error = errno;
    if (status == Acad::eOk && error != 0) {
        message = std::string("Cannot write the drawing file ") + fileName + ": " + std::strerror(error);
        status = Acad::eFileAccessErr;
    }
    if (status == Acad::eOk && std::rename(temporary.c_str(), fileName) != 0) {
        message = std::string("Cannot replace the drawing file ") + fileName + ": " + std::strerror(errno);
        status = Acad::eFileAccessErr;
    }
    if (status != Acad::eOk) {
        ::unlink(temporary.c_str());
        if (status == Acad::eInvalidInput) message += " (the file was not changed)";
    } else {
        ::chmod(fileName, 0666 & ~currentUmask());
        db::setFileName(db, fileName);
    }
    setLastDrawingFileMessage(message);
    return status;
}

}  // namespace arx::dxf
