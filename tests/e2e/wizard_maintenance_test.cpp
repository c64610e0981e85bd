// The maintenance flow through the real Setup.exe, over an installed
// product made by hand: Remove with its question, Repair, Modify with the
// installed features locked, and the quick removal from the installed copy.
#include <gtest/gtest.h>

#include "medium/common/standin.h"
#include "tests/e2e/wizard_e2e.h"

namespace {

using namespace wizard_e2e;

constexpr wchar_t kRemoveQuestion[] = L"\nAre you sure you want to uninstall this product?\n";

// Three features of fixture packages; the installed product has the first
// two, the medium's Setup.ini chooses only the first.
class Maintenance : public testing::Test {
protected:
    void SetUp() override {
        m_medium.SetFeatures({L"Core|Always there.|pkg_a.exe|1|1", L"Extras|Installed before.|pkg_b.exe|0|1",
                              L"Samples|Not installed.|pkg_c.exe|0|1"});
        for (const wchar_t* package : {L"pkg_a.exe", L"pkg_b.exe", L"pkg_c.exe"}) {
            m_medium.PlaceFixture(std::wstring(L"files\\") + package);
        }
        m_medium.FakeInstalledProduct({L"1", L"1", L"0"});
        m_removalLog = m_medium.Root() + L"\\removal.runs";
    }

    std::vector<std::wstring> Environment() const { return {L"WIZARD_FIXTURE_LOG=" + m_removalLog}; }
    std::string RemovalRuns() const { return ReadFileBytes(m_removalLog); }

    HWND Choose(WizardRun& run, int choice) {
        HWND page = run.WaitPage(kMaintenance);
        if (page) driver::ClickButton(page, choice);
        return page;
    }

