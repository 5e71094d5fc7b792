// Grip, stretch and snap editing of a mark, called as the host's grip mode and object snaps
// call them.
#include <cmath>

#include "dbapserv.h"
#include "mark/drag_scales.h"
#include "mark_test_support.h"

using marktest::MarkLispTest;

namespace {

// A 200 x 100 outline centred at (200, 100) at 1:10 (paper height 10), turned by `angle`.
VaduKestra* gripMark(double angle = 0.0)
{
    const AcGePoint3d center(200.0, 100.0, 0.0);
    AcGePoint3d c[4] = {{300.0, 150.0, 0.0}, {100.0, 150.0, 0.0}, {100.0, 50.0, 0.0}, {300.0, 50.0, 0.0}};
    for (AcGePoint3d& p : c) p.rotateBy(angle, AcGeVector3d::kZAxis, center);
    auto* mark = new VaduKestra();
    mark->setFromViewport(c[0], c[1], c[2], c[3], 10.0, AcDbHandle(0x2Full), AcGeVector3d::kZAxis);
    return mark;
}

AcDbIntArray grips(std::initializer_list<int> indices)
{
    AcDbIntArray array;
    for (int i : indices) array.append(i);
    return array;
}

class MarkGripTest : public MarkLispTest {
protected:
    void SetUp() override
    {
        MarkLispTest::SetUp();
        kestra::resetDragScales();
    }
    static void expectCorners(const VaduKestra& mark, const AcGePoint3d (&expected)[4])
    {
        for (int i = 0; i < 4; ++i)
            EXPECT_TRUE(mark.corners()[i].isEqualTo(expected[i]))
                << "corner " << i << ": " << mark.corners()[i].x << ", " << mark.corners()[i].y;
    }
};

}  // namespace

TEST_F(MarkGripTest, GripsAreTheCentreCornerZeroAndTheExtraGripsAndStretchPointsAreTheSame)
{
    VaduKestra* mark = gripMark();
    mark->appendExtraGrip(AcGePoint3d(1, 2, 3));
    AcGePoint3dArray points, stretch;
    AcDbIntArray modes, ids;
    ASSERT_EQ(mark->getGripPoints(points, modes, ids), Acad::eOk);
    ASSERT_EQ(points.length(), 3);
    EXPECT_EQ(points[0], AcGePoint3d(200, 100, 0));
    EXPECT_EQ(points[1], AcGePoint3d(300, 150, 0));
    EXPECT_EQ(points[2], AcGePoint3d(1, 2, 3));
    ASSERT_EQ(mark->getStretchPoints(stretch), Acad::eOk);
    ASSERT_EQ(stretch.length(), 3);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(stretch[i], points[i]);
    delete mark;
}

TEST_F(MarkGripTest, TheCentreGripAloneMovesTheMarkAndAStretchDoesTheSame)
{
    for (bool stretch : {false, true}) {
        VaduKestra* mark = gripMark(0.4);
        mark->setScaleLabel("1:10");
        const double rotation = mark->rotation();
        const AcGePoint3d before[4] = {mark->corner0(), mark->corner1(), mark->corner2(), mark->corner3()};
        const AcGeVector3d offset(15.0, -7.5, 2.0);
        const Acad::ErrorStatus status =
            stretch ? mark->moveStretchPointsAt(grips({0}), offset) : mark->moveGripPointsAt(grips({0}), offset);
        ASSERT_EQ(status, Acad::eOk);
        EXPECT_TRUE(mark->sameCorners(before[0] + offset, before[1] + offset, before[2] + offset, before[3] + offset));
        EXPECT_TRUE(mark->center().isEqualTo(AcGePoint3d(215.0, 92.5, 2.0)));
        EXPECT_NEAR(mark->rotation(), rotation, 1e-12);
        EXPECT_NEAR(mark->zoomXp(), 0.1, 1e-12);
        EXPECT_STREQ(mark->scaleLabel(), "");
        delete mark;
    }
}

TEST_F(MarkGripTest, TheCornerGripAloneResizesAboutTheCentreKeepingShapeAndRotation)
{
    withoutInterpreter();  // never reads the scale list: a missing one would be reported
    const double angle = 0.5;
    VaduKestra* mark = gripMark(angle);
    mark->appendExtraGrip(AcGePoint3d(9, 9, 9));
    const AcGePoint3d center = mark->center();
    const AcGeVector3d diagonal = mark->corner0() - center;
    // Off the diagonal and off the plane: only the part along the diagonal counts.
    const AcGeVector3d offset =
        diagonal * 1.5 + AcGeVector3d(-diagonal.y, diagonal.x, 0.0) * 0.3 + AcGeVector3d(0, 0, 40.0);
    ASSERT_EQ(mark->moveGripPointsAt(grips({1}), offset), Acad::eOk);
    VaduKestra* expected = gripMark(angle);
    expected->setScale(center, 0.04);  // two and a half times larger
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(mark->corners()[i].isEqualTo(expected->corners()[i], AcGeTol())) << i;
    EXPECT_TRUE(mark->center().isEqualTo(center));
    EXPECT_NEAR(mark->rotation(), -angle, 1e-9);
    EXPECT_NEAR(mark->width() / mark->height(), 2.0, 1e-9);
    EXPECT_NEAR(mark->zoomXp(), 0.04, 1e-12);
    EXPECT_STREQ(mark->scaleLabel(), "1:25.00");
    EXPECT_TRUE(mark->extraGrips().isEmpty());
    EXPECT_EQ(takePrinted(), "");
    delete expected;
    delete mark;
}

