// The in-memory picture: the BMP reader's refusals, conversion of device
// bitmaps of every depth, loading from resources, drawing and saving.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "controls/bmp_palette.h"
#include "controls/dib_bitmap.h"
#include "framework/file.h"
#include "framework/win_app.h"
#include "tests/common/test_paths.h"
#include "tests/controls/drawing_fixture.h"

namespace {
constexpr UINT kSkin8 = 300;   // 64 x 48, 8 bits, quadrants red, green / blue, yellow

// A BMP file in memory: 14-byte file header, info header of `headerSize`
// bytes (the first 40 as a BITMAPINFOHEADER), `colours` table entries and
// the pixel rows of a `width` x `height` picture at `bits` per pixel.
struct BmpBytes {
    BITMAPFILEHEADER file{};
    std::vector<BYTE> header;
    std::vector<BYTE> colours;
    std::vector<BYTE> pixels;

    BmpBytes(int width, int height, WORD bits, DWORD headerSize = 40, int colourCount = 0) {
        header.assign(headerSize, 0);
        BITMAPINFOHEADER info{};
        info.biSize = headerSize;
        info.biWidth = width;
        info.biHeight = height;
        info.biPlanes = 1;
        info.biBitCount = bits;
        info.biClrUsed = static_cast<DWORD>(colourCount);
        std::memcpy(header.data(), &info, headerSize < 40 ? headerSize : 40);
        colours.assign(static_cast<size_t>(colourCount) * 4, 0);
        const size_t row = ((static_cast<size_t>(width) * bits + 31) / 32) * 4;
        pixels.assign(row * static_cast<size_t>(height), 0);
        file.bfType = 0x4D42;
        Finish();
    }
    BITMAPINFOHEADER& Info() { return *reinterpret_cast<BITMAPINFOHEADER*>(header.data()); }
    void Finish() {
        file.bfOffBits = static_cast<DWORD>(14 + header.size() + colours.size());
        file.bfSize = static_cast<DWORD>(file.bfOffBits + pixels.size());
    }
    std::vector<BYTE> Bytes() const {
        const auto* fileBytes = reinterpret_cast<const BYTE*>(&file);
        std::vector<BYTE> bytes(fileBytes, fileBytes + sizeof(file));
        bytes.insert(bytes.end(), header.begin(), header.end());
        bytes.insert(bytes.end(), colours.begin(), colours.end());
        bytes.insert(bytes.end(), pixels.begin(), pixels.end());
        return bytes;
    }
};

BOOL LoadBytes(CDIBitmap& picture, const std::vector<BYTE>& bytes) {
    CMemFile file(bytes.data(), bytes.size());
    return picture.LoadFromStream(file);
}

TEST(BmpReader, RefusesWhatItCannotDrawSafely) {
    struct Case {
        const char* name;
        std::vector<BYTE> bytes;
        const char* error;
    };
    std::vector<Case> cases;
    {
        BmpBytes b(2, 2, 24);
        b.file.bfType = 0x4142;   // "BA"
        cases.push_back({"not BM", b.Bytes(), dib_errors::kNotDib});
    }
    cases.push_back({"shorter than a file header", std::vector<BYTE>{'B', 'M', 0, 0}, dib_errors::kNotDib});
    for (DWORD size : {12u, 64u, 108u, 124u}) {
        BmpBytes b(2, 2, 24, size);
        cases.push_back({"header size", b.Bytes(), dib_errors::kOs2});
    }
    {
        BmpBytes b(2, 2, 8, 40, 2);
        b.Info().biClrUsed = 300;
        cases.push_back({"more than 256 colours", b.Bytes(), dib_errors::kBadHeader});
    }
    {
        BmpBytes b(2, 2, 8, 40, 2);
        b.Info().biCompression = BI_RLE8;
        cases.push_back({"compressed rows", b.Bytes(), dib_errors::kBadHeader});
    }
    {
        BmpBytes b(2, 2, 24);
        b.Info().biHeight = -2;
        cases.push_back({"top-down rows", b.Bytes(), dib_errors::kBadHeader});
    }
    {
        BmpBytes b(2, 2, 24);
        b.Info().biBitCount = 7;
        cases.push_back({"odd depth", b.Bytes(), dib_errors::kBadHeader});
    }
    {
        BmpBytes b(2, 2, 24);
        b.file.bfOffBits = 5000;
        cases.push_back({"pixels past the end", b.Bytes(), dib_errors::kBadSize});
    }
    {
        BmpBytes b(2, 2, 24);
        b.file.bfSize = 1u << 30;
        cases.push_back({"size past the end", b.Bytes(), dib_errors::kBadSize});
    }
    {
        BmpBytes b(2, 2, 24);
        b.file.bfOffBits = 20;
        cases.push_back({"pixels inside the header", b.Bytes(), dib_errors::kBadSize});
    }
    {
        BmpBytes b(2, 2, 24);
        b.Info().biWidth = 4000;
        b.Info().biHeight = 4000;
        cases.push_back({"picture larger than its pixel data", b.Bytes(), dib_errors::kBadSize});
    }
    for (const Case& c : cases) {
        CDIBitmap picture;
        EXPECT_FALSE(LoadBytes(picture, c.bytes)) << c.name;
        EXPECT_FALSE(picture.IsLoaded()) << c.name;
        EXPECT_EQ(nullptr, picture.Info()) << c.name;
        EXPECT_EQ(c.error, picture.LastLoadError()) << c.name;
    }
}

TEST(BmpReader, ReadsAPalettePictureAndAShortColourTable) {
    BmpBytes b(3, 2, 8, 40, 2);
    b.colours = {0, 0, 255, 0, 255, 0, 0, 0};   // red, blue (stored blue, green, red)
    b.pixels = {0, 1, 0, 0, 1, 1, 1, 0};
    b.Finish();
    CDIBitmap picture;
    ASSERT_TRUE(LoadBytes(picture, b.Bytes())) << picture.LastLoadError();
    EXPECT_EQ(3, picture.Width());
    EXPECT_EQ(2, picture.Height());
    ASSERT_NE(nullptr, picture.Palette());
    PALETTEENTRY entries[2]{};
    ASSERT_EQ(2u, ::GetPaletteEntries(picture.Palette()->Handle(), 0, 2, entries));
    EXPECT_EQ(255, entries[0].peRed);
    EXPECT_EQ(255, entries[1].peBlue);

    // A 24-bit 1 x 1 file is far shorter than the 1024 bytes of colour table
    // that the reader always tries; that is not an error.
    BmpBytes tiny(1, 1, 24);
    tiny.pixels = {1, 2, 3, 0};
    CDIBitmap small;
    ASSERT_TRUE(LoadBytes(small, tiny.Bytes())) << small.LastLoadError();
    EXPECT_EQ(nullptr, small.Palette());
    EXPECT_EQ(1, small.Pixels()[0]);
}

TEST(BmpReader, AFailedReloadLeavesThePictureEmpty) {
    CDIBitmap picture;
    ASSERT_TRUE(LoadBytes(picture, BmpBytes(2, 2, 24).Bytes()));
    BmpBytes broken(2, 2, 24);
    broken.file.bfType = 0;
    EXPECT_FALSE(LoadBytes(picture, broken.Bytes()));
    EXPECT_FALSE(picture.IsLoaded());
    EXPECT_FALSE(picture.LoadFromFile(L"Z:\\no\\such\\picture.bmp"));
}

COLORREF Stripes(int x, int y) {
    // Full or empty channels only, so that 16-bit storage keeps them exactly.
    static const COLORREF colours[] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(255, 255, 0)};
    return colours[(x + 2 * y) % 4];
}
COLORREF TwoColours(int x, int y) { return (x + y) % 2 ? RGB(255, 255, 255) : RGB(0, 0, 0); }

