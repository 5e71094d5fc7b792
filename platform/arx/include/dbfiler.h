// The filers: AcDbDwgFiler (binary, used for copies, undo, clones and id translation as well
// as files) and AcDbDxfFiler (group code and value items: DXF files and the ADS entity lists).
#pragma once
#include <cstddef>

#include "acadstrc.h"
#include "acdb.h"
#include "adesk.h"
#include "adsdef.h"
#include "dbhandle.h"
#include "dbid.h"
#include "gepnt2d.h"
#include "gepnt3d.h"
#include "gescl3d.h"
#include "gevec2d.h"
#include "gevec3d.h"
#include "rxobject.h"

class AcDbDatabase;
class AcDbIdMapping;
namespace arx::db {
class MemoryDwgFiler;
}

class ACAD_PORT AcDbDwgFiler : public AcRxObject {
public:
    ~AcDbDwgFiler() override = default;

    virtual Acad::ErrorStatus filerStatus() const = 0;
    virtual AcDb::FilerType filerType() const = 0;
    virtual void setFilerStatus(Acad::ErrorStatus status) = 0;
    virtual void resetFilerStatus() = 0;
    // The database whose objects are filed (null for a filer without one).
    virtual AcDbDatabase* database() const = 0;

    virtual Acad::ErrorStatus readHardOwnershipId(AcDbHardOwnershipId* pVal) = 0;
    virtual Acad::ErrorStatus writeHardOwnershipId(const AcDbHardOwnershipId& val) = 0;
    virtual Acad::ErrorStatus readSoftOwnershipId(AcDbSoftOwnershipId* pVal) = 0;
    virtual Acad::ErrorStatus writeSoftOwnershipId(const AcDbSoftOwnershipId& val) = 0;
    virtual Acad::ErrorStatus readHardPointerId(AcDbHardPointerId* pVal) = 0;
    virtual Acad::ErrorStatus writeHardPointerId(const AcDbHardPointerId& val) = 0;
    virtual Acad::ErrorStatus readSoftPointerId(AcDbSoftPointerId* pVal) = 0;
    virtual Acad::ErrorStatus writeSoftPointerId(const AcDbSoftPointerId& val) = 0;

    // The string is allocated with new[]; the caller releases it with delete[].
    virtual Acad::ErrorStatus readString(char** pVal) = 0;
    virtual Acad::ErrorStatus writeString(const char* pVal) = 0;
    // The chunk's buffer is allocated with new[]; the caller releases it with delete[].
    virtual Acad::ErrorStatus readBChunk(ads_binary* pVal) = 0;
    virtual Acad::ErrorStatus writeBChunk(const ads_binary& val) = 0;
    virtual Acad::ErrorStatus readAcDbHandle(AcDbHandle* pVal) = 0;
    virtual Acad::ErrorStatus writeAcDbHandle(const AcDbHandle& val) = 0;

