// The texts of both libraries (every string id of the program), the HTML
// documents of the HTML page window, and the library file itself.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/local_text.h"
#include "tests/resources/library_fixture.h"

namespace {

// Every text of the program that the library must hold (1999 is empty by design).
const TextDef kLibraryTexts[] = {
    Text::Publisher, Text::HelpLink, Text::NotEnoughSpace, Text::DiskSpaceQueryFailed,
    Text::RegistryCreateFailed, Text::FileMissing, Text::UninstallShortcut, Text::NotElevated,
    Text::ProductRunning, Text::Installed64On32Medium, Text::MsiInstallFailed, Text::UninstallFailed,
    Text::UninstallQuestion, Text::ProductName, Text::RegisterFailed, Text::WebsiteShortcut,
    Text::ConverterShortcut, Text::AnotherInstance, Text::MutexName, Text::Installed32On64Medium,
    Text::Medium64OnSystem32, Text::FolderNotEmpty, Text::PathInputError, Text::InvalidPathCharsWelcome,
    Text::DriveRootRefused, Text::BrowseTitle, Text::InstallFailed,
};

std::wstring LibraryString(HMODULE module, int id) {
    const wchar_t* text = nullptr;
    int length = LoadStringW(module, id, reinterpret_cast<wchar_t*>(&text), 0);
    return length > 0 ? std::wstring(text, length) : std::wstring();
}

int CountOf(const std::wstring& text, const std::wstring& part) {
    int count = 0;
    for (size_t at = text.find(part); at != std::wstring::npos; at = text.find(part, at + part.size())) ++count;
    return count;
}

std::string HtmlResource(HMODULE module, const wchar_t* name) {
    HRSRC found = FindResourceW(module, name, MAKEINTRESOURCEW(23) /* RT_HTML */);
    if (!found) return {};
    const char* data = static_cast<const char*>(LockResource(LoadResource(module, found)));
    return data ? std::string(data, SizeofResource(module, found)) : std::string();
}

class LibraryTextsTest : public ResourceLibraryTest {};

TEST_P(LibraryTextsTest, EveryProgramTextIsPresentAndKeepsItsPlaceholdersAndLineFeeds) {
    for (const auto& def : kLibraryTexts) {
        SCOPED_TRACE("string " + std::to_string(def.Id));
        std::wstring text = LibraryString(Module(), def.Id);
        ASSERT_FALSE(text.empty());
        std::wstring fallback = def.DefaultText;
        // A lost or doubled %s would make the formatted message read garbage.
        EXPECT_EQ(CountOf(text, L"%s"), CountOf(fallback, L"%s"));
        EXPECT_EQ(text.front() == L'\n', fallback.front() == L'\n');
        EXPECT_EQ(text.back() == L'\n', fallback.back() == L'\n');
    }
    EXPECT_TRUE(LibraryString(Module(), Text::DisplayNameSuffix.Id).empty()) << "no suffix for the display name";
}

TEST_P(LibraryTextsTest, NamesThatIdentifyTheProductAreTheSameInEveryLanguage) {
    // Media of different languages must share the single-instance mutex and
    // install into the same product folder name.
    EXPECT_EQ(LibraryString(Module(), Text::MutexName.Id), Text::MutexName.DefaultText);
    EXPECT_EQ(LibraryString(Module(), Text::ProductName.Id), Text::ProductName.DefaultText);
}

TEST_P(LibraryTextsTest, EnglishLibraryHoldsTheProgramsEnglishTexts) {
    if (!IsEnglish()) GTEST_SKIP() << "English only";
    for (const auto& def : kLibraryTexts) {
        // 2024's default borrows 2011's text; the library says what 2024 means.
        if (def.Id == Text::Medium64OnSystem32.Id) continue;
        EXPECT_EQ(LibraryString(Module(), def.Id), def.DefaultText) << "string " << def.Id;
    }
}

TEST_P(LibraryTextsTest, TranslatedLibraryTranslatesTheMessages) {
    if (IsEnglish()) GTEST_SKIP() << "translations only";
    for (const auto& def : {Text::NotEnoughSpace, Text::PathInputError, Text::UninstallQuestion, Text::BrowseTitle})
        EXPECT_NE(LibraryString(Module(), def.Id), def.DefaultText) << "string " << def.Id;
}

TEST_P(LibraryTextsTest, RequirementPageOffersTheTwoClickableElements) {
    std::string page = HtmlResource(Module(), L"REQUIREMENT");
    ASSERT_FALSE(page.empty());
    EXPECT_NE(page.find("id=\"ButtonOK\""), std::string::npos);
    EXPECT_NE(page.find("id=\"ButtonCancel\""), std::string::npos);
    EXPECT_NE(page.find("500 MB"), std::string::npos) << "the free space the setup checks for";
}

TEST_P(LibraryTextsTest, HtmlPageWindowHasItsFirstDocument) {
    std::string blank = HtmlResource(Module(), MAKEINTRESOURCEW(113));
    ASSERT_FALSE(blank.empty());
    EXPECT_NE(blank.find("<html"), std::string::npos);
}

TEST_P(LibraryTextsTest, ResourcesCarryTheLibrarysLanguage) {
    const LANGID expected = IsEnglish() ? MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US)
                                        : MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED);
    for (int dialog : {102, 110}) {
        EXPECT_NE(FindResourceExW(Module(), MAKEINTRESOURCEW(5), MAKEINTRESOURCEW(dialog), expected), nullptr)
            << "dialog " << dialog;
    }
    // String 2001 lives in block 2001 / 16 + 1.
    EXPECT_NE(FindResourceExW(Module(), MAKEINTRESOURCEW(6), MAKEINTRESOURCEW(2001 / 16 + 1), expected), nullptr);
}

