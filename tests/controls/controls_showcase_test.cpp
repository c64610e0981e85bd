// All skinned controls together on a page with a picture, as the wizard
// uses them: transparent labels and choice buttons must show the picture
// under them (no boxes), the picture buttons and the bar their own faces.
// With SETUP_SHOWCASE_HOLD_MS set, the page stays up that long so that a
// screenshot can be taken.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "controls/bitmap_dialog.h"
#include "controls/label_ex.h"
#include "controls/my_progress_ctrl.h"
#include "controls/shade_button_st.h"
#include "controls/soft_bitmap_button.h"
#include "framework/win_app.h"
#include "tests/controls/drawing_fixture.h"

namespace {
constexpr UINT kShowcase = 202;

COLORREF Slate(int x, int y) {
    const int shade = 40 + (x + y) / 16;
    return RGB(shade, shade + 8, shade + 18);
}

COLORREF ChoiceIcon(int x, int y) {
    const double distance = std::hypot(x - 15.5, y - 15.5);
    if (distance > 13) return CLR_INVALID;
    if (distance > 10) return RGB(255, 255, 255);
    return distance < 6 ? RGB(252, 200, 15) : CLR_INVALID;
}

class ShowcasePage : public CBitmapDialog {
public:
    ShowcasePage() : CBitmapDialog(kShowcase) {}
    CLabelEx m_title;
    CLabelEx m_text;
    CLabelEx m_link;
    CShadeButtonST m_accept;
    CShadeButtonST m_decline;
    CMyProgressCtrl m_progress;
    CSoftBitmapButton m_back;
    CSoftBitmapButton m_next;
    CSoftBitmapButton m_cancel;

    void DoDataExchange(CDataExchange* dx) override {
        DDX_Control(dx, 1032, m_title);
        DDX_Control(dx, 1033, m_text);
        DDX_Control(dx, 1020, m_link);
        DDX_Control(dx, 1003, m_accept);
        DDX_Control(dx, 1004, m_decline);
        DDX_Control(dx, 1040, m_progress);
        DDX_Control(dx, 1000, m_back);
        DDX_Control(dx, 1001, m_next);
        DDX_Control(dx, 2, m_cancel);
    }

    BOOL OnInitDialog() override {
        CBitmapDialog::OnInitDialog();
        RECT client{};
        GetClientRect(&client);
        CBitmap picture;
        picture.Attach(MakePatternBitmap(client.right, client.bottom, 24, &Slate));
        CClientDC screen(nullptr);
        m_background.CreateFromBitmap(&screen, &picture);
        m_backgroundMode = BackgroundStretch;
        for (CLabelEx* label : {&m_title, &m_text, &m_link}) label->SetTextColor(RGB(255, 255, 255));
        m_link.SetUnderline(TRUE, RGB(255, 255, 255));
        m_link.LoadFallbackLinkCursor();
        for (CShadeButtonST* button : {&m_accept, &m_decline}) {
            button->SetColor(CButtonST::ForeIn, RGB(255, 255, 255));
            button->SetColor(CButtonST::ForeOut, RGB(255, 255, 255));
        }
        m_accept.SetIcons(MakePatternIcon(32, &ChoiceIcon), nullptr);
        m_decline.SetIcons(MakePatternIcon(32, &ChoiceIcon), CButtonST::IconAutoGray);
        m_progress.SetBackgroundColor(RGB(0x3A, 0x3A, 0x3A));
        m_progress.SetBarColor(RGB(0xFC, 0xC8, 0x0F));
        m_progress.SetRange(0, 10);
        m_back.LoadBitmaps(301, 302, 303, 304);
        m_next.LoadBitmaps(303, 302, 301);
        m_cancel.LoadBitmaps(304, 302, 303);
        return TRUE;
    }

    void OnPaint() override {
        m_accept.SetTransparent();
        m_decline.SetTransparent();
        CBitmapDialog::OnPaint();
    }
};

// The colour of the page picture at a point of a control.
COLORREF PictureUnder(HWND control, int x, int y) {
    POINT point{x, y};
    ::MapWindowPoints(control, ::GetParent(control), &point, 1);
    return Slate(point.x, point.y);
}

TEST(Showcase, TransparentControlsShowThePictureUnderThem) {
    SetResourceModule(::GetModuleHandleW(nullptr));
    ScriptedDialog<ShowcasePage> page;
    page.body = [](ShowcasePage& p) {
        p.m_progress.SetPos(4);
        p.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        PumpMessages(100);
        for (HWND control : {p.m_title.m_hWnd, p.m_accept.m_hWnd, p.m_decline.m_hWnd}) {
            RECT client{};
            ::GetClientRect(control, &client);
            const int x = client.right - 3;
            const int y = client.bottom - 2;
            EXPECT_EQ(PictureUnder(control, x, y), WindowPixel(control, x, y)) << "a box instead of the picture";
        }
        EXPECT_EQ(RGB(0xFC, 0xC8, 0x0F), WindowPixel(p.m_progress.m_hWnd, 2, 2));
        EXPECT_EQ(RGB(200, 0, 0), WindowPixel(p.m_back.m_hWnd, 2, 2));
        if (const char* hold = std::getenv("SETUP_SHOWCASE_HOLD_MS")) PumpMessages(std::atoi(hold));
    };
    EXPECT_EQ(IDOK, page.DoModal());
}
}  // namespace
