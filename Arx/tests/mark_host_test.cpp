// Marks on the stand-in host running in this process: the projection of floating viewports
// through the host's views (acedTrans), marks filled from the active viewport, and drawings
// with marks saved with SAVEAS and opened again with OPEN.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <numbers>
#include <random>

#include "acedads.h"
#include "aced.h"
#include "acdbads_db.h"
#include "dbapserv.h"
#include "dbents.h"
#include "dbsymtb.h"
#include "ed/console.h"
#include "geassign.h"
#include "geplane.h"
#include "host.h"
#include "mark/vadu_kestra.h"
#include "mark/viewport_projection.h"
#include "mark_test_support.h"
#include "win32standin.h"

namespace {

constexpr double kPi = std::numbers::pi;

// The host, started once for the whole program with a registry folder of its own.
class HostEnvironment : public testing::Environment {
public:
    void SetUp() override
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "kestra-mark-host-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
        arx::host::HostOptions options;
        options.registryFolder = folder_;
        // The command line's echo of the commands the tests run is not what they check.
        arx::ed::Console::instance().setSink([](std::string_view) {});
        arx::host::startHost(options);
        kestra::registerMarkClass();
        acrxBuildClassHierarchy();
    }
    void TearDown() override
    {
        arx::host::stopHost();
        arx::ed::Console::instance().resetSink();
        Win32SetRegistryFolder(nullptr);
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    const std::string& folder() const { return folder_; }

private:
    std::string folder_;
};

HostEnvironment* host = static_cast<HostEnvironment*>(testing::AddGlobalTestEnvironment(new HostEnvironment));

AcDbDatabase* drawing() { return acdbHostApplicationServices()->workingDatabase(); }

void setShort(const char* name, int value)
{
    resbuf rb;
    rb.restype = RTSHORT;
    rb.resval.rint = static_cast<short>(value);
    ASSERT_EQ(acedSetVar(name, &rb), RTNORM) << name;
}

void setReal(const char* name, double value)
{
    resbuf rb;
    rb.restype = RTREAL;
    rb.resval.rreal = value;
    ASSERT_EQ(acedSetVar(name, &rb), RTNORM) << name;
}

AcGePoint3d trans(const AcGePoint3d& point, int from, int to)
{
    resbuf fromSystem;
    fromSystem.restype = RTSHORT;
    fromSystem.resval.rint = static_cast<short>(from);
    resbuf toSystem;
    toSystem.restype = RTSHORT;
    toSystem.resval.rint = static_cast<short>(to);
    AcGePoint3d result;
    EXPECT_EQ(acedTrans(asDblArray(point), &fromSystem, &toSystem, 0, asDblArray(result)), RTNORM);
    return result;
}

AcDbObjectId lastEntity()
{
    ads_name name;
    EXPECT_EQ(acdbEntLast(name), RTNORM);
    AcDbObjectId id;
    acdbGetObjectId(id, name);
    return id;
}

// A view of a floating viewport, drawn at random.
struct RandomView {
    AcGePoint3d center;  // on the sheet
    double width, height;
    AcGeVector3d direction;
    AcGePoint3d target;
    AcGePoint2d viewCenter;
    double viewHeight, twist, lens;
    bool perspective;
};

RandomView randomView(std::mt19937& random, bool perspective, bool plan)
{
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    RandomView v;
    v.center = AcGePoint3d(150 + 100 * unit(random), 100 + 60 * unit(random), 0);
    v.width = 60 + 50 * std::fabs(unit(random));
    v.height = 40 + 30 * std::fabs(unit(random));
    do {
        v.direction = plan ? AcGeVector3d::kZAxis : AcGeVector3d(unit(random), unit(random), unit(random));
    } while (v.direction.length() < 0.2);
    v.direction.normalize();
    v.target = AcGePoint3d(500 * unit(random), 500 * unit(random), 50 * unit(random));
    v.viewCenter = AcGePoint2d(200 * unit(random), 200 * unit(random));
    v.viewHeight = std::pow(10.0, 1.0 + 2.0 * std::fabs(unit(random)));
    v.twist = kPi * (1.0 + unit(random));
    v.lens = 20 + 80 * std::fabs(unit(random));
    v.perspective = perspective;
    return v;
}

// A host session in a layout with floating viewports made by MVIEW and aimed by the API.
class MarkHostTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(acedCommand(RTSTR, "NEW", RTNONE), RTNORM);
        setShort("TILEMODE", 0);
    }

    // A new floating viewport of the current layout with the given view, made current.
    AcDbObjectId makeCurrentViewport(const RandomView& v)
    {
        acedCommand(RTSTR, "._PSPACE", RTNONE);
        const AcGePoint3d c1 = v.center - AcGeVector3d(v.width / 2, v.height / 2, 0);
        const AcGePoint3d c2 = v.center + AcGeVector3d(v.width / 2, v.height / 2, 0);
        EXPECT_EQ(acedCommand(RTSTR, "._MVIEW", RT3DPOINT, asDblArray(c1), RT3DPOINT, asDblArray(c2), RTNONE), RTNORM);
        const AcDbObjectId id = lastEntity();
        AcDbViewport* viewport = nullptr;
        EXPECT_EQ(acdbOpenObject(viewport, id, AcDb::kForWrite), Acad::eOk);
        if (viewport == nullptr) return id;
        viewport->setViewDirection(v.direction);
        viewport->setViewTarget(v.target);
        viewport->setViewCenter(v.viewCenter);
        viewport->setViewHeight(v.viewHeight);
        viewport->setTwistAngle(v.twist);
        viewport->setLensLength(v.lens);
        if (v.perspective) viewport->setPerspectiveOn();
        else viewport->setPerspectiveOff();
        viewport->close();
        EXPECT_EQ(acedCommand(RTSTR, "._MSPACE", RTNONE), RTNORM);
        viewport = nullptr;
        EXPECT_EQ(acdbOpenObject(viewport, id, AcDb::kForRead), Acad::eOk);
        EXPECT_EQ(acedSetCurrentVPort(viewport), Acad::eOk);
        viewport->close();
        return id;
    }
};

}  // namespace

