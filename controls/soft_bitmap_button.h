// CSoftBitmapButton: a picture button whose whole face is one bitmap chosen
// by state: selected over disabled over normal, and the hover picture (the
// base class's "focus" bitmap) instead of the normal one while the mouse is
// over it. Keyboard focus has no picture of its own.
#pragma once
#include <windows.h>

#include "framework/bitmap_button.h"

class CSoftBitmapButton : public CBitmapButton {
public:
    CSoftBitmapButton();
    ~CSoftBitmapButton() override;

    BOOL IsHovered() const { return m_hover; }
    // The picture for an item state (ODS_* bits) and hover state; null when
    // not even the normal picture exists.
    HBITMAP ChoosePicture(UINT itemState, BOOL hover) const;

protected:
    void PreSubclassWindow() override;
    void DrawItem(DRAWITEMSTRUCT* item) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Asks for WM_MOUSELEAVE once the pointer leaves the button.
    virtual void RequestLeaveNotification();

    BOOL m_hover = FALSE;
};
