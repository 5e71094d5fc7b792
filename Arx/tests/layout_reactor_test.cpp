// The layout reactor on the host's LAYOUT command: deleting a layout warns once when it holds
// associated viewports and says nothing otherwise; renaming a layout rewrites the layout
// hyperlink of exactly that layout's marks and outline block references, also on locked
// layers and when the new name holds characters the selection patterns treat as wildcards.
#include <memory>
#include <string>
#include <vector>

#include "acdocman.h"
#include "assoc/association_maintenance.h"
#include "assoc/layer_state.h"
#include "assoc/layout_hyperlink.h"
#include "assoc/layout_reactor.h"
#include "assoc_test_support.h"
#include "shell/object_opener.h"

using namespace assoctest;
using namespace kestra;

namespace {

int occurrences(const std::string& text, const std::string& part)
{
    int count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
    return count;
}

class LayoutReactorTest : public AssocHostTest {
protected:
    void SetUp() override
    {
        AssocHostTest::SetUp();
        registerLayoutReactorClass();
        reactor = addLayoutReactor();
    }
    void TearDown() override
    {
        removeLayoutReactor(reactor);
        AssocHostTest::TearDown();
    }

    // A new layout made current.
    void newLayout(const std::string& name) { typed("LAYOUT\nNew\n" + name + "\nLAYOUT\nSet\n" + name + "\n"); }

    AcDbObjectId markedViewport(const ViewportFrame& frame = ViewportFrame(), bool clipped = false)
    {
        const AcDbObjectId viewportId = makeViewport(frame);
        if (clipped) clipViewport(viewportId, frame);
        return markViewport(viewportId);
    }

    static std::string linkOf(AcDbObjectId id)
    {
        ObjectOpener<AcDbEntity> entity(id, AcDb::kForRead, true);
        if (!entity) return "(not open)";
        return layoutOfHyperlink(*entity).value_or("(none)");
    }
    static AcDbObjectId outlineOf(AcDbObjectId markId)
    {
        ObjectOpener<VaduKestra> mark(markId, AcDb::kForRead, true);
        return mark ? mark->outlineBlockId() : AcDbObjectId();
    }

