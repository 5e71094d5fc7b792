// Controls of the Win32 stand-in that have no Windows counterpart.
#pragma once

#ifdef __cplusplus
extern "C" {
#endif

// The registry folder holds one hive file per root key (HKEY_LOCAL_MACHINE.reg, ...). It is the
// folder set here when one is set (NULL or "" clears it), else the environment variable
// ARXHOST_REGISTRY, else $HOME/.arxhost/registry. It is created when missing.
void Win32SetRegistryFolder(const char* dir);

// The current registry folder. The text stays valid until the folder changes.
const char* Win32RegistryFolder(void);

#ifdef __cplusplus
}
#endif
