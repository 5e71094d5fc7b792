// The mark's intersections with other entities: the outline's four sides are met directly by
// lines, arcs, circles and the plain old-style polylines, any other entity is asked side by
// side; the sides are never extended. Random marks against random lines, arcs and circles are
// checked against an intersection computed apart, in the mark's own plane.
#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <numbers>
#include <optional>
#include <random>
#include <vector>

#include "dbents.h"
#include "dbpl.h"
#include "geplane.h"
#include "mark_test_support.h"

using marktest::Frame;
using marktest::markOf;
using marktest::MarkTest;
using marktest::randomFrame;

namespace {

// The 200 x 100 mark centred on (100, 50) in the world XY plane: corner 0 (200, 100),
// 1 (0, 100), 2 (0, 0), 3 (200, 0).
std::unique_ptr<VaduKestra> plainMark()
{
    return std::unique_ptr<VaduKestra>(
        markOf(Frame{AcGePoint3d(100, 50, 0), AcGeVector3d(0, 0, 1), 0.0, 200, 100, 10}));
}

AcGePoint3dArray meet(const VaduKestra& mark, const AcDbEntity& other, AcDb::Intersect type = AcDb::kOnBothOperands)
{
    AcGePoint3dArray points;
    EXPECT_EQ(mark.intersectWith(&other, type, points), Acad::eOk);
    return points;
}

AcGePoint3dArray meetAlong(const VaduKestra& mark, const AcDbEntity& other, const AcGeVector3d& normal,
                           AcDb::Intersect type = AcDb::kOnBothOperands)
{
    AcGePoint3dArray points;
    EXPECT_EQ(mark.intersectWith(&other, type, AcGePlane(AcGePoint3d::kOrigin, normal), points), Acad::eOk);
    return points;
}

// The points, each within 1e-9 of one of those expected, and as many.
testing::AssertionResult samePoints(const AcGePoint3dArray& actual, std::vector<AcGePoint3d> expected)
{
    if (actual.length() != static_cast<int>(expected.size()))
        return testing::AssertionFailure() << actual.length() << " points instead of " << expected.size();
    for (int i = 0; i < actual.length(); ++i) {
        const auto found = std::find_if(expected.begin(), expected.end(),
                                        [&](const AcGePoint3d& p) { return p.distanceTo(actual[i]) < 1e-9; });
        if (found == expected.end())
            return testing::AssertionFailure()
                   << "unexpected point " << actual[i].x << "," << actual[i].y << "," << actual[i].z;
        expected.erase(found);
    }
    return testing::AssertionSuccess();
}

using IntersectionTest = MarkTest;

TEST_F(IntersectionTest, LinesMeetTheSidesAndOnlyTheSides)
{
    const auto mark = plainMark();
    // Across the mark from the left side to the top side.
    AcDbLine diagonal(AcGePoint3d(-20, 30, 0), AcGePoint3d(80, 130, 0));
    EXPECT_TRUE(samePoints(meet(*mark, diagonal), {{0, 50, 0}, {50, 100, 0}}));
    // Through two opposite corners: each corner once.
    AcDbLine cornerToCorner(AcGePoint3d(-100, -50, 0), AcGePoint3d(300, 150, 0));
    EXPECT_TRUE(samePoints(meet(*mark, cornerToCorner), {{0, 0, 0}, {200, 100, 0}}));

    // Short of the mark: nothing on both operands or when only the mark may be extended;
    // extended, the line reaches both sides it points at.
    AcDbLine shortOf(AcGePoint3d(20, 110, 0), AcGePoint3d(20, 130, 0));
    EXPECT_EQ(meet(*mark, shortOf).length(), 0);
    EXPECT_EQ(meet(*mark, shortOf, AcDb::kExtendThis).length(), 0);
    EXPECT_TRUE(samePoints(meet(*mark, shortOf, AcDb::kExtendArg), {{20, 100, 0}, {20, 0, 0}}));
    EXPECT_TRUE(samePoints(meet(*mark, shortOf, AcDb::kExtendBoth), {{20, 100, 0}, {20, 0, 0}}));

    // A line that would meet the extension of the top side only: the sides stay as they are.
    AcDbLine besideTop(AcGePoint3d(250, 90, 0), AcGePoint3d(250, 130, 0));
    for (auto type : {AcDb::kOnBothOperands, AcDb::kExtendThis, AcDb::kExtendArg, AcDb::kExtendBoth})
        EXPECT_EQ(meet(*mark, besideTop, type).length(), 0) << type;

    // Above the mark's plane, the line meets it only as seen along the plane's normal; the
    // points lie on the sides.
    AcDbLine above(AcGePoint3d(-20, 30, 40), AcGePoint3d(80, 130, 40));
    EXPECT_EQ(meet(*mark, above).length(), 0);
    EXPECT_TRUE(samePoints(meetAlong(*mark, above, AcGeVector3d::kZAxis), {{0, 50, 0}, {50, 100, 0}}));
}

TEST_F(IntersectionTest, ArcsAndCircles)
{
    const auto mark = plainMark();
    // A quarter of the circle of radius 30 about (100, 110), above the mark: only its whole
    // circle, when the arc is extended, meets the top side.
    AcDbArc upper(AcGePoint3d(100, 110, 0), 30.0, std::numbers::pi / 4, 3 * std::numbers::pi / 4);
    EXPECT_EQ(meet(*mark, upper).length(), 0);
    const double dx = std::sqrt(30.0 * 30.0 - 10.0 * 10.0);
    EXPECT_TRUE(samePoints(meet(*mark, upper, AcDb::kExtendArg), {{100 - dx, 100, 0}, {100 + dx, 100, 0}}));
    EXPECT_TRUE(samePoints(meet(*mark, upper, AcDb::kExtendBoth), {{100 - dx, 100, 0}, {100 + dx, 100, 0}}));
    EXPECT_EQ(meet(*mark, upper, AcDb::kExtendThis).length(), 0);
    AcDbArc lower(AcGePoint3d(100, 110, 0), 30.0, std::numbers::pi, 2 * std::numbers::pi);
    EXPECT_TRUE(samePoints(meet(*mark, lower), {{100 - dx, 100, 0}, {100 + dx, 100, 0}}));

    // Inside without touching: none. Crossing the top and bottom sides and no other: four.
    AcDbCircle inside(AcGePoint3d(100, 50, 0), AcGeVector3d::kZAxis, 40.0);
    EXPECT_EQ(meet(*mark, inside).length(), 0);
    AcDbCircle across(AcGePoint3d(100, 50, 0), AcGeVector3d::kZAxis, 60.0);
    const double cx = std::sqrt(60.0 * 60.0 - 50.0 * 50.0);
    EXPECT_TRUE(
        samePoints(meet(*mark, across), {{100 - cx, 100, 0}, {100 + cx, 100, 0}, {100 - cx, 0, 0}, {100 + cx, 0, 0}}));
    // Lifted off the plane, seen along it.
    AcDbCircle lifted(AcGePoint3d(100, 50, -25), AcGeVector3d::kZAxis, 60.0);
    EXPECT_EQ(meet(*mark, lifted).length(), 0);
    EXPECT_EQ(meetAlong(*mark, lifted, AcGeVector3d::kZAxis).length(), 4);
}

TEST_F(IntersectionTest, OldStylePolylinesByVertexAndBulge)
{
    const auto mark = plainMark();
    // A square around the top-left corner: its first segment crosses the top side, and only
    // when it is closed does its closing segment cross the left side.
    AcGePoint3dArray square;
    for (const AcGePoint3d& p :
         {AcGePoint3d(10, 90, 0), AcGePoint3d(10, 110, 0), AcGePoint3d(-10, 110, 0), AcGePoint3d(-10, 90, 0)})
        square.append(p);
    AcDb2dPolyline open2d(AcDb2dPolyline::k2dSimplePoly, square);
    EXPECT_TRUE(samePoints(meet(*mark, open2d), {{10, 100, 0}}));
    AcDb2dPolyline closed2d(AcDb2dPolyline::k2dSimplePoly, square, 0, Adesk::kTrue);
    EXPECT_TRUE(samePoints(meet(*mark, closed2d), {{10, 100, 0}, {0, 90, 0}}));

    // A half circle from (70, 120) to (130, 120) with bulge 1 runs counterclockwise about
    // (100, 120) through (100, 90): it crosses the top side twice.
    AcGePoint3dArray chord;
    chord.append(AcGePoint3d(70, 120, 0));
    chord.append(AcGePoint3d(130, 120, 0));
    AcArray<double> bulges;
    bulges.append(1.0);
    bulges.append(0.0);
    AcDb2dPolyline halfCircle(AcDb2dPolyline::k2dSimplePoly, chord, 0, Adesk::kFalse, 0, 0, &bulges);
    const double dx = std::sqrt(30.0 * 30.0 - 20.0 * 20.0);
    EXPECT_TRUE(samePoints(meet(*mark, halfCircle), {{100 - dx, 100, 0}, {100 + dx, 100, 0}}));
    // Bulging the other way (clockwise), it stays above the mark.
    bulges[0] = -1.0;
    AcDb2dPolyline upward(AcDb2dPolyline::k2dSimplePoly, chord, 0, Adesk::kFalse, 0, 0, &bulges);
    EXPECT_EQ(meet(*mark, upward).length(), 0);
    // The curve-fit type is walked the same way.
    bulges[0] = 1.0;
    AcDb2dPolyline fitted(AcDb2dPolyline::k2dFitCurvePoly, chord, 0, Adesk::kFalse, 0, 0, &bulges);
    EXPECT_EQ(meet(*mark, fitted).length(), 2);

    // Off the mark's plane, a 2D polyline is met along the projection plane's normal.
    AcDb2dPolyline raised(AcDb2dPolyline::k2dSimplePoly, chord, 25.0, Adesk::kFalse, 0, 0, &bulges);
    EXPECT_EQ(meet(*mark, raised).length(), 0);
    EXPECT_TRUE(samePoints(meetAlong(*mark, raised, AcGeVector3d::kZAxis), {{100 - dx, 100, 0}, {100 + dx, 100, 0}}));

    // A simple 3D polyline meets the sides by its straight segments.
    AcGePoint3dArray path;
    for (const AcGePoint3d& p : {AcGePoint3d(-10, 50, 0), AcGePoint3d(100, 50, 0), AcGePoint3d(100, -10, 0)})
        path.append(p);
    AcDb3dPolyline simple3d(AcDb3dPolyline::k3dSimplePoly, path);
    EXPECT_TRUE(samePoints(meet(*mark, simple3d), {{0, 50, 0}, {100, 0, 0}}));
    AcDb3dPolyline closed3d(AcDb3dPolyline::k3dSimplePoly, path, Adesk::kTrue);
    // The closing segment from (100, -10) back to (-10, 50) crosses the bottom and left sides.
    const double y = 50 - 60.0 * (10.0 / 110.0);
    const double x = 100 - 110.0 * (10.0 / 60.0);
    EXPECT_TRUE(samePoints(meet(*mark, closed3d), {{0, 50, 0}, {100, 0, 0}, {x, 0, 0}, {0, y, 0}}));
}

TEST_F(IntersectionTest, AnyOtherEntityIsAskedSideBySideWithoutExtendingThem)
{
    const auto mark = plainMark();
    // A lightweight polyline answers for itself with each side as a line.
    AcDbPolyline crossing;
    crossing.addVertexAt(0, AcGePoint2d(50, -20));
    crossing.addVertexAt(1, AcGePoint2d(50, 120));
    EXPECT_TRUE(samePoints(meet(*mark, crossing), {{50, 0, 0}, {50, 100, 0}}));
    // Short of the mark, it is extended when the argument may be, never the sides.
    AcDbPolyline shortOf;
    shortOf.addVertexAt(0, AcGePoint2d(50, 110));
    shortOf.addVertexAt(1, AcGePoint2d(50, 130));
    EXPECT_EQ(meet(*mark, shortOf).length(), 0);
    EXPECT_TRUE(samePoints(meet(*mark, shortOf, AcDb::kExtendArg), {{50, 0, 0}, {50, 100, 0}}));
    AcDbPolyline besideTop;
    besideTop.addVertexAt(0, AcGePoint2d(250, 90));
    besideTop.addVertexAt(1, AcGePoint2d(250, 130));
    EXPECT_EQ(meet(*mark, besideTop, AcDb::kExtendBoth).length(), 0);

    // Lifted off the mark's plane, it is met only along the projection plane's normal, which
    // the mark passes on with each side.
    AcDbPolyline lifted;
    lifted.addVertexAt(0, AcGePoint2d(50, -20));
    lifted.addVertexAt(1, AcGePoint2d(50, 120));
    lifted.setElevation(30.0);
    EXPECT_EQ(meet(*mark, lifted).length(), 0);
    const AcGePoint3dArray along = meetAlong(*mark, lifted, AcGeVector3d::kZAxis);
    ASSERT_EQ(along.length(), 2);
    for (int i = 0; i < 2; ++i) {
        EXPECT_NEAR(along[i].x, 50.0, 1e-9);
        EXPECT_TRUE(std::fabs(along[i].y) < 1e-9 || std::fabs(along[i].y - 100.0) < 1e-9);
    }

    // Another mark meets this one through its own sides.
    const auto other =
        std::unique_ptr<VaduKestra>(markOf(Frame{AcGePoint3d(200, 100, 0), AcGeVector3d(0, 0, 1), 0.0, 100, 50, 10}));
    EXPECT_TRUE(samePoints(meet(*mark, *other), {{150, 100, 0}, {200, 75, 0}}));

    // An entity that cannot answer ends the request with its status.
    AcDbViewport viewport;
    AcGePoint3dArray points;
    EXPECT_EQ(mark->intersectWith(&viewport, AcDb::kOnBothOperands, points), Acad::eNotApplicable);
}

TEST_F(IntersectionTest, NoPointsForAPerspectiveMarkAndStatus20ForNoEntity)
{
    const auto mark = plainMark();
    AcGePoint3dArray points;
    EXPECT_EQ(mark->intersectWith(nullptr, AcDb::kOnBothOperands, points), 20);
    EXPECT_EQ(mark->intersectWith(nullptr, AcDb::kOnBothOperands, AcGePlane::kXYPlane, points), 20);

    AcDbLine diagonal(AcGePoint3d(-20, 30, 0), AcGePoint3d(80, 130, 0));
    mark->setViewMode(1);
    EXPECT_EQ(meet(*mark, diagonal).length(), 0);
    EXPECT_EQ(meetAlong(*mark, diagonal, AcGeVector3d::kZAxis).length(), 0);
    // Other bits of the view mode leave the outline as it is.
    mark->setViewMode(2 | 16);
    EXPECT_EQ(meet(*mark, diagonal).length(), 2);
    // Points found earlier stay in the array, and one already there is appended again.
    points.setLogicalLength(0);
    points.append(AcGePoint3d(0, 50, 0));
    EXPECT_EQ(mark->intersectWith(&diagonal, AcDb::kOnBothOperands, points), Acad::eOk);
    EXPECT_EQ(points.length(), 3);
}

// ---- the property test ---------------------------------------------------------------------

// The mark's plane as 2D coordinates: u along its width, v along its height, about its centre.
struct MarkPlane {
    AcGePoint3d center;
    AcGeVector3d right, up, normal;
    double halfWidth, halfHeight;

