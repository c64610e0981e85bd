// The runners: exact command lines as the started programs receive them,
// the page notices really posted, and what the user is shown.
#include <gtest/gtest.h>

#include <windows.h>
#include <msi.h>

#include "app/local_text.h"
#include "engine/install_messages.h"
#include "engine/runners.h"
#include "framework/win_app.h"
#include "tests/engine/engine_test_support.h"

namespace {

class RunnersTest : public ::testing::Test {
protected:
    StateRestorer m_restore;
    ScratchFolder m_folder{L"runners"};
    RecorderLog m_log{m_folder / L"recorder.log"};
    BoxWatcher m_boxes;
    NoticeCollector m_page;

    std::wstring Program(const std::wstring& name) {
        std::wstring path = m_folder / name;
        FixtureMedium::Place(L"recorder.exe", path);
        return path;
    }
    std::vector<UINT> Notices() {
        m_page.Drain();
        return m_page.Notices();
    }
};

using PackageRunner = int (*)(const std::wstring&, HWND);

struct PackageCase {
    const char* Name;
    PackageRunner Runner;
    const wchar_t* Switches;
};

class PackageRunnerTest : public RunnersTest, public ::testing::WithParamInterface<PackageCase> {};

TEST_P(PackageRunnerTest, RunsWithTheExactCommandLineAndPostsStartedThenFinished) {
    std::wstring path = Program(L"pelm global.exe");
    EXPECT_EQ(GetParam().Runner(path, m_page.Window()), 1);
    EXPECT_EQ(m_log.CommandLines(), std::vector<std::wstring>{L"\"" + path + L"\"" + GetParam().Switches});
    EXPECT_EQ(NoticeNames(Notices()), L"PACKAGE_STARTED PACKAGE_FINISHED");
    EXPECT_TRUE(m_boxes.Boxes().empty());
}

TEST_P(PackageRunnerTest, AProgramThatExitsWith1603StillCountsAsRun) {
    std::wstring path = Program(L"failing.exe");
    FixtureMedium::SetExitCode(path, 1603);
    EXPECT_EQ(GetParam().Runner(path, m_page.Window()), 1);
    EXPECT_EQ(m_log.Runs().size(), 1u);
    EXPECT_EQ(NoticeNames(Notices()), L"PACKAGE_STARTED PACKAGE_FINISHED");
}

TEST_P(PackageRunnerTest, AMissingFileIsShownWithItsFullPathAndOnlyStartedIsPosted) {
    std::wstring path = m_folder / L"files\\pelm_global.exe";
    EXPECT_EQ(GetParam().Runner(path, m_page.Window()), 0);
    EXPECT_EQ(NoticeNames(Notices()), L"PACKAGE_STARTED");
    std::vector<SeenBox> boxes = m_boxes.Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Text, L"File :'" + path + L"' does not exist!");
    EXPECT_EQ(boxes[0].Caption, AppTitle());
}

TEST_P(PackageRunnerTest, ACommandLineThatWouldNotFitIsNotRunCut) {
    std::wstring folder = m_folder / std::wstring(120, L'f');
    CreateDirectoryW(folder.c_str(), nullptr);
    std::wstring path = folder + L"\\" + std::wstring(100, L'p') + L".exe";
    ASSERT_TRUE(CopyFileW(FixturePath(L"recorder.exe").c_str(), path.c_str(), FALSE));
    EXPECT_EQ(GetParam().Runner(path, m_page.Window()), 0);
    EXPECT_TRUE(m_log.Runs().empty());
    EXPECT_EQ(NoticeNames(Notices()), L"PACKAGE_STARTED");
    std::vector<SeenBox> boxes = m_boxes.Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].Text.find(L"too long"), std::wstring::npos) << boxes[0].Text;
}

