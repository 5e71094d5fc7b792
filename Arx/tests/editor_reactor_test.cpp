// The editor reactor on the stand-in host running in this process: the plot check before
// PLOT and PREVIEW, copy stripping at the end of a command, the VPCLIP reminder and the
// rebuild before a save.
#include <numbers>

#include "acedads.h"
#include "assoc/association_store.h"
#include "assoc/msv_editor_reactor.h"
#include "assoc/view_agreement.h"
#include "assoc_test_support.h"
#include "dbidmap.h"
#include "shell/kestra_module.h"
#include "shell/object_opener.h"

using namespace assoctest;
using namespace kestra;

namespace {

constexpr const char* kPlotWarning = "One or many views do not conform to the Kestra object(s). \n"
                                     "Execute the KS2 command to restore them or KS1 to redefine Kestra objects.\n";

class EditorReactorTest : public AssocHostTest {
protected:
    void TearDown() override
    {
        kestraModule()->settings.badPlotAlert = true;
        AssocHostTest::TearDown();
    }
    void zoom(AcDbObjectId viewportId, double viewHeight)
    {
        ObjectOpener<AcDbViewport> viewport(viewportId, AcDb::kForWrite);
        viewport->setViewHeight(viewHeight);
    }
    std::string plotCheck(const char* command = "PLOT")
    {
        takePrinted();
        reactor.commandWillStart(command);
        return takePrinted();
    }
    MsvEditorReactor reactor;
};

}  // namespace

TEST(ViewAgreementTest, TwistAndRotationCompareAsDirectionsWholeTurnsAside)
{
    const double degree = std::numbers::pi / 180.0;
    // A viewport twisted by 30 degrees gives its mark a rotation of -330 degrees.
    EXPECT_TRUE(twistMatchesRotation(30 * degree, -330 * degree));
    EXPECT_TRUE(twistMatchesRotation(-90 * degree, -90 * degree));
    EXPECT_TRUE(twistMatchesRotation(0.0, 0.0));
    EXPECT_TRUE(twistMatchesRotation(2 * std::numbers::pi - 1e-9, 0.0)) << "just under a turn is no twist";
    EXPECT_TRUE(twistMatchesRotation(200 * degree, -160 * degree));
    EXPECT_FALSE(twistMatchesRotation(30 * degree, -30 * degree)) << "the outline turned the other way";
    EXPECT_FALSE(twistMatchesRotation(30 * degree, -330 * degree + 1e-5));
}

TEST(ViewAgreementTest, TheCentreComparisonStaysDefinedForAMarkOnTheOrigin)
{
    EXPECT_TRUE(centerMatches(AcGePoint3d::kOrigin, AcGePoint3d::kOrigin));
    EXPECT_TRUE(centerMatches(AcGePoint3d::kOrigin, AcGePoint3d(5e-7, 0, 0)));
    EXPECT_FALSE(centerMatches(AcGePoint3d::kOrigin, AcGePoint3d(1e-3, 0, 0)));
    EXPECT_TRUE(centerMatches(AcGePoint3d(1e6, 0, 0), AcGePoint3d(1e6 + 0.5, 0, 0))) << "relative far out";
    EXPECT_FALSE(centerMatches(AcGePoint3d(1e6, 0, 0), AcGePoint3d(1e6 + 5, 0, 0)));
}

TEST_F(EditorReactorTest, PlottingALayoutWhoseViewportsMatchTheirMarksSaysNothing)
{
    makeAssociatedMark(makeViewport());
    ViewportFrame twisted;
    twisted.center = AcGePoint3d(400, 100, 0);
    twisted.twist = std::numbers::pi / 6;
    twisted.viewCenter = AcGePoint2d(0, 0);
    makeAssociatedMark(makeViewport(twisted));
    ViewportFrame twistedAside;  // a view centre off the target, turned by the twist
    twistedAside.center = AcGePoint3d(400, 300, 0);
    twistedAside.twist = 1.2;
    twistedAside.target = AcGePoint3d(30, -20, 0);
    makeAssociatedMark(makeViewport(twistedAside));
    ViewportFrame atOrigin;
    atOrigin.center = AcGePoint3d(150, 300, 0);
    atOrigin.viewCenter = AcGePoint2d(0, 0);
    makeAssociatedMark(makeViewport(atOrigin));
    EXPECT_EQ(plotCheck("PLOT"), "");
    EXPECT_EQ(plotCheck("preview"), "");
}

