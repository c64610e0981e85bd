#include "wizard/feature_dlg.h"

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

FeatureRowLayout RowLayoutFrom(const RECT& firstButton, const RECT& secondButton, const RECT& firstDescription) {
    return {firstButton, firstDescription, static_cast<int>(secondButton.top - firstButton.top)};
}

RECT RowRect(const RECT& first, int row, int step) {
    RECT rect = first;
    ::OffsetRect(&rect, 0, row * step);
    return rect;
}

bool IsFeatureInstalled(const std::wstring& installedSetupIni, int index) {
    std::wstring section = FormatText(L"sub%01d", index + 1);
    return ::GetPrivateProfileIntW(section.c_str(), L"check", 0, installedSetupIni.c_str()) == 1;
}

CPelmFeatureDlg::CPelmFeatureDlg() : CPelmPage(IDD_FEATURES) {}

CPelmFeatureDlg::~CPelmFeatureDlg() = default;

void CPelmFeatureDlg::DoDataExchange(CDataExchange* dx) {
    DDX_Text(dx, IDC_FEATURE_FOLDER, m_folder);
    DDX_Control(dx, IDC_LABEL_1032, m_label1032);
    DDX_Control(dx, IDC_FEATURE_FOLDER_LABEL, m_folderLabel);
    DDX_Control(dx, IDC_FEATURE_BROWSE, m_browseButton);
    DDX_Control(dx, IDC_BACK, m_backButton);
    DDX_Control(dx, IDC_NEXT, m_nextButton);
    DDX_Control(dx, IDCANCEL, m_cancelButton);
    DDX_Control(dx, IDC_REQUIREMENT_LINK, m_link);
}

BOOL CPelmFeatureDlg::OnInitDialog() {
    InitPage(IDB_PAGE);
    m_pageFont = GetFont();
    m_label1032.SetTextColor(RGB(255, 255, 255));
    m_folderLabel.SetTextColor(RGB(255, 255, 255));
    m_browseButton.LoadBitmaps(IDB_BROWSE[0], IDB_BROWSE[1], IDB_BROWSE[2]);
    m_backButton.LoadBitmaps(IDB_BACK[0], IDB_BACK[1], IDB_BACK[2]);
    m_nextButton.LoadBitmaps(IDB_NEXT[0], IDB_NEXT[1], IDB_NEXT[2]);
    m_cancelButton.LoadBitmaps(IDB_CANCEL[0], IDB_CANCEL[1], IDB_CANCEL[2]);
    SetUpLinkLabel(m_link);
    CreateFeatureRows();
    m_folder = State().TargetDir;
    UpdateData(FALSE);
    if (State().InstallMode == Modify) {
        ::ShowWindow(GetDlgItem(IDC_FEATURE_FOLDER_LABEL), SW_HIDE);
        ::ShowWindow(GetDlgItem(IDC_FEATURE_BROWSE), SW_HIDE);
        ::ShowWindow(GetDlgItem(IDC_FEATURE_FOLDER), SW_HIDE);
    }
    MakeTopmost();
    return TRUE;
}

void CPelmFeatureDlg::CreateFeatureRows() {
    // The placeholders' rectangles, taken in the page's client coordinates so
    // the rows land on them wherever the page is on the screen.
    auto clientRectOf = [this](int id) {
        RECT rect{};
        ::GetWindowRect(GetDlgItem(id), &rect);
        ScreenToClient(&rect);
        return rect;
    };
    FeatureRowLayout layout = RowLayoutFrom(clientRectOf(IDC_FEATURE_BUTTON_PLACE),
                                            clientRectOf(IDC_FEATURE_SECOND_PLACE),
                                            clientRectOf(IDC_FEATURE_TEXT_PLACE));
    const std::vector<FeatureRecord>& features = State().Features;
    const int count = std::min<int>(State().FeatureCount, static_cast<int>(features.size()));
    for (int i = 0; i < count; ++i) {
        const FeatureRecord& feature = features[static_cast<size_t>(i)];
        if (feature.Name.empty()) continue;   // the row stays empty; later rows keep their places

        auto button = std::make_unique<CShadeButtonST>();
        DWORD buttonStyle = WS_CHILD | WS_VISIBLE | (feature.Enable == 0 ? WS_DISABLED : 0);
        button->Create(feature.Name.c_str(), buttonStyle, RowRect(layout.Button, i, layout.Step), this,
                       static_cast<UINT>(IDC_FEATURE_BUTTON_FIRST + i));
        auto text = std::make_unique<CStatic>();
        text->Create(feature.Description.c_str(), WS_CHILD | WS_VISIBLE | SS_RIGHTJUST | SS_REALSIZEIMAGE,
                     RowRect(layout.Description, i, layout.Step), this,
                     static_cast<UINT>(IDC_FEATURE_TEXT_FIRST + i));
        ShowFeatureChoice(*button, feature.Check == 1);
        button->SetFont(m_pageFont, TRUE);
        text->SetFont(m_pageFont, TRUE);
        SetUpChoiceButton(*button);
        m_featureButtons.push_back(std::move(button));
        m_featureTexts.push_back(std::move(text));
    }
}

