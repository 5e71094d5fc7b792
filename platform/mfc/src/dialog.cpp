#include <cctype>
#include <map>
#include <string>

#include "acedads.h"
#include "afxheadless.h"
#include "window_list.h"

namespace {

bool isButton(AfxControlType type)
{
    return type == AfxControlType::PushButton || type == AfxControlType::DefPushButton;
}

bool isText(AfxControlType type)
{
    return type == AfxControlType::LText || type == AfxControlType::CText || type == AfxControlType::RText;
}

// "More &Information" reads "More Information"; "&&" is a literal ampersand.
std::string withoutMnemonic(const std::string& label)
{
    std::string plain;
    for (size_t i = 0; i < label.size(); ++i) {
        if (label[i] == '&' && i + 1 < label.size()) ++i;
        else if (label[i] == '&') continue;
        plain += label[i];
    }
    return plain;
}

// The window a modal dialog disables while it runs, as Windows does with a modal dialog's owner:
// the top-level window above its parent, else the host's main window.
HWND modalOwner(CWnd* parent)
{
    CWnd* top = parent;
    while (top != nullptr && (top->GetStyle() & WS_CHILD) != 0 && top->GetParent() != nullptr) top = top->GetParent();
    return top != nullptr && top->m_hWnd != nullptr ? top->m_hWnd : adsw_acadMainWnd();
}

// Disables the owner for the dialog's run, and enables it again after unless it was disabled
// already (by a dialog further out).
class DisabledOwner {
public:
    explicit DisabledOwner(HWND owner) : owner_(owner), wasEnabled_(IsWindowEnabled(owner) != FALSE)
    {
        if (wasEnabled_) setEnabled(FALSE);
    }
    ~DisabledOwner()
    {
        if (wasEnabled_) setEnabled(TRUE);
    }
    DisabledOwner(const DisabledOwner&) = delete;
    DisabledOwner& operator=(const DisabledOwner&) = delete;

private:
    void setEnabled(BOOL enable)
    {
        if (CWnd* window = CWnd::FromHandle(owner_)) window->EnableWindow(enable);
        else ::EnableWindow(owner_, enable);
    }

