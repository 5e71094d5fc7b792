#include "lisp/resbuf_conversion.h"

#include <cstdint>
#include <limits>

#include "adscodes.h"
#include "lisp/errors.h"
#include "lisp/printer.h"
#include "ut/resbuf_memory.h"

namespace arx::lisp {

namespace {

// Nesting beyond this is refused rather than risking the stack.
constexpr int kMaxNesting = 1000;

bool fitsShort(std::int32_t value)
{
    return value >= std::numeric_limits<short>::min() && value <= std::numeric_limits<short>::max();
}

// A proper list of two or three numbers, the host's point form.
bool asPoint(const Value& list, double point[3], bool& is3d)
{
    std::vector<Value> items;
    if (!listElements(list, items) || items.size() < 2 || items.size() > 3) return false;
    for (const Value& item : items)
        if (!isNumber(item)) return false;
    point[0] = numberOf(items[0]);
    point[1] = numberOf(items[1]);
    point[2] = items.size() == 3 ? numberOf(items[2]) : 0.0;
    is3d = items.size() == 3;
    return true;
}

void setString(resbuf* rb, const std::string& text)
{
    rb->resval.rstring = ut::copyString(text.c_str());
    if (!rb->resval.rstring) throw std::bad_alloc();
}

void appendValue(ut::ResbufChainBuilder& chain, const Value& value, int depth);

void appendList(ut::ResbufChainBuilder& chain, const Value& list, int depth)
{
    double point[3];
    bool is3d = false;
    if (asPoint(list, point, is3d)) {
        resbuf* rb = chain.append(is3d ? RT3DPOINT : RTPOINT);
        for (int i = 0; i < 3; ++i) rb->resval.rpoint[i] = point[i];
        return;
    }
    if (depth >= kMaxNesting) throw errors::stackLimitReached();
    chain.append(RTLB);
    Value rest = list;
    for (; isCons(rest); rest = consOf(rest).cdr()) appendValue(chain, consOf(rest).car(), depth + 1);
    if (rest) {
        chain.append(RTDOTE);
        appendValue(chain, rest, depth + 1);
    }
    chain.append(RTLE);
}

void appendValue(ut::ResbufChainBuilder& chain, const Value& value, int depth)
{
    if (!value) {
        chain.append(RTNIL);
        return;
    }
    switch (value->type()) {
    case Type::Integer: {
        std::int32_t number = integerOf(value);
        if (fitsShort(number)) chain.append(RTSHORT)->resval.rint = static_cast<short>(number);
        else chain.append(RTLONG)->resval.rlong = number;
        return;
    }
    case Type::Real: chain.append(RTREAL)->resval.rreal = realOf(value); return;
    case Type::String: setString(chain.append(RTSTR), textOf(value)); return;
    case Type::Symbol:
        if (isT(value)) chain.append(RTT);
        else if (isVoid(value)) chain.append(RTVOID);
        else setString(chain.append(RTSTR), symbolOf(value).name());
        return;
    case Type::Cons: appendList(chain, value, depth); return;
    case Type::EntityName:
    case Type::SelectionSet: {
        resbuf* rb = chain.append(value->type() == Type::EntityName ? RTENAME : RTPICKS);
        rb->resval.rlname[0] = adsNameOf(value)[0];
        rb->resval.rlname[1] = adsNameOf(value)[1];
        return;
    }
    default: throw LispError("bad argument type: " + printValue(value, PrintStyle::Prin1));
    }
}

bool accepted(int type, ResbufAcceptance accept)
{
    switch (type) {
    case RTREAL:
    case RTPOINT:
    case RTSHORT:
    case RTANG:
    case RTSTR:
    case RTENAME:
    case RTPICKS:
    case RTORINT:
    case RT3DPOINT:
    case RTLB:
    case RTLE:
    case RTDOTE:
    case RTNIL:
    case RTT: return true;
    case RTLONG:
    case RTVOID: return accept == ResbufAcceptance::AnyValue;
    default: return false;
    }
}

// Reads lists out of a chain, item by item.
class ChainReader {
public:
    ChainReader(const resbuf* chain, ResbufAcceptance accept) : rb_(chain), accept_(accept) {}
    bool atEnd() const { return !rb_; }

