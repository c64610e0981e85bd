// The install thread as the copy-files page uses it: begin by class, post
// WM_INSTALL_RUN with the page, collect the notices, post WM_QUIT; the
// thread ends and deletes itself.
#include <gtest/gtest.h>

#include <shlobj.h>

#include "engine/install_messages.h"
#include "engine/install_sequence.h"
#include "engine/install_thread.h"
#include "engine/registration.h"
#include "tests/engine/engine_test_support.h"

namespace {

std::atomic<int> g_destroyed{0};

// Counts its own destruction, so the test sees the self-deletion.
class CountedInstallThread : public CInstallThread {
public:
    ~CountedInstallThread() override { ++g_destroyed; }
};

class RefusingThread : public CWinThread {
public:
    BOOL InitInstance() override { return FALSE; }
    ~RefusingThread() override { ++g_destroyed; }
};

HANDLE DuplicateOf(HANDLE handle) {
    HANDLE copy = nullptr;
    DuplicateHandle(GetCurrentProcess(), handle, GetCurrentProcess(), &copy, SYNCHRONIZE, FALSE, 0);
    return copy;
}

class InstallThreadTest : public ::testing::Test {
protected:
    StateRestorer m_restore;
    FixtureMedium m_medium;
    ScratchFolder m_target{L"thread"};
    RecorderLog m_log{m_medium.Folder() + L"\\recorder.log"};
    BoxWatcher m_boxes;
    NoticeCollector m_page;

    void SetUp() override {
        SetupState& state = State();
        state.ProductName = L"EngineThreadTest";
        state.CompanyName = L"EngineTests";
        state.LanguageLower = L"en";
        state.TargetDir = m_target.Path();
        state.InstallMode = Install;
        state.Features.clear();
        g_destroyed = 0;
    }
    void TearDown() override {
        RegDeleteKeyExW(HKEY_LOCAL_MACHINE, UninstallKeyPath().c_str(), KEY_WOW64_32KEY, 0);
        wchar_t path[MAX_PATH] = {};
        SHGetFolderPathW(nullptr, CSIDL_COMMON_DESKTOPDIRECTORY, nullptr, SHGFP_TYPE_CURRENT, path);
        DeleteFileW((std::wstring(path) + L"\\EngineThreadTest.lnk").c_str());
        SHGetFolderPathW(nullptr, CSIDL_COMMON_PROGRAMS, nullptr, SHGFP_TYPE_CURRENT, path);
        RemoveTree(std::wstring(path) + L"\\EngineTests");
    }

    // The page's side of one job, as the copy-files page does it.
    std::vector<UINT> RunOnThread() {
        // The job reads the medium of the running program; the thread runs
        // it from the fixture medium through the same handler.
        m_medium_folder = m_medium.Folder();
        auto* thread = BeginUiThread<MediumInstallThread>();
        EXPECT_NE(thread, nullptr);
        if (!thread) return {};
        HANDLE ended = DuplicateOf(thread->m_hThread);
        DWORD id = thread->m_nThreadID;
        EXPECT_TRUE(PostThreadMessageW(id, WM_INSTALL_RUN, 0, reinterpret_cast<LPARAM>(m_page.Window())));
        for (int waited = 0; waited < 600 && !Final(); ++waited) m_page.PumpUntil(0, 100);
        PostThreadMessageW(id, WM_QUIT, 0, 0);
        EXPECT_EQ(WaitForSingleObject(ended, 10000), WAIT_OBJECT_0);
        CloseHandle(ended);
        m_page.Drain();
        return m_page.Notices();
    }
    bool Final() const { return m_page.Count(WM_INSTALL_FINISHED) + m_page.Count(WM_INSTALL_FAILED) > 0; }

    // A thread that runs the job on the fixture medium; otherwise the
    // install thread itself.
    class MediumInstallThread : public CountedInstallThread {
    public:
        BOOL OnThreadMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
            if (message != WM_INSTALL_RUN) return CInstallThread::OnThreadMessage(message, wParam, lParam);
            RunInstallJobFrom(reinterpret_cast<HWND>(lParam), m_medium_folder);
            return TRUE;
        }
    };
    static std::wstring m_medium_folder;
};

std::wstring InstallThreadTest::m_medium_folder;

// Checks the order guaranteed to the page for one job.
void ExpectOrder(const std::vector<UINT>& notices) {
    ASSERT_FALSE(notices.empty());
    EXPECT_EQ(notices.front(), WM_INSTALL_STARTED);
    int finals = 0;
    for (size_t i = 1; i < notices.size(); ++i) {
        bool final = notices[i] == WM_INSTALL_FINISHED || notices[i] == WM_INSTALL_FAILED;
        finals += final;
        if (final) {
            EXPECT_EQ(i, notices.size() - 1) << "a notice after the final one";
        } else {
            EXPECT_TRUE(notices[i] == WM_PACKAGE_STARTED || notices[i] == WM_PACKAGE_FINISHED);
        }
        EXPECT_NE(notices[i], WM_INSTALL_STARTED);
    }
    EXPECT_EQ(finals, 1);
}

struct ContractCase {
    const char* Name;
    int Is64BitPackage;
    int Is64BitSystem;
    std::vector<std::pair<std::wstring, int>> Features;  // package text, check
    int PackagesFinished;  // without the Windows Installer update
};

class ProgressContractTest : public InstallThreadTest, public ::testing::WithParamInterface<ContractCase> {};

