// Intersections of the mark with other entities. The mark answers as a closed outline of four
// straight sides (corner 0 to 1, 1 to 2, 2 to 3, 3 to 0) that are never extended; lines, arcs,
// circles and the plain old-style polylines are met side by side through the geometry library,
// any other entity is asked to meet each side in turn. A mark of a perspective view has no
// intersections: its corners are not where the view shows them.
#include <cmath>
#include <memory>

#include "dbents.h"
#include "gearc3d.h"
#include "geline3d.h"
#include "gelnsg3d.h"
#include "geplane.h"
#include "mark/vadu_kestra.h"

namespace {

constexpr Adesk::Int32 kPerspectiveViewBit = 1;

bool extendsArgument(AcDb::Intersect type) { return type == AcDb::kExtendArg || type == AcDb::kExtendBoth; }

// The four sides and what one request asks of them; points found are appended once each.
class OutlineMeeting {
public:
    OutlineMeeting(const AcGePoint3d* corners, AcDb::Intersect type, const AcGePlane* projectionPlane,
                   AcGePoint3dArray& points)
        : mExtend(extendsArgument(type)), mPoints(points), mFirstNew(points.length())
    {
        for (int i = 0; i < 4; ++i) mSides[i] = AcGeLineSeg3d(corners[i], corners[(i + 1) % 4]);
        if (projectionPlane != nullptr) {
            mDirection = projectionPlane->normal();
            mProjected = true;
        }
    }

    // A straight piece of the other entity from `start` to `end`: its segment, or the
    // unbounded line through it when the argument is extended.
    void meetStraight(const AcGePoint3d& start, const AcGePoint3d& end)
    {
        if (start.isEqualTo(end)) return;
        const AcGeLineSeg3d segment(start, end);
        const AcGeLine3d line(start, end);
        const AcGeLinearEnt3d& other = mExtend ? static_cast<const AcGeLinearEnt3d&>(line) : segment;
        for (const AcGeLineSeg3d& side : mSides) {
            if (side.length() == 0.0) continue;
            AcGePoint3d onSide, onOther;
            const bool met = mProjected ? side.projIntersectWith(other, mDirection, onSide, onOther)
                                        : side.intersectWith(other, onSide);
            if (met) append(onSide);
        }
    }

    // A circular piece: the arc, or its whole circle when the argument is extended.
    void meetCircular(const AcGeCircArc3d& arc)
    {
        const AcGeCircArc3d other = mExtend ? AcGeCircArc3d(arc.center(), arc.normal(), arc.radius()) : arc;
        meetCircle(other);
    }

    // A circle is closed already: there is nothing to extend.
    void meetCircle(const AcGeCircArc3d& circle)
    {
        for (const AcGeLineSeg3d& side : mSides) {
            if (side.length() == 0.0) continue;
            int count = 0;
            AcGePoint3d onArc1, onArc2, onSide1, onSide2;
            if (mProjected) {
                circle.projIntersectWith(side, mDirection, count, onArc1, onArc2, onSide1, onSide2);
            } else {
                circle.intersectWith(side, count, onSide1, onSide2);
            }
            if (count > 0) append(onSide1);
            if (count > 1) append(onSide2);
        }
    }

    const AcGeLineSeg3d& side(int index) const { return mSides[index]; }

private:
    void append(const AcGePoint3d& point)
    {
        for (int i = mFirstNew; i < mPoints.length(); ++i)
            if (mPoints[i].isEqualTo(point)) return;
        mPoints.append(point);
    }

