// Internal: the chain of extension-module entries, in the order they joined it.
#pragma once
#include <vector>

#include "afxdllx.h"

namespace mfc {

std::vector<CDynLinkLibrary*>& resourceChain();

}  // namespace mfc
