// Where the user works: the TILEMODE and CVPORT the make command checks first.
#pragma once
#include <optional>

namespace kestra {

struct SpaceState {
    int tileMode = 0;  // 1 in model space (the Model tab)
    int viewport = 0;  // CVPORT: 1 for a layout's paper space, 2 and up for a floating viewport
};

// Both variables; nothing when one cannot be read (reported with the variable's name).
std::optional<SpaceState> readSpaceState();

}  // namespace kestra
