// CMyProgressCtrl: the copy-files page's progress bar. Position and range
// live in the object; the painting is its own (two solid fields split at the
// position) through an off-screen buffer, so the bar does not flicker. The
// system progress control underneath only provides the window.
#pragma once
#include <windows.h>

#include "framework/gdi.h"
#include "framework/progress_ctrl.h"

class CMyProgressCtrl : public CProgressCtrl {
public:
    CMyProgressCtrl();
    ~CMyProgressCtrl() override;

    // Stores the bounds; no repaint.
    void SetRange(int lower, int upper);
    // Returns the previous position, or -1 without a window. Repaints at once
    // when the filled width changes by at least one pixel.
    int SetPos(int position);
    void SetBarColor(COLORREF colour) { m_barColor = colour; }
    void SetBackgroundColor(COLORREF colour) { m_backgroundColor = colour; }

    int GetPos() const { return m_pos; }
    int BarWidth() const { return m_barWidth; }
    // Draws the bar into `dc` over `client` (used for WM_PAINT and WM_PRINTCLIENT).
    void Paint(CDC& dc, const RECT& client);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    int m_pos = 0;
    int m_upper = 100;
    int m_lower = 0;
    int m_barWidth = -1;
    COLORREF m_barColor;
    COLORREF m_backgroundColor;
};
