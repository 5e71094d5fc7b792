// The view transforms behind acedTrans: WCS <-> DCS of a view, PSDCS <-> DCS of a floating
// viewport, the outline a viewport shows and the perspective projection. Property tests
// over many random views, with the arbitrary-axis switch cases among them.
#include "ed/view_transform.h"

#include <vector>

#include "gelib.h"
#include "ge_test_support.h"

using namespace ge_test;
using namespace arx::view;

namespace {

// The DXF reference's arbitrary-axis X for a direction, written out independently.
AcGeVector3d expectedDcsXAxis(const AcGeVector3d& dir)
{
    const AcGeVector3d n = dir / dir.length();
    const bool nearZ = std::fabs(n.x) < 1.0 / 64 && std::fabs(n.y) < 1.0 / 64;
    const AcGeVector3d x = nearZ ? AcGeVector3d(0, 1, 0).crossProduct(n) : AcGeVector3d(0, 0, 1).crossProduct(n);
    return x / x.length();
}

// Directions that exercise both branches of the algorithm and its boundary.
std::vector<AcGeVector3d> viewDirections(Random& rnd)
{
    std::vector<AcGeVector3d> dirs = {
        {0, 0, 1},        {0, 0, -1},      {1, 0, 0},           {-1, 0, 0},     {0, 1, 0},
        {0, -1, 0},       {1, 1, 1},       {-1, -1, 1},         {0.0156, 0, 1}, {0.0157, 0, 1},
        {0, -0.0156, -1}, {0, 0.0157, -1}, {0.0156, 0.0156, 1}, {3, -4, 0.001},
    };
    for (int i = 0; i < 150; ++i) dirs.push_back(rnd.vector());
    return dirs;
}

ViewRecord randomView(Random& rnd, const AcGeVector3d& dir)
{
    ViewRecord v;
    v.target = rnd.point();
    v.direction = dir * rnd.uniform(0.1, 500.0);
    v.twist = rnd.angle();
    v.viewCenter = AcGePoint2d(rnd.uniform(-100, 100), rnd.uniform(-100, 100));
    v.viewHeight = rnd.uniform(0.5, 5000.0);
    return v;
}

FloatingViewport randomViewport(Random& rnd, const AcGeVector3d& dir)
{
    FloatingViewport vp;
    vp.centerPoint = AcGePoint3d(rnd.uniform(0, 400), rnd.uniform(0, 300), 0.0);
    vp.width = rnd.uniform(5, 400);
    vp.height = rnd.uniform(5, 300);
    vp.view = randomView(rnd, dir);
    return vp;
}

AcGeMatrix3d toDcs(const ViewRecord& v)
{
    AcGeMatrix3d m;
    EXPECT_EQ(wcsToDcs(v, m), Acad::eOk);
    return m;
}

AcGeMatrix3d toWcs(const ViewRecord& v)
{
    AcGeMatrix3d m;
    EXPECT_EQ(dcsToWcs(v, m), Acad::eOk);
    return m;
}

}  // namespace

TEST(ViewTransform, PlanViewIsTheWorldMovedToTheTarget)
{
    Random rnd;
    ViewRecord plan;
    plan.target = AcGePoint3d(10, 20, 30);
    plan.direction = AcGeVector3d(0, 0, 1);
    for (int i = 0; i < 50; ++i) {
        const AcGePoint3d p = rnd.point();
        EXPECT_TRUE(near(toDcs(plan) * p, p - plan.target.asVector(), 1e-9));
    }
    EXPECT_TRUE(near(toWcs(plan), AcGeMatrix3d::translation(AcGeVector3d(10, 20, 30)), 1e-15));
}

