// Marks and viewports following each other at the end of a command: the snapshots taken while
// a command that may reshape runs, the reshaping of marks after viewport edits on the sheet,
// and the pending modifications of marks and outlines in model space.
#include <cmath>
#include <functional>
#include <numbers>
#include <random>
#include <string>
#include <vector>

#include "accmd.h"
#include "acdbads_db.h"
#include "aced.h"
#include "acedads.h"
#include "acutads.h"
#include "assoc/association_store.h"
#include "assoc/layer_state.h"
#include "assoc/msv_editor_reactor.h"
#include "assoc/reshape_hooks.h"
#include "assoc/view_agreement.h"
#include "assoc/viewport_reshape.h"
#include "assoc_test_support.h"
#include "dbpl.h"
#include "dbsymtb.h"
#include "geassign.h"
#include "gemat3d.h"
#include "geplane.h"
#include "shell/kestra_module.h"
#include "shell/object_opener.h"
#include "shell/result_buffer.h"
#include "shell/system_variables.h"

using namespace assoctest;
using namespace kestra;

namespace {

constexpr const char* kReshapeTestGroup = "KESTRA_RESHAPE_TEST";
constexpr const char* kOneReshaped = "\n1 Kestra object reshaped from a possibility of  1.";
constexpr const char* kReshapeWarning =
    "\nThe floating viewport and its corresponding Kestra are not correctly aligned. Unexpected results  could "
    "occur.\nProbable cause: The drawing was edited without loading the Kestra2000.arx file.\nExecute KS1 to "
    "redefine a new Kestra.\n";

// What the test commands run.
std::function<void()>& reshapeTestBody()
{
    static std::function<void()> body;
    return body;
}

void runReshapeTestBody()
{
    if (reshapeTestBody()) reshapeTestBody()();
}

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

class ReshapeTest : public AssocHostTest {
protected:
    void SetUp() override
    {
        AssocHostTest::SetUp();
        // Commands named as the host's editing commands are, and one that is not a reshape.
        for (const char* name : {"STRETCHTEST", "SCALETEST", "ROTATETEST", "MIRRORTEST", "EDITTEST"})
            acedRegCmds->addCommand(kReshapeTestGroup, name, name, ACRX_CMD_MODAL, runReshapeTestBody);
        acdbRegApp("ACAD");
        acedEditor->addReactor(&reactor);
    }
    void TearDown() override
    {
        acedEditor->removeReactor(&reactor);
        reshapeTestBody() = nullptr;
        acedRegCmds->removeGroup(kReshapeTestGroup);
        kestraModule()->settings.reshape = true;
        AssocHostTest::TearDown();
    }

    // Runs the body as the command `name` and answers what the command line received.
    std::string inCommand(const char* name, std::function<void()> body)
    {
        takePrinted();
        reshapeTestBody() = std::move(body);
        typed(std::string(name) + "\n");
        reshapeTestBody() = nullptr;
        return takePrinted();
    }

    Corners cornersOf(AcDbObjectId markId)
    {
        ObjectOpener<VaduKestra> mark(markId, AcDb::kForRead);
        Corners corners;
        for (int i = 0; i < 4; ++i) corners[i] = mark->corners()[i];
        return corners;
    }

    void expectNear(const Corners& actual, const Corners& expected, const std::string& label)
    {
        for (int i = 0; i < 4; ++i) {
            const double reach = 1.0 + expected[i].asVector().length();
            EXPECT_LT(actual[i].distanceTo(expected[i]) / reach, 1e-6) << label << " corner " << i;
        }
    }

    // A change of the viewport on the sheet, as the host's editing commands make it.
    void editViewport(AcDbObjectId viewportId, const std::function<void(AcDbViewport&)>& edit)
    {
        ObjectOpener<AcDbViewport> viewport(viewportId, AcDb::kForWrite);
        ASSERT_TRUE(viewport.isOpen());
        edit(*viewport);
    }

