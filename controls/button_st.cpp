#include "controls/button_st.h"

#include <commctrl.h>
#include <shellapi.h>
#include <windowsx.h>

#include "framework/handles.h"

CButtonST::CButtonST() {
    m_colors[BackIn] = ::GetSysColor(COLOR_BTNFACE);
    m_colors[ForeIn] = ::GetSysColor(COLOR_BTNTEXT);
    m_colors[BackOut] = ::GetSysColor(COLOR_BTNFACE);
    m_colors[ForeOut] = ::GetSysColor(COLOR_BTNTEXT);
    m_colors[BackFocus] = ::GetSysColor(COLOR_BTNFACE);
    m_colors[ForeFocus] = ::GetSysColor(COLOR_BTNTEXT);
}

CButtonST::~CButtonST() {
    if (m_backgroundDC.m_hDC && m_oldBackgroundBitmap) m_backgroundDC.SelectObject(m_oldBackgroundBitmap);
    m_oldBackgroundBitmap = nullptr;
    FreeImages();
    if (m_cursor) ::DestroyCursor(m_cursor);
    m_cursor = nullptr;
}

void CButtonST::PreSubclassWindow() {
    const DWORD style = GetStyle();
    m_buttonType = static_cast<int>(style & BS_TYPEMASK);
    // Only real check-box types toggle: an owner-drawn template (0xB) also has
    // the check-box bit set and must stay a push button.
    if (m_buttonType == BS_CHECKBOX || m_buttonType == BS_AUTOCHECKBOX) m_isCheckBox = TRUE;
    if (m_buttonType == BS_DEFPUSHBUTTON) {
        m_isDefault = TRUE;
        m_buttonType = BS_PUSHBUTTON;
    }
    ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW, SWP_FRAMECHANGED);
    CButton::PreSubclassWindow();
}

BOOL CButtonST::PreTranslateMessage(MSG* message) {
    if (!m_toolTip.m_hWnd) {
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
        ::InitCommonControlsEx(&controls);
        if (m_toolTip.CreateEx(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, RECT{}, m_hWnd, 0)) {
            // No tool is ever added: the tip stays inactive and only relays.
            m_toolTip.SendMessage(TTM_ACTIVATE, FALSE);
            m_toolTip.SendMessage(TTM_SETMAXTIPWIDTH, 0, 400);
        }
    }
    if (m_toolTip.m_hWnd) m_toolTip.SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(message));
    return CButton::PreTranslateMessage(message);
}

LRESULT CButtonST::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    // A double click acts as a second click.
    if (message == WM_LBUTTONDBLCLK) message = WM_LBUTTONDOWN;
    return CButton::DefWindowProc(message, wParam, lParam);
}

LRESULT CButtonST::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SETCURSOR:
        if (m_cursor) {
            ::SetCursor(m_cursor);
            return TRUE;
        }
        return Default();
    case WM_KILLFOCUS: {
        const LRESULT result = Default();
        CancelHover();
        return result;
    }
    case WM_MOUSEMOVE:
        OnMouseMove(static_cast<UINT>(wParam), POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
    case WM_SYSCOLORCHANGE: {
        const LRESULT result = Default();
        DiscardBackgroundSnapshot();
        return result;
    }
    case WM_ACTIVATE: {
        const LRESULT result = Default();
        if (LOWORD(wParam) == WA_INACTIVE) CancelHover();
        return result;
    }
    case WM_ENABLE: {
        const LRESULT result = Default();
        if (!wParam) OnDisabled();
        return result;
    }
    case WM_CANCELMODE: {
        const LRESULT result = Default();
        CancelHover();
        return result;
    }
    case WM_GETDLGCODE:
        return Default() | (m_isDefault ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
    case BM_SETSTYLE: {
        const UINT type = static_cast<UINT>(wParam & BS_TYPEMASK);
        if (type == BS_DEFPUSHBUTTON) m_isDefault = TRUE;
        else if (type == BS_PUSHBUTTON) m_isDefault = FALSE;
        // The dialog manager toggles default push buttons with this message;
        // the window must stay owner-drawn whatever it asks for.
        return DefWindowProc(BM_SETSTYLE, (wParam & ~static_cast<WPARAM>(4)) | BS_OWNERDRAW, lParam);
    }
    case WM_MOUSELEAVE:
        CancelHover();
        return 0;
    case BM_SETCHECK:
        if (m_isCheckBox) {
            m_check = (wParam == BST_CHECKED || wParam == BST_INDETERMINATE) ? 1 : 0;
            Invalidate();
        }
        return 0;
    case BM_GETCHECK:
        return m_check;
    default:
        return CButton::WindowProc(message, wParam, lParam);
    }
}

