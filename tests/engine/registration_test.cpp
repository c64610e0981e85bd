// The Uninstall entry and the shortcuts, read back from the registry and
// through the shell link object, and their install.log records in order.
#include <gtest/gtest.h>

#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include "engine/registration.h"
#include "framework/handles.h"
#include "tests/engine/engine_test_support.h"

namespace {

std::wstring Folder(int csidl) {
    wchar_t path[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
    return path;
}

struct LinkInfo {
    bool Loaded = false;
    std::wstring Path;
    std::wstring WorkingDirectory;
};

LinkInfo ReadLink(const std::wstring& file) {
    LinkInfo info;
    IShellLinkW* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&link)))) {
        return info;
    }
    IPersistFile* persist = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist)))) {
        if (SUCCEEDED(persist->Load(file.c_str(), STGM_READ))) {
            wchar_t text[MAX_PATH] = {};
            link->GetPath(text, MAX_PATH, nullptr, SLGP_RAWPATH);
            info.Path = text;
            text[0] = L'\0';
            link->GetWorkingDirectory(text, MAX_PATH);
            info.WorkingDirectory = text;
            info.Loaded = true;
        }
        persist->Release();
    }
    link->Release();
    return info;
}

std::wstring ReadString(HKEY key, const wchar_t* name) {
    wchar_t data[1024] = {};
    DWORD size = sizeof(data);
    DWORD type = 0;
    if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size) != ERROR_SUCCESS) {
        return L"<missing>";
    }
    if (type != REG_SZ) return L"<not REG_SZ>";
    // Stored with the terminating zero.
    if (size < sizeof(wchar_t) || data[size / sizeof(wchar_t) - 1] != L'\0') return L"<not terminated>";
    return data;
}

class RegistrationTest : public ::testing::Test {
protected:
    StateRestorer m_restore;
    ScratchFolder m_target{L"Pel mora"};
    BoxWatcher m_boxes;

    void SetUp() override {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        SetupState& state = State();
        state.ProductName = L"EngineRegistrationTest";
        state.CompanyName = L"EngineRegTests";
        state.LanguageLower = L"zh_cn";
        state.TargetDir = m_target.Path();
        state.Is64BitPackage = 1;
        Cleanup();
    }
    void TearDown() override {
        Cleanup();
        CoUninitialize();
    }
    void Cleanup() {
        RegDeleteKeyExW(HKEY_LOCAL_MACHINE, UninstallKeyPath().c_str(), KEY_WOW64_32KEY, 0);
        DeleteFileW(DesktopLink().c_str());
        RemoveTree(Folder(CSIDL_COMMON_PROGRAMS) + L"\\EngineRegTests");
    }
    std::wstring DesktopLink() const {
        return Folder(CSIDL_COMMON_DESKTOPDIRECTORY) + L"\\EngineRegistrationTest.lnk";
    }
    std::wstring Programs() const {
        return Folder(CSIDL_COMMON_PROGRAMS) + L"\\EngineRegTests\\EngineRegistrationTest";
    }
};

TEST_F(RegistrationTest, WritesTheSevenValuesInThe32BitViewWithAQuotedUninstallString) {
    RegisterInstallation();
    const std::wstring target = m_target.Path();
    EXPECT_EQ(UninstallKeyPath(),
              L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\EngineRegistrationTest_zh_cn");
    unique_hkey key;
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, UninstallKeyPath().c_str(), 0, KEY_READ | KEY_WOW64_32KEY, key.put()),
              ERROR_SUCCESS);
    EXPECT_EQ(ReadString(key.get(), L"InstallLocation"), target);
    EXPECT_EQ(ReadString(key.get(), L"DisplayName"), L"EngineRegistrationTest");
    EXPECT_EQ(ReadString(key.get(), L"DisplayIcon"), target + L"\\pelm.exe");
    EXPECT_EQ(ReadString(key.get(), L"UninstallString"), L"\"" + target + L"\\setup.exe\"");
    EXPECT_EQ(ReadString(key.get(), L"Platfrom"), L"x64");
    EXPECT_EQ(ReadString(key.get(), L"Publisher"), L"Orvanti Company");
    EXPECT_EQ(ReadString(key.get(), L"HelpLink"), L"http://www.orvanti.com");
    DWORD values = 0;
    RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr,
                     nullptr, nullptr);
    EXPECT_EQ(values, 7u);  // no "Version" value, although its record is logged
    unique_hkey native;
    EXPECT_NE(RegOpenKeyExW(HKEY_LOCAL_MACHINE, UninstallKeyPath().c_str(), 0, KEY_READ | KEY_WOW64_64KEY, native.put()),
              ERROR_SUCCESS);
}

