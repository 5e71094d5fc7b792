// Which viewport is current and what the view variables say: CVPORT, TILEMODE, CTAB,
// MSPACE and PSPACE, layouts, viewport numbers, the per-viewport variables, UCS variables
// and ELEVATION, kept in the drawing and surviving a save and reopen.
#include <cmath>
#include <filesystem>
#include <memory>

#include "dblayout.h"
#include "dbobjptr.h"
#include "dbsymtb.h"
#include "db/symbol_lookup.h"
#include "acutads.h"
#include "ed/views_edit.h"
#include "ed/views_internal.h"
#include "ed/views_mview.h"
#include "ed/views_ucs.h"
#include "ge_test_support.h"
#include "views_fixture.h"

using namespace viewstest;
using namespace ge_test;
using arx::views::Viewport;

namespace {

AcDbObjectId block(AcDbDatabase* db, const char* name) { return arx::db::findRecord(db->blockTableId(), name); }

std::string blockNameOf(AcDbObjectId entity)
{
    AcDbObjectPointer<AcDbEntity> ent(entity, AcDb::kForRead);
    return ent.openStatus() == Acad::eOk ? arx::db::recordName(ent->ownerId()) : "";
}

void turn(AcDbObjectId viewport, bool on) { ASSERT_EQ(arx::views::setViewportOn(viewport, on), Acad::eOk); }

}  // namespace

TEST_F(ViewsTest, NewDrawingShowsTheModelTab)
{
    EXPECT_EQ(getInt("TILEMODE"), 1);
    EXPECT_EQ(getInt("CVPORT"), 2);
    EXPECT_EQ(getText("CTAB"), "Model");
    EXPECT_DOUBLE_EQ(getReal("VIEWSIZE"), 9.0);
    EXPECT_TRUE(near(getPoint("VIEWCTR"), AcGePoint3d(6, 4.5, 0)));
    EXPECT_TRUE(near(getPoint("VIEWDIR"), AcGePoint3d(0, 0, 1)));
    EXPECT_TRUE(near(getPoint("TARGET"), AcGePoint3d(0, 0, 0)));
    EXPECT_EQ(getInt("VIEWMODE"), 0);
    EXPECT_DOUBLE_EQ(getReal("LENSLENGTH"), 50.0);
    EXPECT_EQ(getInt("WORLDUCS"), 1);
    EXPECT_EQ(db->currentSpaceId(), block(db, ACDB_MODEL_SPACE));
    // The Model tab has one viewport: CVPORT 2 stays, anything else is refused.
    EXPECT_EQ(setInt("CVPORT", 2), RTNORM);
    EXPECT_EQ(setInt("CVPORT", 1), RTERROR);
    EXPECT_EQ(setInt("CVPORT", 3), RTERROR);
}

