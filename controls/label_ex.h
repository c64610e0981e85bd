// CLabelEx: a static control that paints its own single line of text in a
// chosen colour and its parent's font, without erasing what lies behind it,
// so that it sits directly on a page's skin. With a link cursor it acts as a
// link: SS_NOTIFY is added when it is attached, so clicks reach the page.
#pragma once
#include <windows.h>

#include "framework/button.h"
#include "framework/gdi.h"
#include "framework/handles.h"

class CLabelEx : public CStatic {
public:
    CLabelEx();
    ~CLabelEx() override;

    void SetTextColor(COLORREF colour) { m_textColor = colour; }
    // Shown over the label; a cursor given here is shared and not destroyed by the label.
    void SetLinkCursor(HCURSOR cursor) { m_linkCursor = cursor; }
    HCURSOR LinkCursor() const { return m_linkCursor; }
    // Without a link cursor: a copy of the hand cursor of the Windows help
    // program, if present (the copy is the label's and dies with it).
    void LoadFallbackLinkCursor();

    void SetBorder(BOOL draw, COLORREF border, COLORREF fill);
    void SetUnderline(BOOL underline, COLORREF colour);
    // Takes ownership of the bitmaps (null removes the picture).
    void SetBackgroundPicture(HBITMAP picture) { m_backgroundPicture.Attach(picture); }
    void SetLeadingPicture(HBITMAP picture) { m_leadingPicture.Attach(picture); }

    // Draws the label into `dc` (used for WM_PAINT and WM_PRINTCLIENT).
    void Paint(CDC& dc);

protected:
    void PreSubclassWindow() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    COLORREF m_textColor = RGB(0, 0, 0);
    BOOL m_drawBorder = FALSE;
    COLORREF m_borderColor = RGB(0, 0, 0);
    COLORREF m_fillColor = RGB(255, 255, 255);
    BOOL m_underline = FALSE;
    COLORREF m_underlineColor = RGB(0, 0, 255);
    CBitmap m_backgroundPicture;
    CBitmap m_leadingPicture;
    HCURSOR m_linkCursor = nullptr;
    unique_hicon m_ownedLinkCursor;   // the fallback copy
};