void CButtonST::OnMouseMove(UINT flags, POINT point) {
    Default();
    POINT screen = point;
    ClientToScreen(&screen);
    HWND under = ::WindowFromPoint(screen);
    if ((flags & MK_LBUTTON) && !m_mouseOnButton) return;
    if (!m_isFlat) return;
    HWND reference = m_alwaysTrack ? m_hWnd : ::GetActiveWindow();
    if (under == m_hWnd && reference) {
        if (!m_mouseOnButton) {
            m_mouseOnButton = TRUE;
            Invalidate();
            RequestLeaveNotification();
        }
    } else {
        CancelHover();
    }
}

void CButtonST::RequestLeaveNotification() {
    TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, m_hWnd, 0};
    ::_TrackMouseEvent(&track);
}

void CButtonST::CancelHover() {
    if (m_isFlat && m_mouseOnButton) {
        m_mouseOnButton = FALSE;
        Invalidate();
    }
}

void CButtonST::OnDisabled() {
    HWND parent = GetParent();
    HWND next = parent ? ::GetNextDlgTabItem(parent, m_hWnd, FALSE) : nullptr;
    if (next && next != m_hWnd) ::SetFocus(next);
    else if (parent) ::SetFocus(parent);
    CancelHover();
}

BOOL CButtonST::OnClicked() {
    SetFocus();
    if (m_isCheckBox) {
        m_check = m_check ? 0 : 1;
        Invalidate();
    } else if (m_url[0]) {
        SHELLEXECUTEINFOW execute{};
        execute.cbSize = sizeof(execute);
        execute.fMask = SEE_MASK_FLAG_NO_UI;
        execute.lpVerb = L"open";
        execute.lpFile = m_url;
        execute.nShow = SW_SHOWMAXIMIZED;
        ::ShellExecuteExW(&execute);
    }
    return FALSE;
}

HBRUSH CButtonST::CtlColor(CDC*, UINT) { return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH)); }

void CButtonST::SetColor(ColorSlot slot, COLORREF colour, BOOL repaint) {
    if (slot < 0 || slot >= ColorSlotCount) return;
    m_colors[slot] = colour;
    if (repaint && m_hWnd) Invalidate();
}

void CButtonST::SetFlat(BOOL flat, BOOL repaint) {
    m_isFlat = flat;
    if (repaint && m_hWnd) Invalidate();
}

void CButtonST::SetAlign(ImageAlign align, BOOL repaint) {
    m_imageAlign = align;
    if (repaint && m_hWnd) Invalidate();
}

void CButtonST::SetBtnCursor(HCURSOR cursor) {
    if (m_cursor) ::DestroyCursor(m_cursor);
    m_cursor = cursor;
}

void CButtonST::SetURL(const std::wstring& url) {
    lstrcpynW(m_url, url.c_str(), MAX_PATH);
}

void CButtonST::DiscardBackgroundSnapshot() {
    if (m_backgroundDC.m_hDC && m_oldBackgroundBitmap) m_backgroundDC.SelectObject(m_oldBackgroundBitmap);
    m_oldBackgroundBitmap = nullptr;
    m_backgroundBitmap.DeleteObject();
    m_backgroundDC.DeleteDC();
}

