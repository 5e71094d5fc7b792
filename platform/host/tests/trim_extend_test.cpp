// What TRIM and EXTEND do to one object, on a drawing of their own: lines, arcs and
// lightweight polylines cut on one side or split, circles left as arcs and closed polylines
// opened, lines, arcs and polylines drawn out to the nearest edge, objects in space against
// edges seen from above, implied edges, and each change taken back.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "dbents.h"
#include "dbobjptr.h"
#include "dbpl.h"
#include "dbsymtb.h"
#include "trim_extend.h"

namespace {

using arx::host::EdgeRules;
using arx::host::EditResult;
using arx::host::EditStep;

constexpr double kPi = std::numbers::pi;

class TrimExtend : public ::testing::Test {
protected:
    AcDbDatabase db{true, true};

    AcDbObjectId add(AcDbEntity* entity)
    {
        AcDbBlockTable* table = nullptr;
        EXPECT_EQ(db.getBlockTable(table, AcDb::kForRead), Acad::eOk);
        AcDbBlockTableRecord* model = nullptr;
        EXPECT_EQ(table->getAt(ACDB_MODEL_SPACE, model, AcDb::kForWrite), Acad::eOk);
        table->close();
        AcDbObjectId id;
        EXPECT_EQ(model->appendAcDbEntity(id, entity), Acad::eOk);
        model->close();
        entity->close();
        return id;
    }
    AcDbObjectId line(double x1, double y1, double x2, double y2, double z = 0)
    {
        return add(new AcDbLine(AcGePoint3d(x1, y1, z), AcGePoint3d(x2, y2, z)));
    }
    // The model-space entities of one kind, oldest first.
    template <class T>
    std::vector<AcDbObjectId> all()
    {
        std::vector<AcDbObjectId> out;
        AcDbBlockTable* table = nullptr;
        db.getBlockTable(table, AcDb::kForRead);
        AcDbBlockTableRecord* model = nullptr;
        table->getAt(ACDB_MODEL_SPACE, model, AcDb::kForRead);
        table->close();
        const AcDbObjectIdArray ids = model->entityIds();
        model->close();
        for (int i = 0; i < ids.length(); ++i) {
            AcDbObjectPointer<T> entity(ids[i], AcDb::kForRead);
            if (entity.openStatus() == Acad::eOk) out.push_back(ids[i]);
        }
        return out;
    }
    static AcGePoint3d start(AcDbObjectId id) { return AcDbObjectPointer<AcDbLine>(id, AcDb::kForRead)->startPoint(); }
    static AcGePoint3d end(AcDbObjectId id) { return AcDbObjectPointer<AcDbLine>(id, AcDb::kForRead)->endPoint(); }
    static EdgeRules edges(std::vector<AcDbObjectId> ids, bool fromAbove = true, bool extended = false)
    {
        EdgeRules rules;
        rules.edges = std::move(ids);
        if (fromAbove) rules.projection = AcGePlane::kXYPlane;
        rules.extendEdges = extended;
        return rules;
    }
};

TEST_F(TrimExtend, LinesLoseThePickedSideOrTheStretchBetweenCuts)
{
    const AcDbObjectId a = line(0, 0, 10, 0), b = line(3, -5, 3, 5), c = line(7, -5, 7, 5);
    {
        AcDbObjectPointer<AcDbLine> coloured(a, AcDb::kForWrite);
        coloured->setColorIndex(3);
    }
    // Between two cuts the line splits; the new piece keeps the line's properties.
    EditStep split;
    ASSERT_EQ(arx::host::trimAt(a, AcGePoint3d(5, 0.1, 0), edges({b, c}), split), EditResult::Done);
    EXPECT_TRUE(end(a).isEqualTo(AcGePoint3d(3, 0, 0)));
    const auto lines = all<AcDbLine>();
    ASSERT_EQ(lines.size(), 4u);
    const AcDbObjectId piece = lines.back();
    EXPECT_TRUE(start(piece).isEqualTo(AcGePoint3d(7, 0, 0)));
    EXPECT_TRUE(end(piece).isEqualTo(AcGePoint3d(10, 0, 0)));
    EXPECT_EQ(AcDbObjectPointer<AcDbLine>(piece, AcDb::kForRead)->colorIndex(), 3);
    // Taking the split back erases the piece and restores the line.
    split.undo();
    EXPECT_TRUE(AcDbObjectPointer<AcDbLine>(piece, AcDb::kForRead, true)->isErased());
    EXPECT_TRUE(end(a).isEqualTo(AcGePoint3d(10, 0, 0)));
    // Outside the cuts only the picked side goes.
    EditStep step;
    ASSERT_EQ(arx::host::trimAt(a, AcGePoint3d(1, 0, 0), edges({b, c}), step), EditResult::Done);
    EXPECT_TRUE(start(a).isEqualTo(AcGePoint3d(3, 0, 0)));
    EXPECT_TRUE(end(a).isEqualTo(AcGePoint3d(10, 0, 0)));
    step.undo();
    EXPECT_TRUE(start(a).isEqualTo(AcGePoint3d(0, 0, 0)));
    // The edges themselves and a line no edge crosses.
    EXPECT_EQ(arx::host::trimAt(b, AcGePoint3d(3, 4, 0), edges({b}), step), EditResult::NoEdge);
}

TEST_F(TrimExtend, SeenFromAboveOrInSpaceAndImpliedEdges)
{
    // The edge runs 5 above the line: it cuts only as seen from above.
    const AcDbObjectId a = line(0, 0, 10, 0), high = line(4, -2, 4, 2, 5);
    EditStep step;
    EXPECT_EQ(arx::host::trimAt(a, AcGePoint3d(9, 0, 0), edges({high}, false), step), EditResult::NoEdge);
    ASSERT_EQ(arx::host::trimAt(a, AcGePoint3d(9, 0, 0), edges({high}), step), EditResult::Done);
    EXPECT_TRUE(end(a).isEqualTo(AcGePoint3d(4, 0, 0)));
    // A short edge that would reach the line only when extended.
    const AcDbObjectId b = line(0, 5, 10, 5), shortEdge = line(6, 7, 6, 9);
    EXPECT_EQ(arx::host::trimAt(b, AcGePoint3d(9, 5, 0), edges({shortEdge}), step), EditResult::NoEdge);
    ASSERT_EQ(arx::host::trimAt(b, AcGePoint3d(9, 5, 0), edges({shortEdge}, true, true), step), EditResult::Done);
    EXPECT_TRUE(end(b).isEqualTo(AcGePoint3d(6, 5, 0)));
}

TEST_F(TrimExtend, ArcsAndCircles)
{
    // The upper half circle of radius 5 about the origin, cut by x = 3 at (3, 4).
    const AcDbObjectId arc = add(new AcDbArc(AcGePoint3d(0, 0, 0), 5, 0, kPi));
    const AcDbObjectId cutter = line(3, -10, 3, 10);
    EditStep step;
    ASSERT_EQ(arx::host::trimAt(arc, AcGePoint3d(5, 0.1, 0), edges({cutter}), step), EditResult::Done);
    {
        AcDbObjectPointer<AcDbArc> left(arc, AcDb::kForRead);
        EXPECT_NEAR(left->startAngle(), std::atan2(4, 3), 1e-9);
        EXPECT_NEAR(left->endAngle(), kPi, 1e-9);
    }
    step.undo();
    EXPECT_NEAR(AcDbObjectPointer<AcDbArc>(arc, AcDb::kForRead)->startAngle(), 0, 1e-9);

    // A circle cut twice keeps the part away from the pick, as an arc with its properties.
    auto* round = new AcDbCircle(AcGePoint3d(20, 0, 0), AcGeVector3d::kZAxis, 5);
    const AcDbObjectId circle = add(round);
    const AcDbObjectId chord = line(23, -10, 23, 10);
    ASSERT_EQ(arx::host::trimAt(circle, AcGePoint3d(25, 0, 0), edges({chord}), step), EditResult::Done);
    EXPECT_TRUE(AcDbObjectPointer<AcDbCircle>(circle, AcDb::kForRead, true)->isErased());
    const auto arcs = all<AcDbArc>();
    ASSERT_EQ(arcs.size(), 2u);
    {
        AcDbObjectPointer<AcDbArc> left(arcs.back(), AcDb::kForRead);
        EXPECT_NEAR(left->startAngle(), std::atan2(4, 3), 1e-9);
        EXPECT_NEAR(left->endAngle(), 2 * kPi - std::atan2(4, 3), 1e-9);
        EXPECT_TRUE(left->center().isEqualTo(AcGePoint3d(20, 0, 0)));
    }
    step.undo();
    EXPECT_FALSE(AcDbObjectPointer<AcDbCircle>(circle, AcDb::kForRead)->isErased());
    // Cut once, a circle cannot be trimmed.
    const AcDbObjectId tangent = line(15, 5, 25, 5);
    EXPECT_EQ(arx::host::trimAt(circle, AcGePoint3d(20, -5, 0), edges({tangent}), step), EditResult::NoEdge);
}

TEST_F(TrimExtend, ExtendReachesTheNearestEdgeBeyondThePickedEnd)
{
    const AcDbObjectId a = line(0, 0, 2, 0), near = line(5, -1, 5, 1), far = line(8, -1, 8, 1);
    const AcDbObjectId circle = add(new AcDbCircle(AcGePoint3d(-10, 0, 0), AcGeVector3d::kZAxis, 3));
    const EdgeRules rules = edges({near, far, circle});
    EditStep step;
    ASSERT_EQ(arx::host::extendAt(a, AcGePoint3d(1.8, 0, 0), rules, step), EditResult::Done);
    EXPECT_TRUE(end(a).isEqualTo(AcGePoint3d(5, 0, 0)));
    ASSERT_EQ(arx::host::extendAt(a, AcGePoint3d(0.2, 0, 0), rules, step), EditResult::Done);
    EXPECT_TRUE(start(a).isEqualTo(AcGePoint3d(-7, 0, 0)));
    step.undo();
    EXPECT_TRUE(start(a).isEqualTo(AcGePoint3d(0, 0, 0)));
    // Nothing beyond: the line stays.
    const AcDbObjectId b = line(0, 3, 2, 3);
    EXPECT_EQ(arx::host::extendAt(b, AcGePoint3d(1.8, 3, 0), edges({near}), step), EditResult::NoEdgeInThatDirection);
    EXPECT_TRUE(end(b).isEqualTo(AcGePoint3d(2, 3, 0)));

    // An arc runs on along its circle to the edge: the quarter circle from (5, 0) to (0, 5)
    // reaches x = -3 at (-3, 4).
    const AcDbObjectId arc = add(new AcDbArc(AcGePoint3d(0, 0, 0), 5, 0, kPi / 2));
    const AcDbObjectId wall = line(-3, 0, -3, 10);
    ASSERT_EQ(arx::host::extendAt(arc, AcGePoint3d(0.5, 4.9, 0), edges({wall}), step), EditResult::Done);
    EXPECT_NEAR(AcDbObjectPointer<AcDbArc>(arc, AcDb::kForRead)->endAngle(), std::atan2(4, -3), 1e-9);
    // Objects these commands do not edit.
    AcGePoint3dArray vertices;
    vertices.append(AcGePoint3d(0, 20, 0));
    vertices.append(AcGePoint3d(10, 20, 0));
    const AcDbObjectId pl = add(new AcDb2dPolyline(AcDb2dPolyline::k2dSimplePoly, vertices));
    EXPECT_EQ(arx::host::extendAt(pl, AcGePoint3d(9, 20, 0), edges({wall}), step), EditResult::NotEditable);
    EXPECT_EQ(arx::host::trimAt(pl, AcGePoint3d(9, 20, 0), edges({wall}), step), EditResult::NotEditable);
}

TEST_F(TrimExtend, ObjectsOnLockedLayersStayAsTheyAre)
{
    AcDbLayerTable* layers = nullptr;
    ASSERT_EQ(db.getLayerTable(layers, AcDb::kForWrite), Acad::eOk);
    auto* locked = new AcDbLayerTableRecord();
    locked->setName("FIXED");
    locked->setIsLocked(true);
    AcDbObjectId lockedId;
    ASSERT_EQ(layers->add(lockedId, locked), Acad::eOk);
    locked->close();
    layers->close();
    auto* held = new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(10, 0, 0));
    held->setLayer(lockedId);
    const AcDbObjectId a = add(held), b = line(5, -1, 5, 1);
    EditStep step;
    EXPECT_EQ(arx::host::trimAt(a, AcGePoint3d(9, 0, 0), edges({b}), step), EditResult::OnLockedLayer);
    EXPECT_EQ(arx::host::extendAt(a, AcGePoint3d(9, 0, 0), edges({b}), step), EditResult::OnLockedLayer);
    // An edge on a locked layer still cuts.
    const AcDbObjectId c = line(0, 2, 10, 2), lockedEdge = add([&] {
                                                  auto* edge = new AcDbLine(AcGePoint3d(3, 0, 0), AcGePoint3d(3, 4, 0));
                                                  edge->setLayer(lockedId);
                                                  return edge;
                                              }());
    ASSERT_EQ(arx::host::trimAt(c, AcGePoint3d(1, 2, 0), edges({lockedEdge}), step), EditResult::Done);
    EXPECT_TRUE(start(c).isEqualTo(AcGePoint3d(3, 2, 0)));
}

}  // namespace

