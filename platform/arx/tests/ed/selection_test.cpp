// Selection sets and object selection on a real drawing: the ADS set calls, filter lists with
// their -4 groups, picks with the pick box through the active view, windows and crossings,
// layers that hide objects, the "Select objects: " lines and the pick-first set.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "acdbads_db.h"
#include "aced.h"
#include "acedads.h"
#include "acutads.h"
#include "ap/entity_shapes.h"
#include "dbobjptr.h"
#include "dbsymtb.h"
#include "ed/command_processor.h"
#include "ed/command_stack.h"
#include "ed/console.h"
#include "ed/input.h"
#include "ed/object_selection.h"
#include "ed/selection_sets.h"
#include "ed/views_edit.h"
#include "views_fixture.h"

namespace {

using arx::ed::EntityList;

struct ChainRelease {
    void operator()(resbuf* chain) const { acutRelRb(chain); }
};
using Chain = std::unique_ptr<resbuf, ChainRelease>;

class SelectionTest : public viewstest::ViewsTest {
protected:
    void SetUp() override
    {
        ViewsTest::SetUp();
        arx::ap::wireEntityShapes();
        arx::ed::SelectionSets::instance().reset();
        arx::ed::Console::instance().setSink([this](std::string_view t) { printed += t; });
        // Model space seen 60 units high about (50, 25): the pick box is 3 * 60 / 600 = 0.3.
        arx::views::Viewport vp;
        ASSERT_EQ(arx::views::activeViewport(db, vp), Acad::eOk);
        ASSERT_EQ(arx::views::zoomCenter(vp, AcGePoint3d(50, 25, 0), 60.0), Acad::eOk);
        ASSERT_EQ(arx::views::applyView(db, vp), Acad::eOk);
    }
    void TearDown() override
    {
        arx::ed::Console::instance().resetSink();
        ViewsTest::TearDown();
    }

    AcDbObjectId append(AcDbEntity* entity, const char* layer = "0")
    {
        if (std::string(layer) != "0") ensureLayer(layer);
        entity->setLayer(layer);
        AcDbObjectPointer<AcDbBlockTableRecord> space(db->currentSpaceId(), AcDb::kForWrite);
        AcDbObjectId id;
        EXPECT_EQ(space->appendAcDbEntity(id, entity), Acad::eOk);
        entity->close();
        return id;
    }
    AcDbObjectId line(double x1, double y1, double x2, double y2, const char* layer = "0")
    {
        return append(new AcDbLine(AcGePoint3d(x1, y1, 0), AcGePoint3d(x2, y2, 0)), layer);
    }
    AcDbObjectId circle(double x, double y, double r, const char* layer = "0")
    {
        return append(new AcDbCircle(AcGePoint3d(x, y, 0), AcGeVector3d::kZAxis, r), layer);
    }
    void ensureLayer(const char* name)
    {
        AcDbLayerTable* table = nullptr;
        ASSERT_EQ(db->getLayerTable(table, AcDb::kForWrite), Acad::eOk);
        if (!table->has(name)) {
            auto* record = new AcDbLayerTableRecord;
            record->setName(name);
            table->add(record);
            record->close();
        }
        table->close();
    }
    template <typename Change>
    void changeLayer(const char* name, Change change)
    {
        AcDbLayerTable* table = nullptr;
        ASSERT_EQ(db->getLayerTable(table, AcDb::kForRead), Acad::eOk);
        AcDbLayerTableRecord* record = nullptr;
        ASSERT_EQ(table->getAt(name, record, AcDb::kForWrite), Acad::eOk);
        table->close();
        change(record);
        record->close();
    }

    // The entity's name (valid until the next call).
    static const long* nameOf(AcDbObjectId id)
    {
        static ads_name name;
        acdbGetAdsName(name, id);
        return name;
    }
    // The members of a set made by acedSSGet, freed afterwards; empty when none was made.
    static EntityList ssget(const char* mode, const void* p1 = nullptr, const void* p2 = nullptr,
                            const resbuf* filter = nullptr, int* status = nullptr)
    {
        ads_name set;
        const int rc = acedSSGet(mode, p1, p2, filter, set);
        if (status) *status = rc;
        EntityList out;
        if (rc != RTNORM) return out;
        long length = 0;
        acedSSLength(set, &length);
        for (long i = 0; i < length; ++i) {
            ads_name ent;
            acedSSName(set, i, ent);
            AcDbObjectId id;
            acdbGetObjectId(id, ent);
            out.push_back(id);
        }
        acedSSFree(set);
        return out;
    }
    static EntityList pickAt(double x, double y)
    {
        const ads_point p = {x, y, 0};
        return ssget(nullptr, p);
    }
    static EntityList window(const char* mode, double x1, double y1, double x2, double y2)
    {
        const ads_point a = {x1, y1, 0}, b = {x2, y2, 0};
        return ssget(mode, a, b);
    }
    // Runs the "Select objects: " cycle on script text.
    int selectFromScript(const std::string& script, EntityList& chosen, const arx::ed::SelectionRules& rules = {})
    {
        arx::ed::ScriptInput input(script);
        arx::ed::InputScope scope(&input);
        return arx::ed::selectObjects(rules, chosen);
    }

