// The pieces TRIM and EXTEND share between the kinds of object they edit.
#pragma once
#include <optional>
#include <vector>

#include "dbmain.h"
#include "trim_extend.h"

class AcDbPolyline;

namespace arx::host::trimparts {

constexpr double kSlack = 1e-9;  // parameters this close to an end count as the end

// Where the edges meet the object, as points on it. `extendThis` lets the object's own line
// or circle run on (EXTEND). The object `self` is never its own edge.
std::vector<AcGePoint3d> meetingPoints(const AcDbEntity* object, AcDbObjectId self, const EdgeRules& rules,
                                       bool extendThis);

// The nearest parameters below and above `at` among `cuts`.
struct Around {
    std::optional<double> below, above;
};
Around around(const std::vector<double>& cuts, double at);

// A new entity beside `original`, in the same block; null (and `made` deleted) when it cannot
// be added.
AcDbObjectId addBeside(const AcDbEntity* original, AcDbEntity* made);

void eraseObject(AcDbObjectId id, bool erasing);

}  // namespace arx::host::trimparts

namespace arx::host {

// Lightweight polylines: trimmed between the cuts around the pick (a closed one opens there),
// or drawn out at the end segment nearer the pick, straight or curved.
EditResult trimPolyline(AcDbObjectId id, AcDbPolyline* polyline, const AcGePoint3d& pick, const EdgeRules& rules,
                        EditStep& step);
EditResult extendPolyline(AcDbObjectId id, AcDbPolyline* polyline, const AcGePoint3d& pick, const EdgeRules& rules,
                          EditStep& step);

}  // namespace arx::host
