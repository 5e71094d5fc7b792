// The filer that saving writes through formats each group as it is filed; what it writes must
// be, byte for byte, what the list of items the item filer keeps is written as: for every
// typed call, for items filed whole (carried groups, extended data, proxies' data), for the
// groups it refuses, and for every object of drawings of our own and of other programs.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>

#include "acutads.h"
#include "db/database_access.h"
#include "db/dxf/item_conversion.h"
#include "db/dxf/text_dxf_filer.h"
#include "db/dxf_item_filer.h"
#include "drawing_test_support.h"
#include "own_drawing_support.h"
#include "sample_files.h"

using arx::db::DxfItem;
using arx::db::DxfItemFiler;
using arx::dxf::TextDxfFiler;
using arx::dxf::TextWriter;
using namespace dxftest;

namespace {

struct Written {
    std::string text;
    Acad::ErrorStatus status = Acad::eOk;
    std::string problem;
};

// What `file` writes through the item filer and then the item list, and straight through
// the text filer.
void fileBothWays(AcDbDatabase* db, const std::function<void(AcDbDxfFiler*)>& file, Written& listed, Written& direct)
{
    DxfItemFiler items(AcDb::kFileFiler, db);
    file(&items);
    TextWriter listWriter;
    arx::dxf::writeItems(listWriter, items.items());
    listed = {std::string(listWriter.text()), items.filerStatus(), listWriter.problem()};

    TextWriter directWriter;
    TextDxfFiler text(db, directWriter);
    file(&text);
    direct = {std::string(directWriter.text()), text.filerStatus(), directWriter.problem()};
    EXPECT_TRUE(text.items().empty());
}

void expectSameBothWays(AcDbDatabase* db, const std::function<void(AcDbDxfFiler*)>& file)
{
    Written listed, direct;
    fileBothWays(db, file, listed, direct);
    EXPECT_EQ(direct.text, listed.text);
    EXPECT_EQ(direct.status, listed.status);
    EXPECT_EQ(direct.problem, listed.problem);
}

// Every object of the database, dxfOut through both filers.
void expectEveryObjectSameBothWays(AcDbDatabase* db)
{
    int compared = 0;
    for (const AcDbObjectId& id : arx::db::allObjectIds(db)) {
        if (id.isErased()) continue;
        AcDbObject* object = nullptr;
        if (acdbOpenAcDbObject(object, id, AcDb::kForRead) != Acad::eOk) continue;
        char handle[20];
        id.handle().getIntoAsciiBuffer(handle);
        SCOPED_TRACE(std::string("object ") + handle);
        expectSameBothWays(db, [object](AcDbDxfFiler* filer) { object->dxfOut(filer); });
        object->close();
        ++compared;
    }
    EXPECT_GT(compared, 0);
}

// A drawing with what nothing here models: an unknown entity and object (proxies), an
// xrecord of every kind of value, extended data, an unknown section and table.
const char* kUnmodelled =
    "  0\nSECTION\n  2\nHEADER\n  9\n$ACADVER\n  1\nAC1015\n  9\n$KESTRAUNKNOWN\n 70\n     7\n  0\nENDSEC\n"
    "  0\nSECTION\n  2\nCLASSES\n  0\nCLASS\n  1\nODDTHING\n  2\nOddThing\n  3\nOddApp\n 90\n0\n280\n1\n281\n1\n"
    "  0\nCLASS\n  1\nODDDATA\n  2\nOddData\n  3\nOddApp\n 90\n0\n280\n1\n281\n0\n  0\nENDSEC\n"
    "  0\nSECTION\n  2\nTABLES\n  0\nTABLE\n  2\nAPPID\n  5\n9\n330\n0\n100\nAcDbSymbolTable\n 70\n1\n"
    "  0\nAPPID\n  5\n12\n330\n9\n100\nAcDbSymbolTableRecord\n100\nAcDbRegAppTableRecord\n  2\nODDAPP\n 70\n0\n"
    "  0\nENDTAB\n  0\nTABLE\n  2\nODDTABLE\n  5\n30\n 70\n1\n  0\nENDTAB\n  0\nENDSEC\n"
    "  0\nSECTION\n  2\nENTITIES\n"
    "  0\nLINE\n  5\n2A\n100\nAcDbEntity\n  8\n0\n100\nAcDbLine\n 10\n1.0\n 20\n2.0\n 30\n0.0\n 11\n4.0\n 21\n6.0\n"
    " 31\n0.0\n1001\nODDAPP\n1000\nnote\n1002\n{\n1040\n0.1\n1070\n-3\n1071\n70000\n1010\n1.5\n1020\n-2."
    "25\n1030\n1e20\n"
    "1005\n2A\n1004\n00FF10\n1002\n}\n"
    "  0\nODDTHING\n  5\n2B\n100\nAcDbEntity\n  8\n0\n100\nOddThing\n 10\n3.0\n 20\n4.0\n 40\n0.000123\n 70\n2\n"
    "290\n1\n 90\n-7\n160\n123456789012\n310\nDEADBEEF\n330\n2A\n  1\nodd text\n  0\nENDSEC\n"
    "  0\nSECTION\n  2\nOBJECTS\n"
    "  0\nDICTIONARY\n  5\nC\n330\n0\n100\nAcDbDictionary\n  3\nODD\n350\n2C\n  3\nREC\n350\n2D\n"
    "  0\nODDDATA\n  5\n2C\n330\nC\n100\nOddData\n 11\n1.25\n 21\n-0.5\n 41\n1e-07\n340\n2A\n"
    "  0\nXRECORD\n  5\n2D\n330\nC\n100\nAcDbXrecord\n280\n1\n  1\ntext\n 10\n1.0\n 20\n2.0\n 30\n3.0\n"
    " 12\n5.5\n 22\n6.5\n 40\n2.5\n 70\n12\n 90\n123456\n290\n1\n310\n0102\n330\n2B\n360\n2C\n1000\nx\n"
    "  0\nENDSEC\n"
    "  0\nSECTION\n  2\nODDSECTION\n  1\nkept as read\n 40\n0.5\n  0\nENDSEC\n  0\nEOF\n";

}  // namespace

