// The host's session commands: QUIT, EXIT, NEW, CLOSE and ARX; and the list of all sets.
#include <string>

#include "acedads.h"
#include "adscodes.h"
#include "ap/document_manager.h"
#include "ed/command_processor.h"
#include "ed/console.h"
#include "ed/prompts.h"
#include "host.h"
#include "host_command_sets.h"
#include "rx/module_loader.h"

namespace arx::host {

void say(const std::string& text)
{
    ed::Console::instance().ensureLineStart();
    ed::Console::instance().write(text + "\n");
}

ed::CommandOutcome failWith(const char* message)
{
    say(message);
    return ed::CommandOutcome::Failed;
}

ed::CommandOutcome outcomeOf(int status)
{
    if (status == RTCAN) return ed::CommandOutcome::Cancelled;
    return status == RTNORM || status == RTNONE || status == RTKWORD ? ed::CommandOutcome::Ended
                                                                     : ed::CommandOutcome::Failed;
}

bool askText(const char* prompt, std::string& answer)
{
    auto text = ed::askHostText(prompt);
    if (!text) return false;
    answer = *text;
    return true;
}

namespace {

using ed::CommandOutcome;

CommandOutcome quit()
{
    ed::CommandProcessor::instance().requestQuit();
    return CommandOutcome::Ended;
}

CommandOutcome newDrawing()
{
    ap::DocumentManager::instance().newDocument();
    return CommandOutcome::Ended;
}

CommandOutcome closeDrawing()
{
    if (auto* doc = ap::DocumentManager::instance().current()) ap::DocumentManager::instance().closeDocument(doc);
    return CommandOutcome::Ended;
}

CommandOutcome arxCommand()
{
    acedInitGet(0, "? Load Unload Commands Options");
    char option[64] = {};
    int status = acedGetKword("Enter an option [?/Load/Unload/Commands/Options]: ", option);
    if (status == RTCAN) return CommandOutcome::Cancelled;
    std::string keyword = option;
    auto& loader = rx::ModuleLoader::instance();
    if (keyword == "Load") {
        std::string file;
        if (!askText("Runtime extension file: ", file)) return CommandOutcome::Cancelled;
        std::string error;
        if (!loader.load(file, error)) {
            say(error);
            return CommandOutcome::Failed;
        }
    } else if (keyword == "Unload") {
        std::string file;
        if (!askText("Unload ObjectARX file: ", file)) return CommandOutcome::Cancelled;
        rx::Module* module = loader.findByName(file);
        if (module == nullptr || !loader.unload(*module, false)) {
            say("Unable to unload " + file + ".");
            return CommandOutcome::Failed;
        }
        say(file + " successfully unloaded.");
    } else if (keyword == "?") {
        for (const auto& module : loader.modules()) say(module->fileName);
    }
    return CommandOutcome::Ended;
}

}  // namespace

void defineSessionCommands()
{
    auto& processor = ed::CommandProcessor::instance();
    processor.defineHostCommand("QUIT", quit, ed::kNotUndoable);
    processor.defineHostCommand("EXIT", quit, ed::kNotUndoable);
    processor.defineHostCommand("NEW", newDrawing, ed::kNotUndoable);
    processor.defineHostCommand("CLOSE", closeDrawing, ed::kNotUndoable);
    processor.defineHostCommand("ARX", arxCommand, ed::kNotUndoable);
}

void defineHostCommands()
{
    defineSessionCommands();
    defineFileCommands();
    defineViewCommands();
    definePlotCommands();
    defineLayerCommands();
    defineEditCommands();
    defineClipCommands();
    defineTrimExtendCommands();
    defineTransformCommands();
    defineStretchCommand();
    defineExplodeAndList();
    defineGripEditCommand();
    defineMenuCommands();
    definePropertiesCommand();
}

}  // namespace arx::host
