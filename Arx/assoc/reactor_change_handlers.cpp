// The persistent reactor's notifications of copies and changes: they only note what happened,
// in the lists the end of the command works through.
#include <cstring>

#include "acutads.h"
#include "assoc/association_store.h"
#include "assoc/handle_text.h"
#include "assoc/layer_state.h"
#include "assoc/ms_vp_pers_reactor.h"
#include "assoc/outline_reshape.h"
#include "assoc/reshape_hooks.h"
#include "assoc/viewport_reshape.h"
#include "dbents.h"
#include "mark/vadu_kestra.h"
#include "shell/document_registry.h"
#include "shell/kestra_module.h"
#include "shell/system_variables.h"

namespace kestra {

namespace {

// The classes a viewport's clip entity can have.
constexpr const char* kClipEntityClasses[] = {"AcDbPolyline", "AcDb2dPolyline", "AcDb3dPolyline", "AcDbCircle",
                                              "AcDbEllipse",  "AcDbRegion",     "AcDbSpline",     "AcDbFace"};

bool isClipEntityClass(const AcDbObject& object)
{
    for (const char* name : kClipEntityClasses)
        if (std::strcmp(object.isA()->name(), name) == 0) return true;
    return false;
}

ReactorWorkingLists* workingLists()
{
    DocumentState* state = currentDocumentState();
    return state ? &state->workingLists : nullptr;
}

bool copiesPending()
{
    const KestraModule* module = kestraModule();
    return module != nullptr && !module->copiedObjects.empty();
}

// A changed mark is queued when its viewport can be changed too (proven by opening it for
// write on its unlocked layer).
void markModified(const VaduKestra& mark)
{
    ObjectOpener<AcDbViewport> viewport(objectIdOfHandle(mark.viewportHandle()), AcDb::kForRead);
    if (!viewport) return;
    if (changeOnUnlockedLayer(viewport, [](AcDbViewport&) {}) != Acad::eOk) return;
    if (ReactorWorkingLists* lists = workingLists()) lists->pendingModifications.add(mark.objectId());
}

void outlineModified(const AcDbBlockReference& outline)
{
    const AcGeScale3d scale = outline.scaleFactors();
    if (scale.sx != scale.sy || scale.sx != scale.sz)
        acutPrintf("%s%s", "\nWarning: The scales of the irregular shape are not uniform. \n",
                   "The X scale has been used to adjust the size of the Kestra object. \n");
    std::optional<std::string> commands = readTextVariable("CMDNAMES");
    if (!commands) {
        acutPrintf("%s CMDNAMES.\n", "Cannot read the variable");
        return;
    }
    if (!commands->empty()) {
        if (ReactorWorkingLists* lists = workingLists()) lists->pendingModifications.add(outline.objectId());
        return;
    }
    // Changed outside a command (in the property palette): the mark follows at once.
    AcDbObjectId markId;
    DocumentState* state = currentDocumentState();
    if (!readPartnerHandle(outline, markId) || markId.isNull() || state == nullptr) return;
    state->reactorsSuspended = true;
    reshapeMarkFromOutline(markId, outline);
    state->reactorsSuspended = false;
}

}  // namespace

}  // namespace kestra

using kestra::reactorsSuspended;

void MsVpPersReactor::copied(const AcDbObject* object, const AcDbObject* newObject)
{
    if (reactorsSuspended() || newObject == nullptr) return;
    if (object->isA() != AcDbViewport::desc() && object->isA() != AcDbBlockReference::desc()) return;
    if (kestra::KestraModule* module = kestra::kestraModule()) module->copiedObjects.add(newObject->objectId());
}

void MsVpPersReactor::openedForModify(const AcDbObject* object)
{
    if (reactorsSuspended() || object->isErased()) return;
    if (const AcDbViewport* viewport = AcDbViewport::cast(object)) {
        kestra::recordSnapshot(kestra::snapshotOf(*viewport));
    } else if (kestra::isClipEntityClass(*object)) {
        kestra::ViewportSnapshot clipEntity;  // completed from its viewport at the command's end
        clipEntity.id = object->objectId();
        kestra::recordSnapshot(clipEntity);
    }
}

void MsVpPersReactor::modified(const AcDbObject* object)
{
    if (reactorsSuspended() || object->isErased() || kestra::copiesPending()) return;
    // Undo and redo bring the outline and the viewport's view record back with the mark:
    // following them again would only record a change, and a change after U loses REDO.
    if (object->isUndoing()) return;
    if (object->isA() == VaduKestra::desc()) kestra::markModified(*VaduKestra::cast(object));
    else if (object->isA() == AcDbBlockReference::desc()) kestra::outlineModified(*AcDbBlockReference::cast(object));
}
