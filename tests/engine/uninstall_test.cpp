// Removal and rollback: which programs start from where with which command
// line, and what stops them. The uninstaller is the recorder fixture.
#include <gtest/gtest.h>

#include "removal/uninstall.h"
#include "tests/engine/engine_test_support.h"

namespace {

// Points the temporary folder of this process (and its children) elsewhere.
class TemporaryFolder {
public:
    explicit TemporaryFolder(const std::wstring& path) {
        wchar_t old[MAX_PATH] = {};
        m_hadOld = GetEnvironmentVariableW(L"TMP", old, MAX_PATH) > 0;
        m_old = old;
        SetEnvironmentVariableW(L"TMP", (path + L"\\").c_str());
    }
    ~TemporaryFolder() { SetEnvironmentVariableW(L"TMP", m_hadOld ? m_old.c_str() : nullptr); }

private:
    bool m_hadOld = false;
    std::wstring m_old;
};

std::vector<std::wstring> SubFolders(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        std::wstring name = data.cFileName;
        if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && name != L"." && name != L"..") names.push_back(name);
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return names;
}

class UninstallTest : public ::testing::Test {
protected:
    StateRestorer m_restore;
    ScratchFolder m_target{L"installed"};
    ScratchFolder m_temp{L"tmp"};
    ScratchFolder m_logFolder{L"uninstlog"};
    RecorderLog m_log{m_logFolder / L"recorder.log"};
    TemporaryFolder m_tmp{m_temp.Path()};
    BoxWatcher m_boxes;

    void SetUp() override {
        State().TargetDir = m_target.Path();
        FixtureMedium::Place(L"recorder.exe", m_target / L"pelm.exe");
        FixtureMedium::Place(L"recorder.exe", m_target / L"PUninstall");
        WriteFileBytes(m_target / L"install.log", "\r\r\nFile: wrote 341000 to \"x\"");
        WriteFileBytes(m_target / L"IntallerRes.dll", "resource library");
    }
};

TEST_F(UninstallTest, UnregistersThenStartsTheUninstallerFromANewFolderInTheTemporaryFolder) {
    EXPECT_EQ(UninstallProduct(), 1);
    ASSERT_TRUE(m_log.WaitForRuns(2, 20000));
    std::vector<RecordedRun> runs = m_log.Runs();
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0].CommandLine, L"\"" + m_target.Path() + L"\\pelm.exe\" -UnRegserver -nologo");

    std::vector<std::wstring> folders = SubFolders(m_temp.Path());
    ASSERT_EQ(folders.size(), 1u);
    std::wstring folder = m_temp / folders[0];
    EXPECT_EQ(runs[1].Folder, folder);
    // "/norestart" only, also for a silent removal; the shell quotes the program.
    EXPECT_EQ(runs[1].CommandLine, L"\"" + folder + L"\\PUninstall.exe\" /norestart");
    EXPECT_EQ(ReadFileBytes(folder + L"\\install.log"), ReadFileBytes(m_target / L"install.log"));
    EXPECT_EQ(ReadFileBytes(folder + L"\\IntallerRes.dll"), "resource library");
    // Nothing lands in the shared temporary folder itself.
    EXPECT_FALSE(FileExists(m_temp / L"PUninstall.exe"));
    EXPECT_FALSE(FileExists(m_temp / L"install.log"));
    EXPECT_TRUE(m_boxes.Boxes().empty());
}

TEST_F(UninstallTest, EachRemovalGetsAFolderOfItsOwn) {
    EXPECT_EQ(UninstallProduct(), 1);
    EXPECT_EQ(UninstallProduct(), 1);
    ASSERT_TRUE(m_log.WaitForRuns(4, 20000));
    EXPECT_EQ(SubFolders(m_temp.Path()).size(), 2u);
}

struct MissingCase {
    const char* Name;
    const wchar_t* File;
};

class UninstallMissingTest : public UninstallTest, public ::testing::WithParamInterface<MissingCase> {};

