// intersectWith of the built-in entities: the four intersection types, the projected form
// (points on this entity), the polylines by vertex and bulge, block references through their
// block, the status codes; and random lines, arcs and circles against an independent count.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>
#include <random>

#include "dbents.h"
#include "dbpl.h"
#include "dbsymtb.h"
#include "gearc3d.h"
#include "geline3d.h"
#include "gelnsg3d.h"
#include "geplane.h"

namespace {

constexpr double kPi = std::numbers::pi;

bool has(const AcGePoint3dArray& points, const AcGePoint3d& expected, double tol = 1e-9)
{
    for (int i = 0; i < points.length(); ++i)
        if (points[i].distanceTo(expected) <= tol) return true;
    return false;
}

AcGePoint3dArray meet(const AcDbEntity& self, const AcDbEntity& other, AcDb::Intersect type = AcDb::kOnBothOperands)
{
    AcGePoint3dArray points;
    EXPECT_EQ(self.intersectWith(&other, type, points), Acad::eOk);
    return points;
}

TEST(EntityIntersections, TypesExtendOnlyTheirSide)
{
    const AcDbLine across(AcGePoint3d(0, 0, 0), AcGePoint3d(10, 0, 0));
    const AcDbLine shortOne(AcGePoint3d(5, 2, 0), AcGePoint3d(5, 8, 0));  // would cross at (5, 0)
    EXPECT_EQ(meet(across, shortOne).length(), 0);
    EXPECT_EQ(meet(across, shortOne, AcDb::kExtendThis).length(), 0);
    ASSERT_EQ(meet(across, shortOne, AcDb::kExtendArg).length(), 1);
    EXPECT_TRUE(has(meet(across, shortOne, AcDb::kExtendBoth), AcGePoint3d(5, 0, 0)));
    EXPECT_EQ(meet(shortOne, across, AcDb::kExtendThis).length(), 1);

    // An arc extends to its whole circle.
    const AcDbArc upper(AcGePoint3d(0, 0, 0), 5, 0, kPi);
    const AcDbLine below(AcGePoint3d(-10, -3, 0), AcGePoint3d(10, -3, 0));
    EXPECT_EQ(meet(upper, below).length(), 0);
    AcGePoint3dArray points = meet(upper, below, AcDb::kExtendThis);
    ASSERT_EQ(points.length(), 2);
    EXPECT_TRUE(has(points, AcGePoint3d(-4, -3, 0)));
    EXPECT_TRUE(has(points, AcGePoint3d(4, -3, 0)));
    EXPECT_EQ(meet(below, upper, AcDb::kExtendArg).length(), 2);

    // A polyline of several segments is never extended.
    AcDbPolyline open;
    open.addVertexAt(0, AcGePoint2d(0, 1));
    open.addVertexAt(1, AcGePoint2d(2, 1));
    open.addVertexAt(2, AcGePoint2d(2, 3));
    const AcDbLine far(AcGePoint3d(6, -5, 0), AcGePoint3d(6, 5, 0));
    EXPECT_EQ(meet(open, far, AcDb::kExtendThis).length(), 0);
    EXPECT_EQ(meet(open, far, AcDb::kExtendArg).length(), 0);
}

TEST(EntityIntersections, StatusCodes)
{
    const AcDbLine line(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0));
    const AcDbCircle circle(AcGePoint3d(0, 0, 0), AcGeVector3d::kZAxis, 1);
    AcGePoint3dArray points;
    EXPECT_EQ(line.intersectWith(nullptr, AcDb::kOnBothOperands, points), Acad::eNullEntityPointer);
    EXPECT_EQ(circle.intersectWith(nullptr, AcDb::kExtendBoth, AcGePlane::kXYPlane, points), Acad::eNullEntityPointer);
    EXPECT_EQ(static_cast<int>(Acad::eNullEntityPointer), 20);
    // Two curves that do not meet: success and no points.
    const AcDbLine away(AcGePoint3d(0, 5, 0), AcGePoint3d(1, 5, 0));
    EXPECT_EQ(line.intersectWith(&away, AcDb::kOnBothOperands, points), Acad::eOk);
    EXPECT_EQ(points.length(), 0);
    // Entities that have no curve answer as any entity does.
    const AcDbSequenceEnd end;
    EXPECT_EQ(line.intersectWith(&end, AcDb::kOnBothOperands, points), Acad::eNotApplicable);
}

