// The association store on a drawing of the stand-in host: the viewport index and its rules,
// the partner handle records, the reactor objects, and the rebuild that erases orphans.
#include <algorithm>

#include "acdbads_db.h"
#include "acdocman.h"
#include "acutads.h"
#include "assoc/association_maintenance.h"
#include "assoc/handle_text.h"
#include "assoc/layer_state.h"
#include "assoc/ms_vp_pers_reactor.h"
#include "assoc/viewport_view_xdata.h"
#include "assoc_test_support.h"
#include "dbapserv.h"
#include "dbdict.h"
#include "dbsymtb.h"
#include "dbxrecrd.h"
#include "geassign.h"
#include "shell/object_opener.h"

using namespace assoctest;
using namespace kestra;

namespace {

std::string lowerCase(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

IndexPairs indexPairs()
{
    IndexPairs pairs;
    readIndexPairs(kStoreName, pairs);
    return pairs;
}

bool storeExists(const char* name)
{
    ObjectOpener<AcDbDictionary> named(acdbHostApplicationServices()->workingDatabase()->namedObjectsDictionaryId(),
                                       AcDb::kForRead);
    return named->has(name);
}

bool carriesReactor(AcDbObjectId objectId, const char* key)
{
    AcDbObjectId reactor;
    if (getReactorObject(kStoreName, key, false, reactor) != Acad::eOk) return false;
    ObjectOpener<AcDbObject> object(objectId, AcDb::kForRead, true);
    return object && hasPersistentReactor(*object, reactor);
}

bool layerLocked(AcDbObjectId layerId) { return (*getLayerState(layerId) & kLayerLocked) != 0; }

class AssociationStoreTest : public AssocHostTest {};

}  // namespace

TEST_F(AssociationStoreTest, AddingAPairForAnIndexedMarkReplacesItsViewportWhateverTheCase)
{
    const AcDbObjectId first = makeViewport();
    const AcDbObjectId second = makeViewport();
    const AcDbObjectId mark = makeMark(first);
    const AcDbObjectId other = makeMark(second);
    ASSERT_EQ(addIndexEntry(kStoreName, mark, first), Acad::eOk);
    ASSERT_EQ(addIndexEntry(kStoreName, other, second), Acad::eOk);
    ASSERT_EQ(addIndexEntry(kStoreName, mark, second), Acad::eOk);

    const IndexPairs pairs = indexPairs();
    ASSERT_EQ(pairs.size(), 2u);
    EXPECT_EQ(pairs[0].mark, handleOf(mark));
    EXPECT_EQ(pairs[0].viewport, handleOf(second));
    EXPECT_EQ(pairs[1].mark, handleOf(other));

    // Handles are looked up without regard to case, by mark or by viewport.
    AcDbObjectId foundMark, foundViewport;
    ASSERT_EQ(findIndexEntry(kStoreName, lowerCase(handleOf(other)).c_str(), true, foundMark, foundViewport),
              Acad::eOk);
    EXPECT_EQ(foundMark, other);
    EXPECT_EQ(foundViewport, second);
    ASSERT_EQ(findIndexEntry(kStoreName, handleOf(second).c_str(), false, foundMark, foundViewport), Acad::eOk);
    EXPECT_EQ(foundMark, mark);  // the first pair naming that viewport
    EXPECT_EQ(findIndexEntry(kStoreName, "FFFF", true, foundMark, foundViewport), Acad::eNullObjectId);
    EXPECT_TRUE(foundMark.isNull());
}

TEST_F(AssociationStoreTest, RemovingNeedsBothHandlesAndTheLastPairLeavesAnEmptyIndex)
{
    const AcDbObjectId viewport = makeViewport();
    const AcDbObjectId mark = makeMark(viewport);
    EXPECT_EQ(removeIndexEntry(kStoreName, mark, viewport), Acad::eKeyNotFound);  // no store yet
    ASSERT_EQ(addIndexEntry(kStoreName, mark, viewport), Acad::eOk);
    EXPECT_NE(removeIndexEntry(kStoreName, mark, mark), Acad::eOk);
    EXPECT_EQ(indexPairs().size(), 1u);
    EXPECT_EQ(removeIndexEntry(kStoreName, mark, viewport), Acad::eOk);

    ResultBufferHolder chain;
    EXPECT_EQ(readIndex(kStoreName, chain), Acad::eOk);
    EXPECT_EQ(chain.get(), nullptr);
    AcDbObjectId foundMark, foundViewport;
    EXPECT_EQ(findIndexEntry(kStoreName, handleOf(mark).c_str(), true, foundMark, foundViewport), Acad::eNullObjectId);
}

TEST_F(AssociationStoreTest, ReadersOfAMissingStoreAnswerKeyNotFound)
{
    ResultBufferHolder chain;
    EXPECT_EQ(readIndex(kStoreName, chain), Acad::eKeyNotFound);
    AcDbObjectId id;
    EXPECT_EQ(getReactorObject(kStoreName, kMarkReactorKey, false, id), Acad::eKeyNotFound);
    EXPECT_EQ(dropIndex(), Acad::eKeyNotFound);
    EXPECT_EQ(dropStore(), Acad::eKeyNotFound);
    EXPECT_FALSE(storeExists(kStoreName));
}

TEST_F(AssociationStoreTest, PartnerHandleRecordsNameTheMarkOrNothing)
{
    const AcDbObjectId viewport = makeViewport();
    const AcDbObjectId mark = makeMark(viewport);
    AcDbObjectId found;
    {
        ObjectOpener<AcDbViewport> open(viewport, AcDb::kForRead);
        EXPECT_FALSE(readPartnerHandle(*open, found));
    }
    ASSERT_EQ(writePartnerHandle(viewport, mark.handle()), Acad::eOk);
    {
        ObjectOpener<AcDbViewport> open(viewport, AcDb::kForRead);
        EXPECT_TRUE(readPartnerHandle(*open, found));
        EXPECT_EQ(found, mark);
    }
    ASSERT_EQ(writePartnerHandle(viewport, AcDbHandle()), Acad::eOk);
    ObjectOpener<AcDbViewport> open(viewport, AcDb::kForRead);
    EXPECT_FALSE(readPartnerHandle(*open, found));
}

TEST_F(AssociationStoreTest, APartnerRecordIsWrittenOnALockedLayerAndTheLayerLockedAgain)
{
    const AcDbObjectId viewport = makeViewport();
    const AcDbObjectId mark = makeMark(viewport);
    const AcDbObjectId locked = makeLayer("Frames");
    moveToLayer(viewport, locked);
    ASSERT_EQ(setLayerState(kLayerLocked, locked), Acad::eOk);
    EXPECT_EQ(writePartnerHandle(viewport, mark.handle()), Acad::eOk);
    EXPECT_TRUE(layerLocked(locked));
}

TEST_F(AssociationStoreTest, TheLayerStateWordKeepsEveryFlagAndTheUnlockedCopyClearsOnlyTheLock)
{
    const AcDbObjectId layer =
        makeLayer("States", kLayerFrozen | kLayerFrozenInNewViewports | kLayerLocked | kLayerOff);
    EXPECT_EQ(*getLayerState(layer), 0x1007);
    EXPECT_EQ(unlockedCopy(0x1007), 0x1003);
    EXPECT_EQ(unlockedCopy(0xFFFF), 0x1FFB);
    {
        LayerUnlock unlock(layer);
        EXPECT_EQ(*getLayerState(layer), 0x1003);
    }
    EXPECT_EQ(*getLayerState(layer), 0x1007);
    const AcDbObjectId notALayer = makeViewport();
    takePrinted();
    EXPECT_FALSE(getLayerState(notALayer).has_value());
    EXPECT_EQ(takePrinted(), "Cannot read the layer table.\n");
}

TEST_F(AssociationStoreTest, VerifyingADrawingWithoutMarksDropsTheStore)
{
    const AcDbObjectId viewport = makeViewport();
    const AcDbObjectId mark = makeAssociatedMark(viewport);
    ASSERT_TRUE(storeExists(kStoreName));
    {
        ObjectOpener<AcDbEntity> open(mark, AcDb::kForWrite);
        open->erase();
    }
    EXPECT_EQ(verifyAssociations(true, false, curDoc()), 0);
    EXPECT_FALSE(storeExists(kStoreName));
    EXPECT_EQ(state().associationCount, 0);
}

TEST_F(AssociationStoreTest, ARebuildIndexesEveryMarkOnceAndGivesEachItsReactors)
{
    AcDbObjectIdArray marks;
    std::vector<AcDbObjectId> viewports;
    for (int i = 0; i < 4; ++i) {
        ViewportFrame frame;
        frame.center.x = 60.0 + 60.0 * i;
        frame.width = 50.0;
        viewports.push_back(makeViewport(frame));
        marks.append(makeMark(viewports.back()));
    }
    // A repeated id still gives one pair.
    marks.append(marks.at(1));
    EXPECT_EQ(rebuildAssociations(marks), 5);
    const IndexPairs pairs = indexPairs();
    ASSERT_EQ(pairs.size(), 4u);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(pairs[i].mark, handleOf(marks.at(i)));
        EXPECT_EQ(pairs[i].viewport, handleOf(viewports[i]));
        EXPECT_TRUE(carriesReactor(marks.at(i), kMarkReactorKey));
        EXPECT_TRUE(carriesReactor(viewports[i], kViewportReactorKey));
    }
    // Rebuilding again changes nothing.
    takePrinted();
    EXPECT_EQ(verifyAssociations(true, false, curDoc()), 4);
    EXPECT_EQ(indexPairs().size(), 4u);
    EXPECT_EQ(state().associationCount, 4);
    EXPECT_EQ(takePrinted(), "");
}

