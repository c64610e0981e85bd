// The page templates of both libraries: every control the pages bind by id,
// with the right window class and style, and picture buttons exactly as large
// as their pictures once the template is laid out with its own font.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <vector>

#include "tests/resources/dialog_template_reader.h"
#include "tests/resources/library_fixture.h"

namespace {

struct ExpectedControl {
    DWORD Id;
    const wchar_t* ClassName;
};

struct PagePictureButton {
    DWORD Id;
    std::vector<int> Bitmaps;  // normal, pressed, hover [, disabled]
};

struct PageExpectation {
    int TemplateId;
    std::vector<ExpectedControl> Controls;
    std::vector<PagePictureButton> PictureButtons;
    std::vector<DWORD> ChoiceButtons;  // icon-and-text buttons
    std::vector<int> Backgrounds;
};

const std::vector<int> kNextPictures{166, 167, 168};
const std::vector<int> kBackPictures{162, 163, 164};
const std::vector<int> kCancelPictures{170, 171, 172};
const std::vector<int> kFinishPictures{173, 174, 175};

const std::vector<PageExpectation>& Pages() {
    static const std::vector<PageExpectation> pages{
        {102,
         {{1019, L"Button"}, {1017, L"Button"}, {1018, L"Button"}, {1024, L"Button"}, {2, L"Button"},
          {1023, L"Edit"}, {1031, L"Static"}, {1032, L"Static"}, {1020, L"Static"}},
         {{1017, {150, 151, 152}}, {1018, {153, 154, 155}}, {1024, {156, 157, 158}}, {2, {159, 160, 161}}},
         {},
         {129}},
        {103,
         {{1003, L"Button"}, {1004, L"Button"}, {1002, L"RichEdit20W"}, {1032, L"Static"},
          {1000, L"Button"}, {1001, L"Button"}, {2, L"Button"}, {1020, L"Static"}},
         {{1000, kBackPictures}, {1001, {166, 167, 168, 169}}, {2, kCancelPictures}},
         {1003, 1004},
         {148}},
        {105,
         {{1032, L"Static"}, {1027, L"Static"}, {1025, L"Edit"}, {1026, L"Button"}, {1000, L"Button"},
          {1001, L"Button"}, {2, L"Button"}, {1020, L"Static"}, {1034, L"Button"}, {1035, L"Static"},
          {1036, L"Button"}},
         {{1026, {156, 157, 158}}, {1000, kBackPictures}, {1001, kNextPictures}, {2, kCancelPictures}},
         {},
         {139}},
        {107,
         {{1032, L"Static"}, {1000, L"Button"}, {1001, L"Button"}, {2, L"Button"}, {1020, L"Static"}},
         {{1000, kBackPictures}, {1001, {176, 177, 178}}, {2, kCancelPictures}},
         {},
         {139}},
        {108,
         {{1011, L"Button"}, {1012, L"Button"}, {1007, L"Button"}, {1032, L"Static"}, {1000, L"Button"},
          {1001, L"Button"}, {2, L"Button"}},
         {{1000, {162, 163, 164, 165}}, {1001, kNextPictures}, {2, kCancelPictures}},
         {1011, 1012, 1007},
         {139}},
        {109, {{1001, L"Button"}, {1032, L"Static"}}, {{1001, kFinishPictures}}, {}, {139}},
        {110,
         {{1014, L"Button"}, {1015, L"Button"}, {1032, L"Static"}, {1001, L"Button"}},
         {{1001, kFinishPictures}},
         {1014, 1015},
         {179, 140}},
        {111,
         {{1020, L"Static"}, {2, L"Button"}, {1032, L"Static"}, {1033, L"Static"}, {1013, L"msctls_progress32"}},
         {{2, {159, 160, 161}}},
         {},
         {141, 142, 143, 144, 145, 146}},
    };
    return pages;
}


// A page laid out as the system lays it out, never shown.
class LaidOutPage {
public:
    LaidOutPage(HMODULE module, int id) {
        HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(5));
        if (!found) return;
        auto* data = static_cast<const DLGTEMPLATE*>(LockResource(LoadResource(module, found)));
        m_window = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), data, nullptr, &Ignore, 0);
    }
    ~LaidOutPage() {
        if (m_window) DestroyWindow(m_window);
    }
    HWND Window() const { return m_window; }
    SIZE ControlSize(int id) const {
        RECT rect{};
        GetWindowRect(GetDlgItem(m_window, id), &rect);
        return {rect.right - rect.left, rect.bottom - rect.top};
    }
    SIZE ClientSize() const {
        RECT rect{};
        GetClientRect(m_window, &rect);
        return {rect.right, rect.bottom};
    }

private:
    static INT_PTR CALLBACK Ignore(HWND, UINT, WPARAM, LPARAM) { return FALSE; }
    HWND m_window = nullptr;
};

