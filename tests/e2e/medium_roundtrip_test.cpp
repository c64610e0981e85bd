// The real Setup.exe on the laid-out sample medium: a silent installation
// leaves the product that the stand-ins make, and the silent removal (with
// the uninstaller that it starts and leaves running) takes all of it away
// again. This is what scripts/demo shows, as a test.
#include "tests/e2e/medium_fixture.h"

#include <gtest/gtest.h>
#include <msi.h>
#include <shlobj.h>

#include <string>

namespace {

std::wstring CommonThumbnail() {
    wchar_t common[MAX_PATH];
    SHGetFolderPathW(nullptr, CSIDL_PROGRAM_FILES_COMMONX86, nullptr, SHGFP_TYPE_CURRENT, common);
    return std::wstring(common) + L"\\Orvanti\\dwgthumb.dll";
}

bool Installed(const wchar_t* productCode) { return MsiQueryProductStateW(productCode) == INSTALLSTATE_DEFAULT; }

std::wstring ClassKey(const wchar_t* clsid) { return std::wstring(L"Software\\Classes\\CLSID\\") + clsid; }

TEST(MediumRoundTrip, SilentInstallationAndSilentRemovalLeaveNothingOfTheProduct) {
    ScratchFolder root(L"roundtrip");
    const std::wstring target = root / L"Orvanti\\Pelmora 2016";
    const std::wstring setup = L"\"" + MediumFile(L"Setup.exe") + L"\"";
    driver::RunOptions options;
    options.TimeoutMs = 180000;

    driver::RunResult install = driver::RunAnswering(setup + L" quiet=1 TARGETDIR=\"" + target + L"\"", options);
    ASSERT_TRUE(install.Exited);
    EXPECT_EQ(install.ExitCode, 0u);
    for (const auto& box : install.Boxes) ADD_FAILURE() << "box: " << standin::Narrow(box.Text, CP_UTF8);

    for (const wchar_t* file : {L"pelm.exe", L"dwgthumb.dll", L"Setup.exe", L"IntallerRes.dll", L"Setup.ini",
                                L"PUninstall", L"install.log", L"Support\\pelm_global.txt", L"Express\\express_tools.txt",
                                L"Migration\\migrate_tools.txt", L"Samples\\sample_drawings.txt",
                                L"MigrationData\\migration_settings.txt", L"WriteRegister.runs"})
        EXPECT_TRUE(FileExists(target + L"\\" + file)) << standin::Narrow(file, CP_UTF8);
    EXPECT_FALSE(FileExists(target + L"\\uninst.exe"));
    std::wstring configured, server;
    EXPECT_TRUE(standin::ReadMachineString(standin::kConfigKey, L"TARGETDIR", configured));
    EXPECT_EQ(configured, target);
    EXPECT_TRUE(standin::ReadMachineString((ClassKey(standin::kProductClsid) + L"\\LocalServer32").c_str(), nullptr, server));
    EXPECT_EQ(server, L"\"" + target + L"\\pelm.exe\"");
    EXPECT_TRUE(FileExists(CommonThumbnail()));
    EXPECT_TRUE(standin::ReadMachineString((ClassKey(standin::kThumbnailClsid) + L"\\InprocServer32").c_str(), nullptr, server));
    EXPECT_EQ(standin::Lower(server), standin::Lower(CommonThumbnail()));
    EXPECT_TRUE(Installed(standin::kCompanionProductCode));
    EXPECT_TRUE(Installed(standin::kMigrationProductCode));

    driver::RunResult remove = driver::RunAnswering(setup + L" Uninstall=1 TARGETDIR=\"" + target + L"\"", options);
    ASSERT_TRUE(remove.Exited);
    EXPECT_EQ(remove.ExitCode, 0u);
    EXPECT_TRUE(remove.Boxes.empty());
    // The companion package went with Setup.exe's own removal step.
    EXPECT_FALSE(Installed(standin::kCompanionProductCode));

    LeftRunning uninstaller = AnswerUntilEnded(L"PUninstall.exe", 120000, 20000);
    ASSERT_TRUE(uninstaller.Seen);
    ASSERT_TRUE(uninstaller.Ended);
    ASSERT_EQ(uninstaller.Boxes.size(), 1u);
    EXPECT_EQ(uninstaller.Boxes[0].Text, L"Pelmora2016 has been removed from this computer.");

    EXPECT_FALSE(standin::FolderExists(target));
    EXPECT_FALSE(standin::FolderExists(root / L"Orvanti"));
    EXPECT_FALSE(FileExists(CommonThumbnail()));
    EXPECT_FALSE(standin::MachineKeyExists(ClassKey(standin::kProductClsid).c_str()));
    EXPECT_FALSE(standin::MachineKeyExists(ClassKey(standin::kThumbnailClsid).c_str()));
    EXPECT_FALSE(standin::MachineKeyExists(standin::kSetupRecordKey));
    EXPECT_FALSE(standin::MachineKeyExists(standin::kProductKey));
    EXPECT_FALSE(Installed(standin::kMigrationProductCode));
}

}  // namespace
