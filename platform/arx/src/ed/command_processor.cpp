#include "ed/command_processor.h"

#include <algorithm>
#include <cctype>
#include <cstdarg>
#include <cstdlib>
#include <cstring>

#include "aced.h"
#include "acedads.h"
#include "adscodes.h"
#include "ed/command_stack.h"
#include "ed/console.h"
#include "ed/editor.h"
#include "ed/prompts.h"
#include "ed/selection_sets.h"
#include "ed/sysvars.h"
#include "ed/upper_case.h"
#include "rx/module_loader.h"
#include "winuser.h"

namespace arx::ed {
namespace {

// "._ZOOM", "_.ZOOM", "'ZOOM": the bare name and what its prefixes ask for.
struct EnteredName {
    std::string name;
    bool global = false;       // "_": the global (English) name
    bool hostOnly = false;     // ".": the host's own command even if redefined
    bool transparent = false;  // "'"
};

EnteredName parseName(std::string entered)
{
    EnteredName out;
    size_t i = 0;
    if (i < entered.size() && entered[i] == '\'') {
        out.transparent = true;
        ++i;
    }
    for (; i < entered.size() && (entered[i] == '_' || entered[i] == '.'); ++i)
        (entered[i] == '_' ? out.global : out.hostOnly) = true;
    out.name = upper(entered.substr(i));
    return out;
}

void printUnknown(const std::string& entered)
{
    Console::instance().ensureLineStart();
    Console::instance().write("Unknown command \"" + upper(entered) + "\".  Press F1 for help.\n");
}

}  // namespace

CommandProcessor& CommandProcessor::instance()
{
    static CommandProcessor processor;
    return processor;
}

CommandProcessor::CommandProcessor() = default;

void CommandProcessor::defineHostCommand(const std::string& name, HostCommand command, unsigned flags)
{
    hostCommands_[upper(name)] = HostEntry{std::move(command), flags};
}

bool CommandProcessor::isHostCommand(const std::string& name) const { return hostCommands_.count(upper(name)) != 0; }

CommandOutcome CommandProcessor::runHostOperation(const std::string& name, unsigned flags, const HostCommand& body)
{
    return invoke(upper(name), false, flags, body);
}

long CommandProcessor::cmdActive() const
{
    long bits = 0;
    if (!active_.empty()) bits |= 1;
    if (active_.size() > 1) bits |= 2;
    if (Input::instance().scriptActive()) bits |= 4;
    if (!IsWindowEnabled(adsw_acadMainWnd())) bits |= 8;  // a modal dialog runs
    if (lispDepth_ > 0) bits |= 32;
    if (std::any_of(active_.begin(), active_.end(), [](const Active& a) { return a.moduleCommand; })) bits |= 64;
    return bits;
}

std::string CommandProcessor::cmdNames() const
{
    std::string names;
    for (const Active& a : active_) {
        if (!names.empty()) names += "'";
        names += a.name;
    }
    return names;
}

CommandOutcome CommandProcessor::invoke(const std::string& globalName, bool moduleCommand, unsigned flags,
                                        const std::function<CommandOutcome()>& body)
{
    const bool outermost = active_.empty();
    const bool grouped = outermost && !(flags & kNotUndoable);
    // The pick-first set belongs to the command that starts with it, if it takes it at all.
    const bool pickFirstOn = SysVars::instance().getInt("PICKFIRST").value_or(1) != 0;
    if (outermost && (!(flags & kUsesPickFirst) || !pickFirstOn)) SelectionSets::instance().clearPickFirst();
    if (grouped && hooks_.beginUndoGroup) hooks_.beginUndoGroup(globalName);
    const size_t depth = active_.size();
    active_.push_back(Active{globalName, moduleCommand});
    Editor::instance().notify([&](AcEditorReactor* r) { r->commandWillStart(globalName.c_str()); });
    unsigned cancelsBefore = Prompts::instance().cancelCount();
    CommandOutcome outcome = body();
    finishWaitingRuns(depth + 1, 0);
    if (outcome == CommandOutcome::Ended && Prompts::instance().cancelCount() != cancelsBefore)
        outcome = CommandOutcome::Cancelled;
    active_.pop_back();
    Editor::instance().notify([&](AcEditorReactor* r) {
        switch (outcome) {
        case CommandOutcome::Ended: r->commandEnded(globalName.c_str()); break;
        case CommandOutcome::Cancelled: r->commandCancelled(globalName.c_str()); break;
        case CommandOutcome::Failed: r->commandFailed(globalName.c_str()); break;
        }
    });
    if (outermost) SelectionSets::instance().clearPickFirst();
    if (grouped && hooks_.endUndoGroup) hooks_.endUndoGroup();
    if (outermost && hooks_.commandFinished) hooks_.commandFinished(globalName);
    return outcome;
}

bool CommandProcessor::runNamed(const std::string& entered, int& status)
{
    EnteredName name = parseName(entered);
    status = RTNORM;
    if (name.name.empty()) return false;
    const RegisteredCommand* found = nullptr;
    if (!name.hostOnly) {
        found = CommandStack::instance().lookup(name.name, name.global);
        if (found == nullptr && !isHostCommand(name.name) && hooks_.demandLoad && hooks_.demandLoad(name.name))
            found = CommandStack::instance().lookup(name.name, name.global);
    }
    CommandOutcome outcome;
    if (found != nullptr) {
        // Copied: the command may remove its own group while it runs.
        RegisteredCommand command = *found;
        const unsigned flags = (command.flags & ACRX_CMD_USEPICKSET) ? kUsesPickFirst : kHostCommandPlain;
        outcome = invoke(command.globalName, true, flags, [&] {
            arx::rx::ModuleContext context(command.owner);
            command.function();
            return CommandOutcome::Ended;
        });
    } else {
        auto host = hostCommands_.find(name.name);
        if (host == hostCommands_.end()) return false;
        HostEntry entry = host->second;
        if (entry.flags & kHostMode) {
            const bool outermost = active_.empty();
            outcome = entry.body();
            // The mode leaves no selection behind, whether or not an operation took it.
            if (outermost) SelectionSets::instance().clearPickFirst();
        } else {
            outcome = invoke(name.name, false, entry.flags, entry.body);
        }
    }
    lastCommand_ = entered;
    if (outcome == CommandOutcome::Cancelled) status = RTCAN;
    else if (outcome == CommandOutcome::Failed) status = RTERROR;
    return true;
}

void CommandProcessor::execute(const std::string& entry)
{
    size_t first = entry.find_first_not_of(" \t");
    if (first != std::string::npos && entry[first] == '(') {
        if (hooks_.evaluateLisp) hooks_.evaluateLisp(entry.substr(first));
        return;
    }
    std::string name = entry.empty() ? lastCommand_ : entry;
    if (name.empty()) return;
    int status;
    if (runNamed(name, status)) return;
    // Typed names (not those of acedCommand or the command function) also run AutoLISP
    // C: functions, after every command of the host and the modules.
    const EnteredName parsed = parseName(name);
    if (!parsed.transparent && hooks_.runLispCommand && hooks_.runLispCommand(parsed.name)) {
        lastCommand_ = name;
        return;
    }
    printUnknown(name);
}

void CommandProcessor::runCommandLoop()
{
    while (!quit_) {
        Console::instance().ensureLineStart();
        Console::instance().write("Command: ");
        AnswerRequest request;
        request.atCommandPrompt = true;
        Answer answer = Input::instance().next(request);
        if (answer.kind == Answer::Kind::Cancel) {
            Console::instance().write("\n");
            return;
        }
        std::string text = answerText(answer);
        Console::instance().write(text + "\n");
        execute(text);
    }
}

int CommandProcessor::runEntries(InputSource& source)
{
    int status = RTNORM;
    while (source.hasPending()) {
        Answer entry = *source.next(AnswerRequest{});
        std::string name = answerText(entry);
        if (name.empty()) continue;  // an Enter with no command active
        if (SysVars::instance().getInt("CMDECHO").value_or(1) != 0) {
            Console::instance().ensureLineStart();
            Console::instance().write("Command: " + name + "\n");
        }
        int commandStatus;
        if (!runNamed(name, commandStatus)) {
            printUnknown(name);
            return RTERROR;
        }
        if (commandStatus != RTNORM) status = commandStatus;
    }
    return status;
}

int CommandProcessor::settle(CommandRun& run)
{
    if (!run.finished()) return RTNORM;
    const int status = run.status();
    auto it = std::find_if(waiting_.begin(), waiting_.end(), [&](const auto& r) { return r.get() == &run; });
    if (it != waiting_.end()) waiting_.erase(it);
    return status;
}

void CommandProcessor::finishWaitingRuns(size_t activeDepth, int lispDepth)
{
    while (!waiting_.empty() && waiting_.back()->activeDepth() >= activeDepth &&
           waiting_.back()->lispDepth() >= lispDepth) {
        CommandRun& run = *waiting_.back();
        run.finish(CommandRun::WhenDry::GiveWay);
        settle(run);
    }
}

void CommandProcessor::enterLisp()
{
    lispActiveDepths_.push_back(active_.size());
    ++lispDepth_;
}

void CommandProcessor::leaveLisp()
{
    if (!lispActiveDepths_.empty()) {
        finishWaitingRuns(lispActiveDepths_.back(), lispDepth_);
        lispActiveDepths_.pop_back();
    }
    --lispDepth_;
}

int CommandProcessor::runFromArguments(std::vector<Answer> arguments)
{
    // The command left waiting by the previous call of this level takes these answers.
    if (!waiting_.empty()) {
        CommandRun& run = *waiting_.back();
        if (run.lispDepth() == lispDepth_ && active_.size() == run.activeDepth() + 1) {
            run.goOn(std::move(arguments));
            return settle(run);
        }
    }
    if (active_.empty() && lispDepth_ == 0) {
        // Nobody to go on with a waiting command: it reads from the input below.
        ArgumentInput source(std::move(arguments));
        InputScope scope(&source);
        return runEntries(source);
    }
    waiting_.push_back(std::make_unique<CommandRun>(active_.size(), lispDepth_));
    CommandRun& run = *waiting_.back();
    try {
        run.start(std::move(arguments), [this, &run] { return runEntries(*run.source()); });
    } catch (...) {
        settle(run);
        throw;
    }
    return settle(run);
}

}  // namespace arx::ed

