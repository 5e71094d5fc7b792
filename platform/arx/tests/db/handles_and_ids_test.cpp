// Handles as hexadecimal text, ids and entity names, the handle seed.
#include "support/db_fixture.h"

#include "acdbads_db.h"
#include "dbhostext.h"
#include "db/database_access.h"

using dbtest::DbTest;

TEST(Handle, TextIsUpperCaseHexWithoutLeadingZeros)
{
    char text[20];
    AcDbHandle(0x2a, 0).getIntoAsciiBuffer(text);
    EXPECT_STREQ(text, "2A");
    AcDbHandle().getIntoAsciiBuffer(text);
    EXPECT_STREQ(text, "0");
    AcDbHandle(0xFFFFFFFFFFFFFFFFull).getIntoAsciiBuffer(text);
    EXPECT_STREQ(text, "FFFFFFFFFFFFFFFF");
    AcDbHandle(static_cast<int>(0x89abcdef), 0x1234).getIntoAsciiBuffer(text);
    EXPECT_STREQ(text, "123489ABCDEF");
}

TEST(Handle, ParsesEitherCaseAndRefusesWhatIsNotHex)
{
    AcDbHandle h;
    ASSERT_TRUE(AcDbHandle::fromText("2a", h));
    EXPECT_EQ(h, AcDbHandle("2A"));
    EXPECT_TRUE(AcDbHandle::fromText("00000000000000000001F", h)) << "leading zeros do not count";
    EXPECT_EQ(h.value(), 0x1Fu);
    EXPECT_FALSE(AcDbHandle::fromText("", h));
    EXPECT_FALSE(AcDbHandle::fromText("12G", h));
    EXPECT_FALSE(AcDbHandle::fromText("-1", h));
    EXPECT_FALSE(AcDbHandle::fromText("10000000000000000", h)) << "17 digits do not fit 64 bits";
    EXPECT_TRUE(AcDbHandle("zz").isNull());
}

TEST(Handle, OldTypeIsBigEndian)
{
    AcDbHandle h(0x0102030405060708ull);
    unsigned char bytes[8];
    h.copyToOldType(bytes);
    EXPECT_EQ(bytes[0], 1);
    EXPECT_EQ(bytes[7], 8);
    AcDbHandle back;
    back.copyFromOldType(bytes);
    EXPECT_EQ(back, h);
}

TEST_F(DbTest, NewObjectsTakeIncreasingHandlesAndTheSeedOnlyGrows)
{
    AcDbObjectId a = addTestEntity();
    AcDbObjectId b = addTestEntity();
    EXPECT_LT(a.handle(), b.handle());
    EXPECT_GT(db->handseed(), b.handle());
    EXPECT_EQ(db->setHandseed(AcDbHandle(1)), Acad::eInvalidInput) << "the seed never goes back";
    ASSERT_EQ(db->setHandseed(AcDbHandle(0x10000)), Acad::eOk);
    AcDbObjectId c = addTestEntity();
    EXPECT_EQ(c.handle(), AcDbHandle(0x10000));
    // Erasing an object does not free its handle.
    AcDbObject* obj = nullptr;
    ASSERT_EQ(acdbOpenAcDbObject(obj, c, AcDb::kForWrite), Acad::eOk);
    obj->erase();
    obj->close();
    EXPECT_GT(addTestEntity().handle(), c.handle());
}

TEST_F(DbTest, IdsFindObjectsByHandleAndStayValidAfterErase)
{
    AcDbObjectId id = addTestEntity(3.0);
    AcDbObjectId found;
    ASSERT_EQ(db->getAcDbObjectId(found, false, id.handle()), Acad::eOk);
    EXPECT_EQ(found, id);
    EXPECT_EQ(db->getAcDbObjectId(found, false, AcDbHandle(0x7FFFFFF)), Acad::eUnknownHandle);
    EXPECT_EQ(id.database(), db);

    AcDbObject* obj = nullptr;
    ASSERT_EQ(acdbOpenAcDbObject(obj, id, AcDb::kForWrite), Acad::eOk);
    obj->erase();
    obj->close();
    EXPECT_TRUE(id.isErased());
    EXPECT_TRUE(id.isValid());
    EXPECT_EQ(valueOf(id), 3.0) << "an erased object opens when asked for";
}

TEST_F(DbTest, AdsNamesAndHandEntRoundTrip)
{
    AcDbObjectId id = addTestEntity();
    ads_name name;
    ASSERT_EQ(acdbGetAdsName(name, id), Acad::eOk);
    AcDbObjectId back;
    ASSERT_EQ(acdbGetObjectId(back, name), Acad::eOk);
    EXPECT_EQ(back, id);
    ads_name nil = {0, 0};
    EXPECT_EQ(acdbGetObjectId(back, nil), Acad::eInvalidAdsName);

    char text[20];
    id.handle().getIntoAsciiBuffer(text);
    std::string lower = text;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    ads_name byHandle;
    ASSERT_EQ(acdbHandEnt(lower.c_str(), byHandle), RTNORM) << "handles are compared without regard to case";
    EXPECT_EQ(byHandle[0], name[0]);
    EXPECT_EQ(acdbHandEnt("7FFFFFFF", byHandle), RTERROR);
    EXPECT_EQ(acdbHandEnt("not a handle", byHandle), RTERROR);
    EXPECT_EQ(acdbHandEnt(nullptr, byHandle), RTERROR);
}

TEST_F(DbTest, SwappingContentsMovesObjectsButNotReactors)
{
    AcDbObjectId id = addTestEntity(4.0);
    DbTestDatabaseReactor dbLog;
    db->addReactor(&dbLog);
    AcDbDatabase other;
    AcDbObjectId otherLayers = other.layerTableId();
    arx::db::swapDatabaseContents(db, &other);
    EXPECT_EQ(id.database(), &other);
    EXPECT_EQ(db->layerTableId(), otherLayers);
    EXPECT_EQ(otherLayers.database(), db);
    dbtest::events().clear();
    AcDbObjectId fresh = addTestEntity(1.0);
    EXPECT_EQ(fresh.database(), db);
    const auto& events = dbtest::events();
    EXPECT_NE(std::find(events.begin(), events.end(), "D:objectAppended " + dbtest::handleOf(fresh)), events.end())
        << "the reactor stays with the database object";
    AcDbObject* obj = nullptr;
    ASSERT_EQ(acdbOpenAcDbObject(obj, id, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(obj->database(), &other);
    obj->close();
    db->removeReactor(&dbLog);
}
