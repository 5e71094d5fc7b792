#include "assoc/reshape_hooks.h"

#include "acutads.h"
#include "adscodes.h"
#include "assoc/pending_modifications.h"
#include "assoc/viewport_reshape.h"
#include "shell/document_registry.h"
#include "shell/system_variables.h"

namespace kestra {

namespace {

constexpr const char* kReshapeCommands = "*STRETCH*,*ROTATE*,*MIRROR*,*SCALE*";

}  // namespace

bool isReshapeCommand(const char* commandName)
{
    if (commandName == nullptr || *commandName == '\0') return true;
    if (!paperSpaceIsCurrent()) return false;
    return acutWcMatch(commandName, kReshapeCommands) == RTNORM;
}

void onCommandStart(const char* commandName)
{
    DocumentState* state = currentDocumentState();
    if (state == nullptr) return;
    if (!state->reshapeCommand && isReshapeCommand(commandName)) state->reshapeCommand = true;
    state->reactorsSuspended = false;
}

void recordSnapshot(const ViewportSnapshot& snapshot)
{
    DocumentState* state = currentDocumentState();
    if (state == nullptr || !state->reshapeCommand) return;
    state->workingLists.pendingEdits.record(snapshot);
}

void onCommandEnd(const char* commandName)
{
    DocumentState* state = currentDocumentState();
    if (state == nullptr) return;
    if (state->reshapeCommand && isReshapeCommand(commandName)) {
        state->reactorsSuspended = true;
        completePendingEdits(state->workingLists.pendingEdits);
        reshapeEditedMarks(state->workingLists.pendingEdits.take(), commandName);
        state->reactorsSuspended = false;
        state->reshapeCommand = false;
        return;
    }
    processPendingModifications();
}

}  // namespace kestra
