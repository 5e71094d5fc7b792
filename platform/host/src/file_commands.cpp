// The host's file commands: OPEN, SAVEAS and QSAVE. Drawings are written as DXF.
#include <filesystem>
#include <optional>
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

// The file a save writes. A symbolic link is followed to the file it names, as writing through
// the link would, so that the save replaces that file and leaves the link in place; a target
// that exists and is not a regular file (a folder, a device, a pipe) is refused with a message.
std::optional<std::string> saveTarget(const std::string& path, std::string& error)
{
    namespace fs = std::filesystem;
    constexpr int kMaxLinks = 40;  // as many as the system follows before ELOOP
    fs::path target = path;
    for (int links = 0;; ++links) {
        std::error_code failure;
        const fs::file_status status = fs::symlink_status(target, failure);
        if (status.type() == fs::file_type::not_found) return target.string();
        if (failure) {
            error = "Cannot save the drawing as " + path + ": " + failure.message() + ".";
            return std::nullopt;
        }
        if (fs::is_regular_file(status)) return target.string();
        if (!fs::is_symlink(status) || links == kMaxLinks) {
            error = "Cannot save the drawing as " + path + ": it is not a regular file.";
            return std::nullopt;
        }
        const fs::path next = fs::read_symlink(target, failure);
        if (failure) {
            error = "Cannot save the drawing as " + path + ": " + failure.message() + ".";
            return std::nullopt;
        }
        target = next.is_absolute() ? next : target.parent_path() / next;
    }
}

CommandOutcome saveTo(ap::Document& doc, const std::string& path)
{
    std::string refusal;
    const std::optional<std::string> target = saveTarget(path, refusal);
    if (!target) {
        say(refusal);
        return CommandOutcome::Failed;
    }
    AcDbDatabase* db = doc.database();
    if (db == nullptr) return CommandOutcome::Failed;
    // Editor reactors hear of the save before the file is written, and of its end after.
    ed::Editor::instance().notify([&](AcEditorReactor* r) { r->beginSave(db, path.c_str()); });
    if (db->dxfOut(target->c_str()) != Acad::eOk) {
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
