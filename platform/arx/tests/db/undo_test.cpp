// Undo groups: appends, erases, full and partial modification records, undo and redo.
#include "support/db_fixture.h"

#include "acutads.h"
#include "dbdict.h"
#include "dbhostext.h"
#include "dbxrecrd.h"

using dbtest::DbTest;
using dbtest::events;
using dbtest::handleOf;

namespace {

void setValue(AcDbObjectId id, double v)
{
    DbTestEntity* ent = nullptr;
    ASSERT_EQ(acdbOpenObject(ent, id, AcDb::kForWrite), Acad::eOk);
    ent->setValue(v);
    ent->close();
}

}  // namespace

class UndoTest : public DbTest {
protected:
    AcDbUndoController* undo() { return acdbUndoController(db); }
};

TEST_F(UndoTest, ANewDrawingHasNothingToUndo)
{
    EXPECT_EQ(undo()->undoableGroups(), 0);
    EXPECT_EQ(undo()->undo(1), 0);
}

TEST_F(UndoTest, UndoRestoresAFullRecordAndRedoReappliesIt)
{
    AcDbObjectId id = addTestEntity(1.0);
    undo()->clear();
    DbTestTransientReactor log;
    {
        AcDbObject* obj = nullptr;
        acdbOpenAcDbObject(obj, id, AcDb::kForRead);
        obj->addReactor(&log);
        obj->close();
    }
    undo()->beginGroup("CHANGE");
    setValue(id, 2.0);
    undo()->endGroup();
    EXPECT_EQ(undo()->undoableGroups(), 1);
    EXPECT_STREQ(undo()->groupName(0), "CHANGE");
    events().clear();
    EXPECT_EQ(undo()->undo(1), 1);
    EXPECT_EQ(valueOf(id), 1.0);
    EXPECT_EQ(events(), (std::vector<std::string>{"T:modifyUndone " + handleOf(id), "T:objectClosed " + handleOf(id)}))
        << "undo sends modifyUndone, not openedForModify or modified";
    EXPECT_EQ(undo()->redoableGroups(), 1);
    EXPECT_EQ(undo()->redo(1), 1);
    EXPECT_EQ(valueOf(id), 2.0);
    EXPECT_EQ(undo()->undo(1), 1);
    EXPECT_EQ(valueOf(id), 1.0) << "undo after redo works the same way";
    AcDbObject* obj = nullptr;
    acdbOpenAcDbObject(obj, id, AcDb::kForRead);
    obj->removeReactor(&log);
    obj->close();
}

TEST_F(UndoTest, UndoOfAnAppendUnappendsAndRedoReappends)
{
    DbTestDatabaseReactor dbLog;
    db->addReactor(&dbLog);
    undo()->beginGroup("LINE");
    AcDbObjectId id = addTestEntity(1.0);
    undo()->endGroup();
    events().clear();
    ASSERT_EQ(undo()->undo(1), 1);
    EXPECT_EQ(events(), std::vector<std::string>{"D:objectUnAppended " + handleOf(id)});
    AcDbObject* obj = nullptr;
    EXPECT_EQ(acdbOpenAcDbObject(obj, id, AcDb::kForRead, true), Acad::ePermanentlyErased);
    EXPECT_TRUE(id.isErased());
    // The block's iterator no longer shows it, even with erased entities included.
    AcDbBlockTableRecord* ms = nullptr;
    ASSERT_EQ(acdbOpenObject(ms, modelSpaceId(), AcDb::kForRead), Acad::eOk);
    AcDbBlockTableRecordIterator* it = nullptr;
    ms->newIterator(it, true, false);
    EXPECT_TRUE(it->done());
    delete it;
    ms->close();

    events().clear();
    ASSERT_EQ(undo()->redo(1), 1);
    EXPECT_EQ(events(), std::vector<std::string>{"D:objectReAppended " + handleOf(id)});
    EXPECT_EQ(valueOf(id), 1.0);
    db->removeReactor(&dbLog);
}

TEST_F(UndoTest, UndoOfAnEraseSendsErasedFalse)
{
    AcDbObjectId reactor = addReactorObject();
    AcDbObjectId id = addTestEntity();
    {
        AcDbObject* obj = nullptr;
        acdbOpenAcDbObject(obj, id, AcDb::kForWrite);
        obj->addPersistentReactor(reactor);
        obj->close();
    }
    undo()->beginGroup("ERASE");
    AcDbObject* obj = nullptr;
    ASSERT_EQ(acdbOpenAcDbObject(obj, id, AcDb::kForWrite), Acad::eOk);
    obj->erase();
    obj->close();
    undo()->endGroup();
    events().clear();
    ASSERT_EQ(undo()->undo(1), 1);
    EXPECT_FALSE(id.isErased());
    EXPECT_NE(std::find(events().begin(), events().end(), "P:erased " + handleOf(id) + " 0"), events().end());
    events().clear();
    ASSERT_EQ(undo()->redo(1), 1);
    EXPECT_TRUE(id.isErased());
    EXPECT_NE(std::find(events().begin(), events().end(), "P:erased " + handleOf(id) + " 1"), events().end());
}