// ---- lightweight polylines -----------------------------------------------------------------

namespace {

AcDbPolyline* polylineOf(std::initializer_list<AcGePoint2d> points, std::initializer_list<double> bulges = {},
                         bool closed = false)
{
    auto* polyline = new AcDbPolyline();
    unsigned int i = 0;
    for (const AcGePoint2d& p : points) polyline->addVertexAt(i++, p);
    i = 0;
    for (double bulge : bulges) polyline->setBulgeAt(i++, bulge);
    polyline->setClosed(closed);
    return polyline;
}

// The vertices and bulges of a polyline, each within 1e-9 of those expected.
testing::AssertionResult hasVertices(AcDbObjectId id, std::vector<AcGePoint2d> points, std::vector<double> bulges = {})
{
    AcDbObjectPointer<AcDbPolyline> polyline(id, AcDb::kForRead);
    if (polyline->numVerts() != points.size())
        return testing::AssertionFailure() << polyline->numVerts() << " vertices instead of " << points.size();
    for (unsigned int i = 0; i < points.size(); ++i) {
        AcGePoint2d p;
        double bulge = 0;
        polyline->getPointAt(i, p);
        polyline->getBulgeAt(i, bulge);
        const double expectedBulge = i < bulges.size() ? bulges[i] : 0.0;
        if (p.distanceTo(points[i]) > 1e-9 || std::fabs(bulge - expectedBulge) > 1e-9)
            return testing::AssertionFailure() << "vertex " << i << " is " << p.x << "," << p.y << " bulge " << bulge;
    }
    return testing::AssertionSuccess();
}

}  // namespace

