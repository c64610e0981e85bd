#include "wizard/folder_rules.h"

#include <gtest/gtest.h>

namespace {

// Runs the Welcome page's text steps 2 and 3 and then its checks.
struct WelcomeOutcome {
    std::wstring Shown;
    FolderRefusal Refusal;
};
WelcomeOutcome WelcomeNext(std::wstring typed) {
    std::wstring dir = CollapseDoubledBackslashes(typed);
    KeepOneTrailingBackslash(dir);
    return {dir, CheckWelcomeFolder(dir)};
}

struct WelcomeCase {
    const wchar_t* Typed;
    const wchar_t* Shown;
    FolderRefusal Refusal;
};

TEST(WelcomeFolderRules, RefusesAndAcceptsAsTheWelcomePageDoes) {
    const WelcomeCase cases[] = {
        {L"Pelmora", L"Pelmora", FolderRefusal::PathInputError},            // bare name
        {L"", L"", FolderRefusal::PathInputError},
        {L"C:\\", L"C:\\", FolderRefusal::DriveRoot},
        {L"C:\\\\", L"C:\\", FolderRefusal::DriveRoot},                    // typed with two backslashes
        {L"\\", L"\\", FolderRefusal::DriveRoot},
        {L"D:", L"D:", FolderRefusal::PathInputError},                       // drive letter alone
        {L"D:Apps", L"D:Apps", FolderRefusal::PathInputError},
        {L"C:\\Apps?\\x", L"C:\\Apps?\\x", FolderRefusal::InvalidChars},
        {L"C:\\a:b", L"C:\\a:b", FolderRefusal::InvalidChars},
        {L"C:\\Apps\\\\\\", L"C:\\Apps\\", FolderRefusal::None},           // three trailing -> one
        {L"C:\\\\Program Files\\\\Orvanti", L"C:\\Program Files\\Orvanti", FolderRefusal::None},
        {L"C:\\Program Files (x86)\\Orvanti\\Pelmora 2016", L"C:\\Program Files (x86)\\Orvanti\\Pelmora 2016",
         FolderRefusal::None},
        {L"Apps\\Pelmora", L"Apps\\Pelmora", FolderRefusal::PathInputError}, // relative
        {L"\\Apps\\Pelmora", L"\\Apps\\Pelmora", FolderRefusal::None},
        {L"\\Apps|x", L"\\Apps|x", FolderRefusal::InvalidChars},
        {L"\\\\server\\share\\Pelmora", L"\\\\server\\share\\Pelmora", FolderRefusal::None},
        {L"\\\\server\\share", L"\\\\server\\share", FolderRefusal::DriveRoot},
        {L"\\\\server\\\\share\\\\Pelmora", L"\\\\server\\share\\Pelmora", FolderRefusal::None},
    };
    for (const auto& c : cases) {
        WelcomeOutcome outcome = WelcomeNext(c.Typed);
        EXPECT_EQ(outcome.Shown, c.Shown) << c.Typed;
        EXPECT_EQ(outcome.Refusal, c.Refusal) << c.Typed;
    }
}

TEST(FeatureFolderRules, AcceptDriveRootsAndKeepDoubledBackslashes) {
    struct Case {
        const wchar_t* Typed;
        const wchar_t* Kept;
        FolderRefusal Refusal;
    };
    const Case cases[] = {
        {L"C:\\", L"C:\\", FolderRefusal::None},          // only the Welcome page refuses a root
        {L"C:\\\\\\", L"C:\\", FolderRefusal::None},
        {L"Pelmora", L"Pelmora", FolderRefusal::PathInputError},
        {L"D:", L"D:", FolderRefusal::PathInputError},
        {L"C:\\x<y", L"C:\\x<y", FolderRefusal::InvalidChars},
        {L"C:\\a\\\\b", L"C:\\a\\\\b", FolderRefusal::None},
    };
    for (const auto& c : cases) {
        std::wstring dir = c.Typed;
        KeepOneTrailingBackslash(dir);
        EXPECT_EQ(dir, c.Kept) << c.Typed;
        EXPECT_EQ(CheckFeatureFolder(dir), c.Refusal) << c.Typed;
    }
}

TEST(FolderRefusalTexts, EachPageHasItsOwnDefaultFor2028) {
    TextDef welcome = RefusalText(FolderRefusal::InvalidChars, FolderPage::Welcome);
    TextDef feature = RefusalText(FolderRefusal::InvalidChars, FolderPage::Features);
    EXPECT_EQ(welcome.Id, 2028);
    EXPECT_EQ(feature.Id, 2028);
    EXPECT_EQ(std::wstring(welcome.DefaultText),
              L"Invalid characters in path name.\nThe following characters are not valid in path names:/ : * ? \" < > |");
    EXPECT_EQ(std::wstring(feature.DefaultText),
              L"Invalid characters in path name.\nThe following characters are not valid in path names: / : * ? \" < > |");
    EXPECT_EQ(RefusalText(FolderRefusal::PathInputError, FolderPage::Welcome).Id, 2027);
    EXPECT_EQ(RefusalText(FolderRefusal::DriveRoot, FolderPage::Welcome).Id, 2029);
}

TEST(DiskSpaceDrive, IsTheTextBeforeTheFirstBackslash) {
    EXPECT_EQ(DiskSpaceDrive(L"D:\\Apps"), L"D:");
    EXPECT_EQ(DiskSpaceDrive(L"C:\\Program Files\\Orvanti\\"), L"C:");
    EXPECT_EQ(DiskSpaceDrive(L"C:"), L"C:");
}

TEST(BrowseResultFolder, AppendsTheProductNameUnlessTheFolderAlreadyNamesIt) {
    const std::wstring product = L"Pelmora 2016";
    struct Case {
        const wchar_t* Chosen;
        const wchar_t* Result;
    };
    const Case cases[] = {
        {L"D:\\Apps", L"D:\\Apps\\Pelmora 2016"},
        {L"D:\\Apps\\", L"D:\\Apps\\Pelmora 2016"},
        {L"  D:\\Apps\\\\  ", L"D:\\Apps\\Pelmora 2016"},
        {L"C:\\", L"C:\\Pelmora 2016"},
        {L"D:\\Tools2016", L"D:\\Tools2016"},
        {L"D:\\Orvanti\\Pelmora 2016\\", L"D:\\Orvanti\\Pelmora 2016"},
        {L"Pelmora 2016", L"Pelmora 2016"},
        {L"D:\\pelmora", L"D:\\pelmora\\Pelmora 2016"},
    };
    for (const auto& c : cases) EXPECT_EQ(BrowseResultFolder(c.Chosen, product), c.Result) << c.Chosen;
    // The product name is compared exactly, case included.
    EXPECT_EQ(BrowseResultFolder(L"Apps", L"Apps"), L"Apps");
    EXPECT_EQ(BrowseResultFolder(L"apps", L"Apps"), L"apps\\Apps");
}

}  // namespace
