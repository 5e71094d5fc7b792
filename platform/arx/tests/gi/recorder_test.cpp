// The recording world draw: what a drawable emits is kept in world coordinates with the
// traits in force, model transforms and nesting behave, and bad input records nothing.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <numbers>

#include "acgi.h"
#include "dbpl.h"
#include "gi/recording_world_draw.h"

namespace {

using arx::gi::Primitive;
using arx::gi::PrimitiveKind;
using arx::gi::RecordingWorldDraw;

// A drawable whose worldDraw is the test's.
class TestDrawable : public AcGiDrawable {
public:
    explicit TestDrawable(std::function<bool(AcGiWorldDraw*)> body, Adesk::UInt32 attributes = 0)
        : mBody(std::move(body)), mAttributes(attributes)
    {}
    Adesk::UInt32 setAttributes(AcGiDrawableTraits*) override { return mAttributes; }
    Adesk::Boolean worldDraw(AcGiWorldDraw* wd) override { return mBody(wd); }
    void viewportDraw(AcGiViewportDraw*) override {}

private:
    std::function<bool(AcGiWorldDraw*)> mBody;
    Adesk::UInt32 mAttributes;
};

// Draws a drawable through the recorder as a nested drawable of the test.
std::vector<Primitive> record(const std::function<bool(AcGiWorldDraw*)>& body, RecordingWorldDraw& wd)
{
    TestDrawable drawable(body);
    wd.geometry().draw(&drawable);
    return wd.takePrimitives();
}

std::vector<Primitive> record(const std::function<bool(AcGiWorldDraw*)>& body)
{
    RecordingWorldDraw wd;
    return record(body, wd);
}

void expectPoint(const AcGePoint3d& actual, const AcGePoint3d& expected, double tol = 1e-9)
{
    EXPECT_NEAR(actual.x, expected.x, tol);
    EXPECT_NEAR(actual.y, expected.y, tol);
    EXPECT_NEAR(actual.z, expected.z, tol);
}

void expectVector(const AcGeVector3d& actual, const AcGeVector3d& expected)
{
    expectPoint(AcGePoint3d::kOrigin + actual, AcGePoint3d::kOrigin + expected);
}

TEST(Recorder, TraitsStayUntilChangedAndGoWithEachPrimitive)
{
    const AcGePoint3d pts[4] = {{0, 0, 0}, {10, 0, 0}, {10, 5, 0}, {0, 5, 0}};
    const auto prims = record([&](AcGiWorldDraw* wd) {
        AcGiSubEntityTraits& traits = wd->subEntityTraits();
        traits.setSelectionMarker(1);
        traits.setFillType(kAcGiFillNever);
        traits.setColor(5);
        wd->geometry().polyline(4, pts);
        traits.setSelectionMarker(3);
        traits.setFillType(kAcGiFillAlways);
        wd->geometry().polygon(4, pts);
        wd->geometry().circle(pts[0], 1.0, AcGeVector3d::kZAxis);
        return true;
    });
    ASSERT_EQ(prims.size(), 3u);
    EXPECT_EQ(prims[0].kind, PrimitiveKind::Polyline);
    EXPECT_EQ(prims[0].traits.selectionMarker, 1);
    EXPECT_EQ(prims[0].traits.fillType, kAcGiFillNever);
    EXPECT_EQ(prims[0].colorIndex, 5);
    EXPECT_FALSE(prims[0].closed);
    ASSERT_EQ(prims[0].points.size(), 4u);
    expectPoint(prims[0].points[2], pts[2]);
    EXPECT_EQ(prims[1].kind, PrimitiveKind::Polygon);
    EXPECT_TRUE(prims[1].closed);
    EXPECT_EQ(prims[1].traits.selectionMarker, 3);
    EXPECT_EQ(prims[1].traits.fillType, kAcGiFillAlways);
    EXPECT_EQ(prims[2].traits.selectionMarker, 3);
    EXPECT_EQ(prims[2].colorIndex, 5);
}

TEST(Recorder, AnswersTheDrawQuestionsItWasSetUpWith)
{
    RecordingWorldDraw wd;
    EXPECT_FALSE(wd.isDragging());
    EXPECT_EQ(wd.regenType(), kAcGiStandardDisplay);
    EXPECT_FALSE(wd.regenAbort());
    EXPECT_FALSE(wd.context()->isPlotGeneration());
    EXPECT_EQ(wd.context()->database(), nullptr);
    EXPECT_GT(wd.deviation(kAcGiMaxDevForCircle, AcGePoint3d::kOrigin), 0.0);
    wd.setDragging(true);
    wd.setRegenType(kAcGiSaveWorldDrawForProxy);
    wd.setPlotGeneration(true);
    EXPECT_TRUE(wd.isDragging());
    EXPECT_EQ(wd.regenType(), kAcGiSaveWorldDrawForProxy);
    EXPECT_TRUE(wd.context()->isPlotGeneration());
    EXPECT_EQ(wd.rawGeometry(), static_cast<AcGiGeometry*>(&wd.geometry()));

    bool dragSeen = false;
    record([&](AcGiWorldDraw* d) { return dragSeen = d->isDragging(); }, wd);
    EXPECT_TRUE(dragSeen);
}

TEST(Recorder, ModelTransformsCarryWhatFollowsUntilPopped)
{
    const AcGePoint3d origin[1] = {{1, 0, 0}};
    const auto prims = record([&](AcGiWorldDraw* wd) {
        AcGiWorldGeometry& g = wd->geometry();
        g.pushModelTransform(AcGeMatrix3d::translation(AcGeVector3d(10, 0, 0)));
        g.pushModelTransform(AcGeMatrix3d::rotation(std::numbers::pi / 2, AcGeVector3d::kZAxis));
        g.polyline(1, origin);  // rotated first, then moved: (10, 1)
        g.popModelTransform();
        g.polyline(1, origin);  // (11, 0)
        g.popModelTransform();
        g.popModelTransform();  // one pop too many changes nothing
        g.polyline(1, origin);
        // Left pushed: dropped once this drawable is done.
        g.pushModelTransform(AcGeMatrix3d::scaling(5.0));
        return true;
    });
    ASSERT_EQ(prims.size(), 3u);
    expectPoint(prims[0].points[0], {10, 1, 0});
    expectPoint(prims[1].points[0], {11, 0, 0});
    expectPoint(prims[2].points[0], {1, 0, 0});

    RecordingWorldDraw wd;
    record([](AcGiWorldDraw* d) { return d->geometry().pushModelTransform(AcGeMatrix3d::scaling(5.0)); }, wd);
    EXPECT_TRUE(wd.modelTransform().isEqualTo(AcGeMatrix3d::kIdentity));
}

TEST(Recorder, NormalTransformMapsThePlaneOfTheNormal)
{
    const AcGePoint3d local[1] = {{1, 2, 3}};
    const AcGeVector3d normal(0, -1, 0);
    const auto prims = record([&](AcGiWorldDraw* wd) {
        wd->geometry().pushModelTransform(normal);
        wd->geometry().polyline(1, local);
        return true;
    });
    ASSERT_EQ(prims.size(), 1u);
    expectPoint(prims[0].points[0], AcGeMatrix3d::planeToWorld(normal) * local[0]);
}

TEST(Recorder, CirclesAndArcsKeepTheirShapeAndChords)
{
    const auto prims = record([](AcGiWorldDraw* wd) {
        AcGiWorldGeometry& g = wd->geometry();
        g.circle(AcGePoint3d(5, 5, 0), 2.0, AcGeVector3d(0, 0, 3));
        g.circle(AcGePoint3d(1, 0, 0), AcGePoint3d(0, 1, 0), AcGePoint3d(-1, 0, 0));
        g.circle(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 1, 0), AcGePoint3d(2, 2, 0));  // collinear: nothing
        g.circle(AcGePoint3d(0, 0, 0), -1.0, AcGeVector3d::kZAxis);                  // no radius: nothing
        g.circularArc(AcGePoint3d(0, 0, 0), 3.0, AcGeVector3d::kZAxis, AcGeVector3d(0, 2, 0), std::numbers::pi / 2);
        g.circularArc(AcGePoint3d(1, 0, 0), AcGePoint3d(0, -1, 0), AcGePoint3d(-1, 0, 0));
        g.circularArc(AcGePoint3d(0, 0, 0), 1.0, AcGeVector3d::kZAxis, AcGeVector3d::kXAxis, std::numbers::pi / 2,
                      kAcGiArcSector);
        return true;
    });
    ASSERT_EQ(prims.size(), 5u);
    const Primitive& circle = prims[0];
    EXPECT_EQ(circle.kind, PrimitiveKind::Circle);
    EXPECT_TRUE(circle.closed);
    EXPECT_EQ(circle.points.size(), 128u);
    for (const AcGePoint3d& p : circle.points) EXPECT_NEAR((p - AcGePoint3d(5, 5, 0)).length(), 2.0, 1e-12);
    expectVector(circle.normal, AcGeVector3d::kZAxis);

