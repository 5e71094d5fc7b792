#include "ge/arbitrary_axis.h"

#include <cmath>

namespace arx::ge {

AcGeVector3d arbitraryXAxis(const AcGeVector3d& normal)
{
    const double length = normal.length();
    if (length == 0.0 || !std::isfinite(length)) return AcGeVector3d::kXAxis;
    const AcGeVector3d n = normal / length;
    // The DXF reference's threshold: the normal is "close to" the world Z axis.
    constexpr double nearZ = 1.0 / 64.0;
    const AcGeVector3d ax = (std::fabs(n.x) < nearZ && std::fabs(n.y) < nearZ) ? AcGeVector3d::kYAxis.crossProduct(n)
                                                                               : AcGeVector3d::kZAxis.crossProduct(n);
    return ax / ax.length();
}

}  // namespace arx::ge
