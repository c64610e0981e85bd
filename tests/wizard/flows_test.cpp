#include "wizard/flows.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "app/setup_state.h"
#include "tests/common/test_paths.h"
#include "wizard/page_ids.h"

namespace {

using S = WizardStep;

// One scripted step: the step the flow must run next, the result it gets,
// and (for the maintenance page) the InstallMode the page leaves behind.
struct Scripted {
    WizardStep Step;
    int Result;
    int SetsMode = -1;
};

// Plays a script against a flow and records every step the flow ran. A step
// that departs from the script, or a run past its end, is a failure; the
// runner then answers Cancel so the flow still ends.
class ScriptedRunner {
public:
    explicit ScriptedRunner(std::vector<Scripted> script) : m_script(std::move(script)) {}

    int operator()(WizardStep step) {
        m_trace.push_back(step);
        if (m_next >= m_script.size()) {
            ADD_FAILURE() << "flow ran " << StepName(step) << " past the end of the script";
            return kResultCancel;
        }
        const Scripted& s = m_script[m_next++];
        EXPECT_EQ(StepName(step), std::wstring(StepName(s.Step))) << "at script position " << m_next - 1;
        if (s.SetsMode >= 0) State().InstallMode = s.SetsMode;
        return s.Result;
    }

    void ExpectAllPlayed() const { EXPECT_EQ(m_next, m_script.size()) << "the flow ended early"; }

private:
    std::vector<Scripted> m_script;
    std::vector<WizardStep> m_trace;
    size_t m_next = 0;
};

struct FlowCase {
    const char* Name;
    std::vector<Scripted> Script;
};

void PlayInstall(const FlowCase& c) {
    SCOPED_TRACE(c.Name);
    State().InstallMode = Install;
    ScriptedRunner runner(c.Script);
    RunInstallFlowWith([&](WizardStep step) { return runner(step); });
    runner.ExpectAllPlayed();
}

TEST(InstallFlow, FollowsEveryRowOfItsTable) {
    const FlowCase cases[] = {
        {"straight through",
         {{S::Welcome, 1018}, {S::License, 1001}, {S::StartCopy, 1001}, {S::CopyFiles, 1}, {S::Finish, 1001}}},
        {"feature side trip, Back and Next both return to Welcome",
         {{S::Welcome, 1017}, {S::Features, 1000}, {S::Welcome, 1017}, {S::Features, 1001},
          {S::Welcome, 1018}, {S::License, 1001}, {S::StartCopy, 1001}, {S::CopyFiles, 1}, {S::Finish, 2}}},
        {"licence Back returns to Welcome, start-copy Back to the licence",
         {{S::Welcome, 1018}, {S::License, 1000}, {S::Welcome, 1018}, {S::License, 1001},
          {S::StartCopy, 1000}, {S::License, 1001}, {S::StartCopy, 1001}, {S::CopyFiles, 1}, {S::Finish, 1001}}},
        {"Cancel on Welcome", {{S::Welcome, 2}, {S::Error, 1001}}},
        {"Cancel on Features", {{S::Welcome, 1017}, {S::Features, 2}, {S::Error, 2}}},
        {"Cancel on the licence", {{S::Welcome, 1018}, {S::License, 2}, {S::Error, 1001}}},
        {"Cancel on start copy", {{S::Welcome, 1018}, {S::License, 1001}, {S::StartCopy, 2}, {S::Error, 1001}}},
        {"failed installation",
         {{S::Welcome, 1018}, {S::License, 1001}, {S::StartCopy, 1001}, {S::CopyFiles, 2}, {S::Error, 1001}}},
    };
    for (const auto& c : cases) PlayInstall(c);
}

TEST(InstallFlow, TreatsUnexpectedResultsLikeCancel) {
    // Enter (1) and the results of other pages are not in the pages' rows.
    const FlowCase cases[] = {
        {"Welcome 1", {{S::Welcome, 1}, {S::Error, 0}}},
        {"Welcome 1001", {{S::Welcome, 1001}, {S::Error, 0}}},
        {"Welcome 1000", {{S::Welcome, 1000}, {S::Error, 0}}},
        {"Features 1018", {{S::Welcome, 1017}, {S::Features, 1018}, {S::Error, 0}}},
        {"Licence 1", {{S::Welcome, 1018}, {S::License, 1}, {S::Error, 0}}},
        {"Start copy -1", {{S::Welcome, 1018}, {S::License, 1001}, {S::StartCopy, -1}, {S::Error, 0}}},
        {"Copy files 1001",
         {{S::Welcome, 1018}, {S::License, 1001}, {S::StartCopy, 1001}, {S::CopyFiles, 1001}, {S::Error, 0}}},
    };
    for (const auto& c : cases) PlayInstall(c);
}

void PlayMaintenance(const FlowCase& c, bool fromInstalledCopy = false) {
    SCOPED_TRACE(c.Name);
    State().InstallMode = Remove;
    ScriptedRunner runner(c.Script);
    RunMaintenanceFlowWith([&](WizardStep step) { return runner(step); }, fromInstalledCopy);
    runner.ExpectAllPlayed();
}

TEST(MaintenanceFlow, FollowsEveryRowOfItsTable) {
    const FlowCase cases[] = {
        {"Repair goes straight to the progress page",
         {{S::Maintenance, 1001, Repair}, {S::CopyFiles, 1}, {S::Finish, 1001}}},
        {"Remove starts the removal and shows no further page",
         {{S::Maintenance, 1001, Remove}, {S::RemoveProduct, 1}}},
        {"a failed removal shows its notice and no page",
         {{S::Maintenance, 1001, Remove}, {S::RemoveProduct, 0}, {S::UninstallFailedNotice, 0}}},
        {"No to the removal question is the maintenance page's Cancel",
         {{S::Maintenance, 2, Remove}, {S::Error, 1001}}},
        {"Modify through features and start copy",
         {{S::Maintenance, 1001, Modify}, {S::Features, 1001}, {S::StartCopy, 1001}, {S::CopyFiles, 1},
          {S::Finish, 1001}}},
        {"Back paths of Modify",
         {{S::Maintenance, 1001, Modify}, {S::Features, 1001}, {S::StartCopy, 1000}, {S::Features, 1000},
          {S::Maintenance, 1001, Repair}, {S::CopyFiles, 2}, {S::Error, 1001}}},
        {"an unknown mode goes to the features like Modify",
         {{S::Maintenance, 1001, 7}, {S::Features, 2}, {S::Error, 0}}},
        {"Cancel on start copy", {{S::Maintenance, 1001, Modify}, {S::Features, 1001}, {S::StartCopy, 2}, {S::Error, 0}}},
        {"unexpected results", {{S::Maintenance, 1000, Modify}, {S::Error, 0}}},
        {"unexpected feature result", {{S::Maintenance, 1001, Modify}, {S::Features, 1017}, {S::Error, 0}}},
        {"failed modification", {{S::Maintenance, 1001, Modify}, {S::Features, 1001}, {S::StartCopy, 1001},
                                 {S::CopyFiles, 1}, {S::Finish, 2}}},
    };
    for (const auto& c : cases) PlayMaintenance(c);
}

TEST(MaintenanceFlow, FromAnInstalledCopyOnlyAsksTheRemovalQuestion) {
    State().InstallMode = Modify;
    PlayMaintenance({"Yes", {{S::QuickRemovalQuestion, IDYES}, {S::RemoveProduct, 1}}}, true);
    PlayMaintenance({"Yes, removal fails",
                     {{S::QuickRemovalQuestion, IDYES}, {S::RemoveProduct, 0}, {S::UninstallFailedNotice, 0}}},
                    true);
    PlayMaintenance({"No", {{S::QuickRemovalQuestion, IDNO}, {S::Error, 1001}}}, true);

    State().InstallMode = Repair;
    ScriptedRunner runner({{S::QuickRemovalQuestion, IDNO}, {S::Error, 1001}});
    RunMaintenanceFlowWith([&](WizardStep step) { return runner(step); }, true);
    EXPECT_EQ(State().InstallMode, Remove);
}

TEST(IsRunningFromInstalledCopy, NeedsTheLogAndNoMsiFolder) {
    struct Case {
        bool HasLog;
        bool HasMsi;
        bool InstalledCopy;
    };
    const Case cases[] = {{true, false, true}, {true, true, false}, {false, false, false}, {false, true, false}};
    for (const auto& c : cases) {
        ScratchFolder folder(L"copy");
        if (c.HasLog) {
            ASSERT_TRUE(WriteFileBytes(folder / L"install.log", "x\r\n"));
        }
        if (c.HasMsi) {
            ASSERT_TRUE(CreateDirectoryW((folder / L"Msi").c_str(), nullptr));
        }
        EXPECT_EQ(IsRunningFromInstalledCopy(folder.Path()), c.InstalledCopy)
            << "log " << c.HasLog << " msi " << c.HasMsi;
    }
}

}  // namespace
