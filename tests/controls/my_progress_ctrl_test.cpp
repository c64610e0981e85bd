// The copy-files progress bar: where the split between bar and background
// falls, what an empty range does, and when SetPos repaints.
#include <gtest/gtest.h>

#include "controls/my_progress_ctrl.h"
#include "tests/controls/drawing_fixture.h"

namespace {
constexpr COLORREF kBar = RGB(0xFC, 0xC8, 0x0F);
constexpr COLORREF kBackground = RGB(0x3A, 0x3A, 0x3A);
constexpr COLORREF kHost = RGB(0, 0, 128);

class CountingProgress : public CMyProgressCtrl {
public:
    int m_paints = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_PAINT) ++m_paints;
        return CMyProgressCtrl::WindowProc(message, wParam, lParam);
    }
};

class ProgressBarTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_bar.Create(WS_CHILD | WS_VISIBLE, RECT{10, 10, 10 + kWidth, 30}, &m_host, 1));
        m_bar.SetBarColor(kBar);
        m_bar.SetBackgroundColor(kBackground);
        m_bar.SetRange(0, 100);
        PumpMessages();
    }

    // Number of leading columns in the bar colour; -1 when a row is not a
    // clean split of bar colour followed by background colour.
    int FilledColumns() {
        MemoryCanvas canvas(kWidth, 20);
        CaptureClient(m_bar.m_hWnd, canvas);
        const int y = 10;
        int filled = 0;
        while (filled < kWidth && canvas.Pixel(filled, y) == kBar) ++filled;
        for (int x = filled; x < kWidth; ++x)
            if (canvas.Pixel(x, y) != kBackground) return -1;
        return filled;
    }

    static constexpr int kWidth = 301;
    TestHost m_host{100, 100, 400, 60, kHost};
    CountingProgress m_bar;
};

TEST_F(ProgressBarTest, FillsTheShareOfThePositionInTheRange) {
    struct Case {
        int position;
        int filled;
    };
    const Case cases[] = {
        {0, 0},       // only background
        {50, 150},    // truncate(0.5 * 301)
        {100, 301},   // the upper bound fills everything
        {150, 301},   // beyond the upper bound: all bar
        {-20, 0},     // below the lower bound: all background
        {33, 99},
    };
    for (const Case& c : cases) {
        m_bar.SetPos(c.position);
        PumpMessages(20);
        EXPECT_EQ(c.filled, FilledColumns()) << "position " << c.position;
    }
}

TEST_F(ProgressBarTest, RangeOffsetIsHonoured) {
    m_bar.SetRange(10, 20);
    m_bar.SetPos(15);
    PumpMessages(20);
    EXPECT_EQ(150, FilledColumns());
}

TEST_F(ProgressBarTest, EmptyOrInvertedRangeDrawsNothingAndValidatesThePaint) {
    m_bar.SetPos(50);
    PumpMessages(20);
    ASSERT_EQ(150, FilledColumns());
    for (auto range : {std::pair{40, 40}, std::pair{60, 10}}) {
        m_bar.SetRange(range.first, range.second);
        m_bar.Invalidate();
        m_bar.UpdateWindow();
        RECT pending{};
        EXPECT_FALSE(::GetUpdateRect(m_bar.m_hWnd, &pending, FALSE)) << "paint request left pending";
        EXPECT_EQ(150, FilledColumns()) << "something was drawn for range " << range.first << ".." << range.second;
    }
}

TEST_F(ProgressBarTest, SetPosWithEqualBoundsStoresZeroWidth) {
    m_bar.SetRange(7, 7);
    EXPECT_EQ(0, m_bar.SetPos(7));
    EXPECT_EQ(0, m_bar.BarWidth());
}

TEST_F(ProgressBarTest, RepaintsOnlyWhenTheFilledWidthChanges) {
    m_bar.SetPos(50);
    const int paints = m_bar.m_paints;
    EXPECT_EQ(50, m_bar.SetPos(50));
    EXPECT_EQ(paints, m_bar.m_paints) << "same position repainted";
    m_bar.SetRange(0, 1000);
    m_bar.SetPos(500);   // still 150 pixels
    EXPECT_EQ(paints, m_bar.m_paints) << "a change that moves no pixel repainted";
    m_bar.SetPos(510);
    EXPECT_EQ(paints + 1, m_bar.m_paints);
}

TEST(ProgressBarWithoutWindow, SetPosReturnsMinusOne) {
    CMyProgressCtrl bar;
    EXPECT_EQ(-1, bar.SetPos(10));
    EXPECT_EQ(0, bar.GetPos());
}

TEST(ProgressBarPrinting, PaintsIntoAnyDeviceContext) {
    TestHost host(100, 200, 400, 60);
    CMyProgressCtrl bar;
    ASSERT_TRUE(bar.Create(WS_CHILD | WS_VISIBLE, RECT{0, 0, 100, 10}, &host, 1));
    bar.SetBarColor(kBar);
    bar.SetBackgroundColor(kBackground);
    bar.SetPos(25);
    MemoryCanvas canvas(100, 10, RGB(1, 2, 3));
    bar.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), PRF_CLIENT);
    EXPECT_TRUE(AreaIs(canvas, RECT{0, 0, 25, 10}, kBar));
    EXPECT_TRUE(AreaIs(canvas, RECT{25, 0, 100, 10}, kBackground));
}
}  // namespace
