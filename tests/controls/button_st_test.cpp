// The owner-drawn choice buttons: caption and icon placement, pressed
// offset, the hover border under the real mouse, transparent snapshots,
// icon handling, and the button-type rules.
#include <gtest/gtest.h>

#include "controls/button_st.h"
#include "controls/shade_button_st.h"
#include "framework/handles.h"
#include "tests/controls/drawing_fixture.h"

namespace {
constexpr int kHostX = 100;
constexpr int kHostY = 100;
constexpr COLORREF kHostColour = RGB(0, 0, 128);
constexpr COLORREF kFace = RGB(10, 60, 10);
constexpr COLORREF kText = RGB(255, 255, 255);
constexpr RECT kButtonRect{20, 20, 220, 60};   // 200 x 40
constexpr int kWidth = 200;
constexpr int kHeight = 40;
constexpr UINT kId = 10;

HFONT GuiFont() { return static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)); }

int TextHeight(HFONT font) {
    MemoryCanvas canvas(10, 10);
    ScopedSelect selected(canvas.Dc(), font);
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(canvas.Dc(), &metrics);
    return metrics.tmHeight;
}

class ButtonTest : public ::testing::Test {
protected:
    template <typename Button>
    void Make(Button& button, const wchar_t* caption = L"Choice", DWORD style = 0) {
        ASSERT_TRUE(button.Create(caption, WS_CHILD | WS_VISIBLE | style, kButtonRect, &m_host, kId));
        button.SetFont(GuiFont());
        button.SetColor(CButtonST::BackIn, kFace, FALSE);
        button.SetColor(CButtonST::BackOut, kFace, FALSE);
        button.SetColor(CButtonST::BackFocus, kFace, FALSE);
        button.SetColor(CButtonST::ForeIn, kText, FALSE);
        button.SetColor(CButtonST::ForeOut, kText);
        button.UpdateWindow();
    }
    void Capture(CWnd& button, MemoryCanvas& canvas) {
        button.Invalidate();
        button.UpdateWindow();
        CaptureClient(button.m_hWnd, canvas);
    }
    static POINT ButtonCentre() {
        return POINT{kHostX + (kButtonRect.left + kButtonRect.right) / 2, kHostY + (kButtonRect.top + kButtonRect.bottom) / 2};
    }
    static POINT Outside() { return POINT{kHostX + 300, kHostY + 150}; }

    TestHost m_host{kHostX, kHostY, 400, 200, kHostColour};
};

TEST_F(ButtonTest, CaptionStartsTwentyPixelsRightAndIsCentredVertically) {
    // The plain button on its own face, and the shade button as the pages use
    // it: transparent over the page.
    CButtonST plain;
    CShadeButtonST shade;
    Make(plain);
    plain.ShowWindow(SW_HIDE);
    Make(shade);
    shade.SetTransparent();
    shade.ShowWindow(SW_HIDE);
    const struct {
        const char* name;
        CButtonST& button;
        COLORREF background;
    } cases[] = {{"plain", plain, kFace}, {"shade", shade, kHostColour}};

    const InkOrigin reference = ReferenceInk(GuiFont(), L"Choice");
    const int top = (kHeight - TextHeight(GuiFont())) / 2;
    for (const auto& c : cases) {
        c.button.ShowWindow(SW_SHOW);
        m_host.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        MemoryCanvas canvas(kWidth, kHeight);
        Capture(c.button, canvas);
        const RECT all{0, 0, kWidth, kHeight};
        EXPECT_EQ(20 + reference.left, FirstInkColumn(canvas, all, c.background)) << c.name;
        EXPECT_EQ(top + reference.top, FirstInkRow(canvas, all, c.background)) << c.name;

        ::SendMessageW(c.button.m_hWnd, BM_SETSTATE, TRUE, 0);
        Capture(c.button, canvas);
        const RECT inside{1, 1, kWidth - 1, kHeight - 1};   // inside the pressed border
        EXPECT_EQ(21 + reference.left, FirstInkColumn(canvas, inside, c.background)) << c.name << ": pressed caption not moved by one";
        EXPECT_EQ(top + 1 + reference.top, FirstInkRow(canvas, inside, c.background)) << c.name;
        EXPECT_EQ(::GetSysColor(COLOR_BTNSHADOW), canvas.Pixel(0, 0)) << c.name << ": pressed border not sunken";
        EXPECT_EQ(::GetSysColor(COLOR_BTNHIGHLIGHT), canvas.Pixel(kWidth - 1, kHeight - 1)) << c.name;
        ::SendMessageW(c.button.m_hWnd, BM_SETSTATE, FALSE, 0);
        c.button.ShowWindow(SW_HIDE);
    }
}

