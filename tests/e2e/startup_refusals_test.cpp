// The refusals of start-up, seen from outside: the real Setup.exe under Wine,
// its message boxes (caption, text) and exit codes.
#include "app/local_text.h"
#include "app/startup_checks.h"
#include "framework/strings.h"
#include "tests/app/registry_fixture.h"
#include "tests/e2e/startup_medium.h"

#include <gtest/gtest.h>

namespace {

constexpr DWORD kExitFailure = 1603;
constexpr DWORD kExitAnotherInstance = 1618;

std::string Narrow(const std::wstring& text) { return NarrowUtf8(text); }

TEST(StartupRefusals, NoSetupIni) {
    StartupMedium medium;
    driver::RunResult run = medium.Run(L"");
    ASSERT_TRUE(run.Exited);
    EXPECT_EQ(run.ExitCode, kExitFailure);
    ASSERT_EQ(run.Boxes.size(), 1u);
    EXPECT_EQ(run.Boxes[0].Caption, L"Setup");
    EXPECT_EQ(run.Boxes[0].Text, L"Error:The lack of configuration file :Setup.ini");
}

TEST(StartupRefusals, CaptionIsTheProgramFileName) {
    StartupMedium medium;
    std::wstring renamed = medium.Folder() + L"\\PelmSetup2016.exe";
    ASSERT_TRUE(CopyFileW(medium.SetupPath().c_str(), renamed.c_str(), FALSE));
    driver::RunResult run = driver::RunAnswering(L"\"" + renamed + L"\"");
    ASSERT_TRUE(run.Exited);
    ASSERT_EQ(run.Boxes.size(), 1u);
    EXPECT_EQ(run.Boxes[0].Caption, L"PelmSetup2016");
}

// The first copy waits at its box while holding the mutex; a second copy is
// refused; once the first has ended, a new copy gets past the mutex again.
TEST(StartupRefusals, SecondCopyWhileTheFirstRuns) {
    for (bool withLibrary : {true, false}) {
        SCOPED_TRACE(withLibrary ? "with resource library" : "without resource library");
        StartupMedium medium(withLibrary);
        driver::Process first = driver::Process::Start(medium.CommandLine());
        ASSERT_TRUE(first.Started());
        HWND firstBox = first.WaitForMessageBox(30000);
        ASSERT_NE(firstBox, nullptr);

        // The mutex carries text 2022, "Pelmora2016" in the English library and by default.
        HANDLE mutex = OpenMutexW(SYNCHRONIZE, FALSE, L"Pelmora2016");
        EXPECT_NE(mutex, nullptr);
        if (mutex) CloseHandle(mutex);

        driver::RunResult second = medium.Run(L"");
        ASSERT_TRUE(second.Exited);
        EXPECT_EQ(second.ExitCode, kExitAnotherInstance);
        ASSERT_EQ(second.Boxes.size(), 1u);
        EXPECT_EQ(second.Boxes[0].Caption, L"Setup");
        EXPECT_EQ(second.Boxes[0].Text, Text::AnotherInstance.DefaultText);

        ASSERT_TRUE(driver::AnswerDialog(firstBox, IDOK));
        DWORD code = 0;
        ASSERT_TRUE(first.WaitForExit(30000, &code));
        EXPECT_EQ(code, kExitFailure);

        driver::RunResult third = medium.Run(L"");
        ASSERT_TRUE(third.Exited);
        ASSERT_EQ(third.Boxes.size(), 1u);
        EXPECT_EQ(third.Boxes[0].Text, kNoSetupIniText);
    }
}

TEST(StartupRefusals, RunningProductNamedExactlyPelmExe) {
    StartupMedium medium;
    ASSERT_TRUE(medium.WriteIni("[RES]\r\nLANGUAGE=e2e_running\r\n"));
    ScratchFolder programs(L"running");

    {
        ASSERT_TRUE(PlaceStubProgram(programs / L"pelm.exe"));
        driver::Process product = driver::Process::Start(L"\"" + (programs / L"pelm.exe") + L"\" sleep-ms=60000");
        ASSERT_TRUE(product.Started());
        for (int i = 0; i < 100 && !FindRunningProduct(); ++i) Sleep(50);
        driver::RunResult run = medium.Run(L"");
        product.Kill();
        ASSERT_TRUE(run.Exited);
        EXPECT_EQ(run.ExitCode, kExitFailure);
        ASSERT_EQ(run.Boxes.size(), 1u);
        EXPECT_EQ(run.Boxes[0].Caption, L"Setup");
        EXPECT_EQ(run.Boxes[0].Text, Text::ProductRunning.DefaultText);
    }
    {
        // In capitals it is some other program: start-up goes on (here to the
        // missing Setup.ini, which comes after the running-product check).
        ASSERT_TRUE(DeleteFileW((medium.Folder() + L"\\Setup.ini").c_str()));
        // A folder of its own: file names do not differ by case alone.
        ScratchFolder capitals(L"capitals");
        ASSERT_TRUE(PlaceStubProgram(capitals / L"PELM.EXE"));
        driver::Process other = driver::Process::Start(L"\"" + (capitals / L"PELM.EXE") + L"\" sleep-ms=60000");
        ASSERT_TRUE(other.Started());
        Sleep(500);
        driver::RunResult run = medium.Run(L"");
        other.Kill();
        ASSERT_TRUE(run.Exited);
        ASSERT_EQ(run.Boxes.size(), 1u);
        EXPECT_EQ(run.Boxes[0].Text, kNoSetupIniText);
    }
}

// Texts come from IntallerRes.dll beside the program, and only from there: a
// library in the working folder (or anywhere else on the search path) is not
// loaded. The test library's text 2010 differs from the English default.
TEST(StartupTexts, ComeFromTheLibraryBesideTheProgramOnly) {
    ScratchFolder programs(L"textsrun");
    ASSERT_TRUE(PlaceStubProgram(programs / L"pelm.exe"));
    driver::Process product = driver::Process::Start(L"\"" + (programs / L"pelm.exe") + L"\" sleep-ms=60000");
    ASSERT_TRUE(product.Started());
    for (int i = 0; i < 100 && !FindRunningProduct(); ++i) Sleep(50);
    const std::wstring testLibrary = BinDir() + L"\\testtexts\\IntallerRes.dll";

    StartupMedium beside(false);
    ASSERT_TRUE(CopyFileW(testLibrary.c_str(), (beside.Folder() + L"\\IntallerRes.dll").c_str(), FALSE));
    driver::RunResult run = beside.Run(L"");
    ASSERT_TRUE(run.Exited);
    ASSERT_EQ(run.Boxes.size(), 1u);
    EXPECT_EQ(run.Boxes[0].Text, L"Localised: the product is running");

    StartupMedium without(false);
    ScratchFolder working(L"planted");
    ASSERT_TRUE(CopyFileW(testLibrary.c_str(), (working / L"IntallerRes.dll").c_str(), FALSE));
    driver::RunOptions options;
    options.Start.WorkingFolder = working.Path();
    run = without.Run(L"", options);
    product.Kill();
    ASSERT_TRUE(run.Exited);
    ASSERT_EQ(run.Boxes.size(), 1u);
    EXPECT_EQ(run.Boxes[0].Text, Text::ProductRunning.DefaultText);
}

// Wine is 64-bit Windows. The installed product is described by an Uninstall
// entry of a language of this test's own.
struct BitnessCase {
    const char* Name;
    int MediumWow64;
    const wchar_t* InstalledPlatform;  // null: nothing installed
    int ExpectedText;                  // 0: start-up goes on to the road
};

class StartupBitness : public testing::TestWithParam<BitnessCase> {};

TEST_P(StartupBitness, RefusesOrRuns) {
    const BitnessCase& c = GetParam();
    std::wstring language = L"e2e_bits_" + std::to_wstring(GetCurrentProcessId()) + L"_" + WidenUtf8(c.Name);
    UninstallEntryFixture entry(L"Pelmora2016", ToLower(language));
    ScratchFolder installed(L"installed");
    ASSERT_TRUE(PlaceStubProgram(installed / L"pelm.exe"));
    if (c.InstalledPlatform) {
        ASSERT_TRUE(entry.SetString(L"Platfrom", c.InstalledPlatform));
        ASSERT_TRUE(entry.SetString(L"InstallLocation", installed.Path()));
    }
    StartupMedium medium;
    ASSERT_TRUE(medium.WriteIni("[SETUP]\r\nWOW64=" + std::to_string(c.MediumWow64) + "\r\n[RES]\r\nLANGUAGE=" +
                                Narrow(language) + "\r\n"));

    // A silent removal of the installed folder makes "start-up went on"
    // visible without any page: it starts the installed pelm.exe first.
    driver::RunResult run = medium.Run(L"Uninstall=1 TARGETDIR=\"" + installed.Path() + L"\"");
    ASSERT_TRUE(run.Exited);
    EXPECT_EQ(run.ExitCode, kExitFailure);
    std::string calls = ReadFileBytes(installed / L"pelm.exe.calls");
    if (c.ExpectedText) {
        ASSERT_FALSE(run.Boxes.empty());
        EXPECT_EQ(run.Boxes[0].Caption, L"Setup");
        const TextDef& expected = c.ExpectedText == 2011 ? Text::Installed64On32Medium : Text::Installed32On64Medium;
        EXPECT_EQ(run.Boxes[0].Text, expected.DefaultText);
        EXPECT_EQ(run.Boxes.size(), 1u);
        EXPECT_EQ(calls, "");
    } else {
        for (const auto& box : run.Boxes) ADD_FAILURE() << "unexpected box: " << Narrow(box.Text);
        EXPECT_NE(calls.find("-UnRegserver"), std::string::npos) << calls;
    }
}

INSTANTIATE_TEST_SUITE_P(
    OnSixtyFourBitWindows, StartupBitness,
    testing::Values(BitnessCase{"i64m32", 0, L"x64", 2011},   // 64-bit installed, 32-bit medium
                    BitnessCase{"i64m32X", 0, L"X86", 2011},  // "X86" is not "x86": the 64-bit product
                    BitnessCase{"i32m64", 1, L"x86", 2023},   // 32-bit installed, 64-bit medium
                    BitnessCase{"i64m64", 1, L"x64", 0},      // 64-bit on 64-bit: runs
                    BitnessCase{"i32m32", 0, L"x86", 0},      // 32-bit on 32-bit: runs
                    BitnessCase{"none64", 1, nullptr, 0},     // nothing installed
                    BitnessCase{"i32m2", 2, L"x86", 2023}),   // WOW64=2 counts as 64-bit here
    [](const testing::TestParamInfo<BitnessCase>& info) { return std::string(info.param.Name); });

}  // namespace
