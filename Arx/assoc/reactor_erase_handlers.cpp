// The persistent reactor's erase notifications: a viewport and its mark go and come back
// together, and erasing a mark in model space offers to erase its viewport.
#include <strings.h>

#include "acedads.h"
#include "acutads.h"
#include "assoc/association_store.h"
#include "assoc/handle_text.h"
#include "assoc/layer_state.h"
#include "assoc/ms_vp_pers_reactor.h"
#include "dbents.h"
#include "mark/vadu_kestra.h"
#include "mark/vadu_msv.h"
#include "shell/document_registry.h"
#include "shell/local_command_name.h"
#include "shell/system_variables.h"

namespace kestra {

namespace {

void printRestoreHint(const char* what)
{
    const std::string undo = localCommandName("_UNDO");
    acutPrintf("%s %s %s", what, undo.c_str(), " to restore it. \n");
}

void changeAssociationCount(int change)
{
    DocumentState* state = currentDocumentState();
    if (state == nullptr) return;
    if (change > 0) state->associationCount = state->associationCount < 0 ? 1 : state->associationCount + 1;
    else if (state->associationCount > 0) --state->associationCount;
}

// Erases (or unerases) an entity on its unlocked layer.
bool setErased(AcDbObjectId id, bool erasing)
{
    bool done = false;
    changeOnUnlockedLayer<AcDbEntity>(
        id, [&](AcDbEntity& entity) { done = entity.erase(erasing) == Acad::eOk; }, !erasing);
    return done;
}

// Brings back an entity that an undo left erased; one that exists is left as it is.
void bringBack(AcDbObjectId id)
{
    if (id.isNull()) return;
    if (ObjectOpener<AcDbEntity> existing(id, AcDb::kForRead); existing) return;
    // The module's own bookkeeping, not a change for the end of the command to follow
    // (following it after U would record a change and lose REDO).
    ReactorSuspension quiet;
    setErased(id, false);
}

void viewportErased(const AcDbViewport& viewport)
{
    AcDbObjectId markId, viewportId;
    const std::string handle = handleTextOf(viewport.objectId());
    if (findIndexEntry(kStoreName, handle.c_str(), false, markId, viewportId) != Acad::eOk) return;
    if (setErased(markId, true)) printRestoreHint("Kestra erased. Type ");
}

void viewportUnerased(const AcDbViewport& viewport)
{
    AcDbObjectId markId;
    if (readPartnerHandle(viewport, markId)) bringBack(markId);
}

// Asks whether the viewport of an erased mark goes too; its layer stays unlocked until the
// answer.
void offerViewportErase(AcDbObjectId viewportId)
{
    ObjectOpener<AcDbViewport> viewport(viewportId, AcDb::kForRead);
    if (!viewport) return;
    LayerUnlock unlock(viewport->layerId());
    if (viewport.upgradeOpen() != Acad::eOk) return;
    viewport.close();
    char keywords[64];
    snprintf(keywords, sizeof keywords, "%s %s _Yes No ", "Yes", "No");
    char prompt[128];
    snprintf(prompt, sizeof prompt, "%s [%s/%s]? <%s>: ", "Erase the viewport in the paper space", "Yes", "No", "No");
    char answer[64] = {};
    acedInitGet(0, keywords);
    if (acedGetKword(prompt, answer) != RTNORM || strcasecmp(answer, "Yes") != 0) return;
    ObjectOpener<AcDbViewport> erasing(viewportId, AcDb::kForWrite);
    if (!erasing || erasing->erase() != Acad::eOk) return;
    erasing.close();
    unlock.restore();
    printRestoreHint("Viewport in paper space erased. Type ");
}

void markErased(const VaduKestra& mark)
{
    const std::optional<int> viewportNumber = readIntegerVariable("CVPORT");
    const std::optional<int> commandActive = readIntegerVariable("CMDACTIVE");
    const std::optional<int> tileMode = readIntegerVariable("TILEMODE");
    if (!viewportNumber || !commandActive || !tileMode) return;
    const AcDbObjectId outlineId = mark.outlineBlockId();
    const AcDbObjectId viewportId = objectIdOfHandle(mark.viewportHandle());
    // Undo and redo replay the index with the erasures: what they do is recorded as it happens.
    if (mark.isUndoing()) removeIndexEntry(kStoreName, mark.objectId(), viewportId);
    else deferIndexRemoval(mark.objectId(), viewportId);
    changeAssociationCount(-1);
    if (!outlineId.isNull()) setErased(outlineId, true);
    // Only an ordinary command in model space asks: never a script, AutoLISP or a layout, and
    // never REDO replaying an erase (whatever was answered then is replayed with it).
    if (*tileMode != 0 && *commandActive == 1 && !mark.isUndoing()) offerViewportErase(viewportId);
}

void markUnerased(const VaduKestra& mark)
{
    changeAssociationCount(+1);
    const AcDbObjectId viewportId = objectIdOfHandle(mark.viewportHandle());
    if (addIndexEntry(kStoreName, mark.objectId(), viewportId) != Acad::eOk) {
        acutPrintf("%s", kCannotAddIndexEntry);
        return;
    }
    bringBack(viewportId);
    bringBack(mark.outlineBlockId());
}

// A legacy mark takes its outline block reference with it; nothing else knows about it.
void legacyMarkErased(const VaduMsv& mark)
{
    const AcDbObjectId outlineId = mark.outlineBlockId();
    if (!outlineId.isNull()) setErased(outlineId, true);
}

}  // namespace

}  // namespace kestra

void MsVpPersReactor::erased(const AcDbObject* object, Adesk::Boolean erasing)
{
    if (kestra::reactorsSuspended()) return;
    if (const AcDbViewport* viewport = AcDbViewport::cast(object)) {
        if (erasing) kestra::viewportErased(*viewport);
        else kestra::viewportUnerased(*viewport);
    }
    if (const VaduKestra* mark = VaduKestra::cast(object)) {
        if (erasing) kestra::markErased(*mark);
        else kestra::markUnerased(*mark);
    }
    if (const VaduMsv* legacyMark = VaduMsv::cast(object); legacyMark != nullptr && erasing)
        kestra::legacyMarkErased(*legacyMark);
}
