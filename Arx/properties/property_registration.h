// The mark's properties registered with the host's Properties palette, on the class
// AcDbEntity, when the module loads, and removed when it unloads.
#pragma once
#include <cstddef>

namespace kestra {

// Creates the 23 property objects and adds them to the property manager of AcDbEntity, in
// order. On any failure what was added is removed again and "OPM: Initialization error!!!"
// is printed; the module goes on without them. Nothing when they are registered already.
void registerMarkProperties();
// Removes and releases them; "OPM: Uninitialization error!!!" when the host's manager cannot
// be had or refuses. Nothing when they are not registered.
void unregisterMarkProperties();

bool markPropertiesRegistered();

}  // namespace kestra
