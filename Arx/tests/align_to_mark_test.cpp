// KSPLAN, KSUCS and KSVIEWUCS on the stand-in host: the UCS and the view they leave, the zoom
// that fits the mark, and the user's UCSFOLLOW, UCSICON and CMDECHO back on every path.
#include <cmath>

#include "acedads.h"
#include "aced.h"
#include "assoc_test_support.h"
#include "commands/mark_alignment.h"
#include "ed/view_transform.h"
#include "ed/views.h"
#include "shell/object_opener.h"
#include "commands/command_routines.h"

namespace {

using assoctest::takePrinted;
using assoctest::ViewportFrame;
using kestra::AlignMode;

int shortVariable(const char* name)
{
    resbuf rb;
    EXPECT_EQ(acedGetVar(name, &rb), RTNORM) << name;
    return rb.resval.rint;
}

double realVariable(const char* name)
{
    resbuf rb;
    EXPECT_EQ(acedGetVar(name, &rb), RTNORM) << name;
    return rb.resval.rreal;
}

AcGeMatrix3d currentUcs()
{
    AcGeMatrix3d ucs;
    EXPECT_EQ(acedGetCurrentUCS(ucs), Acad::eOk);
    return ucs;
}

bool sameMatrix(const AcGeMatrix3d& a, const AcGeMatrix3d& b, double tol = 1e-9)
{
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            if (std::fabs(a(r, c) - b(r, c)) > tol * (1.0 + std::fabs(b(r, c)))) return false;
    return true;
}

AcGeMatrix3d someUserUcs()
{
    AcGeMatrix3d ucs;
    ucs.setCoordSystem(AcGePoint3d(3.0, 4.0, 5.0), AcGeVector3d(0, 1, 0), AcGeVector3d(0, 0, 1), AcGeVector3d(1, 0, 0));
    return ucs;
}

struct MarkShape {
    AcGePoint3d corner1, corner2, corner3, center;
    AcGeVector3d normal;
    double height = 0.0;
};

class AlignToMarkTest : public assoctest::AssocHostTest {
protected:
    // A mark of a new viewport, with the Model tab current afterwards.
    AcDbObjectId markOf(const ViewportFrame& frame)
    {
        const AcDbObjectId markId = makeAssociatedMark(makeViewport(frame));
        setShort("TILEMODE", 1);
        takePrinted();
        return markId;
    }
    MarkShape shapeOf(AcDbObjectId markId)
    {
        kestra::ObjectOpener<VaduKestra> mark(markId, AcDb::kForRead);
        EXPECT_TRUE(mark.isOpen());
        MarkShape shape;
        if (!mark) return shape;
        shape = {mark->corner1(), mark->corner2(), mark->corner3(), mark->center(), mark->normal(), mark->height()};
        return shape;
    }
    arx::views::Viewport modelView()
    {
        arx::views::Viewport vp;
        EXPECT_EQ(arx::views::activeViewport(drawing(), vp), Acad::eOk);
        return vp;
    }
    // The mark as the only argument of an AutoLISP call, plus `extra` more when asked.
    int alignFromLisp(AlignMode mode, AcDbObjectId markId, int extra = 0)
    {
        resbuf args[2] = {};
        args[0].restype = RTENAME;
        acdbGetAdsName(args[0].resval.rlname, markId);
        if (extra > 0) {
            args[0].rbnext = &args[1];
            args[1].restype = RTSHORT;
            args[1].resval.rint = 1;
        }
        return kestra::alignToMark(mode, args);
    }
    // Where a world direction shows on the screen of the model view.
    AcGeVector3d onScreen(const arx::views::Viewport& vp, const AcGeVector3d& world)
    {
        AcGeMatrix3d toDcs;
        EXPECT_EQ(arx::view::wcsToDcs(vp.view(), toDcs), Acad::eOk);
        AcGeVector3d v = world;
        return v.transformBy(toDcs);
    }
    // The zoom height the mark's outline needs on the current screen.
    double expectedZoomHeight(const MarkShape& shape)
    {
        resbuf screen;
        EXPECT_EQ(acedGetVar("SCREENSIZE", &screen), RTNORM);
        const double w = shape.corner2.distanceTo(shape.corner3), h = shape.corner2.distanceTo(shape.corner1);
        return shape.height * kestra::fitFactor(w, h, screen.resval.rpoint[0], screen.resval.rpoint[1]) * 1.1;
    }
};

ViewportFrame twistedObliqueFrame()
{
    ViewportFrame frame;
    frame.direction = AcGeVector3d(1.0, -2.0, 1.5);
    frame.target = AcGePoint3d(20.0, 30.0, -5.0);
    frame.twist = 0.4;
    return frame;
}

}  // namespace

