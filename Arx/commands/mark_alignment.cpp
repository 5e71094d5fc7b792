#include "commands/mark_alignment.h"

#include "mark/vadu_kestra.h"

namespace kestra {

namespace {

constexpr double kZoomMargin = 1.1;

}  // namespace

double fitFactor(double width, double height, double screenWidth, double screenHeight)
{
    if (height / width > screenHeight / screenWidth) return 1.0;
    return (width * screenHeight) / (height * screenWidth);
}

MarkAlignment markAlignment(const VaduKestra& mark, double screenWidth, double screenHeight)
{
    const AcGePoint3d origin = mark.corner2();
    const double width = origin.distanceTo(mark.corner3());
    const double height = origin.distanceTo(mark.corner1());
    const AcGeVector3d x = (mark.corner3() - origin).normal();
    const AcGeVector3d z = mark.normal().normal();
    const AcGeVector3d y = z.crossProduct(x).normal();
    MarkAlignment alignment;
    alignment.ucs.setCoordSystem(origin, x, y, z);
    alignment.zoomCenter = mark.center();
    alignment.zoomHeight = mark.height() * fitFactor(width, height, screenWidth, screenHeight) * kZoomMargin;
    return alignment;
}

}  // namespace kestra
