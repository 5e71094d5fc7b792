// Matrices: composition order, the standard transformations, plane systems, inversion.
#include <bit>
#include <cstdint>

#include "gelib.h"
#include "ge_test_support.h"

using namespace ge_test;

namespace {

AcGeMatrix3d randomAffine(Random& rnd)
{
    return AcGeMatrix3d::translation(rnd.vector()) * AcGeMatrix3d::rotation(rnd.angle(), rnd.vector(), rnd.point()) *
           AcGeMatrix3d::scaling(rnd.uniform(0.01, 100.0), rnd.point());
}

}  // namespace

TEST(GeMatrix3d, ProductAppliesTheRightFactorFirst)
{
    const AcGeMatrix3d move = AcGeMatrix3d::translation(AcGeVector3d(10, 0, 0));
    const AcGeMatrix3d turn = AcGeMatrix3d::rotation(kPi / 2, AcGeVector3d::kZAxis);
    EXPECT_TRUE(near((move * turn) * AcGePoint3d(1, 0, 0), AcGePoint3d(10, 1, 0)));
    EXPECT_TRUE(near((turn * move) * AcGePoint3d(1, 0, 0), AcGePoint3d(0, 11, 0)));
    AcGeMatrix3d m = move;
    m.postMultBy(turn);
    EXPECT_TRUE(near(m, move * turn));
    m = move;
    m.preMultBy(turn);
    EXPECT_TRUE(near(m, turn * move));
    // Vectors ignore the translation.
    EXPECT_TRUE(near(move * AcGeVector3d(1, 2, 3), AcGeVector3d(1, 2, 3)));
    EXPECT_TRUE(AcGeMatrix3d::kIdentity == AcGeMatrix3d());
}

TEST(GeMatrix3d, RotationScalingAndMirroring)
{
    const AcGeMatrix3d r = AcGeMatrix3d::rotation(kPi / 2, AcGeVector3d::kZAxis, AcGePoint3d(1, 1, 0));
    EXPECT_TRUE(near(r * AcGePoint3d(2, 1, 5), AcGePoint3d(1, 2, 5)));
    EXPECT_TRUE(near(AcGeMatrix3d::scaling(2, AcGePoint3d(1, 1, 1)) * AcGePoint3d(2, 2, 2), AcGePoint3d(3, 3, 3)));
    EXPECT_DOUBLE_EQ(AcGeMatrix3d::scaling(2).det(), 8.0);

    const AcGePlane tilted(AcGePoint3d(0, 0, 2), AcGeVector3d(0, 1, 1));
    const AcGeMatrix3d m = AcGeMatrix3d::mirroring(tilted);
    const AcGePoint3d p(3, 4, -1);
    const AcGePoint3d q = m * p;
    EXPECT_NEAR(tilted.signedDistanceTo(q), -tilted.signedDistanceTo(p), 1e-12);
    EXPECT_TRUE(near(q - p, tilted.normal() * (-2 * tilted.signedDistanceTo(p)), 1e-12));
    EXPECT_NEAR(m.det(), -1.0, 1e-12);
    EXPECT_TRUE(near(m * m, AcGeMatrix3d::kIdentity, 1e-12));

    EXPECT_TRUE(near(AcGeMatrix3d::mirroring(AcGePoint3d(1, 1, 1)) * AcGePoint3d(3, 0, 1), AcGePoint3d(-1, 2, 1)));
    // Mirroring in a line is the half turn about it.
    const AcGeLine3d axis(AcGePoint3d(0, 1, 0), AcGeVector3d::kXAxis);
    EXPECT_TRUE(near(AcGeMatrix3d::mirroring(axis) * AcGePoint3d(5, 3, 2), AcGePoint3d(5, -1, -2), 1e-12));
}

TEST(GeMatrix3d, ProjectionAlongADirection)
{
    const AcGePlane floor(AcGePoint3d(0, 0, 1), AcGeVector3d::kZAxis);
    const AcGeVector3d dir(1, 1, -1);
    const AcGeMatrix3d m = AcGeMatrix3d::projection(floor, dir);
    const AcGePoint3d p(2, 3, 4);
    const AcGePoint3d q = m * p;
    EXPECT_TRUE(floor.isOn(q, AcGeTol()));
    EXPECT_TRUE((q - p).isParallelTo(dir));
    EXPECT_TRUE(m.isSingular());
}