TEST_F(AssociationStoreTest, AnOrphanOnALockedLayerIsErasedWithItsOutlineAndReported)
{
    const AcDbObjectId kept = makeViewport();
    const AcDbObjectId keptMark = makeAssociatedMark(kept);
    ViewportFrame frame;
    frame.center.x = 300.0;
    const AcDbObjectId lost = makeViewport(frame);
    const AcDbObjectId orphan = makeAssociatedMark(lost);
    const AcDbObjectId outline = appendLine();  // any entity stands for the outline here
    {
        ObjectOpener<VaduKestra> open(orphan, AcDb::kForWrite);
        open->setOutlineBlockId(outline);
    }
    const AcDbObjectId locked = makeLayer("Marks");
    moveToLayer(orphan, locked);
    moveToLayer(outline, locked);
    ASSERT_EQ(setLayerState(kLayerLocked, locked), Acad::eOk);
    {
        ObjectOpener<AcDbViewport> open(lost, AcDb::kForWrite);
        state().reactorsSuspended = true;  // the viewport goes alone
        open->erase();
    }
    state().reactorsSuspended = false;
    takePrinted();

    EXPECT_EQ(verifyAssociations(true, false, curDoc()), 1);
    EXPECT_TRUE(isErased(orphan));
    EXPECT_TRUE(isErased(outline));
    EXPECT_FALSE(isErased(keptMark));
    EXPECT_TRUE(layerLocked(locked));
    EXPECT_EQ(takePrinted(), "Erasing the orphan Kestra object with the handle  '" + handleOf(orphan) + "'.\n");
}

