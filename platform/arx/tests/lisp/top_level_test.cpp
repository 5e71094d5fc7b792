// The top level: what the command line shows, error reports and *error*, evaluation events.
#include <stdexcept>
#include <vector>

#include "lisp_test_support.h"

namespace arx::lisp::testing {
namespace {

using CommandLine = LispTest;
using ErrorReports = LispTest;

TEST_F(CommandLine, PrintsEachValueAsTheHostDoes)
{
    EXPECT_EQ(commandLine("(+ 1 2)"), "3");
    EXPECT_EQ(commandLine("\"text\""), "\"text\"");
    EXPECT_EQ(commandLine("(princ \"hi\")"), "hi\"hi\"");
    EXPECT_EQ(commandLine("(princ)"), "");
    EXPECT_EQ(commandLine("(progn (princ \"done\") (princ))"), "done");
    EXPECT_EQ(commandLine("(setq a 1.5) (list a 3.0)"), "1.5\n(1.5 3.0)");
    EXPECT_EQ(commandLine("nil"), "nil");
    EXPECT_EQ(commandLine("   ; nothing but a comment"), "");
}

TEST_F(CommandLine, ReturnsTheLastValueWithoutPrintingWhenAsked)
{
    EvalOutcome outcome = lisp.evaluate("(setq a 2) (* a 21)");
    EXPECT_FALSE(outcome.failed);
    EXPECT_EQ(printValue(outcome.value, PrintStyle::Prin1), "42");
    EXPECT_EQ(output, "");
}

TEST_F(ErrorReports, DefaultReportAndTheSessionGoesOn)
{
    EXPECT_EQ(commandLine("(+ 1 \"x\")"), "; error: bad argument type: numberp: \"x\"\n");
    EXPECT_EQ(commandLine("(foo)"), "; error: no function definition: FOO\n");
    EXPECT_EQ(commandLine("(car 1)"), "; error: bad argument type: consp 1\n");
    EXPECT_EQ(commandLine("(/ 1 0)"), "; error: divide by zero\n");
    EXPECT_EQ(commandLine("(exit)"), "; error: quit / exit abort\n");
    EXPECT_EQ(commandLine("(+ 1"), "; error: malformed list on input\n");
    EXPECT_EQ(commandLine(")"), "; error: extra right paren on input\n");
    EXPECT_EQ(commandLine("(+ 2 2)"), "4");
}

TEST_F(ErrorReports, AnErrorEndsTheTextBeingEvaluated)
{
    EvalOutcome outcome = lisp.evaluateAndPrint("(setq a 1) (car a) (setq b 2)");
    EXPECT_TRUE(outcome.failed);
    EXPECT_EQ(outcome.error, "bad argument type: consp 1");
    EXPECT_FALSE(outcome.value);
    EXPECT_EQ(output, "1; error: bad argument type: consp 1\n");
    EXPECT_FALSE(lisp.valueOf("b"));
    EXPECT_EQ(printValue(lisp.valueOf("a"), PrintStyle::Prin1), "1");
}

TEST_F(ErrorReports, AStepLimitEndsAnEndlessLoopAndEachExpressionGetsItsOwnBudget)
{
    lisp.setStepLimit(10000);
    EXPECT_EQ(commandLine("(while t)"), "; error: evaluation step limit reached\n");
    EXPECT_EQ(commandLine("(setq n 0) (repeat 100 (setq n (1+ n)))"), "0\n100");
    // Each outermost expression starts afresh: together these take more than the limit.
    EXPECT_EQ(commandLine("(repeat 1500 (setq n (1+ n))) (repeat 1500 (setq n (1+ n)))"), "1600\n3100");
    EXPECT_EQ(commandLine("(defun loop () (loop)) (loop)").find("; error: "), 4u);
    lisp.setStepLimit(0);
    EXPECT_EQ(commandLine("(repeat 20000 (setq n (1+ n)))"), "23100");
}

TEST_F(ErrorReports, UserErrorFunctionGetsTheMessageInsteadOfTheDefaultReport)
{
    lisp.evaluate("(defun *error* (msg) (princ (strcat \"\\nTrapped: \" msg)) (princ))");
    EXPECT_EQ(commandLine("(car \"x\")"), "\nTrapped: bad argument type: consp \"x\"");
    // (exit) reaches *error* with the host's text.
    EXPECT_EQ(commandLine("(exit)"), "\nTrapped: quit / exit abort");
    lisp.evaluate("(setq *error* nil)");
    EXPECT_EQ(commandLine("(car \"x\")"), "; error: bad argument type: consp \"x\"\n");
}

TEST_F(ErrorReports, ALocalErrorFunctionRunsWhileItsFunctionsBindingsHold)
{
    lisp.evaluate(R"(
        (defun c:tool (/ *error* saved)
          (defun *error* (msg) (princ (strcat "[" saved "] " msg)) (princ))
          (setq saved "state")
          (/ 1 0)))");
    EXPECT_EQ(commandLine("(c:tool)"), "[state] divide by zero");
    // Afterwards the local handler and variable are gone.
    EXPECT_FALSE(lisp.valueOf("*error*"));
    EXPECT_FALSE(lisp.valueOf("saved"));
    EXPECT_EQ(commandLine("(/ 1 0)"), "; error: divide by zero\n");
}

TEST_F(ErrorReports, AnErrorInsideTheErrorFunctionFallsBackToTheDefaultReport)
{
    lisp.evaluate("(defun *error* (msg) (car msg))");
    EXPECT_EQ(commandLine("(/ 1 0)"), "; error: bad argument type: consp \"divide by zero\"\n");
    lisp.evaluate("(setq *error* 5)");
    EXPECT_EQ(commandLine("(/ 1 0)"), "; error: bad function: 5\n");
}

TEST_F(ErrorReports, AFailingHostBuiltinIsAnErrorNotACrash)
{
    addBuiltin("kestra-test-throws",
               [](Interpreter&, const Arguments&) -> Value { throw std::runtime_error("host failure"); });
    EXPECT_EQ(commandLine("(kestra-test-throws)"), "; error: host failure\n");
    removeBuiltin("kestra-test-throws");
}

struct EventLog {
    std::vector<std::string> events;
    void install()
    {
        setEvaluationHooks(
            [this](Interpreter&, std::string_view text) { events.push_back("start " + std::string(text)); },
            [this](Interpreter&, EvaluationEnd end) {
                events.push_back(end == EvaluationEnd::Completed ? "ended" : "cancelled");
            });
    }
};

using EvaluationEvents = LispTest;

TEST_F(EvaluationEvents, StartAndEndAroundEachTopLevelExpression)
{
    EventLog log;
    log.install();
    lisp.evaluate("(setq a 1)\n  (car a) (setq b 2)");
    EXPECT_EQ(log.events, (std::vector<std::string>{"start (setq a 1)", "ended", "start (car a)", "cancelled"}));
    log.events.clear();
    lisp.evaluate("(+ 1");
    EXPECT_EQ(log.events, (std::vector<std::string>{"start (+ 1", "cancelled"}));
    log.events.clear();
    lisp.evaluate("  ");
    EXPECT_TRUE(log.events.empty());
}

TEST_F(EvaluationEvents, NestedEvaluationSendsNoSecondStart)
{
    EventLog log;
    log.install();
    // A host builtin that evaluates AutoLISP again, as a command run by (command ...) may.
    addBuiltin("kestra-test-nested", [](Interpreter& in, const Arguments& args) {
        EXPECT_TRUE(in.isEvaluating());
        EvalOutcome inner = in.evaluate(stringArgument(args[0]));
        return inner.failed ? makeString("inner failed") : inner.value;
    });
    EXPECT_EQ(commandLine("(kestra-test-nested \"(* 6 7)\")"), "42");
    EXPECT_EQ(log.events, (std::vector<std::string>{"start (kestra-test-nested \"(* 6 7)\")", "ended"}));
    // An error inside the nested evaluation ends only that one.
    log.events.clear();
    EXPECT_EQ(commandLine("(kestra-test-nested \"(car 1)\")"), "; error: bad argument type: consp 1\n\"inner failed\"");
    EXPECT_EQ(log.events.size(), 2u);
    EXPECT_EQ(log.events[1], "ended");
    EXPECT_FALSE(lisp.isEvaluating());
    removeBuiltin("kestra-test-nested");
}

TEST_F(EvaluationEvents, EventsNameTheirInterpreter)
{
    Interpreter other;
    Interpreter* started = nullptr;
    setEvaluationHooks([&](Interpreter& in, std::string_view) { started = &in; }, nullptr);
    other.evaluate("1");
    EXPECT_EQ(started, &other);
}

TEST(CurrentInterpreter, FollowsTheDocumentManagerAndForgetsDestroyedOnes)
{
    auto first = std::make_unique<Interpreter>();
    setCurrentInterpreter(first.get());
    EXPECT_EQ(currentInterpreter(), first.get());
    first.reset();
    EXPECT_EQ(currentInterpreter(), nullptr);
}

}  // namespace
}  // namespace arx::lisp::testing
