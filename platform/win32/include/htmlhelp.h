// The HTML help viewer of the Win32 stand-in ("hhctrl.ocx"). There are no windows: the viewer
// says which compiled help file and topic it opens (see Win32SetViewerOutput). Programs reach
// it as on Windows, through LoadLibraryA("hhctrl.ocx") and GetProcAddress by name or by its
// ordinal, or by calling HtmlHelpA directly.
#pragma once

#include "windef.h"

#define HH_DISPLAY_TOPIC 0x0000
#define HH_CLOSE_ALL 0x0012

// The ordinal of HtmlHelpA in "hhctrl.ocx".
#define HH_HTMLHELPA_ORDINAL 14

#ifdef __cplusplus
extern "C" {
#endif

// HH_DISPLAY_TOPIC: pszFile is a compiled help file, optionally followed by "::/" and the
// topic's page. Returns the viewer's window, or NULL when the file cannot be opened (the viewer
// says so). HH_CLOSE_ALL returns NULL. Other commands are not provided (NULL).
HWND HtmlHelpA(HWND hwndCaller, LPCSTR pszFile, UINT uCommand, DWORD_PTR dwData);

#ifdef __cplusplus
}
#endif

#define HtmlHelp HtmlHelpA
