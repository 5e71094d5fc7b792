// Changes to a viewport's view, as ZOOM, DVIEW and MVIEW make them. The edits work on a
// Viewport read with readViewport; applyView writes the result back and remembers the view
// it replaces for ZOOM Previous.
#pragma once
#include "acadstrc.h"
#include "dbid.h"
#include "ed/views.h"
#include "gepnt3d.h"
#include "gevec3d.h"

class AcDbDatabase;

namespace arx::views {

// ZOOM. Points are in WCS; the view keeps its target, direction and twist. eInvalidInput
// for a non-positive height or factor, or a window without area.
Acad::ErrorStatus zoomCenter(Viewport& vp, const AcGePoint3d& center, double height);
Acad::ErrorStatus zoomWindow(Viewport& vp, const AcGePoint3d& corner1, const AcGePoint3d& corner2);
// Fits the box min..max (its eight corners as the view sees them); a box that shows as a
// point keeps the view height.
Acad::ErrorStatus zoomBox(Viewport& vp, const AcGePoint3d& min, const AcGePoint3d& max);
// nX: `factor` times the current magnification.
Acad::ErrorStatus zoomFactor(Viewport& vp, double factor);
// nXP: `factor` paper units per model unit, relative to the viewport's height on the sheet.
Acad::ErrorStatus zoomPaperScale(Viewport& vp, double factor);

// PLAN: looks straight down the UCS's Z axis with its X axis pointing right (perspective and
// clipping off, the target at the UCS origin) and zooms to the extents of model space (its
// limits when it is empty).
Acad::ErrorStatus planView(AcDbDatabase* db, Viewport& vp, const AcGePoint3d& origin, const AcGeVector3d& xAxis,
                           const AcGeVector3d& yAxis);

// DVIEW.
void setTwist(Viewport& vp, double radians);
// Turns perspective on with the camera at `distance` from the target; the view height
// becomes what the lens shows at that distance.
Acad::ErrorStatus setCameraDistance(Viewport& vp, double distance);
// The lens length (millimetres); in perspective the view height follows it.
Acad::ErrorStatus setLensLength(Viewport& vp, double lensLength);
void setPerspectiveOff(Viewport& vp);
void setFrontClip(Viewport& vp, double distance);   // on, at that distance from the target
void setFrontClipAtEye(Viewport& vp);               // on, at the camera
void setBackClip(Viewport& vp, double distance);    // on, at that distance from the target
void setClipping(Viewport& vp, int bits, bool on);  // kFrontClip and/or kBackClip
double cameraDistance(const Viewport& vp);

// Writes the view back and remembers the one before for ZOOM Previous.
Acad::ErrorStatus applyView(AcDbDatabase* db, const Viewport& changed);
// Goes back to the view before the last change; eNotApplicable when none is remembered.
Acad::ErrorStatus restorePreviousView(AcDbDatabase* db, Viewport& vp);

// The extents of the entities of a block (WCS). False when it has none with extents.
bool blockExtents(AcDbObjectId blockId, AcGePoint3d& min, AcGePoint3d& max);
// The limits of a space: LIMMIN/LIMMAX for model space, the layout's (or PLIMMIN/PLIMMAX)
// for paper space.
void spaceLimits(AcDbDatabase* db, bool paper, AcGePoint3d& min, AcGePoint3d& max);

}  // namespace arx::views
