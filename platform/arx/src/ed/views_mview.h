// What MVIEW does to the current layout: new floating viewports (rectangular, or clipped by
// a closed boundary in paper space), turning them on or off, locking their display, and
// finding them by a point on the sheet.
#pragma once
#include <vector>

#include "acadstrc.h"
#include "dbid.h"
#include "gepnt3d.h"

class AcDbDatabase;

namespace arx::views {

// A viewport with corners c1 and c2 on the sheet (paper WCS), aimed at the model's extents
// (or its limits in an empty drawing). eInvalidInput when the rectangle has no area.
Acad::ErrorStatus makeRectangularViewport(AcDbDatabase* db, const AcGePoint3d& c1, const AcGePoint3d& c2,
                                          AcDbObjectId& viewportId);
// A viewport the size of the boundary's extents, clipped by the boundary (a closed curve in
// the current layout). The boundary names the viewport among its persistent reactors.
// eInvalidInput when the boundary is not a closed curve of the current layout.
Acad::ErrorStatus makeClippedViewport(AcDbDatabase* db, AcDbObjectId boundaryId, AcDbObjectId& viewportId);
// A closed lightweight polyline through the points (paper WCS, at least three) in the
// current layout, then a viewport clipped by it.
Acad::ErrorStatus makePolygonalViewport(AcDbDatabase* db, const std::vector<AcGePoint3d>& points,
                                        AcDbObjectId& viewportId);
// Aims a viewport at the model's extents, or its limits when model space is empty.
Acad::ErrorStatus aimAtModel(AcDbDatabase* db, AcDbObjectId viewportId);

// The floating viewport of the current layout whose frame holds the point (the last drawn
// when they overlap), or null.
AcDbObjectId floatingViewportAt(AcDbDatabase* db, const AcGePoint3d& paperPoint);
// The last entity of the current space (what "L" selects), or null.
AcDbObjectId lastEntityOfSpace(AcDbDatabase* db);
// True for a floating viewport of the current layout.
bool isFloatingViewport(AcDbDatabase* db, AcDbObjectId id);

Acad::ErrorStatus setViewportOn(AcDbObjectId viewportId, bool on);
Acad::ErrorStatus setViewportLocked(AcDbObjectId viewportId, bool locked);

}  // namespace arx::views
