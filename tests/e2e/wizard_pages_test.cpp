// The pages of a new installation one by one through the real Setup.exe:
// the Welcome page's folder checks, the feature rows, Cancel and Back on
// every page, Enter, and the requirement window.
#include <gtest/gtest.h>

#include "tests/e2e/wizard_e2e.h"

namespace {

using namespace wizard_e2e;

constexpr wchar_t kPathInputError[] = L"Path input error, please input again.";
constexpr wchar_t kRootRefused[] = L"The software is not installed on the disk root directory, please input again.";

// Ends a run that reached the error page: the page closes with its Finish button.
void FinishOnErrorPage(WizardRun& run) {
    HWND error = run.WaitPage(kError);
    ASSERT_TRUE(error) << "no error page";
    driver::ClickButton(error, 1001);
    EXPECT_TRUE(run.WaitExit(20000));
}

TEST(WizardWelcome, RefusesBadFoldersAndAsksBeforeANonEmptyOne) {
    WizardMedium medium;
    WizardRun run(medium.SetupCommand(), medium.Folder());
    HWND welcome = run.WaitPage(kWelcome);
    ASSERT_TRUE(welcome);
    const std::wstring typeLibraryText = L"Invalid characters in path name.";

    struct Case {
        std::wstring Typed;
        std::wstring Message;   // the start of the message shown
        std::wstring ShownAfter;
    };
    const Case cases[] = {
        {L"Pelmora", kPathInputError, L"Pelmora"},
        {L"C:\\", kRootRefused, L"C:\\"},
        {L"C:\\\\", kRootRefused, L"C:\\"},   // reduced to one trailing backslash
        {L"D:", kPathInputError, L"D:"},
        {L"C:\\Apps?", typeLibraryText, L"C:\\Apps?"},
        {L"C:\\Ap|ps\\\\\\", typeLibraryText, L"C:\\Ap|ps\\"},   // three trailing backslashes shown as one
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "typed " << testing::PrintToString(c.Typed));
        driver::SetControlText(welcome, 1023, c.Typed);
        driver::ClickButton(welcome, 1018);
        driver::MessageBoxInfo box = run.AnswerBox(IDOK);
        ASSERT_TRUE(box.Window) << "no message";
        EXPECT_EQ(box.Text.substr(0, c.Message.size()), c.Message) << box.Text;
        EXPECT_EQ(driver::ControlText(welcome, 1023), c.ShownAfter);
        EXPECT_TRUE(IsWindowVisible(welcome));
    }
    // Text 2028 on the Welcome page: no blank after "names:".
    driver::SetControlText(welcome, 1023, L"C:\\a*b");
    driver::ClickButton(welcome, 1018);
    driver::MessageBoxInfo chars = run.AnswerBox(IDOK);
    EXPECT_EQ(chars.Text,
              L"Invalid characters in path name.\nThe following characters are not valid in path names:/ : * ? \" < > |");

    // A folder that holds a file: the question names it; No stays, Yes goes on.
    const std::wstring busy = medium.Root() + L"\\Busy";
    CreateDirectoryW(busy.c_str(), nullptr);
    WriteFileBytes(busy + L"\\file.txt", "x");
    driver::SetControlText(welcome, 1023, busy);
    driver::ClickButton(welcome, 1018);
    driver::MessageBoxInfo question = run.AnswerBox(IDNO);
    EXPECT_EQ(question.Caption, kProductName);
    EXPECT_EQ(question.Text, busy + L" is not empty. Are you sure you want to install to this position?");
    Sleep(500);
    EXPECT_TRUE(IsWindowVisible(welcome));
    driver::ClickButton(welcome, 1018);
    EXPECT_TRUE(run.AnswerBox(IDYES).Window);
    HWND license = run.WaitPage(kLicense);
    ASSERT_TRUE(license) << "Yes did not go on";
    driver::ClickButton(license, 2);
    FinishOnErrorPage(run);
}

TEST(WizardWelcome, EnterEndsNoPage) {
    WizardMedium medium;
    WizardRun run(medium.SetupCommand(), medium.Folder());
    HWND welcome = run.WaitPage(kWelcome);
    ASSERT_TRUE(welcome);
    PostMessageW(welcome, WM_COMMAND, IDOK, 0);
    driver::SetControlText(welcome, 1023, medium.Target());
    driver::ClickButton(welcome, 1018);
    HWND license = run.WaitPage(kLicense);
    ASSERT_TRUE(license) << "Enter ended the Welcome page";
    PostMessageW(license, WM_COMMAND, IDOK, 0);
    Sleep(800);
    EXPECT_TRUE(IsWindowVisible(license)) << "Enter ended the licence page";
    driver::CloseWindowLikeUser(license);
    FinishOnErrorPage(run);
}