    MsvEditorReactor reactor;
};

}  // namespace

TEST_F(ReshapeTest, OnlyEditingCommandsOnASheetOrTheEndOfAnEvaluationReshape)
{
    const AcDbObjectId viewportId = makeViewport();
    ASSERT_TRUE(isReshapeCommand("STRETCH"));
    for (const char* name : {"STRETCH", "GRIP_STRETCH", "ROTATE", "MIRROR", "SCALE", "KSSCALE", ""})
        EXPECT_TRUE(isReshapeCommand(name)) << name;
    for (const char* name : {"MOVE", "LINE", "ERASE"}) EXPECT_FALSE(isReshapeCommand(name)) << name;

    state().reshapeCommand = false;
    state().reactorsSuspended = true;
    onCommandStart("LINE");
    EXPECT_FALSE(state().reshapeCommand);
    EXPECT_FALSE(state().reactorsSuspended);
    onCommandStart("STRETCH");
    EXPECT_TRUE(state().reshapeCommand);
    onCommandStart("LINE");
    EXPECT_TRUE(state().reshapeCommand) << "a command inside a reshape command keeps the flag";

    activate(viewportId);  // a floating viewport current: its model space is edited
    state().reshapeCommand = false;
    EXPECT_FALSE(isReshapeCommand("STRETCH"));
    onCommandStart("STRETCH");
    EXPECT_FALSE(state().reshapeCommand);
    onCommandStart("");
    EXPECT_TRUE(state().reshapeCommand) << "the end of an evaluation counts wherever it runs";
    state().reshapeCommand = false;
    acedCommand(RTSTR, "._PSPACE", RTNONE);
}

TEST_F(ReshapeTest, SnapshotsAreTakenOnlyWhileTheFlagIsSetAndKeepTheFirstCentre)
{
    const AcDbObjectId viewportId = makeViewport();
    makeAssociatedMark(viewportId);
    ViewportSnapshot first;
    first.id = viewportId;
    first.width = 200.0;
    first.centerPoint = AcGePoint3d(1, 2, 0);
    recordSnapshot(first);
    EXPECT_TRUE(state().workingLists.pendingEdits.empty());

    state().reshapeCommand = true;
    recordSnapshot(first);
    ViewportSnapshot later = first;
    later.width = 50.0;
    later.centerPoint = AcGePoint3d(7, 8, 0);
    recordSnapshot(later);
    ViewportSnapshot other;
    other.id = modelSpaceId();
    recordSnapshot(other);
    const std::vector<PendingEdit>& edits = state().workingLists.pendingEdits.entries();
    ASSERT_EQ(edits.size(), 2u);
    EXPECT_EQ(edits[0].snapshot.centerPoint, AcGePoint3d(1, 2, 0));
    EXPECT_EQ(edits[0].snapshot.width, 200.0) << "the entry keeps its first snapshot";
    EXPECT_EQ(edits[0].latestCenter, AcGePoint3d(7, 8, 0));
    EXPECT_EQ(edits[1].snapshot.id, modelSpaceId());

    // Through the persistent reactor: the viewport as it was before the change.
    state().workingLists = ReactorWorkingLists();
    editViewport(viewportId, [](AcDbViewport& viewport) { viewport.setWidth(120.0); });
    ASSERT_EQ(state().workingLists.pendingEdits.size(), 1u);
    EXPECT_EQ(state().workingLists.pendingEdits.entries()[0].snapshot.width, 200.0);
    state().workingLists = ReactorWorkingLists();
    state().reshapeCommand = false;
}

