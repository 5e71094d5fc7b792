// ERASE, U, UNDO and REDO run in-process on typed and scripted input: what they print, the
// notifications persistent and transient reactors hear (erase -> erased(true), its undo ->
// erased(false), redo -> erased(true) again, each while the object is open), and CMDNAMES and
// CMDACTIVE while they run.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>

#include <unistd.h>

#include "acdbads_db.h"
#include "aced.h"
#include "acedads.h"
#include "ap/document_manager.h"
#include "dbapserv.h"
#include "dbdict.h"
#include "dbents.h"
#include "dbsymtb.h"
#include "dbobjptr.h"
#include "ed/console.h"
#include "ed/input.h"
#include "ed/selection_sets.h"
#include "ed/command_processor.h"
#include "ed/sysvars.h"
#include "host.h"
#include "host_session_fixture.h"
#include "support/test_classes.h"

namespace {

using hosttest::printed;

// Hears erase notifications and notes what the editor said at that moment.
class EraseWitness : public AcDbObjectReactor {
public:
    void erased(const AcDbObject* obj, Adesk::Boolean erasing) override
    {
        const auto& vars = arx::ed::SysVars::instance();
        heard.push_back(std::string(erasing ? "erased " : "unerased ") + vars.getString("CMDNAMES").value_or("?") +
                        " " + std::to_string(vars.getInt("CMDACTIVE").value_or(-1)) +
                        (obj->isWriteEnabled() || obj->isNotifying() ? " open" : " closed"));
    }
    std::vector<std::string> heard;
};

class EditCommands : public hosttest::HostSessionTest {
protected:
    // A test entity in model space watched by a persistent reactor object and `witness`.
    AcDbObjectId addWatchedEntity(double value)
    {
        auto* entity = new DbTestEntity;
        entity->setValue(value);
        return addWatched(entity, witness);
    }
    static bool erased(AcDbObjectId id) { return id.isErased(); }

