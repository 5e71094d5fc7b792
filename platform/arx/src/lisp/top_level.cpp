// Top-level evaluation: reading each expression of a text, the evaluation events, printing
// values as the command line does, and reporting errors as the host does.
#include <exception>

#include "lisp/errors.h"
#include "lisp/hooks.h"
#include "lisp/interpreter.h"
#include "lisp/printer.h"
#include "lisp/reader.h"

namespace arx::lisp {

namespace {

// Counts the top-level evaluations in progress and sends the events around the outermost.
class TopLevelScope {
public:
    TopLevelScope(Interpreter& interpreter, int& depth, std::string_view text)
        : interpreter_(interpreter), depth_(depth), outermost_(depth == 0)
    {
        ++depth_;
        if (outermost_ && hooks().evaluationStart) hooks().evaluationStart(interpreter_, text);
    }
    ~TopLevelScope()
    {
        --depth_;
        if (outermost_ && hooks().evaluationEnd)
            hooks().evaluationEnd(interpreter_, cancelled_ ? EvaluationEnd::Cancelled : EvaluationEnd::Completed);
    }
    void cancel() { cancelled_ = true; }

private:
    Interpreter& interpreter_;
    int& depth_;
    bool outermost_;
    bool cancelled_ = false;
};

}  // namespace

EvalOutcome Interpreter::evaluate(std::string_view text) { return runTopLevel(text, false); }

EvalOutcome Interpreter::evaluateAndPrint(std::string_view text) { return runTopLevel(text, true); }

EvalOutcome Interpreter::runTopLevel(std::string_view text, bool printValues)
{
    EvalOutcome outcome;
    bool printedBefore = false;
    std::size_t position = 0;
    for (;;) {
        ExpressionExtent extent = findExpression(text, position);
        if (extent.result == ScanResult::Empty) break;
        if (topLevelDepth_ == 0) steps_ = 0;
        TopLevelScope scope(*this, topLevelDepth_, text.substr(extent.begin, extent.end - extent.begin));
        try {
            Reader reader(text, extent.begin);
            Value form;
            reader.next(form);
            position = reader.position();
            outcome.value = eval(form);
            if (printValues) {
                std::string printed = printValue(outcome.value, PrintStyle::Prin1);
                if (!printed.empty()) {
                    writeOutput(printedBefore ? "\n" + printed : printed);
                    printedBefore = true;
                }
            }
        } catch (LispError& error) {
            if (!error.reported()) reportError(error);
            outcome = EvalOutcome{Value(), true, error.message()};
        } catch (const std::exception& failure) {
            // A host builtin failed in C++: still an AutoLISP error, never the end of the session.
            LispError error(failure.what());
            reportError(error);
            outcome = EvalOutcome{Value(), true, error.message()};
        }
        if (outcome.failed) {
            scope.cancel();
            break;
        }
    }
    return outcome;
}

void Interpreter::reportError(LispError& error)
{
    error.markReported();
    Value handler = valueOf(symbolError());
    if (!handler || errorHandlerDepth_ > 0) {
        printDefaultReport(error.message());
        return;
    }
    ++errorHandlerDepth_;
    try {
        apply(handler, {makeString(error.message())});
    } catch (LispError& inner) {
        // An error of the handler itself: shown once, by the default report.
        if (!inner.reported()) printDefaultReport(inner.message());
        inner.markReported();
    } catch (const std::exception& failure) {
        printDefaultReport(failure.what());
    }
    --errorHandlerDepth_;
}

void Interpreter::printDefaultReport(const std::string& message)
{
    writeOutput(std::string(errors::kReportPrefix) + message + "\n");
}

}  // namespace arx::lisp
