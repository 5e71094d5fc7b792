#include "db/dxf/file_message.h"

#include "db/dxf/drawing_file.h"

namespace arx::dxf {
namespace {
std::string& lastMessage()
{
    static std::string message;
    return message;
}
}  // namespace

void setLastDrawingFileMessage(const std::string& message) { lastMessage() = message; }

const std::string& lastDrawingFileMessage() { return lastMessage(); }

}  // namespace arx::dxf
