// Whether a floating viewport still shows what its mark outlines: same scale, same twist,
// same centre, same view direction. The plot check asks it before PLOT and PREVIEW.
#pragma once
#include "gepnt2d.h"
#include "gepnt3d.h"
#include "gevec3d.h"

class AcDbViewport;
class VaduKestra;

namespace kestra {

// What the comparison reads of a viewport.
struct ViewportView {
    double height = 0.0;      // on the sheet
    double viewHeight = 0.0;  // in model space
    double twist = 0.0;
    AcGePoint2d viewCenter;  // display coordinates
    AcGePoint3d viewTarget;
    AcGeVector3d viewDirection{0.0, 0.0, 1.0};
};

// What it reads of a mark.
struct MarkView {
    double zoomXp = 0.0;
    double rotation = 0.0;  // minus the outline's angle, in (-2 pi, 0]
    AcGePoint3d center;
    AcGeVector3d normal;
};

ViewportView viewOf(const AcDbViewport& viewport);
MarkView viewOf(const VaduKestra& mark);

// The two angles name opposite directions, whole turns aside: a viewport twisted by 30
// degrees has a mark whose rotation is -330 degrees, and 30 + 330 is a whole turn.
bool twistMatchesRotation(double twist, double rotation);

// The centre of the mark within 1e-6 of the view's, relative to the larger of the centre's
// distance from the origin and 1 (so that a mark centred on the origin is compared too).
bool centerMatches(const AcGePoint3d& markCenter, const AcGePoint3d& viewCenter);

// Scale, twist and view direction agree (the centre is not compared): what the reshaping of
// a mark after a viewport edit checks before it trusts the mark's frame.
bool viewShapeMatchesMark(const ViewportView& viewport, const MarkView& mark);

// All four conditions: the scale within 1e-6, the twist, the centre (compared for a plan view
// or a view centred on its target, the view centre carried into the world through the twist;
// any other view counts as centred) and the view direction codirectional with the mark's
// normal.
bool viewMatchesMark(const ViewportView& viewport, const MarkView& mark);

}  // namespace kestra
