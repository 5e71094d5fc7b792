// The persistent reactor class: its registration and filing (drawing files, copies, partial
// undo), the notifications it turns into working-list entries, and the audit at drawing open.
#include <unistd.h>

#include <filesystem>

#include "acdocman.h"
#include "aced.h"
#include "acedads.h"
#include "assoc/association_maintenance.h"
#include "assoc/audit_drawing.h"
#include "assoc/handle_text.h"
#include "assoc/ms_vp_pers_reactor.h"
#include "ap/document.h"
#include "assoc_test_support.h"
#include "db/dxf_item_filer.h"
#include "db/memory_dwg_filer.h"
#include "dbdict.h"
#include "dbidmap.h"
#include "dbsymtb.h"
#include "geassign.h"
#include "rxclass.h"
#include "shell/kestra_module.h"
#include "shell/object_opener.h"

using namespace assoctest;
using namespace kestra;
using arx::db::DxfItem;
using arx::db::DxfItemFiler;
using arx::db::MemoryDwgFiler;

namespace {

class PersistentReactorTest : public AssocHostTest {};

AcDbObjectId reactorObject(const char* key)
{
    AcDbObjectId id;
    getReactorObject(kStoreName, key, false, id);
    return id;
}

std::string temporaryDrawing()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "kestra-reactor-XXXXXX").string();
    int fd = mkstemp(pattern.data());
    if (fd >= 0) close(fd);
    return pattern + ".dxf";
}

}  // namespace

TEST(PersistentReactorClassTest, IsRegisteredWithItsDxfNameAndProxyFlags)
{
    AcRxClass* runtimeClass = acrxFindClass("MsVpPersReactor");
    ASSERT_NE(runtimeClass, nullptr);
    EXPECT_STREQ(runtimeClass->dxfName(), "MSVPPERSREACTOR");
    EXPECT_STREQ(runtimeClass->appName(), "MSVPPERSREACTOR");
    EXPECT_EQ(runtimeClass->proxyFlags(), 895);
    EXPECT_EQ(runtimeClass->myParent(), AcDbObject::desc());
}

TEST_F(PersistentReactorTest, TheOwnerReferenceTravelsThroughCopiesAndDxfAndAMissingMarkerIsRefused)
{
    const AcDbObjectId mark = makeAssociatedMark(makeViewport());
    const AcDbObjectId reactorId = reactorObject(kMarkReactorKey);
    {
        ObjectOpener<MsVpPersReactor> reactor(reactorId, AcDb::kForWrite);
        reactor->setOwnerReference(mark);
    }
    ObjectOpener<MsVpPersReactor> reactor(reactorId, AcDb::kForRead);
    std::unique_ptr<MsVpPersReactor> copy(MsVpPersReactor::cast(reactor->clone()));
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->ownerReference(), mark);

    DxfItemFiler out(AcDb::kFileFiler, drawing());
    ASSERT_EQ(reactor->dxfOutFields(&out), Acad::eOk);
    const arx::db::DxfItemList& items = out.items();
    ASSERT_GE(items.size(), 2u);
    EXPECT_EQ(items[items.size() - 2].code, 100);
    EXPECT_EQ(items.back().code, 330);
    DxfItemFiler in(AcDb::kFileFiler, drawing(), out.takeItems());
    MsVpPersReactor back;
    EXPECT_EQ(back.dxfInFields(&in), Acad::eOk);
    EXPECT_EQ(back.ownerReference(), mark);

    DxfItemFiler unmarked(AcDb::kFileFiler, drawing());
    MsVpPersReactor().AcDbObject::dxfOutFields(&unmarked);
    unmarked.append(DxfItem::makeId(330, mark));
    unmarked.rewindFiler();
    MsVpPersReactor refused;
    EXPECT_EQ(refused.dxfInFields(&unmarked), Acad::eBadDxfSequence);
}

TEST_F(PersistentReactorTest, APartialUndoRecordOfTheClassIsReadAndDropped)
{
    MemoryDwgFiler undo(AcDb::kUndoFiler, drawing());
    undo.writeHardPointerId(AcDbHardPointerId());
    undo.rewind();
    MsVpPersReactor reactor;
    EXPECT_EQ(reactor.applyPartialUndo(&undo, MsVpPersReactor::desc()), Acad::eOk);
    EXPECT_TRUE(undo.atEnd());
}

