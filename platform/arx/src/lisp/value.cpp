#include "lisp/value.h"

namespace arx::lisp {

namespace {

bool uniquelyOwnedCons(const Value& v) { return v && v.use_count() == 1 && v->type() == Type::Cons; }

}  // namespace

Cons::~Cons()
{
    if (!uniquelyOwnedCons(car_) && !uniquelyOwnedCons(cdr_)) return;
    // Take the cells apart one by one: every cell popped here has no more children when it
    // is finally released, so its own destructor returns at once.
    std::vector<Value> pending;
    pending.push_back(std::move(car_));
    pending.push_back(std::move(cdr_));
    while (!pending.empty()) {
        Value v = std::move(pending.back());
        pending.pop_back();
        if (uniquelyOwnedCons(v)) {
            auto& cell = static_cast<Cons&>(*v);
            pending.push_back(std::move(cell.car_));
            pending.push_back(std::move(cell.cdr_));
        }
    }
}

Value makeInteger(std::int32_t value) { return std::make_shared<Integer>(value); }
Value makeReal(double value) { return std::make_shared<Real>(value); }
Value makeString(std::string text) { return std::make_shared<String>(std::move(text)); }
Value makeSymbol(std::string_view name) { return Symbol::intern(name); }
Value cons(Value car, Value cdr) { return std::make_shared<Cons>(std::move(car), std::move(cdr)); }

Value makeList(std::initializer_list<Value> items)
{
    ListBuilder list;
    for (const Value& item : items) list.append(item);
    return list.result();
}

Value makeList(const std::vector<Value>& items)
{
    ListBuilder list;
    for (const Value& item : items) list.append(item);
    return list.result();
}

Value makeEntityName(const long name[2]) { return std::make_shared<AdsName>(Type::EntityName, name); }
Value makeSelectionSet(const long name[2]) { return std::make_shared<AdsName>(Type::SelectionSet, name); }

Value makePoint(double x, double y) { return makeList({makeReal(x), makeReal(y)}); }
Value makePoint(double x, double y, double z) { return makeList({makeReal(x), makeReal(y), makeReal(z)}); }

Value boolean(bool value) { return value ? symbolT() : Value(); }

const Value& symbolT()
{
    static const Value t = Symbol::intern("T");
    return t;
}
const Value& symbolQuote()
{
    static const Value quote = Symbol::intern("QUOTE");
    return quote;
}
const Value& symbolLambda()
{
    static const Value lambda = Symbol::intern("LAMBDA");
    return lambda;
}
const Value& symbolError()
{
    static const Value error = Symbol::intern("*ERROR*");
    return error;
}
const Value& voidValue()
{
    static const Value empty = Symbol::intern("");
    return empty;
}

bool isFunction(const Value& v)
{
    if (!v) return false;
    Type t = v->type();
    return t == Type::Builtin || t == Type::UserFunction || t == Type::External;
}

bool listElements(const Value& list, std::vector<Value>& out)
{
    Value rest = list;
    while (isCons(rest)) {
        out.push_back(consOf(rest).car());
        rest = consOf(rest).cdr();
    }
    return !rest;
}

void ListBuilder::append(Value item)
{
    auto cell = std::make_shared<Cons>(std::move(item), Value());
    Cons* raw = cell.get();
    if (last_) last_->setCdr(std::move(cell));
    else head_ = std::move(cell);
    last_ = raw;
}

void ListBuilder::setTail(Value tail)
{
    if (last_) last_->setCdr(std::move(tail));
}

}  // namespace arx::lisp
