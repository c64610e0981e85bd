#include "wizard/start_copy_dlg.h"

#include "wizard/page_ids.h"

CPelmStartCopyDlg::CPelmStartCopyDlg() : CPelmPage(IDD_START_COPY) {}

CPelmStartCopyDlg::~CPelmStartCopyDlg() = default;

void CPelmStartCopyDlg::DoDataExchange(CDataExchange* dx) {
    DDX_Control(dx, IDC_LABEL_1032, m_label1032);
    DDX_Control(dx, IDC_BACK, m_backButton);
    DDX_Control(dx, IDC_NEXT, m_nextButton);
    DDX_Control(dx, IDCANCEL, m_cancelButton);
    DDX_Control(dx, IDC_REQUIREMENT_LINK, m_link);
}

BOOL CPelmStartCopyDlg::OnInitDialog() {
    InitPage(IDB_PAGE);
    m_label1032.SetTextColor(RGB(255, 255, 255));
    m_backButton.LoadBitmaps(IDB_BACK[0], IDB_BACK[1], IDB_BACK[2]);
    m_nextButton.LoadBitmaps(IDB_INSTALL[0], IDB_INSTALL[1], IDB_INSTALL[2]);
    m_cancelButton.LoadBitmaps(IDB_CANCEL[0], IDB_CANCEL[1], IDB_CANCEL[2]);
    SetUpLinkLabel(m_link);
    return TRUE;
}

BOOL CPelmStartCopyDlg::OnCommand(UINT id, UINT code) {
    if (id == IDCANCEL) {
        EndDialog(kResultCancel);
        return TRUE;
    }
    if (code != BN_CLICKED) return CPelmPage::OnCommand(id, code);
    switch (id) {
    case IDC_BACK: EndDialog(kResultBack); return TRUE;
    case IDC_NEXT: EndDialog(kResultNext); return TRUE;
    case IDC_REQUIREMENT_LINK: ShowRequirementPage(*this, m_link); return TRUE;
    default: return CPelmPage::OnCommand(id, code);
    }
}
