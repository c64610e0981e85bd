// Device contexts and GDI objects with owned handles.
//
// A CDC either owns its HDC (memory contexts it created, paint/client/window
// contexts it obtained) or merely borrows one (Attach): only owned contexts are
// released by the destructor, so a borrowed context handed in by a window
// message is never deleted by the wrapper.
//
// GDI objects (CBitmap, CPalette, CBrush, CPen, CFont) own their handle and
// delete it when destroyed. Deselect an object from every DC before it dies:
// SelectObject returns the previous handle for exactly that purpose.
#pragma once
#include <windows.h>
#include <string>
#include <string_view>

class CWnd;

class CGdiObject {
public:
    CGdiObject() = default;
    virtual ~CGdiObject();
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    HGDIOBJ GetSafeHandle() const { return m_handle; }
    explicit operator bool() const { return m_handle != nullptr; }

    // Takes ownership of `handle` (any previous one is deleted first).
    BOOL Attach(HGDIOBJ handle);
    // Gives up ownership without deleting.
    HGDIOBJ Detach();
    // Deletes the handle; FALSE when there was none.
    BOOL DeleteObject();

protected:
    HGDIOBJ m_handle = nullptr;
};

class CBitmap : public CGdiObject {
public:
    operator HBITMAP() const { return static_cast<HBITMAP>(m_handle); }
    HBITMAP Handle() const { return static_cast<HBITMAP>(m_handle); }
    // Loads a bitmap resource of the current resource module (as a DIB section,
    // so that its colour depth and colour table are kept).
    BOOL LoadBitmap(UINT id);
    BOOL CreateCompatibleBitmap(HDC dc, int width, int height);
    // Reads the BITMAP description; FALSE when there is no bitmap.
    BOOL GetBitmap(BITMAP* info) const;
};

class CPalette : public CGdiObject {
public:
    operator HPALETTE() const { return static_cast<HPALETTE>(m_handle); }
    HPALETTE Handle() const { return static_cast<HPALETTE>(m_handle); }
    BOOL CreatePalette(const LOGPALETTE* palette);
};

class CBrush : public CGdiObject {
public:
    CBrush() = default;
    explicit CBrush(COLORREF colour) { CreateSolidBrush(colour); }
    operator HBRUSH() const { return static_cast<HBRUSH>(m_handle); }
    HBRUSH Handle() const { return static_cast<HBRUSH>(m_handle); }
    BOOL CreateSolidBrush(COLORREF colour);
    // Wraps a stock brush such as NULL_BRUSH (deleting a stock object is a no-op).
    BOOL CreateStockObject(int stockId);
};

class CPen : public CGdiObject {
public:
    CPen() = default;
    CPen(int style, int width, COLORREF colour) { CreatePen(style, width, colour); }
    operator HPEN() const { return static_cast<HPEN>(m_handle); }
    HPEN Handle() const { return static_cast<HPEN>(m_handle); }
    BOOL CreatePen(int style, int width, COLORREF colour);
};

class CFont : public CGdiObject {
public:
    operator HFONT() const { return static_cast<HFONT>(m_handle); }
    HFONT Handle() const { return static_cast<HFONT>(m_handle); }
    BOOL CreateFontIndirect(const LOGFONTW* font);
};

class CDC {
public:
    CDC() = default;
    virtual ~CDC();
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    HDC m_hDC = nullptr;
    // Set for printer contexts; screen and memory contexts leave it FALSE.
    BOOL m_bPrinting = FALSE;

    HDC GetSafeHdc() const { return m_hDC; }
    operator HDC() const { return m_hDC; }
    BOOL IsPrinting() const { return m_bPrinting; }

    // Borrows a context: the wrapper will not release it.
    BOOL Attach(HDC dc);
    HDC Detach();
    // Owning: a memory context compatible with `other` (null: the screen).
    BOOL CreateCompatibleDC(CDC* other);
    // Releases an owned context now.
    BOOL DeleteDC();

    HGDIOBJ SelectObject(HGDIOBJ object);
    HGDIOBJ SelectObject(const CGdiObject& object) { return SelectObject(object.GetSafeHandle()); }
    HGDIOBJ SelectStockObject(int stockId);
    HPALETTE SelectPalette(HPALETTE palette, BOOL forceBackground);
    UINT RealizePalette();

    int SetBkMode(int mode);
    COLORREF SetBkColor(COLORREF colour);
    COLORREF SetTextColor(COLORREF colour);
    int SetStretchBltMode(int mode);
    int GetMapMode() const;
    int SetMapMode(int mode);
    POINT SetWindowOrg(int x, int y);
    int GetClipBox(RECT* rect) const;
    BOOL GetTextMetrics(TEXTMETRICW* metrics) const;

    void FillSolidRect(const RECT& rect, COLORREF colour);
    int FillRect(const RECT& rect, HBRUSH brush);
    int FrameRect(const RECT& rect, HBRUSH brush);
    // Top and left edges in one colour, bottom and right in the other, one pixel wide.
    void Draw3dRect(const RECT& rect, COLORREF topLeft, COLORREF bottomRight);
    BOOL Rectangle(const RECT& rect);
    POINT MoveTo(int x, int y);
    BOOL LineTo(int x, int y);
    BOOL DrawFocusRect(const RECT& rect);

    BOOL BitBlt(int x, int y, int width, int height, HDC source, int sourceX, int sourceY, DWORD rop);
    BOOL StretchBlt(int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
                    int sourceWidth, int sourceHeight, DWORD rop);

    BOOL TextOut(int x, int y, std::wstring_view text);
    // Returns the height of the text, as the system call does; `rect` is updated with DT_CALCRECT.
    int DrawText(std::wstring_view text, RECT* rect, UINT format);

protected:
    bool m_owned = false;   // DeleteDC on destruction
};

// BeginPaint/EndPaint for the lifetime of the object.
class CPaintDC : public CDC {
public:
    explicit CPaintDC(HWND window);
    ~CPaintDC() override;
    PAINTSTRUCT m_ps{};

private:
    HWND m_window;
};

// GetDC/ReleaseDC of a window's client area (null: the screen).
class CClientDC : public CDC {
public:
    explicit CClientDC(HWND window);
    ~CClientDC() override;

private:
    HWND m_window;
};

// GetWindowDC/ReleaseDC: the whole window including the non-client area.
class CWindowDC : public CDC {
public:
    explicit CWindowDC(HWND window);
    ~CWindowDC() override;

private:
    HWND m_window;
};

// Selects an object into a DC for the scope and puts the previous one back.
class ScopedSelect {
public:
    ScopedSelect(HDC dc, HGDIOBJ object) : m_dc(dc), m_previous(object ? ::SelectObject(dc, object) : nullptr) {}
    ~ScopedSelect() { if (m_previous) ::SelectObject(m_dc, m_previous); }
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;
    // FALSE when the selection failed (the object could not be selected).
    explicit operator bool() const { return m_previous != nullptr && m_previous != HGDI_ERROR; }

private:
    HDC m_dc;
    HGDIOBJ m_previous;
};