namespace {

using arx::ed::Answer;
using arx::ed::AnswerValue;

// One result buffer of an acedCmd chain as a command answer.
bool toAnswer(const resbuf* rb, Answer& out)
{
    out = Answer{};
    out.kind = Answer::Kind::Value;
    AnswerValue& v = out.value;
    v.type = rb->restype;
    switch (rb->restype) {
    case RTSTR: out = Answer::ofText(rb->resval.rstring ? rb->resval.rstring : ""); return true;
    case RTSHORT: v.integer = rb->resval.rint; return true;
    case RTLONG: v.integer = rb->resval.rlong; return true;
    case RTREAL:
    case RTANG:
    case RTORINT: v.real = rb->resval.rreal; return true;
    case RTPOINT:
    case RT3DPOINT:
        for (int i = 0; i < 3; ++i) v.point[i] = rb->resval.rpoint[i];
        if (rb->restype == RTPOINT) v.point[2] = 0.0;
        return true;
    case RTENAME:
    case RTPICKS: v.name = {rb->resval.rlname[0], rb->resval.rlname[1]}; return true;
    default: return false;
    }
}

}  // namespace

int acedCmd(const resbuf* rbp)
{
    std::vector<Answer> answers;
    for (const resbuf* rb = rbp; rb != nullptr; rb = rb->rbnext) {
        Answer answer;
        if (!toAnswer(rb, answer)) return RTERROR;
        answers.push_back(answer);
    }
    return arx::ed::CommandProcessor::instance().runFromArguments(std::move(answers));
}

