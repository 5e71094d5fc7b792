// The command processor: the "Command: " prompt, running host and module commands (typed,
// from a script, or from AutoLISP and acedCommand), CMDACTIVE and CMDNAMES, the editor's
// command events, and one undo group for each outermost command.
#pragma once
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ed/input.h"
#include "ed/waiting_command.h"

namespace arx::ed {

enum class CommandOutcome { Ended, Cancelled, Failed };

// A command of the host itself; it reads its answers with the acedGet... calls.
using HostCommand = std::function<CommandOutcome()>;

// How the host treats one of its commands.
enum HostCommandFlags : unsigned {
    kHostCommandPlain = 0,
    kUsesPickFirst = 1,  // the selection made before the command is its selection
    kNotUndoable = 2,    // no undo group (U, UNDO, REDO and the file commands)
    // A mode of the host rather than a command (the grip mode): it runs with no command
    // active and starts, through runHostOperation, the commands its operations are.
    kHostMode = 4,
};

struct ProcessorHooks {
    // Evaluates an AutoLISP expression entered at the command prompt, printing its value.
    std::function<void(const std::string& expression)> evaluateLisp;
    // Asked for a name typed at the prompt that no command has (upper case, without its
    // prefixes); true when an AutoLISP C: function of that name ran.
    std::function<bool(const std::string& name)> runLispCommand;
    // Asked for a command nobody registered; true when it loaded a module that has it.
    std::function<bool(const std::string& globalName)> demandLoad;
    // Around each outermost undoable command, with its global name.
    std::function<void(const std::string& commandName)> beginUndoGroup;
    std::function<void()> endUndoGroup;
    // After each outermost command, with its global name.
    std::function<void(const std::string& commandName)> commandFinished;
};

class CommandProcessor {
public:
    static CommandProcessor& instance();

    // The hooks other areas fill in (AutoLISP evaluation, demand loading, undo groups).
    ProcessorHooks& hooks() { return hooks_; }
    void defineHostCommand(const std::string& name, HostCommand command, unsigned flags = kHostCommandPlain);
    bool isHostCommand(const std::string& name) const;
    // Runs an operation of a host mode as a command of the given name: the editor reactors
    // hear that name, CMDNAMES shows it, and the outermost one is an undo group.
    CommandOutcome runHostOperation(const std::string& name, unsigned flags, const HostCommand& body);

    // Prompts "Command: " and runs what is entered until the input ends or QUIT.
    void runCommandLoop();
    // Runs one entry of the command prompt: a command name or an AutoLISP expression.
    void execute(const std::string& entry);
    // Runs commands whose names and answers are the given arguments (acedCommand,
    // AutoLISP command). Returns RTNORM, RTCAN when a command was cancelled, RTERROR when a
    // name is unknown. Inside a command or an AutoLISP evaluation, a command still asking when
    // the arguments run dry waits, active, and the next call's arguments go on with it; it
    // reads from the input below once the command or evaluation that started it ends.
    int runFromArguments(std::vector<Answer> arguments);
    // True while a command started from arguments waits for more.
    bool commandWaiting() const { return !waiting_.empty(); }

    void requestQuit() { quit_ = true; }
    bool quitRequested() const { return quit_; }
    void resetQuit() { quit_ = false; }

    long cmdActive() const;
    std::string cmdNames() const;
    bool commandActive() const { return !active_.empty(); }

    // Nesting counter for CMDACTIVE bit 32 (AutoLISP). Bit 8 (a dialog box) is on while a
    // modal dialog keeps the host's main window disabled (adsw_acadMainWnd).
    void enterLisp();
    void leaveLisp();
    int lispDepth() const { return lispDepth_; }

private:
    CommandProcessor();
    // Runs one command by the name entered; false when nobody has it.
    bool runNamed(const std::string& entered, int& status);
    CommandOutcome invoke(const std::string& globalName, bool moduleCommand, unsigned flags,
                          const std::function<CommandOutcome()>& body);
    // Runs the command names and answers of a source until it is dry after a command.
    int runEntries(InputSource& source);
    // The status of a run that returned: its own once finished (and it is forgotten), else
    // RTNORM while it waits.
    int settle(CommandRun& run);
    // Runs started at or above these depths that still wait finish from the input below.
    void finishWaitingRuns(size_t activeDepth, int lispDepth);

    struct HostEntry {
        HostCommand body;
        unsigned flags = kHostCommandPlain;
    };
    ProcessorHooks hooks_;
    std::map<std::string, HostEntry> hostCommands_;
    struct Active {
        std::string name;
        bool moduleCommand;
    };
    std::vector<Active> active_;
    std::vector<std::unique_ptr<CommandRun>> waiting_;
    std::string lastCommand_;
    int lispDepth_ = 0;
    std::vector<size_t> lispActiveDepths_;  // the command depth at each AutoLISP entry
    bool quit_ = false;
};

}  // namespace arx::ed
