// The system variables of views and coordinate systems. Each reads the drawing of the
// current document at the moment it is asked; with no drawing open none can be read.
//   VIEWDIR, TARGET, VIEWCTR (in the UCS), VIEWSIZE, VIEWMODE, FRONTZ, BACKZ, LENSLENGTH,
//   VIEWTWIST: the view of the current viewport (read-only).
//   CVPORT, TILEMODE, CTAB: which viewport and layout are current (writable).
//   UCSORG, UCSXDIR, UCSYDIR, WORLDUCS: the current UCS (read-only); ELEVATION (writable).
//   UCSFOLLOW: VIEWMODE bit 8 of the current viewport, 0 in paper space.
//   SCREENSIZE: the current viewport's size in pixels on a display 600 pixels high.
#include "ed/views_sysvars.h"

#include <strings.h>

#include <functional>

#include "adscodes.h"
#include "dbmain.h"
#include "ed/sysvars.h"
#include "ed/views.h"
#include "ed/views_ucs.h"

namespace arx::ed {
namespace {

using views::Viewport;
using ViewReader = std::function<SysValue(AcDbDatabase*, const Viewport&)>;

constexpr double kDisplayPixelsHigh = 600.0;

SysValue ofPoint(const AcGePoint3d& p) { return SysValue::ofPoint(p.x, p.y, p.z); }
SysValue ofVector(const AcGeVector3d& v) { return SysValue::ofPoint(v.x, v.y, v.z); }

SysVarDef readOnly(const char* name, SysValue initial, std::function<std::optional<SysValue>()> get)
{
    SysVarDef def;
    def.name = name;
    def.initial = std::move(initial);
    def.readOnly = true;
    def.get = std::move(get);
    return def;
}

SysVarDef writable(const char* name, SysValue initial, std::function<std::optional<SysValue>()> get,
                   std::function<bool(const SysValue&)> set)
{
    SysVarDef def = readOnly(name, std::move(initial), std::move(get));
    def.readOnly = false;
    def.set = std::move(set);
    return def;
}

// A variable of the current viewport's view.
SysVarDef viewVariable(const char* name, SysValue initial, ViewReader read)
{
    return readOnly(name, std::move(initial), [read = std::move(read)]() -> std::optional<SysValue> {
        AcDbDatabase* db = views::workingDatabase();
        Viewport vp;
        if (db == nullptr || views::activeViewport(db, vp) != Acad::eOk) return std::nullopt;
        return read(db, vp);
    });
}

AcGePoint3d inUcs(AcDbDatabase* db, AcGePoint3d p) { return p.transformBy(views::wcsToUcs(views::currentUcs(db))); }
AcGeVector3d inUcs(AcDbDatabase* db, AcGeVector3d v) { return v.transformBy(views::wcsToUcs(views::currentUcs(db))); }

// The view centre (a DCS point on the target plane) in the UCS.
AcGePoint3d viewCenterInUcs(AcDbDatabase* db, const Viewport& vp)
{
    AcGeMatrix3d toWorld;
    AcGePoint3d c(vp.view().viewCenter.x, vp.view().viewCenter.y, 0.0);
    if (view::dcsToWcs(vp.view(), toWorld) == Acad::eOk) c.transformBy(toWorld);
    return inUcs(db, c);
}

SysValue screenSize(AcDbDatabase* db, const Viewport& vp)
{
    double high = kDisplayPixelsHigh, wide = kDisplayPixelsHigh * vp.aspect();
    Viewport paper;
    if (vp.kind == views::ViewportKind::Floating &&
        views::readViewport(views::paperSpaceViewport(db, views::currentLayoutId(db), false), paper) == Acad::eOk &&
        paper.view().viewHeight > 0.0) {
        const double pixelsPerUnit = kDisplayPixelsHigh / paper.view().viewHeight;
        high = vp.frame.height * pixelsPerUnit;
        wide = vp.frame.width * pixelsPerUnit;
    }
    return SysValue::ofPoint(wide, high, 0.0, false);
}

void defineViewVariables(SysVars& vars)
{
    vars.define(viewVariable("VIEWDIR", SysValue::ofPoint(0, 0, 1), [](AcDbDatabase* db, const Viewport& vp) {
        return ofVector(inUcs(db, vp.view().direction));
    }));
    vars.define(viewVariable("TARGET", SysValue::ofPoint(0, 0, 0), [](AcDbDatabase* db, const Viewport& vp) {
        return ofPoint(inUcs(db, vp.view().target));
    }));
    vars.define(viewVariable("VIEWCTR", SysValue::ofPoint(0, 0, 0),
                             [](AcDbDatabase* db, const Viewport& vp) { return ofPoint(viewCenterInUcs(db, vp)); }));
    vars.define(viewVariable("VIEWSIZE", SysValue::ofReal(9.0),
                             [](AcDbDatabase*, const Viewport& vp) { return SysValue::ofReal(vp.view().viewHeight); }));
    vars.define(viewVariable("VIEWMODE", SysValue::ofShort(0),
                             [](AcDbDatabase*, const Viewport& vp) { return SysValue::ofShort(vp.view().viewMode); }));
    vars.define(viewVariable("FRONTZ", SysValue::ofReal(0.0),
                             [](AcDbDatabase*, const Viewport& vp) { return SysValue::ofReal(vp.view().frontClip); }));
    vars.define(viewVariable("BACKZ", SysValue::ofReal(0.0),
                             [](AcDbDatabase*, const Viewport& vp) { return SysValue::ofReal(vp.view().backClip); }));
    vars.define(viewVariable("LENSLENGTH", SysValue::ofReal(50.0),
                             [](AcDbDatabase*, const Viewport& vp) { return SysValue::ofReal(vp.view().lensLength); }));
    vars.define(viewVariable("VIEWTWIST", SysValue::ofReal(0.0),
                             [](AcDbDatabase*, const Viewport& vp) { return SysValue::ofReal(vp.view().twist); }));
    vars.define(viewVariable("SCREENSIZE", SysValue::ofPoint(800, 600, 0, false), screenSize));
}

std::optional<SysValue> withDatabase(const std::function<SysValue(AcDbDatabase*)>& read)
{
    AcDbDatabase* db = views::workingDatabase();
    if (db == nullptr) return std::nullopt;
    return read(db);
}

bool onDatabase(const std::function<bool(AcDbDatabase*)>& write)
{
    AcDbDatabase* db = views::workingDatabase();
    return db != nullptr && write(db);
}

bool setUcsFollow(AcDbDatabase* db, bool follow)
{
    Viewport vp;
    if (views::activeViewport(db, vp) != Acad::eOk) return false;
    // Paper space has no UCS to follow: the value is kept but means nothing there.
    int& mode = vp.view().viewMode;
    mode = follow ? (mode | view::kUcsFollow) : (mode & ~view::kUcsFollow);
    return views::writeView(vp) == Acad::eOk;
}

void defineViewportVariables(SysVars& vars)
{
    vars.define(writable(
        "CVPORT", SysValue::ofShort(2),
        [] {
            return withDatabase([](AcDbDatabase* db) { return SysValue::ofShort(views::currentViewportNumber(db)); });
        },
        [](const SysValue& v) {
            return onDatabase([&](AcDbDatabase* db) {
                return views::setCurrentViewportNumber(db, static_cast<int>(v.integer)) == Acad::eOk;
            });
        }));
    SysVarDef tilemode = writable(
        "TILEMODE", SysValue::ofShort(1),
        [] { return withDatabase([](AcDbDatabase* db) { return SysValue::ofShort(views::isTiled(db) ? 1 : 0); }); },
        [](const SysValue& v) {
            return onDatabase([&](AcDbDatabase* db) { return views::setTiled(db, v.integer != 0) == Acad::eOk; });
        });
    tilemode.validate = [](const SysValue& v) { return v.integer == 0 || v.integer == 1; };
    vars.define(tilemode);
    vars.define(writable(
        "CTAB", SysValue::ofString("Model"),
        [] {
            return withDatabase([](AcDbDatabase* db) {
                return SysValue::ofString(views::isTiled(db) ? views::layoutName(views::modelLayoutId(db))
                                                             : views::layoutName(views::currentLayoutId(db)));
            });
        },
        [](const SysValue& v) {
            return onDatabase([&](AcDbDatabase* db) {
                const AcDbObjectId layout = views::findLayout(db, v.text);
                return !layout.isNull() && views::setCurrentLayout(db, layout) == Acad::eOk;
            });
        }));
    vars.define(writable(
        "UCSFOLLOW", SysValue::ofShort(0),
        [] {
            return withDatabase([](AcDbDatabase* db) {
                Viewport vp;
                const bool on = views::activeViewport(db, vp) == Acad::eOk &&
                                vp.kind != views::ViewportKind::PaperSpace &&
                                (vp.view().viewMode & view::kUcsFollow) != 0;
                return SysValue::ofShort(on ? 1 : 0);
            });
        },
        [](const SysValue& v) {
            return onDatabase([&](AcDbDatabase* db) { return setUcsFollow(db, v.integer != 0); });
        }));
}

void defineUcsVariables(SysVars& vars)
{
    vars.define(readOnly("UCSORG", SysValue::ofPoint(0, 0, 0), [] {
        return withDatabase([](AcDbDatabase* db) { return ofPoint(views::currentUcs(db).origin); });
    }));
    vars.define(readOnly("UCSXDIR", SysValue::ofPoint(1, 0, 0), [] {
        return withDatabase([](AcDbDatabase* db) { return ofVector(views::currentUcs(db).xAxis); });
    }));
    vars.define(readOnly("UCSYDIR", SysValue::ofPoint(0, 1, 0), [] {
        return withDatabase([](AcDbDatabase* db) { return ofVector(views::currentUcs(db).yAxis); });
    }));
    vars.define(readOnly("WORLDUCS", SysValue::ofShort(1), [] {
        return withDatabase(
            [](AcDbDatabase* db) { return SysValue::ofShort(views::isWorld(views::currentUcs(db)) ? 1 : 0); });
    }));
    vars.define(writable(
        "ELEVATION", SysValue::ofReal(0.0),
        [] {
            return withDatabase([](AcDbDatabase* db) {
                return SysValue::ofReal(views::paperSpaceCurrent(db) ? db->pelevation() : db->elevation());
            });
        },
        [](const SysValue& v) {
            return onDatabase([&](AcDbDatabase* db) {
                return (views::paperSpaceCurrent(db) ? db->setPelevation(v.real) : db->setElevation(v.real)) ==
                       Acad::eOk;
            });
        }));
}

}  // namespace

void defineViewSysVars()
{
    SysVars& vars = SysVars::instance();
    defineViewVariables(vars);
    defineViewportVariables(vars);
    defineUcsVariables(vars);
}

}  // namespace arx::ed
