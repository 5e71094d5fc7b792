// The system variables of the current drawing's properties for new objects: CLAYER, CECOLOR
// and CELTYPE, and of its units: LUNITS, LUPREC, AUNITS and AUPREC (drawing_sysvars.cpp).
#pragma once
#include <string>

#include "dbid.h"

class AcDbDatabase;

namespace arx::ed {

void defineDrawingSysVars();

// CECOLOR as the host writes it: "BYLAYER", "BYBLOCK" or the colour number.
std::string colorText(int colorIndex);
// A colour typed or set: a number 1..255, BYLAYER, BYBLOCK or one of the seven named
// colours (red, yellow, green, cyan, blue, magenta, white), any case; -1 when it is none.
int colorFromText(const std::string& text);

// Makes a layer current as CLAYER does: false when it is not a layer of the drawing or it
// is frozen (the current layer cannot be frozen).
bool makeLayerCurrent(AcDbDatabase* db, AcDbObjectId layerId);

}  // namespace arx::ed