    EraseWitness witness;
};

TEST_F(EditCommands, EraseUndoAndRedoNotifyInTheHostsOrder)
{
    const AcDbObjectId id = addWatchedEntity(1.0);
    const std::string h = dbtest::handleOf(id);
    dbtest::events().clear();
    typed("ERASE\nL\n\nU\nREDO\n");
    EXPECT_TRUE(erased(id));
    // ERASE opens the object for write: openedForModify before the erase, modified at its close.
    EXPECT_EQ(dbtest::events(),
              (std::vector<std::string>{"P:openedForModify " + h, "P:erased " + h + " 1", "P:modified " + h,
                                        "P:erased " + h + " 0", "P:erased " + h + " 1"}));
    EXPECT_EQ(witness.heard,
              (std::vector<std::string>{"erased ERASE 1 open", "unerased U 1 open", "erased REDO 1 open"}));
    EXPECT_EQ(printed(), "Command: ERASE\nSelect objects: L\n1 found\nSelect objects: \n"
                         "Command: U\nERASE\n"
                         "Command: REDO\n"
                         "Command: \n");
}

// UNDO of several groups takes them back newest first, and each group backwards; REDO
// replays them in the order they were made.
TEST_F(EditCommands, UndoOfSeveralErasesNotifiesNewestFirstAndRedoOldestFirst)
{
    const AcDbObjectId a = addWatchedEntity(1.0);
    const AcDbObjectId b = addWatchedEntity(2.0);
    const AcDbObjectId c = addWatchedEntity(3.0);
    const std::string ha = dbtest::handleOf(a), hb = dbtest::handleOf(b), hc = dbtest::handleOf(c);
    ads_name sa, sb;
    ASSERT_EQ(acdbGetAdsName(sa, a), Acad::eOk);
    ASSERT_EQ(acdbGetAdsName(sb, b), Acad::eOk);
    ads_name both;
    ASSERT_EQ(acedSSAdd(sa, nullptr, both), RTNORM);
    ASSERT_EQ(acedSSAdd(sb, both, both), RTNORM);
    resbuf value{};
    value.restype = RTPICKS;
    value.resval.rlname[0] = both[0];
    value.resval.rlname[1] = both[1];
    ASSERT_EQ(acedPutSym("pair", &value), RTNORM);
    typed("ERASE\n!pair\n\nERASE\nL\n\n");
    acedSSFree(both);
    ASSERT_TRUE(erased(a) && erased(b) && erased(c));
    dbtest::events().clear();
    typed("UNDO\n2\nREDO\n");
    std::vector<std::string> erasures;
    for (const std::string& e : dbtest::events())
        if (e.rfind("P:erased ", 0) == 0) erasures.push_back(e.substr(9));
    EXPECT_EQ(erasures, (std::vector<std::string>{hc + " 0", hb + " 0", ha + " 0", ha + " 1", hb + " 1", hc + " 1"}));
    EXPECT_TRUE(erased(a) && erased(b) && erased(c));
    EXPECT_NE(printed().find("Command: UNDO\n"), std::string::npos);
    EXPECT_NE(printed().find("ERASE ERASE\n"), std::string::npos) << "the undone commands, newest first";
}

TEST_F(EditCommands, CmdActiveTellsScriptsAndAutoLispApart)
{
    addWatchedEntity(1.0);
    arx::host::runScriptText("ERASE L \n");
    typed("(command \"U\")\n(command \"ERASE\" \"L\" \"\")\n");
    ASSERT_EQ(witness.heard.size(), 3u);
    EXPECT_EQ(witness.heard[0], "erased ERASE 5 open");  // a script: 1 + 4
    EXPECT_EQ(witness.heard[1], "unerased U 33 open");   // AutoLISP command: 1 + 32
    EXPECT_EQ(witness.heard[2], "erased ERASE 33 open");
}

TEST_F(EditCommands, UndoByNumberMarkAndBackPrintTheUndoneCommands)
{
    const AcDbObjectId a = addWatchedEntity(1.0), b = addWatchedEntity(2.0), c = addWatchedEntity(3.0);
    arx::ed::Input::instance();
    typed("ERASE\nL\n\nUNDO\nM\nERASE\nALL\n\nUNDO\nBack\n");
    EXPECT_TRUE(erased(c));
    EXPECT_FALSE(erased(a));
    EXPECT_FALSE(erased(b));
    EXPECT_NE(printed().find("[Auto/Control/BEgin/End/Mark/Back] <1>: Back\nERASE\nMark encountered\n"),
              std::string::npos)
        << printed();
    printed().clear();
    typed("UNDO\n5\nREDO\n");
    EXPECT_NE(printed().find("<1>: 5\nERASE\nEverything has been undone\nCommand: REDO\n"), std::string::npos)
        << printed();
    EXPECT_TRUE(erased(c)) << "REDO brings back what UNDO took away";
    printed().clear();
    typed("UNDO\nBack\nNo\n");
    EXPECT_NE(printed().find("<1>: Back\nThis will undo everything. OK? <Y>: No\n"), std::string::npos) << printed();
    EXPECT_TRUE(erased(c));
}

TEST_F(EditCommands, BeginAndEndMakeOneGroup)
{
    const AcDbObjectId a = addWatchedEntity(1.0), b = addWatchedEntity(2.0);
    typed("UNDO\nBEgin\nERASE\nL\n\nERASE\nALL\n\nUNDO\nEnd\nU\n");
    EXPECT_FALSE(erased(a));
    EXPECT_FALSE(erased(b));
    EXPECT_NE(printed().find("Command: U\nGROUP\n"), std::string::npos) << printed();
}

TEST_F(EditCommands, ControlNoneTurnsUndoOffUntilAll)
{
    const AcDbObjectId a = addWatchedEntity(1.0);
    typed("UNDO\nC\nNone\nERASE\nL\n\nU\nUNDO\nAll\nU\n");
    EXPECT_TRUE(erased(a)) << "nothing was recorded while undo was off";
    EXPECT_NE(printed().find("Command: U\nU command disabled. Use UNDO command to turn it on\n"
                             "Command: UNDO\nEnter an UNDO control option [All/None/One] <All>: All\n"
                             "Command: U\nEverything has been undone\n"),
              std::string::npos)
        << printed();
}

TEST_F(EditCommands, EraseTakesThePickFirstSetWithoutAsking)
{
    const AcDbObjectId a = addWatchedEntity(1.0), b = addWatchedEntity(2.0);
    ads_name set, ent;
    acdbGetAdsName(ent, a);
    ASSERT_EQ(acedSSAdd(ent, nullptr, set), RTNORM);
    ASSERT_EQ(acedSSSetFirst(set, nullptr), RTNORM);
    typed("ERASE\n");
    EXPECT_TRUE(erased(a));
    EXPECT_FALSE(erased(b));
    EXPECT_EQ(printed(), "Command: ERASE\n1 found\nCommand: \n");
    acedSSFree(set);
}

}  // namespace

