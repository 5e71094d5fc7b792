// The selection of one mark for the commands that work on a mark: a mark, the outline block
// reference of a mark whose viewport is not rectangular, or the two together.
#pragma once
#include "dbid.h"

namespace kestra {

constexpr int kSelectionOk = 0;
constexpr int kSelectionFailed = 2;

// The pick-first set, else an ordinary selection, filtered to marks and block references.
// kSelectionOk with markId set; kSelectionFailed otherwise (markId may be null then). Prints
// its own refusals; the caller reports the failure itself.
int selectMark(AcDbObjectId& markId);

}  // namespace kestra
