#include "acedads.h"
#include "acutads.h"
#include "afxheadless.h"

namespace {

// Dialogs of the headless host talk through its command line.
class HostConsole : public AfxDialogConsole {
public:
    void print(const char* text) override { acutPrintf("%s", text); }

    bool ask(const char* prompt, std::string& answer) override
    {
        char buffer[512] = {};
        // Spaces belong to the answer, so that labels such as "More Information" can be typed.
        if (acedGetString(1, prompt, buffer) != RTNORM) return false;
        answer = buffer;
        return true;
    }
};

AfxDialogConsole*& replacedConsole()
{
    static AfxDialogConsole* console = nullptr;
    return console;
}

}  // namespace

void AfxSetDialogConsole(AfxDialogConsole* console) { replacedConsole() = console; }

AfxDialogConsole& AfxGetDialogConsole()
{
    static HostConsole host;
    AfxDialogConsole* replaced = replacedConsole();
    return replaced ? *replaced : host;
}
