#include "controls/bmp_palette.h"

#include <vector>

#include "controls/dib_bitmap.h"

CBmpPalette::CBmpPalette(const CDIBitmap& bitmap) {
    const BITMAPINFO* info = bitmap.Info();
    if (!info) return;
    const BITMAPINFOHEADER& header = info->bmiHeader;
    DWORD count = header.biClrUsed ? header.biClrUsed : (1u << header.biBitCount);
    // The colour table holds at most 256 entries (loaders refuse more).
    if (count > 256) count = 256;
    std::vector<BYTE> block(sizeof(LOGPALETTE) + count * sizeof(PALETTEENTRY));
    auto* palette = reinterpret_cast<LOGPALETTE*>(block.data());
    palette->palVersion = 0x300;
    palette->palNumEntries = static_cast<WORD>(count);
    for (DWORD i = 0; i < count; ++i) {
        const RGBQUAD& colour = info->bmiColors[i];
        palette->palPalEntry[i].peRed = colour.rgbRed;
        palette->palPalEntry[i].peGreen = colour.rgbGreen;
        palette->palPalEntry[i].peBlue = colour.rgbBlue;
        palette->palPalEntry[i].peFlags = 0;
    }
    CreatePalette(palette);
}

CBmpPalette::~CBmpPalette() = default;
