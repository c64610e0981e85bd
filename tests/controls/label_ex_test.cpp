// The transparent label: text position, vertical centring, what it leaves
// alone, underline, leading picture, notification style and cursor.
#include <gtest/gtest.h>

#include "controls/label_ex.h"
#include "tests/controls/drawing_fixture.h"

namespace {
constexpr COLORREF kHostColour = RGB(0, 0, 128);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr int kWidth = 200;
constexpr int kHeight = 30;
constexpr UINT kId = 1020;

class LabelTest : public ::testing::Test {
protected:
    void Make(const wchar_t* text) {
        ASSERT_TRUE(m_label.Create(text, WS_CHILD | WS_VISIBLE | SS_LEFT, RECT{10, 10, 10 + kWidth, 10 + kHeight}, &m_host, kId));
        m_label.SetTextColor(kWhite);
    }
    void Draw(MemoryCanvas& canvas) {
        m_host.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        CaptureClient(m_label.m_hWnd, canvas);
    }
    TEXTMETRICW Metrics() {
        MemoryCanvas canvas(4, 4);
        ScopedSelect selected(canvas.Dc(), m_label.GetFont());
        TEXTMETRICW metrics{};
        ::GetTextMetricsW(canvas.Dc(), &metrics);
        return metrics;
    }

    TestHost m_host{100, 100, 300, 100, kHostColour};
    CLabelEx m_label;
};

TEST_F(LabelTest, TakesTheParentFontAndNotifiesClicks) {
    Make(L"Requirements");
    EXPECT_EQ(m_host.m_font, m_label.GetFont());
    EXPECT_TRUE(m_label.GetStyle() & SS_NOTIFY);
    m_label.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    m_label.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(1, m_host.CountCommands(kId, STN_CLICKED));
}

TEST_F(LabelTest, TextStartsAtFourAndIsCentredOnTheTextHeight) {
    Make(L"Hello");
    const InkOrigin reference = ReferenceInk(m_label.GetFont(), L"Hello");
    MemoryCanvas canvas(kWidth, kHeight);
    Draw(canvas);
    const RECT all{0, 0, kWidth, kHeight};
    EXPECT_EQ(4 + reference.left, FirstInkColumn(canvas, all, kHostColour));
    EXPECT_EQ((kHeight - Metrics().tmHeight) / 2 + reference.top, FirstInkRow(canvas, all, kHostColour));
    EXPECT_EQ(kHostColour, canvas.Pixel(1, 1)) << "the label painted a background";
    EXPECT_EQ(kHostColour, canvas.Pixel(kWidth - 2, kHeight - 2));
}

TEST_F(LabelTest, EmptyTextDrawsNothing) {
    Make(L"");
    MemoryCanvas canvas(kWidth, kHeight);
    Draw(canvas);
    EXPECT_TRUE(AreaIs(canvas, RECT{0, 0, kWidth, kHeight}, kHostColour));
}

TEST_F(LabelTest, UnderlineRunsBelowTheTextFromTwoPixelsBeforeIt) {
    Make(L"Link");
    m_label.SetUnderline(TRUE, RGB(255, 0, 0));
    MemoryCanvas canvas(kWidth, kHeight);
    Draw(canvas);
    const TEXTMETRICW metrics = Metrics();
    const int y = (kHeight - metrics.tmHeight) / 2 + metrics.tmHeight + 1;
    const int end = 2 + 4 * metrics.tmAveCharWidth;   // exclusive
    EXPECT_TRUE(AreaIs(canvas, RECT{2, y, end, y + 1}, RGB(255, 0, 0)));
    EXPECT_EQ(kHostColour, canvas.Pixel(1, y));
    EXPECT_EQ(kHostColour, canvas.Pixel(end, y));
}

TEST_F(LabelTest, LeadingPictureIsScaledToTheHeightAndMovesTheText) {
    Make(L"Next");
    m_label.SetLeadingPicture(MakeSolidBitmap(10, 20, RGB(0, 255, 0)));
    const InkOrigin reference = ReferenceInk(m_label.GetFont(), L"Next");
    MemoryCanvas canvas(kWidth, kHeight);
    Draw(canvas);
    // 10 / 20 * 30 = 15 pixels wide, the full height.
    EXPECT_TRUE(AreaIs(canvas, RECT{0, 0, 15, kHeight}, RGB(0, 255, 0)));
    EXPECT_NE(RGB(0, 255, 0), canvas.Pixel(15, 2));
    EXPECT_EQ(19 + reference.left, FirstInkColumn(canvas, RECT{15, 0, kWidth, kHeight}, kHostColour));
}

TEST_F(LabelTest, BorderAndBackgroundPictureFillTheLabel) {
    Make(L"");
    m_label.SetBorder(TRUE, RGB(255, 0, 0), RGB(0, 255, 0));
    MemoryCanvas canvas(kWidth, kHeight);
    Draw(canvas);
    EXPECT_EQ(RGB(255, 0, 0), canvas.Pixel(0, 0));
    EXPECT_EQ(RGB(0, 255, 0), canvas.Pixel(5, 5));
    m_label.SetBackgroundPicture(MakeSolidBitmap(kWidth, kHeight, RGB(9, 9, 200)));
    Draw(canvas);
    EXPECT_EQ(RGB(255, 0, 0), canvas.Pixel(0, 0));
    EXPECT_EQ(RGB(9, 9, 200), canvas.Pixel(1, 1));
}

TEST_F(LabelTest, CursorChangesOnlyWithALinkCursor) {
    Make(L"Link");
    const HCURSOR arrow = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    const HCURSOR cross = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32515));
    ::SetCursor(arrow);
    const LPARAM hit = MAKELPARAM(HTCLIENT, WM_MOUSEMOVE);
    EXPECT_FALSE(m_label.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(m_label.m_hWnd), hit));
    EXPECT_EQ(arrow, ::GetCursor());
    m_label.SetLinkCursor(cross);
    m_label.LoadFallbackLinkCursor();
    EXPECT_EQ(cross, m_label.LinkCursor()) << "the fallback replaced a cursor that was set";
    EXPECT_TRUE(m_label.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(m_label.m_hWnd), hit));
    EXPECT_EQ(cross, ::GetCursor());
}

TEST_F(LabelTest, FallbackCursorIsACopyOrNothing) {
    Make(L"Link");
    m_label.LoadFallbackLinkCursor();
    if (HCURSOR cursor = m_label.LinkCursor()) {
        ICONINFO info{};
        EXPECT_TRUE(::GetIconInfo(reinterpret_cast<HICON>(cursor), &info));
        if (info.hbmMask) ::DeleteObject(info.hbmMask);
        if (info.hbmColor) ::DeleteObject(info.hbmColor);
    }
}
}  // namespace
