// The view edits behind ZOOM, DVIEW and MVIEW, and the answers their first prompts take.
#include <cmath>

#include "dbobjptr.h"
#include "dbpl.h"
#include "dbsymtb.h"
#include "db/symbol_lookup.h"
#include "ed/views_edit.h"
#include "ed/views_input.h"
#include "ed/views_mview.h"
#include "ge_test_support.h"
#include "views_fixture.h"

using namespace viewstest;
using namespace ge_test;
using arx::views::ViewAnswer;
using arx::views::Viewport;

namespace {

AcDbObjectId appendTo(AcDbObjectId blockId, AcDbEntity* ent)
{
    AcDbObjectPointer<AcDbBlockTableRecord> block(blockId, AcDb::kForWrite);
    AcDbObjectId id;
    EXPECT_EQ(block->appendAcDbEntity(id, ent), Acad::eOk);
    ent->close();
    return id;
}

AcDbObjectId modelSpace(AcDbDatabase* db) { return arx::db::findRecord(db->blockTableId(), ACDB_MODEL_SPACE); }

AcDbObjectId square(AcDbDatabase* db, double x, double y, double size, bool closed)
{
    auto* pl = new AcDbPolyline();
    pl->addVertexAt(0, AcGePoint2d(x, y));
    pl->addVertexAt(1, AcGePoint2d(x + size, y));
    pl->addVertexAt(2, AcGePoint2d(x + size, y + size));
    pl->addVertexAt(3, AcGePoint2d(x, y + size));
    pl->setClosed(closed);
    return appendTo(db->currentSpaceId(), pl);
}

}  // namespace

TEST(ViewAnswers, PointsNumbersScalesAndKeywords)
{
    ViewAnswer a;
    ASSERT_TRUE(arx::views::parseViewAnswer("1.5,-2", "All Center", a));
    EXPECT_EQ(a.kind, ViewAnswer::Kind::Point);
    EXPECT_TRUE(near(a.point, AcGePoint3d(1.5, -2, 0)));
    ASSERT_TRUE(arx::views::parseViewAnswer("1,2,3", "", a));
    EXPECT_TRUE(near(a.point, AcGePoint3d(1, 2, 3)));
    ASSERT_TRUE(arx::views::parseViewAnswer("2", "", a));
    EXPECT_EQ(a.kind, ViewAnswer::Kind::Number);
    EXPECT_EQ(a.scale, ViewAnswer::Scale::Plain);
    ASSERT_TRUE(arx::views::parseViewAnswer("0.5x", "", a));
    EXPECT_EQ(a.scale, ViewAnswer::Scale::Current);
    EXPECT_DOUBLE_EQ(a.number, 0.5);
    ASSERT_TRUE(arx::views::parseViewAnswer(".01XP", "", a));
    EXPECT_EQ(a.scale, ViewAnswer::Scale::Paper);
    EXPECT_DOUBLE_EQ(a.number, 0.01);
    ASSERT_TRUE(arx::views::parseViewAnswer("_C", "All Center", a));
    EXPECT_EQ(a.keyword, "Center");
    ASSERT_TRUE(arx::views::parseViewAnswer("a", "All Center", a));
    EXPECT_EQ(a.keyword, "All");
    for (const char* bad : {"", "x", "xp", "2xx", "1,2,3,4", "1,", "Q", " 2", "1e999"})
        EXPECT_FALSE(arx::views::parseViewAnswer(bad, "All Center", a)) << bad;
}

TEST_F(ViewsTest, ZoomsKeepTheViewportsAspectAndPaperScale)
{
    const AcDbObjectId id = addViewport(AcGePoint3d(10, 10, 0), 8, 4);  // aspect 2
    Viewport vp;
    ASSERT_EQ(arx::views::readViewport(id, vp), Acad::eOk);
    // A tall window sets the height, a wide one the width.
    ASSERT_EQ(arx::views::zoomWindow(vp, AcGePoint3d(0, 0, 0), AcGePoint3d(2, 10, 0)), Acad::eOk);
    EXPECT_DOUBLE_EQ(vp.view().viewHeight, 10.0);
    EXPECT_TRUE(near(AcGePoint3d(vp.view().viewCenter.x, vp.view().viewCenter.y, 0), AcGePoint3d(1, 5, 0)));
    ASSERT_EQ(arx::views::zoomWindow(vp, AcGePoint3d(0, 0, 0), AcGePoint3d(40, 2, 0)), Acad::eOk);
    EXPECT_DOUBLE_EQ(vp.view().viewHeight, 20.0);
    EXPECT_EQ(arx::views::zoomWindow(vp, AcGePoint3d(1, 1, 0), AcGePoint3d(1, 5, 0)), Acad::eInvalidInput);

    // 1/100 paper units per model unit: the viewport's scale is exactly 100.
    ASSERT_EQ(arx::views::zoomPaperScale(vp, 0.01), Acad::eOk);
    EXPECT_NEAR(arx::view::psdcsScale(vp.frame), 100.0, 1e-12);
    ASSERT_EQ(arx::views::zoomFactor(vp, 2.0), Acad::eOk);
    EXPECT_NEAR(arx::view::psdcsScale(vp.frame), 50.0, 1e-12);
    EXPECT_EQ(arx::views::zoomFactor(vp, 0.0), Acad::eInvalidInput);
    EXPECT_EQ(arx::views::zoomCenter(vp, AcGePoint3d(0, 0, 0), -1.0), Acad::eInvalidInput);

    // A twisted view fits what it sees of a box, not the box's world size.
    arx::views::setTwist(vp, kPi / 2);
    ASSERT_EQ(arx::views::zoomBox(vp, AcGePoint3d(0, 0, 0), AcGePoint3d(4, 20, 0)), Acad::eOk);
    // The long side now runs across: 20 wide in a 2:1 frame needs a height of 10, not 20.
    EXPECT_DOUBLE_EQ(vp.view().viewHeight, 10.0);
}

