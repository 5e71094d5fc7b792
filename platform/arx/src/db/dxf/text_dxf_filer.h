// The DXF filer that saving a drawing writes through: each group an object's dxfOutFields
// files goes straight to the text writer, formatted as writeItem formats the item the item
// filer would have kept, so no list of items is built per object. Groups are checked against
// their code's kind as the item filer checks them (eInvalidDxfCode otherwise, nothing
// written). Items filed whole (carried groups, extended data, proxies' data) arrive through
// append and are written as they are.
#pragma once

#include "db/dxf/text_writer.h"
#include "db/dxf_item_filer.h"

namespace arx::dxf {

class TextDxfFiler : public db::DxfItemFiler {
public:
    TextDxfFiler(AcDbDatabase* db, TextWriter& out);

    // The table name of a TABLE record: written as group 2 right after the record's first
    // group (its type), for the next object only.
    void setTableName(const char* name) { mTableName = name; }

    Acad::ErrorStatus append(db::DxfItem item) override;

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

private:
    // False (eInvalidDxfCode recorded) when `code` does not carry values of `kind`.
    bool accepts(int code, db::DxfItem::Kind kind);
    Acad::ErrorStatus integer(int code, long long value);
    Acad::ErrorStatus point(int code, double x, double y, double z);
    Acad::ErrorStatus point2d(int code, double x, double y);
    Acad::ErrorStatus written();

    TextWriter& mOut;
    const char* mTableName = nullptr;
};

}  // namespace arx::dxf
