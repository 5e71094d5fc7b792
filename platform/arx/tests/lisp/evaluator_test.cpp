// The evaluator: special forms, user functions, dynamic binding, function designators, and
// the interpreter's state after errors.
#include "lisp_test_support.h"

namespace arx::lisp::testing {
namespace {

using Evaluator = LispTest;

TEST_F(Evaluator, SetqSetsSeveralPairsAndReturnsTheLastValue)
{
    EXPECT_EQ(show("(setq a 1 b \"two\" c (+ a 2))"), "3");
    EXPECT_EQ(show("(list a b c)"), "(1 \"two\" 3)");
    EXPECT_EQ(show("(setq)"), "nil");
    EXPECT_EQ(errorOf("(setq a)"), "too few arguments");
    EXPECT_EQ(errorOf("(setq 1 2)"), "bad argument type: symbolp 1");
    EXPECT_EQ(errorOf("(setq nil 2)"), "bad argument type: symbolp nil");
    EXPECT_EQ(show("undefined-symbol"), "nil");
}

TEST_F(Evaluator, DefunWithLocalsRestoresTheGlobals)
{
    eval("(setq x 10 tmp \"global\")");
    EXPECT_EQ(show("(defun f (x / tmp) (setq tmp (* x 2)) (list x tmp))"), "F");
    EXPECT_EQ(show("(f 4)"), "(4 8)");
    EXPECT_EQ(show("(list x tmp)"), "(10 \"global\")");
    // A local that had no global binding is unbound again afterwards.
    eval("(defun g (/ fresh) (setq fresh 1))");
    eval("(g)");
    EXPECT_EQ(show("fresh"), "nil");
    EXPECT_EQ(show("(defun h () (princ))"), "H");
    EXPECT_EQ(show("(h)"), "");
}

TEST_F(Evaluator, BindingIsDynamic)
{
    eval("(defun inner () depth)");
    eval("(defun outer (depth) (inner))");
    EXPECT_EQ(show("(outer 7)"), "7");
    EXPECT_EQ(show("(inner)"), "nil");
}

TEST_F(Evaluator, RecursionWorks)
{
    eval("(defun fact (n) (if (<= n 1) 1 (* n (fact (1- n)))))");
    EXPECT_EQ(show("(fact 10)"), "3628800");
}

TEST_F(Evaluator, UserFunctionArgumentCountIsChecked)
{
    eval("(defun two (a b) (list a b))");
    EXPECT_EQ(errorOf("(two 1)"), "too few arguments");
    EXPECT_EQ(errorOf("(two 1 2 3)"), "too many arguments");
    EXPECT_EQ(errorOf("((lambda (x) x))"), "too few arguments");
}

TEST_F(Evaluator, ConditionalsAndLoopsReturnTheHostsValues)
{
    EXPECT_EQ(show("(if nil 1)"), "nil");
    EXPECT_EQ(show("(if 0 'yes 'no)"), "YES");
    EXPECT_EQ(errorOf("(if)"), "too few arguments");
    EXPECT_EQ(errorOf("(if t 1 2 3)"), "too many arguments");
    EXPECT_EQ(show("(cond ((= 1 2) 'a) ((+ 1 2)) (t 'c))"), "3");
    EXPECT_EQ(show("(cond (nil 1))"), "nil");
    EXPECT_EQ(show("(cond ((= 1 1) 'a 'b))"), "B");
    EXPECT_EQ(show("(progn)"), "nil");
    EXPECT_EQ(show("(progn 1 2 3)"), "3");
    EXPECT_EQ(show("(setq i 0 s 0)"), "0");
    EXPECT_EQ(show("(while (< i 5) (setq i (1+ i)) (setq s (+ s i)))"), "15");
    EXPECT_EQ(show("(while nil 1)"), "nil");
    EXPECT_EQ(show("(repeat 3 (setq i (1+ i)))"), "8");
    EXPECT_EQ(show("(repeat 0 1)"), "nil");
    EXPECT_EQ(errorOf("(repeat 1.5 1)"), "bad argument type: fixnump: 1.5");
}

TEST_F(Evaluator, ForeachBindsItsVariableLocally)
{
    eval("(setq item 'outer total 0)");
    EXPECT_EQ(show("(foreach item '(1 2 3) (setq total (+ total item)))"), "6");
    EXPECT_EQ(show("item"), "OUTER");
    EXPECT_EQ(show("(foreach item nil 1)"), "nil");
    EXPECT_EQ(errorOf("(foreach item 5 1)"), "bad argument type: listp 5");
    EXPECT_EQ(errorOf("(foreach item '(1 . 2) 1)"), "bad list: 2");
}

TEST_F(Evaluator, AndOrAnswerTOrNil)
{
    EXPECT_EQ(show("(and 1 \"a\")"), "T");
    EXPECT_EQ(show("(and)"), "T");
    EXPECT_EQ(show("(and 1 nil (undefined))"), "nil");  // stops at the first nil
    EXPECT_EQ(show("(or nil '(1))"), "T");
    EXPECT_EQ(show("(or)"), "nil");
    EXPECT_EQ(show("(or 1 (undefined))"), "T");
}

TEST_F(Evaluator, FunctionsAsValues)
{
    EXPECT_EQ(show("(mapcar '1+ '(1 2 3))"), "(2 3 4)");
    EXPECT_EQ(show("(mapcar '(lambda (x y) (+ x y)) '(1 2 3) '(10 20))"), "(11 22)");
    EXPECT_EQ(show("(mapcar (function (lambda (x) (* x x))) '(2 3))"), "(4 9)");
    EXPECT_EQ(show("(apply '+ '(1 2 3))"), "6");
    EXPECT_EQ(show("(apply (lambda (a b) (list b a)) '(1 2))"), "(2 1)");
    EXPECT_EQ(show("((lambda (x) (* x 10)) 4)"), "40");
    EXPECT_EQ(show("((if t + -) 5 3)"), "8");
    EXPECT_EQ(show("(eval '(+ 1 2))"), "3");
    EXPECT_EQ(show("(eval (list 'quote 'sym))"), "SYM");
    EXPECT_EQ(show("(set 'target 5)"), "5");
    EXPECT_EQ(show("target"), "5");
    // A function kept as a list, the older way of storing a defun.
    eval("(setq old '((x / y) (setq y (* x 3)) y))");
    EXPECT_EQ(show("(old 2)"), "6");
    EXPECT_EQ(show("(function car)"), "CAR");
}

TEST_F(Evaluator, CallingWhatIsNotAFunction)
{
    EXPECT_EQ(errorOf("(foo 1)"), "no function definition: FOO");
    EXPECT_EQ(errorOf("(1 2)"), "bad function: 1");
    EXPECT_EQ(errorOf("(\"a\")"), "bad function: \"a\"");
    eval("(setq five 5)");
    EXPECT_EQ(errorOf("(five)"), "bad function: 5");
    EXPECT_EQ(errorOf("(apply 'nothing nil)"), "no function definition: NOTHING");
    EXPECT_EQ(errorOf("(+ 1 . 2)"), "bad list: 2");
    EXPECT_EQ(errorOf("(defun f (1) 1)"), "bad argument type: symbolp 1");
}

TEST_F(Evaluator, BindingsComeBackWhenAnErrorLeavesAFunction)
{
    eval("(setq v 'global)");
    eval("(defun fails (v / w) (setq w 1) (car v))");
    EXPECT_EQ(errorOf("(fails 5)"), "bad argument type: consp 5");
    EXPECT_EQ(show("v"), "GLOBAL");
    EXPECT_EQ(show("w"), "nil");
}

TEST_F(Evaluator, EndlessRecursionStopsWithTheStackLimitError)
{
    eval("(defun forever (n) (forever (1+ n)))");
    EXPECT_EQ(errorOf("(forever 0)"), errors::stackLimitReached().message());
    EXPECT_EQ(show("(+ 1 2)"), "3");  // the interpreter goes on
}

TEST_F(Evaluator, ConstantsArePredefined)
{
    EXPECT_EQ(show("t"), "T");
    EXPECT_EQ(show("pi"), "3.14159");
    EXPECT_EQ(show("pause"), "\"\\\\\"");
}

TEST(Interpreters, EachDocumentHasItsOwnGlobals)
{
    Interpreter first;
    Interpreter second;
    first.eval(readFirst("(setq shared 1)"));
    EXPECT_EQ(printValue(first.valueOf("shared"), PrintStyle::Prin1), "1");
    EXPECT_FALSE(second.valueOf("shared"));

    addBuiltin("kestra-test-answer", [](Interpreter&, const Arguments&) { return makeInteger(42); });
    EXPECT_EQ(printValue(second.eval(readFirst("(kestra-test-answer)")), PrintStyle::Prin1), "42");
    Interpreter later;
    EXPECT_EQ(printValue(later.eval(readFirst("(kestra-test-answer)")), PrintStyle::Prin1), "42");
    // A defun shadows the builtin in its own document only.
    first.eval(readFirst("(defun kestra-test-answer () 0)"));
    EXPECT_EQ(printValue(first.eval(readFirst("(kestra-test-answer)")), PrintStyle::Prin1), "0");
    EXPECT_EQ(printValue(second.eval(readFirst("(kestra-test-answer)")), PrintStyle::Prin1), "42");
    removeBuiltin("kestra-test-answer");
    EXPECT_FALSE(second.valueOf("kestra-test-answer"));
}

TEST(Interpreters, HostBuiltinsGetTheirArgumentsEvaluatedAndReportWithTheHostsMessages)
{
    Interpreter lisp;
    addBuiltin("kestra-test-getvar", [](Interpreter& in, const Arguments& args) {
        requireArgumentCount(args, 1);
        return makeString("value of " + stringArgument(args[0]) +
                          (in.valueOf("suffix") ? textOf(in.valueOf("suffix")) : ""));
    });
    lisp.eval(readFirst("(setq suffix \"!\")"));
    EXPECT_EQ(textOf(lisp.eval(readFirst("(kestra-test-getvar (strcat \"CMD\" \"ECHO\"))"))), "value of CMDECHO!");
    try {
        lisp.eval(readFirst("(kestra-test-getvar 1)"));
        ADD_FAILURE();
    } catch (const LispError& error) {
        EXPECT_EQ(error.message(), "bad argument type: stringp 1");
    }
    removeBuiltin("kestra-test-getvar");
}

}  // namespace
}  // namespace arx::lisp::testing
