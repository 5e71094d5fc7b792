#include "db/item_filing.h"

#include <cstring>

#include "adscodes.h"
#include "dbmain.h"

namespace arx::db {

namespace {

void writeId(AcDbDwgFiler* filer, int code, AcDbObjectId id)
{
    switch (acdbGroupCodeToType(static_cast<AcDb::DxfCode>(code))) {
    case AcDb::kDwgHardOwnershipId: filer->writeHardOwnershipId(id); break;
    case AcDb::kDwgSoftOwnershipId: filer->writeSoftOwnershipId(id); break;
    case AcDb::kDwgHardPointerId: filer->writeHardPointerId(id); break;
    default: filer->writeSoftPointerId(id); break;
    }
}

Acad::ErrorStatus readId(AcDbDwgFiler* filer, AcDbObjectId& id)
{
    AcDbSoftPointerId value;
    Acad::ErrorStatus es = filer->readSoftPointerId(&value);
    id = value;
    return es;
}

}  // namespace

void writeItems(AcDbDwgFiler* filer, const DxfItemList& items)
{
    filer->writeInt32(static_cast<Adesk::Int32>(items.size()));
    for (const DxfItem& item : items) {
        filer->writeInt16(item.code);
        filer->writeUInt8(static_cast<Adesk::UInt8>(item.kind));
        switch (item.kind) {
        case DxfItem::Kind::Text: filer->writeString(item.text.c_str()); break;
        case DxfItem::Kind::Real:
            filer->writeDouble(item.real);
            filer->writeInt8(item.precision);
            break;
        case DxfItem::Kind::Point:
            filer->writePoint3d(item.point);
            filer->writeUInt8(item.dimensions);
            filer->writeInt8(item.precision);
            break;
        case DxfItem::Kind::Integer: filer->writeInt64(item.integer); break;
        case DxfItem::Kind::Binary: {
            ads_binary chunk;
            chunk.clen = static_cast<short>(item.binary.size());
            chunk.buf = const_cast<char*>(reinterpret_cast<const char*>(item.binary.data()));
            filer->writeBChunk(chunk);
            break;
        }
        case DxfItem::Kind::Id: writeId(filer, item.code, item.id); break;
        case DxfItem::Kind::None: break;
        }
    }
}

Acad::ErrorStatus readItems(AcDbDwgFiler* filer, DxfItemList& items)
{
    items.clear();
    Adesk::Int32 count = 0;
    if (filer->readInt32(&count) != Acad::eOk || count < 0) return Acad::eFilerError;
    items.reserve(static_cast<std::size_t>(count));
    for (Adesk::Int32 i = 0; i < count; ++i) {
        DxfItem item;
        Adesk::UInt8 kind = 0;
        if (filer->readInt16(&item.code) != Acad::eOk || filer->readUInt8(&kind) != Acad::eOk) return Acad::eFilerError;
        item.kind = static_cast<DxfItem::Kind>(kind);
        Acad::ErrorStatus es = Acad::eOk;
        switch (item.kind) {
        case DxfItem::Kind::Text: {
            char* text = nullptr;
            es = filer->readString(&text);
            if (text) item.text = text;
            delete[] text;
            break;
        }
        case DxfItem::Kind::Real: {
            Adesk::Int8 precision = -1;
            es = filer->readDouble(&item.real);
            if (es == Acad::eOk) es = filer->readInt8(&precision);
            item.precision = precision;
            break;
        }
        case DxfItem::Kind::Point: {
            Adesk::Int8 precision = -1;
            es = filer->readPoint3d(&item.point);
            if (es == Acad::eOk) es = filer->readUInt8(&item.dimensions);
            if (es == Acad::eOk) es = filer->readInt8(&precision);
            item.precision = precision;
            break;
        }
        case DxfItem::Kind::Integer: {
            Adesk::Int64 value = 0;
            es = filer->readInt64(&value);
            item.integer = value;
            break;
        }
        case DxfItem::Kind::Binary: {
            ads_binary chunk{};
            es = filer->readBChunk(&chunk);
            if (es == Acad::eOk && chunk.buf) item.binary.assign(chunk.buf, chunk.buf + chunk.clen);
            delete[] chunk.buf;
            break;
        }
        case DxfItem::Kind::Id: es = readId(filer, item.id); break;
        case DxfItem::Kind::None: break;
        default: return Acad::eFilerError;
        }
        if (es != Acad::eOk) return es;
        items.push_back(std::move(item));
    }
    return Acad::eOk;
}

Acad::ErrorStatus writeItemTo(AcDbDxfFiler* filer, const DxfItem& item)
{
    auto code = static_cast<AcDb::DxfCode>(item.code);
    switch (item.kind) {
    case DxfItem::Kind::Text: return filer->writeString(code, item.text.c_str());
    case DxfItem::Kind::Real: return filer->writeDouble(code, item.real, item.precision);
    case DxfItem::Kind::Point:
        if (item.dimensions == 2)
            return filer->writePoint2d(code, AcGePoint2d(item.point.x, item.point.y), item.precision);
        return filer->writePoint3d(code, item.point, item.precision);
    case DxfItem::Kind::Integer:
        switch (integerBitsOfCode(item.code)) {
        case 32: return filer->writeInt32(code, static_cast<Adesk::Int32>(item.integer));
        case 64: return filer->writeInt64(code, item.integer);
        case 1: return filer->writeBool(code, item.integer != 0);
        default: return filer->writeInt16(code, static_cast<Adesk::Int16>(item.integer));
        }
    case DxfItem::Kind::Binary: {
        ads_binary chunk;
        chunk.clen = static_cast<short>(item.binary.size());
        chunk.buf = const_cast<char*>(reinterpret_cast<const char*>(item.binary.data()));
        return filer->writeBChunk(code, chunk);
    }
    case DxfItem::Kind::Id: return filer->writeObjectId(code, item.id);
    case DxfItem::Kind::None: break;
    }
    return Acad::eInvalidInput;
}

bool itemFromResbuf(const resbuf& rb, DxfItem& item)
{
    int code = rb.restype == RTDXF0 ? 0 : rb.restype;
    item = DxfItem();
    item.code = static_cast<short>(code);
    item.kind = kindOfCode(code);
    switch (item.kind) {
    case DxfItem::Kind::Text:
        if (rb.resval.rstring == nullptr) return false;
        item.text = rb.resval.rstring;
        return true;
    case DxfItem::Kind::Real: item.real = rb.resval.rreal; return true;
    case DxfItem::Kind::Point:
        item.point.set(rb.resval.rpoint[0], rb.resval.rpoint[1], rb.resval.rpoint[2]);
        return true;
    case DxfItem::Kind::Integer:
        switch (integerBitsOfCode(code)) {
        case 32: item.integer = rb.resval.rlong; break;
        case 64: item.integer = rb.resval.rlong; break;
        default: item.integer = rb.resval.rint; break;
        }
        return true;
    case DxfItem::Kind::Binary:
        if (rb.resval.rbinary.clen < 0 || (rb.resval.rbinary.clen > 0 && rb.resval.rbinary.buf == nullptr))
            return false;
        item.binary.assign(rb.resval.rbinary.buf, rb.resval.rbinary.buf + rb.resval.rbinary.clen);
        return true;
    case DxfItem::Kind::Id: {
        AcDbObjectId id;
        id.setFromOldId(rb.resval.rlname[0]);
        item.id = id;
        return true;
    }
    case DxfItem::Kind::None: return false;
    }
    return false;
}

}  // namespace arx::db
