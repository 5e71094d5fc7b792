#include "db/memory_dwg_filer.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "rx/class_dictionary.h"

namespace arx::db {

enum MemoryDwgFiler::Tag : unsigned char {
    kTagInt8 = 1,
    kTagInt16,
    kTagInt32,
    kTagInt64,
    kTagUInt8,
    kTagUInt16,
    kTagUInt32,
    kTagBool,
    kTagDouble,
    kTagPoint2d,
    kTagPoint3d,
    kTagVector2d,
    kTagVector3d,
    kTagScale3d,
    kTagString,
    kTagBChunk,
    kTagHandle,
    kTagId,
    kTagBytes,
    kTagAddress,
};

namespace {

bool isRegisteredClass(const void* p)
{
    for (AcRxClass* cls : rx::ClassDictionary::instance().classes())
        if (cls == p) return true;
    return false;
}

}  // namespace

MemoryDwgFiler::MemoryDwgFiler(AcDb::FilerType type, AcDbDatabase* db) : mType(type), mpDb(db) {}

MemoryDwgFiler::MemoryDwgFiler(AcDb::FilerType type, AcDbDatabase* db, std::vector<unsigned char> bytes)
    : mType(type), mpDb(db), mBytes(std::move(bytes))
{}

std::vector<unsigned char> MemoryDwgFiler::takeBytes()
{
    std::vector<unsigned char> out;
    out.swap(mBytes);
    mPos = 0;
    return out;
}

void MemoryDwgFiler::put(Tag tag, const void* data, std::size_t size)
{
    // Writing happens at the position (normally the end); a seek back overwrites.
    if (mPos > mBytes.size()) mPos = mBytes.size();
    std::size_t needed = mPos + 1 + size;
    if (mBytes.size() < needed) mBytes.resize(needed);
    mBytes[mPos] = tag;
    if (size > 0) std::memcpy(mBytes.data() + mPos + 1, data, size);
    mPos = needed;
}

bool MemoryDwgFiler::take(Tag tag, void* data, std::size_t size)
{
    if (mPos + 1 + size > mBytes.size() || mBytes[mPos] != tag) {
        mStatus = Acad::eFilerError;
        std::memset(data, 0, size);
        return false;
    }
    if (size > 0) std::memcpy(data, mBytes.data() + mPos + 1, size);
    mPos += 1 + size;
    return true;
}

#define ARX_SIMPLE_VALUE(NAME, TYPE, TAG)                                                                              \
    Acad::ErrorStatus MemoryDwgFiler::read##NAME(TYPE* pVal)                                                           \
    {                                                                                                                  \
        TYPE value{};                                                                                                  \
        bool ok = take(TAG, &value, sizeof(value));                                                                    \
        if (pVal) *pVal = value;                                                                                       \
        return ok ? Acad::eOk : Acad::eFilerError;                                                                     \
    }                                                                                                                  \
    Acad::ErrorStatus MemoryDwgFiler::write##NAME(TYPE val)                                                            \
    {                                                                                                                  \
        put(TAG, &val, sizeof(val));                                                                                   \
        return Acad::eOk;                                                                                              \
    }

ARX_SIMPLE_VALUE(Int64, Adesk::Int64, kTagInt64)
ARX_SIMPLE_VALUE(Int32, Adesk::Int32, kTagInt32)
ARX_SIMPLE_VALUE(Int16, Adesk::Int16, kTagInt16)
ARX_SIMPLE_VALUE(Int8, Adesk::Int8, kTagInt8)
ARX_SIMPLE_VALUE(UInt32, Adesk::UInt32, kTagUInt32)
ARX_SIMPLE_VALUE(UInt16, Adesk::UInt16, kTagUInt16)
ARX_SIMPLE_VALUE(UInt8, Adesk::UInt8, kTagUInt8)
ARX_SIMPLE_VALUE(Double, double, kTagDouble)
#undef ARX_SIMPLE_VALUE

// Booleans are filed as 32-bit integers, whatever Adesk::Boolean is.
Acad::ErrorStatus MemoryDwgFiler::readBoolean(Adesk::Boolean* pVal)
{
    Adesk::Int32 value = 0;
    if (!take(kTagBool, &value, sizeof(value))) return Acad::eFilerError;
    if (pVal) *pVal = static_cast<Adesk::Boolean>(value);
    return Acad::eOk;
}

Acad::ErrorStatus MemoryDwgFiler::writeBoolean(Adesk::Boolean val)
{
    Adesk::Int32 value = static_cast<Adesk::Int32>(val);
    put(kTagBool, &value, sizeof(value));
    return Acad::eOk;
}

Acad::ErrorStatus MemoryDwgFiler::readBool(bool* pVal)
{
    Adesk::Int32 value = 0;
    if (!take(kTagBool, &value, sizeof(value))) return Acad::eFilerError;
    if (pVal) *pVal = value != 0;
    return Acad::eOk;
}

Acad::ErrorStatus MemoryDwgFiler::writeBool(bool val)
{
    Adesk::Int32 value = val ? 1 : 0;
    put(kTagBool, &value, sizeof(value));
    return Acad::eOk;
}

Acad::ErrorStatus MemoryDwgFiler::readDoubles(Tag tag, double* values, int count)
{
    return take(tag, values, sizeof(double) * static_cast<std::size_t>(count)) ? Acad::eOk : Acad::eFilerError;
}

Acad::ErrorStatus MemoryDwgFiler::readPoint2d(AcGePoint2d* pVal)
{
    double v[2];
    Acad::ErrorStatus es = readDoubles(kTagPoint2d, v, 2);
    if (es == Acad::eOk && pVal) pVal->set(v[0], v[1]);
    return es;
}

Acad::ErrorStatus MemoryDwgFiler::writePoint2d(const AcGePoint2d& val)
{
    double v[2] = {val.x, val.y};
    put(kTagPoint2d, v, sizeof(v));
    return Acad::eOk;
}

Acad::ErrorStatus MemoryDwgFiler::readPoint3d(AcGePoint3d* pVal)
{
    double v[3];
    Acad::ErrorStatus es = readDoubles(kTagPoint3d, v, 3);
    if (es == Acad::eOk && pVal) pVal->set(v[0], v[1], v[2]);
    return es;
}

Acad::ErrorStatus MemoryDwgFiler::writePoint3d(const AcGePoint3d& val)
{
    double v[3] = {val.x, val.y, val.z};
    put(kTagPoint3d, v, sizeof(v));
    return Acad::eOk;
}

Acad::ErrorStatus MemoryDwgFiler::readVector2d(AcGeVector2d* pVal)
{
    double v[2];
    Acad::ErrorStatus es = readDoubles(kTagVector2d, v, 2);
    if (es == Acad::eOk && pVal) pVal->set(v[0], v[1]);
    return es;
}

Acad::ErrorStatus MemoryDwgFiler::writeVector2d(const AcGeVector2d& val)
{
    double v[2] = {val.x, val.y};
    put(kTagVector2d, v, sizeof(v));
    return Acad::eOk;
}

Acad::ErrorStatus MemoryDwgFiler::readVector3d(AcGeVector3d* pVal)
{
    double v[3];
    Acad::ErrorStatus es = readDoubles(kTagVector3d, v, 3);
    if (es == Acad::eOk && pVal) pVal->set(v[0], v[1], v[2]);
    return es;
}

Acad::ErrorStatus MemoryDwgFiler::writeVector3d(const AcGeVector3d& val)
{
    double v[3] = {val.x, val.y, val.z};
    put(kTagVector3d, v, sizeof(v));
    return Acad::eOk;
}

Acad::ErrorStatus MemoryDwgFiler::readScale3d(AcGeScale3d* pVal)
{
    double v[3];
    Acad::ErrorStatus es = readDoubles(kTagScale3d, v, 3);
    if (es == Acad::eOk && pVal) *pVal = AcGeScale3d(v[0], v[1], v[2]);
    return es;
}

Acad::ErrorStatus MemoryDwgFiler::writeScale3d(const AcGeScale3d& val)
{
    double v[3] = {val.sx, val.sy, val.sz};
    put(kTagScale3d, v, sizeof(v));
    return Acad::eOk;
}

// Sized values: the tag, a 32-bit length, then the bytes.
Acad::ErrorStatus MemoryDwgFiler::readSized(Tag tag, std::vector<unsigned char>& data)
{
    Adesk::UInt32 size = 0;
    std::size_t start = mPos;
    if (!take(tag, &size, sizeof(size))) return Acad::eFilerError;
    if (mPos + size > mBytes.size()) {
        mPos = start;
        mStatus = Acad::eFilerError;
        return Acad::eFilerError;
    }
    data.assign(mBytes.begin() + static_cast<long>(mPos), mBytes.begin() + static_cast<long>(mPos + size));
    mPos += size;
    return Acad::eOk;
}

Acad::ErrorStatus MemoryDwgFiler::readString(char** pVal)
{
    std::vector<unsigned char> data;
    Acad::ErrorStatus es = readSized(kTagString, data);
    if (pVal == nullptr) return es;
    *pVal = nullptr;
    if (es != Acad::eOk) return es;
    char* text = new char[data.size() + 1];
    if (!data.empty()) std::memcpy(text, data.data(), data.size());
    text[data.size()] = '\0';
    *pVal = text;
    return Acad::eOk;
}

Acad::ErrorStatus MemoryDwgFiler::writeString(const char* pVal)
{
    std::size_t length = pVal ? std::strlen(pVal) : 0;
    Adesk::UInt32 size = static_cast<Adesk::UInt32>(length);
    put(kTagString, &size, sizeof(size));
    mBytes.insert(mBytes.begin() + static_cast<long>(mPos), pVal, pVal + length);
    mPos += length;
    return Acad::eOk;
}

Acad::ErrorStatus MemoryDwgFiler::readBChunk(ads_binary* pVal)
{
    std::vector<unsigned char> data;
    Acad::ErrorStatus es = readSized(kTagBChunk, data);
    if (pVal == nullptr) return es;
    pVal->clen = 0;
    pVal->buf = nullptr;
    if (es != Acad::eOk) return es;
    pVal->clen = static_cast<short>(data.size());
    pVal->buf = new char[data.size() > 0 ? data.size() : 1];
    if (!data.empty()) std::memcpy(pVal->buf, data.data(), data.size());
    return Acad::eOk;
}

Acad::ErrorStatus MemoryDwgFiler::writeBChunk(const ads_binary& val)
{
    std::size_t length = val.clen > 0 && val.buf ? static_cast<std::size_t>(val.clen) : 0;
    Adesk::UInt32 size = static_cast<Adesk::UInt32>(length);
    put(kTagBChunk, &size, sizeof(size));
    mBytes.insert(mBytes.begin() + static_cast<long>(mPos), val.buf, val.buf + length);
    mPos += length;
    return Acad::eOk;
}

Acad::ErrorStatus MemoryDwgFiler::readBytes(void* pDest, Adesk::UInt32 nBytes)
{
    std::vector<unsigned char> data;
    std::size_t start = mPos;
    Acad::ErrorStatus es = readSized(kTagBytes, data);
    if (es != Acad::eOk) return es;
    if (data.size() != nBytes) {
        mPos = start;
        mStatus = Acad::eFilerError;
        return Acad::eFilerError;
    }
    if (pDest && nBytes) std::memcpy(pDest, data.data(), nBytes);
    return Acad::eOk;
}

Acad::ErrorStatus MemoryDwgFiler::writeBytes(const void* pSrc, Adesk::UInt32 nBytes)
{
    put(kTagBytes, &nBytes, sizeof(nBytes));
    const unsigned char* src = static_cast<const unsigned char*>(pSrc);
    if (src && nBytes) mBytes.insert(mBytes.begin() + static_cast<long>(mPos), src, src + nBytes);
    mPos += src ? nBytes : 0;
    return Acad::eOk;
}

Acad::ErrorStatus MemoryDwgFiler::readAcDbHandle(AcDbHandle* pVal)
{
    Adesk::UInt64 value = 0;
    if (!take(kTagHandle, &value, sizeof(value))) return Acad::eFilerError;
    if (pVal) *pVal = AcDbHandle(value);
    return Acad::eOk;
}

Acad::ErrorStatus MemoryDwgFiler::writeAcDbHandle(const AcDbHandle& val)
{
    Adesk::UInt64 value = val.value();
    put(kTagHandle, &value, sizeof(value));
    return Acad::eOk;
}

Acad::ErrorStatus MemoryDwgFiler::readAddress(void** pVal)
{
    void* value = nullptr;
    if (!take(kTagAddress, &value, sizeof(value))) return Acad::eFilerError;
    if (pVal) *pVal = value;
    return Acad::eOk;
}

Acad::ErrorStatus MemoryDwgFiler::writeAddress(const void* pVal)
{
    if (mType == AcDb::kUndoFiler && pVal != nullptr && isRegisteredClass(pVal)) mClassMarks.push_back(mPos);
    put(kTagAddress, &pVal, sizeof(pVal));
    return Acad::eOk;
}

// Ids: the tag, the kind, the stub. Reading accepts any kind of id: the kinds differ in what
// cloning does with them, not in what they hold.
Acad::ErrorStatus MemoryDwgFiler::writeId(IdKind kind, const AcDbObjectId& id)
{
    unsigned char data[1 + sizeof(AcDbStub*)];
    data[0] = static_cast<unsigned char>(kind);
    AcDbStub* stub = id.stub();
    std::memcpy(data + 1, &stub, sizeof(stub));
    put(kTagId, data, sizeof(data));
    if (!id.isNull()) mWrittenIds.push_back({kind, id});
    return Acad::eOk;
}

Acad::ErrorStatus MemoryDwgFiler::readId(IdKind kind, AcDbObjectId& id)
{
    unsigned char data[1 + sizeof(AcDbStub*)];
    if (!take(kTagId, data, sizeof(data))) {
        id.setNull();
        return Acad::eFilerError;
    }
    AcDbStub* stub = nullptr;
    std::memcpy(&stub, data + 1, sizeof(stub));
    id = AcDbObjectId(stub);
    if (mTranslator && !id.isNull()) id = mTranslator(id, kind);
    return Acad::eOk;
}

#define ARX_ID_VALUE(NAME, KIND)                                                                                       \
    Acad::ErrorStatus MemoryDwgFiler::read##NAME(AcDb##NAME* pVal)                                                     \
    {                                                                                                                  \
        AcDbObjectId id;                                                                                               \
        Acad::ErrorStatus es = readId(KIND, id);                                                                       \
        if (pVal) *pVal = id;                                                                                          \
        return es;                                                                                                     \
    }                                                                                                                  \
    Acad::ErrorStatus MemoryDwgFiler::write##NAME(const AcDb##NAME& val) { return writeId(KIND, val); }

ARX_ID_VALUE(HardOwnershipId, IdKind::HardOwner)
ARX_ID_VALUE(SoftOwnershipId, IdKind::SoftOwner)
ARX_ID_VALUE(HardPointerId, IdKind::HardPointer)
ARX_ID_VALUE(SoftPointerId, IdKind::SoftPointer)
#undef ARX_ID_VALUE

Acad::ErrorStatus MemoryDwgFiler::seek(long nOffset, int nMethod)
{
    long base = 0;
    if (nMethod == AcDb::kSeekFromCurrent) base = static_cast<long>(mPos);
    else if (nMethod == AcDb::kSeekFromEnd) base = static_cast<long>(mBytes.size());
    long target = base + nOffset;
    if (target < 0 || target > static_cast<long>(mBytes.size())) return Acad::eInvalidInput;
    mPos = static_cast<std::size_t>(target);
    return Acad::eOk;
}

}  // namespace arx::db
