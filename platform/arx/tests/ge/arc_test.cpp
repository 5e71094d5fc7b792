// Circular arcs: construction, containment, nearest points and intersections.
#include "gelib.h"
#include "ge_test_support.h"

using namespace ge_test;

namespace {

// The upper half of the unit circle about the origin, in the XY plane.
AcGeCircArc3d upperHalf()
{
    return AcGeCircArc3d(AcGePoint3d::kOrigin, AcGeVector3d::kZAxis, AcGeVector3d::kXAxis, 1.0, 0.0, kPi);
}

}  // namespace

TEST(GeCircArc3d, ConstructionAndAngles)
{
    const AcGeCircArc3d circle(AcGePoint3d(1, 2, 3), AcGeVector3d(0, 0, 2), 5.0);
    EXPECT_TRUE(circle.isClosed());
    EXPECT_TRUE(near(circle.refVec(), AcGeVector3d::kXAxis));
    EXPECT_TRUE(near(circle.normal(), AcGeVector3d::kZAxis));
    EXPECT_TRUE(near(circle.evalPoint(kPi / 2), AcGePoint3d(1, 7, 3)));
    EXPECT_NEAR(circle.length(circle.startAng(), circle.endAng()), 10 * kPi, 1e-12);

    // An end before the start is one turn later: 350 to 10 degrees spans 20 degrees.
    const double deg = kPi / 180;
    const AcGeCircArc3d wrap(AcGePoint3d::kOrigin, AcGeVector3d::kZAxis, AcGeVector3d::kXAxis, 1, 350 * deg, 10 * deg);
    EXPECT_NEAR(wrap.endAng() - wrap.startAng(), 20 * deg, 1e-12);
    EXPECT_TRUE(wrap.isOn(AcGePoint3d(1, 0, 0)));
    EXPECT_FALSE(wrap.isOn(AcGePoint3d(0, 1, 0)));
    // A reference vector off the plane is made perpendicular to the normal.
    const AcGeCircArc3d tilted(AcGePoint3d::kOrigin, AcGeVector3d::kZAxis, AcGeVector3d(1, 0, 1), 2, 0, kPi);
    EXPECT_TRUE(near(tilted.startPoint(), AcGePoint3d(2, 0, 0)));
}

TEST(GeCircArc3d, ThroughThreePoints)
{
    const AcGePoint3d s(1, 0, 0), m(0, 1, 0), e(-1, 0, 0);
    const AcGeCircArc3d ccw(s, m, e);
    EXPECT_TRUE(near(ccw.center(), AcGePoint3d::kOrigin));
    EXPECT_NEAR(ccw.radius(), 1.0, 1e-12);
    EXPECT_TRUE(near(ccw.normal(), AcGeVector3d::kZAxis));
    EXPECT_TRUE(near(ccw.startPoint(), s) && near(ccw.endPoint(), e));
    EXPECT_TRUE(ccw.isOn(m));
    EXPECT_FALSE(ccw.isOn(AcGePoint3d(0, -1, 0)));
    // Through the lower point instead: the normal turns over so the arc still runs start -> pnt -> end.
    const AcGeCircArc3d cw(s, AcGePoint3d(0, -1, 0), e);
    EXPECT_TRUE(near(cw.normal(), -AcGeVector3d::kZAxis));
    EXPECT_TRUE(cw.isOn(AcGePoint3d(0, -1, 0)));
    EXPECT_FALSE(cw.isOn(m));

    AcGeCircArc3d unchanged = upperHalf();
    AcGeError error = AcGe::kOk;
    unchanged.set(s, AcGePoint3d(2, 0, 0), AcGePoint3d(3, 0, 0), error);
    EXPECT_EQ(error, AcGe::kLinearlyDependentArg1Arg2Arg3);
    EXPECT_TRUE(unchanged == upperHalf());
    unchanged.set(s, s, e, error);
    EXPECT_EQ(error, AcGe::kEqualArg1Arg2);
}

