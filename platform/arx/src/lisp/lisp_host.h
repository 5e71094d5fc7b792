// The AutoLISP interpreter as the rest of the host sees it: how other areas add builtins,
// route output, hear evaluation events, run external functions of modules, and make and
// switch the per-document interpreters. Include this header only.
//
// Wiring, in short:
//   arx::lisp::addBuiltin("getvar", [](arx::lisp::Interpreter& in, const arx::lisp::Arguments& a) {
//       arx::lisp::requireArgumentCount(a, 1);
//       const std::string& name = arx::lisp::stringArgument(a[0]);
//       ...
//       return arx::lisp::makeInteger(1);   // or throw arx::lisp::errors::...()
//   });
//   arx::lisp::setOutputHook([](std::string_view text) { /* the command line */ });
//   arx::lisp::setEvaluationHooks(onLispWillStart, onLispEnded);
//   arx::lisp::setModuleHooks(currentlyCallingModule, sendInvokeSubrMessage);
//   auto interpreter = std::make_unique<arx::lisp::Interpreter>();   // one per document
//   arx::lisp::setCurrentInterpreter(interpreter.get());              // on activation
//   interpreter->evaluateAndPrint("(setq a 1)");
#pragma once
#include <functional>
#include <optional>
#include <string_view>

#include "lisp/builtin_args.h"
#include "lisp/errors.h"
#include "lisp/expression_scanner.h"
#include "lisp/interpreter.h"
#include "lisp/printer.h"
#include "lisp/reader.h"
#include "lisp/value.h"

namespace arx::lisp {

// ---- Builtins ------------------------------------------------------------------------------
// Adds (or replaces) a function visible in every interpreter, existing and future, under a
// case-insensitive name. It receives the evaluated arguments and returns a value or throws
// a LispError (see errors.h and the argument helpers of builtin_args.h). A document's own
// defun of the same name shadows it in that document only.
void addBuiltin(std::string_view name, BuiltinFunction function);
void removeBuiltin(std::string_view name);

// ---- Output --------------------------------------------------------------------------------
// Everything the interpreter prints (princ, prin1, print, prompt, error reports, acdbFail
// messages) goes through this hook, as ANSI text. Without a hook it goes to standard output.
using OutputHook = std::function<void(std::string_view text)>;
void setOutputHook(OutputHook hook);
void writeOutput(std::string_view text);

// ---- Evaluation events ---------------------------------------------------------------------
// Sent around each outermost top-level evaluation of an interpreter (evaluate or
// evaluateAndPrint): start with the text of the expression, end when it has been evaluated
// (Completed) or an error ended it (Cancelled). An evaluation that starts while the same
// interpreter is already evaluating (AutoLISP inside a command run by (command ...)) sends
// no events of its own.
enum class EvaluationEnd { Completed, Cancelled };
using EvaluationStartHook = std::function<void(Interpreter&, std::string_view expressionText)>;
using EvaluationEndHook = std::function<void(Interpreter&, EvaluationEnd)>;
void setEvaluationHooks(EvaluationStartHook start, EvaluationEndHook end);

// ---- External functions of modules ---------------------------------------------------------
// callingModule tells acedDefun which module is calling (the module whose entry point is
// running). invokeExternal sends that module its invoke-function message (kInvkSubrMsg) while
// the function's code and arguments are available through acedGetFunCode and acedGetArgs,
// and returns the function's status: RTNORM (or the entry point's kRetOK / RSRSLT 1) when it
// succeeded, RTCAN when it was cancelled, any other value (RTERROR, kRetError) when it failed.
using CallingModuleHook = std::function<ModuleId()>;
using InvokeExternalHook = std::function<int(ModuleId module, int functionCode)>;
void setModuleHooks(CallingModuleHook callingModule, InvokeExternalHook invokeExternal);
// Undefines every function the module defined, in every interpreter (the module unloads).
void forgetModule(ModuleId module);

// ---- System variables read by the interpreter ----------------------------------------------
// rtos reads LUNITS, LUPREC, DIMZIN and UNITMODE through this hook; without it, or when it
// returns nullopt, the values of a new drawing are used (2, 4, 0, 0).
using IntegerVariableHook = std::function<std::optional<int>(std::string_view name)>;
void setIntegerVariableHook(IntegerVariableHook hook);
int integerVariable(std::string_view name, int fallback);

// ---- Interpreters --------------------------------------------------------------------------
// One Interpreter per document, owned by the document manager. The current interpreter is
// the one the ADS calls (acedDefun, acedGetSym, acedPutSym, ...) act on when no external
// function is running; inside an external function they act on the interpreter calling it.
// An interpreter must not be destroyed while it evaluates (isEvaluating()); a destroyed
// interpreter stops being current by itself.
void setCurrentInterpreter(Interpreter* interpreter);
Interpreter* currentInterpreter();

// Every hook back to its default (for tests).
void resetHooks();

}  // namespace arx::lisp
