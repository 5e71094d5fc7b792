#include "commands/selection_set.h"

#include "acutads.h"

namespace kestra {

bool pickFirstOrSelection(SelectionSet& set, const char* format, const char* prompt)
{
    long length = 0;
    if (acedSSGet("_I", nullptr, nullptr, nullptr, set.name) == RTNORM) {
        set.owned = true;
        if (acedSSLength(set.name, &length) == RTNORM && length > 0) return true;
        set.release();
    }
    acutPrintf(format, prompt);
    if (acedSSGet(nullptr, nullptr, nullptr, nullptr, set.name) != RTNORM) return false;
    set.owned = true;
    return true;
}

}  // namespace kestra