TEST(TextDxfFiler, EveryTypedCallWritesWhatTheItemListWouldHave)
{
    AcDbDatabase db(true, true);
    const AcDbObjectId layers = db.layerTableId();
    expectSameBothWays(&db, [&](AcDbDxfFiler* filer) {
        filer->writeString(AcDb::kDxfStart, "THING");
        filer->writeString(AcDb::kDxfText, "two\nlines\rhere");
        filer->writeString(AcDb::kDxfText, nullptr);
        filer->writeString(AcDb::kDxfLayerName, "");
        filer->writeAcDbHandle(AcDb::kDxfHandle, AcDbHandle(0x1A2B));
        filer->writeAcDbHandle(AcDb::kDxfHandle, AcDbHandle());
        filer->writeAcDbHandle(AcDb::kDxfSoftPointerId, layers.handle());
        filer->writeAcDbHandle(AcDb::kDxfSoftPointerId, AcDbHandle(0xFFFFFF));  // names no object
        filer->writeObjectId(AcDb::kDxfHardPointerId, layers);
        filer->writeObjectId(AcDb::kDxfSoftPointerId, AcDbObjectId());
        filer->writeInt8(AcDb::kDxfInt8, -5);
        filer->writeInt16(AcDb::kDxfInt16, -32768);
        filer->writeInt32(AcDb::kDxfInt32, 2147483647);
        filer->writeInt64(static_cast<AcDb::DxfCode>(160), -1234567890123LL);
        filer->writeUInt8(AcDb::kDxfInt8, 250);
        filer->writeUInt16(AcDb::kDxfInt16, 65535);
        filer->writeUInt32(AcDb::kDxfInt32, 4000000000U);
        filer->writeBool(AcDb::kDxfBool, true);
        filer->writeBoolean(AcDb::kDxfBool, Adesk::kFalse);
        for (double value :
             {0.0, -0.0, 1.0, -1.5, 0.1, 1e15, 123456789012345.0, 1e-4, 9.999e-5, 1e20, 1.0 / 3, -566.1685822008871})
            filer->writeDouble(AcDb::kDxfReal, value);
        filer->writeDouble(AcDb::kDxfReal, 2.0 / 3, 3);  // a precision never changes the text
        filer->writePoint2d(AcDb::kDxfXCoord, AcGePoint2d(1.25, -2.5));
        filer->writeVector2d(static_cast<AcDb::DxfCode>(11), AcGeVector2d(0.5, 7));
        filer->writePoint3d(AcDb::kDxfXCoord, AcGePoint3d(1, 2, 3), 2);
        filer->writeVector3d(AcDb::kDxfNormalX, AcGeVector3d(0, 0, -1));
        filer->writeScale3d(static_cast<AcDb::DxfCode>(12), AcGeScale3d(2, 3, 4));
        const char bytes[] = {0, 1, 127, -128, -1};
        filer->writeBChunk(AcDb::kDxfBinaryChunk, ads_binary{5, const_cast<char*>(bytes)});
        filer->writeBChunk(AcDb::kDxfBinaryChunk, ads_binary{0, nullptr});
        filer->writeXDataStart();
        filer->writeString(AcDb::kDxfRegAppName, "APP");
        resbuf* chain = acutBuildList(1000, "xdata text", 1040, 2.5, 1070, 12, 1071, 70000L, 0);
        for (resbuf* rb = chain; rb != nullptr; rb = rb->rbnext) filer->writeItem(*rb);
        acutRelRb(chain);
    });
}

