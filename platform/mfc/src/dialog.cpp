#include <cctype>
#include <string>

#include "afxheadless.h"
#include "ed/command_processor.h"
#include "window_list.h"

namespace {

bool isButton(AfxControlType type)
{
    return type == AfxControlType::PushButton || type == AfxControlType::DefPushButton;
}

bool isText(AfxControlType type)
{
    return type == AfxControlType::LText || type == AfxControlType::CText ||
           type == AfxControlType::RText;
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

bool answerable(const CWnd& control) { return control.IsWindowVisible() && control.IsWindowEnabled(); }

}  // namespace

// One run of DoModal: prints the dialog, reads answers and clicks controls until the dialog
// ends.
class CDialog::Session {
public:
    explicit Session(CDialog& dialog) : dialog_(dialog), console_(AfxGetDialogConsole()) {}

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
    size_t controlCount() const { return dialog_.controls_.size(); }
    CWnd& control(size_t i) const { return *dialog_.controls_[i]; }
    AfxControlType typeOf(size_t i) const { return dialog_.controlTypes_[i]; }

    void print() const
    {
        std::string out = "\n[" + textOf(dialog_) + "]\n";
        int boxNumber = 0;
        for (size_t i = 0; i < controlCount(); ++i) {
            AfxControlType type = typeOf(i);
            if (type == AfxControlType::AutoCheckBox) ++boxNumber;
            if (!control(i).IsWindowVisible()) continue;
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
            if (typeOf(i) == AfxControlType::AutoCheckBox && answerable(control(i))) return true;
        return false;
    }

    CWnd* defaultButton() const
    {
        CWnd* okButton = nullptr;
        for (size_t i = 0; i < controlCount(); ++i) {
            if (!isButton(typeOf(i)) || !answerable(control(i))) continue;
            if (typeOf(i) == AfxControlType::DefPushButton) return &control(i);
            if (control(i).GetDlgCtrlID() == IDOK && okButton == nullptr) okButton = &control(i);
        }
        return okButton;
    }

    std::string prompt() const
    {
        std::string labels;
        for (size_t i = 0; i < controlCount(); ++i) {
            if (!isButton(typeOf(i)) || !answerable(control(i))) continue;
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
            if (++boxNumber == wanted) return answerable(control(i)) ? &control(i) : nullptr;
        }
        return nullptr;
    }

    CWnd* buttonAnswered(const std::string& answer) const
    {
        for (size_t i = 0; i < controlCount(); ++i)
            if (isButton(typeOf(i)) && answerable(control(i)) &&
                equalNoCase(withoutMnemonic(textOf(control(i))), answer))
                return &control(i);
        if (answer.size() != 1) return nullptr;
        char letter = static_cast<char>(std::tolower(static_cast<unsigned char>(answer[0])));
        for (size_t i = 0; i < controlCount(); ++i)
            if (isButton(typeOf(i)) && answerable(control(i)) && mnemonicOf(textOf(control(i))) == letter)
                return &control(i);
        return nullptr;
    }

    void click(CWnd& control)
    {
        dialog_.OnCommand(MAKEWPARAM(control.GetDlgCtrlID(), BN_CLICKED),
                          reinterpret_cast<LPARAM>(control.m_hWnd));
    }

    CDialog& dialog_;
    AfxDialogConsole& console_;
};

CDialog::CDialog() : CDialog(0, nullptr) {}

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_nIDHelp(nIDTemplate), templateId_(nIDTemplate), parentWnd_(pParentWnd)
{
}

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

    for (const AfxControlResource& item : dialogTemplate->controls) {
        bool button = isButton(item.type) || item.type == AfxControlType::AutoCheckBox;
        std::unique_ptr<CWnd> control = button ? std::unique_ptr<CWnd>(new CButton)
                                               : std::unique_ptr<CWnd>(new CStatic);
        RECT at{item.x, item.y, item.x + item.cx, item.y + item.cy};
        control->attachHandle(button ? "Button" : "Static", item.text, WS_CHILD | WS_VISIBLE, 0, at,
                              this, item.id);
        controls_.push_back(std::move(control));
        controlTypes_.push_back(item.type);
    }

    // The host shows a dialog is up through CMDACTIVE bit 8.
    arx::ed::DialogScope dialogActive;
    OnInitDialog();
    if (!ended_) Session(*this).run();

    controls_.clear();
    controlTypes_.clear();
    DestroyWindow();
    return result_;
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
