#include "engine/registration.h"

#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include "app/local_text.h"
#include "app/setup_state.h"
#include "engine/install_log.h"
#include "framework/handles.h"
#include "framework/win_app.h"

namespace {

constexpr const wchar_t* kUninstallRoot = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

void SetString(HKEY key, const wchar_t* name, const std::wstring& data) {
    RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                   static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
}

// Releases a COM interface pointer when it goes out of scope.
template <class T>
struct ComRelease {
    T* p = nullptr;
    ~ComRelease() {
        if (p) p->Release();
    }
};

// Balances a successful CoInitializeEx on every way out.
struct ComApartment {
    HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    ~ComApartment() {
        if (SUCCEEDED(hr)) CoUninitialize();
    }
};

std::wstring SpecialFolder(int csidl) {
    IMalloc* allocator = nullptr;
    if (FAILED(SHGetMalloc(&allocator)) || !allocator) return L"";
    ComRelease<IMalloc> allocatorOwner{allocator};
    PIDLIST_ABSOLUTE items = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, &items)) || !items) return L"";
    wchar_t path[MAX_PATH] = {};
    BOOL ok = SHGetPathFromIDListW(items, path);
    CoTaskMemFree(items);
    return ok ? std::wstring(path) : std::wstring();
}

std::wstring FolderOf(const std::wstring& file) {
    size_t slash = file.rfind(L'\\');
    return slash == std::wstring::npos ? std::wstring() : file.substr(0, slash);
}

}  // namespace

std::wstring UninstallKeyPath() {
    const SetupState& state = State();
    return kUninstallRoot + state.ProductName + L"_" + state.LanguageLower;
}

int CreateShortcut(const std::wstring& name, const std::wstring& targetFile, int folderKind) {
    int csidl = 0;
    if (folderKind == kShortcutDesktop) {
        csidl = CSIDL_COMMON_DESKTOPDIRECTORY;
    } else if (folderKind == kShortcutPrograms) {
        csidl = CSIDL_COMMON_PROGRAMS;
    } else {
        return 0;
    }
    ComApartment apartment;
    if (FAILED(apartment.hr)) return 0;
    std::wstring folder = SpecialFolder(csidl);
    if (folder.empty()) return 0;
    folder += L"\\";
    if (folderKind == kShortcutPrograms) {
        const SetupState& state = State();
        folder += state.CompanyName + L"\\" + state.ProductName + L"\\";
        CreateDirectoryChain(folder);
    }
    std::wstring linkFile = folder + name + L".lnk";

    ComRelease<IShellLinkW> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&link.p))) ||
        !link.p) {
        return 0;
    }
    link.p->SetPath(targetFile.c_str());
    link.p->SetWorkingDirectory(FolderOf(targetFile).c_str());
    ComRelease<IPersistFile> file;
    if (FAILED(link.p->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file.p))) || !file.p) return 0;
    if (FAILED(file.p->Save(linkFile.c_str(), TRUE))) return 0;
    WriteInstallLog(L"CreateShortCut: out: \"" + linkFile + L"\", in: \"" + targetFile + L" \", icon: ,0, sw=0, hk=0");
    return 1;
}

void RegisterInstallation() {
    const SetupState& state = State();
    const std::wstring keyPath = UninstallKeyPath();
    unique_hkey key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, keyPath.c_str(), 0, KEY_ALL_ACCESS | KEY_WOW64_32KEY, key.put()) !=
        ERROR_SUCCESS) {
        if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, keyPath.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                            KEY_READ | KEY_WRITE | KEY_WOW64_32KEY, nullptr, key.put(), nullptr) != ERROR_SUCCESS) {
            FrameworkMessageBox(LoadText(Text::RegistryCreateFailed), MB_OK);
            return;
        }
    }
    const std::wstring& target = state.TargetDir;
    std::wstring suffix = LoadText(Text::DisplayNameSuffix);
    std::wstring displayName = suffix.empty() ? state.ProductName : state.ProductName + L" - " + suffix;
    std::wstring platform = state.Is64BitPackage == 1 ? L"x64" : L"x86";
    std::wstring publisher = LoadText(Text::Publisher);
    std::wstring helpLink = LoadText(Text::HelpLink);
    std::wstring uninstallCommand = target + L"\\setup.exe";

    SetString(key.get(), L"InstallLocation", target);
    SetString(key.get(), L"DisplayName", displayName);
    SetString(key.get(), L"DisplayIcon", target + L"\\pelm.exe");
    // Quoted: the system runs this text as a command line, and an unquoted
    // path with blanks would start "C:\Program.exe" if such a file existed.
    SetString(key.get(), L"UninstallString", L"\"" + uninstallCommand + L"\"");
    SetString(key.get(), L"Platfrom", platform);
    SetString(key.get(), L"Publisher", publisher);
    SetString(key.get(), L"HelpLink", helpLink);

    // The uninstaller removes values by name; the data of its records is
    // informational, so UninstallString keeps the plain path there.
    const std::wstring prefix = L"WriteRegStr: \"HKEY_LOCAL_MACHINE\\" + keyPath + L"\" \"";
    auto logString = [&](const wchar_t* name, const std::wstring& data) {
        WriteInstallLog(prefix + name + L"\"=\"" + data + L"\"");
    };
    logString(L"DisplayName", state.ProductName);
    logString(L"InstallLocation", target);
    logString(L"DisplayIcon", target + L"\\pelm.exe");
    logString(L"UninstallString", uninstallCommand);
    logString(L"Platfrom", platform);
    logString(L"Publisher", publisher);
    logString(L"HelpLink", helpLink);
    WriteInstallLog(L"WriteRegDWORD: \"HKEY_LOCAL_MACHINE\\" + keyPath + L"\" \"Version\"=\"56\"");
    key.reset();

    CreateShortcut(state.ProductName, target + L"\\pelm.exe", kShortcutDesktop);
    CreateShortcut(state.ProductName, target + L"\\pelm.exe", kShortcutPrograms);
    CreateShortcut(LoadText(Text::UninstallShortcut), target + L"\\setup.exe", kShortcutPrograms);
    CreateShortcut(LoadText(Text::WebsiteShortcut), target + L"\\Website.url", kShortcutPrograms);
    CreateShortcut(LoadText(Text::ConverterShortcut), target + L"\\doconv.exe", kShortcutPrograms);

    WriteInstallLog(L"File: overwriteflag=4, allowskipfilesflag=0, name=\"PUninstall\"");
    WriteInstallLog(L"File: wrote 341000 to \"" + target + L"\\PUninstall\"");
}
