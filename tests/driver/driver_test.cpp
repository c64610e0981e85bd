// The driver's own promises: exit codes come through, nothing waits past its
// time limit, a program that outlives it is killed, and the command line
// program passes the rest of its command line on verbatim.
#include "tests/driver/driver.h"

#include "tests/common/test_paths.h"

#include <gtest/gtest.h>

namespace {

std::wstring Stub() { return BuildDir() + L"\\tests\\stub_program.exe"; }
std::wstring DriverExe() { return BinDir() + L"\\driver.exe"; }

TEST(Driver, ReportsTheExitCode) {
    driver::RunResult run = driver::RunAnswering(L"\"" + Stub() + L"\" exit=1603");
    ASSERT_TRUE(run.Started);
    ASSERT_TRUE(run.Exited);
    EXPECT_EQ(run.ExitCode, 1603u);
    EXPECT_TRUE(run.Boxes.empty());
}

TEST(Driver, KillsAProgramThatOutlivesTheTimeLimit) {
    driver::RunOptions options;
    options.TimeoutMs = 1000;
    DWORD start = GetTickCount();
    driver::RunResult run = driver::RunAnswering(L"\"" + Stub() + L"\" sleep-ms=60000", options);
    EXPECT_TRUE(run.Started);
    EXPECT_FALSE(run.Exited);
    EXPECT_LT(GetTickCount() - start, 15000u);
}

TEST(Driver, AnswersBoxesInOrderThenByTheirDefault) {
    driver::RunOptions options;
    options.Answers = {IDNO, IDYES};
    driver::RunResult run = driver::RunAnswering(L"\"" + Stub() + L"\" yesno-boxes=3", options);
    ASSERT_TRUE(run.Exited);
    EXPECT_EQ(run.ExitCode, 766u);  // No, Yes, then the default button (Yes)
    ASSERT_EQ(run.Boxes.size(), 3u);
    EXPECT_EQ(run.Boxes[0].Caption, L"Stub");
    EXPECT_EQ(run.Boxes[0].Text, L"Question 1?");
    EXPECT_EQ(run.Boxes[2].Text, L"Question 3?");
    EXPECT_FALSE(run.Boxes[1].AnsweredByDefault);
    EXPECT_TRUE(run.Boxes[2].AnsweredByDefault);
    EXPECT_EQ(run.Boxes[2].AnsweredWith, IDYES);
}

TEST(Driver, SavesAScreenshotOfAWindow) {
    driver::Process process = driver::Process::Start(L"\"" + Stub() + L"\" yesno-boxes=1");
    ASSERT_TRUE(process.Started());
    HWND box = process.WaitForMessageBox(20000);
    ASSERT_NE(box, nullptr);
    ScratchFolder folder(L"shot");
    ASSERT_TRUE(driver::SaveScreenshot(box, folder / L"box.bmp"));
    std::string bmp = ReadFileBytes(folder / L"box.bmp");
    RECT rect{};
    GetWindowRect(box, &rect);
    ASSERT_GT(bmp.size(), 54u);
    EXPECT_EQ(bmp.substr(0, 2), "BM");
    const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(bmp.data() + 14);
    EXPECT_EQ(header->biWidth, rect.right - rect.left);
    EXPECT_EQ(header->biHeight, rect.bottom - rect.top);
    EXPECT_EQ(bmp.size(), 54u + header->biSizeImage);
    ASSERT_TRUE(driver::AnswerDialog(box, IDNO));
    DWORD code = 0;
    ASSERT_TRUE(process.WaitForExit(20000, &code));
    EXPECT_EQ(code, 7u);
}

TEST(Driver, ReportsAProgramThatCannotStart) {
    driver::Process process = driver::Process::Start(L"\"C:\\no\\such\\program.exe\"");
    EXPECT_FALSE(process.Started());
    EXPECT_NE(process.LastError(), 0u);
    EXPECT_FALSE(driver::RunAnswering(L"\"C:\\no\\such\\program.exe\"").Started);
}

TEST(Driver, ButtonNames) {
    EXPECT_EQ(driver::ButtonIdFromName(L"ok"), IDOK);
    EXPECT_EQ(driver::ButtonIdFromName(L"Yes"), IDYES);
    EXPECT_EQ(driver::ButtonIdFromName(L"NO"), IDNO);
    EXPECT_EQ(driver::ButtonIdFromName(L"1001"), 1001);
    EXPECT_EQ(driver::ButtonIdFromName(L"maybe"), 0);
    EXPECT_EQ(driver::ButtonName(IDCANCEL), L"Cancel");
}

TEST(DriverExe, PassesTheCommandLineOnAndExitsWithTheProgramsCode) {
    ScratchFolder folder(L"drv");
    std::wstring stub = folder / L"rec.exe";
    ASSERT_TRUE(CopyFileW(Stub().c_str(), stub.c_str(), FALSE));
    driver::RunResult run = driver::RunAnswering(L"\"" + DriverExe() + L"\" --timeout 30 -- \"" + stub +
                                                 L"\" exit=42  TARGETDIR=\"D:\\a b\\\"");
    ASSERT_TRUE(run.Exited);
    EXPECT_EQ(run.ExitCode, 42u);
    std::string calls = ReadFileBytes(stub + L".calls");
    EXPECT_NE(calls.find("exit=42  TARGETDIR=\"D:\\a b\\\""), std::string::npos) << calls;
}

TEST(DriverExe, TimesOutWithItsOwnCode) {
    driver::RunResult run = driver::RunAnswering(L"\"" + DriverExe() + L"\" --timeout 1 -- \"" + Stub() +
                                                 L"\" sleep-ms=60000");
    ASSERT_TRUE(run.Exited);
    EXPECT_EQ(run.ExitCode, static_cast<DWORD>(driver::kDriverTimeoutExit));
}

}  // namespace
