// Shell execution of the Win32 stand-in.
#pragma once

#include "windef.h"

// Results of ShellExecuteA at or below 32 (success is any value above 32).
#define SE_ERR_FNF 2
#define SE_ERR_PNF 3
#define SE_ERR_ACCESSDENIED 5
#define SE_ERR_OOM 8
#define SE_ERR_BADFORMAT 11
#define SE_ERR_SHARE 26
#define SE_ERR_ASSOCINCOMPLETE 27
#define SE_ERR_DDETIMEOUT 28
#define SE_ERR_DDEFAIL 29
#define SE_ERR_DDEBUSY 30
#define SE_ERR_NOASSOC 31
#define SE_ERR_DLLNOTFOUND 32

#ifdef __cplusplus
extern "C" {
#endif

// Runs lpOperation ("open" when NULL) on lpFile: an executable file is started directly with
// lpParameters; another file (or a "scheme:" address) through its association under
// HKEY_CLASSES_ROOT. lpDirectory is the working folder of the started program.
HINSTANCE ShellExecuteA(HWND hwnd, LPCSTR lpOperation, LPCSTR lpFile, LPCSTR lpParameters, LPCSTR lpDirectory,
                        INT nShowCmd);

#ifdef __cplusplus
}
#endif

#define ShellExecute ShellExecuteA
