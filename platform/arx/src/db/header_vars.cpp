#include "db/header_vars.h"

#include <cctype>
#include <ctime>

#include "db/database_state.h"

namespace arx::db {

namespace {

std::string canonical(std::string_view name)
{
    if (!name.empty() && name.front() == '$') name.remove_prefix(1);
    std::string upper(name);
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return upper;
}

}  // namespace

const DxfItemList* HeaderVars::find(std::string_view name) const
{
    auto it = mValues.find(canonical(name));
    return it == mValues.end() ? nullptr : &it->second;
}

void HeaderVars::set(std::string_view name, DxfItemList values)
{
    std::string key = canonical(name);
    auto it = mValues.find(key);
    if (it == mValues.end()) {
        mOrder.push_back(key);
        mValues.emplace(key, std::move(values));
    } else {
        it->second = std::move(values);
    }
}

bool HeaderVars::remove(std::string_view name)
{
    std::string key = canonical(name);
    if (mValues.erase(key) == 0) return false;
    std::erase(mOrder, key);
    return true;
}

void HeaderVars::forEach(const std::function<void(const std::string&, const DxfItemList&)>& fn) const
{
    for (const std::string& name : mOrder) {
        auto it = mValues.find(name);
        if (it == mValues.end()) continue;
        if (name == "HANDSEED" && mpDb != nullptr) {
            char text[20];
            mpDb->handseed().getIntoAsciiBuffer(text);
            fn(name, {DxfItem::makeText(5, text)});
            continue;
        }
        fn(name, it->second);
    }
}

long long HeaderVars::integer(std::string_view name, long long fallback) const
{
    const DxfItemList* v = find(name);
    return v && !v->empty() && v->front().kind == DxfItem::Kind::Integer ? v->front().integer : fallback;
}

double HeaderVars::real(std::string_view name, double fallback) const
{
    const DxfItemList* v = find(name);
    return v && !v->empty() && v->front().kind == DxfItem::Kind::Real ? v->front().real : fallback;
}

AcGePoint3d HeaderVars::point(std::string_view name, const AcGePoint3d& fallback) const
{
    const DxfItemList* v = find(name);
    return v && !v->empty() && v->front().kind == DxfItem::Kind::Point ? v->front().point : fallback;
}

std::string HeaderVars::text(std::string_view name, const std::string& fallback) const
{
    const DxfItemList* v = find(name);
    return v && !v->empty() && v->front().kind == DxfItem::Kind::Text ? v->front().text : fallback;
}

HeaderVars& headerVars(AcDbDatabase* db) { return stateOf(db).header; }
const HeaderVars& headerVars(const AcDbDatabase* db) { return stateOf(db).header; }

void addDefaultHeaderVars(HeaderVars& vars)
{
    auto text = [&](const char* name, int code, const char* value) {
        vars.set(name, {DxfItem::makeText(code, value)});
    };
    auto integer = [&](const char* name, int code, long long value) {
        vars.set(name, {DxfItem::makeInteger(code, value)});
    };
    auto real = [&](const char* name, int code, double value) { vars.set(name, {DxfItem::makeReal(code, value)}); };
    auto point = [&](const char* name, double x, double y, double z) {
        vars.set(name, {DxfItem::makePoint(10, AcGePoint3d(x, y, z))});
    };
    auto point2 = [&](const char* name, double x, double y) {
        vars.set(name, {DxfItem::makePoint(10, AcGePoint3d(x, y, 0.0), 2)});
    };
    // The creation time as a Julian date (days and fraction).
    double now = static_cast<double>(std::time(nullptr)) / 86400.0 + 2440587.5;

    text("ACADVER", 1, "AC1015");
    integer("ACADMAINTVER", 70, 6);
    text("DWGCODEPAGE", 3, "ANSI_1252");
    point("INSBASE", 0, 0, 0);
    point("EXTMIN", 1e20, 1e20, 1e20);
    point("EXTMAX", -1e20, -1e20, -1e20);
    point2("LIMMIN", 0, 0);
    point2("LIMMAX", 12, 9);
    integer("ORTHOMODE", 70, 0);
    integer("REGENMODE", 70, 1);
    integer("FILLMODE", 70, 1);
    integer("QTEXTMODE", 70, 0);
    integer("MIRRTEXT", 70, 0);
    real("LTSCALE", 40, 1.0);
    integer("ATTMODE", 70, 1);
    real("TEXTSIZE", 40, 0.2);
    real("TRACEWID", 40, 0.05);
    text("TEXTSTYLE", 7, "Standard");
    text("CLAYER", 8, "0");
    text("CELTYPE", 6, "ByLayer");
    integer("CECOLOR", 62, 256);
    real("CELTSCALE", 40, 1.0);
    integer("DISPSILH", 70, 0);
    real("DIMSCALE", 40, 1.0);
    real("DIMASZ", 40, 0.18);
    real("DIMEXO", 40, 0.0625);
    real("DIMDLI", 40, 0.38);
    real("DIMEXE", 40, 0.18);
    real("DIMTXT", 40, 0.18);
    real("DIMCEN", 40, 0.09);
    integer("DIMTIH", 70, 1);
    integer("DIMTOH", 70, 1);
    integer("DIMASO", 70, 1);
    integer("DIMSHO", 70, 1);
    text("DIMSTYLE", 2, "Standard");
    real("DIMGAP", 40, 0.09);
    integer("LUNITS", 70, 2);
    integer("LUPREC", 70, 4);
    real("SKETCHINC", 40, 0.1);
    real("FILLETRAD", 40, 0.5);
    integer("AUNITS", 70, 0);
    integer("AUPREC", 70, 0);
    text("MENU", 1, ".");
    real("ELEVATION", 40, 0.0);
    real("PELEVATION", 40, 0.0);
    real("THICKNESS", 40, 0.0);
    integer("LIMCHECK", 70, 0);
    real("CHAMFERA", 40, 0.0);
    real("CHAMFERB", 40, 0.0);
    real("CHAMFERC", 40, 0.0);
    real("CHAMFERD", 40, 0.0);
    integer("SKPOLY", 70, 0);
    real("TDCREATE", 40, now);
    real("TDUCREATE", 40, now);
    real("TDUPDATE", 40, now);
    real("TDUUPDATE", 40, now);
    real("TDINDWG", 40, 0.0);
    real("TDUSRTIMER", 40, 0.0);
    integer("USRTIMER", 70, 1);
    real("ANGBASE", 50, 0.0);
    integer("ANGDIR", 70, 0);
    integer("PDMODE", 70, 0);
    real("PDSIZE", 40, 0.0);
    real("PLINEWID", 40, 0.0);
    integer("SPLFRAME", 70, 0);
    integer("SPLINETYPE", 70, 6);
    integer("SPLINESEGS", 70, 8);
    text("HANDSEED", 5, "0");
    integer("SURFTAB1", 70, 6);
    integer("SURFTAB2", 70, 6);
    integer("SURFTYPE", 70, 6);
    integer("SURFU", 70, 6);
    integer("SURFV", 70, 6);
    text("UCSBASE", 2, "");
    text("UCSNAME", 2, "");
    point("UCSORG", 0, 0, 0);
    point("UCSXDIR", 1, 0, 0);
    point("UCSYDIR", 0, 1, 0);
    text("PUCSBASE", 2, "");
    text("PUCSNAME", 2, "");
    point("PUCSORG", 0, 0, 0);
    point("PUCSXDIR", 1, 0, 0);
    point("PUCSYDIR", 0, 1, 0);
    for (const char* name : {"USERI1", "USERI2", "USERI3", "USERI4", "USERI5"}) integer(name, 70, 0);
    for (const char* name : {"USERR1", "USERR2", "USERR3", "USERR4", "USERR5"}) real(name, 40, 0.0);
    integer("WORLDVIEW", 70, 1);
    integer("SHADEDGE", 70, 3);
    integer("SHADEDIF", 70, 70);
    integer("TILEMODE", 70, 1);
    integer("MAXACTVP", 70, 64);
    point("PINSBASE", 0, 0, 0);
    integer("PLIMCHECK", 70, 0);
    point("PEXTMIN", 1e20, 1e20, 1e20);
    point("PEXTMAX", -1e20, -1e20, -1e20);
    point2("PLIMMIN", 0, 0);
    point2("PLIMMAX", 12, 9);
    integer("UNITMODE", 70, 0);
    integer("VISRETAIN", 70, 1);
    integer("PLINEGEN", 70, 0);
    integer("PSLTSCALE", 70, 1);
    integer("TREEDEPTH", 70, 3020);
    text("CMLSTYLE", 2, "Standard");
    integer("CMLJUST", 70, 0);
    real("CMLSCALE", 40, 1.0);
    integer("PROXYGRAPHICS", 70, 1);
    integer("MEASUREMENT", 70, 0);
    integer("CELWEIGHT", 370, -1);
    integer("ENDCAPS", 280, 0);
    integer("JOINSTYLE", 280, 0);
    integer("LWDISPLAY", 290, 0);
    integer("INSUNITS", 70, 0);
    text("HYPERLINKBASE", 1, "");
    text("STYLESHEET", 1, "");
    integer("XEDIT", 290, 1);
    integer("CEPSNTYPE", 380, 0);
    integer("PSTYLEMODE", 290, 1);
    integer("EXTNAMES", 290, 1);
    real("PSVPSCALE", 40, 0.0);
    integer("OLESTARTUP", 290, 0);
}

}  // namespace arx::db
