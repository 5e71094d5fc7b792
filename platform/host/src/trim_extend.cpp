#include "trim_extend.h"

#include <cmath>
#include <numbers>

#include "db/entities/entity_filing.h"
#include "dbents.h"
#include "dbobjptr.h"
#include "dbpl.h"
#include "dbsymtb.h"
#include "gearc3d.h"
#include "gelnsg3d.h"
#include "trim_extend_parts.h"

namespace arx::host {
namespace trimparts {

std::vector<AcGePoint3d> meetingPoints(const AcDbEntity* object, AcDbObjectId self, const EdgeRules& rules,
                                       bool extendThis)
{
    const AcDb::Intersect type = extendThis ? (rules.extendEdges ? AcDb::kExtendBoth : AcDb::kExtendThis)
                                            : (rules.extendEdges ? AcDb::kExtendArg : AcDb::kOnBothOperands);
    std::vector<AcGePoint3d> out;
    for (AcDbObjectId id : rules.edges) {
        if (id == self) continue;
        AcDbObjectPointer<AcDbEntity> edge(id, AcDb::kForRead);
        if (edge.openStatus() != Acad::eOk) continue;
        AcGePoint3dArray points;
        const Acad::ErrorStatus status = rules.projection
                                             ? object->intersectWith(edge.object(), type, *rules.projection, points)
                                             : object->intersectWith(edge.object(), type, points);
        if (status != Acad::eOk) continue;
        for (int i = 0; i < points.length(); ++i) out.push_back(points[i]);
    }
    return out;
}

}  // namespace trimparts

using namespace trimparts;

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

// The point of the curve the pick shows, seen along the projection's normal when there is one.
AcGePoint3d pickedOn(const AcGeCurve3d& curve, const AcGePoint3d& pick, const EdgeRules& rules)
{
    return rules.projection ? curve.projClosestPointTo(pick, rules.projection->normal()) : curve.closestPointTo(pick);
}

}  // namespace

namespace trimparts {

Around around(const std::vector<double>& cuts, double at)
{
    Around out;
    for (double cut : cuts) {
        if (cut < at && (!out.below || cut > *out.below)) out.below = cut;
        if (cut > at && (!out.above || cut < *out.above)) out.above = cut;
    }
    return out;
}

AcDbObjectId addBeside(const AcDbEntity* original, AcDbEntity* made)
{
    AcDbObjectPointer<AcDbBlockTableRecord> block(original->ownerId(), AcDb::kForWrite);
    AcDbObjectId id;
    if (block.openStatus() != Acad::eOk || block->appendAcDbEntity(id, made) != Acad::eOk) {
        delete made;
        return AcDbObjectId();
    }
    made->close();
    return id;
}

void eraseObject(AcDbObjectId id, bool erasing)
{
    AcDbObjectPointer<AcDbEntity> entity(id, AcDb::kForWrite, !erasing);
    if (entity.openStatus() == Acad::eOk) entity->erase(erasing);
}

}  // namespace trimparts

