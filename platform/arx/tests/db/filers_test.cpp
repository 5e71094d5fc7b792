// The binary filer family and the DXF item filer.
#include "support/db_fixture.h"

#include "acutads.h"
#include "dbidmap.h"
#include "db/dxf_item_filer.h"
#include "db/memory_dwg_filer.h"

using arx::db::DxfItem;
using arx::db::DxfItemFiler;
using arx::db::MemoryDwgFiler;
using dbtest::DbTest;

TEST(MemoryDwgFiler, ReadsBackWhatWasWrittenInOrder)
{
    MemoryDwgFiler filer(AcDb::kCopyFiler);
    filer.writeInt16(-5);
    filer.writeInt32(70000);
    filer.writeBoolean(true);
    filer.writeDouble(2.5);
    filer.writePoint3d(AcGePoint3d(1, 2, 3));
    filer.writeString("text");
    filer.writeAcDbHandle(AcDbHandle(0x2A));
    filer.rewind();
    Adesk::Int16 i16 = 0;
    Adesk::Int32 i32 = 0;
    Adesk::Boolean b = false;
    double d = 0;
    AcGePoint3d p;
    char* s = nullptr;
    AcDbHandle h;
    EXPECT_EQ(filer.readInt16(&i16), Acad::eOk);
    EXPECT_EQ(filer.readInt32(&i32), Acad::eOk);
    EXPECT_EQ(filer.readBoolean(&b), Acad::eOk);
    EXPECT_EQ(filer.readDouble(&d), Acad::eOk);
    EXPECT_EQ(filer.readPoint3d(&p), Acad::eOk);
    EXPECT_EQ(filer.readString(&s), Acad::eOk);
    EXPECT_EQ(filer.readAcDbHandle(&h), Acad::eOk);
    EXPECT_EQ(i16, -5);
    EXPECT_EQ(i32, 70000);
    EXPECT_TRUE(b);
    EXPECT_EQ(d, 2.5);
    EXPECT_EQ(p, AcGePoint3d(1, 2, 3));
    EXPECT_STREQ(s, "text");
    EXPECT_EQ(h, AcDbHandle(0x2A));
    delete[] s;
    EXPECT_EQ(filer.filerStatus(), Acad::eOk);
}

TEST(MemoryDwgFiler, AReadOfTheWrongTypeOrPastTheEndFailsCleanly)
{
    MemoryDwgFiler filer(AcDb::kFileFiler);
    filer.writeDouble(1.0);
    filer.rewind();
    Adesk::Int32 value = 42;
    EXPECT_EQ(filer.readInt32(&value), Acad::eFilerError);
    EXPECT_EQ(value, 0);
    EXPECT_EQ(filer.filerStatus(), Acad::eFilerError);
    filer.resetFilerStatus();
    double d = 0;
    EXPECT_EQ(filer.readDouble(&d), Acad::eOk) << "a failed read does not move the position";
    EXPECT_EQ(filer.readDouble(&d), Acad::eFilerError);
    char* s = reinterpret_cast<char*>(1);
    EXPECT_EQ(filer.readString(&s), Acad::eFilerError);
    EXPECT_EQ(s, nullptr);
}

TEST(MemoryDwgFiler, TruncatedBytesNeverReadOutOfBounds)
{
    MemoryDwgFiler writer(AcDb::kFileFiler);
    writer.writeString("a longer text value");
    std::vector<unsigned char> bytes = writer.takeBytes();
    for (std::size_t cut = 0; cut < bytes.size(); ++cut) {
        MemoryDwgFiler reader(AcDb::kFileFiler, nullptr,
                              std::vector<unsigned char>(bytes.begin(), bytes.begin() + static_cast<long>(cut)));
        char* s = nullptr;
        EXPECT_EQ(reader.readString(&s), Acad::eFilerError) << cut;
        EXPECT_EQ(s, nullptr);
    }
}