TEST_P(PackageRunnerTest, AFileThatCannotBeStartedFailsSilentlyAfterStarted) {
    std::wstring path = m_folder / L"broken.exe";
    WriteFileBytes(path, "not a program");
    EXPECT_EQ(GetParam().Runner(path, m_page.Window()), 0);
    EXPECT_EQ(NoticeNames(Notices()), L"PACKAGE_STARTED");
    EXPECT_TRUE(m_boxes.Boxes().empty());
}

TEST_P(PackageRunnerTest, WithoutAPageNothingIsPosted) {
    std::wstring path = Program(L"quiet.exe");
    EXPECT_EQ(GetParam().Runner(path, nullptr), 1);
    EXPECT_TRUE(Notices().empty());
}

INSTANTIATE_TEST_SUITE_P(Runners, PackageRunnerTest,
                         ::testing::Values(PackageCase{"Passive", RunPassivePackage, L" -passive -norestart"},
                                           PackageCase{"Quiet", RunQuietPackage, L" -q -norestart"}),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST_F(RunnersTest, ConfigurationToolGetsEveryPropertyAndTargetDirLosesItsTrailingBackslash) {
    std::wstring path = Program(L"WriteRegister_x64.exe");
    SetupState& state = State();
    state.LanguageLower = L"zh_cn";
    state.TargetDir = L"C:\\Program Files\\Orvanti\\Pelmora2016\\";
    state.ProductName = L"Pelmora 2016";
    state.Version = L"16.0";
    state.Is64BitPackage = 1;
    state.Num = 1;
    state.Classic = 0;
    EXPECT_EQ(RunConfigurationTool(path, m_page.Window()), 1);
    EXPECT_EQ(m_log.CommandLines(),
              std::vector<std::wstring>{L"\"" + path +
                                        L"\" lang=zh-cn TARGETDIR=\"C:\\Program Files\\Orvanti\\Pelmora2016\" "
                                        L"PRODUCTNAME=\"Pelmora 2016\" VERSION=16.0 PLATFROM=x64 NUM=1 WorkspaceName=1 -q"});
    EXPECT_EQ(state.TargetDir, L"C:\\Program Files\\Orvanti\\Pelmora2016");
    EXPECT_TRUE(Notices().empty());
}

TEST_F(RunnersTest, ConfigurationToolFor32BitProductAndClassicWorkspace) {
    SetupState& state = State();
    state.LanguageLower = L"fr_fr";
    state.TargetDir = L"D:\\P";
    state.ProductName = L"P";
    state.Version = L"16.1";
    state.Is64BitPackage = 0;
    state.Num = 44;
    state.Classic = 3;
    EXPECT_EQ(ConfigurationToolCommandLine(L"C:\\t.exe"),
              L"\"C:\\t.exe\" lang=fr-fr TARGETDIR=\"D:\\P\" PRODUCTNAME=\"P\" VERSION=16.1 PLATFROM=x86 NUM=44 "
              L"WorkspaceName=0 -q");
}

TEST_F(RunnersTest, ConfigurationToolMissingShowsTheFileBoxWithoutNotices) {
    State().TargetDir = L"C:\\T\\";
    std::wstring path = m_folder / L"WriteRegister.exe";
    EXPECT_EQ(RunConfigurationTool(path, m_page.Window()), 0);
    EXPECT_TRUE(Notices().empty());
    ASSERT_EQ(m_boxes.Boxes().size(), 1u);
    EXPECT_EQ(m_boxes.Boxes()[0].Text, L"File :'" + path + L"' does not exist!");
}

TEST_F(RunnersTest, RunProgramPassesItsArgumentTextRightAfterTheQuotedPath) {
    std::wstring path = Program(L"pelm.exe");
    EXPECT_EQ(RunProgram(path, L" -Regserver -nologo"), 1);
    EXPECT_EQ(m_log.Runs().size(), 1u);
    EXPECT_EQ(m_log.CommandLines()[0], L"\"" + path + L"\" -Regserver -nologo");
    EXPECT_EQ(m_log.Runs()[0].Folder, m_folder.Path());
}

TEST_F(RunnersTest, RunProgramAndRegsvr32OnAMissingFileSucceedWithoutRunningAnything) {
    EXPECT_EQ(RunProgram(m_folder / L"pelm.exe", L" -Regserver -nologo"), 1);
    EXPECT_EQ(RunRegsvr32(m_folder / L"dwgthumb.dll"), 1);
    EXPECT_TRUE(m_log.Runs().empty());
    EXPECT_TRUE(m_boxes.Boxes().empty());
}

TEST_F(RunnersTest, RunProgramFailsOnlyWhenTheProgramCannotBeStarted) {
    std::wstring path = m_folder / L"pelm.exe";
    WriteFileBytes(path, "not a program");
    EXPECT_EQ(RunProgram(path, L" -Regserver -nologo"), 0);
    EXPECT_TRUE(m_boxes.Boxes().empty());
}

TEST_F(RunnersTest, Regsvr32FromTheSystemFolderRegistersSilently) {
    std::wstring dll = m_folder / L"dwg thumb.dll";
    FixtureMedium::Place(L"regprobe.dll", dll);
    EXPECT_EQ(RunRegsvr32(dll), 1);
    std::vector<RecordedRun> runs = m_log.Runs();
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].CommandLine, L"regsvr32 \"" + dll + L"\" -s");
    EXPECT_TRUE(m_boxes.Boxes().empty());  // -s: regsvr32 showed no result box
}

