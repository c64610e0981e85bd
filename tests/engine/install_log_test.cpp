// install.log: the exact bytes the uninstaller reads, and the folder chain
// that produces the CreateDirectory records.
#include <gtest/gtest.h>

#include "engine/install_log.h"
#include "tests/engine/engine_test_support.h"

namespace {

class InstallLogTest : public ::testing::Test {
protected:
    StateRestorer m_restore;
    ScratchFolder m_target{L"log"};
    void SetUp() override { State().TargetDir = m_target.Path(); }
    std::string LogBytes() const { return ReadFileBytes(m_target / L"install.log"); }
};

TEST_F(InstallLogTest, OneRecordIsCrCrLfThenTextWithNothingAfter) {
    WriteInstallLog(L"CreateDirectory: \"C:\\a\" (0)");
    EXPECT_EQ(LogBytes(), "\r\r\nCreateDirectory: \"C:\\a\" (0)");
}

TEST_F(InstallLogTest, TwoRecordsEachStartWithTheBreak) {
    WriteInstallLog(L"first");
    WriteInstallLog(L"second");
    EXPECT_EQ(LogBytes(), "\r\r\nfirst\r\r\nsecond");
}

TEST_F(InstallLogTest, AnExistingLogIsExtendedNotReplaced) {
    WriteFileBytes(m_target / L"install.log", "\r\r\nfrom an earlier run");
    WriteInstallLog(L"this run");
    EXPECT_EQ(LogBytes(), "\r\r\nfrom an earlier run\r\r\nthis run");
}

TEST_F(InstallLogTest, ARecordLongerThanTheOldBufferIsWrittenWhole) {
    std::wstring text = L"CreateShortCut: out: \"" + std::wstring(400, L'x') + L"\"";
    WriteInstallLog(text);
    EXPECT_EQ(LogBytes(), "\r\r\n" + std::string(text.begin(), text.end()));
}

TEST_F(InstallLogTest, AMissingTargetFolderWritesNothingAndDoesNotFail) {
    State().TargetDir = m_target / L"not-there";
    WriteInstallLog(L"lost");
    EXPECT_FALSE(FileExists(m_target / L"not-there"));
}

TEST_F(InstallLogTest, AnEmptyTargetDirWritesNoLogAtTheDriveRoot) {
    wchar_t current[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, current);
    SetCurrentDirectoryW(m_target.Path().c_str());
    bool existedBefore = FileExists(L"\\install.log");
    State().TargetDir.clear();
    WriteInstallLog(L"lost");
    EXPECT_EQ(FileExists(L"\\install.log"), existedBefore);
    SetCurrentDirectoryW(current);
}

// The conversion itself, with the code page given explicitly.
TEST(InstallLogEncodingTest, ChineseTextIsStoredInTheAnsiCodePageNotUtf8) {
    std::string bytes = EncodeLogRecord(L"CreateDirectory: \"C:\\\x4E2D\x6587\" created", 936);
    EXPECT_EQ(bytes, "\r\r\nCreateDirectory: \"C:\\\xD6\xD0\xCE\xC4\" created");
}

TEST(InstallLogEncodingTest, WesternTextInCodePage1252) {
    EXPECT_EQ(EncodeLogRecord(L"Caf\x00E9", 1252), "\r\r\nCaf\xE9");
    EXPECT_EQ(EncodeLogRecord(L"", 1252), "\r\r\n");
}

class CreateDirectoryChainTest : public InstallLogTest {};

TEST_F(CreateDirectoryChainTest, OnlyTheMissingFolderIsCreatedAndLoggedWithoutTrailingBackslash) {
    CreateDirectoryW((m_target / L"Common Files").c_str(), nullptr);
    std::wstring missing = m_target / L"Common Files\\Orvanti";
    EXPECT_EQ(CreateDirectoryChain(missing + L"\\"), 1);
    EXPECT_TRUE(FileExists(missing));
    std::vector<std::wstring> expected = {L"CreateDirectory: \"" + missing + L"\" (0)",
                                          L"CreateDirectory: \"" + missing + L"\" created"};
    EXPECT_EQ(LogRecords(m_target / L"install.log"), expected);
}

TEST_F(CreateDirectoryChainTest, EveryMissingLevelIsLoggedInOrderAndSlashesCount) {
    std::wstring first = m_target / L"a";
    std::wstring second = first + L"/b";
    EXPECT_EQ(CreateDirectoryChain(second + L"\\"), 1);
    std::vector<std::wstring> expected = {
        L"CreateDirectory: \"" + first + L"\" (0)", L"CreateDirectory: \"" + first + L"\" created",
        L"CreateDirectory: \"" + second + L"\" (0)", L"CreateDirectory: \"" + second + L"\" created"};
    EXPECT_EQ(LogRecords(m_target / L"install.log"), expected);
}

TEST_F(CreateDirectoryChainTest, TheLastComponentWithoutSeparatorIsNotCreated) {
    EXPECT_EQ(CreateDirectoryChain(m_target / L"made\\notmade"), 1);
    EXPECT_TRUE(FileExists(m_target / L"made"));
    EXPECT_FALSE(FileExists(m_target / L"made\\notmade"));
}

TEST_F(CreateDirectoryChainTest, ExistingFoldersAndFilesProduceNoRecords) {
    WriteFileBytes(m_target / L"file", "x");
    EXPECT_EQ(CreateDirectoryChain(m_target.Path() + L"\\"), 1);
    EXPECT_EQ(CreateDirectoryChain(m_target / L"file\\"), 1);
    EXPECT_FALSE(FileExists(m_target / L"install.log"));
}

TEST_F(CreateDirectoryChainTest, ALeadingSeparatorFailsAtOnce) {
    EXPECT_EQ(CreateDirectoryChain(L"\\x\\"), 0);
    EXPECT_FALSE(FileExists(m_target / L"install.log"));
}

TEST_F(CreateDirectoryChainTest, AFolderThatCannotBeCreatedStopsTheWalkKeepingWhatWasMade) {
    WriteFileBytes(m_target / L"file", "x");
    EXPECT_EQ(CreateDirectoryChain(m_target / L"made2\\bad|name\\under\\"), 0);
    EXPECT_TRUE(FileExists(m_target / L"made2"));
    EXPECT_FALSE(FileExists(m_target / L"made2\\bad|name"));
}

TEST_F(CreateDirectoryChainTest, APathLongerThan259CharactersIsRefusedWithoutCreatingAParent) {
    std::wstring base = m_target / L"long";
    std::wstring path = base + L"\\" + std::wstring(300 - base.size(), L'd') + L"\\";
    ASSERT_GT(path.size(), 259u);
    EXPECT_EQ(CreateDirectoryChain(path), 0);
    EXPECT_FALSE(FileExists(base));
    EXPECT_FALSE(FileExists(m_target / L"install.log"));
}

}  // namespace

namespace {

// Under Wine a process takes its ANSI code page from the Unix locale it was
// started in; ctest runs this case a second time under a Chinese locale
// (engine_install_log_cp936_test), where it writes the log as a Chinese
// system does.
TEST(InstallLogCodePageTest, AChineseRecordOnAChineseSystemIsStoredInCodePage936) {
    if (GetACP() != 936) GTEST_SKIP() << "needs a Chinese system; the code page here is " << GetACP();
    StateRestorer restore;
    ScratchFolder target{L"cp936"};
    State().TargetDir = target.Path();
    WriteInstallLog(L"CreateDirectory: \"C:\\\x4E2D\x6587\" created");
    EXPECT_EQ(ReadFileBytes(target / L"install.log"), "\r\r\nCreateDirectory: \"C:\\\xD6\xD0\xCE\xC4\" created");
}

}  // namespace
