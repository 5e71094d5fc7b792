// What the module does for the host's application messages.
#pragma once

namespace kestra {

// Initialise application: everything the module registers, in the host's expected order.
void initApplication(void* appId);
// Unload application: the document registry, the teardown, the palette properties, then the
// module state itself.
void unloadApplication();
// Load drawing: the AutoLISP functions in the new document, then its audit.
void loadDrawing();

}  // namespace kestra