TEST_F(ViewsTest, CvportRulesInALayout)
{
    ASSERT_EQ(setInt("TILEMODE", 0), RTNORM);
    EXPECT_EQ(getInt("CVPORT"), 1);
    EXPECT_EQ(getText("CTAB"), "Layout1");
    EXPECT_EQ(db->currentSpaceId(), block(db, ACDB_PAPER_SPACE));
    // The layout got its paper-space viewport (id 1) and nothing to enter yet.
    const AcDbObjectId paper = arx::views::paperSpaceViewport(db, arx::views::currentLayoutId(db), false);
    ASSERT_FALSE(paper.isNull());
    EXPECT_EQ(numberOf(paper), 1);
    EXPECT_EQ(setInt("CVPORT", 2), RTERROR);
    EXPECT_EQ(arx::views::enterModelSpace(db), Acad::eNotApplicable);

    const AcDbObjectId a = addViewport(AcGePoint3d(3, 3, 0), 4, 3);
    const AcDbObjectId b = addViewport(AcGePoint3d(9, 3, 0), 4, 3);
    EXPECT_EQ(numberOf(a), 2);
    EXPECT_EQ(numberOf(b), 3);
    EXPECT_EQ(getInt("CVPORT"), 1);  // making viewports leaves paper space current

    EXPECT_EQ(setInt("CVPORT", 3), RTNORM);
    EXPECT_EQ(getInt("CVPORT"), 3);
    EXPECT_TRUE(arx::views::inFloatingViewport(db));
    EXPECT_EQ(db->currentSpaceId(), block(db, ACDB_MODEL_SPACE));
    EXPECT_EQ(setInt("CVPORT", 7), RTERROR);
    EXPECT_EQ(getInt("CVPORT"), 3);

    // A viewport that is off has no number and cannot be made current.
    turn(a, false);
    arx::views::refresh(db);
    EXPECT_EQ(numberOf(a), -1);
    EXPECT_EQ(setInt("CVPORT", 2), RTERROR);
    turn(a, true);
    EXPECT_EQ(setInt("CVPORT", 2), RTNORM);

    // Paper space again, and MSPACE returns to the viewport last entered.
    EXPECT_EQ(setInt("CVPORT", 1), RTNORM);
    EXPECT_EQ(db->currentSpaceId(), block(db, ACDB_PAPER_SPACE));
    ASSERT_EQ(arx::views::enterModelSpace(db), Acad::eOk);
    EXPECT_EQ(getInt("CVPORT"), 2);

    // Turning the current viewport off from outside (a module, an entmod) drops to paper space.
    turn(a, false);
    EXPECT_EQ(getInt("CVPORT"), 1);

    // Back in the Model tab none of the layout's viewports has a number.
    ASSERT_EQ(setInt("TILEMODE", 1), RTNORM);
    EXPECT_EQ(getInt("CVPORT"), 2);
    EXPECT_EQ(numberOf(b), -1);
    EXPECT_EQ(numberOf(paper), -1);
    EXPECT_EQ(setInt("TILEMODE", 2), RTERROR);
}

TEST_F(ViewsTest, ViewVariablesFollowTheCurrentViewportAndAreReadOnly)
{
    const AcDbObjectId a = addViewport(AcGePoint3d(3, 3, 0), 4, 3);
    Viewport vp;
    ASSERT_EQ(arx::views::readViewport(a, vp), Acad::eOk);
    vp.view().target.set(1, 2, 3);
    vp.view().direction.set(0, -2, 2);
    vp.view().twist = 0.25;
    vp.view().viewHeight = 40.0;
    vp.view().lensLength = 85.0;
    arx::views::setFrontClip(vp, 5.0);
    arx::views::setBackClip(vp, -7.0);
    ASSERT_EQ(arx::views::writeView(vp), Acad::eOk);

    EXPECT_DOUBLE_EQ(getReal("VIEWSIZE"), 9.0);  // paper space is current
    ASSERT_EQ(setInt("CVPORT", 2), RTNORM);
    EXPECT_DOUBLE_EQ(getReal("VIEWSIZE"), 40.0);
    EXPECT_TRUE(near(getPoint("TARGET"), AcGePoint3d(1, 2, 3)));
    EXPECT_TRUE(near(getPoint("VIEWDIR"), AcGePoint3d(0, -2, 2)));
    EXPECT_DOUBLE_EQ(getReal("VIEWTWIST"), 0.25);
    EXPECT_DOUBLE_EQ(getReal("LENSLENGTH"), 85.0);
    EXPECT_DOUBLE_EQ(getReal("FRONTZ"), 5.0);
    EXPECT_DOUBLE_EQ(getReal("BACKZ"), -7.0);
    EXPECT_EQ(getInt("VIEWMODE"), 2 | 4 | 16);
    // The entity itself says the same.
    AcDbObjectPointer<AcDbViewport> entity(a, AcDb::kForRead);
    EXPECT_TRUE(entity->isFrontClipOn() && entity->isBackClipOn() && !entity->isFrontClipAtEyeOn());
    entity.close();

    // VIEWDIR and TARGET are given in the UCS.
    arx::views::UcsFrame ucs;
    ASSERT_EQ(arx::views::frameOf(AcGePoint3d(1, 0, 0), AcGeVector3d(0, 1, 0), AcGeVector3d(-1, 0, 0), ucs), Acad::eOk);
    ASSERT_EQ(arx::views::setCurrentUcs(db, ucs), Acad::eOk);
    EXPECT_TRUE(near(getPoint("VIEWDIR"), AcGePoint3d(-2, 0, 2)));
    EXPECT_TRUE(near(getPoint("TARGET"), AcGePoint3d(2, 0, 3)));

    for (const char* name : {"VIEWSIZE", "VIEWDIR", "TARGET", "VIEWCTR", "VIEWMODE", "FRONTZ", "BACKZ", "LENSLENGTH",
                             "VIEWTWIST", "UCSORG", "UCSXDIR", "UCSYDIR", "WORLDUCS"})
        EXPECT_EQ(setReal(name, 1.0), RTERROR) << name;
}

