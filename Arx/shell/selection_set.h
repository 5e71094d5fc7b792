// A selection set freed on every path, unless it belongs to the caller.
#pragma once
#include "acedads.h"
#include "adsdef.h"

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
    bool owned = false;
};

// The pick-first set when it holds something; else the prompt is printed through the format
// and the user selects. False when nothing was selected.
bool pickFirstOrSelect(SelectionSet& set, const char* promptFormat, const char* prompt);

}  // namespace kestra
