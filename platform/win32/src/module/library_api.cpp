// LoadLibraryA, GetProcAddress and FreeLibrary over the system libraries the stand-in provides
// itself. Their handles are addresses inside this library, so they never equal the handle of
// a loaded shared object.
#include <htmlhelp.h>
#include <windows.h>

#include <mutex>
#include <string>
#include <string_view>

#include "../ansi_text.h"
#include "module_names.h"

namespace {

struct Export {
    const char* name;
    WORD ordinal;
    FARPROC procedure;
};

struct SystemLibrary {
    const char* fileName;
    const Export* exports;
    size_t exportCount;
    int loads;
};

const Export kHtmlHelpExports[] = {
    {"HtmlHelpA", HH_HTMLHELPA_ORDINAL, reinterpret_cast<FARPROC>(&HtmlHelpA)},
};

SystemLibrary systemLibraries[] = {
    {"hhctrl.ocx", kHtmlHelpExports, sizeof kHtmlHelpExports / sizeof kHtmlHelpExports[0], 0},
};

std::mutex libraryMutex;

SystemLibrary* libraryOf(HMODULE module)
{
    for (SystemLibrary& library : systemLibraries) {
        if (reinterpret_cast<HMODULE>(&library) == module && library.loads > 0) return &library;
    }
    return nullptr;
}

}  // namespace

extern "C" HMODULE LoadLibraryA(LPCSTR lpLibFileName)
{
    if (lpLibFileName == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    const std::string wanted = win32::withDefaultExtension(win32::baseNameOf(lpLibFileName));
    std::lock_guard<std::mutex> lock(libraryMutex);
    for (SystemLibrary& library : systemLibraries) {
        if (win32::equalsIgnoreCase(library.fileName, wanted)) {
            ++library.loads;
            SetLastError(ERROR_SUCCESS);
            return reinterpret_cast<HMODULE>(&library);
        }
    }
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
}

extern "C" FARPROC GetProcAddress(HMODULE hModule, LPCSTR lpProcName)
{
    std::lock_guard<std::mutex> lock(libraryMutex);
    const SystemLibrary* library = libraryOf(hModule);
    if (library == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    for (size_t i = 0; i < library->exportCount; ++i) {
        const Export& entry = library->exports[i];
        const bool byOrdinal = IS_INTRESOURCE(lpProcName);
        if (byOrdinal ? reinterpret_cast<ULONG_PTR>(lpProcName) == entry.ordinal
                      : lpProcName != nullptr && std::string_view(lpProcName) == entry.name) {
            return entry.procedure;
        }
    }
    SetLastError(ERROR_PROC_NOT_FOUND);
    return nullptr;
}

extern "C" BOOL FreeLibrary(HMODULE hLibModule)
{
    std::lock_guard<std::mutex> lock(libraryMutex);
    SystemLibrary* library = libraryOf(hLibModule);
    if (library == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    --library->loads;
    return TRUE;
}
