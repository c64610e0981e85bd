// CButtonST: an owner-drawn push button that draws its own face. Flat by
// default (a border only under the mouse or while pressed), an icon left of
// the caption, per-state colours, an optional check-box behaviour, and a
// transparent mode that shows the parent's pixels under the button.
//
// Attach it by subclassing a dialog item or create it with CButton::Create;
// either way PreSubclassWindow turns the window into an owner-drawn button.
// The button owns the icons given to SetIcons and the cursor given to
// SetBtnCursor. It carries no drop-down menu.
#pragma once
#include <windows.h>
#include <string>

#include "framework/button.h"
#include "framework/gdi.h"

class CButtonST : public CButton {
public:
    enum ColorSlot { BackIn = 0, ForeIn = 1, BackOut = 2, ForeOut = 3, BackFocus = 4, ForeFocus = 5, ColorSlotCount = 6 };
    enum ImageAlign : BYTE { AlignHorizontal = 0, AlignVertical = 1, AlignHorizontalRight = 2 };

    // Passed as `iconOut`: make the normal-state icon a grey copy of `iconIn`.
    static inline const HICON IconAutoGray = reinterpret_cast<HICON>(static_cast<INT_PTR>(-2));

    CButtonST();
    ~CButtonST() override;

    // Takes ownership of both icons. Record 0 (`iconIn`) shows while hovered
    // or pressed, record 1 otherwise. Returns 0, or 1 when an icon cannot be
    // queried (all images are freed then).
    DWORD SetIcons(HICON iconIn, HICON iconOut);
    void SetColor(ColorSlot slot, COLORREF colour, BOOL repaint = TRUE);
    COLORREF GetColor(ColorSlot slot) const { return m_colors[slot]; }
    // Shows the parent's background under the button; discards the previous
    // snapshot so that the next draw takes a fresh one.
    void SetTransparent();
    void SetFlat(BOOL flat = TRUE, BOOL repaint = TRUE);
    void SetAlign(ImageAlign align, BOOL repaint = TRUE);
    // Owned; destroyed with the button.
    void SetBtnCursor(HCURSOR cursor);
    // Opened with the shell when the button is clicked.
    void SetURL(const std::wstring& url);

    BOOL IsHovered() const { return m_mouseOnButton; }
    int Check() const { return m_check; }

    // A grey copy of `icon` (black stays black), or null on failure.
    static HICON CreateGrayscaleIcon(HICON icon);
    // The grey level of a colour: truncate(0.299 r + 0.587 g + 0.114 b), exactly.
    static BYTE GrayLevel(COLORREF colour);

protected:
    void PreSubclassWindow() override;
    BOOL PreTranslateMessage(MSG* message) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void DrawItem(DRAWITEMSTRUCT* item) override;
    BOOL OnClicked() override;
    HBRUSH CtlColor(CDC* dc, UINT kind) override;

    virtual DWORD OnDrawBackground(CDC* dc, RECT* rect);
    virtual DWORD OnDrawBorder(CDC* dc, RECT* rect);
    // Asks for WM_MOUSELEAVE once the pointer leaves the button.
    virtual void RequestLeaveNotification();

    void CancelHover();
    void PaintParentBackground(CDC* dc);
    void DiscardBackgroundSnapshot();
    void FreeImages();
    void DrawTheIcon(CDC* dc, bool hasTitle, const RECT& item, RECT* caption, bool pressed, bool disabled);
    void OnMouseMove(UINT flags, POINT point);
    void OnDisabled();

    struct IconRecord {
        HICON icon = nullptr;
        int width = 0;
        int height = 0;
    };

    BOOL m_isFlat = TRUE;
    BOOL m_mouseOnButton = FALSE;
    BOOL m_transparent = FALSE;
    BOOL m_blendBackground = FALSE;
    BOOL m_isPressed = FALSE;
    BOOL m_isFocused = FALSE;
    BOOL m_isDisabled = FALSE;
    BOOL m_isDefault = FALSE;
    BOOL m_isCheckBox = FALSE;
    BYTE m_imageAlign = AlignHorizontal;
    BOOL m_drawBorder = TRUE;
    BOOL m_drawFlatFocus = FALSE;
    COLORREF m_colors[ColorSlotCount];
    HCURSOR m_cursor = nullptr;
    CWnd m_toolTip;
    CDC m_backgroundDC;
    CBitmap m_backgroundBitmap;
    HGDIOBJ m_oldBackgroundBitmap = nullptr;
    BOOL m_alwaysTrack = TRUE;
    int m_check = 0;
    int m_buttonType = 15;
    wchar_t m_url[MAX_PATH] = L"";
    IconRecord m_icons[2];
};
