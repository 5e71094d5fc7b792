// The viewport side of a new association: the reactor objects attached to the viewport, its
// clip entity and the outline block reference.
#include "acutads.h"
#include "assoc/association_store.h"
#include "assoc/layer_state.h"
#include "assoc/ms_vp_pers_reactor.h"
#include "assoc/store_access.h"
#include "commands/creation_parts.h"
#include "commands/mark_creation.h"
#include "dbents.h"
#include "dbsymtb.h"

namespace kestra {

namespace {

void addReactorOnce(AcDbObject& object, AcDbObjectId reactor)
{
    if (!reactor.isNull() && !hasPersistentReactor(object, reactor)) object.addPersistentReactor(reactor);
}

// The viewport's layer open for write; the host aborts when the layer table cannot be closed.
bool openViewportLayer(AcDbObjectId viewportId, ObjectOpener<AcDbLayerTableRecord>& layer)
{
    ObjectOpener<AcDbLayerTable> table;
    table.setCloseFailureMessage("Cannot close the layer table!");
    if (table.open(workingDatabase()->layerTableId(), AcDb::kForRead) != Acad::eOk) {
        printStepFailure("Cannot open the layer table.");
        return false;
    }
    ObjectOpener<AcDbViewport> viewport(viewportId, AcDb::kForRead);
    if (!viewport) {
        table.close();
        printStepFailure(kCannotReadViewport);
        return false;
    }
    if (layer.open(viewport->layerId(), AcDb::kForWrite) != Acad::eOk) {
        table.close();
        printStepFailure("Cannot open the layer of the Viewport object.");
        return false;
    }
    return true;
}

}  // namespace

AcDbObjectId ownedReactorObject(const char* key, AcDbObjectId owner)
{
    AcDbObjectId id;
    if (getReactorObject(kStoreName, key, true, id) != Acad::eOk) return AcDbObjectId();
    ObjectOpener<MsVpPersReactor> reactor(id, AcDb::kForWrite);
    if (reactor) reactor->setOwnerReference(owner);
    return id;
}

bool attachViewportSide(AcDbObjectId viewportId, AcDbObjectId markId)
{
    ObjectOpener<AcDbLayerTableRecord> layer;
    if (!openViewportLayer(viewportId, layer)) return false;
    const bool layerLocked = layer->isLocked();
    layer->setIsLocked(false);
    ObjectOpener<AcDbViewport> viewport(viewportId, AcDb::kForWrite);
    if (!viewport) {
        layer->setIsLocked(layerLocked);
        printStepFailure("Cannot open Viewport object for writing.");
        return false;
    }
    addReactorOnce(*viewport, ownedReactorObject(kViewportReactorKey, markId));
    const AcDbObjectId clipId = viewport->isNonRectClipOn() ? viewport->nonRectClipEntityId() : AcDbObjectId();
    viewport.close();
    layer->setIsLocked(layerLocked);
    layer.close();
    // The clip entity is changed once the viewport's layer is free again: it may lie on the
    // same layer, which its own unlock bracket then opens.
    if (!clipId.isNull()) {
        changeOnUnlockedLayer<AcDbEntity>(
            clipId, [&](AcDbEntity& clip) { addReactorOnce(clip, ownedReactorObject(kClipReactorKey, viewportId)); });
    }
    return true;
}

bool attachOutlineSide(AcDbObjectId outlineId, AcDbObjectId markId)
{
    ObjectOpener<AcDbBlockReference> outline(outlineId, AcDb::kForRead);
    if (!outline) {
        printStepFailure("Cannot open irregular object for reading.");
        return false;
    }
    const AcDbObjectId reactor = ownedReactorObject(kOutlineReactorKey, markId);
    if (changeOnUnlockedLayer(outline, [&](AcDbBlockReference& r) { addReactorOnce(r, reactor); }) != Acad::eOk) {
        printStepFailure("Cannot open irregular object for writing.");
        return false;
    }
    return true;
}

}  // namespace kestra
