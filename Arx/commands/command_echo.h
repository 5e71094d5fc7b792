// CMDECHO off for the length of a step of the make command, put back on every path out.
#pragma once
#include <optional>

namespace kestra {

class CommandEchoOff {
public:
    // Reads CMDECHO and sets it to 0; each failure is reported ("Cannot read the variable" or
    // "Cannot change the variable" for CMDECHO) and leaves active() false.
    CommandEchoOff();
    ~CommandEchoOff() { restore(); }
    CommandEchoOff(const CommandEchoOff&) = delete;
    CommandEchoOff& operator=(const CommandEchoOff&) = delete;

    bool active() const { return active_; }
    // Puts the saved value back (reported when the host refuses); later calls do nothing.
    bool restore();

private:
    std::optional<int> saved_;
    bool active_ = false;
};

}  // namespace kestra
