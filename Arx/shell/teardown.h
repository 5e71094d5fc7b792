// The teardown: takes the module apart (reactors, windows, commands, classes). Run at unload
// and by KSUNLOAD (KS999); each step skips what an earlier run already removed.
#pragma once

namespace kestra {

void teardown();

}  // namespace kestra
