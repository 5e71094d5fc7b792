// Notifications in the host's order, to transient, persistent and database reactors.
#include "support/db_fixture.h"

#include "dbhostext.h"
#include "dbidmap.h"

using dbtest::DbTest;
using dbtest::events;
using dbtest::handleOf;

namespace {

// Logs at each call whether the entity's value already changed (openedForModify comes
// before the first change).
class ValueWatcher : public AcDbObjectReactor {
public:
    void openedForModify(const AcDbObject* obj) override
    {
        events().push_back("value at openedForModify " +
                           std::to_string(static_cast<const DbTestEntity*>(obj)->value()));
    }
    void modified(const AcDbObject* obj) override
    {
        events().push_back("value at modified " + std::to_string(static_cast<const DbTestEntity*>(obj)->value()));
    }
};

}  // namespace

TEST_F(DbTest, OpenedForModifyComesAtTheFirstChangeAndModifiedAtClose)
{
    AcDbObjectId id = addTestEntity(1.0);
    ValueWatcher watcher;
    DbTestTransientReactor log;
    DbTestEntity* ent = nullptr;
    ASSERT_EQ(acdbOpenObject(ent, id, AcDb::kForWrite), Acad::eOk);
    ent->addReactor(&watcher);
    ent->addReactor(&log);
    EXPECT_TRUE(events().empty()) << "opening for write sends nothing";
    ent->setValue(2.0);
    ent->setValue(3.0);
    ent->close();
    std::string h = handleOf(id);
    std::vector<std::string> expected = {"value at openedForModify 1.000000", "T:openedForModify " + h,
                                         "value at modified 3.000000", "T:modified " + h, "T:objectClosed " + h};
    EXPECT_EQ(events(), expected);

    // A read open, or a write open that changes nothing, sends no modified.
    events().clear();
    ASSERT_EQ(acdbOpenObject(ent, id, AcDb::kForWrite), Acad::eOk);
    ent->close();
    EXPECT_EQ(events(), std::vector<std::string>{"T:objectClosed " + h});
    ASSERT_EQ(acdbOpenObject(ent, id, AcDb::kForRead), Acad::eOk);
    ent->removeReactor(&watcher);
    ent->removeReactor(&log);
    ent->close();
}

TEST_F(DbTest, NewlyAppendedObjectsGetNoOpenedForModify)
{
    DbTestDatabaseReactor dbLog;
    db->addReactor(&dbLog);
    AcDbBlockTableRecord* ms = nullptr;
    ASSERT_EQ(acdbOpenObject(ms, modelSpaceId(), AcDb::kForWrite), Acad::eOk);
    auto* ent = new DbTestEntity();
    AcDbObjectId id;
    ASSERT_EQ(ms->appendAcDbEntity(id, ent), Acad::eOk);
    ms->close();
    events().clear();
    ent->setValue(4.0);
    ent->close();
    EXPECT_EQ(events(), std::vector<std::string>{"D:objectAppended " + handleOf(id)});
    db->removeReactor(&dbLog);
}

TEST_F(DbTest, DowngradeCommitsAndNotifies)
{
    AcDbObjectId id = addTestEntity(1.0);
    DbTestTransientReactor log;
    DbTestEntity* ent = nullptr;
    ASSERT_EQ(acdbOpenObject(ent, id, AcDb::kForWrite), Acad::eOk);
    ent->addReactor(&log);
    ent->setValue(2.0);
    ASSERT_EQ(ent->downgradeOpen(), Acad::eOk);
    EXPECT_NE(std::find(events().begin(), events().end(), "T:modified " + handleOf(id)), events().end());
    events().clear();
    ent->removeReactor(&log);
    ent->close();
    EXPECT_TRUE(events().empty()) << "closing the reader afterwards sends nothing";
}

TEST_F(DbTest, PersistentReactorsHearThroughTheirObjects)
{
    AcDbObjectId reactor = addReactorObject();
    AcDbObjectId id = addTestEntity(1.0);
    DbTestEntity* ent = nullptr;
    ASSERT_EQ(acdbOpenObject(ent, id, AcDb::kForWrite), Acad::eOk);
    ent->addPersistentReactor(reactor);
    ent->close();

    ASSERT_EQ(acdbOpenObject(ent, id, AcDb::kForRead), Acad::eOk);
    const AcDbVoidPtrArray* list = ent->reactors();
    ASSERT_EQ(list->length(), 1);
    EXPECT_TRUE(acdbIsPersistentReactor((*list)[0]));
    EXPECT_EQ(acdbPersistentReactorObjectId((*list)[0]), reactor);
    EXPECT_TRUE(ent->hasPersistentReactor(reactor));
    ent->close();

    events().clear();
    ASSERT_EQ(acdbOpenObject(ent, id, AcDb::kForWrite), Acad::eOk);
    ent->setValue(9.0);
    ent->erase();
    ent->close();
    std::string h = handleOf(id);
    std::vector<std::string> expected = {"P:openedForModify " + h, "P:erased " + h + " 1", "P:modified " + h};
    EXPECT_EQ(events(), expected);
    EXPECT_EQ(openState(reactor), 0) << "the reactor object is closed after each notification";

    // An erased reactor object hears nothing.
    AcDbObject* robj = nullptr;
    ASSERT_EQ(acdbOpenAcDbObject(robj, reactor, AcDb::kForWrite), Acad::eOk);
    robj->erase();
    robj->close();
    events().clear();
    ASSERT_EQ(acdbOpenObject(ent, id, AcDb::kForWrite, true), Acad::eOk);
    ent->erase(false);
    ent->close();
    EXPECT_TRUE(events().empty());
}

