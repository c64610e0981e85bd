// The silent installation of the real Setup.exe, end to end, on a medium of
// recorder programs laid out in the test: the command lines the programs got,
// the exit code, the boxes, and the files left in the target folder.
#include <gtest/gtest.h>

#include "framework/strings.h"
#include "tests/driver/driver.h"
#include "tests/engine/engine_test_support.h"

namespace {

// A medium with the real Setup.exe and resource library, recorder programs
// for every package, and a target folder whose name holds a blank.
class SilentMedium : public ::testing::Test {
protected:
    FixtureMedium m_medium;
    ScratchFolder m_targetParent{L"silent"};
    std::wstring m_target = m_targetParent / L"Pelmora 2016";
    std::wstring m_log = m_targetParent / L"recorder.log";

    void SetUp() override {
        CopyFileW((BinDir() + L"\\Setup.exe").c_str(), (m_medium.Folder() + L"\\Setup.exe").c_str(), FALSE);
        CopyFileW((BinDir() + L"\\IntallerRes.dll").c_str(), (m_medium.Folder() + L"\\IntallerRes.dll").c_str(), FALSE);
        // A language of its own keeps the product's Uninstall entry apart from other tests.
        WriteFileBytes(m_medium.Folder() + L"\\Setup.ini",
                       "[SETUP]\r\nCOMPANYNAME=Orvanti\r\nVERSION=16.0\r\nWOW64=0\r\nNUM=1\r\n"
                       "[x64]\r\nSETUP_DEST=C:\\Program Files (x86)\\Orvanti\\Pelmora2016\r\n"
                       "[RES]\r\nLANGUAGE=en_silent\r\n[packnum]\r\ncount=2\r\n"
                       "[sub1]\r\npackage=express.exe;samples.msi\r\ncheck=1\r\n"
                       "[sub2]\r\npackage=skipped.exe\r\ncheck=0\r\n");
        FixtureMedium::Place(L"recorder.exe", m_medium.Files(L"express.exe"));
        FixtureMedium::Place(L"fixture_ok.msi", m_medium.Msi(L"samples.msi"));
        // What the product packages would leave in the target folder.
        CreateDirectoryW(m_target.c_str(), nullptr);
        FixtureMedium::Place(L"recorder.exe", m_target + L"\\pelm.exe");
        WriteFileBytes(m_target + L"\\uninst.exe", "left by an older product");
    }

    driver::RunResult RunSetup(const std::wstring& arguments) {
        driver::RunOptions options;
        options.TimeoutMs = 120000;
        options.Start.ExtraEnvironment = {L"RECORDER_LOG=" + m_log};
        return driver::RunAnswering(L"\"" + m_medium.Folder() + L"\\Setup.exe\" " + arguments, options);
    }

    std::vector<std::wstring> Runs() const {
        std::vector<std::wstring> runs;
        for (const std::string& line : Lines(ReadFileBytes(m_log))) {
            std::wstring run = FromUtf8(line.substr(0, line.find('\t')));
            run = ReplaceAll(run, m_medium.Folder(), L"<M>");
            runs.push_back(ReplaceAll(run, m_target, L"<T>"));
        }
        return runs;
    }
    static std::vector<std::string> Lines(const std::string& text) {
        std::vector<std::string> lines;
        size_t start = 0;
        for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
            lines.push_back(text.substr(start, end - start));
        }
        return lines;
    }
    static std::vector<std::wstring> Texts(const driver::RunResult& run) {
        std::vector<std::wstring> texts;
        for (const auto& box : run.Boxes) texts.push_back(box.Text);
        return texts;
    }
};

const std::wstring kPassive = L" -passive -norestart";
const std::wstring kQuiet = L" -q -norestart";

