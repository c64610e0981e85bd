#include "controls/soft_bitmap_button.h"

#include <commctrl.h>

CSoftBitmapButton::CSoftBitmapButton() = default;

CSoftBitmapButton::~CSoftBitmapButton() = default;

void CSoftBitmapButton::PreSubclassWindow() {
    CBitmapButton::PreSubclassWindow();
    ModifyStyle(0, BS_OWNERDRAW);
}

LRESULT CSoftBitmapButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_MOUSEMOVE:
        if (!m_hover) {
            RequestLeaveNotification();
            m_hover = TRUE;
            Invalidate(FALSE);
        }
        return Default();
    case WM_MOUSELEAVE:
        m_hover = FALSE;
        Invalidate(FALSE);
        return 0;
    default:
        return CBitmapButton::WindowProc(message, wParam, lParam);
    }
}

void CSoftBitmapButton::RequestLeaveNotification() {
    TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, m_hWnd, 0};
    ::_TrackMouseEvent(&track);
}

HBITMAP CSoftBitmapButton::ChoosePicture(UINT itemState, BOOL hover) const {
    if ((itemState & ODS_SELECTED) && m_bitmapSel) return m_bitmapSel.Handle();
    if ((itemState & ODS_DISABLED) && m_bitmapDisabled) return m_bitmapDisabled.Handle();
    if (hover && m_bitmapFocus) return m_bitmapFocus.Handle();
    return m_bitmap.Handle();
}

void CSoftBitmapButton::DrawItem(DRAWITEMSTRUCT* item) {
    DrawPictureIntoItem(*item, ChoosePicture(item->itemState, m_hover));
}