TEST_F(DbTest, TransientReactorsAreNotTransientAcrossCopiesButPersistentOnesAre)
{
    AcDbObjectId reactor = addReactorObject();
    AcDbObjectId id = addTestEntity(1.0);
    DbTestTransientReactor log;
    DbTestEntity* ent = nullptr;
    ASSERT_EQ(acdbOpenObject(ent, id, AcDb::kForWrite), Acad::eOk);
    ent->addPersistentReactor(reactor);
    ent->addReactor(&log);
    ent->close();

    AcDbObjectIdArray ids;
    ids.append(id);
    AcDbObjectId owner = modelSpaceId();
    AcDbIdMapping map;
    events().clear();
    ASSERT_EQ(db->deepCloneObjects(ids, owner, map), Acad::eOk);
    AcDbIdPair pair(id, AcDbObjectId(), false);
    ASSERT_TRUE(map.compute(pair));
    ASSERT_TRUE(pair.isCloned());
    AcDbObjectId copy = pair.value();
    // copied goes to both reactors of the original, after the copy is complete.
    EXPECT_NE(std::find(events().begin(), events().end(), "T:copied " + handleOf(id) + " " + handleOf(copy)),
              events().end());
    EXPECT_NE(std::find(events().begin(), events().end(), "P:copied " + handleOf(id) + " " + handleOf(copy)),
              events().end());

    ASSERT_EQ(acdbOpenObject(ent, copy, AcDb::kForRead), Acad::eOk);
    EXPECT_TRUE(ent->hasPersistentReactor(reactor));
    EXPECT_EQ(ent->reactors()->length(), 1) << "the transient reactor stays with the original";
    ent->close();
    ASSERT_EQ(acdbOpenObject(ent, id, AcDb::kForRead), Acad::eOk);
    ent->removeReactor(&log);
    ent->close();
}

TEST_F(DbTest, DatabaseReactorsHearAppendsModificationsAndErases)
{
    DbTestDatabaseReactor dbLog;
    db->addReactor(&dbLog);
    AcDbObjectId id = addTestEntity(1.0);
    std::string h = handleOf(id);
    DbTestEntity* ent = nullptr;
    ASSERT_EQ(acdbOpenObject(ent, id, AcDb::kForWrite), Acad::eOk);
    ent->setValue(2.0);
    ent->erase();
    ent->close();
    std::vector<std::string> mine;
    for (const auto& e : events())
        if (e.find(" " + h) != std::string::npos) mine.push_back(e);
    std::vector<std::string> expected = {"D:objectAppended " + h, "D:objectOpenedForModify " + h,
                                         "D:objectErased " + h + " 1", "D:objectModified " + h};
    EXPECT_EQ(mine, expected);
    events().clear();
    db->setLtscale(2.0);
    EXPECT_EQ(events(), std::vector<std::string>{"D:headerSysVarChanged LTSCALE"});
    db->removeReactor(&dbLog);
}

TEST_F(DbTest, AReactorRemovedDuringANotificationIsNotCalled)
{
    struct Remover : AcDbObjectReactor {
        AcDbObjectReactor* victim = nullptr;
        void modified(const AcDbObject* obj) override { obj->removeReactor(victim); }
    };
    AcDbObjectId id = addTestEntity();
    Remover remover;
    DbTestTransientReactor victim;
    remover.victim = &victim;
    DbTestEntity* ent = nullptr;
    ASSERT_EQ(acdbOpenObject(ent, id, AcDb::kForWrite), Acad::eOk);
    ent->addReactor(&remover);
    ent->addReactor(&victim);
    ent->setValue(1.0);
    events().clear();
    ent->close();
    EXPECT_TRUE(events().empty());
    ASSERT_EQ(acdbOpenObject(ent, id, AcDb::kForRead), Acad::eOk);
    ent->removeReactor(&remover);
    ent->close();
}

TEST_F(DbTest, ANotifyingObjectCannotBeOpenedForWriteByItsReactors)
{
    struct Opener : AcDbObjectReactor {
        Acad::ErrorStatus status = Acad::eOk;
        void modified(const AcDbObject* obj) override
        {
            AcDbObject* again = nullptr;
            status = acdbOpenAcDbObject(again, obj->objectId(), AcDb::kForWrite);
            if (again) again->close();
        }
    };
    AcDbObjectId id = addTestEntity();
    Opener opener;
    DbTestEntity* ent = nullptr;
    ASSERT_EQ(acdbOpenObject(ent, id, AcDb::kForWrite), Acad::eOk);
    ent->addReactor(&opener);
    ent->setValue(1.0);
    ent->close();
    EXPECT_EQ(opener.status, Acad::eWasNotifying);
    ASSERT_EQ(acdbOpenObject(ent, id, AcDb::kForRead), Acad::eOk);
    ent->removeReactor(&opener);
    ent->close();
}

TEST(DatabaseLifetime, GoodbyeGoesToTransientReactorsWhenTheDatabaseGoes)
{
    dbtest::registerTestClasses();
    auto* db = new AcDbDatabase();
    DbTestTransientReactor log;
    AcDbBlockTable* table = nullptr;
    ASSERT_EQ(db->getBlockTable(table, AcDb::kForRead), Acad::eOk);
    table->addReactor(&log);
    std::string h = handleOf(table);
    table->close();
    events().clear();
    delete db;
    EXPECT_EQ(events(), std::vector<std::string>{"T:goodbye " + h});
}
