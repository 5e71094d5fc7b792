// The binary filer of the database: values are appended to a byte buffer, each behind a
// one-byte tag of its type, and read back in the same order. A read of another type than
// the one written fails with eFilerError (and leaves the filer in that status) instead of
// reading garbage. One class serves every binary filer type (copy, undo, deep clone,
// wblock clone, id translation, file); the type is what filerType() reports.
#pragma once
#include <cstddef>
#include <functional>
#include <vector>

#include "dbfiler.h"

namespace arx::db {

enum class IdKind : unsigned char { HardOwner = 1, SoftOwner = 2, HardPointer = 3, SoftPointer = 4 };

class MemoryDwgFiler : public AcDbDwgFiler {
public:
    explicit MemoryDwgFiler(AcDb::FilerType type, AcDbDatabase* db = nullptr);
    MemoryDwgFiler(AcDb::FilerType type, AcDbDatabase* db, std::vector<unsigned char> bytes);

    std::vector<unsigned char>& bytes() { return mBytes; }
    const std::vector<unsigned char>& bytes() const { return mBytes; }
    std::vector<unsigned char> takeBytes();
    void rewind() { mPos = 0; }
    bool atEnd() const { return mPos >= mBytes.size(); }
    void setFilerType(AcDb::FilerType type) { mType = type; }
    void setDatabase(AcDbDatabase* db) { mpDb = db; }

    // Ids met while writing, in order, with their kind (clone filers queue owned objects
    // and hard pointers from them).
    struct WrittenId {
        IdKind kind;
        AcDbObjectId id;
    };
    const std::vector<WrittenId>& writtenIds() const { return mWrittenIds; }

    // Reading through a translation (id translation after a clone): every id read is passed
    // through it.
    using IdTranslator = std::function<AcDbObjectId(AcDbObjectId id, IdKind kind)>;
    void setIdTranslator(IdTranslator translator) { mTranslator = std::move(translator); }

    // Offsets where writeAddress wrote a registered class descriptor: the starts of the
    // partial undo records an object writes.
    const std::vector<std::size_t>& classMarks() const { return mClassMarks; }

    Acad::ErrorStatus filerStatus() const override { return mStatus; }
    AcDb::FilerType filerType() const override { return mType; }
    void setFilerStatus(Acad::ErrorStatus status) override { mStatus = status; }
    void resetFilerStatus() override { mStatus = Acad::eOk; }
    AcDbDatabase* database() const override { return mpDb; }

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
    long tell() const override { return static_cast<long>(mPos); }

private:
    enum Tag : unsigned char;
    void put(Tag tag, const void* data, std::size_t size);
    // Reads a value of the tag into data; false (and eFilerError) on a mismatch or the end.
    bool take(Tag tag, void* data, std::size_t size);
    Acad::ErrorStatus writeId(IdKind kind, const AcDbObjectId& id);
    Acad::ErrorStatus readId(IdKind kind, AcDbObjectId& id);
    Acad::ErrorStatus readDoubles(Tag tag, double* values, int count);
    Acad::ErrorStatus readSized(Tag tag, std::vector<unsigned char>& data);

    AcDb::FilerType mType;
    AcDbDatabase* mpDb;
    std::vector<unsigned char> mBytes;
    std::size_t mPos = 0;
    Acad::ErrorStatus mStatus = Acad::eOk;
    std::vector<WrittenId> mWrittenIds;
    std::vector<std::size_t> mClassMarks;
    IdTranslator mTranslator;
};

}  // namespace arx::db
