// Object snaps on the mark: its corners, the midpoints of its sides, its centre, and the
// perpendicular and nearest points of its side lines seen along the current UCS's Z axis.
#include "geline3d.h"
#include "mark/vadu_kestra.h"
#include "mark/viewport_projection.h"

namespace {

// For each unbounded side line, the point closest to `point` when seen along `direction`
// (straight on when the side runs along that direction).
void appendSideProjections(const AcGePoint3d corners[4], const AcGePoint3d& point, const AcGeVector3d& direction,
                           AcGePoint3dArray& snapPoints)
{
    for (int i = 0; i < 4; ++i) {
        const AcGePoint3d& from = corners[i];
        const AcGePoint3d& to = corners[(i + 1) % 4];
        if (from == to) continue;
        const AcGeLine3d side(from, to);
        if (side.direction().isParallelTo(direction)) snapPoints.append(side.closestPointTo(point));
        else snapPoints.append(side.projClosestPointTo(point, direction));
    }
}

}  // namespace

Acad::ErrorStatus VaduKestra::getOsnapPoints(AcDb::OsnapMode mode, int /*gsSelectionMark*/,
                                             const AcGePoint3d& pickPoint, const AcGePoint3d& lastPoint,
                                             const AcGeMatrix3d& /*viewXform*/, AcGePoint3dArray& snapPoints,
                                             AcDbIntArray& /*geomIds*/) const
{
    assertReadEnabled();
    switch (mode) {
    case AcDb::kOsModeEnd:
        for (const AcGePoint3d& corner : mCorners) snapPoints.append(corner);
        return Acad::eOk;
    case AcDb::kOsModeMid:
        for (int i = 0; i < 4; ++i) snapPoints.append(mCorners[i] + (mCorners[(i + 1) % 4] - mCorners[i]) * 0.5);
        return Acad::eOk;
    case AcDb::kOsModeCen: snapPoints.append(mCenter); return Acad::eOk;
    case AcDb::kOsModeNode:
    case AcDb::kOsModeQuad:
    case AcDb::kOsModeIns: return Acad::eOk;
    case AcDb::kOsModePerp:
        appendSideProjections(mCorners, lastPoint, kestra::ucsNormal(), snapPoints);
        return Acad::eOk;
    case AcDb::kOsModeNear:
        appendSideProjections(mCorners, pickPoint, kestra::ucsNormal(), snapPoints);
        return Acad::eOk;
    default: return Acad::eInvalidInput;
    }
}
