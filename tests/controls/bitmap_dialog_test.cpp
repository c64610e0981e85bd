// The skinned page base: how the picture covers the page in each mode, which
// controls get the hollow brush, and the palette messages.
#include <gtest/gtest.h>

#include "controls/bitmap_dialog.h"
#include "framework/win_app.h"
#include "tests/controls/drawing_fixture.h"

namespace {
constexpr UINT kSkinnedPage = 201;
constexpr UINT kSkin8 = 300;
constexpr int kEdit = 100;
constexpr int kButton = 101;
constexpr int kStatic = 102;
constexpr int kTrackbar = 103;
constexpr int kClientWidth = 500;
constexpr int kClientHeight = 300;

class TestPage : public CBitmapDialog {
public:
    using CBitmapDialog::CBitmapDialog;
    CDIBitmap& Background() { return m_background; }
    void SetMode(int mode) { m_backgroundMode = mode; }
    using CBitmapDialog::RepaintForRealizedEntries;
};
using ScriptedPage = ScriptedDialog<TestPage>;

// Gives `page` a picture made from `pattern` and renders its erase into a
// 500 x 300 canvas.
void UsePicture(TestPage& page, int width, int height, COLORREF (*pattern)(int, int)) {
    CBitmap bitmap;
    bitmap.Attach(MakePatternBitmap(width, height, 24, pattern));
    CClientDC screen(nullptr);
    ASSERT_TRUE(page.Background().CreateFromBitmap(&screen, &bitmap));
}

void EraseInto(TestPage& page, MemoryCanvas& canvas) {
    RECT frame{0, 0, kClientWidth, kClientHeight};
    ::AdjustWindowRectEx(&frame, page.GetStyle(), FALSE, static_cast<DWORD>(::GetWindowLongPtrW(page.m_hWnd, GWL_EXSTYLE)));
    page.SetWindowPos(nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top, SWP_NOMOVE | SWP_NOZORDER);
    RECT client{};
    page.GetClientRect(&client);
    ASSERT_EQ(kClientWidth, client.right);
    ASSERT_EQ(kClientHeight, client.bottom);
    EXPECT_TRUE(page.SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(canvas.Dc())));
}

COLORREF Coordinates(int x, int y) { return RGB(x % 256, y % 256, 16 * (x / 256) + y / 256); }
COLORREF Quadrants(int x, int y) {
    if (y < 15) return x < 25 ? RGB(255, 0, 0) : RGB(0, 255, 0);
    return x < 25 ? RGB(0, 0, 255) : RGB(255, 255, 0);
}

// Runs `check` with a page whose picture and mode were set by `prepare`.
void WithPage(std::function<void(TestPage&)> body) {
    SetResourceModule(::GetModuleHandleW(nullptr));
    ScriptedPage page(kSkinnedPage);
    page.body = [&](ScriptedPage& p) { body(p); };
    ASSERT_EQ(IDOK, page.DoModal());
}

TEST(BackgroundErase, TileModeCoversThePageWithClippedTiles) {
    WithPage([](TestPage& page) {
        UsePicture(page, 200, 200, &Coordinates);
        page.SetMode(BackgroundTile);
        MemoryCanvas canvas(kClientWidth, kClientHeight);
        EraseInto(page, canvas);
        // Six tiles: columns at 0, 200, 400 (the last cut at 500), rows at 0
        // and 200 (the lower one cut at 300).
        for (int y = 0; y < kClientHeight; ++y)
            for (int x = 0; x < kClientWidth; ++x)
                ASSERT_EQ(Coordinates(x % 200, y % 200), canvas.Pixel(x, y)) << x << "," << y;
    });
}

TEST(BackgroundErase, UnknownModesTile) {
    WithPage([](TestPage& page) {
        UsePicture(page, 200, 200, &Coordinates);
        page.SetMode(7);
        MemoryCanvas canvas(kClientWidth, kClientHeight);
        EraseInto(page, canvas);
        EXPECT_EQ(Coordinates(50, 60), canvas.Pixel(450, 260));
    });
}

TEST(BackgroundErase, CentreModeShowsTheMiddleOfALargerPicture) {
    WithPage([](TestPage& page) {
        UsePicture(page, 600, 400, &Coordinates);
        page.SetMode(BackgroundCenter);
        MemoryCanvas canvas(kClientWidth, kClientHeight);
        EraseInto(page, canvas);
        for (int y = 0; y < kClientHeight; y += 7)
            for (int x = 0; x < kClientWidth; x += 7)
                ASSERT_EQ(Coordinates(x + 50, y + 50), canvas.Pixel(x, y)) << x << "," << y;
    });
}

TEST(BackgroundErase, CentreModeErasesThePageFirst) {
    WithPage([](TestPage& page) {
        UsePicture(page, 101, 100, &Coordinates);
        page.SetMode(BackgroundCenter);
        MemoryCanvas canvas(kClientWidth, kClientHeight, RGB(1, 2, 3));
        EraseInto(page, canvas);
        const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
        EXPECT_EQ(face, canvas.Pixel(0, 0));
        EXPECT_EQ(face, canvas.Pixel(198, 150));
        EXPECT_EQ(Coordinates(0, 0), canvas.Pixel(199, 100));   // (500 - 101) / 2 truncates to 199
        EXPECT_EQ(Coordinates(100, 99), canvas.Pixel(299, 199));
        EXPECT_EQ(face, canvas.Pixel(300, 150));
    });
}

