// The stand-ins of the sample medium behave as the setup relies on: packages
// install into the folder of the setup record and list what they wrote, the
// product program and the thumbnail server register and remove their classes
// in the 32-bit view, the configuration tool stores its properties and counts
// its runs, the prerequisites record their runs.
#include "tests/e2e/medium_fixture.h"

#include <gtest/gtest.h>
#include <objbase.h>
#include <ocidl.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

std::wstring PassiveCommand(const std::wstring& package) {
    return L"\"" + MediumFile(L"files\\" + package) + L"\" -passive -norestart";
}

bool ManifestHasFile(const std::wstring& target, const std::wstring& path) {
    auto entries = standin::ReadManifest(target + L"\\packages.manifest");
    return std::any_of(entries.begin(), entries.end(),
                       [&](const standin::ManifestEntry& e) { return !e.IsFolder && e.Path == path; });
}

int CountLines(const std::string& text) { return static_cast<int>(std::count(text.begin(), text.end(), '\n')); }

struct PackageCase {
    const wchar_t* Package;
    std::vector<const wchar_t*> Files;
};

TEST(MediumPackages, EachInstallsItsPayloadIntoTheRecordedFolderAndListsIt) {
    ScratchFolder scratch(L"pkg");
    // A target below folders that do not exist yet: the package makes the chain.
    const std::wstring target = scratch / L"Orvanti\\Pelmora 2016";
    SetupRecordScope record(target);
    const std::vector<PackageCase> cases = {
        {L"pelm_global.exe", {L"pelm.exe", L"dwgthumb.dll", L"Support\\pelm_global.txt"}},
        {L"pelm_local.exe", {L"Support\\Local\\pelm_local.txt"}},
        {L"pelm_help.exe", {L"Help\\pelm_help.htm"}},
        {L"pelm_encryption.exe", {L"Licensing\\pelm_encryption.txt"}},
        {L"pelm_express.exe", {L"Express\\express_tools.txt"}},
        {L"pelm_migrate.exe", {L"Migration\\migrate_tools.txt"}},
    };
    for (const PackageCase& c : cases) {
        SCOPED_TRACE(c.Package);
        ProgramRun run = RunCommand(PassiveCommand(c.Package));
        ASSERT_TRUE(run.Ended);
        EXPECT_EQ(run.ExitCode, 0u);
        for (const wchar_t* file : c.Files) {
            EXPECT_TRUE(FileExists(target + L"\\" + file)) << file;
            EXPECT_TRUE(ManifestHasFile(target, target + L"\\" + file)) << file;
        }
    }
    // The product program and the thumbnail server arrive as the built programs.
    EXPECT_EQ(ReadFileBytes(target + L"\\pelm.exe"), ReadFileBytes(BuildDir() + L"\\standins\\pelm.exe"));
    EXPECT_EQ(ReadFileBytes(target + L"\\dwgthumb.dll"), ReadFileBytes(BuildDir() + L"\\standins\\dwgthumb.dll"));

    // The two folders it created are in install.log in the setup's own format,
    // once each, although six packages ran.
    const std::string expected = standin::Narrow(
        L"\r\r\nCreateDirectory: \"" + scratch / L"Orvanti" + L"\" (0)\r\r\nCreateDirectory: \"" + scratch / L"Orvanti" +
            L"\" created\r\r\nCreateDirectory: \"" + target + L"\" (0)\r\r\nCreateDirectory: \"" + target + L"\" created",
        CP_ACP);
    EXPECT_EQ(ReadFileBytes(target + L"\\install.log"), expected);
}

TEST(MediumPackages, AnInstallationAgainAddsNothingTwiceToTheManifest) {
    ScratchFolder scratch(L"pkg");
    SetupRecordScope record(scratch.Path());
    ASSERT_EQ(RunCommand(PassiveCommand(L"pelm_help.exe")).ExitCode, 0u);
    const std::string first = ReadFileBytes(scratch / L"packages.manifest");
    ASSERT_EQ(RunCommand(PassiveCommand(L"pelm_help.exe")).ExitCode, 0u);
    EXPECT_EQ(ReadFileBytes(scratch / L"packages.manifest"), first);
    // The folder existed: no records, but the log exists for removal.
    EXPECT_TRUE(FileExists(scratch / L"install.log"));
    EXPECT_EQ(ReadFileBytes(scratch / L"install.log"), "");
}

