#include "framework/gdi.h"

#include "framework/win_app.h"

CGdiObject::~CGdiObject() { DeleteObject(); }

BOOL CGdiObject::Attach(HGDIOBJ handle) {
    DeleteObject();
    m_handle = handle;
    return handle != nullptr;
}

HGDIOBJ CGdiObject::Detach() {
    HGDIOBJ handle = m_handle;
    m_handle = nullptr;
    return handle;
}

BOOL CGdiObject::DeleteObject() {
    if (!m_handle) return FALSE;
    ::DeleteObject(m_handle);
    m_handle = nullptr;
    return TRUE;
}

BOOL CBitmap::LoadBitmap(UINT id) {
    HANDLE image = ::LoadImageW(ResourceModule(), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
    return Attach(image);
}

BOOL CBitmap::CreateCompatibleBitmap(HDC dc, int width, int height) {
    return Attach(::CreateCompatibleBitmap(dc, width, height));
}

BOOL CBitmap::GetBitmap(BITMAP* info) const {
    if (!m_handle) return FALSE;
    return ::GetObjectW(m_handle, sizeof(BITMAP), info) != 0;
}

BOOL CPalette::CreatePalette(const LOGPALETTE* palette) { return Attach(::CreatePalette(palette)); }

BOOL CBrush::CreateSolidBrush(COLORREF colour) { return Attach(::CreateSolidBrush(colour)); }

BOOL CBrush::CreateStockObject(int stockId) { return Attach(::GetStockObject(stockId)); }

BOOL CPen::CreatePen(int style, int width, COLORREF colour) { return Attach(::CreatePen(style, width, colour)); }

BOOL CFont::CreateFontIndirect(const LOGFONTW* font) { return Attach(::CreateFontIndirectW(font)); }

CDC::~CDC() { DeleteDC(); }

BOOL CDC::Attach(HDC dc) {
    DeleteDC();
    m_hDC = dc;
    m_owned = false;
    return dc != nullptr;
}

HDC CDC::Detach() {
    HDC dc = m_hDC;
    m_hDC = nullptr;
    m_owned = false;
    return dc;
}

BOOL CDC::CreateCompatibleDC(CDC* other) {
    DeleteDC();
    m_hDC = ::CreateCompatibleDC(other ? other->m_hDC : nullptr);
    m_owned = m_hDC != nullptr;
    return m_hDC != nullptr;
}

BOOL CDC::DeleteDC() {
    if (!m_hDC) return FALSE;
    if (m_owned) ::DeleteDC(m_hDC);
    m_hDC = nullptr;
    m_owned = false;
    return TRUE;
}

HGDIOBJ CDC::SelectObject(HGDIOBJ object) { return m_hDC && object ? ::SelectObject(m_hDC, object) : nullptr; }
HGDIOBJ CDC::SelectStockObject(int stockId) { return SelectObject(::GetStockObject(stockId)); }
HPALETTE CDC::SelectPalette(HPALETTE palette, BOOL forceBackground) {
    return ::SelectPalette(m_hDC, palette, forceBackground);
}
UINT CDC::RealizePalette() { return ::RealizePalette(m_hDC); }
int CDC::SetBkMode(int mode) { return ::SetBkMode(m_hDC, mode); }
COLORREF CDC::SetBkColor(COLORREF colour) { return ::SetBkColor(m_hDC, colour); }
COLORREF CDC::SetTextColor(COLORREF colour) { return ::SetTextColor(m_hDC, colour); }
int CDC::SetStretchBltMode(int mode) { return ::SetStretchBltMode(m_hDC, mode); }
int CDC::GetMapMode() const { return ::GetMapMode(m_hDC); }
int CDC::SetMapMode(int mode) { return ::SetMapMode(m_hDC, mode); }

POINT CDC::SetWindowOrg(int x, int y) {
    POINT previous{};
    ::SetWindowOrgEx(m_hDC, x, y, &previous);
    return previous;
}

int CDC::GetClipBox(RECT* rect) const { return ::GetClipBox(m_hDC, rect); }
BOOL CDC::GetTextMetrics(TEXTMETRICW* metrics) const { return ::GetTextMetricsW(m_hDC, metrics); }

void CDC::FillSolidRect(const RECT& rect, COLORREF colour) {
    // ExtTextOut with an opaque rectangle fills without creating a brush.
    COLORREF previous = ::SetBkColor(m_hDC, colour);
    ::ExtTextOutW(m_hDC, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
    ::SetBkColor(m_hDC, previous);
}

int CDC::FillRect(const RECT& rect, HBRUSH brush) { return ::FillRect(m_hDC, &rect, brush); }
int CDC::FrameRect(const RECT& rect, HBRUSH brush) { return ::FrameRect(m_hDC, &rect, brush); }

void CDC::Draw3dRect(const RECT& rect, COLORREF topLeft, COLORREF bottomRight) {
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    FillSolidRect(RECT{rect.left, rect.top, rect.left + width - 1, rect.top + 1}, topLeft);
    FillSolidRect(RECT{rect.left, rect.top, rect.left + 1, rect.top + height - 1}, topLeft);
    FillSolidRect(RECT{rect.right - 1, rect.top, rect.right, rect.bottom}, bottomRight);
    FillSolidRect(RECT{rect.left, rect.bottom - 1, rect.right, rect.bottom}, bottomRight);
}

BOOL CDC::Rectangle(const RECT& rect) { return ::Rectangle(m_hDC, rect.left, rect.top, rect.right, rect.bottom); }

POINT CDC::MoveTo(int x, int y) {
    POINT previous{};
    ::MoveToEx(m_hDC, x, y, &previous);
    return previous;
}

BOOL CDC::LineTo(int x, int y) { return ::LineTo(m_hDC, x, y); }
BOOL CDC::DrawFocusRect(const RECT& rect) { return ::DrawFocusRect(m_hDC, &rect); }

BOOL CDC::BitBlt(int x, int y, int width, int height, HDC source, int sourceX, int sourceY, DWORD rop) {
    return ::BitBlt(m_hDC, x, y, width, height, source, sourceX, sourceY, rop);
}

BOOL CDC::StretchBlt(int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
                     int sourceWidth, int sourceHeight, DWORD rop) {
    return ::StretchBlt(m_hDC, x, y, width, height, source, sourceX, sourceY, sourceWidth, sourceHeight, rop);
}

BOOL CDC::TextOut(int x, int y, std::wstring_view text) {
    return ::TextOutW(m_hDC, x, y, text.data(), static_cast<int>(text.size()));
}

int CDC::DrawText(std::wstring_view text, RECT* rect, UINT format) {
    return ::DrawTextW(m_hDC, text.data(), static_cast<int>(text.size()), rect, format);
}

CPaintDC::CPaintDC(HWND window) : m_window(window) {
    m_hDC = ::BeginPaint(window, &m_ps);
}

CPaintDC::~CPaintDC() {
    ::EndPaint(m_window, &m_ps);
    m_hDC = nullptr;
}

CClientDC::CClientDC(HWND window) : m_window(window) { m_hDC = ::GetDC(window); }

CClientDC::~CClientDC() {
    if (m_hDC) ::ReleaseDC(m_window, m_hDC);
    m_hDC = nullptr;
}

CWindowDC::CWindowDC(HWND window) : m_window(window) { m_hDC = ::GetWindowDC(window); }

CWindowDC::~CWindowDC() {
    if (m_hDC) ::ReleaseDC(m_window, m_hDC);
    m_hDC = nullptr;
}
