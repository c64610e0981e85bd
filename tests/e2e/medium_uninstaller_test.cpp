// PUninstall.exe undoes an installation from install.log (every record form
// the setup writes), the packages' manifest and the fixed files and keys of
// the setup, from a copy in a folder of its own under the temporary folder
// (removal) or from the medium (rollback), quietly or with its window.
#include "tests/e2e/medium_fixture.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <string>
#include <vector>

namespace {

const std::wstring kUninstallKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\PelmoraMediumTest_en_us";

std::string Record(const std::wstring& text) { return "\r\r\n" + standin::Narrow(text, CP_ACP); }

bool FolderExists(const std::wstring& path) { return standin::FolderExists(path); }

bool CopyInto(const std::wstring& source, const std::wstring& destination) {
    return CopyFileW(source.c_str(), destination.c_str(), FALSE) != 0;
}

std::wstring CommonOrvantiFolder() {
    wchar_t common[MAX_PATH];
    SHGetFolderPathW(nullptr, CSIDL_PROGRAM_FILES_COMMONX86, nullptr, SHGFP_TYPE_CURRENT, common);
    return std::wstring(common) + L"\\Orvanti";
}

// Waits until `done` holds or the time is up (the uninstaller's own copy is
// deleted by a helper shortly after it ended).
template <typename Condition>
bool WaitFor(Condition done, DWORD timeoutMs) {
    for (DWORD start = GetTickCount(); !done(); Sleep(200))
        if (GetTickCount() - start > timeoutMs) return false;
    return true;
}

// An installed product as an interactive installation leaves it, built by
// hand in scratch folders: target folder with the setup's files and two
// packages' payload, desktop and Start-menu shortcuts, the Uninstall entry,
// the setup record, the configuration key, the shared thumbnail server, and
// an install.log holding every record form.
class InstalledProduct {
public:
    InstalledProduct()
        : m_root(L"uninst"), m_target(m_root / L"Orvanti\\Pelmora 2016"), m_record(m_target) {
        m_programs = m_root / L"Programs\\Orvanti\\Pelmora2016";
        m_desktop = m_root / L"Desktop";
        CreateDirectoryW(m_desktop.c_str(), nullptr);

        std::string log;
        auto createFolder = [&](const std::wstring& folder) {
            CreateDirectoryW(folder.c_str(), nullptr);
            log += Record(L"CreateDirectory: \"" + folder + L"\" (0)");
            log += Record(L"CreateDirectory: \"" + folder + L"\" created");
        };
        createFolder(m_root / L"Orvanti");
        createFolder(m_target);
        for (const wchar_t* package : {L"pelm_global.exe", L"pelm_help.exe"})
            RunCommand(L"\"" + MediumFile(std::wstring(L"files\\") + package) + L"\" -passive -norestart");
        // The packages found the folder there and logged nothing.
        log = ReadFileBytes(m_target + L"\\install.log") + log;
        for (const wchar_t* name : {L"Setup.exe", L"IntallerRes.dll", L"Setup.ini"})
            CopyInto(MediumFile(name), m_target + L"\\" + name);
        CopyInto(MediumFile(L"PUninstall.exe"), m_target + L"\\PUninstall");

        const std::wstring common = CommonOrvantiFolder();
        if (!FolderExists(common)) createFolder(common);
        CopyInto(m_target + L"\\dwgthumb.dll", common + L"\\dwgthumb.dll");
        RunCommand(L"regsvr32 /s \"" + common + L"\\dwgthumb.dll\"");
        RunCommand(L"\"" + m_target + L"\\pelm.exe\" -Regserver -nologo");

        const std::vector<std::pair<std::wstring, std::wstring>> values = {
            {L"InstallLocation", m_target},         {L"DisplayName", L"Pelmora2016"},
            {L"DisplayIcon", m_target + L"\\pelm.exe"}, {L"UninstallString", L"\"" + m_target + L"\\setup.exe\""},
            {L"Platfrom", L"x86"},                  {L"Publisher", L"Orvanti Company"},
            {L"HelpLink", L"http://www.orvanti.example/"},
        };
        for (const auto& [name, data] : values) {
            standin::WriteMachineString(kUninstallKey.c_str(), name.c_str(), data);
            log += Record(L"WriteRegStr: \"HKEY_LOCAL_MACHINE\\" + kUninstallKey + L"\" \"" + name + L"\"=\"" +
                          (name == L"UninstallString" ? m_target + L"\\setup.exe" : data) + L"\"");
        }
        log += Record(L"WriteRegDWORD: \"HKEY_LOCAL_MACHINE\\" + kUninstallKey + L"\" \"Version\"=\"56\"");

        auto shortcut = [&](const std::wstring& link, const std::wstring& target) {
            WriteFileBytes(link, "link");
            log += Record(L"CreateShortCut: out: \"" + link + L"\", in: \"" + target +
                          L" \", icon: ,0, sw=0, hk=0");
        };
        shortcut(m_desktop + L"\\Pelmora2016.lnk", m_target + L"\\pelm.exe");
        createFolder(m_root / L"Programs");
        createFolder(m_root / L"Programs\\Orvanti");
        createFolder(m_programs);
        shortcut(m_programs + L"\\Pelmora2016.lnk", m_target + L"\\pelm.exe");
        shortcut(m_programs + L"\\Uninstall Pelmora 2016.lnk", m_target + L"\\setup.exe");
        log += Record(L"File: overwriteflag=4, allowskipfilesflag=0, name=\"PUninstall\"");
        log += Record(L"File: wrote 341000 to \"" + m_target + L"\\PUninstall\"");
        WriteFileBytes(m_target + L"\\install.log", log);

        standin::WriteMachineString(standin::kConfigKey, L"lang", L"en-us");
    }

