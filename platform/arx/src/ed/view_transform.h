// The view of a viewport, and the transforms between world (WCS), display (DCS) and paper
// display (PSDCS) coordinates that acedTrans, ZOOM, DVIEW and the plotter share.
//
// The DCS of a view has its origin at the target and its Z axis along the view direction
// (towards the viewer); its X axis is the one the DXF reference's arbitrary-axis algorithm
// gives for that direction, turned about Z so that a positive twist turns the displayed
// model counterclockwise:
//     DCS -> WCS = Rotation(-twist, direction, target) * Displacement(target) * PlaneToWorld(direction)
// The PSDCS of a floating viewport is the sheet seen through it; it maps onto the DCS of the
// viewport's view by the viewport's scale (viewHeight / height) about its centre point, moved
// onto the view centre:
//     PSDCS -> DCS = Displacement(centerPoint -> viewCenter) * Scaling(viewHeight / height, about centerPoint)
// with Z scaled but never moved (the view centre has no Z). Applied to a displacement
// (acedTrans with the disp flag, an AcGeVector3d) only the scaling acts.
//
// Perspective (VIEWMODE bit 1) follows the 35 mm camera the lens length refers to: the
// camera sits at the tip of the direction vector (its length is the camera distance), and
// the lens's angle of view, 2 * atan(18 mm / lens length), spans the long side (36 mm) of
// the frame, laid along the longer side of the view. The transforms above stay affine;
// perspective only projects points off the target plane onto it (projectPerspective).
#pragma once
#include "acadstrc.h"
#include "gemat3d.h"
#include "gepnt2d.h"
#include "gepnt3d.h"
#include "gevec3d.h"

namespace arx::view {

// VIEWMODE bits.
enum ViewMode : int {
    kPerspective = 1,
    kFrontClip = 2,
    kBackClip = 4,
    kUcsFollow = 8,
    kFrontClipNotAtEye = 16,
};

// What a viewport looks at. Angles in radians, lengths in drawing units.
struct ViewRecord {
    AcGePoint3d target;                     // WCS
    AcGeVector3d direction{0.0, 0.0, 1.0};  // WCS, from the target towards the viewer
    double twist = 0.0;                     // positive turns the model counterclockwise
    AcGePoint2d viewCenter;                 // DCS
    double viewHeight = 1.0;                // DCS height shown
    double lensLength = 50.0;               // millimetres, 35 mm camera
    double frontClip = 0.0;                 // DCS Z of the front clipping plane
    double backClip = 0.0;                  // DCS Z of the back clipping plane
    int viewMode = 0;                       // ViewMode bits
};

// A floating viewport: its rectangle on the sheet and the view it shows.
struct FloatingViewport {
    AcGePoint3d centerPoint;  // paper space
    double width = 0.0;       // paper units
    double height = 0.0;      // paper units
    ViewRecord view;
};

// The region a floating viewport shows, corner by corner as seen on the sheet:
// 0 top-right, 1 top-left, 2 bottom-left, 3 bottom-right.
struct ViewportOutline {
    AcGePoint3d paper[4];  // the viewport's corners on the sheet
    AcGePoint3d dcs[4];    // the same corners in the view's DCS (the target plane for a sheet at Z 0)
    AcGePoint3d wcs[4];    // and in world coordinates
};

// A view has a non-zero direction and finite values; its matrices exist only then.
bool isValidView(const ViewRecord& view);
// A floating viewport also needs a positive width, height and view height.
bool isValidViewport(const FloatingViewport& viewport);

// The matrices of a view; eInvalidInput (and xform untouched) for an invalid view.
Acad::ErrorStatus dcsToWcs(const ViewRecord& view, AcGeMatrix3d& xform);
Acad::ErrorStatus wcsToDcs(const ViewRecord& view, AcGeMatrix3d& xform);

// Model units per paper unit of a floating viewport: viewHeight / height.
double psdcsScale(const FloatingViewport& viewport);
// The matrices between the sheet and the viewport's DCS; eInvalidInput for an invalid viewport.
Acad::ErrorStatus psdcsToDcs(const FloatingViewport& viewport, AcGeMatrix3d& xform);
Acad::ErrorStatus dcsToPsdcs(const FloatingViewport& viewport, AcGeMatrix3d& xform);

// The viewport's corners on the sheet (centre +/- half the width and height, at the centre's Z).
void paperCorners(const FloatingViewport& viewport, AcGePoint3d corners[4]);
// The corners carried into DCS and WCS exactly as acedTrans carries them (PSDCS -> DCS -> WCS).
Acad::ErrorStatus viewportOutline(const FloatingViewport& viewport, ViewportOutline& outline);

inline bool isPerspective(const ViewRecord& view) { return (view.viewMode & kPerspective) != 0; }

// The long side of the 35 mm frame, which the lens's angle of view spans.
inline constexpr double kFrameLongSideMm = 36.0;
// Angle of view of a lens (radians) across the long side of the view.
double lensAngleOfView(double lensLength);
// The view height a lens gives at the target plane for a camera at `distance`, for a view
// of the given aspect (width / height): the lens spans distance * 36 / lensLength along the
// longer side. 0 for a non-positive lens length, distance or aspect.
double perspectiveViewHeight(double distance, double lensLength, double aspect);

// Central projection of a DCS point from the camera onto the target plane (Z 0): points on
// the target plane stay, nearer ones spread out, farther ones draw in. eInvalidInput when the
// camera distance is zero or the point is not in front of the camera.
Acad::ErrorStatus projectPerspective(const ViewRecord& view, const AcGePoint3d& dcsPoint, AcGePoint3d& projected);

// Where a world point appears on the sheet through a floating viewport: WCS -> DCS, the
// perspective projection when the view is in perspective, then DCS -> PSDCS.
Acad::ErrorStatus wcsToPaper(const FloatingViewport& viewport, const AcGePoint3d& wcsPoint, AcGePoint3d& paperPoint);

}  // namespace arx::view