TEST(ViewTransform, DisplaySystemOfEveryDirection)
{
    Random rnd;
    for (const AcGeVector3d& dir : viewDirections(rnd)) {
        ViewRecord v = randomView(rnd, dir);
        const AcGeMatrix3d w = toWcs(v);
        // Origin at the target, Z towards the viewer, a rigid right-handed frame.
        EXPECT_TRUE(near(w * AcGePoint3d::kOrigin, v.target, 1e-9));
        EXPECT_TRUE(near(w * AcGeVector3d::kZAxis, dir.normal(), 1e-12));
        EXPECT_TRUE(w.isUniScaledOrtho());
        EXPECT_NEAR(w.det(), 1.0, 1e-12);
        EXPECT_TRUE(near(toDcs(v) * w, AcGeMatrix3d::kIdentity, 1e-9));
        // Without twist the DCS X axis is the arbitrary-axis X of the direction.
        v.twist = 0.0;
        EXPECT_TRUE(near(toWcs(v) * AcGeVector3d::kXAxis, expectedDcsXAxis(dir), 1e-12));
    }
}

TEST(ViewTransform, RoundTripsWorldThroughDisplay)
{
    Random rnd;
    for (const AcGeVector3d& dir : viewDirections(rnd)) {
        const ViewRecord v = randomView(rnd, dir);
        for (int i = 0; i < 5; ++i) {
            const AcGePoint3d p = rnd.point(1e4);
            EXPECT_TRUE(near(toWcs(v) * (toDcs(v) * p), p, 1e-8));
            EXPECT_TRUE(near(toDcs(v) * (toWcs(v) * p), p, 1e-8));
        }
    }
}

TEST(ViewTransform, PositiveTwistTurnsTheDisplayedModelCounterclockwise)
{
    // Looking down on the XY plane: the world point on the X axis, on the display's +X at
    // twist 0, shows on the display's +Y at twist 90 degrees.
    ViewRecord v;
    v.twist = kPi / 2;
    EXPECT_TRUE(near(toDcs(v) * AcGePoint3d(1, 0, 0), AcGePoint3d(0, 1, 0), 1e-15));
    EXPECT_TRUE(near(toDcs(v) * AcGePoint3d(0, 1, 0), AcGePoint3d(-1, 0, 0), 1e-15));

    // For every direction: twisting turns the display coordinates by the twist about the
    // display Z axis, counterclockwise.
    Random rnd;
    for (const AcGeVector3d& dir : viewDirections(rnd)) {
        ViewRecord untwisted = randomView(rnd, dir);
        ViewRecord twisted = untwisted;
        untwisted.twist = 0.0;
        const AcGePoint3d p = rnd.point();
        AcGePoint3d expected = toDcs(untwisted) * p;
        expected.rotateBy(twisted.twist, AcGeVector3d::kZAxis);
        EXPECT_TRUE(near(toDcs(twisted) * p, expected, 1e-8));
    }
}

TEST(ViewTransform, PaperCornersMapOntoTheDisplayRectangle)
{
    Random rnd;
    for (const AcGeVector3d& dir : viewDirections(rnd)) {
        const FloatingViewport vp = randomViewport(rnd, dir);
        AcGeMatrix3d toDisplay, toPaper;
        ASSERT_EQ(psdcsToDcs(vp, toDisplay), Acad::eOk);
        ASSERT_EQ(dcsToPsdcs(vp, toPaper), Acad::eOk);
        const double s = vp.view.viewHeight / vp.height;
        EXPECT_DOUBLE_EQ(psdcsScale(vp), s);
        AcGePoint3d corners[4];
        paperCorners(vp, corners);
        const AcGePoint2d& c = vp.view.viewCenter;
        const double hw = vp.width * s / 2, hh = vp.view.viewHeight / 2;
        const AcGePoint3d expected[4] = {
            {c.x + hw, c.y + hh, 0}, {c.x - hw, c.y + hh, 0}, {c.x - hw, c.y - hh, 0}, {c.x + hw, c.y - hh, 0}};
        for (int i = 0; i < 4; ++i) {
            EXPECT_TRUE(near(toDisplay * corners[i], expected[i], 1e-9));
            EXPECT_TRUE(near(toPaper * expected[i], corners[i], 1e-9));
        }
        EXPECT_TRUE(near(toDisplay * vp.centerPoint, AcGePoint3d(c.x, c.y, 0), 1e-9));
        // Displacements are only scaled; Z is scaled and never moved.
        EXPECT_TRUE(near(toDisplay * AcGeVector3d(1, 2, 3), AcGeVector3d(s, 2 * s, 3 * s), 1e-9));
        EXPECT_TRUE(
            near(toDisplay * AcGePoint3d(vp.centerPoint.x, vp.centerPoint.y, 2), AcGePoint3d(c.x, c.y, 2 * s), 1e-9));
    }
    // The sheet's Z is not moved either when the viewport sits off the sheet plane.
    FloatingViewport raised = randomViewport(rnd, AcGeVector3d::kZAxis);
    raised.centerPoint.z = 7.0;
    AcGeMatrix3d m;
    ASSERT_EQ(psdcsToDcs(raised, m), Acad::eOk);
    EXPECT_NEAR((m * raised.centerPoint).z, 7.0 * psdcsScale(raised), 1e-9);
}

