// The run-time standard scales of grip drags: names and ratios (model units per paper unit,
// 100 for 1:100) read from the AutoLISP variable vadu_mep::lst_echelle. One pair of lists
// for the whole module, not per mark.
#pragma once
#include <string>
#include <vector>

#include "acadstrc.h"
#include "gevec3d.h"

class VaduKestra;

namespace kestra {

struct DragScales {
    std::vector<double> ratios;
    std::vector<std::string> names;  // one per ratio
};

const DragScales& dragScales();
// Replaces the lists by new empty ones (every corner-grip edit and every setScale).
void resetDragScales();

// Appends the scales of vadu_mep::lst_echelle to the lists and, for each, an extra grip of
// the mark at center + ratio x direction (`direction` times the mark's current ratio is
// corner 0 - center). eInvalidInput when the variable cannot be read (with a message) or is
// not a list (silently).
Acad::ErrorStatus loadDragScales(VaduKestra& mark, const AcGeVector3d& direction);

// The name of the last run-time scale within 1e-4 of the ratio, or null.
const char* dragScaleNameFor(double ratio);

}  // namespace kestra
