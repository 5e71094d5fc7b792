#include "ap/document_databases.h"

#include "ap/document_manager.h"
#include "db/dxf/drawing_file.h"
#include "dbapserv.h"
#include "dbmain.h"

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
    return db;
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
        if (acdbHostApplicationServices()->workingDatabase() == db)
            acdbHostApplicationServices()->setWorkingDatabase(nullptr);
        delete db;
    };
    documents.setDatabaseHooks(std::move(hooks));
    documents.addListener(&listener);
}

}  // namespace arx::ap
