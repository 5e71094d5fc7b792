#include "window_list.h"

CWnd::CWnd() : m_hWnd(nullptr) {}

CWnd::~CWnd()
{
    if (m_hWnd != nullptr) CWnd::DestroyWindow();
}

CWnd* CWnd::FromHandle(HWND hWnd) { return hWnd ? mfc::WindowList::instance().find(hWnd) : nullptr; }

void CWnd::attachHandle(const char* className, const char* title, DWORD style, DWORD exStyle, const RECT& rect,
                        CWnd* parent, int controlId)
{
    className_ = className ? className : "";
    text_ = title ? title : "";
    style_ = style;
    exStyle_ = exStyle;
    rect_ = rect;
    parent_ = parent;
    controlId_ = controlId;
    m_hWnd = mfc::WindowList::instance().add(this);
    if ((style & WS_DISABLED) != 0) ::EnableWindow(m_hWnd, FALSE);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, int x, int y,
                    int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID /*lpParam*/)
{
    if (m_hWnd != nullptr) return FALSE;
    int controlId = 0;
    if ((dwStyle & WS_CHILD) != 0) controlId = static_cast<int>(reinterpret_cast<UINT_PTR>(nIDorHMenu));
    RECT rect{x, y, x + nWidth, y + nHeight};
    attachHandle(lpszClassName, lpszWindowName, dwStyle, dwExStyle, rect, FromHandle(hWndParent), controlId);
    return TRUE;
}

BOOL CWnd::DestroyWindow()
{
    if (m_hWnd == nullptr) return FALSE;
    timers_.clear();
    timerProcs_.clear();
    WindowProc(WM_DESTROY, 0, 0);
    ::EnableWindow(m_hWnd, TRUE);  // the handle is never used again: forget its state
    mfc::WindowList::instance().remove(m_hWnd);
    m_hWnd = nullptr;
    PostNcDestroy();  // may delete this
    return TRUE;
}

BOOL CWnd::ShowWindow(int nCmdShow)
{
    BOOL wasVisible = IsWindowVisible();
    if (nCmdShow == SW_HIDE) style_ &= ~static_cast<DWORD>(WS_VISIBLE);
    else style_ |= static_cast<DWORD>(WS_VISIBLE);
    return wasVisible;
}

BOOL CWnd::IsWindowVisible() const { return m_hWnd != nullptr && (style_ & WS_VISIBLE) != 0 ? TRUE : FALSE; }

BOOL CWnd::EnableWindow(BOOL bEnable)
{
    BOOL wasDisabled = (style_ & WS_DISABLED) != 0 ? TRUE : FALSE;
    if (bEnable) style_ &= ~static_cast<DWORD>(WS_DISABLED);
    else style_ |= static_cast<DWORD>(WS_DISABLED);
    if (m_hWnd != nullptr) ::EnableWindow(m_hWnd, bEnable);  // what IsWindowEnabled(hWnd) answers
    return wasDisabled;
}

BOOL CWnd::IsWindowEnabled() const { return (style_ & WS_DISABLED) == 0 ? TRUE : FALSE; }

void CWnd::SetWindowText(LPCSTR lpszString) { text_ = lpszString ? lpszString : ""; }

void CWnd::GetWindowText(CString& rString) const { rString = text_.c_str(); }

int CWnd::GetWindowTextLength() const { return static_cast<int>(text_.size()); }

void CWnd::GetWindowRect(LPRECT lpRect) const
{
    if (lpRect != nullptr) *lpRect = rect_;
}

void CWnd::MoveWindow(int x, int y, int nWidth, int nHeight, BOOL /*bRepaint*/)
{
    rect_ = RECT{x, y, x + nWidth, y + nHeight};
}

BOOL CWnd::SetWindowPos(const CWnd* /*pWndInsertAfter*/, int x, int y, int cx, int cy, UINT nFlags)
{
    if (m_hWnd == nullptr) return FALSE;
    LONG width = (nFlags & SWP_NOSIZE) ? rect_.right - rect_.left : cx;
    LONG height = (nFlags & SWP_NOSIZE) ? rect_.bottom - rect_.top : cy;
    LONG left = (nFlags & SWP_NOMOVE) ? rect_.left : x;
    LONG top = (nFlags & SWP_NOMOVE) ? rect_.top : y;
    rect_ = RECT{left, top, left + width, top + height};
    return TRUE;
}

void CWnd::CenterWindow(CWnd* /*pAlternateOwner*/)
{
    LONG width = rect_.right - rect_.left;
    LONG height = rect_.bottom - rect_.top;
    LONG left = (kAfxScreenWidth - width) / 2;
    LONG top = (kAfxScreenHeight - height) / 2;
    rect_ = RECT{left, top, left + width, top + height};
}

UINT_PTR CWnd::SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer)
{
    if (m_hWnd == nullptr || nIDEvent == 0) return 0;
    timers_[nIDEvent] = nElapse;
    if (lpfnTimer != nullptr) timerProcs_[nIDEvent] = lpfnTimer;
    else timerProcs_.erase(nIDEvent);
    return nIDEvent;
}

BOOL CWnd::KillTimer(UINT_PTR nIDEvent)
{
    timerProcs_.erase(nIDEvent);
    return timers_.erase(nIDEvent) != 0 ? TRUE : FALSE;
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return m_hWnd != nullptr ? WindowProc(message, wParam, lParam) : 0;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_TIMER: {
        UINT_PTR id = wParam;
        if (timers_.count(id) == 0) return 0;
        auto proc = timerProcs_.find(id);
        if (proc != timerProcs_.end()) proc->second(m_hWnd, WM_TIMER, id, 0);
        else OnTimer(id);
        return 0;
    }
    case WM_CLOSE: OnClose(); return 0;
    case WM_DESTROY: OnDestroy(); return 0;
    case WM_COMMAND: return OnCommand(wParam, lParam);
    default: return 0;
    }
}

void CWnd::OnClose() { DestroyWindow(); }