TEST_F(MarkHostTest, ModelCornersOfRandomViewportsLandOnTheirPaperCornersThroughTheHostsViews)
{
    std::mt19937 random(20040304);
    for (int i = 0; i < 60; ++i) {
        const RandomView v = randomView(random, i % 3 == 2, i % 4 == 0);
        const AcDbObjectId id = makeCurrentViewport(v);
        AcDbViewport* viewport = nullptr;
        ASSERT_EQ(acdbOpenObject(viewport, id, AcDb::kForRead), Acad::eOk);
        const kestra::Corners paper = kestra::paperCorners(*viewport);
        const std::optional<kestra::Corners> model = kestra::modelCorners(*viewport);
        viewport->close();
        ASSERT_TRUE(model.has_value()) << "case " << i;
        for (int k = 0; k < 4; ++k) {
            const AcGePoint3d back = trans(trans((*model)[k], RTWCS, RTDCS), RTDCS, RTPSDCS);
            EXPECT_NEAR(back.x, paper[k].x, 1e-7) << "case " << i << " corner " << k;
            EXPECT_NEAR(back.y, paper[k].y, 1e-7) << "case " << i << " corner " << k;
        }
    }
}

TEST_F(MarkHostTest, AMarkFilledFromTheActiveViewportHasItsDerivedQuantities)
{
    std::mt19937 random(15060405);
    for (int i = 0; i < 60; ++i) {
        const RandomView v = randomView(random, i % 3 == 2, i % 4 == 0);
        const AcDbObjectId id = makeCurrentViewport(v);
        AcDbViewport* viewport = nullptr;
        ASSERT_EQ(acdbOpenObject(viewport, id, AcDb::kForRead), Acad::eOk);
        VaduKestra mark;
        ASSERT_EQ(kestra::fillMarkFromViewport(mark, *viewport), Acad::eOk) << "case " << i;
        const AcGePoint3d* c = mark.corners();
        EXPECT_TRUE(mark.center().isEqualTo(c[2] + (c[0] - c[2]) * 0.5)) << "case " << i;
        const double angle = (c[3] - c[2]).angleOnPlane(AcGePlane(mark.center(), mark.normal()));
        EXPECT_NEAR(mark.rotation(), -angle, 1e-12) << "case " << i;
        EXPECT_LE(mark.rotation(), 0.0);
        EXPECT_GT(mark.rotation(), -2 * kPi);
        EXPECT_NEAR(mark.zoomXp(), viewport->height() / c[0].distanceTo(c[3]), 1e-12) << "case " << i;
        EXPECT_TRUE(mark.normal().isEqualTo(viewport->viewDirection())) << "case " << i;
        EXPECT_EQ(mark.paperHeight(), viewport->height());
        AcDbHandle handle;
        viewport->getAcDbHandle(handle);
        EXPECT_EQ(mark.viewportHandle(), handle);
        EXPECT_EQ(mark.viewCenter(), viewport->centerPoint());
        EXPECT_EQ(mark.viewMode(), viewport->viewMode()) << "case " << i;
        EXPECT_EQ((mark.viewMode() & 1) != 0, v.perspective) << "case " << i;
        EXPECT_TRUE(mark.viewDir().asVector().isParallelTo(viewport->viewDirection())) << "case " << i;
        EXPECT_TRUE(mark.viewTarget().isEqualTo(viewport->viewTarget())) << "case " << i;
        EXPECT_EQ(mark.lensLength(), viewport->lensLength());
        if (!v.perspective) {
            EXPECT_NEAR(mark.zoomXp(), viewport->height() / v.viewHeight, 1e-9 * mark.zoomXp())
                << "the XP scale of the viewport, case " << i;
        }
        if (!v.perspective && v.direction == AcGeVector3d::kZAxis) {
            // A positive twist turns the displayed model counterclockwise, so the sheet's
            // horizontal runs at minus the twist in the world.
            const double expected = -std::fmod(2 * kPi - std::fmod(v.twist, 2 * kPi), 2 * kPi);
            EXPECT_NEAR(std::remainder(mark.rotation() - expected, 2 * kPi), 0.0, 1e-9) << "case " << i;
        }
        viewport->close();
    }
}