TEST_F(ButtonTest, IconSitsThreePixelsInAndPushesTheCaptionTo55) {
    CButtonST button;
    Make(button);
    ASSERT_EQ(0u, button.SetIcons(MakeSolidIcon(32, RGB(255, 0, 0)), nullptr));
    const InkOrigin reference = ReferenceInk(GuiFont(), L"Choice");
    MemoryCanvas canvas(kWidth, kHeight);
    Capture(button, canvas);
    EXPECT_TRUE(AreaIs(canvas, RECT{3, 4, 35, 36}, RGB(255, 0, 0))) << "icon not at 3, (40 - 32) / 2";
    EXPECT_EQ(kFace, canvas.Pixel(2, 20));
    EXPECT_EQ(kFace, canvas.Pixel(35, 20));
    EXPECT_EQ(55 + reference.left, FirstInkColumn(canvas, RECT{36, 0, kWidth, kHeight}, kFace));

    ::SendMessageW(button.m_hWnd, BM_SETSTATE, TRUE, 0);
    Capture(button, canvas);
    EXPECT_TRUE(AreaIs(canvas, RECT{4, 5, 36, 37}, RGB(255, 0, 0))) << "pressed icon not moved by one";
    EXPECT_EQ(56 + reference.left, FirstInkColumn(canvas, RECT{37, 1, kWidth - 1, kHeight - 1}, kFace));
    ::SendMessageW(button.m_hWnd, BM_SETSTATE, FALSE, 0);

    // Without caption the icon is centred.
    CButtonST bare;
    ASSERT_TRUE(bare.Create(L"", WS_CHILD | WS_VISIBLE, RECT{0, 100, 100, 140}, &m_host, 11));
    bare.SetColor(CButtonST::BackOut, kFace);
    bare.SetIcons(MakeSolidIcon(32, RGB(255, 0, 0)), nullptr);
    MemoryCanvas small(100, 40);
    Capture(bare, small);
    EXPECT_TRUE(AreaIs(small, RECT{34, 4, 66, 36}, RGB(255, 0, 0)));
    EXPECT_EQ(kFace, small.Pixel(33, 20));
}

TEST_F(ButtonTest, OtherIconAlignmentsPlaceTheIcon) {
    struct Case {
        const char* name;
        CButtonST::ImageAlign align;
        const wchar_t* caption;
        RECT icon;   // where the 16 x 16 icon lands on the 200 x 40 button
    };
    const Case cases[] = {
        {"vertical with caption", CButtonST::AlignVertical, L"x", RECT{92, 3, 108, 19}},
        {"vertical alone", CButtonST::AlignVertical, L"", RECT{92, 12, 108, 28}},
        {"right with caption", CButtonST::AlignHorizontalRight, L"x", RECT{181, 12, 197, 28}},
        {"right alone", CButtonST::AlignHorizontalRight, L"", RECT{92, 0, 108, 16}},
    };
    for (const Case& c : cases) {
        CButtonST button;
        Make(button, c.caption);
        button.SetAlign(c.align);
        ASSERT_EQ(0u, button.SetIcons(MakeSolidIcon(16, RGB(255, 0, 0)), nullptr));
        MemoryCanvas canvas(kWidth, kHeight);
        Capture(button, canvas);
        EXPECT_TRUE(AreaIs(canvas, c.icon, RGB(255, 0, 0))) << c.name;
        EXPECT_NE(RGB(255, 0, 0), canvas.Pixel(c.icon.left - 1, c.icon.top)) << c.name;
        button.DestroyWindow();
    }
}

TEST_F(ButtonTest, FlatBorderShowsOnlyUnderTheMouse) {
    CButtonST button;
    Make(button);
    MoveMouseTo(Outside().x, Outside().y);
    MemoryCanvas canvas(kWidth, kHeight);
    Capture(button, canvas);
    EXPECT_FALSE(button.IsHovered());
    EXPECT_EQ(kFace, canvas.Pixel(0, 0));

    MoveMouseTo(ButtonCentre().x, ButtonCentre().y);
    EXPECT_TRUE(button.IsHovered());
    CaptureClient(button.m_hWnd, canvas);
    EXPECT_EQ(::GetSysColor(COLOR_BTNHIGHLIGHT), canvas.Pixel(0, 0)) << "hover border not raised";
    EXPECT_EQ(::GetSysColor(COLOR_BTNSHADOW), canvas.Pixel(kWidth - 1, kHeight - 1));

    MoveMouseTo(Outside().x, Outside().y);
    EXPECT_TRUE(PumpUntil([&] { return !button.IsHovered(); }));
    button.UpdateWindow();
    CaptureClient(button.m_hWnd, canvas);
    EXPECT_EQ(kFace, canvas.Pixel(0, 0)) << "border left behind after the mouse left";
}

