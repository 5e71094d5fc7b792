// The builtins by family: arithmetic, comparison, lists, strings, rtos, predicates, output.
#include "lisp_test_support.h"

namespace arx::lisp::testing {
namespace {

using Arithmetic = LispTest;
using Comparison = LispTest;
using Lists = LispTest;
using Strings = LispTest;
using Predicates = LispTest;
using Output = LispTest;

TEST_F(Arithmetic, IntegersStayIntegersAndRealsSpread)
{
    EXPECT_EQ(show("(+ 1 2 3)"), "6");
    EXPECT_EQ(show("(+ 1 2.0)"), "3.0");
    EXPECT_EQ(show("(- 10 3 2)"), "5");
    EXPECT_EQ(show("(- 5)"), "-5");
    EXPECT_EQ(show("(* 2 3.5)"), "7.0");
    EXPECT_EQ(show("(/ 7 2)"), "3");
    EXPECT_EQ(show("(/ -7 2)"), "-3");
    EXPECT_EQ(show("(/ 7 2.0)"), "3.5");
    EXPECT_EQ(show("(/ 7 2 2.0)"), "1.5");  // left to right: 7/2 is integer 3 first
    EXPECT_EQ(show("(/ 5)"), "5");
    EXPECT_EQ(show("(+)"), "0");
    EXPECT_EQ(show("(*)"), "0");
    EXPECT_EQ(show("(/)"), "0");
    EXPECT_EQ(show("(rem 7 3)"), "1");
    EXPECT_EQ(show("(rem -7 3)"), "-1");
    EXPECT_EQ(show("(rem 7.5 2)"), "1.5");
    EXPECT_EQ(show("(1+ 1.5)"), "2.5");
    EXPECT_EQ(show("(1- 0)"), "-1");
    EXPECT_EQ(show("(abs -4)"), "4");
    EXPECT_EQ(show("(abs -4.5)"), "4.5");
}

TEST_F(Arithmetic, IntegerOverflowWrapsAsOnThe32BitHost)
{
    EXPECT_EQ(show("(+ 2147483647 1)"), "-2147483648");
    EXPECT_EQ(show("(* 65536 65536)"), "0");
    EXPECT_EQ(show("(1+ 2147483647)"), "-2147483648");
    EXPECT_EQ(show("(/ -2147483648 -1)"), "-2147483648");
    EXPECT_EQ(show("(abs -2147483648)"), "-2147483648");
}

TEST_F(Arithmetic, Errors)
{
    EXPECT_EQ(errorOf("(/ 1 0)"), "divide by zero");
    EXPECT_EQ(errorOf("(/ 1.0 0.0)"), "divide by zero");
    EXPECT_EQ(errorOf("(rem 1 0)"), "divide by zero");
    EXPECT_EQ(errorOf("(+ 1 \"x\")"), "bad argument type: numberp: \"x\"");
    EXPECT_EQ(errorOf("(* nil 2)"), "bad argument type: numberp: nil");
    EXPECT_EQ(errorOf("(sqrt -1)"), "function undefined for argument: -1");
    EXPECT_EQ(errorOf("(log 0)"), "function undefined for argument: 0");
    EXPECT_EQ(errorOf("(1+)"), "too few arguments");
    EXPECT_EQ(errorOf("(1+ 1 2)"), "too many arguments");
}

TEST_F(Arithmetic, MinMaxFixFloatAndFunctions)
{
    EXPECT_EQ(show("(max 4.07 -144)"), "4.07");
    EXPECT_EQ(show("(max -88 19 5 2)"), "19");
    EXPECT_EQ(show("(max 2.1 4 8)"), "8.0");
    EXPECT_EQ(show("(min 3 1 2)"), "1");
    EXPECT_EQ(show("(fix 3.7)"), "3");
    EXPECT_EQ(show("(fix -3.7)"), "-3");
    EXPECT_EQ(show("(fix 1e20)"), "1.0e+020");  // beyond the integers: a truncated real
    EXPECT_EQ(show("(float 3)"), "3.0");
    EXPECT_EQ(show("(sqrt 16)"), "4.0");
    EXPECT_EQ(show("(expt 2 10)"), "1024");
    EXPECT_EQ(show("(expt 2 -1)"), "0");
    EXPECT_EQ(show("(expt 2.0 3)"), "8.0");
    EXPECT_EQ(show("(expt 3 40)"), "689956897");  // wraps like the 32-bit product
    EXPECT_EQ(show("(sin 0)"), "0.0");
    EXPECT_EQ(show("(cos 0)"), "1.0");
    EXPECT_EQ(show("(atan 1)"), "0.785398");
    EXPECT_EQ(show("(atan 1 -1)"), "2.35619");
    EXPECT_EQ(show("(exp 1)"), "2.71828");
    EXPECT_EQ(show("(log 10)"), "2.30259");
    EXPECT_EQ(show("(logand 7 12)"), "4");
    EXPECT_EQ(show("(logand 4613 8187)"), "4609");  // the locked bit cleared
    EXPECT_EQ(show("(logior 1 4)"), "5");
    EXPECT_EQ(show("(~ 0)"), "-1");
    EXPECT_EQ(show("(lsh 1 4)"), "16");
    EXPECT_EQ(show("(lsh 16 -4)"), "1");
}

TEST_F(Comparison, NumbersStringsAndIdentity)
{
    EXPECT_EQ(show("(= 1 1.0)"), "T");
    EXPECT_EQ(show("(= \"a\" \"a\")"), "T");
    EXPECT_EQ(show("(= 1 \"1\")"), "nil");
    EXPECT_EQ(show("(= 2 2 2)"), "T");
    EXPECT_EQ(show("(= 2)"), "T");
    EXPECT_EQ(errorOf("(=)"), "too few arguments");
    EXPECT_EQ(show("(/= 1 2)"), "T");
    EXPECT_EQ(show("(/= 10 20 10 20 20)"), "nil");
    EXPECT_EQ(show("(< 1 2 3)"), "T");
    EXPECT_EQ(show("(< 1 3 2)"), "nil");
    EXPECT_EQ(show("(< \"abc\" \"abd\")"), "T");
    EXPECT_EQ(show("(> \"b\" \"abc\")"), "T");
    EXPECT_EQ(show("(<= 1 1 2)"), "T");
    EXPECT_EQ(show("(>= 3 3 4)"), "nil");
    EXPECT_EQ(errorOf("(< 1 \"a\")"), "bad argument type: numberp: \"a\"");
    EXPECT_EQ(errorOf("(> 'a 1)"), "bad argument type: numberp: A");
}

TEST_F(Comparison, EqAndEqual)
{
    eval("(setq l '(1 2) f1 1.5)");
    EXPECT_EQ(show("(eq l l)"), "T");
    EXPECT_EQ(show("(eq '(1 2) '(1 2))"), "nil");
    EXPECT_EQ(show("(equal '(1 2) '(1 2))"), "T");
    EXPECT_EQ(show("(eq 'a 'A)"), "T");
    EXPECT_EQ(show("(eq 5 5)"), "T");
    EXPECT_EQ(show("(eq f1 f1)"), "T");
    EXPECT_EQ(show("(equal \"a\" \"a\")"), "T");
    EXPECT_EQ(show("(equal 1.0 1.0000001)"), "nil");
    EXPECT_EQ(show("(equal 1.0 1.0000001 0.001)"), "T");
    EXPECT_EQ(show("(equal '(1.0 (2.0 . \"x\")) '(1.0001 (2.0 . \"x\")) 0.01)"), "T");
    EXPECT_EQ(show("(equal '(1 2) '(1 2 3))"), "nil");
}

TEST_F(Lists, AccessorsAndConstructors)
{
    eval("(setq l '(1 (2 3) 4 5 6))");
    EXPECT_EQ(show("(car l)"), "1");
    EXPECT_EQ(show("(cdr l)"), "((2 3) 4 5 6)");
    EXPECT_EQ(show("(cadr l)"), "(2 3)");
    EXPECT_EQ(show("(caadr l)"), "2");
    EXPECT_EQ(show("(cdadr l)"), "(3)");
    EXPECT_EQ(show("(caddr l)"), "4");
    EXPECT_EQ(show("(cadddr l)"), "5");
    EXPECT_EQ(show("(cddddr l)"), "(6)");
    EXPECT_EQ(show("(car nil)"), "nil");
    EXPECT_EQ(show("(cdr '(1 . 2))"), "2");
    EXPECT_EQ(errorOf("(car 1)"), "bad argument type: consp 1");
    EXPECT_EQ(errorOf("(cadr '(1 . 2))"), "bad argument type: consp 2");
    EXPECT_EQ(show("(cons 1 '(2))"), "(1 2)");
    EXPECT_EQ(show("(cons 'lyr \"WALLS\")"), "(LYR . \"WALLS\")");
    EXPECT_EQ(show("(list 1 \"a\" nil)"), "(1 \"a\" nil)");
    EXPECT_EQ(show("(list)"), "nil");
    EXPECT_EQ(show("(append '(1) nil '(2 3) '(4))"), "(1 2 3 4)");
    EXPECT_EQ(errorOf("(append '(1) 2)"), "bad argument type: listp 2");
}

TEST_F(Lists, QueriesAndSearches)
{
    EXPECT_EQ(show("(length '(1 2 3))"), "3");
    EXPECT_EQ(show("(length nil)"), "0");
    EXPECT_EQ(errorOf("(length '(1 . 2))"), "bad list: 2");
    EXPECT_EQ(show("(nth 1 '(a b c))"), "B");
    EXPECT_EQ(show("(nth 5 '(a b c))"), "nil");
    EXPECT_EQ(show("(nth -1 '(a b c))"), "nil");
    EXPECT_EQ(errorOf("(nth 1.0 '(a))"), "bad argument type: fixnump: 1.0");
    EXPECT_EQ(show("(last '(1 2 (3)))"), "(3)");
    EXPECT_EQ(show("(last nil)"), "nil");
    EXPECT_EQ(show("(reverse '(1 2 3))"), "(3 2 1)");
    EXPECT_EQ(show("(member 'c '(a b c d))"), "(C D)");
    EXPECT_EQ(show("(member '(1) '(a (1) b))"), "((1) B)");
    EXPECT_EQ(show("(member 'z '(a b))"), "nil");
    eval("(setq wallinfo '((lyr . \"WALLS\") (len . 240.0) (hgt . 96.0)))");
    EXPECT_EQ(show("(assoc 'len wallinfo)"), "(LEN . 240.0)");
    EXPECT_EQ(show("(cdr (assoc 'lyr wallinfo))"), "\"WALLS\"");
    EXPECT_EQ(show("(assoc 'none wallinfo)"), "nil");
    EXPECT_EQ(show("(subst 'qq 'b '(a b (c d) b))"), "(A QQ (C D) QQ)");
    EXPECT_EQ(show("(subst 'qq '(c d) '(a b (c d) b))"), "(A B QQ B)");
    EXPECT_EQ(show("(subst '(8 . \"NEW\") (assoc 8 '((0 . \"LINE\") (8 . \"0\"))) '((0 . \"LINE\") (8 . \"0\")))"),
              "((0 . \"LINE\") (8 . \"NEW\"))");
}

TEST_F(Strings, BuildingAndCutting)
{
    EXPECT_EQ(show("(strcat \"a\" \"bc\" \"\")"), "\"abc\"");
    EXPECT_EQ(show("(strcat)"), "\"\"");
    EXPECT_EQ(errorOf("(strcat \"a\" 1)"), "bad argument type: stringp 1");
    EXPECT_EQ(show("(strlen \"abcd\")"), "4");
    EXPECT_EQ(show("(strlen \"ab\" \"c\")"), "3");
    EXPECT_EQ(show("(strlen)"), "0");
    EXPECT_EQ(show("(substr \"abcde\" 2)"), "\"bcde\"");
    EXPECT_EQ(show("(substr \"abcde\" 2 3)"), "\"bcd\"");
    EXPECT_EQ(show("(substr \"abcde\" 4 10)"), "\"de\"");
    EXPECT_EQ(show("(substr \"abc\" 9)"), "\"\"");
    EXPECT_EQ(errorOf("(substr \"abc\" 0)"), "bad argument value: positive 0");
    EXPECT_EQ(errorOf("(substr \"abc\" 1 -1)"), "bad argument value: non-negative -1");
    EXPECT_EQ(show("(strcase \"Sample é\")"), "\"SAMPLE é\"");
    EXPECT_EQ(show("(strcase \"Sample\" t)"), "\"sample\"");
}

TEST_F(Strings, NumberConversions)
{
    EXPECT_EQ(show("(itoa -17)"), "\"-17\"");
    EXPECT_EQ(errorOf("(itoa 1.5)"), "bad argument type: fixnump: 1.5");
    EXPECT_EQ(show("(atoi \"97\")"), "97");
    EXPECT_EQ(show("(atoi \" -3.9abc\")"), "-3");
    EXPECT_EQ(show("(atoi \"abc\")"), "0");
    EXPECT_EQ(show("(atoi \"99999999999\")"), "2147483647");
    EXPECT_EQ(show("(atof \"97.1\")"), "97.1");
    EXPECT_EQ(show("(atof \"3\")"), "3.0");
    EXPECT_EQ(show("(atof \" 1e3x\")"), "1000.0");
    EXPECT_EQ(show("(atof \"x\")"), "0.0");
    EXPECT_EQ(show("(ascii \"A\")"), "65");
    EXPECT_EQ(show("(ascii \"\")"), "0");
    EXPECT_EQ(show("(ascii \"\xe9\")"), "233");
    EXPECT_EQ(show("(chr 65)"), "\"A\"");
    EXPECT_EQ(show("(chr 0)"), "\"\"");
}

TEST_F(Strings, RtosInEachUnitMode)
{
    eval("(setq x 17.5)");
    EXPECT_EQ(show("(rtos x 1 4)"), "\"1.7500E+01\"");
    EXPECT_EQ(show("(rtos x 2 2)"), "\"17.50\"");
    EXPECT_EQ(show("(rtos x 3 2)"), "\"1'-5.50\\\"\"");
    EXPECT_EQ(show("(rtos x 4 2)"), "\"1'-5 1/2\\\"\"");
    EXPECT_EQ(show("(rtos x 5 2)"), "\"17 1/2\"");
    EXPECT_EQ(show("(rtos x)"), "\"17.5000\"");  // LUNITS 2, LUPREC 4 of a new drawing
    EXPECT_EQ(show("(rtos 2 2 0)"), "\"2\"");
    EXPECT_EQ(show("(rtos -0.125 2 2)"), "\"-0.13\"");
    EXPECT_EQ(show("(rtos 1.005 2 2)"), "\"1.01\"");
    EXPECT_EQ(show("(rtos 0.00123 1 2)"), "\"1.23E-03\"");
    EXPECT_EQ(show("(rtos 9.996 1 2)"), "\"1.00E+01\"");
    EXPECT_EQ(show("(rtos 0 1 2)"), "\"0.00E+00\"");
    EXPECT_EQ(show("(rtos 6 4 4)"), "\"6\\\"\"");
    EXPECT_EQ(show("(rtos 24 4 4)"), "\"2'\"");
    EXPECT_EQ(show("(rtos 12.5 4 4)"), "\"1'-0 1/2\\\"\"");
    EXPECT_EQ(show("(rtos 0.75 5 4)"), "\"3/4\"");
    EXPECT_EQ(show("(rtos -17.5 5 2)"), "\"-17 1/2\"");
    EXPECT_EQ(show("(rtos 11.999 3 2)"), "\"1'\"");  // rounding carries into the feet
    EXPECT_EQ(errorOf("(rtos 1 6 2)"), "bad argument value: units 6");
    EXPECT_EQ(errorOf("(rtos \"1\")"), "bad argument type: numberp: \"1\"");
}

TEST_F(Strings, RtosReadsTheUnitVariablesThroughTheHook)
{
    int unitmode = 1;
    int dimzin = 0;
    setIntegerVariableHook([&](std::string_view name) -> std::optional<int> {
        if (name == "UNITMODE") return unitmode;
        if (name == "DIMZIN") return dimzin;
        if (name == "LUNITS") return 4;
        if (name == "LUPREC") return 2;
        return std::nullopt;
    });
    eval("(setq x 17.5)");
    EXPECT_EQ(show("(rtos x 3 2)"), "\"1'5.50\\\"\"");
    EXPECT_EQ(show("(rtos x 4 2)"), "\"1'5-1/2\\\"\"");
    EXPECT_EQ(show("(rtos x 5 2)"), "\"17-1/2\"");
    EXPECT_EQ(show("(rtos x)"), "\"1'5-1/2\\\"\"");
    unitmode = 0;
    dimzin = 8;
    EXPECT_EQ(show("(rtos x 2 4)"), "\"17.5\"");
    EXPECT_EQ(show("(rtos 3.0 2 4)"), "\"3\"");
    dimzin = 12;
    EXPECT_EQ(show("(rtos 0.25 2 4)"), "\".25\"");
    dimzin = 1;
    EXPECT_EQ(show("(rtos 6 4 2)"), "\"0'-6\\\"\"");
    EXPECT_EQ(show("(rtos 24 3 1)"), "\"2'-0.0\\\"\"");
}

TEST_F(Strings, Wcmatch)
{
    EXPECT_EQ(show("(wcmatch \"Name\" \"N*\")"), "T");
    EXPECT_EQ(show("(wcmatch \"Name\" \"???,~*m*,N*\")"), "T");
    EXPECT_EQ(show("(wcmatch \"Name\" \"*X*\")"), "nil");
    EXPECT_EQ(errorOf("(wcmatch \"a\" 1)"), "bad argument type: stringp 1");
}

TEST_F(Predicates, TypesAndTests)
{
    eval("(defun f () 1)");
    EXPECT_EQ(show("(mapcar 'type (list 1 1.0 \"s\" 'a '(1) car f nil (princ)))"),
              "(INT REAL STR SYM LIST SUBR USUBR nil SYM)");
    EXPECT_EQ(show("(type if)"), "SUBR");
    EXPECT_EQ(show("(atom 'a)"), "T");
    EXPECT_EQ(show("(atom nil)"), "T");
    EXPECT_EQ(show("(atom '(1))"), "nil");
    EXPECT_EQ(show("(listp nil)"), "T");
    EXPECT_EQ(show("(listp '(1 . 2))"), "T");
    EXPECT_EQ(show("(listp 1)"), "nil");
    EXPECT_EQ(show("(numberp 1.5)"), "T");
    EXPECT_EQ(show("(numberp \"1\")"), "nil");
    EXPECT_EQ(show("(null nil)"), "T");
    EXPECT_EQ(show("(not 0)"), "nil");
    EXPECT_EQ(show("(minusp -0.5)"), "T");
    EXPECT_EQ(show("(zerop 0.0)"), "T");
    EXPECT_EQ(errorOf("(zerop \"0\")"), "bad argument type: numberp: \"0\"");
    eval("(setq bound 1)");
    EXPECT_EQ(show("(boundp 'bound)"), "T");
    EXPECT_EQ(show("(boundp 'unbound)"), "nil");
    EXPECT_EQ(show("(boundp 'car)"), "T");
    EXPECT_EQ(errorOf("(boundp 1)"), "bad argument type: symbolp 1");
}

TEST_F(Output, PrintingFunctionsWriteThroughTheHookAndReturnTheirArgument)
{
    EXPECT_EQ(show("(princ \"a\\nb\")"), "\"a\\nb\"");
    EXPECT_EQ(output, "a\nb");
    output.clear();
    EXPECT_EQ(show("(prin1 \"a\\nb\")"), "\"a\\nb\"");
    EXPECT_EQ(output, "\"a\\nb\"");
    output.clear();
    EXPECT_EQ(show("(print '(1 \"x\"))"), "(1 \"x\")");
    EXPECT_EQ(output, "\n(1 \"x\") ");
    output.clear();
    EXPECT_EQ(show("(terpri)"), "nil");
    EXPECT_EQ(show("(prompt \"\\nPick: \")"), "nil");
    EXPECT_EQ(output, "\n\nPick: ");
    output.clear();
    EXPECT_TRUE(isVoid(eval("(princ)")));
    EXPECT_TRUE(isVoid(eval("(prin1)")));
    EXPECT_EQ(output, "");
    EXPECT_EQ(show("(princ 1.5 nil)"), "1.5");
    EXPECT_EQ(errorOf("(princ 1 2)"), "bad argument type: streamp 2");
    EXPECT_EQ(errorOf("(prompt 1)"), "bad argument type: stringp 1");
}

TEST_F(Output, ReadParsesOneExpression)
{
    EXPECT_EQ(show("(read \"(a b . c) ignored\")"), "(A B . C)");
    EXPECT_EQ(show("(read \"\")"), "nil");
    EXPECT_EQ(show("(read \"12\")"), "12");
    EXPECT_EQ(errorOf("(read \"(1\")"), "malformed list on input");
}

}  // namespace
}  // namespace arx::lisp::testing