    const Primitive& through = prims[1];
    expectPoint(through.center, {0, 0, 0});
    EXPECT_NEAR(through.radius, 1.0, 1e-12);

    const Primitive& quarter = prims[2];
    EXPECT_EQ(quarter.kind, PrimitiveKind::Arc);
    EXPECT_FALSE(quarter.closed);
    expectPoint(quarter.points.front(), {0, 3, 0});
    expectPoint(quarter.points.back(), {-3, 0, 0});
    EXPECT_NEAR(quarter.sweep, std::numbers::pi / 2, 1e-12);

    // From (1,0) through (0,-1) to (-1,0): the lower half, turning clockwise about +Z, that is
    // counterclockwise about -Z.
    const Primitive& lower = prims[3];
    EXPECT_NEAR(lower.sweep, std::numbers::pi, 1e-12);
    EXPECT_NEAR(lower.normal.z, -1.0, 1e-12);
    for (const AcGePoint3d& p : lower.points) EXPECT_LE(p.y, 1e-12);

    const Primitive& sector = prims[4];
    EXPECT_TRUE(sector.closed);
    expectPoint(sector.points.back(), {0, 0, 0});
}

TEST(Recorder, ShellFacesFollowTheFaceList)
{
    // The solid block of a mark: a face listing A, B, D, C of four vertices.
    const AcGePoint3d v[4] = {{0, 0, 0}, {0, -2, 0}, {10, 0, 0}, {10, -2, 0}};
    const Adesk::Int32 faces[] = {4, 0, 1, 3, 2, -3, 0, 1, 2};
    const Adesk::Int32 badIndex[] = {3, 0, 1, 7, 3, 0, 1, 2};
    const Adesk::Int32 tooLong[] = {9, 0, 1, 2};
    const auto prims = record([&](AcGiWorldDraw* wd) {
        wd->subEntityTraits().setFillType(kAcGiFillAlways);
        wd->geometry().shell(4, v, 9, faces);
        wd->geometry().shell(4, v, 8, badIndex);
        wd->geometry().shell(4, v, 4, tooLong);
        wd->geometry().shell(4, nullptr, 9, faces);
        return true;
    });
    ASSERT_EQ(prims.size(), 2u);
    EXPECT_EQ(prims[0].kind, PrimitiveKind::Face);
    EXPECT_TRUE(prims[0].closed);
    EXPECT_FALSE(prims[0].hole);
    EXPECT_EQ(prims[0].traits.fillType, kAcGiFillAlways);
    ASSERT_EQ(prims[0].points.size(), 4u);
    expectPoint(prims[0].points[2], v[3]);
    expectPoint(prims[0].points[3], v[2]);
    EXPECT_TRUE(prims[1].hole);
    EXPECT_EQ(prims[1].points.size(), 3u);
}