namespace {

// ---- lines ---------------------------------------------------------------------------------

void setLine(AcDbObjectId id, const AcGePoint3d& start, const AcGePoint3d& end)
{
    AcDbObjectPointer<AcDbLine> line(id, AcDb::kForWrite);
    if (line.openStatus() != Acad::eOk) return;
    line->setStartPoint(start);
    line->setEndPoint(end);
}

EditStep lineChange(AcDbObjectId id, const AcGePoint3d& start, const AcGePoint3d& end, AcDbObjectId added)
{
    return EditStep{[=] {
        if (!added.isNull()) eraseObject(added, true);
        setLine(id, start, end);
    }};
}

EditResult trimLine(AcDbObjectId id, AcDbLine* line, const AcGePoint3d& pick, const EdgeRules& rules, EditStep& step)
{
    const AcGeLineSeg3d seg(line->startPoint(), line->endPoint());
    std::vector<double> cuts;
    for (const AcGePoint3d& p : meetingPoints(line, id, rules, false)) {
        const double t = seg.paramOf(p);
        if (t > kSlack && t < 1 - kSlack) cuts.push_back(t);
    }
    if (cuts.empty()) return EditResult::NoEdge;
    const Around cut = around(cuts, seg.paramOf(pickedOn(seg, pick, rules)));
    const AcGePoint3d start = line->startPoint(), end = line->endPoint();
    AcDbObjectId added;
    if (cut.below && cut.above) {
        auto* rest = AcDbLine::cast(line->clone());
        rest->setStartPoint(seg.evalPoint(*cut.above));
        rest->setEndPoint(end);
        added = addBeside(line, rest);
    }
    if (cut.below) line->setEndPoint(seg.evalPoint(*cut.below));
    else line->setStartPoint(seg.evalPoint(*cut.above));
    step = lineChange(id, start, end, added);
    return EditResult::Done;
}

EditResult extendLine(AcDbObjectId id, AcDbLine* line, const AcGePoint3d& pick, const EdgeRules& rules, EditStep& step)
{
    const AcGeLineSeg3d seg(line->startPoint(), line->endPoint());
    const bool atEnd = seg.paramOf(pickedOn(seg, pick, rules)) >= 0.5;
    std::optional<double> reach;
    for (const AcGePoint3d& p : meetingPoints(line, id, rules, true)) {
        const double t = seg.paramOf(p);
        if (atEnd && t > 1 + kSlack && (!reach || t < *reach)) reach = t;
        if (!atEnd && t < -kSlack && (!reach || t > *reach)) reach = t;
    }
    if (!reach) return EditResult::NoEdgeInThatDirection;
    const AcGePoint3d start = line->startPoint(), end = line->endPoint();
    if (atEnd) line->setEndPoint(seg.evalPoint(*reach));
    else line->setStartPoint(seg.evalPoint(*reach));
    step = lineChange(id, start, end, AcDbObjectId());
    return EditResult::Done;
}

// ---- arcs and circles ----------------------------------------------------------------------

// Angle of a point of the circle from `from`, counterclockwise about the normal, in [0, 2 pi).
double turnFrom(double from, const AcGePoint3d& center, const AcGeVector3d& normal, const AcGePoint3d& p)
{
    const double angle = std::fmod(arx::db::angleInPlane(p - center, normal) - from, kTwoPi);
    return angle < 0 ? angle + kTwoPi : angle;
}

AcGeCircArc3d geometryOf(const AcDbArc* arc)
{
    const AcGeVector3d n = arx::db::unitNormal(arc->normal());
    const AcGeVector3d reference = arx::db::objectToWorld(n) * AcGeVector3d::kXAxis;
    double sweep = arc->endAngle() - arc->startAngle();
    if (sweep <= 0) sweep += kTwoPi;
    return AcGeCircArc3d(arc->center(), n, reference, arc->radius(), arc->startAngle(), arc->startAngle() + sweep);
}

void setArcAngles(AcDbObjectId id, double start, double end)
{
    AcDbObjectPointer<AcDbArc> arc(id, AcDb::kForWrite);
    if (arc.openStatus() != Acad::eOk) return;
    arc->setStartAngle(start);
    arc->setEndAngle(end);
}

EditStep arcChange(AcDbObjectId id, double start, double end, AcDbObjectId added)
{
    return EditStep{[=] {
        if (!added.isNull()) eraseObject(added, true);
        setArcAngles(id, start, end);
    }};
}

EditResult trimArc(AcDbObjectId id, AcDbArc* arc, const AcGePoint3d& pick, const EdgeRules& rules, EditStep& step)
{
    const AcGeCircArc3d geometry = geometryOf(arc);
    const double start = arc->startAngle(), end = arc->endAngle(), sweep = geometry.endAng() - geometry.startAng();
    const AcGeVector3d n = geometry.normal();
    std::vector<double> cuts;
    for (const AcGePoint3d& p : meetingPoints(arc, id, rules, false)) {
        const double u = turnFrom(start, arc->center(), n, p);
        if (u > kSlack && u < sweep - kSlack) cuts.push_back(u);
    }
    if (cuts.empty()) return EditResult::NoEdge;
    const Around cut = around(cuts, turnFrom(start, arc->center(), n, pickedOn(geometry, pick, rules)));
    AcDbObjectId added;
    if (cut.below && cut.above) {
        auto* rest = AcDbArc::cast(arc->clone());
        rest->setStartAngle(start + *cut.above);
        rest->setEndAngle(end);
        added = addBeside(arc, rest);
    }
    if (cut.below) arc->setEndAngle(start + *cut.below);
    else arc->setStartAngle(start + *cut.above);
    step = arcChange(id, start, end, added);
    return EditResult::Done;
}

// A circle cut at two points or more loses the stretch between the cuts around the pick and
// becomes the arc that is left.
EditResult trimCircle(AcDbObjectId id, AcDbCircle* circle, const AcGePoint3d& pick, const EdgeRules& rules,
                      EditStep& step)
{
    const AcGeVector3d n = arx::db::unitNormal(circle->normal());
    std::vector<double> cuts;
    for (const AcGePoint3d& p : meetingPoints(circle, id, rules, false))
        cuts.push_back(turnFrom(0, circle->center(), n, p));
    if (cuts.size() < 2) return EditResult::NoEdge;
    const AcGeCircArc3d geometry(circle->center(), n, circle->radius());
    const double at = turnFrom(0, circle->center(), n, pickedOn(geometry, pick, rules));
    Around cut = around(cuts, at);
    // Around the circle: past the last cut comes the first one again.
    double below = cut.below.value_or(0), above = cut.above.value_or(0);
    if (!cut.below) below = *around(cuts, kTwoPi + 1).below;
    if (!cut.above) above = *around(cuts, -1).above;
    auto* left = new AcDbArc(circle->center(), n, circle->radius(), above, below);
    left->setPropertiesFrom(circle);
    const AcDbObjectId added = addBeside(circle, left);
    if (added.isNull()) return EditResult::NotEditable;
    circle->erase();
    step = EditStep{[=] {
        eraseObject(added, true);
        eraseObject(id, false);
    }};
    return EditResult::Done;
}

EditResult extendArc(AcDbObjectId id, AcDbArc* arc, const AcGePoint3d& pick, const EdgeRules& rules, EditStep& step)
{
    const AcGeCircArc3d geometry = geometryOf(arc);
    const double start = arc->startAngle(), end = arc->endAngle(), sweep = geometry.endAng() - geometry.startAng();
    const AcGeVector3d n = geometry.normal();
    const bool atEnd = turnFrom(start, arc->center(), n, pickedOn(geometry, pick, rules)) >= sweep / 2;
    // Beyond the end the circle runs on from sweep towards a full turn; before the start it
    // runs back from a full turn towards sweep.
    std::optional<double> reach;
    for (const AcGePoint3d& p : meetingPoints(arc, id, rules, true)) {
        const double u = turnFrom(start, arc->center(), n, p);
        if (u <= sweep + kSlack || u >= kTwoPi - kSlack) continue;
        if (atEnd && (!reach || u < *reach)) reach = u;
        if (!atEnd && (!reach || u > *reach)) reach = u;
    }
    if (!reach) return EditResult::NoEdgeInThatDirection;
    if (atEnd) arc->setEndAngle(start + *reach);
    else arc->setStartAngle(start + *reach);
    step = arcChange(id, start, end, AcDbObjectId());
    return EditResult::Done;
}

// Why an object that does not open for write cannot be edited.
EditResult refusal(Acad::ErrorStatus openStatus)
{
    return openStatus == Acad::eOnLockedLayer ? EditResult::OnLockedLayer : EditResult::NotEditable;
}

}  // namespace

