// CBitmapButton: an owner-drawn button that holds four pictures from the
// resource module: normal, selected (pressed), focus and disabled.
#pragma once
#include <windows.h>

#include "framework/button.h"
#include "framework/gdi.h"

class CBitmapButton : public CButton {
public:
    // Frees the four pictures, then loads the given bitmap ids from the current
    // resource module; 0 leaves a picture out. FALSE when the normal picture
    // cannot be loaded (the others are loaded when they exist).
    BOOL LoadBitmaps(UINT normal, UINT selected = 0, UINT focus = 0, UINT disabled = 0);

    // Draws the picture of the state (selected, focus, disabled, else normal)
    // at the item's top-left corner.
    void DrawItem(DRAWITEMSTRUCT* item) override;

    CBitmap m_bitmap;
    CBitmap m_bitmapSel;
    CBitmap m_bitmapFocus;
    CBitmap m_bitmapDisabled;
};

// Copies `picture` (its top-left width x height pixels) to the item rectangle
// of `item`; nothing when the picture cannot be selected.
void DrawPictureIntoItem(const DRAWITEMSTRUCT& item, HBITMAP picture);
