// CShadeButtonST: a CButtonST whose background is drawn from per-state shade
// images (slot 0 while the mouse is away, slot 3 while it is over the
// button). No shade is generated in this program, so the face shows the
// parent's background only in transparent mode, which is how pages use it.
#pragma once
#include <windows.h>

#include "controls/button_st.h"
#include "controls/cex_dib.h"

class CShadeButtonST : public CButtonST {
public:
    CShadeButtonST();
    ~CShadeButtonST() override;

protected:
    DWORD OnDrawBackground(CDC* dc, RECT* rect) override;

    CCeXDib m_shades[6];
};
