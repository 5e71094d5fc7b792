// The host's view commands driven in-process through acedCommand, as a module drives them:
// the ZOOM and DVIEW replay that re-aims a floating viewport at a remembered outline, XP
// scales, locked viewports, clipping, layouts and UCSs, and the refusals.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>

#include <unistd.h>

#include "aced.h"
#include "acdbads_db.h"
#include "acedads.h"
#include "acutads.h"
#include "ap/document_manager.h"
#include "dbapserv.h"
#include "dbents.h"
#include "dbobjptr.h"
#include "dbsymtb.h"
#include "ed/console.h"
#include "ed/views.h"
#include "ed/views_edit.h"
#include "ed/views_mview.h"
#include "ge_test_support.h"
#include "host.h"

using namespace ge_test;
using arx::views::Viewport;

namespace {

std::string& printed()
{
    static std::string text;
    return text;
}

class ViewCommands : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        static const std::filesystem::path registry =
            std::filesystem::temp_directory_path() / ("kestra_view_commands_" + std::to_string(::getpid()));
        std::filesystem::create_directories(registry);
        arx::host::HostOptions options;
        options.registryFolder = registry.string();
        arx::host::startHost(options);
    }
    static void TearDownTestSuite() { arx::host::stopHost(); }

    void SetUp() override
    {
        arx::ap::DocumentManager::instance().newDocument();
        db = acdbHostApplicationServices()->workingDatabase();
        ASSERT_NE(db, nullptr);
        printed().clear();
        arx::ed::Console::instance().setSink([](std::string_view text) { printed().append(text); });
        setInt("CMDECHO", 0);
    }
    void TearDown() override { arx::ed::Console::instance().resetSink(); }

    static void setInt(const char* name, int v)
    {
        resbuf rb{};
        rb.restype = RTSHORT;
        rb.resval.rint = static_cast<short>(v);
        ASSERT_EQ(acedSetVar(name, &rb), RTNORM) << name;
    }
    static double getReal(const char* name)
    {
        resbuf rb{};
        EXPECT_EQ(acedGetVar(name, &rb), RTNORM);
        return rb.resval.rreal;
    }
    static int getInt(const char* name)
    {
        resbuf rb{};
        EXPECT_EQ(acedGetVar(name, &rb), RTNORM);
        return rb.resval.rint;
    }
    static AcGePoint3d trans(const AcGePoint3d& p, int from, int to)
    {
        resbuf f{}, t{};
        f.restype = t.restype = RTSHORT;
        f.resval.rint = static_cast<short>(from);
        t.resval.rint = static_cast<short>(to);
        ads_point in = {p.x, p.y, p.z}, out;
        EXPECT_EQ(acedTrans(in, &f, &t, 0, out), RTNORM);
        return AcGePoint3d(out[0], out[1], out[2]);
    }

    // A layout with one floating viewport, entered.
    AcDbObjectId floatingViewport()
    {
        setInt("TILEMODE", 0);
        ads_point a = {1, 1, 0}, b = {9, 6, 0};
        EXPECT_EQ(acedCommand(RTSTR, "._MVIEW", RT3DPOINT, a, RT3DPOINT, b, RTNONE), RTNORM);
        EXPECT_EQ(acedCommand(RTSTR, "._MSPACE", RTNONE), RTNORM);
        Viewport vp;
        EXPECT_EQ(arx::views::activeViewport(db, vp), Acad::eOk);
        EXPECT_EQ(vp.kind, arx::views::ViewportKind::Floating);
        return vp.id;
    }

    void modelCorners(const Viewport& vp, AcGePoint3d model[4])
    {
        AcGePoint3d paper[4];
        arx::view::paperCorners(vp.frame, paper);
        for (int i = 0; i < 4; ++i) model[i] = trans(trans(paper[i], 3, 2), 2, 0);
    }

    AcDbDatabase* db = nullptr;
};

AcGeVector3d untwistedX(const AcGeVector3d& dir)
{
    AcGePoint3d o;
    AcGeVector3d x, y, z;
    AcGeMatrix3d::planeToWorld(dir).getCoordSystem(o, x, y, z);
    return x;
}

// The view a user left in the viewport: any direction, twist and zoom; in perspective the
// height is what the lens shows.
void lookSomewhere(Random& rnd, Viewport& vp, bool perspective)
{
    vp.view().target = rnd.point(300.0);
    vp.view().direction = rnd.vector();
    vp.view().twist = rnd.angle();
    vp.view().viewCenter.set(rnd.uniform(-50, 50), rnd.uniform(-50, 50));
    vp.view().viewHeight = rnd.uniform(1.0, 2000.0);
    vp.view().viewMode = 0;
    if (perspective) {
        ASSERT_EQ(arx::views::setCameraDistance(vp, vp.view().direction.length()), Acad::eOk);
    }
}

}  // namespace

