// What TRIM and EXTEND do to one object, on a drawing of their own: lines and arcs cut on
// one side or split, circles left as arcs, lines and arcs drawn out to the nearest edge,
// objects in space against edges seen from above, implied edges, and each change taken back.
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
    AcDbPolyline* polyline = new AcDbPolyline();
    polyline->addVertexAt(0, AcGePoint2d(0, 20));
    polyline->addVertexAt(1, AcGePoint2d(10, 20));
    const AcDbObjectId pl = add(polyline);
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