TEST_F(EditorReactorTest, AfterAZoomThePlotWarningComesOnceWhateverTheNumberOfViewports)
{
    const AcDbObjectId first = makeViewport();
    makeAssociatedMark(first);
    ViewportFrame frame;
    frame.center = AcGePoint3d(400, 100, 0);
    const AcDbObjectId second = makeViewport(frame);
    makeAssociatedMark(second);
    zoom(first, 1200.0);
    zoom(second, 800.0);
    EXPECT_EQ(plotCheck("PLOT"), "\n" + std::string(kPlotWarning));
    EXPECT_EQ(plotCheck("Preview"), "\n" + std::string(kPlotWarning));
    EXPECT_EQ(plotCheck("LINE"), "") << "only before a plot";
    kestraModule()->settings.badPlotAlert = false;
    EXPECT_EQ(plotCheck("PLOT"), "") << "switched off";
    kestraModule()->settings.badPlotAlert = true;
    activate(first);  // a floating viewport current: no check
    EXPECT_EQ(plotCheck("PLOT"), "");
}

TEST_F(EditorReactorTest, ACopiedViewportLeavesTheCommandUnassociated)
{
    const AcDbObjectId viewportId = makeViewport();
    makeAssociatedMark(viewportId);
    reactor.commandWillStart("COPY");
    AcDbObjectIdArray ids;
    ids.append(viewportId);
    AcDbObjectId owner;
    {
        ObjectOpener<AcDbViewport> viewport(viewportId, AcDb::kForRead);
        owner = viewport->ownerId();
    }
    AcDbIdMapping map;
    ASSERT_EQ(drawing()->deepCloneObjects(ids, owner, map), Acad::eOk);
    AcDbIdPair pair(viewportId, AcDbObjectId(), true);
    ASSERT_TRUE(map.compute(pair));
    const AcDbObjectId copyId = pair.value();
    ASSERT_EQ(kestraModule()->copiedObjects.size(), 1u);
    reactor.commandEnded("COPY");
    EXPECT_TRUE(kestraModule()->copiedObjects.empty());

    const ReactorObjects reactors = getReactorObjects();
    ObjectOpener<AcDbViewport> copy(copyId, AcDb::kForRead);
    ObjectOpener<AcDbViewport> original(viewportId, AcDb::kForRead);
    EXPECT_FALSE(hasPersistentReactor(*copy, reactors.viewport));
    AcDbObjectId partner;
    EXPECT_FALSE(readPartnerHandle(*copy, partner));
    EXPECT_TRUE(hasPersistentReactor(*original, reactors.viewport)) << "the viewport copied stays linked";
    EXPECT_TRUE(readPartnerHandle(*original, partner));
}

TEST_F(EditorReactorTest, VpclipRemindsToMarkTheViewportAgainWhateverTheCase)
{
    for (const char* name : {"VPCLIP", "vpclip", "VpClip"}) {
        takePrinted();
        reactor.commandEnded(name);
        EXPECT_NE(takePrinted().find("Type KS1 to recreate a Kestra in the new viewport."), std::string::npos) << name;
    }
    reactor.commandEnded("MVIEW");
    EXPECT_EQ(takePrinted().find("Type KS1"), std::string::npos);
}

TEST_F(EditorReactorTest, SavingRebuildsTheViewportIndex)
{
    makeMark(makeViewport());  // a mark whose association was never recorded
    IndexPairs pairs;
    readIndexPairs(kStoreName, pairs);
    EXPECT_TRUE(pairs.empty());
    reactor.beginSave(drawing(), "saved.dxf");
    ASSERT_EQ(readIndexPairs(kStoreName, pairs), Acad::eOk);
    EXPECT_EQ(pairs.size(), 1u);
}

TEST_F(EditorReactorTest, TheLispFlagBracketsEveryEvaluation)
{
    reactor.lispWillStart("(command \"PLOT\")");
    EXPECT_TRUE(state().lispEvaluating);
    reactor.lispEnded();
    EXPECT_FALSE(state().lispEvaluating);
    reactor.lispWillStart("(princ)");
    reactor.lispCancelled();
    EXPECT_FALSE(state().lispEvaluating);
}