TEST_P(ProgressContractTest, FinishedNoticesMatchTheContractAndTheThreadDeletesItself) {
    const ContractCase& c = GetParam();
    State().Is64BitPackage = c.Is64BitPackage;
    State().Is64BitSystem = c.Is64BitSystem;
    FixtureMedium::Place(L"recorder.exe", m_medium.Files(L"a.exe"));
    FixtureMedium::Place(L"fixture_ok.msi", m_medium.Msi(L"b.msi"));
    FixtureMedium::Place(L"fixture_fail.msi", m_medium.Msi(L"bad.msi"));
    for (const auto& [package, check] : c.Features) {
        FeatureRecord feature;
        feature.Package = package;
        feature.Check = check;
        State().Features.push_back(feature);
    }

    std::vector<UINT> notices = RunOnThread();

    ExpectOrder(notices);
    EXPECT_EQ(notices.back(), WM_INSTALL_FINISHED) << NoticeNames(notices);
    int expected = c.PackagesFinished + (WindowsInstallerRegistered() ? 0 : 1);
    EXPECT_EQ(m_page.Count(WM_PACKAGE_FINISHED), expected) << NoticeNames(notices);
    EXPECT_EQ(g_destroyed, 1);
}

// 6, +1 on 64-bit Windows, +1 for the 32-bit product, +1 per selected entry,
// -1 per Windows Installer package that failed without stopping the job.
INSTANTIATE_TEST_SUITE_P(
    Thread, ProgressContractTest,
    ::testing::Values(ContractCase{"Product32OnSystem64", 0, 1, {}, 8},
                      ContractCase{"Product64OnSystem64", 1, 1, {}, 7},
                      ContractCase{"Product32OnSystem32", 0, 0, {}, 7},
                      ContractCase{"SelectedFeatures", 0, 1, {{L"a.exe;b.msi", 1}, {L"a.exe", 2}}, 10},
                      ContractCase{"FailedFeatureMsi", 1, 1, {{L"bad.msi;a.exe", 1}}, 8}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(InstallThreadTest, AFailedJobEndsWithFailedAfterTheNoticeAndTheThreadStillEnds) {
    DeleteFileW(m_medium.Msi(L"vcredist_x86_10.exe").c_str());
    State().Is64BitPackage = 0;
    std::vector<UINT> notices = RunOnThread();
    ExpectOrder(notices);
    EXPECT_EQ(notices.back(), WM_INSTALL_FAILED);
    EXPECT_EQ(m_page.Count(WM_PACKAGE_FINISHED), 0);
    EXPECT_EQ(m_boxes.Boxes().size(), 2u);
    EXPECT_EQ(g_destroyed, 1);
}

TEST_F(InstallThreadTest, TheRealInstallThreadRunsTheJobOfTheRunningProgram) {
    // Beside the test program there is no medium: the first package is
    // missing, so the job fails at once, but it went through CInstallThread.
    State().Is64BitPackage = 0;
    auto* thread = BeginUiThread<CountedInstallThread>();
    ASSERT_NE(thread, nullptr);
    HANDLE ended = DuplicateOf(thread->m_hThread);
    DWORD id = thread->m_nThreadID;
    PostThreadMessageW(id, WM_INSTALL_RUN, 0, reinterpret_cast<LPARAM>(m_page.Window()));
    for (int waited = 0; waited < 300 && !Final(); ++waited) m_page.PumpUntil(0, 100);
    PostThreadMessageW(id, WM_QUIT, 0, 0);
    EXPECT_EQ(WaitForSingleObject(ended, 10000), WAIT_OBJECT_0);
    CloseHandle(ended);
    EXPECT_EQ(m_page.Notices().back(), WM_INSTALL_FAILED);
    EXPECT_EQ(g_destroyed, 1);
}

TEST(WinThreadTest, AThreadWhoseInitInstanceRefusesIsNotReturnedAndIsDeletedOnce) {
    g_destroyed = 0;
    EXPECT_EQ(BeginUiThread<RefusingThread>(), nullptr);
    EXPECT_EQ(g_destroyed, 1);
}

TEST(WinThreadTest, AMessagePostedRightAfterBeginIsNotLostAndQuitEndsTheThread) {
    struct Echo : CWinThread {
        HWND Target = nullptr;
        BOOL OnThreadMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
            if (message != WM_APP + 1) return FALSE;
            PostMessageW(reinterpret_cast<HWND>(lParam), WM_PACKAGE_FINISHED, wParam, 0);
            return TRUE;
        }
    };
    NoticeCollector page;
    for (int round = 0; round < 20; ++round) {
        Echo* thread = BeginUiThread<Echo>(THREAD_PRIORITY_BELOW_NORMAL);
        ASSERT_NE(thread, nullptr);
        HANDLE ended = DuplicateOf(thread->m_hThread);
        ASSERT_TRUE(PostThreadMessageW(thread->m_nThreadID, WM_APP + 1, 0, reinterpret_cast<LPARAM>(page.Window())));
        ASSERT_TRUE(PostThreadMessageW(thread->m_nThreadID, WM_QUIT, 0, 0));
        EXPECT_EQ(WaitForSingleObject(ended, 5000), WAIT_OBJECT_0);
        CloseHandle(ended);
    }
    page.Drain();
    EXPECT_EQ(page.Count(WM_PACKAGE_FINISHED), 20);
}

}  // namespace