TEST_F(MarkGripTest, ACornerDraggedBeyondTheCentreLeavesTheOutlineButRenamesTheScale)
{
    VaduKestra* mark = gripMark();
    mark->setZoomXp(0.5);  // stale: the edit recomputes it
    const AcGePoint3d before[4] = {mark->corner0(), mark->corner1(), mark->corner2(), mark->corner3()};
    for (double beyond : {-1.0, -2.5}) {
        ASSERT_EQ(mark->moveGripPointsAt(grips({1}), (mark->corner0() - mark->center()) * (beyond - 1e-7)), Acad::eOk);
        expectCorners(*mark, before);
        EXPECT_NEAR(mark->zoomXp(), 0.1, 1e-12);
        EXPECT_STREQ(mark->scaleLabel(), "1:10.00");
    }
    delete mark;
}

TEST_F(MarkGripTest, CentreAndCornerTogetherMoveCornerZeroAloneAndOfferTheStandardScales)
{
    evaluate("(setq vadu_mep::lst_echelle '((\"1:50\" \"50\") (\"1:100\" \"100\")))");
    VaduKestra* mark = gripMark();
    // Along the diagonal by a quarter of its length; the centre grip does not move the mark.
    ASSERT_EQ(mark->moveGripPointsAt(grips({0, 1}), AcGeVector3d(25.0, 12.5, 0.0)), Acad::eOk);
    const AcGePoint3d expected[4] = {{325.0, 162.5, 0.0}, {100.0, 162.5, 0.0}, {100.0, 50.0, 0.0}, {325.0, 50.0, 0.0}};
    expectCorners(*mark, expected);
    EXPECT_TRUE(mark->center().isEqualTo(AcGePoint3d(212.5, 106.25, 0.0)));
    EXPECT_NEAR(mark->zoomXp(), 10.0 / 112.5, 1e-12);
    EXPECT_STREQ(mark->scaleLabel(), "1:11.25");
    const kestra::DragScales& scales = kestra::dragScales();
    EXPECT_EQ(scales.names, (std::vector<std::string>{"1:50", "1:100"}));
    ASSERT_EQ(mark->extraGrips().length(), 2);

    // Dropping corner 0 alone on the 1:100 grip gives exactly that scale.
    const AcGeVector3d toGrip = mark->extraGrips()[1] - mark->corner0();
    ASSERT_EQ(mark->moveGripPointsAt(grips({1}), toGrip), Acad::eOk);
    EXPECT_NEAR(mark->zoomXp(), 0.01, 1e-12);
    EXPECT_TRUE(mark->corner0().isEqualTo(
        mark->center() + (AcGePoint3d(325.0, 162.5, 0.0) - AcGePoint3d(212.5, 106.25, 0.0)) * (100.0 / 11.25)));
    EXPECT_TRUE(mark->extraGrips().isEmpty()) << "a resize drops the offered grips";
    EXPECT_TRUE(kestra::dragScales().names.empty());
    delete mark;
}

TEST_F(MarkGripTest, CentreAndCornerTogetherStopWhenTheScaleListIsMissingOrNotAList)
{
    {
        VaduKestra* mark = gripMark();
        evaluate("(setq vadu_mep::lst_echelle 12)");
        EXPECT_EQ(mark->moveGripPointsAt(grips({1, 0}), AcGeVector3d(25.0, 12.5, 0.0)), Acad::eInvalidInput);
        EXPECT_EQ(takePrinted(), "") << "not a list: silently";
        EXPECT_STREQ(mark->scaleLabel(), "") << "stopped before the label";
        delete mark;
    }
    withoutInterpreter();
    VaduKestra* mark = gripMark();
    EXPECT_EQ(mark->moveGripPointsAt(grips({0, 1}), AcGeVector3d(25.0, 12.5, 0.0)), Acad::eInvalidInput);
    EXPECT_EQ(takePrinted(), "Cannot find the variable: vadu_mep::lst_echelle\n");
    delete mark;
}

TEST_F(MarkGripTest, ExtraGripsAndUnknownGripsMoveNothing)
{
    VaduKestra* mark = gripMark();
    mark->appendExtraGrip(AcGePoint3d(1, 2, 3));
    const AcGePoint3d before[4] = {mark->corner0(), mark->corner1(), mark->corner2(), mark->corner3()};
    ASSERT_EQ(mark->moveGripPointsAt(grips({2, 7, -1}), AcGeVector3d(5, 5, 0)), Acad::eOk);
    expectCorners(*mark, before);
    EXPECT_EQ(mark->extraGrips().length(), 1);
    // The centre with an extra grip still weighs one: the mark moves.
    ASSERT_EQ(mark->moveGripPointsAt(grips({2, 0}), AcGeVector3d(5, 5, 0)), Acad::eOk);
    EXPECT_TRUE(mark->center().isEqualTo(AcGePoint3d(205, 105, 0)));
    delete mark;
}

