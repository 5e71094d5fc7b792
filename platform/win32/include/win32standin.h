// Controls of the Win32 stand-in that have no Windows counterpart.
#pragma once

#include <windef.h>

#ifdef __cplusplus
extern "C" {
#endif

// The registry folder holds one hive file per root key (HKEY_LOCAL_MACHINE.reg, ...). It is the
// folder set here when one is set (NULL or "" clears it), else the environment variable
// ARXHOST_REGISTRY, else $HOME/.arxhost/registry. It is created when missing.
void Win32SetRegistryFolder(const char* dir);

// The current registry folder. The text stays valid until the folder changes.
const char* Win32RegistryFolder(void);

// Deferred registry changes, for a program that must change the registry all at once or not
// at all (an installer). After Win32BeginRegistryChanges the changes this process makes are
// seen by its own registry calls but written nowhere; Win32CommitRegistryChanges then writes
// each changed hive file once, replacing it atomically, and Win32DiscardRegistryChanges drops
// them. Meanwhile the registry folder stays locked against writers in other processes (and
// must not be changed with Win32SetRegistryFolder), and a process that ends before the commit
// has changed nothing. Begin fails with
// ERROR_INVALID_FUNCTION when changes are already deferred and ERROR_PATH_NOT_FOUND when the
// folder cannot be locked; commit returns the first error of writing a hive.
LONG Win32BeginRegistryChanges(void);
LONG Win32CommitRegistryChanges(void);
void Win32DiscardRegistryChanges(void);

// Where the headless viewers (the HTML help viewer) say what they show: a function that
// receives each line of text, or NULL for standard output.
void Win32SetViewerOutput(void (*write)(const char* text));

#ifdef __cplusplus
}
#endif
