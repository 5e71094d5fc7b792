// The AutoLISP entity functions: entget, entmake, entmod, entdel, entlast, entnext, handent
// and entupd, with tblsearch for table records, over the ADS entity calls, so that lists go through each class's own DXF
// filing. An entity list is a list of groups: (code . atom) for a value, (code x y z) for a
// point, (-1 . <Entity name>) for the entity and (-3 ("APP" (1000 . "text") ...)) for
// extended data.
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "acdbads_db.h"
#include "acutads.h"
#include "adscodes.h"
#include "ap/lisp_entity_functions.h"
#include "db/dxf_item.h"
#include "lisp/lisp_host.h"
#include "ut/resbuf_memory.h"

namespace arx::ap {
namespace {

using namespace arx::lisp;
using arx::db::DxfItem;

using Chain = ut::ResbufChain;

// ---- Result buffers to groups ------------------------------------------------------------

Value groupValue(const resbuf& rb)
{
    const int code = rb.restype;
    if (code == -1 || code == -2) return makeEntityName(rb.resval.rlname);
    switch (db::kindOfCode(code)) {
    case DxfItem::Kind::Real: return makeReal(rb.resval.rreal);
    case DxfItem::Kind::Point: return makePoint(rb.resval.rpoint[0], rb.resval.rpoint[1], rb.resval.rpoint[2]);
    case DxfItem::Kind::Integer:
        return makeInteger(db::integerBitsOfCode(code) >= 32 ? static_cast<std::int32_t>(rb.resval.rlong)
                                                             : rb.resval.rint);
    case DxfItem::Kind::Id: return makeEntityName(rb.resval.rlname);
    case DxfItem::Kind::Binary: {
        static const char* digits = "0123456789ABCDEF";
        std::string hex;
        for (short i = 0; i < rb.resval.rbinary.clen; ++i) {
            const auto byte = static_cast<unsigned char>(rb.resval.rbinary.buf[i]);
            hex += digits[byte >> 4];
            hex += digits[byte & 15];
        }
        return makeString(hex);
    }
    default: return makeString(rb.resval.rstring ? rb.resval.rstring : "");
    }
}

// (code . value), or (code x y z) for a point (a point is already a list).
Value group(const resbuf& rb) { return cons(makeInteger(rb.restype), groupValue(rb)); }

// Extended data after -3: one list per application, its name first.
Value extendedData(const resbuf* rb)
{
    ListBuilder apps;
    ListBuilder current;
    bool open = false;
    auto closeApp = [&] {
        if (open) apps.append(current.result());
        current = ListBuilder();
        open = false;
    };
    for (; rb != nullptr; rb = rb->rbnext) {
        if (rb->restype == 1001) {
            closeApp();
            current.append(makeString(rb->resval.rstring ? rb->resval.rstring : ""));
            open = true;
        } else if (open) {
            current.append(group(*rb));
        }
    }
    closeApp();
    return cons(makeInteger(-3), apps.result());
}

Value entityList(const resbuf* chain)
{
    ListBuilder list;
    for (const resbuf* rb = chain; rb != nullptr; rb = rb->rbnext) {
        if (rb->restype == -3) {
            list.append(extendedData(rb->rbnext));
            break;
        }
        list.append(group(*rb));
    }
    return list.result();
}

// ---- Groups to result buffers ------------------------------------------------------------

[[noreturn]] void badGroup(const Value& group)
{
    throw LispError("bad DXF group: " + printValue(group, PrintStyle::Prin1));
}

char* copyText(const std::string& text)
{
    char* copy = static_cast<char*>(std::malloc(text.size() + 1));
    if (copy == nullptr) throw std::bad_alloc();
    std::memcpy(copy, text.c_str(), text.size() + 1);
    return copy;
}

// Fills a buffer of the group's code from its value; false when the value does not fit.
bool setGroupValue(resbuf& rb, const Value& value)
{
    const int code = rb.restype;
    if (code == -1 || code == -2 || db::kindOfCode(code) == DxfItem::Kind::Id) {
        if (!isEntityName(value)) return false;
        rb.resval.rlname[0] = adsNameOf(value)[0];
        rb.resval.rlname[1] = adsNameOf(value)[1];
        return true;
    }
    switch (db::kindOfCode(code)) {
    case DxfItem::Kind::Real:
        if (!isNumber(value)) return false;
        rb.resval.rreal = numberOf(value);
        return true;
    case DxfItem::Kind::Point: {
        std::vector<Value> xyz;
        if (!listElements(value, xyz) || xyz.size() < 2 || xyz.size() > 3) return false;
        for (std::size_t i = 0; i < 3; ++i) {
            if (i < xyz.size() && !isNumber(xyz[i])) return false;
            rb.resval.rpoint[i] = i < xyz.size() ? numberOf(xyz[i]) : 0.0;
        }
        return true;
    }
    case DxfItem::Kind::Integer:
        if (!isInteger(value)) return false;
        if (db::integerBitsOfCode(code) >= 32) rb.resval.rlong = integerOf(value);
        else rb.resval.rint = static_cast<short>(integerOf(value));
        return true;
    case DxfItem::Kind::Text:
        if (!isString(value)) return false;
        rb.resval.rstring = copyText(textOf(value));
        return true;
    default: return false;
    }
}

class ChainBuilder {
public:
    resbuf& append(int code)
    {
        resbuf* rb = acutNewRb(code);
        if (rb == nullptr) throw std::bad_alloc();
        if (last_) last_->rbnext = rb;
        else head_.reset(rb);
        last_ = rb;
        return *rb;
    }
    Chain release() { return std::move(head_); }

private:
    Chain head_;
    resbuf* last_ = nullptr;
};

void appendGroup(ChainBuilder& chain, const Value& item)
{
    if (!isCons(item) || !isInteger(consOf(item).car())) badGroup(item);
    resbuf& rb = chain.append(integerOf(consOf(item).car()));
    if (!setGroupValue(rb, consOf(item).cdr())) badGroup(item);
}

// (-3 ("APP" (1000 . "x") ...) ...) as -3, 1001 "APP", the groups.
void appendExtendedData(ChainBuilder& chain, const Value& item)
{
    chain.append(-3);
    std::vector<Value> entries;
    if (!listElements(consOf(item).cdr(), entries)) badGroup(item);
    for (const Value& app : entries) {
        std::vector<Value> parts;
        if (!listElements(app, parts) || parts.empty() || !isString(parts[0])) badGroup(item);
        chain.append(1001).resval.rstring = copyText(textOf(parts[0]));
        for (std::size_t i = 1; i < parts.size(); ++i) appendGroup(chain, parts[i]);
    }
}

Chain chainOf(const Value& list)
{
    ChainBuilder chain;
    for (const Value& item : properListElements(list)) {
        if (isCons(item) && isInteger(consOf(item).car()) && integerOf(consOf(item).car()) == -3)
            appendExtendedData(chain, item);
        else appendGroup(chain, item);
    }
    return chain.release();
}

}  // namespace

resbuf* dxfChainOf(const Value& list) { return chainOf(list).release(); }

namespace {

// ---- Builtins ----------------------------------------------------------------------------

Value nameValue(const ads_name name) { return makeEntityName(name); }

Value entget(Interpreter&, const Arguments& args)
{
    requireArgumentCount(args, 1, 2);
    const long* name = entityNameArgument(args[0]);
    Chain apps;
    if (args.size() == 2) {
        ChainBuilder names;
        for (const Value& app : properListElements(listArgument(args[1])))
            names.append(RTSTR).resval.rstring = copyText(stringArgument(app));
        apps = names.release();
    }
    ads_name ent = {name[0], name[1]};
    Chain list(acdbEntGetX(ent, apps.get()));
    return list ? entityList(list.get()) : Value();
}

Value entmake(Interpreter&, const Arguments& args)
{
    requireArgumentCount(args, 0, 1);
    if (args.empty() || isNil(args[0])) return Value();
    Chain chain = chainOf(listArgument(args[0]));
    return acdbEntMake(chain.get()) == RTNORM ? args[0] : Value();
}

Value entmod(Interpreter&, const Arguments& args)
{
    requireArgumentCount(args, 1);
    Chain chain = chainOf(listArgument(args[0]));
    return acdbEntMod(chain.get()) == RTNORM ? args[0] : Value();
}

Value entdel(Interpreter&, const Arguments& args)
{
    requireArgumentCount(args, 1);
    const long* name = entityNameArgument(args[0]);
    ads_name ent = {name[0], name[1]};
    return acdbEntDel(ent) == RTNORM ? args[0] : Value();
}

Value entlast(Interpreter&, const Arguments& args)
{
    requireArgumentCount(args, 0);
    ads_name result;
    return acdbEntLast(result) == RTNORM ? nameValue(result) : Value();
}

Value entnext(Interpreter&, const Arguments& args)
{
    requireArgumentCount(args, 0, 1);
    ads_name after = {0, 0};
    if (!args.empty() && !isNil(args[0])) {
        const long* name = entityNameArgument(args[0]);
        after[0] = name[0];
        after[1] = name[1];
    }
    ads_name result;
    return acdbEntNext(after, result) == RTNORM ? nameValue(result) : Value();
}

Value handent(Interpreter&, const Arguments& args)
{
    requireArgumentCount(args, 1);
    ads_name result;
    return acdbHandEnt(stringArgument(args[0]).c_str(), result) == RTNORM ? nameValue(result) : Value();
}

// (tblsearch table name [setnext]): the table record's list, or nil.
Value tblsearch(Interpreter&, const Arguments& args)
{
    requireArgumentCount(args, 2, 3);
    const int setNext = args.size() == 3 && !isNil(args[2]) ? 1 : 0;
    Chain list(acdbTblSearch(stringArgument(args[0]).c_str(), stringArgument(args[1]).c_str(), setNext));
    return list ? entityList(list.get()) : Value();
}

Value entupd(Interpreter&, const Arguments& args)
{
    requireArgumentCount(args, 1);
    const long* name = entityNameArgument(args[0]);
    ads_name ent = {name[0], name[1]};
    return acdbEntUpd(ent) == RTNORM ? args[0] : Value();
}

}  // namespace

void addEntityBuiltins()
{
    addBuiltin("entget", entget);
    addBuiltin("entmake", entmake);
    addBuiltin("entmod", entmod);
    addBuiltin("entdel", entdel);
    addBuiltin("entlast", entlast);
    addBuiltin("entnext", entnext);
    addBuiltin("handent", handent);
    addBuiltin("entupd", entupd);
    addBuiltin("tblsearch", tblsearch);
}

}  // namespace arx::ap
