// The host's editing commands: ERASE, and U, UNDO and REDO over the drawing's undo history
// (each command is one undo group, named after the command).
#include <string>
#include <vector>

#include "acedads.h"
#include "aced.h"
#include "adscodes.h"
#include "dbhostext.h"
#include "dbmain.h"
#include "dbobjptr.h"
#include "ed/command_processor.h"
#include "ed/editor.h"
#include "ed/object_selection.h"
#include "ed/views.h"
#include "host_command_sets.h"

namespace arx::host {
namespace {

using ed::CommandOutcome;

constexpr const char* kEverythingUndone = "Everything has been undone";

// REDO takes back only what the U or UNDO just before it undid: any other command closes that
// window.
class RedoWindow : public AcEditorReactor {
public:
    static RedoWindow& instance()
    {
        static RedoWindow window;
        return window;
    }
    void commandWillStart(const char* name) override
    {
        const std::string command = name ? name : "";
        if (command != "U" && command != "UNDO" && command != "REDO") groups_ = 0;
    }
    void open(int groups) { groups_ = groups; }
    int take()
    {
        const int groups = groups_;
        groups_ = 0;
        return groups;
    }

private:
    int groups_ = 0;
};

// The database whose history U, UNDO and REDO work on, with its controller.
struct History {
    AcDbDatabase* db = views::workingDatabase();
    AcDbUndoController* undo = db ? acdbUndoController(db) : nullptr;
    bool usable() const { return undo != nullptr; }
};

// Undoes up to `count` groups, printing their command names on one line, and "Everything has
// been undone" when the history ran out.
// The command names of the `count` newest undoable groups, newest first, on one line.
std::string newestGroupNames(const History& history, int count)
{
    std::string names;
    const int available = history.undo->undoableGroups();
    for (int i = 0; i < count && i < available; ++i) {
        const char* name = history.undo->groupName(i);
        if (name == nullptr || *name == '\0') continue;  // changes made outside any command
        if (!names.empty()) names += ' ';
        names += name;
    }
    return names;
}

int undoGroups(History& history, int count)
{
    const std::string names = newestGroupNames(history, count);
    const int done = history.undo->undo(count);
    if (!names.empty()) say(names);
    if (done < count) say(kEverythingUndone);
    RedoWindow::instance().open(done);
    return done;
}

// ---- ERASE ---------------------------------------------------------------------------------

CommandOutcome erase()
{
    ed::EntityList chosen;
    const int status = selectForEditing(chosen);
    if (status != RTNORM) return status == RTCAN ? CommandOutcome::Cancelled : CommandOutcome::Failed;
    // An erase may erase others through their reactors: those are skipped when their turn comes.
    for (AcDbObjectId id : chosen) {
        AcDbObjectPointer<AcDbEntity> entity(id, AcDb::kForWrite);
        if (entity.openStatus() == Acad::eOk) entity->erase();
    }
    return CommandOutcome::Ended;
}

// ---- U, UNDO, REDO -------------------------------------------------------------------------

CommandOutcome undoOnce()
{
    History history;
    if (!history.usable()) return CommandOutcome::Failed;
    if (!history.db->undoRecording()) {
        say("U command disabled. Use UNDO command to turn it on");
        return CommandOutcome::Ended;
    }
    undoGroups(history, 1);
    return CommandOutcome::Ended;
}

CommandOutcome undoControl(History& history)
{
    char answer[32] = {};
    acedInitGet(0, "All None One");
    const int status = acedGetKword("Enter an UNDO control option [All/None/One] <All>: ", answer);
    if (status != RTNORM && status != RTNONE) return outcomeOf(status);
    if (std::string(answer) == "None") {
        history.undo->clear();
        history.db->disableUndoRecording(true);
    } else {
        history.db->disableUndoRecording(false);
    }
    return CommandOutcome::Ended;
}

CommandOutcome undoAuto()
{
    static bool autoOn = true;  // no menu macros here: the setting is kept, nothing more
    char answer[32] = {};
    acedInitGet(0, "ON OFF");
    const int status =
        acedGetKword(autoOn ? "Enter UNDO Auto mode [ON/OFF] <On>: " : "Enter UNDO Auto mode [ON/OFF] <Off>: ", answer);
    if (status == RTNORM) autoOn = std::string(answer) == "ON";
    return outcomeOf(status);
}

// BEgin and End: the commands between them form one group, "GROUP".
AcDbDatabase*& userGroupDatabase()
{
    static AcDbDatabase* db = nullptr;
    return db;
}

void endUserGroup(History& history)
{
    if (userGroupDatabase() != history.db) return;
    history.undo->endGroup();
    userGroupDatabase() = nullptr;
}

CommandOutcome undoBack(History& history)
{
    const int above = history.undo->groupsAboveMark();
    if (above < 0) {
        char answer[32] = {};
        acedInitGet(0, "Yes No");
        const int status = acedGetKword("This will undo everything. OK? <Y>: ", answer);
        if (status == RTCAN) return CommandOutcome::Cancelled;
        if (std::string(answer) == "No") return CommandOutcome::Ended;
        undoGroups(history, history.undo->undoableGroups() + 1);
        return CommandOutcome::Ended;
    }
    const std::string names = newestGroupNames(history, above);
    const int done = history.undo->undoToMark();
    if (!names.empty()) say(names);
    if (done == above) say("Mark encountered");
    RedoWindow::instance().open(done);
    return CommandOutcome::Ended;
}

CommandOutcome undo()
{
    History history;
    if (!history.usable()) return CommandOutcome::Failed;
    if (!history.db->undoRecording()) return undoControl(history);
    int count = 1;
    acedInitGet(RSG_NOZERO | RSG_NONEG, "Auto Control BEgin End Mark Back");
    const int status =
        acedGetInt("Enter the number of operations to undo or [Auto/Control/BEgin/End/Mark/Back] <1>: ", &count);
    if (status == RTNONE) count = 1;
    else if (status != RTNORM && status != RTKWORD) return outcomeOf(status);
    if (status != RTKWORD) {
        undoGroups(history, count);
        return CommandOutcome::Ended;
    }
    char keyword[32] = {};
    acedGetInput(keyword);
    const std::string option = keyword;
    if (option == "Auto") return undoAuto();
    if (option == "Control") return undoControl(history);
    if (option == "Back") return undoBack(history);
    if (option == "Mark") {
        history.undo->addMark();
    } else if (option == "BEgin") {
        endUserGroup(history);
        history.undo->beginGroup("GROUP");
        userGroupDatabase() = history.db;
    } else if (option == "End") {
        endUserGroup(history);
    }
    return CommandOutcome::Ended;
}

CommandOutcome redo()
{
    History history;
    if (!history.usable()) return CommandOutcome::Failed;
    const int groups = RedoWindow::instance().take();
    if (groups > 0) history.undo->redo(groups);
    return CommandOutcome::Ended;
}

}  // namespace

int selectForEditing(ed::EntityList& chosen, ed::SelectionRegion* lastRegion)
{
    AcDbDatabase* db = views::workingDatabase();
    if (db == nullptr) return RTERROR;
    chosen = lastRegion != nullptr ? ed::EntityList{}
                                   : ed::inCurrentSpace(db, ed::liveMembers(ed::SelectionSets::instance().pickFirst()));
    if (!chosen.empty()) {
        say(std::to_string(chosen.size()) + " found");
        return RTNORM;
    }
    ed::SelectionRules rules;
    rules.skipLockedLayers = true;
    rules.lastRegion = lastRegion;
    return ed::selectObjects(rules, chosen);
}

void defineEditCommands()
{
    auto& processor = ed::CommandProcessor::instance();
    processor.defineHostCommand("ERASE", erase, ed::kUsesPickFirst);
    processor.defineHostCommand("U", undoOnce, ed::kNotUndoable);
    processor.defineHostCommand("UNDO", undo, ed::kNotUndoable);
    processor.defineHostCommand("REDO", redo, ed::kNotUndoable);
    ed::Editor::instance().addReactor(&RedoWindow::instance());
}

}  // namespace arx::host
