// The persistent reactor's erase notifications through the host's own ERASE and U: a viewport
// and its mark (with the outline of a clipped viewport) go and come back together, and the
// question about the viewport is asked only for an ordinary command in model space.
#include <functional>
#include <memory>
#include <vector>

#include "accmd.h"
#include "acdbads_db.h"
#include "acedads.h"
#include "assoc/association_store.h"
#include "assoc/handle_text.h"
#include "assoc/layer_state.h"
#include "assoc/msv_editor_reactor.h"
#include "assoc/store_access.h"
#include "assoc_test_support.h"
#include "dbsymtb.h"
#include "host.h"
#include "shell/kestra_module.h"
#include "shell/object_opener.h"

using namespace assoctest;
using namespace kestra;

namespace {

class ReactorEraseTest : public AssocHostTest {
protected:
    // A clipped viewport marked by the make command typed inside it; paper space current after.
    void SetUp() override
    {
        AssocHostTest::SetUp();
        ViewportFrame frame;
        viewportId = makeViewport(frame);
        clipViewport(viewportId, frame);
        activate(viewportId);
        ASSERT_EQ(acedCommand(RTSTR, "KSMAKE", RTNONE), RTNORM);
        acedCommand(RTSTR, "._PSPACE", RTNONE);
        AcDbObjectIdArray marks;
        collectModelSpaceEntities("VaduKestra", marks);
        ASSERT_EQ(marks.length(), 1);
        markId = marks.at(0);
        ObjectOpener<VaduKestra> mark(markId, AcDb::kForRead);
        outlineId = mark->outlineBlockId();
        ASSERT_FALSE(outlineId.isNull());
        state().associationCount = 1;
        takePrinted();
    }

    // The entity is the pick-first selection that the next ERASE takes without asking.
    static void preselect(AcDbObjectId id)
    {
        ads_name set, name;
        acdbGetAdsName(name, id);
        ASSERT_EQ(acedSSAdd(name, nullptr, set), RTNORM);
        ASSERT_EQ(acedSSSetFirst(set, nullptr), RTNORM);
        acedSSFree(set);
    }

    bool indexed()
    {
        AcDbObjectId mark, viewport;
        return findIndexEntry(kStoreName, handleTextOf(viewportId).c_str(), false, mark, viewport) == Acad::eOk &&
               mark == markId && viewport == viewportId;
    }

