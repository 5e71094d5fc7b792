// The mark's data: construction, class registration and the plain accessors.
#include "mark/vadu_kestra.h"

#include <algorithm>
#include <cstring>

#include "mark/outline_geometry.h"
#include "rxclass.h"

ACRX_DXF_DEFINE_MEMBERS(VaduKestra, AcDbEntity, 15, 0, 1, KESTRA, KESTRA);

namespace kestra {

void registerMarkClass()
{
    if (acrxFindClass("VaduKestra") == nullptr) VaduKestra::rxInit();
}

}  // namespace kestra

VaduKestra::VaduKestra() = default;
VaduKestra::~VaduKestra() = default;

const char* VaduKestra::propertyMarkerText() const { return "Kestra"; }
bool VaduKestra::setsOutlineFillType() const { return true; }
bool VaduKestra::loadsRunTimeScales() const { return true; }
void VaduKestra::completeDxfRead() {}

Acad::ErrorStatus VaduKestra::setOutlineBlockId(AcDbObjectId id)
{
    assertWriteEnabled();
    mOutlineBlockId = id;
    return Acad::eOk;
}

AcDbObjectId VaduKestra::outlineBlockId() const
{
    assertReadEnabled();
    return mOutlineBlockId;
}

Acad::ErrorStatus VaduKestra::setPaperHeight(double height)
{
    assertWriteEnabled();
    mPaperHeight = height;
    return Acad::eOk;
}

double VaduKestra::paperHeight() const
{
    assertReadEnabled();
    return mPaperHeight;
}

Acad::ErrorStatus VaduKestra::setZoomXp(double zoomXp)
{
    assertWriteEnabled();
    mZoomXp = zoomXp;
    return Acad::eOk;
}

double VaduKestra::zoomXp() const
{
    assertReadEnabled();
    return mZoomXp;
}

AcDbHandle VaduKestra::viewportHandle() const
{
    assertReadEnabled();
    return mViewportHandle;
}

double VaduKestra::rotation() const
{
    assertReadEnabled();
    return mRotation;
}

Acad::ErrorStatus VaduKestra::setRotation(double angle)
{
    assertWriteEnabled();
    const double turn = mRotation - angle;
    for (AcGePoint3d& corner : mCorners) corner.rotateBy(turn, mNormal, mCenter);
    mRotation = angle;
    return Acad::eOk;
}

Acad::ErrorStatus VaduKestra::setCenter(const AcGePoint3d& point)
{
    assertWriteEnabled();
    const AcGeVector3d shift = point - mCenter;
    for (AcGePoint3d& corner : mCorners) corner += shift;
    mCenter = point;
    return Acad::eOk;
}

Acad::ErrorStatus VaduKestra::recomputeCenter()
{
    assertWriteEnabled();
    mCenter = kestra::outlineCenter(mCorners);
    return Acad::eOk;
}

AcGePoint3d VaduKestra::center() const
{
    assertReadEnabled();
    return mCenter;
}

Acad::ErrorStatus VaduKestra::setCorner(int index, const AcGePoint3d& point)
{
    assertWriteEnabled();
    mCorners[index] = point;
    return Acad::eOk;
}

AcGePoint3d VaduKestra::corner(int index) const
{
    assertReadEnabled();
    return mCorners[index];
}

Acad::ErrorStatus VaduKestra::setCorner0(const AcGePoint3d& point) { return setCorner(0, point); }
Acad::ErrorStatus VaduKestra::setCorner1(const AcGePoint3d& point) { return setCorner(1, point); }
Acad::ErrorStatus VaduKestra::setCorner2(const AcGePoint3d& point) { return setCorner(2, point); }
Acad::ErrorStatus VaduKestra::setCorner3(const AcGePoint3d& point) { return setCorner(3, point); }
AcGePoint3d VaduKestra::corner0() const { return corner(0); }
AcGePoint3d VaduKestra::corner1() const { return corner(1); }
AcGePoint3d VaduKestra::corner2() const { return corner(2); }
AcGePoint3d VaduKestra::corner3() const { return corner(3); }

double VaduKestra::height() const
{
    assertReadEnabled();
    return mCorners[0].distanceTo(mCorners[3]);
}