    virtual Acad::ErrorStatus readInt64(Adesk::Int64* pVal) = 0;
    virtual Acad::ErrorStatus writeInt64(Adesk::Int64 val) = 0;
    virtual Acad::ErrorStatus readInt32(Adesk::Int32* pVal) = 0;
    virtual Acad::ErrorStatus writeInt32(Adesk::Int32 val) = 0;
    virtual Acad::ErrorStatus readInt16(Adesk::Int16* pVal) = 0;
    virtual Acad::ErrorStatus writeInt16(Adesk::Int16 val) = 0;
    virtual Acad::ErrorStatus readInt8(Adesk::Int8* pVal) = 0;
    virtual Acad::ErrorStatus writeInt8(Adesk::Int8 val) = 0;
    virtual Acad::ErrorStatus readUInt32(Adesk::UInt32* pVal) = 0;
    virtual Acad::ErrorStatus writeUInt32(Adesk::UInt32 val) = 0;
    virtual Acad::ErrorStatus readUInt16(Adesk::UInt16* pVal) = 0;
    virtual Acad::ErrorStatus writeUInt16(Adesk::UInt16 val) = 0;
    virtual Acad::ErrorStatus readUInt8(Adesk::UInt8* pVal) = 0;
    virtual Acad::ErrorStatus writeUInt8(Adesk::UInt8 val) = 0;
    // A Boolean is filed as a 32-bit integer.
    virtual Acad::ErrorStatus readBoolean(Adesk::Boolean* pVal) = 0;
    virtual Acad::ErrorStatus writeBoolean(Adesk::Boolean val) = 0;
    virtual Acad::ErrorStatus readBool(bool* pVal) = 0;
    virtual Acad::ErrorStatus writeBool(bool val) = 0;
    virtual Acad::ErrorStatus readDouble(double* pVal) = 0;
    virtual Acad::ErrorStatus writeDouble(double val) = 0;
    virtual Acad::ErrorStatus readPoint2d(AcGePoint2d* pVal) = 0;
    virtual Acad::ErrorStatus writePoint2d(const AcGePoint2d& val) = 0;
    virtual Acad::ErrorStatus readPoint3d(AcGePoint3d* pVal) = 0;
    virtual Acad::ErrorStatus writePoint3d(const AcGePoint3d& val) = 0;
    virtual Acad::ErrorStatus readVector2d(AcGeVector2d* pVal) = 0;
    virtual Acad::ErrorStatus writeVector2d(const AcGeVector2d& val) = 0;
    virtual Acad::ErrorStatus readVector3d(AcGeVector3d* pVal) = 0;
    virtual Acad::ErrorStatus writeVector3d(const AcGeVector3d& val) = 0;
    virtual Acad::ErrorStatus readScale3d(AcGeScale3d* pVal) = 0;
    virtual Acad::ErrorStatus writeScale3d(const AcGeScale3d& val) = 0;
    virtual Acad::ErrorStatus readBytes(void* pDest, Adesk::UInt32 nBytes) = 0;
    virtual Acad::ErrorStatus writeBytes(const void* pSrc, Adesk::UInt32 nBytes) = 0;
    virtual Acad::ErrorStatus readAddress(void** pVal) = 0;
    virtual Acad::ErrorStatus writeAddress(const void* pVal) = 0;

    virtual Acad::ErrorStatus seek(long nOffset, int nMethod) = 0;
    virtual long tell() const = 0;

