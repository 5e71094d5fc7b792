#include "db/entities/entity_filing.h"

#include <cmath>
#include <cstring>

#include "db/dxf_item_filer.h"
#include "dbmain.h"

namespace arx::db {
namespace {

bool endsSubclass(int code) { return code == 100 || code == 0 || code == 1001 || code == -3 || code >= 1000; }

// The item of a resbuf read from a filer that is not an item filer.
DxfItem itemOf(const resbuf& rb)
{
    const int code = rb.restype;
    switch (kindOfCode(code)) {
    case DxfItem::Kind::Point:
        return DxfItem::makePoint(code, AcGePoint3d(rb.resval.rpoint[0], rb.resval.rpoint[1], rb.resval.rpoint[2]));
    case DxfItem::Kind::Real: return DxfItem::makeReal(code, rb.resval.rreal);
    case DxfItem::Kind::Integer: {
        const int bits = integerBitsOfCode(code);
        return DxfItem::makeInteger(code, bits == 32 ? rb.resval.rlong : rb.resval.rint);
    }
    case DxfItem::Kind::Binary:
        return DxfItem::makeBinary(
            code, std::vector<unsigned char>(rb.resval.rbinary.buf, rb.resval.rbinary.buf + rb.resval.rbinary.clen));
    case DxfItem::Kind::Id: {
        AcDbObjectId id;
        acdbGetObjectId(id, rb.resval.rlname);
        return DxfItem::makeId(code, id);
    }
    default: return DxfItem::makeText(code, rb.resval.rstring ? rb.resval.rstring : "");
    }
}

}  // namespace

SubclassReader::SubclassReader(AcDbDxfFiler* filer, const char* subclassName, UnmodelledGroups* unmodelled)
    : mpFiler(filer), mpItems(dynamic_cast<DxfItemFiler*>(filer)), mpSubclass(subclassName), mpUnmodelled(unmodelled)
{}

Acad::ErrorStatus SubclassReader::start()
{
    if (mpFiler->filerStatus() != Acad::eOk) return mpFiler->filerStatus();
    if (!mpFiler->atSubclassData(mpSubclass)) return Acad::eBadDxfSequence;
    if (mpUnmodelled) mpUnmodelled->items.clear();
    return Acad::eOk;
}

const DxfItem* SubclassReader::next()
{
    if (mpItems != nullptr) {
        const DxfItem* peeked = mpItems->peek();
        if (peeked == nullptr || endsSubclass(peeked->code)) return nullptr;
        return mpItems->next();
    }
    if (mpFiler->atEOF()) return nullptr;
    resbuf rb{};
    if (mpFiler->readItem(&rb) != Acad::eOk) return nullptr;
    if (endsSubclass(rb.restype)) {
        mpFiler->pushBackItem();
        return nullptr;
    }
    mRead = itemOf(rb);
    return &mRead;
}

void SubclassReader::keep(const DxfItem& item)
{
    if (mpUnmodelled) mpUnmodelled->items.push_back(item);
}

Acad::ErrorStatus writeDxfItem(AcDbDxfFiler* filer, const DxfItem& item)
{
    if (auto* items = dynamic_cast<DxfItemFiler*>(filer)) return items->append(item);
    const auto code = static_cast<AcDb::DxfCode>(item.code);
    switch (item.kind) {
    case DxfItem::Kind::Point:
        if (item.dimensions == 2) return filer->writePoint2d(code, AcGePoint2d(item.point.x, item.point.y));
        return filer->writePoint3d(code, item.point);
    case DxfItem::Kind::Real: return filer->writeDouble(code, item.real);
    case DxfItem::Kind::Integer:
        switch (integerBitsOfCode(item.code)) {
        case 64: return filer->writeInt64(code, item.integer);
        case 32: return filer->writeInt32(code, static_cast<Adesk::Int32>(item.integer));
        case 1: return filer->writeBool(code, item.integer != 0);
        default: return filer->writeInt16(code, static_cast<Adesk::Int16>(item.integer));
        }
    case DxfItem::Kind::Binary: {
        ads_binary chunk;
        chunk.clen = static_cast<short>(item.binary.size());
        chunk.buf = reinterpret_cast<char*>(const_cast<unsigned char*>(item.binary.data()));
        return filer->writeBChunk(code, chunk);
    }
    case DxfItem::Kind::Id: return filer->writeObjectId(code, item.id);
    default: return filer->writeString(code, item.text.c_str());
    }
}

Acad::ErrorStatus writeUnmodelled(AcDbDxfFiler* filer, const UnmodelledGroups& groups)
{
    for (const DxfItem& item : groups.items) {
        const Acad::ErrorStatus status = writeDxfItem(filer, item);
        if (status != Acad::eOk) return status;
    }
    return filer->filerStatus();
}

Acad::ErrorStatus dwgOutItems(AcDbDwgFiler* filer, const DxfItemList& items)
{
    filer->writeInt32(static_cast<Adesk::Int32>(items.size()));
    for (const DxfItem& item : items) {
        filer->writeInt16(item.code);
        filer->writeUInt8(static_cast<Adesk::UInt8>(item.kind));
        switch (item.kind) {
        case DxfItem::Kind::Point:
            filer->writeUInt8(item.dimensions);
            filer->writePoint3d(item.point);
            break;
        case DxfItem::Kind::Real: filer->writeDouble(item.real); break;
        case DxfItem::Kind::Integer: filer->writeInt64(item.integer); break;
        case DxfItem::Kind::Binary:
            filer->writeInt32(static_cast<Adesk::Int32>(item.binary.size()));
            if (!item.binary.empty())
                filer->writeBytes(item.binary.data(), static_cast<Adesk::UInt32>(item.binary.size()));
            break;
        case DxfItem::Kind::Id: {
            // By the reference kind the code stands for, so that clones follow or translate it.
            if (item.code >= 360 && item.code <= 369) filer->writeHardOwnershipId(AcDbHardOwnershipId(item.id));
            else if (item.code >= 350 && item.code <= 359) filer->writeSoftOwnershipId(AcDbSoftOwnershipId(item.id));
            else if (item.code >= 340 && item.code <= 349) filer->writeHardPointerId(AcDbHardPointerId(item.id));
            else filer->writeSoftPointerId(AcDbSoftPointerId(item.id));
            break;
        }
        default: filer->writeString(item.text.c_str()); break;
        }
    }
    return filer->filerStatus();
}

Acad::ErrorStatus dwgInItems(AcDbDwgFiler* filer, DxfItemList& items)
{
    items.clear();
    Adesk::Int32 count = 0;
    if (filer->readInt32(&count) != Acad::eOk || count < 0) return Acad::eInvalidInput;
    items.reserve(static_cast<std::size_t>(count));
    for (Adesk::Int32 i = 0; i < count && filer->filerStatus() == Acad::eOk; ++i) {
        Adesk::Int16 code = 0;
        Adesk::UInt8 kind = 0;
        filer->readInt16(&code);
        filer->readUInt8(&kind);
        DxfItem item;
        item.code = code;
        item.kind = static_cast<DxfItem::Kind>(kind);
        switch (item.kind) {
        case DxfItem::Kind::Point:
            filer->readUInt8(&item.dimensions);
            filer->readPoint3d(&item.point);
            break;
        case DxfItem::Kind::Real: filer->readDouble(&item.real); break;
        case DxfItem::Kind::Integer: {
            Adesk::Int64 value = 0;
            filer->readInt64(&value);
            item.integer = value;
            break;
        }
        case DxfItem::Kind::Binary: {
            Adesk::Int32 size = 0;
            filer->readInt32(&size);
            if (size < 0) return Acad::eInvalidInput;
            item.binary.resize(static_cast<std::size_t>(size));
            if (size > 0) filer->readBytes(item.binary.data(), static_cast<Adesk::UInt32>(size));
            break;
        }
        case DxfItem::Kind::Id: {
            if (code >= 360 && code <= 369) {
                AcDbHardOwnershipId id;
                filer->readHardOwnershipId(&id);
                item.id = id;
            } else if (code >= 350 && code <= 359) {
                AcDbSoftOwnershipId id;
                filer->readSoftOwnershipId(&id);
                item.id = id;
            } else if (code >= 340 && code <= 349) {
                AcDbHardPointerId id;
                filer->readHardPointerId(&id);
                item.id = id;
            } else {
                AcDbSoftPointerId id;
                filer->readSoftPointerId(&id);
                item.id = id;
            }
            break;
        }
        default: {
            char* text = nullptr;
            filer->readString(&text);
            item.text = text ? text : "";
            delete[] text;
            break;
        }
        }
        items.push_back(std::move(item));
    }
    return filer->filerStatus();
}

Acad::ErrorStatus dwgOutUnmodelled(AcDbDwgFiler* filer, const UnmodelledGroups& groups)
{
    return dwgOutItems(filer, groups.items);
}

Acad::ErrorStatus dwgInUnmodelled(AcDbDwgFiler* filer, UnmodelledGroups& groups)
{
    return dwgInItems(filer, groups.items);
}

// Most entities lie in the world's XY plane: their object system is the world's (the arbitrary
// axis rule gives X and Y for a Z normal), with no matrix to build. Only zeros of positive sign
// are taken, for which the general construction gives exactly the identity.
static bool inWorldPlane(const AcGeVector3d& normal)
{
    return normal.x == 0.0 && normal.y == 0.0 && !std::signbit(normal.x) && !std::signbit(normal.y) && normal.z > 0.0;
}

AcGeMatrix3d worldToObject(const AcGeVector3d& normal)
{
    if (inWorldPlane(normal)) return AcGeMatrix3d::kIdentity;
    return AcGeMatrix3d::worldToPlane(unitNormal(normal));
}

AcGeMatrix3d objectToWorld(const AcGeVector3d& normal)
{
    if (inWorldPlane(normal)) return AcGeMatrix3d::kIdentity;
    return AcGeMatrix3d::planeToWorld(unitNormal(normal));
}

// Near the largest doubles the product overflows before the division brings it back: there
// the division goes first (every angle read from a file stays finite and writable).
double radiansFromDegrees(double degrees)
{
    const double radians = degrees * M_PI / 180.0;
    return std::isfinite(radians) ? radians : degrees / 180.0 * M_PI;
}

double degreesFromRadians(double radians)
{
    const double degrees = radians * 180.0 / M_PI;
    return std::isfinite(degrees) ? degrees : radians / M_PI * 180.0;
}

double angleInPlane(const AcGeVector3d& direction, const AcGeVector3d& normal)
{
    const AcGeVector3d local = worldToObject(normal) * direction;
    double angle = std::atan2(local.y, local.x);
    if (angle < 0) angle += 2 * M_PI;
    return angle;
}

AcGeVector3d unitNormal(const AcGeVector3d& normal)
{
    if (normal.isZeroLength()) return AcGeVector3d::kZAxis;
    return normal.normal();
}

}  // namespace arx::db