TEST_F(ReshapeTest, StretchingAViewportReshapesItsMarkToWhatItShowsAndUndoRestoresItExactly)
{
    const AcDbObjectId viewportId = makeViewport();
    const AcDbObjectId markId = markViewport(viewportId);
    const Corners before = cornersOf(markId);
    takePrinted();
    // The right side of the frame (x = 250) inside a crossing window, moved by 30.
    typed("STRETCH\nC\n240,40\n260,160\n\n0,0\n30,0\n");
    const std::string printed = takePrinted();
    EXPECT_TRUE(contains(printed, kOneReshaped)) << printed;
    EXPECT_TRUE(state().workingLists.pendingEdits.empty());
    EXPECT_FALSE(state().reshapeCommand);
    const Corners stretched = cornersOf(markId);

    typed("U\n");
    Corners corners = cornersOf(markId);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(corners[i], before[i]) << "undone, corner " << i;
    typed("REDO\n");
    corners = cornersOf(markId);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(corners[i], stretched[i]) << "redone, corner " << i;

    expectNear(stretched, shownCorners(viewportId), "stretched");
    ObjectOpener<VaduKestra> mark(markId, AcDb::kForRead);
    {
        ObjectOpener<AcDbViewport> viewport(viewportId, AcDb::kForRead);
        EXPECT_TRUE(viewMatchesMark(viewOf(*viewport), viewOf(*mark)));
        EXPECT_EQ(mark->viewCenter(), viewport->centerPoint());
        EXPECT_EQ(mark->viewTarget(), mark->center());
    }
    EXPECT_EQ(viewRecordOf(viewportId).first, mark->center()) << "the view record follows the mark";
}

TEST_F(ReshapeTest, TwoViewportsOfWhichOneLostItsMarkCountBothAsPossible)
{
    ViewportFrame upper, lower;
    upper.center = AcGePoint3d(150, 200, 0);
    lower.center = AcGePoint3d(150, 60, 0);
    const AcDbObjectId upperId = makeViewport(upper);
    const AcDbObjectId lowerId = makeViewport(lower);
    makeAssociatedMark(upperId);
    const AcDbObjectId lostMark = makeAssociatedMark(lowerId);
    {
        // Erased while the viewport keeps its reactor: the mark's index pair goes with it.
        ObjectOpener<VaduKestra> mark(lostMark, AcDb::kForWrite);
        ASSERT_EQ(mark->erase(), Acad::eOk);
    }
    takePrinted();
    typed("STRETCH\nC\n240,0\n260,260\n\n0,0\n20,0\n");
    EXPECT_TRUE(contains(takePrinted(), "\n1 Kestra object reshaped from a possibility of  2."));

    // With no mark reshaped the plural is used.
    const std::string none = inCommand(
        "STRETCHTEST", [&] { editViewport(lowerId, [](AcDbViewport& viewport) { viewport.setWidth(90.0); }); });
    EXPECT_TRUE(contains(none, "\n0 Kestra objects reshaped from a possibility of  1.")) << none;
}

TEST_F(ReshapeTest, EditsOfAViewportFromItsModelSpaceOrByOtherCommandsRecordNothing)
{
    const AcDbObjectId viewportId = makeViewport();
    const AcDbObjectId markId = markViewport(viewportId);
    const Corners before = cornersOf(markId);
    activate(viewportId);
    std::string printed = inCommand(
        "STRETCHTEST", [&] { editViewport(viewportId, [](AcDbViewport& viewport) { viewport.setWidth(80.0); }); });
    acedCommand(RTSTR, "._PSPACE", RTNONE);
    EXPECT_FALSE(contains(printed, "reshaped")) << printed;
    printed = inCommand("EDITTEST",
                        [&] { editViewport(viewportId, [](AcDbViewport& viewport) { viewport.setWidth(60.0); }); });
    EXPECT_FALSE(contains(printed, "reshaped")) << printed;
    EXPECT_TRUE(state().workingLists.pendingEdits.empty());
    const Corners after = cornersOf(markId);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(after[i], before[i]);
}

