// The module's runtime classes: registered at load, deleted by the teardown.
#pragma once

namespace kestra {

void registerRuntimeClasses();
// Deletes those still registered, in the order MsVpPersReactor, VaduMsv, VaduKestra,
// LayoutReactor; a class already gone is skipped.
void deleteRuntimeClasses();

}  // namespace kestra
