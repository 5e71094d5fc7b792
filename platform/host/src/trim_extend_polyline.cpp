// TRIM and EXTEND of lightweight polylines. A polyline is measured by its parameter: vertex
// index plus the fraction of the segment (of its included angle for a curved one). Trimming
// keeps what lies outside the cuts around the pick, a closed polyline opening there; extending
// draws out the end segment nearer the pick, along its line or around its circle. The vertices
// are worked out in the polyline's own plane from the vertices and bulges, so that what is
// kept is exactly what was there.
#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>

#include "db/entities/curve_pieces.h"
#include "db/entities/entity_filing.h"
#include "dbents.h"
#include "dbobjptr.h"
#include "dbpl.h"
#include "gelnsg3d.h"
#include "trim_extend_parts.h"

namespace arx::host {
namespace {

using namespace trimparts;

constexpr double kFullTurn = 2.0 * std::numbers::pi;

struct Vertex {
    AcGePoint2d point;
    double bulge = 0.0;
    double startWidth = 0.0;
    double endWidth = 0.0;
};

struct Shape {
    std::vector<Vertex> vertices;
    bool closed = false;

    int segments() const
    {
        const int count = static_cast<int>(vertices.size());
        return closed ? count : std::max(count - 1, 0);
    }
    const Vertex& at(int index) const { return vertices[static_cast<std::size_t>(index) % vertices.size()]; }

    // The point at `param`, which may run past the last vertex of a closed shape.
    AcGePoint2d pointAt(double param) const
    {
        const int segment = static_cast<int>(std::floor(param));
        const double fraction = param - segment;
        if (fraction < 1e-12) return at(segment).point;
        return pointOn(segment, fraction);
    }

    // The point a fraction of the way along the segment; a fraction outside [0, 1] runs on
    // along its line or around its circle.
    AcGePoint2d pointOn(int segment, double fraction) const
    {
        const AcGePoint2d a = at(segment).point, b = at(segment + 1).point;
        const double bulge = at(segment).bulge;
        if (bulge == 0.0) return a + (b - a) * fraction;
        // The arc turns by 4 atan(bulge) about its centre, which lies off the chord's middle.
        const double turn = 4.0 * std::atan(bulge);
        const AcGeVector2d chord = b - a;
        const AcGeVector2d left(-chord.y, chord.x);
        const AcGePoint2d center = a + chord * 0.5 + left * (0.5 / std::tan(turn / 2.0));
        AcGeVector2d radius = a - center;
        radius.rotateBy(turn * fraction);
        return center + radius;
    }
};

Shape shapeOf(const AcDbPolyline* polyline)
{
    Shape shape;
    shape.closed = polyline->isClosed();
    for (unsigned int i = 0; i < polyline->numVerts(); ++i) {
        Vertex vertex;
        polyline->getPointAt(i, vertex.point);
        polyline->getBulgeAt(i, vertex.bulge);
        polyline->getWidthsAt(i, vertex.startWidth, vertex.endWidth);
        shape.vertices.push_back(vertex);
    }
    return shape;
}

// The polyline as these edits see it: its vertices, and its pieces in the world, one a segment.
struct Measured {
    Shape shape;
    std::vector<arx::db::CurvePiece> pieces;

