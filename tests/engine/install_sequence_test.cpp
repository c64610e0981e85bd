// The install sequence run on a medium of fixture programs: which programs
// run in which order with which command lines, the page notices, the files
// left in the target folder, and where each form stops.
#include <gtest/gtest.h>

#include "app/setup_record.h"
#include "engine/install_messages.h"
#include "engine/install_sequence.h"
#include "engine/registration.h"
#include "framework/handles.h"
#include "framework/strings.h"
#include "tests/engine/engine_test_support.h"

#include <shlobj.h>

namespace {

std::wstring CommonOrvantiFolder() {
    wchar_t path[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, CSIDL_PROGRAM_FILES_COMMONX86, nullptr, SHGFP_TYPE_CURRENT, path);
    return std::wstring(path) + L"\\Orvanti";
}

// Removes what an interactive job registers outside the scratch folders.
void RemoveRegistration() {
    RegDeleteKeyExW(HKEY_LOCAL_MACHINE, UninstallKeyPath().c_str(), KEY_WOW64_32KEY, 0);
    wchar_t path[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, CSIDL_COMMON_DESKTOPDIRECTORY, nullptr, SHGFP_TYPE_CURRENT, path);
    DeleteFileW((std::wstring(path) + L"\\" + State().ProductName + L".lnk").c_str());
    SHGetFolderPathW(nullptr, CSIDL_COMMON_PROGRAMS, nullptr, SHGFP_TYPE_CURRENT, path);
    RemoveTree(std::wstring(path) + L"\\" + State().CompanyName);
}

class InstallSequenceTest : public ::testing::Test {
protected:
    StateRestorer m_restore;
    FixtureMedium m_medium;
    ScratchFolder m_target{L"target"};
    RecorderLog m_log{m_medium.Folder() + L"\\recorder.log"};
    BoxWatcher m_boxes;
    NoticeCollector m_page;

    void SetUp() override {
        SetupState& state = State();
        state.ProductName = L"EngineSequenceTest";
        state.CompanyName = L"EngineTests";
        state.Version = L"16.0";
        state.Language = L"zh_CN";
        state.LanguageLower = L"zh_cn";
        state.LanguageId = L"2052";
        state.TargetDir = m_target.Path();
        state.Is64BitPackage = 0;
        state.Is64BitSystem = 1;
        state.Num = 1;
        state.Classic = 0;
        state.InstallMode = Install;
        state.Features.clear();
        state.FeatureCount = 0;
        // What the product packages would leave in the target folder.
        FixtureMedium::Place(L"recorder.exe", m_target / L"pelm.exe");
        FixtureMedium::Place(L"regprobe.dll", m_target / L"dwgthumb.dll");
        WriteFileBytes(m_target / L"uninst.exe", "left by an older product");
    }
    void TearDown() override {
        RemoveRegistration();
        RemoveTree(CommonOrvantiFolder());
    }

    void AddFeature(const std::wstring& package, int check) {
        FeatureRecord feature;
        feature.Name = L"feature";
        feature.Package = package;
        feature.Check = check;
        State().Features.push_back(feature);
        State().FeatureCount = static_cast<int>(State().Features.size());
    }