SIZE BitmapSize(HMODULE module, int id) {
    HANDLE image = LoadImageW(module, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
    if (!image) return {-1, -1};
    BITMAP info{};
    GetObjectW(image, sizeof info, &info);
    DeleteObject(image);
    return {info.bmWidth, info.bmHeight};
}

class PageTemplatesTest : public ResourceLibraryTest {
protected:
    static void SetUpTestSuite() {
        // The classes that the templates name beyond the predefined ones.
        LoadLibraryW(L"riched20.dll");
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_PROGRESS_CLASS};
        InitCommonControlsEx(&controls);
    }
};

TEST_P(PageTemplatesTest, EveryPageHoldsTheControlsItsPageBindsWithTheirClasses) {
    for (const auto& page : Pages()) {
        SCOPED_TRACE("template " + std::to_string(page.TemplateId));
        auto dialog = LoadDialogTemplate(Module(), page.TemplateId);
        ASSERT_TRUE(dialog.has_value());
        for (const auto& control : page.Controls) {
            SCOPED_TRACE("control " + std::to_string(control.Id));
            ASSERT_EQ(dialog->Count(control.Id), 1);
            EXPECT_EQ(_wcsicmp(dialog->Find(control.Id)->ClassName.c_str(), control.ClassName), 0);
        }
    }
}

TEST_P(PageTemplatesTest, PagesAreCaptionlessPopupsOfOneSizeAtTheOriginWithDistinctWindowTexts) {
    std::set<std::wstring> titles;
    std::optional<std::pair<short, short>> size;
    for (const auto& page : Pages()) {
        SCOPED_TRACE("template " + std::to_string(page.TemplateId));
        auto dialog = LoadDialogTemplate(Module(), page.TemplateId);
        ASSERT_TRUE(dialog.has_value());
        EXPECT_TRUE(dialog->Style & WS_POPUP);
        EXPECT_EQ(dialog->Style & (WS_CAPTION | WS_THICKFRAME), 0u) << "the skin is the frame";
        EXPECT_EQ(dialog->Style & DS_CENTER, 0u) << "the feature page measures its placeholders at the origin";
        EXPECT_EQ(dialog->X, 0);
        EXPECT_EQ(dialog->Y, 0);
        EXPECT_FALSE(dialog->Title.empty()) << "tests recognise pages by their window text";
        titles.insert(dialog->Title);
        if (!size) size = std::make_pair(dialog->Width, dialog->Height);
        EXPECT_EQ(std::make_pair(dialog->Width, dialog->Height), *size) << "all pages have one size";
    }
    EXPECT_EQ(titles.size(), Pages().size());
}

TEST_P(PageTemplatesTest, VisibleControlsDoNotOverlapAndStayOnThePage) {
    // An overlap shows as a choice button's hover frame crossing a text, or a
    // label painting over another control on the transparent skin.
    for (const auto& page : Pages()) {
        auto dialog = LoadDialogTemplate(Module(), page.TemplateId);
        ASSERT_TRUE(dialog.has_value());
        std::vector<const DialogItemRecord*> visible;
        for (const auto& item : dialog->Items)
            if (item.Style & WS_VISIBLE) visible.push_back(&item);
        for (size_t a = 0; a < visible.size(); ++a) {
            const auto& first = *visible[a];
            EXPECT_TRUE(first.X >= 0 && first.Y >= 0 && first.X + first.Width <= dialog->Width &&
                        first.Y + first.Height <= dialog->Height)
                << "template " << page.TemplateId << " control " << first.Id << " leaves the page";
            for (size_t b = a + 1; b < visible.size(); ++b) {
                const auto& second = *visible[b];
                const bool apart = first.X + first.Width <= second.X || second.X + second.Width <= first.X ||
                                   first.Y + first.Height <= second.Y || second.Y + second.Height <= first.Y;
                EXPECT_TRUE(apart) << "template " << page.TemplateId << ": controls " << first.Id << " and "
                                   << second.Id << " overlap";
            }
        }
    }
}

TEST_P(PageTemplatesTest, HtmlPageWindowIsAResizableCaptionedWindowWithoutControls) {
    auto dialog = LoadDialogTemplate(Module(), 112);
    ASSERT_TRUE(dialog.has_value());
    EXPECT_EQ(dialog->Style & WS_CAPTION, static_cast<DWORD>(WS_CAPTION));
    EXPECT_TRUE(dialog->Style & WS_SYSMENU);
    EXPECT_TRUE(dialog->Style & WS_THICKFRAME);
    EXPECT_TRUE(dialog->Items.empty()) << "the browser control is created at run time";
}

TEST_P(PageTemplatesTest, FeaturePlaceholdersAreHiddenAndDescribeTwoRows) {
    auto dialog = LoadDialogTemplate(Module(), 105);
    ASSERT_TRUE(dialog.has_value());
    const auto* firstButton = dialog->Find(1034);
    const auto* firstDescription = dialog->Find(1035);
    const auto* secondButton = dialog->Find(1036);
    ASSERT_TRUE(firstButton && firstDescription && secondButton);
    for (const auto* placeholder : {firstButton, firstDescription, secondButton})
        EXPECT_EQ(placeholder->Style & WS_VISIBLE, 0u) << "placeholder " << placeholder->Id;
    EXPECT_GE(secondButton->Y, firstButton->Y + firstButton->Height) << "rows must not overlap";
    EXPECT_GT(firstDescription->X, firstButton->X + firstButton->Width - 1);
}

