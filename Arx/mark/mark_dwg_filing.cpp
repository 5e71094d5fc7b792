// DWG-style filing of the mark: files, undo records and copies.
#include "mark/mark_messages.h"
#include "mark/vadu_kestra.h"

namespace {

// Clone and id-translation filers get none of the mark's data.
bool isCloneFiler(const AcDbDwgFiler* filer)
{
    const AcDb::FilerType type = filer->filerType();
    return type == AcDb::kIdXlateFiler || type == AcDb::kDeepCloneFiler || type == AcDb::kWblockCloneFiler;
}

}  // namespace

Acad::ErrorStatus VaduKestra::dwgOutFields(AcDbDwgFiler* filer) const
{
    assertReadEnabled();
    if (isCloneFiler(filer)) return Acad::eNotApplicable;
    AcDbEntity::dwgOutFields(filer);
    writeDwgFields(filer);
    return filer->filerStatus();
}

Acad::ErrorStatus VaduKestra::dwgInFields(AcDbDwgFiler* filer)
{
    assertWriteEnabled();
    Acad::ErrorStatus status = AcDbEntity::dwgInFields(filer);
    if (status != Acad::eOk) {
        kestra::printMarkMessage(kestra::kParentFilingMessage);
        return status;
    }
    Adesk::Int16 version = 0;
    if (filer->readInt16(&version) != Acad::eOk) return filer->filerStatus();
    if (version > kFilingVersion) {
        kestra::printMarkMessage(kestra::kProxyMessage);
        return Acad::eMakeMeProxy;
    }
    if (version == kFilingVersion) readDwgFields(filer);
    return filer->filerStatus();
}

// viewMode is filed as a 32-bit integer, the size of the host's Boolean, so that every bit
// of the view mode survives.
void VaduKestra::writeDwgFields(AcDbDwgFiler* filer) const
{
    filer->writeInt16(kFilingVersion);
    filer->writeAcDbHandle(mViewportHandle);
    for (const AcGePoint3d& corner : mCorners) filer->writePoint3d(corner);
    filer->writePoint3d(mCenter);
    filer->writePoint3d(mViewDir);
    filer->writePoint3d(mViewTarget);
    filer->writePoint3d(mViewCenter);
    filer->writeDouble(mPaperHeight);
    filer->writeDouble(mRotation);
    filer->writeDouble(mZoomXp);
    filer->writeDouble(mFrontZ);
    filer->writeDouble(mBackZ);
    filer->writeDouble(mLensLength);
    filer->writeInt32(mViewMode);
    filer->writeSoftPointerId(mOutlineBlockId);
    filer->writeVector3d(mNormal);
}

// Reads into locals first: a filer that fails part way changes nothing.
void VaduKestra::readDwgFields(AcDbDwgFiler* filer)
{
    AcDbHandle viewportHandle;
    AcGePoint3d points[8];
    double reals[6] = {};
    Adesk::Int32 viewMode = 0;
    AcDbSoftPointerId outlineBlockId;
    AcGeVector3d normal;
    filer->readAcDbHandle(&viewportHandle);
    for (AcGePoint3d& point : points) filer->readPoint3d(&point);
    for (double& real : reals) filer->readDouble(&real);
    filer->readInt32(&viewMode);
    filer->readSoftPointerId(&outlineBlockId);
    filer->readVector3d(&normal);
    if (filer->filerStatus() != Acad::eOk) return;

    mViewportHandle = viewportHandle;
    for (int i = 0; i < 4; ++i) mCorners[i] = points[i];
    mCenter = points[4];
    mViewDir = points[5];
    mViewTarget = points[6];
    mViewCenter = points[7];
    mPaperHeight = reals[0];
    mRotation = reals[1];
    mZoomXp = reals[2];
    mFrontZ = reals[3];
    mBackZ = reals[4];
    mLensLength = reals[5];
    mViewMode = viewMode;
    mOutlineBlockId = outlineBlockId;
    mNormal = normal;
    // What was being dragged does not survive a reload, an undo or a copy.
    clearScaleLabel();
    clearExtraGrips();
}
