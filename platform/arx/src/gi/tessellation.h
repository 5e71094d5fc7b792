// Curves as the points of the polylines the recorder keeps. Arcs are cut into chords of at
// most kMaxChordAngle of turn, so a circle becomes 128 chords and its drawn outline stays
// within 0.03 % of its radius.
#pragma once
#include <vector>

#include "gepnt3d.h"
#include "gevec3d.h"

namespace arx::gi {

inline constexpr double kMaxChordAngle = 6.283185307179586 / 128.0;

// The points of an arc from center + radius * startVector (unit), turning counterclockwise
// about normal (unit) by sweep radians (negative turns clockwise), first and last included.
std::vector<AcGePoint3d> arcPoints(const AcGePoint3d& center, double radius, const AcGeVector3d& normal,
                                   const AcGeVector3d& startVector, double sweep);

// Appends the segment from start to end with a bulge (tan of a quarter of the included
// angle, positive counterclockwise about normal) to points, which already end at start.
void appendBulgeSegment(std::vector<AcGePoint3d>& points, const AcGePoint3d& start, const AcGePoint3d& end,
                        double bulge, const AcGeVector3d& normal);

}  // namespace arx::gi
