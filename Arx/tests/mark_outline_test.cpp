// The outline of a mark: filling it from a viewport's view variables, its paper corners, and
// the point tests on it.
#include <cmath>

#include "dbents.h"
#include "geplane.h"
#include "mark/viewport_projection.h"
#include "mark_test_support.h"

using marktest::MarkTest;
using marktest::viewVariables;

namespace {

// A mark whose outline is a 200 x 100 rectangle turned by `angle` about (200, 100, 5) in the
// plane of `normal` (corner 0 top-right as seen looking down the normal).
VaduKestra* outlineIn(const AcGeVector3d& normal, double angle)
{
    const AcGePlane plane(AcGePoint3d(200, 100, 5), normal);
    AcGePoint3d origin;
    AcGeVector3d x, y;
    plane.getCoordSystem(origin, x, y);
    x.rotateBy(angle, plane.normal());
    y.rotateBy(angle, plane.normal());
    auto corner = [&](double u, double v) { return origin + x * u + y * v; };
    auto* mark = new VaduKestra();
    mark->setFromViewport(corner(100, 50), corner(-100, 50), corner(-100, -50), corner(100, -50), 20.0,
                          AcDbHandle(0x77ull), normal);
    return mark;
}

}  // namespace

TEST_F(MarkTest, SetFromViewportFillsTheOutlineTheViewAndTheScale)
{
    viewVariables().viewMode = -2;  // read as a 16-bit value, sign-extended
    viewVariables().viewDir = AcGePoint3d(1, 2, 3);
    viewVariables().target = AcGePoint3d(4, 5, 6);
    viewVariables().frontZ = 7.5;
    viewVariables().backZ = -8.5;
    viewVariables().lensLength = 85.0;
    const AcGeVector3d normal = AcGeVector3d(1, -1, 2).normal();
    for (double angle : {0.0, 0.4, 3.5}) {
        VaduKestra* mark = outlineIn(normal, angle);
        mark->setScaleLabel("stale");
        EXPECT_TRUE(mark->center().isEqualTo(AcGePoint3d(200, 100, 5)));
        EXPECT_NEAR(mark->rotation(), -angle, 1e-12);
        EXPECT_NEAR(mark->zoomXp(), 0.2, 1e-15) << "paper height over model height";
        EXPECT_EQ(mark->normal(), normal);
        EXPECT_EQ(mark->paperHeight(), 20.0);
        EXPECT_EQ(mark->viewportHandle(), AcDbHandle(0x77ull));
        EXPECT_EQ(mark->viewMode(), -2);
        EXPECT_EQ(mark->viewDir(), AcGePoint3d(1, 2, 3));
        EXPECT_EQ(mark->viewTarget(), AcGePoint3d(4, 5, 6));
        EXPECT_EQ(mark->frontZ(), 7.5);
        EXPECT_EQ(mark->backZ(), -8.5);
        EXPECT_EQ(mark->lensLength(), 85.0);
        mark->setFromViewport(mark->corner0(), mark->corner1(), mark->corner2(), mark->corner3(), 20.0,
                              AcDbHandle(0x77ull), normal);
        EXPECT_STREQ(mark->scaleLabel(), "") << "a refitted mark has no label";
        delete mark;
    }
    EXPECT_EQ(takePrinted(), "");
}