// The replay KSREFRESH makes through the host's commands gives the remembered corners back.
TEST_F(ViewCommands, ZoomAndDviewReplayReaimsTheViewport)
{
    const AcDbObjectId id = floatingViewport();
    Random rnd(41);
    for (int i = 0; i < 40; ++i) {
        const bool perspective = i % 2 == 0;
        Viewport vp;
        ASSERT_EQ(arx::views::readViewport(id, vp), Acad::eOk);
        lookSomewhere(rnd, vp, perspective);
        ASSERT_EQ(arx::views::writeView(vp), Acad::eOk);
        AcGePoint3d model[4];
        modelCorners(vp, model);
        const AcGeVector3d normal = vp.view().direction;
        ads_point center;
        const AcGePoint3d c = model[2] + (model[0] - model[2]) * 0.5;
        center[0] = c.x, center[1] = c.y, center[2] = c.z;
        const AcGeVector3d bottom = model[3] - model[2];
        const AcGeVector3d x0 = untwistedX(normal), y0 = normal.normal().crossProduct(x0);
        const double twistDegrees = -std::atan2(bottom.dotProduct(y0), bottom.dotProduct(x0)) * 57.29577951308232;
        const double height = model[0].distanceTo(model[3]);

        Viewport moved = vp;
        lookSomewhere(rnd, moved, !perspective);
        ASSERT_EQ(arx::views::writeView(moved), Acad::eOk);

        ASSERT_EQ(acedSetCurrentUCS(AcGeMatrix3d::kIdentity), Acad::eOk);
        if (getInt("VIEWMODE") & 1) {
            ASSERT_EQ(acedCommand(RTSTR, "._DVIEW", RTSTR, "", RTSTR, "_Off", RTSTR, "_X", RTNONE), RTNORM);
        }
        {
            AcDbObjectPointer<AcDbViewport> entity(id, AcDb::kForWrite);
            ASSERT_EQ(entity->setViewDirection(normal), Acad::eOk);
            ASSERT_EQ(entity->setViewTarget(c), Acad::eOk);
        }
        ASSERT_EQ(acedCommand(RTSTR, "._ZOOM", RTSTR, "_C", RT3DPOINT, center, RTREAL, height, RTNONE), RTNORM);
        if (perspective) {
            ASSERT_EQ(acedCommand(RTSTR, "._DVIEW", RTSTR, "", RTSTR, "_TW", RTREAL, twistDegrees, RTSTR, "_Distance",
                                  RTREAL, normal.length(), RTSTR, "_X", RTNONE),
                      RTNORM);
        } else {
            ASSERT_EQ(acedCommand(RTSTR, "._DVIEW", RTSTR, "", RTSTR, "_TW", RTREAL, twistDegrees, RTSTR, "_X", RTNONE),
                      RTNORM);
        }
        ASSERT_EQ(acedRestorePreviousUCS(), Acad::eOk);

        Viewport again;
        ASSERT_EQ(arx::views::readViewport(id, again), Acad::eOk);
        AcGePoint3d back[4];
        modelCorners(again, back);
        const double tol = 1e-7 * (1.0 + c.asVector().length() + height);
        for (int k = 0; k < 4; ++k) EXPECT_TRUE(near(back[k], model[k], tol)) << "case " << i << " corner " << k;
        EXPECT_EQ(getInt("VIEWMODE") & 1, perspective ? 1 : 0);
    }
    EXPECT_EQ(printed(), "");
}

TEST_F(ViewCommands, XpScalesAndLockedViewports)
{
    const AcDbObjectId id = floatingViewport();
    ASSERT_EQ(acedCommand(RTSTR, "._ZOOM", RTSTR, "0.02xp", RTNONE), RTNORM);
    Viewport vp;
    ASSERT_EQ(arx::views::readViewport(id, vp), Acad::eOk);
    EXPECT_NEAR(arx::view::psdcsScale(vp.frame), 50.0, 1e-9);
    ASSERT_EQ(acedCommand(RTSTR, "._ZOOM", RTSTR, "2x", RTNONE), RTNORM);
    EXPECT_NEAR(getReal("VIEWSIZE"), 5.0 * 50.0 / 2.0, 1e-9);
    ASSERT_EQ(acedCommand(RTSTR, "._ZOOM", RTSTR, "_P", RTNONE), RTNORM);
    EXPECT_NEAR(getReal("VIEWSIZE"), 250.0, 1e-9);

    // A locked viewport keeps its view: ZOOM works on paper space instead.
    ASSERT_EQ(acedCommand(RTSTR, "._PSPACE", RTNONE), RTNORM);
    ads_point frameEdge = {1, 3, 0};
    ASSERT_EQ(acedCommand(RTSTR, "._MVIEW", RTSTR, "_Lock", RTSTR, "_ON", RT3DPOINT, frameEdge, RTSTR, "", RTNONE),
              RTNORM);
    ASSERT_EQ(acedCommand(RTSTR, "._MSPACE", RTNONE), RTNORM);
    ASSERT_EQ(acedCommand(RTSTR, "._ZOOM", RTSTR, "4x", RTNONE), RTNORM);
    EXPECT_NEAR(getReal("VIEWSIZE"), 250.0, 1e-9);
    Viewport paper;
    ASSERT_EQ(
        arx::views::readViewport(arx::views::paperSpaceViewport(db, arx::views::currentLayoutId(db), false), paper),
        Acad::eOk);
    EXPECT_NEAR(paper.view().viewHeight, 9.0 / 4.0, 1e-9);
}

