#include "wizard/welcome_dlg.h"

#include <shlwapi.h>

#include "app/local_text.h"
#include "app/path_checks.h"
#include "app/setup_record.h"
#include "app/setup_state.h"
#include "framework/strings.h"
#include "framework/win_app.h"
#include "wizard/browse_folder.h"
#include "wizard/folder_rules.h"
#include "wizard/page_ids.h"

CPelmWelcomeDlg::CPelmWelcomeDlg() : CPelmPage(IDD_WELCOME) {
    // This page keeps the base dialog's control colours.
    m_commonControlColours = false;
}

CPelmWelcomeDlg::~CPelmWelcomeDlg() = default;

void CPelmWelcomeDlg::DoDataExchange(CDataExchange* dx) {
    DDX_Control(dx, IDC_SHADE, m_shade);
    DDX_Control(dx, IDC_WELCOME_FEATURES, m_featuresButton);
    DDX_Control(dx, IDC_WELCOME_NEXT, m_nextButton);
    DDX_Control(dx, IDC_WELCOME_BROWSE, m_browseButton);
    DDX_Control(dx, IDCANCEL, m_cancelButton);
    DDX_Text(dx, IDC_WELCOME_FOLDER, m_folder);
    DDX_Control(dx, IDC_LABEL_1032, m_label1032);
    DDX_Control(dx, IDC_LABEL_1031, m_label1031);
    DDX_Control(dx, IDC_REQUIREMENT_LINK, m_link);
}

BOOL CPelmWelcomeDlg::OnInitDialog() {
    InitPage(IDB_WELCOME);
    m_featuresButton.LoadBitmaps(IDB_WELCOME_FEATURES[0], IDB_WELCOME_FEATURES[1], IDB_WELCOME_FEATURES[2]);
    m_nextButton.LoadBitmaps(IDB_WELCOME_NEXT[0], IDB_WELCOME_NEXT[1], IDB_WELCOME_NEXT[2]);
    m_browseButton.LoadBitmaps(IDB_BROWSE[0], IDB_BROWSE[1], IDB_BROWSE[2]);
    m_cancelButton.LoadBitmaps(IDB_CANCEL_LARGE[0], IDB_CANCEL_LARGE[1], IDB_CANCEL_LARGE[2]);
    m_folder = State().TargetDir;
    UpdateData(FALSE);
    SetUpLinkLabel(m_link);
    m_label1031.SetTextColor(RGB(255, 255, 255));
    m_label1032.SetTextColor(RGB(255, 255, 255));
    MakeTopmost();
    return TRUE;
}

BOOL CPelmWelcomeDlg::OnCommand(UINT id, UINT code) {
    if (id == IDCANCEL) {
        EndDialog(kResultCancel);
        return TRUE;
    }
    if (code != BN_CLICKED) return CPelmPage::OnCommand(id, code);
    switch (id) {
    case IDC_WELCOME_NEXT: OnNext(); return TRUE;
    case IDC_WELCOME_FEATURES: OnFeatures(); return TRUE;
    case IDC_WELCOME_BROWSE: BrowseForTargetFolder(*this, m_folder); return TRUE;
    case IDC_REQUIREMENT_LINK: ShowRequirementPage(*this, m_link); return TRUE;
    default: return CPelmPage::OnCommand(id, code);
    }
}

void CPelmWelcomeDlg::OnFeatures() {
    UpdateData(TRUE);
    State().TargetDir = m_folder;
    EndDialog(kResultWelcomeFeatures);
}

void CPelmWelcomeDlg::OnNext() {
    SetupState& state = State();
    UpdateData(TRUE);
    state.TargetDir = CollapseDoubledBackslashes(m_folder);
    if (KeepOneTrailingBackslash(state.TargetDir)) {
        m_folder = state.TargetDir;
        UpdateData(FALSE);
    }
    FolderRefusal refusal = CheckWelcomeFolder(state.TargetDir);
    if (refusal != FolderRefusal::None) {
        FrameworkMessageBox(LoadText(RefusalText(refusal, FolderPage::Welcome)), MB_OK);
        return;
    }
    if (!IsFolderEmpty(state.TargetDir)) {
        std::wstring question = FormatText(LoadText(Text::FolderNotEmpty).c_str(), state.TargetDir.c_str());
        if (AskQuestion(question) != IDYES) return;
    }
    if (!PathIsNetworkPathW(state.TargetDir.c_str()) && CheckDiskSpace(DiskSpaceDrive(state.TargetDir)) != 1) {
        return;
    }
    WriteSetupRecord();
    EndDialog(kResultWelcomeNext);
}
