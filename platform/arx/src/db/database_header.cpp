// The header variables through AcDbDatabase's typed calls and the host's generic calls.
#include <cstdlib>
#include <cstring>

#include "dbhostext.h"
#include "dbsymtb.h"
#include "db/database_state.h"
#include "db/item_filing.h"
#include "db/resbuf_items.h"
#include "db/symbol_lookup.h"

using arx::db::DxfItem;
using arx::db::DxfItemList;

namespace {

arx::db::HeaderVars& vars(const AcDbDatabase* db) { return arx::db::stateOf(db).header; }

// Sets one variable and tells the database reactors around the change.
Acad::ErrorStatus setVar(AcDbDatabase* db, const char* name, DxfItem value)
{
    arx::db::DatabaseState& ds = arx::db::stateOf(db);
    std::vector<AcDbDatabaseReactor*> reactors = ds.reactors;
    bool notify = ds.notifying();
    if (notify)
        for (AcDbDatabaseReactor* r : reactors) r->headerSysVarWillChange(db, name);
    const DxfItemList* old = ds.header.find(name);
    if (old && !old->empty()) {
        value.dimensions = old->front().dimensions;
        value.precision = old->front().precision;
    }
    ds.header.set(name, {std::move(value)});
    ds.changed();
    if (notify)
        for (AcDbDatabaseReactor* r : reactors) r->headerSysVarChanged(db, name, true);
    return Acad::eOk;
}

Acad::ErrorStatus setPoint(AcDbDatabase* db, const char* name, const AcGePoint3d& p)
{
    return setVar(db, name, DxfItem::makePoint(10, p));
}

Acad::ErrorStatus setPoint2(AcDbDatabase* db, const char* name, const AcGePoint2d& p)
{
    return setVar(db, name, DxfItem::makePoint(10, AcGePoint3d(p.x, p.y, 0.0), 2));
}

AcGePoint2d point2(const AcDbDatabase* db, const char* name)
{
    AcGePoint3d p = vars(db).point(name);
    return AcGePoint2d(p.x, p.y);
}

Adesk::Int16 int16(const AcDbDatabase* db, const char* name, int fallback)
{
    return static_cast<Adesk::Int16>(vars(db).integer(name, fallback));
}

Acad::ErrorStatus setRecordVar(AcDbDatabase* db, const char* name, int code, AcDbObjectId tableId, AcDbObjectId id)
{
    std::string record = arx::db::recordName(id);
    if (record.empty() || arx::db::findRecord(tableId, record.c_str()) != id) return Acad::eInvalidInput;
    return setVar(db, name, DxfItem::makeText(code, record));
}

}  // namespace

bool AcDbDatabase::tilemode() const { return vars(this).integer("TILEMODE", 1) != 0; }
Acad::ErrorStatus AcDbDatabase::setTilemode(bool mode)
{
    return setVar(this, "TILEMODE", DxfItem::makeInteger(70, mode ? 1 : 0));
}
AcGePoint3d AcDbDatabase::extmin() const { return vars(this).point("EXTMIN"); }
AcGePoint3d AcDbDatabase::extmax() const { return vars(this).point("EXTMAX"); }
Acad::ErrorStatus AcDbDatabase::setExtmin(const AcGePoint3d& min) { return setPoint(this, "EXTMIN", min); }
Acad::ErrorStatus AcDbDatabase::setExtmax(const AcGePoint3d& max) { return setPoint(this, "EXTMAX", max); }
AcGePoint3d AcDbDatabase::insbase() const { return vars(this).point("INSBASE"); }
Acad::ErrorStatus AcDbDatabase::setInsbase(const AcGePoint3d& base) { return setPoint(this, "INSBASE", base); }
AcGePoint3d AcDbDatabase::pextmin() const { return vars(this).point("PEXTMIN"); }
AcGePoint3d AcDbDatabase::pextmax() const { return vars(this).point("PEXTMAX"); }
Acad::ErrorStatus AcDbDatabase::setPextmin(const AcGePoint3d& min) { return setPoint(this, "PEXTMIN", min); }
Acad::ErrorStatus AcDbDatabase::setPextmax(const AcGePoint3d& max) { return setPoint(this, "PEXTMAX", max); }
AcGePoint3d AcDbDatabase::pinsbase() const { return vars(this).point("PINSBASE"); }
Acad::ErrorStatus AcDbDatabase::setPinsbase(const AcGePoint3d& base) { return setPoint(this, "PINSBASE", base); }
AcGePoint2d AcDbDatabase::limmin() const { return point2(this, "LIMMIN"); }
AcGePoint2d AcDbDatabase::limmax() const { return point2(this, "LIMMAX"); }
Acad::ErrorStatus AcDbDatabase::setLimmin(const AcGePoint2d& min) { return setPoint2(this, "LIMMIN", min); }
Acad::ErrorStatus AcDbDatabase::setLimmax(const AcGePoint2d& max) { return setPoint2(this, "LIMMAX", max); }
AcGePoint2d AcDbDatabase::plimmin() const { return point2(this, "PLIMMIN"); }
AcGePoint2d AcDbDatabase::plimmax() const { return point2(this, "PLIMMAX"); }
Acad::ErrorStatus AcDbDatabase::setPlimmin(const AcGePoint2d& min) { return setPoint2(this, "PLIMMIN", min); }
Acad::ErrorStatus AcDbDatabase::setPlimmax(const AcGePoint2d& max) { return setPoint2(this, "PLIMMAX", max); }