TEST_F(TrimExtend, PolylinesAreTrimmedAroundThePickAndClosedOnesOpen)
{
    const AcDbObjectId pl = add(polylineOf({{0, 0}, {10, 0}, {10, 10}}));
    const AcDbObjectId at3 = line(3, -5, 3, 5), at7 = line(7, -5, 7, 5);
    EditStep step;
    // Between two cuts: split in two, the second part a new polyline like the first.
    ASSERT_EQ(arx::host::trimAt(pl, AcGePoint3d(5, 0, 0), edges({at3, at7}), step), EditResult::Done);
    EXPECT_TRUE(hasVertices(pl, {{0, 0}, {3, 0}}));
    const auto polylines = all<AcDbPolyline>();
    ASSERT_EQ(polylines.size(), 2u);
    EXPECT_TRUE(hasVertices(polylines.back(), {{7, 0}, {10, 0}, {10, 10}}));
    step.undo();
    EXPECT_TRUE(hasVertices(pl, {{0, 0}, {10, 0}, {10, 10}}));
    EXPECT_EQ(all<AcDbPolyline>().size(), 1u);
    // On one side of the only cut: that side goes.
    ASSERT_EQ(arx::host::trimAt(pl, AcGePoint3d(1, 0, 0), edges({at3}), step), EditResult::Done);
    EXPECT_TRUE(hasVertices(pl, {{3, 0}, {10, 0}, {10, 10}}));
    const AcDbObjectId across = line(5, 5, 15, 5);
    ASSERT_EQ(arx::host::trimAt(pl, AcGePoint3d(10, 8, 0), edges({across}), step), EditResult::Done);
    EXPECT_TRUE(hasVertices(pl, {{3, 0}, {10, 0}, {10, 5}}));
    EXPECT_EQ(arx::host::trimAt(pl, AcGePoint3d(10, 2, 0), edges({line(20, 0, 20, 5)}), step), EditResult::NoEdge);

    // A curved segment keeps its circle: the half circle below (0, 20) - (10, 20), cut at its
    // lowest point, keeps a quarter (bulge tan(pi / 8)).
    const AcDbObjectId bowl = add(polylineOf({{0, 20}, {10, 20}}, {1.0}));
    const AcDbObjectId middle = line(5, 0, 5, 30);
    ASSERT_EQ(arx::host::trimAt(bowl, AcGePoint3d(9, 17, 0), edges({middle}), step), EditResult::Done);
    EXPECT_TRUE(hasVertices(bowl, {{0, 20}, {5, 15}}, {std::tan(kPi / 8)}));

    // A closed square cut twice opens: what lies away from the pick is left.
    const AcDbObjectId square = add(polylineOf({{0, 40}, {10, 40}, {10, 50}, {0, 50}}, {}, true));
    const AcDbObjectId split = line(5, 30, 5, 60);
    ASSERT_EQ(arx::host::trimAt(square, AcGePoint3d(0, 45, 0), edges({split}), step), EditResult::Done);
    EXPECT_TRUE(hasVertices(square, {{5, 40}, {10, 40}, {10, 50}, {5, 50}}));
    EXPECT_FALSE(AcDbObjectPointer<AcDbPolyline>(square, AcDb::kForRead)->isClosed());
    step.undo();
    EXPECT_TRUE(AcDbObjectPointer<AcDbPolyline>(square, AcDb::kForRead)->isClosed());
    // Picked across the first vertex, the part through it goes.
    ASSERT_EQ(arx::host::trimAt(square, AcGePoint3d(2, 40, 0), edges({split, line(-5, 45, 15, 45)}), step),
              EditResult::Done);
    EXPECT_TRUE(hasVertices(square, {{5, 40}, {10, 40}, {10, 50}, {0, 50}, {0, 45}}));
}

