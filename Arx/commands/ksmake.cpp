// The entries of the make command: typed, and from AutoLISP with a selection set.
#include "commands/ksmake.h"

#include "acedads.h"
#include "commands/mark_creation.h"
#include "commands/space_state.h"
#include "shell/document_registry.h"
#include "shell/message_routing.h"

namespace kestra {

namespace {

constexpr const char* kPaperSpaceRequired = "You must be in paper space to execute this function.";

// The CVPORT of a layout; nothing (reported) in model space or when unreadable.
std::optional<int> paperSpaceViewportNumber()
{
    const std::optional<SpaceState> space = readSpaceState();
    if (!space) return std::nullopt;
    if (space->tileMode == 1) {
        showRefusal(kPaperSpaceRequired);
        return std::nullopt;
    }
    return space->viewport;
}

}  // namespace

void makeMarksInteractively()
{
    const std::optional<int> viewport = paperSpaceViewportNumber();
    if (!viewport) return;
    if (*viewport > 1) {
        DocumentState* state = currentDocumentState();
        createMarkForCurrentViewport();
        if (state != nullptr) state->reactorsSuspended = false;
        return;
    }
    markSelectedViewports(nullptr);
}

int makeMarksFromSelection(const ads_name selection)
{
    long length = 0;
    if (acedSSLength(selection, &length) != RTNORM || length == 0) return RTNORM;
    if (!paperSpaceViewportNumber()) return RTERROR;
    markSelectedViewports(selection);
    return RTNORM;
}

}  // namespace kestra
