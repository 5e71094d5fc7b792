// The public clone filers: the binary filer under the deep-clone and wblock-clone types,
// with queues of the owned objects and hard pointers written through them.
#include "dbfiler.h"
#include "db/memory_dwg_filer.h"

using arx::db::IdKind;
using arx::db::MemoryDwgFiler;

namespace {

bool nextOf(const MemoryDwgFiler& imp, std::size_t& cursor, bool (*wanted)(IdKind), AcDbObjectId& id)
{
    const auto& written = imp.writtenIds();
    while (cursor < written.size()) {
        const auto& w = written[cursor++];
        if (wanted(w.kind)) {
            id = w.id;
            return true;
        }
    }
    return false;
}

bool isOwner(IdKind kind) { return kind == IdKind::HardOwner || kind == IdKind::SoftOwner; }
bool isHardPointer(IdKind kind) { return kind == IdKind::HardPointer; }

}  // namespace

AcDbDeepCloneFiler::AcDbDeepCloneFiler() : AcDbDeepCloneFiler(AcDb::kDeepCloneFiler) {}
AcDbDeepCloneFiler::AcDbDeepCloneFiler(AcDb::FilerType type) : mpImp(new MemoryDwgFiler(type)) {}
AcDbDeepCloneFiler::~AcDbDeepCloneFiler() { delete mpImp; }

bool AcDbDeepCloneFiler::getNextOwnedObject(AcDbObjectId& id) { return nextOf(*mpImp, mOwnedCursor, isOwner, id); }

bool AcDbDeepCloneFiler::moreOwnedObjects() const
{
    std::size_t cursor = mOwnedCursor;
    AcDbObjectId id;
    return nextOf(*mpImp, cursor, isOwner, id);
}

AcDbWblockCloneFiler::AcDbWblockCloneFiler() : AcDbDeepCloneFiler(AcDb::kWblockCloneFiler) {}

bool AcDbWblockCloneFiler::getNextHardObject(AcDbObjectId& id)
{
    return nextOf(*implementation(), mHardCursor, isHardPointer, id);
}

bool AcDbWblockCloneFiler::moreHardObjects() const
{
    std::size_t cursor = mHardCursor;
    AcDbObjectId id;
    return nextOf(*implementation(), cursor, isHardPointer, id);
}

#define ARX_FORWARD_VALUE(NAME, TYPE)                                                                                  \
    Acad::ErrorStatus AcDbDeepCloneFiler::read##NAME(TYPE* pVal) { return mpImp->read##NAME(pVal); }                   \
    Acad::ErrorStatus AcDbDeepCloneFiler::write##NAME(TYPE val) { return mpImp->write##NAME(val); }
#define ARX_FORWARD_REF(NAME, TYPE)                                                                                    \
    Acad::ErrorStatus AcDbDeepCloneFiler::read##NAME(TYPE* pVal) { return mpImp->read##NAME(pVal); }                   \
    Acad::ErrorStatus AcDbDeepCloneFiler::write##NAME(const TYPE& val) { return mpImp->write##NAME(val); }

ARX_FORWARD_REF(HardOwnershipId, AcDbHardOwnershipId)
ARX_FORWARD_REF(SoftOwnershipId, AcDbSoftOwnershipId)
ARX_FORWARD_REF(HardPointerId, AcDbHardPointerId)
ARX_FORWARD_REF(SoftPointerId, AcDbSoftPointerId)
ARX_FORWARD_REF(BChunk, ads_binary)
ARX_FORWARD_REF(AcDbHandle, AcDbHandle)
ARX_FORWARD_VALUE(Int64, Adesk::Int64)
ARX_FORWARD_VALUE(Int32, Adesk::Int32)
ARX_FORWARD_VALUE(Int16, Adesk::Int16)
ARX_FORWARD_VALUE(Int8, Adesk::Int8)
ARX_FORWARD_VALUE(UInt32, Adesk::UInt32)
ARX_FORWARD_VALUE(UInt16, Adesk::UInt16)
ARX_FORWARD_VALUE(UInt8, Adesk::UInt8)
ARX_FORWARD_VALUE(Boolean, Adesk::Boolean)
ARX_FORWARD_VALUE(Bool, bool)
ARX_FORWARD_VALUE(Double, double)
ARX_FORWARD_REF(Point2d, AcGePoint2d)
ARX_FORWARD_REF(Point3d, AcGePoint3d)
ARX_FORWARD_REF(Vector2d, AcGeVector2d)
ARX_FORWARD_REF(Vector3d, AcGeVector3d)
ARX_FORWARD_REF(Scale3d, AcGeScale3d)
#undef ARX_FORWARD_VALUE
#undef ARX_FORWARD_REF

Acad::ErrorStatus AcDbDeepCloneFiler::filerStatus() const { return mpImp->filerStatus(); }
AcDb::FilerType AcDbDeepCloneFiler::filerType() const { return mpImp->filerType(); }
void AcDbDeepCloneFiler::setFilerStatus(Acad::ErrorStatus status) { mpImp->setFilerStatus(status); }
void AcDbDeepCloneFiler::resetFilerStatus() { mpImp->resetFilerStatus(); }
AcDbDatabase* AcDbDeepCloneFiler::database() const { return mpImp->database(); }
Acad::ErrorStatus AcDbDeepCloneFiler::readString(char** pVal) { return mpImp->readString(pVal); }
Acad::ErrorStatus AcDbDeepCloneFiler::writeString(const char* pVal) { return mpImp->writeString(pVal); }
Acad::ErrorStatus AcDbDeepCloneFiler::readBytes(void* pDest, Adesk::UInt32 nBytes)
{
    return mpImp->readBytes(pDest, nBytes);
}
Acad::ErrorStatus AcDbDeepCloneFiler::writeBytes(const void* pSrc, Adesk::UInt32 nBytes)
{
    return mpImp->writeBytes(pSrc, nBytes);
}
Acad::ErrorStatus AcDbDeepCloneFiler::readAddress(void** pVal) { return mpImp->readAddress(pVal); }
Acad::ErrorStatus AcDbDeepCloneFiler::writeAddress(const void* pVal) { return mpImp->writeAddress(pVal); }
Acad::ErrorStatus AcDbDeepCloneFiler::seek(long nOffset, int nMethod) { return mpImp->seek(nOffset, nMethod); }
long AcDbDeepCloneFiler::tell() const { return mpImp->tell(); }
