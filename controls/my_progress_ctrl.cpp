#include "controls/my_progress_ctrl.h"

#include "controls/mem_dc1.h"

CMyProgressCtrl::CMyProgressCtrl()
    : m_barColor(::GetSysColor(COLOR_HIGHLIGHT)), m_backgroundColor(::GetSysColor(COLOR_WINDOW)) {}

CMyProgressCtrl::~CMyProgressCtrl() = default;

void CMyProgressCtrl::SetRange(int lower, int upper) {
    m_lower = lower;
    m_upper = upper;
}

int CMyProgressCtrl::SetPos(int position) {
    if (!m_hWnd) return -1;
    const int previous = m_pos;
    m_pos = position;
    RECT client{};
    GetClientRect(&client);
    const int clientWidth = client.right - client.left;
    // An empty range has no width to fill (and must not divide by zero).
    int width = 0;
    if (m_upper != m_lower) {
        width = static_cast<int>(static_cast<double>(m_pos - m_lower) / (m_upper - m_lower) * clientWidth);
    }
    if (width != m_barWidth) {
        m_barWidth = width;
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }
    return previous;
}

LRESULT CMyProgressCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        return TRUE;
    case WM_PAINT: {
        // Also with an empty range the paint is acknowledged (BeginPaint
        // validates), or the window would be asked to paint forever.
        CPaintDC dc(m_hWnd);
        RECT client{};
        GetClientRect(&client);
        Paint(dc, client);
        return 0;
    }
    case WM_PRINTCLIENT: {
        CDC dc;
        dc.Attach(reinterpret_cast<HDC>(wParam));
        RECT client{};
        GetClientRect(&client);
        Paint(dc, client);
        return 0;
    }
    default:
        return CProgressCtrl::WindowProc(message, wParam, lParam);
    }
}

void CMyProgressCtrl::Paint(CDC& dc, const RECT& client) {
    if (m_lower >= m_upper) return;
    const double fraction = static_cast<double>(m_pos - m_lower) / (m_upper - m_lower);
    CMemDC1 memory(&dc);
    RECT filled = client;
    if (m_pos != m_upper) {
        filled.right = client.left + static_cast<int>((client.right - client.left) * fraction);
        // Outside the range the split stays inside the control: GDI would
        // otherwise normalise an inverted rectangle and paint the wrong field.
        if (filled.right < client.left) filled.right = client.left;
        if (filled.right > client.right) filled.right = client.right;
    }
    memory.FillSolidRect(filled, m_barColor);
    RECT rest = client;
    rest.left = filled.right;
    memory.FillSolidRect(rest, m_backgroundColor);
}