TEST_F(ButtonTest, NoHoverWithTheLeftButtonHeldOrOnNonFlatButtons) {
    CButtonST button;
    Make(button);
    MoveMouseTo(Outside().x, Outside().y);
    INPUT press{};
    press.type = INPUT_MOUSE;
    press.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    ::SendInput(1, &press, sizeof(press));
    PumpMessages(30);
    MoveMouseTo(ButtonCentre().x, ButtonCentre().y);
    EXPECT_FALSE(button.IsHovered()) << "hover started while dragging in from outside";
    press.mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ::SendInput(1, &press, sizeof(press));
    PumpMessages(30);

    MoveMouseTo(Outside().x, Outside().y);
    button.SetFlat(FALSE);
    MoveMouseTo(ButtonCentre().x, ButtonCentre().y);
    EXPECT_FALSE(button.IsHovered());
    MoveMouseTo(Outside().x, Outside().y);
}

TEST_F(ButtonTest, TransparentModeReusesItsSnapshotUntilSetTransparent) {
    CShadeButtonST button;
    Make(button);
    button.SetTransparent();
    button.UpdateWindow();
    MemoryCanvas canvas(kWidth, kHeight);
    CaptureClient(button.m_hWnd, canvas);
    EXPECT_EQ(kHostColour, canvas.Pixel(2, 2));

    // The page changes colour under the button; a redraw of the button alone
    // keeps showing the snapshot.
    m_host.m_background = RGB(0, 140, 0);
    {
        CClientDC hostDC(m_host.m_hWnd);
        CBrush green(RGB(0, 140, 0));
        RECT all{0, 0, 400, 200};
        hostDC.FillRect(all, green);
    }
    Capture(button, canvas);
    EXPECT_EQ(kHostColour, canvas.Pixel(2, 2)) << "snapshot not reused";

    // The page's paint handler discards it; the next draw shows the new page.
    button.SetTransparent();
    m_host.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    CaptureClient(button.m_hWnd, canvas);
    EXPECT_EQ(RGB(0, 140, 0), canvas.Pixel(2, 2));
}

TEST_F(ButtonTest, ShadeButtonPaintsNoBackgroundOfItsOwn) {
    CShadeButtonST shade;
    Make(shade);
    m_host.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    MemoryCanvas canvas(kWidth, kHeight);
    CaptureClient(shade.m_hWnd, canvas);
    EXPECT_EQ(kHostColour, canvas.Pixel(2, 2));
}

TEST_F(ButtonTest, SetIconsReportsAnIconThatCannotBeQueried) {
    CButtonST button;
    Make(button);
    const HICON bogus = reinterpret_cast<HICON>(static_cast<INT_PTR>(0x7777));
    EXPECT_EQ(1u, button.SetIcons(bogus, nullptr));

    HICON good = MakeSolidIcon(32, RGB(255, 0, 0));
    EXPECT_EQ(1u, button.SetIcons(good, bogus));
    ICONINFO info{};
    EXPECT_FALSE(::GetIconInfo(good, &info)) << "the first icon was not freed with the failure";
    MemoryCanvas canvas(kWidth, kHeight);
    Capture(button, canvas);
    EXPECT_EQ(kFace, canvas.Pixel(10, 20)) << "an icon is still drawn";

    EXPECT_EQ(0u, button.SetIcons(nullptr, nullptr));
}

TEST(GrayscaleIcon, GreyLevelTruncatesTheWeightedSum) {
    struct Case {
        COLORREF colour;
        BYTE level;
    };
    const Case cases[] = {
        {RGB(255, 0, 0), 76}, {RGB(0, 255, 0), 149}, {RGB(0, 0, 255), 29},
        {RGB(255, 255, 255), 255}, {RGB(10, 20, 30), 18}, {RGB(1, 1, 1), 1}, {RGB(200, 100, 50), 124},
    };
    for (const Case& c : cases) EXPECT_EQ(c.level, CButtonST::GrayLevel(c.colour)) << std::hex << c.colour;
}

COLORREF IconPattern(int x, int y) {
    if (x < 8) return RGB(0, 0, 0);
    return y < 8 ? RGB(255, 0, 0) : RGB(200, 100, 50);
}

TEST(GrayscaleIcon, BlackStaysBlackAndColoursTurnGrey) {
    unique_hicon icon(MakePatternIcon(16, &IconPattern));
    unique_hicon gray(CButtonST::CreateGrayscaleIcon(icon.get()));
    ASSERT_TRUE(gray);
    MemoryCanvas canvas(16, 16, RGB(9, 9, 9));
    ASSERT_TRUE(::DrawIconEx(canvas.Dc(), 0, 0, gray.get(), 16, 16, 0, nullptr, DI_NORMAL));
    EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(2, 2));
    EXPECT_EQ(RGB(76, 76, 76), canvas.Pixel(10, 2));
    EXPECT_EQ(RGB(124, 124, 124), canvas.Pixel(10, 12));
    EXPECT_EQ(nullptr, CButtonST::CreateGrayscaleIcon(nullptr));
}