TEST(EntityIntersections, ProjectedPointsLieOnThisEntity)
{
    // Two skew lines: seen from above they cross at (5, 5).
    const AcDbLine low(AcGePoint3d(0, 0, 0), AcGePoint3d(10, 10, 0));
    const AcDbLine high(AcGePoint3d(0, 10, 7), AcGePoint3d(10, 0, 7));
    EXPECT_EQ(meet(low, high).length(), 0);
    AcGePoint3dArray points;
    ASSERT_EQ(low.intersectWith(&high, AcDb::kOnBothOperands, AcGePlane::kXYPlane, points), Acad::eOk);
    ASSERT_EQ(points.length(), 1);
    EXPECT_TRUE(points[0].isEqualTo(AcGePoint3d(5, 5, 0)));
    points.setLogicalLength(0);
    ASSERT_EQ(high.intersectWith(&low, AcDb::kOnBothOperands, AcGePlane::kXYPlane, points), Acad::eOk);
    ASSERT_EQ(points.length(), 1);
    EXPECT_TRUE(points[0].isEqualTo(AcGePoint3d(5, 5, 7)));

    // A circle high above a line, and a circle standing up (seen from above it is a segment).
    const AcDbCircle raised(AcGePoint3d(0, 0, 4), AcGeVector3d::kZAxis, 2);
    const AcDbLine ground(AcGePoint3d(-5, 0, 0), AcGePoint3d(5, 0, 0));
    points.setLogicalLength(0);
    raised.intersectWith(&ground, AcDb::kOnBothOperands, AcGePlane::kXYPlane, points);
    ASSERT_EQ(points.length(), 2);
    EXPECT_TRUE(has(points, AcGePoint3d(-2, 0, 4)));
    EXPECT_TRUE(has(points, AcGePoint3d(2, 0, 4)));
    const AcDbCircle standing(AcGePoint3d(1, 0, -3), AcGeVector3d::kYAxis, 1.5);
    points.setLogicalLength(0);
    raised.intersectWith(&standing, AcDb::kOnBothOperands, AcGePlane::kXYPlane, points);
    ASSERT_EQ(points.length(), 1);  // the standing circle shows as x in [-0.5, 2.5] on y = 0
    EXPECT_TRUE(has(points, AcGePoint3d(2, 0, 4), 1e-7));
    points.setLogicalLength(0);
    standing.intersectWith(&raised, AcDb::kOnBothOperands, AcGePlane::kXYPlane, points);
    ASSERT_EQ(points.length(), 2);  // the points of the standing circle above and below (2, 0)
    for (int i = 0; i < points.length(); ++i) {
        EXPECT_NEAR(points[i].x, 2, 1e-7);
        EXPECT_NEAR(points[i].y, 0, 1e-7);
    }

    // Tilted circles of different planes: each point returned is on this circle and lines up
    // with a point of the other seen along the plane's normal.
    const AcDbCircle tiltA(AcGePoint3d(0, 0, 0), AcGeVector3d(0.3, 0, 1).normal(), 3);
    const AcDbCircle tiltB(AcGePoint3d(2, 1, 5), AcGeVector3d(0, -0.4, 1).normal(), 2.5);
    points.setLogicalLength(0);
    tiltA.intersectWith(&tiltB, AcDb::kOnBothOperands, AcGePlane::kXYPlane, points);
    ASSERT_EQ(points.length(), 2);
    const AcGeCircArc3d geA(tiltA.center(), tiltA.normal(), tiltA.radius());
    const AcGeCircArc3d geB(tiltB.center(), tiltB.normal(), tiltB.radius());
    for (int i = 0; i < points.length(); ++i) {
        EXPECT_LT(geA.distanceTo(points[i]), 1e-8);
        const AcGePoint3d lined = geB.projClosestPointTo(points[i], AcGeVector3d::kZAxis);
        EXPECT_LT((lined - points[i]).orthoProject(AcGeVector3d::kZAxis).length(), 1e-7);
    }
}

