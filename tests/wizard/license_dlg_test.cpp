#include "wizard/license_dlg.h"

#include <gtest/gtest.h>

#include "tests/common/test_paths.h"

namespace {

// A rich-text control of the same class as the licence page's, in a plain window.
class RichEditWindow : public testing::Test {
protected:
    void SetUp() override {
        m_library = LoadLibraryW(L"riched20.dll");
        ASSERT_TRUE(m_library);
        m_edit = CreateWindowExW(0, L"RichEdit20W", L"", WS_POPUP | ES_MULTILINE, 0, 0, 300, 200, nullptr, nullptr,
                                 nullptr, nullptr);
        ASSERT_TRUE(m_edit);
    }
    void TearDown() override {
        if (m_edit) DestroyWindow(m_edit);
        if (m_library) FreeLibrary(m_library);
    }
    std::wstring Text() const {
        wchar_t buffer[512] = L"";
        GetWindowTextW(m_edit, buffer, 512);
        return buffer;
    }

    HMODULE m_library = nullptr;
    HWND m_edit = nullptr;
    ScratchFolder m_folder{L"lic"};
};

TEST_F(RichEditWindow, StreamsTheAgreementAsRichText) {
    const std::wstring path = m_folder / L"License.rtf";
    ASSERT_TRUE(WriteFileBytes(path, "{\\rtf1\\ansi {\\b Terms} of use.\\par Second line.}"));
    EXPECT_TRUE(LoadAgreementText(m_edit, path));
    std::wstring text = Text();
    EXPECT_NE(text.find(L"Terms of use."), std::wstring::npos) << "RTF codes were not interpreted";
    EXPECT_EQ(text.find(L"\\rtf1"), std::wstring::npos);
    EXPECT_NE(text.find(L"Second line."), std::wstring::npos);
}

TEST_F(RichEditWindow, AMissingOrEmptyFileLeavesTheControlEmpty) {
    EXPECT_FALSE(LoadAgreementText(m_edit, m_folder / L"missing.rtf"));
    EXPECT_EQ(Text(), L"");
    ASSERT_TRUE(WriteFileBytes(m_folder / L"empty.rtf", ""));
    LoadAgreementText(m_edit, m_folder / L"empty.rtf");
    EXPECT_EQ(Text(), L"");
}

TEST_F(RichEditWindow, PlainTextGoesInWithTheRichTextFlagAllTheSame) {
    ASSERT_TRUE(WriteFileBytes(m_folder / L"plain.rtf", "Just words, no markup."));
    LoadAgreementText(m_edit, m_folder / L"plain.rtf");   // the control decides what it shows
    EXPECT_TRUE(IsWindow(m_edit));
}

}  // namespace
