// Grip and stretch editing of the mark. Grip 0 (the centre) moves the mark, grip 1 (corner 0)
// resizes it about its centre, and the extra grips left by a combined edit are where corner 0
// would sit at the run-time standard scales. The grips picked together are weighed (centre 1,
// corner 2): the centre alone moves, the corner alone resizes keeping proportions, and both
// together move corner 0 alone with the standard scales offered as extra grips.
#include "geline3d.h"
#include "gemat3d.h"
#include "mark/drag_scales.h"
#include "mark/outline_geometry.h"
#include "mark/standard_scales.h"
#include "mark/vadu_kestra.h"

namespace {

enum GripWeight { kCenterGripWeight = 1, kCornerGripWeight = 2 };
constexpr int kCenterGrip = 0;
constexpr int kCornerGrip = 1;
constexpr double kCrossingTolerance = 1e-5;

int weightOf(const AcDbIntArray& indices)
{
    int weight = 0;
    for (int i = 0; i < indices.length(); ++i) {
        if (indices[i] == kCenterGrip) weight += kCenterGripWeight;
        else if (indices[i] == kCornerGrip) weight += kCornerGripWeight;
    }
    return weight;
}

// The point of the diagonal (through `center` along `diagonal`) that `point` projects onto
// along `normal`; straight onto the diagonal when the normal gives no direction.
AcGePoint3d projectOntoDiagonal(const AcGePoint3d& center, const AcGeVector3d& diagonal, const AcGeVector3d& normal,
                                const AcGePoint3d& point)
{
    const AcGeLine3d line(center, diagonal);
    if (normal.length() > 0.0 && !normal.isParallelTo(diagonal)) return line.projClosestPointTo(point, normal);
    return line.closestPointTo(point);
}

}  // namespace

Acad::ErrorStatus VaduKestra::getGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray& /*osnapModes*/,
                                            AcDbIntArray& /*geomIds*/) const
{
    assertReadEnabled();
    gripPoints.append(mCenter);
    gripPoints.append(mCorners[0]);
    for (int i = 0; i < mExtraGrips.length(); ++i) gripPoints.append(mExtraGrips[i]);
    return Acad::eOk;
}

Acad::ErrorStatus VaduKestra::getStretchPoints(AcGePoint3dArray& stretchPoints) const
{
    AcDbIntArray osnapModes;
    AcDbIntArray geomIds;
    return getGripPoints(stretchPoints, osnapModes, geomIds);
}

Acad::ErrorStatus VaduKestra::moveStretchPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset)
{
    return moveGripPointsAt(indices, offset);
}

Acad::ErrorStatus VaduKestra::moveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset)
{
    assertWriteEnabled();
    const int weight = weightOf(indices);
    for (int i = 0; i < indices.length(); ++i) {
        if (indices[i] == kCenterGrip && weight == kCenterGripWeight) {
            clearScaleLabel();
            transformOutline(AcGeMatrix3d::translation(offset));
        } else if (indices[i] == kCornerGrip) {
            if (Acad::ErrorStatus status = moveCornerGrip(weight, offset); status != Acad::eOk) return status;
        }
    }
    return Acad::eOk;
}

Acad::ErrorStatus VaduKestra::moveCornerGrip(int weight, const AcGeVector3d& offset)
{
    clearScaleLabel();
    const AcGeVector3d diagonal = mCorners[0] - mCenter;
    if (diagonal.length() > 0.0) {
        const AcGePoint3d p = projectOntoDiagonal(mCenter, diagonal, mNormal, mCorners[0] + offset);
        // The centre on the way from corner 0 to p: the drag would turn the mark inside out.
        const bool crossesCenter = (p - mCenter).dotProduct(diagonal.normal()) <= kCrossingTolerance;
        if (!crossesCenter) {
            if (weight == kCornerGripWeight) {
                resizeAboutCenter(p - mCenter);
            } else if (weight == kCenterGripWeight + kCornerGripWeight) {
                if (Acad::ErrorStatus status = moveCornerAlone(p); status != Acad::eOk) return status;
            }
        }
    }
    updateZoomXp();
    setScaleLabel(kestra::freeScaleLabel(mZoomXp).c_str());
    return Acad::eOk;
}

// The corners are rebuilt from corner 0 by the outline's own angles at the centre, so the
// mark keeps its centre, proportions and rotation.
void VaduKestra::resizeAboutCenter(const AcGeVector3d& u)
{
    const AcGeVector3d h0 = mCorners[0] - mCenter;
    const AcGeVector3d h1 = mCorners[1] - mCenter;
    const AcGeVector3d h2 = mCorners[2] - mCenter;
    const double a1 = h0.angleTo(h1);
    const double a2 = h1.angleTo(h2);
    const AcGePoint3d center = mCenter;
    const AcGeVector3d axis = mNormal.length() > 0.0 ? mNormal : AcGeVector3d::kZAxis;
    mCorners[0] = center + u;
    mCorners[1] = center + AcGeVector3d(u).rotateBy(a1, axis);
    mCorners[2] = center + AcGeVector3d(u).rotateBy(a1 + a2, axis);
    mCorners[3] = center + AcGeVector3d(u).rotateBy(2.0 * a1 + a2, axis);
    mCenter = kestra::outlineCenter(mCorners);
    clearExtraGrips();
    kestra::resetDragScales();
    updateZoomXp();
}

// Corner 0 goes to p, corners 1 and 3 follow it along the world axes and corner 2 stays; the
// run-time standard scales then become extra grips on the new diagonal.
Acad::ErrorStatus VaduKestra::moveCornerAlone(const AcGePoint3d& p)
{
    mCorners[0] = p;
    mCorners[1].y = p.y;
    mCorners[3].x = p.x;
    mCenter = kestra::outlineCenter(mCorners);
    clearExtraGrips();
    kestra::resetDragScales();
    updateZoomXp();
    if (!loadsRunTimeScales()) return Acad::eOk;
    return kestra::loadDragScales(*this, (mCorners[0] - mCenter) * mZoomXp);
}
