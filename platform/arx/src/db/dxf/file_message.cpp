#include "db/dxf/file_message.h"

#include "db/dxf/drawing_file.h"

namespace arx::dxf {
namespace {
std::string& lastMessage()
{
    static std::string message;
    return message;
}

std::vector<std::string>& lastWarnings()
{
    static std::vector<std::string> warnings;
    return warnings;
}
}  // namespace

void setLastDrawingFileMessage(const std::string& message) { lastMessage() = message; }

void setLastDrawingFileWarnings(const std::vector<std::string>& warnings) { lastWarnings() = warnings; }

const std::string& lastDrawingFileMessage() { return lastMessage(); }

const std::vector<std::string>& lastDrawingFileWarnings() { return lastWarnings(); }

}  // namespace arx::dxf
