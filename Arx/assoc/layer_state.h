// The layer state word (the four flags of a layer the module saves and restores around its
// changes) and the layer unlock bracket: an entity on a locked layer does not open for write,
// so the module clears the layer's locked bit for the length of a change and puts the saved
// word back afterwards.
#pragma once
#include <optional>
#include <utility>

#include "dbmain.h"
#include "shell/object_opener.h"

namespace kestra {

using LayerStateWord = Adesk::UInt16;
constexpr LayerStateWord kLayerFrozen = 0x0001;
constexpr LayerStateWord kLayerFrozenInNewViewports = 0x0002;
constexpr LayerStateWord kLayerLocked = 0x0004;
constexpr LayerStateWord kLayerOff = 0x1000;

// The word with the locked bit cleared and every other flag kept.
constexpr LayerStateWord unlockedCopy(LayerStateWord word) { return word & 0x1FFB; }

// The flags of the layer; nothing (reported: "Cannot read the layer table.") when the record
// does not open or is not a layer.
std::optional<LayerStateWord> getLayerState(AcDbObjectId layerId);
// Writes the four flags; reported ("Cannot write in the layer table.") when the layer does
// not open for write.
Acad::ErrorStatus setLayerState(LayerStateWord word, AcDbObjectId layerId);

// Unlocks a layer while it lives and writes the saved word back when it ends (or at
// restore()). A layer that is not locked is left untouched.
class LayerUnlock {
public:
    explicit LayerUnlock(AcDbObjectId layerId);
    ~LayerUnlock() { restore(); }
    LayerUnlock(const LayerUnlock&) = delete;
    LayerUnlock& operator=(const LayerUnlock&) = delete;

    // Writes the saved word back now; false when that failed. Later calls do nothing.
    bool restore();

private:
    AcDbObjectId layerId_;
    std::optional<LayerStateWord> saved_;
};

// The bracket around one change of an entity that is open for read: unlock its layer,
// upgrade it, run change(entity), close it, and restore the layer. When the upgrade fails the
// change is skipped; the status of the upgrade is returned either way and the entity is
// closed.
template <class T, class Change>
Acad::ErrorStatus changeOnUnlockedLayer(ObjectOpener<T>& entity, Change&& change)
{
    LayerUnlock unlock(entity->layerId());
    Acad::ErrorStatus status = entity.upgradeOpen();
    if (status == Acad::eOk) std::forward<Change>(change)(*entity);
    entity.close();
    return status;
}

// As above for an entity given by id (opened for read first; openErased for an erased one).
template <class T, class Change>
Acad::ErrorStatus changeOnUnlockedLayer(AcDbObjectId id, Change&& change, bool openErased = false)
{
    ObjectOpener<T> entity(id, AcDb::kForRead, openErased);
    if (!entity) return entity.openStatus();
    return changeOnUnlockedLayer(entity, std::forward<Change>(change));
}

}  // namespace kestra
