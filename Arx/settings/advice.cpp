#include "settings/advice.h"

#include <strings.h>

#include <memory>
#include <set>
#include <string>

#include "acdocman.h"
#include "dbents.h"
#include "dbsymtb.h"
#include "shell/object_opener.h"
#include "settings/warning_dialogs.h"
#include "shell/document_registry.h"

namespace kestra {

namespace {

// The host's commands that add floating viewports to a layout.
constexpr const char* kViewportCommands[] = {"MVIEW", "-VPORTS", "VPORTS"};

bool addsViewports(const char* commandName)
{
    if (commandName == nullptr) return false;
    for (const char* name : kViewportCommands)
        if (strcasecmp(commandName, name) == 0) return true;
    return false;
}

// The viewports of the current space (a layout's paper space); counted only around the
// commands above, so ordinary commands never walk the layout.
int viewportsInCurrentSpace()
{
    AcApDocument* document = curDoc();
    AcDbDatabase* db = document ? document->database() : nullptr;
    if (db == nullptr) return 0;
    ObjectOpener<AcDbBlockTableRecord> space(db->currentSpaceId(), AcDb::kForRead);
    AcDbBlockTableRecordIterator* raw = nullptr;
    if (!space || space->newIterator(raw) != Acad::eOk || raw == nullptr) return 0;
    std::unique_ptr<AcDbBlockTableRecordIterator> iterator(raw);
    int count = 0;
    for (; !iterator->done(); iterator->step()) {
        AcDbObjectId id;
        iterator->getEntityId(id);
        ObjectOpener<AcDbViewport> viewport(id, AcDb::kForRead);
        if (viewport) ++count;
    }
    return count;
}

int& viewportsBefore()
{
    static int count = -1;
    return count;
}

std::set<std::string>& advisedDrawings()
{
    static std::set<std::string> drawings;
    return drawings;
}

}  // namespace

void showAdvice()
{
    const DocumentState* state = currentDocumentState();
    if (state == nullptr || state->associationCount >= 1) return;
    showWarningDialog(Warning::Advice);
}

void noteViewportsBeforeCommand(const char* commandName)
{
    viewportsBefore() = addsViewports(commandName) ? viewportsInCurrentSpace() : -1;
}

void adviseAfterCommand(const char* commandName)
{
    if (!addsViewports(commandName) || viewportsBefore() < 0) return;
    const bool added = viewportsInCurrentSpace() > viewportsBefore();
    viewportsBefore() = -1;
    if (!added) return;
    const DocumentState* state = currentDocumentState();
    AcApDocument* document = curDoc();
    if (state == nullptr || document == nullptr || state->associationCount >= 1) return;
    const std::string drawing = document->fileName() ? document->fileName() : "";
    if (!advisedDrawings().insert(drawing).second) return;
    showAdvice();
}

}  // namespace kestra
