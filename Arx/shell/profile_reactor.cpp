#include "shell/profile_reactor.h"

#include "shell/starter_menu.h"

namespace kestra {

void KestraProfileReactor::currentProfileChanged(const char* /*newProfile*/) { installStarterMenuWhenNeeded(); }

}  // namespace kestra
