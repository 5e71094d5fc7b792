// The commands that work on associated marks, run as the user runs them on the stand-in host
// in this process: KSREFRESH re-aims viewports at marks that were moved, rotated or scaled
// (twisted, non-plan, perspective and clipped views), KSSCALE rescales a mark, KSUPDATE and
// KSREPAIR keep the associations whole. Every system variable a command changes is back to
// the user's value afterwards, on the failure paths too.
#include <cmath>
#include <cstdio>
#include <string>

#include "acdocman.h"
#include "aced.h"
#include "acedads.h"
#include "ap/document.h"
#include "assoc/association_maintenance.h"
#include "assoc/association_store.h"
#include "assoc/layer_state.h"
#include "assoc/msv_editor_reactor.h"
#include "assoc_test_support.h"
#include "dbdict.h"
#include "dbhostext.h"
#include "mark/viewport_projection.h"
#include "shell/object_opener.h"

using namespace assoctest;
using namespace kestra;

namespace {

constexpr const char* kCorrection = "Correction of the viewport view";

std::string pointText(const AcGePoint3d& p)
{
    char text[128];
    std::snprintf(text, sizeof text, "%.17g,%.17g,%.17g", p.x, p.y, p.z);
    return text;
}

long dbmod() { return static_cast<arx::ap::Document*>(curDoc())->dbmod(); }

int readInt(const char* name)
{
    resbuf rb;
    EXPECT_EQ(acedGetVar(name, &rb), RTNORM) << name;
    return rb.restype == RTSHORT ? rb.resval.rint : static_cast<int>(rb.resval.rlong);
}

class MarkCommandsTest : public AssocHostTest {
protected:
    Corners markCorners(AcDbObjectId markId)
    {
        ObjectOpener<VaduKestra> mark(markId, AcDb::kForRead);
        EXPECT_TRUE(mark.isOpen());
        if (!mark) return Corners{};
        return {mark->corner0(), mark->corner1(), mark->corner2(), mark->corner3()};
    }
    double largestGap(AcDbObjectId markId, AcDbObjectId viewportId)
    {
        const Corners shown = shownCorners(viewportId);
        const Corners outlined = markCorners(markId);
        double gap = 0.0;
        for (int i = 0; i < 4; ++i) gap = std::max(gap, shown[i].distanceTo(outlined[i]));
        return gap;
    }
    // Runs a host command on the mark from AutoLISP in model space, as a user picking it would,
    // and goes back to the layout's paper space.
    void edit(AcDbObjectId markId, const std::string& command, const std::string& answers)
    {
        setShort("TILEMODE", 1);
        typed("(command \"._" + command + "\" (handent \"" + handleOf(markId) + "\") \"\" " + answers + ")\n");
        setShort("TILEMODE", 0);
        acedCommand(RTSTR, "._PSPACE", RTNONE);
    }
    // DVIEW in the viewport with the given answers (after Enter at its object selection).
    void dview(AcDbObjectId viewportId, const std::string& answers)
    {
        activate(viewportId);
        typed("DVIEW\n\n" + answers + "X\nPSPACE\n");
    }
    // The user's values of the variables the commands change.
    void setUserValues()
    {
        setShort("CMDECHO", 1);
        setShort("WORLDVIEW", 1);
        setShort("OSMODE", 37);
    }
    void expectUserValues(const char* when)
    {
        EXPECT_EQ(readInt("CMDECHO"), 1) << when;
        EXPECT_EQ(readInt("WORLDVIEW"), 1) << when;
        EXPECT_EQ(readInt("OSMODE"), 37) << when;
    }
    int viewportNumber(AcDbObjectId viewportId)
    {
        ObjectOpener<AcDbViewport> viewport(viewportId, AcDb::kForRead);
        return viewport ? viewport->number() : 0;
    }
    // A mark indexed with its viewport (no reactor between them), whose viewport is then
    // erased.
    AcDbObjectId indexedMarkOfErasedViewport()
    {
        const AcDbObjectId viewportId = makeViewport();
        const AcDbObjectId markId = makeMark(viewportId);
        EXPECT_EQ(addIndexEntry(kStoreName, markId, viewportId), Acad::eOk);
        ObjectOpener<AcDbViewport> viewport(viewportId, AcDb::kForWrite);
        EXPECT_EQ(viewport->erase(), Acad::eOk);
        return markId;
    }
    bool storeExists()
    {
        AcDbDictionary* named = nullptr;
        if (drawing()->getNamedObjectsDictionary(named, AcDb::kForRead) != Acad::eOk) return false;
        ObjectOpener<AcDbDictionary> dictionary(named);
        return dictionary->has(kStoreName);
    }
};

struct ViewKind {
    const char* name;
    ViewportFrame frame;
    std::string dviewAnswers;  // what DVIEW sets in the viewport before it is marked
    // A perspective view's height follows from its camera distance and lens, which the mark
    // does not change: scaling its mark cannot be replayed.
    bool scalable = true;
};

std::vector<ViewKind> viewKinds()
{
    ViewKind twisted{"twisted", {}, ""};
    twisted.frame.twist = 0.6;
    ViewKind nonPlan{"non-plan", {}, ""};
    nonPlan.frame.direction = AcGeVector3d(1.0, -2.0, 1.5).normal();
    nonPlan.frame.twist = 0.3;
    ViewKind perspective{"perspective", {}, "D\n4000\n", false};
    perspective.frame.direction = AcGeVector3d(-1.0, -1.0, 2.0).normal();
    ViewKind clipped{"front and back clipped", {}, "CL\nF\n40\nCL\nB\n-60\n"};
    clipped.frame.direction = AcGeVector3d(0.5, 1.0, 1.0).normal();
    for (ViewKind* kind : {&twisted, &nonPlan, &perspective, &clipped}) kind->frame.target = AcGePoint3d(120, 80, 10);
    return {twisted, nonPlan, perspective, clipped};
}

}  // namespace

