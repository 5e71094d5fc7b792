// Umbrella header of the Win32 stand-in, as on Windows. It never defines min/max.
#pragma once

#include "winbase.h"
#include "windef.h"
#include "winerror.h"
#include "winreg.h"
#include "winuser.h"
#ifndef WIN32_LEAN_AND_MEAN
#include "shellapi.h"
#endif