TEST(Recorder, MeshCellsAreFaces)
{
    const AcGePoint3d grid[6] = {{0, 0, 0}, {1, 0, 0}, {2, 0, 0}, {0, 1, 0}, {1, 1, 0}, {2, 1, 1}};
    const auto prims = record([&](AcGiWorldDraw* wd) { return wd->geometry().mesh(2, 3, grid); });
    ASSERT_EQ(prims.size(), 2u);
    expectPoint(prims[1].points[0], grid[1]);
    expectPoint(prims[1].points[2], grid[5]);
}

TEST(Recorder, TextKeepsItsFrameHeightAndMeasuredWidth)
{
    const AcGiTextStyle style("romans.shx", "", 2.0, 1.0, 0.0, 1.0, false, false, false, false, false);
    const double width = style.extents("1:50%%d", true, -1, false).x;
    const auto prims = record([&](AcGiWorldDraw* wd) {
        AcGiWorldGeometry& g = wd->geometry();
        g.text(AcGePoint3d(1, 1, 0), AcGeVector3d::kZAxis, AcGeVector3d(0, 5, 0), "1:50%%d", -1, false, style);
        g.pushModelTransform(AcGeMatrix3d::scaling(3.0));
        g.text(AcGePoint3d(1, 1, 0), AcGeVector3d::kZAxis, AcGeVector3d::kXAxis, "1:50%%d", 4, false, style);
        g.popModelTransform();
        g.text(AcGePoint3d::kOrigin, AcGeVector3d::kZAxis, AcGeVector3d::kXAxis, 1.5, 0.0, 0.0, "AB");
        g.text(AcGePoint3d::kOrigin, AcGeVector3d::kZAxis, AcGeVector3d::kXAxis, nullptr, -1, false, style);
        return true;
    });
    ASSERT_EQ(prims.size(), 3u);
    const Primitive& rotated = prims[0];
    EXPECT_EQ(rotated.kind, PrimitiveKind::Text);
    expectPoint(rotated.points[0], {1, 1, 0});
    expectVector(rotated.text.direction, AcGeVector3d::kYAxis);
    EXPECT_EQ(rotated.text.glyphs, U"1:50\u00B0");
    EXPECT_DOUBLE_EQ(rotated.text.height, 2.0);
    EXPECT_NEAR(rotated.text.width, width, 1e-12);
    EXPECT_EQ(rotated.text.fontName, "romans.shx");

    const Primitive& scaled = prims[1];
    expectPoint(scaled.points[0], {3, 3, 0});
    EXPECT_EQ(scaled.text.text, "1:50");
    EXPECT_NEAR(scaled.text.height, 6.0, 1e-12);
    EXPECT_NEAR(scaled.text.width, 3.0 * style.extents("1:50", true, -1, false).x, 1e-12);

    // The text primitive without a style uses the host's basic font.
    EXPECT_EQ(prims[2].text.fontName, "txt.shx");
    EXPECT_NEAR(prims[2].text.width, 3.0, 1e-12);
}

