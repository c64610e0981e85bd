// Shared pieces of the control tests: a visible top-level host window to put
// controls on, memory canvases whose pixels can be read, small pictures and
// icons built in memory, and a reference renderer for text positions.
#pragma once
#include <windows.h>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "framework/wnd.h"

// Runs the thread's message queue for about `milliseconds`.
void PumpMessages(int milliseconds = 50);

// A 32-bit top-down DIB section selected into its own memory DC.
class MemoryCanvas {
public:
    MemoryCanvas(int width, int height, COLORREF fill = RGB(0, 0, 0));
    ~MemoryCanvas();
    MemoryCanvas(const MemoryCanvas&) = delete;
    MemoryCanvas& operator=(const MemoryCanvas&) = delete;
    HDC Dc() const { return m_dc; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    void Fill(COLORREF colour);
    COLORREF Pixel(int x, int y) const;

private:
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_previous = nullptr;
    uint32_t* m_bits = nullptr;
    int m_width;
    int m_height;
};

// Pixel of a window's client area as it is shown (read back from the window DC).
COLORREF WindowPixel(HWND window, int x, int y);
// Copies the client area of `window` into a canvas of its size.
void CaptureClient(HWND window, MemoryCanvas& canvas);

// A picture `width` x `height` at `bitsPerPixel` (1, 4, 8, 16, 24 or 32)
// whose pixel (x, y) (top-down) has colour `pattern(x, y)`; for palette
// depths the colour table holds the colours in order of first use.
HBITMAP MakePatternBitmap(int width, int height, int bitsPerPixel, COLORREF (*pattern)(int x, int y));
HBITMAP MakeSolidBitmap(int width, int height, COLORREF colour);
// A square icon of one colour with its hot spot in the centre.
HICON MakeSolidIcon(int size, COLORREF colour);
// An icon whose colour bitmap is given pixel by pixel; CLR_INVALID marks
// transparent pixels.
HICON MakePatternIcon(int size, COLORREF (*pattern)(int x, int y));

// Where the ink of `text` starts when drawn with `font` at (0, 0).
struct InkOrigin {
    int left = -1;
    int top = -1;
};
InkOrigin ReferenceInk(HFONT font, const std::wstring& text);
// First column / row in `area` of the canvas that holds a pixel other than
// `background`; -1 when none.
int FirstInkColumn(const MemoryCanvas& canvas, const RECT& area, COLORREF background);
int FirstInkRow(const MemoryCanvas& canvas, const RECT& area, COLORREF background);
bool AreaIs(const MemoryCanvas& canvas, const RECT& area, COLORREF colour);

// A visible, unowned popup window at a fixed screen place, filled with one
// colour, with the default GUI font as its font. Controls are created or
// subclassed on it.
class TestHost : public CWnd {
public:
    TestHost(int x, int y, int width, int height, COLORREF background = RGB(0, 0, 128));
    ~TestHost() override;
    COLORREF m_background;
    HFONT m_font;
    int m_paintCount = 0;
    struct Command {
        UINT id;
        UINT code;
    };
    std::vector<Command> m_commands;
    int CountCommands(UINT id, UINT code) const;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnCommand(UINT id, UINT code) override;
};

// Moves the real mouse pointer (through the input queue) and lets the
// resulting messages arrive.
void MoveMouseTo(int screenX, int screenY);
// Pumps messages until `condition` holds or `milliseconds` have passed;
// returns the condition. (Leave notifications come from a timer.)
bool PumpUntil(const std::function<bool()>& condition, int milliseconds = 2000);


// A dialog class for tests: `onInit` runs at the end of OnInitDialog, `body`
// runs from the modal loop right after initialisation. The dialog ends with
// IDOK after the body unless `keepRunning` is set (then the body or later
// messages end it); a ten-second timer ends a dialog that hangs with -2.
template <typename Base>
class ScriptedDialog : public Base {
public:
    static constexpr UINT kRunBody = WM_APP + 77;
    static constexpr UINT_PTR kWatchdog = 0x5A5A;

    using Base::Base;
    std::function<void(ScriptedDialog&)> onInit;
    std::function<void(ScriptedDialog&)> body;
    bool keepRunning = false;

    BOOL OnInitDialog() override {
        const BOOL result = Base::OnInitDialog();
        if (onInit) onInit(*this);
        this->SetTimer(kWatchdog, 10000);
        this->PostMessage(kRunBody);
        return result;
    }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == kRunBody) {
            if (body) body(*this);
            if (!keepRunning) this->EndDialog(IDOK);
            return 0;
        }
        if (message == WM_TIMER && wParam == kWatchdog) {
            this->EndDialog(-2);
            return 0;
        }
        return Base::WindowProc(message, wParam, lParam);
    }
};
