#include "ed/standard_sysvars.h"

#include "adscodes.h"
#include "ed/command_processor.h"
#include "ed/drawing_sysvars.h"
#include "ed/sysvars.h"
#include "ed/views_sysvars.h"

namespace arx::ed {
namespace {

SysVarDef computed(const char* name, SysValue initial, std::function<std::optional<SysValue>()> get)
{
    SysVarDef def;
    def.name = name;
    def.initial = std::move(initial);
    def.readOnly = true;
    def.get = std::move(get);
    return def;
}

SysVarDef stored(const char* name, SysValue initial, SysVarScope scope = SysVarScope::Session,
                 std::function<bool(const SysValue&)> validate = nullptr)
{
    SysVarDef def;
    def.name = name;
    def.initial = std::move(initial);
    def.scope = scope;
    def.validate = std::move(validate);
    return def;
}

std::function<bool(const SysValue&)> range(long low, long high)
{
    return [low, high](const SysValue& v) { return v.integer >= low && v.integer <= high; };
}

}  // namespace

void defineStandardSysVars()
{
    SysVars& vars = SysVars::instance();
    vars.define(computed("CMDACTIVE", SysValue::ofShort(0),
                         [] { return SysValue::ofShort(static_cast<int>(CommandProcessor::instance().cmdActive())); }));
    vars.define(computed("CMDNAMES", SysValue::ofString(""),
                         [] { return SysValue::ofString(CommandProcessor::instance().cmdNames()); }));
    SysVarDef version = stored("ACADVER", SysValue::ofString("15.0"));
    version.readOnly = true;
    vars.define(version);
    vars.define(stored("CMDECHO", SysValue::ofShort(1), SysVarScope::Session, range(0, 1)));
    vars.define(stored("FILEDIA", SysValue::ofShort(1), SysVarScope::Session, range(0, 1)));
    vars.define(stored("CMDDIA", SysValue::ofShort(1), SysVarScope::Session, range(0, 1)));
    vars.define(stored("EXPERT", SysValue::ofShort(0), SysVarScope::Session, range(0, 5)));
    vars.define(stored("LASTPOINT", SysValue::ofPoint(0, 0, 0), SysVarScope::Document));
    // Object selection: the pick box half-size in pixels, selection before the command, and
    // an implied window when a pick finds nothing.
    vars.define(stored("PICKBOX", SysValue::ofShort(3), SysVarScope::Session, range(0, 50)));
    vars.define(stored("PICKFIRST", SysValue::ofShort(1), SysVarScope::Session, range(0, 1)));
    vars.define(stored("PICKAUTO", SysValue::ofShort(1), SysVarScope::Session, range(0, 1)));
    vars.define(stored("OSMODE", SysValue::ofShort(0), SysVarScope::Document, range(0, 16383)));
    // Object snaps: the aperture half-size in pixels, and whether typed coordinates take the
    // running snaps (0 always, 1 never, 2 only in scripts).
    vars.define(stored("APERTURE", SysValue::ofShort(10), SysVarScope::Session, range(1, 50)));
    vars.define(stored("OSNAPCOORD", SysValue::ofShort(2), SysVarScope::Session, range(0, 2)));
    // TRIM and EXTEND: the projection (0 none, 1 the UCS, 2 the view) and whether edges are
    // extended to meet (1) or not (0).
    vars.define(stored("PROJMODE", SysValue::ofShort(1), SysVarScope::Session, range(0, 2)));
    vars.define(stored("EDGEMODE", SysValue::ofShort(0), SysVarScope::Session, range(0, 1)));
    vars.define(stored("WORLDVIEW", SysValue::ofShort(1), SysVarScope::Document, range(0, 1)));
    vars.define(stored("LAYOUTREGENCTL", SysValue::ofShort(2), SysVarScope::Session, range(0, 2)));
    vars.define(stored("UCSICON", SysValue::ofShort(3), SysVarScope::Document, range(0, 3)));
    defineDrawingSysVars();
    defineViewSysVars();
    installViewRefresh();
}

}  // namespace arx::ed
