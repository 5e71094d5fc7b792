// An integer system variable a command turns to 0 for its own length: read and saved, set to
// 0, and put back when the command leaves by any path. Failures are reported through the
// variable's own format, "<prefix>Cannot read the variable NAME.\n" and the like.
#pragma once
#include <optional>

namespace kestra {

class ZeroedVariable {
public:
    // prefix: what the command puts before its messages ("(RefreshMsv) " or "").
    ZeroedVariable(const char* name, const char* prefix);
    ~ZeroedVariable() { restore(); }
    ZeroedVariable(const ZeroedVariable&) = delete;
    ZeroedVariable& operator=(const ZeroedVariable&) = delete;

    // False when the variable could not be read or set to 0 (reported; nothing to restore
    // then, as the host kept the user's value).
    bool active() const { return saved_.has_value(); }
    // Puts the saved value back now (reported when the host refuses); later calls do nothing.
    bool restore();

private:
    const char* name_;
    const char* prefix_;
    std::optional<int> saved_;
};

// "<prefix><message> NAME.\n", the format every variable failure of the commands uses.
void printVariableFailure(const char* prefix, const char* message, const char* name);

}  // namespace kestra
