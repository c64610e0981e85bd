#include "app/local_text.h"

#include "app/setup_ini.h"
#include "app/setup_state.h"
#include "framework/strings.h"
#include "tests/common/test_paths.h"

#include <gtest/gtest.h>

namespace {

HMODULE LoadAsData(const std::wstring& path) {
    return LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
}

// Every test starts from "no library loaded" and leaves it so.
class LocalTextTest : public testing::Test {
protected:
    void SetUp() override { State().ResourceModule = nullptr; }
    void TearDown() override {
        if (State().ResourceModule) FreeLibrary(State().ResourceModule);
        State().ResourceModule = nullptr;
    }
    void UseLibrary(const std::wstring& path) {
        State().ResourceModule = LoadAsData(path);
        ASSERT_NE(State().ResourceModule, nullptr) << NarrowAnsi(path);
    }
};

TEST_F(LocalTextTest, WithoutLibraryEveryTextIsItsDefault) {
    // No IntallerRes.dll lies beside the test program.
    ASSERT_FALSE(FileExists(ResourceLibraryPath()));
    LocalText text;
    EXPECT_STREQ(LoadLocalText(text, Text::MutexName.Id, Text::MutexName.DefaultText), L"Pelmora2016");
    EXPECT_EQ(text.Id, 2022);
    EXPECT_EQ(text.DefaultText, Text::MutexName.DefaultText);
    EXPECT_STREQ(LoadLocalText(text, 2010, nullptr), L"");
    EXPECT_EQ(State().ResourceModule, nullptr);
}

TEST_F(LocalTextTest, LibraryStringsWinOverDefaultsUnlessMissingOrEmpty) {
    UseLibrary(BinDir() + L"\\testtexts\\IntallerRes.dll");
    LocalText text;
    EXPECT_STREQ(LoadLocalText(text, 2010, Text::ProductRunning.DefaultText), L"Localised: the product is running");
    EXPECT_STREQ(LoadLocalText(text, 2022, Text::MutexName.DefaultText), L"PelmoraTestMutex");
    // Missing string: the default.
    EXPECT_STREQ(LoadLocalText(text, 2021, Text::AnotherInstance.DefaultText), Text::AnotherInstance.DefaultText);
    EXPECT_STREQ(LoadLocalText(text, 2021, nullptr), L"");
    // Empty string counts as not loaded.
    EXPECT_STREQ(LoadLocalText(text, 2015, Text::ProductName.DefaultText), L"Pelmora2016");
    // Longer than the buffer: cut to 999 characters, terminated.
    EXPECT_EQ(std::wstring(LoadLocalText(text, 3000, L"short")), std::wstring(999, L'L'));
}

TEST_F(LocalTextTest, ProductNameFromALibraryWithAnEmptyText) {
    UseLibrary(BinDir() + L"\\testtexts\\IntallerRes.dll");
    ScratchFolder folder(L"lt");
    ASSERT_TRUE(WriteFileBytes(folder / L"Setup.ini", ""));
    SetupState state;
    ASSERT_EQ(ReadSetupIniFile(folder / L"Setup.ini", state), 1);
    // An empty string is not loaded, so the default of text 2015 applies.
    EXPECT_EQ(state.ProductName, L"Pelmora2016");
}

// The shipped English library holds every text with the program's default.
TEST_F(LocalTextTest, ShippedLibraryMatchesTheDefaults) {
    UseLibrary(BinDir() + L"\\IntallerRes.dll");
    const TextDef same[] = {
        Text::Publisher, Text::NotEnoughSpace, Text::DiskSpaceQueryFailed, Text::RegistryCreateFailed,
        Text::FileMissing, Text::UninstallShortcut, Text::NotElevated, Text::ProductRunning,
        Text::Installed64On32Medium, Text::MsiInstallFailed, Text::UninstallFailed, Text::UninstallQuestion,
        Text::ProductName, Text::RegisterFailed, Text::WebsiteShortcut, Text::ConverterShortcut,
        Text::AnotherInstance, Text::MutexName, Text::Installed32On64Medium, Text::FolderNotEmpty,
        Text::PathInputError, Text::DriveRootRefused, Text::BrowseTitle, Text::InstallFailed,
    };
    for (const TextDef& def : same) {
        LocalText text;
        EXPECT_STREQ(LoadLocalText(text, def.Id, L"<missing>"), def.DefaultText) << def.Id;
    }
    LocalText text;
    std::wstring invalidChars = LoadLocalText(text, 2028, L"<missing>");
    EXPECT_TRUE(invalidChars == Text::InvalidPathCharsWelcome.DefaultText ||
                invalidChars == Text::InvalidPathCharsFeature.DefaultText);
    EXPECT_STRNE(LoadLocalText(text, 2024, L"<missing>"), L"<missing>");
}

// Pages take their templates from the library loaded as a data file: string,
// resource look-up and both kinds of dialog creation must work on that handle.
TEST_F(LocalTextTest, DialogsCanBeCreatedFromTheDataFileLibrary) {
    UseLibrary(BinDir() + L"\\testtexts\\IntallerRes.dll");
    HMODULE library = State().ResourceModule;
    EXPECT_NE(FindResourceW(library, MAKEINTRESOURCEW(500), reinterpret_cast<LPCWSTR>(RT_DIALOG)), nullptr);

    HWND dialog = CreateDialogParamW(library, MAKEINTRESOURCEW(500), nullptr,
                                     [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; }, 0);
    ASSERT_NE(dialog, nullptr) << GetLastError();
    wchar_t caption[100] = {};
    GetWindowTextW(dialog, caption, 100);
    EXPECT_STREQ(caption, L"Template from the library");
    EXPECT_NE(GetDlgItem(dialog, 1001), nullptr);
    DestroyWindow(dialog);

    INT_PTR result = DialogBoxParamW(
        library, MAKEINTRESOURCEW(500), nullptr,
        [](HWND window, UINT message, WPARAM, LPARAM) -> INT_PTR {
            if (message == WM_INITDIALOG) {
                PostMessageW(window, WM_COMMAND, IDOK, 0);
                return TRUE;
            }
            if (message == WM_COMMAND) {
                EndDialog(window, 77);
                return TRUE;
            }
            return FALSE;
        },
        0);
    EXPECT_EQ(result, 77);
}

}  // namespace
