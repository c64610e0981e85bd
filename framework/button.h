// CButton and CStatic: window wrappers over the system "BUTTON" and "STATIC"
// classes, with the hooks that owner-drawn and self-painting controls need.
#pragma once
#include <windows.h>

#include "framework/wnd.h"

class CDC;

class CButton : public CWnd {
public:
    BOOL Create(const wchar_t* caption, DWORD style, const RECT& rect, CWnd* parent, UINT id);

    // Owner drawing (BS_OWNERDRAW), reflected from the parent's WM_DRAWITEM.
    virtual void DrawItem(DRAWITEMSTRUCT*) {}
    // BN_CLICKED reflected from the parent. Return TRUE to consume the click,
    // FALSE to let the parent receive the command as well.
    virtual BOOL OnClicked() { return FALSE; }
    // WM_CTLCOLOR* reflected from the parent; null leaves the colours to it.
    virtual HBRUSH CtlColor(CDC*, UINT /*kind*/) { return nullptr; }

    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

    int GetCheck() const { return static_cast<int>(::SendMessageW(m_hWnd, BM_GETCHECK, 0, 0)); }
    void SetCheck(int check) { ::SendMessageW(m_hWnd, BM_SETCHECK, static_cast<WPARAM>(check), 0); }
    UINT GetState() const { return static_cast<UINT>(::SendMessageW(m_hWnd, BM_GETSTATE, 0, 0)); }
    void SetButtonStyle(UINT style, BOOL redraw = TRUE) {
        ::SendMessageW(m_hWnd, BM_SETSTYLE, style, redraw);
    }
};

class CStatic : public CWnd {
public:
    BOOL Create(const wchar_t* text, DWORD style, const RECT& rect, CWnd* parent, UINT id = 0xFFFF);
};
