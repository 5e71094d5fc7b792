// A selection set of the host, freed on every path unless it belongs to the caller, and the
// way the commands take one: the pick-first set, else what the user selects.
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

// The pick-first set when it holds something; else prints `prompt` through `format` and
// runs an ordinary selection. False when nothing was selected.
bool pickFirstOrSelection(SelectionSet& set, const char* format, const char* prompt);

}  // namespace kestra
