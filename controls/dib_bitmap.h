// CDIBitmap: a device-independent picture held in memory (info block with
// colour table, pixel rows bottom row first), drawn with one device call.
//
// "Loaded" means the pixel buffer exists. Every load frees the previous
// buffers first, so a failed load leaves the picture empty; the palette is
// replaced only by a successful load. A refused or failed load records its
// reason in LastLoadError().
#pragma once
#include <windows.h>
#include <memory>
#include <string>

#include "framework/file.h"
#include "framework/gdi.h"

class CBmpPalette;

class CDIBitmap {
public:
    CDIBitmap();
    virtual ~CDIBitmap();
    CDIBitmap(const CDIBitmap&) = delete;
    CDIBitmap& operator=(const CDIBitmap&) = delete;

    // SetDIBitsToDevice of `src` (top-down picture coordinates) at dest's
    // top-left corner; returns the scan-line count of the device call, 0 when empty.
    virtual int DrawSection(CDC* dc, const RECT& dest, const RECT& src);
    virtual void DrawStretched(CDC* dc, int x, int y, int width, int height);
    virtual void DrawAt(CDC* dc, int x, int y);
    virtual BOOL LoadFromFile(const std::wstring& path);
    virtual BOOL LoadFromStream(CFile& file);
    virtual BOOL SaveToFile(const std::wstring& path);
    virtual BOOL SaveToStream(CFile& file);

    // Loads bitmap `id` of the current resource module. A missing resource
    // changes nothing (the previous picture stays).
    BOOL LoadFromResource(UINT id);
    // Converts a device bitmap: depths up to 8 bits keep their colour table
    // (rows sized as 8 bits per pixel), deeper ones become 24 bits without one.
    BOOL CreateFromBitmap(CDC* dc, CBitmap* bitmap);
    BOOL BuildPalette();

    bool IsLoaded() const { return m_pixels != nullptr; }
    int Width() const;
    int Height() const;
    int BitCount() const;
    const BITMAPINFO* Info() const { return reinterpret_cast<const BITMAPINFO*>(m_info.get()); }
    const BYTE* Pixels() const { return m_pixels.get(); }
    size_t PixelBytes() const { return m_pixelBytes; }
    CBmpPalette* Palette() const { return m_palette.get(); }
    const std::string& LastLoadError() const { return m_lastError; }

private:
    void FreeBuffers();
    BOOL FailLoad(const char* reason);
    BITMAPINFOHEADER* Header() { return reinterpret_cast<BITMAPINFOHEADER*>(m_info.get()); }
    const BITMAPINFOHEADER* Header() const { return reinterpret_cast<const BITMAPINFOHEADER*>(m_info.get()); }

    std::unique_ptr<BYTE[]> m_info;      // BITMAPINFOHEADER followed by the colour table
    std::unique_ptr<BYTE[]> m_pixels;
    size_t m_pixelBytes = 0;
    std::unique_ptr<CBmpPalette> m_palette;   // only for 8 bits per pixel or less
    // TRUE after loading from a file, FALSE after converting a device bitmap.
    // Both keep rows padded to 4 bytes at the header's depth, which is what
    // saving writes.
    BOOL m_rowsPadded = FALSE;
    std::string m_lastError;
};

// The texts recorded by the loaders.
namespace dib_errors {
inline constexpr char kNotDib[] = "Error:Unexpected file type, not a DIB\n";
inline constexpr char kOs2[] = "Error:OS2 PM BMP Format not supported\n";
inline constexpr char kNoData[] = "could not allocate data storage\n";
inline constexpr char kNoInfo[] = "could not allocate BITMAPINFO struct\n";
inline constexpr char kShortScan[] = "call to GetDIBits did not return full number of requested scan lines\n";
// Refusals of malformed files that would otherwise make drawing read past the buffers.
inline constexpr char kBadHeader[] = "Error:Unsupported or inconsistent DIB header\n";
inline constexpr char kBadSize[] = "Error:DIB sizes do not match the file\n";
inline constexpr char kNoBitmap[] = "Error:No bitmap to convert\n";
}  // namespace dib_errors
