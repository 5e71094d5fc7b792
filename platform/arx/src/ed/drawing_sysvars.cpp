#include "ed/drawing_sysvars.h"

#include <strings.h>

#include <cstdlib>

#include "adscodes.h"
#include "dbmain.h"
#include "dbobjptr.h"
#include "dbsymtb.h"
#include "db/symbol_lookup.h"
#include "ed/sysvars.h"
#include "ed/views.h"

namespace arx::ed {
namespace {

constexpr int kByBlock = 0;
constexpr int kByLayer = 256;
constexpr const char* kColorNames[] = {"red", "yellow", "green", "cyan", "blue", "magenta", "white"};

// A variable read from and written to the working drawing; with no drawing it cannot be
// read or set.
SysVarDef drawingVariable(const char* name, const char* initial, std::string (*read)(AcDbDatabase*),
                          bool (*write)(AcDbDatabase*, const std::string&))
{
    SysVarDef def;
    def.name = name;
    def.initial = SysValue::ofString(initial);
    def.get = [read]() -> std::optional<SysValue> {
        AcDbDatabase* db = views::workingDatabase();
        if (db == nullptr) return std::nullopt;
        return SysValue::ofString(read(db));
    };
    def.set = [write](const SysValue& value) {
        AcDbDatabase* db = views::workingDatabase();
        return db != nullptr && value.type == RTSTR && write(db, value.text);
    };
    return def;
}

using UnitReader = Adesk::Int16 (AcDbDatabase::*)() const;
using UnitWriter = Acad::ErrorStatus (AcDbDatabase::*)(Adesk::Int16);

// A unit setting of the working drawing's header: an integer between low and high.
SysVarDef unitVariable(const char* name, int initial, int low, int high, UnitReader read, UnitWriter write)
{
    SysVarDef def;
    def.name = name;
    def.initial = SysValue::ofShort(initial);
    def.get = [read]() -> std::optional<SysValue> {
        AcDbDatabase* db = views::workingDatabase();
        if (db == nullptr) return std::nullopt;
        return SysValue::ofShort((db->*read)());
    };
    def.set = [write, low, high](const SysValue& value) {
        AcDbDatabase* db = views::workingDatabase();
        if (db == nullptr || (value.type != RTSHORT && value.type != RTLONG)) return false;
        if (value.integer < low || value.integer > high) return false;
        return (db->*write)(static_cast<Adesk::Int16>(value.integer)) == Acad::eOk;
    };
    return def;
}

std::string currentLayer(AcDbDatabase* db) { return arx::db::recordName(db->clayer()); }

bool setCurrentLayer(AcDbDatabase* db, const std::string& name)
{
    return makeLayerCurrent(db, arx::db::findRecord(db->layerTableId(), name.c_str()));
}

std::string currentColor(AcDbDatabase* db) { return colorText(db->cecolor().colorIndex()); }

bool setCurrentColor(AcDbDatabase* db, const std::string& text)
{
    const int index = colorFromText(text);
    if (index < 0) return false;
    AcCmColor color;
    color.setColorIndex(static_cast<Adesk::UInt16>(index));
    return db->setCecolor(color) == Acad::eOk;
}

std::string currentLinetype(AcDbDatabase* db)
{
    const std::string name = arx::db::recordName(db->celtype());
    return name.empty() ? "ByLayer" : name;
}

bool setCurrentLinetype(AcDbDatabase* db, const std::string& name)
{
    const AcDbObjectId linetype = arx::db::findRecord(db->linetypeTableId(), name.c_str());
    return !linetype.isNull() && db->setCeltype(linetype) == Acad::eOk;
}

}  // namespace

std::string colorText(int colorIndex)
{
    if (colorIndex == kByLayer) return "BYLAYER";
    if (colorIndex == kByBlock) return "BYBLOCK";
    return std::to_string(colorIndex);
}

int colorFromText(const std::string& text)
{
    if (strcasecmp(text.c_str(), "BYLAYER") == 0) return kByLayer;
    if (strcasecmp(text.c_str(), "BYBLOCK") == 0) return kByBlock;
    for (int i = 0; i < 7; ++i)
        if (strcasecmp(text.c_str(), kColorNames[i]) == 0) return i + 1;
    char* end = nullptr;
    const long number = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || number < 1 || number > 255) return -1;
    return static_cast<int>(number);
}

bool makeLayerCurrent(AcDbDatabase* db, AcDbObjectId layerId)
{
    if (db == nullptr || layerId.isNull() || layerId.database() != db) return false;
    {
        AcDbObjectPointer<AcDbLayerTableRecord> layer(layerId, AcDb::kForRead);
        if (layer.openStatus() != Acad::eOk || layer->isFrozen()) return false;
    }
    return db->setClayer(layerId) == Acad::eOk;
}

void defineDrawingSysVars()
{
    SysVars& vars = SysVars::instance();
    vars.define(drawingVariable("CLAYER", "0", currentLayer, setCurrentLayer));
    vars.define(drawingVariable("CECOLOR", "BYLAYER", currentColor, setCurrentColor));
    vars.define(drawingVariable("CELTYPE", "ByLayer", currentLinetype, setCurrentLinetype));
    vars.define(unitVariable("LUNITS", 2, 1, 5, &AcDbDatabase::lunits, &AcDbDatabase::setLunits));
    vars.define(unitVariable("LUPREC", 4, 0, 8, &AcDbDatabase::luprec, &AcDbDatabase::setLuprec));
    vars.define(unitVariable("AUNITS", 0, 0, 4, &AcDbDatabase::aunits, &AcDbDatabase::setAunits));
    vars.define(unitVariable("AUPREC", 0, 0, 8, &AcDbDatabase::auprec, &AcDbDatabase::setAuprec));
}

}  // namespace arx::ed
