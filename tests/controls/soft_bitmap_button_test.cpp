// The picture buttons: which picture each state shows, hover under the real
// mouse with one leave request per hover, and loading from resources.
#include <gtest/gtest.h>

#include "controls/soft_bitmap_button.h"
#include "framework/win_app.h"
#include "tests/controls/drawing_fixture.h"

namespace {
// Resource pictures of 40 x 20 pixels.
constexpr UINT kNormal = 301;
constexpr UINT kSelected = 302;
constexpr UINT kHover = 303;
constexpr UINT kDisabled = 304;
constexpr COLORREF kNormalColour = RGB(200, 0, 0);
constexpr COLORREF kSelectedColour = RGB(0, 200, 0);
constexpr COLORREF kHoverColour = RGB(0, 0, 200);
constexpr COLORREF kDisabledColour = RGB(90, 90, 90);
constexpr int kHostX = 100;
constexpr int kHostY = 100;
constexpr RECT kButtonRect{30, 30, 70, 50};

class CountingButton : public CSoftBitmapButton {
public:
    int m_leaveRequests = 0;

protected:
    void RequestLeaveNotification() override {
        ++m_leaveRequests;
        CSoftBitmapButton::RequestLeaveNotification();
    }
};

class SoftButtonTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetResourceModule(::GetModuleHandleW(nullptr));
        ASSERT_TRUE(m_button.Create(L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, kButtonRect, &m_host, 1001));
        MoveMouseTo(kHostX + 200, kHostY + 100);
    }
    COLORREF Face() {
        m_button.Invalidate(FALSE);
        m_button.UpdateWindow();
        return WindowPixel(m_button.m_hWnd, 20, 10);
    }
    void MouseOver(int dx = 0) { MoveMouseTo(kHostX + 50 + dx, kHostY + 40); }
    void MouseAway() {
        MoveMouseTo(kHostX + 200, kHostY + 100);
        PumpUntil([&] { return !m_button.IsHovered(); });
    }

    TestHost m_host{kHostX, kHostY, 300, 150};
    CountingButton m_button;
};

TEST_F(SoftButtonTest, AttachingMakesTheButtonOwnerDrawnAndKeepsOtherStyles) {
    EXPECT_EQ(static_cast<DWORD>(BS_OWNERDRAW), m_button.GetStyle() & BS_TYPEMASK);
    EXPECT_TRUE(m_button.GetStyle() & WS_TABSTOP);
}

TEST_F(SoftButtonTest, LoadingFailsOnlyWithoutTheNormalPicture) {
    EXPECT_TRUE(m_button.LoadBitmaps(kNormal, kSelected, kHover, kDisabled));
    EXPECT_TRUE(m_button.LoadBitmaps(kNormal, 0, 4711, 0));
    EXPECT_FALSE(m_button.m_bitmapFocus);
    EXPECT_FALSE(m_button.LoadBitmaps(4711, kSelected, kHover, kDisabled));
    EXPECT_FALSE(m_button.m_bitmap);
}

TEST_F(SoftButtonTest, PictureChoiceFollowsSelectedDisabledHoverNormal) {
    struct Case {
        const char* name;
        UINT selected, hover, disabled;   // 0: picture left out
        UINT state;
        BOOL hovered;
        COLORREF expected;
    };
    const Case cases[] = {
        {"normal", kSelected, kHover, kDisabled, 0, FALSE, kNormalColour},
        {"hover", kSelected, kHover, kDisabled, 0, TRUE, kHoverColour},
        {"pressed under the mouse", kSelected, kHover, kDisabled, ODS_SELECTED, TRUE, kSelectedColour},
        {"selected and disabled", kSelected, kHover, kDisabled, ODS_SELECTED | ODS_DISABLED, TRUE, kSelectedColour},
        {"disabled under the mouse", kSelected, kHover, kDisabled, ODS_DISABLED, TRUE, kDisabledColour},
        {"disabled without picture", kSelected, kHover, 0, ODS_DISABLED, FALSE, kNormalColour},
        {"disabled without picture, hovered", kSelected, kHover, 0, ODS_DISABLED, TRUE, kHoverColour},
        {"hover without picture", kSelected, 0, kDisabled, 0, TRUE, kNormalColour},
        {"pressed without picture", 0, kHover, kDisabled, ODS_SELECTED, TRUE, kHoverColour},
        {"focus has no picture", kSelected, kHover, kDisabled, ODS_FOCUS, FALSE, kNormalColour},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(m_button.LoadBitmaps(kNormal, c.selected, c.hover, c.disabled));
        MemoryCanvas canvas(40, 20);
        DRAWITEMSTRUCT item{};
        item.CtlType = ODT_BUTTON;
        item.itemState = c.state;
        item.hDC = canvas.Dc();
        item.rcItem = RECT{0, 0, 40, 20};
        DrawPictureIntoItem(item, m_button.ChoosePicture(c.state, c.hovered));
        EXPECT_TRUE(AreaIs(canvas, item.rcItem, c.expected)) << c.name;
    }
}

TEST_F(SoftButtonTest, RealStatesDrawTheirPictures) {
    ASSERT_TRUE(m_button.LoadBitmaps(kNormal, kSelected, kHover, kDisabled));
    EXPECT_EQ(kNormalColour, Face());
    MouseOver();
    EXPECT_TRUE(m_button.IsHovered());
    EXPECT_EQ(kHoverColour, Face());
    m_button.SendMessage(BM_SETSTATE, TRUE);
    EXPECT_EQ(kSelectedColour, Face());
    m_button.SendMessage(BM_SETSTATE, FALSE);
    m_button.EnableWindow(FALSE);
    EXPECT_EQ(kDisabledColour, Face());
    m_button.EnableWindow(TRUE);
    MouseAway();
    EXPECT_EQ(kNormalColour, Face());
}

TEST_F(SoftButtonTest, OneLeaveRequestPerHover) {
    ASSERT_TRUE(m_button.LoadBitmaps(kNormal, kSelected, kHover));
    MouseOver(-5);
    MouseOver(0);
    MouseOver(5);
    EXPECT_TRUE(m_button.IsHovered());
    EXPECT_EQ(1, m_button.m_leaveRequests);
    MouseAway();
    EXPECT_FALSE(m_button.IsHovered());
    MouseOver();
    EXPECT_EQ(2, m_button.m_leaveRequests);
    MouseAway();
}

TEST_F(SoftButtonTest, WithoutNormalPictureNothingIsDrawn) {
    m_button.LoadBitmaps(4711);
    MemoryCanvas canvas(40, 20, RGB(7, 7, 7));
    DRAWITEMSTRUCT item{};
    item.hDC = canvas.Dc();
    item.rcItem = RECT{0, 0, 40, 20};
    DrawPictureIntoItem(item, m_button.ChoosePicture(0, TRUE));
    EXPECT_TRUE(AreaIs(canvas, item.rcItem, RGB(7, 7, 7)));
}
}  // namespace