TEST_F(DbTest, EachUseOfTheFilersShowsItsType)
{
    AcDbObjectId id = addTestEntity(1.0);
    DbTestEntity* ent = nullptr;
    ASSERT_EQ(acdbOpenObject(ent, id, AcDb::kForWrite), Acad::eOk);
    DbTestEntity::filerTypesSeen().clear();
    ent->setValue(2.0);  // the undo record
    AcRxObject* copy = ent->clone();
    ent->close();
    delete copy;
    AcDbObjectIdArray ids;
    ids.append(id);
    AcDbObjectId owner = modelSpaceId();
    AcDbIdMapping map;
    ASSERT_EQ(db->deepCloneObjects(ids, owner, map), Acad::eOk);
    std::vector<AcDb::FilerType> expected = {AcDb::kUndoFiler, AcDb::kCopyFiler, AcDb::kDeepCloneFiler,
                                             AcDb::kIdXlateFiler};
    EXPECT_EQ(DbTestEntity::filerTypesSeen(), expected);
}

TEST_F(DbTest, CloneCopiesFieldsXDataAndPersistentReactorsButNotTheIdentity)
{
    AcDbObjectId reactor = addReactorObject();
    AcDbObjectId target = addTestEntity();
    AcDbObjectId id = addTestEntity(4.0);
    DbTestEntity* ent = nullptr;
    ASSERT_EQ(acdbOpenObject(ent, id, AcDb::kForWrite), Acad::eOk);
    ent->setLabel("label");
    ent->setLink(target);
    ent->addPersistentReactor(reactor);
    ent->createExtensionDictionary();
    auto* copy = DbTestEntity::cast(ent->clone());
    ent->close();
    ASSERT_NE(copy, nullptr);
    EXPECT_TRUE(copy->objectId().isNull());
    EXPECT_EQ(copy->value(), 4.0);
    EXPECT_EQ(copy->label(), "label");
    EXPECT_EQ(copy->link(), target);
    EXPECT_TRUE(copy->hasPersistentReactor(reactor));
    EXPECT_TRUE(copy->extensionDictionary().isNull()) << "a copy does not share the extension dictionary";
    EXPECT_EQ(copy->layerId(), db->clayer());
    delete copy;
}

TEST_F(DbTest, DxfItemFilerWritesAndReadsTheEntityGroups)
{
    AcDbObjectId target = addTestEntity();
    AcDbObjectId id = addTestEntity(2.5);
    DbTestEntity* ent = nullptr;
    ASSERT_EQ(acdbOpenObject(ent, id, AcDb::kForWrite), Acad::eOk);
    ent->setPoint(AcGePoint3d(1, 2, 3));
    ent->setLink(target);
    ent->setLabel("hello");
    ent->close();

    ASSERT_EQ(acdbOpenObject(ent, id, AcDb::kForRead), Acad::eOk);
    DxfItemFiler out(AcDb::kFileFiler, db);
    ASSERT_EQ(ent->dxfOutFields(&out), Acad::eOk);
    ent->close();
    const auto& items = out.items();
    ASSERT_GE(items.size(), 8u);
    EXPECT_EQ(items[0].code, 5);
    EXPECT_EQ(items[1].code, 330);
    EXPECT_EQ(items[1].id, modelSpaceId());
    EXPECT_EQ(items[2].code, 100);
    EXPECT_EQ(items[2].text, "AcDbEntity");

    auto* fresh = new DbTestEntity();
    DxfItemFiler in(AcDb::kFileFiler, db, out.items());
    ASSERT_EQ(fresh->dxfInFields(&in), Acad::eOk);
    EXPECT_EQ(fresh->value(), 2.5);
    EXPECT_EQ(fresh->point(), AcGePoint3d(1, 2, 3));
    EXPECT_EQ(fresh->link(), target);
    EXPECT_EQ(fresh->label(), "hello");
    EXPECT_EQ(fresh->ownerId(), modelSpaceId()) << "a file filer sets the owner";
    delete fresh;
}

