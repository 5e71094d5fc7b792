// acedGetSym and acedPutSym: an AutoLISP symbol's value as a result-buffer chain.
#include "acedads.h"
#include "lisp/errors.h"
#include "lisp/external_calls.h"
#include "lisp/interpreter.h"
#include "lisp/resbuf_conversion.h"

using namespace arx::lisp;

namespace {

bool isSymbolName(const char* name) { return name && *name; }

}  // namespace

// The value as a fresh chain the caller frees with acutRelRb; an unbound symbol gives one
// RTNIL buffer. RTERROR when there is no interpreter or the value has no result-buffer form.
int acedGetSym(const char* sname, resbuf** value)
{
    if (!value) return RTERROR;
    *value = nullptr;
    Interpreter* interpreter = bridgeInterpreter();
    if (!interpreter || !isSymbolName(sname)) return RTERROR;
    try {
        *value = valueToResbufs(interpreter->valueOf(sname));
    } catch (const LispError&) {
        return RTERROR;  // a function: nothing to hand out
    }
    return RTNORM;
}

// Sets the symbol to the value the chain describes: one buffer, or an RTLB ... RTLE list.
// A null chain sets nil. The chain stays the caller's.
int acedPutSym(const char* sname, resbuf* value)
{
    Interpreter* interpreter = bridgeInterpreter();
    if (!interpreter || !isSymbolName(sname)) return RTERROR;
    Value converted;
    if (value) {
        auto read = resbufsToValue(value, ResbufAcceptance::AnyValue);
        if (!read) return RTERROR;
        converted = *read;
    }
    const Value symbol = Symbol::intern(sname);
    if (isT(symbol) || symbolOf(symbol).name() == "NIL") return RTERROR;  // constants stay
    interpreter->setValue(symbol, converted);
    return RTNORM;
}