TEST(Recorder, PlineFollowsBulgesAndSegmentRanges)
{
    AcDbPolyline pline;
    pline.addVertexAt(0, AcGePoint2d(0, 0), 1.0);  // a half circle to (10, 0), centre (5, 0)
    pline.addVertexAt(1, AcGePoint2d(10, 0));
    pline.addVertexAt(2, AcGePoint2d(10, 10));
    const auto prims = record([&](AcGiWorldDraw* wd) {
        wd->geometry().pline(pline);
        wd->geometry().pline(pline, 1, 1);
        wd->geometry().pline(pline, 5);
        return true;
    });
    ASSERT_EQ(prims.size(), 2u);
    const Primitive& whole = prims[0];
    EXPECT_FALSE(whole.closed);
    expectPoint(whole.points.front(), {0, 0, 0});
    expectPoint(whole.points.back(), {10, 10, 0});
    ASSERT_GT(whole.points.size(), 60u);
    for (size_t i = 0; i + 1 < whole.points.size(); ++i) {
        // Bulge 1 turns counterclockwise from (0,0) to (10,0): the arc passes below.
        EXPECT_NEAR((whole.points[i] - AcGePoint3d(5, 0, 0)).length(), 5.0, 1e-9);
        EXPECT_LE(whole.points[i].y, 1e-9);
    }
    ASSERT_EQ(prims[1].points.size(), 2u);
    expectPoint(prims[1].points[1], {10, 10, 0});

    pline.setClosed(true);
    const auto closed = record([&](AcGiWorldDraw* wd) { return wd->geometry().pline(pline); });
    ASSERT_EQ(closed.size(), 1u);
    EXPECT_TRUE(closed[0].closed);
    expectPoint(closed[0].points.back(), {10, 10, 0});
}

TEST(Recorder, SegmentMarkersNumberEachSegment)
{
    const AcGePoint3d pts[3] = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}};
    const auto prims = record([&](AcGiWorldDraw* wd) {
        wd->subEntityTraits().setSelectionMarker(9);
        wd->geometry().polyline(3, pts, nullptr, 20);
        wd->geometry().polyline(3, pts);
        return true;
    });
    ASSERT_EQ(prims.size(), 3u);
    EXPECT_EQ(prims[0].traits.selectionMarker, 20);
    EXPECT_EQ(prims[1].traits.selectionMarker, 21);
    EXPECT_EQ(prims[2].traits.selectionMarker, 9);
}

TEST(Recorder, BadInputRecordsNothing)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const AcGePoint3d bad[2] = {{0, 0, 0}, {nan, 1, 0}};
    const AcGePoint3d same[1] = {{2, 2, 2}};
    const auto prims = record([&](AcGiWorldDraw* wd) {
        AcGiWorldGeometry& g = wd->geometry();
        g.polyline(2, bad);
        g.polyline(0, same);
        g.polygon(3, nullptr);
        g.circle(AcGePoint3d::kOrigin, nan, AcGeVector3d::kZAxis);
        g.xline(same[0], same[0]);
        g.ray(same[0], same[0]);
        g.mesh(1, 5, same);
        g.draw(nullptr);
        return true;
    });
    EXPECT_TRUE(prims.empty());
}

TEST(Recorder, ADrawableThatDrawsItselfStopsAtTheNestingLimit)
{
    RecordingWorldDraw wd;
    int depth = 0;
    const AcGePoint3d pt[1] = {{0, 0, 0}};
    TestDrawable self([&](AcGiWorldDraw* d) {
        ++depth;
        d->geometry().polyline(1, pt);
        return d->geometry().draw(&self);
    });
    wd.geometry().draw(&self);
    EXPECT_GT(depth, 1);
    EXPECT_LE(depth, 64);
    EXPECT_EQ(wd.primitives().size(), static_cast<size_t>(depth));
}

TEST(Recorder, AnInvisibleDrawableIsNotDrawn)
{
    RecordingWorldDraw wd;
    bool drawn = false;
    TestDrawable hidden([&](AcGiWorldDraw*) { return drawn = true; }, AcGiDrawable::kDrawableIsInvisible);
    wd.geometry().draw(&hidden);
    EXPECT_FALSE(drawn);
}

}  // namespace
