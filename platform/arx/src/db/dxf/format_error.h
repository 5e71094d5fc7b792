// The error raised when a DXF file cannot be read: it names the line where reading stopped.
// Readers throw it; the file entry points catch it and turn it into a status and a message.
#pragma once
#include <stdexcept>
#include <string>

namespace arx::dxf {

class FormatError : public std::runtime_error {
public:
    FormatError(long line, const std::string& problem);
    long line() const { return line_; }
    // "Error in DXF file at line N: problem"
    static std::string describe(long line, const std::string& problem);

private:
    long line_;
};

}  // namespace arx::dxf