TEST_F(MarkTest, SetFromViewportStopsAtTheFirstVariableThatCannotBeRead)
{
    const char* variables[] = {"VIEWMODE", "VIEWDIR", "TARGET", "FRONTZ", "BACKZ", "LENSLENGTH"};
    for (int unreadable = 0; unreadable < 6; ++unreadable) {
        viewVariables() = {};
        VaduKestra* mark = outlineIn(AcGeVector3d::kZAxis, 0.0);
        viewVariables() = {3,   AcGePoint3d(1, 1, 1),   AcGePoint3d(2, 2, 2), 4.0, 5.0, 6.0, 100.0,
                           0.0, {variables[unreadable]}};
        takePrinted();
        const AcGePoint3d moved[4] = {{10, 10, 0}, {0, 10, 0}, {0, 0, 0}, {10, 0, 0}};
        EXPECT_EQ(mark->setFromViewport(moved[0], moved[1], moved[2], moved[3], 99.0, AcDbHandle(0x5ull),
                                        AcGeVector3d(0, 0, 2)),
                  Acad::eInvalidInput);
        EXPECT_EQ(takePrinted(), std::string("Cannot read the variable ") + variables[unreadable] + ".\n");
        EXPECT_TRUE(mark->sameCorners(moved[0], moved[1], moved[2], moved[3])) << "the outline is set first";
        EXPECT_EQ(mark->center(), AcGePoint3d(5, 5, 0));
        EXPECT_EQ(mark->normal(), AcGeVector3d(0, 0, 2));
        EXPECT_EQ(mark->viewMode(), unreadable > 0 ? 3 : 0);
        EXPECT_EQ(mark->viewDir(), unreadable > 1 ? AcGePoint3d(1, 1, 1) : AcGePoint3d(0, 0, 1));
        EXPECT_EQ(mark->viewTarget(), unreadable > 2 ? AcGePoint3d(2, 2, 2) : AcGePoint3d::kOrigin);
        EXPECT_EQ(mark->frontZ(), unreadable > 3 ? 4.0 : 0.0);
        EXPECT_EQ(mark->backZ(), unreadable > 4 ? 5.0 : 0.0);
        EXPECT_EQ(mark->lensLength(), 50.0);
        EXPECT_EQ(mark->paperHeight(), 20.0) << "scale, rotation and handle keep their values";
        EXPECT_NEAR(mark->zoomXp(), 0.2, 1e-15);
        EXPECT_EQ(mark->viewportHandle(), AcDbHandle(0x77ull));
        delete mark;
    }
}

TEST_F(MarkTest, PaperCornersRunTopRightTopLeftBottomLeftBottomRight)
{
    AcDbViewport viewport;
    viewport.setCenterPoint(AcGePoint3d(150, 100, 0));
    viewport.setWidth(200);
    viewport.setHeight(100);
    const kestra::Corners corners = kestra::paperCorners(viewport);
    EXPECT_EQ(corners[0], AcGePoint3d(250, 150, 0));
    EXPECT_EQ(corners[1], AcGePoint3d(50, 150, 0));
    EXPECT_EQ(corners[2], AcGePoint3d(50, 50, 0));
    EXPECT_EQ(corners[3], AcGePoint3d(250, 50, 0));
}

TEST_F(MarkTest, IsOnOutlineMeansOnOneOfTheFourSideLines)
{
    VaduKestra* mark = outlineIn(AcGeVector3d(0, 1, 1).normal(), 0.9);
    const AcGePoint3d* c = mark->corners();
    for (int i = 0; i < 4; ++i) {
        const AcGePoint3d& a = c[i];
        const AcGePoint3d& b = c[(i + 1) % 4];
        EXPECT_TRUE(mark->isOnOutline(a + (b - a) * 0.3)) << "side " << i;
        EXPECT_TRUE(mark->isOnOutline(a + (b - a) * 2.5)) << "the lines are unbounded, side " << i;
    }
    EXPECT_FALSE(mark->isOnOutline(mark->center()));
    const AcGeVector3d off = mark->normal() * 1e-4;
    EXPECT_FALSE(mark->isOnOutline(c[0] + (c[1] - c[0]) * 0.5 + off));
    EXPECT_TRUE(mark->isOnOutline(c[0] + (c[1] - c[0]) * 0.5 + off * 0.05));
    delete mark;
}

TEST_F(MarkTest, ContainsTellsInsideFromOutsideAlsoOffThePlane)
{
    for (const AcGeVector3d& normal : {AcGeVector3d::kZAxis, AcGeVector3d(1, 2, -3).normal()}) {
        VaduKestra* mark = outlineIn(normal, 2.2);
        const AcGePoint3d* c = mark->corners();
        EXPECT_TRUE(mark->contains(mark->center()));
        EXPECT_TRUE(mark->contains(mark->center() + normal * 50.0)) << "seen along the plane's normal";
        EXPECT_TRUE(mark->contains(c[2] + (c[0] - c[2]) * 0.99));
        for (int i = 0; i < 4; ++i) {
            const AcGePoint3d middle = c[i] + (c[(i + 1) % 4] - c[i]) * 0.5;
            EXPECT_FALSE(mark->contains(middle + (middle - mark->center()) * 0.01)) << "beyond side " << i;
            EXPECT_TRUE(mark->contains(middle - (middle - mark->center()) * 0.01)) << "inside side " << i;
        }
        delete mark;
    }
}