TEST(WizardRequirementPage, OpensOverThePageWithItsSizeAndTitleAndClosesWithItsWindowControls) {
    WizardMedium medium;
    WizardRun run(medium.SetupCommand(), medium.Folder());
    HWND welcome = run.WaitPage(kWelcome);
    ASSERT_TRUE(welcome);
    RECT client{};
    GetClientRect(welcome, &client);
    // The window is titled with the link's own text.
    const std::wstring title = driver::ControlText(welcome, 1020);
    ASSERT_FALSE(title.empty());

    for (int round = 0; round < 2; ++round) {
        driver::ClickButton(welcome, 1020);
        HWND html = run.WaitPage(title.c_str(), 15000);
        ASSERT_TRUE(html) << "no requirement window (round " << round << ")";
        if (round == 0) run.Shot(html, L"wizard_11_requirements");
        RECT window{};
        GetWindowRect(html, &window);
        EXPECT_EQ(window.right - window.left, std::max<LONG>(client.right, 710));
        EXPECT_EQ(window.bottom - window.top, std::max<LONG>(client.bottom, 446));
        RECT area{};
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
        EXPECT_NEAR((window.left + window.right) / 2, (area.left + area.right) / 2, 2);
        EXPECT_NEAR((window.top + window.bottom) / 2, (area.top + area.bottom) / 2, 2);
        // The window can be made larger but not smaller than its minimum.
        SetWindowPos(html, nullptr, 0, 0, 300, 200, SWP_NOMOVE | SWP_NOZORDER);
        GetWindowRect(html, &window);
        EXPECT_GE(window.right - window.left, 710);
        EXPECT_GE(window.bottom - window.top, 446);
        if (round == 0) {
            driver::CloseWindowLikeUser(html);
        } else {
            PostMessageW(html, WM_KEYDOWN, VK_ESCAPE, 0);
        }
        EXPECT_TRUE(run.WaitGone(html, 10000)) << "the requirement window did not close (round " << round << ")";
        EXPECT_TRUE(IsWindowVisible(welcome));
    }
    driver::ClickButton(welcome, 2);
    FinishOnErrorPage(run);
}

// The pages before the installation, each left with Cancel or its close box.
TEST(WizardCancel, EveryPageBeforeTheInstallationEndsOnTheErrorPage) {
    WizardMedium medium;
    struct Case {
        const char* Page;
        bool CloseBox;
    };
    const Case cases[] = {{"welcome", false}, {"features", true}, {"licence", false}, {"start copy", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Page);
        WizardRun run(medium.SetupCommand(), medium.Folder());
        HWND page = run.WaitPage(kWelcome);
        ASSERT_TRUE(page);
        const std::string name = c.Page;
        if (name == "features") {
            driver::ClickButton(page, 1017);
            page = run.WaitPage(kFeatures);
        } else if (name != "welcome") {
            driver::SetControlText(page, 1023, medium.Target());
            driver::ClickButton(page, 1018);
            page = run.WaitPage(kLicense);
            if (name == "start copy" && page) {
                driver::ClickButton(page, 1003);
                driver::ClickButton(page, 1001);
                page = run.WaitPage(kStartCopy);
            }
        }
        ASSERT_TRUE(page);
        if (c.CloseBox) {
            driver::CloseWindowLikeUser(page);
        } else {
            driver::ClickButton(page, 2);
        }
        HWND error = run.WaitPage(kError);
        ASSERT_TRUE(error);
        if (name == "welcome") run.Shot(error, L"wizard_09_error");
        // The error page closes with either of its controls.
        if (c.CloseBox) {
            driver::CloseWindowLikeUser(error);
        } else {
            driver::ClickButton(error, 1001);
        }
        EXPECT_TRUE(run.WaitExit(20000));
        EXPECT_FALSE(FileExists(medium.Target())) << "something was installed";
    }
}