TEST(GeMatrix3d, PlaneSystemsUseTheDxfArbitraryAxis)
{
    EXPECT_TRUE(near(AcGeMatrix3d::planeToWorld(AcGeVector3d(0, 0, 9)), AcGeMatrix3d::kIdentity, 1e-15));
    // The mirrored-entity extrusion (0, 0, -1): X becomes -X, Y stays.
    const AcGeMatrix3d down = AcGeMatrix3d::planeToWorld(AcGeVector3d(0, 0, -1));
    EXPECT_TRUE(near(down * AcGeVector3d::kXAxis, -AcGeVector3d::kXAxis, 1e-15));
    EXPECT_TRUE(near(down * AcGeVector3d::kYAxis, AcGeVector3d::kYAxis, 1e-15));
    // Extrusion along world X: the plane's X axis is world Y (Wz x N).
    const AcGeMatrix3d side = AcGeMatrix3d::planeToWorld(AcGeVector3d::kXAxis);
    EXPECT_TRUE(near(side * AcGeVector3d::kXAxis, AcGeVector3d::kYAxis, 1e-15));
    EXPECT_TRUE(near(side * AcGeVector3d::kYAxis, AcGeVector3d::kZAxis, 1e-15));

    Random rnd;
    for (int i = 0; i < 200; ++i) {
        const AcGeVector3d n = rnd.vector();
        const AcGeMatrix3d m = AcGeMatrix3d::planeToWorld(n);
        AcGePoint3d o;
        AcGeVector3d x, y, z;
        m.getCoordSystem(o, x, y, z);
        EXPECT_TRUE(near(z, n.normal(), 1e-12));
        EXPECT_TRUE(near(x.crossProduct(y), z, 1e-12));  // right-handed and orthonormal
        EXPECT_TRUE(m.isUniScaledOrtho());
        EXPECT_TRUE(near(AcGeMatrix3d::worldToPlane(n) * m, AcGeMatrix3d::kIdentity, 1e-12));
    }
    // A zero normal defines no plane: it is taken as the world Z axis.
    EXPECT_TRUE(near(AcGeMatrix3d::planeToWorld(AcGeVector3d::kIdentity), AcGeMatrix3d::kIdentity));
    // For a plane, its own origin and first axis.
    const AcGePlane pln(AcGePoint3d(1, 2, 3), AcGeVector3d(0, 2, 0), AcGeVector3d(0, 0, 1));
    EXPECT_TRUE(near(AcGeMatrix3d::planeToWorld(pln) * AcGePoint3d(1, 1, 0), AcGePoint3d(1, 3, 4)));
    EXPECT_TRUE(near(AcGeMatrix3d::worldToPlane(pln) * AcGePoint3d(1, 3, 4), AcGePoint3d(1, 1, 0)));
    // The world Z axis gives the identity exactly, to the sign of every zero: saving takes
    // the identity for it without building the matrix, and must write the same coordinates.
    const AcGeMatrix3d fromZ = AcGeMatrix3d::worldToPlane(AcGeVector3d::kZAxis);
    for (unsigned row = 0; row < 4; ++row)
        for (unsigned column = 0; column < 4; ++column)
            EXPECT_EQ(std::bit_cast<std::uint64_t>(fromZ(row, column)),
                      std::bit_cast<std::uint64_t>(AcGeMatrix3d::kIdentity(row, column)))
                << row << ", " << column;
}

TEST(GeMatrix3d, CoordinateSystemsAndAlignment)
{
    const AcGePoint3d o(1, 2, 3);
    const AcGeVector3d x(0, 1, 0), y(-1, 0, 0), z(0, 0, 1);
    AcGeMatrix3d m;
    m.setCoordSystem(o, x, y, z);
    EXPECT_TRUE(near(m * AcGePoint3d(1, 0, 0), AcGePoint3d(1, 3, 3)));
    AcGePoint3d o2;
    AcGeVector3d x2, y2, z2;
    m.getCoordSystem(o2, x2, y2, z2);
    EXPECT_TRUE(near(o2, o) && near(x2, x) && near(y2, y) && near(z2, z));
    EXPECT_TRUE(near(m.translation(), o.asVector()));

    const AcGeMatrix3d a = AcGeMatrix3d::alignCoordSys(o, x, y, z, AcGePoint3d::kOrigin, AcGeVector3d::kXAxis,
                                                       AcGeVector3d::kYAxis, AcGeVector3d::kZAxis);
    EXPECT_TRUE(near(a * o, AcGePoint3d::kOrigin));
    EXPECT_TRUE(near(a * x, AcGeVector3d::kXAxis));
    EXPECT_TRUE(near(a * (o + y * 2), AcGePoint3d(0, 2, 0)));
}

