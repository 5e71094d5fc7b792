// The primitives of the recording world draw, carried into world coordinates by the model
// transform in force.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

#include "dbpl.h"
#include "gi/host_fonts.h"
#include "gi/recording_parts.h"
#include "gi/recording_world_draw.h"
#include "gi/tessellation.h"
#include "gi/text_codes.h"

namespace arx::gi {
namespace {

constexpr double kTwoPi = 6.283185307179586;
// The font of the text primitive that names none.
constexpr const char* kDefaultFont = "txt.shx";

AcGeVector3d unitOr(const AcGeVector3d& v, const AcGeVector3d& fallback)
{
    const double length = v.length();
    return length > 0.0 && std::isfinite(length) ? v / length : fallback;
}

// The circle through three points: false when they are collinear.
bool circleThrough(const AcGePoint3d& a, const AcGePoint3d& b, const AcGePoint3d& c, AcGePoint3d& center,
                   AcGeVector3d& normal)
{
    const AcGeVector3d ab = b - a;
    const AcGeVector3d ac = c - a;
    const AcGeVector3d n = ab.crossProduct(ac);
    const double n2 = n.lengthSqrd();
    if (n2 <= 1e-24 * ab.lengthSqrd() * ac.lengthSqrd() || n2 == 0.0) return false;
    const AcGeVector3d toCenter =
        (n.crossProduct(ab) * ac.lengthSqrd() + ac.crossProduct(n) * ab.lengthSqrd()) / (2.0 * n2);
    center = a + toCenter;
    normal = n / std::sqrt(n2);
    return true;
}

// Counterclockwise angle about normal from u to v, in [0, 2 pi).
double angleAbout(const AcGeVector3d& u, const AcGeVector3d& v, const AcGeVector3d& normal)
{
    double angle = std::atan2(normal.dotProduct(u.crossProduct(v)), u.dotProduct(v));
    if (angle < 0.0) angle += kTwoPi;
    return angle;
}

}  // namespace

void RecordingGeometry::keep(PrimitiveKind kind, std::vector<AcGePoint3d> points, bool closed, bool hole) const
{
    const AcGeMatrix3d& xform = mOwner.modelTransform();
    for (AcGePoint3d& p : points) p.transformBy(xform);
    Primitive primitive;
    primitive.kind = kind;
    primitive.points = std::move(points);
    primitive.closed = closed;
    primitive.hole = hole;
    mOwner.record(std::move(primitive));
}

void RecordingGeometry::keepArc(PrimitiveKind kind, const AcGePoint3d& center, double radius,
                                const AcGeVector3d& normal, const AcGeVector3d& startVector, double sweep,
                                AcGiArcType arcType) const
{
    if (!(radius > 0.0) || !std::isfinite(radius) || !std::isfinite(sweep)) return;
    const AcGeVector3d n = unitOr(normal, AcGeVector3d::kZAxis);
    // The start vector's part in the arc's plane.
    const AcGeVector3d inPlane = startVector - n * n.dotProduct(startVector);
    const AcGeVector3d start = unitOr(inPlane, n.perpVector());
    std::vector<AcGePoint3d> points = arcPoints(center, radius, n, start, sweep);
    bool closed = kind == PrimitiveKind::Circle || arcType == kAcGiArcChord;
    if (kind == PrimitiveKind::Circle) points.pop_back();
    if (arcType == kAcGiArcSector) {
        points.push_back(center);
        closed = true;
    }
    const AcGeMatrix3d& xform = mOwner.modelTransform();
    for (AcGePoint3d& p : points) p.transformBy(xform);
    Primitive primitive;
    primitive.kind = kind;
    primitive.points = std::move(points);
    primitive.closed = closed;
    primitive.center = xform * center;
    const AcGeVector3d worldStart = (xform * (center + start * radius)) - primitive.center;
    primitive.radius = worldStart.length();
    primitive.startVector = unitOr(worldStart, start);
    const AcGeVector3d worldY = (xform * (center + n.crossProduct(start) * radius)) - primitive.center;
    primitive.normal = unitOr(primitive.startVector.crossProduct(worldY), n);
    primitive.sweep = sweep;
    mOwner.record(std::move(primitive));
}

Adesk::Boolean RecordingGeometry::circle(const AcGePoint3d& center, const double radius,
                                         const AcGeVector3d& normal) const
{
    const AcGeVector3d n = unitOr(normal, AcGeVector3d::kZAxis);
    keepArc(PrimitiveKind::Circle, center, radius, n, n.perpVector(), kTwoPi, kAcGiArcSimple);
    return false;
}

Adesk::Boolean RecordingGeometry::circle(const AcGePoint3d& p1, const AcGePoint3d& p2, const AcGePoint3d& p3) const
{
    AcGePoint3d center;
    AcGeVector3d normal;
    if (!circleThrough(p1, p2, p3, center, normal)) return false;
    keepArc(PrimitiveKind::Circle, center, (p1 - center).length(), normal, (p1 - center), kTwoPi, kAcGiArcSimple);
    return false;
}

Adesk::Boolean RecordingGeometry::circularArc(const AcGePoint3d& center, const double radius,
                                              const AcGeVector3d& normal, const AcGeVector3d& startVector,
                                              const double sweepAngle, const AcGiArcType arcType) const
{
    keepArc(PrimitiveKind::Arc, center, radius, normal, startVector, sweepAngle, arcType);
    return false;
}

Adesk::Boolean RecordingGeometry::circularArc(const AcGePoint3d& start, const AcGePoint3d& point,
                                              const AcGePoint3d& end, const AcGiArcType arcType) const
{
    AcGePoint3d center;
    AcGeVector3d normal;
    if (!circleThrough(start, point, end, center, normal)) {
        keep(PrimitiveKind::Polyline, {start, end}, false);
        return false;
    }
    // The normal of the three points turns the arc from start through point to end.
    const double sweep = angleAbout(start - center, end - center, normal);
    keepArc(PrimitiveKind::Arc, center, (start - center).length(), normal, start - center, sweep, arcType);
    return false;
}

Adesk::Boolean RecordingGeometry::polyline(const Adesk::UInt32 nbPoints, const AcGePoint3d* pVertexList,
                                           const AcGeVector3d* /*pNormal*/, Adesk::Int32 lBaseSubEntMarker) const
{
    if (nbPoints == 0 || pVertexList == nullptr) return false;
    if (lBaseSubEntMarker < 0 || nbPoints < 2) {
        keep(PrimitiveKind::Polyline, std::vector<AcGePoint3d>(pVertexList, pVertexList + nbPoints), false);
        return false;
    }
    // Each segment is its own sub-entity, marked from the base marker on.
    const Adesk::Int32 saved = mOwner.currentTraits().selectionMarker;
    for (Adesk::UInt32 i = 0; i + 1 < nbPoints; ++i) {
        mOwner.subEntityTraits().setSelectionMarker(lBaseSubEntMarker + static_cast<Adesk::Int32>(i));
        keep(PrimitiveKind::Polyline, {pVertexList[i], pVertexList[i + 1]}, false);
    }
    mOwner.subEntityTraits().setSelectionMarker(saved);
    return false;
}

Adesk::Boolean RecordingGeometry::polygon(const Adesk::UInt32 nbPoints, const AcGePoint3d* pVertexList) const
{
    if (nbPoints == 0 || pVertexList == nullptr) return false;
    keep(PrimitiveKind::Polygon, std::vector<AcGePoint3d>(pVertexList, pVertexList + nbPoints), true);
    return false;
}

Adesk::Boolean RecordingGeometry::mesh(const Adesk::UInt32 rows, const Adesk::UInt32 columns,
                                       const AcGePoint3d* pVertexList, const AcGiEdgeData*, const AcGiFaceData*,
                                       const AcGiVertexData*) const
{
    if (pVertexList == nullptr || rows < 2 || columns < 2) return false;
    auto at = [&](Adesk::UInt32 r, Adesk::UInt32 c) { return pVertexList[r * columns + c]; };
    for (Adesk::UInt32 r = 0; r + 1 < rows; ++r)
        for (Adesk::UInt32 c = 0; c + 1 < columns; ++c)
            keep(PrimitiveKind::Face, {at(r, c), at(r, c + 1), at(r + 1, c + 1), at(r + 1, c)}, true);
    return false;
}

Adesk::Boolean RecordingGeometry::shell(const Adesk::UInt32 nbVertex, const AcGePoint3d* pVertexList,
                                        const Adesk::UInt32 faceListSize, const Adesk::Int32* pFaceList,
                                        const AcGiEdgeData*, const AcGiFaceData*, const AcGiVertexData*,
                                        const struct resbuf*) const
{
    if (pVertexList == nullptr || pFaceList == nullptr) return false;
    // A face list that runs past its size or names a vertex that is not there ends the shell.
    Adesk::UInt32 i = 0;
    while (i < faceListSize) {
        const Adesk::Int32 count = pFaceList[i++];
        const Adesk::UInt32 n = static_cast<Adesk::UInt32>(count < 0 ? -static_cast<Adesk::Int64>(count) : count);
        if (n == 0 || n > faceListSize - i) return false;
        std::vector<AcGePoint3d> face;
        for (Adesk::UInt32 k = 0; k < n; ++k) {
            const Adesk::Int32 index = pFaceList[i + k];
            if (index < 0 || static_cast<Adesk::UInt32>(index) >= nbVertex) return false;
            face.push_back(pVertexList[index]);
        }
        i += n;
        keep(PrimitiveKind::Face, std::move(face), true, count < 0);
    }
    return false;
}

void RecordingGeometry::keepText(const AcGePoint3d& position, const AcGeVector3d& normal, const AcGeVector3d& direction,
                                 RecordedText text) const
{
    const AcGeMatrix3d& xform = mOwner.modelTransform();
    const AcGeVector3d n = unitOr(normal, AcGeVector3d::kZAxis);
    const AcGeVector3d x = unitOr(direction - n * n.dotProduct(direction), n.perpVector());
    const AcGeVector3d y = n.crossProduct(x);
    const AcGePoint3d origin = xform * position;
    const AcGeVector3d worldX = (xform * (position + x)) - origin;
    const AcGeVector3d worldY = (xform * (position + y)) - origin;
    const double yScale = worldY.length();
    text.direction = unitOr(worldX, x);
    text.normal = unitOr(worldX.crossProduct(worldY), n);
    text.width *= worldX.length();
    text.height *= yScale;
    Primitive primitive;
    primitive.kind = PrimitiveKind::Text;
    primitive.points = {origin};
    primitive.text = std::move(text);
    mOwner.record(std::move(primitive));
}

Adesk::Boolean RecordingGeometry::text(const AcGePoint3d& position, const AcGeVector3d& normal,
                                       const AcGeVector3d& direction, const double height, const double width,
                                       const double oblique, const char* pMsg) const
{
    if (pMsg == nullptr) return false;
    const AcGiTextStyle style(kDefaultFont, nullptr, height, width == 0.0 ? 1.0 : width, oblique, 1.0, false, false,
                              false, false, false);
    return text(position, normal, direction, pMsg, -1, false, style);
}

Adesk::Boolean RecordingGeometry::text(const AcGePoint3d& position, const AcGeVector3d& normal,
                                       const AcGeVector3d& direction, const char* pMsg, const Adesk::Int32 length,
                                       const Adesk::Boolean raw, const AcGiTextStyle& textStyle) const
{
    if (pMsg == nullptr) return false;
    RecordedText text;
    text.text = length < 0 ? std::string(pMsg) : std::string(pMsg, strnlen(pMsg, static_cast<size_t>(length)));
    text.glyphs = decodeText(text.text, -1, raw);
    text.height = textStyle.textSize();
    text.widthFactor = textStyle.xScale();
    text.obliqueAngle = textStyle.obliquingAngle();
    text.fontName = findHostFont(textStyle.fileName()) != nullptr ? textStyle.fileName() : fallbackFont().fileName;
    text.width = textStyle.extents(text.text.c_str(), true, -1, raw).x;
    keepText(position, normal, direction, std::move(text));
    return false;
}

Adesk::Boolean RecordingGeometry::xline(const AcGePoint3d& p1, const AcGePoint3d& p2) const
{
    if (p1 != p2) keep(PrimitiveKind::Xline, {p1, p2}, false);
    return false;
}

Adesk::Boolean RecordingGeometry::ray(const AcGePoint3d& basePoint, const AcGePoint3d& throughPoint) const
{
    if (basePoint != throughPoint) keep(PrimitiveKind::Ray, {basePoint, throughPoint}, false);
    return false;
}

Adesk::Boolean RecordingGeometry::pline(const AcDbPolyline& lwBuf, Adesk::UInt32 fromIndex, Adesk::UInt32 numSegs) const
{
    const Adesk::UInt32 count = lwBuf.numVerts();
    if (count == 0 || fromIndex >= count) return false;
    const bool closed = lwBuf.isClosed();
    const Adesk::UInt32 segments = closed ? count : count - 1;
    const Adesk::UInt32 last = numSegs == 0 ? segments : std::min(segments, fromIndex + numSegs);
    const AcGeVector3d normal = lwBuf.normal();
    std::vector<AcGePoint3d> points;
    AcGePoint3d start;
    lwBuf.getPointAt(fromIndex, start);
    points.push_back(start);
    for (Adesk::UInt32 i = fromIndex; i < last; ++i) {
        AcGePoint3d from, to;
        double bulge = 0.0;
        lwBuf.getPointAt(i, from);
        lwBuf.getPointAt((i + 1) % count, to);
        lwBuf.getBulgeAt(i, bulge);
        appendBulgeSegment(points, from, to, bulge, normal);
    }
    const bool wholeClosed = closed && fromIndex == 0 && last == segments && points.size() > 2;
    if (wholeClosed) points.pop_back();
    keep(PrimitiveKind::Polyline, std::move(points), wholeClosed);
    return false;
}

Adesk::Boolean RecordingGeometry::draw(AcGiDrawable* pDrawable) const
{
    mOwner.drawNested(pDrawable);
    return false;
}

Adesk::Boolean RecordingGeometry::pushModelTransform(const AcGeVector3d& normal)
{
    mOwner.pushTransform(AcGeMatrix3d::planeToWorld(normal));
    return false;
}

Adesk::Boolean RecordingGeometry::pushModelTransform(const AcGeMatrix3d& xMat)
{
    mOwner.pushTransform(xMat);
    return false;
}

Adesk::Boolean RecordingGeometry::popModelTransform()
{
    mOwner.popTransform();
    return false;
}

}  // namespace arx::gi
