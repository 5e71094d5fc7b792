#include "assoc/msv_editor_reactor.h"

#include <strings.h>

#include <vector>

#include "acdocman.h"
#include "acutads.h"
#include "assoc/association_maintenance.h"
#include "assoc/association_store.h"
#include "assoc/ms_vp_pers_reactor.h"
#include "assoc/plot_check.h"
#include "assoc/reshape_hooks.h"
#include "assoc/store_access.h"
#include "settings/advice.h"
#include "shell/document_registry.h"
#include "shell/kestra_module.h"
#include "shell/message_routing.h"

namespace kestra {

namespace {

constexpr const char* kVpclipReminder = "Type KS1 to recreate a Kestra in the new viewport.";
constexpr const char* kReactorNotRemoved = "The persistent reactor is undeleted !!!";
constexpr const char* kRecordNotRemoved = "The xrecord is undeleted";

bool sameCommand(const char* name, const char* expected) { return name != nullptr && strcasecmp(name, expected) == 0; }

void setLispEvaluating(bool evaluating)
{
    if (DocumentState* record = currentDocumentState()) record->lispEvaluating = evaluating;
}

void printReactorFailure(const char* text) { acutPrintf("(MsvEditorReactor) %s.\n", text); }

// The module's reactor objects among the object's persistent reactors.
std::vector<AcDbObjectId> moduleReactorsOf(const AcDbObject& object)
{
    std::vector<AcDbObjectId> ids;
    const AcDbVoidPtrArray* reactors = object.reactors();
    if (reactors == nullptr) return ids;
    for (int i = 0; i < reactors->length(); ++i) {
        void* entry = reactors->at(i);
        if (!acdbIsPersistentReactor(entry)) continue;
        const AcDbObjectId id = acdbPersistentReactorObjectId(entry);
        if (ObjectOpener<MsVpPersReactor>(id, AcDb::kForRead, true)) ids.push_back(id);
    }
    return ids;
}

bool removeModuleReactors(AcDbObject& object)
{
    for (const AcDbObjectId& id : moduleReactorsOf(object)) {
        const Acad::ErrorStatus status = object.removePersistentReactor(id);
        if (status != Acad::eOk && status != Acad::eKeyNotFound) return false;
    }
    return true;
}

// The record is emptied first and then taken out of the dictionary and erased.
bool removePartnerRecord(AcDbObject& object)
{
    if (object.extensionDictionary().isNull()) return true;
    ObjectOpener<AcDbDictionary> dictionary(object.extensionDictionary(), AcDb::kForWrite, true);
    if (!dictionary) return false;
    if (!dictionary->has(kPartnerHandleKey)) return true;
    if (replaceRecord(*dictionary, kPartnerHandleKey, nullptr) != Acad::eOk) return false;
    AcDbObjectId recordId;
    if (dictionary->remove(kPartnerHandleKey, recordId) != Acad::eOk) return false;
    // Out of the dictionary the empty record has no owner left: it goes too.
    if (ObjectOpener<AcDbObject> record(recordId, AcDb::kForWrite); record) record->erase();
    return true;
}

void stripCopy(AcDbObjectId id)
{
    ObjectOpener<AcDbObject> copy(id, AcDb::kForWrite, true, true);
    if (!copy) return;
    if (!removeModuleReactors(*copy)) {
        printReactorFailure(kReactorNotRemoved);
        return;
    }
    if (!removePartnerRecord(*copy)) printReactorFailure(kRecordNotRemoved);
}

}  // namespace

void stripCopiedAssociations()
{
    KestraModule* module = kestraModule();
    if (module == nullptr || module->copiedObjects.empty()) return;
    DocumentState* state = currentDocumentState();
    if (state != nullptr) state->reactorsSuspended = true;
    const std::vector<AcDbObjectId> copies = module->copiedObjects.ids();
    module->copiedObjects.clear();
    for (const AcDbObjectId& id : copies) stripCopy(id);
    if (state != nullptr) state->reactorsSuspended = false;
}

void MsvEditorReactor::beginSave(AcDbDatabase* database, const char* /*intendedName*/)
{
    AcApDocument* document = curDoc();
    if (document == nullptr || database == nullptr || database != document->database()) return;
    verifyAssociations(true, false, document);
}

void MsvEditorReactor::commandWillStart(const char* commandName)
{
    if (KestraModule* module = kestraModule()) module->copiedObjects.clear();
    onCommandStart(commandName);
    noteViewportsBeforeCommand(commandName);
    if (sameCommand(commandName, "PLOT") || sameCommand(commandName, "PREVIEW")) checkViewsBeforePlot();
}

void MsvEditorReactor::commandEnded(const char* commandName)
{
    commandFinished(commandName);
    adviseAfterCommand(commandName);
}
void MsvEditorReactor::commandCancelled(const char* commandName) { commandFinished(commandName); }
void MsvEditorReactor::commandFailed(const char* commandName) { commandFinished(commandName); }

void MsvEditorReactor::commandFinished(const char* commandName)
{
    stripCopiedAssociations();
    // After a reshape command the first run reshapes the marks and the second works through
    // the pending modifications; otherwise the second finds nothing left.
    onCommandEnd(commandName);
    onCommandEnd(commandName);
    flushDeferredIndexRemovals();
    if (sameCommand(commandName, "VPCLIP")) showRefusal(kVpclipReminder);
}

void MsvEditorReactor::lispWillStart(const char* firstLine)
{
    setLispEvaluating(true);
    commandWillStart(firstLine);
}

void MsvEditorReactor::lispEnded()
{
    setLispEvaluating(false);
    commandFinished("");
}

void MsvEditorReactor::lispCancelled()
{
    setLispEvaluating(false);
    commandFinished("");
}

}  // namespace kestra
