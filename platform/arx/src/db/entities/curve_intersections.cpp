// Intersections of the curve entities through their straight and circular pieces, in space or
// seen along a projection plane's normal. Every point returned lies on the first entity ("this").
#include <cmath>
#include <vector>

#include "db/entities/curve_pieces.h"
#include "dbents.h"
#include "geline3d.h"
#include "gelnsg3d.h"

namespace arx::db {
namespace {

// A piece as the geometry it stands for in one intersection: an extended line is unbounded,
// an extended arc is its whole circle.
struct PieceShape {
    const CurvePiece& piece;
    bool extend;

    AcGeLineSeg3d segment() const { return AcGeLineSeg3d(piece.start, piece.end); }
    AcGeLine3d line() const { return AcGeLine3d(piece.start, piece.end); }
    const AcGeLinearEnt3d& linear(AcGeLineSeg3d& seg, AcGeLine3d& unbounded) const
    {
        if (extend) {
            unbounded = line();
            return unbounded;
        }
        seg = segment();
        return seg;
    }
    AcGeCircArc3d arc() const
    {
        if (!extend || piece.isFullCircle) return piece.arc;
        return AcGeCircArc3d(piece.arc.center(), piece.arc.normal(), piece.arc.radius());
    }
    bool degenerate() const { return !piece.isArc && piece.start.isEqualTo(piece.end); }
};

// ---- in space ------------------------------------------------------------------------------

void meetInSpace(const PieceShape& a, const PieceShape& b, AcGePoint3dArray& points)
{
    AcGePoint3d p1, p2;
    int count = 0;
    AcGeLineSeg3d segA, segB;
    AcGeLine3d lineA, lineB;
    if (!a.piece.isArc && !b.piece.isArc) {
        if (a.linear(segA, lineA).intersectWith(b.linear(segB, lineB), p1)) appendUnique(points, p1);
        return;
    }
    if (a.piece.isArc && b.piece.isArc) {
        a.arc().intersectWith(b.arc(), count, p1, p2);
    } else {
        const PieceShape& arc = a.piece.isArc ? a : b;
        const PieceShape& line = a.piece.isArc ? b : a;
        arc.arc().intersectWith(line.linear(segA, lineA), count, p1, p2);
    }
    if (count > 0) appendUnique(points, p1);
    if (count > 1) appendUnique(points, p2);
}

// ---- seen along a direction ----------------------------------------------------------------

// The point of the plane (origin, normal) that lines up with p along dir; false when dir runs
// in the plane.
bool liftAlong(const AcGePoint3d& p, const AcGeVector3d& dir, const AcGePoint3d& origin, const AcGeVector3d& normal,
               AcGePoint3d& onPlane)
{
    const double across = dir.dotProduct(normal);
    if (std::fabs(across) <= AcGeContext::gTol.equalVector()) return false;
    onPlane = p + dir * ((origin - p).dotProduct(normal) / across);
    return true;
}

// Points of `from` whose sight line along dir meets `to`, as pairs (on from, on to): the
// distance from the centre of `to`, in its plane, of the lifted point of `from` minus the radius
// changes sign at each one. Sampled over the sweep of `from` and refined by bisection; a
// tangency shows as a sampled minimum within tolerance.
void arcsAlongSampled(const AcGeCircArc3d& from, const AcGeCircArc3d& to, const AcGeVector3d& dir,
                      std::vector<AcGePoint3d>& onFrom, std::vector<AcGePoint3d>& onTo)
{
    const double eps = AcGeContext::gTol.equalPoint();
    auto gap = [&](double angle, AcGePoint3d& lifted) {
        liftAlong(from.evalPoint(angle), dir, to.center(), to.normal(), lifted);
        return lifted.distanceTo(to.center()) - to.radius();
    };
    auto keep = [&](double angle) {
        AcGePoint3d lifted;
        gap(angle, lifted);
        if (!to.isOn(lifted)) return;
        const AcGePoint3d point = from.evalPoint(angle);
        for (const AcGePoint3d& known : onFrom)
            if (known.isEqualTo(point)) return;
        onFrom.push_back(point);
        onTo.push_back(lifted);
    };
    constexpr int kSamples = 720;
    const double lo = from.startAng(), step = (from.endAng() - from.startAng()) / kSamples;
    AcGePoint3d lifted;
    double previous = gap(lo, lifted);
    double beforePrevious = previous;
    for (int i = 1; i <= kSamples; ++i) {
        const double angle = lo + step * i;
        const double value = gap(angle, lifted);
        if (std::fabs(previous) <= eps) {
            keep(angle - step);
        } else if ((previous < 0) != (value < 0)) {
            double a = angle - step, b = angle, fa = previous;
            for (int k = 0; k < 80 && b - a > 1e-15; ++k) {
                const double m = (a + b) / 2, fm = gap(m, lifted);
                if ((fa < 0) == (fm < 0)) {
                    a = m;
                    fa = fm;
                } else {
                    b = m;
                }
            }
            keep((a + b) / 2);
        } else if (i >= 2 && std::fabs(previous) < std::fabs(beforePrevious) &&
                   std::fabs(previous) < std::fabs(value)) {
            // A local minimum of |gap| near zero: refine by golden section for a tangency.
            double a = angle - 2 * step, b = angle;
            for (int k = 0; k < 100; ++k) {
                const double m1 = b - (b - a) * 0.618, m2 = a + (b - a) * 0.618;
                if (std::fabs(gap(m1, lifted)) < std::fabs(gap(m2, lifted))) b = m2;
                else a = m1;
            }
            const double m = (a + b) / 2;
            if (std::fabs(gap(m, lifted)) <= eps) keep(m);
        }
        beforePrevious = previous;
        previous = value;
    }
    if (std::fabs(previous) <= eps) keep(from.endAng());
}

void arcsAlong(const AcGeCircArc3d& mine, const AcGeCircArc3d& theirs, const AcGeVector3d& dir,
               AcGePoint3dArray& points)
{
    const double tilt = AcGeContext::gTol.equalVector();
    const bool mineEdgeOn = std::fabs(mine.normal().dotProduct(dir)) <= tilt;
    const bool theirsEdgeOn = std::fabs(theirs.normal().dotProduct(dir)) <= tilt;
    if (!mineEdgeOn && !theirsEdgeOn && mine.normal().isParallelTo(theirs.normal())) {
        // Parallel planes: seen along dir the other arc is the same arc moved into this plane.
        AcGePoint3d movedCenter;
        liftAlong(theirs.center(), dir, mine.center(), mine.normal(), movedCenter);
        AcGeCircArc3d moved = theirs;
        moved.setCenter(movedCenter);
        AcGePoint3d p1, p2;
        int count = 0;
        mine.intersectWith(moved, count, p1, p2);
        if (count > 0) appendUnique(points, p1);
        if (count > 1) appendUnique(points, p2);
        return;
    }
    std::vector<AcGePoint3d> onMine, onTheirs;
    if (!theirsEdgeOn) {
        arcsAlongSampled(mine, theirs, dir, onMine, onTheirs);
    } else if (!mineEdgeOn) {
        // Their arc shows as a stretch of line: find its points that line up with mine, then
        // the points of mine they line up with.
        arcsAlongSampled(theirs, mine, dir, onTheirs, onMine);
    }
    for (const AcGePoint3d& point : onMine) appendUnique(points, point);
}

void meetAlong(const PieceShape& a, const PieceShape& b, const AcGeVector3d& dir, AcGePoint3dArray& points)
{
    AcGePoint3d onA1, onA2, onB1, onB2;
    int count = 0;
    AcGeLineSeg3d segA, segB;
    AcGeLine3d lineA, lineB;
    if (!a.piece.isArc && !b.piece.isArc) {
        if (a.linear(segA, lineA).projIntersectWith(b.linear(segB, lineB), dir, onA1, onB1)) appendUnique(points, onA1);
        return;
    }
    if (a.piece.isArc && b.piece.isArc) {
        arcsAlong(a.arc(), b.arc(), dir, points);
        return;
    }
    if (a.piece.isArc) {
        a.arc().projIntersectWith(b.linear(segB, lineB), dir, count, onA1, onA2, onB1, onB2);
    } else {
        // The arc routine gives the line's points as its second pair.
        b.arc().projIntersectWith(a.linear(segA, lineA), dir, count, onB1, onB2, onA1, onA2);
    }
    if (count > 0) appendUnique(points, onA1);
    if (count > 1) appendUnique(points, onA2);
}

// The pieces of an entity for intersections: those of a curve, or of the entities of a block
// reference's block where the reference places them.
bool intersectionPiecesOf(const AcDbEntity* entity, std::vector<CurvePiece>& pieces)
{
    const auto* reference = AcDbBlockReference::cast(entity);
    if (reference == nullptr) return curvePiecesOf(entity, pieces);
    AcDbVoidPtrArray parts;
    const Acad::ErrorStatus status = reference->explode(parts);
    for (int i = 0; i < parts.length(); ++i) {
        auto* part = static_cast<AcDbEntity*>(parts[i]);
        if (status == Acad::eOk) intersectionPiecesOf(part, pieces);
        delete part;
    }
    return status == Acad::eOk;
}

AcDb::Intersect swappedRoles(AcDb::Intersect type)
{
    if (type == AcDb::kExtendThis) return AcDb::kExtendArg;
    if (type == AcDb::kExtendArg) return AcDb::kExtendThis;
    return type;
}

// An entity this platform does not know answers for itself, the roles swapped; seen along a
// plane its points are on it, so each is carried back to the piece of ours it lines up with.
// An entity that hands the question back (asks us about it in turn) gets no answer the second
// time instead of an endless exchange.
Acad::ErrorStatus askTheOther(const std::vector<CurvePiece>& mine, const AcDbEntity* self, const AcDbEntity* other,
                              AcDb::Intersect type, const AcGePlane* projectionPlane, AcGePoint3dArray& points)
{
    const bool extendMine = (type == AcDb::kExtendThis || type == AcDb::kExtendBoth) && mine.size() == 1;
    static thread_local int asking = 0;
    if (asking > 0) return Acad::eNotApplicable;
    struct Asking {
        Asking() { ++asking; }
        ~Asking() { --asking; }
    } guard;
    if (projectionPlane == nullptr) return other->intersectWith(self, swappedRoles(type), points);
    AcGePoint3dArray theirs;
    const Acad::ErrorStatus status = other->intersectWith(self, swappedRoles(type), *projectionPlane, theirs);
    if (status != Acad::eOk) return status;
    const AcGeVector3d dir = projectionPlane->normal();
    for (int i = 0; i < theirs.length(); ++i) {
        bool found = false;
        AcGePoint3d best;
        double bestOff = 0;
        for (const CurvePiece& piece : mine) {
            // Extended, our piece runs on: the point may lie beyond its ends.
            const PieceShape shape{piece, extendMine};
            const AcGePoint3d onPiece = piece.isArc  ? shape.arc().projClosestPointTo(theirs[i], dir)
                                        : extendMine ? shape.line().projClosestPointTo(theirs[i], dir)
                                                     : shape.segment().projClosestPointTo(theirs[i], dir);
            const double off = (onPiece - theirs[i]).orthoProject(dir).length();
            if (!found || off < bestOff) {
                found = true;
                best = onPiece;
                bestOff = off;
            }
        }
        if (found) appendUnique(points, best);
    }
    return Acad::eOk;
}

}  // namespace

Acad::ErrorStatus intersectEntities(const AcDbEntity* self, const AcDbEntity* other, AcDb::Intersect type,
                                    const AcGePlane* projectionPlane, AcGePoint3dArray& points)
{
    if (other == nullptr) return Acad::eNullEntityPointer;
    std::vector<CurvePiece> mine, theirs;
    if (!intersectionPiecesOf(self, mine)) return Acad::eNotApplicable;
    if (!intersectionPiecesOf(other, theirs)) return askTheOther(mine, self, other, type, projectionPlane, points);
    // Only a curve of one piece is extended: the unbounded line or the whole circle.
    const bool extendMine = (type == AcDb::kExtendThis || type == AcDb::kExtendBoth) && mine.size() == 1;
    const bool extendTheirs = (type == AcDb::kExtendArg || type == AcDb::kExtendBoth) && theirs.size() == 1;
    AcGeVector3d dir;
    if (projectionPlane) {
        dir = projectionPlane->normal();
        if (dir.isZeroLength()) return Acad::eInvalidInput;
        dir.normalize();
    }
    for (const CurvePiece& a : mine) {
        const PieceShape shapeA{a, extendMine};
        if (shapeA.degenerate()) continue;
        for (const CurvePiece& b : theirs) {
            const PieceShape shapeB{b, extendTheirs};
            if (shapeB.degenerate()) continue;
            if (projectionPlane) meetAlong(shapeA, shapeB, dir, points);
            else meetInSpace(shapeA, shapeB, points);
        }
    }
    return Acad::eOk;
}

}  // namespace arx::db