TEST(EntityIntersections, PolylinesByVertexAndBulge)
{
    // A square of side 4 from (0, 0) whose last side is a half circle bulging out to x = -2.
    AcDbPolyline light;
    light.addVertexAt(0, AcGePoint2d(0, 0));
    light.addVertexAt(1, AcGePoint2d(4, 0));
    light.addVertexAt(2, AcGePoint2d(4, 4));
    light.addVertexAt(3, AcGePoint2d(0, 4), 1.0);
    light.setClosed(true);
    const AcDbLine horizontal(AcGePoint3d(-10, 2, 0), AcGePoint3d(10, 2, 0));
    AcGePoint3dArray points = meet(light, horizontal);
    ASSERT_EQ(points.length(), 2);
    EXPECT_TRUE(has(points, AcGePoint3d(4, 2, 0)));
    EXPECT_TRUE(has(points, AcGePoint3d(-2, 2, 0)));

    AcGePoint3dArray vertices;
    vertices.append(AcGePoint3d(0, 0, 0));
    vertices.append(AcGePoint3d(4, 0, 0));
    vertices.append(AcGePoint3d(4, 4, 0));
    vertices.append(AcGePoint3d(0, 4, 0));
    AcArray<double> bulges;
    for (double b : {0.0, 0.0, 1.0, 0.0}) bulges.append(b);
    for (auto type : {AcDb2dPolyline::k2dSimplePoly, AcDb2dPolyline::k2dFitCurvePoly}) {
        const AcDb2dPolyline heavy(type, vertices, 0, false, 0, 0, &bulges);
        // The third segment is a half circle over (4, 4)-(0, 4) bulging up to y = 6.
        const AcDbLine vertical(AcGePoint3d(2, -10, 0), AcGePoint3d(2, 10, 0));
        points = meet(heavy, vertical);
        ASSERT_EQ(points.length(), 2) << type;
        EXPECT_TRUE(has(points, AcGePoint3d(2, 0, 0)));
        EXPECT_TRUE(has(points, AcGePoint3d(2, 6, 0)));
        EXPECT_EQ(meet(vertical, heavy).length(), 2);
    }

    AcGePoint3dArray corners;
    corners.append(AcGePoint3d(0, 0, 0));
    corners.append(AcGePoint3d(10, 0, 10));
    corners.append(AcGePoint3d(10, 10, 10));
    const AcDb3dPolyline spatial(AcDb3dPolyline::k3dSimplePoly, corners, true);
    const AcDbLine piercing(AcGePoint3d(5, -5, 5), AcGePoint3d(5, 4, 5));  // meets the first side at (5, 0, 5)
    points = meet(spatial, piercing);
    ASSERT_EQ(points.length(), 1);
    EXPECT_TRUE(has(points, AcGePoint3d(5, 0, 5)));
}

TEST(EntityIntersections, BlockReferencesThroughTheirBlock)
{
    AcDbDatabase db(true, true);
    AcDbBlockTable* table = nullptr;
    ASSERT_EQ(db.getBlockTable(table, AcDb::kForWrite), Acad::eOk);
    auto* record = new AcDbBlockTableRecord();
    record->setName("CROSS");
    AcDbObjectId blockId;
    ASSERT_EQ(table->add(blockId, record), Acad::eOk);
    for (AcDbEntity* part :
         {static_cast<AcDbEntity*>(new AcDbLine(AcGePoint3d(-1, 0, 0), AcGePoint3d(1, 0, 0))),
          static_cast<AcDbEntity*>(new AcDbCircle(AcGePoint3d(0, 0, 0), AcGeVector3d::kZAxis, 0.5))}) {
        ASSERT_EQ(record->appendAcDbEntity(part), Acad::eOk);
        part->close();
    }
    record->close();
    table->close();

    // Placed at (10, 10), scaled by 2 and turned a quarter: the line runs from (10, 8) to (10, 12).
    AcDbBlockReference reference(AcGePoint3d(10, 10, 0), blockId);
    reference.setScaleFactors(AcGeScale3d(2, 2, 2));
    reference.setRotation(kPi / 2);
    const AcDbLine across(AcGePoint3d(0, 11.5, 0), AcGePoint3d(20, 11.5, 0));
    AcGePoint3dArray points = meet(reference, across);
    ASSERT_EQ(points.length(), 1);
    EXPECT_TRUE(has(points, AcGePoint3d(10, 11.5, 0)));
    const AcDbLine through(AcGePoint3d(0, 10, 0), AcGePoint3d(20, 10, 0));
    points = meet(through, reference);  // the line at (10, 10) and the circle of radius 1
    ASSERT_EQ(points.length(), 3);
    EXPECT_TRUE(has(points, AcGePoint3d(9, 10, 0)));
    EXPECT_TRUE(has(points, AcGePoint3d(10, 10, 0)));
    EXPECT_TRUE(has(points, AcGePoint3d(11, 10, 0)));
}