TEST(GeMatrix3d, InverseAndSingularity)
{
    Random rnd;
    for (int i = 0; i < 100; ++i) {
        const AcGeMatrix3d m = randomAffine(rnd);
        ASSERT_FALSE(m.isSingular());
        EXPECT_TRUE(near(m * m.inverse(), AcGeMatrix3d::kIdentity, 1e-9));
        EXPECT_TRUE(near(m.inverse() * m, AcGeMatrix3d::kIdentity, 1e-9));
    }
    // A 1:10000 scale is small, not singular.
    const AcGeMatrix3d tiny = AcGeMatrix3d::scaling(1e-4, AcGePoint3d(5, 5, 5));
    EXPECT_FALSE(tiny.isSingular());
    EXPECT_TRUE(near(tiny.inverse() * (tiny * AcGePoint3d(7, 8, 9)), AcGePoint3d(7, 8, 9), 1e-9));

    // A projective matrix goes through elimination.
    AcGeMatrix3d persp;
    persp(3, 2) = -0.1;
    EXPECT_FALSE(persp.isSingular());
    EXPECT_TRUE(near(persp * persp.inverse(), AcGeMatrix3d::kIdentity, 1e-12));

    AcGeMatrix3d flat = AcGeMatrix3d::scaling(2);
    flat(2, 2) = 0.0;
    EXPECT_TRUE(flat.isSingular());
    AcGeMatrix3d inv;
    EXPECT_FALSE(flat.inverse(inv, 1e-10));
    AcGeMatrix3d unchanged = flat;
    unchanged.invert();
    EXPECT_TRUE(near(unchanged, flat));
}

TEST(GeMatrix3d, OrthogonalityScaleAndEquality)
{
    const AcGeMatrix3d r = AcGeMatrix3d::rotation(0.3, AcGeVector3d(1, 2, 3), AcGePoint3d(4, 5, 6));
    EXPECT_TRUE((r * AcGeMatrix3d::scaling(3)).isUniScaledOrtho());
    EXPECT_NEAR((r * AcGeMatrix3d::scaling(3)).scale(), 3.0, 1e-12);
    EXPECT_TRUE(AcGeMatrix3d::mirroring(AcGePlane::kXYPlane).isUniScaledOrtho());
    AcGeMatrix3d stretch;
    stretch(0, 0) = 2.0;
    EXPECT_FALSE(stretch.isUniScaledOrtho());
    EXPECT_TRUE(stretch.isScaledOrtho());
    EXPECT_DOUBLE_EQ(stretch.scale(), 2.0);
    AcGeMatrix3d shear;
    shear(0, 1) = 0.5;
    EXPECT_FALSE(shear.isScaledOrtho());
    AcGeMatrix3d persp;
    persp(3, 0) = 1.0;
    EXPECT_FALSE(persp.isScaledOrtho());

    AcGeMatrix3d almost = r;
    almost(0, 3) += 5e-11;
    EXPECT_TRUE(almost == r);
    almost(0, 0) += 1e-9;
    EXPECT_FALSE(almost.isEqualTo(r));
    EXPECT_TRUE(near(r.transpose().transpose(), r));
}

TEST(GeScale3d, ExtractAndRemove)
{
    AcGeMatrix3d m = AcGeMatrix3d::rotation(0.7, AcGeVector3d::kZAxis) * AcGeMatrix3d(AcGeScale3d(2, 3, 4)) *
                     AcGeMatrix3d::mirroring(AcGePlane::kXYPlane);
    AcGeScale3d s;
    s.extractScale(m);
    EXPECT_TRUE(s.isEqualTo(AcGeScale3d(2, 3, -4), AcGeTol()));
    s.removeScale(m);
    EXPECT_TRUE(m.isUniScaledOrtho());
    EXPECT_NEAR(m.det(), 1.0, 1e-12);
    EXPECT_TRUE(AcGeScale3d(2).isProportional());
    EXPECT_TRUE((AcGeScale3d(2, 4, 8) * AcGeScale3d(2, 4, 8).inverse()).isEqualTo(AcGeScale3d::kIdentity));
}

TEST(GeMatrix2d, TransformsAndInverse)
{
    const AcGeMatrix2d r = AcGeMatrix2d::rotation(kPi / 2, AcGePoint2d(1, 1));
    const AcGePoint2d p = r * AcGePoint2d(2, 1);
    EXPECT_NEAR(p.x, 1.0, 1e-15);
    EXPECT_NEAR(p.y, 2.0, 1e-15);
    const AcGeMatrix2d m = AcGeMatrix2d::translation(AcGeVector2d(3, 4)) * r * AcGeMatrix2d::scaling(1e-5);
    EXPECT_FALSE(m.isSingular());
    EXPECT_TRUE((m * m.inverse()).isEqualTo(AcGeMatrix2d::kIdentity));
    EXPECT_TRUE(m.isUniScaledOrtho());
    EXPECT_NEAR(AcGeMatrix2d::mirroring(AcGePoint2d(0, 0)).det(), 1.0, 1e-15);  // a point reflection is a half turn
    const AcGeMatrix2d a =
        AcGeMatrix2d::alignCoordSys(AcGePoint2d(1, 1), AcGeVector2d(0, 1), AcGeVector2d(-1, 0), AcGePoint2d::kOrigin,
                                    AcGeVector2d::kXAxis, AcGeVector2d::kYAxis);
    EXPECT_TRUE((a * AcGePoint2d(1, 2)).isEqualTo(AcGePoint2d(1, 0)));
    AcGeMatrix2d flat;
    flat(1, 1) = 0.0;
    EXPECT_TRUE(flat.isSingular());
}
