// The legacy mark class: registered beside the mark's class, and where it differs from a mark
// (its DXF marker and the centre and rotation recomputed after a DXF read, the outline's fill
// type, the corner grip without the run-time scales, the property marker, its own undo record).
// A drawing holding legacy marks, saved and read again, gives back whole legacy marks.
#include <cmath>
#include <filesystem>
#include <numbers>
#include <unistd.h>

#include "db/dxf_item_filer.h"
#include "db/memory_dwg_filer.h"
#include "acutads.h"
#include "dbapserv.h"
#include "dbdict.h"
#include "dbents.h"
#include "dbsymtb.h"
#include "dbxrecrd.h"
#include "gi/recording_world_draw.h"
#include "mark/drag_scales.h"
#include "mark/vadu_msv.h"
#include "mark_test_support.h"
#include "rxclass.h"

using arx::db::DxfItem;
using arx::db::DxfItemFiler;
using arx::db::MemoryDwgFiler;
using marktest::Frame;
using marktest::MarkLispTest;
using marktest::markOf;
using marktest::MarkTest;

namespace {

VaduKestra* makeLegacy() { return new VaduMsv(); }

// A legacy 200 x 100 mark centred on (100, 50), turned by `angle`.
VaduMsv* legacyMark(double angle = 0.0)
{
    return static_cast<VaduMsv*>(
        markOf(Frame{AcGePoint3d(100, 50, 0), AcGeVector3d(0, 0, 1), angle, 200, 100, 10}, makeLegacy));
}

// The DXF items a legacy mark of these corners would have in a file, without group 41.
DxfItemFiler legacyDxf(AcDbDatabase* db, const AcGePoint3d (&corners)[4], const char* marker = "VaduMsv")
{
    DxfItemFiler filer(AcDb::kFileFiler, db);
    VaduMsv source;
    source.AcDbEntity::dxfOutFields(&filer);
    filer.append(DxfItem::makeText(100, marker));
    filer.append(DxfItem::makeInteger(70, 15));
    for (int i = 0; i < 4; ++i) filer.append(DxfItem::makePoint(static_cast<short>(10 + i), corners[i]));
    filer.append(DxfItem::makePoint(14, AcGePoint3d(-1, -1, -1)));
    filer.append(DxfItem::makeReal(40, 10.0));
    filer.rewindFiler();
    return filer;
}

std::string propertyMarkerOf(AcDbObjectId markId)
{
    AcDbEntity* mark = nullptr;
    EXPECT_EQ(acdbOpenObject(mark, markId, AcDb::kForRead), Acad::eOk);
    AcDbDictionary* dictionary = nullptr;
    EXPECT_EQ(acdbOpenObject(dictionary, mark->extensionDictionary(), AcDb::kForRead), Acad::eOk);
    mark->close();
    AcDbXrecord* record = nullptr;
    EXPECT_EQ(dictionary->getAt("VADU_MSVP_SIMPLEDYNPROPS", reinterpret_cast<AcDbObject*&>(record), AcDb::kForRead),
              Acad::eOk);
    dictionary->close();
    resbuf* data = nullptr;
    record->rbChain(&data);
    record->close();
    const std::string text = data != nullptr && data->restype == 1 ? data->resval.rstring : "";
    acutRelRb(data);
    return text;
}

using LegacyMarkTest = MarkTest;

}  // namespace

TEST_F(LegacyMarkTest, TheClassIsRegisteredBesideTheMarkAndIsNotAMarkToTheHost)
{
    AcRxClass* legacyClass = acrxFindClass("VaduMsv");
    ASSERT_NE(legacyClass, nullptr);
    EXPECT_EQ(legacyClass->myParent(), AcDbEntity::desc());
    EXPECT_STREQ(legacyClass->dxfName(), "MSVIEWPORT");
    EXPECT_STREQ(legacyClass->appName(), "KESTRA");
    EXPECT_EQ(legacyClass->proxyFlags(), 1);
    const std::unique_ptr<VaduMsv> legacy(legacyMark());
    VaduKestra current;
    EXPECT_EQ(VaduKestra::cast(legacy.get()), nullptr) << "nothing looking for marks takes a legacy one";
    EXPECT_EQ(VaduMsv::cast(&current), nullptr);
    EXPECT_EQ(VaduMsv::cast(legacy.get()), legacy.get());
    EXPECT_EQ(legacy->isA(), VaduMsv::desc());
}

