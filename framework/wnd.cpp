#include "framework/wnd.h"

#include <vector>

#include "framework/gdi.h"

namespace {
// The bound object is found through a window property, so any window (of our
// class or a system class) can carry one without touching its extra bytes.
const wchar_t kObjectProperty[] = L"SetupFramework.CWnd";

bool IsControlColourMessage(UINT message) {
    return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
}
}  // namespace

CWnd::~CWnd() {
    if (m_hWnd && FromHandle(m_hWnd) == this) ::DestroyWindow(m_hWnd);
    if (m_hWnd && FromHandle(m_hWnd) == this) Unbind();
}

CWnd* CWnd::FromHandle(HWND window) {
    if (!window) return nullptr;
    return static_cast<CWnd*>(::GetPropW(window, kObjectProperty));
}

const wchar_t* CWnd::DefaultClassName() {
    static const wchar_t kName[] = L"SetupFrameworkWindow";
    static bool registered = false;
    if (!registered) {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.style = CS_DBLCLKS;
        windowClass.lpfnWndProc = ::DefWindowProcW;
        windowClass.hInstance = ::GetModuleHandleW(nullptr);
        windowClass.hCursor = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = kName;
        registered = ::RegisterClassExW(&windowClass) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    }
    return kName;
}

BOOL CWnd::Create(const wchar_t* className, const wchar_t* text, DWORD style, const RECT& rect,
                  CWnd* parent, UINT id) {
    return CreateEx(0, className, text, style, rect, parent ? parent->m_hWnd : nullptr, id);
}

BOOL CWnd::CreateEx(DWORD exStyle, const wchar_t* className, const wchar_t* text, DWORD style,
                    const RECT& rect, HWND parent, UINT_PTR idOrMenu) {
    if (m_hWnd) return FALSE;
    // Created hidden and shown once bound, so that the first erase and paint
    // already reach the object.
    const bool visible = (style & WS_VISIBLE) != 0;
    HWND window = ::CreateWindowExW(exStyle, className, text, style & ~WS_VISIBLE, rect.left, rect.top,
                                    rect.right - rect.left, rect.bottom - rect.top, parent,
                                    reinterpret_cast<HMENU>(idOrMenu), ::GetModuleHandleW(nullptr), nullptr);
    if (!window) return FALSE;
    if (!SubclassWindow(window)) {
        ::DestroyWindow(window);
        return FALSE;
    }
    if (visible) ::ShowWindow(window, SW_SHOW);
    return TRUE;
}

void CWnd::BindHandle(HWND window) {
    m_hWnd = window;
    ::SetPropW(window, kObjectProperty, this);
}

void CWnd::InstallProcedure() {
    m_previousProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::StaticWindowProc)));
}

BOOL CWnd::SubclassWindow(HWND window) {
    if (m_hWnd || !::IsWindow(window) || FromHandle(window)) return FALSE;
    BindHandle(window);
    PreSubclassWindow();
    InstallProcedure();
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent) {
    if (!parent || !parent->m_hWnd) return FALSE;
    HWND item = ::GetDlgItem(parent->m_hWnd, static_cast<int>(id));
    return item && SubclassWindow(item);
}

void CWnd::Unbind() {
    if (!m_hWnd) return;
    if (m_previousProc &&
        ::GetWindowLongPtrW(m_hWnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&CWnd::StaticWindowProc)) {
        ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_previousProc));
    }
    ::RemovePropW(m_hWnd, kObjectProperty);
    m_previousProc = nullptr;
    m_hWnd = nullptr;
}

HWND CWnd::UnsubclassWindow() {
    HWND window = m_hWnd;
    Unbind();
    return window;
}

BOOL CWnd::DestroyWindow() {
    if (!m_hWnd) return FALSE;
    return ::DestroyWindow(m_hWnd);
}

LRESULT CALLBACK CWnd::StaticWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* self = FromHandle(window);
    if (!self) return ::DefWindowProcW(window, message, wParam, lParam);
    const CurrentMessage saved = self->m_current;
    self->m_current = {message, wParam, lParam};
    LRESULT result = self->WindowProc(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        // The window is gone: unbind first, because PostNcDestroy may delete the object.
        self->Unbind();
        self->m_current = saved;
        self->PostNcDestroy();
        return result;
    }
    self->m_current = saved;
    return result;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_previousProc) return ::CallWindowProcW(m_previousProc, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default() { return DefWindowProc(m_current.message, m_current.wParam, m_current.lParam); }

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return DispatchToHandlers(message, wParam, lParam);
}

