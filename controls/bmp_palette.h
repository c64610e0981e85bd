// CBmpPalette: the logical palette built from a CDIBitmap's colour table.
#pragma once
#include <windows.h>

#include "framework/gdi.h"

class CDIBitmap;

class CBmpPalette : public CPalette {
public:
    // Entry count: biClrUsed, or 2 to the power biBitCount when that is 0.
    explicit CBmpPalette(const CDIBitmap& bitmap);
    ~CBmpPalette() override;
};