    // The typed overloads of the host's API.
    Acad::ErrorStatus readItem(AcDbHardOwnershipId* p) { return readHardOwnershipId(p); }
    Acad::ErrorStatus writeItem(const AcDbHardOwnershipId& v) { return writeHardOwnershipId(v); }
    Acad::ErrorStatus readItem(AcDbSoftOwnershipId* p) { return readSoftOwnershipId(p); }
    Acad::ErrorStatus writeItem(const AcDbSoftOwnershipId& v) { return writeSoftOwnershipId(v); }
    Acad::ErrorStatus readItem(AcDbHardPointerId* p) { return readHardPointerId(p); }
    Acad::ErrorStatus writeItem(const AcDbHardPointerId& v) { return writeHardPointerId(v); }
    Acad::ErrorStatus readItem(AcDbSoftPointerId* p) { return readSoftPointerId(p); }
    Acad::ErrorStatus writeItem(const AcDbSoftPointerId& v) { return writeSoftPointerId(v); }
    Acad::ErrorStatus readItem(char** p) { return readString(p); }
    Acad::ErrorStatus writeItem(const char* v) { return writeString(v); }
    Acad::ErrorStatus readItem(ads_binary* p) { return readBChunk(p); }
    Acad::ErrorStatus writeItem(const ads_binary& v) { return writeBChunk(v); }
    Acad::ErrorStatus readItem(AcDbHandle* p) { return readAcDbHandle(p); }
    Acad::ErrorStatus writeItem(const AcDbHandle& v) { return writeAcDbHandle(v); }
    Acad::ErrorStatus readItem(Adesk::Int32* p) { return readInt32(p); }
    Acad::ErrorStatus writeItem(Adesk::Int32 v) { return writeInt32(v); }
    Acad::ErrorStatus readItem(Adesk::Int16* p) { return readInt16(p); }
    Acad::ErrorStatus writeItem(Adesk::Int16 v) { return writeInt16(v); }
    Acad::ErrorStatus readItem(Adesk::Int8* p) { return readInt8(p); }
    Acad::ErrorStatus writeItem(Adesk::Int8 v) { return writeInt8(v); }
    Acad::ErrorStatus readItem(Adesk::UInt32* p) { return readUInt32(p); }
    Acad::ErrorStatus writeItem(Adesk::UInt32 v) { return writeUInt32(v); }
    Acad::ErrorStatus readItem(Adesk::UInt16* p) { return readUInt16(p); }
    Acad::ErrorStatus writeItem(Adesk::UInt16 v) { return writeUInt16(v); }
    Acad::ErrorStatus readItem(Adesk::UInt8* p) { return readUInt8(p); }
    Acad::ErrorStatus writeItem(Adesk::UInt8 v) { return writeUInt8(v); }
    Acad::ErrorStatus readItem(bool* p) { return readBool(p); }
    Acad::ErrorStatus writeItem(bool v) { return writeBool(v); }
    Acad::ErrorStatus readItem(double* p) { return readDouble(p); }
    Acad::ErrorStatus writeItem(double v) { return writeDouble(v); }
    Acad::ErrorStatus readItem(AcGePoint2d* p) { return readPoint2d(p); }
    Acad::ErrorStatus writeItem(const AcGePoint2d& v) { return writePoint2d(v); }
    Acad::ErrorStatus readItem(AcGePoint3d* p) { return readPoint3d(p); }
    Acad::ErrorStatus writeItem(const AcGePoint3d& v) { return writePoint3d(v); }
    Acad::ErrorStatus readItem(AcGeVector2d* p) { return readVector2d(p); }
    Acad::ErrorStatus writeItem(const AcGeVector2d& v) { return writeVector2d(v); }
    Acad::ErrorStatus readItem(AcGeVector3d* p) { return readVector3d(p); }
    Acad::ErrorStatus writeItem(const AcGeVector3d& v) { return writeVector3d(v); }
    Acad::ErrorStatus readItem(AcGeScale3d* p) { return readScale3d(p); }
    Acad::ErrorStatus writeItem(const AcGeScale3d& v) { return writeScale3d(v); }
    Acad::ErrorStatus readItem(void* p, Adesk::UInt32 n) { return readBytes(p, n); }
    Acad::ErrorStatus writeItem(const void* p, Adesk::UInt32 n) { return writeBytes(p, n); }
    Acad::ErrorStatus readItem(void** p) { return readAddress(p); }
    Acad::ErrorStatus writeItem(const void* p) { return writeAddress(p); }

protected:
    AcDbDwgFiler() = default;
};

// The filer deepClone hands to dwgOut/dwgIn; it also queues the ids of owned objects (hard
// and soft ownership) written through it, which deepClone then clones as well.
class ACAD_PORT AcDbDeepCloneFiler : public AcDbDwgFiler {
public:
    AcDbDeepCloneFiler();
    ~AcDbDeepCloneFiler() override;
    AcDbDeepCloneFiler(const AcDbDeepCloneFiler&) = delete;
    AcDbDeepCloneFiler& operator=(const AcDbDeepCloneFiler&) = delete;

    // The next queued owned object not yet handed out; false when there is none.
    virtual bool getNextOwnedObject(AcDbObjectId& id);
    virtual bool moreOwnedObjects() const;