void CButtonST::SetTransparent() {
    m_transparent = TRUE;
    m_blendBackground = FALSE;
    DiscardBackgroundSnapshot();
    if (m_hWnd) Invalidate(FALSE);
}

void CButtonST::FreeImages() {
    for (IconRecord& record : m_icons) {
        if (record.icon) ::DestroyIcon(record.icon);
        record = IconRecord{};
    }
}

namespace {
// Icons carry their hot spot in the centre, so twice the hot spot is the size.
bool ReadIconSize(HICON icon, int* width, int* height) {
    ICONINFO info{};
    if (!::GetIconInfo(icon, &info)) return false;
    unique_hbitmap mask(info.hbmMask);
    unique_hbitmap colour(info.hbmColor);
    *width = static_cast<int>(info.xHotspot * 2);
    *height = static_cast<int>(info.yHotspot * 2);
    return true;
}
}  // namespace

DWORD CButtonST::SetIcons(HICON iconIn, HICON iconOut) {
    FreeImages();
    if (iconIn) {
        m_icons[0].icon = iconIn;
        if (!ReadIconSize(iconIn, &m_icons[0].width, &m_icons[0].height)) {
            FreeImages();
            if (iconOut && iconOut != IconAutoGray) ::DestroyIcon(iconOut);
            return 1;
        }
        if (iconOut == IconAutoGray) iconOut = CreateGrayscaleIcon(iconIn);
        if (iconOut) {
            m_icons[1].icon = iconOut;
            if (!ReadIconSize(iconOut, &m_icons[1].width, &m_icons[1].height)) {
                FreeImages();
                return 1;
            }
        }
    } else if (iconOut && iconOut != IconAutoGray) {
        // Without a first icon the second is not used; it is ours to free.
        ::DestroyIcon(iconOut);
    }
    if (m_hWnd) Invalidate();
    return 0;
}

BYTE CButtonST::GrayLevel(COLORREF colour) {
    // Integer weights in thousandths give the exact truncation; in floating
    // point white would come out as 254.
    const unsigned level = (299u * GetRValue(colour) + 587u * GetGValue(colour) + 114u * GetBValue(colour)) / 1000u;
    return static_cast<BYTE>(level);
}

HICON CButtonST::CreateGrayscaleIcon(HICON icon) {
    ICONINFO info{};
    if (!icon || !::GetIconInfo(icon, &info)) return nullptr;
    unique_hbitmap mask(info.hbmMask);
    unique_hbitmap colour(info.hbmColor);
    if (!colour) return nullptr;
    BITMAP description{};
    if (!::GetObjectW(colour.get(), sizeof(description), &description)) return nullptr;

    const int width = static_cast<int>(info.xHotspot * 2);
    const int height = static_cast<int>(info.yHotspot * 2);
    CClientDC screen(nullptr);
    unique_hdc_mem source(::CreateCompatibleDC(screen.m_hDC));
    unique_hdc_mem target(::CreateCompatibleDC(screen.m_hDC));
    unique_hbitmap gray(::CreateBitmap(width, height, description.bmPlanes, description.bmBitsPixel, nullptr));
    if (!source || !target || !gray) return nullptr;
    {
        ScopedSelect sourceSelected(source.get(), colour.get());
        ScopedSelect targetSelected(target.get(), gray.get());
        if (!sourceSelected || !targetSelected) return nullptr;
        ::BitBlt(target.get(), 0, 0, width, height, source.get(), 0, 0, SRCCOPY);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const COLORREF pixel = ::GetPixel(target.get(), x, y);
                if (pixel == 0 || pixel == CLR_INVALID) continue;   // black stays black
                const BYTE level = GrayLevel(pixel);
                ::SetPixel(target.get(), x, y, RGB(level, level, level));
            }
        }
    }
    ICONINFO grayInfo{TRUE, info.xHotspot, info.yHotspot, mask.get(), gray.get()};
    return ::CreateIconIndirect(&grayInfo);
}

