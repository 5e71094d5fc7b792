// Windows, controls, dialogs and bitmaps of the headless MFC subset, and the resource handle.
// There is no screen: windows are records in a process-wide list (afxheadless.h), a modal
// dialog talks through the host's command line, timers are kept but fire only when a
// WM_TIMER message is sent.
#pragma once
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "afx.h"
#include "afxres.h"
#include "windows.h"

// The window-manager part of the Win32 API that the stand-in's winuser.h leaves out.
typedef UINT_PTR WPARAM;
typedef LONG_PTR LPARAM;
typedef LONG_PTR LRESULT;
DECLARE_HANDLE(HMENU);
typedef void(CALLBACK* TIMERPROC)(HWND, UINT, UINT_PTR, DWORD);

typedef struct tagRECT {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
} RECT, *LPRECT;
typedef const RECT* LPCRECT;

typedef struct tagBITMAP {
    LONG bmType;
    LONG bmWidth;
    LONG bmHeight;
    LONG bmWidthBytes;
    WORD bmPlanes;
    WORD bmBitsPixel;
    LPVOID bmBits;
} BITMAP;

#define LOWORD(l) ((WORD)(((DWORD_PTR)(l)) & 0xffff))
#define HIWORD(l) ((WORD)((((DWORD_PTR)(l)) >> 16) & 0xffff))
#define MAKEWPARAM(l, h) ((WPARAM)(DWORD)(((WORD)(l)) | (((DWORD)(WORD)(h)) << 16)))

#define WM_DESTROY 0x0002
#define WM_CLOSE 0x0010
#define WM_INITDIALOG 0x0110
#define WM_COMMAND 0x0111
#define WM_TIMER 0x0113

#define BN_CLICKED 0
#define BST_UNCHECKED 0x0000
#define BST_CHECKED 0x0001

#define WS_OVERLAPPED 0x00000000L
#define WS_POPUP 0x80000000L
#define WS_CHILD 0x40000000L
#define WS_VISIBLE 0x10000000L
#define WS_DISABLED 0x08000000L
#define WS_BORDER 0x00800000L
#define WS_EX_TOPMOST 0x00000008L
#define WS_EX_TOOLWINDOW 0x00000080L

#define SWP_NOSIZE 0x0001
#define SWP_NOMOVE 0x0002
#define SWP_NOZORDER 0x0004

class CDialog;

class CRect : public RECT {
public:
    CRect() : RECT{0, 0, 0, 0} {}
    CRect(LONG l, LONG t, LONG r, LONG b) : RECT{l, t, r, b} {}
    CRect(const RECT& rect) : RECT(rect) {}
    LONG Width() const { return right - left; }
    LONG Height() const { return bottom - top; }
    operator LPRECT() { return this; }
    operator LPCRECT() const { return this; }
};

class CWnd {
public:
    CWnd();
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd;

    HWND GetSafeHwnd() const { return m_hWnd; }
    // The window object of a handle, or null when no such window exists.
    static CWnd* FromHandle(HWND hWnd);

    // Creates the window and adds it to the window list. A window is visible at once when
    // its style has WS_VISIBLE.
    virtual BOOL CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, int x, int y,
                          int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam = nullptr);
    // Kills the timers, sends WM_DESTROY, removes the window from the list, then calls
    // PostNcDestroy. False when there is no window.
    virtual BOOL DestroyWindow();

    // Returns whether the window was visible before.
    BOOL ShowWindow(int nCmdShow);
    BOOL IsWindowVisible() const;
    // Returns whether the window was disabled before.
    BOOL EnableWindow(BOOL bEnable = TRUE);
    BOOL IsWindowEnabled() const;
    void SetWindowText(LPCSTR lpszString);
    void GetWindowText(CString& rString) const;
    int GetWindowTextLength() const;
    void GetWindowRect(LPRECT lpRect) const;
    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE);
    BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
    // Centres the window on the headless screen.
    void CenterWindow(CWnd* pAlternateOwner = nullptr);
    int GetDlgCtrlID() const { return controlId_; }
    CWnd* GetParent() const { return parent_; }
    DWORD GetStyle() const { return style_; }
    DWORD GetExStyle() const { return exStyle_; }

    // Timers are recorded on the window; they fire when WM_TIMER is sent to it.
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer);
    BOOL KillTimer(UINT_PTR nIDEvent);
    // The elapse times of the running timers, by timer id.
    const std::map<UINT_PTR, UINT>& timers() const { return timers_; }

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

    const std::string& className() const { return className_; }

