// The mark's editing on the stand-in host running in this process: reshape with its own undo
// record (U and REDO through the host), EXPLODE only inside EXPLODE, and the LIST report.
#include <cmath>
#include <functional>
#include <numbers>
#include <random>
#include <vector>

#include "accmd.h"
#include "acdbads_db.h"
#include "acedads.h"
#include "aced.h"
#include "acutads.h"
#include "assoc/layer_state.h"
#include "assoc_test_support.h"
#include "dbsymtb.h"
#include "geassign.h"
#include "shell/object_opener.h"
#include "shell/result_buffer.h"

using namespace assoctest;
using kestra::ObjectOpener;

namespace {

constexpr const char* kTestGroup = "KESTRA_EDIT_TEST";

// What the test commands run.
std::function<void()>& commandBody()
{
    static std::function<void()> body;
    return body;
}

void runBody()
{
    if (commandBody()) commandBody()();
}

// Every filed field of a mark, for exact comparison.
struct MarkState {
    AcGePoint3d corners[4];
    AcGePoint3d center;
    double paperHeight, rotation, zoomXp;
    AcGeVector3d normal;
};

class MarkEditingHostTest : public AssocHostTest {
protected:
    void SetUp() override
    {
        AssocHostTest::SetUp();
        // Two commands that run the test's body: one EXPLODE names, one it does not.
        acedRegCmds->addCommand(kTestGroup, "EXPLODETEST", "EXPLODETEST", ACRX_CMD_MODAL, runBody);
        acedRegCmds->addCommand(kTestGroup, "OTHERTEST", "OTHERTEST", ACRX_CMD_MODAL, runBody);
        viewportId = makeViewport();
        markId = makeMark(viewportId);
        takePrinted();
    }
    void TearDown() override
    {
        commandBody() = nullptr;
        acedRegCmds->removeGroup(kTestGroup);
        AssocHostTest::TearDown();
    }

    // The target, twist and height of the viewport's view record.
    void viewRecord(AcGePoint3d& target, double& twist, double& height)
    {
        ObjectOpener<AcDbViewport> viewport(viewportId, AcDb::kForRead);
        kestra::ResultBufferHolder record(viewport->xData("ACAD"));
        int points = 0, reals = 0;
        for (const resbuf* item = record.get(); item != nullptr; item = item->rbnext) {
            if (item->restype == 1010 && points++ == 0) target = asPnt3d(item->resval.rpoint);
            if (item->restype == 1040) {
                if (reals == 0) twist = item->resval.rreal;
                if (reals == 1) height = item->resval.rreal;
                ++reals;
            }
        }
    }

    MarkState stateOfMark()
    {
        ObjectOpener<VaduKestra> mark(markId, AcDb::kForRead);
        MarkState s;
        for (int i = 0; i < 4; ++i) s.corners[i] = mark->corners()[i];
        s.center = mark->center();
        s.paperHeight = mark->paperHeight();
        s.rotation = mark->rotation();
        s.zoomXp = mark->zoomXp();
        s.normal = mark->normal();
        return s;
    }

    void expectState(const MarkState& expected, const std::string& where)
    {
        const MarkState actual = stateOfMark();
        for (int i = 0; i < 4; ++i) EXPECT_EQ(actual.corners[i], expected.corners[i]) << where << " corner " << i;
        EXPECT_EQ(actual.center, expected.center) << where;
        EXPECT_EQ(actual.paperHeight, expected.paperHeight) << where;
        EXPECT_EQ(actual.rotation, expected.rotation) << where;
        EXPECT_EQ(actual.zoomXp, expected.zoomXp) << where;
        EXPECT_TRUE(actual.normal.isEqualTo(expected.normal, AcGeTol())) << where;
        AcGePoint3d target;
        double twist = 0.0, height = 0.0;
        viewRecord(target, twist, height);
        EXPECT_EQ(target, expected.center) << where << ": the viewport's view record follows";
        EXPECT_EQ(twist, expected.rotation) << where;
        EXPECT_DOUBLE_EQ(height, expected.corners[0].distanceTo(expected.corners[3])) << where;
    }

