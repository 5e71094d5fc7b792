// Layers and linetypes the make command uses: looked up by name, made when missing.
#pragma once
#include <functional>

#include "dbmain.h"

class AcDbLayerTableRecord;

namespace kestra {

// The layer of that name; null when there is none.
AcDbObjectId findLayer(const char* name);
// The layer of that name; a missing one is made and given its settings by setUp first.
// Null when it could not be made.
AcDbObjectId layerNamed(const char* name, const std::function<void(AcDbLayerTableRecord&)>& setUp = {});
// The linetype of that name, made (without dashes) when missing; null when it could not be.
AcDbObjectId linetypeNamed(const char* name);

}  // namespace kestra
