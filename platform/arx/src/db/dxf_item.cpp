#include "db/dxf_item.h"

namespace arx::db {

namespace {

constexpr bool in(int code, int low, int high) { return code >= low && code <= high; }

constexpr bool isPointCodeByRange(int code)
{
    return in(code, 10, 18) || in(code, 110, 112) || code == 210 || in(code, 1010, 1013);
}

constexpr DxfItem::Kind kindByRange(int code)
{
    using K = DxfItem::Kind;
    if (code == -1 || code == -2) return K::Id;
    if (code == -4 || in(code, 0, 9) || in(code, 100, 102) || code == 105 || in(code, 300, 309) || in(code, 320, 329) ||
        in(code, 410, 419) || in(code, 430, 439) || in(code, 470, 479) || code == 999 || in(code, 1000, 1003) ||
        in(code, 1005, 1009))
        return K::Text;
    if (isPointCodeByRange(code)) return K::Point;
    if (in(code, 19, 59) || in(code, 113, 149) || in(code, 211, 239) || in(code, 460, 469) || in(code, 1014, 1059))
        return K::Real;
    if (in(code, 60, 99) || in(code, 160, 179) || in(code, 270, 299) || in(code, 370, 389) || in(code, 400, 409) ||
        in(code, 420, 429) || in(code, 440, 459) || in(code, 1060, 1071))
        return K::Integer;
    if (in(code, 310, 319) || code == 1004) return K::Binary;
    if (in(code, 330, 369) || in(code, 390, 399) || in(code, 480, 481)) return K::Id;
    return K::None;
}

// Every code from -5 to 1071 has its kind looked up, not worked out: readers ask for each group.
constexpr int kFirstCode = -5, kLastCode = 1071;

struct KindTable {
    DxfItem::Kind kinds[kLastCode - kFirstCode + 1];
    constexpr KindTable() : kinds()
    {
        for (int code = kFirstCode; code <= kLastCode; ++code) kinds[code - kFirstCode] = kindByRange(code);
    }
};

constexpr KindTable kKinds;

}  // namespace

bool isPointCode(int code) { return isPointCodeByRange(code); }

bool isXDataCode(int code) { return in(code, 1000, 1071); }

DxfItem::Kind kindOfCode(int code)
{
    if (code < kFirstCode || code > kLastCode) return DxfItem::Kind::None;
    return kKinds.kinds[code - kFirstCode];
}

int integerBitsOfCode(int code)
{
    if (in(code, 90, 99) || in(code, 420, 429) || in(code, 440, 459) || code == 1071) return 32;
    if (in(code, 160, 169)) return 64;
    if (in(code, 290, 299)) return 1;
    return 16;
}

DxfItem DxfItem::makeText(int code, std::string value)
{
    DxfItem item;
    item.code = static_cast<short>(code);
    item.kind = Kind::Text;
    item.text = std::move(value);
    return item;
}

DxfItem DxfItem::makeReal(int code, double value, int precision)
{
    DxfItem item;
    item.code = static_cast<short>(code);
    item.kind = Kind::Real;
    item.real = value;
    item.precision = static_cast<signed char>(precision);
    return item;
}

DxfItem DxfItem::makePoint(int code, const AcGePoint3d& value, int dimensions, int precision)
{
    DxfItem item;
    item.code = static_cast<short>(code);
    item.kind = Kind::Point;
    item.point = value;
    item.dimensions = static_cast<unsigned char>(dimensions == 2 ? 2 : 3);
    item.precision = static_cast<signed char>(precision);
    return item;
}

DxfItem DxfItem::makeInteger(int code, long long value)
{
    DxfItem item;
    item.code = static_cast<short>(code);
    item.kind = Kind::Integer;
    item.integer = value;
    return item;
}

DxfItem DxfItem::makeBinary(int code, std::vector<unsigned char> value)
{
    DxfItem item;
    item.code = static_cast<short>(code);
    item.kind = Kind::Binary;
    item.binary = std::move(value);
    return item;
}

DxfItem DxfItem::makeId(int code, AcDbObjectId value)
{
    DxfItem item;
    item.code = static_cast<short>(code);
    item.kind = Kind::Id;
    item.id = value;
    return item;
}

bool DxfItem::operator==(const DxfItem& o) const
{
    if (code != o.code || kind != o.kind) return false;
    switch (kind) {
    case Kind::Text: return text == o.text;
    case Kind::Real: return real == o.real;
    case Kind::Point: return point.x == o.point.x && point.y == o.point.y && point.z == o.point.z;
    case Kind::Integer: return integer == o.integer;
    case Kind::Binary: return binary == o.binary;
    case Kind::Id: return id == o.id;
    case Kind::None: return true;
    }
    return false;
}

}  // namespace arx::db

AcDb::DwgDataType acdbGroupCodeToType(AcDb::DxfCode pCode)
{
    int code = static_cast<int>(pCode);
    auto in = [code](int low, int high) { return code >= low && code <= high; };
    switch (arx::db::kindOfCode(code)) {
    case arx::db::DxfItem::Kind::Text:
        if (code == 5 || code == 105 || in(320, 329) || code == 1005) return AcDb::kDwgHandle;
        return AcDb::kDwgText;
    case arx::db::DxfItem::Kind::Point: return AcDb::kDwg3Real;
    case arx::db::DxfItem::Kind::Real: return AcDb::kDwgReal;
    case arx::db::DxfItem::Kind::Integer:
        if (in(280, 289)) return AcDb::kDwgInt8;
        switch (arx::db::integerBitsOfCode(code)) {
        case 32: return AcDb::kDwgInt32;
        case 64: return AcDb::kDwgInt64;
        default: return AcDb::kDwgInt16;
        }
    case arx::db::DxfItem::Kind::Binary: return AcDb::kDwgBChunk;
    case arx::db::DxfItem::Kind::Id:
        if (in(340, 349) || in(480, 481)) return AcDb::kDwgHardPointerId;
        if (in(350, 359)) return AcDb::kDwgSoftOwnershipId;
        if (in(360, 369)) return AcDb::kDwgHardOwnershipId;
        return AcDb::kDwgSoftPointerId;
    case arx::db::DxfItem::Kind::None: break;
    }
    return AcDb::kDwgNotRecognized;
}
