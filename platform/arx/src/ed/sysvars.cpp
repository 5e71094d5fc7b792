#include "ed/sysvars.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>

#include "aced.h"
#include "adscodes.h"
#include "adsdef.h"
#include "ed/editor.h"
#include "ed/upper_case.h"

namespace arx::ed {
namespace {

bool isIntegerType(short t) { return t == RTSHORT || t == RTLONG; }
bool isPointType(short t) { return t == RTPOINT || t == RT3DPOINT; }

// Brings a value to the variable's type where the host accepts it (an integer for a real,
// a 2D point for a 3D one); nullopt when the types do not fit.
std::optional<SysValue> coerce(const SysValue& value, short wanted)
{
    SysValue out = value;
    out.type = wanted;
    if (value.type == wanted) return out;
    if (isIntegerType(wanted) && isIntegerType(value.type)) {
        if (wanted == RTSHORT && (value.integer < -32768 || value.integer > 32767)) return std::nullopt;
        return out;
    }
    if (wanted == RTREAL && isIntegerType(value.type)) {
        out.real = static_cast<double>(value.integer);
        return out;
    }
    if (isPointType(wanted) && isPointType(value.type)) {
        if (value.type == RTPOINT) out.point[2] = 0.0;
        return out;
    }
    return std::nullopt;
}

}  // namespace

SysValue SysValue::ofShort(int v)
{
    SysValue s;
    s.type = RTSHORT;
    s.integer = v;
    return s;
}

SysValue SysValue::ofLong(long v)
{
    SysValue s;
    s.type = RTLONG;
    s.integer = v;
    return s;
}

SysValue SysValue::ofReal(double v)
{
    SysValue s;
    s.type = RTREAL;
    s.real = v;
    return s;
}

SysValue SysValue::ofString(std::string v)
{
    SysValue s;
    s.type = RTSTR;
    s.text = std::move(v);
    return s;
}

SysValue SysValue::ofPoint(double x, double y, double z, bool is3d)
{
    SysValue s;
    s.type = is3d ? RT3DPOINT : RTPOINT;
    s.point = {x, y, z};
    return s;
}

void SysValue::toResbuf(resbuf* rb) const
{
    rb->restype = type;
    switch (type) {
    case RTSHORT: rb->resval.rint = static_cast<short>(integer); break;
    case RTLONG: rb->resval.rlong = integer; break;
    case RTREAL: rb->resval.rreal = real; break;
    case RTSTR: rb->resval.rstring = strdup(text.c_str()); break;
    case RTPOINT:
    case RT3DPOINT:
        for (int i = 0; i < 3; ++i) rb->resval.rpoint[i] = point[i];
        break;
    default: break;
    }
}

SysVars& SysVars::instance()
{
    static SysVars vars;
    return vars;
}

SysVars::SysVars() = default;

void SysVars::define(SysVarDef def)
{
    def.name = upper(def.name);
    if (def.scope == SysVarScope::Session && !def.get) session_[def.name] = def.initial;
    defs_[def.name] = std::move(def);
}

bool SysVars::isDefined(const std::string& name) const { return find(name) != nullptr; }

bool SysVars::isReadOnly(const std::string& name) const
{
    const SysVarDef* def = find(name);
    return def != nullptr && def->readOnly;
}

const SysVarDef* SysVars::find(const std::string& name) const
{
    auto it = defs_.find(upper(name));
    return it == defs_.end() ? nullptr : &it->second;
}

SysValue* SysVars::storage(const SysVarDef& def)
{
    if (def.scope == SysVarScope::Session) return &session_[def.name];
    DocumentStore* store = documentStore_ ? documentStore_() : nullptr;
    if (store == nullptr) return nullptr;
    auto it = store->find(def.name);
    if (it == store->end()) it = store->emplace(def.name, def.initial).first;
    return &it->second;
}

std::optional<SysValue> SysVars::get(const std::string& name) const
{
    const SysVarDef* def = find(name);
    if (def == nullptr) return std::nullopt;
    if (def->get) return def->get();
    SysValue* value = const_cast<SysVars*>(this)->storage(*def);
    if (value == nullptr) return std::nullopt;
    return *value;
}

bool SysVars::store(const SysVarDef& def, const SysValue& value)
{
    std::optional<SysValue> fitted = coerce(value, def.initial.type);
    if (!fitted || (def.validate && !def.validate(*fitted))) return false;
    if (def.set) return def.set(*fitted);
    SysValue* slot = storage(def);
    if (slot == nullptr) return false;
    *slot = *fitted;
    return true;
}

bool SysVars::set(const std::string& name, const SysValue& value)
{
    const SysVarDef* def = find(name);
    if (def == nullptr || def->readOnly) return false;
    Editor::instance().notify([&](AcEditorReactor* r) { r->sysVarWillChange(def->name.c_str()); });
    bool ok = store(*def, value);
    Editor::instance().notify([&](AcEditorReactor* r) { r->sysVarChanged(def->name.c_str(), ok); });
    return ok;
}

bool SysVars::setInternal(const std::string& name, const SysValue& value)
{
    const SysVarDef* def = find(name);
    return def != nullptr && store(*def, value);
}

std::optional<long> SysVars::getInt(const std::string& name) const
{
    auto value = get(name);
    if (!value || !isIntegerType(value->type)) return std::nullopt;
    return value->integer;
}

std::optional<double> SysVars::getReal(const std::string& name) const
{
    auto value = get(name);
    if (!value) return std::nullopt;
    if (value->type == RTREAL) return value->real;
    if (isIntegerType(value->type)) return static_cast<double>(value->integer);
    return std::nullopt;
}

std::optional<std::string> SysVars::getString(const std::string& name) const
{
    auto value = get(name);
    if (!value || value->type != RTSTR) return std::nullopt;
    return value->text;
}

void SysVars::setDocumentStoreProvider(std::function<DocumentStore*()> provider)
{
    documentStore_ = std::move(provider);
}

SysVars::DocumentStore SysVars::initialDocumentValues() const
{
    DocumentStore values;
    for (const auto& [name, def] : defs_)
        if (def.scope == SysVarScope::Document && !def.get) values[name] = def.initial;
    return values;
}

}  // namespace arx::ed

