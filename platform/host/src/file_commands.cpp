// The host's file commands: OPEN.
#include <string>

#include "ap/document_manager.h"
#include "ed/command_processor.h"
#include "host_command_sets.h"

namespace arx::host {
namespace {

using ed::CommandOutcome;

CommandOutcome openDrawing()
{
    std::string path;
    if (!askText("Enter name of drawing to open: ", path)) return CommandOutcome::Cancelled;
    std::string error;
    if (ap::DocumentManager::instance().openDocument(path, error) == nullptr) {
        say(error);
        return CommandOutcome::Failed;
    }
    return CommandOutcome::Ended;
}

}  // namespace

void defineFileCommands()
{
    ed::CommandProcessor::instance().defineHostCommand("OPEN", openDrawing);
}

}  // namespace arx::host