TEST_F(MarkCommandsTest, RefreshReaimsEveryKindOfViewAtItsMovedRotatedAndScaledMark)
{
    for (const ViewKind& kind : viewKinds()) {
        SCOPED_TRACE(kind.name);
        const AcDbObjectId viewportId = makeViewport(kind.frame);
        if (!kind.dviewAnswers.empty()) dview(viewportId, kind.dviewAnswers);
        const AcDbObjectId markId = makeAssociatedMark(viewportId);
        ASSERT_LT(largestGap(markId, viewportId), 1e-4) << "the mark starts on its viewport";

        edit(markId, "MOVE", "\"0,0\" \"35,-20\"");
        edit(markId, "ROTATE", "\"100,50\" \"30\"");
        if (kind.scalable) edit(markId, "SCALE", "\"100,50\" \"1.5\"");
        ASSERT_GT(largestGap(markId, viewportId), 1.0) << "the edits moved the mark away";

        setUserValues();
        takePrinted();
        typed("KSREFRESH\n");
        const std::string first = takePrinted();
        EXPECT_NE(first.find("Rectification of the viewport view ...\n"), std::string::npos) << first;
        EXPECT_NE(first.find(kCorrection), std::string::npos) << first;
        EXPECT_LT(largestGap(markId, viewportId), 1e-4);
        expectUserValues("after the refresh");
        EXPECT_EQ(readInt("CVPORT"), 1) << "back in paper space";

        takePrinted();
        typed("KSREFRESH\n");
        const std::string second = takePrinted();
        EXPECT_EQ(second.find(kCorrection), std::string::npos) << second;

        ObjectOpener<AcDbViewport> viewport(viewportId, AcDb::kForWrite);
        viewport->erase();
    }
}

TEST_F(MarkCommandsTest, RefreshFromAFloatingViewportExaminesOnlyThatViewport)
{
    const AcDbObjectId first = makeViewport();
    ViewportFrame other;
    other.center = AcGePoint3d(150, 250, 0);
    const AcDbObjectId second = makeViewport(other);
    const AcDbObjectId firstMark = makeAssociatedMark(first);
    const AcDbObjectId secondMark = makeAssociatedMark(second);
    edit(firstMark, "MOVE", "\"0,0\" \"10,10\"");
    edit(secondMark, "MOVE", "\"0,0\" \"10,10\"");
    activate(second);
    const int number = readInt("CVPORT");
    setUserValues();
    takePrinted();
    typed("KSREFRESH\n");
    const std::string printed = takePrinted();
    EXPECT_NE(printed.find(std::string(kCorrection) + " #" + std::to_string(number) + "...."), std::string::npos)
        << printed;
    EXPECT_EQ(printed.find(std::string(kCorrection) + " #" + std::to_string(viewportNumber(first))), std::string::npos)
        << printed;
    EXPECT_EQ(readInt("CVPORT"), number);
    expectUserValues("after the refresh of one viewport");
    acedCommand(RTSTR, "._PSPACE", RTNONE);
    EXPECT_LT(largestGap(secondMark, second), 1e-4);
    EXPECT_GT(largestGap(firstMark, first), 1.0);
}

