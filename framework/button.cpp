#include "framework/button.h"

#include "framework/gdi.h"

BOOL CButton::Create(const wchar_t* caption, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CWnd::Create(L"BUTTON", caption, style, rect, parent, id);
}

BOOL CButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message == WM_DRAWITEM) {
        DrawItem(reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
        *result = TRUE;
        return TRUE;
    }
    if (message == WM_COMMAND) {
        if (HIWORD(wParam) != BN_CLICKED || !OnClicked()) return FALSE;
        *result = 0;
        return TRUE;
    }
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {
        CDC dc;
        dc.Attach(reinterpret_cast<HDC>(wParam));
        HBRUSH brush = CtlColor(&dc, message - WM_CTLCOLORMSGBOX);
        if (!brush) return FALSE;
        *result = reinterpret_cast<LRESULT>(brush);
        return TRUE;
    }
    return FALSE;
}

BOOL CStatic::Create(const wchar_t* text, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CWnd::Create(L"STATIC", text, style, rect, parent, id);
}
