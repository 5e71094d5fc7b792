// Lines, segments and planes: containment, nearest points and intersections.
#include "gelib.h"
#include "ge_test_support.h"

#include <memory>

using namespace ge_test;

TEST(GeLineSeg3d, DefinitionAndParameters)
{
    const AcGeLineSeg3d seg(AcGePoint3d(1, 1, 1), AcGePoint3d(4, 5, 1));
    EXPECT_DOUBLE_EQ(seg.length(), 5.0);
    EXPECT_TRUE(near(seg.midPoint(), AcGePoint3d(2.5, 3, 1)));
    EXPECT_TRUE(near(seg.direction(), AcGeVector3d(0.6, 0.8, 0)));
    EXPECT_TRUE(near(seg.evalPoint(1.0), seg.endPoint()));
    EXPECT_DOUBLE_EQ(seg.paramOf(seg.midPoint()), 0.5);
    EXPECT_TRUE(near(seg.baryComb(0.25), AcGePoint3d(1.75, 2, 1)));
    AcGePoint3d end;
    EXPECT_TRUE(seg.hasEndPoint(end));
    EXPECT_FALSE(AcGeLine3d(seg.startPoint(), seg.endPoint()).hasEndPoint(end));
    EXPECT_TRUE(seg.isKindOf(AcGe::kLinearEnt3d) && seg.isKindOf(AcGe::kCurve3d) && seg.isKindOf(AcGe::kEntity3d));
    EXPECT_FALSE(seg.isKindOf(AcGe::kLine3d));
    std::unique_ptr<AcGeEntity3d> copy(seg.copy());
    EXPECT_EQ(copy->type(), AcGe::kLineSeg3d);
    EXPECT_TRUE(*copy == seg);
    EXPECT_FALSE(AcGeLineSeg3d(seg.endPoint(), seg.startPoint()) == seg);
}

TEST(GeLineSeg3d, ContainmentRespectsTheEndsWithinTolerance)
{
    const AcGeLineSeg3d seg(AcGePoint3d(0, 0, 0), AcGePoint3d(10, 0, 0));
    double param = 0.0;
    EXPECT_TRUE(seg.isOn(AcGePoint3d(4, 0, 0), param));
    EXPECT_DOUBLE_EQ(param, 0.4);
    EXPECT_TRUE(seg.isOn(AcGePoint3d(10 + 5e-11, 0, 0)));
    EXPECT_FALSE(seg.isOn(AcGePoint3d(10 + 1e-9, 0, 0)));
    EXPECT_FALSE(seg.isOn(AcGePoint3d(5, 1e-9, 0)));
    AcGeLine3d line;
    seg.getLine(line);
    EXPECT_TRUE(line.isOn(AcGePoint3d(-50, 0, 0)));
    EXPECT_TRUE(seg.isOn(AcGePlane::kZXPlane));
    EXPECT_FALSE(seg.isOn(AcGePlane::kYZPlane));
}

TEST(GeLineSeg3d, NearestPoints)
{
    const AcGeLineSeg3d seg(AcGePoint3d(0, 0, 0), AcGePoint3d(10, 0, 0));
    EXPECT_TRUE(near(seg.closestPointTo(AcGePoint3d(3, 4, 5)), AcGePoint3d(3, 0, 0)));
    EXPECT_TRUE(near(seg.closestPointTo(AcGePoint3d(-3, 4, 5)), AcGePoint3d(0, 0, 0)));
    EXPECT_DOUBLE_EQ(seg.distanceTo(AcGePoint3d(13, 4, 0)), 5.0);
    // Seen along (0, 1, 1) the point (5, 3, 3) lies over (5, 0, 0); a segment clamps.
    EXPECT_TRUE(near(seg.projClosestPointTo(AcGePoint3d(5, 3, 3), AcGeVector3d(0, 1, 1)), AcGePoint3d(5, 0, 0)));
    EXPECT_TRUE(near(seg.projClosestPointTo(AcGePoint3d(5, 3, 3), AcGeVector3d(-1, 1, 0)), AcGePoint3d(8, 0, 0)));
    EXPECT_TRUE(near(seg.projClosestPointTo(AcGePoint3d(5, 30, 3), AcGeVector3d(-1, 1, 0)), AcGePoint3d(10, 0, 0)));
    // The perpendicular-snap case: an unbounded side seen along the UCS Z axis.
    const AcGeLine3d side(AcGePoint3d(0, 0, 0), AcGeVector3d(1, 1, 1));
    const AcGePoint3d snap = side.projClosestPointTo(AcGePoint3d(4, 0, 9), AcGeVector3d::kZAxis);
    EXPECT_TRUE(near(snap, AcGePoint3d(2, 2, 2)));
}