    Acad::ErrorStatus filerStatus() const override;
    AcDb::FilerType filerType() const override;
    void setFilerStatus(Acad::ErrorStatus status) override;
    void resetFilerStatus() override;
    AcDbDatabase* database() const override;
    Acad::ErrorStatus readHardOwnershipId(AcDbHardOwnershipId* pVal) override;
    Acad::ErrorStatus writeHardOwnershipId(const AcDbHardOwnershipId& val) override;
    Acad::ErrorStatus readSoftOwnershipId(AcDbSoftOwnershipId* pVal) override;
    Acad::ErrorStatus writeSoftOwnershipId(const AcDbSoftOwnershipId& val) override;
    Acad::ErrorStatus readHardPointerId(AcDbHardPointerId* pVal) override;
    Acad::ErrorStatus writeHardPointerId(const AcDbHardPointerId& val) override;
    Acad::ErrorStatus readSoftPointerId(AcDbSoftPointerId* pVal) override;
    Acad::ErrorStatus writeSoftPointerId(const AcDbSoftPointerId& val) override;
    Acad::ErrorStatus readString(char** pVal) override;
    Acad::ErrorStatus writeString(const char* pVal) override;
    Acad::ErrorStatus readBChunk(ads_binary* pVal) override;
    Acad::ErrorStatus writeBChunk(const ads_binary& val) override;
    Acad::ErrorStatus readAcDbHandle(AcDbHandle* pVal) override;
    Acad::ErrorStatus writeAcDbHandle(const AcDbHandle& val) override;
    Acad::ErrorStatus readInt64(Adesk::Int64* pVal) override;
    Acad::ErrorStatus writeInt64(Adesk::Int64 val) override;
    Acad::ErrorStatus readInt32(Adesk::Int32* pVal) override;
    Acad::ErrorStatus writeInt32(Adesk::Int32 val) override;
    Acad::ErrorStatus readInt16(Adesk::Int16* pVal) override;
    Acad::ErrorStatus writeInt16(Adesk::Int16 val) override;
    Acad::ErrorStatus readInt8(Adesk::Int8* pVal) override;
    Acad::ErrorStatus writeInt8(Adesk::Int8 val) override;
    Acad::ErrorStatus readUInt32(Adesk::UInt32* pVal) override;
    Acad::ErrorStatus writeUInt32(Adesk::UInt32 val) override;
    Acad::ErrorStatus readUInt16(Adesk::UInt16* pVal) override;
    Acad::ErrorStatus writeUInt16(Adesk::UInt16 val) override;
    Acad::ErrorStatus readUInt8(Adesk::UInt8* pVal) override;
    Acad::ErrorStatus writeUInt8(Adesk::UInt8 val) override;
    Acad::ErrorStatus readBoolean(Adesk::Boolean* pVal) override;
    Acad::ErrorStatus writeBoolean(Adesk::Boolean val) override;
    Acad::ErrorStatus readBool(bool* pVal) override;
    Acad::ErrorStatus writeBool(bool val) override;
    Acad::ErrorStatus readDouble(double* pVal) override;
    Acad::ErrorStatus writeDouble(double val) override;
    Acad::ErrorStatus readPoint2d(AcGePoint2d* pVal) override;
    Acad::ErrorStatus writePoint2d(const AcGePoint2d& val) override;
    Acad::ErrorStatus readPoint3d(AcGePoint3d* pVal) override;
    Acad::ErrorStatus writePoint3d(const AcGePoint3d& val) override;
    Acad::ErrorStatus readVector2d(AcGeVector2d* pVal) override;
    Acad::ErrorStatus writeVector2d(const AcGeVector2d& val) override;
    Acad::ErrorStatus readVector3d(AcGeVector3d* pVal) override;
    Acad::ErrorStatus writeVector3d(const AcGeVector3d& val) override;
    Acad::ErrorStatus readScale3d(AcGeScale3d* pVal) override;
    Acad::ErrorStatus writeScale3d(const AcGeScale3d& val) override;
    Acad::ErrorStatus readBytes(void* pDest, Adesk::UInt32 nBytes) override;
    Acad::ErrorStatus writeBytes(const void* pSrc, Adesk::UInt32 nBytes) override;
    Acad::ErrorStatus readAddress(void** pVal) override;
    Acad::ErrorStatus writeAddress(const void* pVal) override;
    Acad::ErrorStatus seek(long nOffset, int nMethod) override;
    long tell() const override;

