#include "db/dxf/text_dxf_filer.h"

#include <array>

#include "db/dxf/item_conversion.h"
#include "dbmain.h"

namespace arx::dxf {

using db::DxfItem;

namespace {

// The kind of every code a drawing's groups use, looked up once: the file filer checks each
// group it writes.
constexpr int kLowestCode = -5;
constexpr int kCodeCount = 1072 - kLowestCode;

std::array<DxfItem::Kind, kCodeCount> buildKinds()
{
    std::array<DxfItem::Kind, kCodeCount> table{};
    for (int i = 0; i < kCodeCount; ++i) table[static_cast<std::size_t>(i)] = db::kindOfCode(i + kLowestCode);
    return table;
}

// Filled when the library loads (kindOfCode keeps no state of its own).
const std::array<DxfItem::Kind, kCodeCount> kKinds = buildKinds();

[[gnu::always_inline]] inline DxfItem::Kind kindOf(int code)
{
    if (code < kLowestCode || code >= kLowestCode + kCodeCount) return db::kindOfCode(code);
    return kKinds[static_cast<std::size_t>(code - kLowestCode)];
}

}  // namespace

TextDxfFiler::TextDxfFiler(AcDbDatabase* db, TextWriter& out) : DxfItemFiler(AcDb::kFileFiler, db), mOut(out) {}

// Run for every group: inlined into each writing member.
[[gnu::always_inline]] inline bool TextDxfFiler::accepts(int code, DxfItem::Kind kind)
{
    if (kindOf(code) == kind) return true;
    setFilerStatus(Acad::eInvalidDxfCode);
    return false;
}

[[gnu::always_inline]] inline Acad::ErrorStatus TextDxfFiler::written()
{
    if (mTableName != nullptr) [[unlikely]] {
        const char* name = mTableName;
        mTableName = nullptr;
        mOut.string(AcDb::kDxfSymbolTableName, name);
    }
    return Acad::eOk;
}

Acad::ErrorStatus TextDxfFiler::append(DxfItem item)
{
    DxfItem::Kind expected = kindOf(item.code);
    if (item.code == -3 && item.kind == DxfItem::Kind::None) expected = DxfItem::Kind::None;
    if (expected != item.kind) {
        setFilerStatus(Acad::eInvalidDxfCode);
        return Acad::eInvalidDxfCode;
    }
    dxf::writeItem(mOut, item);
    return written();
}

Acad::ErrorStatus TextDxfFiler::writeObjectId(AcDb::DxfCode code, const AcDbObjectId& id)
{
    if (!accepts(code, DxfItem::Kind::Id)) return Acad::eInvalidDxfCode;
    mOut.handle(code, id.isNull() ? 0 : id.handle().value());
    return written();
}

Acad::ErrorStatus TextDxfFiler::writeString(AcDb::DxfCode code, const char* pVal)
{
    if (!accepts(code, DxfItem::Kind::Text)) return Acad::eInvalidDxfCode;
    mOut.string(code, pVal ? pVal : "");
    return written();
}

Acad::ErrorStatus TextDxfFiler::writeBChunk(AcDb::DxfCode code, const ads_binary& val)
{
    if (!accepts(code, DxfItem::Kind::Binary)) return Acad::eInvalidDxfCode;
    const bool hasBytes = val.clen > 0 && val.buf;
    mOut.binary(code, reinterpret_cast<const unsigned char*>(val.buf),
                hasBytes ? static_cast<std::size_t>(val.clen) : 0);
    return written();
}

Acad::ErrorStatus TextDxfFiler::writeAcDbHandle(AcDb::DxfCode code, const AcDbHandle& val)
{
    // As the item filer does: the id the handle names for reference codes, else its text.
    if (kindOf(code) == DxfItem::Kind::Id) {
        AcDbObjectId id;
        if (database() && !val.isNull()) database()->getAcDbObjectId(id, false, val);
        return writeObjectId(code, id);
    }
    if (!accepts(code, DxfItem::Kind::Text)) return Acad::eInvalidDxfCode;
    // The handle's text is its hexadecimal digits, as the writer formats handles.
    mOut.handle(code, val.value());
    return written();
}

Acad::ErrorStatus TextDxfFiler::integer(int code, long long value)
{
    if (!accepts(code, DxfItem::Kind::Integer)) return Acad::eInvalidDxfCode;
    mOut.integer(code, value);
    return written();
}

Acad::ErrorStatus TextDxfFiler::writeInt64(AcDb::DxfCode code, Adesk::Int64 val) { return integer(code, val); }
Acad::ErrorStatus TextDxfFiler::writeInt32(AcDb::DxfCode code, Adesk::Int32 val) { return integer(code, val); }
Acad::ErrorStatus TextDxfFiler::writeInt16(AcDb::DxfCode code, Adesk::Int16 val) { return integer(code, val); }
Acad::ErrorStatus TextDxfFiler::writeInt8(AcDb::DxfCode code, Adesk::Int8 val) { return integer(code, val); }
Acad::ErrorStatus TextDxfFiler::writeUInt32(AcDb::DxfCode code, Adesk::UInt32 val) { return integer(code, val); }
Acad::ErrorStatus TextDxfFiler::writeUInt16(AcDb::DxfCode code, Adesk::UInt16 val) { return integer(code, val); }
Acad::ErrorStatus TextDxfFiler::writeUInt8(AcDb::DxfCode code, Adesk::UInt8 val) { return integer(code, val); }
Acad::ErrorStatus TextDxfFiler::writeBoolean(AcDb::DxfCode code, Adesk::Boolean val)
{
    return integer(code, val ? 1 : 0);
}
Acad::ErrorStatus TextDxfFiler::writeBool(AcDb::DxfCode code, bool val) { return integer(code, val ? 1 : 0); }

// The precision a caller gives is kept by the item filer but never changes the text: every
// real is written in its shortest exact form.
Acad::ErrorStatus TextDxfFiler::writeDouble(AcDb::DxfCode code, double val, int)
{
    if (!accepts(code, DxfItem::Kind::Real)) return Acad::eInvalidDxfCode;
    mOut.real(code, val);
    return written();
}

Acad::ErrorStatus TextDxfFiler::point(int code, double x, double y, double z)
{
    if (!accepts(code, DxfItem::Kind::Point)) return Acad::eInvalidDxfCode;
    mOut.point(code, x, y, z);
    return written();
}

Acad::ErrorStatus TextDxfFiler::point2d(int code, double x, double y)
{
    if (!accepts(code, DxfItem::Kind::Point)) return Acad::eInvalidDxfCode;
    mOut.point2d(code, x, y);
    return written();
}

Acad::ErrorStatus TextDxfFiler::writePoint2d(AcDb::DxfCode code, const AcGePoint2d& val, int)
{
    return point2d(code, val.x, val.y);
}
Acad::ErrorStatus TextDxfFiler::writeVector2d(AcDb::DxfCode code, const AcGeVector2d& val, int)
{
    return point2d(code, val.x, val.y);
}
Acad::ErrorStatus TextDxfFiler::writePoint3d(AcDb::DxfCode code, const AcGePoint3d& val, int)
{
    return point(code, val.x, val.y, val.z);
}
Acad::ErrorStatus TextDxfFiler::writeVector3d(AcDb::DxfCode code, const AcGeVector3d& val, int)
{
    return point(code, val.x, val.y, val.z);
}
Acad::ErrorStatus TextDxfFiler::writeScale3d(AcDb::DxfCode code, const AcGeScale3d& val, int)
{
    return point(code, val.sx, val.sy, val.sz);
}

}  // namespace arx::dxf
