// Objects become proxies when their class leaves and come back when it arrives.
#include "support/db_fixture.h"

#include "db/proxy_support.h"

using dbtest::DbTest;

namespace {

bool proxiesAvailable()
{
    AcDbObject* probe = arx::db::makeProxy(arx::db::ProxyOrigin{"PROBE", "Probe", "PROBE", 0, true}, {});
    delete probe;
    return probe != nullptr;
}

}  // namespace

TEST_F(DbTest, AClassLeavingTurnsItsObjectsIntoProxiesThatKeepTheirData)
{
    if (!proxiesAvailable()) GTEST_SKIP() << "no proxy classes are linked";
    AcDbObjectId reactor = addReactorObject();
    AcDbObjectId id = addTestEntity(6.5);
    AcDbObjectId layer = addLayer("KEPT");
    {
        DbTestEntity* ent = nullptr;
        acdbOpenObject(ent, id, AcDb::kForWrite);
        ent->setLabel("survives");
        ent->setLayer(layer);
        ent->addPersistentReactor(reactor);
        ent->createExtensionDictionary();
        ent->close();
    }
    AcDbObjectId dict;
    {
        AcDbObject* obj = nullptr;
        acdbOpenAcDbObject(obj, id, AcDb::kForRead);
        dict = obj->extensionDictionary();
        obj->close();
    }
    dbtest::unregisterTestEntityClass();

    AcDbObject* obj = nullptr;
    ASSERT_EQ(acdbOpenAcDbObject(obj, id, AcDb::kForRead), Acad::eOk) << "the id still names the object";
    EXPECT_TRUE(obj->isAProxy());
    EXPECT_EQ(arx::db::dxfNameOf(obj), "DBTESTENTITY");
    EXPECT_TRUE(obj->hasPersistentReactor(reactor));
    EXPECT_EQ(obj->extensionDictionary(), dict);
    EXPECT_EQ(obj->ownerId(), modelSpaceId());
    ASSERT_NE(AcDbEntity::cast(obj), nullptr);
    EXPECT_EQ(AcDbEntity::cast(obj)->layerId(), layer);
    obj->close();

    dbtest::registerTestClasses();
    DbTestEntity* back = nullptr;
    ASSERT_EQ(acdbOpenObject(back, id, AcDb::kForRead), Acad::eOk) << "the class is back: so is the object";
    EXPECT_FALSE(back->isAProxy());
    EXPECT_EQ(back->value(), 6.5);
    EXPECT_EQ(back->label(), "survives");
    EXPECT_EQ(back->layerId(), layer);
    EXPECT_TRUE(back->hasPersistentReactor(reactor));
    back->close();
}
