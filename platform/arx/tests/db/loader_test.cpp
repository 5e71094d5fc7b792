// Filling a database the way the drawing-file reader does.
#include "support/db_fixture.h"

#include "dbdict.h"
#include "dblayout.h"
#include "dbobjptr.h"
#include "db/database_loader.h"
#include "db/dxf_item_filer.h"
#include "db/header_vars.h"

using arx::db::DxfItem;
using arx::db::DxfItemList;

namespace {

class LoaderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dbtest::registerTestClasses();
        acdbHostApplicationServices()->setWorkingDatabase(&db);
    }
    void TearDown() override { acdbHostApplicationServices()->setWorkingDatabase(nullptr); }

    AcDbObjectId ref(Adesk::UInt64 handle) { return loader.idForHandle(AcDbHandle(handle)); }

    // Reads an object of the class from items (as the reader does) and adds it.
    AcDbObjectId read(AcDbObject* obj, Adesk::UInt64 handle, DxfItemList items)
    {
        arx::db::DxfItemFiler filer(AcDb::kFileFiler, &db, std::move(items));
        EXPECT_EQ(obj->dxfIn(&filer), Acad::eOk);
        AcDbObjectId id;
        EXPECT_EQ(loader.addObject(obj, AcDbHandle(handle), id), Acad::eOk);
        return id;
    }

    AcDbDatabase db{false};
    arx::db::DatabaseLoader loader{&db};
};

}  // namespace

