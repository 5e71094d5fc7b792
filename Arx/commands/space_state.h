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

constexpr const char* kModelSpaceRequired = "You must be in model space to execute this command. \n";
constexpr const char* kModelSpaceFunction = "You must be in model space to execute this function.\n";

// True on the Model tab (TILEMODE 1). Otherwise false after `refusal`, shown by the
// message-routing rule, or after the unreadable-variable message when TILEMODE cannot be read.
bool requireModelSpace(const char* refusal);

}  // namespace kestra