TEST(GeLinearEnt3d, IntersectionsOfLinesAndSegments)
{
    const AcGeLineSeg3d a(AcGePoint3d(0, 0, 0), AcGePoint3d(2, 2, 0));
    const AcGeLineSeg3d b(AcGePoint3d(0, 2, 0), AcGePoint3d(2, 0, 0));
    AcGePoint3d hit;
    ASSERT_TRUE(a.intersectWith(b, hit));
    EXPECT_TRUE(near(hit, AcGePoint3d(1, 1, 0)));

    // A segment that stops short meets only the unbounded line through the other.
    const AcGeLineSeg3d shortOne(AcGePoint3d(0, 2, 0), AcGePoint3d(0.5, 1.5, 0));
    EXPECT_FALSE(a.intersectWith(shortOne, hit));
    AcGeLine3d carrier;
    shortOne.getLine(carrier);
    ASSERT_TRUE(a.intersectWith(carrier, hit));
    EXPECT_TRUE(near(hit, AcGePoint3d(1, 1, 0)));
    // Meeting at an end point counts.
    EXPECT_TRUE(a.intersectWith(AcGeLineSeg3d(AcGePoint3d(2, 2, 0), AcGePoint3d(3, 0, 0)), hit));

    // Skew lines meet only within equalPoint; parallel ones never.
    const AcGeLine3d skew(AcGePoint3d(1, 1, 1e-3), AcGeVector3d(1, -1, 0));
    EXPECT_FALSE(a.intersectWith(skew, hit));
    EXPECT_TRUE(a.intersectWith(AcGeLine3d(AcGePoint3d(1, 1, 5e-11), AcGeVector3d(1, -1, 0)), hit));
    EXPECT_FALSE(a.intersectWith(AcGeLine3d(AcGePoint3d(0, 0, 0), AcGeVector3d(1, 1, 0)), hit));

    // Seen along Z the skew line crosses the segment: one point on each.
    AcGePoint3d onA, onSkew;
    ASSERT_TRUE(a.projIntersectWith(skew, AcGeVector3d::kZAxis, onA, onSkew));
    EXPECT_TRUE(near(onA, AcGePoint3d(1, 1, 0)));
    EXPECT_TRUE(near(onSkew, AcGePoint3d(1, 1, 1e-3)));
    EXPECT_FALSE(a.projIntersectWith(skew, AcGeVector3d(1, 1, 0), onA, onSkew));
    EXPECT_FALSE(a.projIntersectWith(shortOne, AcGeVector3d::kZAxis, onA, onSkew));
}

TEST(GeLinearEnt3d, OverlapOfColinearEntities)
{
    const AcGeLineSeg3d a(AcGePoint3d(0, 0, 0), AcGePoint3d(2, 0, 0));
    const AcGeLineSeg3d b(AcGePoint3d(3, 0, 0), AcGePoint3d(1, 0, 0));
    AcGeLinearEnt3d* common = nullptr;
    ASSERT_TRUE(a.overlap(b, common));
    std::unique_ptr<AcGeLinearEnt3d> owned(common);
    ASSERT_EQ(common->type(), AcGe::kLineSeg3d);
    EXPECT_TRUE(*common == AcGeLineSeg3d(AcGePoint3d(1, 0, 0), AcGePoint3d(2, 0, 0)));
    EXPECT_FALSE(a.overlap(AcGeLineSeg3d(AcGePoint3d(2, 0, 0), AcGePoint3d(3, 0, 0)), common));
    EXPECT_EQ(common, nullptr);
    EXPECT_FALSE(a.overlap(AcGeLineSeg3d(AcGePoint3d(0, 1, 0), AcGePoint3d(2, 1, 0)), common));
    ASSERT_TRUE(AcGeLine3d::kXAxis.overlap(AcGeLine3d(AcGePoint3d(5, 0, 0), AcGeVector3d(-2, 0, 0)), common));
    owned.reset(common);
    EXPECT_EQ(common->type(), AcGe::kLine3d);
}

TEST(GeLinearEnt3d, TransformCarriesTheEnds)
{
    AcGeLineSeg3d seg(AcGePoint3d(1, 0, 0), AcGePoint3d(2, 0, 0));
    seg.rotateBy(kPi / 2, AcGeVector3d::kZAxis);
    EXPECT_TRUE(near(seg.startPoint(), AcGePoint3d(0, 1, 0)));
    EXPECT_TRUE(near(seg.endPoint(), AcGePoint3d(0, 2, 0)));
    seg.scaleBy(3, AcGePoint3d::kOrigin).translateBy(AcGeVector3d(0, 0, 1));
    EXPECT_TRUE(near(seg.endPoint(), AcGePoint3d(0, 6, 1)));
    seg.mirror(AcGePlane::kXYPlane);
    EXPECT_TRUE(near(seg.endPoint(), AcGePoint3d(0, 6, -1)));
}

