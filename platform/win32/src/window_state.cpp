// EnableWindow and IsWindowEnabled: the set of disabled window handles.
#include <winuser.h>

#include <mutex>
#include <set>

namespace {

std::mutex stateMutex;

std::set<HWND>& disabledWindows()
{
    static std::set<HWND> windows;
    return windows;
}

}  // namespace

extern "C" BOOL EnableWindow(HWND hWnd, BOOL bEnable)
{
    if (hWnd == nullptr) return FALSE;
    std::lock_guard<std::mutex> lock(stateMutex);
    const bool wasDisabled = bEnable ? disabledWindows().erase(hWnd) > 0 : !disabledWindows().insert(hWnd).second;
    return wasDisabled ? TRUE : FALSE;
}

extern "C" BOOL IsWindowEnabled(HWND hWnd)
{
    if (hWnd == nullptr) return FALSE;
    std::lock_guard<std::mutex> lock(stateMutex);
    return disabledWindows().count(hWnd) == 0 ? TRUE : FALSE;
}