TEST_F(ViewCommands, DviewClippingAndPerspective)
{
    floatingViewport();
    ASSERT_EQ(acedCommand(RTSTR, "._DVIEW", RTSTR, "", RTSTR, "_CLip", RTSTR, "_Front", RTREAL, 5.0, RTSTR, "_CLip",
                          RTSTR, "_Back", RTREAL, -3.0, RTSTR, "_X", RTNONE),
              RTNORM);
    EXPECT_EQ(getInt("VIEWMODE"), 2 | 4 | 16);
    EXPECT_DOUBLE_EQ(getReal("FRONTZ"), 5.0);
    EXPECT_DOUBLE_EQ(getReal("BACKZ"), -3.0);
    ASSERT_EQ(acedCommand(RTSTR, "._DVIEW", RTSTR, "", RTSTR, "_CLip", RTSTR, "_Off", RTSTR, "_Distance", RTREAL, 80.0,
                          RTSTR, "_X", RTNONE),
              RTNORM);
    EXPECT_EQ(getInt("VIEWMODE"), 1 | 16);
    ASSERT_EQ(acedCommand(RTSTR, "._DVIEW", RTSTR, "", RTSTR, "_Zoom", RTREAL, 100.0, RTSTR, "_X", RTNONE), RTNORM);
    EXPECT_DOUBLE_EQ(getReal("LENSLENGTH"), 100.0);
    // ZOOM refuses a perspective view and leaves it as it is.
    const double size = getReal("VIEWSIZE");
    EXPECT_EQ(acedCommand(RTSTR, "._ZOOM", RTNONE), RTERROR);
    EXPECT_NE(printed().find("** That command may not be invoked in a perspective view **"), std::string::npos);
    EXPECT_DOUBLE_EQ(getReal("VIEWSIZE"), size);
    ASSERT_EQ(acedCommand(RTSTR, "._DVIEW", RTSTR, "", RTSTR, "_Off", RTSTR, "_X", RTNONE), RTNORM);
    EXPECT_EQ(getInt("VIEWMODE"), 16);
    // DVIEW's Undo takes back one option at a time.
    ASSERT_EQ(acedCommand(RTSTR, "._DVIEW", RTSTR, "", RTSTR, "_TW", RTREAL, 30.0, RTSTR, "_TW", RTREAL, 60.0, RTSTR,
                          "_U", RTSTR, "_X", RTNONE),
              RTNORM);
    EXPECT_NEAR(getReal("VIEWTWIST"), 30.0 / 57.29577951308232, 1e-12);
}

TEST_F(ViewCommands, LayoutsAndUcsThroughCommands)
{
    ASSERT_EQ(acedCommand(RTSTR, "._LAYOUT", RTSTR, "_New", RTSTR, "Plan", RTNONE), RTNORM);
    ASSERT_EQ(acedCommand(RTSTR, "._LAYOUT", RTSTR, "_Set", RTSTR, "plan", RTNONE), RTNORM);
    resbuf rb{};
    ASSERT_EQ(acedGetVar("CTAB", &rb), RTNORM);
    EXPECT_STREQ(rb.resval.rstring, "Plan");
    free(rb.resval.rstring);
    EXPECT_EQ(getInt("CVPORT"), 1);

    ads_point origin = {1, 2, 3}, onZ = {1, 2, 4}, xAt = {2, 2, 3}, yAt = {1, 2, 4};
    ASSERT_EQ(acedCommand(RTSTR, "._UCS", RTSTR, "_3point", RT3DPOINT, origin, RT3DPOINT, xAt, RT3DPOINT, yAt, RTNONE),
              RTNORM);
    EXPECT_TRUE(near(trans(AcGePoint3d(0, 1, 0), 1, 0), AcGePoint3d(1, 2, 4)));
    ASSERT_EQ(acedCommand(RTSTR, "._UCS", RTSTR, "_W", RTNONE), RTNORM);
    ASSERT_EQ(acedCommand(RTSTR, "._UCS", RTSTR, "_ZA", RT3DPOINT, origin, RT3DPOINT, onZ, RTNONE), RTNORM);
    EXPECT_TRUE(near(trans(AcGePoint3d(0, 0, 1), 1, 0), AcGePoint3d(1, 2, 4)));
    ASSERT_EQ(acedCommand(RTSTR, "._UCS", RTSTR, "_P", RTNONE), RTNORM);
    ASSERT_EQ(acedCommand(RTSTR, "._UCS", RTSTR, "_P", RTNONE), RTNORM);
    EXPECT_TRUE(near(trans(AcGePoint3d(0, 1, 0), 1, 0), AcGePoint3d(1, 2, 4)));
    EXPECT_EQ(printed(), "");
}