TEST(DeviceBitmapConversion, KeepsSmallDepthsWithPaletteAndWidensDeepOnes) {
    struct Case {
        int depth;
        int storedDepth;
        size_t rowBytes;   // for a width of 9
        bool palette;
    };
    const Case cases[] = {
        {1, 1, 12, true},   // rows sized as for 8 bits per pixel
        {4, 4, 12, true},
        {8, 8, 12, true},
        {16, 24, 28, false},
        {24, 24, 28, false},
        {32, 24, 28, false},
    };
    constexpr int kWidth = 9;
    constexpr int kHeight = 5;
    for (const Case& c : cases) {
        CBitmap bitmap;
        bitmap.Attach(MakePatternBitmap(kWidth, kHeight, c.depth, c.depth == 1 ? &TwoColours : &Stripes));
        ASSERT_TRUE(bitmap) << c.depth;
        CDIBitmap picture;
        CClientDC screen(nullptr);
        ASSERT_TRUE(picture.CreateFromBitmap(&screen, &bitmap)) << c.depth << ": " << picture.LastLoadError();
        EXPECT_EQ(c.storedDepth, picture.BitCount()) << c.depth;
        EXPECT_EQ(c.rowBytes * kHeight, picture.PixelBytes()) << c.depth;
        EXPECT_EQ(c.palette, picture.Palette() != nullptr) << c.depth;

        // Whatever the storage, it draws the picture it was given.
        MemoryCanvas canvas(kWidth, kHeight, RGB(1, 2, 3));
        CDC dc;
        dc.Attach(canvas.Dc());
        picture.DrawAt(&dc, 0, 0);
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x)
                ASSERT_EQ((c.depth == 1 ? TwoColours : Stripes)(x, y), canvas.Pixel(x, y))
                    << "depth " << c.depth << " at " << x << "," << y;
    }
}