TEST_F(UndoTest, PartialRecordsAreReplayedThroughApplyPartialUndoNewestFirst)
{
    AcDbObjectId id = addTestEntity(1.0);
    undo()->beginGroup("PARTIAL");
    DbTestEntity* ent = nullptr;
    ASSERT_EQ(acdbOpenObject(ent, id, AcDb::kForWrite), Acad::eOk);
    ent->setValueRecorded(2.0);
    ent->setValueRecorded(3.0);
    ent->close();
    undo()->endGroup();
    ASSERT_EQ(undo()->undo(1), 1);
    EXPECT_EQ(valueOf(id), 1.0);
    ASSERT_EQ(undo()->redo(1), 1);
    EXPECT_EQ(valueOf(id), 3.0) << "applyPartialUndo recorded the inverse, so redo works";
    ASSERT_EQ(undo()->undo(1), 1);
    EXPECT_EQ(valueOf(id), 1.0);
}

TEST_F(UndoTest, AFullRecordLaterInTheOpenReplacesThePartialOnes)
{
    AcDbObjectId id = addTestEntity(1.0);
    undo()->beginGroup("MIXED");
    DbTestEntity* ent = nullptr;
    ASSERT_EQ(acdbOpenObject(ent, id, AcDb::kForWrite), Acad::eOk);
    ent->setValueRecorded(2.0);
    ent->setPoint(AcGePoint3d(5, 5, 5));  // automatic undo: the whole state of the first write
    ent->setValueRecorded(3.0);
    ent->close();
    undo()->endGroup();
    ASSERT_EQ(undo()->undo(1), 1);
    EXPECT_EQ(valueOf(id), 1.0);
    ASSERT_EQ(acdbOpenObject(ent, id, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(ent->point(), AcGePoint3d(0, 0, 0));
    ent->close();
}

TEST_F(UndoTest, UndoNReplaysGroupsBackwardsAndNestedGroupsCountOnce)
{
    AcDbObjectId id = addTestEntity(0.0);
    undo()->clear();
    for (int i = 1; i <= 3; ++i) {
        undo()->beginGroup("STEP");
        undo()->beginGroup("INNER");
        setValue(id, i);
        undo()->endGroup();
        undo()->endGroup();
    }
    EXPECT_EQ(undo()->undoableGroups(), 3);
    EXPECT_EQ(undo()->undo(2), 2);
    EXPECT_EQ(valueOf(id), 1.0);
    EXPECT_EQ(undo()->undo(5), 1) << "only what exists is undone";
    EXPECT_EQ(valueOf(id), 0.0);
    EXPECT_EQ(undo()->redo(3), 3);
    EXPECT_EQ(valueOf(id), 3.0);
}

TEST_F(UndoTest, ChangesOutsideGroupsFormTheirOwnGroup)
{
    AcDbObjectId id = addTestEntity(0.0);
    undo()->clear();
    setValue(id, 1.0);
    setValue(id, 2.0);
    undo()->beginGroup("CMD");
    setValue(id, 3.0);
    undo()->endGroup();
    EXPECT_EQ(undo()->undoableGroups(), 2);
    undo()->undo(1);
    EXPECT_EQ(valueOf(id), 2.0);
    undo()->undo(1);
    EXPECT_EQ(valueOf(id), 0.0) << "the loose changes go back together";
}

TEST_F(UndoTest, TheCommandRunningUndoIsNotUndone)
{
    AcDbObjectId id = addTestEntity(0.0);
    undo()->clear();
    undo()->beginGroup("CMD");
    setValue(id, 1.0);
    undo()->endGroup();
    undo()->beginGroup("UNDO");
    EXPECT_EQ(undo()->undoableGroups(), 1);
    EXPECT_EQ(undo()->undo(1), 1);
    undo()->endGroup();
    EXPECT_EQ(valueOf(id), 0.0);
}

TEST_F(UndoTest, ANewChangeDropsRedoAndFreesUnappendedObjects)
{
    undo()->beginGroup("ADD");
    AcDbObjectId id = addTestEntity(1.0);
    DbTestTransientReactor log;
    {
        AcDbObject* obj = nullptr;
        acdbOpenAcDbObject(obj, id, AcDb::kForRead);
        obj->addReactor(&log);
        obj->close();
    }
    undo()->endGroup();
    undo()->undo(1);
    EXPECT_EQ(undo()->redoableGroups(), 1);
    events().clear();
    AcDbObjectId other = addTestEntity(2.0);
    EXPECT_EQ(undo()->redoableGroups(), 0);
    EXPECT_EQ(events(), std::vector<std::string>{"T:goodbye " + handleOf(id)});
    EXPECT_FALSE(id.isValid());
    EXPECT_EQ(valueOf(other), 2.0);
}

TEST_F(UndoTest, DictionaryEntriesComeAndGoWithUndo)
{
    undo()->clear();
    undo()->beginGroup("STORE");
    AcDbDictionary* nod = nullptr;
    ASSERT_EQ(db->getNamedObjectsDictionary(nod, AcDb::kForWrite), Acad::eOk);
    auto* xrec = new AcDbXrecord();
    AcDbObjectId xid;
    ASSERT_EQ(nod->setAt("VADU_TEST", xrec, xid), Acad::eOk);
    resbuf* data = acutNewRb(1);
    data->resval.rstring = strdup("2A");
    xrec->setFromRbChain(*data);
    acutRelRb(data);
    xrec->close();
    nod->close();
    undo()->endGroup();
    undo()->undo(1);
    ASSERT_EQ(db->getNamedObjectsDictionary(nod, AcDb::kForRead), Acad::eOk);
    EXPECT_FALSE(nod->has("VADU_TEST"));
    nod->close();
    undo()->redo(1);
    ASSERT_EQ(db->getNamedObjectsDictionary(nod, AcDb::kForRead), Acad::eOk);
    AcDbObjectId back;
    ASSERT_EQ(nod->getAt("vadu_test", back), Acad::eOk);
    EXPECT_EQ(back, xid);
    nod->close();
}

TEST_F(UndoTest, ExtendedDataAndReactorListsAreRestored)
{
    AcDbObjectId reactor = addReactorObject();
    AcDbObjectId id = addTestEntity();
    undo()->clear();
    undo()->beginGroup("ATTACH");
    AcDbObject* obj = nullptr;
    ASSERT_EQ(acdbOpenAcDbObject(obj, id, AcDb::kForWrite), Acad::eOk);
    obj->addPersistentReactor(reactor);
    resbuf* xd = acutNewRb(1001);
    xd->resval.rstring = strdup("ACAD");
    xd->rbnext = acutNewRb(1070);
    xd->rbnext->resval.rint = 7;
    ASSERT_EQ(obj->setXData(xd), Acad::eOk);
    acutRelRb(xd);
    obj->close();
    undo()->endGroup();
    undo()->undo(1);
    ASSERT_EQ(acdbOpenAcDbObject(obj, id, AcDb::kForRead), Acad::eOk);
    EXPECT_FALSE(obj->hasPersistentReactor(reactor));
    EXPECT_EQ(obj->xData("ACAD"), nullptr);
    obj->close();
}

TEST_F(UndoTest, CancelPutsTheObjectBackAndRecordsNothing)
{
    AcDbObjectId id = addTestEntity(1.0);
    undo()->clear();
    undo()->beginGroup("CANCELLED");
    DbTestTransientReactor log;
    DbTestEntity* ent = nullptr;
    ASSERT_EQ(acdbOpenObject(ent, id, AcDb::kForWrite), Acad::eOk);
    ent->addReactor(&log);
    ent->setValue(5.0);
    events().clear();
    ASSERT_EQ(ent->cancel(), Acad::eOk);
    undo()->endGroup();
    EXPECT_EQ(events(), (std::vector<std::string>{"T:cancelled " + handleOf(id), "T:objectClosed " + handleOf(id)}));
    EXPECT_EQ(valueOf(id), 1.0);
    undo()->undo(1);
    EXPECT_EQ(valueOf(id), 1.0);
    ASSERT_EQ(acdbOpenObject(ent, id, AcDb::kForRead), Acad::eOk);
    ent->removeReactor(&log);
    ent->close();
}

TEST_F(UndoTest, DisabledRecordingRecordsNothing)
{
    AcDbObjectId id = addTestEntity(1.0);
    undo()->clear();
    db->disableUndoRecording(true);
    EXPECT_FALSE(db->undoRecording());
    setValue(id, 2.0);
    db->disableUndoRecording(false);
    EXPECT_EQ(undo()->undoableGroups(), 0);
    EXPECT_EQ(valueOf(id), 2.0);
}

TEST_F(UndoTest, AnObjectOpenDuringUndoIsLeftAlone)
{
    AcDbObjectId id = addTestEntity(1.0);
    undo()->clear();
    undo()->beginGroup("CHANGE");
    setValue(id, 2.0);
    undo()->endGroup();
    AcDbObject* reader = nullptr;
    ASSERT_EQ(acdbOpenAcDbObject(reader, id, AcDb::kForRead), Acad::eOk);
    undo()->undo(1);
    reader->close();
    EXPECT_EQ(valueOf(id), 2.0);
}

namespace {

// Erasing one object erases its partner, and unerasing one unerases the other, as the
// viewport and its mark do through their persistent reactor.
class PartnerReactor : public AcDbObjectReactor {
public:
    AcDbObjectId partner;
    void erased(const AcDbObject*, Adesk::Boolean erasing) override
    {
        AcDbObject* other = nullptr;
        if (acdbOpenAcDbObject(other, partner, AcDb::kForWrite, true) != Acad::eOk) return;
        if (other->isErased() != static_cast<bool>(erasing)) other->erase(erasing);
        other->close();
    }
};

}  // namespace

TEST_F(UndoTest, ReactorsThatEraseAndUneraseEachOtherStayConsistentThroughUndoAndRedo)
{
    AcDbObjectId a = addTestEntity(1.0);
    AcDbObjectId b = addTestEntity(2.0);
    PartnerReactor toB;
    PartnerReactor toA;
    toB.partner = b;
    toA.partner = a;
    AcDbObject* obj = nullptr;
    acdbOpenAcDbObject(obj, a, AcDb::kForRead);
    obj->addReactor(&toB);
    obj->close();
    acdbOpenAcDbObject(obj, b, AcDb::kForRead);
    obj->addReactor(&toA);
    obj->close();
    undo()->clear();
    undo()->beginGroup("ERASE");
    acdbOpenAcDbObject(obj, a, AcDb::kForWrite);
    obj->erase();
    obj->close();
    undo()->endGroup();
    EXPECT_TRUE(a.isErased());
    EXPECT_TRUE(b.isErased());
    for (int round = 0; round < 2; ++round) {
        undo()->undo(1);
        EXPECT_FALSE(a.isErased());
        EXPECT_FALSE(b.isErased());
        undo()->redo(1);
        EXPECT_TRUE(a.isErased());
        EXPECT_TRUE(b.isErased());
    }
    acdbOpenAcDbObject(obj, a, AcDb::kForRead, true);
    obj->removeReactor(&toB);
    obj->close();
    acdbOpenAcDbObject(obj, b, AcDb::kForRead, true);
    obj->removeReactor(&toA);
    obj->close();
}

TEST_F(UndoTest, UndoToMarkStopsAtTheNewestMarkAndTakesItAway)
{
    AcDbObjectId id = addTestEntity(0.0);
    undo()->clear();
    EXPECT_EQ(undo()->groupsAboveMark(), -1);
    EXPECT_EQ(undo()->undoToMark(), -1);
    auto step = [&](double v) {
        undo()->beginGroup("STEP");
        setValue(id, v);
        undo()->endGroup();
    };
    step(1.0);
    undo()->addMark();
    step(2.0);
    undo()->addMark();
    step(3.0);
    step(4.0);
    EXPECT_EQ(undo()->groupsAboveMark(), 2);
    EXPECT_EQ(undo()->undoToMark(), 2);
    EXPECT_EQ(valueOf(id), 2.0);
    EXPECT_EQ(undo()->groupsAboveMark(), 1) << "the mark reached is used up; the older one remains";
    EXPECT_EQ(undo()->undoToMark(), 1);
    EXPECT_EQ(valueOf(id), 1.0);
    EXPECT_EQ(undo()->groupsAboveMark(), -1);
    EXPECT_EQ(undo()->redo(3), 3);
    EXPECT_EQ(valueOf(id), 4.0);
    EXPECT_EQ(undo()->groupsAboveMark(), -1) << "redo brings no mark back";
}

TEST_F(UndoTest, AMarkPassedByUndoGoesAndAMarkOnAnEmptyHistoryLiesAtTheBottom)
{
    AcDbObjectId id = addTestEntity(0.0);
    undo()->clear();
    undo()->addMark();
    undo()->beginGroup("A");
    setValue(id, 1.0);
    undo()->endGroup();
    undo()->addMark();
    undo()->beginGroup("B");
    setValue(id, 2.0);
    undo()->endGroup();
    EXPECT_EQ(undo()->undo(2), 2);  // past the mark after A
    EXPECT_EQ(undo()->groupsAboveMark(), 0) << "the bottom mark is next";
    EXPECT_EQ(undo()->undoToMark(), 0);
    EXPECT_EQ(undo()->groupsAboveMark(), -1);
}