TEST_F(MarkGripTest, SnapsGiveCornersMidpointsAndCentreAndRefuseTheOthers)
{
    VaduKestra* mark = gripMark();
    const AcGePoint3d none;
    auto snaps = [&](AcDb::OsnapMode mode, const AcGePoint3d& pick, const AcGePoint3d& last,
                     Acad::ErrorStatus expected) {
        AcGePoint3dArray points;
        AcDbIntArray ids;
        EXPECT_EQ(mark->getOsnapPoints(mode, 0, pick, last, AcGeMatrix3d::kIdentity, points, ids), expected) << mode;
        return points;
    };
    AcGePoint3dArray points = snaps(AcDb::kOsModeEnd, none, none, Acad::eOk);
    ASSERT_EQ(points.length(), 4);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(points[i], mark->corners()[i]);
    points = snaps(AcDb::kOsModeMid, none, none, Acad::eOk);
    ASSERT_EQ(points.length(), 4);
    EXPECT_EQ(points[0], AcGePoint3d(200, 150, 0));
    EXPECT_EQ(points[1], AcGePoint3d(100, 100, 0));
    EXPECT_EQ(points[2], AcGePoint3d(200, 50, 0));
    EXPECT_EQ(points[3], AcGePoint3d(300, 100, 0));
    points = snaps(AcDb::kOsModeCen, none, none, Acad::eOk);
    ASSERT_EQ(points.length(), 1);
    EXPECT_EQ(points[0], AcGePoint3d(200, 100, 0));
    for (AcDb::OsnapMode mode : {AcDb::kOsModeNode, AcDb::kOsModeQuad, AcDb::kOsModeIns})
        EXPECT_EQ(snaps(mode, none, none, Acad::eOk).length(), 0);
    for (AcDb::OsnapMode mode : {AcDb::kOsModeIntersec, AcDb::kOsModeTan, AcDb::kOsModeApint})
        EXPECT_EQ(snaps(mode, none, none, Acad::eInvalidInput).length(), 0);
    delete mark;
}

TEST_F(MarkGripTest, PerpendicularAndNearestSnapsProjectOntoEachSideLineAlongTheUcsZAxis)
{
    // A mark standing in the world XZ plane: seen along Z its bottom and top sides overlap.
    auto* mark = new VaduKestra();
    mark->setFromViewport(AcGePoint3d(300, 0, 150), AcGePoint3d(100, 0, 150), AcGePoint3d(100, 0, 50),
                          AcGePoint3d(300, 0, 50), 10.0, AcDbHandle(0x2Full), AcGeVector3d(0, -1, 0));
    const AcGePoint3d point(400.0, 30.0, 500.0);
    for (AcDb::OsnapMode mode : {AcDb::kOsModePerp, AcDb::kOsModeNear}) {
        AcGePoint3dArray points;
        AcDbIntArray ids;
        const AcGePoint3d pick = mode == AcDb::kOsModeNear ? point : AcGePoint3d(-1, -1, -1);
        const AcGePoint3d last = mode == AcDb::kOsModePerp ? point : AcGePoint3d(-1, -1, -1);
        ASSERT_EQ(mark->getOsnapPoints(mode, 0, pick, last, AcGeMatrix3d::kIdentity, points, ids), Acad::eOk);
        ASSERT_EQ(points.length(), 4) << mode;
        // Top and bottom run along X: seen along Z the point lies over x = 400 of each.
        EXPECT_TRUE(points[0].isEqualTo(AcGePoint3d(400, 0, 150)));
        EXPECT_TRUE(points[2].isEqualTo(AcGePoint3d(400, 0, 50)));
        // The vertical sides run along Z itself: the closest point of each line.
        EXPECT_TRUE(points[1].isEqualTo(AcGePoint3d(100, 0, 500)));
        EXPECT_TRUE(points[3].isEqualTo(AcGePoint3d(300, 0, 500)));
    }
    // A UCS turned about X looks at the mark square on.
    db->setUcsdir(AcGeVector3d::kXAxis, AcGeVector3d::kZAxis);
    AcGePoint3dArray points;
    AcDbIntArray ids;
    ASSERT_EQ(mark->getOsnapPoints(AcDb::kOsModeNear, 0, point, point, AcGeMatrix3d::kIdentity, points, ids),
              Acad::eOk);
    EXPECT_TRUE(points[1].isEqualTo(AcGePoint3d(100, 0, 500)));
    EXPECT_TRUE(points[0].isEqualTo(AcGePoint3d(400, 0, 150)));
    delete mark;
}