TEST_F(AssociationStoreTest, ADisplayLockedViewportGetsItsReactorAndStaysLocked)
{
    const AcDbObjectId viewport = makeViewport();
    const AcDbObjectId mark = makeMark(viewport);
    {
        ObjectOpener<AcDbViewport> open(viewport, AcDb::kForWrite);
        open->setLocked();
    }
    const AcDbObjectId locked = makeLayer("Sheets", kLayerLocked);
    moveToLayer(viewport, locked);
    AcDbObjectIdArray marks;
    marks.append(mark);
    EXPECT_EQ(rebuildAssociations(marks), 1);
    EXPECT_TRUE(carriesReactor(viewport, kViewportReactorKey));
    ObjectOpener<AcDbViewport> open(viewport, AcDb::kForRead);
    EXPECT_TRUE(open->isLocked());
    EXPECT_TRUE(layerLocked(locked));
}

TEST_F(AssociationStoreTest, DroppingTheStoreUnlinksTheReactorObjectsAndErasesTheIndex)
{
    makeAssociatedMark(makeViewport());
    AcDbObjectId reactor;
    ASSERT_EQ(getReactorObject(kStoreName, kMarkReactorKey, false, reactor), Acad::eOk);
    EXPECT_EQ(dropStore(), Acad::eOk);
    EXPECT_FALSE(storeExists(kStoreName));
    EXPECT_FALSE(reactor.isErased());
}