    int segments() const { return shape.segments(); }
    bool usable() const { return segments() > 0 && pieces.size() == static_cast<std::size_t>(segments()); }
};

Measured measure(const AcDbPolyline* polyline)
{
    Measured measured{shapeOf(polyline), {}};
    arx::db::curvePiecesOf(polyline, measured.pieces);
    return measured;
}

void setShape(AcDbPolyline* polyline, const Shape& shape)
{
    while (polyline->numVerts() > 0) polyline->removeVertexAt(polyline->numVerts() - 1);
    for (std::size_t i = 0; i < shape.vertices.size(); ++i) {
        const Vertex& v = shape.vertices[i];
        polyline->addVertexAt(static_cast<unsigned int>(i), v.point, v.bulge, v.startWidth, v.endWidth);
    }
    polyline->setClosed(shape.closed);
}

// The open stretch of the shape from parameter `from` to `to` (from < to; past the last
// vertex of a closed shape it runs on from the first). Part segments keep their curvature and
// their widths where they were cut.
Shape stretchOf(const Shape& shape, double from, double to)
{
    Shape out;
    double at = from;
    while (at < to - kSlack) {
        const int segment = static_cast<int>(std::floor(at + kSlack));
        const double next = std::min(static_cast<double>(segment + 1), to);
        const Vertex& v = shape.at(segment);
        const double f0 = std::max(at - segment, 0.0), f1 = next - segment;
        Vertex cut;
        cut.point = shape.pointAt(at);
        cut.bulge = std::tan(std::atan(v.bulge) * (f1 - f0));
        cut.startWidth = v.startWidth + (v.endWidth - v.startWidth) * f0;
        cut.endWidth = v.startWidth + (v.endWidth - v.startWidth) * f1;
        out.vertices.push_back(cut);
        at = next;
    }
    Vertex last;
    last.point = shape.pointAt(to);
    out.vertices.push_back(last);
    return out;
}

// The parameter of the polyline nearest to the point: of the nearest piece, the fraction of
// its length or of its angle.
double paramOf(const std::vector<arx::db::CurvePiece>& pieces, const AcGePoint3d& point)
{
    double best = -1.0, param = 0.0;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const arx::db::CurvePiece& piece = pieces[i];
        double t = 0.0;
        AcGePoint3d nearest = piece.start;
        if (!piece.isArc) {
            const AcGeVector3d d = piece.end - piece.start;
            if (!d.isZeroLength()) t = std::clamp((point - piece.start).dotProduct(d) / d.lengthSqrd(), 0.0, 1.0);
            nearest = piece.start + d * t;
        } else {
            nearest = piece.arc.closestPointTo(point);
            const double sweep = piece.arc.endAng() - piece.arc.startAng();
            t = std::clamp((piece.arc.paramOf(nearest) - piece.arc.startAng()) / sweep, 0.0, 1.0);
        }
        const double distance = nearest.distanceTo(point);
        if (best < 0 || distance < best - 1e-12) {
            best = distance;
            param = static_cast<double>(i) + t;
        }
    }
    return param;
}

// The pick carried onto the polyline's plane along the projection's normal (it is usually
// there already).
AcGePoint3d pickOnPlane(const AcDbPolyline* polyline, const AcGePoint3d& pick, const EdgeRules& rules)
{
    if (!rules.projection) return pick;
    const AcGeVector3d normal = arx::db::unitNormal(polyline->normal());
    const AcGeVector3d along = rules.projection->normal();
    const double across = along.dotProduct(normal);
    if (std::fabs(across) < 1e-12) return pick;
    const double height = (pick - AcGePoint3d::kOrigin).dotProduct(normal) - polyline->elevation();
    return pick - along * (height / across);
}

EditStep shapeChange(AcDbObjectId id, const Shape& before, AcDbObjectId added)
{
    return EditStep{[=] {
        if (!added.isNull()) eraseObject(added, true);
        AcDbObjectPointer<AcDbPolyline> polyline(id, AcDb::kForWrite);
        if (polyline.openStatus() == Acad::eOk) setShape(polyline.object(), before);
    }};
}

// The end segment as an entity of its own, to be met by the edges when it runs on.
AcDbCurve* endSegmentCurve(const arx::db::CurvePiece& piece)
{
    if (!piece.isArc) return new AcDbLine(piece.start, piece.end);
    const AcGeVector3d normal = piece.arc.normal();
    const AcGePoint3d center = piece.arc.center();
    return new AcDbArc(center, normal, piece.arc.radius(), arx::db::angleInPlane(piece.start - center, normal),
                       arx::db::angleInPlane(piece.end - center, normal));
}

// Angle from the start of the arc piece to a point of its circle, counterclockwise about its
// normal, in [0, 2 pi).
double turnOf(const arx::db::CurvePiece& piece, const AcGePoint3d& point)
{
    const AcGeVector3d normal = piece.arc.normal();
    const AcGePoint3d center = piece.arc.center();
    double turn = arx::db::angleInPlane(point - center, normal) - arx::db::angleInPlane(piece.start - center, normal);
    turn = std::fmod(turn, kFullTurn);
    return turn < 0 ? turn + kFullTurn : turn;
}

}  // namespace

