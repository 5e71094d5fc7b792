// A fixture with one interpreter, current for the ADS calls, whose output is captured.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "lisp/lisp_host.h"

namespace arx::lisp::testing {

class LispTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        resetHooks();
        setOutputHook([this](std::string_view text) { output += text; });
        setCurrentInterpreter(&lisp);
    }

    void TearDown() override
    {
        setCurrentInterpreter(nullptr);
        resetHooks();
    }

    // Reads and evaluates one expression; errors are thrown, nothing is reported.
    Value eval(std::string_view text) { return lisp.eval(readFirst(text)); }

    // The value as the command line shows it.
    std::string show(std::string_view text) { return printValue(eval(text), PrintStyle::Prin1); }

    // The message of the error the expression raises.
    std::string errorOf(std::string_view text)
    {
        try {
            eval(text);
        } catch (const LispError& error) {
            return error.message();
        }
        return "<no error>";
    }

    // What the command line shows for a typed text.
    std::string commandLine(std::string_view text)
    {
        output.clear();
        lisp.evaluateAndPrint(text);
        return output;
    }

    Interpreter lisp;
    std::string output;
};

}  // namespace arx::lisp::testing