TEST_F(MarkCommandsTest, RefreshPutsTheVariablesBackOnItsRefusalsAndFailures)
{
    setUserValues();
    // No association at all: nothing printed, nothing changed.
    takePrinted();
    typed("KSREFRESH\n");
    EXPECT_EQ(takePrinted(), "Command: KSREFRESH\nCommand: \n");
    expectUserValues("without an index");

    // A viewport on a locked layer cannot be re-aimed: the walk ends, the rest is put back.
    const AcDbObjectId viewportId = makeViewport();
    const AcDbObjectId markId = makeAssociatedMark(viewportId);
    edit(markId, "MOVE", "\"0,0\" \"10,10\"");
    const AcDbObjectId locked = makeLayer("LOCKED", kLayerLocked);
    moveToLayer(viewportId, locked);
    setUserValues();
    takePrinted();
    typed("KSREFRESH\n");
    EXPECT_NE(takePrinted().find("(RefreshMsv) Cannot open Viewport object for writing.\n"), std::string::npos);
    expectUserValues("after a viewport that does not open for write");
    EXPECT_EQ(readInt("CVPORT"), 1);

    // In model space the command refuses and changes nothing.
    setShort("TILEMODE", 1);
    takePrinted();
    typed("KSREFRESH\n");
    EXPECT_NE(takePrinted().find("You must be in paper space to execute this function.\n"), std::string::npos);
    expectUserValues("in model space");
    setShort("TILEMODE", 0);
}

TEST_F(MarkCommandsTest, RefreshErasesAnIndexedMarkWhoseViewportIsGone)
{
    const AcDbObjectId markId = makeMark(makeViewport());  // indexed only, no reactor
    ASSERT_EQ(writeIndex(kStoreName, {{handleOf(markId), "FFFFF"}}), Acad::eOk);
    setUserValues();
    takePrinted();
    typed("KSREFRESH\n");
    EXPECT_NE(takePrinted().find("Erasing the orphan Kestra object with the handle  '" + handleOf(markId) + "'."),
              std::string::npos);
    EXPECT_TRUE(isErased(markId));
    expectUserValues("after erasing an orphan");
}

TEST_F(MarkCommandsTest, RefreshStopsAtAViewportErasedInThisSessionAndPutsEverythingBack)
{
    const AcDbObjectId markId = indexedMarkOfErasedViewport();
    setUserValues();
    takePrinted();
    typed("KSREFRESH\n");
    // Its handle still names it, but it no longer opens.
    EXPECT_NE(takePrinted().find("(RefreshMsv) Cannot open parent view for writing.\n"), std::string::npos);
    EXPECT_FALSE(isErased(markId));
    expectUserValues("after a viewport that does not open");
    EXPECT_EQ(readInt("CVPORT"), 1);
}

TEST_F(MarkCommandsTest, ScaleToTwiceTheFactorAboutCornerZeroHalvesTheOtherCorners)
{
    const AcDbObjectId viewportId = makeViewport();
    const AcDbObjectId markId = makeAssociatedMark(viewportId);
    const Corners before = markCorners(markId);
    double factor = 0.0;
    {
        ObjectOpener<VaduKestra> mark(markId, AcDb::kForRead);
        factor = mark->zoomXp();
    }
    setShort("TILEMODE", 1);
    setUserValues();
    char answer[64];
    std::snprintf(answer, sizeof answer, "%.17g", 2 * factor);
    takePrinted();
    typed("(setq m (ssget \"X\" '((0 . \"KESTRA\"))))\nKSSCALE\n!m\n\n" + pointText(before[0]) + "\n" + answer + "\n");
    const std::string printed = takePrinted();
    char prompt[160];
    std::snprintf(prompt, sizeof prompt, "Current XP Factor: %f Current XP Factor: <%f>: ", factor, factor);
    EXPECT_NE(printed.find("Reference point or <Enter> to accept the center of the view: "), std::string::npos)
        << printed;
    EXPECT_NE(printed.find(prompt), std::string::npos) << printed;
    const Corners after = markCorners(markId);
    EXPECT_LT(after[0].distanceTo(before[0]), 1e-9);
    for (int i = 1; i < 4; ++i)
        EXPECT_NEAR(after[i].distanceTo(after[0]), before[i].distanceTo(before[0]) / 2, 1e-9) << "corner " << i;
    ObjectOpener<VaduKestra> mark(markId, AcDb::kForRead);
    EXPECT_DOUBLE_EQ(mark->zoomXp(), 2 * factor);
    EXPECT_LT(mark->center().distanceTo(after[0] + (after[2] - after[0]) / 2), 1e-9);
    mark.close();
    expectUserValues("after the scale");
    setShort("TILEMODE", 0);
}