TEST(ViewTransform, OutlineIsWhatTheViewportShows)
{
    Random rnd;
    for (const AcGeVector3d& dir : viewDirections(rnd)) {
        const FloatingViewport vp = randomViewport(rnd, dir);
        ViewportOutline o;
        ASSERT_EQ(viewportOutline(vp, o), Acad::eOk);
        const AcGeMatrix3d w = toWcs(vp.view);
        for (int i = 0; i < 4; ++i) {
            EXPECT_TRUE(near(o.wcs[i], w * o.dcs[i], 1e-9));
            AcGePoint3d back;
            ASSERT_EQ(wcsToPaper(vp, o.wcs[i], back), Acad::eOk);
            EXPECT_TRUE(near(back, o.paper[i], 1e-7));
        }
        // Corner 0 -> 3 is the view height, 0 -> 1 the shown width, 2 -> 3 the display's +X.
        EXPECT_NEAR(o.wcs[0].distanceTo(o.wcs[3]), vp.view.viewHeight, 1e-9 * vp.view.viewHeight);
        EXPECT_NEAR(o.wcs[0].distanceTo(o.wcs[1]), vp.width * psdcsScale(vp), 1e-9 * vp.view.viewHeight);
        EXPECT_TRUE((o.wcs[3] - o.wcs[2]).isCodirectionalTo(w * AcGeVector3d::kXAxis, AcGeTol()));
        // The outline lies in the plane through the target facing the viewer.
        const AcGePlane facing(vp.view.target, vp.view.direction);
        for (const AcGePoint3d& p : o.wcs) EXPECT_NEAR(facing.signedDistanceTo(p), 0.0, 1e-8);
    }
}

TEST(ViewTransform, ReAimingAViewportAtItsOutlineReproducesIt)
{
    // What the plug-in does: take the outline's centre, height, normal and rotation (minus
    // the angle of corner 2 -> 3 on the plane through the centre), set the view direction and
    // target, zoom to the centre with that height and twist by the rotation.
    Random rnd;
    for (const AcGeVector3d& dir : viewDirections(rnd)) {
        FloatingViewport vp = randomViewport(rnd, dir);
        ViewportOutline before;
        ASSERT_EQ(viewportOutline(vp, before), Acad::eOk);
        const AcGePoint3d center = before.wcs[2] + (before.wcs[0] - before.wcs[2]) * 0.5;
        const AcGeVector3d normal = vp.view.direction;
        const double rotation = -(before.wcs[3] - before.wcs[2]).angleOnPlane(AcGePlane(center, normal));

        FloatingViewport reaimed = vp;
        reaimed.view.target = center;
        reaimed.view.viewCenter = AcGePoint2d::kOrigin;
        reaimed.view.viewHeight = before.wcs[0].distanceTo(before.wcs[3]);
        reaimed.view.twist = rotation;
        ViewportOutline after;
        ASSERT_EQ(viewportOutline(reaimed, after), Acad::eOk);
        for (int i = 0; i < 4; ++i) EXPECT_TRUE(near(after.wcs[i], before.wcs[i], 1e-6)) << "corner " << i;
    }
}

