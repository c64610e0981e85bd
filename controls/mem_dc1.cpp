#include "controls/mem_dc1.h"

CMemDC1::CMemDC1(CDC* target) : m_target(target), m_isMemory(!target->IsPrinting()) {
    if (!m_isMemory) {
        m_bPrinting = target->m_bPrinting;
        Attach(target->m_hDC);
        return;
    }
    target->GetClipBox(&m_rect);
    CreateCompatibleDC(target);
    m_bitmap.CreateCompatibleBitmap(target->m_hDC, m_rect.right - m_rect.left, m_rect.bottom - m_rect.top);
    m_oldBitmap = SelectObject(m_bitmap);
    SetWindowOrg(m_rect.left, m_rect.top);
}

CMemDC1::~CMemDC1() {
    if (m_isMemory) {
        m_target->BitBlt(m_rect.left, m_rect.top, m_rect.right - m_rect.left, m_rect.bottom - m_rect.top, m_hDC,
                         m_rect.left, m_rect.top, SRCCOPY);
        if (m_oldBitmap) SelectObject(m_oldBitmap);
    } else {
        // Shared with the target: not ours to release.
        Detach();
    }
    DeleteDC();
    m_bitmap.DeleteObject();
}
