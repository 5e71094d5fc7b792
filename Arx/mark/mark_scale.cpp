// Resizing a mark to a given scale.
#include <cmath>

#include "mark/drag_scales.h"
#include "mark/outline_geometry.h"
#include "mark/standard_scales.h"
#include "mark/vadu_kestra.h"

namespace {

bool isPositiveScale(double zoomXp) { return std::isfinite(zoomXp) && zoomXp > 0.0; }

}  // namespace

// About the centre the corners are rebuilt from corner 0 by the outline's own corner angles,
// so that proportions and rotation stay exact; about any other point the outline is scaled.
Acad::ErrorStatus VaduKestra::setScale(const AcGePoint3d& basePoint, double newZoomXp)
{
    assertWriteEnabled();
    if (!isPositiveScale(newZoomXp) || !isPositiveScale(mZoomXp)) return Acad::eInvalidInput;
    clearScaleLabel();
    const double factor = mZoomXp / newZoomXp;
    if (basePoint == mCenter) {
        const AcGeVector3d h0 = mCorners[0] - mCenter;
        const AcGeVector3d h1 = mCorners[1] - mCenter;
        const AcGeVector3d h2 = mCorners[2] - mCenter;
        const double a1 = h0.angleTo(h1);
        const double a2 = h1.angleTo(h2);
        AcGeVector3d u = h0 * factor;
        mCorners[0] = mCenter + u;
        mCorners[1] = mCenter + u.rotateBy(a1, mNormal);
        mCorners[2] = mCenter + u.rotateBy(a2, mNormal);
        mCorners[3] = mCenter + u.rotateBy(a1, mNormal);
    } else {
        for (AcGePoint3d& corner : mCorners) corner = basePoint + (corner - basePoint) * factor;
    }
    mCenter = kestra::outlineCenter(mCorners);
    clearExtraGrips();
    kestra::resetDragScales();
    mZoomXp = newZoomXp;
    setScaleLabel(kestra::freeScaleLabel(newZoomXp).c_str());
    return Acad::eOk;
}