void CPelmFeatureDlg::OnPaint() {
    if (m_firstPaint) {
        m_firstPaint = 0;
        SetForegroundWindow();
        for (auto& button : m_featureButtons) button->SetTransparent();
    }
    CPelmPage::OnPaint();
}

BOOL CPelmFeatureDlg::OnCommand(UINT id, UINT code) {
    if (id == IDCANCEL) {
        EndDialog(kResultCancel);
        return TRUE;
    }
    if (code != BN_CLICKED) return CPelmPage::OnCommand(id, code);
    const int featureCount = State().FeatureCount;
    if (static_cast<int>(id) >= IDC_FEATURE_BUTTON_FIRST && static_cast<int>(id) < IDC_FEATURE_BUTTON_FIRST + featureCount) {
        ToggleFeature(static_cast<int>(id) - IDC_FEATURE_BUTTON_FIRST);
        return TRUE;
    }
    switch (id) {
    case IDC_BACK: OnBack(); return TRUE;
    case IDC_NEXT: OnNext(); return TRUE;
    case IDC_FEATURE_BROWSE: BrowseForTargetFolder(*this, m_folder); return TRUE;
    case IDC_REQUIREMENT_LINK: ShowRequirementPage(*this, m_link); return TRUE;
    default: return CPelmPage::OnCommand(id, code);
    }
}

void CPelmFeatureDlg::ToggleFeature(int index) {
    SetupState& state = State();
    if (index < 0 || index >= static_cast<int>(state.Features.size())) return;
    FeatureRecord& feature = state.Features[static_cast<size_t>(index)];
    // A disabled button cannot be clicked, but its command can still be sent.
    if (feature.Enable == 0) return;
    if (index == 0 && feature.Check == 1) return;
    bool chosen;
    if (feature.Check != 0) {
        std::wstring installedIni = state.TargetDir + L"\\Setup.ini";
        if (state.InstallMode == Modify && PathExists(installedIni) && IsFeatureInstalled(installedIni, index)) return;
        feature.Check = 0;
        chosen = false;
    } else {
        feature.Check = 1;
        chosen = true;
    }
    if (HWND button = GetDlgItem(IDC_FEATURE_BUTTON_FIRST + index)) {
        if (auto* shade = dynamic_cast<CShadeButtonST*>(CWnd::FromHandle(button))) ShowFeatureChoice(*shade, chosen);
    }
    Invalidate(TRUE);
}

void CPelmFeatureDlg::OnBack() {
    UpdateData(TRUE);
    State().TargetDir = m_folder;
    EndDialog(kResultBack);
}

void CPelmFeatureDlg::OnNext() {
    SetupState& state = State();
    UpdateData(TRUE);
    state.TargetDir = m_folder;
    if (KeepOneTrailingBackslash(state.TargetDir)) {
        m_folder = state.TargetDir;
        UpdateData(FALSE);
    }
    FolderRefusal refusal = CheckFeatureFolder(state.TargetDir);
    if (refusal != FolderRefusal::None) {
        FrameworkMessageBox(LoadText(RefusalText(refusal, FolderPage::Features)), MB_OK);
        return;
    }
    if (!PathIsNetworkPathW(state.TargetDir.c_str()) && CheckDiskSpace(DiskSpaceDrive(state.TargetDir)) != 1) {
        return;
    }
    WriteSetupRecord();
    EndDialog(kResultNext);
}
