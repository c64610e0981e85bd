#include "wizard/page_base.h"

#include "app/setup_state.h"
#include "framework/gdi.h"
#include "framework/win_app.h"
#include "wizard/html_dlg.h"
#include "wizard/page_ids.h"

namespace {
constexpr COLORREF kWhite = RGB(255, 255, 255);
}

HICON LoadLibraryIcon(int id) {
    return static_cast<HICON>(::LoadImageW(ResourceModule(), MAKEINTRESOURCEW(id), IMAGE_ICON, 0, 0, 0));
}

CPelmPage::CPelmPage(UINT templateId) : CBitmapDialog(templateId), m_pageIcon(LoadLibraryIcon(IDI_PAGE)) {}

CPelmPage::~CPelmPage() = default;

void CPelmPage::InitPage(UINT backgroundId) {
    CBitmapDialog::OnInitDialog();
    SetIcon(m_pageIcon.get(), FALSE);
    SetBackground(backgroundId, BackgroundStretch);
}

HBRUSH CPelmPage::OnCtlColor(CDC* dc, CWnd* control, UINT kind) {
    if (m_commonControlColours && kind == CTLCOLOR_STATIC) {
        dc->SetTextColor(kWhite);
        dc->SetBkMode(TRANSPARENT);
        return static_cast<HBRUSH>(::GetStockObject(HOLLOW_BRUSH));
    }
    return CBitmapDialog::OnCtlColor(dc, control, kind);
}

LRESULT CPelmPage::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        // The templates sit at the screen origin; a page is centred only once
        // it has set itself up (the feature page measures its rows first).
        LRESULT result = CBitmapDialog::WindowProc(message, wParam, lParam);
        CenterWindow();
        return result;
    }
    return CBitmapDialog::WindowProc(message, wParam, lParam);
}

void CPelmPage::MakeTopmost() {
    SetWindowPos(HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

int CPelmPage::AskQuestion(const std::wstring& text) {
    return ::MessageBoxW(m_hWnd, text.c_str(), State().ProductName.c_str(),
                         MB_YESNO | MB_ICONINFORMATION | MB_SYSTEMMODAL | MB_SETFOREGROUND | MB_TOPMOST);
}

void SetUpLinkLabel(CLabelEx& label) {
    label.SetTextColor(kWhite);
    HCURSOR cursor = ::LoadCursorW(ResourceModule(), MAKEINTRESOURCEW(IDC_LINK_CURSOR));
    label.SetLinkCursor(cursor);
    if (!cursor) label.LoadFallbackLinkCursor();
}

void SetUpChoiceButton(CButtonST& button) {
    button.SetColor(CButtonST::ForeIn, kWhite);
    button.SetColor(CButtonST::ForeOut, kWhite);
    button.Invalidate();
}

void ShowChoice(CButtonST& button, bool chosen) {
    button.SetIcons(LoadLibraryIcon(chosen ? IDI_CHOICE_CHOSEN : IDI_CHOICE_NOT_CHOSEN), nullptr);
}

void ShowFeatureChoice(CButtonST& button, bool chosen) {
    button.SetIcons(LoadLibraryIcon(chosen ? IDI_FEATURE_CHOSEN : IDI_FEATURE_NOT_CHOSEN), nullptr);
}

void ShowRequirementPage(CWnd& page, CWnd& linkLabel) {
    RECT client{};
    page.GetClientRect(&client);
    CHtmlDlg dialog(&page);
    dialog.SetPage(L"REQUIREMENT", linkLabel.GetWindowText(), client);
    dialog.DoModal();
}
