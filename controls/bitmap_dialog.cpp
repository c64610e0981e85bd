#include "controls/bitmap_dialog.h"

#include "controls/bmp_palette.h"

namespace {
const wchar_t kTrackbarClass[] = L"msctls_trackbar32";
}

CBitmapDialog::CBitmapDialog(UINT templateId, CWnd* parent) : CDialog(templateId, parent) {
    m_hollowBrush.CreateStockObject(NULL_BRUSH);
}

CBitmapDialog::~CBitmapDialog() = default;

void CBitmapDialog::SetBackground(UINT bitmapId, BackgroundMode mode) {
    m_backgroundMode = mode;
    m_background.LoadFromResource(bitmapId);
}

BOOL CBitmapDialog::OnEraseBkgnd(CDC* dc) {
    if (!m_background.IsLoaded()) return CDialog::OnEraseBkgnd(dc);
    RECT client{};
    GetClientRect(&client);
    const int clientWidth = client.right - client.left;
    const int clientHeight = client.bottom - client.top;
    const int pictureWidth = m_background.Width();
    const int pictureHeight = m_background.Height();

    switch (m_backgroundMode) {
    case BackgroundStretch:
        m_background.DrawStretched(dc, 0, 0, clientWidth, clientHeight);
        break;
    case BackgroundCenter:
        CDialog::OnEraseBkgnd(dc);
        // Truncating division: a picture larger than the page gets negative
        // offsets and shows its middle.
        m_background.DrawAt(dc, (clientWidth - pictureWidth) / 2, (clientHeight - pictureHeight) / 2);
        break;
    default:
        // A picture without extent cannot be stepped over: draw nothing.
        if (pictureWidth <= 0 || pictureHeight <= 0) break;
        for (int y = 0; y < clientHeight; y += pictureHeight) {
            for (int x = 0; x < clientWidth; x += pictureWidth) m_background.DrawAt(dc, x, y);
        }
        break;
    }
    return TRUE;
}

HBRUSH CBitmapDialog::OnCtlColor(CDC* dc, CWnd* control, UINT kind) {
    if (!m_background.IsLoaded()) return CDialog::OnCtlColor(dc, control, kind);
    if (kind == CTLCOLOR_BTN) {
        dc->SetBkMode(TRANSPARENT);
        return m_hollowBrush;
    }
    if (kind == CTLCOLOR_STATIC) {
        // A trackbar reports itself as a static control but paints its own
        // channel; a hollow brush would leave garbage behind its thumb.
        wchar_t className[255] = L"";
        ::GetClassNameW(control ? control->m_hWnd : nullptr, className, 255);
        if (wcscmp(className, kTrackbarClass) == 0) return CDialog::OnCtlColor(dc, control, kind);
        dc->SetBkMode(TRANSPARENT);
        return m_hollowBrush;
    }
    return CDialog::OnCtlColor(dc, control, kind);
}

LRESULT CBitmapDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_QUERYNEWPALETTE:
        return OnQueryNewPalette();
    case WM_PALETTECHANGED:
        return OnPaletteChanged(reinterpret_cast<HWND>(wParam));
    default:
        return CDialog::WindowProc(message, wParam, lParam);
    }
}

BOOL CBitmapDialog::RepaintForRealizedEntries(UINT changedEntries) {
    if (changedEntries == 0 || changedEntries == GDI_ERROR) return FALSE;
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
    return TRUE;
}

LRESULT CBitmapDialog::OnQueryNewPalette() {
    CBmpPalette* palette = m_background.Palette();
    if (!palette || !m_hWnd) return Default();
    CClientDC dc(m_hWnd);
    HPALETTE previous = dc.SelectPalette(palette->Handle(), FALSE);
    const UINT changed = dc.RealizePalette();
    dc.SelectPalette(previous, TRUE);
    return RepaintForRealizedEntries(changed);
}

LRESULT CBitmapDialog::OnPaletteChanged(HWND changedBy) {
    CBmpPalette* palette = m_background.Palette();
    if (!palette || !m_hWnd || changedBy == m_hWnd || ::IsChild(m_hWnd, changedBy)) return Default();
    CClientDC dc(m_hWnd);
    HPALETTE previous = dc.SelectPalette(palette->Handle(), TRUE);
    const UINT changed = dc.RealizePalette();
    dc.SelectPalette(previous, TRUE);
    RepaintForRealizedEntries(changed);
    return 0;
}