TEST_F(ButtonTest, AutoGrayIconShowsWhileTheMouseIsAway) {
    CButtonST button;
    Make(button, L"");
    ASSERT_EQ(0u, button.SetIcons(MakeSolidIcon(32, RGB(255, 0, 0)), CButtonST::IconAutoGray));
    MoveMouseTo(Outside().x, Outside().y);
    MemoryCanvas canvas(kWidth, kHeight);
    Capture(button, canvas);
    EXPECT_EQ(RGB(76, 76, 76), canvas.Pixel(100, 20));
    MoveMouseTo(ButtonCentre().x, ButtonCentre().y);
    CaptureClient(button.m_hWnd, canvas);
    EXPECT_EQ(RGB(255, 0, 0), canvas.Pixel(100, 20));
    MoveMouseTo(Outside().x, Outside().y);
}

TEST_F(ButtonTest, DefaultPushButtonTypeFollowsSetStyle) {
    CButtonST button;
    Make(button, L"Go", BS_DEFPUSHBUTTON);
    EXPECT_EQ(static_cast<DWORD>(BS_OWNERDRAW), button.GetStyle() & BS_TYPEMASK);
    EXPECT_TRUE(button.SendMessage(WM_GETDLGCODE) & DLGC_DEFPUSHBUTTON);
    button.SendMessage(BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    const LRESULT code = button.SendMessage(WM_GETDLGCODE);
    EXPECT_TRUE(code & DLGC_UNDEFPUSHBUTTON);
    EXPECT_FALSE(code & DLGC_DEFPUSHBUTTON);
    EXPECT_EQ(static_cast<DWORD>(BS_OWNERDRAW), button.GetStyle() & BS_TYPEMASK) << "BM_SETSTYLE lost owner drawing";
}

TEST_F(ButtonTest, OnlyCheckBoxesKeepACheckState) {
    struct Case {
        const char* name;
        DWORD type;
        bool checkBox;
    };
    const Case cases[] = {
        {"push button", BS_PUSHBUTTON, false},
        {"owner-drawn template", BS_OWNERDRAW, false},
        {"check box", BS_CHECKBOX, true},
        {"automatic check box", BS_AUTOCHECKBOX, true},
    };
    for (const Case& c : cases) {
        CButtonST button;
        Make(button, L"Check", c.type);
        button.SendMessage(BM_SETCHECK, BST_CHECKED);
        EXPECT_EQ(c.checkBox ? 1 : 0, button.SendMessage(BM_GETCHECK)) << c.name;
        button.SendMessage(BM_SETCHECK, BST_INDETERMINATE);
        EXPECT_EQ(c.checkBox ? 1 : 0, button.Check()) << c.name;
        button.SendMessage(BM_SETCHECK, BST_UNCHECKED);
        ::SendMessageW(button.m_hWnd, BM_CLICK, 0, 0);
        EXPECT_EQ(c.checkBox ? 1 : 0, button.Check()) << c.name << ": a click toggles check boxes only";
        button.DestroyWindow();
    }
}

TEST_F(ButtonTest, DoubleClickGivesTwoClicks) {
    CButtonST button;
    Make(button);
    const LPARAM at = MAKELPARAM(10, 10);
    button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
    button.SendMessage(WM_LBUTTONUP, 0, at);
    button.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    button.SendMessage(WM_LBUTTONUP, 0, at);
    EXPECT_EQ(2, m_host.CountCommands(kId, BN_CLICKED));
}

TEST_F(ButtonTest, DisablingMovesTheFocusToTheNextTabStop) {
    CButtonST first;
    CButtonST second;
    CButtonST third;
    ASSERT_TRUE(first.Create(L"1", WS_CHILD | WS_VISIBLE | WS_TABSTOP, RECT{0, 0, 50, 20}, &m_host, 21));
    ASSERT_TRUE(second.Create(L"2", WS_CHILD | WS_VISIBLE | WS_TABSTOP, RECT{60, 0, 110, 20}, &m_host, 22));
    ASSERT_TRUE(third.Create(L"3", WS_CHILD | WS_VISIBLE | WS_TABSTOP, RECT{120, 0, 170, 20}, &m_host, 23));
    third.SetFocus();
    ASSERT_EQ(third.m_hWnd, ::GetFocus());
    first.EnableWindow(FALSE);
    EXPECT_EQ(second.m_hWnd, ::GetFocus()) << "focus must go to the tab stop after the disabled button";
}
}  // namespace
