#include "assoc/layer_state.h"

#include "acutads.h"
#include "dbsymtb.h"

namespace kestra {

namespace {

constexpr const char* kCannotReadLayers = "Cannot read the layer table.";
constexpr const char* kCannotWriteLayers = "Cannot write in the layer table.";

LayerStateWord stateOf(const AcDbLayerTableRecord& layer)
{
    LayerStateWord word = 0;
    if (layer.isFrozen()) word |= kLayerFrozen;
    if (layer.VPDFLT()) word |= kLayerFrozenInNewViewports;
    if (layer.isLocked()) word |= kLayerLocked;
    if (layer.isOff()) word |= kLayerOff;
    return word;
}

}  // namespace

std::optional<LayerStateWord> getLayerState(AcDbObjectId layerId)
{
    ObjectOpener<AcDbLayerTableRecord> layer(layerId, AcDb::kForRead);
    if (!layer) {
        acutPrintf("%s\n", kCannotReadLayers);
        return std::nullopt;
    }
    return stateOf(*layer);
}

Acad::ErrorStatus setLayerState(LayerStateWord word, AcDbObjectId layerId)
{
    ObjectOpener<AcDbLayerTableRecord> layer(layerId, AcDb::kForWrite);
    if (!layer) {
        acutPrintf("%s\n", kCannotWriteLayers);
        return layer.openStatus();
    }
    // The current layer cannot be frozen; the host refuses and the other flags still change.
    if (layer->isFrozen() != ((word & kLayerFrozen) != 0)) layer->setIsFrozen((word & kLayerFrozen) != 0);
    layer->setVPDFLT((word & kLayerFrozenInNewViewports) != 0);
    layer->setIsLocked((word & kLayerLocked) != 0);
    layer->setIsOff((word & kLayerOff) != 0);
    return Acad::eOk;
}

LayerUnlock::LayerUnlock(AcDbObjectId layerId) : layerId_(layerId)
{
    std::optional<LayerStateWord> word = getLayerState(layerId);
    if (!word || (*word & kLayerLocked) == 0) return;
    if (setLayerState(unlockedCopy(*word), layerId) == Acad::eOk) saved_ = word;
}

bool LayerUnlock::restore()
{
    if (!saved_) return true;
    LayerStateWord word = *saved_;
    saved_.reset();
    return setLayerState(word, layerId_) == Acad::eOk;
}

}  // namespace kestra