AcDbObjectId AcDbDatabase::clayer() const
{
    return arx::db::findRecord(layerTableId(), vars(this).text("CLAYER", "0").c_str());
}
Acad::ErrorStatus AcDbDatabase::setClayer(AcDbObjectId objId)
{
    return setRecordVar(this, "CLAYER", 8, layerTableId(), objId);
}

AcDbObjectId AcDbDatabase::celtype() const
{
    return arx::db::findRecord(linetypeTableId(), vars(this).text("CELTYPE", "ByLayer").c_str());
}
Acad::ErrorStatus AcDbDatabase::setCeltype(AcDbObjectId objId)
{
    return setRecordVar(this, "CELTYPE", 6, linetypeTableId(), objId);
}

AcDbObjectId AcDbDatabase::textstyle() const
{
    return arx::db::findRecord(textStyleTableId(), vars(this).text("TEXTSTYLE", "Standard").c_str());
}
Acad::ErrorStatus AcDbDatabase::setTextstyle(AcDbObjectId objId)
{
    return setRecordVar(this, "TEXTSTYLE", 7, textStyleTableId(), objId);
}

AcCmColor AcDbDatabase::cecolor() const
{
    AcCmColor color;
    color.setColorIndex(static_cast<Adesk::UInt16>(vars(this).integer("CECOLOR", 256)));
    return color;
}
Acad::ErrorStatus AcDbDatabase::setCecolor(const AcCmColor& color)
{
    return setVar(this, "CECOLOR", DxfItem::makeInteger(62, color.colorIndex()));
}

double AcDbDatabase::celtscale() const { return vars(this).real("CELTSCALE", 1.0); }
Acad::ErrorStatus AcDbDatabase::setCeltscale(double scale)
{
    if (!(scale > 0.0)) return Acad::eInvalidInput;
    return setVar(this, "CELTSCALE", DxfItem::makeReal(40, scale));
}
double AcDbDatabase::ltscale() const { return vars(this).real("LTSCALE", 1.0); }
Acad::ErrorStatus AcDbDatabase::setLtscale(double scale)
{
    if (!(scale > 0.0)) return Acad::eInvalidInput;
    return setVar(this, "LTSCALE", DxfItem::makeReal(40, scale));
}
Adesk::Int16 AcDbDatabase::lunits() const { return int16(this, "LUNITS", 2); }
Acad::ErrorStatus AcDbDatabase::setLunits(Adesk::Int16 v)
{
    if (v < 1 || v > 5) return Acad::eInvalidInput;
    return setVar(this, "LUNITS", DxfItem::makeInteger(70, v));
}
Adesk::Int16 AcDbDatabase::luprec() const { return int16(this, "LUPREC", 4); }
Acad::ErrorStatus AcDbDatabase::setLuprec(Adesk::Int16 v)
{
    if (v < 0 || v > 8) return Acad::eInvalidInput;
    return setVar(this, "LUPREC", DxfItem::makeInteger(70, v));
}
Adesk::Int16 AcDbDatabase::aunits() const { return int16(this, "AUNITS", 0); }
Acad::ErrorStatus AcDbDatabase::setAunits(Adesk::Int16 v)
{
    if (v < 0 || v > 4) return Acad::eInvalidInput;
    return setVar(this, "AUNITS", DxfItem::makeInteger(70, v));
}
Adesk::Int16 AcDbDatabase::auprec() const { return int16(this, "AUPREC", 0); }
Acad::ErrorStatus AcDbDatabase::setAuprec(Adesk::Int16 v)
{
    if (v < 0 || v > 8) return Acad::eInvalidInput;
    return setVar(this, "AUPREC", DxfItem::makeInteger(70, v));
}
double AcDbDatabase::elevation() const { return vars(this).real("ELEVATION"); }
Acad::ErrorStatus AcDbDatabase::setElevation(double elev)
{
    return setVar(this, "ELEVATION", DxfItem::makeReal(40, elev));
}
double AcDbDatabase::pelevation() const { return vars(this).real("PELEVATION"); }
Acad::ErrorStatus AcDbDatabase::setPelevation(double elev)
{
    return setVar(this, "PELEVATION", DxfItem::makeReal(40, elev));
}
AcGePoint3d AcDbDatabase::ucsorg() const { return vars(this).point("UCSORG"); }
AcGeVector3d AcDbDatabase::ucsxdir() const { return vars(this).point("UCSXDIR", AcGePoint3d(1, 0, 0)).asVector(); }
AcGeVector3d AcDbDatabase::ucsydir() const { return vars(this).point("UCSYDIR", AcGePoint3d(0, 1, 0)).asVector(); }
Acad::ErrorStatus AcDbDatabase::setUcsorg(const AcGePoint3d& origin) { return setPoint(this, "UCSORG", origin); }
Acad::ErrorStatus AcDbDatabase::setUcsdir(const AcGeVector3d& xDir, const AcGeVector3d& yDir)
{
    if (xDir.isZeroLength() || yDir.isZeroLength() || !xDir.isPerpendicularTo(yDir)) return Acad::eInvalidInput;
    setPoint(this, "UCSXDIR", AcGePoint3d(xDir.x, xDir.y, xDir.z));
    return setPoint(this, "UCSYDIR", AcGePoint3d(yDir.x, yDir.y, yDir.z));
}
Adesk::Int16 AcDbDatabase::pdmode() const { return int16(this, "PDMODE", 0); }
Acad::ErrorStatus AcDbDatabase::setPdmode(Adesk::Int16 mode)
{
    return setVar(this, "PDMODE", DxfItem::makeInteger(70, mode));
}
double AcDbDatabase::pdsize() const { return vars(this).real("PDSIZE"); }
Acad::ErrorStatus AcDbDatabase::setPdsize(double size) { return setVar(this, "PDSIZE", DxfItem::makeReal(40, size)); }