TEST_F(ViewCommands, CommandsThatNeedALayoutOrModelSpaceSaySo)
{
    EXPECT_EQ(acedCommand(RTSTR, "._MVIEW", RTNONE), RTERROR);
    EXPECT_EQ(acedCommand(RTSTR, "._PSPACE", RTNONE), RTERROR);
    EXPECT_EQ(printed(), "** Command not allowed in Model Tab **\n** Command not allowed in Model Tab **\n");
    printed().clear();
    setInt("TILEMODE", 0);
    EXPECT_EQ(acedCommand(RTSTR, "._MSPACE", RTNONE), RTERROR);
    EXPECT_EQ(acedCommand(RTSTR, "._DVIEW", RTNONE), RTERROR);
    EXPECT_EQ(printed(), "There are no active model space viewports.\n"
                         "** That command may not be invoked in paper space **\n");
    EXPECT_TRUE(arx::views::floatingViewports(arx::views::currentLayoutId(db)).empty());
}

// Appends to the current space and closes.
AcDbObjectId append(AcDbDatabase* db, AcDbEntity* ent)
{
    AcDbObjectPointer<AcDbBlockTableRecord> space(db->currentSpaceId(), AcDb::kForWrite);
    AcDbObjectId id;
    EXPECT_EQ(space->appendAcDbEntity(id, ent), Acad::eOk);
    ent->close();
    return id;
}

TEST_F(ViewCommands, ObjectOptionClipsByTheLastClosedCurve)
{
    setInt("TILEMODE", 0);
    append(db, new AcDbArc(AcGePoint3d(20, 5, 0), 2.0, 0.0, 1.0));
    EXPECT_EQ(acedCommand(RTSTR, "._MVIEW", RTSTR, "_O", RTSTR, "_L", RTNONE), RTERROR);
    EXPECT_EQ(printed(), "Object is not a closed curve of this layout.\n");
    EXPECT_TRUE(arx::views::floatingViewports(arx::views::currentLayoutId(db)).empty());

    const AcDbObjectId circle = append(db, new AcDbCircle(AcGePoint3d(20, 5, 0), AcGeVector3d::kZAxis, 3.0));
    ASSERT_EQ(acedCommand(RTSTR, "._MVIEW", RTSTR, "_O", RTSTR, "_L", RTNONE), RTNORM);
    const std::vector<AcDbObjectId> made = arx::views::floatingViewports(arx::views::currentLayoutId(db));
    ASSERT_EQ(made.size(), 1u);
    AcDbObjectPointer<AcDbViewport> vp(made.front(), AcDb::kForRead);
    EXPECT_TRUE(vp->isNonRectClipOn());
    EXPECT_EQ(vp->nonRectClipEntityId(), circle);
    EXPECT_TRUE(near(vp->centerPoint(), AcGePoint3d(20, 5, 0)));
    EXPECT_DOUBLE_EQ(vp->height(), 6.0);
    vp.close();

    // A curve picked on the sheet serves as well as the last one.
    const AcDbObjectId picked = append(db, new AcDbCircle(AcGePoint3d(40, 5, 0), AcGeVector3d::kZAxis, 2.0));
    append(db, new AcDbArc(AcGePoint3d(60, 5, 0), 2.0, 0.0, 1.0));
    ads_point onPicked = {42, 5, 0};
    ASSERT_EQ(acedCommand(RTSTR, "._MVIEW", RTSTR, "_O", RT3DPOINT, onPicked, RTNONE), RTNORM);
    EXPECT_EQ(arx::views::clipBoundaryOf(arx::views::floatingViewports(arx::views::currentLayoutId(db)).back()),
              picked);
}

namespace {

// Where a sheet point shows in the viewport's DCS: what a clip must not move.
AcGePoint2d dcsOfSheetPoint(AcDbObjectId viewport, double x, double y)
{
    AcDbObjectPointer<AcDbViewport> vp(viewport, AcDb::kForRead);
    const double scale = vp->viewHeight() / vp->height();
    return vp->viewCenter() + AcGeVector2d((x - vp->centerPoint().x) * scale, (y - vp->centerPoint().y) * scale);
}

bool namesAsReactor(AcDbObjectId boundary, AcDbObjectId viewport)
{
    AcDbObjectPointer<AcDbEntity> ent(boundary, AcDb::kForRead, true);
    const AcDbVoidPtrArray* reactors = ent->reactors();
    for (int i = 0; reactors && i < reactors->length(); ++i)
        if (acdbIsPersistentReactor((*reactors)[i]) && acdbPersistentReactorObjectId((*reactors)[i]) == viewport)
            return true;
    return false;
}

}  // namespace