TEST_F(ViewsTest, NothingReadsWithoutADrawing)
{
    acdbHostApplicationServices()->setWorkingDatabase(nullptr);
    resbuf rb{};
    for (const char* name : {"VIEWMODE", "VIEWDIR", "TARGET", "FRONTZ", "BACKZ", "LENSLENGTH", "ELEVATION", "CVPORT",
                             "TILEMODE", "CTAB", "UCSXDIR"})
        EXPECT_EQ(acedGetVar(name, &rb), RTERROR) << name;
    EXPECT_EQ(setInt("CVPORT", 1), RTERROR);
}

TEST_F(ViewsTest, ElevationAndUcsBelongToTheSpace)
{
    const AcDbObjectId a = addViewport(AcGePoint3d(3, 3, 0), 4, 3);
    ASSERT_FALSE(a.isNull());
    ASSERT_EQ(setReal("ELEVATION", 2.5), RTNORM);  // paper space
    arx::views::UcsFrame paperUcs;
    ASSERT_EQ(arx::views::frameOf(AcGePoint3d(5, 5, 0), AcGeVector3d(1, 0, 0), AcGeVector3d(0, 1, 0), paperUcs),
              Acad::eOk);
    ASSERT_EQ(arx::views::setCurrentUcs(db, paperUcs), Acad::eOk);
    EXPECT_DOUBLE_EQ(db->pelevation(), 2.5);

    ASSERT_EQ(setInt("CVPORT", 2), RTNORM);  // model space
    EXPECT_DOUBLE_EQ(getReal("ELEVATION"), 0.0);
    EXPECT_EQ(getInt("WORLDUCS"), 1);
    ASSERT_EQ(setReal("ELEVATION", -4.0), RTNORM);
    EXPECT_DOUBLE_EQ(db->elevation(), -4.0);

    ASSERT_EQ(setInt("CVPORT", 1), RTNORM);
    EXPECT_DOUBLE_EQ(getReal("ELEVATION"), 2.5);
    EXPECT_TRUE(near(getPoint("UCSORG"), AcGePoint3d(5, 5, 0)));
    EXPECT_TRUE(near(trans(AcGePoint3d(0, 0, 0), 1, 0), AcGePoint3d(5, 5, 0)));
}

TEST_F(ViewsTest, LayoutsComeAndBecomeCurrent)
{
    AcDbObjectId second;
    ASSERT_EQ(arx::views::createLayout(db, "Sheet B", second), Acad::eOk);
    AcDbObjectId other;
    EXPECT_EQ(arx::views::createLayout(db, "sheet b", other), Acad::eDuplicateKey);
    EXPECT_EQ(arx::views::createLayout(db, "bad:name", other), Acad::eInvalidInput);
    EXPECT_EQ(arx::views::createLayout(db, "", other), Acad::eInvalidInput);
    EXPECT_EQ(arx::views::nextLayoutName(db), "Layout2");
    EXPECT_EQ(arx::views::layoutNames(db), (std::vector<std::string>{"Model", "Layout1", "Sheet B"}));

    // Something drawn on Layout1's sheet stays there when another layout becomes current.
    const AcDbObjectId first = addViewport(AcGePoint3d(3, 3, 0), 4, 3);
    ASSERT_EQ(setText("CTAB", "SHEET B"), RTNORM);
    EXPECT_EQ(getText("CTAB"), "Sheet B");
    EXPECT_EQ(getInt("TILEMODE"), 0);
    EXPECT_EQ(getInt("CVPORT"), 1);
    EXPECT_EQ(arx::views::blockOfLayout(second), block(db, ACDB_PAPER_SPACE));
    EXPECT_NE(blockNameOf(first), ACDB_PAPER_SPACE);
    EXPECT_EQ(numberOf(first), -1);
    EXPECT_EQ(setInt("CVPORT", 2), RTERROR);  // Sheet B has no floating viewport

    ASSERT_EQ(setText("CTAB", "Layout1"), RTNORM);
    EXPECT_EQ(blockNameOf(first), ACDB_PAPER_SPACE);
    EXPECT_EQ(numberOf(first), 2);
    EXPECT_EQ(setText("CTAB", "No such layout"), RTERROR);
    ASSERT_EQ(setText("CTAB", "model"), RTNORM);
    EXPECT_EQ(getInt("TILEMODE"), 1);
    EXPECT_EQ(getText("CTAB"), "Model");
}

