// The creation step of the make command: a new mark for the floating viewport CVPORT names,
// associated with it through every link of the association store.
#pragma once
#include "assoc/association_maintenance.h"

namespace kestra {

constexpr const char* kCannotReadViewport = "Cannot open Viewport object for reading.";

// Runs with the current document's reactor suspension flag set; every failure prints its
// message and ends the step with what was done so far kept in the drawing.
void createMarkForCurrentViewport();

}  // namespace kestra