TEST_F(RunnersTest, FailureNoticesNameTheFileFirstAndAreTopMost) {
    State().ProductName = L"Pelmora 2016";
    ShowRegisterFailure(L"dwgthumb.dll");
    ShowInstallFailure(L"pelm_global.exe");
    std::vector<SeenBox> boxes = m_boxes.Boxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].Text, L"dwgthumb.dll,Failed to Register,Please reinstall!");
    EXPECT_EQ(boxes[1].Text, L"pelm_global.exe,Failed to install,Please reinstall!");
    for (const SeenBox& box : boxes) {
        EXPECT_EQ(box.Caption, L"Pelmora 2016");
        EXPECT_TRUE(box.TopMost);
    }
}

// --- Windows Installer ------------------------------------------------------

class MsiRunnerTest : public RunnersTest {
protected:
    std::wstring Package(const std::wstring& fixture, const std::wstring& name) {
        CreateDirectoryW((m_folder / L"Msi").c_str(), nullptr);
        std::wstring path = m_folder / (L"Msi\\" + name);
        FixtureMedium::Place(fixture, path);
        return path;
    }
    // The boxes of our own rule ("Msi Install Failed!"), not those of the UI handler.
    int FailedBoxes() {
        int count = 0;
        for (const SeenBox& box : m_boxes.Boxes()) count += box.Text == L"Msi Install Failed!";
        return count;
    }
};

TEST_F(MsiRunnerTest, ASuccessfulPackagePostsStartedThenFinished) {
    EXPECT_EQ(RunMsiPackage(Package(L"fixture_ok.msi", L"feature.msi"), m_page.Window()), 1);
    EXPECT_EQ(NoticeNames(Notices()), L"PACKAGE_STARTED PACKAGE_FINISHED");
    EXPECT_EQ(FailedBoxes(), 0);
}

TEST_F(MsiRunnerTest, APackageThatNeedsARestartCountsAsFailed) {
    EXPECT_EQ(RunMsiPackage(Package(L"fixture_reboot.msi", L"feature.msi"), m_page.Window()), 0);
    EXPECT_EQ(NoticeNames(Notices()), L"PACKAGE_STARTED");
    EXPECT_EQ(FailedBoxes(), 1);
}

struct MsiFailureCase {
    const char* Name;
    const wchar_t* Fixture;  // null: the package file is missing
    const wchar_t* FileName;
    int ExpectedFailedBoxes;
};

class MsiFailureTest : public MsiRunnerTest, public ::testing::WithParamInterface<MsiFailureCase> {};

