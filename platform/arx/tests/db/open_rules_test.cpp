// The open and close rules.
#include "support/db_fixture.h"

#include "dbobjptr.h"

using dbtest::DbTest;

TEST_F(DbTest, UpTo256ReadersAndNoWriterWhileRead)
{
    AcDbObjectId id = addTestEntity();
    std::vector<AcDbObject*> readers;
    for (int i = 0; i < 256; ++i) {
        AcDbObject* obj = nullptr;
        ASSERT_EQ(acdbOpenAcDbObject(obj, id, AcDb::kForRead), Acad::eOk) << i;
        readers.push_back(obj);
    }
    AcDbObject* extra = nullptr;
    EXPECT_EQ(acdbOpenAcDbObject(extra, id, AcDb::kForRead), Acad::eAtMaxReaders);
    EXPECT_EQ(extra, nullptr);
    EXPECT_EQ(acdbOpenAcDbObject(extra, id, AcDb::kForWrite), Acad::eWasOpenForRead);
    EXPECT_EQ(readers[0]->upgradeOpen(), Acad::eHadMultipleReaders);
    for (AcDbObject* obj : readers) EXPECT_EQ(obj->close(), Acad::eOk);
    EXPECT_EQ(openState(id), 0);
    EXPECT_EQ(readers[0]->close(), Acad::eInvalidOpenState) << "closing a closed object is an error";
}

TEST_F(DbTest, OneWriterOnlyWhenNotOpenAtAll)
{
    AcDbObjectId id = addTestEntity();
    AcDbObject* writer = nullptr;
    ASSERT_EQ(acdbOpenAcDbObject(writer, id, AcDb::kForWrite), Acad::eOk);
    AcDbObject* other = nullptr;
    EXPECT_EQ(acdbOpenAcDbObject(other, id, AcDb::kForWrite), Acad::eWasOpenForWrite);
    EXPECT_EQ(acdbOpenAcDbObject(other, id, AcDb::kForRead), Acad::eWasOpenForWrite);
    EXPECT_EQ(other, nullptr);
    // Notify is allowed while the object is open for write, but not twice.
    ASSERT_EQ(acdbOpenAcDbObject(other, id, AcDb::kForNotify), Acad::eOk);
    AcDbObject* second = nullptr;
    EXPECT_EQ(acdbOpenAcDbObject(second, id, AcDb::kForNotify), Acad::eWasOpenForNotify);
    EXPECT_EQ(other->close(), Acad::eOk);
    EXPECT_EQ(writer->close(), Acad::eOk);
    EXPECT_EQ(openState(id), 0);
}

TEST_F(DbTest, NotifyOpenBlocksReadersAndWriters)
{
    AcDbObjectId id = addTestEntity();
    AcDbObject* notify = nullptr;
    ASSERT_EQ(acdbOpenAcDbObject(notify, id, AcDb::kForNotify), Acad::eOk);
    AcDbObject* other = nullptr;
    EXPECT_EQ(acdbOpenAcDbObject(other, id, AcDb::kForRead), Acad::eWasOpenForNotify);
    EXPECT_EQ(acdbOpenAcDbObject(other, id, AcDb::kForWrite), Acad::eWasOpenForNotify);
    notify->close();
    // Notify while read is allowed.
    AcDbObject* reader = nullptr;
    ASSERT_EQ(acdbOpenAcDbObject(reader, id, AcDb::kForRead), Acad::eOk);
    ASSERT_EQ(acdbOpenAcDbObject(notify, id, AcDb::kForNotify), Acad::eOk);
    notify->close();
    reader->close();
    EXPECT_EQ(openState(id), 0);
}

