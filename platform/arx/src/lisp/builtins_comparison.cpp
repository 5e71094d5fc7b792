// Comparison: = /= < > <= >= on numbers and strings, eq (the same object) and equal (the same
// structure, numbers within an optional fuzz).
#include <cmath>
#include <cstring>

#include "lisp/builtin_args.h"
#include "lisp/builtin_registry.h"
#include "lisp/comparison.h"
#include "lisp/errors.h"
#include "lisp/lisp_host.h"
#include "lisp/stack_guard.h"

namespace arx::lisp {

namespace {

int compareStrings(const std::string& a, const std::string& b)
{
    // Character codes compared unsigned, as the host's strcmp does on code page 1252.
    std::size_t n = std::min(a.size(), b.size());
    int c = std::memcmp(a.data(), b.data(), n);
    if (c != 0) return c < 0 ? -1 : 1;
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

// -1, 0 or 1 for two numbers or two strings; throws for anything else.
int orderOf(const Value& a, const Value& b)
{
    if (isString(a) && isString(b)) return compareStrings(textOf(a), textOf(b));
    double x = numberArgument(a);
    double y = numberArgument(b);
    return x < y ? -1 : (x > y ? 1 : 0);
}

// = and /=: numbers by value, strings by text, anything else by identity.
bool sameValue(const Value& a, const Value& b)
{
    if (isNumber(a) && isNumber(b)) return numberOf(a) == numberOf(b);
    if (isString(a) && isString(b)) return textOf(a) == textOf(b);
    return isEq(a, b);
}

template <typename Holds>
Value chain(const Arguments& args, Holds holds)
{
    requireAtLeast(args, 1);
    for (std::size_t k = 1; k < args.size(); ++k)
        if (!holds(args[k - 1], args[k])) return Value();
    return symbolT();
}

Value equalSign(Interpreter&, const Arguments& args) { return chain(args, sameValue); }

Value notEqualSign(Interpreter&, const Arguments& args)
{
    return chain(args, [](const Value& a, const Value& b) { return !sameValue(a, b); });
}

Value less(Interpreter&, const Arguments& args)
{
    return chain(args, [](const Value& a, const Value& b) { return orderOf(a, b) < 0; });
}
Value greater(Interpreter&, const Arguments& args)
{
    return chain(args, [](const Value& a, const Value& b) { return orderOf(a, b) > 0; });
}
Value lessOrEqual(Interpreter&, const Arguments& args)
{
    return chain(args, [](const Value& a, const Value& b) { return orderOf(a, b) <= 0; });
}
Value greaterOrEqual(Interpreter&, const Arguments& args)
{
    return chain(args, [](const Value& a, const Value& b) { return orderOf(a, b) >= 0; });
}

Value eq(Interpreter&, const Arguments& args)
{
    requireArgumentCount(args, 2);
    return boolean(isEq(args[0], args[1]));
}

Value equal(Interpreter&, const Arguments& args)
{
    requireArgumentCount(args, 2, 3);
    double fuzz = args.size() == 3 ? numberArgument(args[2]) : 0.0;
    return boolean(isEqual(args[0], args[1], fuzz));
}

}  // namespace

bool isEq(const Value& a, const Value& b)
{
    if (a == b) return true;
    if (!a || !b || a->type() != b->type()) return false;
    switch (a->type()) {
    case Type::Integer: return integerOf(a) == integerOf(b);
    case Type::EntityName:
    case Type::SelectionSet: return adsNameOf(a)[0] == adsNameOf(b)[0] && adsNameOf(a)[1] == adsNameOf(b)[1];
    default: return false;
    }
}

bool isEqual(const Value& a, const Value& b, double fuzz)
{
    if (isNumber(a) && isNumber(b)) return std::fabs(numberOf(a) - numberOf(b)) <= fuzz;
    if (isString(a) && isString(b)) return textOf(a) == textOf(b);
    if (isCons(a) && isCons(b)) {
        StackGuard guard;
        Value x = a;
        Value y = b;
        while (isCons(x) && isCons(y)) {
            if (!isEqual(consOf(x).car(), consOf(y).car(), fuzz)) return false;
            x = consOf(x).cdr();
            y = consOf(y).cdr();
        }
        return isEqual(x, y, fuzz);
    }
    return isEq(a, b);
}

void registerComparisonBuiltins()
{
    addBuiltin("=", equalSign);
    addBuiltin("/=", notEqualSign);
    addBuiltin("<", less);
    addBuiltin(">", greater);
    addBuiltin("<=", lessOrEqual);
    addBuiltin(">=", greaterOrEqual);
    addBuiltin("eq", eq);
    addBuiltin("equal", equal);
}

}  // namespace arx::lisp
