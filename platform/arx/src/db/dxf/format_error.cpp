#include "db/dxf/format_error.h"

namespace arx::dxf {

FormatError::FormatError(long line, const std::string& problem)
    : std::runtime_error(describe(line, problem)), line_(line)
{}

std::string FormatError::describe(long line, const std::string& problem)
{
    return "Error in DXF file at line " + std::to_string(line) + ": " + problem;
}

}  // namespace arx::dxf
