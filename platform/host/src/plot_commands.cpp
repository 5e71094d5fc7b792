// The host's plot commands: SVGOUT, PLOT and PREVIEW write the drawing as an SVG picture
// (svg_plot.h). They are commands of the command processor, so editor reactors hear them
// start and end as they hear any other.
#include <string>

#include "ap/document_manager.h"
#include "ed/command_processor.h"
#include "ed/views.h"
#include "host_command_sets.h"
#include "svg_plot.h"

namespace arx::host {
namespace {

using ed::CommandOutcome;

// The current layout (the Model layout while TILEMODE is 1) written to the file asked for.
CommandOutcome writeCurrentLayout()
{
    ap::Document* doc = ap::DocumentManager::instance().current();
    AcDbDatabase* db = doc != nullptr ? doc->database() : nullptr;
    if (db == nullptr) return CommandOutcome::Failed;
    std::string path;
    if (!askText("Enter SVG file name: ", path)) return CommandOutcome::Cancelled;
    if (path.empty()) return CommandOutcome::Cancelled;
    views::refresh(db);
    const AcDbObjectId layout = views::isTiled(db) ? views::modelLayoutId(db) : views::currentLayoutId(db);
    const std::string svg = plotSvg(db, layout);
    if (svg.empty()) {
        say("Cannot draw the current layout.");
        return CommandOutcome::Failed;
    }
    if (!writeWholeFile(path, svg)) {
        say("Cannot write " + path + ".");
        return CommandOutcome::Failed;
    }
    return CommandOutcome::Ended;
}

}  // namespace

void definePlotCommands()
{
    ed::CommandProcessor& processor = ed::CommandProcessor::instance();
    processor.defineHostCommand("SVGOUT", writeCurrentLayout, ed::kNotUndoable);
    processor.defineHostCommand("PLOT", writeCurrentLayout, ed::kNotUndoable);
    processor.defineHostCommand("PREVIEW", writeCurrentLayout, ed::kNotUndoable);
}

}  // namespace arx::host