TEST_F(ViewCommands, VpclipClipsByAClosedCurveOrAPolygonReplacesAndDeletesTheBoundary)
{
    const AcDbObjectId viewport = floatingViewport();
    ASSERT_EQ(acedCommand(RTSTR, "._PSPACE", RTNONE), RTNORM);
    const AcGePoint2d shown = dcsOfSheetPoint(viewport, 5.0, 3.0);
    const AcDbObjectId line = append(db, new AcDbLine(AcGePoint3d(0, 8, 0), AcGePoint3d(4, 8, 0)));
    const AcDbObjectId circle = append(db, new AcDbCircle(AcGePoint3d(4, 3, 0), AcGeVector3d::kZAxis, 2.0));
    ads_point frameEdge = {1, 2, 0}, onLine = {2, 8, 0}, onCircle = {6, 3, 0};

    // An open curve is refused and nothing changes.
    EXPECT_EQ(acedCommand(RTSTR, "._VPCLIP", RT3DPOINT, frameEdge, RT3DPOINT, onLine, RTNONE), RTERROR);
    EXPECT_EQ(printed(), "Object is not a closed curve of this layout.\n");
    EXPECT_TRUE(arx::views::clipBoundaryOf(viewport).isNull());

    // The circle: the frame becomes its extents and the model stays where it was on the sheet.
    ASSERT_EQ(acedCommand(RTSTR, "._VPCLIP", RT3DPOINT, frameEdge, RT3DPOINT, onCircle, RTNONE), RTNORM);
    {
        AcDbObjectPointer<AcDbViewport> vp(viewport, AcDb::kForRead);
        EXPECT_TRUE(vp->isNonRectClipOn());
        EXPECT_EQ(vp->nonRectClipEntityId(), circle);
        EXPECT_TRUE(near(vp->centerPoint(), AcGePoint3d(4, 3, 0)));
        EXPECT_DOUBLE_EQ(vp->width(), 4.0);
        EXPECT_DOUBLE_EQ(vp->height(), 4.0);
    }
    EXPECT_LT((dcsOfSheetPoint(viewport, 5.0, 3.0) - shown).length(), 1e-9);
    EXPECT_TRUE(namesAsReactor(circle, viewport));

    // Clipped again, by a polygon, picked through its boundary: the circle goes.
    ads_point p1 = {2, 2, 0}, p2 = {7, 2, 0}, p3 = {7, 5, 0};
    ASSERT_EQ(acedCommand(RTSTR, "._VPCLIP", RT3DPOINT, onCircle, RTSTR, "_P", RT3DPOINT, p1, RT3DPOINT, p2, RT3DPOINT,
                          p3, RTSTR, "_C", RTNONE),
              RTNORM);
    EXPECT_TRUE(circle.isErased());
    const AcDbObjectId polygon = arx::views::clipBoundaryOf(viewport);
    ASSERT_FALSE(polygon.isNull());
    EXPECT_NE(polygon, circle);
    EXPECT_TRUE(namesAsReactor(polygon, viewport));
    {
        AcDbObjectPointer<AcDbViewport> vp(viewport, AcDb::kForRead);
        EXPECT_TRUE(near(vp->centerPoint(), AcGePoint3d(4.5, 3.5, 0)));
        EXPECT_DOUBLE_EQ(vp->width(), 5.0);
    }
    EXPECT_LT((dcsOfSheetPoint(viewport, 5.0, 3.0) - shown).length(), 1e-9);

    // U puts the circle back as the boundary.
    ASSERT_EQ(acedCommand(RTSTR, "._U", RTNONE), RTNORM);
    EXPECT_FALSE(circle.isErased());
    EXPECT_EQ(arx::views::clipBoundaryOf(viewport), circle);

    // Delete: rectangular again, the boundary erased, the frame kept.
    ASSERT_EQ(acedCommand(RTSTR, "._VPCLIP", RT3DPOINT, onCircle, RTSTR, "_D", RTNONE), RTNORM);
    EXPECT_TRUE(circle.isErased());
    AcDbObjectPointer<AcDbViewport> vp(viewport, AcDb::kForRead);
    EXPECT_FALSE(vp->isNonRectClipOn());
    EXPECT_TRUE(vp->nonRectClipEntityId().isNull());
    EXPECT_DOUBLE_EQ(vp->width(), 4.0);
    EXPECT_FALSE(line.isErased());
}

