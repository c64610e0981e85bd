// An allocation that fails anywhere inside the install job must still end
// the job with WM_INSTALL_FAILED, so the page is never left waiting. This
// program replaces the global allocator to make the n-th allocation of the
// job's thread fail, for a range of n.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <cstdlib>
#include <new>
#include <thread>

#include "engine/install_messages.h"
#include "engine/install_sequence.h"
#include "engine/registration.h"
#include "tests/engine/engine_test_support.h"

namespace {
// Allocations left on this thread before one fails; negative: never.
thread_local long t_allocationsBeforeFailure = -1;
thread_local bool t_failed = false;

void* Allocate(std::size_t size) {
    if (t_allocationsBeforeFailure >= 0 && t_allocationsBeforeFailure-- == 0) {
        t_failed = true;
        throw std::bad_alloc();
    }
    void* memory = std::malloc(size ? size : 1);
    if (!memory) throw std::bad_alloc();
    return memory;
}
}  // namespace

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete[](void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete[](void* memory, std::size_t) noexcept { std::free(memory); }

namespace {

class InstallJobFaultTest : public ::testing::Test {
protected:
    StateRestorer m_restore;
    FixtureMedium m_medium;
    ScratchFolder m_target{L"faults"};
    RecorderLog m_log{m_medium.Folder() + L"\\recorder.log"};
    BoxWatcher m_boxes;

    void SetUp() override {
        SetupState& state = State();
        state.ProductName = L"EngineFaultTest";
        state.CompanyName = L"EngineFaultTests";
        state.LanguageLower = L"en";
        state.TargetDir = m_target.Path();
        state.Is64BitPackage = 0;
        state.Is64BitSystem = 1;
        state.InstallMode = Modify;
        FeatureRecord feature;
        feature.Package = L"pelm_help.exe;other.msi";
        feature.Check = 1;
        state.Features = {feature};
        // Windows Installer runs are slow and not what this test is about.
        DeleteFileW(m_medium.Msi(L"msxml6.msi").c_str());
    }
    void TearDown() override {
        RegDeleteKeyExW(HKEY_LOCAL_MACHINE, UninstallKeyPath().c_str(), KEY_WOW64_32KEY, 0);
        wchar_t path[MAX_PATH] = {};
        SHGetFolderPathW(nullptr, CSIDL_COMMON_DESKTOPDIRECTORY, nullptr, SHGFP_TYPE_CURRENT, path);
        DeleteFileW((std::wstring(path) + L"\\EngineFaultTest.lnk").c_str());
        SHGetFolderPathW(nullptr, CSIDL_COMMON_PROGRAMS, nullptr, SHGFP_TYPE_CURRENT, path);
        RemoveTree(std::wstring(path) + L"\\EngineFaultTests");
    }

    // Runs one job on a thread of its own whose n-th allocation fails;
    // true when the failure was really injected.
    bool RunJobFailingAt(long allocation, NoticeCollector& page) {
        bool injected = false;
        HWND window = page.Window();
        std::wstring medium = m_medium.Folder();
        std::thread job([&] {
            t_allocationsBeforeFailure = allocation;
            RunInstallJobFrom(window, medium);
            injected = t_failed;
            t_allocationsBeforeFailure = -1;
        });
        job.join();
        page.Drain();
        return injected;
    }
};

TEST_F(InstallJobFaultTest, EveryFailedAllocationEndsTheJobWithFailedAsItsOnlyFinalNotice) {
    int injectedRuns = 0;
    bool completed = false;
    for (long allocation = 0; allocation < 100000 && !completed; allocation = allocation < 8 ? allocation + 1 : allocation * 3 / 2) {
        NoticeCollector page;
        bool injected = RunJobFailingAt(allocation, page);
        const std::vector<UINT>& notices = page.Notices();
        ASSERT_FALSE(notices.empty()) << "allocation " << allocation;
        int finals = page.Count(WM_INSTALL_FINISHED) + page.Count(WM_INSTALL_FAILED);
        EXPECT_EQ(finals, 1) << "allocation " << allocation << ": " << NoticeNames(notices).c_str();
        bool finalIsLast = notices.back() == WM_INSTALL_FINISHED || notices.back() == WM_INSTALL_FAILED;
        EXPECT_TRUE(finalIsLast) << "allocation " << allocation;
        if (injected) {
            ++injectedRuns;
            EXPECT_EQ(notices.back(), WM_INSTALL_FAILED) << "allocation " << allocation;
        } else {
            completed = true;
            EXPECT_EQ(notices.back(), WM_INSTALL_FINISHED);
        }
    }
    EXPECT_TRUE(completed);
    EXPECT_GT(injectedRuns, 10);
}

}  // namespace
