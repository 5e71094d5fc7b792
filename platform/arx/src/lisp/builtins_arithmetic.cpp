// Arithmetic. Integers are 32 bits and wrap around on overflow, as the host's do; an
// operation on two integers gives an integer (division truncates), any real makes it real.
#include <cmath>
#include <cstdint>
#include <limits>

#include "lisp/builtin_args.h"
#include "lisp/builtin_registry.h"
#include "lisp/errors.h"
#include "lisp/lisp_host.h"

namespace arx::lisp {

namespace {

using Int = std::int32_t;

Int wrap(std::int64_t value) { return static_cast<Int>(static_cast<std::uint32_t>(value)); }
Int add(Int a, Int b) { return wrap(static_cast<std::int64_t>(a) + b); }
Int subtract(Int a, Int b) { return wrap(static_cast<std::int64_t>(a) - b); }
Int multiply(Int a, Int b) { return wrap(static_cast<std::int64_t>(a) * b); }

// A number argument, checked once.
struct Number {
    explicit Number(const Value& value) : real(isReal(value)), i(0), r(numberArgument(value))
    {
        if (!real) i = integerOf(value);
    }
    bool real;
    Int i;
    double r;
};

Value toValue(const Number& n) { return n.real ? makeReal(n.r) : makeInteger(n.i); }

// Folds the arguments left to right: integer steps while both sides are integers.
template <typename IntOp, typename RealOp>
Value fold(const Arguments& args, IntOp intOp, RealOp realOp)
{
    Number acc(args[0]);
    for (std::size_t k = 1; k < args.size(); ++k) {
        Number next(args[k]);
        if (!acc.real && !next.real) {
            acc.i = intOp(acc.i, next.i);
            acc.r = acc.i;
        } else {
            acc.r = realOp(acc.r, next.r);
            acc.real = true;
        }
    }
    return toValue(acc);
}

Value plus(Interpreter&, const Arguments& args)
{
    if (args.empty()) return makeInteger(0);
    return fold(args, add, [](double a, double b) { return a + b; });
}

Value minus(Interpreter&, const Arguments& args)
{
    if (args.empty()) return makeInteger(0);
    if (args.size() == 1) {
        Number n(args[0]);
        return n.real ? makeReal(-n.r) : makeInteger(subtract(0, n.i));
    }
    return fold(args, subtract, [](double a, double b) { return a - b; });
}

Value times(Interpreter&, const Arguments& args)
{
    if (args.empty()) return makeInteger(0);
    return fold(args, multiply, [](double a, double b) { return a * b; });
}

Int divideIntegers(Int a, Int b)
{
    if (b == 0) throw errors::divideByZero();
    if (b == -1) return subtract(0, a);  // INT_MIN / -1 wraps instead of trapping
    return a / b;
}

double divideReals(double a, double b)
{
    if (b == 0.0) throw errors::divideByZero();
    return a / b;
}

Value divide(Interpreter&, const Arguments& args)
{
    if (args.empty()) return makeInteger(0);
    return fold(args, divideIntegers, divideReals);
}

Int remainderIntegers(Int a, Int b)
{
    if (b == 0) throw errors::divideByZero();
    if (b == -1) return 0;
    return a % b;
}

double remainderReals(double a, double b)
{
    if (b == 0.0) throw errors::divideByZero();
    return std::fmod(a, b);
}

Value rem(Interpreter&, const Arguments& args)
{
    if (args.empty()) return makeInteger(0);
    return fold(args, remainderIntegers, remainderReals);
}

Value increment(Interpreter&, const Arguments& args)
{
    requireArgumentCount(args, 1);
    Number n(args[0]);
    return n.real ? makeReal(n.r + 1) : makeInteger(add(n.i, 1));
}

Value decrement(Interpreter&, const Arguments& args)
{
    requireArgumentCount(args, 1);
    Number n(args[0]);
    return n.real ? makeReal(n.r - 1) : makeInteger(subtract(n.i, 1));
}

Value absolute(Interpreter&, const Arguments& args)
{
    requireArgumentCount(args, 1);
    Number n(args[0]);
    if (n.real) return makeReal(std::fabs(n.r));
    return makeInteger(n.i < 0 ? subtract(0, n.i) : n.i);
}

// min and max: the result is real when any argument is.
template <typename Better>
Value extreme(const Arguments& args, Better better)
{
    if (args.empty()) return makeInteger(0);
    bool anyReal = false;
    std::size_t best = 0;
    for (std::size_t k = 0; k < args.size(); ++k) {
        Number n(args[k]);
        anyReal = anyReal || n.real;
        if (k > 0 && better(n.r, numberOf(args[best]))) best = k;
    }
    return anyReal ? makeReal(numberOf(args[best])) : args[best];
}

Value minimum(Interpreter&, const Arguments& args)
{
    return extreme(args, [](double a, double b) { return a < b; });
}

Value maximum(Interpreter&, const Arguments& args)
{
    return extreme(args, [](double a, double b) { return a > b; });
}

// fix truncates; a real beyond the integer range stays a (truncated) real, as the host does.
Value fix(Interpreter&, const Arguments& args)
{
    requireArgumentCount(args, 1);
    Number n(args[0]);
    if (!n.real) return args[0];
    double truncated = std::trunc(n.r);
    if (truncated >= std::numeric_limits<Int>::min() && truncated <= std::numeric_limits<Int>::max())
        return makeInteger(static_cast<Int>(truncated));
    return makeReal(truncated);
}

Value toFloat(Interpreter&, const Arguments& args)
{
    requireArgumentCount(args, 1);
    return makeReal(numberArgument(args[0]));
}

Value squareRoot(Interpreter&, const Arguments& args)
{
    requireArgumentCount(args, 1);
    double x = numberArgument(args[0]);
    if (x < 0) throw errors::functionUndefinedForArgument(args[0]);
    return makeReal(std::sqrt(x));
}

Int integerPower(Int base, Int power)
{
    if (power < 0) {
        if (base == 0) throw errors::divideByZero();
        if (base == 1) return 1;
        if (base == -1) return (power % 2 == 0) ? 1 : -1;
        return 0;  // the integer part of a fraction
    }
    Int result = 1;
    for (Int square = base; power > 0; power >>= 1, square = multiply(square, square))
        if (power & 1) result = multiply(result, square);
    return result;
}

Value power(Interpreter&, const Arguments& args)
{
    requireArgumentCount(args, 2);
    Number base(args[0]);
    Number exponent(args[1]);
    if (!base.real && !exponent.real) return makeInteger(integerPower(base.i, exponent.i));
    double result = std::pow(base.r, exponent.r);
    if (std::isnan(result)) throw errors::functionUndefinedForArgument(args[0]);
    return makeReal(result);
}

template <double (*F)(double)>
Value realFunction(Interpreter&, const Arguments& args)
{
    requireArgumentCount(args, 1);
    return makeReal(F(numberArgument(args[0])));
}

double sine(double x) { return std::sin(x); }
double cosine(double x) { return std::cos(x); }
double exponential(double x) { return std::exp(x); }

Value arcTangent(Interpreter&, const Arguments& args)
{
    requireArgumentCount(args, 1, 2);
    double y = numberArgument(args[0]);
    if (args.size() == 1) return makeReal(std::atan(y));
    return makeReal(std::atan2(y, numberArgument(args[1])));
}

Value logarithm(Interpreter&, const Arguments& args)
{
    requireArgumentCount(args, 1);
    double x = numberArgument(args[0]);
    if (x <= 0) throw errors::functionUndefinedForArgument(args[0]);
    return makeReal(std::log(x));
}

// Bitwise operations on integers (layer flags and the like).
template <typename Op>
Value bitwiseFold(const Arguments& args, Int identity, Op op)
{
    Int acc = identity;
    for (const Value& arg : args) acc = op(acc, integerArgument(arg));
    return makeInteger(acc);
}

Value logicalAnd(Interpreter&, const Arguments& args)
{
    if (args.empty()) return makeInteger(0);
    return bitwiseFold(args, -1, [](Int a, Int b) { return a & b; });
}

Value logicalOr(Interpreter&, const Arguments& args)
{
    return bitwiseFold(args, 0, [](Int a, Int b) { return a | b; });
}

Value bitwiseNot(Interpreter&, const Arguments& args)
{
    requireArgumentCount(args, 1);
    return makeInteger(~integerArgument(args[0]));
}

Value leftShift(Interpreter&, const Arguments& args)
{
    requireArgumentCount(args, 0, 2);
    if (args.empty()) return makeInteger(0);
    auto value = static_cast<std::uint32_t>(integerArgument(args[0]));
    Int bits = args.size() == 2 ? integerArgument(args[1]) : 0;
    if (bits >= 32 || bits <= -32) return makeInteger(0);
    value = bits >= 0 ? value << bits : value >> -bits;
    return makeInteger(static_cast<Int>(value));
}

}  // namespace

void registerArithmeticBuiltins()
{
    addBuiltin("+", plus);
    addBuiltin("-", minus);
    addBuiltin("*", times);
    addBuiltin("/", divide);
    addBuiltin("rem", rem);
    addBuiltin("1+", increment);
    addBuiltin("1-", decrement);
    addBuiltin("abs", absolute);
    addBuiltin("min", minimum);
    addBuiltin("max", maximum);
    addBuiltin("fix", fix);
    addBuiltin("float", toFloat);
    addBuiltin("sqrt", squareRoot);
    addBuiltin("expt", power);
    addBuiltin("sin", realFunction<sine>);
    addBuiltin("cos", realFunction<cosine>);
    addBuiltin("exp", realFunction<exponential>);
    addBuiltin("atan", arcTangent);
    addBuiltin("log", logarithm);
    addBuiltin("logand", logicalAnd);
    addBuiltin("logior", logicalOr);
    addBuiltin("~", bitwiseNot);
    addBuiltin("lsh", leftShift);
}

}  // namespace arx::lisp
