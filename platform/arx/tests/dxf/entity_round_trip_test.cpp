// Each entity type keeps every field through a drawing file and through a copy (the DWG
// filers), groups a class does not model come back, and the geometry protocol behaves.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "dbents.h"
#include "dbpl.h"
#include "dbsymtb.h"
#include "drawing_test_support.h"

using namespace dxftest;

namespace {

// A new drawing with the entity in model space; returns the entity's handle.
std::string addToModelSpace(AcDbDatabase& db, AcDbEntity* entity)
{
    AcDbBlockTable* table = nullptr;
    EXPECT_EQ(db.getBlockTable(table, AcDb::kForRead), Acad::eOk);
    AcDbBlockTableRecord* model = nullptr;
    EXPECT_EQ(table->getAt(ACDB_MODEL_SPACE, model, AcDb::kForWrite), Acad::eOk);
    table->close();
    EXPECT_EQ(model->appendAcDbEntity(entity), Acad::eOk);
    model->close();
    AcDbHandle handle;
    entity->getAcDbHandle(handle);
    entity->close();
    char text[20];
    handle.getIntoAsciiBuffer(text);
    return text;
}

// Saves, reopens and hands the reopened entity to `check`; then checks a clone the same way.
template <class T>
void roundTrip(T* entity, const std::function<void(const T&)>& check)
{
    AcDbDatabase db(true, true);
    const std::string handle = addToModelSpace(db, entity);
    std::unique_ptr<AcDbDatabase> reopened = readDatabase(writeDatabase(&db));
    ASSERT_TRUE(reopened);
    T* read = nullptr;
    ASSERT_EQ(acdbOpenObject(read, idOfHandle(reopened.get(), handle), AcDb::kForRead), Acad::eOk);
    check(*read);
    T* copy = T::cast(read->clone());
    read->close();
    ASSERT_NE(copy, nullptr);
    check(*copy);
    delete copy;
}

}  // namespace

TEST(EntityRoundTrip, Line)
{
    auto* line = new AcDbLine(AcGePoint3d(1, 2, 3), AcGePoint3d(4.5, -6, 0.1));
    line->setThickness(2.5);
    line->setNormal(AcGeVector3d(0, 1, 1));
    roundTrip<AcDbLine>(line, [](const AcDbLine& l) {
        EXPECT_EQ(l.startPoint(), AcGePoint3d(1, 2, 3));
        EXPECT_EQ(l.endPoint(), AcGePoint3d(4.5, -6, 0.1));
        EXPECT_DOUBLE_EQ(l.thickness(), 2.5);
        EXPECT_TRUE(l.normal().isEqualTo(AcGeVector3d(0, 1, 1).normal()));
    });
}

TEST(EntityRoundTrip, CircleAndArcInATiltedPlaneKeepWorldGeometry)
{
    const AcGeVector3d normal = AcGeVector3d(1, 2, 3).normal();
    roundTrip<AcDbCircle>(new AcDbCircle(AcGePoint3d(10, 20, 30), normal, 4.25), [&](const AcDbCircle& c) {
        EXPECT_TRUE(c.center().isEqualTo(AcGePoint3d(10, 20, 30)));
        EXPECT_DOUBLE_EQ(c.radius(), 4.25);
        EXPECT_TRUE(c.normal().isEqualTo(normal));
    });
    roundTrip<AcDbArc>(new AcDbArc(AcGePoint3d(-1, 5, 2), normal, 3, 0.5, 4.0), [&](const AcDbArc& a) {
        EXPECT_TRUE(a.center().isEqualTo(AcGePoint3d(-1, 5, 2)));
        EXPECT_NEAR(a.startAngle(), 0.5, 1e-12);
        EXPECT_NEAR(a.endAngle(), 4.0, 1e-12);
        EXPECT_NEAR(a.totalAngle(), 3.5, 1e-12);
    });
}

TEST(EntityRoundTrip, LightweightPolylineWithBulgesWidthsAndPlane)
{
    auto* polyline = new AcDbPolyline;
    polyline->addVertexAt(0, AcGePoint2d(0, 0), 0.5, 0.1, 0.2);
    polyline->addVertexAt(1, AcGePoint2d(10, 0), 0, 0.3, 0.4);
    polyline->addVertexAt(2, AcGePoint2d(10, 5));
    polyline->setClosed(true);
    polyline->setElevation(7);
    polyline->setNormal(AcGeVector3d(0, 0, -1));
    roundTrip<AcDbPolyline>(polyline, [](const AcDbPolyline& p) {
        ASSERT_EQ(p.numVerts(), 3u);
        AcGePoint2d point;
        double bulge = 0, start = 0, end = 0;
        p.getPointAt(1, point);
        EXPECT_EQ(point, AcGePoint2d(10, 0));
        p.getBulgeAt(0, bulge);
        EXPECT_DOUBLE_EQ(bulge, 0.5);
        p.getWidthsAt(1, start, end);
        EXPECT_DOUBLE_EQ(start, 0.3);
        EXPECT_DOUBLE_EQ(end, 0.4);
        EXPECT_TRUE(p.isClosed());
        EXPECT_DOUBLE_EQ(p.elevation(), 7);
        EXPECT_TRUE(p.normal().isEqualTo(AcGeVector3d(0, 0, -1)));
    });
}