    // A folder of its own under the temporary folder with the uninstaller
    // and its two files, as removal makes it.
    std::wstring PrepareTemporaryCopy() {
        CreateDirectoryW(m_copy.c_str(), nullptr);
        CopyInto(m_target + L"\\PUninstall", m_copy + L"\\PUninstall.exe");
        CopyInto(m_target + L"\\install.log", m_copy + L"\\install.log");
        CopyInto(m_target + L"\\IntallerRes.dll", m_copy + L"\\IntallerRes.dll");
        return m_copy;
    }

    void ExpectRemoved() const {
        EXPECT_FALSE(FolderExists(m_target));
        EXPECT_FALSE(FolderExists(m_root / L"Orvanti"));
        EXPECT_FALSE(FolderExists(m_root / L"Programs"));
        EXPECT_FALSE(FileExists(m_desktop + L"\\Pelmora2016.lnk"));
        EXPECT_TRUE(FolderExists(m_desktop));  // not logged as created: not ours
        EXPECT_FALSE(standin::MachineKeyExists(kUninstallKey.c_str()));
        EXPECT_FALSE(standin::MachineKeyExists(standin::kSetupRecordKey));
        EXPECT_FALSE(standin::MachineKeyExists(standin::kProductKey));
        EXPECT_FALSE(FileExists(CommonOrvantiFolder() + L"\\dwgthumb.dll"));
        EXPECT_FALSE(standin::MachineKeyExists(
            (std::wstring(L"Software\\Classes\\CLSID\\") + standin::kThumbnailClsid).c_str()));
        EXPECT_FALSE(standin::MachineKeyExists(
            (std::wstring(L"Software\\Classes\\CLSID\\") + standin::kProductClsid).c_str()));
    }

