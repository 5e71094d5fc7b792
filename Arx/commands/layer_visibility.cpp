// The check that a new mark can be seen: its layer neither frozen nor off, and the layer "0"
// of its outline's entities not frozen.
#include <strings.h>

#include "assoc/layer_state.h"
#include "commands/creation_parts.h"
#include "commands/symbol_records.h"
#include "dbsymtb.h"
#include "settings/layer_warning.h"

namespace kestra {

namespace {

std::string layerName(AcDbObjectId layerId)
{
    ObjectOpener<AcDbLayerTableRecord> layer(layerId, AcDb::kForRead);
    const char* name = nullptr;
    if (!layer || layer->getName(name) != Acad::eOk || name == nullptr) return std::string();
    return name;
}

bool hidden(LayerStateWord word) { return (word & (kLayerFrozen | kLayerOff)) != 0; }

}  // namespace

void checkLayerVisibility(AcDbObjectId layerId)
{
    if (layerId.isNull()) return;
    const std::optional<LayerStateWord> word = getLayerState(layerId);
    if (!word) return;
    const std::string name = layerName(layerId);
    bool warn = hidden(*word);
    if (!warn && strcasecmp(name.c_str(), "DefPoints") != 0) {
        const AcDbObjectId layerZero = findLayer("0");
        if (!layerZero.isNull()) {
            const std::optional<LayerStateWord> zero = getLayerState(layerZero);
            warn = zero && (*zero & kLayerFrozen) != 0;
        }
    }
    if (warn) showLayerWarning(name.c_str());
}

}  // namespace kestra