TEST(EntityRoundTrip, ViewportKeepsEveryViewMemberButNotItsNumber)
{
    auto* viewport = new AcDbViewport;
    viewport->setCenterPoint(AcGePoint3d(150, 100, 0));
    viewport->setWidth(120);
    viewport->setHeight(80);
    viewport->setViewCenter(AcGePoint2d(12.5, -3));
    viewport->setViewHeight(400);
    viewport->setViewDirection(AcGeVector3d(1, -1, 1));
    viewport->setViewTarget(AcGePoint3d(5, 6, 7));
    viewport->setTwistAngle(0.3);
    viewport->setLensLength(85);
    viewport->setFrontClipDistance(12);
    viewport->setBackClipDistance(-30);
    viewport->setFrontClipOn();
    viewport->setBackClipOn();
    viewport->setPerspectiveOn();
    viewport->setUcsFollowModeOn();
    viewport->setLocked();
    viewport->setNonRectClipOn();
    viewport->setOn();
    viewport->setViewportId(3);
    viewport->setNumber(3);
    roundTrip<AcDbViewport>(viewport, [](const AcDbViewport& v) {
        EXPECT_EQ(v.centerPoint(), AcGePoint3d(150, 100, 0));
        EXPECT_DOUBLE_EQ(v.width(), 120);
        EXPECT_DOUBLE_EQ(v.height(), 80);
        EXPECT_EQ(v.viewCenter(), AcGePoint2d(12.5, -3));
        EXPECT_DOUBLE_EQ(v.viewHeight(), 400);
        EXPECT_TRUE(v.viewDirection().isEqualTo(AcGeVector3d(1, -1, 1)));
        EXPECT_EQ(v.viewTarget(), AcGePoint3d(5, 6, 7));
        EXPECT_NEAR(v.twistAngle(), 0.3, 1e-12);
        EXPECT_DOUBLE_EQ(v.lensLength(), 85);
        EXPECT_DOUBLE_EQ(v.frontClipDistance(), 12);
        EXPECT_DOUBLE_EQ(v.backClipDistance(), -30);
        EXPECT_TRUE(v.isFrontClipOn());
        EXPECT_TRUE(v.isBackClipOn());
        EXPECT_TRUE(v.isPerspectiveOn());
        EXPECT_TRUE(v.isUcsFollowModeOn());
        EXPECT_TRUE(v.isLocked());
        EXPECT_TRUE(v.isNonRectClipOn());
        EXPECT_TRUE(v.isOn());
        EXPECT_EQ(v.viewportId(), 3);
        EXPECT_EQ(v.viewMode(), 1 | 2 | 4 | 8);
    });
}

TEST(EntityRoundTrip, ViewportStatusGroupsFollowTheHostsNumbers)
{
    AcDbViewport viewport;
    EXPECT_EQ(viewport.number(), -1);
    EXPECT_FALSE(viewport.isOn());
    viewport.setViewportId(2);
    viewport.setOn();
    EXPECT_TRUE(viewport.isOn());
    EXPECT_EQ(viewport.status(), 2);
    viewport.setOff();
    EXPECT_FALSE(viewport.isOn());
    EXPECT_EQ(viewport.status(), 0);
}

TEST(EntityRoundTrip, GroupsAClassDoesNotModelAreWrittenBack)
{
    const std::string text =
        "  0\nSECTION\n  2\nENTITIES\n  0\nLINE\n  5\n2A\n100\nAcDbEntity\n  8\n0\n100\nAcDbLine\n"
        " 10\n1.0\n 20\n2.0\n 30\n0.0\n 11\n4.0\n 21\n6.0\n 31\n0.0\n 73\n     5\n  0\nENDSEC\n  0\nEOF\n";
    std::unique_ptr<AcDbDatabase> db = readDatabase(text);
    ASSERT_TRUE(db);
    const auto records = recordsByHandle(writeDatabase(db.get()));
    ASSERT_TRUE(records.count("2A"));
    bool found = false;
    for (const auto& group : records.at("2A").groups) found |= group.code == 73 && group.value == "     5";
    EXPECT_TRUE(found);
}