TEST_F(MarkHostTest, InAPlanViewTheModelCornersLieAtTheElevation)
{
    std::mt19937 random(7);
    RandomView v = randomView(random, false, true);
    makeCurrentViewport(v);
    setReal("ELEVATION", 12.5);
    for (const AcGePoint3d& paper : {AcGePoint3d(v.center), v.center + AcGeVector3d(10, 5, 0)}) {
        const std::optional<AcGePoint3d> model = kestra::paperToModel(paper);
        ASSERT_TRUE(model.has_value());
        EXPECT_EQ(model->z, 12.5);
    }
    setReal("ELEVATION", 0.0);
}

TEST_F(MarkHostTest, NoProjectionWithoutAFloatingViewport)
{
    setShort("TILEMODE", 1);
    EXPECT_FALSE(kestra::paperToModel(AcGePoint3d(1, 2, 0)).has_value());
}

namespace {

// The marks of the working drawing's model space, open for read.
std::vector<VaduKestra*> marksOfModelSpace()
{
    AcDbBlockTable* table = nullptr;
    drawing()->getBlockTable(table, AcDb::kForRead);
    AcDbBlockTableRecord* space = nullptr;
    table->getAt(ACDB_MODEL_SPACE, space, AcDb::kForRead);
    table->close();
    AcDbBlockTableRecordIterator* it = nullptr;
    space->newIterator(it);
    std::vector<VaduKestra*> marks;
    for (; !it->done(); it->step()) {
        AcDbEntity* entity = nullptr;
        it->getEntity(entity, AcDb::kForRead);
        if (VaduKestra* mark = VaduKestra::cast(entity)) marks.push_back(mark);
        else entity->close();
    }
    delete it;
    space->close();
    return marks;
}

AcDbObjectId appendToModelSpace(AcDbEntity* entity)
{
    AcDbBlockTable* table = nullptr;
    drawing()->getBlockTable(table, AcDb::kForRead);
    AcDbBlockTableRecord* space = nullptr;
    table->getAt(ACDB_MODEL_SPACE, space, AcDb::kForWrite);
    table->close();
    AcDbObjectId id;
    EXPECT_EQ(space->appendAcDbEntity(id, entity), Acad::eOk);
    entity->close();
    space->close();
    return id;
}

}  // namespace

TEST_F(MarkHostTest, SaveAsAndOpenKeepEveryFiledFieldOfMarksMadeFromViewports)
{
    std::mt19937 random(1015);
    std::vector<VaduKestra*> made;
    for (int i = 0; i < 3; ++i) {
        const AcDbObjectId id = makeCurrentViewport(randomView(random, i == 2, i == 0));
        AcDbViewport* viewport = nullptr;
        ASSERT_EQ(acdbOpenObject(viewport, id, AcDb::kForRead), Acad::eOk);
        auto* mark = new VaduKestra();
        ASSERT_EQ(kestra::fillMarkFromViewport(*mark, *viewport), Acad::eOk);
        viewport->close();
        if (i == 1) mark->setOutlineBlockId(appendToModelSpace(new AcDbLine(AcGePoint3d(), AcGePoint3d(1, 1, 0))));
        made.push_back(VaduKestra::cast(mark->clone()));
        mark->setScaleLabel("1:100");
        mark->appendExtraGrip(AcGePoint3d(1, 1, 1));
        appendToModelSpace(mark);
    }
    const std::string path = host->folder() + "/marks.dxf";
    ASSERT_EQ(acedCommand(RTSTR, "SAVEAS", RTSTR, path.c_str(), RTNONE), RTNORM);
    ASSERT_EQ(acedCommand(RTSTR, "NEW", RTNONE), RTNORM);
    ASSERT_TRUE(marksOfModelSpace().empty());
    ASSERT_EQ(acedCommand(RTSTR, "OPEN", RTSTR, path.c_str(), RTNONE), RTNORM);
    std::vector<VaduKestra*> opened = marksOfModelSpace();
    ASSERT_EQ(opened.size(), made.size());
    for (size_t i = 0; i < made.size(); ++i) {
        marktest::expectSameFiledFields(*made[i], *opened[i]);
        EXPECT_STREQ(opened[i]->scaleLabel(), "");
        EXPECT_TRUE(opened[i]->extraGrips().isEmpty());
        opened[i]->close();
        delete made[i];
    }
}
