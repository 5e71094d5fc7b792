// The region a window or polygon drawn at "Select objects: " covers, as the active view showed
// it: a polygon in that view's display coordinates. Windows and polygons select with it, and
// STRETCH moves what lies inside the last one drawn.
#pragma once
#include <vector>

#include "gemat3d.h"
#include "gepnt3d.h"

namespace arx::ed {

class SelectionRegion {
public:
    SelectionRegion() = default;
    // corners: the polygon's corners in world coordinates, seen through wcsToDcs.
    SelectionRegion(const AcGeMatrix3d& wcsToDcs, const std::vector<AcGePoint3d>& worldCorners);

    bool empty() const { return corners_.size() < 3; }
    // A world point the view shows inside the region (or on its edge).
    bool holds(const AcGePoint3d& worldPoint) const;
    // Paths of world points (a shape as the display draws it): every point inside; and some
    // part inside or crossing an edge.
    bool holdsAll(const std::vector<std::vector<AcGePoint3d>>& paths) const;
    bool meets(const std::vector<std::vector<AcGePoint3d>>& paths) const;

private:
    struct Flat {
        double x, y;
    };
    Flat flat(const AcGePoint3d& p) const;
    bool holdsFlat(Flat p) const;
    bool segmentCrossesEdge(Flat a, Flat b) const;

    AcGeMatrix3d wcsToDcs_;
    std::vector<Flat> corners_;
};

}  // namespace arx::ed