TEST_F(ReshapeTest, MovingAMarkCarriesItsOutlineAndViewRecordButNotTheView)
{
    ViewportFrame frame;
    const AcDbObjectId viewportId = makeViewport(frame);
    clipViewport(viewportId, frame);
    const AcDbObjectId markId = markViewport(viewportId);
    AcGePoint2d viewCenter;
    AcGePoint3d viewTarget;
    {
        ObjectOpener<AcDbViewport> viewport(viewportId, AcDb::kForRead);
        viewCenter = viewport->viewCenter();
        viewTarget = viewport->viewTarget();
    }
    const AcDbObjectId layer = makeLayer("LOCKEDMARKS");
    moveToLayer(markId, layer);
    setLayerState(kLayerLocked, layer);
    setShort("TILEMODE", 1);
    setShort("LAYOUTREGENCTL", 1);
    const std::string printed = inCommand("EDITTEST", [&] {
        ObjectOpener<VaduKestra> mark(markId, AcDb::kForWrite, false, true);
        mark->transformBy(AcGeMatrix3d::translation(AcGeVector3d(40, -25, 0)));
    });
    EXPECT_FALSE(contains(printed, "Kestra")) << printed;
    ObjectOpener<VaduKestra> mark(markId, AcDb::kForRead);
    EXPECT_EQ(viewRecordOf(viewportId).first, mark->center());
    EXPECT_DOUBLE_EQ(viewRecordOf(viewportId).second, mark->height());
    EXPECT_EQ(mark->viewTarget(), mark->center());
    ObjectOpener<AcDbBlockReference> outline(mark->outlineBlockId(), AcDb::kForRead);
    ASSERT_TRUE(outline.isOpen());
    EXPECT_EQ(outline->position(), mark->center());
    EXPECT_DOUBLE_EQ(outline->scaleFactors().sx, 1.0 / mark->zoomXp());
    ObjectOpener<AcDbViewport> viewport(viewportId, AcDb::kForRead);
    EXPECT_EQ(viewport->viewCenter(), viewCenter) << "the view itself waits for the refresh command";
    EXPECT_EQ(viewport->viewTarget(), viewTarget);
    EXPECT_EQ(getLayerState(layer), kLayerLocked);
    EXPECT_TRUE(state().workingLists.pendingModifications.empty());
    EXPECT_EQ(readIntegerVariable("LAYOUTREGENCTL"), 1) << "put back after the processing";
    setShort("LAYOUTREGENCTL", 2);
}

TEST_F(ReshapeTest, AnEditedClipBoundaryStandsForItsViewportAndTheOutlineIsRebuiltFromIt)
{
    ViewportFrame frame;
    const AcDbObjectId viewportId = makeViewport(frame);
    clipViewport(viewportId, frame);
    const AcDbObjectId markId = markViewport(viewportId);
    const Corners before = cornersOf(markId);
    AcDbObjectId clipId;
    {
        ObjectOpener<AcDbViewport> viewport(viewportId, AcDb::kForRead);
        clipId = viewport->nonRectClipEntityId();
    }
    const AcGePoint2d moved(frame.center.x + 10, frame.center.y + 20);
    const std::string printed = inCommand("STRETCHTEST", [&] {
        ObjectOpener<AcDbPolyline> boundary(clipId, AcDb::kForWrite);
        boundary->setPointAt(2, moved);
    });
    EXPECT_TRUE(contains(printed, kOneReshaped)) << printed;
    const Corners after = cornersOf(markId);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(after[i], before[i]) << "the frame did not change, corner " << i;
    // The outline's block holds the boundary as it is now, in the frame of the viewport.
    const std::vector<AcDbObjectId> copies = outlineContent(markId);
    EXPECT_EQ(copies.size(), 1u) << "the old copy is gone";
    for (const AcDbObjectId& id : copies) {
        ObjectOpener<AcDbPolyline> copy(id, AcDb::kForRead);
        ASSERT_TRUE(copy.isOpen());
        AcGePoint3d vertex;
        copy->getPointAt(2, vertex);
        EXPECT_TRUE(vertex.isEqualTo(AcGePoint3d(10, 20, 0))) << vertex.x << "," << vertex.y;
    }
}

