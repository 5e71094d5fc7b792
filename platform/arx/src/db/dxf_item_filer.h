// The DXF filer over a list of items: what dxfOutFields writes is appended to the list,
// dxfInFields reads it back item by item. The DXF file reader and writer use it with the
// file filer type (references are object ids; the file layer turns them into handle text and
// back), the ADS entity lists with the bag filer type.
#pragma once
#include <cstddef>
#include <span>
#include <string>

#include "dbfiler.h"
#include "db/dxf_item.h"

namespace arx::db {

class DxfItemFiler : public AcDbDxfFiler {
public:
    // A filer to write into (empty list) or to read the given items.
    DxfItemFiler(AcDb::FilerType type, AcDbDatabase* db, DxfItemList items = {});
    // A filer that reads items it does not own (they outlive it).
    DxfItemFiler(AcDb::FilerType type, AcDbDatabase* db, std::span<const DxfItem> borrowed);
    ~DxfItemFiler() override;

    DxfItemList& items() { return mItems; }
    const DxfItemList& items() const { return mItems; }
    DxfItemList takeItems();
    std::size_t position() const { return mPos; }
    void setPosition(std::size_t pos)
    {
        mPos = pos;
        mPushedBack = false;
    }

    // entmod: the object exists and keeps what the items do not set.
    void setModifyingExistingObject(bool modifying) { mModifying = modifying; }
    // Lists that may leave subclass markers out (entmake, entmod): see atSubclassData.
    void setOptionalSubclassMarkers(bool optional) { mOptionalMarkers = optional; }

    int rewindFiler() override;
    Acad::ErrorStatus filerStatus() const override { return mStatus; }
    void resetFilerStatus() override { mStatus = Acad::eOk; }
    void setFilerStatus(Acad::ErrorStatus status) override { mStatus = status; }
    AcDb::FilerType filerType() const override { return mType; }
    AcDbDatabase* database() const override { return mpDb; }

    Acad::ErrorStatus readItem(resbuf* pItem) override;
    Acad::ErrorStatus writeItem(const resbuf& item) override;
    using AcDbDxfFiler::writeItem;
    Acad::ErrorStatus writeObjectId(AcDb::DxfCode code, const AcDbObjectId& id) override;
    Acad::ErrorStatus writeInt8(AcDb::DxfCode code, Adesk::Int8 val) override;
    Acad::ErrorStatus writeString(AcDb::DxfCode code, const char* pVal) override;
    Acad::ErrorStatus writeBChunk(AcDb::DxfCode code, const ads_binary& val) override;
    Acad::ErrorStatus writeAcDbHandle(AcDb::DxfCode code, const AcDbHandle& val) override;
    Acad::ErrorStatus writeInt64(AcDb::DxfCode code, Adesk::Int64 val) override;
    Acad::ErrorStatus writeInt32(AcDb::DxfCode code, Adesk::Int32 val) override;
    Acad::ErrorStatus writeInt16(AcDb::DxfCode code, Adesk::Int16 val) override;
    Acad::ErrorStatus writeUInt32(AcDb::DxfCode code, Adesk::UInt32 val) override;
    Acad::ErrorStatus writeUInt16(AcDb::DxfCode code, Adesk::UInt16 val) override;
    Acad::ErrorStatus writeUInt8(AcDb::DxfCode code, Adesk::UInt8 val) override;
    Acad::ErrorStatus writeBoolean(AcDb::DxfCode code, Adesk::Boolean val) override;
    Acad::ErrorStatus writeBool(AcDb::DxfCode code, bool val) override;
    Acad::ErrorStatus writeDouble(AcDb::DxfCode code, double val, int prec = kDfltPrec) override;
    Acad::ErrorStatus writePoint2d(AcDb::DxfCode code, const AcGePoint2d& val, int prec = kDfltPrec) override;
    Acad::ErrorStatus writePoint3d(AcDb::DxfCode code, const AcGePoint3d& val, int prec = kDfltPrec) override;
    Acad::ErrorStatus writeVector2d(AcDb::DxfCode code, const AcGeVector2d& val, int prec = kDfltPrec) override;
    Acad::ErrorStatus writeVector3d(AcDb::DxfCode code, const AcGeVector3d& val, int prec = kDfltPrec) override;
    Acad::ErrorStatus writeScale3d(AcDb::DxfCode code, const AcGeScale3d& val, int prec = kDfltPrec) override;
    Acad::ErrorStatus setPrecision(int prec) override;
    int precision() const override { return mPrecision; }

    Acad::ErrorStatus writeXDataStart() override;
    bool atEOF() override;
    bool atSubclassData(const char* subClassName) override;
    bool atExtendedData() override;
    bool atEndOfObject() override;
    bool atEmbeddedObjectStart() override;
    void pushBackItem() override;
    bool includesDefaultValues() const override { return false; }
    bool isModifyingExistingObject() const override { return mModifying; }

    // Typed access for the database's own readers: the next item without converting it.
    const DxfItem* peek() const;
    const DxfItem* next();

    // Adds an item as it is (checked against its code's kind; eInvalidInput otherwise). A
    // filer that writes its groups out as they come takes the item here.
    virtual Acad::ErrorStatus append(DxfItem item);

private:
    Acad::ErrorStatus fail(Acad::ErrorStatus status);
    // What the filer reads: its own list, or the borrowed items.
    std::span<const DxfItem> readable() const { return mBorrowing ? mBorrowed : std::span<const DxfItem>(mItems); }

    AcDb::FilerType mType;
    AcDbDatabase* mpDb;
    DxfItemList mItems;
    std::span<const DxfItem> mBorrowed;
    bool mBorrowing = false;
    std::size_t mPos = 0;
    bool mPushedBack = false;
    bool mModifying = false;
    bool mOptionalMarkers = false;
    int mPrecision = kDfltPrec;
    Acad::ErrorStatus mStatus = Acad::eOk;
    std::string mReadText;  // backing store of the last string read
    std::vector<unsigned char> mReadBinary;
};

}  // namespace arx::db
