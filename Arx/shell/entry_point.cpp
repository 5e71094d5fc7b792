// The two exports of the module: the application entry point and the API version.
#include "adscodes.h"
#include "rxregsvc.h"
#include "shell/lifecycle.h"
#include "shell/lisp_function_table.h"

#define KESTRA_EXPORT extern "C" __attribute__((visibility("default")))

// Every message gets the OK status, whatever happened inside, except that an AutoLISP call
// hands back its function's status: kRetError (the host's RSERR) for RTERROR, which ends the
// evaluation of the calling expression.
KESTRA_EXPORT AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode msg, void* appId)
{
    switch (msg) {
    case AcRx::kInitAppMsg: kestra::initApplication(appId); break;
    case AcRx::kUnloadAppMsg: kestra::unloadApplication(); break;
    case AcRx::kLoadDwgMsg: kestra::loadDrawing(); break;
    case AcRx::kInvkSubrMsg: return kestra::dispatchLispFunction() == RTNORM ? AcRx::kRetOK : AcRx::kRetError;
    default: break;  // unload drawing and the other messages need nothing
    }
    return AcRx::kRetOK;
}

KESTRA_EXPORT int acrxGetApiVersion() { return ACRX_API_VERSION; }
