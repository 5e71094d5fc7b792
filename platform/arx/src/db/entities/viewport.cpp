// AcDbViewport: a window on a layout's sheet showing model space through its own view.
#include <cmath>
#include <cstring>

#include "db/entities/entity_filing.h"
#include "db/structure_generation.h"
#include "dbents.h"

using arx::db::DxfItem;

ACRX_DXF_DEFINE_MEMBERS(AcDbViewport, AcDbEntity, 0, 0, 0, VIEWPORT, ObjectDBX Classes)

AcDbViewport::AcDbViewport() {}
AcDbViewport::~AcDbViewport() = default;

void AcDbViewport::setFlag(Adesk::Int32 bit, bool on)
{
    assertWriteEnabled();
    mFlags = on ? (mFlags | bit) : (mFlags & ~bit);
    if (bit & kViewportOff) arx::db::structureChanged();
}

AcGePoint3d AcDbViewport::centerPoint() const
{
    assertReadEnabled();
    return mCenter;
}
Acad::ErrorStatus AcDbViewport::setCenterPoint(const AcGePoint3d& point)
{
    assertWriteEnabled();
    mCenter = point;
    return Acad::eOk;
}
double AcDbViewport::width() const
{
    assertReadEnabled();
    return mWidth;
}
Acad::ErrorStatus AcDbViewport::setWidth(double width)
{
    if (!(width > 0)) return Acad::eInvalidInput;
    assertWriteEnabled();
    mWidth = width;
    return Acad::eOk;
}
double AcDbViewport::height() const
{
    assertReadEnabled();
    return mHeight;
}
Acad::ErrorStatus AcDbViewport::setHeight(double height)
{
    if (!(height > 0)) return Acad::eInvalidInput;
    assertWriteEnabled();
    mHeight = height;
    return Acad::eOk;
}

AcGePoint2d AcDbViewport::viewCenter() const
{
    assertReadEnabled();
    return mViewCenter;
}
Acad::ErrorStatus AcDbViewport::setViewCenter(const AcGePoint2d& point)
{
    assertWriteEnabled();
    mViewCenter = point;
    return Acad::eOk;
}
double AcDbViewport::viewHeight() const
{
    assertReadEnabled();
    return mViewHeight;
}
Acad::ErrorStatus AcDbViewport::setViewHeight(double height)
{
    if (!(height > 0)) return Acad::eInvalidInput;
    assertWriteEnabled();
    mViewHeight = height;
    return Acad::eOk;
}
AcGeVector3d AcDbViewport::viewDirection() const
{
    assertReadEnabled();
    return mViewDirection;
}
Acad::ErrorStatus AcDbViewport::setViewDirection(const AcGeVector3d& direction)
{
    if (direction.isZeroLength()) return Acad::eInvalidInput;
    assertWriteEnabled();
    mViewDirection = direction;
    return Acad::eOk;
}
AcGePoint3d AcDbViewport::viewTarget() const
{
    assertReadEnabled();
    return mViewTarget;
}
Acad::ErrorStatus AcDbViewport::setViewTarget(const AcGePoint3d& target)
{
    assertWriteEnabled();
    mViewTarget = target;
    return Acad::eOk;
}
double AcDbViewport::twistAngle() const
{
    assertReadEnabled();
    return mTwist;
}
Acad::ErrorStatus AcDbViewport::setTwistAngle(double angle)
{
    assertWriteEnabled();
    mTwist = angle;
    return Acad::eOk;
}
double AcDbViewport::lensLength() const
{
    assertReadEnabled();
    return mLensLength;
}
Acad::ErrorStatus AcDbViewport::setLensLength(double length)
{
    if (!(length > 0)) return Acad::eInvalidInput;
    assertWriteEnabled();
    mLensLength = length;
    return Acad::eOk;
}