    // The filer that does the work (internal).
    arx::db::MemoryDwgFiler* implementation() const { return mpImp; }

protected:
    explicit AcDbDeepCloneFiler(AcDb::FilerType type);

private:
    arx::db::MemoryDwgFiler* mpImp;
    std::size_t mOwnedCursor = 0;
};

// The filer of wblockClone: like the deep-clone filer, and it also queues hard pointers.
class ACAD_PORT AcDbWblockCloneFiler : public AcDbDeepCloneFiler {
public:
    AcDbWblockCloneFiler();
    // The next queued hard pointer not yet handed out.
    virtual bool getNextHardObject(AcDbObjectId& id);
    virtual bool moreHardObjects() const;

private:
    std::size_t mHardCursor = 0;
};

class ACAD_PORT AcDbDxfFiler : public AcRxObject {
public:
    enum { kDfltPrec = -1, kMaxPrec = 16 };
    ~AcDbDxfFiler() override = default;

    virtual int rewindFiler() = 0;
    virtual Acad::ErrorStatus filerStatus() const = 0;
    virtual void resetFilerStatus() = 0;
    virtual void setFilerStatus(Acad::ErrorStatus status) = 0;
    virtual AcDb::FilerType filerType() const = 0;
    virtual AcDbDatabase* database() const = 0;

    // Reads the next item: restype is its group code, the value in the member its type uses
    // (rstring, rreal, rpoint, rint, rlong, rlname for references, rbinary). Strings and
    // chunks stay owned by the filer until the next read.
    virtual Acad::ErrorStatus readItem(resbuf* pItem) = 0;
    virtual Acad::ErrorStatus readResBuf(resbuf* pRb) { return readItem(pRb); }
    virtual Acad::ErrorStatus writeItem(const resbuf& item) = 0;
    virtual Acad::ErrorStatus writeResBuf(const resbuf& rb) { return writeItem(rb); }

    virtual Acad::ErrorStatus writeObjectId(AcDb::DxfCode code, const AcDbObjectId& id) = 0;
    virtual Acad::ErrorStatus writeInt8(AcDb::DxfCode code, Adesk::Int8 val) = 0;
    virtual Acad::ErrorStatus writeString(AcDb::DxfCode code, const char* pVal) = 0;
    virtual Acad::ErrorStatus writeBChunk(AcDb::DxfCode code, const ads_binary& val) = 0;
    virtual Acad::ErrorStatus writeAcDbHandle(AcDb::DxfCode code, const AcDbHandle& val) = 0;
    virtual Acad::ErrorStatus writeInt64(AcDb::DxfCode code, Adesk::Int64 val) = 0;
    virtual Acad::ErrorStatus writeInt32(AcDb::DxfCode code, Adesk::Int32 val) = 0;
    virtual Acad::ErrorStatus writeInt16(AcDb::DxfCode code, Adesk::Int16 val) = 0;
    virtual Acad::ErrorStatus writeUInt32(AcDb::DxfCode code, Adesk::UInt32 val) = 0;
    virtual Acad::ErrorStatus writeUInt16(AcDb::DxfCode code, Adesk::UInt16 val) = 0;
    virtual Acad::ErrorStatus writeUInt8(AcDb::DxfCode code, Adesk::UInt8 val) = 0;
    virtual Acad::ErrorStatus writeBoolean(AcDb::DxfCode code, Adesk::Boolean val) = 0;
    virtual Acad::ErrorStatus writeBool(AcDb::DxfCode code, bool val) = 0;
    virtual Acad::ErrorStatus writeDouble(AcDb::DxfCode code, double val, int prec = kDfltPrec) = 0;
    virtual Acad::ErrorStatus writePoint2d(AcDb::DxfCode code, const AcGePoint2d& val, int prec = kDfltPrec) = 0;
    virtual Acad::ErrorStatus writePoint3d(AcDb::DxfCode code, const AcGePoint3d& val, int prec = kDfltPrec) = 0;
    virtual Acad::ErrorStatus writeVector2d(AcDb::DxfCode code, const AcGeVector2d& val, int prec = kDfltPrec) = 0;
    virtual Acad::ErrorStatus writeVector3d(AcDb::DxfCode code, const AcGeVector3d& val, int prec = kDfltPrec) = 0;
    virtual Acad::ErrorStatus writeScale3d(AcDb::DxfCode code, const AcGeScale3d& val, int prec = kDfltPrec) = 0;

