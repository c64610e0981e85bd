// The pictures and icons of both libraries: every id loads, pictures are
// palettised, icons come in both sizes with transparent surroundings.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "tests/resources/library_fixture.h"

namespace {

std::vector<int> BitmapIds() {
    std::vector<int> ids{129, 148};
    for (int id = 139; id <= 146; ++id) ids.push_back(id);
    for (int id = 150; id <= 179; ++id) ids.push_back(id);
    return ids;
}

const int kIconIds[] = {128, 131, 132, 137, 138};

class ArtworkTest : public ResourceLibraryTest {};

TEST_P(ArtworkTest, EveryBitmapLoadsAsAPalettisedPicture) {
    for (int id : BitmapIds()) {
        SCOPED_TRACE("bitmap " + std::to_string(id));
        HANDLE image = LoadImageW(Module(), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
        ASSERT_NE(image, nullptr);
        DIBSECTION section{};
        ASSERT_EQ(GetObjectW(image, sizeof section, &section), static_cast<int>(sizeof section));
        EXPECT_GT(section.dsBm.bmWidth, 0);
        EXPECT_GT(section.dsBm.bmHeight, 0);
        EXPECT_LE(section.dsBmih.biBitCount, 8) << "the pages' palette path expects a colour table";
        DeleteObject(image);
    }
}

TEST_P(ArtworkTest, SlideshowPicturesAreSixDifferentPictures) {
    std::vector<std::vector<BYTE>> pictures;
    for (int id = 141; id <= 146; ++id) {
        HANDLE image = LoadImageW(Module(), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
        ASSERT_NE(image, nullptr);
        DIBSECTION section{};
        GetObjectW(image, sizeof section, &section);
        const BYTE* bits = static_cast<const BYTE*>(section.dsBm.bmBits);
        pictures.emplace_back(bits, bits + section.dsBm.bmWidthBytes * section.dsBm.bmHeight);
        DeleteObject(image);
    }
    for (size_t a = 0; a < pictures.size(); ++a)
        for (size_t b = a + 1; b < pictures.size(); ++b)
            EXPECT_NE(pictures[a], pictures[b]) << "slides " << 141 + a << " and " << 141 + b;
}

// Draws the icon at `size` over magenta and reads back a corner and the centre.
void ExpectTransparentCornerAndVisibleCentre(HICON icon, int size) {
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP target = CreateCompatibleBitmap(screen, size, size);
    HGDIOBJ old = SelectObject(memory, target);
    const COLORREF magenta = RGB(255, 0, 255);
    HBRUSH brush = CreateSolidBrush(magenta);
    RECT all{0, 0, size, size};
    FillRect(memory, &all, brush);
    DrawIconEx(memory, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
    EXPECT_EQ(GetPixel(memory, 0, 0), magenta) << "corner of the " << size << " pixel image";
    EXPECT_NE(GetPixel(memory, size / 2, size / 2), magenta) << "centre of the " << size << " pixel image";
    SelectObject(memory, old);
    DeleteObject(brush);
    DeleteObject(target);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

TEST_P(ArtworkTest, IconsHaveSixteenAndThirtyTwoPixelImagesWithTransparency) {
    for (int id : kIconIds) {
        for (int size : {16, 32}) {
            SCOPED_TRACE("icon " + std::to_string(id) + " at " + std::to_string(size));
            HICON icon = static_cast<HICON>(LoadImageW(Module(), MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, 0));
            ASSERT_NE(icon, nullptr);
            ICONINFO info{};
            ASSERT_TRUE(GetIconInfo(icon, &info));
            BITMAP colour{};
            ASSERT_NE(info.hbmColor, nullptr) << "a colour image, not a monochrome one";
            GetObjectW(info.hbmColor, sizeof colour, &colour);
            EXPECT_EQ(colour.bmWidth, size) << "an image made for this size, not a scaled one";
            DeleteObject(info.hbmColor);
            DeleteObject(info.hbmMask);
            ExpectTransparentCornerAndVisibleCentre(icon, size);
            DestroyIcon(icon);
        }
    }
}

TEST_P(ArtworkTest, ChosenAndNotChosenIconsLookDifferent) {
    auto centreColour = [&](int id) {
        HICON icon = static_cast<HICON>(LoadImageW(Module(), MAKEINTRESOURCEW(id), IMAGE_ICON, 32, 32, 0));
        HDC screen = GetDC(nullptr);
        HDC memory = CreateCompatibleDC(screen);
        HBITMAP target = CreateCompatibleBitmap(screen, 32, 32);
        HGDIOBJ old = SelectObject(memory, target);
        RECT all{0, 0, 32, 32};
        FillRect(memory, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        DrawIconEx(memory, 0, 0, icon, 32, 32, 0, nullptr, DI_NORMAL);
        COLORREF centre = GetPixel(memory, 16, 16);
        SelectObject(memory, old);
        DeleteObject(target);
        DeleteDC(memory);
        ReleaseDC(nullptr, screen);
        DestroyIcon(icon);
        return centre;
    };
    EXPECT_NE(centreColour(131), centreColour(132)) << "feature chosen / not chosen";
    EXPECT_NE(centreColour(138), centreColour(137)) << "choice chosen / not chosen";
}

INSTANTIATE_FOR_EVERY_LANGUAGE(ArtworkTest);

}  // namespace