TEST_F(TrimExtend, PolylinesExtendTheirEndSegmentStraightOrAroundItsCircle)
{
    const AcDbObjectId pl = add(polylineOf({{0, 0}, {10, 0}, {10, 5}}));
    const AcDbObjectId top = line(-5, 20, 15, 20), left = line(-10, -5, -10, 5);
    EditStep step;
    ASSERT_EQ(arx::host::extendAt(pl, AcGePoint3d(10, 4, 0), edges({top, left}), step), EditResult::Done);
    EXPECT_TRUE(hasVertices(pl, {{0, 0}, {10, 0}, {10, 20}}));
    ASSERT_EQ(arx::host::extendAt(pl, AcGePoint3d(1, 0, 0), edges({top, left}), step), EditResult::Done);
    EXPECT_TRUE(hasVertices(pl, {{-10, 0}, {10, 0}, {10, 20}}));
    step.undo();
    EXPECT_TRUE(hasVertices(pl, {{0, 0}, {10, 0}, {10, 20}}));
    EXPECT_EQ(arx::host::extendAt(pl, AcGePoint3d(10, 19, 0), edges({left}), step), EditResult::NoEdgeInThatDirection);

    // The half circle below (0, 30) - (10, 30) runs on counterclockwise past (10, 30) and
    // meets y = 33 at (9, 33); its included angle grows by atan2(3, 4).
    const AcDbObjectId bowl = add(polylineOf({{0, 30}, {10, 30}}, {1.0}));
    const AcDbObjectId shelf = line(0, 33, 20, 33);
    ASSERT_EQ(arx::host::extendAt(bowl, AcGePoint3d(9.9, 29, 0), edges({shelf}), step), EditResult::Done);
    EXPECT_TRUE(hasVertices(bowl, {{0, 30}, {9, 33}}, {std::tan((kPi + std::atan2(3, 4)) / 4)}));
    // Run back from its start, clockwise, it meets the same line at (1, 33).
    ASSERT_EQ(arx::host::extendAt(bowl, AcGePoint3d(0.1, 29, 0), edges({shelf}), step), EditResult::Done);
    EXPECT_TRUE(hasVertices(bowl, {{1, 33}, {9, 33}}, {std::tan((kPi + 2 * std::atan2(3, 4)) / 4)}));

    // A closed polyline has no end to extend.
    const AcDbObjectId closed = add(polylineOf({{0, 50}, {10, 50}, {10, 60}}, {}, true));
    EXPECT_EQ(arx::host::extendAt(closed, AcGePoint3d(10, 59, 0), edges({top}), step), EditResult::NotEditable);
}