TEST(WizardBack, EachPageReturnsWhereTheFlowSaysAndKeepsWhatWasChosen) {
    WizardMedium medium;
    WizardRun run(medium.SetupCommand(), medium.Folder());
    HWND welcome = run.WaitPage(kWelcome);
    ASSERT_TRUE(welcome);

    // Features and back: the folder typed on either page comes back unvalidated.
    driver::SetControlText(welcome, 1023, L"C:\\typed\\on welcome");
    driver::ClickButton(welcome, 1017);
    HWND features = run.WaitPage(kFeatures);
    ASSERT_TRUE(features);
    EXPECT_EQ(driver::ControlText(features, 1025), L"C:\\typed\\on welcome");
    driver::SetControlText(features, 1025, L"not?valid");
    driver::ClickButton(features, 1000);
    HWND welcome2 = run.WaitPage(kWelcome, 20000, welcome);
    ASSERT_TRUE(welcome2);
    EXPECT_EQ(driver::ControlText(welcome2, 1023), L"not?valid");

    // Licence: accept, Back, Next again: still accepted.
    driver::SetControlText(welcome2, 1023, medium.Target());
    driver::ClickButton(welcome2, 1018);
    HWND license = run.WaitPage(kLicense);
    ASSERT_TRUE(license);
    driver::ClickButton(license, 1003);
    ASSERT_TRUE(WaitUntil([&] { return driver::IsControlEnabled(license, 1001); }, 5000));
    driver::ClickButton(license, 1000);
    HWND welcome3 = run.WaitPage(kWelcome, 20000, welcome2);
    ASSERT_TRUE(welcome3);
    EXPECT_EQ(driver::ControlText(welcome3, 1023), medium.Target());
    driver::ClickButton(welcome3, 1018);
    HWND license2 = run.WaitPage(kLicense, 20000, license);
    ASSERT_TRUE(license2);
    EXPECT_TRUE(driver::IsControlEnabled(license2, 1001));

    // Start copy, Back: the licence page again; declining disables Next again.
    driver::ClickButton(license2, 1001);
    HWND start = run.WaitPage(kStartCopy);
    ASSERT_TRUE(start);
    driver::ClickButton(start, 1000);
    HWND license3 = run.WaitPage(kLicense, 20000, license2);
    ASSERT_TRUE(license3);
    EXPECT_TRUE(driver::IsControlEnabled(license3, 1001));
    driver::ClickButton(license3, 1004);
    EXPECT_TRUE(WaitUntil([&] { return !driver::IsControlEnabled(license3, 1001); }, 5000));
    // A Next command that reaches the disabled button ends nothing.
    driver::ClickButton(license3, 1001);
    Sleep(800);
    EXPECT_TRUE(IsWindowVisible(license3));
    driver::ClickButton(license3, 2);
    FinishOnErrorPage(run);
}

