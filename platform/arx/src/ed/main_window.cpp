// The host's main window: a handle that stands for it (there are no windows here). Its
// enabled state is kept by the window functions of win32.
#include "acedads.h"

namespace {

int mainWindowStandIn = 0;

}  // namespace

HWND adsw_acadMainWnd() { return reinterpret_cast<HWND>(&mainWindowStandIn); }
