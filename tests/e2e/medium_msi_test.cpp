// The Windows Installer packages of the sample medium are real packages:
// they install through MsiInstallProductW as the setup hands them over, the
// feature packages go into the folder of the setup record, and the companion
// package goes again through the setup's own removal command line.
#include "tests/e2e/medium_fixture.h"

#include <gtest/gtest.h>
#include <msi.h>
#include <shlobj.h>

#include <string>

namespace {

class QuietInstaller {
public:
    QuietInstaller() { m_previous = MsiSetInternalUI(INSTALLUILEVEL_NONE, nullptr); }
    ~QuietInstaller() { MsiSetInternalUI(m_previous, nullptr); }

private:
    INSTALLUILEVEL m_previous;
};

std::wstring CommonFiles(int csidl) {
    wchar_t folder[MAX_PATH];
    SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, folder);
    return folder;
}

bool Installed(const wchar_t* productCode) { return MsiQueryProductStateW(productCode) == INSTALLSTATE_DEFAULT; }

TEST(MediumMsiPackages, PrerequisitesInstallAndRemove) {
    QuietInstaller quiet;
    struct Case {
        const wchar_t* Package;
        const wchar_t* ProductCode;
        int CommonFolder;
    };
    for (const Case& c : {Case{L"msxml6.msi", L"{E1B2C3D4-5A6B-4C7D-8E9F-0A1B2C3D4E51}", CSIDL_PROGRAM_FILES_COMMONX86},
                          Case{L"msxml6_x64.msi", L"{E1B2C3D4-5A6B-4C7D-8E9F-0A1B2C3D4E64}", CSIDL_PROGRAM_FILES_COMMON}}) {
        SCOPED_TRACE(c.Package);
        const std::wstring payload =
            CommonFiles(c.CommonFolder) + L"\\Orvanti Sample Medium\\MSXML 6.0\\msxml6_standin.txt";
        ASSERT_EQ(MsiInstallProductW(MediumFile(std::wstring(L"Msi\\") + c.Package).c_str(), nullptr), 0u);
        EXPECT_TRUE(Installed(c.ProductCode));
        EXPECT_TRUE(FileExists(payload));
        EXPECT_EQ(MsiConfigureProductW(c.ProductCode, INSTALLLEVEL_DEFAULT, INSTALLSTATE_ABSENT), 0u);
        EXPECT_FALSE(Installed(c.ProductCode));
        EXPECT_FALSE(FileExists(payload));
    }
}

TEST(MediumMsiPackages, CompanionPackageGoesIntoTheTargetAndIsRemovedByTheSetupsCommandLine) {
    ScratchFolder scratch(L"msi");
    const std::wstring target = scratch / L"Pelmora 2016";
    SetupRecordScope record(target);
    {
        QuietInstaller quiet;
        ASSERT_EQ(MsiInstallProductW(MediumFile(L"Msi\\pelm_samples.msi").c_str(), nullptr), 0u);
    }
    ASSERT_TRUE(Installed(standin::kCompanionProductCode));
    EXPECT_TRUE(FileExists(target + L"\\Samples\\sample_drawings.txt"));

    // Exactly as removal starts it: no program path, two blanks after "msiexec".
    ProgramRun run = RunCommand(L"msiexec  -x {5A0C9E21-7B3D-4F60-9C18-2E4D6B8A0F37} -q", 120000);
    ASSERT_TRUE(run.Ended);
    EXPECT_EQ(run.ExitCode, 0u);
    EXPECT_FALSE(Installed(standin::kCompanionProductCode));
    EXPECT_FALSE(FileExists(target + L"\\Samples\\sample_drawings.txt"));
}

TEST(MediumMsiPackages, TheUninstallerRemovesTheOtherFeaturePackage) {
    ScratchFolder scratch(L"msi");
    const std::wstring target = scratch / L"Pelmora 2016";
    SetupRecordScope record(target);
    {
        QuietInstaller quiet;
        ASSERT_EQ(MsiInstallProductW(MediumFile(L"Msi\\pelm_migrate.msi").c_str(), nullptr), 0u);
    }
    ASSERT_TRUE(Installed(standin::kMigrationProductCode));
    ASSERT_TRUE(FileExists(target + L"\\MigrationData\\migration_settings.txt"));

    const std::wstring copy = scratch / L"copy";
    CreateDirectoryW(copy.c_str(), nullptr);
    CopyFileW(MediumFile(L"PUninstall.exe").c_str(), (copy + L"\\PUninstall.exe").c_str(), FALSE);
    WriteFileBytes(copy + L"\\install.log", "");  // a silent installation may log nothing at all
    ProgramRun run = RunCommand(L"\"" + copy + L"\\PUninstall.exe\" /quiet /norestart", 120000);
    ASSERT_TRUE(run.Ended);
    EXPECT_EQ(run.ExitCode, 0u);
    EXPECT_FALSE(Installed(standin::kMigrationProductCode));
    EXPECT_FALSE(standin::FolderExists(target));
}

}  // namespace