TEST_P(PageTemplatesTest, ButtonsArePlainPushButtonsForTheSkinnedClassesToTakeOver) {
    // The choice buttons' class reads a check-box bit in the template type as
    // "toggle by itself", and picture buttons only add the owner-drawn bits.
    for (const auto& page : Pages()) {
        auto dialog = LoadDialogTemplate(Module(), page.TemplateId);
        ASSERT_TRUE(dialog.has_value());
        for (const auto& item : dialog->Items) {
            if (_wcsicmp(item.ClassName.c_str(), L"Button") != 0) continue;
            EXPECT_EQ(item.Style & 0xF, static_cast<DWORD>(BS_PUSHBUTTON))
                << "template " << page.TemplateId << " button " << item.Id;
        }
    }
}

TEST_P(PageTemplatesTest, LicenceTextIsAReadOnlyScrollingRichEditWithBorder) {
    auto dialog = LoadDialogTemplate(Module(), 103);
    ASSERT_TRUE(dialog.has_value());
    const auto* text = dialog->Find(1002);
    ASSERT_NE(text, nullptr);
    EXPECT_TRUE(text->Style & ES_MULTILINE);
    EXPECT_TRUE(text->Style & ES_READONLY);
    EXPECT_TRUE(text->Style & WS_VSCROLL);
    EXPECT_TRUE(text->Style & WS_BORDER);
}

TEST_P(PageTemplatesTest, ErrorPageCarriesItsOwnTextBesideTheLabel) {
    auto dialog = LoadDialogTemplate(Module(), 109);
    ASSERT_TRUE(dialog.has_value());
    bool hasText = false;
    for (const auto& item : dialog->Items)
        if (item.Id != 1032 && _wcsicmp(item.ClassName.c_str(), L"Static") == 0 && item.Text.size() > 20) hasText = true;
    EXPECT_TRUE(hasText);
}

TEST_P(PageTemplatesTest, PictureButtonsHaveExactlyTheSizeOfTheirPictures) {
    for (const auto& page : Pages()) {
        SCOPED_TRACE("template " + std::to_string(page.TemplateId));
        LaidOutPage laidOut(Module(), page.TemplateId);
        ASSERT_NE(laidOut.Window(), nullptr) << "the template cannot be laid out";
        for (const auto& button : page.PictureButtons) {
            SIZE rect = laidOut.ControlSize(button.Id);
            for (int bitmap : button.Bitmaps) {
                SIZE picture = BitmapSize(Module(), bitmap);
                EXPECT_EQ(picture.cx, rect.cx) << "button " << button.Id << " bitmap " << bitmap;
                EXPECT_EQ(picture.cy, rect.cy) << "button " << button.Id << " bitmap " << bitmap;
            }
        }
    }
}

TEST_P(PageTemplatesTest, BackgroundsMatchThePageSoTheStretchIsOneToOne) {
    for (const auto& page : Pages()) {
        SCOPED_TRACE("template " + std::to_string(page.TemplateId));
        LaidOutPage laidOut(Module(), page.TemplateId);
        ASSERT_NE(laidOut.Window(), nullptr);
        SIZE client = laidOut.ClientSize();
        for (int bitmap : page.Backgrounds) {
            SIZE picture = BitmapSize(Module(), bitmap);
            EXPECT_EQ(picture.cx, client.cx) << "bitmap " << bitmap;
            EXPECT_EQ(picture.cy, client.cy) << "bitmap " << bitmap;
        }
    }
}

TEST_P(PageTemplatesTest, ChoiceButtonsAreTallEnoughForTheirIcons) {
    HANDLE icon = LoadImageW(Module(), MAKEINTRESOURCEW(138), IMAGE_ICON, 0, 0, 0);
    ASSERT_NE(icon, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(static_cast<HICON>(icon), &info));
    BITMAP mask{};
    GetObjectW(info.hbmMask, sizeof mask, &mask);
    const LONG iconHeight = info.hbmColor ? mask.bmHeight : mask.bmHeight / 2;
    DeleteObject(info.hbmMask);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    DestroyIcon(static_cast<HICON>(icon));

    for (const auto& page : Pages()) {
        if (page.ChoiceButtons.empty()) continue;
        LaidOutPage laidOut(Module(), page.TemplateId);
        ASSERT_NE(laidOut.Window(), nullptr);
        for (DWORD id : page.ChoiceButtons)
            EXPECT_GE(laidOut.ControlSize(id).cy, iconHeight) << "template " << page.TemplateId << " button " << id;
    }
}

INSTANTIATE_FOR_EVERY_LANGUAGE(PageTemplatesTest);

}  // namespace
