#include "window_list.h"

#include <algorithm>

namespace mfc {

WindowList& WindowList::instance()
{
    // Never destroyed: windows of modules may still be destroyed while the process exits.
    static auto* list = new WindowList;
    return *list;
}

HWND WindowList::add(CWnd* window)
{
    // Handles are opaque numbers that never point anywhere, as on Windows.
    HWND hwnd = reinterpret_cast<HWND>(nextHandle_);
    nextHandle_ += 4;
    entries_.push_back(Entry{hwnd, window, false});
    return hwnd;
}

void WindowList::remove(HWND hwnd)
{
    entries_.erase(std::remove_if(entries_.begin(), entries_.end(), [hwnd](const Entry& e) { return e.hwnd == hwnd; }),
                   entries_.end());
}

CWnd* WindowList::find(HWND hwnd) const
{
    for (const Entry& e : entries_)
        if (e.hwnd == hwnd) return e.window;
    return nullptr;
}

void WindowList::setModal(HWND hwnd, bool modal)
{
    for (Entry& e : entries_)
        if (e.hwnd == hwnd) e.modal = modal;
}

std::vector<AfxWindowInfo> WindowList::topLevelWindows() const
{
    std::vector<AfxWindowInfo> windows;
    for (const Entry& e : entries_) {
        const CWnd& w = *e.window;
        if ((w.GetStyle() & WS_CHILD) != 0) continue;
        AfxWindowInfo info{};
        info.hwnd = e.hwnd;
        info.className = w.className();
        CString title;
        w.GetWindowText(title);
        info.title = title.str();
        info.style = w.GetStyle();
        info.exStyle = w.GetExStyle();
        w.GetWindowRect(&info.rect);
        info.visible = w.IsWindowVisible() != FALSE;
        info.modal = e.modal;
        for (const auto& [id, elapse] : w.timers()) info.timers.emplace_back(id, elapse);
        windows.push_back(std::move(info));
    }
    return windows;
}

}  // namespace mfc

std::vector<AfxWindowInfo> AfxHeadlessWindows() { return mfc::WindowList::instance().topLevelWindows(); }
