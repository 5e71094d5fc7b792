// Object selection as the host does it: what the current space offers (model space, or the
// current layout's paper space without the layout's own viewport; never erased objects),
// picking through the active view with the pick box, windows and crossings, and the
// "Select objects: " cycle with its "n found" lines.
#pragma once
#include <functional>
#include <optional>
#include <vector>

#include "ed/selection_filter.h"
#include "ed/selection_region.h"
#include "ed/selection_sets.h"
#include "gepnt3d.h"

class AcDbDatabase;

namespace arx::ed {

// The shape of an entity as the display shows it: polylines of world points (a closed one
// repeats its first point). Provided by the area that draws entities.
using EntityPaths = std::vector<std::vector<AcGePoint3d>>;
using ShapeProvider = std::function<bool(AcDbObjectId, EntityPaths&)>;
void setShapeProvider(ShapeProvider provider);

struct SelectionRules {
    const SelectionFilter* filter = nullptr;  // entities that do not match are left out
    bool skipLockedLayers = false;            // editing commands leave out locked layers
    bool single = false;                      // done at the first operation that finds something
    SelectionRegion* lastRegion = nullptr;    // receives each window or polygon drawn (STRETCH)
};

// The entities of the current space, in drawing order.
EntityList currentSpaceEntities(AcDbDatabase* db);
// ALL: those on layers that are thawed, newest first.
EntityList allEntities(AcDbDatabase* db);
// X: every entity of the drawing, model space and every layout's paper space, newest first.
EntityList drawingEntities();
// The topmost entity of the current space within the pick box of a point (UCS), or null.
// Entities on layers that are off or frozen are not seen.
AcDbObjectId entityAt(AcDbDatabase* db, const AcGePoint3d& ucsPoint);
// The entities of the current space the display shows within `pixels` of a point (UCS), in
// drawing order (layers that are off or frozen are not seen).
EntityList entitiesNear(AcDbDatabase* db, const AcGePoint3d& ucsPoint, int pixels);
// How far apart, in pixels, the active view shows a point (UCS) and a world point; nullopt
// without an active view.
std::optional<double> pixelsBetween(AcDbDatabase* db, const AcGePoint3d& ucsPoint, const AcGePoint3d& wcsPoint);
// The entities wholly inside a window (or, crossing, also those it crosses) given by two
// corners in the UCS, as the active view shows them; newest first.
EntityList entitiesInWindow(AcDbDatabase* db, const AcGePoint3d& corner1, const AcGePoint3d& corner2, bool crossing);
// The region a window given by two corners (UCS) covers in the active view.
SelectionRegion windowRegion(AcDbDatabase* db, const AcGePoint3d& corner1, const AcGePoint3d& corner2);
// The region of a polygon whose corners are given in the UCS, in the active view.
SelectionRegion polygonRegion(AcDbDatabase* db, const std::vector<AcGePoint3d>& ucsCorners);
// The entities of the current space a region holds wholly (or, crossing, also those it
// meets), newest first; and whether it holds one entity's whole shape.
EntityList entitiesInRegion(AcDbDatabase* db, const SelectionRegion& region, bool crossing);
bool regionHoldsEntity(const SelectionRegion& region, AcDbObjectId id);
// The entities of the list that pass the rules' filter.
EntityList filtered(const EntityList& list, const SelectionFilter* filter);
// The members that are live entities of the current space.
EntityList inCurrentSpace(AcDbDatabase* db, const EntityList& list);

// The "Select objects: " cycle until Enter. RTNORM (the set may be empty) or RTCAN.
int selectObjects(const SelectionRules& rules, EntityList& chosen);

}  // namespace arx::ed
