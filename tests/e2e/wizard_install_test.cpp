// A new installation through the real Setup.exe: every page in order, what
// the installation leaves behind, the workspace choice, a failing package
// and its rollback, and the progress page while a package takes its time.
#include <gtest/gtest.h>
#include <shlobj.h>

#include "medium/common/standin.h"
#include "tests/e2e/wizard_e2e.h"

namespace {

using namespace wizard_e2e;

std::wstring SpecialFolder(int csidl) {
    wchar_t path[MAX_PATH] = L"";
    SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
    return path;
}

std::string Ansi(const std::wstring& text) { return standin::Narrow(text, CP_ACP); }

// Only some pages stay on top (their icons are checked in process, by
// wizard_page_base_test: Wine answers WM_GETICON from another process with none).
void ExpectPageFrame(HWND page, bool topmost) {
    EXPECT_EQ((GetWindowLongW(page, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0, topmost) << driver::WindowText(page);
}

// Welcome (target typed in), licence accepted, start copy: returns the
// progress page. Screenshots are taken under `shotPrefix` when it is set.
HWND InstallUpToProgress(WizardRun& run, const WizardMedium& medium, const std::wstring& shotPrefix = L"") {
    HWND welcome = run.WaitPage(kWelcome);
    if (!welcome) return nullptr;
    driver::SetControlText(welcome, 1023, medium.Target());
    if (!shotPrefix.empty()) run.Shot(welcome, shotPrefix + L"01_welcome");
    driver::ClickButton(welcome, 1018);
    HWND license = run.WaitPage(kLicense);
    if (!license) return nullptr;
    if (!shotPrefix.empty()) run.Shot(license, shotPrefix + L"02_license");
    driver::ClickButton(license, 1003);
    if (!WaitUntil([&] { return driver::IsControlEnabled(license, 1001); }, 5000)) return nullptr;
    driver::ClickButton(license, 1001);
    HWND start = run.WaitPage(kStartCopy);
    if (!start) return nullptr;
    if (!shotPrefix.empty()) run.Shot(start, shotPrefix + L"04_start_copy");
    driver::ClickButton(start, 1001);
    return run.WaitPage(kCopyFiles);
}

TEST(WizardInstall, NewInstallationEndToEnd) {
    WizardMedium medium;
    WizardRun run(medium.SetupCommand(), medium.Folder());
    ASSERT_TRUE(run.Started());

    HWND welcome = run.WaitPage(kWelcome);
    ASSERT_TRUE(welcome);
    ExpectPageFrame(welcome, true);
    driver::SetControlText(welcome, 1023, medium.Target());
    run.Shot(welcome, L"wizard_01_welcome");
    driver::ClickButton(welcome, 1018);

    HWND license = run.WaitPage(kLicense);
    ASSERT_TRUE(license);
    // First visit: declined, so Next is disabled until the agreement is accepted.
    EXPECT_FALSE(driver::IsControlEnabled(license, 1001));
    ExpectPageFrame(license, true);
    EXPECT_GT(SendMessageW(GetDlgItem(license, 1002), WM_GETTEXTLENGTH, 0, 0), 100);
    run.Shot(license, L"wizard_02_license");
    driver::ClickButton(license, 1003);
    ASSERT_TRUE(WaitUntil([&] { return driver::IsControlEnabled(license, 1001); }, 5000));
    driver::ClickButton(license, 1001);

    HWND start = run.WaitPage(kStartCopy);
    ASSERT_TRUE(start);
    ExpectPageFrame(start, false);
    run.Shot(start, L"wizard_04_start_copy");
    driver::ClickButton(start, 1001);

    HWND progress = run.WaitPage(kCopyFiles);
    ASSERT_TRUE(progress);
    ExpectPageFrame(progress, false);
    run.Shot(progress, L"wizard_05_copy_files");

    HWND finish = run.WaitPage(kFinish, 120000);
    ASSERT_TRUE(finish) << "the installation did not finish";
    EXPECT_TRUE(driver::IsControlVisible(finish, 1014));
    EXPECT_TRUE(driver::IsControlVisible(finish, 1015));
    ExpectPageFrame(finish, true);
    run.Shot(finish, L"wizard_06_finish");
    driver::ClickButton(finish, 1015);
    Sleep(300);
    driver::ClickButton(finish, 1001);
    ASSERT_TRUE(run.WaitExit(60000));

    const std::wstring target = medium.Target();
    // The configuration tool ran twice (Finish, then the page's destruction)
    // with the classic workspace, and the choice reached the installed Setup.ini.
    std::string runs = ReadFileBytes(target + L"\\" + standin::kConfigurationRunsName);
    size_t count = 0;
    for (size_t at = runs.find("WorkspaceName=0"); at != std::string::npos; at = runs.find("WorkspaceName=0", at + 1)) ++count;
    EXPECT_EQ(count, 2u) << runs;
    EXPECT_EQ(GetPrivateProfileIntW(L"SETUP", L"CLASSIC", -1, (target + L"\\Setup.ini").c_str()), 1);

    // The Uninstall entry.
    std::wstring value;
    EXPECT_TRUE(standin::ReadMachineString(kUninstallKey, L"InstallLocation", value));
    EXPECT_EQ(value, target);
    EXPECT_TRUE(standin::ReadMachineString(kUninstallKey, L"UninstallString", value));
    // Quoted, since the folder holds blanks (the log record names it without quotes).
    EXPECT_EQ(value, L"\"" + target + L"\\setup.exe\"");
    EXPECT_TRUE(standin::ReadMachineString(kUninstallKey, L"Platfrom", value));
    EXPECT_EQ(value, L"x86");

    // The shortcuts.
    const std::wstring desktopLink = SpecialFolder(CSIDL_COMMON_DESKTOPDIRECTORY) + L"\\Pelmora2016.lnk";
    const std::wstring programs = SpecialFolder(CSIDL_COMMON_PROGRAMS) + L"\\Orvanti\\Pelmora2016";
    EXPECT_TRUE(FileExists(desktopLink));
    for (const wchar_t* name : {L"Pelmora2016.lnk", L"Uninstall Pelmora 2016.lnk", L"Website.lnk",
                                L"Deviro DER Evizezu Davezo Rezezidor.lnk"}) {
        EXPECT_TRUE(FileExists(programs + L"\\" + name)) << name;
    }

    // install.log: the target folder chain first, then the registration and
    // shortcut records in their fixed order, byte for byte.
    const std::string log = ReadFileBytes(target + L"\\install.log");
    const std::string key = Ansi(std::wstring(L"HKEY_LOCAL_MACHINE\\") + kUninstallKey);
    auto reg = [&](const char* name, const std::wstring& data) {
        return "\r\r\nWriteRegStr: \"" + key + "\" \"" + name + "\"=\"" + Ansi(data) + "\"";
    };
    auto link = [&](const std::wstring& file, const std::wstring& to) {
        return "\r\r\nCreateShortCut: out: \"" + Ansi(file) + "\", in: \"" + Ansi(to) + " \", icon: ,0, sw=0, hk=0";
    };
    auto folder = [&](const std::wstring& path) {
        return "\r\r\nCreateDirectory: \"" + Ansi(path) + "\" (0)\r\r\nCreateDirectory: \"" + Ansi(path) + "\" created";
    };
    std::string expectedTail = reg("DisplayName", kProductName) + reg("InstallLocation", target) +
                               reg("DisplayIcon", target + L"\\pelm.exe") +
                               reg("UninstallString", target + L"\\setup.exe") + reg("Platfrom", L"x86") +
                               reg("Publisher", L"Orvanti Company") + reg("HelpLink", L"");
    // HelpLink's data comes from the resource library; compare up to it and take the rest from the log.
    const std::string beforeHelp = expectedTail.substr(0, expectedTail.rfind("\"HelpLink\""));
    size_t registration = log.find("\r\r\nWriteRegStr: ");
    ASSERT_NE(registration, std::string::npos) << log;
    EXPECT_EQ(log.substr(registration, beforeHelp.size()), beforeHelp);
    size_t afterHelp = log.find("\r\r\n", registration + beforeHelp.size());
    ASSERT_NE(afterHelp, std::string::npos);
    std::string rest = "\r\r\nWriteRegDWORD: \"" + key + "\" \"Version\"=\"56\"" + link(desktopLink, target + L"\\pelm.exe");
    const std::wstring orvantiPrograms = SpecialFolder(CSIDL_COMMON_PROGRAMS) + L"\\Orvanti";
    rest += folder(orvantiPrograms) + folder(programs);
    rest += link(programs + L"\\Pelmora2016.lnk", target + L"\\pelm.exe");
    rest += link(programs + L"\\Uninstall Pelmora 2016.lnk", target + L"\\setup.exe");
    rest += link(programs + L"\\Website.lnk", target + L"\\Website.url");
    rest += link(programs + L"\\Deviro DER Evizezu Davezo Rezezidor.lnk", target + L"\\doconv.exe");
    rest += "\r\r\nFile: overwriteflag=4, allowskipfilesflag=0, name=\"PUninstall\"";
    rest += "\r\r\nFile: wrote 341000 to \"" + Ansi(target) + "\\PUninstall\"";
    EXPECT_EQ(log.substr(afterHelp), rest);
    // The log starts with the folders the installation created for the target.
    const std::string head = folder(medium.Root() + L"\\Orvanti") + folder(target);
    EXPECT_EQ(log.substr(0, head.size()), head);
}

// One feature of plain executables keeps these runs short.
void UseOneFeature(const WizardMedium& medium) {
    medium.SetFeatures({L"Express Tools|Additional commands.|pelm_express.exe|1|1"});
}

size_t CountOf(const std::string& text, const std::string& what) {
    size_t count = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++count;
    return count;
}

TEST(WizardInstall, ClosingTheFinishPageWithItsCloseBoxRunsTheToolOnce) {
    WizardMedium medium;
    UseOneFeature(medium);
    WizardRun run(medium.SetupCommand(), medium.Folder());
    ASSERT_TRUE(InstallUpToProgress(run, medium));
    HWND finish = run.WaitPage(kFinish, 120000);
    ASSERT_TRUE(finish);
    driver::CloseWindowLikeUser(finish);
    ASSERT_TRUE(run.WaitExit(60000));
    std::string runs = ReadFileBytes(medium.Target() + L"\\" + standin::kConfigurationRunsName);
    // A new installation leaves the tool to the finish page: one run, modern workspace.
    EXPECT_EQ(CountOf(runs, "WorkspaceName=1"), 1u) << runs;
    EXPECT_EQ(CountOf(runs, "WorkspaceName=0"), 0u) << runs;
    EXPECT_EQ(GetPrivateProfileIntW(L"SETUP", L"CLASSIC", -1, (medium.Target() + L"\\Setup.ini").c_str()), 0);
}

TEST(WizardInstall, AFailingPackageIsReportedRolledBackAndEndsOnTheErrorPage) {
    WizardMedium medium;
    UseOneFeature(medium);
    DeleteFileW(medium.File(L"files\\pelm_express.exe").c_str());
    medium.PlaceFixture(L"PUninstall.exe");
    WizardRun run(medium.SetupCommand(), medium.Folder());
    ASSERT_TRUE(InstallUpToProgress(run, medium));

    // The runner names the missing file, then the job's failure notice names it.
    driver::MessageBoxInfo missing = run.AnswerBox(IDOK, 60000);
    EXPECT_NE(missing.Text.find(L"pelm_express.exe"), std::wstring::npos) << missing.Text;
    driver::MessageBoxInfo failure = run.AnswerBox(IDOK, 30000);
    EXPECT_EQ(failure.Caption, kProductName);
    EXPECT_EQ(failure.Text, L"pelm_express.exe,Failed to install,Please reinstall!");

    HWND error = run.WaitPage(kError, 30000);
    ASSERT_TRUE(error);
    ExpectPageFrame(error, false);
    run.Shot(error, L"wizard_09_error_after_failure");
    // The rollback: the medium's uninstaller, quiet, on a copy of the failed run's log.
    ASSERT_TRUE(WaitUntil([&] { return !medium.RunsOf(L"PUninstall.exe").empty(); }, 10000));
    std::vector<std::wstring> rollback = medium.RunsOf(L"PUninstall.exe");
    ASSERT_EQ(rollback.size(), 1u);
    EXPECT_NE(rollback[0].find(L"/quiet /norestart"), std::wstring::npos) << rollback[0];
    EXPECT_TRUE(FileExists(medium.File(L"install.log")));
    driver::ClickButton(error, 1001);
    EXPECT_TRUE(run.WaitExit(20000));
}

// Paints of a window as a fingerprint of its pixels.
std::string Pixels(HWND window, const std::wstring& scratch) {
    driver::SaveScreenshot(window, scratch);
    return ReadFileBytes(scratch);
}

TEST(WizardInstall, TheProgressPageStaysResponsiveWhileAPackageRunsAndCancelDoesNothing) {
    WizardMedium medium;
    UseOneFeature(medium);
    medium.PlaceFixture(L"files\\pelm_express.exe", 9000);
    WizardRun run(medium.SetupCommand(), medium.Folder());
    HWND progress = InstallUpToProgress(run, medium);
    ASSERT_TRUE(progress);
    ASSERT_TRUE(WaitUntil([&] { return !medium.RunsOf(L"files\\pelm_express.exe").empty(); }, 30000))
        << "the slow package did not start";
    const std::wstring shot = medium.Root() + L"\\frame.bmp";
    std::string first = Pixels(progress, shot);

    // Cancel and the close box leave the page and the installation alone.
    driver::ClickButton(progress, 2);
    driver::CloseWindowLikeUser(progress);
    // The page answers at once while the package still runs.
    DWORD_PTR answer = 0;
    EXPECT_NE(SendMessageTimeoutW(progress, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &answer), 0);
    // After five seconds the slideshow shows its next picture.
    Sleep(5600);
    EXPECT_TRUE(IsWindowVisible(progress));
    std::string later = Pixels(progress, shot);
    EXPECT_NE(first, later) << "the slideshow did not advance";
    run.Shot(progress, L"wizard_05b_copy_files_slideshow");

    HWND finish = run.WaitPage(kFinish, 60000);
    EXPECT_TRUE(finish) << "the installation did not go on to its end";
    if (finish) driver::ClickButton(finish, 1001);
    EXPECT_TRUE(run.WaitExit(60000));
}

}  // namespace
