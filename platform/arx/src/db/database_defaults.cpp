#include "db/database_defaults.h"

#include "dbdict.h"
#include "dblayout.h"
#include "dbsymtb.h"
#include "db/database_state.h"
#include "db/symbol_lookup.h"

namespace arx::db {

namespace {

template <class Table>
void ensureTable(AcDbDatabase* db, AcDbObjectId& slot)
{
    if (!slot.isNull() && slot.stub()->isLive()) return;
    auto* table = new Table();
    db->addAcDbObject(slot, table);
    table->close();
}

template <class Table, class Record, class Setup>
AcDbObjectId ensureRecord(AcDbDatabase* db, AcDbObjectId tableId, const char* name, Setup setup)
{
    AcDbObjectId found = findRecord(tableId, name);
    if (!found.isNull()) return found;
    Table* table = nullptr;
    if (acdbOpenObject(table, tableId, AcDb::kForWrite) != Acad::eOk) return AcDbObjectId();
    auto* record = new Record();
    record->setName(name);
    setup(record);
    AcDbObjectId id;
    if (table->add(id, record) == Acad::eOk) record->close();
    else delete record;
    table->close();
    return id;
}

AcDbObjectId ensureDictionary(AcDbObjectId parentId, const char* key)
{
    AcDbObjectId found = findEntry(parentId, key);
    if (!found.isNull()) return found;
    AcDbDictionary* parent = nullptr;
    if (acdbOpenObject(parent, parentId, AcDb::kForWrite) != Acad::eOk) return AcDbObjectId();
    auto* dict = new AcDbDictionary();
    AcDbObjectId id;
    if (parent->setAt(key, dict, id) == Acad::eOk) dict->close();
    else delete dict;
    parent->close();
    return id;
}

// The plot style name dictionary with its default entry "Normal", as in a new drawing of
// the host (other programs look the default up by that name).
void ensurePlotStyleNames(AcDbObjectId namedObjects)
{
    if (!findEntry(namedObjects, "ACAD_PLOTSTYLENAME").isNull()) return;
    AcDbDictionary* parent = nullptr;
    if (acdbOpenObject(parent, namedObjects, AcDb::kForWrite) != Acad::eOk) return;
    auto* names = new AcDbDictionaryWithDefault();
    AcDbObjectId namesId;
    if (parent->setAt("ACAD_PLOTSTYLENAME", names, namesId) != Acad::eOk) {
        delete names;
        parent->close();
        return;
    }
    parent->close();
    auto* normal = new AcDbPlaceHolder();
    AcDbObjectId normalId;
    if (names->setAt("Normal", normal, normalId) == Acad::eOk) {
        names->setDefaultId(normalId);
        normal->close();
    } else {
        delete normal;
    }
    names->close();
}

void ensureLayout(AcDbDatabase* db, const char* name, int tabOrder, AcDbObjectId blockId, bool modelType)
{
    if (blockId.isNull()) return;
    AcDbBlockTableRecord* block = nullptr;
    if (acdbOpenObject(block, blockId, AcDb::kForRead) != Acad::eOk) return;
    AcDbObjectId existing = block->getLayoutId();
    block->close();
    if (!existing.isNull() && existing.stub()->isLive()) return;
    if (!findEntry(db->layoutDictionaryId(), name).isNull()) return;
    auto* layout = new AcDbLayout();
    layout->setLayoutName(name);
    layout->setTabOrder(tabOrder);
    layout->setModelType(modelType);
    if (layout->addToLayoutDict(db, blockId) == Acad::eOk) layout->close();
    else delete layout;
}

}  // namespace

void ensureTables(AcDbDatabase* db)
{
    DatabaseState& ds = stateOf(db);
    ensureTable<AcDbBlockTable>(db, ds.blockTable);
    ensureTable<AcDbLayerTable>(db, ds.layerTable);
    ensureTable<AcDbTextStyleTable>(db, ds.textStyleTable);
    ensureTable<AcDbLinetypeTable>(db, ds.linetypeTable);
    ensureTable<AcDbViewTable>(db, ds.viewTable);
    ensureTable<AcDbUCSTable>(db, ds.ucsTable);
    ensureTable<AcDbViewportTable>(db, ds.viewportTable);
    ensureTable<AcDbRegAppTable>(db, ds.regAppTable);
    ensureTable<AcDbDimStyleTable>(db, ds.dimStyleTable);
    if (ds.namedObjects.isNull() || !ds.namedObjects.stub()->isLive()) {
        auto* nod = new AcDbDictionary();
        db->addAcDbObject(ds.namedObjects, nod);
        nod->close();
    }
}

void ensureStandardObjects(AcDbDatabase* db)
{
    ensureTables(db);
    DatabaseState& ds = stateOf(db);
    ensureRecord<AcDbLinetypeTable, AcDbLinetypeTableRecord>(db, ds.linetypeTable, "ByBlock", [](auto*) {});
    ensureRecord<AcDbLinetypeTable, AcDbLinetypeTableRecord>(db, ds.linetypeTable, "ByLayer", [](auto*) {});
    AcDbObjectId continuous = ensureRecord<AcDbLinetypeTable, AcDbLinetypeTableRecord>(
        db, ds.linetypeTable, "Continuous", [](AcDbLinetypeTableRecord* r) { r->setComments("Solid line"); });
    ensureRecord<AcDbLayerTable, AcDbLayerTableRecord>(db, ds.layerTable, "0", [&](AcDbLayerTableRecord* r) {
        AcCmColor white;
        white.setColorIndex(7);
        r->setColor(white);
        r->setLinetypeObjectId(continuous);
    });
    ensureRecord<AcDbTextStyleTable, AcDbTextStyleTableRecord>(
        db, ds.textStyleTable, "Standard", [](AcDbTextStyleTableRecord* r) { r->setFileName("txt"); });
    ensureRecord<AcDbRegAppTable, AcDbRegAppTableRecord>(db, ds.regAppTable, "ACAD", [](auto*) {});
    ensureRecord<AcDbDimStyleTable, AcDbDimStyleTableRecord>(db, ds.dimStyleTable, "Standard", [](auto*) {});
    ensureRecord<AcDbViewportTable, AcDbViewportTableRecord>(db, ds.viewportTable, "*Active",
                                                             [](AcDbViewportTableRecord* r) {
                                                                 r->setCenterPoint(AcGePoint2d(6.0, 4.5));
                                                                 r->setHeight(9.0);
                                                                 r->setWidth(12.0);
                                                             });
    AcDbObjectId model =
        ensureRecord<AcDbBlockTable, AcDbBlockTableRecord>(db, ds.blockTable, ACDB_MODEL_SPACE, [](auto*) {});
    AcDbObjectId paper =
        ensureRecord<AcDbBlockTable, AcDbBlockTableRecord>(db, ds.blockTable, ACDB_PAPER_SPACE, [](auto*) {});

    for (const char* key : {"ACAD_GROUP", "ACAD_LAYOUT", "ACAD_MLINESTYLE", "ACAD_PLOTSETTINGS"})
        ensureDictionary(ds.namedObjects, key);
    ensurePlotStyleNames(ds.namedObjects);
    ensureLayout(db, "Model", 0, model, true);
    ensureLayout(db, "Layout1", 1, paper, false);
    if (ds.currentSpace.isNull()) ds.currentSpace = model;
}

void buildDefaultDrawing(AcDbDatabase* db) { ensureStandardObjects(db); }

}  // namespace arx::db