TEST(GePlane, AxesFromANormal)
{
    AcGePoint3d o;
    AcGeVector3d a1, a2;
    AcGePlane(AcGePoint3d(1, 2, 3), AcGeVector3d(0, 0, 4)).getCoordSystem(o, a1, a2);
    EXPECT_TRUE(near(o, AcGePoint3d(1, 2, 3)));
    EXPECT_TRUE(near(a1, AcGeVector3d::kXAxis) && near(a2, AcGeVector3d::kYAxis));
    AcGePlane(AcGePoint3d::kOrigin, AcGeVector3d(0, 0, -1)).getCoordSystem(o, a1, a2);
    EXPECT_TRUE(near(a1, -AcGeVector3d::kXAxis) && near(a2, AcGeVector3d::kYAxis));
    // Three points: u and v as given, the normal from their cross product.
    const AcGePlane p3(AcGePoint3d(1, 0, 0), AcGePoint3d::kOrigin, AcGePoint3d(0, 0, 1));
    EXPECT_TRUE(near(p3.normal(), -AcGeVector3d::kYAxis));
    EXPECT_TRUE(p3.isCoplanarTo(AcGePlane::kZXPlane));
    EXPECT_FALSE(p3 == AcGePlane::kZXPlane);  // the same points, another parametrisation
    EXPECT_TRUE(p3.isKindOf(AcGe::kPlanarEnt) && p3.isKindOf(AcGe::kSurface));
}

TEST(GePlane, DistancesAndCoefficients)
{
    const AcGePlane pln(1, 2, 2, -6);  // x + 2y + 2z = 6
    EXPECT_TRUE(pln.isOn(AcGePoint3d(6, 0, 0)));
    EXPECT_TRUE(near(pln.pointOnPlane(), AcGePoint3d(2.0 / 3, 4.0 / 3, 4.0 / 3), 1e-12));
    EXPECT_NEAR(pln.signedDistanceTo(AcGePoint3d::kOrigin), -2.0, 1e-12);
    EXPECT_NEAR(pln.distanceTo(AcGePoint3d::kOrigin), 2.0, 1e-12);
    double a, b, c, d;
    pln.getCoefficients(a, b, c, d);
    EXPECT_NEAR(a * 3 + b * 0 + c * 1.5 + d, 0.0, 1e-12);
    EXPECT_TRUE(near(pln.closestPointTo(AcGePoint3d::kOrigin), pln.pointOnPlane(), 1e-12));
    EXPECT_TRUE(pln.isOn(AcGePoint3d(6, 0, 5e-11)));
    EXPECT_FALSE(pln.isOn(AcGePoint3d(6, 0, 1e-9)));
}

TEST(GePlane, IntersectionsWithLinesAndPlanes)
{
    const AcGePlane z2(AcGePoint3d(0, 0, 2), AcGeVector3d::kZAxis);
    AcGePoint3d hit;
    ASSERT_TRUE(z2.intersectWith(AcGeLine3d(AcGePoint3d(1, 1, 0), AcGeVector3d(1, 0, 1)), hit));
    EXPECT_TRUE(near(hit, AcGePoint3d(3, 1, 2)));
    EXPECT_FALSE(z2.intersectWith(AcGeLineSeg3d(AcGePoint3d(1, 1, 0), AcGePoint3d(2, 1, 1)), hit));
    EXPECT_FALSE(z2.intersectWith(AcGeLine3d(AcGePoint3d(1, 1, 0), AcGeVector3d::kXAxis), hit));
    AcGeLineSeg3d rising(AcGePoint3d(1, 1, 0), AcGePoint3d(2, 1, 1));
    ASSERT_TRUE(rising.intersectWith(AcGePlane::kXYPlane, hit));
    EXPECT_TRUE(near(hit, AcGePoint3d(1, 1, 0)));

    // Nearest points of a segment that does not reach the plane: its nearer end.
    AcGePoint3d onLine;
    EXPECT_TRUE(near(z2.closestPointToLinearEnt(rising, onLine), AcGePoint3d(2, 1, 2)));
    EXPECT_TRUE(near(onLine, AcGePoint3d(2, 1, 1)));

    const AcGePlane tilted(AcGePoint3d(5, 0, 0), AcGeVector3d(1, 0, 1));
    AcGeLine3d common;
    ASSERT_TRUE(z2.intersectWith(tilted, common));
    EXPECT_TRUE(z2.isOn(common.pointOnLine()) && tilted.isOn(common.pointOnLine()));
    EXPECT_TRUE(common.isOn(z2) && common.isOn(tilted));
    EXPECT_FALSE(z2.intersectWith(AcGePlane::kXYPlane, common));
}
