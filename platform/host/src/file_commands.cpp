// The host's file commands: OPEN, SAVEAS and QSAVE. Drawings are written as DXF.
#include <string>

#include "aced.h"
#include "dbmain.h"
#include "db/dxf/drawing_file.h"

#include "ap/document_manager.h"
#include "ed/command_processor.h"
#include "ed/editor.h"
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

// The name a drawing is saved under by default: its own, with the extension ".dxf".
std::string defaultSaveName(const ap::Document& doc)
{
    std::string name = doc.fileName();
    const size_t dot = name.find_last_of('.');
    const size_t slash = name.find_last_of("/\\");
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) name.erase(dot);
    return name + ".dxf";
}

CommandOutcome saveTo(ap::Document& doc, const std::string& path)
{
    AcDbDatabase* db = doc.database();
    if (db == nullptr) return CommandOutcome::Failed;
    // Editor reactors hear of the save before the file is written, and of its end after.
    ed::Editor::instance().notify([&](AcEditorReactor* r) { r->beginSave(db, path.c_str()); });
    if (db->dxfOut(path.c_str()) != Acad::eOk) {
        say(arx::dxf::lastDrawingFileMessage().empty() ? "Cannot save the drawing as " + path + "."
                                                      : arx::dxf::lastDrawingFileMessage());
        return CommandOutcome::Failed;
    }
    doc.setFileName(path);
    doc.setDbmod(0);
    ed::Editor::instance().notify([&](AcEditorReactor* r) { r->saveComplete(db, path.c_str()); });
    return CommandOutcome::Ended;
}

CommandOutcome saveDrawingAs()
{
    ap::Document* doc = ap::DocumentManager::instance().current();
    if (doc == nullptr) return CommandOutcome::Failed;
    const std::string suggested = defaultSaveName(*doc);
    std::string path;
    if (!askText(("Save drawing as <" + suggested + ">: ").c_str(), path)) return CommandOutcome::Cancelled;
    return saveTo(*doc, path.empty() ? suggested : path);
}

CommandOutcome quickSave()
{
    ap::Document* doc = ap::DocumentManager::instance().current();
    if (doc == nullptr) return CommandOutcome::Failed;
    return saveTo(*doc, defaultSaveName(*doc));
}

}  // namespace

void defineFileCommands()
{
    auto& processor = ed::CommandProcessor::instance();
    processor.defineHostCommand("OPEN", openDrawing, ed::kNotUndoable);
    processor.defineHostCommand("SAVEAS", saveDrawingAs, ed::kNotUndoable);
    processor.defineHostCommand("QSAVE", quickSave, ed::kNotUndoable);
}

}  // namespace arx::host
