// The message of the last drawing-file failure, for lastDrawingFileMessage().
#pragma once
#include <string>

namespace arx::dxf {
void setLastDrawingFileMessage(const std::string& message);
}
