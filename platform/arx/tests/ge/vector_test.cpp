// Vectors and points: tolerances, directions, angles and the arbitrary-axis perpendicular.
#include "geassign.h"
#include "gelib.h"
#include "ge_test_support.h"

using namespace ge_test;

TEST(GeTolerance, DefaultsAndCustomTolerances)
{
    EXPECT_DOUBLE_EQ(AcGeContext::gTol.equalPoint(), 1e-10);
    EXPECT_DOUBLE_EQ(AcGeContext::gTol.equalVector(), 1e-10);

    const AcGePoint3d p(1, 2, 3);
    EXPECT_TRUE(p.isEqualTo(AcGePoint3d(1, 2, 3 + 5e-11)));
    EXPECT_FALSE(p.isEqualTo(AcGePoint3d(1, 2, 3 + 5e-10)));
    AcGeTol loose;
    loose.setEqualPoint(1e-4);
    EXPECT_TRUE(p.isEqualTo(AcGePoint3d(1, 2, 3 + 5e-5), loose));
    EXPECT_TRUE(p == AcGePoint3d(1, 2, 3));
}

TEST(GeConstants, WorldAxesLinesAndPlanes)
{
    EXPECT_TRUE(AcGeVector3d::kZAxis == AcGeVector3d(0, 0, 1));
    EXPECT_TRUE(AcGePoint3d::kOrigin == AcGePoint3d(0, 0, 0));
    EXPECT_TRUE(near(AcGeLine3d::kYAxis.direction(), AcGeVector3d::kYAxis));
    EXPECT_TRUE(near(AcGePlane::kXYPlane.normal(), AcGeVector3d::kZAxis));
    EXPECT_TRUE(near(AcGePlane::kYZPlane.normal(), AcGeVector3d::kXAxis));
    EXPECT_TRUE(near(AcGePlane::kZXPlane.normal(), AcGeVector3d::kYAxis));
    EXPECT_TRUE(AcGeScale3d::kIdentity == AcGeScale3d(1, 1, 1));
}

TEST(GeVector3d, DirectionTests)
{
    const AcGeVector3d x(2, 0, 0);
    EXPECT_TRUE(x.isParallelTo(AcGeVector3d(-5, 0, 0)));
    EXPECT_TRUE(x.isCodirectionalTo(AcGeVector3d(5, 0, 0)));
    EXPECT_FALSE(x.isCodirectionalTo(AcGeVector3d(-5, 0, 0)));
    EXPECT_TRUE(x.isPerpendicularTo(AcGeVector3d(0, 3, 4)));
    EXPECT_FALSE(x.isParallelTo(AcGeVector3d(1, 1e-6, 0)));

    AcGeTol coarse;
    coarse.setEqualVector(1e-6);
    EXPECT_TRUE(x.isCodirectionalTo(AcGeVector3d(1, 5e-7, 0), coarse));
    EXPECT_FALSE(x.isCodirectionalTo(AcGeVector3d(1, 5e-6, 0), coarse));

    // A zero vector has no direction: it is neither parallel nor perpendicular to anything.
    AcGeError flag = AcGe::kOk;
    EXPECT_FALSE(AcGeVector3d::kIdentity.isParallelTo(x, AcGeContext::gTol, flag));
    EXPECT_EQ(flag, AcGe::k0This);
    EXPECT_FALSE(x.isPerpendicularTo(AcGeVector3d::kIdentity));
    EXPECT_TRUE(AcGeVector3d(1e-11, 0, 0).isZeroLength());
    EXPECT_TRUE(AcGeVector3d::kIdentity.normal() == AcGeVector3d::kIdentity);
    EXPECT_TRUE(AcGeVector3d(0, 3, 4).normal().isUnitLength());
}

TEST(GeVector3d, AnglesWithAndWithoutReference)
{
    const AcGeVector3d x = AcGeVector3d::kXAxis, y = AcGeVector3d::kYAxis, z = AcGeVector3d::kZAxis;
    EXPECT_NEAR(x.angleTo(y), kPi / 2, 1e-15);
    EXPECT_NEAR(x.angleTo(-x), kPi, 1e-15);
    EXPECT_NEAR(x.angleTo(y, z), kPi / 2, 1e-15);
    EXPECT_NEAR(x.angleTo(y, -z), 3 * kPi / 2, 1e-15);
    EXPECT_DOUBLE_EQ(x.angleTo(x * 3, z), 0.0);
    // Tiny angles stay accurate (no acos of a rounded cosine).
    EXPECT_NEAR(x.angleTo(AcGeVector3d(1, 1e-9, 0)), 1e-9, 1e-20);
}