namespace {

TEST_F(EditCommands, SetsLoseTheEntitiesOfADrawingThatCloses)
{
    const AcDbObjectId a = addWatchedEntity(1.0);
    ads_name set, ent;
    acdbGetAdsName(ent, a);
    ASSERT_EQ(acedSSAdd(ent, nullptr, set), RTNORM);
    typed("ERASE\nL\n\n");  // also the previous selection
    arx::ap::DocumentManager::instance().closeDocument(arx::ap::DocumentManager::instance().current());
    arx::ap::DocumentManager::instance().newDocument();
    long length = -1;
    ASSERT_EQ(acedSSLength(set, &length), RTNORM);
    EXPECT_EQ(length, 0);
    EXPECT_TRUE(arx::ed::SelectionSets::instance().previous().empty());
    acedSSFree(set);
}

}  // namespace

namespace {

AcDbObjectId leftOpenId;

// A module command that forgets to close what it opened.
void leaveObjectOpen()
{
    AcDbObject* object = nullptr;
    acdbOpenAcDbObject(object, leftOpenId, AcDb::kForRead);
}

AcDbObjectId appendedId;
AcDbObject* appendedObject = nullptr;

// A module command that appends a line to model space and forgets to close it.
void leaveNewEntityOpen()
{
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    AcDbBlockTable* table = nullptr;
    if (db->getBlockTable(table, AcDb::kForRead) != Acad::eOk) return;
    AcDbBlockTableRecord* model = nullptr;
    const Acad::ErrorStatus status = table->getAt(ACDB_MODEL_SPACE, model, AcDb::kForWrite);
    table->close();
    if (status != Acad::eOk) return;
    auto* line = new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 1, 0));
    if (model->appendAcDbEntity(appendedId, line) == Acad::eOk) appendedObject = line;
    else delete line;
    model->close();
}

void doNothing() {}

}  // namespace

TEST_F(EditCommands, AfterEachCommandTheHostNamesTheObjectsLeftOpen)
{
    leftOpenId = addWatchedEntity(1.0);
    acedRegCmds->addCommand("LEAK_GROUP", "LEAVEOPEN", "LEAVEOPEN", ACRX_CMD_MODAL, leaveObjectOpen);
    typed("LEAVEOPEN\n");
    acedRegCmds->removeGroup("LEAK_GROUP");
    const std::string handle = dbtest::handleOf(leftOpenId);
    EXPECT_EQ(printed(), "Command: LEAVEOPEN\n** LEAVEOPEN left objects open: " + handle + "\nCommand: \n");
    AcDbObject* object = nullptr;
    ASSERT_EQ(acdbOpenAcDbObject(object, leftOpenId, AcDb::kForRead), Acad::eOk);
    object->close();
    object->close();  // the open the command forgot

    printed().clear();
    typed("ERASE\nL\n\nU\n");
    EXPECT_EQ(printed().find("**"), std::string::npos) << "commands that close what they open are not named";
}

TEST_F(EditCommands, AnObjectLeftOpenIsNamedAfterEveryCommandUntilItIsClosed)
{
    acedRegCmds->addCommand("LEAK_GROUP", "LEAVENEW", "LEAVENEW", ACRX_CMD_MODAL, leaveNewEntityOpen);
    acedRegCmds->addCommand("LEAK_GROUP", "NOTHING", "NOTHING", ACRX_CMD_MODAL, doNothing);
    typed("LEAVENEW\n");
    ASSERT_NE(appendedObject, nullptr);
    const std::string handle = dbtest::handleOf(appendedId);
    EXPECT_EQ(printed(), "Command: LEAVENEW\n** LEAVENEW left objects open: " + handle + "\nCommand: \n");
    printed().clear();
    typed("NOTHING\n");
    EXPECT_EQ(printed(), "Command: NOTHING\n** NOTHING left objects open: " + handle + "\nCommand: \n");
    appendedObject->close();
    printed().clear();
    typed("NOTHING\n");
    EXPECT_EQ(printed(), "Command: NOTHING\nCommand: \n");
    acedRegCmds->removeGroup("LEAK_GROUP");
}