TEST(ViewTransform, InvalidViewsAreRefused)
{
    AcGeMatrix3d untouched = AcGeMatrix3d::scaling(3.0);
    ViewRecord v;
    v.direction = AcGeVector3d::kIdentity;
    EXPECT_FALSE(isValidView(v));
    EXPECT_EQ(dcsToWcs(v, untouched), Acad::eInvalidInput);
    EXPECT_EQ(wcsToDcs(v, untouched), Acad::eInvalidInput);
    v.direction = AcGeVector3d(0, 0, 1);
    v.twist = std::nan("");
    EXPECT_EQ(dcsToWcs(v, untouched), Acad::eInvalidInput);
    EXPECT_TRUE(near(untouched, AcGeMatrix3d::scaling(3.0)));

    FloatingViewport vp;
    vp.width = 100;
    vp.height = 0;
    EXPECT_FALSE(isValidViewport(vp));
    EXPECT_EQ(psdcsToDcs(vp, untouched), Acad::eInvalidInput);
    EXPECT_EQ(dcsToPsdcs(vp, untouched), Acad::eInvalidInput);
    vp.height = 50;
    vp.view.viewHeight = 0;
    ViewportOutline o;
    EXPECT_EQ(viewportOutline(vp, o), Acad::eInvalidInput);
    AcGePoint3d paper;
    EXPECT_EQ(wcsToPaper(vp, AcGePoint3d::kOrigin, paper), Acad::eInvalidInput);
    vp.view.viewHeight = 10;
    EXPECT_EQ(viewportOutline(vp, o), Acad::eOk);
}

TEST(ViewTransform, PerspectiveFollowsThe35mmCamera)
{
    // A 50 mm lens sees about 39.6 degrees across the long side of the view.
    EXPECT_NEAR(lensAngleOfView(50.0), 2 * std::atan(18.0 / 50.0), 1e-15);
    EXPECT_NEAR(lensAngleOfView(50.0) * 180 / kPi, 39.6, 0.05);
    // At 100 units the 50 mm lens spans 72 units along the long side.
    EXPECT_NEAR(perspectiveViewHeight(100, 50, 1.5), 48.0, 1e-12);
    EXPECT_NEAR(perspectiveViewHeight(100, 50, 0.5), 72.0, 1e-12);
    EXPECT_DOUBLE_EQ(perspectiveViewHeight(100, 0, 1), 0.0);

    ViewRecord v;
    v.direction = AcGeVector3d(0, 0, 10);  // camera 10 units from the target
    v.viewMode = kPerspective;
    AcGePoint3d q;
    ASSERT_EQ(projectPerspective(v, AcGePoint3d(2, 3, 0), q), Acad::eOk);
    EXPECT_TRUE(near(q, AcGePoint3d(2, 3, 0)));
    ASSERT_EQ(projectPerspective(v, AcGePoint3d(2, 3, 5), q), Acad::eOk);  // halfway to the camera: twice as far out
    EXPECT_TRUE(near(q, AcGePoint3d(4, 6, 0)));
    ASSERT_EQ(projectPerspective(v, AcGePoint3d(2, 3, -10), q), Acad::eOk);
    EXPECT_TRUE(near(q, AcGePoint3d(1, 1.5, 0)));
    EXPECT_EQ(projectPerspective(v, AcGePoint3d(2, 3, 10), q), Acad::eInvalidInput);
    EXPECT_EQ(projectPerspective(v, AcGePoint3d(2, 3, 11), q), Acad::eInvalidInput);

    // Through a viewport, points of the target plane sit where the parallel view puts them;
    // points in front of it move away from the centre.
    Random rnd;
    FloatingViewport vp = randomViewport(rnd, AcGeVector3d(1, 2, 3));
    vp.view.viewMode = kPerspective;
    ViewportOutline o;
    ASSERT_EQ(viewportOutline(vp, o), Acad::eOk);
    AcGePoint3d onSheet;
    ASSERT_EQ(wcsToPaper(vp, o.wcs[1], onSheet), Acad::eOk);
    EXPECT_TRUE(near(onSheet, o.paper[1], 1e-7));
    const AcGePoint3d nearer = o.wcs[1] + vp.view.direction * 0.5;
    ASSERT_EQ(wcsToPaper(vp, nearer, onSheet), Acad::eOk);
    AcGePoint3d centre;
    ASSERT_EQ(wcsToPaper(vp, vp.view.target, centre), Acad::eOk);
    EXPECT_NEAR(onSheet.distanceTo(centre), 2 * o.paper[1].distanceTo(centre), 1e-6);
}
