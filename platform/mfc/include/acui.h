// The host's own dialog classes on top of MFC: a host-styled dialog, and the tab dialog with
// its pages, as the host's user-interface library offers them to modules. Headless: a tab
// dialog shows its pages one after the other under their tab names.
#pragma once
#include <string>
#include <vector>

#include "afxwin.h"

class CAcUiDialog : public CDialog {
public:
    explicit CAcUiDialog(UINT idd, CWnd* pParent = nullptr, HINSTANCE hDialogResource = nullptr) : CDialog(idd, pParent)
    {}
};

class CAcUiTabMainDialog;

// A page of a tab dialog; its controls come from its own template.
class CAcUiTabChildDialog : public CDialog {
public:
    explicit CAcUiTabChildDialog(CWnd* pParent = nullptr, HINSTANCE hDialogResource = nullptr) : CDialog(0, pParent) {}
    // The main dialog ends with OK: each page takes what its controls say.
    virtual void OnMainDialogOK() {}
    virtual void OnMainDialogCancel() {}
    virtual void OnTabActivation(BOOL bActivate) {}
};

class CAcUiTabMainDialog : public CAcUiDialog {
public:
    explicit CAcUiTabMainDialog(UINT idd, CWnd* pParent = nullptr, HINSTANCE hDialogResource = nullptr)
        : CAcUiDialog(idd, pParent, hDialogResource)
    {}

    // The host keeps the dialog's size and position under this name.
    void SetDialogName(LPCSTR name) { setDialogName(name); }
    // Adds a page under its tab name; FALSE for a null page or a tab index already taken.
    BOOL AddTab(int index, LPCSTR name, UINT id, CAcUiTabChildDialog* pDialog)
    {
        if (pDialog == nullptr || index != static_cast<int>(pages_.size())) return FALSE;
        pages_.push_back(pDialog);
        addPage(pDialog, id, name);
        pDialog->OnTabActivation(index == 0);
        return TRUE;
    }
    // The tabs other applications added to this dialog; a host without other applications has
    // none to add.
    void AddExtendedTabs() {}
    int tabCount() const { return static_cast<int>(pages_.size()); }

protected:
    void OnOK() override
    {
        for (CAcUiTabChildDialog* page : pages_) page->OnMainDialogOK();
        CAcUiDialog::OnOK();
    }
    void OnCancel() override
    {
        for (CAcUiTabChildDialog* page : pages_) page->OnMainDialogCancel();
        CAcUiDialog::OnCancel();
    }

private:
    std::vector<CAcUiTabChildDialog*> pages_;
};
