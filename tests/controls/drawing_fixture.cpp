#include "tests/controls/drawing_fixture.h"

#include <commctrl.h>
#include <vector>

#include "framework/handles.h"

void PumpMessages(int milliseconds) {
    const DWORD end = ::GetTickCount() + static_cast<DWORD>(milliseconds);
    do {
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
        ::Sleep(5);
    } while (static_cast<LONG>(end - ::GetTickCount()) > 0);
}

MemoryCanvas::MemoryCanvas(int width, int height, COLORREF fill) : m_width(width), m_height(height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    m_dc = ::CreateCompatibleDC(nullptr);
    m_bitmap = ::CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    m_bits = static_cast<uint32_t*>(bits);
    m_previous = ::SelectObject(m_dc, m_bitmap);
    Fill(fill);
}

MemoryCanvas::~MemoryCanvas() {
    ::SelectObject(m_dc, m_previous);
    ::DeleteObject(m_bitmap);
    ::DeleteDC(m_dc);
}

void MemoryCanvas::Fill(COLORREF colour) {
    ::GdiFlush();
    const uint32_t value = (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
    for (int i = 0; i < m_width * m_height; ++i) m_bits[i] = value;
}

COLORREF MemoryCanvas::Pixel(int x, int y) const {
    ::GdiFlush();
    const uint32_t value = m_bits[y * m_width + x];
    return RGB((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF);
}

COLORREF WindowPixel(HWND window, int x, int y) {
    HDC dc = ::GetDC(window);
    const COLORREF colour = ::GetPixel(dc, x, y);
    ::ReleaseDC(window, dc);
    return colour;
}

void CaptureClient(HWND window, MemoryCanvas& canvas) {
    HDC dc = ::GetDC(window);
    ::BitBlt(canvas.Dc(), 0, 0, canvas.Width(), canvas.Height(), dc, 0, 0, SRCCOPY);
    ::ReleaseDC(window, dc);
}

HBITMAP MakePatternBitmap(int width, int height, int bitsPerPixel, COLORREF (*pattern)(int x, int y)) {
    // Draw the pattern at 32 bits, then let GDI convert it to the depth
    // asked for, with a colour table of the colours that occur.
    std::vector<RGBQUAD> table;
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const COLORREF c = pattern(x, y);
            pixels[static_cast<size_t>(y) * width + x] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
            if (bitsPerPixel <= 8) {
                bool known = false;
                for (const RGBQUAD& q : table)
                    known = known || (q.rgbRed == GetRValue(c) && q.rgbGreen == GetGValue(c) && q.rgbBlue == GetBValue(c));
                if (!known && table.size() < (1u << bitsPerPixel))
                    table.push_back(RGBQUAD{GetBValue(c), GetGValue(c), GetRValue(c), 0});
            }
        }
    }
    std::vector<BYTE> block(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD));
    auto* info = reinterpret_cast<BITMAPINFO*>(block.data());
    info->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info->bmiHeader.biWidth = width;
    info->bmiHeader.biHeight = -height;
    info->bmiHeader.biPlanes = 1;
    info->bmiHeader.biBitCount = static_cast<WORD>(bitsPerPixel);
    info->bmiHeader.biCompression = BI_RGB;
    if (bitsPerPixel <= 8) {
        info->bmiHeader.biClrUsed = static_cast<DWORD>(table.size());
        for (size_t i = 0; i < table.size(); ++i) info->bmiColors[i] = table[i];
    }
    void* bits = nullptr;
    HBITMAP section = ::CreateDIBSection(nullptr, info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!section) return nullptr;
    MemoryCanvas source(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) ::SetPixelV(source.Dc(), x, y, pattern(x, y));
    unique_hdc_mem target(::CreateCompatibleDC(nullptr));
    HGDIOBJ previous = ::SelectObject(target.get(), section);
    ::BitBlt(target.get(), 0, 0, width, height, source.Dc(), 0, 0, SRCCOPY);
    ::SelectObject(target.get(), previous);
    return section;
}

namespace {
COLORREF g_solid = 0;
COLORREF SolidPattern(int, int) { return g_solid; }
}  // namespace

HBITMAP MakeSolidBitmap(int width, int height, COLORREF colour) {
    g_solid = colour;
    return MakePatternBitmap(width, height, 32, &SolidPattern);
}

