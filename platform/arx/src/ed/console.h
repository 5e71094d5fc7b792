// The command line's output: everything printed with acutPrintf, prompts, echoes and alerts.
// Text inside the host is ANSI (code page 1252); the terminal gets UTF-8.
#pragma once
#include <functional>
#include <string>
#include <string_view>

namespace arx::ed {

class Console {
public:
    static Console& instance();

    // Writes host text (code page 1252) to the sink.
    void write(std::string_view ansiText);
    // Starts a new line unless the output already stands at the beginning of one.
    void ensureLineStart();
    // An alert box: its text in a block of its own.
    void alert(std::string_view ansiText);
    bool atLineStart() const { return atLineStart_; }

    // The sink receives UTF-8. Default: standard output.
    using Sink = std::function<void(std::string_view utf8)>;
    void setSink(Sink sink);
    void resetSink();

private:
    Console();
    Sink sink_;
    bool atLineStart_ = true;
};

// Code page 1252 to UTF-8.
std::string ansiToUtf8(std::string_view ansiText);
// UTF-8 to code page 1252; characters outside it become '?'. Invalid sequences pass bytewise.
std::string utf8ToAnsi(std::string_view utf8Text);

}  // namespace arx::ed
