// The host document manager's resource stack, reached without the window headers: the
// document manager takes the instance handle as an untyped handle.
#pragma once

namespace kestra {

// False when there is no document manager (nothing pushed).
bool pushHostResourceHandle(void* instance);
void popHostResourceHandle();

}  // namespace kestra
