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

void appendUnique(AcGePoint3dArray& points, const AcGePoint3d& point)
{
    for (int i = 0; i < points.length(); ++i)
        if (points[i].isEqualTo(point)) return;
    points.append(point);
}

// Where two lines meet (within tolerance); params along each (0 start, 1 end).
bool lineLine(const AcGePoint3d& s1, const AcGePoint3d& e1, const AcGePoint3d& s2, const AcGePoint3d& e2,
              double& t1, double& t2, AcGePoint3d& point)
{
    const AcGeVector3d d1 = e1 - s1, d2 = e2 - s2, r = s1 - s2;
    const double a = d1.dotProduct(d1), e = d2.dotProduct(d2), b = d1.dotProduct(d2);
    const double c = d1.dotProduct(r), f = d2.dotProduct(r);
    const double denominator = a * e - b * b;
    if (a == 0 || e == 0 || std::fabs(denominator) <= 1e-12 * a * e) return false;
    t1 = (b * f - c * e) / denominator;
    t2 = (a * f - b * c) / denominator;
    const AcGePoint3d p1 = s1 + d1 * t1, p2 = s2 + d2 * t2;
    if (p1.distanceTo(p2) > tolerance()) return false;
    point = p1;
    return true;
}

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

CurvePiece extended(const CurvePiece& piece)
{
    if (!piece.isArc) return piece;
    return CurvePiece::circular(AcGeCircArc3d(piece.arc.center(), piece.arc.normal(), piece.arc.radius()), true);
}

void intersectPieces(const CurvePiece& a, bool extendA, const CurvePiece& b, bool extendB, AcGePoint3dArray& points)
{
    if (!a.isArc && !b.isArc) {
        double ta = 0, tb = 0;
        AcGePoint3d point;
        if (lineLine(a.start, a.end, b.start, b.end, ta, tb, point) &&
            (extendA || withinSegment(ta, a.start, a.end)) && (extendB || withinSegment(tb, b.start, b.end)))
            appendUnique(points, point);
        return;
    }
    if (a.isArc && b.isArc) {
        int count = 0;
        AcGePoint3d p1, p2;
        if (a.arc.intersectWith(b.arc, count, p1, p2)) {
            if (count > 0) appendUnique(points, p1);
            if (count > 1) appendUnique(points, p2);
        }
        return;
    }
    const CurvePiece& line = a.isArc ? b : a;
    const CurvePiece& arc = a.isArc ? a : b;
    const bool extendLine = a.isArc ? extendB : extendA;
    if (line.start.isEqualTo(line.end)) return;
    int count = 0;
    AcGePoint3d p[2];
    if (!arc.arc.intersectWith(AcGeLine3d(line.start, line.end), count, p[0], p[1])) return;
    for (int i = 0; i < count; ++i)
        if (extendLine || withinSegment(paramOnSegment(p[i], line.start, line.end), line.start, line.end))
            appendUnique(points, p[i]);
}

