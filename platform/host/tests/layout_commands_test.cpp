// The layout manager and the LAYOUT command's Delete and Rename: the prompts and their
// defaults, the refusals, the reactor events in the host's order, undo and redo of each, and
// finding a layout's entities with a "_X" selection filtered on the layout name.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AcDbLMgr.h"
#include "acedads.h"
#include "acutads.h"
#include "adscodes.h"
#include "dbents.h"
#include "dblayout.h"
#include "ed/views.h"
#include "host_session_fixture.h"

namespace {

using hosttest::printed;

// Writes down every layout-manager event as one line.
class EventLog : public AcDbLayoutManagerReactor {
public:
    std::vector<std::string> lines;

    void layoutCreated(const char* name, const AcDbObjectId&) override
    {
        lines.push_back(std::string("created ") + name);
    }
    void layoutToBeRemoved(const char* name, const AcDbObjectId&) override
    {
        lines.push_back(std::string("toBeRemoved ") + name);
    }
    void layoutRemoved(const char* name, const AcDbObjectId&) override
    {
        lines.push_back(std::string("removed ") + name);
    }
    void abortLayoutRemoved(const AcDbObjectId&) override { lines.push_back("abortRemoved"); }
    void layoutToBeRenamed(const char* oldName, const char* newName, const AcDbObjectId&) override
    {
        lines.push_back(std::string("toBeRenamed ") + oldName + " " + newName);
    }
    void layoutRenamed(const char* oldName, const char* newName, const AcDbObjectId&) override
    {
        lines.push_back(std::string("renamed ") + oldName + " " + newName);
    }
    void abortLayoutRename(const char* oldName, const char* newName, const AcDbObjectId&) override
    {
        lines.push_back(std::string("abortRename ") + oldName + " " + newName);
    }
    void layoutSwitched(const char* name, const AcDbObjectId&) override
    {
        lines.push_back(std::string("switched ") + name);
    }
};

class LayoutCommands : public hosttest::HostSessionTest {
protected:
    void SetUp() override
    {
        HostSessionTest::SetUp();
        manager()->addReactor(&log);
    }
    void TearDown() override
    {
        manager()->removeReactor(&log);
        HostSessionTest::TearDown();
    }

    static AcDbLayoutManager* manager() { return acdbHostApplicationServices()->layoutManager(); }

    std::vector<std::string> names() const { return arx::views::layoutNames(db); }
    std::string current() const { return arx::views::layoutName(arx::views::currentLayoutId(db)); }
    bool tiled() const { return arx::views::isTiled(db); }

    // A second layout "Sheet" made current, with a floating viewport and a circle on it.
    void sheetWithViewportAndCircle()
    {
        typed("LAYOUT\nNew\nSheet\nLAYOUT\nSet\nSheet\nMVIEW\n1,1\n9,6\n");
        AcDbObjectPointer<AcDbBlockTableRecord> space(db->currentSpaceId(), AcDb::kForWrite);
        auto* circle = new AcDbCircle(AcGePoint3d(5, 5, 0), AcGeVector3d::kZAxis, 1.0);
        ASSERT_EQ(space->appendAcDbEntity(circleId, circle), Acad::eOk);
        circle->close();
        space.close();
        viewportIds = arx::views::floatingViewports(arx::views::currentLayoutId(db));
        ASSERT_EQ(viewportIds.size(), 1u);
        log.lines.clear();
        printed().clear();
    }

