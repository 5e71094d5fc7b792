// Internal: every window that has a handle, and which of them are top-level and modal.
#pragma once
#include <vector>

#include "afxheadless.h"

namespace mfc {

class WindowList {
public:
    static WindowList& instance();

    // Gives the window a new handle, never reused in this process.
    HWND add(CWnd* window);
    void remove(HWND hwnd);
    CWnd* find(HWND hwnd) const;
    void setModal(HWND hwnd, bool modal);
    std::vector<AfxWindowInfo> topLevelWindows() const;

private:
    struct Entry {
        HWND hwnd;
        CWnd* window;
        bool modal;
    };
    std::vector<Entry> entries_;
    UINT_PTR nextHandle_ = 0x10000;
};

}  // namespace mfc