TEST(GeCircArc3d, ContainmentAndNearestPoints)
{
    const AcGeCircArc3d arc = upperHalf();
    double param = 0.0;
    EXPECT_TRUE(arc.isOn(AcGePoint3d(0, 1, 0), param));
    EXPECT_NEAR(param, kPi / 2, 1e-15);
    EXPECT_TRUE(arc.isOn(AcGePoint3d(1, -5e-11, 0)));  // just before the start, within tolerance
    EXPECT_FALSE(arc.isOn(AcGePoint3d(0, 1, 1e-9)));
    EXPECT_FALSE(arc.isOn(AcGePoint3d(0, 1.001, 0)));
    EXPECT_TRUE(near(arc.closestPointTo(AcGePoint3d(0, 5, 3)), AcGePoint3d(0, 1, 0)));
    EXPECT_TRUE(near(arc.closestPointTo(AcGePoint3d(2, -3, 0)), AcGePoint3d(1, 0, 0)));
    EXPECT_TRUE(near(arc.closestPointTo(AcGePoint3d(-2, -0.1, 0)), AcGePoint3d(-1, 0, 0)));
    EXPECT_TRUE(arc.isInside(AcGePoint3d(0.5, -0.5, 0)));
    EXPECT_FALSE(arc.isInside(AcGePoint3d(1, 0, 0)));

    // Seen along Z, the nearest point is that of the point dropped onto the arc's plane.
    EXPECT_TRUE(near(arc.projClosestPointTo(AcGePoint3d(0.3, 0.3, 9), AcGeVector3d::kZAxis),
                     AcGePoint3d(1 / std::sqrt(2.0), 1 / std::sqrt(2.0), 0), 1e-9));
    // Seen along X the half circle covers y from 0 to 1: its top is nearest to y = 4.
    EXPECT_TRUE(near(arc.projClosestPointTo(AcGePoint3d(7, 4, 0), AcGeVector3d::kXAxis), AcGePoint3d(0, 1, 0), 1e-9));

    AcGeLine3d tangent;
    ASSERT_TRUE(arc.tangent(AcGePoint3d(0, 1, 0), tangent));
    EXPECT_TRUE(tangent.direction().isParallelTo(AcGeVector3d::kXAxis));
    EXPECT_FALSE(arc.tangent(AcGePoint3d(0, 2, 0), tangent));
}

TEST(GeCircArc3d, MeetsLinesAndSegments)
{
    const AcGeCircArc3d circle(AcGePoint3d::kOrigin, AcGeVector3d::kZAxis, 1.0);
    int n = 0;
    AcGePoint3d p1, p2;
    ASSERT_TRUE(circle.intersectWith(AcGeLineSeg3d(AcGePoint3d(-2, 0, 0), AcGePoint3d(2, 0, 0)), n, p1, p2));
    EXPECT_EQ(n, 2);
    EXPECT_TRUE(near(p1, AcGePoint3d(-1, 0, 0)) && near(p2, AcGePoint3d(1, 0, 0)));
    // A segment ending inside the circle crosses it once.
    ASSERT_TRUE(circle.intersectWith(AcGeLineSeg3d(AcGePoint3d(-2, 0, 0), AcGePoint3d(0, 0, 0)), n, p1, p2));
    EXPECT_EQ(n, 1);
    // Tangent: one point; apart: none.
    ASSERT_TRUE(circle.intersectWith(AcGeLine3d(AcGePoint3d(0, 1, 0), AcGeVector3d::kXAxis), n, p1, p2));
    EXPECT_EQ(n, 1);
    EXPECT_TRUE(near(p1, AcGePoint3d(0, 1, 0)));
    EXPECT_FALSE(circle.intersectWith(AcGeLine3d(AcGePoint3d(0, 1.1, 0), AcGeVector3d::kXAxis), n, p1, p2));
    EXPECT_EQ(n, 0);
    // Piercing the plane at a point of the circle, or elsewhere.
    ASSERT_TRUE(circle.intersectWith(AcGeLine3d(AcGePoint3d(5, 1, 5), AcGeVector3d(1, 0, 1)), n, p1, p2));
    EXPECT_EQ(n, 1);
    EXPECT_TRUE(near(p1, AcGePoint3d(0, 1, 0)));
    EXPECT_FALSE(circle.intersectWith(AcGeLine3d(AcGePoint3d(0, 1, 5), AcGeVector3d(1, 0, 1)), n, p1, p2));
    EXPECT_FALSE(circle.intersectWith(AcGeLine3d(AcGePoint3d(0, 0, 5), AcGeVector3d(0, 0, 1)), n, p1, p2));
    // Only the half on the arc counts.
    ASSERT_TRUE(upperHalf().intersectWith(AcGeLine3d(AcGePoint3d(0.6, 0, 0), AcGeVector3d::kYAxis), n, p1, p2));
    EXPECT_EQ(n, 1);
    EXPECT_TRUE(near(p1, AcGePoint3d(0.6, 0.8, 0)));
}

