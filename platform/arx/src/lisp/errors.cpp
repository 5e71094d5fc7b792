#include "lisp/errors.h"

#include "lisp/printer.h"

namespace arx::lisp::errors {

namespace {

bool colonAfter(std::string_view predicate)
{
    return predicate == "numberp" || predicate == "fixnump" || predicate == "2D/3D point";
}

std::string printed(const Value& value) { return printValue(value, PrintStyle::Prin1); }

}  // namespace

LispError badArgumentType(std::string_view predicate, const Value& value)
{
    std::string message = "bad argument type: ";
    message += predicate;
    message += colonAfter(predicate) ? ": " : " ";
    message += printed(value);
    return LispError(message);
}

LispError badArgumentValue(std::string_view expectation, const Value& value)
{
    return LispError("bad argument value: " + std::string(expectation) + " " + printed(value));
}

LispError tooFewArguments() { return LispError("too few arguments"); }
LispError tooManyArguments() { return LispError("too many arguments"); }
LispError divideByZero() { return LispError("divide by zero"); }

LispError noFunctionDefinition(std::string_view symbolName)
{
    return LispError("no function definition: " + std::string(symbolName));
}

LispError badFunction(const Value& value) { return LispError("bad function: " + printed(value)); }

LispError functionUndefinedForArgument(const Value& value)
{
    return LispError("function undefined for argument: " + printed(value));
}

LispError badList(const Value& tail) { return LispError("bad list: " + printed(tail)); }
LispError malformedList() { return LispError("malformed list on input"); }
LispError malformedString() { return LispError("malformed string on input"); }
LispError extraRightParen() { return LispError("extra right paren on input"); }
LispError misplacedDot() { return LispError("misplaced dot on input"); }
LispError extraCdrs() { return LispError("extra cdrs in dotted pair on input"); }
LispError quitExitAbort() { return LispError("quit / exit abort"); }
LispError functionCancelled() { return LispError("Function cancelled"); }
LispError externalFunctionFailed() { return LispError("ADS request error"); }

LispError stackLimitReached() { return LispError("Hard error occurred *** internal stack limit reached (simulated)"); }

LispError stepLimitReached() { return LispError("evaluation step limit reached"); }

}  // namespace arx::lisp::errors
