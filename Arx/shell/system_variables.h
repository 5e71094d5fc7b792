// System variables: reading an integer one, and a saver that puts a variable back on every
// path out of a command.
#pragma once
#include <optional>
#include <string>

#include "adsdef.h"

namespace kestra {

// The value of a 16- or 32-bit integer system variable, or nothing when it cannot be read.
std::optional<int> readIntegerVariable(const char* name);
// Sets a 16-bit integer system variable; false when the host refuses.
bool writeIntegerVariable(const char* name, int value);
// The value of a text system variable, or nothing when it cannot be read or is not a text.
std::optional<std::string> readTextVariable(const char* name);

// CVPORT while the paper space of a layout is current (a floating viewport has 2 and more).
constexpr int kPaperSpaceViewport = 1;
// True when the paper space of a layout is current (CVPORT reads 1).
bool paperSpaceIsCurrent();

// Saves a system variable when created and restores it when destroyed. A variable that could
// not be read is not restored. The saved value is held in a host result buffer, so a text
// value is released by the host's own acutRelRb.
class SystemVariableSaver {
public:
    explicit SystemVariableSaver(const char* name);
    ~SystemVariableSaver();
    SystemVariableSaver(const SystemVariableSaver&) = delete;
    SystemVariableSaver& operator=(const SystemVariableSaver&) = delete;

    bool saved() const { return saved_ != nullptr; }
    const resbuf* value() const { return saved_; }

private:
    const char* name_;
    resbuf* saved_ = nullptr;
};

}  // namespace kestra
