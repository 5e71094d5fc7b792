#include "support/db_fixture.h"

#include "dbdict.h"
#include "db/object_state.h"
#include "ed/console.h"

namespace dbtest {

std::string& printed()
{
    static std::string text;
    return text;
}

void DbTest::SetUp()
{
    registerTestClasses();
    db = new AcDbDatabase();
    acdbHostApplicationServices()->setWorkingDatabase(db);
    events().clear();
    printed().clear();
    arx::ed::Console::instance().setSink([](std::string_view text) { printed().append(text); });
    DbTestEntity::filerTypesSeen().clear();
}

void DbTest::TearDown()
{
    delete db;
    acdbHostApplicationServices()->setWorkingDatabase(nullptr);
    arx::ed::Console::instance().resetSink();
}

namespace {

AcDbObjectId blockNamed(AcDbDatabase* db, const char* name)
{
    AcDbBlockTable* table = nullptr;
    EXPECT_EQ(db->getBlockTable(table, AcDb::kForRead), Acad::eOk);
    AcDbObjectId id;
    table->getAt(name, id);
    table->close();
    return id;
}

}  // namespace

AcDbObjectId DbTest::modelSpaceId() const { return blockNamed(db, ACDB_MODEL_SPACE); }
AcDbObjectId DbTest::paperSpaceId() const { return blockNamed(db, ACDB_PAPER_SPACE); }

AcDbObjectId DbTest::addTestEntity(double value, AcDbObjectId block)
{
    if (block.isNull()) block = modelSpaceId();
    AcDbBlockTableRecord* record = nullptr;
    EXPECT_EQ(acdbOpenObject(record, block, AcDb::kForWrite), Acad::eOk);
    auto* ent = new DbTestEntity();
    ent->setValue(value);
    AcDbObjectId id;
    EXPECT_EQ(record->appendAcDbEntity(id, ent), Acad::eOk);
    EXPECT_EQ(ent->close(), Acad::eOk);
    EXPECT_EQ(record->close(), Acad::eOk);
    return id;
}

AcDbObjectId DbTest::addLayer(const char* name, bool locked)
{
    AcDbLayerTable* table = nullptr;
    EXPECT_EQ(db->getLayerTable(table, AcDb::kForWrite), Acad::eOk);
    auto* layer = new AcDbLayerTableRecord();
    layer->setName(name);
    layer->setIsLocked(locked);
    AcDbObjectId id;
    EXPECT_EQ(table->add(id, layer), Acad::eOk);
    layer->close();
    table->close();
    return id;
}

AcDbObjectId DbTest::addReactorObject()
{
    AcDbDictionary* nod = nullptr;
    EXPECT_EQ(db->getNamedObjectsDictionary(nod, AcDb::kForWrite), Acad::eOk);
    auto* reactor = new DbTestReactor();
    AcDbObjectId id;
    static int counter = 0;
    EXPECT_EQ(nod->setAt(("TEST_REACTOR_" + std::to_string(++counter)).c_str(), reactor, id), Acad::eOk);
    reactor->close();
    nod->close();
    return id;
}

double DbTest::valueOf(AcDbObjectId id) const
{
    DbTestEntity* ent = nullptr;
    if (acdbOpenObject(ent, id, AcDb::kForRead, true) != Acad::eOk) return -999.0;
    double v = ent->value();
    ent->close();
    return v;
}

int DbTest::openState(AcDbObjectId id) const
{
    const arx::db::ObjectState& st = arx::db::stateOf(id.stub()->object);
    return st.readers + (st.writer ? 1000 : 0) + (st.notifyOpen ? 100000 : 0);
}

}  // namespace dbtest
