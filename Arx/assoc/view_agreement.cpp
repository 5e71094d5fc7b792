#include "assoc/view_agreement.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "dbents.h"
#include "mark/vadu_kestra.h"

namespace kestra {

namespace {

constexpr double kTolerance = 1e-6;

}  // namespace

ViewportView viewOf(const AcDbViewport& viewport)
{
    ViewportView view;
    view.height = viewport.height();
    view.viewHeight = viewport.viewHeight();
    view.twist = viewport.twistAngle();
    view.viewCenter = viewport.viewCenter();
    view.viewTarget = viewport.viewTarget();
    view.viewDirection = viewport.viewDirection();
    return view;
}

MarkView viewOf(const VaduKestra& mark)
{
    return MarkView{mark.zoomXp(), mark.rotation(), mark.center(), mark.normal()};
}

// The sum is brought into [-pi, pi] before it is compared with zero, so that angles given
// in different turns (and either sign) compare as the directions they are.
bool twistMatchesRotation(double twist, double rotation)
{
    const double sum = std::remainder(twist + (-rotation), 2.0 * std::numbers::pi);
    return std::fabs(sum) < kTolerance;
}

bool centerMatches(const AcGePoint3d& markCenter, const AcGePoint3d& viewCenter)
{
    const double reach = std::max(markCenter.asVector().length(), 1.0);
    return markCenter.distanceTo(viewCenter) / reach < kTolerance;
}

bool viewShapeMatchesMark(const ViewportView& viewport, const MarkView& mark)
{
    if (!(viewport.viewHeight != 0.0 && std::fabs(mark.zoomXp - viewport.height / viewport.viewHeight) < kTolerance))
        return false;
    if (!twistMatchesRotation(viewport.twist, mark.rotation)) return false;
    AcGeTol tolerance;
    tolerance.setEqualVector(kTolerance);
    return mark.normal.isCodirectionalTo(viewport.viewDirection, tolerance);
}

bool viewMatchesMark(const ViewportView& viewport, const MarkView& mark)
{
    if (!viewShapeMatchesMark(viewport, mark)) return false;
    const bool plan = viewport.viewDirection.z == 1.0;
    const bool centredOnTarget = viewport.viewCenter.x == 0.0 && viewport.viewCenter.y == 0.0;
    if (plan || centredOnTarget) {
        // The view centre is in display coordinates, which a twist turns against the world:
        // carried back by minus the twist it lands where the mark's centre is.
        const AcGeVector3d offset = AcGeVector3d(viewport.viewCenter.x, viewport.viewCenter.y, 0.0)
                                        .rotateBy(-viewport.twist, AcGeVector3d::kZAxis);
        const AcGePoint3d shown(viewport.viewTarget.x + offset.x, viewport.viewTarget.y + offset.y, 0.0);
        if (!centerMatches(mark.center, shown)) return false;
    }
    return true;
}

}  // namespace kestra
