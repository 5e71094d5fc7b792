// Kernel functions of the Win32 stand-in: module file names, starting programs, the temporary
// folder, the thread's last error and private profile (INI) files. ANSI versions only.
#pragma once

#include "windef.h"

#ifdef __cplusplus
extern "C" {
#endif

// Thread's last error, as set by the functions below that document it.
DWORD GetLastError(void);
void SetLastError(DWORD dwErrCode);

// Modules: a loaded shared object, its HMODULE stable while it stays loaded. A name without an
// extension gets ".dll" appended (a trailing "." means "no extension"); names are compared
// without regard to case against the file's base name. NULL means the main program.
HMODULE GetModuleHandleA(LPCSTR lpModuleName);
DWORD GetModuleFileNameA(HMODULE hModule, LPSTR lpFilename, DWORD nSize);

// Libraries. Only the system libraries the stand-in provides itself load ("hhctrl.ocx", the
// HTML help viewer); any other name fails with ERROR_MOD_NOT_FOUND. Names compare without regard
// to case, with ".dll" appended to a name without an extension. A procedure is found by name or
// by ordinal (MAKEINTRESOURCEA); each load is counted and FreeLibrary undoes one.
// FARPROC is the generic function pointer, void (*)(void), so that converting it to the
// procedure's real type compiles without a cast warning.
typedef void(WINAPI* FARPROC)(void);
#define MAKEINTRESOURCEA(i) ((LPCSTR)((ULONG_PTR)((WORD)(i))))
#define IS_INTRESOURCE(p) ((((ULONG_PTR)(p)) >> 16) == 0)
HMODULE LoadLibraryA(LPCSTR lpLibFileName);
FARPROC GetProcAddress(HMODULE hModule, LPCSTR lpProcName);
BOOL FreeLibrary(HMODULE hLibModule);

// Starts the program of a command line (split as Windows splits it) without waiting for it.
// Returns a value above 31 on success, ERROR_FILE_NOT_FOUND when the program cannot be found.
UINT WinExec(LPCSTR lpCmdLine, UINT uCmdShow);

// $TMPDIR, else /tmp/, always with a trailing slash.
DWORD GetTempPathA(DWORD nBufferLength, LPSTR lpBuffer);

// Private profile (INI) files. A file name without a folder part is looked up in the current
// folder (it stands in for the Windows folder).
DWORD GetPrivateProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpDefault, LPSTR lpReturnedString,
                               DWORD nSize, LPCSTR lpFileName);
UINT GetPrivateProfileIntA(LPCSTR lpAppName, LPCSTR lpKeyName, INT nDefault, LPCSTR lpFileName);
DWORD GetPrivateProfileSectionA(LPCSTR lpAppName, LPSTR lpReturnedString, DWORD nSize, LPCSTR lpFileName);
BOOL WritePrivateProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpString, LPCSTR lpFileName);

#ifdef __cplusplus
}
#endif

#define GetModuleHandle GetModuleHandleA
#define GetModuleFileName GetModuleFileNameA
#define LoadLibrary LoadLibraryA
#define MAKEINTRESOURCE MAKEINTRESOURCEA
#define GetTempPath GetTempPathA
#define GetPrivateProfileString GetPrivateProfileStringA
#define GetPrivateProfileInt GetPrivateProfileIntA
#define GetPrivateProfileSection GetPrivateProfileSectionA
#define WritePrivateProfileString WritePrivateProfileStringA