TEST_F(ViewCommands, VpclipAsksForAViewportAndTakesThePickFirstOne)
{
    const AcDbObjectId viewport = floatingViewport();
    ASSERT_EQ(acedCommand(RTSTR, "._PSPACE", RTNONE), RTNORM);
    const AcDbObjectId line = append(db, new AcDbLine(AcGePoint3d(0, 8, 0), AcGePoint3d(4, 8, 0)));
    const AcDbObjectId circle = append(db, new AcDbCircle(AcGePoint3d(4, 3, 0), AcGeVector3d::kZAxis, 1.0));
    ads_point onLine = {2, 8, 0}, frameEdge = {1, 2, 0}, onCircle = {5, 3, 0};
    // A line is not a viewport: asked again; Enter at the clipping object draws a polygon.
    ASSERT_EQ(acedCommand(RTSTR, "._VPCLIP", RT3DPOINT, onLine, RT3DPOINT, frameEdge, RTSTR, "", RTSTR, "", RTNONE),
              RTNORM);
    EXPECT_EQ(printed(), "Object is not a viewport.\n");
    EXPECT_TRUE(arx::views::clipBoundaryOf(viewport).isNull()) << "Enter before any point changes nothing";

    ads_name ss, ent;
    ASSERT_EQ(acdbGetAdsName(ent, viewport), Acad::eOk);
    ASSERT_EQ(acedSSAdd(ent, nullptr, ss), RTNORM);
    ASSERT_EQ(acedSSSetFirst(ss, nullptr), RTNORM);
    ASSERT_EQ(acedCommand(RTSTR, "._VPCLIP", RT3DPOINT, onCircle, RTNONE), RTNORM);
    acedSSFree(ss);
    EXPECT_EQ(arx::views::clipBoundaryOf(viewport), circle);
    EXPECT_FALSE(line.isErased());

    // MVIEW Lock through the clip boundary locks its viewport; the line is dropped.
    ASSERT_EQ(acedCommand(RTSTR, "._MVIEW", RTSTR, "_Lock", RTSTR, "_ON", RT3DPOINT, onCircle, RT3DPOINT, onLine, RTSTR,
                          "", RTNONE),
              RTNORM);
    {
        AcDbObjectPointer<AcDbViewport> vp(viewport, AcDb::kForRead);
        EXPECT_TRUE(vp->isLocked());
    }

    // A second viewport cannot share the first one's boundary; on a locked layer it is left as it is.
    ads_point c1 = {20, 1, 0}, c2 = {28, 6, 0}, secondEdge = {20, 3, 0};
    ASSERT_EQ(acedCommand(RTSTR, "._MVIEW", RT3DPOINT, c1, RT3DPOINT, c2, RTNONE), RTNORM);
    const AcDbObjectId second = arx::views::floatingViewports(arx::views::currentLayoutId(db)).back();
    printed().clear();
    EXPECT_EQ(acedCommand(RTSTR, "._VPCLIP", RT3DPOINT, secondEdge, RT3DPOINT, onCircle, RTNONE), RTERROR);
    EXPECT_EQ(printed(), "Object is not a closed curve of this layout.\n");
    EXPECT_EQ(arx::views::clipBoundaryOf(viewport), circle);
    EXPECT_TRUE(arx::views::clipBoundaryOf(second).isNull());

    ASSERT_EQ(acedCommand(RTSTR, "._-LAYER", RTSTR, "_N", RTSTR, "Frames", RTSTR, "", RTNONE), RTNORM);
    {
        AcDbObjectPointer<AcDbViewport> vp(second, AcDb::kForWrite);
        ASSERT_EQ(vp.openStatus(), Acad::eOk);
        ASSERT_EQ(vp->setLayer("Frames"), Acad::eOk);
    }
    ASSERT_EQ(acedCommand(RTSTR, "._-LAYER", RTSTR, "_LO", RTSTR, "Frames", RTSTR, "", RTNONE), RTNORM);
    const AcDbObjectId square = append(db, new AcDbCircle(AcGePoint3d(24, 3, 0), AcGeVector3d::kZAxis, 1.0));
    ads_point onSquare = {25, 3, 0};
    printed().clear();
    EXPECT_EQ(acedCommand(RTSTR, "._VPCLIP", RT3DPOINT, secondEdge, RT3DPOINT, onSquare, RTNONE), RTERROR);
    EXPECT_EQ(printed(), "The viewport or its boundary is on a locked layer.\n");
    EXPECT_TRUE(arx::views::clipBoundaryOf(second).isNull());
    EXPECT_FALSE(namesAsReactor(square, second)) << "a boundary that was refused names no viewport";

    // A boundary on a locked layer leaves the viewport as it was.
    ASSERT_EQ(acedCommand(RTSTR, "._-LAYER", RTSTR, "_U", RTSTR, "Frames", RTSTR, "", RTNONE), RTNORM);
    {
        AcDbObjectPointer<AcDbCircle> ring(square, AcDb::kForWrite);
        ASSERT_EQ(ring.openStatus(), Acad::eOk);
        ASSERT_EQ(ring->setLayer("Frames"), Acad::eOk);
        AcDbObjectPointer<AcDbViewport> vp(second, AcDb::kForWrite);
        ASSERT_EQ(vp.openStatus(), Acad::eOk);
        ASSERT_EQ(vp->setLayer("0"), Acad::eOk);
    }
    ASSERT_EQ(acedCommand(RTSTR, "._-LAYER", RTSTR, "_LO", RTSTR, "Frames", RTSTR, "", RTNONE), RTNORM);
    double widthBefore = 0.0;
    {
        AcDbObjectPointer<AcDbViewport> vp(second, AcDb::kForRead);
        widthBefore = vp->width();
    }
    printed().clear();
    EXPECT_EQ(acedCommand(RTSTR, "._VPCLIP", RT3DPOINT, secondEdge, RT3DPOINT, onSquare, RTNONE), RTERROR);
    EXPECT_EQ(printed(), "The viewport or its boundary is on a locked layer.\n");
    {
        AcDbObjectPointer<AcDbViewport> vp(second, AcDb::kForRead);
        EXPECT_FALSE(vp->isNonRectClipOn());
        EXPECT_DOUBLE_EQ(vp->width(), widthBefore);
    }

    // Nor is a clip deleted whose boundary is on a locked layer.
    {
        AcDbObjectPointer<AcDbCircle> ring(circle, AcDb::kForWrite);
        ASSERT_EQ(ring.openStatus(), Acad::eOk);
        ASSERT_EQ(ring->setLayer("Frames"), Acad::eOk);
    }
    printed().clear();
    EXPECT_EQ(acedCommand(RTSTR, "._VPCLIP", RT3DPOINT, onCircle, RTSTR, "_D", RTNONE), RTERROR);
    EXPECT_EQ(printed(), "The viewport or its boundary is on a locked layer.\n");
    EXPECT_EQ(arx::views::clipBoundaryOf(viewport), circle);
    EXPECT_FALSE(circle.isErased());
}

