// DXF filing of the mark: drawing files and the AutoLISP entity lists.
#include "mark/mark_messages.h"
#include "mark/vadu_kestra.h"

namespace {

AcGePoint3d pointOf(const resbuf& item)
{
    return AcGePoint3d(item.resval.rpoint[0], item.resval.rpoint[1], item.resval.rpoint[2]);
}

}  // namespace

Acad::ErrorStatus VaduKestra::dxfOutFields(AcDbDxfFiler* filer) const
{
    assertReadEnabled();
    AcDbEntity::dxfOutFields(filer);
    writeDxfFields(filer);
    return filer->filerStatus();
}

void VaduKestra::writeDxfFields(AcDbDxfFiler* filer) const
{
    // The subclass marker is the class's own name: the legacy class writes its own.
    filer->writeString(AcDb::kDxfSubclass, isA()->name());
    filer->writeInt16(AcDb::kDxfInt16, kFilingVersion);
    char handleText[17];
    mViewportHandle.getIntoAsciiBuffer(handleText);
    filer->writeString(AcDb::kDxfText, handleText);
    for (int i = 0; i < 4; ++i) filer->writePoint3d(static_cast<AcDb::DxfCode>(10 + i), mCorners[i]);
    filer->writePoint3d(static_cast<AcDb::DxfCode>(14), mCenter);
    filer->writePoint3d(static_cast<AcDb::DxfCode>(15), mViewDir);
    filer->writePoint3d(static_cast<AcDb::DxfCode>(16), mViewTarget);
    filer->writePoint3d(static_cast<AcDb::DxfCode>(17), mViewCenter);
    filer->writeDouble(static_cast<AcDb::DxfCode>(40), mPaperHeight);
    filer->writeDouble(static_cast<AcDb::DxfCode>(41), mRotation);
    filer->writeDouble(static_cast<AcDb::DxfCode>(42), mZoomXp);
    filer->writeDouble(static_cast<AcDb::DxfCode>(43), mFrontZ);
    filer->writeDouble(static_cast<AcDb::DxfCode>(44), mBackZ);
    filer->writeDouble(static_cast<AcDb::DxfCode>(45), mLensLength);
    filer->writeInt16(AcDb::kDxfInt16, static_cast<Adesk::Int16>(mViewMode));
    filer->writeObjectId(AcDb::kDxfSoftPointerId, mOutlineBlockId);
    filer->writeVector3d(AcDb::kDxfNormalX, mNormal);
}

Acad::ErrorStatus VaduKestra::dxfInFields(AcDbDxfFiler* filer)
{
    assertWriteEnabled();
    Acad::ErrorStatus status = AcDbEntity::dxfInFields(filer);
    if (status != Acad::eOk) return status;
    if (!filer->atSubclassData(isA()->name())) return Acad::eBadDxfSequence;
    resbuf item;
    if (filer->readItem(&item) != Acad::eOk) return Acad::eBadDxfSequence;
    if (item.restype != AcDb::kDxfInt16) {
        kestra::printMarkMessage(kestra::kVersionFieldMessage);
        return Acad::eBadDxfSequence;
    }
    if (item.resval.rint > kFilingVersion) {
        kestra::printMarkMessage(kestra::kProxyMessage);
        return Acad::eMakeMeProxy;
    }
    if (item.resval.rint < kFilingVersion) return filer->filerStatus();
    return readDxfFields(filer);
}

// Groups may come in any order and repeat (the last wins); the first group that is not the
// mark's ends the fields and is left for the next reader.
Acad::ErrorStatus VaduKestra::readDxfFields(AcDbDxfFiler* filer)
{
    resbuf item;
    while (filer->readItem(&item) == Acad::eOk) {
        if (!setDxfField(item)) {
            filer->pushBackItem();
            break;
        }
    }
    clearScaleLabel();
    clearExtraGrips();
    completeDxfRead();
    return filer->filerStatus();
}

bool VaduKestra::setDxfField(const resbuf& item)
{
    switch (item.restype) {
    case 1: mViewportHandle = item.resval.rstring ? AcDbHandle(item.resval.rstring) : AcDbHandle(); return true;
    case 10:
    case 11:
    case 12:
    case 13: mCorners[item.restype - 10] = pointOf(item); return true;
    case 14: mCenter = pointOf(item); return true;
    case 15: mViewDir = pointOf(item); return true;
    case 16: mViewTarget = pointOf(item); return true;
    case 17: mViewCenter = pointOf(item); return true;
    case 40: mPaperHeight = item.resval.rreal; return true;
    case 41: mRotation = item.resval.rreal; return true;
    case 42: mZoomXp = item.resval.rreal; return true;
    case 43: mFrontZ = item.resval.rreal; return true;
    case 44: mBackZ = item.resval.rreal; return true;
    case 45: mLensLength = item.resval.rreal; return true;
    case 70: mViewMode = item.resval.rint; return true;
    case 210: mNormal = pointOf(item).asVector(); return true;
    case 330: {
        AcDbObjectId id;
        if (item.resval.rlname[0] != 0) acdbGetObjectId(id, item.resval.rlname);
        mOutlineBlockId = id;
        return true;
    }
    default: return false;
    }
}
