// The persistent reactor class: registration, its one field and its filing.
#include "assoc/ms_vp_pers_reactor.h"

#include "rxclass.h"

ACRX_DXF_DEFINE_MEMBERS(MsVpPersReactor, AcDbObject, 15, 0, 895, MSVPPERSREACTOR, MSVPPERSREACTOR);

namespace kestra {

void registerPersistentReactorClass()
{
    if (acrxFindClass("MsVpPersReactor") == nullptr) MsVpPersReactor::rxInit();
}

}  // namespace kestra

namespace {

constexpr const char* kSubclassName = "MsVpPersReactor";

}  // namespace

MsVpPersReactor::MsVpPersReactor() = default;
MsVpPersReactor::~MsVpPersReactor() = default;

AcDbObjectId MsVpPersReactor::ownerReference() const
{
    assertReadEnabled();
    return mOwnerReference;
}

Acad::ErrorStatus MsVpPersReactor::setOwnerReference(AcDbObjectId id)
{
    assertWriteEnabled();
    mOwnerReference = id;
    return Acad::eOk;
}

Acad::ErrorStatus MsVpPersReactor::dwgOutFields(AcDbDwgFiler* filer) const
{
    assertReadEnabled();
    Acad::ErrorStatus status = AcDbObject::dwgOutFields(filer);
    if (status != Acad::eOk) return status;
    filer->writeSoftPointerId(mOwnerReference);
    return filer->filerStatus();
}

Acad::ErrorStatus MsVpPersReactor::dwgInFields(AcDbDwgFiler* filer)
{
    assertWriteEnabled();
    Acad::ErrorStatus status = AcDbObject::dwgInFields(filer);
    if (status != Acad::eOk) return status;
    filer->readSoftPointerId(&mOwnerReference);
    return filer->filerStatus();
}

Acad::ErrorStatus MsVpPersReactor::dxfOutFields(AcDbDxfFiler* filer) const
{
    assertReadEnabled();
    Acad::ErrorStatus status = AcDbObject::dxfOutFields(filer);
    if (status != Acad::eOk) return status;
    filer->writeString(AcDb::kDxfSubclass, kSubclassName);
    filer->writeObjectId(AcDb::kDxfSoftPointerId, mOwnerReference);
    return filer->filerStatus();
}

Acad::ErrorStatus MsVpPersReactor::dxfInFields(AcDbDxfFiler* filer)
{
    assertWriteEnabled();
    Acad::ErrorStatus status = AcDbObject::dxfInFields(filer);
    if (status != Acad::eOk) return status;
    if (!filer->atSubclassData(kSubclassName)) return Acad::eBadDxfSequence;
    resbuf item;
    while (filer->readItem(&item) == Acad::eOk) {
        if (item.restype != AcDb::kDxfSoftPointerId) {
            filer->pushBackItem();
            break;
        }
        AcDbObjectId id;
        if (item.resval.rlname[0] != 0) acdbGetObjectId(id, item.resval.rlname);
        mOwnerReference = id;
    }
    return filer->filerStatus();
}

// The reactor object never records a partial undo of its own; a record naming this class
// holds one reference, read and dropped.
Acad::ErrorStatus MsVpPersReactor::applyPartialUndo(AcDbDwgFiler* undoFiler, AcRxClass* classObj)
{
    if (classObj != MsVpPersReactor::desc()) return AcDbObject::applyPartialUndo(undoFiler, classObj);
    AcDbHardPointerId discarded;
    undoFiler->readHardPointerId(&discarded);
    return undoFiler->filerStatus();
}

void MsVpPersReactor::subObjModified(const AcDbObject* /*object*/, const AcDbObject* /*subObject*/) {}

void MsVpPersReactor::modifiedXData(const AcDbObject* /*object*/) {}
