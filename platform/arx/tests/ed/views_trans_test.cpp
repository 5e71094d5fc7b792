// acedTrans through the views kept in the drawing: property tests over many random floating
// viewports (twist, view direction, scale, perspective off and on), the re-aiming round trip
// a viewport mark relies on, the UCS and object systems, and the refusals.
#include <cmath>

#include "aced.h"
#include "dbobjptr.h"
#include "dbsymtb.h"
#include "ed/views_edit.h"
#include "ed/views_ucs.h"
#include "ge_test_support.h"
#include "views_fixture.h"

using namespace viewstest;
using namespace ge_test;
using arx::views::Viewport;

namespace {

// A random view for a viewport: target, direction (with the camera distance as its
// length), twist, view centre and height, lens; in perspective the height is what the lens
// shows at that distance.
void randomizeView(Random& rnd, Viewport& vp, bool perspective)
{
    arx::view::ViewRecord& v = vp.view();
    v.target = rnd.point(500.0);
    v.direction = rnd.vector();
    v.twist = rnd.angle();
    v.viewCenter.set(rnd.uniform(-200, 200), rnd.uniform(-200, 200));
    v.viewHeight = rnd.uniform(0.5, 3000.0);
    v.lensLength = rnd.uniform(20.0, 200.0);
    v.viewMode = 0;
    if (perspective) {
        ASSERT_EQ(arx::views::setCameraDistance(vp, v.direction.length()), Acad::eOk);
    }
}

double scaleOf(const Viewport& vp)
{
    return 1.0 + vp.view().target.asVector().length() + vp.view().viewHeight + vp.frame.width + vp.frame.height;
}

// The X axis of the display system of a direction before any twist.
AcGeVector3d untwistedX(const AcGeVector3d& dir)
{
    AcGePoint3d o;
    AcGeVector3d x, y, z;
    AcGeMatrix3d::planeToWorld(dir).getCoordSystem(o, x, y, z);
    return x;
}

class ViewTransProperties : public ViewsTest {
protected:
    // Makes a random floating viewport and enters it; its view as stored.
    Viewport randomViewport(Random& rnd, bool perspective)
    {
        const AcDbObjectId id = addViewport(AcGePoint3d(rnd.uniform(0, 400), rnd.uniform(0, 300), 0.0),
                                            rnd.uniform(5, 400), rnd.uniform(5, 300));
        Viewport vp;
        EXPECT_EQ(arx::views::readViewport(id, vp), Acad::eOk);
        randomizeView(rnd, vp, perspective);
        EXPECT_EQ(arx::views::writeView(vp), Acad::eOk);
        EXPECT_EQ(arx::views::readViewport(id, vp), Acad::eOk);
        EXPECT_EQ(arx::views::setCurrentViewportNumber(db, vp.number), Acad::eOk);
        return vp;
    }

    AcGePoint3d paperToModel(const AcGePoint3d& p) { return trans(trans(p, 3, 2), 2, 0); }
    AcGePoint3d modelToPaper(const AcGePoint3d& p) { return trans(trans(p, 0, 2), 2, 3); }

    void corners(const Viewport& vp, AcGePoint3d paper[4], AcGePoint3d model[4])
    {
        arx::view::paperCorners(vp.frame, paper);
        for (int i = 0; i < 4; ++i) model[i] = paperToModel(paper[i]);
    }
};

}  // namespace

TEST_F(ViewTransProperties, PaperPointsGoToModelSpaceAndBack)
{
    Random rnd(31);
    for (int i = 0; i < 160; ++i) {
        const Viewport vp = randomViewport(rnd, i % 2 == 1);
        const double tol = 1e-9 * scaleOf(vp);
        for (int k = 0; k < 4; ++k) {
            const AcGePoint3d paper(rnd.uniform(-500, 500), rnd.uniform(-500, 500),
                                    k == 0 ? 0.0 : rnd.uniform(-50, 50));
            const AcGePoint3d model = paperToModel(paper);
            EXPECT_TRUE(near(modelToPaper(model), paper, tol)) << "case " << i;
            // Carried as a displacement only the scale acts, in both directions.
            const AcGePoint3d d = trans(paper, 3, 2, true);
            EXPECT_TRUE(near(d, AcGePoint3d::kOrigin + paper.asVector() * arx::view::psdcsScale(vp.frame), tol));
            EXPECT_TRUE(near(trans(d, 2, 3, true), paper, tol));
        }
    }
}