TEST_F(ViewsTest, CameraDistanceAndLensSetThePerspectiveHeight)
{
    Viewport vp;
    ASSERT_EQ(arx::views::activeViewport(db, vp), Acad::eOk);  // the Model tab, aspect 12:9
    ASSERT_EQ(arx::views::setCameraDistance(vp, 100.0), Acad::eOk);
    EXPECT_TRUE(arx::view::isPerspective(vp.view()));
    EXPECT_TRUE(near(vp.view().direction, AcGeVector3d(0, 0, 100)));
    // 36 mm across the long side at 50 mm: 72 wide, so 54 high.
    EXPECT_NEAR(vp.view().viewHeight, 54.0, 1e-12);
    ASSERT_EQ(arx::views::setLensLength(vp, 100.0), Acad::eOk);
    EXPECT_NEAR(vp.view().viewHeight, 27.0, 1e-12);
    arx::views::setPerspectiveOff(vp);
    ASSERT_EQ(arx::views::setLensLength(vp, 50.0), Acad::eOk);
    EXPECT_NEAR(vp.view().viewHeight, 27.0, 1e-12);  // no perspective, no change of height
    EXPECT_EQ(arx::views::setCameraDistance(vp, 0.0), Acad::eInvalidInput);
    EXPECT_EQ(arx::views::setLensLength(vp, -5.0), Acad::eInvalidInput);
    ASSERT_EQ(arx::views::applyView(db, vp), Acad::eOk);
    EXPECT_DOUBLE_EQ(getReal("LENSLENGTH"), 50.0);
    EXPECT_DOUBLE_EQ(getReal("VIEWSIZE"), 27.0);
}

TEST_F(ViewsTest, PreviousViewsComeBackNewestFirst)
{
    Viewport vp;
    ASSERT_EQ(arx::views::activeViewport(db, vp), Acad::eOk);
    EXPECT_EQ(arx::views::restorePreviousView(db, vp), Acad::eNotApplicable);
    for (double h : {10.0, 20.0, 30.0}) {
        vp.view().viewHeight = h;
        ASSERT_EQ(arx::views::applyView(db, vp), Acad::eOk);
    }
    ASSERT_EQ(arx::views::restorePreviousView(db, vp), Acad::eOk);
    EXPECT_DOUBLE_EQ(getReal("VIEWSIZE"), 20.0);
    ASSERT_EQ(arx::views::restorePreviousView(db, vp), Acad::eOk);
    ASSERT_EQ(arx::views::restorePreviousView(db, vp), Acad::eOk);
    EXPECT_DOUBLE_EQ(getReal("VIEWSIZE"), 9.0);
    EXPECT_EQ(arx::views::restorePreviousView(db, vp), Acad::eNotApplicable);
    // An invalid view is refused and nothing is written.
    vp.view().viewHeight = -1.0;
    EXPECT_EQ(arx::views::applyView(db, vp), Acad::eInvalidInput);
    EXPECT_DOUBLE_EQ(getReal("VIEWSIZE"), 9.0);
}

TEST_F(ViewsTest, NewViewportsShowTheModelsExtentsOrItsLimits)
{
    ASSERT_EQ(setInt("TILEMODE", 0), RTNORM);
    AcDbObjectId empty;
    ASSERT_EQ(arx::views::makeRectangularViewport(db, AcGePoint3d(0, 0, 0), AcGePoint3d(4, 3, 0), empty), Acad::eOk);
    Viewport vp;
    ASSERT_EQ(arx::views::readViewport(empty, vp), Acad::eOk);
    EXPECT_DOUBLE_EQ(vp.view().viewHeight, 9.0);  // limits 12 x 9 in a 4:3 frame
    EXPECT_TRUE(near(AcGePoint3d(vp.view().viewCenter.x, vp.view().viewCenter.y, 0), AcGePoint3d(6, 4.5, 0)));

    appendTo(modelSpace(db), new AcDbLine(AcGePoint3d(100, 100, 0), AcGePoint3d(300, 150, 0)));
    AcDbObjectId shown;
    ASSERT_EQ(arx::views::makeRectangularViewport(db, AcGePoint3d(5, 0, 0), AcGePoint3d(9, 2, 0), shown), Acad::eOk);
    ASSERT_EQ(arx::views::readViewport(shown, vp), Acad::eOk);
    EXPECT_DOUBLE_EQ(vp.view().viewHeight, 100.0);  // 200 wide in a 2:1 frame
    EXPECT_TRUE(near(AcGePoint3d(vp.view().viewCenter.x, vp.view().viewCenter.y, 0), AcGePoint3d(200, 125, 0)));
    EXPECT_EQ(numberOf(shown), 3);
    AcDbObjectId none;
    EXPECT_EQ(arx::views::makeRectangularViewport(db, AcGePoint3d(1, 1, 0), AcGePoint3d(1, 5, 0), none),
              Acad::eInvalidInput);
}

