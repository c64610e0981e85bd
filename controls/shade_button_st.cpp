#include "controls/shade_button_st.h"

CShadeButtonST::CShadeButtonST() = default;

CShadeButtonST::~CShadeButtonST() {
    for (int slot = 5; slot >= 0; --slot) m_shades[slot].Free();
}

DWORD CShadeButtonST::OnDrawBackground(CDC* dc, RECT*) {
    if (!m_mouseOnButton) m_shades[0].Draw(dc->m_hDC, 0, 0);
    else if (m_isPressed) m_shades[3].Draw(dc->m_hDC, 1, 1);
    else m_shades[3].Draw(dc->m_hDC, 0, 0);
    return 0;
}