void VaduKestra::updateZoomXp()
{
    const double modelHeight = mCorners[0].distanceTo(mCorners[3]);
    if (modelHeight > 0.0) mZoomXp = mPaperHeight / modelHeight;
}

double VaduKestra::width() const
{
    assertReadEnabled();
    return mCorners[0].distanceTo(mCorners[1]);
}

Acad::ErrorStatus VaduKestra::setNormal(const AcGeVector3d& normal)
{
    assertWriteEnabled();
    mNormal = normal;
    return Acad::eOk;
}

AcGeVector3d VaduKestra::normal() const
{
    assertReadEnabled();
    return mNormal;
}

bool VaduKestra::sameCorners(const AcGePoint3d& p0, const AcGePoint3d& p1, const AcGePoint3d& p2,
                             const AcGePoint3d& p3) const
{
    assertReadEnabled();
    AcGeTol tolerance;
    tolerance.setEqualPoint(1e-4);
    tolerance.setEqualVector(1e-4);
    const AcGePoint3d given[4] = {p0, p1, p2, p3};
    for (int i = 0; i < 4; ++i)
        if (!mCorners[i].isEqualTo(given[i], tolerance)) return false;
    return true;
}

Acad::ErrorStatus VaduKestra::setViewMode(Adesk::Int32 viewMode)
{
    assertWriteEnabled();
    mViewMode = viewMode;
    return Acad::eOk;
}

Adesk::Int32 VaduKestra::viewMode() const
{
    assertReadEnabled();
    return mViewMode;
}

Acad::ErrorStatus VaduKestra::setFrontZ(double frontZ)
{
    assertWriteEnabled();
    mFrontZ = frontZ;
    return Acad::eOk;
}

double VaduKestra::frontZ() const
{
    assertReadEnabled();
    return mFrontZ;
}

Acad::ErrorStatus VaduKestra::setBackZ(double backZ)
{
    assertWriteEnabled();
    mBackZ = backZ;
    return Acad::eOk;
}

double VaduKestra::backZ() const
{
    assertReadEnabled();
    return mBackZ;
}

Acad::ErrorStatus VaduKestra::setViewDir(const AcGePoint3d& viewDir)
{
    assertWriteEnabled();
    mViewDir = viewDir;
    return Acad::eOk;
}

AcGePoint3d VaduKestra::viewDir() const
{
    assertReadEnabled();
    return mViewDir;
}

Acad::ErrorStatus VaduKestra::setViewTarget(const AcGePoint3d& viewTarget)
{
    assertWriteEnabled();
    mViewTarget = viewTarget;
    return Acad::eOk;
}

AcGePoint3d VaduKestra::viewTarget() const
{
    assertReadEnabled();
    return mViewTarget;
}

Acad::ErrorStatus VaduKestra::setViewCenter(const AcGePoint3d& viewCenter)
{
    assertWriteEnabled();
    mViewCenter = viewCenter;
    return Acad::eOk;
}

AcGePoint3d VaduKestra::viewCenter() const
{
    assertReadEnabled();
    return mViewCenter;
}

Acad::ErrorStatus VaduKestra::setLensLength(double lensLength)
{
    assertWriteEnabled();
    mLensLength = lensLength;
    return Acad::eOk;
}

double VaduKestra::lensLength() const
{
    assertReadEnabled();
    return mLensLength;
}

const char* VaduKestra::scaleLabel() const { return mScaleLabel; }

void VaduKestra::setScaleLabel(const char* text)
{
    const std::size_t length = text == nullptr ? 0 : std::min(std::strlen(text), std::size_t{kScaleLabelSize - 1});
    if (length > 0) std::memmove(mScaleLabel, text, length);
    mScaleLabel[length] = '\0';
}

void VaduKestra::clearScaleLabel() { mScaleLabel[0] = '\0'; }

const AcGePoint3dArray& VaduKestra::extraGrips() const { return mExtraGrips; }

void VaduKestra::appendExtraGrip(const AcGePoint3d& point) { mExtraGrips.append(point); }

void VaduKestra::clearExtraGrips() { mExtraGrips.setLogicalLength(0); }

const AcGePoint3d* VaduKestra::corners() const
{
    assertReadEnabled();
    return mCorners;
}