DWORD CButtonST::OnDrawBackground(CDC* dc, RECT* rect) {
    COLORREF colour = m_colors[BackOut];
    if (m_mouseOnButton || m_isPressed) colour = m_colors[BackIn];
    else if (m_isFocused) colour = m_colors[BackFocus];
    dc->FillSolidRect(*rect, colour);
    return 0;
}

DWORD CButtonST::OnDrawBorder(CDC* dc, RECT* rect) {
    const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    const COLORREF highlight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    if (m_isPressed) dc->Draw3dRect(*rect, shadow, highlight);
    else dc->Draw3dRect(*rect, highlight, shadow);
    return 0;
}

void CButtonST::PaintParentBackground(CDC* dc) {
    HWND parent = GetParent();
    CClientDC parentDC(parent);
    RECT client{};
    GetClientRect(&client);
    RECT window{};
    GetWindowRect(&window);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&window), 2);
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;

    if (!m_backgroundDC.m_hDC) {
        m_backgroundDC.CreateCompatibleDC(&parentDC);
        m_backgroundBitmap.CreateCompatibleBitmap(parentDC, width, height);
        m_oldBackgroundBitmap = m_backgroundDC.SelectObject(m_backgroundBitmap);
        if (m_blendBackground) {
            BLENDFUNCTION blend{AC_SRC_OVER, 0, 200, 0};
            ::AlphaBlend(m_backgroundDC, 0, 0, width, height, parentDC, window.left, window.top, width, height, blend);
        } else {
            m_backgroundDC.BitBlt(0, 0, width, height, parentDC, window.left, window.top, SRCCOPY);
        }
    }
    dc->BitBlt(0, 0, width, height, m_backgroundDC, 0, 0, SRCCOPY);
}

void CButtonST::DrawTheIcon(CDC* dc, bool hasTitle, const RECT& item, RECT* caption, bool pressed, bool disabled) {
    const int index = (m_icons[1].icon && !pressed && (m_isCheckBox || !m_mouseOnButton)) ? 1 : 0;
    const IconRecord& record = m_icons[index];
    const int itemWidth = item.right - item.left;
    const int itemHeight = item.bottom - item.top;
    RECT image = item;

    switch (m_imageAlign) {
    case AlignVertical:
        image.left += (itemWidth - record.width) / 2;
        if (hasTitle) {
            image.top = item.top + 3;
            caption->top += record.height;
        } else {
            image.top += (itemHeight - record.height) / 2;
        }
        break;
    case AlignHorizontalRight:
        if (hasTitle) {
            caption->left = item.left + 3;
            caption->right -= record.width + 3;
            image.left = item.right - record.width - 3;
            image.top += (itemHeight - record.height) / 2;
        } else {
            image.left += (itemWidth - record.width) / 2;
        }
        break;
    default:
        if (hasTitle) {
            image.left += 3;
            caption->left += record.width + 3;
        } else {
            image.left += (itemWidth - record.width) / 2;
        }
        image.top += (itemHeight - record.height) / 2;
        break;
    }
    if (pressed && !m_isCheckBox) ::OffsetRect(&image, 1, 1);
    ::DrawStateW(dc->m_hDC, nullptr, nullptr, reinterpret_cast<LPARAM>(record.icon), 0, image.left, image.top,
                 record.width, record.height, DST_ICON | (disabled ? DSS_DISABLED : DSS_NORMAL));
}