TEST_F(ViewsTest, ViewportIdsAreMadeUniqueWhenTheLayoutIsShown)
{
    const AcDbObjectId a = addViewport(AcGePoint3d(3, 3, 0), 4, 3);
    const AcDbObjectId b = addViewport(AcGePoint3d(9, 3, 0), 4, 3);
    {
        AcDbObjectPointer<AcDbViewport> vp(b, AcDb::kForWrite);
        vp->setViewportId(2);  // as a careless file might hold it
    }
    arx::views::refresh(db);
    EXPECT_EQ(numberOf(a), 2);
    EXPECT_EQ(numberOf(b), 3);
}

TEST_F(ViewsTest, ViewsAndTheCurrentViewportSurviveSaveAndReopen)
{
    addViewport(AcGePoint3d(3, 3, 0), 4, 3);
    addViewport(AcGePoint3d(9, 3, 0), 4, 3);
    AcDbObjectId sheet;
    ASSERT_EQ(arx::views::createLayout(db, "Sheet", sheet), Acad::eOk);
    ASSERT_EQ(setInt("CVPORT", 3), RTNORM);
    Viewport vp;
    ASSERT_EQ(arx::views::activeViewport(db, vp), Acad::eOk);
    arx::views::setTwist(vp, 0.75);
    ASSERT_EQ(arx::views::zoomCenter(vp, AcGePoint3d(10, 20, 0), 33.0), Acad::eOk);
    ASSERT_EQ(arx::views::applyView(db, vp), Acad::eOk);

    const std::string path = (std::filesystem::temp_directory_path() / "kestra_views_roundtrip.dxf").string();
    ASSERT_EQ(db->dxfOut(path.c_str()), Acad::eOk);
    auto reopened = std::make_unique<AcDbDatabase>(false);
    ASSERT_EQ(reopened->dxfIn(path.c_str()), Acad::eOk);
    std::filesystem::remove(path);
    acdbHostApplicationServices()->setWorkingDatabase(reopened.get());

    EXPECT_EQ(getInt("TILEMODE"), 0);
    EXPECT_EQ(getText("CTAB"), "Layout1");
    EXPECT_EQ(getInt("CVPORT"), 3);
    EXPECT_DOUBLE_EQ(getReal("VIEWSIZE"), 33.0);
    EXPECT_NEAR(getReal("VIEWTWIST"), 0.75, 1e-12);
    EXPECT_TRUE(near(trans(trans(AcGePoint3d(10, 20, 0), 0, 2), 2, 0), AcGePoint3d(10, 20, 0), 1e-9));
    acdbHostApplicationServices()->setWorkingDatabase(db);
}

TEST_F(ViewsTest, VportsListsTheCurrentViewportFirst)
{
    resbuf* list = nullptr;
    ASSERT_EQ(acedVports(&list), RTNORM);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->restype, RTSHORT);
    EXPECT_EQ(list->resval.rint, 2);
    acutRelRb(list);

    addViewport(AcGePoint3d(3, 3, 0), 4, 2);
    ASSERT_EQ(setInt("CVPORT", 2), RTNORM);
    ASSERT_EQ(acedVports(&list), RTNORM);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->resval.rint, 2);
    EXPECT_DOUBLE_EQ(list->rbnext->resval.rpoint[0], 1.0);
    EXPECT_DOUBLE_EQ(list->rbnext->rbnext->resval.rpoint[1], 4.0);
    ASSERT_NE(list->rbnext->rbnext->rbnext, nullptr);
    EXPECT_EQ(list->rbnext->rbnext->rbnext->resval.rint, 1);
    acutRelRb(list);
}