TEST(MediumPackages, WithoutAUsableSetupRecordAPackageFailsAndWritesNothing) {
    ScratchFolder scratch(L"pkg");
    SetupRecordScope record(scratch.Path());
    for (const wchar_t* bad : {L"", L"relative\\folder", L"C:\\", L"C:\\a\"b"}) {
        SCOPED_TRACE(bad);
        record.Set(bad);
        ProgramRun run = RunCommand(PassiveCommand(L"pelm_local.exe"));
        ASSERT_TRUE(run.Ended);
        EXPECT_EQ(run.ExitCode, 1603u);
    }
    standin::DeleteMachineTree(standin::kSetupRecordKey);
    EXPECT_EQ(RunCommand(PassiveCommand(L"pelm_local.exe")).ExitCode, 1603u);
    EXPECT_FALSE(FileExists(scratch / L"packages.manifest"));
    EXPECT_FALSE(FileExists(scratch / L"install.log"));
}

TEST(MediumConfigurationTool, StoresEveryPropertyAndCountsItsRuns) {
    ScratchFolder scratch(L"cfg");
    const std::wstring target = scratch / L"Pelmora 2016";
    ASSERT_TRUE(CreateDirectoryW(target.c_str(), nullptr));
    standin::DeleteMachineTree(standin::kConfigKey);
    for (const wchar_t* tool : {L"WriteRegister.exe", L"WriteRegister_x64.exe"}) {
        SCOPED_TRACE(tool);
        const std::wstring command = L"\"" + MediumFile(std::wstring(L"files\\") + tool) +
                                     L"\" lang=zh-cn TARGETDIR=\"" + target +
                                     L"\" PRODUCTNAME=\"Pelmora 2016\" VERSION=16.0 PLATFROM=x86 NUM=44 "
                                     L"WorkspaceName=0 -q";
        ProgramRun run = RunCommand(command);
        ASSERT_TRUE(run.Ended);
        EXPECT_EQ(run.ExitCode, 0u);
    }
    const std::vector<std::pair<const wchar_t*, const wchar_t*>> expected = {
        {L"lang", L"zh-cn"},        {L"TARGETDIR", target.c_str()}, {L"PRODUCTNAME", L"Pelmora 2016"},
        {L"VERSION", L"16.0"},      {L"PLATFROM", L"x86"},          {L"NUM", L"44"},
        {L"WorkspaceName", L"0"},
    };
    for (const auto& [name, value] : expected) {
        std::wstring stored;
        EXPECT_TRUE(standin::ReadMachineString(standin::kConfigKey, name, stored)) << name;
        EXPECT_EQ(stored, value) << name;
    }
    const std::string runs = ReadFileBytes(target + L"\\WriteRegister.runs");
    EXPECT_EQ(CountLines(runs), 2);
    EXPECT_NE(runs.find("NUM=44 WorkspaceName=0 -q"), std::string::npos);
    EXPECT_TRUE(ManifestHasFile(target, target + L"\\WriteRegister.runs"));
    standin::DeleteMachineTree(standin::kConfigKey);
}

TEST(MediumConfigurationTool, RefusesATargetThatIsNoFolderAndWritesNothing) {
    standin::DeleteMachineTree(standin::kConfigKey);
    for (const wchar_t* arguments : {L" lang=en-us -q", L" TARGETDIR=\"C:\\does not exist\\x\" -q",
                                     L" TARGETDIR=relative -q"}) {
        SCOPED_TRACE(arguments);
        ProgramRun run = RunCommand(L"\"" + MediumFile(L"files\\WriteRegister.exe") + L"\"" + arguments);
        ASSERT_TRUE(run.Ended);
        EXPECT_EQ(run.ExitCode, 87u);
    }
    EXPECT_FALSE(standin::MachineKeyExists(standin::kConfigKey));
}

TEST(MediumProductProgram, RegistersAndRemovesItsClassInThe32BitView) {
    const std::wstring classKey = std::wstring(L"Software\\Classes\\CLSID\\") + standin::kProductClsid;
    const std::wstring program = BuildDir() + L"\\standins\\pelm.exe";
    ASSERT_EQ(RunCommand(L"\"" + program + L"\" -Regserver -nologo").ExitCode, 0u);
    std::wstring server, progId;
    EXPECT_TRUE(standin::ReadMachineString((classKey + L"\\LocalServer32").c_str(), nullptr, server));
    EXPECT_EQ(server, L"\"" + program + L"\"");
    EXPECT_TRUE(standin::ReadMachineString(L"Software\\Classes\\Pelmora.Application\\CLSID", nullptr, progId));
    EXPECT_EQ(progId, standin::kProductClsid);

    ASSERT_EQ(RunCommand(L"\"" + program + L"\" -UnRegserver -nologo").ExitCode, 0u);
    EXPECT_FALSE(standin::MachineKeyExists(classKey.c_str()));
    EXPECT_FALSE(standin::MachineKeyExists(L"Software\\Classes\\Pelmora.Application"));
    EXPECT_FALSE(standin::MachineKeyExists(L"Software\\Classes\\Pelmora.Application.16"));
    // Removing what is not there is no failure.
    EXPECT_EQ(RunCommand(L"\"" + program + L"\" -UnRegserver -nologo").ExitCode, 0u);
}