    AcDbObjectId viewportId, markId, outlineId;
};

TEST_F(ReactorEraseTest, ErasingTheViewportErasesItsMarkAndOutlineAndUndoBringsAllBack)
{
    preselect(viewportId);
    typed("ERASE\n");
    EXPECT_TRUE(viewportId.isErased());
    EXPECT_TRUE(markId.isErased());
    EXPECT_TRUE(outlineId.isErased());
    EXPECT_FALSE(indexed());
    EXPECT_EQ(state().associationCount, 0);
    const std::string printed = takePrinted();
    EXPECT_NE(printed.find("Kestra erased. Type  UNDO  to restore it. \n"), std::string::npos) << printed;
    EXPECT_EQ(printed.find("Erase the viewport"), std::string::npos) << "no question from a layout";

    typed("U\n");
    EXPECT_FALSE(viewportId.isErased());
    EXPECT_FALSE(markId.isErased());
    EXPECT_FALSE(outlineId.isErased());
    EXPECT_TRUE(indexed());
    EXPECT_EQ(state().associationCount, 1);
}

TEST_F(ReactorEraseTest, ErasingTheMarkInModelSpaceAsksAndEnterKeepsTheViewportOnItsLockedLayer)
{
    const AcDbObjectId layer = makeLayer("Sheets");
    moveToLayer(viewportId, layer);
    setLayerState(kLayerLocked, layer);
    setShort("TILEMODE", 1);
    preselect(markId);
    typed("ERASE\n\n");
    EXPECT_NE(takePrinted().find("Erase the viewport in the paper space [Yes/No]? <No>: \n"), std::string::npos);
    EXPECT_TRUE(markId.isErased());
    EXPECT_TRUE(outlineId.isErased());
    EXPECT_FALSE(viewportId.isErased());
    EXPECT_FALSE(indexed());
    EXPECT_EQ(*getLayerState(layer), kLayerLocked) << "the viewport's layer is locked again";

    typed("U\n");
    EXPECT_FALSE(markId.isErased());
    EXPECT_FALSE(outlineId.isErased());
    EXPECT_TRUE(indexed());

    preselect(markId);
    typed("ERASE\nyes\n");
    const std::string printed = takePrinted();
    EXPECT_NE(printed.find("<No>: yes\nViewport in paper space erased. Type  UNDO  to restore it. \n"),
              std::string::npos)
        << printed;
    EXPECT_TRUE(viewportId.isErased());
    EXPECT_EQ(*getLayerState(layer), kLayerLocked);

    typed("U\n");
    EXPECT_FALSE(viewportId.isErased());
    EXPECT_FALSE(markId.isErased());
    EXPECT_TRUE(indexed());
    setLayerState(0, layer);
}

// REDO replays the erase as it was answered: it never asks again.
TEST_F(ReactorEraseTest, RedoReplaysTheAnswerWithoutAskingAgain)
{
    setShort("TILEMODE", 1);
    preselect(markId);
    typed("ERASE\nNo\nU\nREDO\n");
    std::string printed = takePrinted();
    EXPECT_NE(printed.find("Command: REDO\nCommand: "), std::string::npos) << printed;
    EXPECT_TRUE(markId.isErased());
    EXPECT_FALSE(viewportId.isErased());
    EXPECT_FALSE(indexed());

    typed("U\n");
    preselect(markId);
    typed("ERASE\nYes\nU\nREDO\n");
    printed = takePrinted();
    EXPECT_NE(printed.find("Command: REDO\nCommand: "), std::string::npos) << printed;
    EXPECT_TRUE(markId.isErased());
    EXPECT_TRUE(viewportId.isErased());
    EXPECT_TRUE(outlineId.isErased());
}

TEST_F(ReactorEraseTest, AScriptErasesTheMarkAndItsOutlineWithoutAskingAndKeepsTheViewport)
{
    setShort("TILEMODE", 1);
    preselect(markId);
    arx::host::runScriptText("ERASE\n");
    EXPECT_EQ(takePrinted().find("Erase the viewport"), std::string::npos);
    EXPECT_TRUE(markId.isErased());
    EXPECT_TRUE(outlineId.isErased());
    EXPECT_FALSE(viewportId.isErased());
    EXPECT_FALSE(indexed());
    EXPECT_EQ(state().associationCount, 0);
}

// What the command REMOVALTEST runs.
std::function<void()>& removalTestBody()
{
    static std::function<void()> body;
    return body;
}

void runRemovalTest()
{
    if (removalTestBody()) removalTestBody()();
}

// Counts the changes of the object it watches.
class ChangeCounter : public AcDbObjectReactor {
public:
    void modified(const AcDbObject*) override { ++changes; }
    int changes = 0;
};

TEST_F(ReactorEraseTest, ManyMarksErasedInOneCommandLeaveTheIndexInOneWriteThatUndoAndRedoFollow)
{
    std::vector<AcDbObjectId> marks = {markId};
    for (int i = 0; i < 4; ++i) {
        ViewportFrame frame;
        frame.center = AcGePoint3d(40.0 + 60.0 * i, 250.0, 0.0);
        frame.width = frame.height = 40.0;
        marks.push_back(markViewport(makeViewport(frame)));
    }
    IndexPairs pairs;
    ASSERT_EQ(readIndexPairs(kStoreName, pairs), Acad::eOk);
    ASSERT_EQ(pairs.size(), 5u);
    ChangeCounter counter;
    AcDbObjectId indexId;
    {
        ObjectOpener<AcDbDictionary> store;
        ASSERT_EQ(openStore(kStoreName, AcDb::kForRead, false, store), Acad::eOk);
        ASSERT_EQ(store->getAt(kIndexKey, indexId), Acad::eOk);
        ObjectOpener<AcDbObject> index(indexId, AcDb::kForRead);
        index->addReactor(&counter);
    }
    // The module's editor reactor, as the loaded module has it, ends the command.
    std::unique_ptr<MsvEditorReactor>& editorReactor = kestraModule()->editorReactor;
    editorReactor = std::make_unique<MsvEditorReactor>();
    acedEditor->addReactor(editorReactor.get());
    setShort("TILEMODE", 1);
    arx::host::runScriptText("ERASE ALL \n");
    EXPECT_EQ(counter.changes, 1) << "the index is written once, when the command ends";
    for (AcDbObjectId id : marks) EXPECT_TRUE(id.isErased());
    ASSERT_EQ(readIndexPairs(kStoreName, pairs), Acad::eOk);
    EXPECT_TRUE(pairs.empty());
    EXPECT_EQ(state().associationCount, 0);

    arx::host::runScriptText("U\n");
    for (AcDbObjectId id : marks) EXPECT_FALSE(id.isErased());
    ASSERT_EQ(readIndexPairs(kStoreName, pairs), Acad::eOk);
    EXPECT_EQ(pairs.size(), 5u);
    EXPECT_TRUE(indexed());
    arx::host::runScriptText("REDO\n");
    for (AcDbObjectId id : marks) EXPECT_TRUE(id.isErased());
    ASSERT_EQ(readIndexPairs(kStoreName, pairs), Acad::eOk);
    EXPECT_TRUE(pairs.empty());
    acedEditor->removeReactor(editorReactor.get());
    editorReactor.reset();
    ObjectOpener<AcDbObject> index(indexId, AcDb::kForRead, true);
    if (index) index->removeReactor(&counter);
}

// A removal waiting for the end of the command is made before the index is read again; one
// asked for outside a command is made at once.
TEST_F(ReactorEraseTest, AnIndexReadDuringTheCommandSeesTheErasedMarkGone)
{
    kestraModule()->editorReactor = std::make_unique<MsvEditorReactor>();
    acedRegCmds->addCommand("KESTRA_REMOVAL_TEST", "REMOVALTEST", "REMOVALTEST", ACRX_CMD_MODAL, runRemovalTest);
    removalTestBody() = [&] {
        deferIndexRemoval(markId, viewportId);
        EXPECT_EQ(state().deferredIndexRemovals.size(), 1u);
        EXPECT_FALSE(indexed());
        deferIndexRemoval(markId, viewportId);  // gone already: passed over
        flushDeferredIndexRemovals();
        EXPECT_EQ(addIndexEntry(kStoreName, markId, viewportId), Acad::eOk);
        EXPECT_TRUE(indexed());
    };
    typed("REMOVALTEST\n");
    kestraModule()->editorReactor.reset();
    EXPECT_TRUE(state().deferredIndexRemovals.empty());
    deferIndexRemoval(markId, viewportId);
    EXPECT_TRUE(state().deferredIndexRemovals.empty());
    EXPECT_FALSE(indexed());
    acedRegCmds->removeGroup("KESTRA_REMOVAL_TEST");
    removalTestBody() = nullptr;
}

TEST_F(ReactorEraseTest, ErasingTheMarkInsideAFloatingViewportDoesNotAsk)
{
    activate(viewportId);
    preselect(markId);
    typed("ERASE\n");
    EXPECT_EQ(takePrinted().find("Erase the viewport"), std::string::npos);
    EXPECT_TRUE(markId.isErased());
    EXPECT_FALSE(viewportId.isErased());
}

}  // namespace