namespace {

const resbuf* group(const resbuf* list, int code)
{
    for (; list != nullptr; list = list->rbnext)
        if (list->restype == code) return list;
    return nullptr;
}

AcDbObjectId idOf(const resbuf* rb)
{
    AcDbObjectId id;
    if (rb != nullptr) acdbGetObjectId(id, rb->resval.rlname);
    return id;
}

}  // namespace

TEST_F(ViewCommands, EntGetOfViewportsGivesOwnerClipLayoutAndTheirState)
{
    const AcDbObjectId viewport = floatingViewport();
    ASSERT_EQ(acedCommand(RTSTR, "._PSPACE", RTNONE), RTNORM);
    const AcDbObjectId circle = append(db, new AcDbCircle(AcGePoint3d(4, 3, 0), AcGeVector3d::kZAxis, 1.0));
    ads_point frameEdge = {1, 2, 0}, onCircle = {5, 3, 0};
    ads_name name;
    ASSERT_EQ(acdbGetAdsName(name, viewport), Acad::eOk);

    resbuf* list = acdbEntGet(name);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(idOf(group(list, 330)), db->currentSpaceId()) << "the owner is the layout's block";
    ASSERT_NE(group(list, 410), nullptr);
    EXPECT_STREQ(group(list, 410)->resval.rstring, "Layout1");
    EXPECT_EQ(group(list, 340), nullptr) << "no clip entity while rectangular";
    EXPECT_GT(group(list, 68)->resval.rint, 0);
    EXPECT_EQ(group(list, 90)->resval.rlong & (0x4000 | 0x10000 | 0x20000), 0);
    acutRelRb(list);

    ASSERT_EQ(acedCommand(RTSTR, "._VPCLIP", RT3DPOINT, frameEdge, RT3DPOINT, onCircle, RTNONE), RTNORM);
    ASSERT_EQ(acedCommand(RTSTR, "._MVIEW", RTSTR, "_Lock", RTSTR, "_ON", RT3DPOINT, onCircle, RTSTR, "", RTNONE),
              RTNORM);
    list = acdbEntGet(name);
    EXPECT_EQ(idOf(group(list, 340)), circle);
    EXPECT_EQ(group(list, 90)->resval.rlong & (0x4000 | 0x10000), 0x4000 | 0x10000) << "display locked and clipped";
    acutRelRb(list);

    // The boundary names its viewport among its reactors.
    ads_name circleName;
    ASSERT_EQ(acdbGetAdsName(circleName, circle), Acad::eOk);
    list = acdbEntGet(circleName);
    const resbuf* reactors = group(list, 102);
    ASSERT_NE(reactors, nullptr);
    EXPECT_STREQ(reactors->resval.rstring, "{ACAD_REACTORS");
    EXPECT_EQ(idOf(reactors->rbnext), viewport);
    acutRelRb(list);

    ASSERT_EQ(acedCommand(RTSTR, "._MVIEW", RTSTR, "_OFF", RT3DPOINT, onCircle, RTSTR, "", RTNONE), RTNORM);
    list = acdbEntGet(name);
    EXPECT_EQ(group(list, 68)->resval.rint, 0) << "off";
    EXPECT_NE(group(list, 90)->resval.rlong & 0x20000, 0);
    acutRelRb(list);
    AcDbObjectPointer<AcDbViewport> vp(viewport, AcDb::kForRead);
    EXPECT_FALSE(vp->isOn());
    EXPECT_EQ(vp->number(), -1);
}

