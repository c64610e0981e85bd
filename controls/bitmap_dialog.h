// CBitmapDialog: the base of every skinned page. It paints a picture from the
// resource module behind all controls, gives static texts and buttons a
// hollow brush so that they draw over that picture, and keeps the picture's
// palette realised on palette-based displays.
#pragma once
#include <windows.h>

#include "controls/dib_bitmap.h"
#include "framework/dialog.h"
#include "framework/gdi.h"

enum BackgroundMode { BackgroundTile = 0, BackgroundStretch = 1, BackgroundCenter = 2 };

class CBitmapDialog : public CDialog {
public:
    CBitmapDialog(UINT templateId, CWnd* parent = nullptr);
    ~CBitmapDialog() override;

    // Stores the mode and loads the picture; does not repaint (a caller that
    // changes the picture of a visible page invalidates the page itself).
    // A missing bitmap leaves the previous picture in place.
    void SetBackground(UINT bitmapId, BackgroundMode mode);

    BOOL OnEraseBkgnd(CDC* dc) override;
    // Pages that colour some control kinds themselves call this for the others.
    HBRUSH OnCtlColor(CDC* dc, CWnd* control, UINT kind) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    LRESULT OnQueryNewPalette();
    LRESULT OnPaletteChanged(HWND changedBy);
    // After realising the palette: any changed entry repaints the whole page.
    // Returns whether it did (the answer to WM_QUERYNEWPALETTE).
    BOOL RepaintForRealizedEntries(UINT changedEntries);

    CDIBitmap m_background;
    int m_backgroundMode = BackgroundTile;
    CBrush m_hollowBrush;
};