TEST_F(PersistentReactorTest, AssociationsSurviveSavingAndOpeningTheDrawing)
{
    const AcDbObjectId viewport = makeViewport();
    const AcDbObjectId mark = makeAssociatedMark(viewport);
    const std::string markHandle = handleOf(mark);
    const std::string viewportHandle = handleOf(viewport);
    const std::string path = temporaryDrawing();
    ASSERT_EQ(acedCommand(RTSTR, "SAVEAS", RTSTR, path.c_str(), RTNONE), RTNORM);
    ASSERT_EQ(acedCommand(RTSTR, "OPEN", RTSTR, path.c_str(), RTNONE), RTNORM);
    kestraModule()->documents->makeCurrent(curDoc());
    std::filesystem::remove(path);

    IndexPairs pairs;
    ASSERT_EQ(readIndexPairs(kStoreName, pairs), Acad::eOk);
    ASSERT_EQ(pairs.size(), 1u);
    EXPECT_EQ(pairs[0].mark, markHandle);
    EXPECT_EQ(pairs[0].viewport, viewportHandle);
    const AcDbObjectId reopenedMark = objectIdOfHandle(markHandle.c_str());
    const AcDbObjectId reopenedViewport = objectIdOfHandle(viewportHandle.c_str());
    ObjectOpener<VaduKestra> markBack(reopenedMark, AcDb::kForRead);
    ObjectOpener<AcDbViewport> viewportBack(reopenedViewport, AcDb::kForRead);
    ASSERT_TRUE(markBack.isOpen());
    ASSERT_TRUE(viewportBack.isOpen());
    EXPECT_TRUE(hasPersistentReactor(*markBack, reactorObject(kMarkReactorKey)));
    EXPECT_TRUE(hasPersistentReactor(*viewportBack, reactorObject(kViewportReactorKey)));
    AcDbObjectId partner;
    EXPECT_TRUE(readPartnerHandle(*viewportBack, partner));
    EXPECT_EQ(partner, reopenedMark);
    ObjectOpener<MsVpPersReactor> reactor(reactorObject(kViewportReactorKey), AcDb::kForRead);
    EXPECT_TRUE(reactor.isOpen());
}

TEST_F(PersistentReactorTest, ChangesAreQueuedUnlessTheReactorsAreSuspended)
{
    const AcDbObjectId viewport = makeViewport();
    const AcDbObjectId mark = makeAssociatedMark(viewport);
    state().reshapeCommand = true;  // viewport snapshots are taken only for a reshape command
    {
        ObjectOpener<AcDbViewport> open(viewport, AcDb::kForWrite);
        open->setWidth(120.0);
    }
    ASSERT_EQ(state().workingLists.pendingEdits.size(), 1u);
    EXPECT_EQ(state().workingLists.pendingEdits.entries()[0].snapshot.id, viewport);
    EXPECT_EQ(state().workingLists.pendingEdits.entries()[0].snapshot.width, 200.0);
    {
        ObjectOpener<VaduKestra> open(mark, AcDb::kForWrite);
        open->setCenter(open->center() + AcGeVector3d(10, 0, 0));
    }
    {
        ObjectOpener<VaduKestra> open(mark, AcDb::kForWrite);
        open->setCenter(open->center() + AcGeVector3d(10, 0, 0));
    }
    EXPECT_EQ(state().workingLists.pendingModifications.ids(), std::vector<AcDbObjectId>{mark});

    state().workingLists = ReactorWorkingLists();
    state().reactorsSuspended = true;
    {
        ObjectOpener<VaduKestra> open(mark, AcDb::kForWrite);
        open->setCenter(open->center() + AcGeVector3d(10, 0, 0));
        ObjectOpener<AcDbViewport> openViewport(viewport, AcDb::kForWrite);
        openViewport->setWidth(100.0);
    }
    state().reactorsSuspended = false;
    EXPECT_TRUE(state().workingLists.pendingModifications.empty());
    EXPECT_TRUE(state().workingLists.pendingEdits.empty());
    state().reshapeCommand = false;
}

TEST_F(PersistentReactorTest, ACopiedViewportIsListedAndWhileCopiesArePendingChangesAreNot)
{
    const AcDbObjectId viewport = makeViewport();
    const AcDbObjectId mark = makeAssociatedMark(viewport);
    AcDbObjectIdArray originals;
    originals.append(viewport);
    AcDbObjectId paperSpace;
    {
        ObjectOpener<AcDbViewport> open(viewport, AcDb::kForRead);
        paperSpace = open->ownerId();
    }
    AcDbIdMapping idMap;
    ASSERT_EQ(drawing()->deepCloneObjects(originals, paperSpace, idMap), Acad::eOk);
    const IdQueue& copies = kestraModule()->copiedObjects;
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_NE(copies.ids()[0], viewport);
    {
        ObjectOpener<VaduKestra> open(mark, AcDb::kForWrite);
        open->setCenter(open->center() + AcGeVector3d(10, 0, 0));
    }
    EXPECT_TRUE(state().workingLists.pendingModifications.empty());
}

TEST_F(PersistentReactorTest, TheAuditRebuildsWithoutMarkingTheDrawingAndReportsWhenAsked)
{
    const AcDbObjectId viewport = makeViewport();
    makeAssociatedMark(viewport);
    auto* document = static_cast<arx::ap::Document*>(curDoc());
    document->setDbmod(0);
    takePrinted();
    kestraModule()->settings.auditAlert = true;
    auditDrawing(curDoc());
    EXPECT_EQ(takePrinted(), std::string("Automatic audit of '") + curDoc()->fileName() +
                                 "' for the orphan Kestra. \nAudit  Succeeded.\n");
    EXPECT_EQ(state().associationCount, 1);
    kestraModule()->settings.auditAlert = false;
    auditDrawing(curDoc());
    EXPECT_EQ(takePrinted(), "");
    EXPECT_EQ(document->dbmod(), 0);
}