HICON MakePatternIcon(int size, COLORREF (*pattern)(int x, int y)) {
    HDC screen = ::GetDC(nullptr);
    HBITMAP colour = ::CreateCompatibleBitmap(screen, size, size);
    ::ReleaseDC(nullptr, screen);
    HBITMAP mask = ::CreateBitmap(size, size, 1, 1, nullptr);
    unique_hdc_mem dc(::CreateCompatibleDC(nullptr));
    HGDIOBJ previous = ::SelectObject(dc.get(), colour);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const COLORREF c = pattern(x, y);
            ::SetPixelV(dc.get(), x, y, c == CLR_INVALID ? RGB(0, 0, 0) : c);
        }
    ::SelectObject(dc.get(), mask);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            ::SetPixelV(dc.get(), x, y, pattern(x, y) == CLR_INVALID ? RGB(255, 255, 255) : RGB(0, 0, 0));
    ::SelectObject(dc.get(), previous);
    ICONINFO info{TRUE, static_cast<DWORD>(size / 2), static_cast<DWORD>(size / 2), mask, colour};
    HICON icon = ::CreateIconIndirect(&info);
    ::DeleteObject(mask);
    ::DeleteObject(colour);
    return icon;
}

HICON MakeSolidIcon(int size, COLORREF colour) {
    g_solid = colour;
    return MakePatternIcon(size, &SolidPattern);
}

InkOrigin ReferenceInk(HFONT font, const std::wstring& text) {
    MemoryCanvas canvas(400, 100, RGB(255, 255, 255));
    HGDIOBJ previous = ::SelectObject(canvas.Dc(), font);
    ::SetBkMode(canvas.Dc(), TRANSPARENT);
    ::SetTextColor(canvas.Dc(), RGB(0, 0, 0));
    ::TextOutW(canvas.Dc(), 0, 0, text.c_str(), static_cast<int>(text.size()));
    ::SelectObject(canvas.Dc(), previous);
    const RECT all{0, 0, 400, 100};
    return InkOrigin{FirstInkColumn(canvas, all, RGB(255, 255, 255)), FirstInkRow(canvas, all, RGB(255, 255, 255))};
}

int FirstInkColumn(const MemoryCanvas& canvas, const RECT& area, COLORREF background) {
    for (int x = area.left; x < area.right; ++x)
        for (int y = area.top; y < area.bottom; ++y)
            if (canvas.Pixel(x, y) != background) return x;
    return -1;
}

int FirstInkRow(const MemoryCanvas& canvas, const RECT& area, COLORREF background) {
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (canvas.Pixel(x, y) != background) return y;
    return -1;
}

bool AreaIs(const MemoryCanvas& canvas, const RECT& area, COLORREF colour) {
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (canvas.Pixel(x, y) != colour) return false;
    return true;
}

TestHost::TestHost(int x, int y, int width, int height, COLORREF background)
    : m_background(background), m_font(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT))) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    CreateEx(WS_EX_TOPMOST, DefaultClassName(), L"test host", WS_POPUP | WS_VISIBLE,
             RECT{x, y, x + width, y + height}, nullptr, 0);
    ::SetForegroundWindow(m_hWnd);
    PumpMessages(30);
}

TestHost::~TestHost() { DestroyWindow(); }

LRESULT TestHost::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND: {
        RECT client{};
        GetClientRect(&client);
        HBRUSH brush = ::CreateSolidBrush(m_background);
        ::FillRect(reinterpret_cast<HDC>(wParam), &client, brush);
        ::DeleteObject(brush);
        return TRUE;
    }
    case WM_PAINT:
        ++m_paintCount;
        return CWnd::WindowProc(message, wParam, lParam);
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(m_font);
    default:
        return CWnd::WindowProc(message, wParam, lParam);
    }
}

BOOL TestHost::OnCommand(UINT id, UINT code) {
    m_commands.push_back(Command{id, code});
    return TRUE;
}

int TestHost::CountCommands(UINT id, UINT code) const {
    int count = 0;
    for (const Command& c : m_commands) count += c.id == id && c.code == code;
    return count;
}

void MoveMouseTo(int screenX, int screenY) {
    const int width = ::GetSystemMetrics(SM_CXSCREEN);
    const int height = ::GetSystemMetrics(SM_CYSCREEN);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = static_cast<LONG>((screenX * 65535LL + width / 2) / (width - 1));
    input.mi.dy = static_cast<LONG>((screenY * 65535LL + height / 2) / (height - 1));
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &input, sizeof(input));
    PumpMessages(60);
}

bool PumpUntil(const std::function<bool()>& condition, int milliseconds) {
    const DWORD end = ::GetTickCount() + static_cast<DWORD>(milliseconds);
    while (!condition()) {
        if (static_cast<LONG>(end - ::GetTickCount()) <= 0) return false;
        PumpMessages(10);
    }
    return true;
}