    AcGeLineSeg3d mSides[4];
    bool mExtend;
    bool mProjected = false;
    AcGeVector3d mDirection;
    AcGePoint3dArray& mPoints;
    int mFirstNew;
};

// The arc a polyline segment with a non-zero bulge describes, from `start` to `end` in the
// plane of `normal`: counterclockwise about the normal for a positive bulge, its included
// angle 4 atan(bulge), so its middle lies bulge times half the chord off the chord's middle.
AcGeCircArc3d bulgeArc(const AcGePoint3d& start, const AcGePoint3d& end, double bulge, const AcGeVector3d& normal)
{
    const AcGeVector3d chord = end - start;
    const AcGeVector3d left = normal.normal().crossProduct(chord.normal());
    const AcGePoint3d middle = start + chord * 0.5 - left * (bulge * chord.length() * 0.5);
    return AcGeCircArc3d(start, middle, end);
}

AcGeCircArc3d arcOf(const AcDbArc& arc)
{
    AcGePoint3d start, middle, end;
    double startParam = 0.0, endParam = 0.0;
    arc.getStartParam(startParam);
    arc.getEndParam(endParam);
    arc.getStartPoint(start);
    arc.getPointAtParam((startParam + endParam) * 0.5, middle);
    arc.getEndPoint(end);
    if (start.isEqualTo(end)) return AcGeCircArc3d(arc.center(), arc.normal(), arc.radius());
    return AcGeCircArc3d(start, middle, end);
}

// The segments of a 2D polyline, by vertex and bulge, the closing one included when it is
// closed.
void meet2dPolyline(const AcDb2dPolyline& polyline, OutlineMeeting& meeting)
{
    AcGePoint3d first, previous, position;
    double firstBulge = 0.0, previousBulge = 0.0, bulge = 0.0;
    if (polyline.vertexPosition(0, first, &firstBulge) != Acad::eOk) return;
    previous = first;
    previousBulge = firstBulge;
    auto meetSegment = [&](const AcGePoint3d& from, const AcGePoint3d& to, double segmentBulge) {
        if (from.isEqualTo(to)) return;
        if (segmentBulge == 0.0) meeting.meetStraight(from, to);
        else meeting.meetCircular(bulgeArc(from, to, segmentBulge, polyline.normal()));
    };
    for (int i = 1; polyline.vertexPosition(i, position, &bulge) == Acad::eOk; ++i) {
        meetSegment(previous, position, previousBulge);
        previous = position;
        previousBulge = bulge;
    }
    if (polyline.isClosed()) meetSegment(previous, first, previousBulge);
}

void meet3dPolyline(const AcDb3dPolyline& polyline, OutlineMeeting& meeting)
{
    AcGePoint3d first, previous, position;
    if (polyline.vertexPosition(0, first) != Acad::eOk) return;
    previous = first;
    for (int i = 1; polyline.vertexPosition(i, position) == Acad::eOk; ++i) {
        meeting.meetStraight(previous, position);
        previous = position;
    }
    if (polyline.isClosed()) meeting.meetStraight(previous, first);
}

// The geometry the mark meets directly; false for an entity that is to be asked instead.
bool meetDirectly(const AcDbEntity* other, OutlineMeeting& meeting)
{
    if (const AcDbLine* line = AcDbLine::cast(other)) {
        meeting.meetStraight(line->startPoint(), line->endPoint());
        return true;
    }
    if (const AcDbArc* arc = AcDbArc::cast(other)) {
        meeting.meetCircular(arcOf(*arc));
        return true;
    }
    if (const AcDbCircle* circle = AcDbCircle::cast(other)) {
        meeting.meetCircle(AcGeCircArc3d(circle->center(), circle->normal(), circle->radius()));
        return true;
    }
    if (const AcDb2dPolyline* polyline = AcDb2dPolyline::cast(other)) {
        const auto type = polyline->polyType();
        if (type != AcDb2dPolyline::k2dSimplePoly && type != AcDb2dPolyline::k2dFitCurvePoly) return false;
        meet2dPolyline(*polyline, meeting);
        return true;
    }
    if (const AcDb3dPolyline* polyline = AcDb3dPolyline::cast(other)) {
        if (polyline->polyType() != AcDb3dPolyline::k3dSimplePoly) return false;
        meet3dPolyline(*polyline, meeting);
        return true;
    }
    return false;
}

// Any other entity meets each side as a line of its own: asked with the argument (the side)
// never extended, so that the mark keeps its size.
Acad::ErrorStatus askEachSide(const AcDbEntity* other, AcDb::Intersect type, const AcGePlane* projectionPlane,
                              const OutlineMeeting& meeting, const AcGeVector3d& normal, AcGePoint3dArray& points)
{
    const AcDb::Intersect askedType = extendsArgument(type) ? AcDb::kExtendThis : type;
    for (int i = 0; i < 4; ++i) {
        const auto line = std::make_unique<AcDbLine>(meeting.side(i).startPoint(), meeting.side(i).endPoint());
        if (!normal.isZeroLength()) line->setNormal(normal.normal());
        const Acad::ErrorStatus status = projectionPlane != nullptr
                                             ? other->intersectWith(line.get(), askedType, *projectionPlane, points)
                                             : other->intersectWith(line.get(), askedType, points);
        if (status != Acad::eOk) return status;
    }
    return Acad::eOk;
}

}  // namespace

Acad::ErrorStatus VaduKestra::intersectWith(const AcDbEntity* other, AcDb::Intersect type, AcGePoint3dArray& points,
                                            int /*thisGsMarker*/, int /*otherGsMarker*/) const
{
    return intersectOutline(other, type, nullptr, points);
}

Acad::ErrorStatus VaduKestra::intersectWith(const AcDbEntity* other, AcDb::Intersect type,
                                            const AcGePlane& projectionPlane, AcGePoint3dArray& points,
                                            int /*thisGsMarker*/, int /*otherGsMarker*/) const
{
    return intersectOutline(other, type, &projectionPlane, points);
}

Acad::ErrorStatus VaduKestra::intersectOutline(const AcDbEntity* other, AcDb::Intersect type,
                                               const AcGePlane* projectionPlane, AcGePoint3dArray& points) const
{
    assertReadEnabled();
    if (other == nullptr) return Acad::eNullEntityPointer;
    if ((mViewMode & kPerspectiveViewBit) != 0) return Acad::eOk;
    if (projectionPlane != nullptr && projectionPlane->normal().isZeroLength()) return Acad::eInvalidInput;
    OutlineMeeting meeting(mCorners, type, projectionPlane, points);
    if (meetDirectly(other, meeting)) return Acad::eOk;
    return askEachSide(other, type, projectionPlane, meeting, mNormal, points);
}