TEST(GeCircArc3d, MeetsArcsAndPlanes)
{
    const AcGeCircArc3d a(AcGePoint3d::kOrigin, AcGeVector3d::kZAxis, 1.0);
    int n = 0;
    AcGePoint3d p1, p2;
    ASSERT_TRUE(a.intersectWith(AcGeCircArc3d(AcGePoint3d(1, 0, 0), AcGeVector3d::kZAxis, 1.0), n, p1, p2));
    EXPECT_EQ(n, 2);
    EXPECT_TRUE(near(p1, AcGePoint3d(0.5, -std::sqrt(0.75), 0), 1e-12));
    EXPECT_TRUE(near(p2, AcGePoint3d(0.5, std::sqrt(0.75), 0), 1e-12));
    ASSERT_TRUE(a.intersectWith(AcGeCircArc3d(AcGePoint3d(3, 0, 0), AcGeVector3d::kZAxis, 2.0), n, p1, p2));
    EXPECT_EQ(n, 1);
    EXPECT_TRUE(near(p1, AcGePoint3d(1, 0, 0)));
    EXPECT_FALSE(a.intersectWith(AcGeCircArc3d(AcGePoint3d::kOrigin, AcGeVector3d::kZAxis, 1.0), n, p1, p2));
    EXPECT_FALSE(a.intersectWith(AcGeCircArc3d(AcGePoint3d(0, 0, 1), AcGeVector3d::kZAxis, 1.0), n, p1, p2));
    // Two great circles of the unit sphere meet at two opposite points.
    ASSERT_TRUE(a.intersectWith(AcGeCircArc3d(AcGePoint3d::kOrigin, AcGeVector3d::kYAxis, 1.0), n, p1, p2));
    EXPECT_EQ(n, 2);
    EXPECT_NEAR(std::fabs(p1.x), 1.0, 1e-12);
    EXPECT_TRUE(near(p1.asVector(), -p2.asVector(), 1e-12));
    // Arcs: only points on both sweeps.
    const AcGeCircArc3d lower(AcGePoint3d(1, 0, 0), AcGeVector3d::kZAxis, AcGeVector3d::kXAxis, 1.0, kPi, 1.5 * kPi);
    ASSERT_TRUE(a.intersectWith(lower, n, p1, p2));
    EXPECT_EQ(n, 1);
    EXPECT_LT(p1.y, 0.0);

    ASSERT_TRUE(a.intersectWith(AcGePlane(AcGePoint3d(0.5, 0, 0), AcGeVector3d(1, 0, 1)), n, p1, p2));
    EXPECT_EQ(n, 2);
    EXPECT_NEAR(p1.x, 0.5, 1e-12);
    EXPECT_FALSE(a.intersectWith(AcGePlane(AcGePoint3d(2, 0, 0), AcGeVector3d::kXAxis), n, p1, p2));
    EXPECT_FALSE(a.intersectWith(AcGePlane::kXYPlane, n, p1, p2));  // lies in it: no isolated points
}

TEST(GeCircArc3d, ProjectedIntersections)
{
    const AcGeCircArc3d circle(AcGePoint3d::kOrigin, AcGeVector3d::kZAxis, 1.0);
    const AcGeLineSeg3d high(AcGePoint3d(-2, 0, 5), AcGePoint3d(2, 0, 5));
    int n = 0;
    AcGePoint3d a1, a2, l1, l2;
    ASSERT_TRUE(circle.projIntersectWith(high, AcGeVector3d::kZAxis, n, a1, a2, l1, l2));
    EXPECT_EQ(n, 2);
    EXPECT_TRUE(near(a1, AcGePoint3d(-1, 0, 0)) || near(a1, AcGePoint3d(1, 0, 0)));
    EXPECT_TRUE(near(l1, a1 + AcGeVector3d(0, 0, 5)));
    EXPECT_TRUE(near(l2, a2 + AcGeVector3d(0, 0, 5)));
    // Seen along a slanted direction the arc point and the line point are one sight line
    // apart; the line at height 1 then just touches the circle.
    const AcGeVector3d slant(0, 1, 1);
    EXPECT_FALSE(circle.projIntersectWith(high, slant, n, a1, a2, l1, l2));
    const AcGeLineSeg3d low(AcGePoint3d(-2, 0, 1), AcGePoint3d(2, 0, 1));
    ASSERT_TRUE(circle.projIntersectWith(low, slant, n, a1, a2, l1, l2));
    ASSERT_EQ(n, 1);
    EXPECT_TRUE(near(a1, AcGePoint3d(0, -1, 0)));
    EXPECT_TRUE(near(l1, AcGePoint3d(0, 0, 1)));
    EXPECT_FALSE(circle.projIntersectWith(AcGeLineSeg3d(AcGePoint3d(0, 0, 0), AcGePoint3d(0, 0, 1)),
                                          AcGeVector3d::kZAxis, n, a1, a2, l1, l2));
}

TEST(GeCircArc3d, TransformKeepsTheArcOnItsImage)
{
    Random rnd;
    const AcGeCircArc3d base(AcGePoint3d(1, 2, 3), AcGeVector3d(1, 1, 0), AcGeVector3d(0, 0, 1), 4.0, 0.3, 2.0);
    const AcGeMatrix3d mats[] = {
        AcGeMatrix3d::rotation(rnd.angle(), rnd.vector(), rnd.point()),
        AcGeMatrix3d::scaling(2.5, rnd.point()),
        AcGeMatrix3d::mirroring(AcGePlane(rnd.point(), rnd.vector())),
    };
    for (const AcGeMatrix3d& m : mats) {
        AcGeCircArc3d arc = base;
        arc.transformBy(m);
        for (double t = 0.3; t <= 2.0; t += 0.1) EXPECT_TRUE(near(arc.evalPoint(t), m * base.evalPoint(t), 1e-9));
        EXPECT_NEAR(arc.radius(), 4.0 * m.scale(), 1e-9);
    }
}
