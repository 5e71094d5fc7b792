#include "lisp/builtin_registry.h"

#include <cmath>
#include <unordered_map>

#include "lisp/lisp_host.h"

namespace arx::lisp {

namespace {

using Table = std::unordered_map<const Symbol*, Value>;

const Symbol* symbolNamed(std::string_view name) { return static_cast<const Symbol*>(Symbol::intern(name).get()); }

void registerCore()
{
    definePredefined("T", symbolT());
    definePredefined("PI", makeReal(3.14159265358979323846));
    definePredefined("PAUSE", makeString("\\"));
    registerSpecialForms();
    registerArithmeticBuiltins();
    registerComparisonBuiltins();
    registerListBuiltins();
    registerStringBuiltins();
    registerOutputBuiltins();
    registerPredicateBuiltins();
    registerEvaluationBuiltins();
}

Table& table()
{
    static Table predefined;
    static bool initialised = false;
    if (!initialised) {
        initialised = true;  // before registering: registration comes back here
        registerCore();
    }
    return predefined;
}

}  // namespace

const Value* predefinedValue(const Symbol* symbol)
{
    auto& predefined = table();
    auto found = predefined.find(symbol);
    return found == predefined.end() ? nullptr : &found->second;
}

void definePredefined(std::string_view name, Value value) { table()[symbolNamed(name)] = std::move(value); }

void addSpecialForm(std::string_view name, BuiltinFunction function)
{
    definePredefined(name, std::make_shared<Builtin>(std::string(name), std::move(function), true));
}

void addBuiltin(std::string_view name, BuiltinFunction function)
{
    definePredefined(name, std::make_shared<Builtin>(std::string(name), std::move(function), false));
}

void removeBuiltin(std::string_view name) { table().erase(symbolNamed(name)); }

}  // namespace arx::lisp
