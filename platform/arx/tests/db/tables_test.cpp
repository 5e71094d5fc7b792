// A new drawing's contents, symbol tables, block records and layouts.
#include "support/db_fixture.h"

#include <cstring>

#include "dbdict.h"
#include "dbhostext.h"
#include "dblayout.h"
#include "db/symbol_lookup.h"
#include "dbobjptr.h"
#include "dbsymtb.h"

using dbtest::DbTest;

TEST_F(DbTest, ANewDrawingHasTheStandardTablesRecordsAndLayouts)
{
    auto has = [](AcDbObjectId tableId, const char* name) {
        AcDbSymbolTable* table = nullptr;
        if (acdbOpenObject(table, tableId, AcDb::kForRead) != Acad::eOk) return false;
        bool found = table->has(name);
        table->close();
        return found;
    };
    EXPECT_TRUE(has(db->blockTableId(), "*MODEL_SPACE"));
    EXPECT_TRUE(has(db->blockTableId(), ACDB_PAPER_SPACE));
    EXPECT_TRUE(has(db->layerTableId(), "0"));
    EXPECT_TRUE(has(db->linetypeTableId(), "BYBLOCK"));
    EXPECT_TRUE(has(db->linetypeTableId(), "BYLAYER"));
    EXPECT_TRUE(has(db->linetypeTableId(), "CONTINUOUS"));
    EXPECT_TRUE(has(db->regAppTableId(), "ACAD"));
    EXPECT_TRUE(has(db->textStyleTableId(), "Standard"));
    EXPECT_TRUE(has(db->viewportTableId(), "*Active"));
    EXPECT_FALSE(db->byLayerLinetype().isNull());

    AcDbDictionary* nod = nullptr;
    ASSERT_EQ(db->getNamedObjectsDictionary(nod, AcDb::kForRead), Acad::eOk);
    for (const char* key : {"ACAD_GROUP", "ACAD_LAYOUT", "ACAD_MLINESTYLE", "ACAD_PLOTSETTINGS", "ACAD_PLOTSTYLENAME"})
        EXPECT_TRUE(nod->has(key)) << key;
    nod->close();

    AcDbDictionary* layouts = nullptr;
    ASSERT_EQ(db->getLayoutDictionary(layouts, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(layouts->numEntries(), 2u);
    AcDbObject* obj = nullptr;
    ASSERT_EQ(layouts->getAt("Layout1", obj, AcDb::kForRead), Acad::eOk);
    auto* layout = AcDbLayout::cast(obj);
    ASSERT_NE(layout, nullptr);
    EXPECT_EQ(layout->getBlockTableRecordId(), paperSpaceId());
    EXPECT_EQ(layout->getTabOrder(), 1);
    EXPECT_FALSE(layout->modelType());
    AcDbObjectId layoutId = layout->objectId();
    layout->close();
    ASSERT_EQ(layouts->getAt("Model", obj, AcDb::kForRead), Acad::eOk);
    EXPECT_TRUE(AcDbLayout::cast(obj)->modelType());
    obj->close();
    layouts->close();
    AcDbBlockTableRecord* ps = nullptr;
    ASSERT_EQ(acdbOpenObject(ps, paperSpaceId(), AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(ps->getLayoutId(), layoutId);
    EXPECT_TRUE(ps->isLayout());
    EXPECT_FALSE(ps->blockBeginId().isNull());
    EXPECT_FALSE(ps->blockEndId().isNull());
    ps->close();
    EXPECT_EQ(db->currentSpaceId(), modelSpaceId());
    EXPECT_TRUE(db->tilemode());
    EXPECT_EQ(acdbUndoController(db)->undoableGroups(), 0);
}

TEST_F(DbTest, SymbolTableNamesAreCaseInsensitiveUniqueAndValid)
{
    AcDbObjectId walls = addLayer("Walls");
    AcDbLayerTable* table = nullptr;
    ASSERT_EQ(db->getLayerTable(table, AcDb::kForWrite), Acad::eOk);
    AcDbObjectId found;
    ASSERT_EQ(table->getAt("WALLS", found), Acad::eOk);
    EXPECT_EQ(found, walls);
    auto* dup = new AcDbLayerTableRecord();
    dup->setName("walls");
    EXPECT_EQ(table->add(dup), Acad::eDuplicateRecordName);
    delete dup;
    auto* bad = new AcDbLayerTableRecord();
    EXPECT_EQ(bad->setName("a<b"), Acad::eInvalidSymbolTableName);
    EXPECT_EQ(table->add(bad), Acad::eInvalidSymbolTableName) << "a record without a name";
    delete bad;
    auto* wrong = new AcDbLinetypeTableRecord();
    wrong->setName("DASHED");
    EXPECT_EQ(table->add(wrong), Acad::eWrongObjectType);
    delete wrong;
    table->close();

    AcDbLayerTableRecord* layer = nullptr;
    ASSERT_EQ(acdbOpenObject(layer, walls, AcDb::kForWrite), Acad::eOk);
    EXPECT_EQ(layer->setName("0"), Acad::eDuplicateRecordName);
    EXPECT_EQ(layer->setName("WALLS"), Acad::eOk) << "renaming in another case is allowed";
    layer->close();
}

TEST_F(DbTest, ErasedRecordsAreSkippedAndTheirNamesFreed)
{
    AcDbObjectId old = addLayer("TEMP");
    AcDbObject* obj = nullptr;
    ASSERT_EQ(acdbOpenAcDbObject(obj, old, AcDb::kForWrite), Acad::eOk);
    obj->erase();
    obj->close();
    AcDbLayerTable* table = nullptr;
    ASSERT_EQ(db->getLayerTable(table, AcDb::kForRead), Acad::eOk);
    EXPECT_FALSE(table->has("TEMP"));
    AcDbObjectId found;
    EXPECT_EQ(table->getAt("TEMP", found, true), Acad::eOk);
    EXPECT_EQ(found, old);
    int count = 0;
    AcDbLayerTableIterator* it = nullptr;
    table->newIterator(it);
    for (; !it->done(); it->step()) ++count;
    delete it;
    EXPECT_EQ(count, 1) << "only layer 0 is left";
    table->close();
    AcDbObjectId again = addLayer("TEMP");
    EXPECT_NE(again, old);
}

TEST_F(DbTest, LayerStateFlags)
{
    AcDbObjectId id = addLayer("STATE");
    AcDbLayerTableRecord* layer = nullptr;
    ASSERT_EQ(acdbOpenObject(layer, id, AcDb::kForWrite), Acad::eOk);
    layer->setIsFrozen(true);
    layer->setVPDFLT(true);
    layer->setIsLocked(true);
    layer->setIsOff(true);
    EXPECT_EQ(layer->flags() & 7, 7);
    EXPECT_TRUE(layer->isOff());
    layer->setIsLocked(false);
    EXPECT_FALSE(layer->isLocked());
    EXPECT_TRUE(layer->isFrozen());
    layer->close();
}

TEST_F(DbTest, BlockIteratorSkipsErasedEntitiesOnRequest)
{
    AcDbObjectId a = addTestEntity(1.0);
    AcDbObjectId b = addTestEntity(2.0);
    AcDbObjectId c = addTestEntity(3.0);
    AcDbObject* obj = nullptr;
    ASSERT_EQ(acdbOpenAcDbObject(obj, b, AcDb::kForWrite), Acad::eOk);
    obj->erase();
    obj->close();
    AcDbBlockTableRecord* ms = nullptr;
    ASSERT_EQ(acdbOpenObject(ms, modelSpaceId(), AcDb::kForRead), Acad::eOk);
    auto collect = [&](bool skip, bool forward) {
        std::vector<AcDbObjectId> ids;
        AcDbBlockTableRecordIterator* it = nullptr;
        ms->newIterator(it, forward, skip);
        for (; !it->done(); it->step(forward, skip)) {
            AcDbObjectId id;
            it->getEntityId(id);
            ids.push_back(id);
        }
        delete it;
        return ids;
    };
    EXPECT_EQ(collect(true, true), (std::vector<AcDbObjectId>{a, c}));
    EXPECT_EQ(collect(false, true), (std::vector<AcDbObjectId>{a, b, c}));
    EXPECT_EQ(collect(true, false), (std::vector<AcDbObjectId>{c, a}));
    AcDbBlockTableRecordIterator* it = nullptr;
    ms->newIterator(it);
    AcDbEntity* ent = nullptr;
    ASSERT_EQ(it->getEntity(ent, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(ent->objectId(), a);
    ent->close();
    delete it;
    ms->close();
}

TEST_F(DbTest, AppendNeedsTheBlockOpenForWriteAndGivesDefaults)
{
    AcDbBlockTableRecord* ms = nullptr;
    ASSERT_EQ(acdbOpenObject(ms, modelSpaceId(), AcDb::kForRead), Acad::eOk);
    auto* ent = new DbTestEntity();
    EXPECT_EQ(ms->appendAcDbEntity(ent), Acad::eNotOpenForWrite);
    EXPECT_EQ(ms->appendAcDbEntity(nullptr), Acad::eNullEntityPointer);
    ASSERT_EQ(ms->upgradeOpen(), Acad::eOk);
    AcDbObjectId layer = addLayer("CURRENT");
    db->setClayer(layer);
    AcCmColor red;
    red.setColorIndex(1);
    db->setCecolor(red);
    AcDbObjectId id;
    ASSERT_EQ(ms->appendAcDbEntity(id, ent), Acad::eOk);
    EXPECT_EQ(ms->appendAcDbEntity(ent), Acad::eAlreadyInDb);
    ms->close();
    EXPECT_EQ(ent->layerId(), layer);
    EXPECT_EQ(ent->colorIndex(), 1);
    EXPECT_EQ(ent->linetypeId(), db->byLayerLinetype());
    EXPECT_EQ(ent->blockId(), modelSpaceId());
    ent->close();
}

TEST_F(DbTest, ModelAndPaperSpaceBlocksCannotBeErased)
{
    AcDbObject* obj = nullptr;
    ASSERT_EQ(acdbOpenAcDbObject(obj, modelSpaceId(), AcDb::kForWrite), Acad::eOk);
    EXPECT_EQ(obj->erase(), Acad::eCannotBeErasedByCaller);
    obj->close();
}

TEST_F(DbTest, EntityListingShowsTypeLayerSpaceAndHandle)
{
    AcDbObjectId id = addTestEntity();
    AcDbEntity* ent = nullptr;
    ASSERT_EQ(acdbOpenAcDbEntity(ent, id, AcDb::kForRead), Acad::eOk);
    ent->list();
    ent->close();
    char handle[20];
    id.handle().getIntoAsciiBuffer(handle);
    EXPECT_NE(dbtest::printed().find("DBTESTENTITY"), std::string::npos);
    EXPECT_NE(dbtest::printed().find("Layer: 0"), std::string::npos);
    EXPECT_NE(dbtest::printed().find("Model space"), std::string::npos);
    EXPECT_NE(dbtest::printed().find(std::string("Handle = ") + handle), std::string::npos);
}

TEST_F(DbTest, HeaderVariablesAreTypedAndNotified)
{
    resbuf rb;
    ASSERT_EQ(acdbGetHeaderVar(db, "$ACADVER", &rb), Acad::eOk);
    EXPECT_EQ(rb.restype, 1);
    EXPECT_STREQ(rb.resval.rstring, "AC1015");
    free(rb.resval.rstring);
    ASSERT_EQ(acdbGetHeaderVar(db, "tilemode", &rb), Acad::eOk);
    EXPECT_EQ(rb.restype, 70);
    EXPECT_EQ(rb.resval.rint, 1);
    resbuf zero;
    zero.restype = 70;
    zero.resval.rint = 0;
    ASSERT_EQ(acdbSetHeaderVar(db, "TILEMODE", &zero), Acad::eOk);
    EXPECT_FALSE(db->tilemode());
    resbuf wrongType;
    wrongType.restype = 40;
    wrongType.resval.rreal = 1.0;
    EXPECT_EQ(acdbSetHeaderVar(db, "TILEMODE", &wrongType), Acad::eInvalidInput);
    EXPECT_EQ(acdbGetHeaderVar(db, "NOSUCHVAR", &rb), Acad::eKeyNotFound);
    ASSERT_EQ(acdbGetHeaderVar(db, "HANDSEED", &rb), Acad::eOk);
    char seed[20];
    db->handseed().getIntoAsciiBuffer(seed);
    EXPECT_STREQ(rb.resval.rstring, seed) << "HANDSEED is the database's seed";
    free(rb.resval.rstring);
    db->setExtmin(AcGePoint3d(1, 2, 3));
    EXPECT_EQ(db->extmin(), AcGePoint3d(1, 2, 3));
    db->setLimmax(AcGePoint2d(420, 297));
    EXPECT_EQ(db->limmax(), AcGePoint2d(420, 297));
}

TEST_F(DbTest, ABlockNamedStarUIsAnonymousWithAUniqueName)
{
    auto addBlock = [&](const char* name, Acad::ErrorStatus expected = Acad::eOk) {
        AcDbObjectPointer<AcDbBlockTable> table(db->blockTableId(), AcDb::kForWrite);
        EXPECT_EQ(table.openStatus(), Acad::eOk);
        auto* block = new AcDbBlockTableRecord();
        block->setName(name);
        AcDbObjectId id;
        EXPECT_EQ(table->add(id, block), expected) << name;
        if (expected != Acad::eOk) {
            delete block;
            return std::string();
        }
        const char* given = nullptr;
        block->getName(given);
        std::string text = given;
        EXPECT_EQ(block->isAnonymous(), std::strlen(name) == 2) << text;
        block->close();
        return text;
    };
    EXPECT_EQ(addBlock("*U"), "*U1");
    EXPECT_EQ(addBlock("*U"), "*U2");
    EXPECT_EQ(addBlock("*u"), "*U3") << "the letter is read in any case";
    EXPECT_EQ(addBlock("*U7"), "*U7") << "a numbered name is kept as it is";
    EXPECT_EQ(addBlock("*U"), "*U8");
    EXPECT_EQ(addBlock("*D"), "*D1") << "each letter counts on its own";
    addBlock("*U8", Acad::eDuplicateRecordName);
    // An erased anonymous block keeps its number from being given again.
    {
        AcDbObjectPointer<AcDbBlockTable> table(db->blockTableId(), AcDb::kForRead);
        AcDbObjectId last;
        ASSERT_EQ(table->getAt("*U8", last), Acad::eOk);
        AcDbObjectPointer<AcDbBlockTableRecord> block(last, AcDb::kForWrite);
        ASSERT_EQ(block->erase(), Acad::eOk);
    }
    EXPECT_EQ(addBlock("*U"), "*U9");
}

// The layer lookup of entities read from files answers from its last find while that layer
// still has the name; a renamed or erased layer is looked up (or made) again.
TEST_F(DbTest, TheLayerOfAnEntityIsTheOneThatHasItsNameNow)
{
    const AcDbObjectId walls = arx::db::findOrAddLayer(db, "Walls");
    ASSERT_FALSE(walls.isNull());
    EXPECT_EQ(arx::db::findOrAddLayer(db, "WALLS"), walls);
    {
        AcDbObjectPointer<AcDbLayerTableRecord> layer(walls, AcDb::kForWrite);
        ASSERT_EQ(layer.openStatus(), Acad::eOk);
        layer->setName("Old walls");
    }
    const AcDbObjectId again = arx::db::findOrAddLayer(db, "Walls");
    EXPECT_NE(again, walls);
    EXPECT_EQ(arx::db::findOrAddLayer(db, "old walls"), walls);
    {
        AcDbObjectPointer<AcDbLayerTableRecord> layer(again, AcDb::kForWrite);
        ASSERT_EQ(layer.openStatus(), Acad::eOk);
        layer->erase();
    }
    const AcDbObjectId third = arx::db::findOrAddLayer(db, "Walls");
    EXPECT_FALSE(third.isNull());
    EXPECT_NE(third, again);
    EXPECT_FALSE(third.isErased());
}