// The viewport's view record follows the mark at the end of the command; the view itself
// waits for KSREFRESH.
TEST_F(MarkCommandsTest, TheViewportsViewRecordFollowsTheScaleAtTheEndOfTheCommand)
{
    const AcDbObjectId viewportId = makeViewport();
    const AcDbObjectId markId = makeAssociatedMark(viewportId);
    // The module's editor reactor ends the command as the loaded module's does.
    MsvEditorReactor reactor;
    acedEditor->addReactor(&reactor);
    double viewHeight = 0.0;
    double modelHeight = 0.0;
    double factor = 0.0;
    {
        ObjectOpener<AcDbViewport> viewport(viewportId, AcDb::kForRead);
        viewHeight = viewport->viewHeight();
        ObjectOpener<VaduKestra> mark(markId, AcDb::kForRead);
        factor = mark->zoomXp();
        modelHeight = mark->height();
    }
    setShort("TILEMODE", 1);
    typed("(setq m (ssadd (handent \"" + handleOf(markId) + "\")))\nKSSCALE\n!m\n\n\n" + std::to_string(2 * factor) +
          "\n");
    setShort("TILEMODE", 0);
    acedEditor->removeReactor(&reactor);
    EXPECT_NEAR(viewRecordOf(viewportId).second, modelHeight / 2, 1e-6 * modelHeight);
    ObjectOpener<AcDbViewport> viewport(viewportId, AcDb::kForRead);
    EXPECT_DOUBLE_EQ(viewport->viewHeight(), viewHeight) << "the view waits for KSREFRESH";
}

TEST_F(MarkCommandsTest, ScaleWithEnterTwiceKeepsTheOutlineAndCancelledInputChangesNothing)
{
    const AcDbObjectId markId = makeAssociatedMark(makeViewport());
    const Corners before = markCorners(markId);
    setShort("TILEMODE", 1);
    setUserValues();
    typed("(setq m (ssget \"X\" '((0 . \"KESTRA\"))))\nKSSCALE\n!m\n\n\n\n");
    Corners after = markCorners(markId);
    for (int i = 0; i < 4; ++i) EXPECT_LT(after[i].distanceTo(before[i]), 1e-9) << "corner " << i;
    expectUserValues("after Enter twice");

    takePrinted();
    typed("KSSCALE\n!m\n\n");  // the input ends at the reference point
    EXPECT_NE(takePrinted().find("Input is incorrect.\n"), std::string::npos);
    takePrinted();
    typed("KSSCALE\n!m\n\n\n");  // and at the factor
    EXPECT_NE(takePrinted().find("Input is incorrect. Enter a number without the XP suffix.\n"), std::string::npos);
    after = markCorners(markId);
    for (int i = 0; i < 4; ++i) EXPECT_LT(after[i].distanceTo(before[i]), 1e-9) << "corner " << i;
    expectUserValues("after cancelled input");
    setShort("TILEMODE", 0);
}

TEST_F(MarkCommandsTest, ScaleRefusalsChangeNothingAndPutOsmodeBack)
{
    const AcDbObjectId viewportId = makeViewport();
    const AcDbObjectId markId = makeAssociatedMark(viewportId);
    ViewportFrame other;
    other.center = AcGePoint3d(150, 250, 0);
    makeAssociatedMark(makeViewport(other));
    const Corners before = markCorners(markId);
    setUserValues();

    takePrinted();
    typed("KSSCALE\n");
    EXPECT_NE(takePrinted().find("You must be in model space to execute this command. \n"), std::string::npos);

    setShort("TILEMODE", 1);
    takePrinted();
    typed("(setq two (ssget \"X\" '((0 . \"KESTRA\"))))\nKSSCALE\n!two\n\n");
    EXPECT_NE(takePrinted().find("You must choose an Kestra object and/or its irregular shape.\n"
                                 "Your selection is incorrect.\n"),
              std::string::npos);
    expectUserValues("after two marks");
    const Corners after = markCorners(markId);
    for (int i = 0; i < 4; ++i) EXPECT_LT(after[i].distanceTo(before[i]), 1e-12) << "corner " << i;

    // A mark on a locked layer does not open for the change; OSMODE is the user's again.
    moveToLayer(markId, makeLayer("LOCKED", kLayerLocked));
    takePrinted();
    typed("(setq m (ssadd (handent \"" + handleOf(markId) + "\")))\nKSSCALE\n!m\n\n0,0,0\n2\n");
    EXPECT_NE(takePrinted().find("Cannot open selected object to change scale.\n"), std::string::npos);
    expectUserValues("after a mark on a locked layer");
    setShort("TILEMODE", 0);
}