TEST(MarkAlignment, TheFitFactorLetsTheWiderOrTheTallerSideHoldTheZoom)
{
    // Screen 800 x 600. A wide outline is held by its width: height x 3 = 400 x 600 / 800.
    EXPECT_DOUBLE_EQ(kestra::fitFactor(400, 100, 800, 600), 3.0);
    // A tall one by its height.
    EXPECT_DOUBLE_EQ(kestra::fitFactor(100, 400, 800, 600), 1.0);
    // At equal proportions both rules meet, and just either side they stay close.
    EXPECT_DOUBLE_EQ(kestra::fitFactor(800, 600, 800, 600), 1.0);
    EXPECT_DOUBLE_EQ(kestra::fitFactor(800, 601, 800, 600), 1.0);
    EXPECT_DOUBLE_EQ(kestra::fitFactor(800, 599, 800, 600), 600.0 / 599.0);
}

TEST_F(AlignToMarkTest, KsUcsOnAPlanMarkGivesTheWorldMovedToCorner2AndLeavesTheView)
{
    const AcDbObjectId markId = markOf(ViewportFrame());
    const MarkShape shape = shapeOf(markId);
    const arx::views::Viewport before = modelView();
    typed("KSUCS\nALL\n\n");
    AcGeMatrix3d expected;
    expected.setToTranslation(shape.corner2.asVector());
    EXPECT_TRUE(sameMatrix(currentUcs(), expected));
    const arx::views::Viewport after = modelView();
    EXPECT_TRUE(after.view().direction.isEqualTo(before.view().direction));
    EXPECT_TRUE(after.view().viewCenter.isEqualTo(before.view().viewCenter));
    EXPECT_DOUBLE_EQ(after.view().viewHeight, before.view().viewHeight);
    EXPECT_EQ(shortVariable("UCSICON"), 3);
    EXPECT_EQ(shortVariable("UCSFOLLOW"), 0);
    EXPECT_EQ(takePrinted().find("Cannot"), std::string::npos);
}

TEST_F(AlignToMarkTest, KsPlanTurnsTheViewToTheMarkAndLeavesTheUcsExactlyAsItWas)
{
    const AcDbObjectId markId = markOf(twistedObliqueFrame());
    const MarkShape shape = shapeOf(markId);
    ASSERT_EQ(acedSetCurrentUCS(someUserUcs()), Acad::eOk);
    setShort("UCSICON", 1);
    setShort("CMDECHO", 1);
    typed("KSPLAN\nALL\n\n");

    EXPECT_TRUE(sameMatrix(currentUcs(), someUserUcs(), 1e-12));
    // The UCS history is the user's too: one step back is the world.
    ASSERT_EQ(acedRestorePreviousUCS(), Acad::eOk);
    EXPECT_TRUE(sameMatrix(currentUcs(), AcGeMatrix3d::kIdentity, 1e-12));

    const arx::views::Viewport vp = modelView();
    EXPECT_TRUE(vp.view().direction.normal().isEqualTo(shape.normal.normal(), AcGeTol()));
    const AcGeVector3d bottom = onScreen(vp, shape.corner3 - shape.corner2);
    EXPECT_NEAR(bottom.y / bottom.x, 0.0, 1e-9) << "the bottom edge lies along the screen's X axis";
    EXPECT_GT(bottom.x, 0.0);
    EXPECT_NEAR(vp.view().viewHeight, expectedZoomHeight(shape), 1e-9 * shape.height);
    const AcGeVector3d centerOnScreen = onScreen(vp, shape.center - vp.view().target);
    EXPECT_NEAR(centerOnScreen.x, vp.view().viewCenter.x, 1e-7 * shape.height);
    EXPECT_NEAR(centerOnScreen.y, vp.view().viewCenter.y, 1e-7 * shape.height);

    // CMDECHO was off for the zoom, which therefore did not show, and is on again.
    const std::string printed = takePrinted();
    EXPECT_EQ(printed.find("ZOOM"), std::string::npos) << printed;
    EXPECT_EQ(shortVariable("CMDECHO"), 1);
    EXPECT_EQ(shortVariable("UCSFOLLOW"), 0);
    EXPECT_EQ(shortVariable("UCSICON"), 1);
}