EditResult trimPolyline(AcDbObjectId id, AcDbPolyline* polyline, const AcGePoint3d& pick, const EdgeRules& rules,
                        EditStep& step)
{
    const Measured measured = measure(polyline);
    if (!measured.usable()) return EditResult::NotEditable;
    const Shape& before = measured.shape;
    const std::vector<arx::db::CurvePiece>& pieces = measured.pieces;
    const int segments = measured.segments();
    std::vector<double> cuts;
    for (const AcGePoint3d& p : meetingPoints(polyline, id, rules, false)) {
        double t = paramOf(pieces, p);
        if (before.closed && t > segments - kSlack) t = 0.0;
        if (!before.closed && (t < kSlack || t > segments - kSlack)) continue;
        if (std::none_of(cuts.begin(), cuts.end(), [&](double c) { return std::fabs(c - t) < kSlack; }))
            cuts.push_back(t);
    }
    if (cuts.empty() || (before.closed && cuts.size() < 2)) return EditResult::NoEdge;
    const double at = paramOf(pieces, pickOnPlane(polyline, pick, rules));
    const Around cut = around(cuts, at);
    Shape kept, rest;
    bool split = false;
    if (before.closed) {
        // Around the polyline: past the last cut comes the first one again.
        const double below = cut.below ? *cut.below : *std::max_element(cuts.begin(), cuts.end()) - segments;
        const double above = cut.above ? *cut.above : *std::min_element(cuts.begin(), cuts.end()) + segments;
        kept = stretchOf(before, above, below + segments);
    } else if (cut.below && cut.above) {
        kept = stretchOf(before, 0.0, *cut.below);
        rest = stretchOf(before, *cut.above, segments);
        split = true;
    } else if (cut.below) {
        kept = stretchOf(before, 0.0, *cut.below);
    } else {
        kept = stretchOf(before, *cut.above, segments);
    }
    AcDbObjectId added;
    if (split) {
        auto* other = AcDbPolyline::cast(polyline->clone());
        setShape(other, rest);
        added = addBeside(polyline, other);
    }
    setShape(polyline, kept);
    step = shapeChange(id, before, added);
    return EditResult::Done;
}

EditResult extendPolyline(AcDbObjectId id, AcDbPolyline* polyline, const AcGePoint3d& pick, const EdgeRules& rules,
                          EditStep& step)
{
    const Measured measured = measure(polyline);
    if (!measured.usable() || measured.shape.closed) return EditResult::NotEditable;
    const Shape& before = measured.shape;
    const std::vector<arx::db::CurvePiece>& pieces = measured.pieces;
    const int segments = measured.segments();
    const bool atEnd = paramOf(pieces, pickOnPlane(polyline, pick, rules)) >= segments / 2.0;
    const int segment = atEnd ? segments - 1 : 0;
    const arx::db::CurvePiece& piece = pieces[static_cast<std::size_t>(segment)];
    if (!piece.isArc && piece.start.isEqualTo(piece.end)) return EditResult::NoEdgeInThatDirection;
    std::unique_ptr<AcDbCurve> curve(endSegmentCurve(piece));
    // How far along the segment (as a fraction of it) the nearest edge beyond the end lies.
    std::optional<double> reach;
    const double sweep = piece.isArc ? piece.arc.endAng() - piece.arc.startAng() : 1.0;
    for (const AcGePoint3d& p : meetingPoints(curve.get(), id, rules, true)) {
        double f = 0.0;
        if (!piece.isArc) {
            f = AcGeLineSeg3d(piece.start, piece.end).paramOf(p);
        } else {
            const double turn = turnOf(piece, p);
            if (turn <= sweep + kSlack || turn >= kFullTurn - kSlack) continue;
            // Beyond the end the circle runs on from the end; before the start it runs back.
            f = atEnd ? turn / sweep : -(kFullTurn - turn) / sweep;
        }
        if (atEnd && f > 1 + kSlack && (!reach || f < *reach)) reach = f;
        if (!atEnd && f < -kSlack && (!reach || f > *reach)) reach = f;
    }
    if (!reach) return EditResult::NoEdgeInThatDirection;
    // The segment now spans the fractions from 0 to reach (at the end) or from reach to 1 (at
    // the start) of the old one; a curved one turns that much further.
    Shape after = before;
    Vertex& segmentStart = after.vertices[static_cast<std::size_t>(segment)];
    segmentStart.bulge = std::tan(std::atan(segmentStart.bulge) * (atEnd ? *reach : 1.0 - *reach));
    if (atEnd) after.vertices.back().point = before.pointOn(segment, *reach);
    else segmentStart.point = before.pointOn(segment, *reach);
    setShape(polyline, after);
    step = shapeChange(id, before, AcDbObjectId());
    return EditResult::Done;
}

}  // namespace arx::host
