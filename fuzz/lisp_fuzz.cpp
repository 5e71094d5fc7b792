// Reads and evaluates any text as AutoLISP, twice: typed whole at the command line, and run
// as a script (a space or a line end is Enter, an expression that starts with "(" is read
// whole) through the command processor. The interpreter has a step limit, so that an endless
// loop ends in an error instead of a stall, besides its recursion limit. Only the
// interpreter's own builtins are there and no command is defined: nothing reaches a drawing or
// a file.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "ed/command_processor.h"
#include "ed/console.h"
#include "ed/input.h"
#include "lisp/interpreter.h"
#include "lisp/lisp_host.h"

namespace {

constexpr std::uint64_t kStepLimit = 200000;

arx::lisp::Interpreter* scriptInterpreter = nullptr;

void silence()
{
    static const bool done = [] {
        arx::lisp::setOutputHook([](std::string_view) {});
        arx::ed::Console::instance().setSink([](std::string_view) {});
        arx::ed::CommandProcessor::instance().hooks().evaluateLisp = [](const std::string& text) {
            if (scriptInterpreter != nullptr) scriptInterpreter->evaluateAndPrint(text);
        };
        return true;
    }();
    (void)done;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    silence();
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    {
        arx::lisp::Interpreter interpreter;
        interpreter.setStepLimit(kStepLimit);
        interpreter.evaluateAndPrint(text);
    }
    arx::lisp::Interpreter interpreter;
    interpreter.setStepLimit(kStepLimit);
    scriptInterpreter = &interpreter;
    arx::ed::ScriptInput script{std::string(text)};
    {
        arx::ed::InputScope scope(&script);
        arx::ed::CommandProcessor::instance().runCommandLoop();
    }
    arx::ed::CommandProcessor::instance().resetQuit();
    scriptInterpreter = nullptr;
    return 0;
}