    // The runs of the fixtures, with the medium, target and common folders
    // written as <M>, <T> and <C>.
    std::vector<std::wstring> Runs() const {
        std::vector<std::wstring> runs;
        for (std::wstring line : m_log.CommandLines()) {
            line = ReplaceAll(line, m_medium.Folder(), L"<M>");
            line = ReplaceAll(line, m_target.Path(), L"<T>");
            line = ReplaceAll(line, CommonOrvantiFolder(), L"<C>");
            runs.push_back(line);
        }
        return runs;
    }
    std::vector<std::wstring> BoxTexts() const {
        std::vector<std::wstring> texts;
        for (const SeenBox& box : m_boxes.Boxes()) texts.push_back(ReplaceAll(box.Text, m_medium.Folder(), L"<M>"));
        return texts;
    }
    std::vector<UINT> RunJob() {
        RunInstallJobFrom(m_page.Window(), m_medium.Folder());
        m_page.Drain();
        return m_page.Notices();
    }
    int Successful(int extra) const { return 6 + (WindowsInstallerRegistered() ? 0 : 1) + extra; }
};

const std::wstring kPassive = L" -passive -norestart";
const std::wstring kQuiet = L" -q -norestart";

std::vector<std::wstring> Concat(std::initializer_list<std::vector<std::wstring>> parts) {
    std::vector<std::wstring> all;
    for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

const std::vector<std::wstring> kMainPackagesBefore = {L"\"<M>\\files\\pelm_global.exe\"" + kPassive,
                                                       L"\"<M>\\files\\pelm_local.exe\"" + kPassive};
const std::vector<std::wstring> kMainPackagesAfter = {L"\"<M>\\files\\pelm_help.exe\"" + kPassive,
                                                      L"\"<M>\\files\\pelm_encryption.exe\"" + kPassive,
                                                      L"regsvr32 \"<C>\\dwgthumb.dll\" -s",
                                                      L"\"<T>\\pelm.exe\" -Regserver -nologo"};

// --- Bitness ------------------------------------------------------------------

struct BitnessCase {
    const char* Name;
    int Is64BitPackage;
    int Is64BitSystem;
    std::vector<std::wstring> Prerequisites;
    const wchar_t* AbsentMsi;  // removed from the medium: running it would show a box
    int PackagesFinished;      // without the Windows Installer update
};

class BitnessTest : public InstallSequenceTest, public ::testing::WithParamInterface<BitnessCase> {};

TEST_P(BitnessTest, RunsThePrerequisitesOfItsCombinationAndKeepsTheProgressContract) {
    const BitnessCase& c = GetParam();
    State().Is64BitPackage = c.Is64BitPackage;
    State().Is64BitSystem = c.Is64BitSystem;
    DeleteFileW(m_medium.Msi(c.AbsentMsi).c_str());

    std::vector<UINT> notices = RunJob();

    EXPECT_EQ(Runs(), Concat({c.Prerequisites, kMainPackagesBefore, kMainPackagesAfter}));
    EXPECT_TRUE(m_boxes.Boxes().empty());
    ASSERT_GE(notices.size(), 3u);
    EXPECT_EQ(notices.front(), WM_INSTALL_STARTED);
    EXPECT_EQ(notices[notices.size() - 2], WM_PACKAGE_FINISHED);
    EXPECT_EQ(notices.back(), WM_INSTALL_FINISHED) << NoticeNames(notices);
    EXPECT_EQ(m_page.Count(WM_PACKAGE_FINISHED), Successful(c.PackagesFinished - 6));
    EXPECT_EQ(m_page.Count(WM_INSTALL_FAILED), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Sequence, BitnessTest,
    ::testing::Values(
        BitnessCase{"Product32OnSystem64", 0, 1,
                    {L"\"<M>\\Msi\\vcredist_x86_10.exe\"" + kQuiet, L"\"<M>\\Msi\\vcredist_x64_10.exe\"" + kQuiet},
                    L"msxml6_x64.msi", 8},
        BitnessCase{"Product64OnSystem64", 1, 1, {L"\"<M>\\Msi\\vcredist_x64_10.exe\"" + kQuiet}, L"msxml6.msi", 7},
        BitnessCase{"Product32OnSystem32", 0, 0, {L"\"<M>\\Msi\\vcredist_x86_10.exe\"" + kQuiet}, L"msxml6_x64.msi", 7}),
    [](const auto& info) { return std::string(info.param.Name); });

// --- Features -------------------------------------------------------------------

TEST_F(InstallSequenceTest, FeatureEntriesEndingInLowerCaseExeRunAsProgramsTheRestThroughWindowsInstaller) {
    FixtureMedium::Place(L"recorder.exe", m_medium.Files(L"a.exe"));
    FixtureMedium::Place(L"fixture_ok.msi", m_medium.Msi(L"b.msi"));
    FixtureMedium::Place(L"fixture_ok.msi", m_medium.Msi(L"c.EXE"));
    FixtureMedium::Place(L"recorder.exe", m_medium.Files(L"c.EXE"));  // recorded if wrongly run as a program
    AddFeature(L"a.exe;b.msi;c.EXE", 1);

    RunJob();

    std::vector<std::wstring> runs = Runs();
    ASSERT_GE(runs.size(), 5u);
    EXPECT_EQ(runs[4], L"\"<M>\\files\\a.exe\"" + kPassive);
    EXPECT_EQ(runs[5], L"\"<M>\\files\\pelm_help.exe\"" + kPassive);
    EXPECT_EQ(m_page.Count(WM_PACKAGE_FINISHED), Successful(2 + 3));
    EXPECT_TRUE(m_boxes.Boxes().empty());
}

struct FeatureListCase {
    const char* Name;
    const wchar_t* Package;
    int Check;
    int ExtraFinished;
    std::vector<std::wstring> ExtraRuns;
    std::vector<std::wstring> Boxes;
};

class FeatureListTest : public InstallSequenceTest, public ::testing::WithParamInterface<FeatureListCase> {};

TEST_P(FeatureListTest, WalksTheListAndWritesEveryCheckBack) {
    const FeatureListCase& c = GetParam();
    FixtureMedium::Place(L"recorder.exe", m_medium.Files(L"a.exe"));
    AddFeature(c.Package, c.Check);
    AddFeature(L"a.exe", 0);

    std::vector<UINT> notices = RunJob();

    EXPECT_EQ(Runs(), Concat({{L"\"<M>\\Msi\\vcredist_x86_10.exe\"" + kQuiet, L"\"<M>\\Msi\\vcredist_x64_10.exe\"" + kQuiet},
                              kMainPackagesBefore, c.ExtraRuns, kMainPackagesAfter}));
    EXPECT_EQ(BoxTexts(), c.Boxes);
    EXPECT_EQ(notices.back(), WM_INSTALL_FINISHED);
    EXPECT_EQ(m_page.Count(WM_PACKAGE_FINISHED), Successful(2 + c.ExtraFinished));
    std::wstring ini = m_target / L"Setup.ini";
    EXPECT_EQ(GetPrivateProfileIntW(L"sub1", L"check", -1, ini.c_str()), c.Check);
    EXPECT_EQ(GetPrivateProfileIntW(L"sub2", L"check", -1, ini.c_str()), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Sequence, FeatureListTest,
    ::testing::Values(
        FeatureListCase{"TrailingSemicolon", L"a.exe;", 1, 1, {L"\"<M>\\files\\a.exe\"" + kPassive}, {}},
        FeatureListCase{"Check2IsNotInstalled", L"a.exe", 2, 0, {}, {}},
        // One empty entry: not an executable, so Windows Installer is asked
        // for the Msi folder itself, fails, and the job goes on.
        FeatureListCase{"EmptyList", L"", 1, 0, {}, {L"Msi Install Failed!"}}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(InstallSequenceTest, ALeadingSemicolonMakesOneMissingEntryThatFailsTheJob) {
    FixtureMedium::Place(L"recorder.exe", m_medium.Files(L"a.exe"));
    AddFeature(L";a.exe", 1);

    std::vector<UINT> notices = RunJob();

    EXPECT_EQ(BoxTexts(), (std::vector<std::wstring>{L"File :'<M>\\files\\;a.exe' does not exist!",
                                                     L";a.exe,Failed to install,Please reinstall!"}));
    EXPECT_EQ(notices.back(), WM_INSTALL_FAILED) << NoticeNames(notices);
    EXPECT_EQ(m_page.Count(WM_INSTALL_FINISHED), 0);
    EXPECT_EQ(Runs().size(), 4u);  // the two runtimes and the two first main packages
    EXPECT_FALSE(FileExists(m_target / L"Setup.exe"));
}

// --- Failures -------------------------------------------------------------------

TEST_F(InstallSequenceTest, AMissingFirstPrerequisiteGivesStartedPackageStartedFailed) {
    DeleteFileW(m_medium.Msi(L"vcredist_x86_10.exe").c_str());
    std::vector<UINT> notices = RunJob();
    if (WindowsInstallerRegistered()) {
        EXPECT_EQ(NoticeNames(notices), L"INSTALL_STARTED PACKAGE_STARTED INSTALL_FAILED");
    }
    EXPECT_EQ(BoxTexts(), (std::vector<std::wstring>{L"File :'<M>\\Msi\\vcredist_x86_10.exe' does not exist!",
                                                     L"vcredist_x86_10.exe,Failed to install,Please reinstall!"}));
    EXPECT_TRUE(Runs().empty());
}

TEST_F(InstallSequenceTest, AFailingMsxml6DoesNotStopTheInteractiveJob) {
    FixtureMedium::Place(L"fixture_fail.msi", m_medium.Msi(L"msxml6.msi"));
    std::vector<UINT> notices = RunJob();
    EXPECT_EQ(notices.back(), WM_INSTALL_FINISHED);
    EXPECT_EQ(m_page.Count(WM_PACKAGE_FINISHED), Successful(2 - 1));
    EXPECT_EQ(Runs().size(), 2u + kMainPackagesBefore.size() + kMainPackagesAfter.size());
}

TEST_F(InstallSequenceTest, AMissingConfigurationToolInModifyFailsBeforeTheUninstallEntry) {
    State().InstallMode = Modify;
    DeleteFileW(m_medium.Files(L"WriteRegister.exe").c_str());
    std::vector<UINT> notices = RunJob();
    EXPECT_EQ(notices.back(), WM_INSTALL_FAILED);
    ASSERT_EQ(BoxTexts().size(), 2u);
    EXPECT_EQ(BoxTexts()[1], L"WriteRegister.exe,Failed to install,Please reinstall!");
    unique_hkey key;
    EXPECT_NE(RegOpenKeyExW(HKEY_LOCAL_MACHINE, UninstallKeyPath().c_str(), 0, KEY_READ | KEY_WOW64_32KEY, key.put()),
              ERROR_SUCCESS);
}

TEST_F(InstallSequenceTest, AProductProgramThatCannotStartFailsWithTheRegisterNotice) {
    WriteFileBytes(m_target / L"pelm.exe", "not a program");
    std::vector<UINT> notices = RunJob();
    EXPECT_EQ(notices.back(), WM_INSTALL_FAILED);
    EXPECT_EQ(BoxTexts(), std::vector<std::wstring>{L"pelm.exe,Failed to Register,Please reinstall!"});
    // Everything before the step stays: the copies were made.
    EXPECT_TRUE(FileExists(m_target / L"PUninstall"));
    unique_hkey key;
    EXPECT_NE(RegOpenKeyExW(HKEY_LOCAL_MACHINE, UninstallKeyPath().c_str(), 0, KEY_READ | KEY_WOW64_32KEY, key.put()),
              ERROR_SUCCESS);
}

// --- Success ----------------------------------------------------------------------

TEST_F(InstallSequenceTest, ModifyRunsTheConfigurationToolAndWritesClassicBack) {
    State().InstallMode = Modify;
    State().Classic = 1;
    std::vector<UINT> notices = RunJob();
    EXPECT_EQ(notices.back(), WM_INSTALL_FINISHED);
    EXPECT_EQ(Runs().back(),
              L"\"<M>\\files\\WriteRegister.exe\" lang=zh-cn TARGETDIR=\"<T>\" PRODUCTNAME=\"EngineSequenceTest\" "
              L"VERSION=16.0 PLATFROM=x86 NUM=1 WorkspaceName=0 -q");
    EXPECT_EQ(GetPrivateProfileIntW(L"SETUP", L"CLASSIC", -1, (m_target / L"Setup.ini").c_str()), 1);
}

TEST_F(InstallSequenceTest, ANewInstallationLeavesTheSetupFilesAndRegistersTheProduct) {
    std::vector<UINT> notices = RunJob();
    ASSERT_EQ(notices.back(), WM_INSTALL_FINISHED);
    EXPECT_EQ(ReadFileBytes(m_target / L"Setup.exe"), "setup program");
    EXPECT_EQ(ReadFileBytes(m_target / L"IntallerRes.dll"), "resource library");
    EXPECT_EQ(ReadFileBytes(m_target / L"PUninstall"), ReadFileBytes(FixturePath(L"recorder.exe")));
    EXPECT_FALSE(FileExists(m_target / L"PUninstall.exe"));
    EXPECT_FALSE(FileExists(m_target / L"uninst.exe"));
    EXPECT_TRUE(FileExists(CommonOrvantiFolder() + L"\\dwgthumb.dll"));
    EXPECT_EQ(GetPrivateProfileIntW(L"SETUP", L"CLASSIC", -1, (m_target / L"Setup.ini").c_str()), -1);
    unique_hkey key;
    EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, UninstallKeyPath().c_str(), 0, KEY_READ | KEY_WOW64_32KEY, key.put()),
              ERROR_SUCCESS);
    std::vector<std::wstring> records = LogRecords(m_target / L"install.log");
    ASSERT_FALSE(records.empty());
    EXPECT_EQ(records.back(), L"File: wrote 341000 to \"" + m_target.Path() + L"\\PUninstall\"");
}

// --- Silent form ---------------------------------------------------------------------

class SilentInstallTest : public InstallSequenceTest {
protected:
    int RunSilent(const CommandLineMap& commandLine) { return RunSilentInstallFrom(commandLine, m_medium.Folder()); }
};

TEST_F(SilentInstallTest, TargetDirLosesItsQuotesAndTrailingBackslashesAndTheRunEndsInTheTarget) {
    State().TargetDir = L"C:\\somewhere else";
    int result = RunSilent({{L"quiet", L"1"}, {L"TARGETDIR", L"\"" + m_target.Path() + L"\\\\\""}});
    EXPECT_EQ(result, 1);
    EXPECT_EQ(State().TargetDir, m_target.Path());
    EXPECT_EQ(Runs(), Concat({{L"\"<M>\\Msi\\vcredist_x86_10.exe\"" + kQuiet, L"\"<M>\\Msi\\vcredist_x64_10.exe\"" + kQuiet},
                              kMainPackagesBefore, kMainPackagesAfter,
                              {L"\"<M>\\files\\WriteRegister.exe\" lang=zh-cn TARGETDIR=\"<T>\" "
                               L"PRODUCTNAME=\"EngineSequenceTest\" VERSION=16.0 PLATFROM=x86 NUM=1 WorkspaceName=1 -q"}}));
    EXPECT_TRUE(m_boxes.Boxes().empty());
    // The four copies, the uninstaller without extension, and no uninst.exe.
    for (const wchar_t* name : {L"Setup.exe", L"IntallerRes.dll", L"PUninstall", L"Setup.ini"}) {
        EXPECT_TRUE(FileExists(m_target / name)) << name;
    }
    EXPECT_FALSE(FileExists(m_target / L"PUninstall.exe"));
    EXPECT_FALSE(FileExists(m_target / L"uninst.exe"));
    // The medium's selections stay as they were, and nothing is registered.
    EXPECT_EQ(ReadFileBytes(m_target / L"Setup.ini"), ReadFileBytes(m_medium.Folder() + L"\\Setup.ini"));
    unique_hkey key;
    EXPECT_NE(RegOpenKeyExW(HKEY_LOCAL_MACHINE, UninstallKeyPath().c_str(), 0, KEY_READ | KEY_WOW64_32KEY, key.put()),
              ERROR_SUCCESS);
    // The setup record names the folder before the packages run.
    unique_hkey record;
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, kSetupRecordKey, 0, KEY_READ | KEY_WOW64_32KEY, record.put()),
              ERROR_SUCCESS);
    wchar_t path[MAX_PATH] = {};
    DWORD size = sizeof(path);
    RegQueryValueExW(record.get(), L"path", nullptr, nullptr, reinterpret_cast<BYTE*>(path), &size);
    EXPECT_EQ(std::wstring(path), m_target.Path());
}

struct NumCase {
    const char* Name;
    const wchar_t* Num;
    bool Registers;
};

class SilentNumTest : public SilentInstallTest, public ::testing::WithParamInterface<NumCase> {};

TEST_P(SilentNumTest, TheProductRegistersItselfOnlyForNum1Or44) {
    EXPECT_EQ(RunSilent({{L"NUM", GetParam().Num}}), 1);
    bool registered = false;
    for (const std::wstring& run : Runs()) registered |= run == L"\"<T>\\pelm.exe\" -Regserver -nologo";
    EXPECT_EQ(registered, GetParam().Registers);
    EXPECT_NE(Runs().back().find(std::wstring(L" NUM=") + std::to_wstring(_wtoi(GetParam().Num)) + L" "),
              std::wstring::npos);
}

INSTANTIATE_TEST_SUITE_P(Silent, SilentNumTest,
                         ::testing::Values(NumCase{"Num7", L"7", false}, NumCase{"Num44", L"44", true},
                                           NumCase{"Num1", L"1", true}, NumCase{"NotANumber", L"x", false}),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST_F(SilentInstallTest, AFailingMsxml6StopsTheSilentRunWithoutABox) {
    FixtureMedium::Place(L"fixture_fail.msi", m_medium.Msi(L"msxml6.msi"));
    EXPECT_EQ(RunSilent({{L"quiet", L"1"}}), 0);
    EXPECT_EQ(Runs().size(), 2u);  // the two runtimes, nothing after the package
    EXPECT_TRUE(m_boxes.Boxes().empty());
    EXPECT_FALSE(FileExists(m_target / L"Setup.exe"));
}

TEST_F(SilentInstallTest, AMissingPackageStopsWithTheRunnersMessageOnly) {
    DeleteFileW(m_medium.Files(L"pelm_local.exe").c_str());
    EXPECT_EQ(RunSilent({{L"quiet", L"1"}}), 0);
    EXPECT_EQ(BoxTexts(), std::vector<std::wstring>{L"File :'<M>\\files\\pelm_local.exe' does not exist!"});
    EXPECT_EQ(Runs().size(), 3u);
}

struct RefusedTargetCase {
    const char* Name;
    const wchar_t* Value;
    const wchar_t* Text;
};

class SilentRefusedTargetTest : public SilentInstallTest, public ::testing::WithParamInterface<RefusedTargetCase> {};

TEST_P(SilentRefusedTargetTest, IsRefusedBeforeAnythingChanges) {
    State().TargetDir = L"C:\\kept";
    State().Num = 5;
    EXPECT_EQ(RunSilent({{L"TARGETDIR", GetParam().Value}, {L"NUM", L"44"}}), 0);
    EXPECT_EQ(State().TargetDir, L"C:\\kept");
    EXPECT_EQ(State().Num, 5);
    EXPECT_TRUE(Runs().empty());
    std::vector<SeenBox> boxes = m_boxes.Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Text.substr(0, wcslen(GetParam().Text)), GetParam().Text);
}

INSTANTIATE_TEST_SUITE_P(
    Silent, SilentRefusedTargetTest,
    ::testing::Values(RefusedTargetCase{"Relative", L"Program Files\\P", L"Path input error"},
                      RefusedTargetCase{"DriveRelative", L"C:P", L"Path input error"},
                      RefusedTargetCase{"QuoteInside", L"\"C:\\a\"b\"", L"Invalid characters in path name."},
                      RefusedTargetCase{"Star", L"C:\\a*b", L"Invalid characters in path name."},
                      RefusedTargetCase{"SecondColon", L"C:\\a:b", L"Invalid characters in path name."}),
    [](const auto& info) { return std::string(info.param.Name); });

// --- Pure rules ------------------------------------------------------------------------

TEST(FeaturePackagesTest, SplitsFromTheLeftAsTheWalkConsumesIt) {
    using List = std::vector<std::wstring>;
    EXPECT_EQ(SplitFeaturePackages(L"a.exe;b.msi;c.EXE"), (List{L"a.exe", L"b.msi", L"c.EXE"}));
    EXPECT_EQ(SplitFeaturePackages(L"a.exe;"), (List{L"a.exe"}));
    EXPECT_EQ(SplitFeaturePackages(L";a.exe"), (List{L";a.exe"}));
    EXPECT_EQ(SplitFeaturePackages(L"a.exe;;b.msi"), (List{L"a.exe", L";b.msi"}));
    EXPECT_EQ(SplitFeaturePackages(L""), (List{L""}));
    EXPECT_EQ(SplitFeaturePackages(L" a.exe ; b"), (List{L" a.exe ", L" b"}));
    EXPECT_TRUE(IsExecutableEntry(L"a.exe"));
    EXPECT_FALSE(IsExecutableEntry(L"c.EXE"));
    EXPECT_FALSE(IsExecutableEntry(L"a.exe "));
}

TEST(SilentTargetDirTest, OuterQuotesThenTrailingBackslashesGo) {
    EXPECT_EQ(TargetDirFromCommandLine(L"\"\"C:\\P Q\\\\\"\""), L"C:\\P Q");
    EXPECT_EQ(TargetDirFromCommandLine(L"C:\\P\\"), L"C:\\P");
}

TEST(SilentTargetDirTest, AcceptsFoldersBelowADriveOrShareOnly) {
    struct Case {
        const wchar_t* Folder;
        int Error;
    };
    for (const Case& c : {Case{L"C:\\Program Files (x86)\\Orvanti", 0}, Case{L"d:\\x", 0},
                          Case{L"\\\\server\\share\\P", 0}, Case{L"\\\\server\\share", 0}, Case{L"C:", 2027},
                          Case{L"", 2027}, Case{L"\\P", 2027}, Case{L"\\\\server", 2027}, Case{L"1:\\x", 2027},
                          Case{L"C:\\a/b", 2028}, Case{L"C:\\a?", 2028}, Case{L"C:\\<a>", 2028},
                          Case{L"C:\\a|b", 2028}, Case{L"C:\\a\tb", 2028}, Case{L"\\\\s\\sh\\a\"b", 2028}}) {
        EXPECT_EQ(SilentTargetDirError(c.Folder), c.Error) << c.Folder;
    }
}

}  // namespace