namespace {

// The viewport's legacy view record, item by item: group codes and their values as text.
std::vector<std::string> viewRecordOf(AcDbObjectId viewport)
{
    AcDbObjectPointer<AcDbViewport> vp(viewport, AcDb::kForRead);
    resbuf* record = vp->xData("ACAD");
    std::vector<std::string> items;
    for (const resbuf* item = record; item != nullptr; item = item->rbnext) {
        std::string text = std::to_string(item->restype) + " ";
        if (item->restype == 1010) {
            for (double v : item->resval.rpoint) text += std::to_string(v) + ",";
        } else if (item->restype == 1040) {
            text += std::to_string(item->resval.rreal);
        } else if (item->restype == 1070) {
            text += std::to_string(item->resval.rint);
        } else {
            text += item->resval.rstring;
        }
        items.push_back(text);
    }
    acutRelRb(record);
    return items;
}

std::string realText(double v) { return "1040 " + std::to_string(v); }

}  // namespace

// Every floating viewport the host makes carries the legacy view record, and the host rewrites
// it whenever it changes the view (ZOOM, DVIEW, a resizing); a move leaves the record as it is.
TEST_F(ViewCommands, TheHostKeepsTheLegacyViewRecordOfEveryFloatingViewport)
{
    const AcDbObjectId id = floatingViewport();
    std::vector<std::string> record = viewRecordOf(id);
    ASSERT_EQ(record.size(), 32u);
    Viewport vp;
    ASSERT_EQ(arx::views::readViewport(id, vp), Acad::eOk);
    const std::vector<std::string> head = {"1001 ACAD", "1000 MVIEW", "1002 {", "1070 16"};
    EXPECT_EQ(std::vector<std::string>(record.begin(), record.begin() + 4), head);
    EXPECT_EQ(record[5], "1010 0.000000,0.000000,1.000000,");
    EXPECT_EQ(record[6], realText(0.0));                     // twist
    EXPECT_EQ(record[7], realText(vp.view().viewHeight));    // view height
    EXPECT_EQ(record[8], realText(vp.view().viewCenter.x));  // view centre
    EXPECT_EQ(record[9], realText(vp.view().viewCenter.y));
    EXPECT_EQ(record[10], realText(50.0));  // lens length
    EXPECT_EQ(record[14], "1070 100");      // circle zoom
    const std::vector<std::string> tail = {"1002 {", "1002 }", "1002 }"};
    EXPECT_EQ(std::vector<std::string>(record.end() - 3, record.end()), tail);

    // ZOOM and DVIEW inside the viewport rewrite it.
    ASSERT_EQ(acedCommand(RTSTR, "._ZOOM", RTSTR, "2X", RTNONE), RTNORM);
    ASSERT_EQ(arx::views::readViewport(id, vp), Acad::eOk);
    EXPECT_EQ(viewRecordOf(id)[7], realText(vp.view().viewHeight));
    ASSERT_EQ(acedCommand(RTSTR, "._DVIEW", RTSTR, "", RTSTR, "_TW", RTREAL, 30.0, RTSTR, "_X", RTNONE), RTNORM);
    ASSERT_EQ(arx::views::readViewport(id, vp), Acad::eOk);
    EXPECT_NE(vp.view().twist, 0.0);
    EXPECT_EQ(viewRecordOf(id)[6], realText(vp.view().twist));

    // On the sheet: a move keeps a record someone else wrote; a scaling rewrites it.
    ASSERT_EQ(acedCommand(RTSTR, "._PSPACE", RTNONE), RTNORM);
    {
        AcDbObjectPointer<AcDbViewport> entity(id, AcDb::kForWrite);
        resbuf* own = acutBuildList(1001, "ACAD", 1000, "MVIEW", 1002, "{", 1070, 16, 1002, "}", 0);
        ASSERT_EQ(entity->setXData(own), Acad::eOk);
        acutRelRb(own);
    }
    ads_name name;
    ASSERT_EQ(acdbGetAdsName(name, id), Acad::eOk);
    ads_point from = {0, 0, 0}, to = {3, 1, 0};
    ASSERT_EQ(acedCommand(RTSTR, "._MOVE", RTENAME, name, RTSTR, "", RT3DPOINT, from, RT3DPOINT, to, RTNONE), RTNORM);
    EXPECT_EQ(viewRecordOf(id).size(), 5u);
    ASSERT_EQ(acedCommand(RTSTR, "._SCALE", RTENAME, name, RTSTR, "", RT3DPOINT, to, RTREAL, 0.5, RTNONE), RTNORM);
    ASSERT_EQ(arx::views::readViewport(id, vp), Acad::eOk);
    record = viewRecordOf(id);
    ASSERT_EQ(record.size(), 32u);
    EXPECT_EQ(record[7], realText(vp.view().viewHeight));

    // The layout's own paper-space viewport has none; a clipped viewport has one.
    EXPECT_TRUE(viewRecordOf(arx::views::paperSpaceViewport(db, arx::views::currentLayoutId(db), false)).empty());
    append(db, new AcDbCircle(AcGePoint3d(40, 5, 0), AcGeVector3d::kZAxis, 3.0));
    ASSERT_EQ(acedCommand(RTSTR, "._MVIEW", RTSTR, "_O", RTSTR, "_L", RTNONE), RTNORM);
    EXPECT_EQ(viewRecordOf(arx::views::floatingViewports(arx::views::currentLayoutId(db)).back()).size(), 32u);
}
