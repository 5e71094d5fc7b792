// WinExec: start the program of a command line, split as Windows splits it, without a shell.
#include <windows.h>

#include <cerrno>

#include "command_line.h"
#include "spawn.h"

namespace {
constexpr UINT kWinExecStarted = 33;  // any value above 31 means success
}

extern "C" UINT WinExec(LPCSTR lpCmdLine, UINT)
{
    if (lpCmdLine == nullptr) return ERROR_FILE_NOT_FOUND;
    const int error = win32::startProgram(win32::splitCommandLine(lpCmdLine), std::string());
    switch (error) {
    case 0: return kWinExecStarted;
    case ENOENT: return ERROR_FILE_NOT_FOUND;
    case ENOTDIR: return ERROR_PATH_NOT_FOUND;
    case EACCES:
    case ENOEXEC: return ERROR_BAD_FORMAT;
    default: return 0;  // out of resources
    }
}