TEST_F(LoaderTest, ReadObjectsAreLinkedAndWhatIsMissingIsAdded)
{
    // A layer table with one layer, then entities in model space, one on that layer and one
    // without a layer group, and a reference to a handle that never arrives.
    read(new AcDbLayerTable(), 0x2,
         {DxfItem::makeText(5, "2"), DxfItem::makeId(330, AcDbObjectId()), DxfItem::makeText(100, "AcDbSymbolTable"),
          DxfItem::makeInteger(70, 1)});
    AcDbObjectId walls = read(
        new AcDbLayerTableRecord(), 0x10,
        {DxfItem::makeText(5, "10"), DxfItem::makeId(330, ref(0x2)), DxfItem::makeText(100, "AcDbSymbolTableRecord"),
         DxfItem::makeText(100, "AcDbLayerTableRecord"), DxfItem::makeText(2, "WALLS"), DxfItem::makeInteger(70, 4),
         DxfItem::makeInteger(62, -3), DxfItem::makeText(6, "Continuous")});
    AcDbObjectId a =
        read(new DbTestEntity(), 0x40,
             {DxfItem::makeText(5, "40"), DxfItem::makeText(100, "AcDbEntity"), DxfItem::makeText(8, "walls"),
              DxfItem::makeText(100, "DbTestEntity"), DxfItem::makeReal(40, 1.5), DxfItem::makeId(330, ref(0x41))});
    AcDbObjectId b = read(new DbTestEntity(), 0x41,
                          {DxfItem::makeText(5, "41"), DxfItem::makeText(100, "AcDbEntity"),
                           DxfItem::makeText(100, "DbTestEntity"), DxfItem::makeId(330, ref(0x99))});
    std::vector<std::string> problems;
    ASSERT_EQ(loader.finish(problems), Acad::eOk);
    EXPECT_EQ(problems, std::vector<std::string>{"No object has the handle 99."});

    EXPECT_EQ(db.layerTableId().handle(), AcDbHandle(0x2)) << "the file's table is the drawing's";
    AcDbLayerTableRecord* layer = nullptr;
    ASSERT_EQ(acdbOpenObject(layer, walls, AcDb::kForRead), Acad::eOk);
    EXPECT_TRUE(layer->isLocked());
    EXPECT_TRUE(layer->isOff());
    EXPECT_EQ(layer->color().colorIndex(), 3);
    EXPECT_EQ(layer->linetypeObjectId(), db.continuousLinetype()) << "the linetype the table lacked was added";
    layer->close();

    DbTestEntity* ent = nullptr;
    ASSERT_EQ(acdbOpenObject(ent, a, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(ent->layerId(), walls) << "the layer is found by name, in any case";
    EXPECT_EQ(ent->link(), b) << "a forward reference takes the object that arrives later";
    AcDbObjectId model = ent->blockId();
    ent->close();
    ASSERT_EQ(acdbOpenObject(ent, b, AcDb::kForRead), Acad::eOk);
    char* name = ent->layer();
    EXPECT_STREQ(name, "0") << "an entity without a layer is on layer 0";
    free(name);
    AcDbObject* missing = nullptr;
    EXPECT_EQ(acdbOpenAcDbObject(missing, ent->link(), AcDb::kForRead), Acad::ePermanentlyErased);
    ent->close();

    AcDbBlockTableRecord* ms = nullptr;
    ASSERT_EQ(acdbOpenObject(ms, model, AcDb::kForRead), Acad::eOk);
    const char* msName = nullptr;
    ms->getName(msName);
    EXPECT_STREQ(msName, ACDB_MODEL_SPACE);
    EXPECT_EQ(ms->entityIds().length(), 2);
    EXPECT_TRUE(ms->isLayout());
    ms->close();
    EXPECT_FALSE(db.layoutDictionaryId().isNull());
    EXPECT_GT(db.handseed(), AcDbHandle(0x99));
}

TEST_F(LoaderTest, AHandleTakenTwiceIsRefusedAndTheSeedOfTheFileCounts)
{
    read(new DbTestEntity(), 0x30, {DxfItem::makeText(100, "AcDbEntity"), DxfItem::makeText(100, "DbTestEntity")});
    auto* second = new DbTestEntity();
    AcDbObjectId id;
    EXPECT_EQ(loader.addObject(second, AcDbHandle(0x30), id), Acad::eHandleInUse);
    delete second;
    arx::db::headerVars(&db).set("HANDSEED", {DxfItem::makeText(5, "1F00")});
    std::vector<std::string> problems;
    ASSERT_EQ(loader.finish(problems), Acad::eOk);
    // What finish adds (the tables and records the file lacked) starts at the file's seed.
    EXPECT_GE(db.layerTableId().handle(), AcDbHandle(0x1F00));
    EXPECT_GT(db.handseed(), db.layerTableId().handle());
}

TEST_F(LoaderTest, WhatTheHostAddsWhileReadingGivesWayToTheFilesHandles)
{
    read(new AcDbLayerTable(), 0x2, {DxfItem::makeText(100, "AcDbSymbolTable")});
    // The entity names a layer the file does not have: the layer is made at once, under the
    // next free handle, 3, which the file gives to a later entity.
    AcDbObjectId first = read(
        new DbTestEntity(), 0x10,
        {DxfItem::makeText(100, "AcDbEntity"), DxfItem::makeText(8, "Frames"), DxfItem::makeText(100, "DbTestEntity")});
    AcDbObjectId layer;
    {
        AcDbObjectPointer<DbTestEntity> ent(first, AcDb::kForRead);
        ASSERT_EQ(ent.openStatus(), Acad::eOk);
        layer = ent->layerId();
    }
    ASSERT_EQ(layer.handle(), AcDbHandle(0x3));
    // A reference to 3 means the file's object, not the layer.
    AcDbObjectId referring = read(
        new DbTestEntity(), 0x12,
        {DxfItem::makeText(100, "AcDbEntity"), DxfItem::makeText(100, "DbTestEntity"), DxfItem::makeId(330, ref(0x3))});
    AcDbObjectId later =
        read(new DbTestEntity(), 0x3, {DxfItem::makeText(100, "AcDbEntity"), DxfItem::makeText(100, "DbTestEntity")});
    EXPECT_EQ(later.handle(), AcDbHandle(0x3));
    arx::db::headerVars(&db).set("HANDSEED", {DxfItem::makeText(5, "40")});
    std::vector<std::string> problems;
    ASSERT_EQ(loader.finish(problems), Acad::eOk);
    EXPECT_TRUE(problems.empty());

    EXPECT_EQ(layer.handle(), AcDbHandle(0x40)) << "the addition moves to the file's seed";
    AcDbObjectId found;
    ASSERT_EQ(db.getAcDbObjectId(found, false, AcDbHandle(0x40)), Acad::eOk);
    EXPECT_EQ(found, layer);
    AcDbObjectPointer<DbTestEntity> ent(referring, AcDb::kForRead);
    ASSERT_EQ(ent.openStatus(), Acad::eOk);
    EXPECT_EQ(ent->link(), later);
    AcDbObjectPointer<AcDbLayerTableRecord> record(layer, AcDb::kForRead);
    ASSERT_EQ(record.openStatus(), Acad::eOk);
    const char* name = nullptr;
    record->getName(name);
    EXPECT_STREQ(name, "Frames");
}
