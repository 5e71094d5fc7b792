// The built-in entities drawn through the recording world draw: their geometry in world
// coordinates, their properties as traits, block references as their block's entities in
// place with BYBLOCK and layer "0" resolved, viewports as their frame.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "dbapserv.h"
#include "dbents.h"
#include "dbmain.h"
#include "dbpl.h"
#include "dbsymtb.h"
#include "gi/recording_world_draw.h"

namespace {

using arx::gi::Primitive;
using arx::gi::PrimitiveKind;
using arx::gi::RecordingWorldDraw;

class EntityDrawingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        db = new AcDbDatabase();
        acdbHostApplicationServices()->setWorkingDatabase(db);
    }
    void TearDown() override
    {
        acdbHostApplicationServices()->setWorkingDatabase(nullptr);
        delete db;
    }

    AcDbObjectId blockNamed(const char* name)
    {
        AcDbBlockTable* table = nullptr;
        EXPECT_EQ(db->getBlockTable(table, AcDb::kForRead), Acad::eOk);
        AcDbObjectId id;
        table->getAt(name, id);
        table->close();
        return id;
    }

    AcDbObjectId addBlock(const char* name, const AcGePoint3d& origin)
    {
        AcDbBlockTable* table = nullptr;
        EXPECT_EQ(db->getBlockTable(table, AcDb::kForWrite), Acad::eOk);
        auto* record = new AcDbBlockTableRecord();
        record->setName(name);
        record->setOrigin(origin);
        AcDbObjectId id;
        EXPECT_EQ(table->add(id, record), Acad::eOk);
        record->close();
        table->close();
        return id;
    }

    AcDbObjectId addLayer(const char* name, Adesk::UInt16 color)
    {
        AcDbLayerTable* table = nullptr;
        EXPECT_EQ(db->getLayerTable(table, AcDb::kForWrite), Acad::eOk);
        auto* record = new AcDbLayerTableRecord();
        record->setName(name);
        AcCmColor c;
        c.setColorIndex(color);
        record->setColor(c);
        AcDbObjectId id;
        EXPECT_EQ(table->add(id, record), Acad::eOk);
        record->close();
        table->close();
        return id;
    }

    // Appends the entity to the block (model space by default) and closes it.
    AcDbObjectId append(AcDbEntity* entity, AcDbObjectId block = AcDbObjectId())
    {
        if (block.isNull()) block = blockNamed(ACDB_MODEL_SPACE);
        AcDbBlockTableRecord* record = nullptr;
        EXPECT_EQ(acdbOpenObject(record, block, AcDb::kForWrite), Acad::eOk);
        AcDbObjectId id;
        EXPECT_EQ(record->appendAcDbEntity(id, entity), Acad::eOk);
        entity->close();
        record->close();
        return id;
    }

    std::vector<Primitive> draw(AcDbObjectId id)
    {
        RecordingWorldDraw wd;
        bool result = false;
        EXPECT_EQ(wd.drawEntity(id, &result), Acad::eOk);
        EXPECT_TRUE(result);
        return wd.takePrimitives();
    }

    static void expectPoint(const AcGePoint3d& actual, const AcGePoint3d& expected, double tol = 1e-9)
    {
        EXPECT_NEAR(actual.x, expected.x, tol);
        EXPECT_NEAR(actual.y, expected.y, tol);
        EXPECT_NEAR(actual.z, expected.z, tol);
    }

    AcDbDatabase* db = nullptr;
};

TEST_F(EntityDrawingTest, ALineIsOneSegmentWithTheEntitysTraits)
{
    const AcDbObjectId red = addLayer("RED", 1);
    auto* line = new AcDbLine(AcGePoint3d(1, 2, 3), AcGePoint3d(4, 6, 3));
    line->setLayer(red);
    const AcDbObjectId id = append(line);
    const auto prims = draw(id);
    ASSERT_EQ(prims.size(), 1u);
    const Primitive& p = prims[0];
    EXPECT_EQ(p.kind, PrimitiveKind::Polyline);
    ASSERT_EQ(p.points.size(), 2u);
    expectPoint(p.points[0], {1, 2, 3});
    expectPoint(p.points[1], {4, 6, 3});
    EXPECT_EQ(p.traits.color, 256);
    EXPECT_EQ(p.colorIndex, 1);  // BYLAYER: the layer's colour
    EXPECT_EQ(p.layer, red);
    EXPECT_EQ(p.entity, id);
    EXPECT_EQ(p.traits.selectionMarker, 0);
    EXPECT_EQ(p.traits.fillType, kAcGiFillNever);
}

