// Predicates and type: atom, listp, numberp, boundp, minusp, zerop, null, not, type.
#include "lisp/builtin_args.h"
#include "lisp/builtin_registry.h"
#include "lisp/interpreter.h"
#include "lisp/lisp_host.h"

namespace arx::lisp {

namespace {

template <bool (*Test)(const Value&)>
Value predicate(Interpreter&, const Arguments& args)
{
    requireArgumentCount(args, 1);
    return boolean(Test(args[0]));
}

bool atomTest(const Value& v) { return !isCons(v); }
bool listTest(const Value& v) { return isList(v); }
bool numberTest(const Value& v) { return isNumber(v); }
bool nullTest(const Value& v) { return !v; }

Value boundp(Interpreter& in, const Arguments& args)
{
    requireArgumentCount(args, 1);
    if (!args[0]) return Value();
    symbolArgument(args[0]);
    return boolean(static_cast<bool>(in.valueOf(args[0])));
}

Value minusp(Interpreter&, const Arguments& args)
{
    requireArgumentCount(args, 1);
    return boolean(numberArgument(args[0]) < 0);
}

Value zerop(Interpreter&, const Arguments& args)
{
    requireArgumentCount(args, 1);
    return boolean(numberArgument(args[0]) == 0);
}

const char* typeName(Type type)
{
    switch (type) {
    case Type::Integer: return "INT";
    case Type::Real: return "REAL";
    case Type::String: return "STR";
    case Type::Symbol: return "SYM";
    case Type::Cons: return "LIST";
    case Type::EntityName: return "ENAME";
    case Type::SelectionSet: return "PICKSET";
    case Type::Builtin: return "SUBR";
    case Type::UserFunction: return "USUBR";
    case Type::External: return "EXRXSUBR";
    }
    return "SYM";
}

Value type(Interpreter&, const Arguments& args)
{
    requireArgumentCount(args, 1);
    if (!args[0]) return Value();
    return makeSymbol(typeName(args[0]->type()));
}

}  // namespace

void registerPredicateBuiltins()
{
    addBuiltin("atom", predicate<atomTest>);
    addBuiltin("listp", predicate<listTest>);
    addBuiltin("numberp", predicate<numberTest>);
    addBuiltin("null", predicate<nullTest>);
    addBuiltin("not", predicate<nullTest>);
    addBuiltin("boundp", boundp);
    addBuiltin("minusp", minusp);
    addBuiltin("zerop", zerop);
    addBuiltin("type", type);
}

}  // namespace arx::lisp
