// The layer, colour, linetype and extended data a new mark (and its outline) takes: those of
// the mark it replaces, or the AutoLISP variable set of the viewport's display lock, or the
// defaults.
#include <cstring>

#include "acedads.h"
#include "acutads.h"
#include "assoc/association_store.h"
#include "assoc/handle_text.h"
#include "assoc/layer_state.h"
#include "commands/creation_parts.h"
#include "commands/symbol_records.h"
#include "dbents.h"
#include "dbsymtb.h"
#include "mark/mark_messages.h"
#include "mark/vadu_kestra.h"
#include "shell/system_variables.h"

namespace kestra {

namespace {

constexpr const char* kDefaultLayer = "Defpoints";
constexpr const char* kMarkLinetype = "CONTINUOUS";

// The AutoLISP variables that choose the attributes of a viewport's first mark.
struct LispVariableSet {
    bool present = false;
    std::optional<std::string> layerName;
    int layerColor = -1;
    bool layerNoPlot = false;
    int objectColor = -1;
};

ResultBufferHolder symbolValue(const std::string& name)
{
    resbuf* value = nullptr;
    if (acedGetSym(name.c_str(), &value) != RTNORM) return nullptr;
    return ResultBufferHolder(value);
}

std::optional<int> shortValue(const std::string& name)
{
    ResultBufferHolder value = symbolValue(name);
    if (!value || value->restype != RTSHORT) return std::nullopt;
    return value->resval.rint;
}

LispVariableSet readVariableSet(bool displayLocked)
{
    const std::string prefix = displayLocked ? "vadu_Kestra::DisplayLocked" : "vadu_Kestra::DisplayUnLocked";
    LispVariableSet set;
    ResultBufferHolder name = symbolValue(prefix + "LayerName");
    if (name && name->restype == RTSTR && name->resval.rstring != nullptr) {
        set.layerName = name->resval.rstring;
        set.layerColor = shortValue(prefix + "LayerColor").value_or(-1);
        ResultBufferHolder noPlot = symbolValue(prefix + "LayerNoPlot");
        set.layerNoPlot = noPlot && noPlot->restype == RTT;
    }
    const std::optional<int> objectColor = shortValue(prefix + "ObjectColor");
    if (objectColor) set.objectColor = *objectColor;
    set.present = set.layerName.has_value() || objectColor.has_value();
    return set;
}

std::string currentLayerName()
{
    std::optional<std::string> name = readTextVariable("CLAYER");
    if (name) return *name;
    printUnreadableVariable("CLAYER");
    return kDefaultLayer;
}

EntityAttributes attributesOfSet(const LispVariableSet& set, bool displayLocked)
{
    EntityAttributes attributes;
    if (set.layerName && !set.layerName->empty()) {
        const std::string name = *set.layerName == "=" ? currentLayerName() : *set.layerName;
        attributes.layer = layerNamed(name.c_str(), [&](AcDbLayerTableRecord& layer) {
            layer.setIsLocked(displayLocked);
            layer.setIsPlottable(!set.layerNoPlot);
            if (set.layerColor >= 1 && set.layerColor <= 255) {
                AcCmColor color;
                color.setColorIndex(static_cast<Adesk::UInt16>(set.layerColor));
                layer.setColor(color);
            }
        });
        if (attributes.layer.isNull()) acutPrintf("%s", "Unable to create layer.\n");
        attributes.linetype = linetypeNamed(kMarkLinetype);
        if (attributes.linetype.isNull()) acutPrintf("%s", "Unable to create Linetype.\n");
    }
    if (set.objectColor >= 0 && set.objectColor <= 256) attributes.colorIndex = set.objectColor;
    else if (set.layerColor >= 1 && set.layerColor <= 255) attributes.colorIndex = set.layerColor;
    else attributes.colorIndex = 1;
    return attributes;
}

EntityAttributes defaultAttributes()
{
    EntityAttributes attributes;
    attributes.layer = layerNamed(kDefaultLayer);
    attributes.linetype = linetypeNamed(kMarkLinetype);
    attributes.colorIndex = 1;
    return attributes;
}

EntityAttributes attributesOf(const AcDbEntity& entity)
{
    return {entity.layerId(), entity.colorIndex(), entity.linetypeId()};
}

// The old mark's attributes, its extended data taken and the mark erased with its outline
// and its index pair (the new mark takes its place).
void replaceOldMark(AcDbObjectId oldMarkId, AcDbObjectId viewportId, MarkAttributes& attributes)
{
    ObjectOpener<VaduKestra> oldMark(oldMarkId, AcDb::kForRead);
    if (!oldMark) return;
    attributes.mark = attributesOf(*oldMark);
    attributes.outline = attributes.mark;
    const AcDbObjectId outlineId = oldMark->outlineBlockId();
    if (!outlineId.isNull()) {
        ObjectOpener<AcDbEntity> outline(outlineId, AcDb::kForRead);
        if (outline) {
            attributes.outline = attributesOf(*outline);
            changeOnUnlockedLayer(outline, [](AcDbEntity& e) { e.erase(); });
        }
    }
    changeOnUnlockedLayer(oldMark, [&](VaduKestra& mark) {
        attributes.extendedData.reset(mark.xData(nullptr));
        mark.erase();
    });
    removeIndexEntry(kStoreName, oldMarkId, viewportId);
}

}  // namespace

MarkAttributes markAttributes(AcDbObjectId viewportId, bool displayLocked)
{
    MarkAttributes attributes;
    AcDbObjectId oldMark;
    AcDbObjectId indexedViewport;
    const std::string handle = handleTextOf(viewportId);
    if (findIndexEntry(kStoreName, handle.c_str(), false, oldMark, indexedViewport) == Acad::eOk) {
        replaceOldMark(oldMark, viewportId, attributes);
        return attributes;
    }
    const LispVariableSet set = readVariableSet(displayLocked);
    attributes.mark = set.present ? attributesOfSet(set, displayLocked) : defaultAttributes();
    attributes.outline = attributes.mark;
    return attributes;
}

void applyAttributes(AcDbEntity& entity, const EntityAttributes& attributes)
{
    if (!attributes.layer.isNull()) entity.setLayer(attributes.layer);
    if (attributes.colorIndex) {
        AcCmColor color;
        color.setColorIndex(*attributes.colorIndex);
        entity.setColor(color);
    }
    if (!attributes.linetype.isNull()) entity.setLinetype(attributes.linetype);
}

}  // namespace kestra
