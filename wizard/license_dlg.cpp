#include "wizard/license_dlg.h"

#include <richedit.h>

#include <vector>

#include "app/setup_state.h"
#include "framework/file.h"
#include "wizard/page_ids.h"

namespace {
// Hands out the requested bytes from the memory file on each call.
DWORD CALLBACK StreamFromMemFile(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* given) {
    auto* file = reinterpret_cast<CMemFile*>(cookie);
    *given = static_cast<LONG>(file->Read(buffer, static_cast<UINT>(wanted)));
    return 0;
}
}  // namespace

bool LoadAgreementText(HWND richEdit, const std::wstring& path) {
    CFile file;
    if (!file.Open(path, CFile::modeRead)) return false;
    ULONGLONG length = file.GetLength();
    if (length > 0xFFFFFFFFULL) return false;
    std::vector<BYTE> block(static_cast<size_t>(length));
    UINT read = length ? file.Read(block.data(), static_cast<UINT>(length)) : 0;
    if (read != length) return false;
    file.Close();

    CMemFile memory(block.data(), block.size());
    EDITSTREAM stream{};
    stream.dwCookie = reinterpret_cast<DWORD_PTR>(&memory);
    stream.pfnCallback = StreamFromMemFile;
    ::SendMessageW(richEdit, EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&stream));
    return stream.dwError == 0;
}

CPelmLicenseDlg::CPelmLicenseDlg() : CPelmPage(IDD_LICENSE) {}

CPelmLicenseDlg::~CPelmLicenseDlg() = default;

void CPelmLicenseDlg::DoDataExchange(CDataExchange* dx) {
    DDX_Control(dx, IDC_ACCEPT, m_accept);
    DDX_Control(dx, IDC_DECLINE, m_decline);
    DDX_Control(dx, IDC_LABEL_1032, m_label1032);
    DDX_Control(dx, IDC_BACK, m_backButton);
    DDX_Control(dx, IDC_NEXT, m_nextButton);
    DDX_Control(dx, IDCANCEL, m_cancelButton);
    DDX_Control(dx, IDC_REQUIREMENT_LINK, m_link);
}

BOOL CPelmLicenseDlg::OnInitDialog() {
    InitPage(IDB_LICENSE);
    m_label1032.SetTextColor(RGB(255, 255, 255));
    m_backButton.LoadBitmaps(IDB_BACK[0], IDB_BACK[1], IDB_BACK[2]);
    m_nextButton.LoadBitmaps(IDB_NEXT[0], IDB_NEXT[1], IDB_NEXT[2], IDB_NEXT_DISABLED);
    m_cancelButton.LoadBitmaps(IDB_CANCEL[0], IDB_CANCEL[1], IDB_CANCEL[2]);
    SetUpLinkLabel(m_link);
    LoadAgreementText(GetDlgItem(IDC_LICENSE_TEXT), SetupFolder() + L"\\License.rtf");
    UpdateData(FALSE);
    ShowAgreementChoice();
    SetUpChoiceButton(m_accept);
    SetUpChoiceButton(m_decline);
    MakeTopmost();
    // The agreement opens at its start: the dialog manager would select the
    // whole text when it gives the control the first focus.
    HWND text = GetDlgItem(IDC_LICENSE_TEXT);
    ::SetFocus(text);
    ::SendMessageW(text, EM_SETSEL, 0, 0);
    ::SendMessageW(text, EM_SCROLLCARET, 0, 0);
    return FALSE;
}

void CPelmLicenseDlg::ShowAgreementChoice() {
    bool accepted = State().AgreementAccepted != 0;
    ShowChoice(m_accept, accepted);
    ShowChoice(m_decline, !accepted);
    m_nextButton.EnableWindow(accepted);
}

BOOL CPelmLicenseDlg::OnCommand(UINT id, UINT code) {
    if (id == IDCANCEL) {
        EndDialog(kResultCancel);
        return TRUE;
    }
    if (code != BN_CLICKED) return CPelmPage::OnCommand(id, code);
    switch (id) {
    case IDC_ACCEPT:
        State().AgreementAccepted = 1;
        ShowAgreementChoice();
        return TRUE;
    case IDC_DECLINE:
        State().AgreementAccepted = 0;
        ShowAgreementChoice();
        return TRUE;
    case IDC_BACK: EndDialog(kResultBack); return TRUE;
    case IDC_NEXT:
        // A disabled Next cannot be clicked, but its command can still be sent.
        if (State().AgreementAccepted) EndDialog(kResultNext);
        return TRUE;
    case IDC_REQUIREMENT_LINK: ShowRequirementPage(*this, m_link); return TRUE;
    default: return CPelmPage::OnCommand(id, code);
    }
}

void CPelmLicenseDlg::OnPaint() {
    if (m_firstPaint) {
        m_firstPaint = 0;
        SetForegroundWindow();
        m_accept.SetTransparent();
        m_decline.SetTransparent();
    }
    CPelmPage::OnPaint();
}