// Features of Setup.ini with a gap (empty name) and a disabled one; the
// packages are fixture programs, so what was chosen shows in what ran.
TEST(WizardFeatures, RowsFollowSetupIniAndTheChoicesReachTheInstallation) {
    WizardMedium medium;
    medium.SetFeatures({L"First|Always there.|pkg_a.exe|1|1", L"|Nameless.|pkg_b.exe|1|1",
                        L"Locked|Cannot be changed.|pkg_c.exe|0|0", L"Last|Chosen on the page.|pkg_d.exe|0|1"});
    for (const wchar_t* package : {L"pkg_a.exe", L"pkg_b.exe", L"pkg_c.exe", L"pkg_d.exe"}) {
        medium.PlaceFixture(std::wstring(L"files\\") + package);
    }
    WizardRun run(medium.SetupCommand(), medium.Folder());
    HWND welcome = run.WaitPage(kWelcome);
    ASSERT_TRUE(welcome);
    driver::ClickButton(welcome, 1017);
    HWND features = run.WaitPage(kFeatures);
    ASSERT_TRUE(features);
    run.Shot(features, L"wizard_03_features");

    EXPECT_TRUE(driver::FindControl(features, 3001));
    EXPECT_FALSE(driver::FindControl(features, 3002)) << "an empty name makes no button";
    EXPECT_FALSE(driver::FindControl(features, 4002)) << "an empty name makes no description";
    ASSERT_TRUE(driver::FindControl(features, 3003));
    EXPECT_FALSE(driver::IsControlEnabled(features, 3003));
    ASSERT_TRUE(driver::FindControl(features, 3004));
    EXPECT_EQ(driver::ControlText(features, 3004), L"Last");
    EXPECT_EQ(driver::ControlText(features, 4004), L"Chosen on the page.");
    // The first row lies on the placeholders, in the page's own coordinates
    // (the page is centred, not at the screen origin); the gap keeps its row.
    RECT first = ControlRect(features, 3001), place = ControlRect(features, 1034);
    EXPECT_EQ(first.left, place.left);
    EXPECT_EQ(first.top, place.top);
    EXPECT_EQ(first.right, place.right);
    RECT text = ControlRect(features, 4001), textPlace = ControlRect(features, 1035);
    EXPECT_EQ(text.top, textPlace.top);
    EXPECT_EQ(text.left, textPlace.left);
    const LONG step = ControlRect(features, 1036).top - place.top;
    EXPECT_EQ(ControlRect(features, 3003).top, place.top + 2 * step);
    EXPECT_EQ(ControlRect(features, 3004).top, place.top + 3 * step);
    EXPECT_EQ(ControlRect(features, 4004).top, textPlace.top + 3 * step);

    // The first feature stays chosen; the disabled one cannot change; the last toggles.
    driver::ClickButton(features, 3001);
    driver::ClickButton(features, 3003);
    driver::ClickButton(features, 3004);
    driver::ClickButton(features, 3004);
    driver::ClickButton(features, 3004);
    // A drive root passes here (only the Welcome page refuses one), Next returns to Welcome.
    driver::SetControlText(features, 1025, L"C:\\");
    driver::ClickButton(features, 1001);
    HWND welcome2 = run.WaitPage(kWelcome, 20000, welcome);
    ASSERT_TRUE(welcome2) << "Next on the feature page did not return to Welcome";
    EXPECT_EQ(driver::ControlText(welcome2, 1023), L"C:\\");

    driver::SetControlText(welcome2, 1023, medium.Target());
    driver::ClickButton(welcome2, 1018);
    HWND license = run.WaitPage(kLicense);
    ASSERT_TRUE(license);
    driver::ClickButton(license, 1003);
    driver::ClickButton(license, 1001);
    HWND start = run.WaitPage(kStartCopy);
    ASSERT_TRUE(start);
    driver::ClickButton(start, 1001);
    HWND finish = run.WaitPage(kFinish, 120000);
    ASSERT_TRUE(finish);
    driver::ClickButton(finish, 1001);
    EXPECT_TRUE(run.WaitExit(60000));

    EXPECT_EQ(medium.RunsOf(L"files\\pkg_a.exe").size(), 1u);
    EXPECT_EQ(medium.RunsOf(L"files\\pkg_b.exe").size(), 1u) << "a nameless feature still installs";
    EXPECT_EQ(medium.RunsOf(L"files\\pkg_c.exe").size(), 0u);
    EXPECT_EQ(medium.RunsOf(L"files\\pkg_d.exe").size(), 1u);
}

// The folder dialog starts at the folder of the edit box; OK appends the
// product name unless the folder already ends in 2016; Cancel changes nothing.
TEST(WizardWelcome, BrowseChoosesAFolderForTheProduct) {
    WizardMedium medium;
    const std::wstring apps = medium.Root() + L"\\Apps";
    const std::wstring tools = medium.Root() + L"\\Tools2016";
    CreateDirectoryW(apps.c_str(), nullptr);
    CreateDirectoryW(tools.c_str(), nullptr);
    WizardRun run(medium.SetupCommand(), medium.Folder());
    HWND welcome = run.WaitPage(kWelcome);
    ASSERT_TRUE(welcome);

    auto browse = [&](const std::wstring& start, int answer) {
        driver::SetControlText(welcome, 1023, start);
        driver::ClickButton(welcome, 1024);
        HWND dialog = run.Process().WaitForWindowMatching(
            [&](HWND window) {
                return window != welcome && driver::ClassName(window) == L"#32770" && !driver::IsMessageBox(window);
            },
            15000);
        if (!dialog) return false;
        Sleep(500);
        driver::AnswerDialog(dialog, answer);
        return run.WaitGone(dialog, 10000);
    };
    ASSERT_TRUE(browse(apps, IDCANCEL)) << "no folder dialog";
    EXPECT_EQ(driver::ControlText(welcome, 1023), apps);
    ASSERT_TRUE(browse(apps, IDOK));
    EXPECT_EQ(driver::ControlText(welcome, 1023), apps + L"\\" + kProductName);
    ASSERT_TRUE(browse(tools, IDOK));
    EXPECT_EQ(driver::ControlText(welcome, 1023), tools);
    driver::ClickButton(welcome, 2);
    HWND error = run.WaitPage(kError);
    ASSERT_TRUE(error);
    driver::ClickButton(error, 1001);
    EXPECT_TRUE(run.WaitExit(20000));
}

}  // namespace
