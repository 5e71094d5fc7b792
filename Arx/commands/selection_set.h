// The way the commands take a selection set: the pick-first set, else what the user selects.
#pragma once
#include "shell/selection_set.h"

namespace kestra {

// The pick-first set when it holds something; else prints `prompt` through `format` and
// runs an ordinary selection. False when nothing was selected.
bool pickFirstOrSelection(SelectionSet& set, const char* format, const char* prompt);

}  // namespace kestra
