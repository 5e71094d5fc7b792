// Collects what the console prints while it is alive.
#pragma once
#include <string>
#include <string_view>

#include "ed/console.h"

struct ConsoleCapture {
    std::string text;
    ConsoleCapture()
    {
        arx::ed::Console::instance().setSink([this](std::string_view t) { text += t; });
    }
    ~ConsoleCapture() { arx::ed::Console::instance().resetSink(); }
    ConsoleCapture(const ConsoleCapture&) = delete;
    ConsoleCapture& operator=(const ConsoleCapture&) = delete;
};