protected:
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual void OnTimer(UINT_PTR nIDEvent) {}
    virtual void OnClose();
    virtual void OnDestroy() {}
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam) { return FALSE; }
    // Called once the window is gone; a window that owns itself deletes itself here.
    virtual void PostNcDestroy() {}

    // Gives the window a handle and records it; shared by CreateEx, dialogs and controls.
    void attachHandle(const char* className, const char* title, DWORD style, DWORD exStyle, const RECT& rect,
                      CWnd* parent, int controlId);

private:
    std::string className_;
    std::string text_;
    DWORD style_ = 0;
    DWORD exStyle_ = 0;
    RECT rect_{0, 0, 0, 0};
    CWnd* parent_ = nullptr;
    int controlId_ = 0;
    std::map<UINT_PTR, UINT> timers_;
    std::map<UINT_PTR, TIMERPROC> timerProcs_;

    friend class CDialog;  // creates its controls from the template
};

class CStatic : public CWnd {};

class CButton : public CWnd {
public:
    void SetCheck(int nCheck) { check_ = nCheck; }
    int GetCheck() const { return check_; }

private:
    int check_ = BST_UNCHECKED;
};

// A modal dialog built from a dialog template of the current resources. DoModal creates the
// controls, calls OnInitDialog, prints the dialog on the command line and reads the answers:
// the number of a check box ticks or clears it (and sends BN_CLICKED to OnCommand); a
// button's label (without "&", any case) or its mnemonic letter clicks it; an empty answer
// clicks the default button. Input that ends or is cancelled cancels the dialog.
class CDialog : public CWnd {
public:
    CDialog();
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    ~CDialog() override;

    // IDOK, IDCANCEL or the value given to EndDialog; -1 when the template is missing.
    virtual INT_PTR DoModal();
    void EndDialog(int nResult);

    CWnd* GetDlgItem(int nID) const;
    void SetDlgItemText(int nID, LPCSTR lpszString);
    int GetDlgItemText(int nID, CString& rString) const;
    void CheckDlgButton(int nIDButton, UINT nCheck);
    UINT IsDlgButtonChecked(int nIDButton) const;

    virtual BOOL OnInitDialog() { return TRUE; }

protected:
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    UINT m_nIDHelp;

    // Stand-in hooks for the host's tab dialogs (acui.h): a page shown with the dialog, its
    // controls created from its own template and its clicks sent to it; and the name under
    // which the host keeps the dialog's size and position from one run to the next.
    void addPage(CDialog* page, UINT templateId, const char* tabName);
    void setDialogName(const char* name);
    const std::string& dialogName() const { return dialogName_; }

private:
    class Session;
    struct Page {
        CDialog* dialog;
        UINT templateId;
        std::string tab;
    };
    static void createControls(const AfxDialogResource& dialogTemplate, CDialog& owner);
    static std::map<std::string, RECT>& keptPlacements();
    friend bool AfxKeptDialogPlacement(const char* dialogName, RECT& rect);

    UINT templateId_;
    CWnd* parentWnd_;
    bool ended_ = false;
    int result_ = IDCANCEL;
    std::vector<std::unique_ptr<CWnd>> controls_;
    std::vector<AfxControlType> controlTypes_;
    std::vector<Page> pages_;
    std::string dialogName_;
};

class CBitmap {
public:
    // Finds the bitmap resource of that id in the current resources.
    BOOL LoadBitmap(UINT nIDResource);
    // Width, height and colour depth of the loaded bitmap; false when none is loaded.
    int GetBitmap(BITMAP* pBitMap) const;
    BOOL DeleteObject();
    bool isLoaded() const { return loaded_; }

private:
    bool loaded_ = false;
    AfxBitmapResource resource_{};
};

// The module whose resources are searched first; at start it is the main program.
HINSTANCE AfxGetResourceHandle();
void AfxSetResourceHandle(HINSTANCE hInstResource);
// The main program's instance.
HINSTANCE AfxGetInstanceHandle();
// The module holding a resource: the current resource handle first, then the extension
// modules in the order they joined the chain (afxdllx.h); null when none has it.
HINSTANCE AfxFindResourceHandle(UINT id, AfxResourceKind kind);
const AfxDialogResource* AfxFindDialogResource(UINT id);
const AfxStringResource* AfxFindStringResource(UINT id);
const AfxBitmapResource* AfxFindBitmapResource(UINT id);