TEST(GeVector3d, AngleOnPlaneIsMeasuredFromThePlanesFirstAxisCounterclockwise)
{
    const AcGePlane xy(AcGePoint3d(5, 5, 5), AcGeVector3d::kZAxis);
    EXPECT_NEAR(AcGeVector3d(0, 1, 7).angleOnPlane(xy), kPi / 2, 1e-15);
    EXPECT_NEAR(AcGeVector3d(0, -1, 0).angleOnPlane(xy), 3 * kPi / 2, 1e-15);
    EXPECT_NEAR(AcGeVector3d(1, -1e-17, 0).angleOnPlane(xy), 0.0, 1e-15);  // never 2*pi
    // The plane of normal -Z has the arbitrary-axis first axis -X.
    const AcGePlane flipped(AcGePoint3d::kOrigin, -AcGeVector3d::kZAxis);
    EXPECT_NEAR(AcGeVector3d::kXAxis.angleOnPlane(flipped), kPi, 1e-15);
    EXPECT_NEAR(AcGeVector3d::kYAxis.angleOnPlane(flipped), kPi / 2, 1e-15);

    Random rnd;
    for (int i = 0; i < 200; ++i) {
        const AcGePlane pln(rnd.point(), rnd.vector());
        const double a = rnd.uniform(0, 2 * kPi);
        AcGePoint3d o;
        AcGeVector3d a1, a2;
        pln.getCoordSystem(o, a1, a2);
        const AcGeVector3d v = a1 * std::cos(a) * 3 + a2 * std::sin(a) * 3 + pln.normal() * rnd.uniform(-9, 9);
        EXPECT_NEAR(v.angleOnPlane(pln), a, 1e-12);
    }
}

TEST(GeVector3d, PerpVectorFollowsTheArbitraryAxisAlgorithm)
{
    EXPECT_TRUE(near(AcGeVector3d::kZAxis.perpVector(), AcGeVector3d::kXAxis, 1e-15));
    EXPECT_TRUE(near(AcGeVector3d(0, 0, -3).perpVector(), -AcGeVector3d::kXAxis, 1e-15));
    EXPECT_TRUE(near(AcGeVector3d::kXAxis.perpVector(), AcGeVector3d::kYAxis, 1e-15));  // Wz x N
    // Just inside the 1/64 box around Z the algorithm uses world Y, just outside world Z.
    const AcGeVector3d inside(0.0156, 0.0, 1.0), outside(0.0157, 0.0, 1.0);
    EXPECT_TRUE(near(inside.perpVector(), AcGeVector3d::kYAxis.crossProduct(inside).normal(), 1e-15));
    EXPECT_TRUE(near(outside.perpVector(), AcGeVector3d::kZAxis.crossProduct(outside).normal(), 1e-15));

    Random rnd;
    for (int i = 0; i < 200; ++i) {
        const AcGeVector3d v = rnd.vector();
        const AcGeVector3d p = v.perpVector();
        EXPECT_TRUE(p.isUnitLength());
        EXPECT_TRUE(p.isPerpendicularTo(v));
    }
}

TEST(GeVector3d, RotationMirrorAndProjection)
{
    AcGeVector3d v = AcGeVector3d::kXAxis;
    EXPECT_TRUE(near(v.rotateBy(kPi / 2, AcGeVector3d(0, 0, 7)), AcGeVector3d::kYAxis, 1e-15));
    EXPECT_TRUE(near(AcGeVector3d(1, 0, 0).rotateBy(kPi / 2, -AcGeVector3d::kZAxis), -AcGeVector3d::kYAxis, 1e-15));
    EXPECT_TRUE(near(AcGeVector3d(1, 2, 3).rotateBy(1.0, AcGeVector3d::kIdentity), AcGeVector3d(1, 2, 3)));
    EXPECT_TRUE(near(AcGeVector3d(1, 2, 3).mirror(AcGeVector3d(0, 0, 5)), AcGeVector3d(1, 2, -3)));
    EXPECT_TRUE(near(AcGeVector3d(1, 2, 3).orthoProject(AcGeVector3d::kZAxis), AcGeVector3d(1, 2, 0)));
    // Along (1, 0, 1) onto the XY plane: the Z component is traded for X.
    EXPECT_TRUE(
        near(AcGeVector3d(1, 2, 3).project(AcGeVector3d::kZAxis, AcGeVector3d(1, 0, 1)), AcGeVector3d(-2, 2, 0)));
    AcGeError flag = AcGe::kOk;
    AcGeVector3d(1, 2, 3).project(AcGeVector3d::kZAxis, AcGeVector3d::kXAxis, AcGeContext::gTol, flag);
    EXPECT_EQ(flag, AcGe::kPerpendicularArg1Arg2);

    Random rnd;
    for (int i = 0; i < 100; ++i) {
        const AcGeVector3d a = rnd.vector(), b = rnd.vector(), axis = rnd.vector();
        const double ang = rnd.angle();
        AcGeVector3d ra = a, rb = b;
        ra.rotateBy(ang, axis);
        rb.rotateBy(ang, axis);
        EXPECT_NEAR(ra.length(), a.length(), 1e-9);
        EXPECT_NEAR(ra.dotProduct(rb), a.dotProduct(b), 1e-7);
        EXPECT_NEAR(ra.dotProduct(axis), a.dotProduct(axis), 1e-7);
        // rotateTo turns a's direction into b's.
        EXPECT_TRUE(near((a.rotateTo(b) * a).normal(), b.normal(), 1e-12));
    }
    EXPECT_TRUE(near((AcGeVector3d::kXAxis.rotateTo(-AcGeVector3d::kXAxis) * AcGeVector3d::kXAxis),
                     -AcGeVector3d::kXAxis, 1e-15));
}