TEST_F(DbTest, DxfItemFilerSubclassMarkersAndPushBack)
{
    arx::db::DxfItemList items = {
        DxfItem::makeText(100, "AcDbEntity"), DxfItem::makeText(8, "0"),  DxfItem::makeText(100, "DbTestEntity"),
        DxfItem::makeInteger(70, 1),          DxfItem::makeReal(40, 3.0), DxfItem::makeInteger(72, 5)};
    DxfItemFiler filer(AcDb::kFileFiler, db, items);
    EXPECT_FALSE(filer.atSubclassData("DbTestEntity")) << "not the next marker";
    EXPECT_TRUE(filer.atSubclassData("acdbentity")) << "markers compare without regard to case";
    resbuf rb;
    ASSERT_EQ(filer.readItem(&rb), Acad::eOk);
    EXPECT_EQ(rb.restype, 8);
    filer.pushBackItem();
    ASSERT_EQ(filer.readItem(&rb), Acad::eOk);
    EXPECT_EQ(rb.restype, 8) << "the pushed-back item is read again";
    EXPECT_TRUE(filer.atSubclassData("DbTestEntity"));

    // A reader stops at the group it does not know and leaves it for the next one.
    auto* ent = new DbTestEntity();
    DxfItemFiler whole(AcDb::kFileFiler, db, items);
    ASSERT_EQ(ent->dxfInFields(&whole), Acad::eOk);
    EXPECT_EQ(ent->value(), 3.0);
    ASSERT_EQ(whole.readItem(&rb), Acad::eOk);
    EXPECT_EQ(rb.restype, 72);
    delete ent;

    // Without the class's marker, the class refuses (bad DXF sequence) in a file.
    arx::db::DxfItemList noMarker = {DxfItem::makeText(100, "AcDbEntity"), DxfItem::makeReal(40, 3.0)};
    DxfItemFiler strict(AcDb::kFileFiler, db, noMarker);
    ent = new DbTestEntity();
    EXPECT_EQ(ent->dxfInFields(&strict), Acad::eBadDxfSequence);
    delete ent;
}

TEST_F(DbTest, DxfItemFilerRefusesValuesOfTheWrongTypeForTheCode)
{
    DxfItemFiler filer(AcDb::kFileFiler, db);
    EXPECT_EQ(filer.writeDouble(AcDb::kDxfText, 1.0), Acad::eInvalidDxfCode);
    EXPECT_EQ(filer.writeString(AcDb::kDxfReal, "x"), Acad::eInvalidDxfCode);
    EXPECT_EQ(filer.writeInt16(AcDb::kDxfInt16, 3), Acad::eOk);
    EXPECT_EQ(filer.items().size(), 1u);
}

TEST(GroupCodes, TypesFollowTheDxfCodeRanges)
{
    EXPECT_EQ(acdbGroupCodeToType(AcDb::kDxfText), AcDb::kDwgText);
    EXPECT_EQ(acdbGroupCodeToType(AcDb::kDxfHandle), AcDb::kDwgHandle);
    EXPECT_EQ(acdbGroupCodeToType(AcDb::kDxfXCoord), AcDb::kDwg3Real);
    EXPECT_EQ(acdbGroupCodeToType(AcDb::kDxfNormalX), AcDb::kDwg3Real);
    EXPECT_EQ(acdbGroupCodeToType(AcDb::kDxfReal), AcDb::kDwgReal);
    EXPECT_EQ(acdbGroupCodeToType(AcDb::kDxfInt16), AcDb::kDwgInt16);
    EXPECT_EQ(acdbGroupCodeToType(AcDb::kDxfInt32), AcDb::kDwgInt32);
    EXPECT_EQ(acdbGroupCodeToType(AcDb::kDxfInt8), AcDb::kDwgInt8);
    EXPECT_EQ(acdbGroupCodeToType(AcDb::kDxfSoftPointerId), AcDb::kDwgSoftPointerId);
    EXPECT_EQ(acdbGroupCodeToType(AcDb::kDxfHardPointerId), AcDb::kDwgHardPointerId);
    EXPECT_EQ(acdbGroupCodeToType(AcDb::kDxfSoftOwnershipId), AcDb::kDwgSoftOwnershipId);
    EXPECT_EQ(acdbGroupCodeToType(AcDb::kDxfHardOwnershipId), AcDb::kDwgHardOwnershipId);
    EXPECT_EQ(acdbGroupCodeToType(AcDb::kDxfBinaryChunk), AcDb::kDwgBChunk);
    EXPECT_EQ(acdbGroupCodeToType(AcDb::kDxfXdInteger32), AcDb::kDwgInt32);
    EXPECT_EQ(acdbGroupCodeToType(static_cast<AcDb::DxfCode>(1100)), AcDb::kDwgNotRecognized);
}
