// The silent removal of the real Setup.exe, end to end: the product program
// unregisters, and the uninstaller starts from a folder of its own in the
// temporary folder with its two files beside it.
#include <gtest/gtest.h>

#include "framework/strings.h"
#include "tests/driver/driver.h"
#include "tests/engine/engine_test_support.h"

namespace {

class RemovalMedium : public ::testing::Test {
protected:
    ScratchFolder m_medium{L"rmmedium"};
    ScratchFolder m_target{L"rm target"};
    ScratchFolder m_temp{L"rmtemp"};
    ScratchFolder m_logFolder{L"rmlog"};
    std::wstring m_log = m_logFolder / L"recorder.log";

    void SetUp() override {
        CopyFileW((BinDir() + L"\\Setup.exe").c_str(), (m_medium / L"Setup.exe").c_str(), FALSE);
        CopyFileW((BinDir() + L"\\IntallerRes.dll").c_str(), (m_medium / L"IntallerRes.dll").c_str(), FALSE);
        WriteFileBytes(m_medium / L"Setup.ini", "[SETUP]\r\nWOW64=0\r\n[RES]\r\nLANGUAGE=en_removal\r\n");
        // An installed product as the installation leaves it.
        FixtureMedium::Place(L"recorder.exe", m_target / L"pelm.exe");
        FixtureMedium::Place(L"recorder.exe", m_target / L"PUninstall");
        WriteFileBytes(m_target / L"install.log", "\r\r\nFile: wrote 341000 to \"x\\PUninstall\"");
        CopyFileW((BinDir() + L"\\IntallerRes.dll").c_str(), (m_target / L"IntallerRes.dll").c_str(), FALSE);
    }

    driver::RunResult RunSetup() {
        driver::RunOptions options;
        options.TimeoutMs = 60000;
        options.Start.ExtraEnvironment = {L"RECORDER_LOG=" + m_log, L"TMP=" + m_temp.Path() + L"\\"};
        return driver::RunAnswering(
            L"\"" + m_medium / L"Setup.exe" + L"\" Uninstall=1 TARGETDIR=\"" + m_target.Path() + L"\\\"", options);
    }
};

std::vector<std::pair<std::wstring, std::wstring>> ReadRuns(const std::wstring& log, size_t count) {
    std::vector<std::pair<std::wstring, std::wstring>> runs;
    for (int waited = 0; waited < 200; ++waited) {
        runs.clear();
        std::wstring text = FromUtf8(ReadFileBytes(log));
        size_t start = 0;
        for (size_t end; (end = text.find(L'\n', start)) != std::wstring::npos; start = end + 1) {
            std::wstring line = text.substr(start, end - start);
            size_t tab = line.find(L'\t');
            runs.emplace_back(line.substr(0, tab), tab == std::wstring::npos ? L"" : line.substr(tab + 1));
        }
        if (runs.size() >= count) break;
        Sleep(50);
    }
    return runs;
}

TEST_F(RemovalMedium, UnregistersAndStartsTheUninstallerFromATemporaryFolderOfItsOwn) {
    driver::RunResult run = RunSetup();
    ASSERT_TRUE(run.Exited);
    EXPECT_EQ(run.ExitCode, 0u);
    EXPECT_TRUE(run.Boxes.empty());
    auto runs = ReadRuns(m_log, 2);
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0].first, L"\"" + m_target.Path() + L"\\pelm.exe\" -UnRegserver -nologo");
    std::wstring folder = runs[1].second;
    EXPECT_EQ(folder.rfind(m_temp.Path() + L"\\", 0), 0u) << NarrowUtf8(folder);
    EXPECT_NE(folder, m_temp.Path());
    EXPECT_EQ(runs[1].first, L"\"" + folder + L"\\PUninstall.exe\" /norestart");
    EXPECT_EQ(ReadFileBytes(folder + L"\\install.log"), ReadFileBytes(m_target / L"install.log"));
    EXPECT_TRUE(FileExists(folder + L"\\IntallerRes.dll"));
}

TEST_F(RemovalMedium, WithoutInstallLogNoUninstallerStartsAndTheRunFails) {
    DeleteFileW((m_target / L"install.log").c_str());
    driver::RunResult run = RunSetup();
    ASSERT_TRUE(run.Exited);
    EXPECT_EQ(run.ExitCode, 1603u);
    Sleep(1000);
    auto runs = ReadRuns(m_log, 1);
    ASSERT_EQ(runs.size(), 1u);  // only the unregistration
    EXPECT_NE(runs[0].first.find(L"-UnRegserver"), std::wstring::npos);
}

TEST_F(RemovalMedium, WithoutTheUninstallerCopyTheRunFails) {
    DeleteFileW((m_target / L"PUninstall").c_str());
    driver::RunResult run = RunSetup();
    ASSERT_TRUE(run.Exited);
    EXPECT_EQ(run.ExitCode, 1603u);
    Sleep(1000);
    EXPECT_EQ(ReadRuns(m_log, 1).size(), 1u);
}

}  // namespace