TEST(TextDxfFiler, ItemsFiledWholeAreWrittenAsTheyAre)
{
    AcDbDatabase db(true, true);
    const AcDbObjectId layers = db.layerTableId();
    expectSameBothWays(&db, [&](AcDbDxfFiler* filer) {
        auto* items = dynamic_cast<DxfItemFiler*>(filer);
        ASSERT_NE(items, nullptr);
        // A flag group carried with a value the typed call would make 1.
        EXPECT_EQ(items->append(DxfItem::makeInteger(290, 2)), Acad::eOk);
        EXPECT_EQ(items->append(DxfItem::makePoint(10, AcGePoint3d(1, 2, 99), 2)), Acad::eOk);
        EXPECT_EQ(items->append(DxfItem::makePoint(1010, AcGePoint3d(1, 2, 3))), Acad::eOk);
        EXPECT_EQ(items->append(DxfItem::makeReal(40, 0.1, 4)), Acad::eOk);
        EXPECT_EQ(items->append(DxfItem::makeText(5, "FF")), Acad::eOk);
        EXPECT_EQ(items->append(DxfItem::makeBinary(310, {0xAB, 0x01})), Acad::eOk);
        EXPECT_EQ(items->append(DxfItem::makeId(360, layers)), Acad::eOk);
        EXPECT_EQ(items->append(DxfItem::makeInteger(70, 40000)), Acad::eOk);
    });
}

TEST(TextDxfFiler, RefusedGroupsAndNonFiniteRealsFailAlike)
{
    AcDbDatabase db(true, true);
    Written listed, direct;
    fileBothWays(
        &db,
        [](AcDbDxfFiler* filer) {
            filer->writeString(AcDb::kDxfStart, "THING");
            EXPECT_EQ(filer->writeDouble(AcDb::kDxfXCoord, 1.0), Acad::eInvalidDxfCode);  // a point's code
            EXPECT_EQ(filer->writeString(AcDb::kDxfSoftPointerId, "2A"), Acad::eInvalidDxfCode);
            EXPECT_EQ(filer->writeInt16(AcDb::kDxfReal, 1), Acad::eInvalidDxfCode);
            EXPECT_EQ(filer->writePoint3d(AcDb::kDxfReal, AcGePoint3d()), Acad::eInvalidDxfCode);
            EXPECT_EQ(filer->writeBChunk(AcDb::kDxfText, ads_binary{0, nullptr}), Acad::eInvalidDxfCode);
            EXPECT_EQ(filer->writeAcDbHandle(AcDb::kDxfReal, AcDbHandle(5)), Acad::eInvalidDxfCode);
            EXPECT_EQ(dynamic_cast<DxfItemFiler*>(filer)->append(DxfItem::makeText(40, "1")), Acad::eInvalidDxfCode);
            filer->writeDouble(AcDb::kDxfReal, std::numeric_limits<double>::infinity());
            filer->writeDouble(AcDb::kDxfReal, std::nan(""));
            filer->writeString(AcDb::kDxfText, "after");
        },
        listed, direct);
    EXPECT_EQ(direct.text, listed.text);
    EXPECT_EQ(direct.status, Acad::eInvalidDxfCode);
    EXPECT_EQ(listed.status, Acad::eInvalidDxfCode);
    EXPECT_EQ(direct.problem, "group 40 holds a value that is not a finite number");
    EXPECT_EQ(direct.problem, listed.problem);
    EXPECT_EQ(direct.text.find("1.0\r\n"), std::string::npos);  // nothing of a refused group
}

TEST(TextDxfFiler, ATableNameFollowsTheFirstGroupOnce)
{
    AcDbDatabase db(true, true);
    TextWriter writer;
    TextDxfFiler filer(&db, writer);
    filer.setTableName("LAYER");
    filer.writeString(AcDb::kDxfStart, "TABLE");
    filer.writeAcDbHandle(AcDb::kDxfHandle, AcDbHandle(2));
    filer.writeString(AcDb::kDxfStart, "NEXT");
    EXPECT_EQ(writer.text(), "  0\r\nTABLE\r\n  2\r\nLAYER\r\n  5\r\n2\r\n  0\r\nNEXT\r\n");
}

TEST(TextDxfFiler, EveryObjectOfOurRichDrawingWritesAsItsItemList)
{
    TestMarkClass registration;
    AcDbDatabase db(true, true);
    buildRichDrawing(&db);
    expectEveryObjectSameBothWays(&db);
}

TEST(TextDxfFiler, EveryObjectOfAnUnmodelledDrawingWritesAsItsItemList)
{
    std::string message;
    std::unique_ptr<AcDbDatabase> db = readDatabase(kUnmodelled, &message);
    ASSERT_TRUE(db) << message;
    expectEveryObjectSameBothWays(db.get());
    // The drawing as a whole keeps what was carried.
    const std::string saved = writeDatabase(db.get());
    for (const char* kept :
         {"ODDSECTION", "kept as read", "ODDTABLE", "KESTRAUNKNOWN", "DEADBEEF", "00FF10", "OddThing"})
        EXPECT_NE(saved.find(kept), std::string::npos) << kept;
}

TEST(TextDxfFiler, EveryObjectOfTheSampleDrawingsWritesAsItsItemList)
{
    SKIP_WITHOUT_SAMPLES();
    for (const auto& path : sampleFiles()) {
        SCOPED_TRACE(path.string());
        std::string message;
        std::unique_ptr<AcDbDatabase> db = readDatabase(readFile(path), &message);
        ASSERT_TRUE(db) << message;
        expectEveryObjectSameBothWays(db.get());
    }
}
