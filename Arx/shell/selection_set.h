// A selection set of the host, freed on every path unless it belongs to the caller.
#pragma once
#include "acedads.h"

namespace kestra {

class SelectionSet {
public:
    ads_name name = {0, 0};
    bool owned = false;
    SelectionSet() = default;
    ~SelectionSet() { release(); }
    SelectionSet(const SelectionSet&) = delete;
    SelectionSet& operator=(const SelectionSet&) = delete;

    void release()
    {
        if (owned) acedSSFree(name);
        owned = false;
    }
};

}  // namespace kestra