TEST_P(UninstallMissingTest, GivesZeroAfterTheUnregistrationAndStartsNoUninstaller) {
    DeleteFileW((m_target / GetParam().File).c_str());
    EXPECT_EQ(UninstallProduct(), 0);
    Sleep(1000);  // an uninstaller wrongly started would have recorded by now
    std::vector<std::wstring> runs = m_log.CommandLines();
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0], L"\"" + m_target.Path() + L"\\pelm.exe\" -UnRegserver -nologo");
    EXPECT_TRUE(m_boxes.Boxes().empty());
}

INSTANTIATE_TEST_SUITE_P(Removal, UninstallMissingTest,
                         ::testing::Values(MissingCase{"InstallLog", L"install.log"},
                                           MissingCase{"Uninstaller", L"PUninstall"},
                                           MissingCase{"ResourceLibrary", L"IntallerRes.dll"}),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST_F(UninstallTest, AMissingProductProgramIsNoFailure) {
    DeleteFileW((m_target / L"pelm.exe").c_str());
    EXPECT_EQ(UninstallProduct(), 1);
    ASSERT_TRUE(m_log.WaitForRuns(1, 20000));
    EXPECT_NE(m_log.CommandLines()[0].find(L"PUninstall.exe\" /norestart"), std::wstring::npos);
    EXPECT_TRUE(m_boxes.Boxes().empty());
}

TEST_F(UninstallTest, AProductProgramThatCannotStartShowsTheRegisterFailureAndRemovalGoesOn) {
    State().ProductName = L"Pelmora 2016";
    WriteFileBytes(m_target / L"pelm.exe", "not a program");
    EXPECT_EQ(UninstallProduct(), 1);
    ASSERT_TRUE(m_log.WaitForRuns(1, 20000));
    std::vector<SeenBox> boxes = m_boxes.Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Text, L"pelm.exe,Failed to Register,Please reinstall!");
}

class RollBackTest : public UninstallTest {
protected:
    ScratchFolder m_medium{L"rbmedium"};
    void SetUp() override {
        UninstallTest::SetUp();
        FixtureMedium::Place(L"recorder.exe", m_medium / L"PUninstall.exe");
    }
};

TEST_F(RollBackTest, StartsTheMediumsUninstallerQuietlyOnACopyOfTheLog) {
    EXPECT_EQ(RollBackFailedInstallFrom(m_medium.Path()), 1);
    ASSERT_TRUE(m_log.WaitForRuns(1, 20000));
    std::vector<RecordedRun> runs = m_log.Runs();
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].CommandLine, L"\"" + m_medium.Path() + L"\\PUninstall.exe\" /quiet /norestart");
    EXPECT_EQ(runs[0].Folder, m_medium.Path());
    EXPECT_EQ(ReadFileBytes(m_medium / L"install.log"), ReadFileBytes(m_target / L"install.log"));
}

TEST_F(RollBackTest, ALogThatCannotBeCopiedStartsNothing) {
    // As on a read-only medium, the copy beside the setup cannot be written
    // (here a folder holds its name; Wine overwrites read-only files).
    CreateDirectoryW((m_medium / L"install.log").c_str(), nullptr);
    EXPECT_EQ(RollBackFailedInstallFrom(m_medium.Path()), 0);
    RemoveDirectoryW((m_medium / L"install.log").c_str());
    // And a failed run that left no log at all.
    DeleteFileW((m_target / L"install.log").c_str());
    EXPECT_EQ(RollBackFailedInstallFrom(m_medium.Path()), 0);
    Sleep(1000);
    EXPECT_TRUE(m_log.Runs().empty());
}

TEST(UniqueFolderTest, CreatesAFreshFolderEachTime) {
    ScratchFolder parent{L"unique"};
    std::wstring first = CreateUniqueFolder(parent.Path() + L"\\");
    std::wstring second = CreateUniqueFolder(parent.Path() + L"\\");
    ASSERT_FALSE(first.empty());
    ASSERT_FALSE(second.empty());
    EXPECT_NE(first, second);
    EXPECT_EQ(first.rfind(parent.Path() + L"\\", 0), 0u);
    EXPECT_TRUE(FileExists(first));
    EXPECT_TRUE(CreateUniqueFolder(parent / L"missing\\").empty());
}

}  // namespace
