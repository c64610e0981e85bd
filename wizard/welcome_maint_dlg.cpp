#include "wizard/welcome_maint_dlg.h"

#include "app/local_text.h"
#include "app/path_checks.h"
#include "app/setup_record.h"
#include "app/setup_state.h"
#include "framework/strings.h"
#include "wizard/page_ids.h"

void ReloadInstalledChoices(const std::wstring& installedSetupIni) {
    SetupState& state = State();
    if (!PathExists(installedSetupIni)) return;
    const int count = std::min<int>(state.FeatureCount, static_cast<int>(state.Features.size()));
    for (int i = 0; i < count; ++i) {
        std::wstring section = FormatText(L"sub%01d", i + 1);
        state.Features[static_cast<size_t>(i)].Check =
            static_cast<int>(::GetPrivateProfileIntW(section.c_str(), L"check", 0, installedSetupIni.c_str()));
    }
    state.Classic = static_cast<int>(::GetPrivateProfileIntW(L"SETUP", L"CLASSIC", 0, installedSetupIni.c_str()));
}

CPelmWelcomeMaintDlg::CPelmWelcomeMaintDlg() : CPelmPage(IDD_MAINTENANCE) {}

CPelmWelcomeMaintDlg::~CPelmWelcomeMaintDlg() = default;

void CPelmWelcomeMaintDlg::DoDataExchange(CDataExchange* dx) {
    DDX_Control(dx, IDC_MODIFY, m_modify);
    DDX_Control(dx, IDC_REPAIR, m_repair);
    DDX_Control(dx, IDC_REMOVE, m_remove);
    DDX_Control(dx, IDC_LABEL_1032, m_label1032);
    DDX_Control(dx, IDC_BACK, m_backButton);
    DDX_Control(dx, IDC_NEXT, m_nextButton);
    DDX_Control(dx, IDCANCEL, m_cancelButton);
}

BOOL CPelmWelcomeMaintDlg::OnInitDialog() {
    InitPage(IDB_PAGE);
    m_label1032.SetTextColor(RGB(255, 255, 255));
    m_backButton.LoadBitmaps(IDB_BACK[0], IDB_BACK[1], IDB_BACK[2], IDB_BACK_DISABLED);
    m_nextButton.LoadBitmaps(IDB_NEXT[0], IDB_NEXT[1], IDB_NEXT[2]);
    m_cancelButton.LoadBitmaps(IDB_CANCEL[0], IDB_CANCEL[1], IDB_CANCEL[2]);
    ShowMode();
    SetUpChoiceButton(m_modify);
    SetUpChoiceButton(m_repair);
    SetUpChoiceButton(m_remove);
    MakeTopmost();
    return TRUE;
}

void CPelmWelcomeMaintDlg::ShowMode() {
    const int mode = State().InstallMode;
    if (mode != Modify && mode != Repair && mode != Remove) return;
    ShowChoice(m_modify, mode == Modify);
    ShowChoice(m_repair, mode == Repair);
    ShowChoice(m_remove, mode == Remove);
}

void CPelmWelcomeMaintDlg::OnPaint() {
    m_modify.SetTransparent();
    m_repair.SetTransparent();
    m_remove.SetTransparent();
    CPelmPage::OnPaint();
}

BOOL CPelmWelcomeMaintDlg::OnCommand(UINT id, UINT code) {
    if (id == IDCANCEL) {
        EndDialog(kResultCancel);
        return TRUE;
    }
    if (code != BN_CLICKED) return CPelmPage::OnCommand(id, code);
    switch (id) {
    case IDC_MODIFY: State().InstallMode = Modify; ShowMode(); return TRUE;
    case IDC_REPAIR: State().InstallMode = Repair; ShowMode(); return TRUE;
    case IDC_REMOVE: State().InstallMode = Remove; ShowMode(); return TRUE;
    case IDC_BACK: return TRUE;   // the first page: nothing to go back to
    case IDC_NEXT: OnNext(); return TRUE;
    default: return CPelmPage::OnCommand(id, code);
    }
}

void CPelmWelcomeMaintDlg::OnNext() {
    SetupState& state = State();
    if (state.InstallMode == Remove) {
        EndDialog(AskQuestion(LoadText(Text::UninstallQuestion)) == IDYES ? kResultNext : kResultCancel);
        return;
    }
    WriteSetupRecord();
    EndDialog(kResultNext);
    if (state.InstallMode == Modify || state.InstallMode == Repair) {
        ReloadInstalledChoices(state.TargetDir + L"\\Setup.ini");
    }
}
