#include "shell/selection_set.h"

#include "acutads.h"
#include "adscodes.h"

namespace kestra {

bool pickFirstOrSelect(SelectionSet& set, const char* promptFormat, const char* prompt)
{
    long length = 0;
    if (acedSSGet("_I", nullptr, nullptr, nullptr, set.name) == RTNORM) {
        set.owned = true;
        if (acedSSLength(set.name, &length) == RTNORM && length > 0) return true;
        acedSSFree(set.name);
        set.owned = false;
    }
    acutPrintf(promptFormat, prompt);
    if (acedSSGet(nullptr, nullptr, nullptr, nullptr, set.name) != RTNORM) return false;
    set.owned = true;
    return true;
}

}  // namespace kestra
