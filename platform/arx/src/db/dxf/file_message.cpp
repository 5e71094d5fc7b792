#include "db/dxf/file_message.h"

#include "db/dxf/drawing_file.h"

namespace arx::dxf {
namespace {
std::string& lastMessage()
{
    static std::string message;
    return message;
}

std::vector<std::string>& lastRemovals()
{
    static std::vector<std::string> removed;
    return removed;
}
}  // namespace

void setLastDrawingFileMessage(const std::string& message) { lastMessage() = message; }

void setLastDrawingFileRemovals(const std::vector<std::string>& removed) { lastRemovals() = removed; }

const std::string& lastDrawingFileMessage() { return lastMessage(); }

const std::vector<std::string>& lastDrawingFileRemovals() { return lastRemovals(); }

}  // namespace arx::dxf
