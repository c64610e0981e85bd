#include "wizard/html_dlg.h"

#include <mshtmhst.h>

#include "app/local_text.h"
#include "framework/win_app.h"
#include "wizard/page_base.h"
#include "wizard/page_ids.h"

CHtmlDlg::CHtmlDlg(CWnd* parent)
    : CHtmlDialog(IDD_HTML_PAGE, IDR_HTML_INITIAL, parent), m_icon(LoadLibraryIcon(IDI_PAGE)) {}

CHtmlDlg::~CHtmlDlg() = default;

void CHtmlDlg::SetPage(const std::wstring& resourceName, const std::wstring& caption, const RECT& rect) {
    m_resourceName = resourceName;
    m_caption = caption;
    m_rect = rect;
}

std::wstring CHtmlDlg::ResourceFile() const { return ResourceLibraryPath(); }

BOOL CHtmlDlg::OnInitDialog() {
    SetHostFlags(DOCHOSTUIFLAG_FLAT_SCROLLBAR);
    CHtmlDialog::OnInitDialog();
    SetIcon(m_icon.get(), TRUE);
    SetIcon(m_icon.get(), FALSE);
    Navigate(ResourceUrl(ResourceFile(), m_resourceName));
    SetWindowText(m_caption);
    ::MoveWindow(m_hWnd, m_rect.left, m_rect.top, m_rect.right - m_rect.left, m_rect.bottom - m_rect.top, TRUE);
    CenterWindow();
    UpdateData(FALSE);
    return TRUE;
}

LRESULT CHtmlDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_GETMINMAXINFO) {
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        info->ptMinTrackSize.x = kMinimumTrackWidth;
        info->ptMinTrackSize.y = kMinimumTrackHeight;
        return 0;
    }
    return CHtmlDialog::WindowProc(message, wParam, lParam);
}

void CHtmlDlg::OnElementClick(const std::wstring& elementId) {
    if (elementId == L"ButtonOK") {
        EndDialog(IDOK);
    } else if (elementId == L"ButtonCancel") {
        EndDialog(IDCANCEL);
    }
}
