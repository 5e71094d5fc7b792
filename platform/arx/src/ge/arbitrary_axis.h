// The arbitrary-axis algorithm of the DXF reference: the X axis of the object coordinate
// system whose Z axis is a given extrusion direction.
#pragma once
#include "gevec3d.h"

namespace arx::ge {

// Unit X axis for the (not necessarily unit) Z direction `normal`: world Y x N when N lies
// within 1/64 of the world Z axis in both X and Y, else world Z x N. A zero direction has no
// coordinate system; it yields the world X axis.
AcGeVector3d arbitraryXAxis(const AcGeVector3d& normal);

}  // namespace arx::ge