TEST_F(EntityDrawingTest, CirclesAndArcsDrawInTheirPlane)
{
    auto* circle = new AcDbCircle(AcGePoint3d(10, 0, 0), AcGeVector3d::kZAxis, 4.0);
    circle->setDatabaseDefaults(db);
    circle->setColorIndex(3);
    const auto circles = draw(append(circle));
    ASSERT_EQ(circles.size(), 1u);
    EXPECT_EQ(circles[0].kind, PrimitiveKind::Circle);
    EXPECT_EQ(circles[0].colorIndex, 3);
    EXPECT_NEAR(circles[0].radius, 4.0, 1e-12);
    for (const AcGePoint3d& p : circles[0].points) EXPECT_NEAR((p - AcGePoint3d(10, 0, 0)).length(), 4.0, 1e-9);

    const auto arcs = draw(append(new AcDbArc(AcGePoint3d(0, 0, 0), 2.0, 0.0, std::numbers::pi / 2)));
    ASSERT_EQ(arcs.size(), 1u);
    EXPECT_EQ(arcs[0].kind, PrimitiveKind::Arc);
    expectPoint(arcs[0].points.front(), {2, 0, 0});
    expectPoint(arcs[0].points.back(), {0, 2, 0});

    // An arc whose normal points down turns the other way as seen from above.
    const auto tilted =
        draw(append(new AcDbArc(AcGePoint3d(0, 0, 0), -AcGeVector3d::kZAxis, 1.0, 0.0, std::numbers::pi / 2)));
    ASSERT_EQ(tilted.size(), 1u);
    for (const AcGePoint3d& p : tilted[0].points) EXPECT_NEAR(p.z, 0.0, 1e-12);
    const AcGePoint3d mid = tilted[0].points[tilted[0].points.size() / 2];
    EXPECT_NEAR(std::fabs(mid.x), std::sqrt(0.5), 1e-6);
    EXPECT_NEAR(std::fabs(mid.y), std::sqrt(0.5), 1e-6);
}

// All the points a drawing gave, in order.
std::vector<AcGePoint3d> allPoints(const std::vector<Primitive>& prims)
{
    std::vector<AcGePoint3d> points;
    for (const Primitive& p : prims) points.insert(points.end(), p.points.begin(), p.points.end());
    return points;
}

TEST_F(EntityDrawingTest, PolylinesFollowTheirVerticesAndBulges)
{
    auto* pline = new AcDbPolyline();
    pline->addVertexAt(0, AcGePoint2d(0, 0), 1.0);
    pline->addVertexAt(1, AcGePoint2d(10, 0));
    pline->addVertexAt(2, AcGePoint2d(10, 10));
    pline->setElevation(2.0);
    const auto points = allPoints(draw(append(pline)));
    ASSERT_GT(points.size(), 10u);
    expectPoint(points.front(), {0, 0, 2});
    expectPoint(points.back(), {10, 10, 2});
    bool below = false;
    for (const AcGePoint3d& p : points) below = below || p.y < -4.9;
    EXPECT_TRUE(below);  // the bulge swings down to (5, -5)
}

TEST_F(EntityDrawingTest, OldStylePolylinesDrawTheirVertices)
{
    auto* poly2d = new AcDb2dPolyline();
    poly2d->makeClosed();
    const AcDbObjectId id2d = append(poly2d);
    AcDb2dPolyline* open2d = nullptr;
    ASSERT_EQ(acdbOpenObject(open2d, id2d, AcDb::kForWrite), Acad::eOk);
    for (const AcGePoint3d& p : {AcGePoint3d(0, 0, 0), AcGePoint3d(5, 0, 0), AcGePoint3d(5, 5, 0)}) {
        auto* vertex = new AcDb2dVertex(p, p.x == 0 ? 0.5 : 0.0);
        EXPECT_EQ(open2d->appendVertex(vertex), Acad::eOk);
        vertex->close();
    }
    open2d->close();
    const auto points2d = allPoints(draw(id2d));
    ASSERT_GT(points2d.size(), 3u);
    expectPoint(points2d.front(), {0, 0, 0});
    bool reachesCorner = false;
    for (const AcGePoint3d& p : points2d) reachesCorner = reachesCorner || p.isEqualTo(AcGePoint3d(5, 5, 0));
    EXPECT_TRUE(reachesCorner);

    auto* poly3d = new AcDb3dPolyline();
    const AcDbObjectId id3d = append(poly3d);
    AcDb3dPolyline* open3d = nullptr;
    ASSERT_EQ(acdbOpenObject(open3d, id3d, AcDb::kForWrite), Acad::eOk);
    for (const AcGePoint3d& p : {AcGePoint3d(0, 0, 0), AcGePoint3d(1, 2, 3), AcGePoint3d(4, 5, 6)}) {
        auto* vertex = new AcDb3dPolylineVertex(p);
        EXPECT_EQ(open3d->appendVertex(vertex), Acad::eOk);
        vertex->close();
    }
    open3d->close();
    const auto points3d = allPoints(draw(id3d));
    ASSERT_EQ(points3d.size(), 3u);
    expectPoint(points3d[1], {1, 2, 3});
    expectPoint(points3d[2], {4, 5, 6});
}

