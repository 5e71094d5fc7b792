// Filing of marks: DWG-style (copies, undo, the version and filer-type rules) and DXF (group
// order, the version rule, push-back, and drawing files saved and read again).
#include <filesystem>
#include <unistd.h>

#include "db/dxf_item_filer.h"
#include "db/memory_dwg_filer.h"
#include "dbapserv.h"
#include "dbents.h"
#include "dbhostext.h"
#include "dbsymtb.h"
#include "mark_test_support.h"

using arx::db::DxfItem;
using arx::db::DxfItemFiler;
using arx::db::MemoryDwgFiler;
using marktest::expectSameFiledFields;
using marktest::MarkTest;
using marktest::markWithEveryField;

namespace {

constexpr const char* kProxyLine = "Kestra object is only available with AutoCAD 2000. A proxy will be created.\n";

// A filer holding the base entity data of a mark followed by a version word (and nothing more).
MemoryDwgFiler dwgDataOfVersion(Adesk::Int16 version)
{
    MemoryDwgFiler filer(AcDb::kCopyFiler);
    VaduKestra source;
    source.AcDbEntity::dwgOutFields(&filer);
    filer.writeInt16(version);
    filer.rewind();
    return filer;
}

// The base entity items of a mark followed by the given items.
DxfItemFiler dxfDataWith(AcDbDatabase* db, std::initializer_list<DxfItem> items)
{
    DxfItemFiler filer(AcDb::kFileFiler, db);
    VaduKestra source;
    source.AcDbEntity::dxfOutFields(&filer);
    for (const DxfItem& item : items) filer.append(item);
    filer.rewindFiler();
    return filer;
}

VaduKestra* openMark(AcDbObjectId id, AcDb::OpenMode mode)
{
    VaduKestra* mark = nullptr;
    EXPECT_EQ(acdbOpenObject(mark, id, mode), Acad::eOk);
    return mark;
}

// The first mark of the database's model space, open for read (null when there is none).
VaduKestra* firstMarkOf(AcDbDatabase* db)
{
    AcDbBlockTableRecord* space = nullptr;
    AcDbBlockTable* table = nullptr;
    db->getBlockTable(table, AcDb::kForRead);
    table->getAt(ACDB_MODEL_SPACE, space, AcDb::kForRead);
    table->close();
    AcDbBlockTableRecordIterator* it = nullptr;
    space->newIterator(it);
    VaduKestra* mark = nullptr;
    for (; !it->done() && mark == nullptr; it->step()) {
        AcDbEntity* entity = nullptr;
        it->getEntity(entity, AcDb::kForRead);
        mark = VaduKestra::cast(entity);
        if (mark == nullptr) entity->close();
    }
    delete it;
    space->close();
    return mark;
}

}  // namespace

TEST_F(MarkTest, ACopyKeepsEveryFiledFieldAndDropsTheDragState)
{
    AcDbObjectId line = append(new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 1, 0)));
    VaduKestra* original = markWithEveryField(line);
    auto* copy = VaduKestra::cast(original->clone());
    ASSERT_NE(copy, nullptr);
    expectSameFiledFields(*original, *copy);
    EXPECT_STREQ(copy->scaleLabel(), "");
    EXPECT_TRUE(copy->extraGrips().isEmpty());
    delete copy;
    delete original;
}

TEST_F(MarkTest, UndoBringsBackEveryFiledField)
{
    AcDbObjectId line = append(new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 1, 0)));
    const AcDbObjectId id = append(markWithEveryField(line));
    VaduKestra* reference = markWithEveryField(line);
    AcDbUndoController* undo = acdbUndoController(db);
    undo->clear();
    undo->beginGroup("CHANGE");
    VaduKestra* mark = openMark(id, AcDb::kForWrite);
    mark->setCenter(AcGePoint3d(-5, -5, -5));
    mark->setPaperHeight(1.0);
    mark->setZoomXp(2.0);
    mark->setNormal(AcGeVector3d(1, 0, 0));
    mark->setOutlineBlockId(AcDbObjectId());
    mark->setViewMode(0);
    mark->setViewDir(AcGePoint3d(9, 9, 9));
    mark->setViewTarget(AcGePoint3d(8, 8, 8));
    mark->setViewCenter(AcGePoint3d(7, 7, 7));
    mark->setFrontZ(1.0);
    mark->setBackZ(2.0);
    mark->setLensLength(3.0);
    mark->setRotation(-1.0);
    mark->setScaleLabel("dragging");
    mark->close();
    undo->endGroup();
    ASSERT_EQ(undo->undo(1), 1);
    mark = openMark(id, AcDb::kForRead);
    expectSameFiledFields(*reference, *mark);
    EXPECT_STREQ(mark->scaleLabel(), "");
    mark->close();
    delete reference;
}

