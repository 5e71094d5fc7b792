// AutoLISP values: atoms, symbols, cons cells, entity and selection-set names, functions.
// A value is a shared pointer to an immutable object; nil is the empty pointer. Symbols are
// interned process-wide and never hold values themselves (each interpreter keeps its own
// bindings), so no ownership cycle can form between values.
#pragma once
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace arx::lisp {

class Interpreter;

enum class Type {
    Integer,
    Real,
    String,
    Symbol,
    Cons,
    EntityName,
    SelectionSet,
    Builtin,
    UserFunction,
    External,
};

class Object {
public:
    virtual ~Object() = default;
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;
    Type type() const { return type_; }

protected:
    explicit Object(Type type) : type_(type) {}

private:
    Type type_;
};

using Value = std::shared_ptr<Object>;
using Arguments = std::vector<Value>;

// The module that defined an external function (the application id its entry point gets).
using ModuleId = void*;

class Integer final : public Object {
public:
    explicit Integer(std::int32_t value) : Object(Type::Integer), value_(value) {}
    std::int32_t value() const { return value_; }

private:
    std::int32_t value_;
};

class Real final : public Object {
public:
    explicit Real(double value) : Object(Type::Real), value_(value) {}
    double value() const { return value_; }

private:
    double value_;
};

class String final : public Object {
public:
    explicit String(std::string text) : Object(Type::String), text_(std::move(text)) {}
    const std::string& text() const { return text_; }

private:
    std::string text_;
};

class Symbol final : public Object {
public:
    // The one symbol of that name (compared without regard to case); names are kept upper case.
    static Value intern(std::string_view name);
    // A name as symbols spell it: ASCII letters upper case, the other characters as they are.
    static std::string upperCase(std::string_view name);
    const std::string& name() const { return name_; }

    explicit Symbol(std::string upperName) : Object(Type::Symbol), name_(std::move(upperName)) {}

private:
    std::string name_;
};

class Cons final : public Object {
public:
    Cons(Value car, Value cdr) : Object(Type::Cons), car_(std::move(car)), cdr_(std::move(cdr)) {}
    // Long lists are released iteratively so that freeing them never recurses deeply.
    ~Cons() override;
    const Value& car() const { return car_; }
    const Value& cdr() const { return cdr_; }
    // Only while a list is being built (ListBuilder), before anyone else sees the cell.
    void setCdr(Value cdr) { cdr_ = std::move(cdr); }

private:
    Value car_;
    Value cdr_;
};

// An entity name or a selection-set name: the host's ads_name pair.
class AdsName final : public Object {
public:
    AdsName(Type type, const long name[2]) : Object(type), name_{name[0], name[1]} {}
    const long* name() const { return name_; }

private:
    long name_[2];
};

class Function : public Object {
public:
    const std::string& name() const { return name_; }

protected:
    Function(Type type, std::string name) : Object(type), name_(std::move(name)) {}

private:
    std::string name_;
};

// A function written in C++: other areas add theirs through addBuiltin (lisp_host.h).
// Ordinary builtins get their arguments evaluated; special forms get them as written.
using BuiltinFunction = std::function<Value(Interpreter&, const Arguments&)>;

class Builtin final : public Function {
public:
    Builtin(std::string name, BuiltinFunction body, bool specialForm)
        : Function(Type::Builtin, std::move(name)), body_(std::move(body)), special_(specialForm)
    {}
    bool isSpecialForm() const { return special_; }
    Value call(Interpreter& interpreter, const Arguments& arguments) const { return body_(interpreter, arguments); }

private:
    BuiltinFunction body_;
    bool special_;
};

// defun or lambda: parameters, locals (after "/") and the body forms.
class UserFunction final : public Function {
public:
    UserFunction(std::string name, std::vector<const Symbol*> parameters, std::vector<const Symbol*> locals, Value body)
        : Function(Type::UserFunction, std::move(name)), parameters_(std::move(parameters)), locals_(std::move(locals)),
          body_(std::move(body))
    {}
    const std::vector<const Symbol*>& parameters() const { return parameters_; }
    const std::vector<const Symbol*>& locals() const { return locals_; }
    const Value& body() const { return body_; }

private:
    std::vector<const Symbol*> parameters_;
    std::vector<const Symbol*> locals_;
    Value body_;
};

// A function defined by a module with acedDefun; called through the module's entry point.
class ExternalFunction final : public Function {
public:
    ExternalFunction(std::string name, ModuleId module, int code)
        : Function(Type::External, std::move(name)), module_(module), code_(code)
    {}
    ModuleId module() const { return module_; }
    int code() const { return code_; }

private:
    ModuleId module_;
    int code_;
};

// ---- Construction ----------------------------------------------------------------------
Value makeInteger(std::int32_t value);
Value makeReal(double value);
Value makeString(std::string text);
Value makeSymbol(std::string_view name);
Value cons(Value car, Value cdr);
Value makeList(std::initializer_list<Value> items);
Value makeList(const std::vector<Value>& items);
Value makeEntityName(const long name[2]);
Value makeSelectionSet(const long name[2]);
Value makePoint(double x, double y);
Value makePoint(double x, double y, double z);
Value boolean(bool value);  // T or nil

// Well-known symbols.
const Value& symbolT();
const Value& symbolQuote();
const Value& symbolLambda();
const Value& symbolError();  // *error*
// The null symbol: what (princ) and acedRetVoid give; it prints as nothing.
const Value& voidValue();

// ---- Queries ---------------------------------------------------------------------------
inline bool isNil(const Value& v) { return !v; }
inline bool is(const Value& v, Type type) { return v && v->type() == type; }
inline bool isInteger(const Value& v) { return is(v, Type::Integer); }
inline bool isReal(const Value& v) { return is(v, Type::Real); }
inline bool isNumber(const Value& v) { return isInteger(v) || isReal(v); }
inline bool isString(const Value& v) { return is(v, Type::String); }
inline bool isSymbol(const Value& v) { return is(v, Type::Symbol); }
inline bool isCons(const Value& v) { return is(v, Type::Cons); }
inline bool isList(const Value& v) { return !v || v->type() == Type::Cons; }
inline bool isEntityName(const Value& v) { return is(v, Type::EntityName); }
inline bool isSelectionSet(const Value& v) { return is(v, Type::SelectionSet); }
bool isFunction(const Value& v);
inline bool isT(const Value& v) { return v == symbolT(); }
inline bool isVoid(const Value& v) { return v == voidValue(); }

// Unchecked accessors: the caller has tested the type.
inline std::int32_t integerOf(const Value& v) { return static_cast<const Integer&>(*v).value(); }
inline double realOf(const Value& v) { return static_cast<const Real&>(*v).value(); }
inline double numberOf(const Value& v) { return isInteger(v) ? integerOf(v) : realOf(v); }
inline const std::string& textOf(const Value& v) { return static_cast<const String&>(*v).text(); }
inline const Symbol& symbolOf(const Value& v) { return static_cast<const Symbol&>(*v); }
inline const Cons& consOf(const Value& v) { return static_cast<const Cons&>(*v); }
inline const long* adsNameOf(const Value& v) { return static_cast<const AdsName&>(*v).name(); }

// car and cdr of a list; nil for nil (the caller has checked it is a list).
inline const Value& carOf(const Value& list)
{
    static const Value nil;
    return list ? consOf(list).car() : nil;
}
inline const Value& cdrOf(const Value& list)
{
    static const Value nil;
    return list ? consOf(list).cdr() : nil;
}

// A proper list's elements; false when the list ends in a non-nil atom (a dotted list).
bool listElements(const Value& list, std::vector<Value>& out);

// Appends to the end of a fresh list in constant time.
class ListBuilder {
public:
    void append(Value item);
    void setTail(Value tail);  // makes a dotted list
    Value result() const { return head_; }
    bool empty() const { return !head_; }

private:
    Value head_;
    Cons* last_ = nullptr;
};

}  // namespace arx::lisp
