// The legacy view record of a viewport: its "ACAD" extended data ("MVIEW"), rewritten with a
// new view so that programs reading the record see the view the mark gives.
#pragma once
#include "acadstrc.h"
#include "gepnt3d.h"
#include "gevec3d.h"

class AcDbViewport;

namespace kestra {

// The viewport is open for write. The first 1010 point becomes the target and the second the
// direction; the first 1040 real the twist, the second the height and the fourth 0.0; texts
// (1000) become "MVIEW"; control strings and 16-bit integers are kept; other groups are
// dropped.
Acad::ErrorStatus writeViewportViewXData(AcDbViewport& viewport, const AcGePoint3d& target, double height, double twist,
                                         const AcGeVector3d& direction);

}  // namespace kestra