TEST_F(ViewTransProperties, OutlineHasTheViewportsScaleCentreDirectionAndTwist)
{
    Random rnd(32);
    for (int i = 0; i < 160; ++i) {
        const Viewport vp = randomViewport(rnd, i % 3 == 0);
        const double tol = 1e-8 * scaleOf(vp);
        AcGePoint3d paper[4], model[4];
        corners(vp, paper, model);
        const double scale = vp.view().viewHeight / vp.frame.height;
        EXPECT_NEAR(model[0].distanceTo(model[1]), vp.frame.width * scale, tol);
        EXPECT_NEAR(model[0].distanceTo(model[3]), vp.view().viewHeight, tol);
        // The sheet's centre shows the view centre; the outline lies in the target plane.
        const AcGeVector3d dir = vp.view().direction.normal();
        const AcGePoint3d middle = paperToModel(vp.frame.centerPoint);
        EXPECT_TRUE(near(trans(middle, 0, 2), AcGePoint3d(vp.view().viewCenter.x, vp.view().viewCenter.y, 0.0), tol));
        for (const AcGePoint3d& c : model) EXPECT_NEAR((c - vp.view().target).dotProduct(dir), 0.0, tol);
        // DCS Z is the view direction; a positive twist turns the model counterclockwise, so
        // the sheet's bottom edge runs at minus the twist from the untwisted display X.
        EXPECT_TRUE(near(AcGePoint3d::kOrigin + trans(AcGePoint3d(0, 0, 1), 2, 0, true).asVector(),
                         AcGePoint3d::kOrigin + dir, 1e-9));
        const AcGeVector3d bottom = (model[3] - model[2]).normal();
        const AcGeVector3d x0 = untwistedX(dir), y0 = dir.crossProduct(x0);
        const double angle = std::atan2(bottom.dotProduct(y0), bottom.dotProduct(x0));
        EXPECT_NEAR(std::remainder(angle + vp.view().twist, 2.0 * kPi), 0.0, 1e-9) << "case " << i;
        // The model corners show on the sheet where they came from, perspective or not.
        for (int k = 0; k < 4; ++k) {
            AcGePoint3d seen;
            ASSERT_EQ(arx::view::wcsToPaper(vp.frame, model[k], seen), Acad::eOk);
            EXPECT_TRUE(near(seen, paper[k], tol));
        }
    }
}

// What KSREFRESH does: aim the viewport at the centre of a remembered outline along its
// direction, set the view height and twist from the outline (perspective off while doing
// so, then the camera distance again), and the same corners come back.
TEST_F(ViewTransProperties, ReaimingAtTheOutlineReproducesTheCorners)
{
    Random rnd(33);
    for (int i = 0; i < 160; ++i) {
        const bool perspective = i % 2 == 1;
        Viewport vp = randomViewport(rnd, perspective);
        const double tol = 1e-7 * scaleOf(vp);
        AcGePoint3d paper[4], model[4];
        corners(vp, paper, model);
        const AcGeVector3d direction = vp.view().direction;
        const AcGePoint3d center = model[2] + (model[0] - model[2]) * 0.5;
        const AcGeVector3d bottom = model[3] - model[2];
        const AcGeVector3d x0 = untwistedX(direction), y0 = direction.normal().crossProduct(x0);
        const double twist = -std::atan2(bottom.dotProduct(y0), bottom.dotProduct(x0));

        // Someone moved the view away.
        Viewport moved = vp;
        randomizeView(rnd, moved, !perspective);
        ASSERT_EQ(arx::views::applyView(db, moved), Acad::eOk);

        Viewport aim;
        ASSERT_EQ(arx::views::activeViewport(db, aim), Acad::eOk);
        arx::views::setPerspectiveOff(aim);
        aim.view().direction = direction;
        aim.view().target = center;
        aim.view().lensLength = vp.view().lensLength;
        ASSERT_EQ(arx::views::zoomCenter(aim, center, model[0].distanceTo(model[3])), Acad::eOk);
        arx::views::setTwist(aim, twist);
        if (perspective) {
            ASSERT_EQ(arx::views::setCameraDistance(aim, direction.length()), Acad::eOk);
        }
        ASSERT_EQ(arx::views::applyView(db, aim), Acad::eOk);

        AcGePoint3d again[4], modelAgain[4];
        corners(aim, again, modelAgain);
        for (int k = 0; k < 4; ++k) EXPECT_TRUE(near(modelAgain[k], model[k], tol)) << "case " << i << " corner " << k;
    }
}