TEST_F(RegistrationTest, LogsRegistryShortcutsAndUninstallerRecordsInOrder) {
    RegisterInstallation();
    const std::wstring target = m_target.Path();
    const std::wstring key = L"\"HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\"
                             L"EngineRegistrationTest_zh_cn\"";
    const std::wstring company = Folder(CSIDL_COMMON_PROGRAMS) + L"\\EngineRegTests";
    auto shortcut = [&](const std::wstring& link, const std::wstring& file) {
        return L"CreateShortCut: out: \"" + link + L"\", in: \"" + file + L" \", icon: ,0, sw=0, hk=0";
    };
    std::vector<std::wstring> expected = {
        L"WriteRegStr: " + key + L" \"DisplayName\"=\"EngineRegistrationTest\"",
        L"WriteRegStr: " + key + L" \"InstallLocation\"=\"" + target + L"\"",
        L"WriteRegStr: " + key + L" \"DisplayIcon\"=\"" + target + L"\\pelm.exe\"",
        L"WriteRegStr: " + key + L" \"UninstallString\"=\"" + target + L"\\setup.exe\"",
        L"WriteRegStr: " + key + L" \"Platfrom\"=\"x64\"",
        L"WriteRegStr: " + key + L" \"Publisher\"=\"Orvanti Company\"",
        L"WriteRegStr: " + key + L" \"HelpLink\"=\"http://www.orvanti.com\"",
        L"WriteRegDWORD: " + key + L" \"Version\"=\"56\"",
        shortcut(DesktopLink(), target + L"\\pelm.exe"),
        L"CreateDirectory: \"" + company + L"\" (0)",
        L"CreateDirectory: \"" + company + L"\" created",
        L"CreateDirectory: \"" + Programs() + L"\" (0)",
        L"CreateDirectory: \"" + Programs() + L"\" created",
        shortcut(Programs() + L"\\EngineRegistrationTest.lnk", target + L"\\pelm.exe"),
        shortcut(Programs() + L"\\Uninstall Pelmora 2016.lnk", target + L"\\setup.exe"),
        shortcut(Programs() + L"\\Website.lnk", target + L"\\Website.url"),
        shortcut(Programs() + L"\\Deviro DER Evizezu Davezo Rezezidor.lnk", target + L"\\doconv.exe"),
        L"File: overwriteflag=4, allowskipfilesflag=0, name=\"PUninstall\"",
        L"File: wrote 341000 to \"" + target + L"\\PUninstall\""};
    EXPECT_EQ(LogRecords(m_target / L"install.log"), expected);

    // A second run (Modify, Repair) appends a set without folder records.
    RegisterInstallation();
    std::vector<std::wstring> records = LogRecords(m_target / L"install.log");
    ASSERT_EQ(records.size(), expected.size() * 2 - 4);
    EXPECT_EQ(records.back(), expected.back());
}

TEST_F(RegistrationTest, TheShortcutsAreRealLinksToTheirTargetsWorkingInTheTargetFolder) {
    RegisterInstallation();
    const std::wstring target = m_target.Path();
    struct Expected {
        std::wstring Link;
        std::wstring Target;
    };
    for (const Expected& e : {Expected{DesktopLink(), target + L"\\pelm.exe"},
                              Expected{Programs() + L"\\EngineRegistrationTest.lnk", target + L"\\pelm.exe"},
                              Expected{Programs() + L"\\Uninstall Pelmora 2016.lnk", target + L"\\setup.exe"},
                              Expected{Programs() + L"\\Website.lnk", target + L"\\Website.url"},
                              Expected{Programs() + L"\\Deviro DER Evizezu Davezo Rezezidor.lnk",
                                       target + L"\\doconv.exe"}}) {
        LinkInfo link = ReadLink(e.Link);
        ASSERT_TRUE(link.Loaded) << e.Link;
        EXPECT_EQ(link.Path, e.Target);
        EXPECT_EQ(link.WorkingDirectory, target);
    }
}

TEST_F(RegistrationTest, ADisplayNameSuffixFromTheLibraryIsWrittenButNotLogged) {
    HMODULE texts = LoadLibraryExW(FixturePath(L"suffix_texts.dll").c_str(), nullptr,
                                   LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(texts, nullptr);
    State().ResourceModule = texts;
    RegisterInstallation();
    State().ResourceModule = nullptr;
    FreeLibrary(texts);
    unique_hkey key;
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, UninstallKeyPath().c_str(), 0, KEY_READ | KEY_WOW64_32KEY, key.put()),
              ERROR_SUCCESS);
    EXPECT_EQ(ReadString(key.get(), L"DisplayName"), L"EngineRegistrationTest - Fixture Edition");
    EXPECT_EQ(ReadString(key.get(), L"Publisher"), L"Fixture Publisher");
    std::vector<std::wstring> records = LogRecords(m_target / L"install.log");
    ASSERT_FALSE(records.empty());
    EXPECT_EQ(records[0].substr(records[0].rfind(L" \"")), L" \"DisplayName\"=\"EngineRegistrationTest\"");
    EXPECT_TRUE(ReadLink(Programs() + L"\\Remove Fixture.lnk").Loaded);
}

TEST_F(RegistrationTest, UnknownFolderKindSavesNothing) {
    EXPECT_EQ(CreateShortcut(L"x", m_target / L"pelm.exe", 1), 0);
    EXPECT_EQ(CreateShortcut(L"x", m_target / L"pelm.exe", 3), 0);
    EXPECT_FALSE(FileExists(m_target / L"install.log"));
}

TEST_F(RegistrationTest, AKeyThatCannotBeCreatedShowsText2003AndWritesNothingElse) {
    // A key name component above 255 characters is refused by the registry.
    State().ProductName = std::wstring(300, L'P');
    RegisterInstallation();
    std::vector<SeenBox> boxes = m_boxes.Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Text, L"Error\xFF1AUnable to Create the registry information!");
    EXPECT_FALSE(FileExists(m_target / L"install.log"));
    EXPECT_FALSE(FileExists(Folder(CSIDL_COMMON_DESKTOPDIRECTORY) + L"\\" + State().ProductName + L".lnk"));
}

}  // namespace
