// The geometry of a mark's outline, from its four corners (0 top-right, 1 top-left,
// 2 bottom-left, 3 bottom-right as seen on the sheet).
#pragma once
#include "gepnt3d.h"
#include "gevec3d.h"

namespace kestra {

// The midpoint of corners 0 and 2.
AcGePoint3d outlineCenter(const AcGePoint3d corners[4]);

// Minus the angle of corner 3 - corner 2 on the plane through `center` with normal `normal`,
// so in (-2 pi, 0]. A zero normal measures on the world XY plane.
double outlineRotation(const AcGePoint3d corners[4], const AcGePoint3d& center, const AcGeVector3d& normal);

// Minus the unit normal of the plane through corner 2 spanned by corner 3 - corner 2 and
// corner 2 - corner 1, scaled to `length`: it points along the view direction for an outline
// seen as on the sheet and turns over when the outline is mirrored. The fallback is returned
// when the corners span no plane (an outline flattened to a line or a point).
AcGeVector3d outlineNormal(const AcGePoint3d corners[4], double length, const AcGeVector3d& fallback);

// On one of the four unbounded lines through corners 0-1, 1-2, 2-3 and 3-0, within 1e-5.
bool isOnOutlineLines(const AcGePoint3d corners[4], const AcGePoint3d& point);

// Inside the outline: the angles of the corners seen from the point, on the outline's plane,
// wind once around it (within 1e-6). Not defined for a point on a corner.
bool outlineWindsAround(const AcGePoint3d corners[4], const AcGePoint3d& point);

}  // namespace kestra