TEST(GePoint3d, TransformsAboutAPoint)
{
    AcGePoint3d p(2, 1, 0);
    EXPECT_TRUE(near(p.rotateBy(kPi / 2, AcGeVector3d::kZAxis, AcGePoint3d(1, 1, 0)), AcGePoint3d(1, 2, 0)));
    EXPECT_TRUE(near(AcGePoint3d(3, 3, 3).scaleBy(2, AcGePoint3d(1, 1, 1)), AcGePoint3d(5, 5, 5)));
    const AcGePlane z5(AcGePoint3d(0, 0, 5), AcGeVector3d::kZAxis);
    EXPECT_TRUE(near(AcGePoint3d(1, 2, 8).mirror(z5), AcGePoint3d(1, 2, 2)));
    EXPECT_TRUE(near(AcGePoint3d(1, 2, 8).orthoProject(z5), AcGePoint3d(1, 2, 5)));
    EXPECT_TRUE(near(AcGePoint3d(1, 2, 8).project(z5, AcGeVector3d(1, 0, 1)), AcGePoint3d(-2, 2, 5)));
    // A projection direction in the plane has no projection: the point stays.
    EXPECT_TRUE(near(AcGePoint3d(1, 2, 8).project(z5, AcGeVector3d::kXAxis), AcGePoint3d(1, 2, 8)));
    EXPECT_DOUBLE_EQ(AcGePoint3d(1, 2, 3).distanceTo(AcGePoint3d(4, 6, 3)), 5.0);
    // Plane parameters round trip.
    const AcGePlane skew(AcGePoint3d(1, 1, 1), AcGeVector3d(2, 0, 0), AcGeVector3d(1, 1, 1));
    const AcGePoint2d uv = AcGePoint3d(4, 3, 3).convert2d(skew);
    EXPECT_TRUE(near(AcGePoint3d(skew, uv), AcGePoint3d(4, 3, 3)));
    EXPECT_NEAR(uv.x, 0.5, 1e-12);
    EXPECT_NEAR(uv.y, 2.0, 1e-12);
}

TEST(GeAssign, AdsPointsViewTheSameCoordinates)
{
    double pt[3] = {1.0, 2.0, 3.0};
    asPnt3d(pt).x = 7.0;
    EXPECT_DOUBLE_EQ(pt[0], 7.0);
    const AcGePoint3d p(4, 5, 6);
    EXPECT_DOUBLE_EQ(asDblArray(p)[2], 6.0);
}

TEST(GeVector2d, AnglesAndRotation)
{
    EXPECT_NEAR(AcGeVector2d(0, -1).angle(), 3 * kPi / 2, 1e-15);
    EXPECT_NEAR(AcGeVector2d(1, 0).angleTo(AcGeVector2d(-1, 1)), 3 * kPi / 4, 1e-15);
    AcGeVector2d v(1, 0);
    v.rotateBy(kPi / 2);
    EXPECT_NEAR(v.x, 0.0, 1e-15);
    EXPECT_NEAR(v.y, 1.0, 1e-15);
    EXPECT_TRUE(AcGeVector2d(2, 3).mirror(AcGeVector2d(1, 0)) == AcGeVector2d(2, -3));
    EXPECT_TRUE(AcGeVector2d(1, 1).isPerpendicularTo(AcGeVector2d(1, 1).perpVector()));
}
