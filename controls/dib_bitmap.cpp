#include "controls/dib_bitmap.h"

#include <cstring>
#include <new>

#include "controls/bmp_palette.h"
#include "framework/win_app.h"

namespace {
constexpr WORD kBmpType = 0x4D42;   // "BM" in file order
constexpr size_t kInfoHeaderSize = sizeof(BITMAPINFOHEADER);   // 40
constexpr size_t kFileHeaderSize = sizeof(BITMAPFILEHEADER);   // 14
constexpr size_t kColourTableBytes = 256 * sizeof(RGBQUAD);    // 1024
// Larger pictures are refused as nonsense (a skin picture is a few hundred pixels wide).
constexpr LONG kMaxDimension = 32768;

// Bytes of one row at `bitsPerPixel`, padded to 4 bytes.
size_t RowBytes(LONG width, int bitsPerPixel) {
    return ((static_cast<size_t>(width) * static_cast<size_t>(bitsPerPixel) + 31) & ~static_cast<size_t>(31)) / 8;
}

// Runs the palette part of every drawing call around `draw`. The stretch
// mode is set for every picture, not only for palette ones: the default mode
// ANDs the dropped pixels of a shrunk colour picture together and darkens it.
template <typename Draw>
void WithPalette(HDC dc, CBmpPalette* palette, Draw draw) {
    HPALETTE previous = nullptr;
    if (palette && palette->Handle()) {
        previous = ::SelectPalette(dc, palette->Handle(), FALSE);
        ::RealizePalette(dc);
    }
    const int previousMode = ::SetStretchBltMode(dc, COLORONCOLOR);
    draw();
    if (previousMode) ::SetStretchBltMode(dc, previousMode);
    if (previous) ::SelectPalette(dc, previous, TRUE);
}
}  // namespace

CDIBitmap::CDIBitmap() = default;

CDIBitmap::~CDIBitmap() = default;

int CDIBitmap::Width() const { return m_info ? Header()->biWidth : 0; }
int CDIBitmap::Height() const { return m_info ? Header()->biHeight : 0; }
int CDIBitmap::BitCount() const { return m_info ? Header()->biBitCount : 0; }

void CDIBitmap::FreeBuffers() {
    m_info.reset();
    m_pixels.reset();
    m_pixelBytes = 0;
}

BOOL CDIBitmap::FailLoad(const char* reason) {
    m_lastError = reason;
    FreeBuffers();
    return FALSE;
}

int CDIBitmap::DrawSection(CDC* dc, const RECT& dest, const RECT& src) {
    if (!m_info || !m_pixels) return 0;
    HDC hdc = dc ? dc->m_hDC : nullptr;
    const BITMAPINFOHEADER* header = Header();
    int lines = 0;
    WithPalette(hdc, m_palette.get(), [&] {
        lines = ::SetDIBitsToDevice(hdc, dest.left, dest.top, static_cast<DWORD>(dest.right - dest.left),
                                    static_cast<DWORD>(dest.bottom - dest.top), src.left,
                                    header->biHeight - src.bottom, 0, static_cast<UINT>(header->biHeight),
                                    m_pixels.get(), Info(), DIB_RGB_COLORS);
    });
    return lines;
}

void CDIBitmap::DrawStretched(CDC* dc, int x, int y, int width, int height) {
    if (!m_info || !m_pixels) return;
    HDC hdc = dc ? dc->m_hDC : nullptr;
    const BITMAPINFOHEADER* header = Header();
    WithPalette(hdc, m_palette.get(), [&] {
        ::StretchDIBits(hdc, x, y, width, height, 0, 0, header->biWidth, header->biHeight, m_pixels.get(), Info(),
                        DIB_RGB_COLORS, SRCCOPY);
    });
}

void CDIBitmap::DrawAt(CDC* dc, int x, int y) {
    if (!m_info) return;
    DrawStretched(dc, x, y, Header()->biWidth, Header()->biHeight);
}