TEST_F(AlignToMarkTest, KsViewUcsMakesTheMarksSystemCurrentAndLooksAtItsPlan)
{
    const AcDbObjectId markId = markOf(twistedObliqueFrame());
    const MarkShape shape = shapeOf(markId);
    ASSERT_EQ(alignFromLisp(AlignMode::ViewUcs, markId), RTNORM);

    const AcGeVector3d x = (shape.corner3 - shape.corner2).normal();
    const AcGeVector3d z = shape.normal.normal();
    AcGeMatrix3d expected;
    expected.setCoordSystem(shape.corner2, x, z.crossProduct(x), z);
    EXPECT_TRUE(sameMatrix(currentUcs(), expected));
    const arx::views::Viewport vp = modelView();
    const AcGeVector3d screenX = onScreen(vp, x);
    EXPECT_NEAR(screenX.x, 1.0, 1e-9);
    EXPECT_NEAR(screenX.y, 0.0, 1e-9);
    EXPECT_NEAR(vp.view().viewHeight, expectedZoomHeight(shape), 1e-9 * shape.height);
    EXPECT_EQ(shortVariable("UCSFOLLOW"), 0);
    EXPECT_EQ(shortVariable("UCSICON"), 3);
}

TEST_F(AlignToMarkTest, TheZoomHeightFollowsTheWiderOrTheTallerSide)
{
    ViewportFrame wide;
    wide.width = 300.0;
    wide.height = 50.0;
    ViewportFrame tall;
    tall.width = 40.0;
    tall.height = 180.0;
    for (bool isWide : {true, false}) {
        const AcDbObjectId markId = markOf(isWide ? wide : tall);
        const MarkShape shape = shapeOf(markId);
        ASSERT_EQ(alignFromLisp(AlignMode::Plan, markId), RTNORM);
        resbuf screen;
        ASSERT_EQ(acedGetVar("SCREENSIZE", &screen), RTNORM);
        const double w = shape.corner2.distanceTo(shape.corner3);
        const double expected =
            isWide ? w * screen.resval.rpoint[1] / screen.resval.rpoint[0] * 1.1 : shape.height * 1.1;
        EXPECT_NEAR(realVariable("VIEWSIZE"), expected, 1e-9 * expected) << (isWide ? "wide" : "tall");
        setShort("TILEMODE", 0);
    }
}

TEST_F(AlignToMarkTest, WrongAutoLispArgumentsChangeNothing)
{
    const AcDbObjectId markId = markOf(ViewportFrame());
    const AcDbObjectId lineId = appendLine();
    setShort("UCSICON", 2);
    ASSERT_EQ(alignFromLisp(AlignMode::Ucs, markId, 1), RTNORM);
    EXPECT_EQ(takePrinted(), "Error -- Too many parameters!\nConsult the Help file.\n");
    ASSERT_EQ(alignFromLisp(AlignMode::Ucs, lineId), RTNORM);
    EXPECT_EQ(takePrinted(), "Error -- Incorrect parameters!\nConsult the Help file.\n");
    resbuf number = {};
    number.restype = RTSHORT;
    ASSERT_EQ(kestra::alignToMark(AlignMode::ViewUcs, &number), RTNORM);
    EXPECT_EQ(takePrinted(), "Error -- Incorrect parameters!\nConsult the Help file.\n");
    EXPECT_TRUE(sameMatrix(currentUcs(), AcGeMatrix3d::kIdentity, 0.0));
    EXPECT_EQ(shortVariable("UCSICON"), 2);
}