    std::string printed;
};

TEST_F(SelectionTest, SetCallsKeepEachMemberOnceAndRefuseBadNames)
{
    const AcDbObjectId a = line(0, 0, 10, 0), b = line(0, 5, 10, 5);
    ads_name set, same;
    ASSERT_EQ(acedSSAdd(nullptr, nullptr, set), RTNORM);
    long length = -1;
    ASSERT_EQ(acedSSLength(set, &length), RTNORM);
    EXPECT_EQ(length, 0);
    EXPECT_EQ(acedSSAdd(nameOf(a), set, same), RTNORM);
    EXPECT_TRUE(ads_name_equal(set, same));
    EXPECT_EQ(acedSSAdd(nameOf(a), set, same), RTNORM);
    EXPECT_EQ(acedSSAdd(nameOf(b), set, same), RTNORM);
    acedSSLength(set, &length);
    EXPECT_EQ(length, 2);
    EXPECT_EQ(acedSSMemb(nameOf(b), set), RTNORM);
    ads_name second;
    ASSERT_EQ(acedSSName(set, 1, second), RTNORM);
    EXPECT_TRUE(ads_name_equal(second, nameOf(b)));
    EXPECT_EQ(acedSSName(set, 2, second), RTERROR);
    EXPECT_EQ(acedSSName(set, -1, second), RTERROR);
    EXPECT_EQ(acedSSDel(nameOf(a), set), RTNORM);
    EXPECT_EQ(acedSSDel(nameOf(a), set), RTERROR);
    EXPECT_EQ(acedSSMemb(nameOf(a), set), RTERROR);
    // An entity name is not a set; a freed set is gone.
    EXPECT_EQ(acedSSLength(nameOf(a), &length), RTERROR);
    EXPECT_EQ(acedSSFree(set), RTNORM);
    EXPECT_EQ(acedSSLength(set, &length), RTERROR);
    EXPECT_EQ(acedSSFree(set), RTERROR);
    // A set with one entity from the start.
    ASSERT_EQ(acedSSAdd(nameOf(b), nullptr, set), RTNORM);
    acedSSLength(set, &length);
    EXPECT_EQ(length, 1);
    acedSSFree(set);
}

TEST_F(SelectionTest, XSelectsTheWholeDrawingNewestFirstWithoutErasedOnes)
{
    const AcDbObjectId a = line(0, 0, 10, 0), b = circle(5, 5, 2), c = line(0, 9, 1, 9);
    {
        AcDbObjectPointer<AcDbEntity> erased(c, AcDb::kForWrite);
        erased->erase();
    }
    EXPECT_EQ(ssget("_X"), (EntityList{b, a}));
    int status = 0;
    Chain none(acutBuildList(RTDXF0, "ARC", 0));
    EXPECT_TRUE(ssget("X", nullptr, nullptr, none.get(), &status).empty());
    EXPECT_EQ(status, RTERROR);  // nothing selected: no set
    EXPECT_EQ(acedSSGet("Q", nullptr, nullptr, nullptr, nullptr), RTERROR);
}

TEST_F(SelectionTest, FiltersMatchTypesAndNamesWithWildCardsInAnyCase)
{
    const AcDbObjectId a = line(0, 0, 10, 0, "WALLS"), b = circle(5, 5, 2, "Doors"), c = circle(5, 5, 12, "WALLS");
    Chain lines(acutBuildList(RTDXF0, "line", 0));
    EXPECT_EQ(ssget("X", nullptr, nullptr, lines.get()), (EntityList{a}));
    Chain walls(acutBuildList(8, "w*", 0));
    EXPECT_EQ(ssget("X", nullptr, nullptr, walls.get()), (EntityList{c, a}));
    Chain both(acutBuildList(RTDXF0, "CIRCLE", 8, "WALLS", 0));
    EXPECT_EQ(ssget("X", nullptr, nullptr, both.get()), (EntityList{c}));
    Chain notWalls(acutBuildList(-4, "!=", 8, "WALLS", 0));
    EXPECT_EQ(ssget("X", nullptr, nullptr, notWalls.get()), (EntityList{b}));
    // Colour BYLAYER (256) is matched although an entity list leaves the group out.
    Chain byLayer(acutBuildList(62, 256, 0));
    EXPECT_EQ(ssget("X", nullptr, nullptr, byLayer.get()).size(), 3u);
}

TEST_F(SelectionTest, LogicalGroupsAndRelationalOperatorsCombine)
{
    const AcDbObjectId a = line(0, 0, 10, 0), small = circle(5, 5, 2), big = circle(20, 5, 12);
    Chain orGroup(acutBuildList(-4, "<or", RTDXF0, "LINE", 40, 12.0, -4, "or>", 0));
    EXPECT_EQ(ssget("X", nullptr, nullptr, orGroup.get()), (EntityList{big, a}));
    Chain bigCircles(acutBuildList(RTDXF0, "CIRCLE", -4, ">=", 40, 10.0, 0));
    EXPECT_EQ(ssget("X", nullptr, nullptr, bigCircles.get()), (EntityList{big}));
    Chain notGroup(acutBuildList(-4, "<NOT", RTDXF0, "CIRCLE", -4, "NOT>", 0));
    EXPECT_EQ(ssget("X", nullptr, nullptr, notGroup.get()), (EntityList{a}));
    // XOR of "is a circle" and "centre right of x = 10": the small circle and nothing else.
    const ads_point right = {10, 0, 0};
    Chain xorGroup(acutBuildList(-4, "<XOR", RTDXF0, "CIRCLE", -4, ">,*,*", 10, right, -4, "XOR>", 0));
    EXPECT_EQ(ssget("X", nullptr, nullptr, xorGroup.get()), (EntityList{small}));
    Chain nested(acutBuildList(-4, "<AND", RTDXF0, "CIRCLE", -4, "<OR", 40, 2.0, 40, 99.0, -4, "OR>", -4, "AND>", 0));
    EXPECT_EQ(ssget("X", nullptr, nullptr, nested.get()), (EntityList{small}));
}

TEST_F(SelectionTest, MalformedFiltersAreRefused)
{
    line(0, 0, 10, 0);
    const std::vector<Chain> bad = [] {
        std::vector<Chain> v;
        v.emplace_back(acutBuildList(-4, "<OR", RTDXF0, "LINE", 0));                       // never closed
        v.emplace_back(acutBuildList(-4, "<OR", RTDXF0, "LINE", -4, "AND>", 0));           // wrong closer
        v.emplace_back(acutBuildList(-4, "<NOT", RTDXF0, "LINE", 8, "0", -4, "NOT>", 0));  // two operands
        v.emplace_back(acutBuildList(-4, "<XOR", RTDXF0, "LINE", -4, "XOR>", 0));          // one operand
        v.emplace_back(acutBuildList(-4, "~", 8, "0", 0));                                 // no such operator
        v.emplace_back(acutBuildList(RTDXF0, "LINE", -4, "=", 0));                         // operator at the end
        return v;
    }();
    for (const Chain& filter : bad) {
        int status = 0;
        EXPECT_TRUE(ssget("X", nullptr, nullptr, filter.get(), &status).empty());
        EXPECT_EQ(status, RTERROR);
    }
}

TEST_F(SelectionTest, APickFindsTheTopmostEntityWithinThePickBox)
{
    const AcDbObjectId under = line(0, 0, 40, 0), over = line(20, -10, 20, 10);
    EXPECT_EQ(pickAt(10, 0.25), (EntityList{under}));  // inside the 0.3 box
    EXPECT_TRUE(pickAt(10, 0.35).empty());
    EXPECT_EQ(pickAt(20, 0.1), (EntityList{over}));  // both there: the one drawn last
    const AcDbObjectId ring = circle(60, 30, 5);
    EXPECT_EQ(pickAt(65.2, 30), (EntityList{ring}));
    EXPECT_TRUE(pickAt(60, 30).empty());  // the middle of a circle is empty
}

TEST_F(SelectionTest, WindowsHoldWholeEntitiesAndCrossingsAlsoTouchingOnes)
{
    const AcDbObjectId inside = line(1, 1, 4, 4), across = line(3, 3, 12, 3), ring = circle(30, 30, 5);
    EXPECT_EQ(window("W", 0, 0, 5, 5), (EntityList{inside}));
    EXPECT_EQ(window("C", 5, 5, 0, 0), (EntityList{across, inside}));
    EXPECT_TRUE(window("C", 29, 29, 31, 31).empty());  // inside the circle, not touching it
    EXPECT_EQ(window("C", 34, 29, 36, 31), (EntityList{ring}));
}

TEST_F(SelectionTest, LayersOffOrFrozenHideFromPicksButNotFromX)
{
    const AcDbObjectId off = line(0, 0, 10, 0, "OFFLAYER"), frozen = line(0, 5, 10, 5, "ICE");
    changeLayer("OFFLAYER", [](AcDbLayerTableRecord* r) { r->setIsOff(true); });
    changeLayer("ICE", [](AcDbLayerTableRecord* r) { r->setIsFrozen(true); });
    EXPECT_TRUE(pickAt(5, 0).empty());
    EXPECT_TRUE(window("W", -1, -1, 11, 6).empty());
    EXPECT_EQ(ssget("X"), (EntityList{frozen, off}));
    EXPECT_EQ(arx::ed::allEntities(db), (EntityList{off}));  // ALL leaves out frozen layers only
}

TEST_F(SelectionTest, SelectObjectsPrintsWhatEachStepFound)
{
    const AcDbObjectId a = line(0, 0, 10, 0), b = line(0, 5, 10, 5);
    EntityList chosen;
    ASSERT_EQ(selectFromScript("5,0 5,0 L W -1,-1 11,6 R 5,5\n\n", chosen), RTNORM);
    EXPECT_EQ(chosen, (EntityList{a}));
    EXPECT_EQ(printed,
              "Select objects: 5,0\n1 found\n"
              "Select objects: 5,0\n1 found (1 duplicate), 1 total\n"
              "Select objects: L\n1 found, 2 total\n"
              "Select objects: W\nFirst corner: -1,-1\nSpecify opposite corner: 11,6\n2 found (2 duplicate), 2 total\n"
              "Select objects: R\nRemove objects: 5,5\n1 found, 1 removed, 1 total\n"
              "Remove objects: \n");
    EXPECT_EQ(arx::ed::SelectionSets::instance().previous(), (EntityList{a}));
    (void)b;
}

TEST_F(SelectionTest, UndoTakesBackTheLastStepAndSingleEndsAtTheFirstFind)
{
    const AcDbObjectId a = line(0, 0, 10, 0), b = line(0, 5, 10, 5);
    EntityList chosen;
    ASSERT_EQ(selectFromScript("L W -1,-1 11,6 U\n\n", chosen), RTNORM);
    EXPECT_EQ(chosen, (EntityList{b}));
    chosen.clear();
    printed.clear();
    ASSERT_EQ(selectFromScript("SI 5,0 ", chosen), RTNORM);
    EXPECT_EQ(chosen, (EntityList{a}));
    EXPECT_EQ(printed, "Select objects: SI\nSelect objects: 5,0\n1 found\n");
}

TEST_F(SelectionTest, AnEmptyPickStartsAnImpliedWindowCrossingLeftwards)
{
    const AcDbObjectId a = line(1, 1, 4, 4), b = line(3, 3, 12, 3);
    EntityList right, left;
    ASSERT_EQ(selectFromScript("0,0 5,5\n\n", right), RTNORM);
    EXPECT_EQ(right, (EntityList{a}));
    ASSERT_EQ(selectFromScript("5,5 0,0\n\n", left), RTNORM);
    EXPECT_EQ(left, (EntityList{b, a}));
    EXPECT_NE(printed.find("Select objects: 0,0\nSpecify opposite corner: 5,5\n1 found\n"), std::string::npos);
}

TEST_F(SelectionTest, FilteredAndLockedObjectsAreToldAndLeftOut)
{
    line(0, 0, 10, 0, "LOCKED");
    const AcDbObjectId c = circle(30, 30, 2);
    changeLayer("LOCKED", [](AcDbLayerTableRecord* r) { r->setIsLocked(true); });
    arx::ed::SelectionRules editing;
    editing.skipLockedLayers = true;
    EntityList chosen;
    ASSERT_EQ(selectFromScript("ALL\n\n", chosen, editing), RTNORM);
    EXPECT_EQ(chosen, (EntityList{c}));
    EXPECT_NE(printed.find("ALL\n2 found\n1 was on a locked layer.\n"), std::string::npos) << printed;
    arx::ed::SelectionFilter lines;
    Chain filter(acutBuildList(RTDXF0, "LINE", 0));
    ASSERT_TRUE(lines.parse(filter.get()));
    arx::ed::SelectionRules onlyLines;
    onlyLines.filter = &lines;
    chosen.clear();
    printed.clear();
    ASSERT_EQ(selectFromScript("ALL\n\n", chosen, onlyLines), RTNORM);
    EXPECT_EQ(chosen.size(), 1u);
    EXPECT_EQ(printed, "Select objects: ALL\n2 found\n1 was filtered out.\nSelect objects: \n");
}

TEST_F(SelectionTest, ABadAnswerIsExplainedAndCancelEndsTheSelection)
{
    line(0, 0, 10, 0);
    EntityList chosen;
    EXPECT_EQ(selectFromScript("nonsense", chosen), RTCAN);  // the script runs dry: cancelled
    EXPECT_NE(printed.find("*Invalid selection*\nExpects a point or\nWindow/Last/Crossing/BOX/ALL/Fence/"),
              std::string::npos);
    EXPECT_TRUE(chosen.empty());
}

TEST_F(SelectionTest, PaperSpaceOffersItsViewportsButNotItsOwn)
{
    const AcDbObjectId floating = addViewport(AcGePoint3d(100, 100, 0), 80, 40);
    const EntityList space = arx::ed::currentSpaceEntities(db);
    EXPECT_EQ(space, (EntityList{floating}));
    Chain viewports(acutBuildList(RTDXF0, "VIEWPORT", 0));
    EXPECT_EQ(ssget("X", nullptr, nullptr, viewports.get()).size(), 2u);  // X sees the layout's own too
}

TEST_F(SelectionTest, ThePickFirstSetServesOnlyCommandsThatAskForIt)
{
    const AcDbObjectId a = line(0, 0, 10, 0);
    ads_name set;
    ASSERT_EQ(acedSSAdd(nameOf(a), nullptr, set), RTNORM);
    ASSERT_EQ(acedSSSetFirst(set, nullptr), RTNORM);
    EXPECT_EQ(ssget("_I"), (EntityList{a}));
    static EntityList seen;
    seen.clear();
    acedRegCmds->addCommand("SEL_TEST", "TAKES", "TAKES", ACRX_CMD_USEPICKSET, [] { seen = ssget("_I"); });
    acedRegCmds->addCommand("SEL_TEST", "IGNORES", "IGNORES", ACRX_CMD_MODAL, [] { seen = ssget("_I"); });
    acedCommand(RTSTR, "TAKES", RTNONE);
    EXPECT_EQ(seen, (EntityList{a}));
    // Used up by that command.
    EXPECT_TRUE(ssget("_I").empty());
    acedSSSetFirst(set, nullptr);
    acedCommand(RTSTR, "IGNORES", RTNONE);
    EXPECT_TRUE(seen.empty());
    // PICKFIRST 0: no command takes it.
    ASSERT_EQ(setInt("PICKFIRST", 0), RTNORM);
    acedSSSetFirst(set, nullptr);
    acedCommand(RTSTR, "TAKES", RTNONE);
    EXPECT_TRUE(seen.empty());
    setInt("PICKFIRST", 1);
    acedRegCmds->removeGroup("SEL_TEST");
    acedSSFree(set);
}

TEST_F(SelectionTest, GetCNameGivesTheLocalNameOfAGlobalOne)
{
    acedRegCmds->addCommand("SEL_TEST", "GLOBALNAME", "LOCALNAME", ACRX_CMD_MODAL, [] {});
    char* name = nullptr;
    ASSERT_EQ(acedGetCName("_GLOBALNAME", &name), RTNORM);
    EXPECT_STREQ(name, "LOCALNAME");
    free(name);
    ASSERT_EQ(acedGetCName("localname", &name), RTNORM);
    EXPECT_STREQ(name, "_GLOBALNAME");
    free(name);
    arx::ed::CommandProcessor::instance().defineHostCommand("PLAIN", [] { return arx::ed::CommandOutcome::Ended; });
    ASSERT_EQ(acedGetCName("_PLAIN", &name), RTNORM);
    EXPECT_STREQ(name, "PLAIN");
    free(name);
    EXPECT_EQ(acedGetCName("_NOSUCHCOMMAND", &name), RTERROR);
    acedRegCmds->removeGroup("SEL_TEST");
}

}  // namespace
