// The road start-up takes for a command line, seen by its first effect on the
// machine: a silent removal starts the installed <target>\pelm.exe first; a
// silent installation writes the setup record before anything else; the
// interactive road shows the welcome page and changes nothing.
#include "app/setup_record.h"
#include "framework/handles.h"
#include "framework/strings.h"
#include "tests/e2e/startup_medium.h"

#include <gtest/gtest.h>

namespace {

constexpr DWORD kExitFailure = 1603;
constexpr wchar_t kWelcomeCaption[] = L"Pelmora 2016 Setup - Welcome";

void DeleteSetupRecord() {
    RegDeleteKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Orvanti\\Pelmora\\Pelmora_Setup", KEY_WOW64_32KEY, 0);
}

// "path" of the setup record, or "<none>".
std::wstring SetupRecordPath() {
    unique_hkey key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kSetupRecordKey, 0, KEY_READ | KEY_WOW64_32KEY, key.put()) != ERROR_SUCCESS) {
        key.release();
        return L"<none>";
    }
    wchar_t path[1024] = {};
    DWORD bytes = sizeof(path) - sizeof(wchar_t);
    if (RegQueryValueExW(key.get(), L"path", nullptr, nullptr, reinterpret_cast<BYTE*>(path), &bytes) != ERROR_SUCCESS)
        return L"<none>";
    return path;
}

class StartupRoads : public testing::Test {
protected:
    StartupMedium m_medium;
    ScratchFolder m_targetParent{L"roads"};
    std::wstring m_target = m_targetParent / L"Pel Mora";

    void SetUp() override {
        DeleteSetupRecord();
        ASSERT_TRUE(m_medium.WriteIni("[RES]\r\nLANGUAGE=e2e_roads\r\n"));
        ASSERT_TRUE(CreateDirectoryW(m_target.c_str(), nullptr));
        ASSERT_TRUE(PlaceStubProgram(m_target + L"\\pelm.exe"));
    }
    void TearDown() override { DeleteSetupRecord(); }

    std::string PelmCalls() const { return ReadFileBytes(m_target + L"\\pelm.exe.calls"); }

    void ExpectSilentRemovalOf(const driver::RunResult& run) {
        ASSERT_TRUE(run.Exited);
        // The target holds no uninstaller, so removal cannot complete.
        EXPECT_EQ(run.ExitCode, kExitFailure);
        EXPECT_NE(PelmCalls().find("\\Pel Mora\\pelm.exe\" -UnRegserver -nologo"), std::string::npos) << PelmCalls();
        EXPECT_EQ(SetupRecordPath(), L"<none>");
    }
};

// Quoted program path, Uninstall=1, and a quoted TARGETDIR that ends in a
// backslash: removal of that folder, without quotes and backslash.
TEST_F(StartupRoads, QuotedTargetEndingInBackslashIsRemovedSilently) {
    ExpectSilentRemovalOf(m_medium.Run(L"Uninstall=1 TARGETDIR=\"" + m_target + L"\\\""));
}

TEST_F(StartupRoads, UninstallKeyAndValueMustMatchExactly) {
    for (const wchar_t* pair : {L"Uninstall=yes", L"uninstall=1"}) {
        SCOPED_TRACE(NarrowUtf8(pair));
        DeleteSetupRecord();
        driver::RunOptions options;
        options.TimeoutMs = 180000;
        driver::RunResult run = m_medium.Run(std::wstring(pair) + L" TARGETDIR=\"" + m_target + L"\"", options);
        ASSERT_TRUE(run.Exited);
        // A silent installation: the setup record names the folder; no removal started.
        EXPECT_EQ(SetupRecordPath(), m_target);
        EXPECT_EQ(PelmCalls().find("-UnRegserver"), std::string::npos) << PelmCalls();
    }
}

TEST_F(StartupRoads, QuietZeroIsInteractive) {
    driver::Process setup = driver::Process::Start(
        m_medium.CommandLine(L"quiet=0 Uninstall=1 TARGETDIR=\"" + m_target + L"\" NUM=3"));
    ASSERT_TRUE(setup.Started());
    HWND welcome = setup.WaitForWindow(kWelcomeCaption, 60000);
    EXPECT_NE(welcome, nullptr);
    EXPECT_EQ(PelmCalls(), "");
    EXPECT_EQ(SetupRecordPath(), L"<none>");
    setup.Kill();
}

TEST_F(StartupRoads, AVeryLongCommandLine) {
    std::wstring arguments = L"Uninstall=1 TARGETDIR=\"" + m_target + L"\\\" Filler=";
    std::wstring commandLine = m_medium.CommandLine(arguments);
    arguments.append(32000 - commandLine.size(), L'x');
    ExpectSilentRemovalOf(m_medium.Run(arguments));
}

TEST_F(StartupRoads, NonAsciiTargetFolder) {
    m_target = m_targetParent / L"\x8f6f\x4ef6 \x0421\x043e\x0444\x0442";
    ASSERT_TRUE(CreateDirectoryW(m_target.c_str(), nullptr));
    ASSERT_TRUE(PlaceStubProgram(m_target + L"\\pelm.exe"));
    driver::RunResult run = m_medium.Run(L"Uninstall=1 TARGETDIR=\"" + m_target + L"\\\"");
    ASSERT_TRUE(run.Exited);
    EXPECT_EQ(run.ExitCode, kExitFailure);
    EXPECT_NE(PelmCalls().find(NarrowUtf8(m_target + L"\\pelm.exe")), std::string::npos) << PelmCalls();
}

// Whatever Setup.ini holds, start-up reaches its road.
TEST_F(StartupRoads, BadSetupIniStillReachesTheRoad) {
    std::string garbage;
    unsigned seed = 777;
    for (int i = 0; i < 32 * 1024; ++i) {
        seed = seed * 1103515245u + 12345u;
        garbage.push_back(static_cast<char>(seed >> 16));
    }
    const std::pair<const char*, std::string> inis[] = {
        {"empty", ""},
        {"binary garbage", garbage},
        {"absurd packnum", "[packnum]\r\ncount=2147483647\r\n"},
        {"negative packnum", "[packnum]\r\ncount=-40\r\n"},
        {"long values", "[SETUP]\r\nCOMPANYNAME=" + std::string(5000, 'c') + "\r\n[RES]\r\nLANGUAGE=" +
                            std::string(3000, 'l') + "\r\n"},
    };
    for (const auto& [name, content] : inis) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(DeleteFileW((m_target + L"\\pelm.exe.calls").c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND);
        ASSERT_TRUE(m_medium.WriteIni(content));
        ExpectSilentRemovalOf(m_medium.Run(L"Uninstall=1 TARGETDIR=\"" + m_target + L"\""));
    }
}

}  // namespace