int acedCommand(int rtype, ...)
{
    std::vector<Answer> answers;
    va_list args;
    va_start(args, rtype);
    int status = RTNORM;
    for (int type = rtype; type != RTNONE && type != 0; type = va_arg(args, int)) {
        resbuf rb{};
        rb.restype = static_cast<short>(type);
        switch (type) {
        case RTSTR: rb.resval.rstring = va_arg(args, char*); break;
        case RTSHORT: rb.resval.rint = static_cast<short>(va_arg(args, int)); break;
        case RTLONG: rb.resval.rlong = va_arg(args, long); break;
        case RTREAL:
        case RTANG:
        case RTORINT: rb.resval.rreal = va_arg(args, double); break;
        case RTPOINT:
        case RT3DPOINT: {
            const double* p = va_arg(args, const double*);
            for (int i = 0; i < 3; ++i) rb.resval.rpoint[i] = (type == RTPOINT && i == 2) ? 0.0 : p[i];
            break;
        }
        case RTENAME:
        case RTPICKS: {
            const long* n = va_arg(args, const long*);
            rb.resval.rlname[0] = n[0];
            rb.resval.rlname[1] = n[1];
            break;
        }
        default: status = RTERROR; break;
        }
        if (status != RTNORM) break;
        Answer answer;
        toAnswer(&rb, answer);
        answers.push_back(answer);
    }
    va_end(args);
    if (status != RTNORM) return status;
    return arx::ed::CommandProcessor::instance().runFromArguments(std::move(answers));
}

int acedGetCName(const char* cmd, char** newName)
{
    if (cmd == nullptr || newName == nullptr) return RTERROR;
    *newName = nullptr;
    std::string name = cmd;
    while (!name.empty() && name[0] == '.') name.erase(0, 1);
    const bool global = !name.empty() && name[0] == '_';
    if (global) name.erase(0, 1);
    while (!name.empty() && name[0] == '.') name.erase(0, 1);
    for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (name.empty()) return RTERROR;
    std::string answer;
    // The host's own commands have the same local and global names in this release.
    if (const auto* command = arx::ed::CommandStack::instance().lookup(name, global))
        answer = global ? command->localName : "_" + command->globalName;
    else if (arx::ed::CommandProcessor::instance().isHostCommand(name)) answer = global ? name : "_" + name;
    else return RTERROR;
    *newName = static_cast<char*>(std::malloc(answer.size() + 1));
    if (*newName == nullptr) return RTERROR;
    std::memcpy(*newName, answer.c_str(), answer.size() + 1);
    return RTNORM;
}