TEST_F(ReshapeTest, AnOutlineScaledUnevenlyReshapesItsMarkByTheXFactorInsideAndOutsideCommands)
{
    ViewportFrame frame;
    const AcDbObjectId viewportId = makeViewport(frame);
    clipViewport(viewportId, frame);
    const AcDbObjectId markId = markViewport(viewportId);
    double width = 0, height = 0;
    AcDbObjectId outlineId;
    {
        ObjectOpener<VaduKestra> mark(markId, AcDb::kForRead);
        width = mark->width();
        height = mark->height();
        outlineId = mark->outlineBlockId();
    }
    setShort("TILEMODE", 1);
    auto scaleOutline = [&](double fx, double fy) {
        ObjectOpener<AcDbBlockReference> outline(outlineId, AcDb::kForWrite);
        const AcGeScale3d s = outline->scaleFactors();
        outline->setScaleFactors(AcGeScale3d(s.sx * fx, s.sy * fy, s.sz * fx));
    };
    const std::string printed = inCommand("EDITTEST", [&] { scaleOutline(2.0, 3.0); });
    EXPECT_TRUE(contains(printed, "\nWarning: The scales of the irregular shape are not uniform. \n"
                                  "The X scale has been used to adjust the size of the Kestra object. \n"));
    {
        ObjectOpener<VaduKestra> mark(markId, AcDb::kForRead);
        EXPECT_NEAR(mark->width(), 2 * width, 1e-9);
        EXPECT_NEAR(mark->height(), 2 * height, 1e-9);
        ObjectOpener<AcDbBlockReference> outline(outlineId, AcDb::kForRead);
        EXPECT_TRUE(mark->center().isEqualTo(outline->position()));
    }
    // Outside a command (the property palette) the mark follows at once.
    takePrinted();
    scaleOutline(0.5, 0.25);
    ObjectOpener<VaduKestra> mark(markId, AcDb::kForRead);
    EXPECT_NEAR(mark->width(), width, 1e-9);
    EXPECT_NEAR(mark->height(), height, 1e-9);
}

TEST_F(ReshapeTest, TheWarningComesForAViewZoomedAwayFromItsMarkButNotForATwistedOneThatAgrees)
{
    ViewportFrame twisted;
    twisted.twist = std::numbers::pi / 6;
    const AcDbObjectId viewportId = makeViewport(twisted);
    markViewport(viewportId);
    auto stretch = [&] {
        return inCommand("STRETCHTEST", [&] {
            editViewport(viewportId, [](AcDbViewport& viewport) {
                AcDbIntArray right;
                right.append(1);
                right.append(2);
                viewport.moveStretchPointsAt(right, AcGeVector3d(5, 0, 0));
            });
        });
    };
    std::string printed = stretch();
    EXPECT_FALSE(contains(printed, "not correctly aligned")) << printed;
    EXPECT_TRUE(contains(printed, kOneReshaped));

    state().reactorsSuspended = true;
    editViewport(viewportId, [](AcDbViewport& viewport) { viewport.setViewHeight(viewport.viewHeight() * 2); });
    state().reactorsSuspended = false;
    printed = stretch();
    EXPECT_TRUE(contains(printed, kReshapeWarning)) << printed;
    EXPECT_TRUE(contains(printed, kOneReshaped));
}