TEST_F(ViewsTest, ClippedViewportsNameTheirBoundaryAndTheBoundaryNamesThem)
{
    ASSERT_EQ(setInt("TILEMODE", 0), RTNORM);
    const AcDbObjectId outline = square(db, 1, 1, 4, true);
    AcDbObjectId vpId;
    ASSERT_EQ(arx::views::makeClippedViewport(db, outline, vpId), Acad::eOk);
    {
        AcDbObjectPointer<AcDbViewport> vp(vpId, AcDb::kForRead);
        EXPECT_TRUE(vp->isNonRectClipOn());
        EXPECT_EQ(vp->nonRectClipEntityId(), outline);
        EXPECT_TRUE(near(vp->centerPoint(), AcGePoint3d(3, 3, 0)));
        EXPECT_DOUBLE_EQ(vp->width(), 4.0);
        AcDbObjectPointer<AcDbEntity> boundary(outline, AcDb::kForRead);
        const AcDbVoidPtrArray* reactors = boundary->reactors();
        ASSERT_NE(reactors, nullptr);
        ASSERT_EQ(reactors->length(), 1);
        EXPECT_EQ(acdbPersistentReactorObjectId((*reactors)[0]), vpId);
    }
    // An open curve, or one in another space, clips nothing and makes nothing.
    const AcDbObjectId open = square(db, 6, 1, 2, false);
    AcDbObjectId refused;
    EXPECT_EQ(arx::views::makeClippedViewport(db, open, refused), Acad::eInvalidInput);
    const AcDbObjectId inModel =
        appendTo(modelSpace(db), new AcDbCircle(AcGePoint3d(0, 0, 0), AcGeVector3d::kZAxis, 1));
    EXPECT_EQ(arx::views::makeClippedViewport(db, inModel, refused), Acad::eInvalidInput);
    EXPECT_EQ(arx::views::floatingViewports(arx::views::currentLayoutId(db)).size(), 1u);

    // A polygon makes its own closed outline in paper space.
    AcDbObjectId poly;
    ASSERT_EQ(arx::views::makePolygonalViewport(
                  db, {AcGePoint3d(10, 0, 0), AcGePoint3d(14, 0, 0), AcGePoint3d(12, 3, 0)}, poly),
              Acad::eOk);
    AcDbObjectPointer<AcDbViewport> vp(poly, AcDb::kForRead);
    AcDbObjectPointer<AcDbPolyline> edge(vp->nonRectClipEntityId(), AcDb::kForRead);
    ASSERT_EQ(edge.openStatus(), Acad::eOk);
    EXPECT_TRUE(edge->isClosed());
    EXPECT_EQ(edge->numVerts(), 3u);
    EXPECT_EQ(edge->ownerId(), db->currentSpaceId());
    EXPECT_EQ(arx::views::makePolygonalViewport(db, {AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0)}, refused),
              Acad::eInvalidInput);
}

TEST_F(ViewsTest, SelectedEntitiesStandForTheirViewports)
{
    const AcDbObjectId low = addViewport(AcGePoint3d(3, 3, 0), 4, 4);
    const AcDbObjectId high = addViewport(AcGePoint3d(4, 4, 0), 4, 4);
    AcDbObjectId clipped;
    ASSERT_EQ(arx::views::makePolygonalViewport(
                  db, {AcGePoint3d(10, 0, 0), AcGePoint3d(14, 0, 0), AcGePoint3d(12, 3, 0)}, clipped),
              Acad::eOk);
    const AcDbObjectId boundary = arx::views::clipBoundaryOf(clipped);
    ASSERT_FALSE(boundary.isNull());
    // A boundary stands for its viewport, a viewport counts once, anything else is dropped.
    EXPECT_EQ(arx::views::viewportsSelected(db, {boundary, low, db->layerTableId(), clipped, low}),
              (std::vector<AcDbObjectId>{clipped, low}));
    EXPECT_TRUE(arx::views::viewportsSelected(db, {}).empty());
    EXPECT_EQ(arx::views::lastEntityOfSpace(db), clipped);
    EXPECT_TRUE(arx::views::isFloatingViewport(db, low));
    EXPECT_FALSE(
        arx::views::isFloatingViewport(db, arx::views::paperSpaceViewport(db, arx::views::currentLayoutId(db), false)));
    ASSERT_EQ(arx::views::setViewportLocked(high, true), Acad::eOk);
    Viewport vp;
    ASSERT_EQ(arx::views::readViewport(high, vp), Acad::eOk);
    EXPECT_TRUE(vp.locked);
}