    EventLog log;
    AcDbObjectId circleId;
    std::vector<AcDbObjectId> viewportIds;
};

TEST_F(LayoutCommands, DeleteTakesTheCurrentLayoutByDefaultAndHandsOverToItsNeighbour)
{
    sheetWithViewportAndCircle();
    const AcDbObjectId sheet = arx::views::findLayout(db, "Sheet");
    typed("LAYOUT\nDelete\n\n");
    EXPECT_NE(printed().find("Enter layout option [Delete/New/Rename/Set/?] <set>: "), std::string::npos) << printed();
    EXPECT_NE(printed().find("Enter name of layout to delete <Sheet>: "), std::string::npos) << printed();
    EXPECT_NE(printed().find("Layout \"Sheet\" deleted."), std::string::npos) << printed();
    EXPECT_EQ(names(), (std::vector<std::string>{"Model", "Layout1"}));
    EXPECT_EQ(current(), "Layout1");
    EXPECT_FALSE(tiled());
    EXPECT_TRUE(sheet.isErased());
    EXPECT_TRUE(circleId.isErased());
    EXPECT_TRUE(viewportIds[0].isErased());
    EXPECT_EQ(log.lines, (std::vector<std::string>{"toBeRemoved Sheet", "switched Layout1", "removed Sheet"}));
}

TEST_F(LayoutCommands, DeleteOfALayoutNotCurrentKeepsTheCurrentOneAndNamesAnyCase)
{
    sheetWithViewportAndCircle();
    typed("LAYOUT\nD\nlayout1\n");
    EXPECT_EQ(names(), (std::vector<std::string>{"Model", "Sheet"}));
    EXPECT_EQ(current(), "Sheet");
    EXPECT_EQ(log.lines, (std::vector<std::string>{"toBeRemoved Layout1", "removed Layout1"}));
    // From the Model tab the paper space passes to the remaining layout without a switch.
    typed("LAYOUT\nNew\nThird\nLAYOUT\nSet\nModel\n");
    log.lines.clear();
    typed("LAYOUT\nDelete\nSheet\n");
    EXPECT_TRUE(tiled());
    EXPECT_EQ(names(), (std::vector<std::string>{"Model", "Third"}));
    EXPECT_EQ(log.lines, (std::vector<std::string>{"toBeRemoved Sheet", "removed Sheet"}));
    typed("LAYOUT\nSet\nThird\n");
    EXPECT_EQ(current(), "Third");
}

TEST_F(LayoutCommands, DeleteRefusesModelTheLastLayoutAndUnknownNames)
{
    typed("LAYOUT\nDelete\n\n");  // the Model tab is current
    EXPECT_NE(printed().find("Enter name of layout to delete <Model>: "), std::string::npos) << printed();
    EXPECT_NE(printed().find("The Model tab cannot be deleted."), std::string::npos) << printed();
    typed("LAYOUT\nDelete\nLayout1\n");
    EXPECT_NE(printed().find("The last layout cannot be deleted."), std::string::npos) << printed();
    typed("LAYOUT\nDelete\nNowhere\n");
    EXPECT_NE(printed().find("No layout named \"Nowhere\" found."), std::string::npos) << printed();
    EXPECT_EQ(names(), (std::vector<std::string>{"Model", "Layout1"}));
    EXPECT_EQ(manager()->deleteLayout("Model"), Acad::eNotApplicable);
    EXPECT_EQ(manager()->deleteLayout("Layout1"), Acad::eNotApplicable);
    EXPECT_EQ(manager()->deleteLayout("Nowhere"), Acad::eKeyNotFound);
    EXPECT_TRUE(log.lines.empty());
}

TEST_F(LayoutCommands, UndoOfADeleteBringsBackTheLayoutItsBlockAndItsEntitiesAndRedoTakesThemAgain)
{
    sheetWithViewportAndCircle();
    const AcDbObjectId sheet = arx::views::findLayout(db, "Sheet");
    typed("LAYOUT\nDelete\nSheet\n");
    ASSERT_TRUE(sheet.isErased());
    typed("U\n");
    EXPECT_FALSE(sheet.isErased());
    EXPECT_FALSE(circleId.isErased());
    EXPECT_FALSE(viewportIds[0].isErased());
    EXPECT_EQ(names(), (std::vector<std::string>{"Model", "Layout1", "Sheet"}));
    EXPECT_EQ(current(), "Sheet");
    EXPECT_EQ(arx::views::floatingViewports(sheet), viewportIds);
    typed("REDO\n");
    EXPECT_TRUE(sheet.isErased());
    EXPECT_TRUE(circleId.isErased());
    EXPECT_EQ(current(), "Layout1");
    // A new layout may take the name of the deleted one.
    typed("LAYOUT\nNew\nSheet\n");
    EXPECT_EQ(names(), (std::vector<std::string>{"Model", "Layout1", "Sheet"}));
    EXPECT_NE(arx::views::findLayout(db, "Sheet"), sheet);
}

TEST_F(LayoutCommands, RenameAsksForTheLayoutAndTheNewNameAndTellsTheReactors)
{
    sheetWithViewportAndCircle();
    typed("LAYOUT\nRename\n\nPlan A\n");
    EXPECT_NE(printed().find("Enter layout to rename <Sheet>: "), std::string::npos) << printed();
    EXPECT_NE(printed().find("Enter new layout name: "), std::string::npos) << printed();
    EXPECT_NE(printed().find("Layout \"Sheet\" renamed to \"Plan A\"."), std::string::npos) << printed();
    EXPECT_EQ(names(), (std::vector<std::string>{"Model", "Layout1", "Plan A"}));
    EXPECT_EQ(current(), "Plan A");
    EXPECT_EQ(log.lines, (std::vector<std::string>{"toBeRenamed Sheet Plan A", "renamed Sheet Plan A"}));
    // The layout's own name and its dictionary key move together.
    AcDbLayout* layout = manager()->findLayoutNamed("plan a", Adesk::kTrue);
    ASSERT_NE(layout, nullptr);
    const char* stored = nullptr;
    layout->getLayoutName(stored);
    EXPECT_STREQ(stored, "Plan A");
    layout->close();
    EXPECT_FALSE(manager()->layoutExists("Sheet"));
    // A change of case only is a rename too.
    EXPECT_EQ(manager()->renameLayout("Plan A", "PLAN A"), Acad::eOk);
    EXPECT_EQ(current(), "PLAN A");
}

TEST_F(LayoutCommands, RenameRefusesDuplicatesInvalidNamesAndModelAndEnterKeepsTheName)
{
    sheetWithViewportAndCircle();
    typed("LAYOUT\nRename\nSheet\nLAYOUT1\n");
    EXPECT_NE(printed().find("A layout named \"LAYOUT1\" already exists."), std::string::npos) << printed();
    typed("LAYOUT\nRename\nSheet\nA<B\n");
    EXPECT_NE(printed().find("Invalid layout name."), std::string::npos) << printed();
    typed("LAYOUT\nRename\nModel\n");
    EXPECT_NE(printed().find("The Model tab cannot be renamed."), std::string::npos) << printed();
    typed("LAYOUT\nRename\nSheet\n\n");
    EXPECT_EQ(names(), (std::vector<std::string>{"Model", "Layout1", "Sheet"}));
    EXPECT_EQ(log.lines, (std::vector<std::string>{"toBeRenamed Sheet LAYOUT1", "abortRename Sheet LAYOUT1",
                                                   "toBeRenamed Sheet A<B", "abortRename Sheet A<B"}));
}

TEST_F(LayoutCommands, UndoAndRedoOfARename)
{
    sheetWithViewportAndCircle();
    typed("LAYOUT\nRename\nSheet\nPlan\n");
    typed("U\n");
    EXPECT_EQ(names(), (std::vector<std::string>{"Model", "Layout1", "Sheet"}));
    EXPECT_TRUE(manager()->layoutExists("Sheet"));
    EXPECT_FALSE(manager()->layoutExists("Plan"));
    typed("REDO\n");
    EXPECT_EQ(names(), (std::vector<std::string>{"Model", "Layout1", "Plan"}));
}

TEST_F(LayoutCommands, TheManagerSwitchesLayoutsAndTellsWhichIsActive)
{
    sheetWithViewportAndCircle();
    EXPECT_STREQ(manager()->findActiveLayout(Adesk::kTrue), "Sheet");
    EXPECT_EQ(manager()->setCurrentLayout("model"), Acad::eOk);
    EXPECT_TRUE(tiled());
    EXPECT_STREQ(manager()->findActiveLayout(Adesk::kTrue), "Model");
    EXPECT_STREQ(manager()->findActiveLayout(Adesk::kFalse), "Sheet");
    EXPECT_EQ(manager()->setCurrentLayout("LAYOUT1"), Acad::eOk);
    EXPECT_EQ(current(), "Layout1");
    EXPECT_EQ(manager()->setCurrentLayout("Nowhere"), Acad::eKeyNotFound);
    EXPECT_EQ(manager()->findLayoutNamed("Nowhere"), nullptr);
    EXPECT_EQ(manager()->countLayouts(), 3);
    EXPECT_EQ(log.lines, (std::vector<std::string>{"switched Model", "switched Layout1"}));
    AcDbObjectId layoutId, blockId;
    EXPECT_EQ(manager()->createLayout("Fourth", layoutId, blockId), Acad::eOk);
    EXPECT_FALSE(blockId.isNull());
    EXPECT_EQ(manager()->createLayout("fourth", layoutId, blockId), Acad::eDuplicateKey);
    EXPECT_EQ(log.lines.back(), "created Fourth");
    EXPECT_TRUE(AcDbLayoutManager::desc() != nullptr);
    EXPECT_TRUE(log.isKindOf(AcDbLayoutManagerReactor::desc()));
}

// What a module does to find the viewports of one layout: "_X" with the entity type and the
// layout name (group 410), any case.
TEST_F(LayoutCommands, SelectionOfAllFiltersOnTheLayoutName)
{
    sheetWithViewportAndCircle();
    typed("LAYOUT\nSet\nLayout1\nMVIEW\n1,1\n4,4\nMVIEW\n5,1\n9,4\n");
    auto viewportsOf = [](const char* layout) {
        resbuf* filter =
            acutBuildList(-4, "<and", RTDXF0, "VIEWPORT", 410, layout, 100, "AcDbViewport", -4, "and>", RTNONE);
        ads_name ss;
        long length = 0;
        if (acedSSGet("_X", nullptr, nullptr, filter, ss) == RTNORM) {
            acedSSLength(ss, &length);
            acedSSFree(ss);
        }
        acutRelRb(filter);
        return length;
    };
    // Each layout's own paper-space viewport counts as well.
    EXPECT_EQ(viewportsOf("Sheet"), 2);
    EXPECT_EQ(viewportsOf("layout1"), 3);
    EXPECT_EQ(viewportsOf("Nowhere"), 0);
    typed("LAYOUT\nRename\nSheet\nPlan\n");
    EXPECT_EQ(viewportsOf("Plan"), 2);
    EXPECT_EQ(viewportsOf("Sheet"), 0);
}

}  // namespace