TEST_P(MsiFailureTest, FailsWithOnlyStartedAndShowsTheBoxUnlessExempt) {
    const MsiFailureCase& c = GetParam();
    std::wstring path = c.Fixture ? Package(c.Fixture, c.FileName) : m_folder / (std::wstring(L"Msi\\") + c.FileName);
    EXPECT_EQ(RunMsiPackage(path, m_page.Window()), 0);
    EXPECT_EQ(NoticeNames(Notices()), L"PACKAGE_STARTED");
    EXPECT_EQ(FailedBoxes(), c.ExpectedFailedBoxes);
}

INSTANTIATE_TEST_SUITE_P(
    Msi, MsiFailureTest,
    ::testing::Values(MsiFailureCase{"FailingPackage", L"fixture_fail.msi", L"feature.msi", 1},
                      MsiFailureCase{"FailingMsxml6IsExempt", L"fixture_fail.msi", L"msxml6.msi", 0},
                      MsiFailureCase{"MissingMsxml6IsShown", nullptr, L"msxml6.msi", 1},
                      MsiFailureCase{"MissingPackage", nullptr, L"feature.msi", 1},
                      MsiFailureCase{"FailingXlstableEng", L"fixture_fail.msi", L"XLSTABLE_ENG.msi", 0},
                      MsiFailureCase{"MissingXlstableChs", nullptr, L"xlstable_chs.msi", 0},
                      MsiFailureCase{"FailingMsxml6X64IsNotExempt", L"fixture_fail.msi", L"msxml6_x64.msi", 1}),
    [](const auto& info) { return std::string(info.param.Name); });

struct UiCase {
    const char* Name;
    UINT Type;
    const wchar_t* Text;
    int Answer;
};

class MsiUiHandlerTest : public RunnersTest, public ::testing::WithParamInterface<UiCase> {};

TEST_P(MsiUiHandlerTest, AnswersByMessageKind) {
    EXPECT_EQ(MsiUiHandler(nullptr, GetParam().Type, GetParam().Text), GetParam().Answer);
    EXPECT_TRUE(m_boxes.Boxes().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Msi, MsiUiHandlerTest,
    ::testing::Values(UiCase{"NoText", INSTALLMESSAGE_ERROR | MB_OK, nullptr, 0},
                      UiCase{"Info", INSTALLMESSAGE_INFO, L"info", IDOK},
                      UiCase{"Progress", INSTALLMESSAGE_PROGRESS, L"1: 2", IDOK},
                      UiCase{"ActionStart", INSTALLMESSAGE_ACTIONSTART, L"a", IDOK},
                      UiCase{"OutOfDiskSpace", INSTALLMESSAGE_OUTOFDISKSPACE, L"a", IDOK},
                      UiCase{"CommonData", INSTALLMESSAGE_COMMONDATA, L"1: 0 2: 1036 3: 1252", IDOK},
                      UiCase{"FilesInUse", INSTALLMESSAGE_FILESINUSE, L"a", 0},
                      UiCase{"ResolveSource", INSTALLMESSAGE_RESOLVESOURCE, L"a", 0},
                      UiCase{"UnknownKind", 0x1F000000u, L"a", 0}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(RunnersTest, UiHandlerBoxesCarryTheirKindsCaptionAndAnswer) {
    EXPECT_EQ(MsiUiHandler(nullptr, INSTALLMESSAGE_WARNING | MB_OK, L"warned"), IDOK);
    EXPECT_EQ(MsiUiHandler(nullptr, INSTALLMESSAGE_FATALEXIT | MB_OK, L"fatal"), IDOK);
    EXPECT_EQ(MsiUiHandler(nullptr, INSTALLMESSAGE_ERROR | MB_OK | MB_ICONERROR, L"failed"), IDOK);
    std::vector<SeenBox> boxes = m_boxes.Boxes();
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[0].Caption, L"Warning");
    EXPECT_EQ(boxes[1].Caption, L"FatalError");
    EXPECT_EQ(boxes[2].Caption, L"Error");
    EXPECT_EQ(boxes[2].Text, L"failed");
}

}  // namespace
