// The thread's last error, as GetLastError reports it.
#include <windows.h>

namespace {
thread_local DWORD lastError = ERROR_SUCCESS;
}

extern "C" DWORD GetLastError(void) { return lastError; }

extern "C" void SetLastError(DWORD dwErrCode) { lastError = dwErrCode; }