Acad::ErrorStatus acdbGetHeaderVar(const AcDbDatabase* pDb, const char* name, resbuf* result)
{
    if (pDb == nullptr || name == nullptr || result == nullptr) return Acad::eInvalidInput;
    const arx::db::HeaderVars& hv = vars(pDb);
    const DxfItemList* values = hv.find(name);
    if (values == nullptr || values->empty()) return Acad::eKeyNotFound;
    DxfItem value = values->front();
    if (strcasecmp(name, "HANDSEED") == 0 || strcasecmp(name, "$HANDSEED") == 0) {
        char text[20];
        pDb->handseed().getIntoAsciiBuffer(text);
        value = DxfItem::makeText(5, text);
    }
    resbuf* rb = arx::db::resbufFromItem(value);
    if (rb == nullptr) return Acad::eOutOfMemory;
    result->restype = rb->restype;
    result->resval = rb->resval;
    rb->resval.rstring = nullptr;
    if (value.kind == DxfItem::Kind::Binary) rb->resval.rbinary.buf = nullptr;
    std::free(rb);
    return Acad::eOk;
}

Acad::ErrorStatus acdbSetHeaderVar(AcDbDatabase* pDb, const char* name, const resbuf* value)
{
    if (pDb == nullptr || name == nullptr || value == nullptr) return Acad::eInvalidInput;
    const DxfItemList* current = vars(pDb).find(name);
    if (current == nullptr || current->empty()) return Acad::eKeyNotFound;
    DxfItem item;
    if (!arx::db::itemFromResbuf(*value, item) || item.code != current->front().code) return Acad::eInvalidInput;
    std::string canonical = name[0] == '$' ? name + 1 : name;
    for (char& c : canonical) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (canonical == "HANDSEED") {
        AcDbHandle seed;
        if (!AcDbHandle::fromText(item.text.c_str(), seed)) return Acad::eInvalidInput;
        return pDb->setHandseed(seed);
    }
    return setVar(pDb, canonical.c_str(), std::move(item));
}

Acad::ErrorStatus acdbSetCurrentSpace(AcDbDatabase* pDb, AcDbObjectId blockTableRecordId)
{
    if (pDb == nullptr) return Acad::eNoDatabase;
    if (blockTableRecordId.isNull() || blockTableRecordId.database() != pDb ||
        blockTableRecordId.stub()->object == nullptr ||
        AcDbBlockTableRecord::cast(blockTableRecordId.stub()->object) == nullptr)
        return Acad::eInvalidInput;
    arx::db::stateOf(pDb).currentSpace = blockTableRecordId;
    return Acad::eOk;
}

Adesk::UInt64 acdbChangeCount(const AcDbDatabase* pDb) { return pDb ? arx::db::stateOf(pDb).changeCount : 0; }

AcDbUndoController* acdbUndoController(AcDbDatabase* pDb) { return pDb ? &arx::db::stateOf(pDb).undo : nullptr; }
