// CWnd: a C++ object bound to one HWND.
//
// Binding. A window is bound either by creating it through the object
// (Create / CreateEx) or by subclassing an existing window (SubclassWindow,
// SubclassDlgItem). Both run the virtual PreSubclassWindow() once the handle is
// known and then route every message of the window to the virtual
// WindowProc(). DefWindowProc() passes a message on to the procedure the window
// had before (the class procedure of "BUTTON", the dialog manager, ...).
// The binding ends by itself at WM_NCDESTROY (then PostNcDestroy() runs) or by
// UnsubclassWindow(). The object must outlive its window or unbind first; the
// destructor destroys a window that is still bound.
//
// Handling messages. Override WindowProc() with a switch and pass what you do
// not handle to the base class; or override the typed handlers (OnPaint,
// OnEraseBkgnd, OnCtlColor, OnCommand, OnTimer, OnDestroy, OnDrawItem), whose
// base versions do the default processing. Default() replays the message that
// is being handled to DefWindowProc().
//
// Reflection. A parent gives its child objects the first look at the
// notifications that concern them: WM_DRAWITEM, WM_CTLCOLOR* and WM_COMMAND
// from a control are offered to the control's own object through
// OnChildNotify() (the *Reflect names below). For WM_COMMAND the parent still
// sees the command when the child does not consume it; for WM_DRAWITEM and
// WM_CTLCOLOR* the parent's OnDrawItem / OnCtlColor base versions do the
// reflecting, so a parent that handles them itself decides first.
//
// Modal loops call PreTranslateMessage() of every bound window from the
// message's target up to the dialog, before the dialog's keyboard handling.
#pragma once
#include <windows.h>
#include <string>

class CDC;

