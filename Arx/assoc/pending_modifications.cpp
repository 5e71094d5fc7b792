#include "assoc/pending_modifications.h"

#include <optional>

#include "acutads.h"
#include "assoc/association_store.h"
#include "assoc/handle_text.h"
#include "assoc/layer_state.h"
#include "assoc/outline_reshape.h"
#include "assoc/viewport_view_xdata.h"
#include "dbents.h"
#include "mark/vadu_kestra.h"
#include "shell/document_registry.h"
#include "shell/object_opener.h"
#include "shell/system_variables.h"

namespace kestra {

namespace {

constexpr const char* kLayoutRegeneration = "LAYOUTREGENCTL";

void reportUnchangedVariable() { acutPrintf("%s LAYOUTREGENCTL.\n", "Cannot change the variable"); }

// LAYOUTREGENCTL at 0 while the list is worked through (a layout would otherwise be
// regenerated for every change), put back afterwards.
class LayoutRegenerationOff {
public:
    LayoutRegenerationOff()
    {
        const std::optional<int> value = readIntegerVariable(kLayoutRegeneration);
        if (!value || (*value != 1 && *value != 2)) return;
        saved_ = *value;
        if (!writeIntegerVariable(kLayoutRegeneration, 0)) reportUnchangedVariable();
    }
    ~LayoutRegenerationOff()
    {
        if (saved_ != kNotSaved && !writeIntegerVariable(kLayoutRegeneration, saved_)) reportUnchangedVariable();
    }
    LayoutRegenerationOff(const LayoutRegenerationOff&) = delete;
    LayoutRegenerationOff& operator=(const LayoutRegenerationOff&) = delete;

private:
    static constexpr int kNotSaved = -1;
    int saved_ = kNotSaved;
};

// The viewport's view record takes the mark's view, the outline is placed over the mark and
// the mark's target becomes its centre.
void markChanged(ObjectOpener<VaduKestra>& mark)
{
    changeOnUnlockedLayer<AcDbViewport>(objectIdOfHandle(mark->viewportHandle()), [&](AcDbViewport& viewport) {
        writeViewportViewXData(viewport, mark->center(), mark->height(), mark->rotation(), mark->normal());
    });
    if (!mark->outlineBlockId().isNull()) placeOutlineOverMark(mark->outlineBlockId(), *mark);
    changeOnUnlockedLayer(mark, [](VaduKestra& opened) { opened.setViewTarget(opened.center()); });
}

void processOne(AcDbObjectId id)
{
    if (ObjectOpener<VaduKestra> mark(id, AcDb::kForRead); mark) {
        markChanged(mark);
        return;
    }
    ObjectOpener<AcDbBlockReference> outline(id, AcDb::kForRead);
    AcDbObjectId markId;
    if (outline && readPartnerHandle(*outline, markId) && !markId.isNull()) reshapeMarkFromOutline(markId, *outline);
}

}  // namespace

void processPendingModifications()
{
    DocumentState* state = currentDocumentState();
    if (state == nullptr || state->workingLists.pendingModifications.empty()) return;
    state->reactorsSuspended = true;
    {
        LayoutRegenerationOff regeneration;
        // Taken first: whatever the processing changes is not queued again.
        const std::vector<AcDbObjectId> ids = state->workingLists.pendingModifications.ids();
        state->workingLists.pendingModifications.clear();
        for (const AcDbObjectId& id : ids) processOne(id);
    }
    state->reactorsSuspended = false;
}

}  // namespace kestra