// Random viewports (twisted, seen from aside, clipped, their marks on locked layers) edited at
// random on the sheet: after each edit the mark outlines what its viewport shows, and a move,
// rotation or mirroring leaves its corners as they were.
TEST_F(ReshapeTest, RandomEditsOfViewportsKeepTheirMarksOnWhatTheyShow)
{
    std::mt19937 random(19660);
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    const AcDbObjectId lockedLayer = makeLayer("LOCKEDMARKS");
    for (int i = 0; i < 12; ++i) {
        ViewportFrame frame;
        frame.center = AcGePoint3d(150 + 80 * unit(random), 120 + 50 * unit(random), 0);
        frame.width = 60 + 40 * std::fabs(unit(random));
        frame.height = 40 + 30 * std::fabs(unit(random));
        if (i % 3 == 1) frame.direction = AcGeVector3d(unit(random), unit(random), 1.5).normal();
        frame.target = AcGePoint3d(300 * unit(random), 300 * unit(random), 0);
        frame.viewCenter = AcGePoint2d(100 * unit(random), 100 * unit(random));
        frame.viewHeight = std::pow(10.0, 1.0 + 1.5 * std::fabs(unit(random)));
        frame.twist = i % 2 == 0 ? std::numbers::pi * (1.0 + unit(random)) : 0.0;
        const AcDbObjectId viewportId = makeViewport(frame);
        if (i % 4 == 3) clipViewport(viewportId, frame);
        const AcDbObjectId markId = markViewport(viewportId);
        if (i % 3 == 2) {
            setLayerState(0, lockedLayer);
            moveToLayer(markId, lockedLayer);
            setLayerState(kLayerLocked, lockedLayer);
        }
        for (int step = 0; step < 4; ++step) {
            const std::string label = "viewport " + std::to_string(i) + " step " + std::to_string(step);
            AcGePoint3d center;
            {
                ObjectOpener<AcDbViewport> viewport(viewportId, AcDb::kForRead);
                center = viewport->centerPoint();
            }
            const AcGePoint3d base = center + AcGeVector3d(30 * unit(random), 30 * unit(random), 0);
            const Corners before = cornersOf(markId);
            const int kind = static_cast<int>(std::fabs(unit(random)) * 4) % 4;
            std::string printed;
            if (kind == 0) {
                const double factor = 0.5 + std::fabs(unit(random));
                printed = inCommand("SCALETEST", [&] {
                    editViewport(viewportId,
                                 [&](AcDbViewport& v) { v.transformBy(AcGeMatrix3d::scaling(factor, base)); });
                });
            } else if (kind == 1) {
                const double angle = std::numbers::pi * unit(random);
                printed = inCommand("ROTATETEST", [&] {
                    editViewport(viewportId, [&](AcDbViewport& v) {
                        v.transformBy(AcGeMatrix3d::rotation(angle, AcGeVector3d::kZAxis, base));
                    });
                });
            } else if (kind == 2) {
                const AcGeVector3d across(std::cos(unit(random)), std::sin(unit(random)), 0);
                printed = inCommand("MIRRORTEST", [&] {
                    editViewport(viewportId, [&](AcDbViewport& v) {
                        v.transformBy(AcGeMatrix3d::mirroring(AcGePlane(base, across.normal())));
                    });
                });
            } else {
                AcDbIntArray corners;
                corners.append(step % 4);
                const AcGeVector3d offset(10 * unit(random), 10 * unit(random), 0);
                printed = inCommand("STRETCHTEST", [&] {
                    editViewport(viewportId, [&](AcDbViewport& v) { v.moveStretchPointsAt(corners, offset); });
                });
            }
            EXPECT_TRUE(contains(printed, kOneReshaped)) << label << ": " << printed;
            EXPECT_FALSE(contains(printed, "not correctly aligned")) << label;
            const Corners after = cornersOf(markId);
            if (kind == 1 || kind == 2) {
                for (int k = 0; k < 4; ++k) EXPECT_EQ(after[k], before[k]) << label << " corner " << k;
            }
            expectNear(after, shownCorners(viewportId), label);
            ObjectOpener<VaduKestra> mark(markId, AcDb::kForRead);
            if (!mark->outlineBlockId().isNull()) {
                ObjectOpener<AcDbBlockReference> outline(mark->outlineBlockId(), AcDb::kForRead);
                EXPECT_TRUE(outline->position().isEqualTo(mark->center())) << label;
            }
        }
    }
    EXPECT_EQ(getLayerState(lockedLayer), kLayerLocked);
}