CurvePiece projected(const CurvePiece& piece, const AcGeMatrix3d& projection, const AcGeVector3d& planeNormal)
{
    CurvePiece result = piece;
    if (!piece.isArc) {
        result.start = projection * piece.start;
        result.end = projection * piece.end;
        return result;
    }
    // A circle seen along the plane's normal stays a circle only when it lies parallel to
    // the plane; otherwise it is used where it is.
    if (piece.arc.normal().isParallelTo(planeNormal)) {
        result.arc = piece.arc;
        result.arc.transformBy(projection);
    }
    return result;
}

}  // namespace

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
        pieces.push_back(CurvePiece::circular(AcGeCircArc3d(circle->center(), unitNormal(circle->normal()), circle->radius()), true));
    } else if (const auto* arc = AcDbArc::cast(entity)) {
        const AcGeVector3d n = unitNormal(arc->normal());
        const AcGeVector3d reference = objectToWorld(n) * AcGeVector3d::kXAxis;
        pieces.push_back(CurvePiece::circular(
            AcGeCircArc3d(arc->center(), n, reference, arc->radius(), arc->startAngle(), arc->startAngle() + arc->totalAngle()),
            false));
    } else if (const auto* polyline = AcDbPolyline::cast(entity)) {
        const unsigned count = polyline->numVerts();
        const unsigned segments = polyline->isClosed() ? count : (count > 0 ? count - 1 : 0);
        for (unsigned i = 0; i < segments; ++i) {
            AcGePoint3d p0, p1;
            double bulge = 0;
            polyline->getPointAt(i, p0);
            polyline->getPointAt((i + 1) % count, p1);
            polyline->getBulgeAt(i, bulge);
            pieces.push_back(segmentPiece(p0, p1, bulge, polyline->normal()));
        }
    } else if (const auto* polyline2d = AcDb2dPolyline::cast(entity)) {
        const int count = polyline2d->vertexIds().length();
        const int segments = polyline2d->isClosed() ? count : (count > 0 ? count - 1 : 0);
        for (int i = 0; i < segments; ++i) {
            AcGePoint3d p0, p1;
            double bulge = 0;
            if (polyline2d->vertexPosition(i, p0, &bulge) != Acad::eOk ||
                polyline2d->vertexPosition((i + 1) % count, p1) != Acad::eOk)
                break;
            pieces.push_back(segmentPiece(p0, p1, bulge, polyline2d->normal()));
        }
    } else if (const auto* polyline3d = AcDb3dPolyline::cast(entity)) {
        const int count = polyline3d->vertexIds().length();
        const int segments = polyline3d->isClosed() ? count : (count > 0 ? count - 1 : 0);
        for (int i = 0; i < segments; ++i) {
            AcGePoint3d p0, p1;
            if (polyline3d->vertexPosition(i, p0) != Acad::eOk ||
                polyline3d->vertexPosition((i + 1) % count, p1) != Acad::eOk)
                break;
            pieces.push_back(CurvePiece::line(p0, p1));
        }
    } else {
        return false;
    }
    return true;
}

Acad::ErrorStatus intersectEntities(const AcDbEntity* self, const AcDbEntity* other, AcDb::Intersect type,
                                    const AcGePlane* projectionPlane, AcGePoint3dArray& points)
{
    if (other == nullptr) return Acad::eNullEntityPointer;
    std::vector<CurvePiece> mine, theirs;
    curvePiecesOf(self, mine);
    if (!curvePiecesOf(other, theirs)) {
        // An entity this platform does not know answers for itself, the roles swapped.
        const AcDb::Intersect swapped = type == AcDb::kExtendThis ? AcDb::kExtendArg
                                        : type == AcDb::kExtendArg ? AcDb::kExtendThis
                                                                   : type;
        return projectionPlane ? other->intersectWith(self, swapped, *projectionPlane, points)
                               : other->intersectWith(self, swapped, points);
    }
    const bool extendMine = (type == AcDb::kExtendThis || type == AcDb::kExtendBoth) && mine.size() == 1;
    const bool extendTheirs = (type == AcDb::kExtendArg || type == AcDb::kExtendBoth) && theirs.size() == 1;
    AcGeMatrix3d projection;
    if (projectionPlane) projection = AcGeMatrix3d::projection(*projectionPlane, projectionPlane->normal());
    for (CurvePiece a : mine) {
        if (extendMine) a = extended(a);
        if (projectionPlane) a = projected(a, projection, projectionPlane->normal());
        for (CurvePiece b : theirs) {
            if (extendTheirs) b = extended(b);
            if (projectionPlane) b = projected(b, projection, projectionPlane->normal());
            intersectPieces(a, extendMine, b, extendTheirs, points);
        }
    }
    return Acad::eOk;
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
                if (withinSegment(t, piece.start, piece.end)) snapPoints.append(piece.start + (piece.end - piece.start) * t);
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

Acad::ErrorStatus explodePieces(const std::vector<CurvePiece>& pieces, const AcDbEntity* from, AcDbVoidPtrArray& entitySet)
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

}  // namespace arx::db