// The library is loaded before anything is installed and copied around by
// the setup: it must run no code and need no other library.
TEST_P(LibraryTextsTest, LibraryFileHasNoEntryPointAndNoImports) {
    std::string file = ReadFileBytes(LibraryPath(GetParam()));
    ASSERT_GT(file.size(), 0x200u);
    LONG peOffset;
    std::memcpy(&peOffset, file.data() + 0x3C, sizeof peOffset);
    ASSERT_LT(static_cast<size_t>(peOffset) + sizeof(IMAGE_NT_HEADERS64), file.size());
    const char* optional = file.data() + peOffset + 4 + sizeof(IMAGE_FILE_HEADER);
    WORD magic;
    std::memcpy(&magic, optional, sizeof magic);
    DWORD entryPoint;
    IMAGE_DATA_DIRECTORY imports;
    if (magic == IMAGE_NT_OPTIONAL_HDR64_MAGIC) {
        IMAGE_OPTIONAL_HEADER64 header;
        std::memcpy(&header, optional, sizeof header);
        entryPoint = header.AddressOfEntryPoint;
        imports = header.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    } else {
        IMAGE_OPTIONAL_HEADER32 header;
        std::memcpy(&header, optional, sizeof header);
        entryPoint = header.AddressOfEntryPoint;
        imports = header.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    }
    EXPECT_EQ(entryPoint, 0u);
    if (imports.VirtualAddress == 0) return;
    // A present import directory must be just its terminating empty entry.
    HMODULE image = LoadLibraryExW(LibraryPath(GetParam()).c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES);
    ASSERT_NE(image, nullptr);
    IMAGE_IMPORT_DESCRIPTOR first;
    std::memcpy(&first, reinterpret_cast<const BYTE*>(image) + imports.VirtualAddress, sizeof first);
    EXPECT_EQ(first.Name, 0u) << "the library imports a DLL";
    FreeLibrary(image);
}

INSTANTIATE_FOR_EVERY_LANGUAGE(LibraryTextsTest);

}  // namespace
