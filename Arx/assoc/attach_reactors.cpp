// Attaching the shared reactor objects to an associated mark and viewport.
#include "acutads.h"
#include "assoc/association_maintenance.h"
#include "assoc/layer_state.h"
#include "dbents.h"
#include "mark/vadu_kestra.h"

namespace kestra {

namespace {

// Adds the reactor to an entity (opened here) on its unlocked layer, unless it has it.
void addReactorTo(AcDbObjectId entityId, AcDbObjectId reactor)
{
    ObjectOpener<AcDbEntity> entity(entityId, AcDb::kForRead);
    if (!entity || hasPersistentReactor(*entity, reactor)) return;
    changeOnUnlockedLayer(entity, [&](AcDbEntity& e) { e.addPersistentReactor(reactor); });
}

// False when the mark cannot be opened for write (reported): attaching ends there.
bool attachToMark(const ReactorObjects& reactors, ObjectOpener<VaduKestra>& mark, bool& layerRestored)
{
    if (reactors.mark.isNull() || hasPersistentReactor(*mark, reactors.mark)) return true;
    LayerUnlock unlock(mark->layerId());
    if (mark.upgradeOpen() != Acad::eOk) {
        acutPrintf("%s\n", kCannotWriteMark);
        layerRestored = unlock.restore();
        return false;
    }
    mark->addPersistentReactor(reactors.mark);
    const AcDbObjectId outline = mark->outlineBlockId();
    if (!outline.isNull() && !reactors.outline.isNull()) addReactorTo(outline, reactors.outline);
    mark.downgradeOpen();
    layerRestored = unlock.restore();
    return true;
}

Acad::ErrorStatus attachToViewport(const ReactorObjects& reactors, ObjectOpener<AcDbViewport>& viewport)
{
    if (reactors.viewport.isNull() || hasPersistentReactor(*viewport, reactors.viewport)) return Acad::eOk;
    LayerUnlock unlock(viewport->layerId());
    if (viewport.upgradeOpen() == Acad::eOk) {
        const bool displayLocked = viewport->isLocked();
        if (displayLocked) viewport->setUnlocked();
        viewport->addPersistentReactor(reactors.viewport);
        if (viewport->isNonRectClipOn() && !reactors.clip.isNull())
            addReactorTo(viewport->nonRectClipEntityId(), reactors.clip);
        if (displayLocked) viewport->setLocked();
        viewport.downgradeOpen();
    }
    return unlock.restore() ? Acad::eOk : Acad::eNotApplicable;
}

}  // namespace

Acad::ErrorStatus attachReactors(const ReactorObjects& reactors, ObjectOpener<VaduKestra>* mark,
                                 ObjectOpener<AcDbViewport>* viewport)
{
    bool layerRestored = true;
    if (mark != nullptr && *mark && !attachToMark(reactors, *mark, layerRestored))
        return layerRestored ? Acad::eOk : Acad::eNotApplicable;
    if (viewport != nullptr && *viewport && attachToViewport(reactors, *viewport) != Acad::eOk) layerRestored = false;
    return layerRestored ? Acad::eOk : Acad::eNotApplicable;
}

Acad::ErrorStatus attachReactors(ObjectOpener<VaduKestra>* mark, ObjectOpener<AcDbViewport>* viewport)
{
    return attachReactors(getReactorObjects(), mark, viewport);
}

}  // namespace kestra