TEST_F(MarkTest, CloneAndIdTranslationFilersGetNothing)
{
    VaduKestra* mark = markWithEveryField();
    for (AcDb::FilerType type : {AcDb::kIdXlateFiler, AcDb::kDeepCloneFiler, AcDb::kWblockCloneFiler}) {
        MemoryDwgFiler filer(type);
        EXPECT_EQ(mark->dwgOutFields(&filer), Acad::eNotApplicable) << type;
        EXPECT_TRUE(filer.bytes().empty()) << type;
    }
    for (AcDb::FilerType type : {AcDb::kFileFiler, AcDb::kCopyFiler, AcDb::kUndoFiler}) {
        MemoryDwgFiler filer(type);
        EXPECT_EQ(mark->dwgOutFields(&filer), Acad::eOk) << type;
        EXPECT_FALSE(filer.bytes().empty()) << type;
    }
    delete mark;
}

TEST_F(MarkTest, DwgDataOfAnOlderVersionGivesOnlyTheEntityAndOfANewerOneAProxy)
{
    MemoryDwgFiler older = dwgDataOfVersion(14);
    VaduKestra fromOlder;
    EXPECT_EQ(fromOlder.dwgInFields(&older), Acad::eOk);
    EXPECT_TRUE(older.atEnd());
    expectSameFiledFields(VaduKestra(), fromOlder);
    EXPECT_EQ(takePrinted(), "");

    MemoryDwgFiler newer = dwgDataOfVersion(16);
    VaduKestra fromNewer;
    EXPECT_EQ(fromNewer.dwgInFields(&newer), Acad::eMakeMeProxy);
    EXPECT_EQ(takePrinted(), kProxyLine);
}

TEST_F(MarkTest, DwgDataThatEndsPartWayChangesNoField)
{
    MemoryDwgFiler filer(AcDb::kCopyFiler);
    VaduKestra source;
    source.AcDbEntity::dwgOutFields(&filer);
    filer.writeInt16(15);
    filer.writeAcDbHandle(AcDbHandle(0x99ull));
    filer.writePoint3d(AcGePoint3d(1, 2, 3));
    filer.rewind();
    VaduKestra* mark = markWithEveryField();
    VaduKestra* reference = markWithEveryField();
    EXPECT_NE(mark->dwgInFields(&filer), Acad::eOk);
    expectSameFiledFields(*reference, *mark);
    delete mark;
    delete reference;
}

TEST_F(MarkTest, TheBaseEntityFailingIsReported)
{
    MemoryDwgFiler empty(AcDb::kCopyFiler);
    VaduKestra mark;
    EXPECT_NE(mark.dwgInFields(&empty), Acad::eOk);
    EXPECT_EQ(takePrinted(), "Cannot access parent AcDbEntity object.\n");
}

TEST_F(MarkTest, DxfGroupsFollowTheSubclassMarkerInTheirOrder)
{
    AcDbObjectId line = append(new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 1, 0)));
    VaduKestra* mark = markWithEveryField(line);
    DxfItemFiler filer(AcDb::kFileFiler, db);
    ASSERT_EQ(mark->dxfOutFields(&filer), Acad::eOk);
    const arx::db::DxfItemList& items = filer.items();
    size_t at = 0;
    while (at < items.size() && !(items[at].code == 100 && items[at].text == "VaduKestra")) ++at;
    ASSERT_LT(at, items.size()) << "subclass marker";
    const std::vector<short> codes = {70, 1, 10, 11, 12, 13, 14, 15, 16, 17, 40, 41, 42, 43, 44, 45, 70, 330, 210};
    ASSERT_EQ(items.size(), at + 1 + codes.size()) << "nothing after the mark's groups";
    for (size_t i = 0; i < codes.size(); ++i) EXPECT_EQ(items[at + 1 + i].code, codes[i]) << "group " << i;
    EXPECT_EQ(items[at + 1].integer, 15);
    EXPECT_EQ(items[at + 2].text, "1A2B");
    EXPECT_EQ(items[at + 3].point, mark->corner0());
    EXPECT_EQ(items[at + 7].point, mark->center());
    EXPECT_EQ(items[at + 8].point, mark->viewDir());
    EXPECT_EQ(items[at + 9].point, mark->viewTarget());
    EXPECT_EQ(items[at + 10].point, mark->viewCenter());
    const double reals[] = {mark->paperHeight(), mark->rotation(), mark->zoomXp(),
                            mark->frontZ(),      mark->backZ(),    mark->lensLength()};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(items[at + 11 + i].real, reals[i]) << "real " << i;
    EXPECT_EQ(items[at + 17].integer, 7);
    EXPECT_EQ(items[at + 18].id, line);
    EXPECT_EQ(items[at + 19].point.asVector(), mark->normal());

    VaduKestra back;
    filer.rewindFiler();
    ASSERT_EQ(back.dxfInFields(&filer), Acad::eOk);
    expectSameFiledFields(*mark, back);
    delete mark;
}

