#include "framework/bitmap_button.h"

BOOL CBitmapButton::LoadBitmaps(UINT normal, UINT selected, UINT focus, UINT disabled) {
    m_bitmap.DeleteObject();
    m_bitmapSel.DeleteObject();
    m_bitmapFocus.DeleteObject();
    m_bitmapDisabled.DeleteObject();
    if (!m_bitmap.LoadBitmap(normal)) return FALSE;
    if (selected) m_bitmapSel.LoadBitmap(selected);
    if (focus) m_bitmapFocus.LoadBitmap(focus);
    if (disabled) m_bitmapDisabled.LoadBitmap(disabled);
    return TRUE;
}

void DrawPictureIntoItem(const DRAWITEMSTRUCT& item, HBITMAP picture) {
    if (!picture) return;
    CDC memory;
    CDC target;
    target.Attach(item.hDC);
    if (!memory.CreateCompatibleDC(&target)) return;
    ScopedSelect selected(memory, picture);
    if (!selected) return;
    const RECT& rect = item.rcItem;
    target.BitBlt(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, memory, 0, 0, SRCCOPY);
}

void CBitmapButton::DrawItem(DRAWITEMSTRUCT* item) {
    HBITMAP picture = m_bitmap.Handle();
    if ((item->itemState & ODS_SELECTED) && m_bitmapSel) {
        picture = m_bitmapSel.Handle();
    } else if ((item->itemState & ODS_FOCUS) && m_bitmapFocus) {
        picture = m_bitmapFocus.Handle();
    } else if ((item->itemState & ODS_DISABLED) && m_bitmapDisabled) {
        picture = m_bitmapDisabled.Handle();
    }
    DrawPictureIntoItem(*item, picture);
}