    const std::wstring& Target() const { return m_target; }
    const std::wstring& Root() const { return m_root.Path(); }

private:
    ScratchFolder m_root;
    std::wstring m_target;
    SetupRecordScope m_record;
    std::wstring m_programs, m_desktop;
    std::wstring m_copy = m_root.Path() + L"_copy";  // directly below the temporary folder
};

TEST(MediumUninstaller, QuietRemovalFromATemporaryCopyUndoesEveryRecordAndShowsNothing) {
    InstalledProduct product;
    const std::wstring copy = product.PrepareTemporaryCopy();
    driver::Process uninstaller = driver::Process::Start(L"\"" + copy + L"\\PUninstall.exe\" /quiet /norestart");
    ASSERT_TRUE(uninstaller.Started());
    std::vector<std::wstring> windows;
    DWORD code = 99;
    while (!uninstaller.WaitForExit(50, &code)) {
        for (HWND window : uninstaller.Windows()) windows.push_back(driver::ClassName(window));
        ASSERT_TRUE(windows.size() < 100);
    }
    EXPECT_EQ(code, 0u);
    EXPECT_TRUE(windows.empty()) << windows.front();
    product.ExpectRemoved();
    // Its own copy goes too, once it has ended.
    EXPECT_TRUE(WaitFor([&] { return !FolderExists(copy); }, 15000));
}

TEST(MediumUninstaller, InteractiveRemovalShowsItsWindowAndAFinalMessage) {
    InstalledProduct product;
    const std::wstring copy = product.PrepareTemporaryCopy();
    driver::RunOptions options;
    options.Answers = {IDOK};
    driver::RunResult run = driver::RunAnswering(L"\"" + copy + L"\\PUninstall.exe\" /norestart", options);
    ASSERT_TRUE(run.Exited);
    EXPECT_EQ(run.ExitCode, 0u);
    ASSERT_EQ(run.Boxes.size(), 1u);
    EXPECT_EQ(run.Boxes[0].Caption, L"Pelmora2016");  // text 2015 of the resource library beside it
    EXPECT_EQ(run.Boxes[0].Text, L"Pelmora2016 has been removed from this computer.");
    ASSERT_FALSE(run.OtherWindows.empty());
    EXPECT_EQ(run.OtherWindows[0], L"PelmoraSampleUninstaller | Pelmora2016 - Uninstall");
    product.ExpectRemoved();
    EXPECT_TRUE(WaitFor([&] { return !FolderExists(copy); }, 15000));
}

TEST(MediumUninstaller, RollbackOfASilentInstallationFindsTheTargetThroughTheSetupRecord) {
    // A silent installation logs only the folders it creates for the shared
    // thumbnail server; the packages log the target folder they created.
    ScratchFolder root(L"rollback");
    const std::wstring target = root / L"Pelmora2016";
    SetupRecordScope record(target);
    ASSERT_EQ(RunCommand(L"\"" + MediumFile(L"files\\pelm_global.exe") + L"\" -passive -norestart").ExitCode, 0u);
    CopyInto(MediumFile(L"Setup.exe"), target + L"\\Setup.exe");
    CopyInto(MediumFile(L"PUninstall.exe"), target + L"\\PUninstall");
    const std::wstring common = root / L"Common\\Orvanti";
    CreateDirectoryW((root / L"Common").c_str(), nullptr);
    CreateDirectoryW(common.c_str(), nullptr);
    std::string log = ReadFileBytes(target + L"\\install.log");
    ASSERT_NE(log.find("created"), std::string::npos);
    log += Record(L"CreateDirectory: \"" + common + L"\" (0)") + Record(L"CreateDirectory: \"" + common + L"\" created");
    WriteFileBytes(target + L"\\install.log", log);

    // Rollback: the medium's uninstaller with a copy of the log beside it.
    const std::wstring medium = root / L"medium";
    CreateDirectoryW(medium.c_str(), nullptr);
    CopyInto(MediumFile(L"PUninstall.exe"), medium + L"\\PUninstall.exe");
    CopyInto(target + L"\\install.log", medium + L"\\install.log");
    ProgramRun run = RunCommand(L"\"" + medium + L"\\PUninstall.exe\" /quiet /norestart");
    ASSERT_TRUE(run.Ended);
    EXPECT_EQ(run.ExitCode, 0u);
    EXPECT_FALSE(FolderExists(target));
    EXPECT_FALSE(FolderExists(common));
    EXPECT_FALSE(standin::MachineKeyExists(standin::kSetupRecordKey));
    // The medium keeps its uninstaller.
    EXPECT_TRUE(FileExists(medium + L"\\PUninstall.exe"));
}

TEST(MediumUninstaller, ReadsTheLogInTheAnsiCodePage) {
    // The setup writes records in the ANSI code page, not in UTF-8: a folder
    // and a shortcut with a letter outside ASCII must still be found.
    const std::wstring name = L"Pelmora 2016 \u00C9dition";
    BOOL lossy = FALSE;
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, name.c_str(), -1, nullptr, 0, nullptr, &lossy);
    if (lossy) GTEST_SKIP() << "the ANSI code page has no \u00C9";
    ScratchFolder root(L"ansi");
    const std::wstring folder = root / name;
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    const std::wstring link = folder + L"\\" + name + L".lnk";
    ASSERT_TRUE(WriteFileBytes(link, "link"));
    const std::string log = Record(L"CreateDirectory: \"" + folder + L"\" (0)") +
                            Record(L"CreateDirectory: \"" + folder + L"\" created") +
                            Record(L"CreateShortCut: out: \"" + link + L"\", in: \"" + folder +
                                   L"\\pelm.exe \", icon: ,0, sw=0, hk=0");
    ASSERT_EQ(log.find('\xC3'), std::string::npos);  // not UTF-8
    SetupRecordScope record(root / L"no such folder");
    const std::wstring copy = root / L"copy";
    CreateDirectoryW(copy.c_str(), nullptr);
    CopyInto(MediumFile(L"PUninstall.exe"), copy + L"\\PUninstall.exe");
    WriteFileBytes(copy + L"\\install.log", log);
    ProgramRun run = RunCommand(L"\"" + copy + L"\\PUninstall.exe\" /quiet /norestart");
    ASSERT_TRUE(run.Ended);
    EXPECT_FALSE(FileExists(link));
    EXPECT_FALSE(FolderExists(folder));
}

