#include "framework/progress_ctrl.h"

#include <commctrl.h>

BOOL CProgressCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_PROGRESS_CLASS};
    ::InitCommonControlsEx(&controls);
    return CWnd::Create(PROGRESS_CLASSW, L"", style, rect, parent, id);
}

void CProgressCtrl::SetRange(int lower, int upper) {
    ::SendMessageW(m_hWnd, PBM_SETRANGE32, static_cast<WPARAM>(lower), static_cast<LPARAM>(upper));
}

int CProgressCtrl::SetPos(int position) {
    return static_cast<int>(::SendMessageW(m_hWnd, PBM_SETPOS, static_cast<WPARAM>(position), 0));
}

int CProgressCtrl::GetPos() const { return static_cast<int>(::SendMessageW(m_hWnd, PBM_GETPOS, 0, 0)); }