BOOL CDIBitmap::LoadFromResource(UINT id) {
    HANDLE image = ::LoadImageW(ResourceModule(), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
    if (!image) return FALSE;
    CBitmap bitmap;
    bitmap.Attach(image);
    CClientDC desktop(::GetDesktopWindow());
    return CreateFromBitmap(&desktop, &bitmap);
}

BOOL CDIBitmap::CreateFromBitmap(CDC* dc, CBitmap* bitmap) {
    BITMAP description{};
    if (!bitmap || !bitmap->GetBitmap(&description) || description.bmWidth <= 0 || description.bmHeight <= 0)
        return FailLoad(dib_errors::kNoBitmap);
    const LONG width = description.bmWidth;
    const LONG height = description.bmHeight;
    const int depth = description.bmBitsPixel;

    // Rows as 8 bits per pixel for every depth up to 8, as 24 bits above.
    const size_t rowBytes = RowBytes(width, depth <= 8 ? 8 : 24);
    m_pixels.reset();
    m_pixelBytes = 0;
    m_pixels.reset(new (std::nothrow) BYTE[rowBytes * static_cast<size_t>(height)]);
    if (!m_pixels) return FailLoad(dib_errors::kNoData);
    m_pixelBytes = rowBytes * static_cast<size_t>(height);

    const size_t colours = depth == 1 ? 2 : depth == 4 ? 16 : depth == 8 ? 256 : 0;
    m_info.reset(new (std::nothrow) BYTE[kInfoHeaderSize + colours * sizeof(RGBQUAD)]());
    if (!m_info) return FailLoad(dib_errors::kNoInfo);

    BITMAPINFOHEADER* header = Header();
    header->biSize = kInfoHeaderSize;
    header->biWidth = width;
    header->biHeight = height;
    header->biPlanes = description.bmPlanes;
    header->biBitCount = static_cast<WORD>(depth <= 8 ? depth : 24);
    header->biCompression = BI_RGB;
    header->biSizeImage = static_cast<DWORD>(static_cast<size_t>(height) * RowBytes(width, depth));

    HDC hdc = dc ? dc->m_hDC : nullptr;
    const int lines = ::GetDIBits(hdc, bitmap->Handle(), 0, static_cast<UINT>(height), m_pixels.get(),
                                  reinterpret_cast<BITMAPINFO*>(m_info.get()), DIB_RGB_COLORS);
    if (lines != height) return FailLoad(dib_errors::kShortScan);

    BuildPalette();
    m_rowsPadded = FALSE;
    m_lastError.clear();
    return TRUE;
}

BOOL CDIBitmap::LoadFromFile(const std::wstring& path) {
    CFile file;
    if (!file.Open(path, CFile::modeRead)) return FALSE;
    return LoadFromStream(file);
}

BOOL CDIBitmap::LoadFromStream(CFile& file) {
    FreeBuffers();
    const ULONGLONG start = file.GetPosition();
    const ULONGLONG length = file.GetLength();
    const ULONGLONG available = length > start ? length - start : 0;

    BITMAPFILEHEADER fileHeader{};
    if (file.Read(&fileHeader, kFileHeaderSize) != kFileHeaderSize || fileHeader.bfType != kBmpType)
        return FailLoad(dib_errors::kNotDib);

    BITMAPINFOHEADER header{};
    const UINT headerRead = file.Read(&header, kInfoHeaderSize);
    // Core (12-byte) and the later 108/124-byte headers are all refused alike.
    if (headerRead < sizeof(DWORD) || header.biSize != kInfoHeaderSize) return FailLoad(dib_errors::kOs2);
    if (headerRead != kInfoHeaderSize) return FailLoad(dib_errors::kBadHeader);

    const WORD depth = header.biBitCount;
    const bool knownDepth = depth == 1 || depth == 4 || depth == 8 || depth == 16 || depth == 24 || depth == 32;
    const bool plainRows = header.biCompression == BI_RGB ||
                           (header.biCompression == BI_BITFIELDS && (depth == 16 || depth == 32));
    // Bottom-up rows only (negative heights are top-down), and no compressed
    // data, whose size cannot be checked against the picture before drawing.
    if (!knownDepth || !plainRows || header.biWidth <= 0 || header.biHeight <= 0 ||
        header.biWidth > kMaxDimension || header.biHeight > kMaxDimension || header.biClrUsed > 256)
        return FailLoad(dib_errors::kBadHeader);

    // The pixel bytes the header describes must lie inside the file.
    const ULONGLONG required = static_cast<ULONGLONG>(RowBytes(header.biWidth, depth)) *
                               static_cast<ULONGLONG>(header.biHeight);
    if (fileHeader.bfOffBits < kFileHeaderSize + kInfoHeaderSize || fileHeader.bfSize < fileHeader.bfOffBits ||
        fileHeader.bfSize > available)
        return FailLoad(dib_errors::kBadSize);
    const ULONGLONG pixelBytes = fileHeader.bfSize - fileHeader.bfOffBits;
    if (pixelBytes < required) return FailLoad(dib_errors::kBadSize);

    // The colour table area is always the largest one and is read whatever the
    // header says about the number of colours; a small file simply ends sooner.
    m_info.reset(new (std::nothrow) BYTE[kInfoHeaderSize + kColourTableBytes]());
    if (!m_info) return FailLoad(dib_errors::kNoInfo);
    std::memcpy(m_info.get(), &header, kInfoHeaderSize);
    file.Read(m_info.get() + kInfoHeaderSize, kColourTableBytes);

    m_pixels.reset(new (std::nothrow) BYTE[static_cast<size_t>(pixelBytes)]);
    if (!m_pixels) return FailLoad(dib_errors::kNoData);
    m_pixelBytes = static_cast<size_t>(pixelBytes);
    if (file.Seek(static_cast<LONGLONG>(start + fileHeader.bfOffBits), CFile::begin) == CFile::kSeekFailed ||
        file.Read(m_pixels.get(), static_cast<UINT>(pixelBytes)) != pixelBytes)
        return FailLoad(dib_errors::kBadSize);

    BuildPalette();
    m_rowsPadded = TRUE;
    m_lastError.clear();
    return TRUE;
}

BOOL CDIBitmap::SaveToFile(const std::wstring& path) {
    CFile file;
    if (!file.Open(path, CFile::modeWrite | CFile::modeCreate)) return FALSE;
    return SaveToStream(file);
}

BOOL CDIBitmap::SaveToStream(CFile& file) {
    if (!m_info || !m_pixels) return FALSE;
    BITMAPINFOHEADER header = *Header();
    // Rows are padded to 4 bytes at the header's depth in both origins of the
    // picture (GetDIBits writes them so, BMP files store them so).
    const size_t imageBytes = RowBytes(header.biWidth, header.biBitCount) * static_cast<size_t>(header.biHeight);
    if (imageBytes > m_pixelBytes) return FALSE;
    size_t colours = 0;
    if (header.biBitCount <= 8) colours = header.biClrUsed ? header.biClrUsed : (1u << header.biBitCount);
    if (header.biCompression == BI_BITFIELDS) colours = 3;   // the three masks follow the header
    header.biSizeImage = static_cast<DWORD>(imageBytes);

    BITMAPFILEHEADER fileHeader{};
    fileHeader.bfType = kBmpType;
    fileHeader.bfOffBits = static_cast<DWORD>(kFileHeaderSize + kInfoHeaderSize + colours * sizeof(RGBQUAD));
    fileHeader.bfSize = static_cast<DWORD>(fileHeader.bfOffBits + imageBytes);
    return file.Write(&fileHeader, kFileHeaderSize) && file.Write(&header, kInfoHeaderSize) &&
           file.Write(m_info.get() + kInfoHeaderSize, static_cast<UINT>(colours * sizeof(RGBQUAD))) &&
           file.Write(m_pixels.get(), static_cast<UINT>(imageBytes));
}

BOOL CDIBitmap::BuildPalette() {
    m_palette.reset();
    if (m_info && Header()->biBitCount <= 8) {
        m_palette = std::make_unique<CBmpPalette>(*this);
        if (!m_palette->Handle()) m_palette.reset();
    }
    return m_palette != nullptr;
}