TEST_F(AssociationStoreTest, LegacyMarksAreErasedAndAStoreWithoutThemIsErasedByTheAudit)
{
    const AcDbObjectId viewport = makeViewport();
    const AcDbObjectId legacy = makeMark(viewport);  // stands for a mark of the older class
    EXPECT_TRUE(purgeLegacyMarks());
    ASSERT_EQ(addIndexEntry(kLegacyStoreName, legacy, viewport), Acad::eOk);
    EXPECT_FALSE(purgeLegacyMarks());
    EXPECT_TRUE(isErased(legacy));
    EXPECT_TRUE(purgeLegacyMarks());  // erased marks no longer open: their pairs go
    EXPECT_TRUE(indexPairs().empty());
    ASSERT_EQ(eraseStore(kLegacyStoreName), Acad::eOk);
    EXPECT_FALSE(storeExists(kLegacyStoreName));
}

TEST_F(AssociationStoreTest, TheViewRecordOfAViewportTakesTheNewView)
{
    const AcDbObjectId viewportId = makeViewport();
    acdbRegApp("ACAD");
    ObjectOpener<AcDbViewport> viewport(viewportId, AcDb::kForWrite);
    const AcGePoint3d zero;
    ResultBufferHolder record(acutBuildList(1001, "ACAD", 1000, "OLD", 1002, "{", 1070, 16, 1010, asDblArray(zero),
                                            1010, asDblArray(zero), 1010, asDblArray(zero), 1040, 1.0, 1040, 2.0, 1040,
                                            3.0, 1040, 4.0, 1071, 5L, 1002, "}", 0));
    ASSERT_EQ(viewport->setXData(record.get()), Acad::eOk);
    ASSERT_EQ(writeViewportViewXData(*viewport, AcGePoint3d(1, 2, 3), 50.0, 0.5, AcGeVector3d(0, 0, 1)), Acad::eOk);
    ResultBufferHolder written(viewport->xData("ACAD"));
    std::vector<int> codes;
    for (const resbuf* item = written.get(); item; item = item->rbnext) codes.push_back(item->restype);
    EXPECT_EQ(codes, (std::vector<int>{1001, 1000, 1002, 1070, 1010, 1010, 1010, 1040, 1040, 1040, 1040, 1002}));
    const resbuf* item = written->rbnext;
    EXPECT_STREQ(item->resval.rstring, "MVIEW");
    item = item->rbnext->rbnext->rbnext;
    EXPECT_EQ(item->resval.rpoint[2], 3.0);
    EXPECT_EQ(item->rbnext->resval.rpoint[2], 1.0);
    item = item->rbnext->rbnext->rbnext;
    EXPECT_EQ(item->resval.rreal, 0.5);
    EXPECT_EQ(item->rbnext->resval.rreal, 50.0);
    EXPECT_EQ(item->rbnext->rbnext->resval.rreal, 3.0);
    EXPECT_EQ(item->rbnext->rbnext->rbnext->resval.rreal, 0.0);
}
