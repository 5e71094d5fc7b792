#include "db/entities/curve_pieces.h"

#include <cmath>

#include "db/entities/entity_filing.h"
#include "dbents.h"
#include "dbpl.h"
#include "geline3d.h"
#include "gelnsg3d.h"

namespace arx::db {
namespace {

double tolerance() { return AcGeContext::gTol.equalPoint(); }

bool withinSegment(double t, const AcGePoint3d& s, const AcGePoint3d& e)
{
    const double length = s.distanceTo(e);
    const double slack = length > 0 ? tolerance() / length : 0;
    return t >= -slack && t <= 1 + slack;
}

double paramOnSegment(const AcGePoint3d& p, const AcGePoint3d& s, const AcGePoint3d& e)
{
    const AcGeVector3d d = e - s;
    const double lengthSquared = d.lengthSqrd();
    return lengthSquared == 0 ? 0 : (p - s).dotProduct(d) / lengthSquared;
}

// The segments between successive vertices (and back to the first when closed).
void appendVertexPieces(const std::vector<AcGePoint3d>& points, const std::vector<double>& bulges, bool closed,
                        const AcGeVector3d& normal, std::vector<CurvePiece>& pieces)
{
    const std::size_t count = points.size();
    const std::size_t segments = closed ? count : (count > 0 ? count - 1 : 0);
    for (std::size_t i = 0; i < segments; ++i)
        pieces.push_back(segmentPiece(points[i], points[(i + 1) % count], bulges[i], normal));
}

}  // namespace

void appendUnique(AcGePoint3dArray& points, const AcGePoint3d& point)
{
    for (int i = 0; i < points.length(); ++i)
        if (points[i].isEqualTo(point)) return;
    points.append(point);
}

CurvePiece CurvePiece::line(const AcGePoint3d& start, const AcGePoint3d& end)
{
    CurvePiece piece;
    piece.start = start;
    piece.end = end;
    return piece;
}

CurvePiece CurvePiece::circular(const AcGeCircArc3d& arc, bool fullCircle)
{
    CurvePiece piece;
    piece.isArc = true;
    piece.arc = arc;
    piece.isFullCircle = fullCircle;
    piece.start = arc.startPoint();
    piece.end = arc.endPoint();
    return piece;
}

AcGePoint3d CurvePiece::midPoint() const
{
    if (!isArc) return start + (end - start) * 0.5;
    return arc.evalPoint((arc.startAng() + arc.endAng()) / 2);
}

CurvePiece segmentPiece(const AcGePoint3d& start, const AcGePoint3d& end, double bulge, const AcGeVector3d& normal)
{
    if (bulge == 0 || start.isEqualTo(end)) return CurvePiece::line(start, end);
    // The included angle is 4 atan(bulge), counterclockwise about the normal for a positive
    // bulge; the point halfway along the arc is off the chord by bulge * chord / 2.
    const AcGeVector3d chord = end - start;
    const AcGeVector3d n = unitNormal(normal);
    const AcGeVector3d side = n.crossProduct(chord);  // left of the chord
    const AcGePoint3d middle = start + chord * 0.5 - side * (bulge * 0.5);
    AcGeCircArc3d arc(start, middle, end);
    return CurvePiece::circular(arc, false);
}

bool curvePiecesOf(const AcDbEntity* entity, std::vector<CurvePiece>& pieces)
{
    if (const auto* line = AcDbLine::cast(entity)) {
        pieces.push_back(CurvePiece::line(line->startPoint(), line->endPoint()));
    } else if (const auto* circle = AcDbCircle::cast(entity)) {
        pieces.push_back(CurvePiece::circular(
            AcGeCircArc3d(circle->center(), unitNormal(circle->normal()), circle->radius()), true));
    } else if (const auto* arc = AcDbArc::cast(entity)) {
        const AcGeVector3d n = unitNormal(arc->normal());
        const AcGeVector3d reference = objectToWorld(n) * AcGeVector3d::kXAxis;
        pieces.push_back(CurvePiece::circular(AcGeCircArc3d(arc->center(), n, reference, arc->radius(),
                                                            arc->startAngle(), arc->startAngle() + arc->totalAngle()),
                                              false));
    } else if (const auto* polyline = AcDbPolyline::cast(entity)) {
        std::vector<AcGePoint3d> points(polyline->numVerts());
        std::vector<double> bulges(points.size(), 0.0);
        for (unsigned i = 0; i < points.size(); ++i) {
            polyline->getPointAt(i, points[i]);
            polyline->getBulgeAt(i, bulges[i]);
        }
        appendVertexPieces(points, bulges, polyline->isClosed(), polyline->normal(), pieces);
    } else if (const auto* polyline2d = AcDb2dPolyline::cast(entity)) {
        // Simple and curve-fit polylines alike: the vertices in order, each with its bulge.
        std::vector<AcGePoint3d> points;
        std::vector<double> bulges;
        AcGePoint3d point;
        double bulge = 0;
        while (polyline2d->vertexPosition(static_cast<int>(points.size()), point, &bulge) == Acad::eOk) {
            points.push_back(point);
            bulges.push_back(bulge);
        }
        appendVertexPieces(points, bulges, polyline2d->isClosed(), polyline2d->normal(), pieces);
    } else if (const auto* polyline3d = AcDb3dPolyline::cast(entity)) {
        std::vector<AcGePoint3d> points;
        AcGePoint3d point;
        while (polyline3d->vertexPosition(static_cast<int>(points.size()), point) == Acad::eOk) points.push_back(point);
        appendVertexPieces(points, std::vector<double>(points.size(), 0.0), polyline3d->isClosed(),
                           AcGeVector3d::kZAxis, pieces);
    } else {
        return false;
    }
    return true;
}

void osnapPieces(const std::vector<CurvePiece>& pieces, AcDb::OsnapMode mode, const AcGePoint3d& pickPoint,
                 const AcGePoint3d& lastPoint, AcGePoint3dArray& snapPoints)
{
    for (const CurvePiece& piece : pieces) {
        switch (mode) {
        case AcDb::kOsModeEnd:
            if (!piece.isFullCircle) {
                appendUnique(snapPoints, piece.start);
                appendUnique(snapPoints, piece.end);
            }
            break;
        case AcDb::kOsModeMid:
            if (!piece.isFullCircle) snapPoints.append(piece.midPoint());
            break;
        case AcDb::kOsModeCen:
            if (piece.isArc) appendUnique(snapPoints, piece.arc.center());
            break;
        case AcDb::kOsModeQuad:
            if (piece.isArc) {
                const AcGeMatrix3d toWorld = objectToWorld(piece.arc.normal());
                const AcGeVector3d axes[4] = {toWorld * AcGeVector3d::kXAxis, toWorld * AcGeVector3d::kYAxis,
                                              -(toWorld * AcGeVector3d::kXAxis), -(toWorld * AcGeVector3d::kYAxis)};
                for (const AcGeVector3d& axis : axes) {
                    const AcGePoint3d point = piece.arc.center() + axis * piece.arc.radius();
                    if (piece.isFullCircle || piece.arc.isOn(point)) appendUnique(snapPoints, point);
                }
            }
            break;
        case AcDb::kOsModeNear:
            snapPoints.append(piece.isArc ? piece.arc.closestPointTo(pickPoint)
                                          : AcGeLineSeg3d(piece.start, piece.end).closestPointTo(pickPoint));
            break;
        case AcDb::kOsModePerp:
            if (!piece.isArc) {
                const double t = paramOnSegment(lastPoint, piece.start, piece.end);
                if (withinSegment(t, piece.start, piece.end))
                    snapPoints.append(piece.start + (piece.end - piece.start) * t);
            } else {
                const AcGeVector3d toLast = lastPoint - piece.arc.center();
                if (!toLast.isZeroLength()) {
                    const AcGePoint3d point = piece.arc.closestPointTo(lastPoint);
                    snapPoints.append(point);
                }
            }
            break;
        default: break;
        }
    }
}

void addPieceExtents(const CurvePiece& piece, AcDbExtents& extents)
{
    extents.addPoint(piece.start);
    extents.addPoint(piece.end);
    if (!piece.isArc) return;
    // Extreme points along each world axis where they lie on the arc.
    const AcGePoint3d center = piece.arc.center();
    const double r = piece.arc.radius();
    const AcGeVector3d u = piece.arc.refVec().normal();
    const AcGeVector3d v = piece.arc.normal().crossProduct(u).normal();
    for (int axis = 0; axis < 3; ++axis) {
        const double angle = std::atan2(v[axis], u[axis]);
        for (double a : {angle, angle + M_PI}) {
            const AcGePoint3d point = center + u * (r * std::cos(a)) + v * (r * std::sin(a));
            if (piece.isFullCircle || piece.arc.isOn(point)) extents.addPoint(point);
        }
    }
}

Acad::ErrorStatus explodePieces(const std::vector<CurvePiece>& pieces, const AcDbEntity* from,
                                AcDbVoidPtrArray& entitySet)
{
    for (const CurvePiece& piece : pieces) {
        AcDbEntity* entity = nullptr;
        if (!piece.isArc) {
            entity = new AcDbLine(piece.start, piece.end);
        } else {
            const AcGeVector3d n = piece.arc.normal();
            const AcGeVector3d start = piece.arc.startPoint() - piece.arc.center();
            const double startAngle = angleInPlane(start, n);
            entity = new AcDbArc(piece.arc.center(), n, piece.arc.radius(), startAngle,
                                 startAngle + (piece.arc.endAng() - piece.arc.startAng()));
        }
        entity->setPropertiesFrom(from);
        entitySet.append(entity);
    }
    return Acad::eOk;
}

Acad::ErrorStatus explodeIntoPieces(const AcDbEntity* from, AcDbVoidPtrArray& entitySet)
{
    std::vector<CurvePiece> pieces;
    curvePiecesOf(from, pieces);
    return explodePieces(pieces, from, entitySet);
}

}  // namespace arx::db