// A polyline made with its vertices and then added to the drawing shows them, as one whose
// vertices were appended one by one does.
TEST_F(EntityDrawingTest, PolylinesMadeWithTheirVerticesDrawThem)
{
    AcGePoint3dArray corners;
    corners.append(AcGePoint3d(0, 0, 0));
    corners.append(AcGePoint3d(5, 0, 0));
    corners.append(AcGePoint3d(5, 5, 0));
    const auto poly2d = allPoints(draw(append(new AcDb2dPolyline(AcDb2dPolyline::k2dSimplePoly, corners, 0, true))));
    EXPECT_GE(poly2d.size(), 3u);
    const auto poly3d = allPoints(draw(append(new AcDb3dPolyline(AcDb3dPolyline::k3dSimplePoly, corners))));
    EXPECT_EQ(poly3d.size(), 3u);
}

TEST_F(EntityDrawingTest, ABlockReferenceDrawsItsBlockInPlace)
{
    const AcDbObjectId insertLayer = addLayer("INSERTS", 4);
    const AcDbObjectId ownLayer = addLayer("OWN", 6);
    const AcDbObjectId block = addBlock("PART", AcGePoint3d(1, 0, 0));
    auto* byBlock = new AcDbLine(AcGePoint3d(1, 0, 0), AcGePoint3d(2, 0, 0));
    byBlock->setDatabaseDefaults(db);
    byBlock->setColorIndex(0);
    append(byBlock, block);  // layer "0", BYBLOCK: takes the reference's colour and layer
    auto* own = new AcDbLine(AcGePoint3d(1, 0, 0), AcGePoint3d(1, 1, 0));
    own->setLayer(ownLayer);
    append(own, block);  // its own layer, BYLAYER

    auto* ref = new AcDbBlockReference(AcGePoint3d(100, 50, 0), block);
    ref->setRotation(std::numbers::pi / 2);
    ref->setScaleFactors(AcGeScale3d(2.0));
    ref->setLayer(insertLayer);
    ref->setColorIndex(1);
    const AcDbObjectId refId = append(ref);

    const auto prims = draw(refId);
    ASSERT_EQ(prims.size(), 2u);
    // The block's origin lands on the position; block X turns to world Y and doubles.
    expectPoint(prims[0].points[0], {100, 50, 0});
    expectPoint(prims[0].points[1], {100, 52, 0});
    EXPECT_EQ(prims[0].colorIndex, 1);
    EXPECT_EQ(prims[0].layer, insertLayer);
    EXPECT_EQ(prims[0].entity, refId);
    ASSERT_EQ(prims[0].enclosingLayers.size(), 1u);
    EXPECT_EQ(prims[0].enclosingLayers[0], insertLayer);
    expectPoint(prims[1].points[1], {98, 50, 0});
    EXPECT_EQ(prims[1].colorIndex, 6);
    EXPECT_EQ(prims[1].layer, ownLayer);

    // A reference to a block that holds a reference to itself ends.
    append(new AcDbBlockReference(AcGePoint3d(0, 0, 0), block), block);
    RecordingWorldDraw wd;
    EXPECT_EQ(wd.drawEntity(refId), Acad::eOk);
    EXPECT_GT(wd.primitives().size(), 2u);
}

TEST_F(EntityDrawingTest, AViewportDrawsItsFrameUnlessAnEntityClipsIt)
{
    auto* vp = new AcDbViewport();
    vp->setCenterPoint(AcGePoint3d(50, 40, 0));
    vp->setWidth(20);
    vp->setHeight(10);
    const AcDbObjectId id = append(vp, blockNamed(ACDB_PAPER_SPACE));
    const auto points = allPoints(draw(id));
    ASSERT_GE(points.size(), 4u);
    for (const AcGePoint3d& corner :
         {AcGePoint3d(40, 35, 0), AcGePoint3d(60, 35, 0), AcGePoint3d(60, 45, 0), AcGePoint3d(40, 45, 0)}) {
        bool found = false;
        for (const AcGePoint3d& p : points) found = found || p.isEqualTo(corner);
        EXPECT_TRUE(found) << corner.x << "," << corner.y;
    }

    AcDbViewport* open = nullptr;
    ASSERT_EQ(acdbOpenObject(open, id, AcDb::kForWrite), Acad::eOk);
    auto* clip = new AcDbCircle(AcGePoint3d(50, 40, 0), AcGeVector3d::kZAxis, 4.0);
    const AcDbObjectId clipId = append(clip, blockNamed(ACDB_PAPER_SPACE));
    open->setNonRectClipEntityId(clipId);
    open->setNonRectClipOn();
    open->close();
    EXPECT_TRUE(draw(id).empty());
}

TEST_F(EntityDrawingTest, InvisibleEntitiesAndMissingIdsDrawNothing)
{
    auto* line = new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0));
    line->setVisibility(AcDb::kInvisible);
    EXPECT_TRUE(draw(append(line)).empty());

    RecordingWorldDraw wd;
    EXPECT_NE(wd.drawEntity(AcDbObjectId()), Acad::eOk);
    EXPECT_TRUE(wd.drawEntity(static_cast<AcDbEntity*>(nullptr)));
    EXPECT_TRUE(wd.primitives().empty());
}

}  // namespace