TEST_F(DbTest, UpgradeAndDowngradeStatuses)
{
    AcDbObjectId id = addTestEntity(1.0);
    DbTestEntity* ent = nullptr;
    ASSERT_EQ(acdbOpenObject(ent, id, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(ent->downgradeOpen(), Acad::eNotOpenForWrite);
    ASSERT_EQ(ent->upgradeOpen(), Acad::eOk);
    EXPECT_EQ(ent->upgradeOpen(), Acad::eWasOpenForWrite);
    ent->setValue(5.0);
    ASSERT_EQ(ent->downgradeOpen(), Acad::eOk);
    EXPECT_FALSE(ent->isWriteEnabled());
    EXPECT_EQ(ent->value(), 5.0) << "the change is kept by the downgrade";
    // Another reader can come now.
    AcDbObject* second = nullptr;
    ASSERT_EQ(acdbOpenAcDbObject(second, id, AcDb::kForRead), Acad::eOk);
    second->close();
    ent->close();
    EXPECT_EQ(openState(id), 0);
}

TEST_F(DbTest, ErasedObjectsOpenOnlyWhenAskedFor)
{
    AcDbObjectId id = addTestEntity();
    AcDbObject* obj = nullptr;
    ASSERT_EQ(acdbOpenAcDbObject(obj, id, AcDb::kForWrite), Acad::eOk);
    ASSERT_EQ(obj->erase(), Acad::eOk);
    EXPECT_EQ(obj->erase(), Acad::eWasErased);
    obj->close();
    EXPECT_EQ(acdbOpenAcDbObject(obj, id, AcDb::kForRead), Acad::eWasErased);
    EXPECT_EQ(obj, nullptr);
    ASSERT_EQ(acdbOpenAcDbObject(obj, id, AcDb::kForWrite, true), Acad::eOk);
    EXPECT_TRUE(obj->isErased());
    ASSERT_EQ(obj->erase(false), Acad::eOk);
    EXPECT_EQ(obj->erase(false), Acad::eWasNotErased);
    obj->close();
    ASSERT_EQ(acdbOpenAcDbObject(obj, id, AcDb::kForRead), Acad::eOk);
    obj->close();
}

TEST_F(DbTest, EraseNeedsWriteAndNullIdsAndWrongClassesOpenNothing)
{
    AcDbObjectId id = addTestEntity();
    AcDbObject* obj = nullptr;
    EXPECT_EQ(acdbOpenAcDbObject(obj, AcDbObjectId(), AcDb::kForRead), Acad::eNullObjectId);
    ASSERT_EQ(acdbOpenAcDbObject(obj, id, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(obj->erase(), Acad::eNotOpenForWrite);
    obj->close();
    AcDbLayerTableRecord* layer = nullptr;
    EXPECT_EQ(acdbOpenObject(layer, id, AcDb::kForRead), Acad::eNotThatKindOfClass);
    EXPECT_EQ(layer, nullptr);
    EXPECT_EQ(openState(id), 0) << "a refused typed open leaves nothing open";
    AcDbEntity* ent = nullptr;
    EXPECT_EQ(acdbOpenAcDbEntity(ent, db->layerTableId(), AcDb::kForRead), Acad::eNotAnEntity);
}

TEST_F(DbTest, LockedLayerRefusesWritesUnlessAsked)
{
    AcDbObjectId layer = addLayer("LOCKED", true);
    AcDbObjectId id = addTestEntity();
    {
        AcDbEntity* ent = nullptr;
        ASSERT_EQ(acdbOpenAcDbEntity(ent, id, AcDb::kForWrite), Acad::eOk);
        ASSERT_EQ(ent->setLayer(layer), Acad::eOk);
        ent->close();
    }
    AcDbEntity* ent = nullptr;
    EXPECT_EQ(acdbOpenAcDbEntity(ent, id, AcDb::kForWrite), Acad::eOnLockedLayer);
    ASSERT_EQ(acdbOpenAcDbEntity(ent, id, AcDb::kForRead), Acad::eOk) << "reading is always allowed";
    EXPECT_EQ(ent->upgradeOpen(), Acad::eOnLockedLayer);
    ent->close();
    ASSERT_EQ(acdbOpenAcDbEntity(ent, id, AcDb::kForWrite, false, true), Acad::eOk);
    ent->close();
    // The typed open and the smart pointer take the same argument.
    DbTestEntity* typed = nullptr;
    EXPECT_EQ(acdbOpenObject(typed, id, AcDb::kForWrite), Acad::eOnLockedLayer);
    EXPECT_EQ(typed, nullptr);
    ASSERT_EQ(acdbOpenObject(typed, id, AcDb::kForWrite, false, true), Acad::eOk);
    typed->close();
    EXPECT_EQ(AcDbObjectPointer<DbTestEntity>(id, AcDb::kForWrite).openStatus(), Acad::eOnLockedLayer);
    EXPECT_EQ(AcDbEntityPointer(id, AcDb::kForWrite, false, true).openStatus(), Acad::eOk);
    EXPECT_EQ(openState(id), 0) << "the pointer closed what it opened";
    {
        // A locked layer's own record and the entity's reads are not affected.
        AcDbObjectPointer<AcDbLayerTableRecord> record(layer, AcDb::kForWrite);
        EXPECT_EQ(record.openStatus(), Acad::eOk);
    }
    // The unlock bracket: unlock, upgrade, change, lock again.
    AcDbLayerTableRecord* rec = nullptr;
    ASSERT_EQ(acdbOpenObject(rec, layer, AcDb::kForWrite), Acad::eOk);
    rec->setIsLocked(false);
    rec->close();
    ASSERT_EQ(acdbOpenAcDbEntity(ent, id, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(ent->upgradeOpen(), Acad::eOk);
    ent->close();
}

TEST_F(DbTest, NewObjectsAreOpenForWriteUntilClosed)
{
    auto* ent = new DbTestEntity();
    EXPECT_TRUE(ent->isWriteEnabled());
    EXPECT_TRUE(ent->isNewObject());
    ent->setValue(2.0);  // no database yet: nothing is recorded or announced
    EXPECT_EQ(ent->close(), Acad::eNotInDatabase);
    AcDbObjectId id;
    ASSERT_EQ(db->addAcDbObject(id, ent), Acad::eOk);
    EXPECT_EQ(db->addAcDbObject(ent), Acad::eAlreadyInDb);
    EXPECT_TRUE(ent->isWriteEnabled());
    EXPECT_EQ(ent->close(), Acad::eOk);
    EXPECT_EQ(valueOf(id), 2.0);
}

TEST_F(DbTest, ObjectPointerClosesOnEveryPath)
{
    AcDbObjectId id = addTestEntity(1.0);
    {
        AcDbObjectPointer<DbTestEntity> ent(id, AcDb::kForWrite);
        ASSERT_EQ(ent.openStatus(), Acad::eOk);
        ent->setValue(7.0);
    }
    EXPECT_EQ(openState(id), 0);
    EXPECT_EQ(valueOf(id), 7.0);
    AcDbObjectPointer<AcDbLayerTableRecord> wrong(id, AcDb::kForRead);
    EXPECT_EQ(wrong.openStatus(), Acad::eNotThatKindOfClass);
}

using DbDeathTest = DbTest;

TEST_F(DbDeathTest, WritingToAnObjectNotOpenForWriteAborts)
{
    AcDbObjectId id = addTestEntity();
    EXPECT_DEATH(
        {
            DbTestEntity* ent = nullptr;
            acdbOpenObject(ent, id, AcDb::kForRead);
            ent->setValue(1.0);
        },
        "not open for write");
    EXPECT_DEATH(
        {
            DbTestEntity* ent = nullptr;
            acdbOpenObject(ent, id, AcDb::kForRead);
            ent->close();
            ent->value();
        },
        "not open");
}
