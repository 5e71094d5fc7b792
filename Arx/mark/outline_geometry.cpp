#include "mark/outline_geometry.h"

#include <cmath>
#include <numbers>

#include "geline3d.h"
#include "geplane.h"
#include "mark/vadu_kestra.h"

namespace kestra {

namespace {

constexpr double kPi = std::numbers::pi;

// The plane through corner 2 spanned by corner 3 - corner 2 and corner 2 - corner 1.
AcGePlane outlinePlane(const AcGePoint3d corners[4])
{
    return AcGePlane(corners[2], corners[3] - corners[2], corners[2] - corners[1]);
}

// The turn from one angle to the next, brought into [-pi, pi].
double windingStep(double from, double to)
{
    double step = to - from;
    if (step > kPi) step -= 2.0 * kPi;
    else if (step < -kPi) step += 2.0 * kPi;
    return step;
}

}  // namespace

AcGePoint3d outlineCenter(const AcGePoint3d corners[4]) { return corners[2] + (corners[0] - corners[2]) * 0.5; }

double outlineRotation(const AcGePoint3d corners[4], const AcGePoint3d& center, const AcGeVector3d& normal)
{
    const AcGePlane plane = normal.isZeroLength() ? AcGePlane(center, AcGeVector3d::kZAxis) : AcGePlane(center, normal);
    return -(corners[3] - corners[2]).angleOnPlane(plane);
}

AcGeVector3d outlineNormal(const AcGePoint3d corners[4], double length, const AcGeVector3d& fallback)
{
    const AcGeVector3d across = (corners[3] - corners[2]).crossProduct(corners[2] - corners[1]);
    const double size = across.length();
    if (!(size > 0.0) || !std::isfinite(size)) return fallback;
    return across * (-length / size);
}

bool isOnOutlineLines(const AcGePoint3d corners[4], const AcGePoint3d& point)
{
    AcGeTol tolerance;
    tolerance.setEqualPoint(1e-5);
    tolerance.setEqualVector(1e-5);
    for (int i = 0; i < 4; ++i)
        if (AcGeLine3d(corners[i], corners[(i + 1) % 4]).isOn(point, tolerance)) return true;
    return false;
}

bool outlineWindsAround(const AcGePoint3d corners[4], const AcGePoint3d& point)
{
    const AcGePlane plane = outlinePlane(corners);
    double angles[4];
    for (int i = 0; i < 4; ++i) angles[i] = (corners[i] - point).angleOnPlane(plane);
    double winding = 0.0;
    for (int i = 0; i < 4; ++i) winding += windingStep(angles[i], angles[(i + 1) % 4]);
    return std::fabs(std::fabs(winding) - 2.0 * kPi) < 1e-6;
}

}  // namespace kestra

bool VaduKestra::isOnOutline(const AcGePoint3d& point) const
{
    assertReadEnabled();
    return kestra::isOnOutlineLines(mCorners, point);
}

bool VaduKestra::contains(const AcGePoint3d& point) const
{
    assertReadEnabled();
    return kestra::outlineWindsAround(mCorners, point);
}
