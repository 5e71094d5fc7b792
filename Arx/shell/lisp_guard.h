// The LISP guard of the commands and the flag bracket of the AutoLISP functions that call
// them. A command typed inside an AutoLISP (command ...) call is refused with a message naming
// the function to use instead; the function clears the flag around the call so the same work
// runs.
#pragma once
#include <string>

class AcApDocument;

namespace kestra {

// "Sorry!\nYou must use the function \n(" + name + ") in an AutoLISP function."
std::string sorryMessage(const char* functionName);

// True (after showing the refusal) when AutoLISP evaluates in the current document. A
// missing record counts as not evaluating, its flag's initial value.
bool lispGuardRefuses(const char* functionName);

// Saves the current document's LISP evaluation flag, clears it, and puts the saved value
// back into that document's record on every path out.
class LispFlagBracket {
public:
    LispFlagBracket();
    ~LispFlagBracket();
    LispFlagBracket(const LispFlagBracket&) = delete;
    LispFlagBracket& operator=(const LispFlagBracket&) = delete;

private:
    AcApDocument* document_ = nullptr;
    bool saved_ = false;
    bool active_ = false;
};

}  // namespace kestra
