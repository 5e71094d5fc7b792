// The update pass (KSUPDATE, and the repair step of the association check): every live mark of
// model space moved by zero in one host MOVE, so that the host notifies each of a change and
// the end of the command brings its outline and its viewport's view record in line. Layers
// holding marks are unlocked once each for the move and locked again; the first pass of a
// document discards the undo history; the drawing's modified state is left as it was.
#include <unordered_set>
#include <vector>

#include "acdbads_db.h"
#include "acdocman.h"
#include "acedads.h"
#include "adscodes.h"
#include "assoc/association_maintenance.h"
#include "assoc/layer_state.h"
#include "commands/command_echo.h"
#include "commands/selection_set.h"
#include "mark/vadu_kestra.h"
#include "shell/document_registry.h"
#include "shell/object_opener.h"
#include "shell/system_variables.h"
#include "commands/command_routines.h"

namespace kestra {

namespace {

// DBMOD pushed for the life of the pass and popped on every path.
class DbmodBracket {
public:
    DbmodBracket() : document_(acDocManager ? acDocManager->curDocument() : nullptr)
    {
        if (document_ != nullptr) document_->pushDbmod();
    }
    ~DbmodBracket()
    {
        if (document_ != nullptr) document_->popDbmod();
    }
    DbmodBracket(const DbmodBracket&) = delete;
    DbmodBracket& operator=(const DbmodBracket&) = delete;

private:
    AcApDocument* document_;
};

// The layers of the moved marks, each unlocked once and given its saved word back, in the
// order recorded, when the pass is done with them.
class UnlockedLayers {
public:
    UnlockedLayers() = default;
    ~UnlockedLayers() { restore(); }
    UnlockedLayers(const UnlockedLayers&) = delete;
    UnlockedLayers& operator=(const UnlockedLayers&) = delete;

    void unlock(AcDbObjectId layerId)
    {
        if (!seen_.insert(layerId.asOldId()).second) return;
        const std::optional<LayerStateWord> word = getLayerState(layerId);
        if (!word) return;
        setLayerState(unlockedCopy(*word), layerId);
        saved_.push_back({layerId, *word});
    }
    void restore()
    {
        for (const auto& [layerId, word] : saved_) setLayerState(word, layerId);
        saved_.clear();
    }

private:
    std::unordered_set<long> seen_;
    std::vector<std::pair<AcDbObjectId, LayerStateWord>> saved_;
};

// The host selects only in the current space and the marks lie in model space: from a layout
// the move runs on the Model tab, and the layout is current again after it.
class ModelTabCurrent {
public:
    ModelTabCurrent()
    {
        if (readIntegerVariable("TILEMODE").value_or(1) != 0) return;
        switched_ = writeIntegerVariable("TILEMODE", 1);
    }
    ~ModelTabCurrent()
    {
        if (switched_) writeIntegerVariable("TILEMODE", 0);
    }
    ModelTabCurrent(const ModelTabCurrent&) = delete;
    ModelTabCurrent& operator=(const ModelTabCurrent&) = delete;

private:
    bool switched_ = false;
};

// Adds every live mark to the set and unlocks its layer; false when none was added.
bool collectMarks(const AcDbObjectIdArray& ids, SelectionSet& set, UnlockedLayers& layers)
{
    bool any = false;
    for (int i = 0; i < ids.length(); ++i) {
        ObjectOpener<VaduKestra> mark(ids[i], AcDb::kForRead);
        if (!mark || mark->isErased()) continue;
        ads_name name;
        AcDbHandle handle;
        mark->getAcDbHandle(handle);
        char text[20];
        handle.getIntoAsciiBuffer(text);
        if (acdbHandEnt(text, name) != RTNORM || acedSSAdd(name, set.name, set.name) != RTNORM) continue;
        any = true;
        layers.unlock(mark->layerId());
    }
    return any;
}

void moveMarksByZero(const AcDbObjectIdArray& ids)
{
    SelectionSet set;
    if (acedSSAdd(nullptr, nullptr, set.name) != RTNORM) return;
    set.owned = true;
    UnlockedLayers layers;
    if (!collectMarks(ids, set, layers)) return;
    ModelTabCurrent modelTab;
    const ads_point origin = {0.0, 0.0, 0.0};
    acedCommand(RTSTR, "._move", RTPICKS, set.name, RTSTR, "", RTPOINT, origin, RTPOINT, origin, RTNONE);
}

// The undo history of the document is discarded by its first pass, and full undo turned on.
void discardUndoHistoryOnce()
{
    DocumentState* state = currentDocumentState();
    if (state == nullptr || !state->undoResetPending) return;
    state->undoResetPending = false;
    acedCommand(RTSTR, "._undo", RTSTR, "_Control", RTSTR, "_None", RTNONE);
    acedCommand(RTSTR, "._undo", RTSTR, "_All", RTNONE);
}

}  // namespace

void updateMarks()
{
    DbmodBracket dbmod;
    CommandEchoOff echoOff;
    if (!echoOff.active()) return;
    AcDbObjectIdArray ids;
    collectModelSpaceEntities("VaduKestra", ids);
    if (ids.isEmpty()) return;
    moveMarksByZero(ids);
    discardUndoHistoryOnce();
}

}  // namespace kestra
