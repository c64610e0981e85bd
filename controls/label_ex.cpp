#include "controls/label_ex.h"

#include "framework/handles.h"

CLabelEx::CLabelEx() = default;

CLabelEx::~CLabelEx() = default;

void CLabelEx::SetBorder(BOOL draw, COLORREF border, COLORREF fill) {
    m_drawBorder = draw;
    m_borderColor = border;
    m_fillColor = fill;
}

void CLabelEx::SetUnderline(BOOL underline, COLORREF colour) {
    m_underline = underline;
    m_underlineColor = colour;
}

void CLabelEx::PreSubclassWindow() {
    CStatic::PreSubclassWindow();
    // Mouse messages and click notifications need SS_NOTIFY, whatever the template says.
    ModifyStyle(0, SS_NOTIFY);
    HWND parent = GetParent();
    if (parent) SetFont(reinterpret_cast<HFONT>(::SendMessageW(parent, WM_GETFONT, 0, 0)), TRUE);
}

LRESULT CLabelEx::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: {
        CPaintDC dc(m_hWnd);
        Paint(dc);
        return 0;
    }
    case WM_PRINTCLIENT: {
        CDC dc;
        dc.Attach(reinterpret_cast<HDC>(wParam));
        Paint(dc);
        return 0;
    }
    case WM_SETCURSOR:
        if (m_linkCursor) {
            ::SetCursor(m_linkCursor);
            return TRUE;
        }
        // No default processing: the cursor stays as it was.
        return FALSE;
    default:
        return CStatic::WindowProc(message, wParam, lParam);
    }
}

void CLabelEx::Paint(CDC& dc) {
    dc.SetTextColor(m_textColor);
    dc.SetBkMode(TRANSPARENT);
    HFONT font = GetFont();
    ScopedSelect fontSelected(dc, font);

    RECT rect{};
    GetClientRect(&rect);
    CDC memory;
    memory.CreateCompatibleDC(&dc);
    memory.SetMapMode(dc.GetMapMode());

    if (m_drawBorder) {
        CPen pen(PS_SOLID, 1, m_borderColor);
        CBrush brush(m_fillColor);
        ScopedSelect penSelected(dc, pen);
        ScopedSelect brushSelected(dc, brush);
        dc.Rectangle(rect);
        ::InflateRect(&rect, -1, -1);
    }

    if (m_backgroundPicture) {
        ScopedSelect pictureSelected(memory, m_backgroundPicture);
        dc.BitBlt(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, memory, 0, 0, SRCCOPY);
    }

    int x = 4;
    const int height = rect.bottom - rect.top;
    BITMAP leading{};
    if (m_leadingPicture.GetBitmap(&leading) && leading.bmHeight > 0) {
        const int width = static_cast<int>(static_cast<double>(leading.bmWidth) / leading.bmHeight * height);
        ScopedSelect pictureSelected(memory, m_leadingPicture);
        dc.StretchBlt(rect.left, rect.top, width, height, memory, 0, 0, leading.bmWidth, leading.bmHeight, SRCCOPY);
        x = width + 4;
    }

    TEXTMETRICW metrics{};
    dc.GetTextMetrics(&metrics);
    const std::wstring text = GetWindowText();
    const int y = rect.top + (rect.bottom - metrics.tmHeight - rect.top) / 2;
    if (!text.empty()) dc.TextOut(x, y, text);

    if (m_underline) {
        CPen pen(PS_SOLID, 1, m_underlineColor);
        ScopedSelect penSelected(dc, pen);
        const int lineY = y + metrics.tmHeight + 1;
        dc.MoveTo(x - 2, lineY);
        dc.LineTo(x - 2 + static_cast<int>(text.size()) * metrics.tmAveCharWidth, lineY);
    }
}

void CLabelEx::LoadFallbackLinkCursor() {
    if (m_linkCursor) return;
    wchar_t folder[MAX_PATH] = L"";
    const UINT length = ::GetWindowsDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return;
    const std::wstring path = std::wstring(folder) + L"\\winhlp32.exe";
    // Loaded for its resources only: no code of it runs.
    unique_hmodule helpProgram(::LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    if (!helpProgram) return;
    HCURSOR hand = ::LoadCursorW(helpProgram.get(), MAKEINTRESOURCEW(106));
    if (!hand) return;
    m_ownedLinkCursor.reset(::CopyIcon(reinterpret_cast<HICON>(hand)));
    m_linkCursor = reinterpret_cast<HCURSOR>(m_ownedLinkCursor.get());
}
