// Show-window commands and the enabled state of windows. There are no windows here: the
// show-window values are accepted and kept only so that callers compile and pass what they
// would pass on Windows, and a window is a handle that stands for it.
#pragma once

#include "windef.h"

#define SW_HIDE 0
#define SW_SHOWNORMAL 1
#define SW_NORMAL 1
#define SW_SHOWMINIMIZED 2
#define SW_SHOWMAXIMIZED 3
#define SW_MAXIMIZE 3
#define SW_SHOWNOACTIVATE 4
#define SW_SHOW 5
#define SW_MINIMIZE 6
#define SW_SHOWMINNOACTIVE 7
#define SW_SHOWNA 8
#define SW_RESTORE 9
#define SW_SHOWDEFAULT 10

#ifdef __cplusplus
extern "C" {
#endif

// The desktop window: a handle that stands for it, never null.
HWND GetDesktopWindow(void);

// Whether a window takes input. Every window handle is enabled until disabled; the stand-in
// keeps which handles are disabled, whoever made them (the host's main window, mfc's windows).
// EnableWindow returns nonzero when the window was disabled before. A null handle is never
// enabled and cannot be changed.
BOOL EnableWindow(HWND hWnd, BOOL bEnable);
BOOL IsWindowEnabled(HWND hWnd);

#ifdef __cplusplus
}
#endif