TEST(MediumUninstaller, WithoutInstallLogBesideItNothingIsRemoved) {
    ScratchFolder root(L"nolog");
    const std::wstring target = root / L"Pelmora2016";
    SetupRecordScope record(target);
    ASSERT_EQ(RunCommand(L"\"" + MediumFile(L"files\\pelm_help.exe") + L"\" -passive -norestart").ExitCode, 0u);
    const std::wstring copy = root / L"copy";
    CreateDirectoryW(copy.c_str(), nullptr);
    CopyInto(MediumFile(L"PUninstall.exe"), copy + L"\\PUninstall.exe");

    ProgramRun quiet = RunCommand(L"\"" + copy + L"\\PUninstall.exe\" /quiet /norestart");
    ASSERT_TRUE(quiet.Ended);
    EXPECT_EQ(quiet.ExitCode, 2u);

    driver::RunOptions options;
    options.Answers = {IDOK};
    driver::RunResult shown = driver::RunAnswering(L"\"" + copy + L"\\PUninstall.exe\" /norestart", options);
    ASSERT_TRUE(shown.Exited);
    EXPECT_EQ(shown.ExitCode, 2u);
    ASSERT_EQ(shown.Boxes.size(), 1u);
    EXPECT_NE(shown.Boxes[0].Text.find(L"install.log was not found"), std::wstring::npos);

    EXPECT_TRUE(FileExists(target + L"\\Help\\pelm_help.htm"));
    EXPECT_TRUE(standin::MachineKeyExists(standin::kSetupRecordKey));
}

TEST(MediumUninstaller, DeletesOnlyWhatIsTheProducts) {
    // A manifest line or a logged uninstaller copy that names a file outside
    // the target folder is not the uninstaller's to delete, nor is an empty
    // folder that someone else made in the target folder.
    ScratchFolder root(L"outside");
    const std::wstring target = root / L"Pelmora2016";
    SetupRecordScope record(target);
    ASSERT_EQ(RunCommand(L"\"" + MediumFile(L"files\\pelm_help.exe") + L"\" -passive -norestart").ExitCode, 0u);
    ASSERT_TRUE(CreateDirectoryW((target + L"\\My Drawings").c_str(), nullptr));
    const std::wstring outside = root / L"precious.txt";
    const std::wstring sibling = root / L"Pelmora2016-old\\keep.txt";
    ASSERT_TRUE(WriteFileBytes(outside, "keep"));
    CreateDirectoryW((root / L"Pelmora2016-old").c_str(), nullptr);
    ASSERT_TRUE(WriteFileBytes(sibling, "keep"));
    standin::AddManifestEntry(target, false, outside);
    standin::AddManifestEntry(target, false, target + L"\\..\\precious.txt");
    standin::AddManifestEntry(target, false, sibling);
    WriteFileBytes(target + L"\\install.log", Record(L"File: wrote 341000 to \"" + target + L"\\..\\precious.txt\""));

    const std::wstring copy = root / L"copy";
    CreateDirectoryW(copy.c_str(), nullptr);
    CopyInto(MediumFile(L"PUninstall.exe"), copy + L"\\PUninstall.exe");
    CopyInto(target + L"\\install.log", copy + L"\\install.log");
    ProgramRun run = RunCommand(L"\"" + copy + L"\\PUninstall.exe\" /quiet /norestart");
    ASSERT_TRUE(run.Ended);
    EXPECT_EQ(run.ExitCode, 1u);  // the target folder stays, and that is reported
    EXPECT_TRUE(FileExists(outside));
    EXPECT_TRUE(FileExists(sibling));
    EXPECT_TRUE(FolderExists(target + L"\\My Drawings"));
    EXPECT_FALSE(FileExists(target + L"\\Help\\pelm_help.htm"));
    EXPECT_FALSE(FolderExists(target + L"\\Help"));
}

}  // namespace
