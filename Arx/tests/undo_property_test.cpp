// A property of the whole: random sequences of the host's edits on associated marks in model
// space and on their viewports on the sheet (MOVE, ROTATE, SCALE, MIRROR keeping or deleting the
// source, grip edits), each sequence followed by U back to where it started, leave the drawing
// exactly as it was: its DXF text is the same byte for byte, the handle seed aside.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "acdbads_db.h"
#include "aced.h"
#include "acedads.h"
#include "assoc/layer_state.h"
#include "assoc/msv_editor_reactor.h"
#include "assoc_test_support.h"
#include "host.h"

using namespace assoctest;

namespace {

namespace fs = std::filesystem;

// The drawing's DXF text with the value of $HANDSEED left out.
std::string drawingText(AcDbDatabase* db)
{
    const fs::path path = fs::temp_directory_path() / ("kestra-undo-" + std::to_string(getpid()) + ".dxf");
    EXPECT_EQ(db->dxfOut(path.c_str()), Acad::eOk);
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    in.close();
    fs::remove(path);
    std::string out = text.str();
    const size_t seed = out.find("$HANDSEED");
    if (seed != std::string::npos) {
        const size_t valueStart = out.find('\n', out.find('\n', seed) + 1) + 1;
        const size_t valueEnd = out.find('\n', valueStart);
        out.erase(valueStart, valueEnd - valueStart);
    }
    return out;
}

// The first line where the two texts differ, for the failure message.
std::string firstDifference(const std::string& a, const std::string& b)
{
    std::istringstream sa(a), sb(b);
    std::string la, lb;
    for (int line = 1;; ++line) {
        const bool ha = static_cast<bool>(std::getline(sa, la));
        const bool hb = static_cast<bool>(std::getline(sb, lb));
        if (!ha && !hb) return "no difference";
        if (!ha || !hb || la != lb) return "line " + std::to_string(line) + ": '" + la + "' / '" + lb + "'";
    }
}

std::string point(double x, double y)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.4f,%.4f,0", x, y);
    return text;
}

class UndoPropertyTest : public AssocHostTest {
protected:
    void SetUp() override
    {
        AssocHostTest::SetUp();
        acedEditor->addReactor(&editorReactor);
        // Viewports of the kinds users leave: plain, twisted, not in plan, clipped, and one on a
        // locked layer.
        ViewportFrame plain;
        plain.center = AcGePoint3d(60, 60, 0);
        plain.width = 80;
        plain.height = 60;
        ViewportFrame twisted = plain;
        twisted.center = AcGePoint3d(160, 60, 0);
        twisted.twist = 0.6;
        twisted.viewCenter = AcGePoint2d(-300, 250);
        ViewportFrame tilted = plain;
        tilted.center = AcGePoint3d(260, 60, 0);
        tilted.direction = AcGeVector3d(1, -1, 2).normal();
        ViewportFrame clipped = plain;
        clipped.center = AcGePoint3d(60, 180, 0);
        clipped.viewCenter = AcGePoint2d(900, -400);
        for (const ViewportFrame& frame : {plain, twisted, tilted}) {
            viewports.push_back(makeViewport(frame));
            marks.push_back(markViewport(viewports.back()));
        }
        viewports.push_back(makeViewport(clipped));
        clipViewport(viewports.back(), clipped);
        marks.push_back(markViewport(viewports.back()));
        const AcDbObjectId locked = makeLayer("LOCKED", kestra::kLayerLocked);
        moveToLayer(marks[1], locked);
        moveToLayer(viewports[2], locked);
        takePrinted();
    }
    void TearDown() override
    {
        acedEditor->removeReactor(&editorReactor);
        AssocHostTest::TearDown();
    }

    static void preselect(AcDbObjectId id)
    {
        ads_name set, name;
        acdbGetAdsName(name, id);
        acedSSAdd(name, nullptr, set);
        acedSSSetFirst(set, nullptr);
        acedSSFree(set);
    }

    // One random edit of a random mark (model space) or viewport (the sheet); the space is set
    // outside the undo history's reach by the caller.
    std::string randomEdit(std::mt19937& random, bool onSheet)
    {
        std::uniform_real_distribution<double> unit(-1.0, 1.0);
        std::uniform_int_distribution<int> pick(0, static_cast<int>(marks.size()) - 1);
        const int which = pick(random);
        preselect(onSheet ? viewports[which] : marks[which]);
        const double span = onSheet ? 50.0 : 500.0;
        const std::string base = point(span * unit(random), span * unit(random));
        switch (std::uniform_int_distribution<int>(0, 5)(random)) {
        case 0: return "MOVE " + base + " " + point(span * unit(random), span * unit(random)) + "\n";
        case 1: return "ROTATE " + base + " " + std::to_string(180.0 * unit(random)) + "\n";
        case 2: return "SCALE " + base + " " + std::to_string(1.0 + 0.6 * unit(random)) + "\n";
        case 3: return "MIRROR " + base + " " + point(span * unit(random), span * unit(random)) + " Y\n";
        case 4: return "MIRROR " + base + " " + point(span * unit(random), span * unit(random)) + " N\n";
        default: return "GRIPEDIT 1  " + point(span * unit(random), span * unit(random)) + "\n";
        }
    }

    void checkSequences(bool onSheet, unsigned seed)
    {
        setShort("TILEMODE", onSheet ? 0 : 1);
        if (onSheet) acedCommand(RTSTR, "._PSPACE", RTNONE);
        takePrinted();
        const std::string before = drawingText(drawing());
        std::mt19937 random(seed);
        int changedDrawings = 0;
        for (int sequence = 0; sequence < 4; ++sequence) {
            const int length = 1 + static_cast<int>(random() % 6);
            std::string edits;
            for (int i = 0; i < length; ++i) {
                const std::string edit = randomEdit(random, onSheet);
                arx::host::runScriptText(edit);
                edits += edit;
            }
            if (drawingText(drawing()) != before) ++changedDrawings;
            for (int i = 0; i < length; ++i) arx::host::runScriptText("U\n");
            const std::string after = drawingText(drawing());
            ASSERT_EQ(after == before, true) << "after " << edits << firstDifference(before, after) << "\n"
                                             << takePrinted();
        }
        EXPECT_GT(changedDrawings, 0) << "the edits changed nothing";
    }

    kestra::MsvEditorReactor editorReactor;
    std::vector<AcDbObjectId> viewports;
    std::vector<AcDbObjectId> marks;
};

TEST_F(UndoPropertyTest, EditsOfMarksInModelSpaceUndoneLeaveTheDrawingAsItWas)
{
    for (unsigned seed : {11u, 12u, 13u}) {
        SCOPED_TRACE(seed);
        checkSequences(false, seed);
    }
}

TEST_F(UndoPropertyTest, EditsOfViewportsOnTheSheetUndoneLeaveTheDrawingAsItWas)
{
    for (unsigned seed : {21u, 22u, 23u}) {
        SCOPED_TRACE(seed);
        checkSequences(true, seed);
    }
}

}  // namespace
