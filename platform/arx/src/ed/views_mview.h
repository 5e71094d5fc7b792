// What MVIEW does to the current layout: new floating viewports (rectangular, or clipped by
// a closed boundary in paper space), clipping and unclipping them (VPCLIP), turning them on
// or off, locking their display, and finding the ones a selection stands for.
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
// VPCLIP: clips a floating viewport of the current layout by a closed curve of the layout.
// The frame becomes the curve's extents and what the viewport shows stays where it was on
// the sheet; the boundary the viewport had before is erased. eInvalidInput when the
// viewport is not a floating viewport of the current layout, or the curve not a closed curve
// of it or already another viewport's boundary.
Acad::ErrorStatus clipViewport(AcDbDatabase* db, AcDbObjectId viewportId, AcDbObjectId boundaryId);
// The same with a new closed polyline through the points (paper WCS, at least three).
Acad::ErrorStatus clipViewportByPolygon(AcDbDatabase* db, AcDbObjectId viewportId,
                                        const std::vector<AcGePoint3d>& points);
// Makes a clipped viewport rectangular again (its frame stays) and erases its boundary.
// eNotApplicable when it is not clipped.
Acad::ErrorStatus removeViewportClip(AcDbObjectId viewportId);
// The clip boundary of a viewport, or null.
AcDbObjectId clipBoundaryOf(AcDbObjectId viewportId);
// The floating viewports of the current layout that selected entities stand for: a
// viewport, or its clip boundary; each once, in the order selected. Others are dropped.
std::vector<AcDbObjectId> viewportsSelected(AcDbDatabase* db, const std::vector<AcDbObjectId>& entities);

// Aims a viewport at the model's extents, or its limits when model space is empty.
Acad::ErrorStatus aimAtModel(AcDbDatabase* db, AcDbObjectId viewportId);

// The last entity of the current space (what "L" selects), or null.
AcDbObjectId lastEntityOfSpace(AcDbDatabase* db);
// True for a floating viewport of the current layout.
bool isFloatingViewport(AcDbDatabase* db, AcDbObjectId id);

Acad::ErrorStatus setViewportOn(AcDbObjectId viewportId, bool on);
Acad::ErrorStatus setViewportLocked(AcDbObjectId viewportId, bool locked);

}  // namespace arx::views
