// External functions: acedDefun / acedUndef, the call through the module's entry point, and
// the calls a running function makes (acedGetFunCode, acedGetArgs, acedRet..., acdbFail).
#include "lisp/external_calls.h"

#include <optional>
#include <string>
#include <vector>

#include "acdbads.h"
#include "acedads.h"
#include "lisp/errors.h"
#include "lisp/hooks.h"
#include "lisp/reader.h"
#include "lisp/resbuf_conversion.h"
#include "ut/resbuf_memory.h"
#include "lisp/stack_guard.h"

namespace arx::lisp {

namespace {

struct ExternalCall {
    Interpreter* interpreter;
    int code;
    ut::ResbufChain arguments;
    std::optional<Value> result;
    std::vector<std::string> failures;
};

std::vector<ExternalCall*>& callStack()
{
    static std::vector<ExternalCall*> calls;
    return calls;
}

ExternalCall* innermostCall() { return callStack().empty() ? nullptr : callStack().back(); }

// What the invoke hook's status means. The module's entry point may answer with an ADS
// status (RTNORM) or with its own return code (kRetOK 0, RSRSLT 1 for success).
enum class CallStatus { Succeeded, Cancelled, Failed };

CallStatus interpretStatus(int status)
{
    if (status == RTNORM || status == 0 || status == 1) return CallStatus::Succeeded;
    if (status == RTCAN) return CallStatus::Cancelled;
    return CallStatus::Failed;
}

class CallFrame {
public:
    explicit CallFrame(ExternalCall& call) { callStack().push_back(&call); }
    ~CallFrame() { callStack().pop_back(); }
    CallFrame(const CallFrame&) = delete;
    CallFrame& operator=(const CallFrame&) = delete;
};

void printFailures(const ExternalCall& call)
{
    for (const std::string& message : call.failures) writeOutput(message);
}

// A name AutoLISP can read back as one symbol.
bool isDefinableName(const char* name)
{
    if (!name || !*name) return false;
    for (const char* c = name; *c; ++c)
        if (isDelimiter(*c)) return false;
    return true;
}

int setResult(Value value)
{
    ExternalCall* call = innermostCall();
    if (!call) return RTERROR;
    call->result = std::move(value);
    return RTNORM;
}

}  // namespace

Interpreter* bridgeInterpreter()
{
    if (ExternalCall* call = innermostCall()) return call->interpreter;
    return currentInterpreter();
}

Value callExternalFunction(Interpreter& interpreter, const ExternalFunction& function, const Arguments& arguments)
{
    StackGuard guard;
    if (!hooks().invokeExternal) throw errors::noFunctionDefinition(Symbol::upperCase(function.name()));
    ExternalCall call{&interpreter, function.code(), ut::ResbufChain(valuesToResbufs(arguments)), {}, {}};
    int status = RTERROR;
    try {
        CallFrame frame(call);
        status = hooks().invokeExternal(function.module(), function.code());
    } catch (...) {
        printFailures(call);
        throw;
    }
    printFailures(call);
    switch (interpretStatus(status)) {
    case CallStatus::Cancelled: throw errors::functionCancelled();
    case CallStatus::Failed: throw errors::externalFunctionFailed();
    case CallStatus::Succeeded: break;
    }
    return call.result.value_or(Value());
}

void forgetModule(ModuleId module)
{
    for (Interpreter* interpreter : liveInterpreters()) {
        interpreter->unbindIf([module](const Value& value) {
            return is(value, Type::External) && static_cast<const ExternalFunction&>(*value).module() == module;
        });
    }
}

}  // namespace arx::lisp

using namespace arx::lisp;

int acedDefun(const char* sname, int funcno)
{
    Interpreter* interpreter = bridgeInterpreter();
    if (!interpreter || !isDefinableName(sname)) return RTERROR;
    ModuleId module = hooks().callingModule ? hooks().callingModule() : nullptr;
    interpreter->setValue(sname, std::make_shared<ExternalFunction>(sname, module, funcno));
    return RTNORM;
}

int acedUndef(const char* sname, int funcno)
{
    Interpreter* interpreter = bridgeInterpreter();
    if (!interpreter || !isDefinableName(sname)) return RTERROR;
    Value value = interpreter->valueOf(sname);
    if (!is(value, Type::External)) return RTERROR;
    const auto& function = static_cast<const ExternalFunction&>(*value);
    ModuleId module = hooks().callingModule ? hooks().callingModule() : nullptr;
    if (function.code() != funcno || function.module() != module) return RTERROR;
    interpreter->unbind(sname);
    return RTNORM;
}

int acedGetFunCode()
{
    ExternalCall* call = innermostCall();
    return call ? call->code : RTERROR;
}

resbuf* acedGetArgs()
{
    ExternalCall* call = innermostCall();
    return call ? arx::ut::duplicateChain(call->arguments.get()) : nullptr;
}

int acedRetNil() { return setResult(Value()); }
int acedRetT() { return setResult(symbolT()); }
int acedRetVoid() { return setResult(voidValue()); }
int acedRetInt(int ival) { return setResult(makeInteger(ival)); }
int acedRetReal(ads_real rval) { return setResult(makeReal(rval)); }

int acedRetStr(const char* s)
{
    if (!s) return RTERROR;
    return setResult(makeString(s));
}

int acedRetPoint(const ads_point pt)
{
    if (!pt) return RTERROR;
    return setResult(makePoint(pt[0], pt[1], pt[2]));
}

int acedRetName(const ads_name aname, int type)
{
    if (!aname) return RTERROR;
    if (type == RTENAME) return setResult(makeEntityName(aname));
    if (type == RTPICKS) return setResult(makeSelectionSet(aname));
    return RTERROR;
}

int acedRetVal(const resbuf* rbuf)
{
    if (!innermostCall() || !rbuf) return RTERROR;
    auto value = resbufsToValue(rbuf, ResbufAcceptance::AnyValue);
    return value ? setResult(*value) : RTERROR;
}

int acedRetList(const resbuf* rbuf)
{
    if (!innermostCall()) return RTERROR;
    auto list = resbufsToList(rbuf, ResbufAcceptance::ReturnedList);
    return list ? setResult(*list) : RTERROR;
}

void acdbFail(const char* message)
{
    if (!message) return;
    if (ExternalCall* call = innermostCall()) call->failures.emplace_back(message);
    else writeOutput(message);  // outside an external function there is nothing to wait for
}