double AcDbViewport::frontClipDistance() const
{
    assertReadEnabled();
    return mFrontClip;
}
Acad::ErrorStatus AcDbViewport::setFrontClipDistance(double distance)
{
    assertWriteEnabled();
    mFrontClip = distance;
    return Acad::eOk;
}
double AcDbViewport::backClipDistance() const
{
    assertReadEnabled();
    return mBackClip;
}
Acad::ErrorStatus AcDbViewport::setBackClipDistance(double distance)
{
    assertWriteEnabled();
    mBackClip = distance;
    return Acad::eOk;
}
bool AcDbViewport::isFrontClipOn() const
{
    assertReadEnabled();
    return (mFlags & kFrontClip) != 0;
}
Acad::ErrorStatus AcDbViewport::setFrontClipOn()
{
    setFlag(kFrontClip, true);
    return Acad::eOk;
}
Acad::ErrorStatus AcDbViewport::setFrontClipOff()
{
    setFlag(kFrontClip, false);
    return Acad::eOk;
}
bool AcDbViewport::isBackClipOn() const
{
    assertReadEnabled();
    return (mFlags & kBackClip) != 0;
}
Acad::ErrorStatus AcDbViewport::setBackClipOn()
{
    setFlag(kBackClip, true);
    return Acad::eOk;
}
Acad::ErrorStatus AcDbViewport::setBackClipOff()
{
    setFlag(kBackClip, false);
    return Acad::eOk;
}
// The flag in the file says the front clip is *not* at the eye.
bool AcDbViewport::isFrontClipAtEyeOn() const
{
    assertReadEnabled();
    return (mFlags & kFrontClipNotAtEye) == 0;
}
Acad::ErrorStatus AcDbViewport::setFrontClipAtEyeOn()
{
    setFlag(kFrontClipNotAtEye, false);
    return Acad::eOk;
}
Acad::ErrorStatus AcDbViewport::setFrontClipAtEyeOff()
{
    setFlag(kFrontClipNotAtEye, true);
    return Acad::eOk;
}
bool AcDbViewport::isPerspectiveOn() const
{
    assertReadEnabled();
    return (mFlags & kPerspective) != 0;
}
Acad::ErrorStatus AcDbViewport::setPerspectiveOn()
{
    setFlag(kPerspective, true);
    return Acad::eOk;
}
Acad::ErrorStatus AcDbViewport::setPerspectiveOff()
{
    setFlag(kPerspective, false);
    return Acad::eOk;
}
bool AcDbViewport::isUcsFollowModeOn() const
{
    assertReadEnabled();
    return (mFlags & kUcsFollow) != 0;
}
Acad::ErrorStatus AcDbViewport::setUcsFollowModeOn()
{
    setFlag(kUcsFollow, true);
    return Acad::eOk;
}
Acad::ErrorStatus AcDbViewport::setUcsFollowModeOff()
{
    setFlag(kUcsFollow, false);
    return Acad::eOk;
}

Adesk::Int16 AcDbViewport::viewMode() const
{
    assertReadEnabled();
    return static_cast<Adesk::Int16>(mFlags &
                                     (kPerspective | kFrontClip | kBackClip | kUcsFollow | kFrontClipNotAtEye));
}

int AcDbViewport::number() const
{
    assertReadEnabled();
    return mNumber;
}
void AcDbViewport::setNumber(int number) { mNumber = number; }
void AcDbViewport::setViewportId(Adesk::Int16 id)
{
    mId = id;
    arx::db::structureChanged();
}
Adesk::Int16 AcDbViewport::viewportId() const
{
    assertReadEnabled();
    return mId;
}
Adesk::Int16 AcDbViewport::status() const
{
    assertReadEnabled();
    return isOn() ? mStatus : 0;
}

bool AcDbViewport::isOn() const
{
    assertReadEnabled();
    return (mFlags & kViewportOff) == 0 && mStatus != 0;
}