    WizardMedium m_medium;
    std::wstring m_removalLog;
};

TEST_F(Maintenance, RemoveAsksFirstNoEndsOnTheErrorPageYesStartsTheRemovalAndShowsNothingMore) {
    {
        WizardRun run(m_medium.SetupCommand(), m_medium.Folder(), Environment());
        HWND page = run.WaitPage(kMaintenance);
        ASSERT_TRUE(page);
        run.Shot(page, L"wizard_07_maintenance");
        // Back does nothing on the first page; Remove is chosen from the start.
        driver::ClickButton(page, 1000);
        Sleep(500);
        ASSERT_TRUE(IsWindowVisible(page));
        driver::ClickButton(page, 1001);
        driver::MessageBoxInfo question = run.AnswerBox(IDNO);
        EXPECT_EQ(question.Caption, kProductName);
        EXPECT_EQ(question.Text, kRemoveQuestion);
        HWND error = run.WaitPage(kError);
        ASSERT_TRUE(error);
        driver::ClickButton(error, 1001);
        EXPECT_TRUE(run.WaitExit(20000));
        EXPECT_TRUE(RemovalRuns().empty());
    }
    {
        WizardRun run(m_medium.SetupCommand(), m_medium.Folder(), Environment());
        HWND page = Choose(run, 1012);   // change of mind: Repair, then Remove again
        ASSERT_TRUE(page);
        driver::ClickButton(page, 1007);
        driver::ClickButton(page, 1001);
        EXPECT_EQ(run.AnswerBox(IDYES).Text, kRemoveQuestion);
        EXPECT_TRUE(run.WaitExit(30000)) << "a page followed the removal";
        ASSERT_TRUE(WaitUntil([&] { return !RemovalRuns().empty(); }, 15000)) << "the uninstaller did not start";
        EXPECT_NE(RemovalRuns().find("/norestart"), std::string::npos) << RemovalRuns();
    }
}

TEST_F(Maintenance, RepairGoesStraightToTheProgressPageAndFinishesWithoutTheWorkspaceChoice) {
    WizardRun run(m_medium.SetupCommand(), m_medium.Folder(), Environment());
    HWND page = Choose(run, 1012);
    ASSERT_TRUE(page);
    driver::ClickButton(page, 1001);
    HWND progress = run.WaitPage(kCopyFiles);
    ASSERT_TRUE(progress) << "Repair did not go straight to the progress page";
    HWND finish = run.WaitPage(kFinish, 120000);
    ASSERT_TRUE(finish);
    EXPECT_FALSE(driver::IsControlVisible(finish, 1014));
    EXPECT_FALSE(driver::IsControlVisible(finish, 1015));
    run.Shot(finish, L"wizard_08_finish_after_repair");
    driver::ClickButton(finish, 1001);
    EXPECT_TRUE(run.WaitExit(30000));
    // The installed choices were reloaded: both installed features ran again.
    EXPECT_EQ(m_medium.RunsOf(L"files\\pkg_a.exe").size(), 1u);
    EXPECT_EQ(m_medium.RunsOf(L"files\\pkg_b.exe").size(), 1u);
    EXPECT_EQ(m_medium.RunsOf(L"files\\pkg_c.exe").size(), 0u);
    // The job ran the configuration tool; the finish page ran nothing more.
    std::string toolRuns = ReadFileBytes(m_medium.Target() + L"\\" + standin::kConfigurationRunsName);
    size_t runs = 0;
    for (size_t at = toolRuns.find("WorkspaceName="); at != std::string::npos; at = toolRuns.find("WorkspaceName=", at + 1)) ++runs;
    EXPECT_EQ(runs, 1u) << toolRuns;
}

TEST_F(Maintenance, ModifyLocksInstalledFeaturesHidesTheFolderAndInstallsTheNewChoice) {
    WizardRun run(m_medium.SetupCommand(), m_medium.Folder(), Environment());
    HWND page = Choose(run, 1011);
    ASSERT_TRUE(page);
    driver::ClickButton(page, 1001);
    HWND features = run.WaitPage(kFeatures);
    ASSERT_TRUE(features);
    for (int id : {1025, 1026, 1027}) EXPECT_FALSE(driver::IsControlVisible(features, id)) << id;
    run.Shot(features, L"wizard_03b_features_modify");
    driver::ClickButton(features, 3002);   // installed: stays chosen
    driver::ClickButton(features, 3003);   // not installed: chosen, deselected, chosen
    driver::ClickButton(features, 3003);
    driver::ClickButton(features, 3003);
    driver::ClickButton(features, 1001);
    HWND start = run.WaitPage(kStartCopy);
    ASSERT_TRUE(start);
    // Back from start copy leads to the feature page in this flow.
    driver::ClickButton(start, 1000);
    HWND features2 = run.WaitPage(kFeatures, 20000, features);
    ASSERT_TRUE(features2);
    driver::ClickButton(features2, 1001);
    HWND start2 = run.WaitPage(kStartCopy, 20000, start);
    ASSERT_TRUE(start2);
    driver::ClickButton(start2, 1001);
    HWND finish = run.WaitPage(kFinish, 120000);
    ASSERT_TRUE(finish);
    EXPECT_FALSE(driver::IsControlVisible(finish, 1014));
    EXPECT_FALSE(driver::IsControlVisible(finish, 1015));
    driver::CloseWindowLikeUser(finish);
    EXPECT_TRUE(run.WaitExit(30000));
    EXPECT_EQ(m_medium.RunsOf(L"files\\pkg_b.exe").size(), 1u) << "the installed feature was deselected";
    EXPECT_EQ(m_medium.RunsOf(L"files\\pkg_c.exe").size(), 1u) << "the new feature was not installed";
}

TEST_F(Maintenance, FromTheInstalledCopyOnlyTheRemovalQuestionIsAsked) {
    const std::wstring installedSetup = L"\"" + m_medium.Target() + L"\\Setup.exe\"";
    {
        WizardRun run(installedSetup, m_medium.Target(), Environment());
        driver::MessageBoxInfo question = run.AnswerBox(IDNO);
        EXPECT_EQ(question.Caption, kProductName);
        EXPECT_EQ(question.Text, kRemoveQuestion);
        HWND error = run.WaitPage(kError);
        ASSERT_TRUE(error) << "No did not lead to the error page";
        EXPECT_FALSE(run.Process().WaitForWindow(kMaintenance, 500));
        driver::CloseWindowLikeUser(error);
        EXPECT_TRUE(run.WaitExit(20000));
        EXPECT_TRUE(RemovalRuns().empty());
    }
    {
        WizardRun run(installedSetup, m_medium.Target(), Environment());
        EXPECT_EQ(run.AnswerBox(IDYES).Text, kRemoveQuestion);
        EXPECT_TRUE(run.WaitExit(30000)) << "a page followed the removal";
        ASSERT_TRUE(WaitUntil([&] { return !RemovalRuns().empty(); }, 15000)) << "the uninstaller did not start";
    }
    // With an Msi folder beside it, the same copy shows the maintenance page.
    CreateDirectoryW((m_medium.Target() + L"\\Msi").c_str(), nullptr);
    WizardRun run(installedSetup, m_medium.Target(), Environment());
    HWND page = run.WaitPage(kMaintenance);
    ASSERT_TRUE(page);
    driver::ClickButton(page, 2);
    HWND error = run.WaitPage(kError);
    ASSERT_TRUE(error);
    driver::ClickButton(error, 1001);
    EXPECT_TRUE(run.WaitExit(20000));
}

}  // namespace