void CButtonST::DrawItem(DRAWITEMSTRUCT* item) {
    CDC dc;
    dc.Attach(item->hDC);
    m_isPressed = m_isCheckBox ? ((item->itemState & ODS_SELECTED) || m_check) : (item->itemState & ODS_SELECTED) != 0;
    m_isFocused = (item->itemState & ODS_FOCUS) != 0;
    m_isDisabled = (item->itemState & ODS_DISABLED) != 0;
    RECT rect = item->rcItem;
    dc.SetBkMode(TRANSPARENT);

    if (!m_isFlat && (m_isFocused || m_isDefault)) {
        dc.FrameRect(rect, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
        ::InflateRect(&rect, -1, -1);
    }

    if (m_transparent) PaintParentBackground(&dc);
    else OnDrawBackground(&dc, &rect);

    if (m_isPressed) {
        if (m_isFlat) {
            if (m_drawBorder) OnDrawBorder(&dc, &rect);
        } else {
            CBrush shadow(::GetSysColor(COLOR_BTNSHADOW));
            dc.FrameRect(rect, shadow);
        }
    } else if (m_isFlat) {
        if (m_mouseOnButton && m_drawBorder) OnDrawBorder(&dc, &rect);
    } else {
        CPen highlight(PS_SOLID, 1, ::GetSysColor(COLOR_BTNHIGHLIGHT));
        CPen light(PS_SOLID, 1, ::GetSysColor(COLOR_3DLIGHT));
        CPen darkShadow(PS_SOLID, 1, ::GetSysColor(COLOR_3DDKSHADOW));
        CPen shadow(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW));
        HGDIOBJ previous = dc.SelectObject(highlight);
        dc.MoveTo(rect.left, rect.bottom - 1);
        dc.LineTo(rect.left, rect.top);
        dc.LineTo(rect.right, rect.top);
        dc.SelectObject(light);
        dc.MoveTo(rect.left + 1, rect.bottom - 1);
        dc.LineTo(rect.left + 1, rect.top + 1);
        dc.LineTo(rect.right, rect.top + 1);
        dc.SelectObject(darkShadow);
        dc.MoveTo(rect.left, rect.bottom - 1);
        dc.LineTo(rect.right - 1, rect.bottom - 1);
        dc.LineTo(rect.right - 1, rect.top - 1);
        dc.SelectObject(shadow);
        dc.MoveTo(rect.left + 1, rect.bottom - 2);
        dc.LineTo(rect.right - 2, rect.bottom - 2);
        dc.LineTo(rect.right - 2, rect.top);
        dc.SelectObject(previous);
    }

    const std::wstring title = GetWindowText();
    RECT caption = rect;
    if (m_icons[0].icon) DrawTheIcon(&dc, !title.empty(), rect, &caption, m_isPressed, m_isDisabled);

    if (!title.empty()) {
        if (m_isPressed && !m_isCheckBox) ::OffsetRect(&caption, 1, 1);
        const RECT available = caption;
        dc.DrawText(title, &caption, DT_WORDBREAK | DT_CENTER | DT_CALCRECT);
        // The caption starts 20 pixels right of its rectangle (past the icon)
        // and is centred vertically; it is deliberately not centred horizontally.
        ::OffsetRect(&caption, 20,
                     ((available.bottom - available.top) - (caption.bottom - caption.top)) / 2);
        if (m_isDisabled) {
            ::OffsetRect(&caption, 1, 1);
            dc.SetTextColor(::GetSysColor(COLOR_BTNHIGHLIGHT));
            dc.DrawText(title, &caption, DT_WORDBREAK | DT_CENTER);
            ::OffsetRect(&caption, -1, -1);
            dc.SetTextColor(::GetSysColor(COLOR_BTNSHADOW));
            dc.DrawText(title, &caption, DT_WORDBREAK | DT_CENTER);
        } else {
            const bool inside = m_mouseOnButton || m_isPressed;
            dc.SetTextColor(m_colors[inside ? ForeIn : ForeOut]);
            dc.SetBkColor(m_colors[inside ? BackIn : BackOut]);
            dc.DrawText(title, &caption, DT_WORDBREAK | DT_CENTER);
        }
    }

    if ((!m_isFlat || m_drawFlatFocus) && m_isFocused) {
        RECT focus = item->rcItem;
        ::InflateRect(&focus, -3, -3);
        dc.DrawFocusRect(focus);
    }
}