// Random lines, arcs and circles of the XY plane: every point returned is on both entities,
// and the count is the one of a plain computation on the unbounded line and the full circle
// filtered by segment parameter and arc angle.
TEST(EntityIntersections, RandomFiguresAgreeWithAPlainCount)
{
    std::mt19937 engine(31);
    auto uniform = [&](double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(engine); };
    constexpr double kGeneric = 1e-6;
    int checked = 0, found = 0;
    for (int i = 0; i < 2000; ++i) {
        const AcGePoint3d a(uniform(-20, 20), uniform(-20, 20), 0), b(uniform(-20, 20), uniform(-20, 20), 0);
        const AcGePoint3d c(uniform(-10, 10), uniform(-10, 10), 0);
        const double r = uniform(1, 12), start = uniform(0, 2 * kPi), sweep = uniform(0.3, 2 * kPi);
        const bool full = sweep > 2 * kPi - 0.3;
        std::unique_ptr<AcDbCurve> curve;
        if (full) curve = std::make_unique<AcDbCircle>(c, AcGeVector3d::kZAxis, r);
        else curve = std::make_unique<AcDbArc>(c, r, start, start + sweep);
        const AcDbLine line(a, b);
        const AcDb::Intersect type = (i % 2) ? AcDb::kOnBothOperands : AcDb::kExtendArg;
        // The plain count.
        const AcGeVector3d d = b - a, f = a - c;
        const double qa = d.dotProduct(d), qb = 2 * f.dotProduct(d), qc = f.dotProduct(f) - r * r;
        const double disc = qb * qb - 4 * qa * qc;
        if (std::fabs(disc) < kGeneric * qa) continue;
        int expected = 0;
        bool special = false;
        if (disc > 0) {
            for (double sign : {-1.0, 1.0}) {
                const double t = (-qb + sign * std::sqrt(disc)) / (2 * qa);
                if (type == AcDb::kOnBothOperands && (std::fabs(t) < kGeneric || std::fabs(t - 1) < kGeneric))
                    special = true;
                if (type == AcDb::kOnBothOperands && (t < 0 || t > 1)) continue;
                double angle = std::atan2(a.y + t * d.y - c.y, a.x + t * d.x - c.x);
                while (angle < start) angle += 2 * kPi;
                if (!full && (std::fabs(angle - start) < kGeneric || std::fabs(angle - start - sweep) < kGeneric ||
                              std::fabs(angle - 2 * kPi - start) < kGeneric))
                    special = true;
                if (full || angle <= start + sweep) ++expected;
            }
        }
        if (special) continue;
        AcGePoint3dArray points;
        ASSERT_EQ(curve->intersectWith(&line, type == AcDb::kExtendArg ? AcDb::kExtendArg : type, points), Acad::eOk);
        ASSERT_EQ(points.length(), expected) << "case " << i;
        AcGePoint3dArray reverse;
        ASSERT_EQ(line.intersectWith(curve.get(), type == AcDb::kExtendArg ? AcDb::kExtendThis : type, reverse),
                  Acad::eOk);
        ASSERT_EQ(reverse.length(), expected) << "case " << i;
        const AcGeLine3d carrier(a, b);
        for (int k = 0; k < points.length(); ++k) {
            AcGePoint3d onCurve;
            ASSERT_EQ(curve->getClosestPointTo(points[k], onCurve), Acad::eOk);
            EXPECT_LT(onCurve.distanceTo(points[k]), 1e-8);
            EXPECT_LT(carrier.distanceTo(points[k]), 1e-8);
            if (type == AcDb::kOnBothOperands) {
                EXPECT_LT(AcGeLineSeg3d(a, b).distanceTo(points[k]), 1e-8);
            }
        }
        ++checked;
        found += expected > 0;
    }
    EXPECT_GT(checked, 1800);
    EXPECT_GT(found, 400);
}

}  // namespace