TEST_F(MarkCommandsTest, UpdateMovesMarksOnLockedLayersAndLocksThemAgain)
{
    const AcDbObjectId first = makeAssociatedMark(makeViewport());
    ViewportFrame other;
    other.center = AcGePoint3d(150, 250, 0);
    const AcDbObjectId second = makeAssociatedMark(makeViewport(other));
    const AcDbObjectId layer = makeLayer("MARKS", kLayerLocked | kLayerOff);
    moveToLayer(first, layer);
    moveToLayer(second, layer);
    const Corners before = markCorners(first);
    setUserValues();
    const long modified = dbmod();
    typed("KSUPDATE\n");
    EXPECT_EQ(getLayerState(layer).value_or(0), kLayerLocked | kLayerOff);
    expectUserValues("after the update");
    EXPECT_EQ(dbmod(), modified);
    const Corners after = markCorners(first);
    for (int i = 0; i < 4; ++i) EXPECT_LT(after[i].distanceTo(before[i]), 1e-12);
}

TEST_F(MarkCommandsTest, OnlyTheFirstUpdateOfADocumentDiscardsItsUndoHistory)
{
    makeAssociatedMark(makeViewport());
    AcDbUndoController* undo = acdbUndoController(drawing());
    ASSERT_NE(undo, nullptr);
    appendLine();
    const std::string moveLine = "(command \"._MOVE\" (entlast) \"\" \"0,0\" \"1,0\")\n";
    typed(moveLine + moveLine);
    ASSERT_GE(undo->undoableGroups(), 2);
    typed("KSUPDATE\n");
    const int afterFirst = undo->undoableGroups();
    EXPECT_LE(afterFirst, 1) << "the history before the first update is gone";
    typed(moveLine + "KSUPDATE\n");
    EXPECT_GE(undo->undoableGroups(), afterFirst + 2) << "the second update keeps the history";
}

TEST_F(MarkCommandsTest, UpdateWithoutMarksChangesNothing)
{
    setUserValues();
    const long modified = dbmod();
    takePrinted();
    typed("KSUPDATE\n");
    EXPECT_EQ(takePrinted(), "Command: KSUPDATE\nCommand: \n");
    expectUserValues("without marks");
    EXPECT_EQ(dbmod(), modified);
}

TEST_F(MarkCommandsTest, RepairErasesTheOrphanOfADeletedViewportAndDropsTheStore)
{
    const AcDbObjectId markId = indexedMarkOfErasedViewport();
    ASSERT_TRUE(storeExists());
    takePrinted();
    typed("KSREPAIR\n");
    EXPECT_NE(takePrinted().find("Erasing the orphan Kestra object with the handle  '" + handleOf(markId) + "'.\n"),
              std::string::npos);
    EXPECT_TRUE(isErased(markId));
    EXPECT_FALSE(storeExists());
    EXPECT_EQ(state().associationCount, 0);
}

TEST_F(MarkCommandsTest, RepairKeepsLiveAssociationsAndCountsThem)
{
    const AcDbObjectId viewportId = makeViewport();
    const AcDbObjectId markId = makeAssociatedMark(viewportId);
    ASSERT_EQ(dropIndex(), Acad::eOk);
    typed("KSREPAIR\n");
    EXPECT_EQ(state().associationCount, 1);
    AcDbObjectId foundMark, foundViewport;
    EXPECT_EQ(findIndexEntry(kStoreName, handleOf(markId).c_str(), true, foundMark, foundViewport), Acad::eOk);
    EXPECT_EQ(foundViewport, viewportId);
}