TEST_F(SilentMedium, InstallsIntoTheBareTargetFolderRunningEveryProgramWithItsCommandLine) {
    driver::RunResult run = RunSetup(L"quiet=1 TARGETDIR=\"" + m_target + L"\\\" NUM=44");
    ASSERT_TRUE(run.Exited);
    EXPECT_EQ(run.ExitCode, 0u);
    EXPECT_TRUE(run.Boxes.empty()) << (run.Boxes.empty() ? "" : NarrowUtf8(run.Boxes[0].Text));
    std::vector<std::wstring> expected = {
        L"\"<M>\\Msi\\vcredist_x86_10.exe\"" + kQuiet,
        L"\"<M>\\Msi\\vcredist_x64_10.exe\"" + kQuiet,
        L"\"<M>\\files\\pelm_global.exe\"" + kPassive,
        L"\"<M>\\files\\pelm_local.exe\"" + kPassive,
        L"\"<M>\\files\\express.exe\"" + kPassive,
        L"\"<M>\\files\\pelm_help.exe\"" + kPassive,
        L"\"<M>\\files\\pelm_encryption.exe\"" + kPassive,
        L"\"<T>\\pelm.exe\" -Regserver -nologo",
        L"\"<M>\\files\\WriteRegister.exe\" lang=en-silent TARGETDIR=\"<T>\" PRODUCTNAME=\"Pelmora2016\" "
        L"VERSION=16.0 PLATFROM=x86 NUM=44 WorkspaceName=1 -q"};
    EXPECT_EQ(Runs(), expected);
    for (const wchar_t* name : {L"\\Setup.exe", L"\\IntallerRes.dll", L"\\Setup.ini", L"\\PUninstall"}) {
        EXPECT_EQ(ReadFileBytes(m_target + name),
                  ReadFileBytes(m_medium.Folder() + (std::wstring(name) == L"\\PUninstall" ? L"\\PUninstall.exe" : name)))
            << NarrowUtf8(name);
    }
    EXPECT_FALSE(FileExists(m_target + L"\\PUninstall.exe"));
    EXPECT_FALSE(FileExists(m_target + L"\\uninst.exe"));
    EXPECT_FALSE(FileExists(m_target + L"\\install.log"));  // the silent form registers nothing
}

TEST_F(SilentMedium, Num7SkipsTheProductsOwnRegistration) {
    driver::RunResult run = RunSetup(L"quiet=1 TARGETDIR=\"" + m_target + L"\" NUM=7");
    ASSERT_TRUE(run.Exited);
    EXPECT_EQ(run.ExitCode, 0u);
    std::vector<std::wstring> runs = Runs();
    ASSERT_FALSE(runs.empty());
    for (const std::wstring& line : runs) EXPECT_EQ(line.find(L"-Regserver"), std::wstring::npos);
    EXPECT_NE(runs.back().find(L" NUM=7 "), std::wstring::npos);
}

TEST_F(SilentMedium, AFailingMsxml6StopsTheRunWith1603WithoutTheSetupsFailureBox) {
    FixtureMedium::Place(L"fixture_fail.msi", m_medium.Msi(L"msxml6.msi"));
    driver::RunResult run = RunSetup(L"quiet=1 TARGETDIR=\"" + m_target + L"\"");
    ASSERT_TRUE(run.Exited);
    EXPECT_EQ(run.ExitCode, 1603u);
    // msxml6.msi is exempt from "Msi Install Failed!"; the package's own
    // message may still be shown by Windows Installer's basic interface.
    for (const auto& box : run.Boxes) EXPECT_NE(box.Text, L"Msi Install Failed!");
    EXPECT_EQ(Runs().size(), 2u);
    EXPECT_FALSE(FileExists(m_target + L"\\Setup.exe"));
}

TEST_F(SilentMedium, AMissingPackageStopsTheRunWithTheRunnersMessage) {
    DeleteFileW(m_medium.Files(L"pelm_global.exe").c_str());
    driver::RunResult run = RunSetup(L"quiet=1 TARGETDIR=\"" + m_target + L"\"");
    ASSERT_TRUE(run.Exited);
    EXPECT_EQ(run.ExitCode, 1603u);
    EXPECT_EQ(Texts(run), std::vector<std::wstring>{L"File :'" + m_medium.Files(L"pelm_global.exe") + L"' does not exist!"});
    EXPECT_EQ(run.Boxes[0].Caption, L"Setup");
    EXPECT_EQ(Runs().size(), 2u);
}

TEST_F(SilentMedium, ATargetDirWithAQuoteInsideIsRefusedBeforeAnythingRuns) {
    driver::RunResult run = RunSetup(L"quiet=1 TARGETDIR=\"C:\\a\"b\"");
    ASSERT_TRUE(run.Exited);
    EXPECT_EQ(run.ExitCode, 1603u);
    ASSERT_EQ(run.Boxes.size(), 1u);
    EXPECT_EQ(run.Boxes[0].Text.rfind(L"Invalid characters in path name.", 0), 0u) << NarrowUtf8(run.Boxes[0].Text);
    EXPECT_TRUE(Runs().empty());
}

TEST_F(SilentMedium, ARelativeTargetDirIsRefusedWithPathInputError) {
    driver::RunResult run = RunSetup(L"quiet=1 TARGETDIR=Pelmora");
    ASSERT_TRUE(run.Exited);
    EXPECT_EQ(run.ExitCode, 1603u);
    ASSERT_EQ(run.Boxes.size(), 1u);
    EXPECT_EQ(run.Boxes[0].Text, L"Path input error, please input again.");
    EXPECT_TRUE(Runs().empty());
}

}  // namespace
