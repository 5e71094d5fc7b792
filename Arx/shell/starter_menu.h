// The starter pop-up menu "&Kestra": two commands that load the full menu or explain it,
// offered on the menu bar until the menu group "Kestra" is loaded.
#pragma once
#include "acadi.h"

namespace kestra {

// Finds "&Kestra" in the menu groups (the first group that has it) or adds it to the last
// group, then puts it on the menu bar when it is not there: at index n - 2 on a bar of
// n >= 2 entries, else at n. Automation failures while looking a group up move on to the
// next group; false when nothing could be installed.
bool installStarterMenu(IAcadApplication* application);

// Installs the starter menu through the host's application object unless the menu group
// "Kestra" is loaded.
void installStarterMenuWhenNeeded();

// Takes the starter menu off the menu bar (it stays in its group); false when it is not found
// there.
bool removeStarterMenu();

}  // namespace kestra