TEST(MediumProductProgram, WithoutArgumentsShowsAWindowSayingItIsAStandIn) {
    driver::Process program = driver::Process::Start(L"\"" + BuildDir() + L"\\standins\\pelm.exe\"");
    ASSERT_TRUE(program.Started());
    HWND window = program.WaitForWindow(L"Pelmora 2016", 10000);
    ASSERT_NE(window, nullptr);
    bool saysStandIn = false;
    EnumChildWindows(
        window,
        [](HWND child, LPARAM found) -> BOOL {
            if (driver::WindowText(child).find(L"stand-in") != std::wstring::npos) *reinterpret_cast<bool*>(found) = true;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&saysStandIn));
    EXPECT_TRUE(saysStandIn);
    driver::CloseWindowLikeUser(window);
    DWORD code = 1;
    EXPECT_TRUE(program.WaitForExit(10000, &code));
    EXPECT_EQ(code, 0u);
}

TEST(MediumThumbnailServer, RegistersItselfAndServesItsClass) {
    const std::wstring dll = BuildDir() + L"\\standins\\dwgthumb.dll";
    HMODULE module = LoadLibraryW(dll.c_str());
    ASSERT_NE(module, nullptr);
    using Entry = HRESULT(STDAPICALLTYPE*)();
    using GetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
    auto registerServer = reinterpret_cast<Entry>(reinterpret_cast<void*>(GetProcAddress(module, "DllRegisterServer")));
    auto unregisterServer = reinterpret_cast<Entry>(reinterpret_cast<void*>(GetProcAddress(module, "DllUnregisterServer")));
    auto getClassObject = reinterpret_cast<GetClassObject>(reinterpret_cast<void*>(GetProcAddress(module, "DllGetClassObject")));
    ASSERT_TRUE(registerServer && unregisterServer && getClassObject);

    const std::wstring key = std::wstring(L"Software\\Classes\\CLSID\\") + standin::kThumbnailClsid + L"\\InprocServer32";
    ASSERT_EQ(registerServer(), S_OK);
    std::wstring server;
    EXPECT_TRUE(standin::ReadMachineString(key.c_str(), nullptr, server));
    EXPECT_EQ(standin::Lower(server), standin::Lower(dll));

    CLSID id{};
    ASSERT_EQ(CLSIDFromString(standin::kThumbnailClsid, &id), S_OK);
    IClassFactory* factory = nullptr;
    ASSERT_EQ(getClassObject(id, IID_IClassFactory, reinterpret_cast<void**>(&factory)), S_OK);
    IPersist* persist = nullptr;
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_IPersist, reinterpret_cast<void**>(&persist)), S_OK);
    CLSID reported{};
    EXPECT_EQ(persist->GetClassID(&reported), S_OK);
    EXPECT_TRUE(IsEqualCLSID(reported, id));
    IUnknown* other = nullptr;
    EXPECT_EQ(persist->QueryInterface(IID_IClassFactory, reinterpret_cast<void**>(&other)), E_NOINTERFACE);
    persist->Release();
    factory->Release();
    CLSID wrong{};
    EXPECT_EQ(getClassObject(wrong, IID_IClassFactory, reinterpret_cast<void**>(&factory)), CLASS_E_CLASSNOTAVAILABLE);

    ASSERT_EQ(unregisterServer(), S_OK);
    EXPECT_FALSE(standin::MachineKeyExists((std::wstring(L"Software\\Classes\\CLSID\\") + standin::kThumbnailClsid).c_str()));
    FreeLibrary(module);
}

TEST(MediumPrerequisites, EachRecordsEveryRunWithItsCommandLine) {
    for (const wchar_t* name : {L"vcredist_x86_10.exe", L"vcredist_x64_10.exe", L"WindowsInstaller-KB893803-v2-x86.exe"}) {
        SCOPED_TRACE(name);
        const std::wstring runsName = std::wstring(name) + L" runs";
        DWORD before = 0;
        standin::ReadMachineDword(standin::kPrerequisiteKey, runsName.c_str(), before);
        const std::wstring command = L"\"" + MediumFile(std::wstring(L"Msi\\") + name) + L"\" -q -norestart";
        ASSERT_EQ(RunCommand(command).ExitCode, 0u);
        DWORD after = 0;
        EXPECT_TRUE(standin::ReadMachineDword(standin::kPrerequisiteKey, runsName.c_str(), after));
        EXPECT_EQ(after, before + 1);
        std::wstring recorded;
        EXPECT_TRUE(standin::ReadMachineString(standin::kPrerequisiteKey, name, recorded));
        EXPECT_EQ(recorded, command);
    }
}

}  // namespace
