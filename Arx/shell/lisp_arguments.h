// The argument rules of the AutoLISP functions, read from the argument chain the host passes.
// These only look at the chain; reporting is left to the callers (lisp_messages.h).
#pragma once
#include <optional>
#include <string>

#include "adsdef.h"

namespace kestra {

inline bool hasArguments(const resbuf* args) { return args != nullptr; }

// The first argument as T (true) or nil (false); nothing for anything else or no argument.
std::optional<bool> tOrNilArgument(const resbuf* args);

// The first argument as a 16- or 32-bit integer; nothing for anything else.
std::optional<long> integerArgument(const resbuf* args);

// Demand-load flags from an AutoLISP value: a value outside 0 to 15 becomes 0.
int loadControlFlags(long value);

// The help call's argument: a list opening, a text, then a 16-bit integer.
struct HelpTopicArgument {
    std::string topic;
    int command;
};
std::optional<HelpTopicArgument> helpTopicArgument(const resbuf* args);

// The first argument as a text, for a function that needs one.
enum class TextArgumentProblem { None, Missing, NotText };
TextArgumentProblem textArgumentProblem(const resbuf* args);

}  // namespace kestra
