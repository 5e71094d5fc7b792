// The message of the last drawing-file failure, for lastDrawingFileMessage(), and what the
// last read left out, for lastDrawingFileRemovals().
#pragma once
#include <string>
#include <vector>

namespace arx::dxf {
void setLastDrawingFileMessage(const std::string& message);
void setLastDrawingFileRemovals(const std::vector<std::string>& removed);
}  // namespace arx::dxf