class CWnd {
public:
    CWnd() = default;
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;
    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }

    // The object bound to `window`, or null when none is.
    static CWnd* FromHandle(HWND window);

    // Creates a child window of `parent` (or a top-level window when `parent`
    // is null) and binds it. `className` may be a system class ("BUTTON",
    // "STATIC", ...) or DefaultClassName(). A window asked for with
    // WS_VISIBLE is created hidden and shown once bound, so its first erase
    // and paint reach the object; messages sent during creation itself
    // (WM_CREATE ...) go to the class procedure only.
    BOOL Create(const wchar_t* className, const wchar_t* text, DWORD style, const RECT& rect,
                CWnd* parent, UINT id);
    BOOL CreateEx(DWORD exStyle, const wchar_t* className, const wchar_t* text, DWORD style,
                  const RECT& rect, HWND parent, UINT_PTR idOrMenu);
    // A registered plain window class (default processing, arrow cursor,
    // COLOR_BTNFACE background) for windows that need no system class.
    static const wchar_t* DefaultClassName();

    BOOL SubclassWindow(HWND window);
    BOOL SubclassDlgItem(UINT id, CWnd* parent);
    HWND UnsubclassWindow();
    BOOL DestroyWindow();

    virtual void PreSubclassWindow() {}
    virtual BOOL PreTranslateMessage(MSG* message);
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Called after WM_NCDESTROY, when the object is no longer bound.
    virtual void PostNcDestroy() {}
    // Reflected notification from the parent (message is the parent's
    // WM_DRAWITEM, WM_CTLCOLOR* or WM_COMMAND). Return TRUE to consume it,
    // with `*result` what the parent returns.
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

    // Typed handlers; the base versions do the default processing.
    virtual void OnPaint();
    virtual BOOL OnEraseBkgnd(CDC* dc);
    // kind: CTLCOLOR_MSGBOX 0 ... CTLCOLOR_STATIC 6. The base version reflects
    // to the control's object and otherwise does the default processing.
    virtual HBRUSH OnCtlColor(CDC* dc, CWnd* control, UINT kind);
    // Command from a menu, accelerator or control (after reflection). Return
    // TRUE when handled.
    virtual BOOL OnCommand(UINT id, UINT code);
    virtual void OnTimer(UINT_PTR id);
    virtual void OnDestroy();
    // The base version reflects to the control's object.
    virtual BOOL OnDrawItem(UINT id, DRAWITEMSTRUCT* item);

    // Default processing of the message currently being handled.
    LRESULT Default();

    // Helpers over the window.
    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
    int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
    HWND GetParent() const { return ::GetParent(m_hWnd); }
    DWORD GetStyle() const { return static_cast<DWORD>(::GetWindowLongPtrW(m_hWnd, GWL_STYLE)); }
    // Replaces style bits; with `swpFlags` non-zero also calls SetWindowPos
    // (no move/size/z-order change) with those flags, e.g. SWP_FRAMECHANGED.
    BOOL ModifyStyle(DWORD remove, DWORD add, UINT swpFlags = 0);
    void Invalidate(BOOL erase = TRUE) { ::InvalidateRect(m_hWnd, nullptr, erase); }
    void InvalidateRect(const RECT* rect, BOOL erase = TRUE) { ::InvalidateRect(m_hWnd, rect, erase); }
    void UpdateWindow() { ::UpdateWindow(m_hWnd); }
    BOOL RedrawWindow(const RECT* rect = nullptr, HRGN region = nullptr,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE) {
        return ::RedrawWindow(m_hWnd, rect, region, flags);
    }
    BOOL SetWindowPos(HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
        return ::SetWindowPos(m_hWnd, insertAfter, x, y, cx, cy, flags);
    }
    void MoveWindow(const RECT& rect, BOOL repaint = TRUE) {
        ::MoveWindow(m_hWnd, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, repaint);
    }
    BOOL ShowWindow(int command) { return ::ShowWindow(m_hWnd, command); }
    BOOL EnableWindow(BOOL enable = TRUE) { return ::EnableWindow(m_hWnd, enable); }
    BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
    BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
    std::wstring GetWindowText() const;
    void SetWindowText(const std::wstring& text) { ::SetWindowTextW(m_hWnd, text.c_str()); }
    std::wstring GetDlgItemText(int id) const;
    void SetDlgItemText(int id, const std::wstring& text) { ::SetDlgItemTextW(m_hWnd, id, text.c_str()); }
    HICON SetIcon(HICON icon, BOOL big) {
        return reinterpret_cast<HICON>(SendMessage(WM_SETICON, big ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(icon)));
    }
    void SetFont(HFONT font, BOOL redraw = TRUE) { SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw); }
    HFONT GetFont() const { return reinterpret_cast<HFONT>(::SendMessageW(m_hWnd, WM_GETFONT, 0, 0)); }
    UINT_PTR SetTimer(UINT_PTR id, UINT elapse) { return ::SetTimer(m_hWnd, id, elapse, nullptr); }
    BOOL KillTimer(UINT_PTR id) { return ::KillTimer(m_hWnd, id); }
    void GetClientRect(RECT* rect) const { ::GetClientRect(m_hWnd, rect); }
    void GetWindowRect(RECT* rect) const { ::GetWindowRect(m_hWnd, rect); }
    void ScreenToClient(POINT* point) const { ::ScreenToClient(m_hWnd, point); }
    void ScreenToClient(RECT* rect) const;
    void ClientToScreen(POINT* point) const { ::ClientToScreen(m_hWnd, point); }
    void ClientToScreen(RECT* rect) const;
    HWND SetFocus() { return ::SetFocus(m_hWnd); }
    BOOL SetForegroundWindow() { return ::SetForegroundWindow(m_hWnd); }
    // Centres on the owner (or the work area when there is none).
    void CenterWindow();
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        return ::SendMessageW(m_hWnd, message, wParam, lParam);
    }
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        return ::PostMessageW(m_hWnd, message, wParam, lParam);
    }

    // Offers `message` to PreTranslateMessage of every bound window from its
    // target up to and including `top`. TRUE when one of them consumed it.
    static BOOL WalkPreTranslateTree(HWND top, MSG* message);

protected:
    // Binds without replacing the window procedure (used by the dialog, whose
    // procedure is installed at WM_INITDIALOG).
    void BindHandle(HWND window);
    void InstallProcedure();

private:
    static LRESULT CALLBACK StaticWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT DispatchToHandlers(UINT message, WPARAM wParam, LPARAM lParam);
    void Unbind();

    WNDPROC m_previousProc = nullptr;
    struct CurrentMessage { UINT message; WPARAM wParam; LPARAM lParam; };
    CurrentMessage m_current{};
};

// Offers a reflected notification to the object bound to `child`; TRUE when it consumed it.
BOOL ReflectToChild(HWND child, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