namespace {

std::optional<arx::ed::SysValue> fromResbuf(const resbuf* rb)
{
    using arx::ed::SysValue;
    if (rb == nullptr) return std::nullopt;
    switch (rb->restype) {
    case RTSHORT: return SysValue::ofShort(rb->resval.rint);
    case RTLONG: return SysValue::ofLong(rb->resval.rlong);
    case RTREAL:
    case RTANG:
    case RTORINT: return SysValue::ofReal(rb->resval.rreal);
    case RTSTR: return SysValue::ofString(rb->resval.rstring ? rb->resval.rstring : "");
    case RTPOINT:
    case RT3DPOINT:
        return SysValue::ofPoint(rb->resval.rpoint[0], rb->resval.rpoint[1],
                                 rb->restype == RT3DPOINT ? rb->resval.rpoint[2] : 0.0, rb->restype == RT3DPOINT);
    default: return std::nullopt;
    }
}

}  // namespace

int acedGetVar(const char* sym, resbuf* result)
{
    if (sym == nullptr || result == nullptr) return RTERROR;
    auto value = arx::ed::SysVars::instance().get(sym);
    if (!value) return RTERROR;
    value->toResbuf(result);
    return RTNORM;
}

int acedSetVar(const char* sym, const resbuf* val)
{
    if (sym == nullptr) return RTERROR;
    auto value = fromResbuf(val);
    if (!value) return RTERROR;
    return arx::ed::SysVars::instance().set(sym, *value) ? RTNORM : RTERROR;
}