TEST(EntityIntersections, LineThroughAnArcsCentreSeenFromAbove)
{
    const AcDbArc upper(AcGePoint3d(160, 40, 0), 20, 0, 3.14159);
    const AcDbLine up(AcGePoint3d(160, 30, 0), AcGePoint3d(160, 80, 0));
    EXPECT_TRUE(has(meet(up, upper), AcGePoint3d(160, 60, 0), 1e-6));
    AcGePoint3dArray points;
    ASSERT_EQ(up.intersectWith(&upper, AcDb::kOnBothOperands, AcGePlane::kXYPlane, points), Acad::eOk);
    ASSERT_EQ(points.length(), 1);
    EXPECT_TRUE(has(points, AcGePoint3d(160, 60, 0), 1e-6));
    points.setLogicalLength(0);
    ASSERT_EQ(upper.intersectWith(&up, AcDb::kOnBothOperands, AcGePlane::kXYPlane, points), Acad::eOk);
    ASSERT_EQ(points.length(), 1);
}

namespace {

// An entity of a module that answers by asking the other entity about itself.
class HandsBack : public AcDbEntity {
public:
    Acad::ErrorStatus intersectWith(const AcDbEntity* pEnt, AcDb::Intersect intType, AcGePoint3dArray& points, int,
                                    int) const override
    {
        ++asked;
        return pEnt->intersectWith(this, intType, points);
    }
    mutable int asked = 0;
};

}  // namespace

TEST(EntityIntersections, AnEntityThatHandsTheQuestionBackEndsTheExchange)
{
    const AcDbLine line(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0));
    const HandsBack custom;
    AcGePoint3dArray points;
    EXPECT_EQ(line.intersectWith(&custom, AcDb::kOnBothOperands, points), Acad::eNotApplicable);
    EXPECT_EQ(custom.asked, 1);
    EXPECT_EQ(points.length(), 0);
}

namespace {

// An entity of a module with one point where everything meets it, high above the XY plane.
class OnePoint : public AcDbEntity {
public:
    Acad::ErrorStatus intersectWith(const AcDbEntity*, AcDb::Intersect type, const AcGePlane&, AcGePoint3dArray& points,
                                    int, int) const override
    {
        lastType = type;
        points.append(AcGePoint3d(5, 0, 3));
        return Acad::eOk;
    }
    mutable AcDb::Intersect lastType = AcDb::kOnBothOperands;
};

}  // namespace

TEST(EntityIntersections, AnEntityAskedInTurnGivesPointsCarriedBackOntoThisOne)
{
    const AcDbLine line(AcGePoint3d(0, 0, 0), AcGePoint3d(10, 0, 0));
    const OnePoint custom;
    AcGePoint3dArray points;
    ASSERT_EQ(line.intersectWith(&custom, AcDb::kOnBothOperands, AcGePlane::kXYPlane, points), Acad::eOk);
    ASSERT_EQ(points.length(), 1);
    EXPECT_TRUE(points[0].isEqualTo(AcGePoint3d(5, 0, 0)));
    // Extending this line asks the other to extend its argument; the point may lie beyond our end.
    const AcDbLine shortLine(AcGePoint3d(0, 0, 0), AcGePoint3d(2, 0, 0));
    points.setLogicalLength(0);
    ASSERT_EQ(shortLine.intersectWith(&custom, AcDb::kExtendThis, AcGePlane::kXYPlane, points), Acad::eOk);
    EXPECT_EQ(custom.lastType, AcDb::kExtendArg);
    ASSERT_EQ(points.length(), 1);
    EXPECT_TRUE(points[0].isEqualTo(AcGePoint3d(5, 0, 0)));
}