    std::unique_ptr<LayoutReactor> reactor;
};

TEST_F(LayoutReactorTest, DeletingALayoutWithoutAssociatedViewportsSaysNothing)
{
    typed("LAYOUT\nNew\nEmpty\nLAYOUT\nDelete\nEmpty\n");
    EXPECT_EQ(occurrences(takePrinted(), "depending Kestras"), 0) << "no marks at all";
    markedViewport();
    newLayout("Sheet");
    makeViewport();  // a viewport without a mark
    takePrinted();
    typed("LAYOUT\nDelete\nSheet\n");
    EXPECT_EQ(occurrences(takePrinted(), "depending Kestras"), 0);
}

TEST_F(LayoutReactorTest, DeletingALayoutWithTwoAssociatedViewportsWarnsOnceAndUndoBringsAllBack)
{
    const AcDbObjectId kept = markedViewport();
    newLayout("Sheet");
    ViewportFrame left, right;
    left.center = AcGePoint3d(60, 60, 0);
    left.width = left.height = 50;
    right.center = AcGePoint3d(200, 60, 0);
    right.width = right.height = 50;
    const AcDbObjectId first = markedViewport(left);
    const AcDbObjectId second = markedViewport(right, true);
    const AcDbObjectId outline = outlineOf(second);
    ASSERT_FALSE(outline.isNull());
    takePrinted();
    typed("LAYOUT\nDelete\nsheet\n");
    std::string out = takePrinted();
    // Typed at the command line the warning is an alert box.
    EXPECT_EQ(occurrences(out, "| The depending Kestras will be erased at the \n| next editing session.\n"), 1) << out;
    // Their viewports gone, the marks go too; the next verification finds the rest in order.
    EXPECT_EQ(verifyAssociations(true, false, curDoc()), 1);
    EXPECT_TRUE(isErased(first));
    EXPECT_TRUE(isErased(second));
    EXPECT_TRUE(isErased(outline));
    EXPECT_FALSE(isErased(kept));
    typed("U\n");
    EXPECT_FALSE(isErased(first));
    EXPECT_FALSE(isErased(second));
    EXPECT_FALSE(isErased(outline));
    EXPECT_EQ(verifyAssociations(true, false, curDoc()), 3);
    // From AutoLISP the warning goes to the command line.
    state().lispEvaluating = true;
    typed("LAYOUT\nDelete\nSheet\n");
    state().lispEvaluating = false;
    out = takePrinted();
    EXPECT_EQ(occurrences(out, "\nThe depending Kestras will be erased at the \nnext editing session.\n\n"), 1) << out;
}

TEST_F(LayoutReactorTest, RenamingRewritesTheLinksOfThatLayoutsMarksAndOutlinesOnly)
{
    ViewportFrame frame;
    const AcDbObjectId inFirst = markedViewport(frame, true);
    newLayout("Plan 11");
    const AcDbObjectId lookalike = markedViewport();
    newLayout("Sheet");
    const AcDbObjectId plain = markedViewport();
    const AcDbObjectId clipped = markedViewport(frame, true);
    // One of them on a locked layer: it is relinked and its layer locked again.
    const AcDbObjectId locked = makeLayer("LOCKED", kLayerLocked);
    moveToLayer(plain, locked);
    ASSERT_EQ(linkOf(plain), "Sheet");

    // "#" matches any digit in a selection pattern: "Plan 11" must not be taken for "Plan #1".
    typed("LAYOUT\nRename\nSheet\nPlan #1\n");
    EXPECT_EQ(linkOf(plain), "Plan #1");
    EXPECT_EQ(linkOf(clipped), "Plan #1");
    EXPECT_EQ(linkOf(outlineOf(clipped)), "Plan #1");
    EXPECT_EQ(linkOf(lookalike), "Plan 11");
    EXPECT_EQ(linkOf(inFirst), "Layout1");
    EXPECT_EQ(linkOf(outlineOf(inFirst)), "Layout1");
    EXPECT_EQ(getLayerState(locked).value_or(0) & kLayerLocked, kLayerLocked);
    EXPECT_EQ(countMarksWithHyperlink("plan #1"), 2);

    // Undo takes the rename and the links back together.
    typed("U\n");
    EXPECT_EQ(linkOf(plain), "Sheet");
    EXPECT_EQ(linkOf(outlineOf(clipped)), "Sheet");
}

TEST_F(LayoutReactorTest, ALayoutWhoseViewportsHaveNoMarksIsRenamedWithoutChangingAnyMark)
{
    const AcDbObjectId mark = markedViewport();
    newLayout("Sheet");
    makeViewport();
    takePrinted();
    typed("LAYOUT\nRename\nSheet\nOther\n");
    EXPECT_EQ(linkOf(mark), "Layout1");
    typed("LAYOUT\nRename\nLayout1\nFirst\n");
    EXPECT_EQ(linkOf(mark), "First");
}

TEST(LiteralPattern, EscapesEveryWildcardCharacterAndNothingElse)
{
    EXPECT_EQ(literalPattern("Layout1"), "Layout1");
    EXPECT_EQ(literalPattern("A#@.*?~[]-`,b"), "A`#`@`.`*`?`~`[`]`-```,b");
}

TEST_F(LayoutReactorTest, TheReactorIsARuntimeClassOfTheLayoutManagerReactorFamily)
{
    ASSERT_NE(LayoutReactor::desc(), nullptr);
    EXPECT_TRUE(reactor->isKindOf(AcDbLayoutManagerReactor::desc()));
    EXPECT_STREQ(LayoutReactor::desc()->name(), "LayoutReactor");
}

}  // namespace