TEST_F(ViewsTest, UcsCarriesPointsAndDisplacementsBothWays)
{
    Random rnd(34);
    for (int i = 0; i < 100; ++i) {
        arx::views::UcsFrame ucs;
        ASSERT_EQ(arx::views::frameOf(rnd.point(), rnd.vector(), rnd.vector(), ucs), Acad::eOk);
        ASSERT_EQ(acedSetCurrentUCS(arx::views::ucsToWcs(ucs)), Acad::eOk);
        const AcGePoint3d p = rnd.point();
        const AcGePoint3d expected =
            ucs.origin + ucs.xAxis * p.x + ucs.yAxis * p.y + ucs.xAxis.crossProduct(ucs.yAxis) * p.z;
        EXPECT_TRUE(near(trans(p, 1, 0), expected, 1e-9));
        EXPECT_TRUE(near(trans(trans(p, 1, 0), 0, 1), p, 1e-9));
        EXPECT_TRUE(near(trans(p, 1, 0, true), expected - ucs.origin.asVector(), 1e-9));
        EXPECT_TRUE(near(getPoint("UCSORG"), ucs.origin, 1e-12));
        EXPECT_EQ(getInt("WORLDUCS"), 0);
    }
    // DCS through UCS: the same as through the world.
    const AcGePoint3d p(3, 4, 5);
    EXPECT_TRUE(near(trans(trans(p, 1, 2), 2, 0), trans(p, 1, 0), 1e-9));
}

TEST_F(ViewsTest, TwistedPlanViewOfTheModelTab)
{
    // A 90 degree twist turns the model a quarter turn counterclockwise: the display's X
    // axis points along world -Y.
    Viewport tiled;
    ASSERT_EQ(arx::views::activeViewport(db, tiled), Acad::eOk);
    tiled.view().target.set(10, 20, 0);
    arx::views::setTwist(tiled, kPi / 2);
    ASSERT_EQ(arx::views::writeView(tiled), Acad::eOk);
    EXPECT_TRUE(near(trans(AcGePoint3d(1, 0, 0), 2, 0), AcGePoint3d(10, 19, 0)));
    EXPECT_TRUE(near(trans(AcGePoint3d(10, 21, 0), 0, 2), AcGePoint3d(-1, 0, 0)));
    EXPECT_NEAR(getReal("VIEWTWIST"), kPi / 2, 1e-15);
}

TEST_F(ViewsTest, ObjectSystemsOfEntitiesAndExtrusionDirections)
{
    const AcGeVector3d normal(1, 2, 3);
    auto* circle = new AcDbCircle(AcGePoint3d(0, 0, 0), normal, 2.0);
    AcDbBlockTableRecord* model = nullptr;
    ASSERT_EQ(acdbOpenObject(model, db->currentSpaceId(), AcDb::kForWrite), Acad::eOk);
    AcDbObjectId id;
    ASSERT_EQ(model->appendAcDbEntity(id, circle), Acad::eOk);
    circle->close();
    model->close();

    resbuf ent{}, world{}, dir{};
    ent.restype = RTENAME;
    ASSERT_EQ(acdbGetAdsName(ent.resval.rlname, id), Acad::eOk);
    world.restype = RTSHORT, world.resval.rint = 0;
    dir.restype = RT3DPOINT, dir.resval.rpoint[0] = 1, dir.resval.rpoint[1] = 2, dir.resval.rpoint[2] = 3;
    ads_point p = {1, 2, 3}, byName, byNormal, back;
    ASSERT_EQ(acedTrans(p, &ent, &world, 0, byName), RTNORM);
    ASSERT_EQ(acedTrans(p, &dir, &world, 0, byNormal), RTNORM);
    AcGePoint3d expected(1, 2, 3);
    expected.transformBy(AcGeMatrix3d::planeToWorld(normal));
    EXPECT_TRUE(near(AcGePoint3d(byName[0], byName[1], byName[2]), expected));
    EXPECT_TRUE(near(AcGePoint3d(byNormal[0], byNormal[1], byNormal[2]), expected));
    ASSERT_EQ(acedTrans(byName, &world, &ent, 0, back), RTNORM);
    EXPECT_TRUE(near(AcGePoint3d(back[0], back[1], back[2]), AcGePoint3d(1, 2, 3)));
    // The result may be the input itself.
    ASSERT_EQ(acedTrans(p, &ent, &world, 0, p), RTNORM);
    EXPECT_TRUE(near(AcGePoint3d(p[0], p[1], p[2]), expected));
}

