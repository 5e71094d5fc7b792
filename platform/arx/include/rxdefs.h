// Application messages, load reasons and return codes of the runtime.
#pragma once
#include "adesk.h"

struct AcRx {
    enum AppMsgCode {
        kNullMsg = 0,
        kInitAppMsg = 1,
        kUnloadAppMsg = 2,
        kLoadDwgMsg = 3,
        kUnloadDwgMsg = 4,
        kInvkSubrMsg = 5,
        kCfgMsg = 6,
        kEndMsg = 7,
        kQuitMsg = 8,
        kSaveMsg = 9,
        kDependencyMsg = 10,
        kNoDependencyMsg = 11,
        kOleUnloadAppMsg = 12,
        kPreQuitMsg = 13,
    };
    enum AppRetCode { kRetOK = 0, kRetError = 3 };
    enum DLRegFlags { kNone = 0 };
    enum DictIterType { kDictSorted = 0, kDictCollated = 1 };
};

// Demand-load reasons (the LOADCTRLS bits).
struct AcadApp {
    enum LoadReasons {
        kOnProxyDetection = 0x01,
        kOnAutoCADStartup = 0x02,
        kOnCommandInvocation = 0x04,
        kOnLoadRequest = 0x08,
        kLoadDisabled = 0x10,
        kTransparentlyLoadable = 0x20,
    };
    enum ErrorStatus {
        eOk = 0,
        eInvalidKey = 1,
        eInvalidSubKey = 2,
        eKeyNotFound = 3,
        eOutOfMemory = 4,
        eInvalidValue = 5,
        eValueNotFound = 6,
        eKeyExists = 7,
        eRegAccessDenied = 8,
        eRejected = 9,
        eUnknownError = 10
    };
};

// Command flags of the command stack.
#define ACRX_CMD_MODAL 0x00000000
#define ACRX_CMD_TRANSPARENT 0x00000001
#define ACRX_CMD_USEPICKSET 0x00000002
#define ACRX_CMD_REDRAW 0x00000004
#define ACRX_CMD_NOPERSPECTIVE 0x00000008
#define ACRX_CMD_NOMULTIPLE 0x00000010
#define ACRX_CMD_NOTILEMODE 0x00000020
#define ACRX_CMD_NOPAPERSPACE 0x00000040
#define ACRX_CMD_NOOEM 0x00000100
#define ACRX_CMD_UNDEFINED 0x00000200
#define ACRX_CMD_INPROGRESS 0x00000400
#define ACRX_CMD_DEFUN 0x00000800
#define ACRX_CMD_NONEWSTACK 0x00010000
#define ACRX_CMD_NOINTERNALLOCK 0x00020000
#define ACRX_CMD_DOCREADLOCK 0x00080000
#define ACRX_CMD_DOCEXCLUSIVELOCK 0x00100000
#define ACRX_CMD_SESSION 0x00200000
