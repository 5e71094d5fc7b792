// Property tests of the intersections of segments, lines and arcs: random figures in a random
// plane (or seen along a random direction); every point returned lies on both curves, and the
// number of points matches a plain plane-coordinates computation written here.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "gearc3d.h"
#include "geline3d.h"
#include "gelnsg3d.h"
#include "ge_test_support.h"

namespace {

using ge_test::kPi;
using ge_test::Random;

constexpr double kOnCurve = 1e-8;  // distance a returned point may be off a curve
constexpr double kGeneric = 1e-5;  // figures closer than this to a special case are skipped

// A random plane frame: origin and two unit axes.
struct Frame {
    AcGePoint3d origin;
    AcGeVector3d u, v, n;
    explicit Frame(Random& rnd) : origin(rnd.point(100))
    {
        n = rnd.vector().normal();
        u = n.perpVector().normal();
        v = n.crossProduct(u);
    }
    AcGePoint3d at(double x, double y) const { return origin + u * x + v * y; }
};

struct Flat {
    double x, y;
};

// Points of the segment (a, b) of the plane on the circle (c, r) within the sweep [s, e] of
// angles, counted in plane coordinates. Returns -1 for a near-special case.
int segmentArcCount(Flat a, Flat b, Flat c, double r, double s, double e)
{
    const double dx = b.x - a.x, dy = b.y - a.y, fx = a.x - c.x, fy = a.y - c.y;
    const double qa = dx * dx + dy * dy, qb = 2 * (fx * dx + fy * dy), qc = fx * fx + fy * fy - r * r;
    const double disc = qb * qb - 4 * qa * qc;
    if (std::fabs(disc) < kGeneric * qa) return -1;
    if (disc < 0) return 0;
    int count = 0;
    for (double sign : {-1.0, 1.0}) {
        const double t = (-qb + sign * std::sqrt(disc)) / (2 * qa);
        if (std::fabs(t) < kGeneric || std::fabs(t - 1) < kGeneric) return -1;
        if (t < 0 || t > 1) continue;
        double angle = std::atan2(a.y + t * dy - c.y, a.x + t * dx - c.x);
        while (angle < s) angle += 2 * kPi;
        if (std::fabs(angle - s) < kGeneric || std::fabs(angle - e) < kGeneric ||
            std::fabs(angle - 2 * kPi - s) < kGeneric)
            return -1;
        if (angle <= e) ++count;
    }
    return count;
}

bool onSweep(Flat p, Flat c, double s, double e, bool& special)
{
    double angle = std::atan2(p.y - c.y, p.x - c.x);
    while (angle < s) angle += 2 * kPi;
    if (std::fabs(angle - s) < kGeneric || std::fabs(angle - e) < kGeneric) special = true;
    return angle <= e;
}

// Points common to two arcs of the plane; -1 for a near-special case.
int arcArcCount(Flat c1, double r1, double s1, double e1, Flat c2, double r2, double s2, double e2)
{
    const double dx = c2.x - c1.x, dy = c2.y - c1.y, d = std::hypot(dx, dy);
    if (std::fabs(d - (r1 + r2)) < kGeneric || std::fabs(d - std::fabs(r1 - r2)) < kGeneric || d < kGeneric) return -1;
    if (d > r1 + r2 || d < std::fabs(r1 - r2)) return 0;
    const double a = (d * d + r1 * r1 - r2 * r2) / (2 * d), h = std::sqrt(r1 * r1 - a * a);
    int count = 0;
    bool special = false;
    for (double sign : {-1.0, 1.0}) {
        const Flat p{c1.x + a * dx / d - sign * h * dy / d, c1.y + a * dy / d + sign * h * dx / d};
        if (onSweep(p, c1, s1, e1, special) && onSweep(p, c2, s2, e2, special)) ++count;
    }
    return special ? -1 : count;
}

struct FlatArc {
    Flat c;
    double r, s, e;
    static FlatArc random(Random& rnd)
    {
        const double s = rnd.uniform(0, 2 * kPi);
        return {
            {rnd.uniform(-10, 10), rnd.uniform(-10, 10)}, rnd.uniform(1, 12), s, s + rnd.uniform(0.3, 2 * kPi - 0.3)};
    }
    AcGeCircArc3d in(const Frame& f) const { return AcGeCircArc3d(f.at(c.x, c.y), f.n, f.u, r, s, e); }
};

Flat randomFlat(Random& rnd) { return {rnd.uniform(-20, 20), rnd.uniform(-20, 20)}; }

TEST(GeIntersectionProperties, SegmentsAndArcsOfOnePlane)
{
    Random rnd(7);
    int checked = 0, withPoints = 0;
    for (int i = 0; i < 3000; ++i) {
        const Frame f(rnd);
        const Flat a = randomFlat(rnd), b = randomFlat(rnd);
        const FlatArc arc = FlatArc::random(rnd);
        const int expected = segmentArcCount(a, b, arc.c, arc.r, arc.s, arc.e);
        if (expected < 0) continue;
        const AcGeLineSeg3d seg(f.at(a.x, a.y), f.at(b.x, b.y));
        const AcGeCircArc3d geArc = arc.in(f);
        int n = -1;
        AcGePoint3d p[2];
        geArc.intersectWith(seg, n, p[0], p[1]);
        ASSERT_EQ(n, expected) << "case " << i;
        for (int k = 0; k < n; ++k) {
            EXPECT_LT(seg.distanceTo(p[k]), kOnCurve);
            EXPECT_LT(geArc.distanceTo(p[k]), kOnCurve);
        }
        ++checked;
        withPoints += n > 0;
    }
    EXPECT_GT(checked, 2500);
    EXPECT_GT(withPoints, 300);
}

TEST(GeIntersectionProperties, ArcsOfOnePlane)
{
    Random rnd(11);
    int checked = 0, withPoints = 0;
    for (int i = 0; i < 3000; ++i) {
        const Frame f(rnd);
        const FlatArc one = FlatArc::random(rnd), two = FlatArc::random(rnd);
        const int expected = arcArcCount(one.c, one.r, one.s, one.e, two.c, two.r, two.s, two.e);
        if (expected < 0) continue;
        const AcGeCircArc3d a = one.in(f), b = two.in(f);
        int n = -1;
        AcGePoint3d p[2];
        a.intersectWith(b, n, p[0], p[1]);
        ASSERT_EQ(n, expected) << "case " << i;
        for (int k = 0; k < n; ++k) {
            EXPECT_LT(a.distanceTo(p[k]), kOnCurve);
            EXPECT_LT(b.distanceTo(p[k]), kOnCurve);
        }
        ++checked;
        withPoints += n > 0;
    }
    EXPECT_GT(checked, 2500);
    EXPECT_GT(withPoints, 300);
}

TEST(GeIntersectionProperties, SegmentsOfOnePlane)
{
    Random rnd(13);
    int checked = 0, withPoints = 0;
    for (int i = 0; i < 3000; ++i) {
        const Frame f(rnd);
        const Flat a = randomFlat(rnd), b = randomFlat(rnd), c = randomFlat(rnd), d = randomFlat(rnd);
        // Independent count: both parameters of the crossing inside [0, 1].
        const double den = (b.x - a.x) * (d.y - c.y) - (b.y - a.y) * (d.x - c.x);
        if (std::fabs(den) < kGeneric) continue;
        const double s = ((c.x - a.x) * (d.y - c.y) - (c.y - a.y) * (d.x - c.x)) / den;
        const double t = ((c.x - a.x) * (b.y - a.y) - (c.y - a.y) * (b.x - a.x)) / den;
        if (std::fabs(s) < kGeneric || std::fabs(s - 1) < kGeneric || std::fabs(t) < kGeneric ||
            std::fabs(t - 1) < kGeneric)
            continue;
        const bool expected = s > 0 && s < 1 && t > 0 && t < 1;
        const AcGeLineSeg3d one(f.at(a.x, a.y), f.at(b.x, b.y)), two(f.at(c.x, c.y), f.at(d.x, d.y));
        AcGePoint3d p;
        ASSERT_EQ(bool(one.intersectWith(two, p)), expected) << "case " << i;
        if (expected) {
            EXPECT_LT(one.distanceTo(p), kOnCurve);
            EXPECT_LT(two.distanceTo(p), kOnCurve);
        }
        // The unbounded carriers always meet.
        AcGeLine3d l1, l2;
        one.getLine(l1);
        two.getLine(l2);
        EXPECT_TRUE(l1.intersectWith(l2, p));
        ++checked;
        withPoints += expected;
    }
    EXPECT_GT(checked, 2500);
    EXPECT_GT(withPoints, 300);
}

// Seen along a random direction, figures of two different planes: the points returned pair
// up along the direction, and their number is the one of the figures flattened onto the plane
// across the direction.
TEST(GeIntersectionProperties, SeenAlongADirection)
{
    Random rnd(17);
    int checkedLines = 0, checkedArcs = 0;
    for (int i = 0; i < 2000; ++i) {
        const Frame view(rnd);  // n is the direction of sight
        const Flat a = randomFlat(rnd), b = randomFlat(rnd), c = randomFlat(rnd), d = randomFlat(rnd);
        // Each point is moved along the sight line by its own random amount.
        auto lift = [&](Flat p) { return view.at(p.x, p.y) + view.n * rnd.uniform(-50, 50); };
        const AcGeLineSeg3d one(lift(a), lift(b)), two(lift(c), lift(d));
        const double den = (b.x - a.x) * (d.y - c.y) - (b.y - a.y) * (d.x - c.x);
        if (std::fabs(den) > kGeneric) {
            const double s = ((c.x - a.x) * (d.y - c.y) - (c.y - a.y) * (d.x - c.x)) / den;
            const double t = ((c.x - a.x) * (b.y - a.y) - (c.y - a.y) * (b.x - a.x)) / den;
            const bool generic = std::fabs(s) > kGeneric && std::fabs(s - 1) > kGeneric && std::fabs(t) > kGeneric &&
                                 std::fabs(t - 1) > kGeneric;
            if (generic) {
                AcGePoint3d p, q;
                ASSERT_EQ(bool(one.projIntersectWith(two, view.n, p, q)), s > 0 && s < 1 && t > 0 && t < 1)
                    << "case " << i;
                if (s > 0 && s < 1 && t > 0 && t < 1) {
                    EXPECT_LT(one.distanceTo(p), kOnCurve);
                    EXPECT_LT(two.distanceTo(q), kOnCurve);
                    EXPECT_LT((p - q).orthoProject(view.n).length(), kOnCurve);
                }
                ++checkedLines;
            }
        }
        // An arc in the view plane, moved along the sight line, against the slanted segment.
        const FlatArc arc = FlatArc::random(rnd);
        const int expected = segmentArcCount(a, b, arc.c, arc.r, arc.s, arc.e);
        if (expected < 0) continue;
        Frame moved = view;
        moved.origin += view.n * rnd.uniform(-50, 50);
        const AcGeCircArc3d geArc = arc.in(moved);
        int n = -1;
        AcGePoint3d onArc[2], onLine[2];
        geArc.projIntersectWith(one, view.n, n, onArc[0], onArc[1], onLine[0], onLine[1]);
        ASSERT_EQ(n, expected) << "case " << i;
        for (int k = 0; k < n; ++k) {
            EXPECT_LT(geArc.distanceTo(onArc[k]), kOnCurve);
            EXPECT_LT(one.distanceTo(onLine[k]), kOnCurve);
            EXPECT_LT((onArc[k] - onLine[k]).orthoProject(view.n).length(), kOnCurve);
        }
        ++checkedArcs;
    }
    EXPECT_GT(checkedLines, 1500);
    EXPECT_GT(checkedArcs, 1500);
}

}  // namespace