TEST(EntityGeometry, LineIntersectionsOsnapsAndGrips)
{
    AcDbLine a(AcGePoint3d(0, 0, 0), AcGePoint3d(10, 10, 0));
    AcDbLine b(AcGePoint3d(0, 10, 0), AcGePoint3d(4, 6, 0));
    AcGePoint3dArray points;
    EXPECT_EQ(a.intersectWith(&b, AcDb::kOnBothOperands, points), Acad::eOk);
    EXPECT_EQ(points.length(), 0);  // b stops short
    EXPECT_EQ(a.intersectWith(&b, AcDb::kExtendArg, points), Acad::eOk);
    ASSERT_EQ(points.length(), 1);
    EXPECT_TRUE(points[0].isEqualTo(AcGePoint3d(5, 5, 0)));

    AcDbCircle circle(AcGePoint3d(5, 5, 0), AcGeVector3d::kZAxis, 2);
    points.setLogicalLength(0);
    EXPECT_EQ(a.intersectWith(&circle, AcDb::kOnBothOperands, points), Acad::eOk);
    EXPECT_EQ(points.length(), 2);

    AcGePoint3dArray snaps;
    AcDbIntArray ids;
    a.getOsnapPoints(AcDb::kOsModeMid, 0, AcGePoint3d(), AcGePoint3d(), AcGeMatrix3d(), snaps, ids);
    ASSERT_EQ(snaps.length(), 1);
    EXPECT_TRUE(snaps[0].isEqualTo(AcGePoint3d(5, 5, 0)));

    AcDbIntArray grip;
    grip.append(2);
    a.moveGripPointsAt(grip, AcGeVector3d(1, 0, 0));
    EXPECT_EQ(a.endPoint(), AcGePoint3d(11, 10, 0));
    EXPECT_EQ(a.intersectWith(nullptr, AcDb::kOnBothOperands, points), Acad::eNullEntityPointer);
}

TEST(EntityGeometry, PolylineExplodesIntoLinesAndArcsAndHasExtents)
{
    AcDbPolyline polyline;
    polyline.addVertexAt(0, AcGePoint2d(0, 0), 1.0);  // a half circle to (10, 0), below the chord
    polyline.addVertexAt(1, AcGePoint2d(10, 0));
    polyline.addVertexAt(2, AcGePoint2d(10, 10));
    AcDbVoidPtrArray parts;
    ASSERT_EQ(polyline.explode(parts), Acad::eOk);
    ASSERT_EQ(parts.length(), 2);
    auto* arc = AcDbArc::cast(static_cast<AcDbEntity*>(parts[0]));
    ASSERT_NE(arc, nullptr);
    EXPECT_NEAR(arc->radius(), 5, 1e-9);
    EXPECT_NE(AcDbLine::cast(static_cast<AcDbEntity*>(parts[1])), nullptr);
    for (int i = 0; i < parts.length(); ++i) delete static_cast<AcDbEntity*>(parts[i]);
    AcDbExtents extents;
    ASSERT_EQ(polyline.getGeomExtents(extents), Acad::eOk);
    EXPECT_NEAR(extents.minPoint().y, -5, 1e-9);
    EXPECT_NEAR(extents.maxPoint().y, 10, 1e-9);
}

TEST(EntityGeometry, CircleRefusesNonUniformScaleAndArcMirrorsKeepItsEnds)
{
    AcDbCircle circle(AcGePoint3d(0, 0, 0), AcGeVector3d::kZAxis, 1);
    AcGeMatrix3d stretch;
    stretch(0, 0) = 2;
    EXPECT_EQ(circle.transformBy(stretch), Acad::eNotApplicable);
    AcDbArc arc(AcGePoint3d(0, 0, 0), 1, 0, M_PI / 2);
    AcGePoint3d start, end;
    arc.getStartPoint(start);
    arc.getEndPoint(end);
    AcGeMatrix3d mirror;
    mirror(0, 0) = -1;  // mirror in the YZ plane
    ASSERT_EQ(arc.transformBy(mirror), Acad::eOk);
    AcGePoint3d newStart, newEnd;
    arc.getStartPoint(newStart);
    arc.getEndPoint(newEnd);
    EXPECT_TRUE(newEnd.isEqualTo(AcGePoint3d(-start.x, start.y, 0)));
    EXPECT_TRUE(newStart.isEqualTo(AcGePoint3d(-end.x, end.y, 0)));
}
