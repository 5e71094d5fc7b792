// Output: princ, prin1, print, terpri, prompt. All of it goes through the output hook.
// princ, prin1 and print return their argument; without one they return the null value,
// which the command line prints as nothing (the usual quiet ending of a command function).
#include "lisp/builtin_args.h"
#include "lisp/builtin_registry.h"
#include "lisp/errors.h"
#include "lisp/lisp_host.h"
#include "lisp/printer.h"

namespace arx::lisp {

namespace {

// The optional file argument: there are no open files here, so only nil is accepted.
void checkNoFile(const Arguments& args)
{
    requireArgumentCount(args, 0, 2);
    if (args.size() == 2 && args[1]) throw errors::badArgumentType("streamp", args[1]);
}

Value princ(Interpreter&, const Arguments& args)
{
    checkNoFile(args);
    if (args.empty()) return voidValue();
    writeOutput(printValue(args[0], PrintStyle::Princ));
    return args[0];
}

Value prin1(Interpreter&, const Arguments& args)
{
    checkNoFile(args);
    if (args.empty()) return voidValue();
    writeOutput(printValue(args[0], PrintStyle::Prin1));
    return args[0];
}

Value print(Interpreter&, const Arguments& args)
{
    checkNoFile(args);
    if (args.empty()) {
        writeOutput("\n");
        return voidValue();
    }
    writeOutput("\n" + printValue(args[0], PrintStyle::Prin1) + " ");
    return args[0];
}

Value terpri(Interpreter&, const Arguments& args)
{
    requireArgumentCount(args, 0, 1);
    writeOutput("\n");
    return Value();
}

Value prompt(Interpreter&, const Arguments& args)
{
    requireArgumentCount(args, 1);
    writeOutput(stringArgument(args[0]));
    return Value();
}

}  // namespace

void registerOutputBuiltins()
{
    addBuiltin("princ", princ);
    addBuiltin("prin1", prin1);
    addBuiltin("print", print);
    addBuiltin("terpri", terpri);
    addBuiltin("prompt", prompt);
}

}  // namespace arx::lisp
