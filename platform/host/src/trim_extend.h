// What TRIM and EXTEND do to one object: lines, arcs and circles cut back to the cutting
// edges around the pick, lines and arcs drawn out to the nearest boundary edge beyond the
// picked end. Each change can be taken back (the Undo option inside the command).
#pragma once
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "dbid.h"
#include "geplane.h"
#include "gepnt3d.h"

namespace arx::host {

// How objects meet the edges: seen along the projection plane's normal (none: in space), and
// whether the edges count as extended to meet them.
struct EdgeRules {
    std::vector<AcDbObjectId> edges;
    std::optional<AcGePlane> projection;
    bool extendEdges = false;
};

// A change made to the drawing, with how to take it back.
struct EditStep {
    std::function<void()> undo;
};

enum class EditResult { Done, NoEdge, NoEdgeInThatDirection, NotEditable, OnLockedLayer };

// Trims the object at the pick (a world point on or near it): the part between the nearest
// cuts around the pick goes (a circle becomes the arc that is left).
EditResult trimAt(AcDbObjectId object, const AcGePoint3d& pick, const EdgeRules& rules, EditStep& step);
// Extends the end of the object nearer the pick to the nearest edge beyond it.
EditResult extendAt(AcDbObjectId object, const AcGePoint3d& pick, const EdgeRules& rules, EditStep& step);

}  // namespace arx::host
