// One AutoLISP interpreter: the global bindings of one document and the evaluator.
// Bindings are dynamic, as in AutoLISP: a defun's parameters and locals shadow the global
// value of their symbols while the function runs and are put back on every exit.
#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "lisp/value.h"

namespace arx::lisp {

class LispError;

// The result of evaluating a text at the top level.
struct EvalOutcome {
    Value value;          // the value of the last expression evaluated (nil after an error)
    bool failed = false;  // an error ended the evaluation
    std::string error;    // its message, without the "; error: " prefix
};

class Interpreter {
public:
    Interpreter();
    ~Interpreter();
    Interpreter(const Interpreter&) = delete;
    Interpreter& operator=(const Interpreter&) = delete;

    // ---- Bindings ----------------------------------------------------------------------
    // The value of a symbol: its binding here, else the predefined value (builtins, T, PI,
    // PAUSE), else nil (also for a value that is not a symbol).
    Value valueOf(const Value& symbol) const;
    Value valueOf(std::string_view name) const;
    // Throws "bad argument type: symbolp" for a value that is not a symbol.
    void setValue(const Value& symbol, Value value);
    void setValue(std::string_view name, Value value);
    // Removes every binding whose value satisfies the predicate (symbols fall back to their
    // predefined values).
    void unbindIf(const std::function<bool(const Value&)>& predicate);
    void unbind(std::string_view name);

    // ---- Evaluation; these throw LispError ---------------------------------------------
    Value eval(const Value& form);
    // Evaluates a list of forms in order; the value of the last one (nil for none).
    Value evalSequence(const Value& forms);
    // Calls a function with evaluated arguments. The function may be a function value, a
    // symbol naming one, or a list (lambda (args) ...) or ((args) ...).
    Value apply(const Value& function, const Arguments& arguments);
    Value toFunction(const Value& designator);
    // A function value from (lambda params body...) or ((params) body...).
    Value makeFunction(std::string name, const Value& parameterList, const Value& body);

    // ---- Top level ---------------------------------------------------------------------
    // Evaluates each expression of the text in turn, as the host does for a script line:
    // the evaluation events are sent around each outermost expression, an error is reported
    // (by *error* when it is a function, else "; error: message") and ends the evaluation.
    EvalOutcome evaluate(std::string_view text);
    // The same, and prints each value as the command line does (prin1; the null value of
    // (princ) prints nothing); consecutive values are separated by a line end. The caller
    // writes its next prompt, which starts with a line end as the host's prompts do.
    EvalOutcome evaluateAndPrint(std::string_view text);
    // True while a top-level evaluation of this interpreter runs.
    bool isEvaluating() const { return topLevelDepth_ > 0; }
    // At most this many evaluation steps (each form evaluated) per outermost top-level
    // evaluation; beyond it the evaluation ends with an error. 0, the default, sets no limit,
    // as in the host; programs that run untrusted input (the fuzzing targets) set one so
    // that an endless loop ends.
    void setStepLimit(std::uint64_t steps) { stepLimit_ = steps; }

    // Shows an error as the host does; used by the top level and by function frames, so
    // that *error* runs while the bindings of the failing function are still in place.
    void reportError(LispError& error);

private:
    friend class BindingScope;

    EvalOutcome runTopLevel(std::string_view text, bool printValues);
    Value evalCall(const Value& form);
    Value callUserFunction(const UserFunction& function, const Arguments& arguments);
    void printDefaultReport(const std::string& message);

    std::unordered_map<const Symbol*, Value> bindings_;
    int topLevelDepth_ = 0;
    std::uint64_t stepLimit_ = 0;
    std::uint64_t steps_ = 0;  // steps of the outermost top-level evaluation so far
    int errorHandlerDepth_ = 0;
};

// Binds symbols for the duration of a scope and puts the previous bindings back when the
// scope ends, also when an error passes through.
class BindingScope {
public:
    explicit BindingScope(Interpreter& interpreter) : interpreter_(interpreter) {}
    ~BindingScope();
    BindingScope(const BindingScope&) = delete;
    BindingScope& operator=(const BindingScope&) = delete;
    void bind(const Symbol* symbol, Value value);

private:
    Interpreter& interpreter_;
    std::vector<std::pair<const Symbol*, std::optional<Value>>> saved_;
};

}  // namespace arx::lisp
