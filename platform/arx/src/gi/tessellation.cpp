#include "gi/tessellation.h"

#include <algorithm>
#include <cmath>

namespace arx::gi {
namespace {
constexpr double kTinyBulge = 1e-12;
}

std::vector<AcGePoint3d> arcPoints(const AcGePoint3d& center, double radius, const AcGeVector3d& normal,
                                   const AcGeVector3d& startVector, double sweep)
{
    const int chords = std::max(1, static_cast<int>(std::ceil(std::fabs(sweep) / kMaxChordAngle)));
    const AcGeVector3d x = startVector * radius;
    const AcGeVector3d y = normal.crossProduct(startVector) * radius;
    std::vector<AcGePoint3d> points;
    points.reserve(chords + 1);
    for (int i = 0; i <= chords; ++i) {
        const double angle = sweep * i / chords;
        points.push_back(center + x * std::cos(angle) + y * std::sin(angle));
    }
    return points;
}

void appendBulgeSegment(std::vector<AcGePoint3d>& points, const AcGePoint3d& start, const AcGePoint3d& end,
                        double bulge, const AcGeVector3d& normal)
{
    const AcGeVector3d chord = end - start;
    const double length = chord.length();
    if (std::fabs(bulge) < kTinyBulge || length == 0.0 || !std::isfinite(bulge)) {
        points.push_back(end);
        return;
    }
    // Included angle 4 atan(bulge); the centre lies on the chord's perpendicular bisector.
    const double sweep = 4.0 * std::atan(bulge);
    const double radius = length / (2.0 * std::fabs(std::sin(sweep / 2.0)));
    const AcGeVector3d unitNormal = normal.isZeroLength() ? AcGeVector3d::kZAxis : normal.normal();
    const AcGeVector3d towardsCentre = unitNormal.crossProduct(chord).normal();
    // Signed distance from the chord's midpoint to the centre, along towardsCentre for a
    // counterclockwise arc.
    const double offset = length / 2.0 * (1.0 - bulge * bulge) / (2.0 * bulge);
    const AcGePoint3d centre = start + chord / 2.0 + towardsCentre * offset;
    std::vector<AcGePoint3d> arc = arcPoints(centre, radius, unitNormal, (start - centre).normal(), sweep);
    arc.back() = end;
    points.insert(points.end(), arc.begin() + 1, arc.end());
}

}  // namespace arx::gi
