#include "ap/document_databases.h"

#include "ap/document_manager.h"
#include "db/dxf/drawing_file.h"
#include "db/open_objects.h"
#include "dbapserv.h"
#include "dbhostext.h"
#include "dbmain.h"
#include "ed/command_processor.h"
#include "ed/console.h"
#include "ed/selection_sets.h"

namespace arx::ap {
namespace {

class WorkingDatabaseListener : public DocumentListener {
public:
    void documentMadeCurrent(Document* doc) override
    {
        acdbHostApplicationServices()->setWorkingDatabase(doc ? doc->database() : nullptr);
    }
};

AcDbDatabase* openDrawing(const std::string& path, std::string& error)
{
    auto* db = new AcDbDatabase(false);
    if (db->dxfIn(path.c_str()) != Acad::eOk) {
        error = arx::dxf::lastDrawingFileMessage();
        if (error.empty()) error = "Cannot open the drawing " + path + ".";
        delete db;
        return nullptr;
    }
    // What the read left out of the file is told, as an audit tells what it removed.
    for (const std::string& warning : arx::dxf::lastDrawingFileRemovals()) {
        ed::Console::instance().ensureLineStart();
        ed::Console::instance().write(warning + "\n");
    }
    return db;
}

// Each outermost command is one undo group of the drawing it started in (which may be
// closed by the time the command ends).
void wireUndoGroups()
{
    static AcDbDatabase* grouped = nullptr;
    auto& hooks = ed::CommandProcessor::instance().hooks();
    hooks.beginUndoGroup = [](const std::string& commandName) {
        grouped = acdbHostApplicationServices()->workingDatabase();
        if (grouped != nullptr) acdbUndoController(grouped)->beginGroup(commandName.c_str());
    };
    hooks.endUndoGroup = [] {
        if (grouped != nullptr && DocumentManager::instance().document(grouped) != nullptr)
            acdbUndoController(grouped)->endGroup();
        grouped = nullptr;
    };
}

// Between two commands no object is open: after each outermost command the host names on the
// command line every object a command (or a reactor it woke) left open.
void checkNothingLeftOpen(const std::string& commandName)
{
    for (Document* doc : DocumentManager::instance().documents()) {
        const std::vector<AcDbObjectId> open = db::objectsLeftOpen(doc->database());
        if (open.empty()) continue;
        std::string handles;
        for (const AcDbObjectId& id : open) {
            char text[20] = {};
            id.handle().getIntoAsciiBuffer(text);
            handles += ' ';
            handles += text;
        }
        ed::Console::instance().ensureLineStart();
        ed::Console::instance().write("** " + commandName + " left objects open:" + handles + "\n");
    }
}

}  // namespace

void wireDocumentDatabases()
{
    static WorkingDatabaseListener listener;
    auto& documents = DocumentManager::instance();
    DatabaseHooks hooks;
    hooks.createEmpty = [] { return new AcDbDatabase(true); };
    hooks.open = openDrawing;
    hooks.release = [](AcDbDatabase* db) {
        ed::SelectionSets::instance().forgetDatabase(db);
        if (acdbHostApplicationServices()->workingDatabase() == db)
            acdbHostApplicationServices()->setWorkingDatabase(nullptr);
        delete db;
    };
    documents.setDatabaseHooks(std::move(hooks));
    documents.addListener(&listener);
    wireUndoGroups();
    ed::CommandProcessor::instance().hooks().commandFinished = checkNothingLeftOpen;
}

}  // namespace arx::ap