EditResult trimAt(AcDbObjectId object, const AcGePoint3d& pick, const EdgeRules& rules, EditStep& step)
{
    AcDbObjectPointer<AcDbEntity> entity(object, AcDb::kForWrite);
    if (entity.openStatus() != Acad::eOk) return refusal(entity.openStatus());
    if (auto* line = AcDbLine::cast(entity.object())) return trimLine(object, line, pick, rules, step);
    if (auto* arc = AcDbArc::cast(entity.object())) return trimArc(object, arc, pick, rules, step);
    if (auto* circle = AcDbCircle::cast(entity.object())) return trimCircle(object, circle, pick, rules, step);
    if (auto* polyline = AcDbPolyline::cast(entity.object())) return trimPolyline(object, polyline, pick, rules, step);
    return EditResult::NotEditable;
}

EditResult extendAt(AcDbObjectId object, const AcGePoint3d& pick, const EdgeRules& rules, EditStep& step)
{
    AcDbObjectPointer<AcDbEntity> entity(object, AcDb::kForWrite);
    if (entity.openStatus() != Acad::eOk) return refusal(entity.openStatus());
    if (auto* line = AcDbLine::cast(entity.object())) return extendLine(object, line, pick, rules, step);
    if (auto* arc = AcDbArc::cast(entity.object())) return extendArc(object, arc, pick, rules, step);
    if (auto* polyline = AcDbPolyline::cast(entity.object()))
        return extendPolyline(object, polyline, pick, rules, step);
    return EditResult::NotEditable;
}

}  // namespace arx::host
