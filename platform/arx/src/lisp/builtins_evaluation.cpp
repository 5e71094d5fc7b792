// Evaluation builtins: eval, apply, mapcar, set, read, exit and quit.
#include <algorithm>

#include "lisp/builtin_args.h"
#include "lisp/builtin_registry.h"
#include "lisp/errors.h"
#include "lisp/interpreter.h"
#include "lisp/lisp_host.h"
#include "lisp/reader.h"

namespace arx::lisp {

namespace {

Value eval(Interpreter& in, const Arguments& args)
{
    requireArgumentCount(args, 1);
    return in.eval(args[0]);
}

Value apply(Interpreter& in, const Arguments& args)
{
    requireArgumentCount(args, 2);
    return in.apply(args[0], properListElements(args[1]));
}

// (mapcar function list ...): the function applied to the first elements of each list, then
// to the second ones, as long as the shortest list lasts.
Value mapcar(Interpreter& in, const Arguments& args)
{
    requireAtLeast(args, 2);
    Value function = in.toFunction(args[0]);
    std::vector<std::vector<Value>> lists;
    std::size_t shortest = static_cast<std::size_t>(-1);
    for (std::size_t k = 1; k < args.size(); ++k) {
        lists.push_back(properListElements(args[k]));
        shortest = std::min(shortest, lists.back().size());
    }
    ListBuilder result;
    for (std::size_t i = 0; i < shortest; ++i) {
        Arguments call;
        for (const auto& items : lists) call.push_back(items[i]);
        result.append(in.apply(function, call));
    }
    return result.result();
}

Value set(Interpreter& in, const Arguments& args)
{
    requireArgumentCount(args, 2);
    symbolArgument(args[0]);
    in.setValue(args[0], args[1]);
    return args[1];
}

Value read(Interpreter&, const Arguments& args)
{
    requireArgumentCount(args, 0, 1);
    if (args.empty()) return Value();
    return readFirst(stringArgument(args[0]));
}

Value exitBuiltin(Interpreter&, const Arguments& args)
{
    requireArgumentCount(args, 0);
    throw errors::quitExitAbort();
}

}  // namespace

void registerEvaluationBuiltins()
{
    addBuiltin("eval", eval);
    addBuiltin("apply", apply);
    addBuiltin("mapcar", mapcar);
    addBuiltin("set", set);
    addBuiltin("read", read);
    addBuiltin("exit", exitBuiltin);
    addBuiltin("quit", exitBuiltin);
}

}  // namespace arx::lisp