    Acad::ErrorStatus writeItem(AcDb::DxfCode c, const AcDbObjectId& v) { return writeObjectId(c, v); }
    Acad::ErrorStatus writeItem(AcDb::DxfCode c, const char* v) { return writeString(c, v); }
    Acad::ErrorStatus writeItem(AcDb::DxfCode c, const ads_binary& v) { return writeBChunk(c, v); }
    Acad::ErrorStatus writeItem(AcDb::DxfCode c, const AcDbHandle& v) { return writeAcDbHandle(c, v); }
    Acad::ErrorStatus writeItem(AcDb::DxfCode c, Adesk::Int32 v) { return writeInt32(c, v); }
    Acad::ErrorStatus writeItem(AcDb::DxfCode c, Adesk::Int16 v) { return writeInt16(c, v); }
    Acad::ErrorStatus writeItem(AcDb::DxfCode c, Adesk::Int8 v) { return writeInt8(c, v); }
    Acad::ErrorStatus writeItem(AcDb::DxfCode c, Adesk::UInt32 v) { return writeUInt32(c, v); }
    Acad::ErrorStatus writeItem(AcDb::DxfCode c, Adesk::UInt16 v) { return writeUInt16(c, v); }
    Acad::ErrorStatus writeItem(AcDb::DxfCode c, Adesk::UInt8 v) { return writeUInt8(c, v); }
    Acad::ErrorStatus writeItem(AcDb::DxfCode c, bool v) { return writeBool(c, v); }
    Acad::ErrorStatus writeItem(AcDb::DxfCode c, double v, int prec = kDfltPrec) { return writeDouble(c, v, prec); }
    Acad::ErrorStatus writeItem(AcDb::DxfCode c, const AcGePoint2d& v, int prec = kDfltPrec)
    {
        return writePoint2d(c, v, prec);
    }
    Acad::ErrorStatus writeItem(AcDb::DxfCode c, const AcGePoint3d& v, int prec = kDfltPrec)
    {
        return writePoint3d(c, v, prec);
    }
    Acad::ErrorStatus writeItem(AcDb::DxfCode c, const AcGeVector2d& v, int prec = kDfltPrec)
    {
        return writeVector2d(c, v, prec);
    }
    Acad::ErrorStatus writeItem(AcDb::DxfCode c, const AcGeVector3d& v, int prec = kDfltPrec)
    {
        return writeVector3d(c, v, prec);
    }
    Acad::ErrorStatus writeItem(AcDb::DxfCode c, const AcGeScale3d& v, int prec = kDfltPrec)
    {
        return writeScale3d(c, v, prec);
    }

    virtual Acad::ErrorStatus setPrecision(int prec) = 0;
    virtual int precision() const = 0;

    // Starts the extended data (the -3 sentinel of an ADS list; nothing in a file).
    virtual Acad::ErrorStatus writeXDataStart() = 0;
    // True when no item is left.
    virtual bool atEOF() = 0;
    // True (and the marker is consumed) when the next item is the subclass marker
    // (100, subClassName). Lists made for entmake and entmod may leave markers out: for them a
    // next item that is not a marker also answers true.
    virtual bool atSubclassData(const char* subClassName) = 0;
    // True when the next item starts extended data (1001) or no item is left.
    virtual bool atExtendedData() = 0;
    virtual bool atEndOfObject() = 0;
    virtual bool atEmbeddedObjectStart() = 0;
    // The last item read is read again by the next readItem.
    virtual void pushBackItem() = 0;
    virtual bool includesDefaultValues() const = 0;
    // True for entmod: the object read already exists and keeps what the items do not set.
    virtual bool isModifyingExistingObject() const = 0;

protected:
    AcDbDxfFiler() = default;
};
