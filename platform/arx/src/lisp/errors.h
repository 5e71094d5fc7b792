// AutoLISP errors. A LispError carries the message the host shows after "; error: " and hands
// to a user's *error* function. Every message text of the interpreter is made here.
#pragma once
#include <stdexcept>
#include <string>
#include <string_view>

#include "lisp/value.h"

namespace arx::lisp {

class LispError : public std::runtime_error {
public:
    explicit LispError(const std::string& message) : std::runtime_error(message) {}
    std::string message() const { return what(); }
    // Set once the error has been shown (by *error* or the default report), so that frames
    // the error passes on its way out do not show it again.
    bool reported() const { return reported_; }
    void markReported() { reported_ = true; }

private:
    bool reported_ = false;
};

namespace errors {

// "bad argument type: numberp: \"x\"", "bad argument type: consp 1": the host puts a colon
// after some predicates (numberp, fixnump, 2D/3D point) and none after the others.
LispError badArgumentType(std::string_view predicate, const Value& value);
// "bad argument value: positive 0"
LispError badArgumentValue(std::string_view expectation, const Value& value);
LispError tooFewArguments();
LispError tooManyArguments();
LispError divideByZero();
LispError noFunctionDefinition(std::string_view symbolName);
LispError badFunction(const Value& value);
LispError functionUndefinedForArgument(const Value& value);
LispError badList(const Value& tail);
LispError malformedList();
LispError malformedString();
LispError extraRightParen();
LispError misplacedDot();
LispError extraCdrs();
LispError quitExitAbort();
LispError functionCancelled();
// An external function (acedDefun) returned RTERROR.
LispError externalFunctionFailed();
// Evaluation nested too deeply (endless recursion).
LispError stackLimitReached();
// More evaluation steps than the interpreter's step limit allows (an endless loop).
LispError stepLimitReached();

// The prefix of the host's default report of an error.
inline constexpr std::string_view kReportPrefix = "; error: ";

}  // namespace errors

}  // namespace arx::lisp