Acad::ErrorStatus AcDbViewport::setOn()
{
    assertWriteEnabled();
    mFlags &= ~kViewportOff;
    if (mStatus == 0) mStatus = mId > 0 ? mId : -1;  // on; its place in the stack is the host's to give
    arx::db::structureChanged();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbViewport::setOff()
{
    assertWriteEnabled();
    mFlags |= kViewportOff;
    mStatus = 0;
    mNumber = -1;
    arx::db::structureChanged();
    return Acad::eOk;
}

bool AcDbViewport::isLocked() const
{
    assertReadEnabled();
    return (mFlags & kZoomLocked) != 0;
}
Acad::ErrorStatus AcDbViewport::setLocked()
{
    setFlag(kZoomLocked, true);
    return Acad::eOk;
}
Acad::ErrorStatus AcDbViewport::setUnlocked()
{
    setFlag(kZoomLocked, false);
    return Acad::eOk;
}

bool AcDbViewport::isNonRectClipOn() const
{
    assertReadEnabled();
    return (mFlags & kNonRectangularClip) != 0;
}
Acad::ErrorStatus AcDbViewport::setNonRectClipOn()
{
    setFlag(kNonRectangularClip, true);
    return Acad::eOk;
}
Acad::ErrorStatus AcDbViewport::setNonRectClipOff()
{
    setFlag(kNonRectangularClip, false);
    return Acad::eOk;
}
AcDbObjectId AcDbViewport::nonRectClipEntityId() const
{
    assertReadEnabled();
    return mClipEntity;
}
Acad::ErrorStatus AcDbViewport::setNonRectClipEntityId(AcDbObjectId clipEntityId)
{
    assertWriteEnabled();
    mClipEntity = clipEntityId;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbViewport::updateDisplay() const
{
    assertReadEnabled();
    return Acad::eOk;  // nothing is on screen; the next plot or SVG export draws the current view
}

Acad::ErrorStatus AcDbViewport::freezeLayersInViewport(const AcDbObjectIdArray& layerIds)
{
    assertWriteEnabled();
    for (int i = 0; i < layerIds.length(); ++i)
        if (!mFrozenLayers.contains(layerIds[i])) mFrozenLayers.append(layerIds[i]);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbViewport::thawLayersInViewport(const AcDbObjectIdArray& layerIds)
{
    assertWriteEnabled();
    for (int i = 0; i < layerIds.length(); ++i) mFrozenLayers.remove(layerIds[i]);
    return Acad::eOk;
}

bool AcDbViewport::isLayerFrozenInViewport(AcDbObjectId layerId) const
{
    assertReadEnabled();
    return mFrozenLayers.contains(layerId);
}
AcDbObjectIdArray AcDbViewport::frozenLayers() const
{
    assertReadEnabled();
    return mFrozenLayers;
}

Acad::ErrorStatus AcDbViewport::getGeomExtents(AcDbExtents& extents) const
{
    assertReadEnabled();
    extents = AcDbExtents();
    extents.addPoint(mCenter - AcGeVector3d(mWidth / 2, mHeight / 2, 0));
    extents.addPoint(mCenter + AcGeVector3d(mWidth / 2, mHeight / 2, 0));
    return Acad::eOk;
}

namespace {

// The frame of a viewport and its view, resized so that the model stays where it is on the
// sheet: a sheet point shows the same model point before and after, so the view centre moves
// with the frame's centre at the view's scale.
struct FrameAndView {
    AcGePoint3d& center;
    double& width;
    double& height;
    double& viewHeight;
    AcGePoint2d& viewCenter;

    void resize(const AcGePoint3d& newCenter, double newWidth, double newHeight)
    {
        const double modelPerSheet = height > 0 ? viewHeight / height : 1.0;
        viewCenter += AcGeVector2d(newCenter.x - center.x, newCenter.y - center.y) * modelPerSheet;
        center = newCenter;
        width = newWidth;
        height = newHeight;
        viewHeight = height * modelPerSheet;
    }
};

}  // namespace

// The frame stays axis-aligned on the sheet, as the host's viewports do. A move, a rotation
// or a mirroring carries only its centre, with the view: the same region of model space shows
// at the new place. A scaling resizes the frame and keeps both the view's scale and the place
// of the model on the sheet: the view centre follows the frame's centre.
Acad::ErrorStatus AcDbViewport::transformBy(const AcGeMatrix3d& xform)
{
    if (!xform.isUniScaledOrtho()) return Acad::eNotApplicable;
    AcGeVector3d x = AcGeVector3d::kXAxis;
    x.transformBy(xform);
    const double scale = x.length();
    if (scale <= 0) return Acad::eNotApplicable;
    assertWriteEnabled();
    AcGePoint3d center = mCenter;
    center.transformBy(xform);
    if (std::fabs(scale - 1.0) <= 1e-12) {
        mCenter = center;
        return Acad::eOk;
    }
    FrameAndView{mCenter, mWidth, mHeight, mViewHeight, mViewCenter}.resize(center, mWidth * scale, mHeight * scale);
    return writeLegacyViewRecord();
}

Acad::ErrorStatus AcDbViewport::getGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray&, AcDbIntArray&) const
{
    assertReadEnabled();
    const double w = mWidth / 2, h = mHeight / 2;
    gripPoints.append(mCenter + AcGeVector3d(-w, -h, 0));
    gripPoints.append(mCenter + AcGeVector3d(w, -h, 0));
    gripPoints.append(mCenter + AcGeVector3d(w, h, 0));
    gripPoints.append(mCenter + AcGeVector3d(-w, h, 0));
    gripPoints.append(mCenter);
    return Acad::eOk;
}

// A corner grip resizes the frame with the opposite corner fixed; the centre grip moves it.
// Resizing keeps the view's scale and the model's place on the sheet; moving carries the view.
Acad::ErrorStatus AcDbViewport::moveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset)
{
    assertWriteEnabled();
    bool corner[4] = {false, false, false, false};
    for (int i = 0; i < indices.length(); ++i) {
        if (indices[i] == 4) {
            mCenter += AcGeVector3d(offset.x, offset.y, 0);
            return Acad::eOk;
        }
        if (indices[i] >= 0 && indices[i] < 4) corner[indices[i]] = true;
    }
    double left = mCenter.x - mWidth / 2, right = mCenter.x + mWidth / 2;
    double bottom = mCenter.y - mHeight / 2, top = mCenter.y + mHeight / 2;
    if (corner[0] || corner[3]) left += offset.x;
    if (corner[1] || corner[2]) right += offset.x;
    if (corner[0] || corner[1]) bottom += offset.y;
    if (corner[2] || corner[3]) top += offset.y;
    if (right - left <= 0 || top - bottom <= 0) return Acad::eInvalidInput;
    FrameAndView{mCenter, mWidth, mHeight, mViewHeight, mViewCenter}.resize(
        AcGePoint3d((left + right) / 2, (bottom + top) / 2, mCenter.z), right - left, top - bottom);
    return writeLegacyViewRecord();
}

Acad::ErrorStatus AcDbViewport::getStretchPoints(AcGePoint3dArray& stretchPoints) const
{
    AcDbIntArray modes, ids;
    AcGePoint3dArray grips;
    getGripPoints(grips, modes, ids);
    for (int i = 0; i < 4; ++i) stretchPoints.append(grips[i]);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbViewport::moveStretchPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset)
{
    if (indices.length() == 4) {
        AcDbIntArray centre;
        centre.append(4);
        return moveGripPointsAt(centre, offset);
    }
    return moveGripPointsAt(indices, offset);
}

Acad::ErrorStatus AcDbViewport::getOsnapPoints(AcDb::OsnapMode osnapMode, int, const AcGePoint3d&, const AcGePoint3d&,
                                               const AcGeMatrix3d&, AcGePoint3dArray& snapPoints, AcDbIntArray&) const
{
    AcDbIntArray modes, ids;
    AcGePoint3dArray grips;
    getGripPoints(grips, modes, ids);
    if (osnapMode == AcDb::kOsModeEnd) {
        for (int i = 0; i < 4; ++i) snapPoints.append(grips[i]);
    } else if (osnapMode == AcDb::kOsModeMid) {
        for (int i = 0; i < 4; ++i) snapPoints.append(grips[i] + (grips[(i + 1) % 4] - grips[i]) * 0.5);
    } else if (osnapMode == AcDb::kOsModeCen) {
        snapPoints.append(grips[4]);
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbViewport::dwgOutFields(AcDbDwgFiler* filer) const
{
    assertReadEnabled();
    const Acad::ErrorStatus status = AcDbEntity::dwgOutFields(filer);
    if (status != Acad::eOk) return status;
    filer->writePoint3d(mCenter);
    filer->writeDouble(mWidth);
    filer->writeDouble(mHeight);
    filer->writeInt16(mStatus);
    filer->writeInt16(mId);
    filer->writePoint2d(mViewCenter);
    filer->writePoint2d(mSnapBase);
    filer->writeVector2d(mSnapSpacing);
    filer->writeVector2d(mGridSpacing);
    filer->writeVector3d(mViewDirection);
    filer->writePoint3d(mViewTarget);
    filer->writeDouble(mLensLength);
    filer->writeDouble(mFrontClip);
    filer->writeDouble(mBackClip);
    filer->writeDouble(mViewHeight);
    filer->writeDouble(mSnapAngle);
    filer->writeDouble(mTwist);
    filer->writeInt16(mCircleSides);
    filer->writeInt32(mFrozenLayers.length());
    for (int i = 0; i < mFrozenLayers.length(); ++i) filer->writeSoftPointerId(AcDbSoftPointerId(mFrozenLayers[i]));
    filer->writeInt32(mFlags);
    filer->writeHardPointerId(AcDbHardPointerId(mClipEntity));
    filer->writeString(mPlotStyleSheet.c_str());
    filer->writeInt8(mRenderMode);
    filer->writeInt8(mUcsPerViewport);
    filer->writeInt16(mUcsIcon);
    filer->writePoint3d(mUcsOrigin);
    filer->writeVector3d(mUcsXAxis);
    filer->writeVector3d(mUcsYAxis);
    filer->writeHardPointerId(AcDbHardPointerId(mNamedUcs));
    filer->writeHardPointerId(AcDbHardPointerId(mBaseUcs));
    filer->writeInt16(mOrthoType);
    filer->writeDouble(mElevation);
    return arx::db::dwgOutUnmodelled(filer, mUnmodelled);
}

Acad::ErrorStatus AcDbViewport::dwgInFields(AcDbDwgFiler* filer)
{
    assertWriteEnabled();
    arx::db::structureChanged();
    const Acad::ErrorStatus status = AcDbEntity::dwgInFields(filer);
    if (status != Acad::eOk) return status;
    filer->readPoint3d(&mCenter);
    filer->readDouble(&mWidth);
    filer->readDouble(&mHeight);
    filer->readInt16(&mStatus);
    filer->readInt16(&mId);
    filer->readPoint2d(&mViewCenter);
    filer->readPoint2d(&mSnapBase);
    filer->readVector2d(&mSnapSpacing);
    filer->readVector2d(&mGridSpacing);
    filer->readVector3d(&mViewDirection);
    filer->readPoint3d(&mViewTarget);
    filer->readDouble(&mLensLength);
    filer->readDouble(&mFrontClip);
    filer->readDouble(&mBackClip);
    filer->readDouble(&mViewHeight);
    filer->readDouble(&mSnapAngle);
    filer->readDouble(&mTwist);
    filer->readInt16(&mCircleSides);
    Adesk::Int32 count = 0;
    filer->readInt32(&count);
    if (count < 0) return Acad::eInvalidInput;
    mFrozenLayers.setLogicalLength(0);
    for (Adesk::Int32 i = 0; i < count && filer->filerStatus() == Acad::eOk; ++i) {
        AcDbSoftPointerId id;
        filer->readSoftPointerId(&id);
        mFrozenLayers.append(id);
    }
    filer->readInt32(&mFlags);
    AcDbHardPointerId clip, named, base;
    filer->readHardPointerId(&clip);
    mClipEntity = clip;
    char* sheet = nullptr;
    filer->readString(&sheet);
    mPlotStyleSheet = sheet ? sheet : "";
    delete[] sheet;
    filer->readInt8(&mRenderMode);
    filer->readInt8(&mUcsPerViewport);
    filer->readInt16(&mUcsIcon);
    filer->readPoint3d(&mUcsOrigin);
    filer->readVector3d(&mUcsXAxis);
    filer->readVector3d(&mUcsYAxis);
    filer->readHardPointerId(&named);
    filer->readHardPointerId(&base);
    mNamedUcs = named;
    mBaseUcs = base;
    filer->readInt16(&mOrthoType);
    filer->readDouble(&mElevation);
    return arx::db::dwgInUnmodelled(filer, mUnmodelled);
}

// The VIEWPORT groups of release 2000, in the host's order. The number is not saved.
Acad::ErrorStatus AcDbViewport::dxfOutFields(AcDbDxfFiler* filer) const
{
    assertReadEnabled();
    const Acad::ErrorStatus status = AcDbEntity::dxfOutFields(filer);
    if (status != Acad::eOk) return status;
    auto code = [](int c) { return static_cast<AcDb::DxfCode>(c); };
    filer->writeString(AcDb::kDxfSubclass, "AcDbViewport");
    filer->writePoint3d(code(10), mCenter);
    filer->writeDouble(code(40), mWidth);
    filer->writeDouble(code(41), mHeight);
    filer->writeInt16(code(68), isOn() ? mStatus : 0);
    filer->writeInt16(code(69), mId);
    filer->writePoint2d(code(12), mViewCenter);
    filer->writePoint2d(code(13), mSnapBase);
    filer->writeVector2d(code(14), mSnapSpacing);
    filer->writeVector2d(code(15), mGridSpacing);
    filer->writeVector3d(code(16), mViewDirection);
    filer->writePoint3d(code(17), mViewTarget);
    filer->writeDouble(code(42), mLensLength);
    filer->writeDouble(code(43), mFrontClip);
    filer->writeDouble(code(44), mBackClip);
    filer->writeDouble(code(45), mViewHeight);
    filer->writeDouble(code(50), arx::db::degreesFromRadians(mSnapAngle));
    filer->writeDouble(code(51), arx::db::degreesFromRadians(mTwist));
    filer->writeInt16(code(72), mCircleSides);
    for (int i = 0; i < mFrozenLayers.length(); ++i) filer->writeObjectId(code(331), mFrozenLayers[i]);
    filer->writeInt32(code(90), mFlags);
    if (!mClipEntity.isNull()) filer->writeObjectId(code(340), mClipEntity);
    filer->writeString(code(1), mPlotStyleSheet.c_str());
    filer->writeInt8(code(281), mRenderMode);
    filer->writeInt16(code(71), mUcsPerViewport);
    filer->writeInt16(code(74), mUcsIcon);
    filer->writePoint3d(code(110), mUcsOrigin);
    filer->writeVector3d(code(111), mUcsXAxis);
    filer->writeVector3d(code(112), mUcsYAxis);
    if (!mNamedUcs.isNull()) filer->writeObjectId(code(345), mNamedUcs);
    if (!mBaseUcs.isNull()) filer->writeObjectId(code(346), mBaseUcs);
    filer->writeInt16(code(79), mOrthoType);
    filer->writeDouble(code(146), mElevation);
    return arx::db::writeUnmodelled(filer, mUnmodelled);
}

Acad::ErrorStatus AcDbViewport::dxfInFields(AcDbDxfFiler* filer)
{
    assertWriteEnabled();
    arx::db::structureChanged();
    Acad::ErrorStatus status = AcDbEntity::dxfInFields(filer);
    if (status != Acad::eOk) return status;
    arx::db::SubclassReader in(filer, "AcDbViewport", &mUnmodelled);
    if ((status = in.start()) != Acad::eOk) return status;
    mFrozenLayers.setLogicalLength(0);
    mClipEntity = AcDbObjectId();
    mNumber = -1;
    while (const DxfItem* read = in.next()) {
        const DxfItem& item = *read;
        const AcGePoint2d point2d(item.point.x, item.point.y);
        const AcGeVector2d vector2d(item.point.x, item.point.y);
        switch (item.code) {
        case 10: mCenter = item.point; break;
        case 40: mWidth = item.real; break;
        case 41: mHeight = item.real; break;
        case 68: mStatus = static_cast<Adesk::Int16>(item.integer); break;
        case 69: mId = static_cast<Adesk::Int16>(item.integer); break;
        case 12: mViewCenter = point2d; break;
        case 13: mSnapBase = point2d; break;
        case 14: mSnapSpacing = vector2d; break;
        case 15: mGridSpacing = vector2d; break;
        case 16: mViewDirection = item.point.asVector(); break;
        case 17: mViewTarget = item.point; break;
        case 42: mLensLength = item.real; break;
        case 43: mFrontClip = item.real; break;
        case 44: mBackClip = item.real; break;
        case 45: mViewHeight = item.real; break;
        case 50: mSnapAngle = arx::db::radiansFromDegrees(item.real); break;
        case 51: mTwist = arx::db::radiansFromDegrees(item.real); break;
        case 72: mCircleSides = static_cast<Adesk::Int16>(item.integer); break;
        case 331: mFrozenLayers.append(item.id); break;
        case 90: mFlags = static_cast<Adesk::Int32>(item.integer); break;
        case 340: mClipEntity = item.id; break;
        case 1: mPlotStyleSheet = item.text; break;
        case 281: mRenderMode = static_cast<Adesk::Int8>(item.integer); break;
        case 71: mUcsPerViewport = static_cast<Adesk::Int8>(item.integer); break;
        case 74: mUcsIcon = static_cast<Adesk::Int16>(item.integer); break;
        case 110: mUcsOrigin = item.point; break;
        case 111: mUcsXAxis = item.point.asVector(); break;
        case 112: mUcsYAxis = item.point.asVector(); break;
        case 345: mNamedUcs = item.id; break;
        case 346: mBaseUcs = item.id; break;
        case 79: mOrthoType = static_cast<Adesk::Int16>(item.integer); break;
        case 146: mElevation = item.real; break;
        default: in.keep(item); break;
        }
    }
    return in.status();
}
