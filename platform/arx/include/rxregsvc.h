// Application services of the runtime: locking, MDI awareness, demand-load registration,
// the dynamic linker.
#pragma once
#include "adesk.h"
#include "rxdefs.h"
#include "rxobject.h"

extern "C" {
// Every module exports these two.
typedef AcRx::AppRetCode (*AcRxEntryPointFn)(AcRx::AppMsgCode msg, void* appId);
typedef int (*AcRxGetApiVersionFn)();
}

#define ACRX_API_VERSION 15

ACAD_PORT bool acrxLockApplication(void* appId);
ACAD_PORT bool acrxUnlockApplication(void* appId);
ACAD_PORT bool acrxApplicationIsLocked(const char* modName);
ACAD_PORT bool acrxRegisterAppMDIAware(void* appId);
ACAD_PORT bool acrxRegisterAppNotMDIAware(void* appId);
ACAD_PORT bool acrxIsAppMDIAware(const char* moduleName);

// Writes the host's demand-load entry of an application: LOADCTRLS and REGPATH under
// "<product key>\Applications\<logicalName>".
ACAD_PORT AcadApp::ErrorStatus acrxRegisterApp(AcadApp::LoadReasons alr, const char* logicalName, const char* regPath,
                                               int keyLevel, Adesk::Boolean bDwgU = false);
ACAD_PORT AcadApp::ErrorStatus acrxUnregisterApp(const char* logicalName, Adesk::Boolean bDwgU = false);
// The host's product key, e.g. "Software\Autodesk\AutoCAD\R15.0\ACAD-1:409".
ACAD_PORT const char* acrxProductKey();
// Loads an application by its logical name through its demand-load entry.
ACAD_PORT bool acrxLoadApp(const char* logicalName, bool asCmd = false);

class ACAD_PORT AcRxDynamicLinker : public AcRxObject {
public:
    // Loads a module by file name (searched in the current folder and the support path)
    // and sends it kInitAppMsg; false when it cannot be loaded or refuses.
    bool loadModule(const char* fileName, bool printit, bool asCmd = false);
    // Unloads a module unless it is locked; sends kUnloadAppMsg first.
    bool unloadModule(const char* fileName, bool asCmd = false);
    bool isApplicationLoaded(const char* fileName) const;
    // Loads the application registered under a logical name.
    bool loadApp(const char* appName, AcadApp::LoadReasons al, bool printit, bool asCmd = false);
};
ACAD_PORT AcRxDynamicLinker* acrxDynamicLinkerPtr();
#define acrxDynamicLinker (acrxDynamicLinkerPtr())
