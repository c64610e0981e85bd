#include "wizard/finish_dlg.h"

#include "app/path_checks.h"
#include "app/setup_state.h"
#include "engine/runners.h"
#include "wizard/page_ids.h"

void ApplyWorkspaceChoice() {
    const SetupState& state = State();
    std::wstring tool = SetupFolder() + (state.Is64BitPackage == 1 ? L"\\files\\WriteRegister_x64.exe"
                                                                   : L"\\files\\WriteRegister.exe");
    if (RunConfigurationTool(tool, nullptr) != 1) return;
    std::wstring installedIni = State().TargetDir + L"\\Setup.ini";
    if (!PathExists(installedIni)) return;
    ::WritePrivateProfileStringW(L"SETUP", L"CLASSIC", State().Classic ? L"1" : L"0", installedIni.c_str());
}

CPelmFinishDlg::CPelmFinishDlg() : CPelmPage(IDD_FINISH) {}

CPelmFinishDlg::~CPelmFinishDlg() = default;

void CPelmFinishDlg::DoDataExchange(CDataExchange* dx) {
    DDX_Control(dx, IDC_CLASSIC_OFF, m_classicOff);
    DDX_Control(dx, IDC_CLASSIC_ON, m_classicOn);
    DDX_Control(dx, IDC_LABEL_1032, m_label1032);
    DDX_Control(dx, IDC_NEXT, m_finishButton);
}

BOOL CPelmFinishDlg::OnInitDialog() {
    CBitmapDialog::OnInitDialog();
    SetForegroundWindow();
    SetIcon(m_pageIcon.get(), FALSE);
    m_label1032.SetTextColor(RGB(255, 255, 255));

    LOGFONTW font{};
    if (HFONT current = m_classicOff.GetFont()) {
        ::GetObjectW(current, sizeof(font), &font);
    } else {
        ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(font), &font);
    }
    font.lfHeight = -15;
    font.lfWeight = FW_BOLD;
    m_choiceFont.CreateFontIndirect(&font);
    m_classicOff.SetFont(m_choiceFont.Handle(), TRUE);
    m_classicOn.SetFont(m_choiceFont.Handle(), TRUE);

    m_finishButton.LoadBitmaps(IDB_FINISH[0], IDB_FINISH[1], IDB_FINISH[2]);
    if (State().InstallMode == Install) {
        SetBackground(IDB_FINISH_INSTALL, BackgroundStretch);
        ShowWorkspaceChoice();
    } else {
        SetBackground(IDB_FINISH_MAINTENANCE, BackgroundStretch);
        m_classicOff.ShowWindow(SW_HIDE);
        m_classicOn.ShowWindow(SW_HIDE);
    }
    SetUpChoiceButton(m_classicOff);
    SetUpChoiceButton(m_classicOn);
    MakeTopmost();
    return TRUE;
}

void CPelmFinishDlg::ShowWorkspaceChoice() {
    bool classic = State().Classic != 0;
    ShowChoice(m_classicOff, !classic);
    ShowChoice(m_classicOn, classic);
}

void CPelmFinishDlg::OnPaint() {
    m_classicOff.SetTransparent();
    m_classicOn.SetTransparent();
    CPelmPage::OnPaint();
}

BOOL CPelmFinishDlg::OnCommand(UINT id, UINT code) {
    if (id == IDCANCEL) {
        EndDialog(kResultCancel);
        return TRUE;
    }
    if (code != BN_CLICKED) return CPelmPage::OnCommand(id, code);
    switch (id) {
    case IDC_CLASSIC_OFF: State().Classic = 0; ShowWorkspaceChoice(); return TRUE;
    case IDC_CLASSIC_ON: State().Classic = 1; ShowWorkspaceChoice(); return TRUE;
    case IDC_NEXT:
        EndDialog(kResultNext);
        if (State().InstallMode == Install) ApplyWorkspaceChoice();
        return TRUE;
    default: return CPelmPage::OnCommand(id, code);
    }
}

void CPelmFinishDlg::OnDestroy() {
    CPelmPage::OnDestroy();
    if (State().InstallMode == Install) ApplyWorkspaceChoice();
}
