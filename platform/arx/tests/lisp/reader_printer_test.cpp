// The reader and the printer: round trips, the host's number and string forms, syntax errors.
#include <sstream>

#include "lisp_test_support.h"

namespace arx::lisp::testing {
namespace {

std::string roundTrip(std::string_view text) { return printValue(readFirst(text), PrintStyle::Prin1); }

std::string syntaxError(std::string_view text)
{
    try {
        Reader reader(text);
        Value value;
        while (reader.next(value)) {}
    } catch (const LispError& error) {
        return error.message();
    }
    return "<no error>";
}

TEST(Reader, RoundTripsListsAtomsAndDottedPairs)
{
    EXPECT_EQ(roundTrip("(1 -2 2.5 \"text\" sym (a . b) (1 (2 (3))) nil t)"),
              "(1 -2 2.5 \"text\" SYM (A . B) (1 (2 (3))) nil T)");
    EXPECT_EQ(roundTrip("(1 2 . 3)"), "(1 2 . 3)");
    EXPECT_EQ(roundTrip("(1 . (2 3))"), "(1 2 3)");
    EXPECT_EQ(roundTrip("()"), "nil");
    EXPECT_EQ(roundTrip("'x"), "(QUOTE X)");
    EXPECT_EQ(roundTrip("'(a 'b)"), "(QUOTE (A (QUOTE B)))");
}

TEST(Reader, SymbolsAreCaseInsensitiveAndKeepTheirCharacters)
{
    EXPECT_EQ(readFirst("vadu_Kestra::DisplayLockedLayerName"), readFirst("VADU_KESTRA::DISPLAYLOCKEDLAYERNAME"));
    EXPECT_EQ(roundTrip("c:ksMake"), "C:KSMAKE");
    EXPECT_EQ(roundTrip("(1+ a.b -)"), "(1+ A.B -)");
    EXPECT_EQ(roundTrip("NIL"), "nil");
}

TEST(Reader, NumbersFollowTheHost)
{
    EXPECT_TRUE(isInteger(readFirst("2147483647")));
    EXPECT_TRUE(isInteger(readFirst("-2147483648")));
    EXPECT_TRUE(isInteger(readFirst("+7")));
    // Beyond 32 bits an integer literal is read as a real.
    Value big = readFirst("2147483648");
    ASSERT_TRUE(isReal(big));
    EXPECT_DOUBLE_EQ(realOf(big), 2147483648.0);
    EXPECT_TRUE(isReal(readFirst("1.")));
    EXPECT_TRUE(isReal(readFirst("1e3")));
    EXPECT_TRUE(isReal(readFirst("-4.1e-6")));
    EXPECT_TRUE(isSymbol(readFirst("1e")));
    EXPECT_TRUE(isSymbol(readFirst("1.2.3")));
}

TEST(Reader, StringEscapes)
{
    Value s = readFirst(R"("a\\b\"c\nd\te\ef\rg\101\0011")");
    ASSERT_TRUE(isString(s));
    EXPECT_EQ(textOf(s), std::string("a\\b\"c\nd\te\x1b"
                                     "f\rgA\001"
                                     "1"));
    EXPECT_EQ(textOf(readFirst(R"("\q")")), "q");
    EXPECT_EQ(textOf(readFirst("\"two\nlines\"")), "two\nlines");
}

TEST(Reader, CommentsAreSkipped)
{
    Reader reader("; a comment\n(+ 1 ;| inside\n a block |; 2) ; trailing\n 3");
    Value first, second, none;
    ASSERT_TRUE(reader.next(first));
    ASSERT_TRUE(reader.next(second));
    EXPECT_FALSE(reader.next(none));
    EXPECT_EQ(printValue(first, PrintStyle::Prin1), "(+ 1 2)");
    EXPECT_EQ(printValue(second, PrintStyle::Prin1), "3");
}

TEST(Reader, SyntaxErrorsHaveTheHostsMessages)
{
    EXPECT_EQ(syntaxError("(1 2"), "malformed list on input");
    EXPECT_EQ(syntaxError("(1 (2)"), "malformed list on input");
    EXPECT_EQ(syntaxError("'"), "malformed list on input");
    EXPECT_EQ(syntaxError(")"), "extra right paren on input");
    EXPECT_EQ(syntaxError("(1) )"), "extra right paren on input");
    EXPECT_EQ(syntaxError("\"abc"), "malformed string on input");
    EXPECT_EQ(syntaxError("( . 1)"), "misplaced dot on input");
    EXPECT_EQ(syntaxError("(1 . )"), "misplaced dot on input");
    EXPECT_EQ(syntaxError("."), "misplaced dot on input");
    EXPECT_EQ(syntaxError("(1 . 2 3)"), "extra cdrs in dotted pair on input");
}

TEST(Reader, HugeNestingIsAnErrorNotACrash)
{
    std::string deep(200000, '(');
    EXPECT_EQ(syntaxError(deep), errors::stackLimitReached().message());
}

TEST(Printer, RealsPrintAsTheHostPrintsThem)
{
    EXPECT_EQ(formatReal(3.0), "3.0");
    EXPECT_EQ(formatReal(1.5), "1.5");
    EXPECT_EQ(formatReal(-0.5), "-0.5");
    EXPECT_EQ(formatReal(0.1), "0.1");
    EXPECT_EQ(formatReal(1.23456789), "1.23457");
    EXPECT_EQ(formatReal(3.14159265358979), "3.14159");
    EXPECT_EQ(formatReal(123456.7), "123457.0");
    EXPECT_EQ(formatReal(1000000.0), "1.0e+006");
    EXPECT_EQ(formatReal(1e20), "1.0e+020");
    EXPECT_EQ(formatReal(2147483648.0), "2.14748e+009");
    EXPECT_EQ(formatReal(1e-5), "1.0e-005");
    EXPECT_EQ(formatReal(1.5e-7), "1.5e-007");
    EXPECT_EQ(formatReal(0.0), "0.0");
}

TEST(Printer, StringsQuotedByPrin1AndRawByPrinc)
{
    Value s = makeString("say \"hi\"\\\n\t\x1b\x01!");
    EXPECT_EQ(printValue(s, PrintStyle::Prin1), "\"say \\\"hi\\\"\\\\\\n\\t\\e\\001!\"");
    EXPECT_EQ(printValue(s, PrintStyle::Princ), "say \"hi\"\\\n\t\x1b\x01!");
    // The printed form reads back as the same string.
    EXPECT_EQ(textOf(readFirst(printValue(s, PrintStyle::Prin1))), textOf(s));
    EXPECT_EQ(printValue(makeList({makeString("a"), makeString("b")}), PrintStyle::Princ), "(a b)");
}

TEST(Printer, NamesAndFunctionsAsTheHostShowsThem)
{
    long entity[2] = {0x7ef5a3c8, 0};
    long selection[2] = {1, 0};
    long other[2] = {0x1a, 0};
    EXPECT_EQ(printValue(makeEntityName(entity), PrintStyle::Prin1), "<Entity name: 7ef5a3c8>");
    EXPECT_EQ(printValue(makeSelectionSet(selection), PrintStyle::Prin1), "<Selection set: 1>");
    EXPECT_EQ(printValue(makeSelectionSet(other), PrintStyle::Princ), "<Selection set: 1a>");
    EXPECT_EQ(printValue(voidValue(), PrintStyle::Prin1), "");

    Interpreter lisp;
    std::string car = printValue(lisp.valueOf("car"), PrintStyle::Prin1);
    EXPECT_EQ(car.substr(0, 8), "#<SUBR @");
    EXPECT_EQ(car.substr(car.size() - 5), " CAR>");
    lisp.eval(readFirst("(defun twice (x) (* 2 x))"));
    std::string twice = printValue(lisp.valueOf("twice"), PrintStyle::Prin1);
    EXPECT_EQ(twice.substr(0, 9), "#<USUBR @");
    EXPECT_EQ(twice.substr(twice.size() - 7), " TWICE>");
    std::string lambda = printValue(lisp.eval(readFirst("(lambda (x) x)")), PrintStyle::Prin1);
    EXPECT_EQ(lambda.substr(lambda.size() - 10), " -lambda->");
}

TEST(Printer, DeeplyNestedListsPrintWithoutExhaustingTheStack)
{
    Value nested;
    for (int k = 0; k < 100000; ++k) nested = makeList({nested});
    std::string text = printValue(nested, PrintStyle::Prin1);
    EXPECT_NE(text.find("(...)"), std::string::npos);
    Value longList;
    for (int k = 0; k < 200000; ++k) longList = cons(makeInteger(k), longList);
    EXPECT_EQ(printValue(longList, PrintStyle::Prin1).substr(0, 8), "(199999 ");
}

TEST(ExpressionScanner, FindsAnExpressionAcrossLines)
{
    std::string_view script = "  (setq a\n   (list 1 \"x)\" ; comment )\n 2))\nLINE 0,0";
    ExpressionExtent extent = findExpression(script);
    ASSERT_EQ(extent.result, ScanResult::Complete);
    EXPECT_EQ(extent.begin, 2u);
    EXPECT_EQ(script.substr(extent.end), "\nLINE 0,0");
    EXPECT_EQ(findExpression("(a (b)", 0).result, ScanResult::Incomplete);
    EXPECT_EQ(findExpression("(a \"b)", 0).result, ScanResult::Incomplete);
    EXPECT_EQ(findExpression("(a ;| ) |; b", 0).result, ScanResult::Incomplete);
    EXPECT_EQ(findExpression("  ; only a comment\n", 0).result, ScanResult::Empty);

    ExpressionExtent stray = findExpression(" ) (x)");
    EXPECT_EQ(stray.result, ScanResult::ExtraRightParen);
    EXPECT_EQ(stray.end, 2u);

    ExpressionExtent atom = findExpression("abc def");
    EXPECT_EQ(atom.result, ScanResult::Complete);
    EXPECT_EQ(atom.end, 3u);
    ExpressionExtent quoted = findExpression("'(1 2) x");
    EXPECT_EQ(quoted.end, 6u);
    ExpressionExtent string = findExpression("\"a\\\"b\" x");
    EXPECT_EQ(string.end, 6u);
}

TEST(ExpressionScanner, ReadsExactlyOneExpressionFromAStream)
{
    std::istringstream in("(princ\n \"a\")(b)\nabc ZOOM\n(unfinished");
    EXPECT_EQ(readExpressionText(in), std::optional<std::string>("(princ\n \"a\")"));
    EXPECT_EQ(readExpressionText(in), std::optional<std::string>("(b)"));
    EXPECT_EQ(readExpressionText(in), std::optional<std::string>("abc"));
    EXPECT_EQ(in.get(), ' ');  // the delimiter after an atom stays in the stream
    EXPECT_EQ(readExpressionText(in), std::optional<std::string>("ZOOM"));
    EXPECT_EQ(readExpressionText(in), std::optional<std::string>("(unfinished"));
    EXPECT_EQ(readExpressionText(in), std::nullopt);
}

}  // namespace
}  // namespace arx::lisp::testing
