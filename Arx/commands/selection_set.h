// A host selection set freed on every path, unless it belongs to the caller.
#pragma once
#include "acedads.h"

namespace kestra {

class SelectionSet {
public:
    SelectionSet() = default;
    ~SelectionSet() { release(); }
    SelectionSet(const SelectionSet&) = delete;
    SelectionSet& operator=(const SelectionSet&) = delete;

    // Frees the set now; later calls do nothing.
    void release()
    {
        if (owned) acedSSFree(name);
        owned = false;
    }

    ads_name name = {0, 0};
    bool owned = false;
};

}  // namespace kestra