    // Reshapes the mark inside a command of its own (one undo group).
    Acad::ErrorStatus reshapeInCommand(const AcGePoint3d (&c)[4], double paperHeight)
    {
        Acad::ErrorStatus status = Acad::eNotImplementedYet;
        commandBody() = [&] {
            ObjectOpener<VaduKestra> mark(markId, AcDb::kForWrite);
            status = mark->reshape(c[0], c[1], c[2], c[3], paperHeight);
        };
        typed("OTHERTEST\n");
        commandBody() = nullptr;
        return status;
    }

    AcDbObjectId viewportId, markId;
};

}  // namespace

TEST_F(MarkEditingHostTest, UndoOfEachReshapeRestoresCornersAndPaperHeightExactlyAndRedoReplaysThem)
{
    std::mt19937 random(42);
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    std::vector<MarkState> states{};
    // A first reshape so that every state compared was computed by reshape itself.
    const AcGePoint3d first[4] = {{1500, 900, 0}, {-500, 900, 0}, {-500, -100, 0}, {1500, -100, 0}};
    ASSERT_EQ(reshapeInCommand(first, 100.0), Acad::eOk);
    states.push_back(stateOfMark());
    for (int step = 0; step < 6; ++step) {
        const AcGePoint3d center(1000 * unit(random), 1000 * unit(random), 10 * unit(random));
        const AcGeVector3d w = AcGeVector3d(std::cos(3 * unit(random)), std::sin(3 * unit(random)), 0.0).normal() *
                               (50 + 900 * std::fabs(unit(random)));
        const AcGeVector3d h = AcGeVector3d(-w.y, w.x, 0.0) * (0.2 + std::fabs(unit(random)));
        const AcGePoint3d corners[4] = {center + w + h, center - w + h, center - w - h, center + w - h};
        ASSERT_EQ(reshapeInCommand(corners, 20.0 + 100.0 * std::fabs(unit(random))), Acad::eOk);
        states.push_back(stateOfMark());
        expectState(states.back(), "after reshape " + std::to_string(step));
    }
    for (size_t i = states.size() - 1; i > 0; --i) {
        typed("U\n");
        expectState(states[i - 1], "undo to " + std::to_string(i - 1));
    }
    typed("REDO\n");
    expectState(states[1], "redo");
}

TEST_F(MarkEditingHostTest, ReshapeReachesAViewportOnALockedLayerAndLocksItAgain)
{
    const AcDbObjectId layer = makeLayer("LOCKED", kestra::kLayerLocked);
    moveToLayer(viewportId, layer);
    const AcGePoint3d corners[4] = {{300, 150, 0}, {100, 150, 0}, {100, 50, 0}, {300, 50, 0}};
    ASSERT_EQ(reshapeInCommand(corners, 10.0), Acad::eOk);
    AcGePoint3d target;
    double twist = 1.0, height = 0.0;
    viewRecord(target, twist, height);
    EXPECT_EQ(target, AcGePoint3d(200, 100, 0));
    EXPECT_EQ(height, 100.0);
    EXPECT_EQ(kestra::getLayerState(layer), kestra::kLayerLocked);
}

TEST_F(MarkEditingHostTest, ReshapeWithoutItsViewportChangesTheMarkAndSaysTheViewportWasNotReached)
{
    {
        ObjectOpener<AcDbViewport> viewport(viewportId, AcDb::kForWrite);
        ASSERT_EQ(viewport->erase(), Acad::eOk);
    }
    const AcGePoint3d corners[4] = {{300, 150, 0}, {100, 150, 0}, {100, 50, 0}, {300, 50, 0}};
    EXPECT_EQ(reshapeInCommand(corners, 10.0), Acad::eNotOpenForRead);
    EXPECT_EQ(stateOfMark().center, AcGePoint3d(200, 100, 0));
    EXPECT_DOUBLE_EQ(stateOfMark().zoomXp, 0.1);
}