    bool readItem(Value& out, int depth)
    {
        if (!rb_ || !accepted(rb_->restype, accept_)) return false;
        if (rb_->restype == RTLB) {
            if (depth >= kMaxNesting) return false;
            rb_ = rb_->rbnext;
            return readSequence(out, true, depth + 1);
        }
        if (rb_->restype == RTLE || rb_->restype == RTDOTE) return false;
        if (!readAtom(out)) return false;
        rb_ = rb_->rbnext;
        return true;
    }

    // The items up to the closing RTLE (nested) or the end of the chain (top level).
    bool readSequence(Value& out, bool nested, int depth)
    {
        ListBuilder list;
        while (rb_) {
            if (!accepted(rb_->restype, accept_)) return false;
            if (rb_->restype == RTLE) {
                if (!nested) return false;
                rb_ = rb_->rbnext;
                out = list.result();
                return true;
            }
            if (rb_->restype == RTDOTE) {
                if (list.empty()) return false;
                rb_ = rb_->rbnext;
                Value tail;
                if (!readItem(tail, depth)) return false;
                list.setTail(tail);
                if (nested) {
                    if (!rb_ || rb_->restype != RTLE) return false;
                    rb_ = rb_->rbnext;
                } else if (rb_) {
                    return false;
                }
                out = list.result();
                return true;
            }
            Value item;
            if (!readItem(item, depth)) return false;
            list.append(item);
        }
        if (nested) return false;  // no RTLE
        out = list.result();
        return true;
    }

private:
    bool readAtom(Value& out) const
    {
        const ads_u_val& v = rb_->resval;
        switch (rb_->restype) {
        case RTREAL:
        case RTANG:
        case RTORINT: out = makeReal(v.rreal); return true;
        case RTSHORT: out = makeInteger(v.rint); return true;
        case RTLONG:
            if (v.rlong < std::numeric_limits<std::int32_t>::min() ||
                v.rlong > std::numeric_limits<std::int32_t>::max())
                return false;
            out = makeInteger(static_cast<std::int32_t>(v.rlong));
            return true;
        case RTSTR:
            if (!v.rstring) return false;
            out = makeString(v.rstring);
            return true;
        case RTPOINT: out = makePoint(v.rpoint[0], v.rpoint[1]); return true;
        case RT3DPOINT: out = makePoint(v.rpoint[0], v.rpoint[1], v.rpoint[2]); return true;
        case RTENAME: out = makeEntityName(v.rlname); return true;
        case RTPICKS: out = makeSelectionSet(v.rlname); return true;
        case RTNIL: out = Value(); return true;
        case RTT: out = symbolT(); return true;
        case RTVOID: out = voidValue(); return true;
        default: return false;
        }
    }

    const resbuf* rb_;
    ResbufAcceptance accept_;
};

}  // namespace

resbuf* valuesToResbufs(const Arguments& values)
{
    ut::ResbufChainBuilder chain;
    for (const Value& value : values) appendValue(chain, value, 0);
    return chain.release();
}

resbuf* valueToResbufs(const Value& value)
{
    ut::ResbufChainBuilder chain;
    appendValue(chain, value, 0);
    return chain.release();
}

std::optional<Value> resbufsToList(const resbuf* chain, ResbufAcceptance accept)
{
    ChainReader reader(chain, accept);
    Value list;
    if (!reader.readSequence(list, false, 0)) return std::nullopt;
    return list;
}

std::optional<Value> resbufsToValue(const resbuf* chain, ResbufAcceptance accept)
{
    ChainReader reader(chain, accept);
    Value value;
    if (!reader.readItem(value, 0) || !reader.atEnd()) return std::nullopt;
    return value;
}

}  // namespace arx::lisp