    AcGePoint3d world(double u, double v, double lift = 0.0) const
    {
        return center + right * u + up * v + normal * lift;
    }
    std::pair<double, double> local(const AcGePoint3d& p) const
    {
        return {(p - center).dotProduct(right), (p - center).dotProduct(up)};
    }
};

MarkPlane planeOf(const Frame& f)
{
    const AcGeVector3d n = f.normal.normal();
    AcGeVector3d right = n.perpVector().normal();
    right.rotateBy(f.angle, n);
    return MarkPlane{f.center, right, n.crossProduct(right), n, f.width / 2, f.height / 2};
}

// The four sides in local coordinates, as (start u, start v, end u, end v).
std::vector<std::array<double, 4>> sidesOf(const MarkPlane& m)
{
    const double w = m.halfWidth, h = m.halfHeight;
    return {{w, h, -w, h}, {-w, h, -w, -h}, {-w, -h, w, -h}, {w, -h, w, h}};
}

// Counted apart from the geometry library. nullopt when the case lies too close to a
// tangency, a corner or an end for a count to be well defined.
constexpr double kMargin = 1e-6;

bool nearEnd(double t) { return std::fabs(t) < kMargin || std::fabs(t - 1) < kMargin; }

std::optional<int> countLineMeets(const MarkPlane& m, double au, double av, double bu, double bv, bool unbounded)
{
    int count = 0;
    for (const auto& s : sidesOf(m)) {
        const double du = s[2] - s[0], dv = s[3] - s[1], eu = bu - au, ev = bv - av;
        const double det = du * (-ev) - dv * (-eu);
        if (std::fabs(det) < kMargin) continue;
        const double ru = au - s[0], rv = av - s[1];
        const double t = (ru * (-ev) - rv * (-eu)) / det;  // along the side
        const double k = (du * rv - dv * ru) / det;        // along the line
        if (nearEnd(t) || (!unbounded && nearEnd(k))) return std::nullopt;
        if (t > 0 && t < 1 && (unbounded || (k > 0 && k < 1))) ++count;
    }
    return count;
}

// An arc from angle `from` counterclockwise by `sweep` (2 pi for a circle).
std::optional<int> countArcMeets(const MarkPlane& m, double cu, double cv, double r, double from, double sweep)
{
    int count = 0;
    for (const auto& s : sidesOf(m)) {
        const double du = s[2] - s[0], dv = s[3] - s[1];
        const double fu = s[0] - cu, fv = s[1] - cv;
        const double a = du * du + dv * dv, b = 2 * (fu * du + fv * dv), c = fu * fu + fv * fv - r * r;
        const double disc = b * b - 4 * a * c;
        if (std::fabs(disc) < kMargin * a * r) return std::nullopt;
        if (disc < 0) continue;
        for (const double sign : {-1.0, 1.0}) {
            const double t = (-b + sign * std::sqrt(disc)) / (2 * a);
            if (nearEnd(t)) return std::nullopt;
            if (t <= 0 || t >= 1) continue;
            double angle = std::atan2(fv + t * dv, fu + t * du) - from;
            angle -= 2 * std::numbers::pi * std::floor(angle / (2 * std::numbers::pi));
            if (sweep < 2 * std::numbers::pi && (angle < kMargin || std::fabs(angle - sweep) < kMargin ||
                                                 std::fabs(angle - 2 * std::numbers::pi) < kMargin))
                return std::nullopt;
            if (angle < sweep) ++count;
        }
    }
    return count;
}

// Each point on a side of the mark and on the other entity.
void expectOnSidesAndOn(const VaduKestra& mark, const AcDbCurve& other, const AcGePoint3dArray& points,
                        bool alongNormal, const MarkPlane& m)
{
    const double tolerance = 1e-7;
    for (int i = 0; i < points.length(); ++i) {
        EXPECT_TRUE(mark.isOnOutline(points[i]));
        const auto [u, v] = m.local(points[i]);
        EXPECT_LE(std::fabs((points[i] - m.center).dotProduct(m.normal)), tolerance);
        EXPECT_TRUE(std::fabs(std::fabs(u) - m.halfWidth) < tolerance ||
                    std::fabs(std::fabs(v) - m.halfHeight) < tolerance);
        EXPECT_LE(std::fabs(u), m.halfWidth + tolerance);
        EXPECT_LE(std::fabs(v), m.halfHeight + tolerance);
        AcGePoint3d onOther;
        if (alongNormal) {
            // Seen along the normal: the line of sight through the point meets the other.
            AcGePoint3d closest;
            other.getClosestPointTo(points[i], closest, Adesk::kTrue);
            const AcGeVector3d off = closest - points[i];
            EXPECT_LE((off - m.normal * off.dotProduct(m.normal)).length(), 1e-5);
        } else {
            other.getClosestPointTo(points[i], onOther, Adesk::kTrue);
            EXPECT_LE(onOther.distanceTo(points[i]), tolerance);
        }
    }
}

TEST_F(IntersectionTest, RandomMarksAgainstRandomLinesArcsAndCircles)
{
    std::mt19937 random(20261208);
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    int checked = 0, withPoints = 0;
    for (int round = 0; round < 3000; ++round) {
        const Frame frame = randomFrame(random);
        const std::unique_ptr<VaduKestra> mark(markOf(frame));
        const MarkPlane m = planeOf(frame);
        const double reach = 1.5 * std::max(m.halfWidth, m.halfHeight);
        // Off the plane the other entity is met only along the normal.
        const bool lifted = round % 3 == 2;
        const double lift = lifted ? 50.0 * unit(random) : 0.0;
        const auto type = static_cast<AcDb::Intersect>(std::uniform_int_distribution<int>(0, 3)(random));
        const bool extended = type == AcDb::kExtendArg || type == AcDb::kExtendBoth;

        std::unique_ptr<AcDbCurve> other;
        std::optional<int> expected;
        switch (round % 3 == 2 ? (round / 3) % 3 : round % 3) {
        case 0: {
            const double au = reach * unit(random), av = reach * unit(random);
            const double bu = reach * unit(random), bv = reach * unit(random);
            other = std::make_unique<AcDbLine>(m.world(au, av, lift), m.world(bu, bv, lift));
            expected = countLineMeets(m, au, av, bu, bv, extended);
            break;
        }
        case 1: {
            const double cu = reach * unit(random), cv = reach * unit(random);
            const double r = 1.0 + reach * std::fabs(unit(random));
            other = std::make_unique<AcDbCircle>(m.world(cu, cv, lift), m.normal, r);
            expected = countArcMeets(m, cu, cv, r, 0.0, 2 * std::numbers::pi);
            break;
        }
        default: {
            const double cu = reach * unit(random), cv = reach * unit(random);
            const double r = 1.0 + reach * std::fabs(unit(random));
            auto arc = std::make_unique<AcDbArc>(m.world(cu, cv, lift), m.normal, r,
                                                 std::numbers::pi * 2 * std::fabs(unit(random)),
                                                 std::numbers::pi * 2 * std::fabs(unit(random)));
            AcGePoint3d start;
            arc->getStartPoint(start);
            const auto [su, sv] = m.local(start);
            const double from = std::atan2(sv - cv, su - cu);
            expected = countArcMeets(m, cu, cv, r, from, extended ? 2 * std::numbers::pi : arc->totalAngle());
            other = std::move(arc);
            break;
        }
        }
        if (!expected) continue;
        ++checked;
        AcGePoint3dArray points;
        const Acad::ErrorStatus status =
            lifted ? mark->intersectWith(other.get(), type, AcGePlane(AcGePoint3d::kOrigin, frame.normal), points)
                   : mark->intersectWith(other.get(), type, points);
        ASSERT_EQ(status, Acad::eOk);
        ASSERT_EQ(points.length(), *expected) << "round " << round << " type " << type;
        if (points.length() > 0) ++withPoints;
        if (!extended) expectOnSidesAndOn(*mark, *other, points, lifted, m);
        else {
            for (int i = 0; i < points.length(); ++i) EXPECT_TRUE(mark->isOnOutline(points[i]));
        }
        if (HasFailure()) FAIL() << "round " << round;
    }
    // Most cases are well defined, and a good share of them meet.
    EXPECT_GT(checked, 2800);
    EXPECT_GT(withPoints, 1000);
}

}  // namespace
