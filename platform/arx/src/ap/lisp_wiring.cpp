#include "ap/lisp_wiring.h"

#include <cstdlib>
#include <cstring>

#include "aced.h"
#include "acedads.h"
#include "ap/demand_loader.h"
#include "ap/document_manager.h"
#include "ap/entity_shapes.h"
#include "ap/lisp_entity_functions.h"
#include "ap/lisp_selection_functions.h"
#include "ed/command_processor.h"
#include "ed/console.h"
#include "ed/editor.h"
#include "ed/sysvars.h"
#include "lisp/lisp_host.h"
#include "rx/module_loader.h"

namespace arx::ap {
namespace {

using namespace arx::lisp;

constexpr const char* kInterpreterKey = "autolisp";

struct InterpreterAttachment : Document::Attachment {
    Interpreter interpreter;
};

class InterpreterPerDocument : public DocumentListener, public arx::rx::ModuleObserver {
public:
    void documentAdded(Document& doc) override
    {
        doc.setAttachment(kInterpreterKey, std::make_unique<InterpreterAttachment>());
    }
    void documentMadeCurrent(Document* doc) override { setCurrentInterpreter(doc ? interpreterOf(*doc) : nullptr); }
    void documentRemoving(Document& doc) override
    {
        if (currentInterpreter() == interpreterOf(doc)) setCurrentInterpreter(nullptr);
    }
    bool holdsDocument(const Document& doc) const override
    {
        Interpreter* interpreter = interpreterOf(doc);
        return interpreter != nullptr && interpreter->isEvaluating();
    }
    void moduleUnloading(arx::rx::Module& module) override { forgetModule(&module); }
};

// A name typed at the command prompt that can be the XX of a C:XX function: a plain symbol
// name, so that "(C:XX)" calls that function and nothing else.
bool isCommandFunctionName(const std::string& name)
{
    return !name.empty() && name.find_first_of("()'\";| \t\r\n") == std::string::npos;
}

// Evaluates a text typed at the prompt (or a script line) in the current document and then
// closes what waited for that evaluation to end.
void evaluateAtPrompt(Interpreter& interpreter, const std::string& text)
{
    interpreter.evaluateAndPrint(text);
    DocumentManager::instance().closeDeferredDocuments();
}

std::string firstLine(std::string_view text) { return std::string(text.substr(0, text.find('\n'))); }

Value toValue(const ed::SysValue& v)
{
    switch (v.type) {
    case RTSHORT:
    case RTLONG: return makeInteger(static_cast<std::int32_t>(v.integer));
    case RTREAL: return makeReal(v.real);
    case RTSTR: return makeString(v.text);
    case RTPOINT: return makePoint(v.point[0], v.point[1]);
    case RT3DPOINT: return makePoint(v.point[0], v.point[1], v.point[2]);
    default: return nullptr;
    }
}

ed::SysValue toSysValue(const Value& v)
{
    if (isInteger(v)) return ed::SysValue::ofLong(integerOf(v));
    if (isReal(v)) return ed::SysValue::ofReal(realOf(v));
    if (isString(v)) return ed::SysValue::ofString(textOf(v));
    double p[3];
    bool is3d = false;
    pointArgument(v, p, &is3d);
    return ed::SysValue::ofPoint(p[0], p[1], p[2], is3d);
}

// A (command ...) argument as a prompt answer.
ed::Answer toAnswer(const Value& v)
{
    ed::Answer answer;
    answer.kind = ed::Answer::Kind::Value;
    ed::AnswerValue& out = answer.value;
    if (isString(v)) return ed::Answer::ofText(textOf(v));
    if (isInteger(v)) {
        out.type = (integerOf(v) >= -32768 && integerOf(v) <= 32767) ? RTSHORT : RTLONG;
        out.integer = integerOf(v);
    } else if (isReal(v)) {
        out.type = RTREAL;
        out.real = realOf(v);
    } else if (isEntityName(v) || isSelectionSet(v)) {
        out.type = isEntityName(v) ? RTENAME : RTPICKS;
        out.name = {adsNameOf(v)[0], adsNameOf(v)[1]};
    } else {
        double p[3];
        bool is3d = false;
        pointArgument(v, p, &is3d);
        out.type = is3d ? RT3DPOINT : RTPOINT;
        out.point = {p[0], p[1], p[2]};
    }
    return answer;
}

void addEditorBuiltins()
{
    addBuiltin("command", [](Interpreter&, const Arguments& args) -> Value {
        std::vector<ed::Answer> answers;
        for (const Value& arg : args) answers.push_back(toAnswer(arg));
        ed::CommandProcessor::instance().runFromArguments(std::move(answers));
        return nullptr;
    });
    // (getcname "_NAME") is the local name, (getcname "NAME") the global one, nil for neither.
    addBuiltin("getcname", [](Interpreter&, const Arguments& args) -> Value {
        requireArgumentCount(args, 1);
        char* other = nullptr;
        if (acedGetCName(stringArgument(args[0]).c_str(), &other) != RTNORM) return nullptr;
        Value name = makeString(other);
        std::free(other);
        return name;
    });
    addBuiltin("getvar", [](Interpreter&, const Arguments& args) -> Value {
        requireArgumentCount(args, 1);
        auto value = ed::SysVars::instance().get(stringArgument(args[0]));
        return value ? toValue(*value) : nullptr;
    });
    addBuiltin("setvar", [](Interpreter&, const Arguments& args) -> Value {
        requireArgumentCount(args, 2);
        const std::string& name = stringArgument(args[0]);
        if (!ed::SysVars::instance().isDefined(name))
            throw LispError("AutoCAD variable setting rejected: \"" + name + "\"");
        if (!ed::SysVars::instance().set(name, toSysValue(args[1])))
            throw LispError("AutoCAD variable setting rejected: \"" + name + "\"");
        return args[1];
    });
    addBuiltin("initget", [](Interpreter&, const Arguments& args) -> Value {
        requireArgumentCount(args, 0, 2);
        int bits = 0;
        std::string keywords;
        for (const Value& arg : args) {
            if (isInteger(arg)) bits = integerOf(arg);
            else keywords = stringArgument(arg);
        }
        acedInitGet(bits, keywords.c_str());
        return nullptr;
    });
    auto optionalPrompt = [](const Arguments& args, size_t index) {
        return args.size() > index ? stringArgument(args[index]) : std::string();
    };
    addBuiltin("getstring", [=](Interpreter&, const Arguments& args) -> Value {
        requireArgumentCount(args, 0, 2);
        bool cronly = !args.empty() && !isString(args[0]) && !isNil(args[0]);
        std::string prompt = optionalPrompt(args, args.size() == 2 ? 1 : (cronly ? 99 : 0));
        char result[256] = {};
        int status = acedGetString(cronly ? 1 : 0, prompt.c_str(), result);
        if (status == RTCAN) throw errors::functionCancelled();
        return makeString(result);
    });
    addBuiltin("getkword", [=](Interpreter&, const Arguments& args) -> Value {
        requireArgumentCount(args, 0, 1);
        char result[256] = {};
        int status = acedGetKword(optionalPrompt(args, 0).c_str(), result);
        if (status == RTCAN) throw errors::functionCancelled();
        return status == RTNORM ? makeString(result) : nullptr;
    });
    addBuiltin("getreal", [=](Interpreter&, const Arguments& args) -> Value {
        requireArgumentCount(args, 0, 1);
        double result = 0;
        int status = acedGetReal(optionalPrompt(args, 0).c_str(), &result);
        if (status == RTCAN) throw errors::functionCancelled();
        if (status == RTKWORD) {
            char kw[256];
            acedGetInput(kw);
            return makeString(kw);
        }
        return status == RTNORM ? makeReal(result) : nullptr;
    });
    addBuiltin("getint", [=](Interpreter&, const Arguments& args) -> Value {
        requireArgumentCount(args, 0, 1);
        int result = 0;
        int status = acedGetInt(optionalPrompt(args, 0).c_str(), &result);
        if (status == RTCAN) throw errors::functionCancelled();
        if (status == RTKWORD) {
            char kw[256];
            acedGetInput(kw);
            return makeString(kw);
        }
        return status == RTNORM ? makeInteger(result) : nullptr;
    });
    addBuiltin("getpoint", [](Interpreter&, const Arguments& args) -> Value {
        requireArgumentCount(args, 0, 2);
        std::string prompt;
        for (const Value& arg : args)
            if (isString(arg)) prompt = textOf(arg);
        ads_point result;
        int status = acedGetPoint(nullptr, prompt.c_str(), result);
        if (status == RTCAN) throw errors::functionCancelled();
        if (status == RTKWORD) {
            char kw[256];
            acedGetInput(kw);
            return makeString(kw);
        }
        return status == RTNORM ? makePoint(result[0], result[1], result[2]) : nullptr;
    });
    addBuiltin("alert", [](Interpreter&, const Arguments& args) -> Value {
        requireArgumentCount(args, 1);
        acedAlert(stringArgument(args[0]).c_str());
        return nullptr;
    });
}

// arxload, arxunload and arx: modules by file name, or an application by its logical name
// through its demand-load entry (a load request).
void addModuleBuiltins()
{
    addBuiltin("arxload", [](Interpreter&, const Arguments& args) -> Value {
        requireArgumentCount(args, 1, 2);
        const std::string& name = stringArgument(args[0]);
        std::string error;
        bool loaded = arx::rx::ModuleLoader::instance().load(name, error) != nullptr ||
                      DemandLoader::instance().loadByName(name, false);
        if (loaded) return args[0];
        if (args.size() == 2) return args[1];
        if (!error.empty()) ed::Console::instance().write(error + "\n");
        throw LispError("ARXLOAD failed");
    });
    addBuiltin("arxunload", [](Interpreter&, const Arguments& args) -> Value {
        requireArgumentCount(args, 1, 2);
        auto& loader = arx::rx::ModuleLoader::instance();
        arx::rx::Module* module = loader.findByName(stringArgument(args[0]));
        if (module != nullptr && loader.unload(*module, false)) return args[0];
        if (args.size() == 2) return args[1];
        throw LispError("ARXUNLOAD failed");
    });
    addBuiltin("arx", [](Interpreter&, const Arguments& args) -> Value {
        requireArgumentCount(args, 0);
        std::vector<Value> names;
        for (const auto& module : arx::rx::ModuleLoader::instance().modules())
            names.push_back(makeString(module->fileName));
        return makeList(names);
    });
}

void setHooks()
{
    setOutputHook([](std::string_view text) { ed::Console::instance().write(text); });
    setEvaluationHooks(
        [](Interpreter&, std::string_view text) {
            ed::CommandProcessor::instance().enterLisp();
            std::string line = firstLine(text);
            ed::Editor::instance().notify([&](AcEditorReactor* r) { r->lispWillStart(line.c_str()); });
        },
        [](Interpreter&, EvaluationEnd end) {
            ed::CommandProcessor::instance().leaveLisp();
            ed::Editor::instance().notify([&](AcEditorReactor* r) {
                if (end == EvaluationEnd::Completed) r->lispEnded();
                else r->lispCancelled();
            });
        });
    setModuleHooks([]() -> ModuleId { return arx::rx::ModuleLoader::instance().current(); },
                   [](ModuleId id, int) -> int {
                       auto& loader = arx::rx::ModuleLoader::instance();
                       arx::rx::Module* module = loader.fromAppId(id);
                       if (module == nullptr) return RTERROR;
                       return loader.send(*module, AcRx::kInvkSubrMsg);
                   });
    setIntegerVariableHook([](std::string_view name) -> std::optional<int> {
        auto value = ed::SysVars::instance().getInt(std::string(name));
        if (!value) return std::nullopt;
        return static_cast<int>(*value);
    });
}

}  // namespace

Interpreter* interpreterOf(const Document& document)
{
    auto* held = dynamic_cast<InterpreterAttachment*>(document.attachment(kInterpreterKey));
    return held ? &held->interpreter : nullptr;
}

void wireAutoLisp()
{
    static InterpreterPerDocument perDocument;
    static bool wired = false;
    if (wired) return;
    wired = true;
    DocumentManager::instance().addListener(&perDocument);
    arx::rx::ModuleLoader::instance().addObserver(&perDocument);
    setHooks();
    addEditorBuiltins();
    addModuleBuiltins();
    addEntityBuiltins();
    addSelectionBuiltins();
    wireEntityShapes();
    ed::CommandProcessor::instance().hooks().evaluateLisp = [](const std::string& expression) {
        Interpreter* interpreter = currentInterpreter();
        if (interpreter == nullptr) {
            ed::Console::instance().write("; error: no drawing is open\n");
            return;
        }
        evaluateAtPrompt(*interpreter, expression);
    };
    // XX typed at the prompt runs (C:XX) when AutoLISP defines it, printing its value.
    ed::CommandProcessor::instance().hooks().runLispCommand = [](const std::string& name) {
        Interpreter* interpreter = currentInterpreter();
        if (interpreter == nullptr || !isCommandFunctionName(name)) return false;
        const std::string function = "C:" + name;
        if (!isFunction(interpreter->valueOf(function))) return false;
        evaluateAtPrompt(*interpreter, "(" + function + ")");
        return true;
    };
}

}  // namespace arx::ap