TEST(BackgroundErase, StretchModeScalesThePictureToThePage) {
    WithPage([](TestPage& page) {
        UsePicture(page, 50, 30, &Quadrants);
        page.SetMode(BackgroundStretch);
        MemoryCanvas canvas(kClientWidth, kClientHeight);
        EraseInto(page, canvas);
        EXPECT_EQ(RGB(255, 0, 0), canvas.Pixel(5, 5));
        EXPECT_EQ(RGB(255, 0, 0), canvas.Pixel(240, 140));
        EXPECT_EQ(RGB(0, 255, 0), canvas.Pixel(260, 5));
        EXPECT_EQ(RGB(0, 255, 0), canvas.Pixel(495, 140));
        EXPECT_EQ(RGB(0, 0, 255), canvas.Pixel(5, 295));
        EXPECT_EQ(RGB(255, 255, 0), canvas.Pixel(495, 295));
    });
}

TEST(BackgroundErase, WithoutPictureThePageErasesLikeAPlainDialog) {
    WithPage([](TestPage& page) {
        MemoryCanvas canvas(kClientWidth, kClientHeight, RGB(1, 2, 3));
        EraseInto(page, canvas);
        EXPECT_TRUE(AreaIs(canvas, RECT{0, 0, kClientWidth, kClientHeight}, ::GetSysColor(COLOR_BTNFACE)));
    });
}

TEST(SetBackground, LoadsTheResourcePictureAndKeepsItWhenAnIdIsMissing) {
    WithPage([](TestPage& page) {
        page.SetBackground(kSkin8, BackgroundStretch);
        ASSERT_TRUE(page.Background().IsLoaded());
        EXPECT_NE(nullptr, page.Background().Palette());
        page.SetBackground(4711, BackgroundTile);
        EXPECT_TRUE(page.Background().IsLoaded());
        EXPECT_EQ(64, page.Background().Width());
    });
}

TEST(ControlColours, StaticsAndButtonsOverThePictureAreTransparent) {
    struct Case {
        const char* name;
        UINT message;
        int control;   // 0: the dialog itself
        bool picture;
        bool hollow;
    };
    const Case cases[] = {
        {"static", WM_CTLCOLORSTATIC, kStatic, true, true},
        {"button", WM_CTLCOLORBTN, kButton, true, true},
        {"trackbar", WM_CTLCOLORSTATIC, kTrackbar, true, false},
        {"edit", WM_CTLCOLOREDIT, kEdit, true, false},
        {"dialog", WM_CTLCOLORDLG, 0, true, false},
        {"static without picture", WM_CTLCOLORSTATIC, kStatic, false, false},
        {"button without picture", WM_CTLCOLORBTN, kButton, false, false},
    };
    const HBRUSH hollow = static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
    for (const Case& c : cases) {
        WithPage([&](TestPage& page) {
            if (c.picture) UsePicture(page, 10, 10, &Coordinates);
            HWND control = c.control ? page.GetDlgItem(c.control) : page.m_hWnd;
            ASSERT_NE(nullptr, control) << c.name;
            MemoryCanvas canvas(4, 4);
            ::SetBkMode(canvas.Dc(), OPAQUE);
            const auto brush = reinterpret_cast<HBRUSH>(
                page.SendMessage(c.message, reinterpret_cast<WPARAM>(canvas.Dc()), reinterpret_cast<LPARAM>(control)));
            EXPECT_EQ(c.hollow, brush == hollow) << c.name;
            EXPECT_EQ(c.hollow ? TRANSPARENT : OPAQUE, ::GetBkMode(canvas.Dc())) << c.name;
        });
    }
}

TEST(Palette, RealizingWithoutChangesNeitherRepaintsNorClaimsTheMessage) {
    WithPage([](TestPage& page) {
        page.SetBackground(kSkin8, BackgroundStretch);
        page.UpdateWindow();
        ::ValidateRect(page.m_hWnd, nullptr);
        EXPECT_FALSE(page.RepaintForRealizedEntries(0));
        EXPECT_FALSE(::GetUpdateRect(page.m_hWnd, nullptr, FALSE));
        EXPECT_TRUE(page.RepaintForRealizedEntries(12));
        EXPECT_TRUE(::GetUpdateRect(page.m_hWnd, nullptr, FALSE));
    });
}

TEST(Palette, ChangesCausedByThePageOrItsControlsAreIgnored) {
    WithPage([](TestPage& page) {
        page.SetBackground(kSkin8, BackgroundStretch);
        page.UpdateWindow();
        for (HWND changer : {page.m_hWnd, page.GetDlgItem(kButton)}) {
            ::ValidateRect(page.m_hWnd, nullptr);
            page.SendMessage(WM_PALETTECHANGED, reinterpret_cast<WPARAM>(changer));
            EXPECT_FALSE(::GetUpdateRect(page.m_hWnd, nullptr, FALSE));
        }
    });
}

TEST(Palette, WithoutPaletteTheMessagesGetDefaultProcessing) {
    WithPage([](TestPage& page) {
        UsePicture(page, 10, 10, &Coordinates);   // 24 bits: no palette
        ::ValidateRect(page.m_hWnd, nullptr);
        EXPECT_EQ(0, page.SendMessage(WM_QUERYNEWPALETTE));
        EXPECT_FALSE(::GetUpdateRect(page.m_hWnd, nullptr, FALSE));
    });
}
}  // namespace
