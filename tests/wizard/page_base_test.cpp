#include "wizard/page_base.h"

#include <gtest/gtest.h>

#include "app/setup_state.h"
#include "framework/win_app.h"
#include "tests/common/shipped_library.h"
#include "tests/common/test_paths.h"
#include "wizard/complete_error_dlg.h"
#include "wizard/page_ids.h"
#include "wizard/start_copy_dlg.h"

namespace {

class PageBase : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_library.Loaded()); }
    ShippedResourceLibrary m_library;
};

// Opens a page, notes what a user would see of its frame once it is shown,
// and closes it with its close box.
template <class Page>
struct Observed : Page {
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_INITDIALOG) {
            LRESULT result = Page::WindowProc(message, wParam, lParam);
            ::PostMessageW(this->m_hWnd, WM_APP + 7, 0, 0);
            return result;
        }
        if (message == WM_APP + 7) {
            SmallIcon = reinterpret_cast<HICON>(this->SendMessage(WM_GETICON, ICON_SMALL));
            ExStyle = static_cast<DWORD>(::GetWindowLongW(this->m_hWnd, GWL_EXSTYLE));
            this->GetWindowRect(&Rect);
            ::PostMessageW(this->m_hWnd, WM_SYSCOMMAND, SC_CLOSE, 0);
            return 0;
        }
        return Page::WindowProc(message, wParam, lParam);
    }
    HICON SmallIcon = nullptr;
    DWORD ExStyle = 0;
    RECT Rect{};
};

TEST_F(PageBase, PagesCarryTheLibraryIconAreCentredAndEndWithCancelOnTheirCloseBox) {
    RECT area{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    {
        Observed<CPelmCompleteErrorDlg> page;
        EXPECT_EQ(page.DoModal(), kResultCancel);
        EXPECT_TRUE(page.SmallIcon);
        EXPECT_FALSE(page.ExStyle & WS_EX_TOPMOST);
        EXPECT_NEAR((page.Rect.left + page.Rect.right) / 2, (area.left + area.right) / 2, 2);
    }
    {
        Observed<CPelmStartCopyDlg> page;
        EXPECT_EQ(page.DoModal(), kResultCancel);
        EXPECT_TRUE(page.SmallIcon);
        EXPECT_FALSE(page.ExStyle & WS_EX_TOPMOST);
    }
}

}  // namespace