TEST_F(MarkEditingHostTest, TheMarkExplodesIntoAClosedPolylineOnlyInsideExplode)
{
    {
        ObjectOpener<VaduKestra> mark(markId, AcDb::kForWrite);
        mark->setColorIndex(3);
    }
    Acad::ErrorStatus inside = Acad::eNotImplementedYet, other = Acad::eNotImplementedYet;
    AcDbVoidPtrArray pieces, none;
    commandBody() = [&] {
        ObjectOpener<VaduKestra> mark(markId, AcDb::kForRead);
        inside = mark->explode(pieces);
    };
    typed("EXPLODETEST\n");
    commandBody() = [&] {
        ObjectOpener<VaduKestra> mark(markId, AcDb::kForRead);
        other = mark->explode(none);
    };
    typed("OTHERTEST\n");
    commandBody() = nullptr;
    EXPECT_EQ(inside, Acad::eOk);
    EXPECT_EQ(other, Acad::eNotApplicable);
    EXPECT_EQ(none.length(), 0);
    EXPECT_NE(takePrinted().find("Execute EXPLODE on Kestra object leads to the loss of the information on the "
                                 "floating viewport.\n Execute the UNDO command to restore it.\n"),
              std::string::npos);
    {
        ObjectOpener<VaduKestra> mark(markId, AcDb::kForRead);
        AcDbVoidPtrArray outside;
        EXPECT_EQ(mark->explode(outside), Acad::eNotApplicable) << "no command at all";
    }
    ASSERT_EQ(pieces.length(), 1);
    auto* outline = static_cast<AcDb3dPolyline*>(pieces[0]);
    EXPECT_TRUE(outline->isClosed());
    EXPECT_EQ(outline->polyType(), AcDb3dPolyline::k3dSimplePoly);
    EXPECT_EQ(outline->colorIndex(), 3);
    const MarkState mark = stateOfMark();
    const int order[4] = {2, 3, 0, 1};
    for (int i = 0; i < 4; ++i) {
        AcGePoint3d vertex;
        ASSERT_EQ(outline->vertexPosition(i, vertex), Acad::eOk);
        EXPECT_EQ(vertex, mark.corners[order[i]]) << i;
    }
    delete outline;
}

TEST_F(MarkEditingHostTest, ListReportsCentreAngleSizesAndScaleColumnByColumnThenTheViewport)
{
    {
        ObjectOpener<VaduKestra> mark(markId, AcDb::kForRead);
        mark->list();
    }
    const std::string printed = takePrinted();
    const std::string pad(15, ' ');
    const std::string expected = "\n" + pad + "Center point X=500.0000  Y=400.0000  Z=0.0000\n" + pad +
                                 "Angle     0\n\n" + pad + "          Model Space         Paper Space\n" + pad +
                                 "Width     2000.0000           200.0000\n" + pad +
                                 "Height    1000.0000           100.0000\n\n" + pad +
                                 "Scale relative to paper space: 1:10xp\n\n" + pad + std::string(54, '-') + "\n\n";
    const size_t report = printed.find("\n" + pad + "Center");
    ASSERT_NE(report, std::string::npos) << printed;
    EXPECT_EQ(printed.substr(report, expected.size()), expected) << printed;
    EXPECT_NE(printed.find("KESTRA"), std::string::npos) << "the host's header comes first";
    EXPECT_NE(printed.find("VIEWPORT", report), std::string::npos) << "the viewport lists itself after";
}

TEST_F(MarkEditingHostTest, ListInAUcsGivesBothCentresAndWithoutTheViewportSaysSo)
{
    // A UCS turned by a quarter turn: its X axis is the world's Y axis.
    ASSERT_EQ(
        acedSetCurrentUCS(AcGeMatrix3d::rotation(std::numbers::pi / 2, AcGeVector3d::kZAxis, AcGePoint3d::kOrigin)),
        Acad::eOk);
    {
        ObjectOpener<AcDbViewport> viewport(viewportId, AcDb::kForWrite);
        ASSERT_EQ(viewport->erase(), Acad::eOk);
    }
    takePrinted();
    {
        ObjectOpener<VaduKestra> mark(markId, AcDb::kForRead);
        mark->list();
    }
    const std::string printed = takePrinted();
    const std::string pad(15, ' ');
    EXPECT_NE(printed.find("\n" + pad + "(UCS) Center point X=400.0000  Y=-500.0000  Z=0.0000\n" + pad +
                           "(WCS) Center point X=500.0000  Y=400.0000  Z=0.0000\n"),
              std::string::npos)
        << printed;
    EXPECT_NE(printed.find("Cannot associate a floating viewport to the current Kestra object.\n"), std::string::npos);
}