    HWND owner_;
    bool wasEnabled_;
};

char mnemonicOf(const std::string& label)
{
    for (size_t i = 0; i + 1 < label.size(); ++i) {
        if (label[i] != '&') continue;
        if (label[i + 1] != '&') return static_cast<char>(std::tolower(static_cast<unsigned char>(label[i + 1])));
        ++i;
    }
    return '\0';
}

bool equalNoCase(const std::string& a, const std::string& b)
{
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

std::string trimmed(const std::string& text)
{
    size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return {};
    size_t last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

// Every line of a multi-line text gets the same indent.
std::string indented(const std::string& text)
{
    std::string out = "  ";
    for (char ch : text) {
        out += ch;
        if (ch == '\n') out += "  ";
    }
    return out;
}

std::string textOf(const CWnd& window)
{
    CString text;
    window.GetWindowText(text);
    return text.str();
}

}  // namespace

// One run of DoModal: prints the dialog, reads answers and clicks controls until the dialog
// ends.
class CDialog::Session {
public:
    explicit Session(CDialog& dialog) : dialog_(dialog), console_(AfxGetDialogConsole()), entries_(entries()) {}

    void run()
    {
        print();
        while (!dialog_.ended_) {
            std::string answer;
            if (!console_.ask(prompt().c_str(), answer)) {
                dialog_.OnCancel();
                // Without input the dialog cannot stay open.
                if (!dialog_.ended_) dialog_.EndDialog(IDCANCEL);
                return;
            }
            if (!answerWith(trimmed(answer))) {
                console_.print("Invalid option keyword.\n");
                continue;
            }
            if (!dialog_.ended_) print();
        }
    }

private:
    // One control of the dialog or of one of its tab pages, with the dialog that owns it.
    struct Entry {
        CDialog* owner;
        size_t index;
        const std::string* tab;  // the page's tab name; null for the dialog's own controls
    };

    // The controls in the order they are shown: the dialog's own, then each page's.
    std::vector<Entry> entries() const
    {
        std::vector<Entry> list;
        for (size_t i = 0; i < dialog_.controls_.size(); ++i) list.push_back({&dialog_, i, nullptr});
        for (const auto& page : dialog_.pages_)
            for (size_t i = 0; i < page.dialog->controls_.size(); ++i) list.push_back({page.dialog, i, &page.tab});
        return list;
    }
    size_t controlCount() const { return entries_.size(); }
    CWnd& control(size_t i) const { return *entries_[i].owner->controls_[entries_[i].index]; }
    AfxControlType typeOf(size_t i) const { return entries_[i].owner->controlTypes_[entries_[i].index]; }
    // A control the dialog's window has been cut above is out of sight, as on a screen.
    bool inSight(size_t i) const
    {
        if (!control(i).IsWindowVisible()) return false;
        if (entries_[i].owner != &dialog_) return true;
        RECT frame, at;
        dialog_.GetWindowRect(&frame);
        control(i).GetWindowRect(&at);
        return at.top < frame.bottom - frame.top;
    }
    bool answerable(size_t i) const { return inSight(i) && control(i).IsWindowEnabled(); }

    void print() const
    {
        std::string out = "\n[" + textOf(dialog_) + "]\n";
        int boxNumber = 0;
        const std::string* tab = nullptr;
        for (size_t i = 0; i < controlCount(); ++i) {
            AfxControlType type = typeOf(i);
            if (type == AfxControlType::AutoCheckBox) ++boxNumber;
            if (entries_[i].tab != tab) {
                tab = entries_[i].tab;
                out += "  == " + *tab + " ==\n";
            }
            if (!inSight(i)) continue;
            std::string text = textOf(control(i));
            if (isText(type) && !text.empty()) {
                out += indented(text) + "\n";
            } else if (type == AfxControlType::GroupBox && !text.empty()) {
                out += "  -- " + text + " --\n";
            } else if (type == AfxControlType::AutoCheckBox) {
                auto& box = static_cast<CButton&>(control(i));
                out += box.GetCheck() == BST_CHECKED ? "  [X] " : "  [ ] ";
                if (box.IsWindowEnabled()) out += "(" + std::to_string(boxNumber) + ") ";
                out += text + "\n";
            }
        }
        console_.print(out.c_str());
    }

    bool hasAnswerableBox() const
    {
        for (size_t i = 0; i < controlCount(); ++i)
            if (typeOf(i) == AfxControlType::AutoCheckBox && answerable(i)) return true;
        return false;
    }

    CWnd* defaultButton() const
    {
        CWnd* okButton = nullptr;
        for (size_t i = 0; i < controlCount(); ++i) {
            if (!isButton(typeOf(i)) || !answerable(i)) continue;
            if (typeOf(i) == AfxControlType::DefPushButton) return &control(i);
            if (control(i).GetDlgCtrlID() == IDOK && okButton == nullptr) okButton = &control(i);
        }
        return okButton;
    }

    std::string prompt() const
    {
        std::string labels;
        for (size_t i = 0; i < controlCount(); ++i) {
            if (!isButton(typeOf(i)) || !answerable(i)) continue;
            if (!labels.empty()) labels += "/";
            labels += withoutMnemonic(textOf(control(i)));
        }
        std::string text = hasAnswerableBox() ? "Check box number or [" : "[";
        text += labels + "]";
        if (CWnd* button = defaultButton()) text += " <" + withoutMnemonic(textOf(*button)) + ">";
        return text + ": ";
    }

    bool answerWith(const std::string& answer)
    {
        if (answer.empty()) {
            CWnd* button = defaultButton();
            if (button == nullptr) return false;
            click(*button);
            return true;
        }
        if (CWnd* box = boxNumbered(answer)) {
            auto* button = static_cast<CButton*>(box);
            button->SetCheck(button->GetCheck() == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED);
            click(*box);
            return true;
        }
        if (CWnd* button = buttonAnswered(answer)) {
            click(*button);
            return true;
        }
        return false;
    }

    CWnd* boxNumbered(const std::string& answer) const
    {
        if (answer.size() > 4 || answer.find_first_not_of("0123456789") != std::string::npos) return nullptr;
        int wanted = std::stoi(answer);
        int boxNumber = 0;
        for (size_t i = 0; i < controlCount(); ++i) {
            if (typeOf(i) != AfxControlType::AutoCheckBox) continue;
            if (++boxNumber == wanted) return answerable(i) ? &control(i) : nullptr;
        }
        return nullptr;
    }

    CWnd* buttonAnswered(const std::string& answer) const
    {
        for (size_t i = 0; i < controlCount(); ++i)
            if (isButton(typeOf(i)) && answerable(i) && equalNoCase(withoutMnemonic(textOf(control(i))), answer))
                return &control(i);
        if (answer.size() != 1) return nullptr;
        char letter = static_cast<char>(std::tolower(static_cast<unsigned char>(answer[0])));
        for (size_t i = 0; i < controlCount(); ++i)
            if (isButton(typeOf(i)) && answerable(i) && mnemonicOf(textOf(control(i))) == letter) return &control(i);
        return nullptr;
    }

    // The click goes to the dialog that owns the control (a page for its own controls).
    void click(CWnd& control)
    {
        CDialog* owner = &dialog_;
        for (const Entry& entry : entries_)
            if (entry.owner->controls_[entry.index].get() == &control) owner = entry.owner;
        owner->OnCommand(MAKEWPARAM(control.GetDlgCtrlID(), BN_CLICKED), reinterpret_cast<LPARAM>(control.m_hWnd));
    }

    CDialog& dialog_;
    AfxDialogConsole& console_;
    std::vector<Entry> entries_;
};

CDialog::CDialog() : CDialog(0, nullptr) {}

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_nIDHelp(nIDTemplate), templateId_(nIDTemplate), parentWnd_(pParentWnd)
{}

CDialog::~CDialog()
{
    controls_.clear();
    controlTypes_.clear();
}

INT_PTR CDialog::DoModal()
{
    const AfxDialogResource* dialogTemplate = AfxFindDialogResource(templateId_);
    if (dialogTemplate == nullptr || m_hWnd != nullptr) return -1;

    ended_ = false;
    result_ = IDCANCEL;
    RECT rect{0, 0, dialogTemplate->cx, dialogTemplate->cy};
    attachHandle("#32770", dialogTemplate->caption, WS_POPUP | WS_VISIBLE, 0, rect, parentWnd_, 0);
    CenterWindow();
    mfc::WindowList::instance().setModal(m_hWnd, true);

    if (!dialogName_.empty()) {
        auto kept = keptPlacements().find(dialogName_);
        if (kept != keptPlacements().end())
            SetWindowPos(nullptr, kept->second.left, kept->second.top, kept->second.right - kept->second.left,
                         kept->second.bottom - kept->second.top, SWP_NOZORDER);
    }
    createControls(*dialogTemplate, *this);
    for (const Page& page : pages_) {
        const AfxDialogResource* pageTemplate = AfxFindDialogResource(page.templateId);
        if (pageTemplate == nullptr) continue;
        page.dialog->attachHandle("#32770", pageTemplate->caption, WS_CHILD | WS_VISIBLE, 0,
                                  RECT{0, 0, pageTemplate->cx, pageTemplate->cy}, this, 0);
        page.dialog->createControls(*pageTemplate, *page.dialog);
    }

    // The host shows a dialog is up through CMDACTIVE bit 8 while its main window is disabled.
    DisabledOwner disabledOwner(modalOwner(parentWnd_));
    OnInitDialog();
    for (const Page& page : pages_)
        if (page.dialog->m_hWnd != nullptr) page.dialog->OnInitDialog();
    if (!ended_) Session(*this).run();

    if (!dialogName_.empty()) GetWindowRect(&keptPlacements()[dialogName_]);
    for (const Page& page : pages_) {
        page.dialog->controls_.clear();
        page.dialog->controlTypes_.clear();
        page.dialog->DestroyWindow();
    }
    controls_.clear();
    controlTypes_.clear();
    DestroyWindow();
    return result_;
}

void CDialog::createControls(const AfxDialogResource& dialogTemplate, CDialog& owner)
{
    for (const AfxControlResource& item : dialogTemplate.controls) {
        bool button = isButton(item.type) || item.type == AfxControlType::AutoCheckBox;
        std::unique_ptr<CWnd> control =
            button ? std::unique_ptr<CWnd>(new CButton) : std::unique_ptr<CWnd>(new CStatic);
        RECT at{item.x, item.y, item.x + item.cx, item.y + item.cy};
        control->attachHandle(button ? "Button" : "Static", item.text, WS_CHILD | WS_VISIBLE, 0, at, &owner, item.id);
        owner.controls_.push_back(std::move(control));
        owner.controlTypes_.push_back(item.type);
    }
}

void CDialog::addPage(CDialog* page, UINT templateId, const char* tabName)
{
    if (page != nullptr) pages_.push_back(Page{page, templateId, tabName ? tabName : ""});
}

void CDialog::setDialogName(const char* name) { dialogName_ = name ? name : ""; }

std::map<std::string, RECT>& CDialog::keptPlacements()
{
    static std::map<std::string, RECT> placements;
    return placements;
}

bool AfxKeptDialogPlacement(const char* dialogName, RECT& rect)
{
    auto& placements = CDialog::keptPlacements();
    auto kept = placements.find(dialogName ? dialogName : "");
    if (kept == placements.end()) return false;
    rect = kept->second;
    return true;
}

void CDialog::EndDialog(int nResult)
{
    ended_ = true;
    result_ = nResult;
}

BOOL CDialog::OnCommand(WPARAM wParam, LPARAM /*lParam*/)
{
    if (HIWORD(wParam) != BN_CLICKED) return FALSE;
    switch (LOWORD(wParam)) {
    case IDOK: OnOK(); return TRUE;
    case IDCANCEL: OnCancel(); return TRUE;
    default: return FALSE;
    }
}

CWnd* CDialog::GetDlgItem(int nID) const
{
    for (const auto& control : controls_)
        if (control->GetDlgCtrlID() == nID) return control.get();
    return nullptr;
}

void CDialog::SetDlgItemText(int nID, LPCSTR lpszString)
{
    if (CWnd* control = GetDlgItem(nID)) control->SetWindowText(lpszString);
}

int CDialog::GetDlgItemText(int nID, CString& rString) const
{
    CWnd* control = GetDlgItem(nID);
    if (control == nullptr) {
        rString.Empty();
        return 0;
    }
    control->GetWindowText(rString);
    return rString.GetLength();
}

void CDialog::CheckDlgButton(int nIDButton, UINT nCheck)
{
    for (size_t i = 0; i < controls_.size(); ++i)
        if (controls_[i]->GetDlgCtrlID() == nIDButton && controlTypes_[i] == AfxControlType::AutoCheckBox)
            static_cast<CButton&>(*controls_[i]).SetCheck(static_cast<int>(nCheck));
}

UINT CDialog::IsDlgButtonChecked(int nIDButton) const
{
    for (size_t i = 0; i < controls_.size(); ++i)
        if (controls_[i]->GetDlgCtrlID() == nIDButton && controlTypes_[i] == AfxControlType::AutoCheckBox)
            return static_cast<UINT>(static_cast<const CButton&>(*controls_[i]).GetCheck());
    return BST_UNCHECKED;
}
