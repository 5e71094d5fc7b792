// The command stack: groups of registered commands.
#pragma once
#include "adesk.h"
#include "acadstrc.h"
#include "rxdefs.h"
#include "rxobject.h"

typedef void (*AcRxFunctionPtr)();
class AcEdUIContext;
class AcEdCommand;
typedef void* HINSTANCE_HANDLE;

class ACAD_PORT AcEdCommandStack : public AcRxObject {
public:
    virtual Acad::ErrorStatus addCommand(const char* cmdGroupName, const char* cmdGlobalName, const char* cmdLocalName,
                                         Adesk::Int32 commandFlags, AcRxFunctionPtr functionAddr,
                                         AcEdUIContext* UIContext = nullptr, int fcode = -1,
                                         void* hResourceHandle = nullptr, AcEdCommand** cmdPtrRet = nullptr) = 0;
    virtual Acad::ErrorStatus removeCmd(const char* cmdGroupName, const char* cmdGlobalName) = 0;
    virtual Acad::ErrorStatus removeGroup(const char* groupName) = 0;
    // True when a command of that global name is registered in any group.
    virtual bool hasCommand(const char* cmdGlobalName) const = 0;
};

ACAD_PORT AcEdCommandStack* acedRegCmdsPtr();
#define acedRegCmds (acedRegCmdsPtr())
