// Where a message the user must see goes: the command line or an alert box.
#pragma once

namespace kestra {

// True while AutoLISP evaluates in the current document, in silent mode, when CMDACTIVE
// cannot be read, or when a script, a dialog box or DDE is active (CMDACTIVE & 0x1C).
bool messagesToCommandLine();

// A refusal: "\n%s\n" on the command line when messagesToCommandLine() holds, else an alert.
void showRefusal(const char* message);

}  // namespace kestra