TEST_F(LegacyMarkTest, DxfCarriesItsOwnMarkerAndReadingRecomputesCentreAndRotation)
{
    // Square with the world axes, its rotation reads back as it was written.
    const std::unique_ptr<VaduMsv> legacy(legacyMark());
    DxfItemFiler out(AcDb::kFileFiler, db);
    ASSERT_EQ(legacy->dxfOutFields(&out), Acad::eOk);
    bool marked = false;
    for (const DxfItem& item : out.items()) {
        EXPECT_FALSE(item.code == 100 && item.text == "VaduKestra");
        marked = marked || (item.code == 100 && item.text == "VaduMsv");
    }
    EXPECT_TRUE(marked);
    VaduMsv back;
    out.rewindFiler();
    ASSERT_EQ(back.dxfInFields(&out), Acad::eOk);
    marktest::expectSameFiledFields(*legacy, back);

    // Group 41 missing, the centre wrong: the rotation is the unsigned angle of corner 0 -
    // corner 1 with the world X axis, on either side, and the centre lies between corners 0
    // and 2.
    for (const double sign : {1.0, -1.0}) {
        const AcGeVector3d across(std::cos(sign * std::numbers::pi / 6), std::sin(sign * std::numbers::pi / 6), 0.0);
        const AcGeVector3d down = AcGeVector3d(across).rotateBy(-std::numbers::pi / 2, AcGeVector3d::kZAxis) * 50.0;
        const AcGePoint3d c1(10, 20, 0);
        const AcGePoint3d c0 = c1 + across * 100.0;
        const AcGePoint3d corners[4] = {c0, c1, c1 + down, c0 + down};
        DxfItemFiler in = legacyDxf(db, corners);
        VaduMsv read;
        ASSERT_EQ(read.dxfInFields(&in), Acad::eOk);
        EXPECT_NEAR(read.rotation(), std::numbers::pi / 6, 1e-12) << sign;
        EXPECT_TRUE(read.center().isEqualTo(c0 + (c1 + down - c0) * 0.5)) << sign;
    }

    // A record with the mark's marker is not a legacy mark's, and the other way round.
    const AcGePoint3d corners[4] = {{1, 1, 0}, {0, 1, 0}, {0, 0, 0}, {1, 0, 0}};
    DxfItemFiler wrong = legacyDxf(db, corners, "VaduKestra");
    VaduMsv refused;
    EXPECT_EQ(refused.dxfInFields(&wrong), Acad::eBadDxfSequence);
    DxfItemFiler legacyRecord = legacyDxf(db, corners);
    VaduKestra alsoRefused;
    EXPECT_EQ(alsoRefused.dxfInFields(&legacyRecord), Acad::eBadDxfSequence);
    // The mark itself keeps the rotation its file gives it.
    DxfItemFiler current = legacyDxf(db, corners, "VaduKestra");
    VaduKestra kept;
    ASSERT_EQ(kept.dxfInFields(&current), Acad::eOk);
    EXPECT_EQ(kept.rotation(), 0.0);
    EXPECT_EQ(kept.center(), AcGePoint3d(-1, -1, -1));
}

TEST_F(LegacyMarkTest, TheOutlineKeepsTheFillTypeInForce)
{
    for (const bool legacy : {false, true}) {
        const std::unique_ptr<VaduKestra> mark(
            legacy ? legacyMark() : markOf(Frame{AcGePoint3d(100, 50, 0), AcGeVector3d(0, 0, 1), 0.0, 200, 100, 10}));
        arx::gi::RecordingWorldDraw recorder(db);
        recorder.subEntityTraits().setFillType(kAcGiFillAlways);
        mark->worldDraw(&recorder);
        const auto drawn = recorder.takePrimitives();
        ASSERT_GE(drawn.size(), 3u);
        EXPECT_EQ(drawn[0].traits.fillType, legacy ? kAcGiFillAlways : kAcGiFillNever) << legacy;
        EXPECT_EQ(drawn[0].points.size(), 5u);
        EXPECT_EQ(drawn[2].traits.fillType, kAcGiFillAlways) << "the solid block is filled either way";
    }
}

TEST_F(LegacyMarkTest, ThePropertyMarkerNamesTheOlderClass)
{
    const AcDbObjectId legacyId = append(legacyMark());
    const AcDbObjectId currentId = append(markOf(Frame{AcGePoint3d(0, 0, 0), AcGeVector3d(0, 0, 1), 0.0, 2, 1, 1}));
    for (const AcDbObjectId id : {legacyId, currentId}) {
        VaduKestra* mark = nullptr;
        AcDbEntity* entity = nullptr;
        ASSERT_EQ(acdbOpenObject(entity, id, AcDb::kForWrite), Acad::eOk);
        mark = static_cast<VaduKestra*>(entity);
        EXPECT_EQ(mark->attachPropertyMarker(), Acad::eOk);
        mark->close();
    }
    EXPECT_EQ(propertyMarkerOf(legacyId), "MsViewPort");
    EXPECT_EQ(propertyMarkerOf(currentId), "Kestra");
}

