// The module's COM object table: one entry per property class, in registration order. An
// entry's class object is made on the first request and kept until the module detaches from
// the process, when each class's termination hook runs and the class objects are released.
#pragma once
#include <cstddef>

#include "dynprops.h"

namespace kestra {

// The number of classes in the table (the 23 palette properties).
std::size_t comClassCount();
// A new property object of the class at that place of the table (a reference the caller
// owns). E_POINTER for a null out-pointer, E_INVALIDARG outside the table, E_OUTOFMEMORY
// when it cannot be made.
HRESULT createComObject(std::size_t index, IDynamicProperty** object);
// How many class objects the table holds (made and not yet released).
std::size_t cachedClassObjects();

// Process attach and detach of the module.
void initComObjectTable();
void termComObjectTable();

}  // namespace kestra
