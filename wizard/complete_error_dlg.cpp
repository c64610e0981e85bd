#include "wizard/complete_error_dlg.h"

#include "wizard/page_ids.h"

CPelmCompleteErrorDlg::CPelmCompleteErrorDlg() : CPelmPage(IDD_COMPLETE_ERROR) {}

CPelmCompleteErrorDlg::~CPelmCompleteErrorDlg() = default;

void CPelmCompleteErrorDlg::DoDataExchange(CDataExchange* dx) {
    DDX_Control(dx, IDC_NEXT, m_finishButton);
    DDX_Control(dx, IDC_LABEL_1032, m_label1032);
}

BOOL CPelmCompleteErrorDlg::OnInitDialog() {
    InitPage(IDB_PAGE);
    m_label1032.SetTextColor(RGB(255, 255, 255));
    m_finishButton.LoadBitmaps(IDB_FINISH[0], IDB_FINISH[1], IDB_FINISH[2]);
    return TRUE;
}

BOOL CPelmCompleteErrorDlg::OnCommand(UINT id, UINT code) {
    if (id == IDCANCEL) {
        EndDialog(kResultCancel);
        return TRUE;
    }
    if (code == BN_CLICKED && id == IDC_NEXT) {
        EndDialog(kResultNext);
        return TRUE;
    }
    return CPelmPage::OnCommand(id, code);
}