LRESULT CWnd::DispatchToHandlers(UINT message, WPARAM wParam, LPARAM lParam) {
    if (IsControlColourMessage(message)) {
        CDC dc;
        dc.Attach(reinterpret_cast<HDC>(wParam));
        HWND controlWindow = reinterpret_cast<HWND>(lParam);
        CWnd* control = FromHandle(controlWindow);
        CWnd unbound;   // stands in for a control that has no object of its own
        if (!control) {
            unbound.m_hWnd = controlWindow;
            control = &unbound;
        }
        HBRUSH brush = OnCtlColor(&dc, control, message - WM_CTLCOLORMSGBOX);
        unbound.m_hWnd = nullptr;
        return reinterpret_cast<LRESULT>(brush);
    }
    switch (message) {
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_ERASEBKGND: {
        CDC dc;
        dc.Attach(reinterpret_cast<HDC>(wParam));
        return OnEraseBkgnd(&dc);
    }
    case WM_COMMAND: {
        HWND control = reinterpret_cast<HWND>(lParam);
        LRESULT result = 0;
        if (control && ReflectToChild(control, message, wParam, lParam, &result)) return result;
        if (OnCommand(LOWORD(wParam), HIWORD(wParam))) return 0;
        return DefWindowProc(message, wParam, lParam);
    }
    case WM_DRAWITEM:
        if (OnDrawItem(static_cast<UINT>(wParam), reinterpret_cast<DRAWITEMSTRUCT*>(lParam))) return TRUE;
        return DefWindowProc(message, wParam, lParam);
    case WM_TIMER:
        OnTimer(wParam);
        return 0;
    case WM_DESTROY:
        OnDestroy();
        return 0;
    default:
        return DefWindowProc(message, wParam, lParam);
    }
}

BOOL CWnd::OnChildNotify(UINT, WPARAM, LPARAM, LRESULT*) { return FALSE; }

void CWnd::OnPaint() { Default(); }

BOOL CWnd::OnEraseBkgnd(CDC* dc) {
    return static_cast<BOOL>(DefWindowProc(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc ? dc->m_hDC : nullptr), 0));
}

HBRUSH CWnd::OnCtlColor(CDC* dc, CWnd* control, UINT kind) {
    const UINT message = WM_CTLCOLORMSGBOX + kind;
    const WPARAM wParam = reinterpret_cast<WPARAM>(dc ? dc->m_hDC : nullptr);
    const LPARAM lParam = reinterpret_cast<LPARAM>(control ? control->m_hWnd : nullptr);
    LRESULT result = 0;
    if (control && ReflectToChild(control->m_hWnd, message, wParam, lParam, &result))
        return reinterpret_cast<HBRUSH>(result);
    return reinterpret_cast<HBRUSH>(DefWindowProc(message, wParam, lParam));
}

BOOL CWnd::OnCommand(UINT, UINT) { return FALSE; }

void CWnd::OnTimer(UINT_PTR) { Default(); }

void CWnd::OnDestroy() { Default(); }

BOOL CWnd::OnDrawItem(UINT, DRAWITEMSTRUCT* item) {
    if (!item || item->CtlType == ODT_MENU) return FALSE;
    LRESULT result = 0;
    return ReflectToChild(item->hwndItem, WM_DRAWITEM, static_cast<WPARAM>(item->CtlID),
                          reinterpret_cast<LPARAM>(item), &result);
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

BOOL CWnd::WalkPreTranslateTree(HWND top, MSG* message) {
    for (HWND window = message->hwnd; window; window = ::GetParent(window)) {
        if (CWnd* object = FromHandle(window)) {
            if (object->PreTranslateMessage(message)) return TRUE;
        }
        if (window == top) break;
    }
    return FALSE;
}

BOOL ReflectToChild(HWND child, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    CWnd* object = CWnd::FromHandle(child);
    if (!object) return FALSE;
    LRESULT ignored = 0;
    return object->OnChildNotify(message, wParam, lParam, result ? result : &ignored);
}

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT swpFlags) {
    if (!m_hWnd) return FALSE;
    const DWORD style = GetStyle();
    const DWORD changed = (style & ~remove) | add;
    if (changed != style) ::SetWindowLongPtrW(m_hWnd, GWL_STYLE, static_cast<LONG_PTR>(changed));
    if (swpFlags) {
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | swpFlags);
    }
    return changed != style;
}

std::wstring CWnd::GetWindowText() const {
    const int length = ::GetWindowTextLengthW(m_hWnd);
    if (length <= 0) return {};
    std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1);
    const int copied = ::GetWindowTextW(m_hWnd, buffer.data(), length + 1);
    return std::wstring(buffer.data(), copied > 0 ? static_cast<size_t>(copied) : 0);
}

std::wstring CWnd::GetDlgItemText(int id) const {
    HWND item = GetDlgItem(id);
    if (!item) return {};
    const int length = ::GetWindowTextLengthW(item);
    if (length <= 0) return {};
    std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1);
    const int copied = ::GetWindowTextW(item, buffer.data(), length + 1);
    return std::wstring(buffer.data(), copied > 0 ? static_cast<size_t>(copied) : 0);
}

void CWnd::ScreenToClient(RECT* rect) const {
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(rect), 2);
}

void CWnd::ClientToScreen(RECT* rect) const {
    ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(rect), 2);
}

void CWnd::CenterWindow() {
    RECT self{};
    GetWindowRect(&self);
    RECT area{};
    HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
    if (owner && ::IsWindowVisible(owner)) {
        ::GetWindowRect(owner, &area);
    } else {
        ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    }
    const int width = self.right - self.left;
    const int height = self.bottom - self.top;
    const int x = area.left + ((area.right - area.left) - width) / 2;
    const int y = area.top + ((area.bottom - area.top) - height) / 2;
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
