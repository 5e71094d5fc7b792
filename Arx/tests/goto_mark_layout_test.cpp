// KSGOTO: from a mark (picked, given before the command, or named by the AutoLISP argument)
// to the layout of its viewport, and its refusals: a layout current, a selection that is not
// one mark, a mark of a deleted layout, a mark without an association, bad arguments.
#include <string>
#include <vector>

#include "acdbads_db.h"
#include "acedads.h"
#include "acutads.h"
#include "AcDbLMgr.h"
#include "assoc_test_support.h"
#include "commands/goto_mark_layout.h"
#include "commands/mark_selection.h"
#include "dbapserv.h"
#include "shell/object_opener.h"

using namespace assoctest;
using namespace kestra;

namespace {

class GotoMarkLayoutTest : public AssocHostTest {
protected:
    // A mark of a viewport on the layout "Sheet", and the Model tab current.
    void SetUp() override
    {
        AssocHostTest::SetUp();
        typed("LAYOUT\nNew\nSheet\nLAYOUT\nSet\nSheet\n");
        ViewportFrame frame;
        viewportId = makeViewport(frame);
        clipViewport(viewportId, frame);
        markId = markViewport(viewportId);
        ObjectOpener<VaduKestra> mark(markId, AcDb::kForRead);
        outlineId = mark->outlineBlockId();
        mark.close();
        toModel();
    }

    void toModel()
    {
        setShort("TILEMODE", 1);
        takePrinted();
    }
    static std::string active() { return acdbHostApplicationServices()->layoutManager()->findActiveLayout(true); }

    // Only these entities selected before the command.
    static void preselect(const std::vector<AcDbObjectId>& ids)
    {
        ads_name set, member;
        acedSSAdd(nullptr, nullptr, set);
        for (AcDbObjectId id : ids) {
            acdbGetAdsName(member, id);
            acedSSAdd(member, set, set);
        }
        acedSSSetFirst(set, nullptr);
        acedSSFree(set);
    }

    static int gotoWithName(AcDbObjectId id, bool secondArgument = false)
    {
        resbuf second{};
        second.restype = RTSHORT;
        resbuf first{};
        first.restype = RTENAME;
        acdbGetAdsName(first.resval.rlname, id);
        first.rbnext = secondArgument ? &second : nullptr;
        return gotoMarkLayout(&first);
    }

    AcDbObjectId viewportId;
    AcDbObjectId markId;
    AcDbObjectId outlineId;
};

TEST_F(GotoMarkLayoutTest, TheMarkTheOutlineOrBothLeadToTheLayoutOfTheViewport)
{
    const std::vector<std::vector<AcDbObjectId>> choices = {{markId}, {outlineId}, {markId, outlineId}};
    for (const std::vector<AcDbObjectId>& chosen : choices) {
        preselect(chosen);
        typed("KSGOTO\n");
        EXPECT_EQ(active(), "Sheet");
        EXPECT_EQ(takePrinted().find("incorrect"), std::string::npos);
        toModel();
    }
    typed("KS10\nL\n\n");  // picked at the prompt: the last entity is the outline
    EXPECT_EQ(active(), "Sheet");
}

TEST_F(GotoMarkLayoutTest, TheAutoLispPathTakesTheEntityNameOfAMarkOnly)
{
    EXPECT_EQ(gotoWithName(markId), RTNORM);
    EXPECT_EQ(active(), "Sheet");
    toModel();
    EXPECT_EQ(gotoWithName(outlineId), RTNORM);  // an outline is not a mark here
    EXPECT_EQ(gotoWithName(markId, true), RTNORM);
    EXPECT_EQ(active(), "Model");
}

TEST_F(GotoMarkLayoutTest, InALayoutTheCommandSaysModelSpaceIsNeeded)
{
    setShort("TILEMODE", 0);
    takePrinted();
    preselect({markId});
    typed("KSGOTO\n");
    EXPECT_NE(takePrinted().find("You must be in model space to execute this command. \n"), std::string::npos);
}

TEST_F(GotoMarkLayoutTest, ASelectionThatIsNotOneMarkIsRefused)
{
    ViewportFrame other;
    other.center = AcGePoint3d(300, 200, 0);
    other.width = other.height = 40;
    typed("LAYOUT\nSet\nSheet\n");
    const AcDbObjectId secondMark = markViewport(makeViewport(other));
    toModel();
    preselect({markId, secondMark});
    typed("KSGOTO\n");
    std::string out = takePrinted();
    EXPECT_NE(out.find("You must choose an Kestra object and/or its irregular shape.\nYour selection is incorrect.\n"),
              std::string::npos)
        << out;
    preselect({appendLine()});
    typed("KSGOTO\n");
    out = takePrinted();
    EXPECT_NE(out.find("Your selection is incorrect.\n"), std::string::npos) << out;
    EXPECT_EQ(active(), "Model");
}

TEST_F(GotoMarkLayoutTest, AMarkWhoseLayoutWasDeletedSaysSoAndAMarkWithoutAssociationSaysNothing)
{
    // The layout deleted while the module did not follow (its mark stays, still indexed).
    state().reactorsSuspended = true;
    typed("LAYOUT\nDelete\nSheet\n");
    state().reactorsSuspended = false;
    ASSERT_FALSE(markId.isErased());
    toModel();
    preselect({markId});
    typed("KSGOTO\n");
    const std::string out = takePrinted();
    EXPECT_NE(out.find("| The layout has been erased or is invalid.\n| Can not activate it.\n"), std::string::npos)
        << out;
    EXPECT_EQ(active(), "Model");

    typed("LAYOUT\nSet\nLayout1\n");
    const AcDbObjectId loose = makeMark(makeViewport());  // a mark with no index pair
    toModel();
    EXPECT_EQ(gotoWithName(loose), RTNORM);
    EXPECT_EQ(takePrinted(), "");
    EXPECT_EQ(active(), "Model");
}

}  // namespace