TEST_F(ViewsTest, RefusedSystemsLeaveTheResultAlone)
{
    int status = 0;
    const AcGePoint3d p(1, 2, 3);
    trans(p, 3, 0, false, &status);
    EXPECT_EQ(status, RTERROR);  // PSDCS pairs only with DCS
    trans(p, 1, 3, false, &status);
    EXPECT_EQ(status, RTERROR);
    trans(p, 0, 4, false, &status);
    EXPECT_EQ(status, RTERROR);
    trans(p, 3, 2, false, &status);
    EXPECT_EQ(status, RTERROR);  // the Model tab has no paper space
    ASSERT_EQ(setInt("TILEMODE", 0), RTNORM);
    trans(p, 3, 2, false, &status);
    EXPECT_EQ(status, RTERROR);  // a layout without floating viewports

    resbuf world{}, zero{}, bad{};
    world.restype = RTSHORT;
    zero.restype = RT3DPOINT;
    bad.restype = RTSTR;
    bad.resval.rstring = const_cast<char*>("0");
    ads_point in = {1, 2, 3}, out = {7, 7, 7};
    EXPECT_EQ(acedTrans(in, &zero, &world, 0, out), RTERROR);
    EXPECT_EQ(acedTrans(in, &bad, &world, 0, out), RTERROR);
    EXPECT_EQ(acedTrans(in, nullptr, &world, 0, out), RTERROR);
    EXPECT_EQ(acedTrans(nullptr, &world, &world, 0, out), RTERROR);
    resbuf gone{};
    gone.restype = RTENAME;
    gone.resval.rlname[0] = gone.resval.rlname[1] = 0;
    EXPECT_EQ(acedTrans(in, &gone, &world, 0, out), RTERROR);
    EXPECT_EQ(out[0], 7.0);

    acdbHostApplicationServices()->setWorkingDatabase(nullptr);
    EXPECT_EQ(acedTrans(in, &world, &world, 0, out), RTERROR);
    EXPECT_EQ(out[2], 7.0);
}

TEST_F(ViewsTest, SetCurrentUcsTakesOnlyRigidFramesAndRestoresTheOneBefore)
{
    EXPECT_EQ(acedRestorePreviousUCS(), Acad::eNotApplicable);
    AcGeMatrix3d scaled = AcGeMatrix3d::scaling(2.0);
    EXPECT_EQ(acedSetCurrentUCS(scaled), Acad::eInvalidInput);
    AcGeMatrix3d mirrored;
    mirrored.setCoordSystem(AcGePoint3d::kOrigin, AcGeVector3d::kXAxis, AcGeVector3d::kYAxis, -AcGeVector3d::kZAxis);
    EXPECT_EQ(acedSetCurrentUCS(mirrored), Acad::eInvalidInput);
    EXPECT_EQ(getInt("WORLDUCS"), 1);

    const AcGeMatrix3d turned = AcGeMatrix3d::rotation(0.5, AcGeVector3d::kZAxis, AcGePoint3d(1, 1, 0));
    ASSERT_EQ(acedSetCurrentUCS(turned), Acad::eOk);
    AcGeMatrix3d read;
    ASSERT_EQ(acedGetCurrentUCS(read), Acad::eOk);
    EXPECT_TRUE(near(read, turned));
    ASSERT_EQ(acedSetCurrentUCS(AcGeMatrix3d::kIdentity), Acad::eOk);
    ASSERT_EQ(acedRestorePreviousUCS(), Acad::eOk);
    ASSERT_EQ(acedGetCurrentUCS(read), Acad::eOk);
    EXPECT_TRUE(near(read, turned));
    ASSERT_EQ(acedRestorePreviousUCS(), Acad::eOk);
    EXPECT_EQ(getInt("WORLDUCS"), 1);
    EXPECT_EQ(acedRestorePreviousUCS(), Acad::eNotApplicable);
}
