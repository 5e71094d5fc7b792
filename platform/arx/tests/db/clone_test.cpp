// deepCloneObjects within a drawing, wblockCloneObjects into another one.
#include "support/db_fixture.h"

#include "acutads.h"
#include "dbdict.h"
#include "dbidmap.h"
#include "dbxrecrd.h"

using dbtest::DbTest;

namespace {

AcDbObjectId cloneOf(AcDbIdMapping& map, AcDbObjectId original)
{
    AcDbIdPair pair(original, AcDbObjectId(), false);
    return map.compute(pair) ? pair.value() : AcDbObjectId();
}

AcDbObjectId addXrecordTo(AcDbObjectId dictId, const char* key, const char* text)
{
    AcDbDictionary* dict = nullptr;
    EXPECT_EQ(acdbOpenObject(dict, dictId, AcDb::kForWrite), Acad::eOk);
    auto* xrec = new AcDbXrecord();
    AcDbObjectId id;
    dict->setAt(key, xrec, id);
    resbuf* rb = acutNewRb(1);
    rb->resval.rstring = strdup(text);
    xrec->setFromRbChain(*rb);
    acutRelRb(rb);
    xrec->close();
    dict->close();
    return id;
}

}  // namespace

TEST_F(DbTest, DeepCloneCopiesOwnedObjectsAndTranslatesReferencesToThem)
{
    AcDbObjectId other = addTestEntity(9.0);
    AcDbObjectId a = addTestEntity(1.0);
    AcDbObjectId b = addTestEntity(2.0);
    AcDbObjectId dictId;
    {
        DbTestEntity* ent = nullptr;
        ASSERT_EQ(acdbOpenObject(ent, a, AcDb::kForWrite), Acad::eOk);
        ent->setLink(b);  // a reference to an object copied in the same operation
        ent->createExtensionDictionary();
        dictId = ent->extensionDictionary();
        ent->close();
        ASSERT_EQ(acdbOpenObject(ent, b, AcDb::kForWrite), Acad::eOk);
        ent->setLink(other);  // a reference to an object that is not copied
        ent->close();
    }
    AcDbObjectId xrec = addXrecordTo(dictId, "PARTNER", "2A");

    AcDbObjectIdArray ids;
    ids.append(a);
    ids.append(b);
    AcDbObjectId owner = modelSpaceId();
    AcDbIdMapping map;
    ASSERT_EQ(db->deepCloneObjects(ids, owner, map), Acad::eOk);
    AcDbObjectId a2 = cloneOf(map, a);
    AcDbObjectId b2 = cloneOf(map, b);
    AcDbObjectId dict2 = cloneOf(map, dictId);
    AcDbObjectId xrec2 = cloneOf(map, xrec);
    ASSERT_FALSE(a2.isNull());
    ASSERT_FALSE(b2.isNull());
    ASSERT_FALSE(dict2.isNull()) << "the extension dictionary is owned: it is copied";
    ASSERT_FALSE(xrec2.isNull());
    AcDbIdPair pair(a, AcDbObjectId(), false);
    map.compute(pair);
    EXPECT_TRUE(pair.isPrimary());
    pair = AcDbIdPair(dictId, AcDbObjectId(), false);
    map.compute(pair);
    EXPECT_FALSE(pair.isPrimary());

    DbTestEntity* ent = nullptr;
    ASSERT_EQ(acdbOpenObject(ent, a2, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(ent->link(), b2);
    EXPECT_EQ(ent->extensionDictionary(), dict2);
    EXPECT_EQ(ent->ownerId(), modelSpaceId());
    EXPECT_EQ(ent->value(), 1.0);
    ent->close();
    ASSERT_EQ(acdbOpenObject(ent, b2, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(ent->link(), other) << "within one drawing, references to uncopied objects stay";
    ent->close();
    AcDbDictionary* dict = nullptr;
    ASSERT_EQ(acdbOpenObject(dict, dict2, AcDb::kForRead), Acad::eOk);
    AcDbObjectId entry;
    ASSERT_EQ(dict->getAt("PARTNER", entry), Acad::eOk);
    EXPECT_EQ(entry, xrec2);
    EXPECT_EQ(dict->ownerId(), a2);
    dict->close();

    // The copies are in model space after the originals.
    AcDbBlockTableRecord* ms = nullptr;
    ASSERT_EQ(acdbOpenObject(ms, modelSpaceId(), AcDb::kForRead), Acad::eOk);
    const AcDbObjectIdArray& list = ms->entityIds();
    EXPECT_EQ(list.length(), 5);
    EXPECT_EQ(list[3], a2);
    EXPECT_EQ(list[4], b2);
    ms->close();
}

TEST_F(DbTest, DeepCloneIntoABlockAndUndoOfTheCopy)
{
    AcDbObjectId a = addTestEntity(1.0);
    AcDbBlockTable* table = nullptr;
    ASSERT_EQ(db->getBlockTable(table, AcDb::kForWrite), Acad::eOk);
    auto* block = new AcDbBlockTableRecord();
    block->setName("*U");
    AcDbObjectId blockId;
    ASSERT_EQ(table->add(blockId, block), Acad::eOk);
    block->close();
    table->close();
    AcDbObjectIdArray ids;
    ids.append(a);
    AcDbIdMapping map;
    ASSERT_EQ(db->deepCloneObjects(ids, blockId, map), Acad::eOk);
    AcDbObjectId copy = cloneOf(map, a);
    DbTestEntity* ent = nullptr;
    ASSERT_EQ(acdbOpenObject(ent, copy, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(ent->blockId(), blockId);
    ent->close();
}

TEST_F(DbTest, CloningRefusesObjectsOfAnotherDatabase)
{
    AcDbDatabase other;
    AcDbObjectIdArray ids;
    ids.append(other.layerTableId());
    AcDbObjectId owner = modelSpaceId();
    AcDbIdMapping map;
    EXPECT_EQ(db->deepCloneObjects(ids, owner, map), Acad::eWrongDatabase);
    AcDbObjectId foreignOwner = other.namedObjectsDictionaryId();
    ids.setLogicalLength(0);
    ids.append(addTestEntity());
    EXPECT_EQ(db->deepCloneObjects(ids, foreignOwner, map), Acad::eWrongDatabase);
}

TEST_F(DbTest, WblockCloneTakesTheLayerAlongAndDropsForeignReferences)
{
    AcDbObjectId layer = addLayer("WALLS");
    AcDbObjectId other = addTestEntity();
    AcDbObjectId a = addTestEntity(3.0);
    {
        DbTestEntity* ent = nullptr;
        ASSERT_EQ(acdbOpenObject(ent, a, AcDb::kForWrite), Acad::eOk);
        ent->setLayer(layer);
        ent->setLink(other);
        ent->close();
    }
    AcDbDatabase dest;
    AcDbBlockTable* table = nullptr;
    ASSERT_EQ(dest.getBlockTable(table, AcDb::kForRead), Acad::eOk);
    AcDbObjectId destModel;
    table->getAt(ACDB_MODEL_SPACE, destModel);
    table->close();

    AcDbObjectIdArray ids;
    ids.append(a);
    AcDbIdMapping map;
    ASSERT_EQ(db->wblockCloneObjects(ids, destModel, map, AcDb::kDrcIgnore), Acad::eOk);
    AcDbObjectId copy = cloneOf(map, a);
    ASSERT_FALSE(copy.isNull());
    EXPECT_EQ(copy.database(), &dest);
    DbTestEntity* ent = nullptr;
    ASSERT_EQ(acdbOpenObject(ent, copy, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(ent->layerId().database(), &dest);
    char* name = ent->layer();
    EXPECT_STREQ(name, "WALLS");
    free(name);
    EXPECT_TRUE(ent->link().isNull()) << "a soft pointer to an uncopied object does not cross";
    EXPECT_EQ(ent->value(), 3.0);
    ent->close();
    // Layer "0" exists in both: the destination's serves (duplicate records are ignored).
    AcDbObjectId zero = addTestEntity();
    ids.setLogicalLength(0);
    ids.append(zero);
    AcDbIdMapping map2;
    ASSERT_EQ(db->wblockCloneObjects(ids, destModel, map2, AcDb::kDrcIgnore), Acad::eOk);
    ASSERT_EQ(acdbOpenObject(ent, cloneOf(map2, zero), AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(ent->layerId(), dest.clayer());
    ent->close();
}

TEST(IdMapping, AssignComputeAndIterate)
{
    dbtest::registerTestClasses();
    AcDbDatabase db;
    AcDbIdMapping map;
    AcDbObjectId a = db.layerTableId();
    AcDbObjectId b = db.blockTableId();
    ASSERT_EQ(map.assign(AcDbIdPair(a, b, true, true)), Acad::eOk);
    AcDbIdPair pair(a, AcDbObjectId(), false);
    ASSERT_TRUE(map.compute(pair));
    EXPECT_EQ(pair.value(), b);
    EXPECT_TRUE(pair.isCloned());
    AcDbIdPair missing(b, AcDbObjectId(), false);
    EXPECT_FALSE(map.compute(missing));
    AcDbIdMappingIter it(map);
    int count = 0;
    for (it.start(); !it.done(); it.next()) {
        AcDbIdPair p;
        EXPECT_TRUE(it.getMap(p));
        ++count;
    }
    EXPECT_EQ(count, 1);
    EXPECT_TRUE(map.del(a));
    EXPECT_FALSE(map.compute(pair));
}

TEST_F(DbTest, ObjectsThatRefuseCopiesAreSkippedAndTheRestIsCopied)
{
    AcDbBlockTableRecord* ms = nullptr;
    ASSERT_EQ(acdbOpenObject(ms, modelSpaceId(), AcDb::kForWrite), Acad::eOk);
    auto* mark = new DbUncopyableEntity();
    mark->setValue(5.0);
    AcDbObjectId markId;
    ms->appendAcDbEntity(markId, mark);
    mark->close();
    ms->close();
    AcDbObjectId plain = addTestEntity(1.0);
    AcDbObjectIdArray ids;
    ids.append(markId);
    ids.append(plain);
    AcDbObjectId owner = modelSpaceId();
    AcDbIdMapping map;
    ASSERT_EQ(db->deepCloneObjects(ids, owner, map), Acad::eOk);
    EXPECT_TRUE(cloneOf(map, markId).isNull());
    EXPECT_FALSE(cloneOf(map, plain).isNull());
    EXPECT_NE(dbtest::printed().find("Cannot copy this object."), std::string::npos);
    // Its own copy filer still works: clone() is not a clone operation.
    AcDbObject* obj = nullptr;
    ASSERT_EQ(acdbOpenAcDbObject(obj, markId, AcDb::kForRead), Acad::eOk);
    auto* copy = DbUncopyableEntity::cast(obj->clone());
    obj->close();
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->value(), 5.0);
    delete copy;
}
