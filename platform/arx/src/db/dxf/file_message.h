// The message of the last drawing-file failure, for lastDrawingFileMessage(), and what the
// last successful read repaired, for lastDrawingFileWarnings().
#pragma once
#include <string>
#include <vector>

namespace arx::dxf {
void setLastDrawingFileMessage(const std::string& message);
void setLastDrawingFileWarnings(const std::vector<std::string>& warnings);
}