TEST_F(LegacyMarkTest, ItsUndoRecordIsItsOwn)
{
    const std::unique_ptr<VaduMsv> legacy(legacyMark());
    const AcGePoint3d corners[4] = {{10, 10, 0}, {0, 10, 0}, {0, 0, 0}, {10, 0, 0}};
    auto record = [&] {
        MemoryDwgFiler filer(AcDb::kUndoFiler);
        for (const AcGePoint3d& corner : corners) filer.writePoint3d(corner);
        filer.writeDouble(4.0);
        filer.rewind();
        return filer;
    };
    // A record of the mark's class is not the legacy mark's: the base class is asked.
    MemoryDwgFiler other = record();
    legacy->applyPartialUndo(&other, VaduKestra::desc());
    EXPECT_FALSE(legacy->corner0().isEqualTo(corners[0]));
    MemoryDwgFiler own = record();
    EXPECT_EQ(legacy->applyPartialUndo(&own, VaduMsv::desc()), Acad::eOk);
    EXPECT_TRUE(legacy->corner0().isEqualTo(corners[0]));
    EXPECT_EQ(legacy->paperHeight(), 4.0);
    EXPECT_TRUE(legacy->center().isEqualTo(AcGePoint3d(5, 5, 0)));
}

TEST_F(LegacyMarkTest, ADrawingOfLegacyMarksIsReadBackWithWholeLegacyMarks)
{
    const std::unique_ptr<VaduMsv> reference(legacyMark());
    append(legacyMark());
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("kestra-legacy-" + std::to_string(getpid()) + ".dxf");
    ASSERT_EQ(db->dxfOut(path.string().c_str()), Acad::eOk);
    auto* reopened = new AcDbDatabase(false);
    ASSERT_EQ(reopened->dxfIn(path.string().c_str()), Acad::eOk);
    std::filesystem::remove(path);
    AcDbBlockTable* table = nullptr;
    reopened->getBlockTable(table, AcDb::kForRead);
    AcDbBlockTableRecord* space = nullptr;
    table->getAt(ACDB_MODEL_SPACE, space, AcDb::kForRead);
    table->close();
    AcDbBlockTableRecordIterator* it = nullptr;
    space->newIterator(it);
    int legacyMarks = 0;
    for (; !it->done(); it->step()) {
        AcDbEntity* entity = nullptr;
        it->getEntity(entity, AcDb::kForRead);
        EXPECT_FALSE(entity->isAProxy());
        if (const VaduMsv* back = VaduMsv::cast(entity)) {
            ++legacyMarks;
            marktest::expectSameFiledFields(*reference, *back);
        }
        entity->close();
    }
    delete it;
    space->close();
    EXPECT_EQ(legacyMarks, 1);
    delete reopened;
    acdbHostApplicationServices()->setWorkingDatabase(db);
}

using LegacyMarkGripTest = MarkLispTest;

TEST_F(LegacyMarkGripTest, CentreAndCornerTogetherNeverReadTheRunTimeScales)
{
    kestra::resetDragScales();
    withoutInterpreter();
    const std::unique_ptr<VaduMsv> legacy(legacyMark());
    AcDbIntArray both;
    both.append(0);
    both.append(1);
    ASSERT_EQ(legacy->moveGripPointsAt(both, AcGeVector3d(20.0, 10.0, 0.0)), Acad::eOk);
    EXPECT_EQ(takePrinted(), "") << "the scale list is never looked for";
    EXPECT_TRUE(legacy->corner0().isEqualTo(AcGePoint3d(220, 110, 0)));
    EXPECT_TRUE(legacy->corner2().isEqualTo(AcGePoint3d(0, 0, 0)));
    EXPECT_TRUE(legacy->extraGrips().isEmpty());
    EXPECT_TRUE(kestra::dragScales().names.empty());
    EXPECT_NEAR(legacy->zoomXp(), 10.0 / 110.0, 1e-12);
    EXPECT_STREQ(legacy->scaleLabel(), "1:11.00");
    // The corner grip alone resizes it about its centre as it does a mark.
    AcDbIntArray corner;
    corner.append(1);
    ASSERT_EQ(legacy->moveGripPointsAt(corner, AcGeVector3d(10.0, 5.0, 0.0)), Acad::eOk);
    EXPECT_TRUE(legacy->center().isEqualTo(AcGePoint3d(110, 55, 0)));
}