TEST_F(MarkTest, DxfVersionRule)
{
    VaduKestra newer;
    DxfItemFiler future = dxfDataWith(
        db, {DxfItem::makeText(100, "VaduKestra"), DxfItem::makeInteger(70, 16), DxfItem::makeReal(40, 5.0)});
    EXPECT_EQ(newer.dxfInFields(&future), Acad::eMakeMeProxy);
    EXPECT_EQ(takePrinted(), kProxyLine);

    VaduKestra older;
    DxfItemFiler past = dxfDataWith(
        db, {DxfItem::makeText(100, "VaduKestra"), DxfItem::makeInteger(70, 14), DxfItem::makeReal(40, 5.0)});
    EXPECT_EQ(older.dxfInFields(&past), Acad::eOk);
    EXPECT_EQ(older.paperHeight(), 0.0) << "an older version reads nothing more";

    VaduKestra noVersion;
    DxfItemFiler unversioned = dxfDataWith(db, {DxfItem::makeText(100, "VaduKestra"), DxfItem::makeReal(40, 5.0)});
    EXPECT_EQ(noVersion.dxfInFields(&unversioned), Acad::eBadDxfSequence);
    EXPECT_EQ(takePrinted(), "DxfInField error: The first field is not the version ID.\n");

    VaduKestra empty;
    DxfItemFiler nothing = dxfDataWith(db, {DxfItem::makeText(100, "VaduKestra")});
    EXPECT_EQ(empty.dxfInFields(&nothing), Acad::eBadDxfSequence);

    VaduKestra otherClass;
    DxfItemFiler wrongMarker = dxfDataWith(db, {DxfItem::makeText(100, "AcDbLine"), DxfItem::makeInteger(70, 15)});
    EXPECT_EQ(otherClass.dxfInFields(&wrongMarker), Acad::eBadDxfSequence);
    EXPECT_EQ(takePrinted(), "");
}

TEST_F(MarkTest, DxfGroupsMayComeInAnyOrderAndAForeignGroupIsLeftForTheNextReader)
{
    DxfItemFiler filer =
        dxfDataWith(db, {DxfItem::makeText(100, "VaduKestra"), DxfItem::makeInteger(70, 15),
                         DxfItem::makeReal(45, 50.0), DxfItem::makeReal(40, 1.0), DxfItem::makeInteger(70, -3),
                         DxfItem::makeText(1, "ff"), DxfItem::makePoint(12, AcGePoint3d(1, 2, 3)),
                         DxfItem::makeReal(40, 2.0), DxfItem::makeText(300, "next"), DxfItem::makeReal(41, 9.0)});
    VaduKestra mark;
    ASSERT_EQ(mark.dxfInFields(&filer), Acad::eOk);
    EXPECT_EQ(mark.lensLength(), 50.0);
    EXPECT_EQ(mark.paperHeight(), 2.0) << "the last group wins";
    EXPECT_EQ(mark.viewMode(), -3) << "a 16-bit value, sign-extended";
    EXPECT_EQ(mark.viewportHandle(), AcDbHandle(0xFFull));
    EXPECT_EQ(mark.corner2(), AcGePoint3d(1, 2, 3));
    EXPECT_EQ(mark.rotation(), 0.0) << "groups after a foreign one are not the mark's";
    resbuf next;
    ASSERT_EQ(filer.readItem(&next), Acad::eOk);
    EXPECT_EQ(next.restype, 300);
    EXPECT_STREQ(next.resval.rstring, "next");
}

TEST_F(MarkTest, ADrawingSavedAndReadAgainKeepsItsMarks)
{
    AcDbObjectId line = append(new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 1, 0)));
    VaduKestra* reference = markWithEveryField(line);
    const AcDbObjectId id = append(markWithEveryField(line));
    VaduKestra* mark = openMark(id, AcDb::kForWrite);
    mark->attachPropertyMarker();
    mark->close();
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("kestra-marks-" + std::to_string(getpid()) + ".dxf");
    ASSERT_EQ(db->dxfOut(path.string().c_str()), Acad::eOk);

    auto* reopened = new AcDbDatabase(false);
    ASSERT_EQ(reopened->dxfIn(path.string().c_str()), Acad::eOk);
    std::filesystem::remove(path);
    VaduKestra* back = firstMarkOf(reopened);
    ASSERT_NE(back, nullptr);
    EXPECT_FALSE(back->isAProxy());
    expectSameFiledFields(*reference, *back);
    EXPECT_FALSE(back->extensionDictionary().isNull());
    EXPECT_STREQ(back->scaleLabel(), "");
    EXPECT_TRUE(back->extraGrips().isEmpty());
    back->close();
    delete reopened;
    acdbHostApplicationServices()->setWorkingDatabase(db);
    delete reference;
}
