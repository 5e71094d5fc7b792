#include "properties/outline_edits.h"

#include "adscodes.h"
#include "mark/standard_scales.h"
#include "mark/vadu_kestra.h"
#include "properties/property_values.h"

namespace kestra {

namespace {

Corners cornersOf(const VaduKestra& mark) { return {mark.corner0(), mark.corner1(), mark.corner2(), mark.corner3()}; }

// Every corner moved to centre + factor x (corner - centre). A mark without a positive scale
// cannot be resized by a ratio of scales.
std::optional<Corners> scaledAboutCenter(const VaduKestra& mark, double newZoomXp)
{
    if (!(mark.zoomXp() > 0.0) || !(newZoomXp > 0.0)) return std::nullopt;
    const double factor = mark.zoomXp() / newZoomXp;
    Corners corners = cornersOf(mark);
    for (AcGePoint3d& corner : corners) corner.scaleBy(factor, mark.center());
    return corners;
}

}  // namespace

int CenterEdit::code() const
{
    constexpr int kCodes[] = {1400, 1450, 1500};
    return kCodes[axis_];
}

std::optional<Corners> CenterEdit::newCorners(const VaduKestra& mark, const EditValue& value) const
{
    const std::optional<AcGePoint3d> center = transformPoint(mark.center(), RTWCS, RTUCS);
    if (!center) return std::nullopt;
    const double delta = value.real - (*center)[axis_];
    Corners corners = cornersOf(mark);
    for (AcGePoint3d& corner : corners) {
        std::optional<AcGePoint3d> ucs = transformPoint(corner, RTWCS, RTUCS);
        if (!ucs) return std::nullopt;
        (*ucs)[axis_] += delta;
        std::optional<AcGePoint3d> world = transformPoint(*ucs, RTUCS, RTWCS);
        if (!world) return std::nullopt;
        corner = *world;
    }
    return corners;
}

std::optional<Corners> ZoomEdit::newCorners(const VaduKestra& mark, const EditValue& value) const
{
    return scaledAboutCenter(mark, value.real);
}

std::optional<Corners> RotationEdit::newCorners(const VaduKestra& mark, const EditValue& value) const
{
    const AcGeVector3d axis = mark.normal();
    if (axis.isZeroLength()) return std::nullopt;
    const double delta =
        (static_cast<double>(value.whole) - (-mark.rotation() * kDegreesPerRadian)) * kRadiansPerDegree;
    Corners corners = cornersOf(mark);
    for (AcGePoint3d& corner : corners) corner.rotateBy(delta, axis, mark.center());
    return corners;
}

bool StandardScaleEdit::accepts(const EditValue& value) const
{
    return value.whole >= 0 && value.whole <= static_cast<long>(standardScales().size());
}

std::optional<Corners> StandardScaleEdit::newCorners(const VaduKestra& mark, const EditValue& value) const
{
    if (value.whole < 1 || value.whole > static_cast<long>(standardScales().size())) return std::nullopt;
    return scaledAboutCenter(mark, standardScales()[static_cast<size_t>(value.whole - 1)].ratio);
}

}  // namespace kestra
