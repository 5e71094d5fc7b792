// A selection set of the host freed on every path, unless it belongs to the caller.
#pragma once
#include "acedads.h"

namespace kestra {

class SelectionSet {
public:
    SelectionSet() = default;
    SelectionSet(const SelectionSet&) = delete;
    SelectionSet& operator=(const SelectionSet&) = delete;
    ~SelectionSet()
    {
        if (owned) acedSSFree(name);
    }

    ads_name name = {0, 0};
    bool owned = false;  // set once the host has made the set
};

}  // namespace kestra