TEST(DeviceBitmapConversion, NoBitmapFailsAndEmptiesThePicture) {
    CDIBitmap picture;
    ASSERT_TRUE(LoadBytes(picture, BmpBytes(2, 2, 24).Bytes()));
    CBitmap none;
    CClientDC screen(nullptr);
    EXPECT_FALSE(picture.CreateFromBitmap(&screen, &none));
    EXPECT_FALSE(picture.IsLoaded());
}

TEST(ResourcePicture, LoadsFromTheResourceModuleAndKeepsItOnAMissingId) {
    SetResourceModule(::GetModuleHandleW(nullptr));
    CDIBitmap picture;
    ASSERT_TRUE(picture.LoadFromResource(kSkin8));
    EXPECT_EQ(64, picture.Width());
    EXPECT_EQ(48, picture.Height());
    EXPECT_EQ(8, picture.BitCount());
    EXPECT_NE(nullptr, picture.Palette());
    EXPECT_FALSE(picture.LoadFromResource(4711));
    EXPECT_TRUE(picture.IsLoaded()) << "a missing resource must leave the picture as it was";

    MemoryCanvas canvas(64, 48);
    CDC dc;
    dc.Attach(canvas.Dc());
    picture.DrawAt(&dc, 0, 0);
    EXPECT_EQ(RGB(255, 0, 0), canvas.Pixel(5, 5));
    EXPECT_EQ(RGB(0, 255, 0), canvas.Pixel(40, 5));
    EXPECT_EQ(RGB(0, 0, 255), canvas.Pixel(5, 40));
    EXPECT_EQ(RGB(255, 255, 0), canvas.Pixel(40, 40));

    // A section: the top-right quadrant (top-down coordinates) drawn at 0, 0.
    canvas.Fill(RGB(0, 0, 0));
    EXPECT_GT(picture.DrawSection(&dc, RECT{0, 0, 32, 24}, RECT{32, 0, 64, 24}), 0);
    EXPECT_EQ(RGB(0, 255, 0), canvas.Pixel(0, 0));
    EXPECT_EQ(RGB(0, 255, 0), canvas.Pixel(31, 23));
    EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(40, 30));
}

TEST(ResourcePicture, SavedFileReadsBackTheSamePicture) {
    SetResourceModule(::GetModuleHandleW(nullptr));
    CDIBitmap original;
    ASSERT_TRUE(original.LoadFromResource(kSkin8));
    CMemFile stream;
    ASSERT_TRUE(original.SaveToStream(stream));
    stream.SeekToBegin();
    CDIBitmap copy;
    ASSERT_TRUE(copy.LoadFromStream(stream)) << copy.LastLoadError();
    EXPECT_EQ(original.Width(), copy.Width());
    EXPECT_EQ(original.BitCount(), copy.BitCount());
    const size_t imageBytes = 64 * 48;
    EXPECT_EQ(0, std::memcmp(original.Pixels(), copy.Pixels(), imageBytes));

    ScratchFolder folder(L"dib");
    ASSERT_TRUE(original.SaveToFile(folder / L"skin.bmp"));
    CDIBitmap fromFile;
    EXPECT_TRUE(fromFile.LoadFromFile(folder / L"skin.bmp")) << fromFile.LastLoadError();
}

TEST(DrawingWithoutPicture, DrawsNothing) {
    CDIBitmap picture;
    MemoryCanvas canvas(4, 4, RGB(9, 9, 9));
    CDC dc;
    dc.Attach(canvas.Dc());
    picture.DrawAt(&dc, 0, 0);
    picture.DrawStretched(nullptr, 0, 0, 4, 4);
    EXPECT_EQ(0, picture.DrawSection(&dc, RECT{0, 0, 4, 4}, RECT{0, 0, 4, 4}));
    EXPECT_TRUE(AreaIs(canvas, RECT{0, 0, 4, 4}, RGB(9, 9, 9)));
}
}  // namespace

namespace {
COLORREF RedBlueColumns(int x, int) { return x % 2 ? RGB(0, 0, 255) : RGB(255, 0, 0); }

TEST(DrawingShrunk, KeepsColoursInsteadOfDarkeningThem) {
    CBitmap bitmap;
    bitmap.Attach(MakePatternBitmap(40, 10, 24, &RedBlueColumns));
    CDIBitmap picture;
    CClientDC screen(nullptr);
    ASSERT_TRUE(picture.CreateFromBitmap(&screen, &bitmap));
    MemoryCanvas canvas(20, 10, RGB(7, 7, 7));
    CDC dc;
    dc.Attach(canvas.Dc());
    picture.DrawStretched(&dc, 0, 0, 20, 10);
    for (int x = 0; x < 20; ++x) {
        const COLORREF pixel = canvas.Pixel(x, 5);
        EXPECT_TRUE(pixel == RGB(255, 0, 0) || pixel == RGB(0, 0, 255)) << x << ": " << std::hex << pixel;
    }
    EXPECT_EQ(BLACKONWHITE, ::GetStretchBltMode(canvas.Dc())) << "the caller's stretch mode was not restored";
}
}  // namespace
