#include "db/dxf_item_filer.h"

#include <strings.h>

#include "dbmain.h"
#include "db/item_filing.h"

namespace arx::db {

DxfItemFiler::DxfItemFiler(AcDb::FilerType type, AcDbDatabase* db, DxfItemList items)
    : mType(type), mpDb(db), mItems(std::move(items))
{}

DxfItemFiler::DxfItemFiler(AcDb::FilerType type, AcDbDatabase* db, std::span<const DxfItem> borrowed)
    : mType(type), mpDb(db), mBorrowed(borrowed), mBorrowing(true)
{}

DxfItemFiler::~DxfItemFiler() = default;

DxfItemList DxfItemFiler::takeItems()
{
    DxfItemList out;
    out.swap(mItems);
    mPos = 0;
    mPushedBack = false;
    return out;
}

int DxfItemFiler::rewindFiler()
{
    mPos = 0;
    mPushedBack = false;
    return 0;
}

Acad::ErrorStatus DxfItemFiler::fail(Acad::ErrorStatus status)
{
    mStatus = status;
    return status;
}

const DxfItem* DxfItemFiler::peek() const
{
    const std::span<const DxfItem> items = readable();
    return mPos < items.size() ? &items[mPos] : nullptr;
}

const DxfItem* DxfItemFiler::next()
{
    const std::span<const DxfItem> items = readable();
    if (mPos >= items.size()) return nullptr;
    mPushedBack = true;  // a pushBackItem may follow
    return &items[mPos++];
}

Acad::ErrorStatus DxfItemFiler::readItem(resbuf* pItem)
{
    const DxfItem* item = next();
    if (item == nullptr) return Acad::eEndOfFile;
    if (pItem == nullptr) return Acad::eOk;
    pItem->restype = item->code;
    switch (item->kind) {
    case DxfItem::Kind::Text:
        mReadText = item->text;
        pItem->resval.rstring = mReadText.data();
        break;
    case DxfItem::Kind::Real: pItem->resval.rreal = item->real; break;
    case DxfItem::Kind::Point:
        pItem->resval.rpoint[0] = item->point.x;
        pItem->resval.rpoint[1] = item->point.y;
        pItem->resval.rpoint[2] = item->point.z;
        break;
    case DxfItem::Kind::Integer:
        if (integerBitsOfCode(item->code) >= 32) pItem->resval.rlong = static_cast<long>(item->integer);
        else pItem->resval.rint = static_cast<short>(item->integer);
        break;
    case DxfItem::Kind::Binary:
        mReadBinary = item->binary;
        pItem->resval.rbinary.clen = static_cast<short>(mReadBinary.size());
        pItem->resval.rbinary.buf = reinterpret_cast<char*>(mReadBinary.data());
        break;
    case DxfItem::Kind::Id:
        pItem->resval.rlname[0] = item->id.asOldId();
        pItem->resval.rlname[1] = 0;
        break;
    case DxfItem::Kind::None: break;
    }
    return Acad::eOk;
}

void DxfItemFiler::pushBackItem()
{
    if (mPushedBack && mPos > 0) {
        --mPos;
        mPushedBack = false;
    }
}

Acad::ErrorStatus DxfItemFiler::append(DxfItem item)
{
    DxfItem::Kind expected = kindOfCode(item.code);
    if (item.code == -3 && item.kind == DxfItem::Kind::None) expected = DxfItem::Kind::None;
    if (expected != item.kind) return fail(Acad::eInvalidDxfCode);
    mItems.push_back(std::move(item));
    return Acad::eOk;
}

Acad::ErrorStatus DxfItemFiler::writeItem(const resbuf& item)
{
    DxfItem converted;
    if (!itemFromResbuf(item, converted)) return fail(Acad::eInvalidResBuf);
    return append(std::move(converted));
}

Acad::ErrorStatus DxfItemFiler::writeObjectId(AcDb::DxfCode code, const AcDbObjectId& id)
{
    return append(DxfItem::makeId(code, id));
}

Acad::ErrorStatus DxfItemFiler::writeString(AcDb::DxfCode code, const char* pVal)
{
    return append(DxfItem::makeText(code, pVal ? pVal : ""));
}

Acad::ErrorStatus DxfItemFiler::writeBChunk(AcDb::DxfCode code, const ads_binary& val)
{
    std::vector<unsigned char> data;
    if (val.clen > 0 && val.buf) data.assign(val.buf, val.buf + val.clen);
    return append(DxfItem::makeBinary(code, std::move(data)));
}

Acad::ErrorStatus DxfItemFiler::writeAcDbHandle(AcDb::DxfCode code, const AcDbHandle& val)
{
    // A handle is written as its hexadecimal text, or as the id it names for reference codes.
    if (kindOfCode(code) == DxfItem::Kind::Id) {
        AcDbObjectId id;
        if (mpDb && !val.isNull()) mpDb->getAcDbObjectId(id, false, val);
        return append(DxfItem::makeId(code, id));
    }
    char text[20];
    val.getIntoAsciiBuffer(text);
    return append(DxfItem::makeText(code, text));
}

Acad::ErrorStatus DxfItemFiler::writeInt64(AcDb::DxfCode code, Adesk::Int64 val)
{
    return append(DxfItem::makeInteger(code, val));
}
Acad::ErrorStatus DxfItemFiler::writeInt32(AcDb::DxfCode code, Adesk::Int32 val)
{
    return append(DxfItem::makeInteger(code, val));
}
Acad::ErrorStatus DxfItemFiler::writeInt16(AcDb::DxfCode code, Adesk::Int16 val)
{
    return append(DxfItem::makeInteger(code, val));
}
Acad::ErrorStatus DxfItemFiler::writeInt8(AcDb::DxfCode code, Adesk::Int8 val)
{
    return append(DxfItem::makeInteger(code, val));
}
Acad::ErrorStatus DxfItemFiler::writeUInt32(AcDb::DxfCode code, Adesk::UInt32 val)
{
    return append(DxfItem::makeInteger(code, val));
}
Acad::ErrorStatus DxfItemFiler::writeUInt16(AcDb::DxfCode code, Adesk::UInt16 val)
{
    return append(DxfItem::makeInteger(code, val));
}
Acad::ErrorStatus DxfItemFiler::writeUInt8(AcDb::DxfCode code, Adesk::UInt8 val)
{
    return append(DxfItem::makeInteger(code, val));
}
Acad::ErrorStatus DxfItemFiler::writeBoolean(AcDb::DxfCode code, Adesk::Boolean val)
{
    return append(DxfItem::makeInteger(code, val ? 1 : 0));
}
Acad::ErrorStatus DxfItemFiler::writeBool(AcDb::DxfCode code, bool val)
{
    return append(DxfItem::makeInteger(code, val ? 1 : 0));
}

Acad::ErrorStatus DxfItemFiler::writeDouble(AcDb::DxfCode code, double val, int prec)
{
    return append(DxfItem::makeReal(code, val, prec == kDfltPrec ? mPrecision : prec));
}

Acad::ErrorStatus DxfItemFiler::writePoint2d(AcDb::DxfCode code, const AcGePoint2d& val, int prec)
{
    return append(DxfItem::makePoint(code, AcGePoint3d(val.x, val.y, 0.0), 2, prec == kDfltPrec ? mPrecision : prec));
}

Acad::ErrorStatus DxfItemFiler::writePoint3d(AcDb::DxfCode code, const AcGePoint3d& val, int prec)
{
    return append(DxfItem::makePoint(code, val, 3, prec == kDfltPrec ? mPrecision : prec));
}

Acad::ErrorStatus DxfItemFiler::writeVector2d(AcDb::DxfCode code, const AcGeVector2d& val, int prec)
{
    return append(DxfItem::makePoint(code, AcGePoint3d(val.x, val.y, 0.0), 2, prec == kDfltPrec ? mPrecision : prec));
}

Acad::ErrorStatus DxfItemFiler::writeVector3d(AcDb::DxfCode code, const AcGeVector3d& val, int prec)
{
    return append(DxfItem::makePoint(code, AcGePoint3d(val.x, val.y, val.z), 3, prec == kDfltPrec ? mPrecision : prec));
}

Acad::ErrorStatus DxfItemFiler::writeScale3d(AcDb::DxfCode code, const AcGeScale3d& val, int prec)
{
    return append(
        DxfItem::makePoint(code, AcGePoint3d(val.sx, val.sy, val.sz), 3, prec == kDfltPrec ? mPrecision : prec));
}

Acad::ErrorStatus DxfItemFiler::setPrecision(int prec)
{
    if (prec != kDfltPrec && (prec < 0 || prec > kMaxPrec)) return Acad::eInvalidInput;
    mPrecision = prec;
    return Acad::eOk;
}

Acad::ErrorStatus DxfItemFiler::writeXDataStart()
{
    if (mType != AcDb::kBagFiler) return Acad::eOk;
    DxfItem start;
    start.code = -3;
    start.kind = DxfItem::Kind::None;
    mItems.push_back(start);
    return Acad::eOk;
}

bool DxfItemFiler::atEOF() { return mPos >= readable().size(); }

bool DxfItemFiler::atSubclassData(const char* subClassName)
{
    const DxfItem* item = peek();
    if (item == nullptr) return mOptionalMarkers;
    if (item->code == AcDb::kDxfSubclass) {
        // Files write markers as the classes name them: the exact comparison settles most.
        if (subClassName != nullptr &&
            (item->text == subClassName || strcasecmp(item->text.c_str(), subClassName) == 0)) {
            ++mPos;
            mPushedBack = false;
            return true;
        }
        return false;
    }
    return mOptionalMarkers && item->code != -3 && item->code != 1001;
}

bool DxfItemFiler::atExtendedData()
{
    const DxfItem* item = peek();
    return item == nullptr || item->code == 1001 || item->code == -3;
}

bool DxfItemFiler::atEndOfObject() { return atEOF(); }

bool DxfItemFiler::atEmbeddedObjectStart()
{
    const DxfItem* item = peek();
    return item != nullptr && item->code == AcDb::kDxfEmbeddedObjectStart;
}

}  // namespace arx::db
