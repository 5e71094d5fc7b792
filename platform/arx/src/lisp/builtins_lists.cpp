// List functions: car, cdr and their combinations, cons, list, append, length, nth, last,
// reverse, member, assoc, subst.
#include "lisp/builtin_args.h"
#include "lisp/builtin_registry.h"
#include "lisp/comparison.h"
#include "lisp/errors.h"
#include "lisp/lisp_host.h"

namespace arx::lisp {

namespace {

Value carStep(const Value& v)
{
    if (!v) return v;
    if (!isCons(v)) throw errors::badArgumentType("consp", v);
    return consOf(v).car();
}

Value cdrStep(const Value& v)
{
    if (!v) return v;
    if (!isCons(v)) throw errors::badArgumentType("consp", v);
    return consOf(v).cdr();
}

// The builtin for c[ad]+r: the letters between c and r apply from right to left.
BuiltinFunction accessor(std::string letters)
{
    return [letters](Interpreter&, const Arguments& args) {
        requireArgumentCount(args, 1);
        Value v = args[0];
        for (auto letter = letters.rbegin(); letter != letters.rend(); ++letter)
            v = *letter == 'a' ? carStep(v) : cdrStep(v);
        return v;
    };
}

void registerAccessors(const std::string& letters, int depth)
{
    if (!letters.empty()) addBuiltin("c" + letters + "r", accessor(letters));
    if (depth == 4) return;
    registerAccessors(letters + "a", depth + 1);
    registerAccessors(letters + "d", depth + 1);
}

Value consBuiltin(Interpreter&, const Arguments& args)
{
    requireArgumentCount(args, 2);
    return cons(args[0], args[1]);
}

Value list(Interpreter&, const Arguments& args) { return makeList(args); }

Value append(Interpreter&, const Arguments& args)
{
    ListBuilder result;
    for (const Value& arg : args)
        for (const Value& item : properListElements(arg)) result.append(item);
    return result.result();
}

Value length(Interpreter&, const Arguments& args)
{
    requireArgumentCount(args, 1);
    return makeInteger(static_cast<std::int32_t>(properListElements(args[0]).size()));
}

Value nth(Interpreter&, const Arguments& args)
{
    requireArgumentCount(args, 2);
    std::int32_t index = integerArgument(args[0]);
    Value rest = listArgument(args[1]);
    if (index < 0) return Value();
    for (std::int32_t k = 0; k < index && isCons(rest); ++k) rest = consOf(rest).cdr();
    return isCons(rest) ? consOf(rest).car() : Value();
}

Value last(Interpreter&, const Arguments& args)
{
    requireArgumentCount(args, 1);
    Value rest = listArgument(args[0]);
    if (!rest) return rest;
    while (isCons(consOf(rest).cdr())) rest = consOf(rest).cdr();
    return consOf(rest).car();
}

Value reverse(Interpreter&, const Arguments& args)
{
    requireArgumentCount(args, 1);
    Value result;
    for (const Value& item : properListElements(args[0])) result = cons(item, result);
    return result;
}

Value member(Interpreter&, const Arguments& args)
{
    requireArgumentCount(args, 2);
    for (Value rest = listArgument(args[1]); isCons(rest); rest = consOf(rest).cdr())
        if (isEqual(args[0], consOf(rest).car())) return rest;
    return Value();
}

Value assoc(Interpreter&, const Arguments& args)
{
    requireArgumentCount(args, 2);
    for (Value rest = listArgument(args[1]); isCons(rest); rest = consOf(rest).cdr()) {
        const Value& entry = consOf(rest).car();
        if (isCons(entry) && isEqual(args[0], consOf(entry).car())) return entry;
    }
    return Value();
}

// (subst new old list): a copy of list with each element equal to old replaced by new.
Value subst(Interpreter&, const Arguments& args)
{
    requireArgumentCount(args, 3);
    ListBuilder result;
    Value rest = listArgument(args[2]);
    for (; isCons(rest); rest = consOf(rest).cdr()) {
        const Value& item = consOf(rest).car();
        result.append(isEqual(item, args[1]) ? args[0] : item);
    }
    if (rest) result.setTail(rest);
    return result.result();
}

}  // namespace

void registerListBuiltins()
{
    registerAccessors("", 0);
    addBuiltin("cons", consBuiltin);
    addBuiltin("list", list);
    addBuiltin("append", append);
    addBuiltin("length", length);
    addBuiltin("nth", nth);
    addBuiltin("last", last);
    addBuiltin("reverse", reverse);
    addBuiltin("member", member);
    addBuiltin("assoc", assoc);
    addBuiltin("subst", subst);
}

}  // namespace arx::lisp