TEST_F(AlignToMarkTest, InALayoutNothingChanges)
{
    markOf(ViewportFrame());
    setShort("TILEMODE", 0);
    typed("KSPLAN\n");
    EXPECT_NE(takePrinted().find("You must be in model space to execute this function."), std::string::npos);
    EXPECT_TRUE(sameMatrix(currentUcs(), AcGeMatrix3d::kIdentity, 0.0));
}

TEST_F(AlignToMarkTest, ASelectionWithoutAMarkIsRefused)
{
    markOf(ViewportFrame());
    appendLine();
    typed("KSVIEWUCS\nL\n\n");
    const std::string printed = takePrinted();
    EXPECT_NE(printed.find("Select an Kestra object:  \n"), std::string::npos) << printed;
    EXPECT_NE(printed.find("Your selection is incorrect.\n"), std::string::npos) << printed;
    EXPECT_TRUE(sameMatrix(currentUcs(), AcGeMatrix3d::kIdentity, 0.0));
}

// A mark whose normal lies along its bottom edge has no coordinate system: the host refuses it,
// and KSPLAN must then not take back a UCS it never set, which would drop the user's.
TEST_F(AlignToMarkTest, AUcsTheHostRefusesLeavesTheUsersUcsAndVariables)
{
    const AcDbObjectId markId = markOf(ViewportFrame());
    {
        kestra::ObjectOpener<VaduKestra> mark(markId, AcDb::kForWrite);
        ASSERT_TRUE(mark.isOpen());
        mark->setNormal(AcGeVector3d::kXAxis);
    }
    ASSERT_EQ(acedSetCurrentUCS(someUserUcs()), Acad::eOk);
    setShort("UCSICON", 1);
    setShort("CMDECHO", 1);
    takePrinted();
    ASSERT_EQ(alignFromLisp(AlignMode::Plan, markId), RTNORM);
    EXPECT_NE(takePrinted().find("Cannot change the view angle.\n"), std::string::npos);
    EXPECT_TRUE(sameMatrix(currentUcs(), someUserUcs(), 1e-12));
    EXPECT_EQ(shortVariable("UCSFOLLOW"), 0);
    EXPECT_EQ(shortVariable("UCSICON"), 1);
    EXPECT_EQ(shortVariable("CMDECHO"), 1);
}

// The pick-first set is filtered down to marks and block references: a mark picked with a line
// is used without a prompt; two marks are refused.
TEST_F(AlignToMarkTest, ThePickFirstSetIsFilteredDownToOneMark)
{
    const AcDbObjectId markId = markOf(ViewportFrame());
    const MarkShape shape = shapeOf(markId);
    setShort("TILEMODE", 0);
    ViewportFrame second;
    second.center = AcGePoint3d(150.0, 250.0, 0.0);
    const AcDbObjectId otherId = markOf(second);
    const AcDbObjectId lineId = appendLine();
    auto pickFirst = [](std::initializer_list<AcDbObjectId> ids) {
        ads_name set = {0, 0};
        bool started = false;
        for (const AcDbObjectId& id : ids) {
            ads_name name;
            acdbGetAdsName(name, id);
            ASSERT_EQ(acedSSAdd(name, started ? set : nullptr, set), RTNORM);
            started = true;
        }
        ASSERT_EQ(acedSSSetFirst(set, nullptr), RTNORM);
        acedSSFree(set);
    };

    pickFirst({lineId, markId});
    typed("KSUCS\n");
    std::string printed = takePrinted();
    EXPECT_EQ(printed.find("Select objects"), std::string::npos) << printed;
    AcGeMatrix3d expected;
    expected.setToTranslation(shape.corner2.asVector());
    EXPECT_TRUE(sameMatrix(currentUcs(), expected));

    pickFirst({markId, otherId});
    typed("KSUCS\n");
    printed = takePrinted();
    EXPECT_NE(
        printed.find("You must choose an Kestra object and/or its irregular shape.\nYour selection is incorrect.\n"),
        std::string::npos)
        << printed;
    EXPECT_TRUE(sameMatrix(currentUcs(), expected)) << "unchanged";
}
