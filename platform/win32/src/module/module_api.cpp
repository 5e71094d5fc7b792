// GetModuleHandleA and GetModuleFileNameA over the objects loaded in this process.
#include <windows.h>

#include <string>

#include "../ansi_text.h"
#include "loaded_objects.h"
#include "module_names.h"

namespace {

bool matches(const win32::LoadedObject& object, const std::string& wanted)
{
    if (wanted.find_first_of("\\/") != std::string::npos) return object.path == wanted;
    return win32::equalsIgnoreCase(win32::baseNameOf(object.path), wanted);
}

}  // namespace

extern "C" HMODULE GetModuleHandleA(LPCSTR lpModuleName)
{
    const std::vector<win32::LoadedObject> objects = win32::loadedObjects();
    if (lpModuleName == nullptr) return reinterpret_cast<HMODULE>(objects.front().base);
    const std::string wanted = win32::withDefaultExtension(lpModuleName);
    for (const win32::LoadedObject& object : objects) {
        if (matches(object, wanted)) return reinterpret_cast<HMODULE>(object.base);
    }
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
}

// Returns the length copied without the NUL; a path that does not fit is truncated to
// nSize - 1 characters and nSize is returned with ERROR_INSUFFICIENT_BUFFER, as on Windows.
extern "C" DWORD GetModuleFileNameA(HMODULE hModule, LPSTR lpFilename, DWORD nSize)
{
    std::string path;
    if (hModule == nullptr) {
        path = win32::mainProgramPath();
    } else {
        for (const win32::LoadedObject& object : win32::loadedObjects()) {
            if (object.base == reinterpret_cast<uintptr_t>(hModule)) path = object.path;
        }
    }
    if (path.empty()) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return 0;
    }
    if (lpFilename == nullptr || nSize == 0) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    const size_t copied = win32::copyTruncated(path, lpFilename, nSize);
    if (copied < path.size()) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return nSize;
    }
    SetLastError(ERROR_SUCCESS);
    return static_cast<DWORD>(copied);
}
