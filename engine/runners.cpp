#include "engine/runners.h"

#include <msi.h>

#include <cwchar>
#include <vector>

#include "app/local_text.h"
#include "app/setup_state.h"
#include "engine/install_messages.h"
#include "framework/handles.h"
#include "framework/module.h"
#include "framework/strings.h"
#include "framework/win_app.h"

namespace {

constexpr size_t kPathBuffer = 260;
constexpr size_t kConfigurationBuffer = 1024;

// Shown instead of running a command line that would have been cut: a cut
// path could name another program or a parent folder.
constexpr const wchar_t* kCommandLineTooLong =
    L"The command line is too long to be run:\n%s";

using MsiSetInternalUIFn = INSTALLUILEVEL(WINAPI*)(INSTALLUILEVEL, HWND*);
using MsiSetExternalUIWFn = INSTALLUI_HANDLERW(WINAPI*)(INSTALLUI_HANDLERW, DWORD, LPVOID);
using MsiInstallProductWFn = UINT(WINAPI*)(LPCWSTR, LPCWSTR);

// Process-wide state of the Windows Installer runner. Only one runner is
// active at a time, so it needs no lock.
HMODULE g_msiModule = nullptr;
MsiSetInternalUIFn g_setInternalUI = nullptr;
MsiSetExternalUIWFn g_setExternalUI = nullptr;
MsiInstallProductWFn g_installProduct = nullptr;
bool g_firstUiMessage = true;
WORD g_errorLanguage = 0;

// Every message kind except files-in-use.
constexpr DWORD kUiFilter = 0x7FDF;
constexpr INSTALLUILEVEL kSilentUiLevel = static_cast<INSTALLUILEVEL>(INSTALLUILEVEL_NONE | INSTALLUILEVEL_SOURCERESONLY);
wchar_t g_uiContext[] = L"Msi Install Error Check";

void PostNotice(HWND page, UINT message) {
    if (page) PostMessageW(page, message, 0, 0);
}

bool FileExists(const std::wstring& path) {
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Replaces the first "%s" only: a translated text is data, and any other
// printf directive in it must not read arguments that are not there.
std::wstring FillFirstPlaceholder(const std::wstring& format, const std::wstring& value) {
    size_t at = format.find(L"%s");
    if (at == std::wstring::npos) return format;
    return format.substr(0, at) + value + format.substr(at + 2);
}

void ShowFileMissing(const std::wstring& path) {
    FrameworkMessageBox(FillFirstPlaceholder(LoadText(Text::FileMissing), path), MB_OK);
}

int RunPackageWith(const std::wstring& path, HWND page, const wchar_t* switches) {
    PostNotice(page, WM_PACKAGE_STARTED);
    if (!FileExists(path)) {
        ShowFileMissing(path);
        return 0;
    }
    if (StartAndWait(path, L"\"" + path + L"\"" + switches, kPathBuffer) != StartResult::Ran) return 0;
    PostNotice(page, WM_PACKAGE_FINISHED);
    return 1;
}

bool LoadMsiLibrary() {
    if (!g_msiModule) {
        g_msiModule = LoadSystemLibrary(L"msi.dll");
        if (!g_msiModule) return false;
        g_setInternalUI = GetProc<MsiSetInternalUIFn>(g_msiModule, "MsiSetInternalUI");
        g_setExternalUI = GetProc<MsiSetExternalUIWFn>(g_msiModule, "MsiSetExternalUIW");
        g_installProduct = GetProc<MsiInstallProductWFn>(g_msiModule, "MsiInstallProductW");
    }
    return g_setInternalUI && g_installProduct;
}

void ShowMsiFailure(const std::wstring& path, bool installerReported) {
    std::wstring lower = ToLower(path);
    bool exempt = lower.find(L"xlstable_chs.msi") != std::wstring::npos ||
                  lower.find(L"xlstable_eng.msi") != std::wstring::npos ||
                  (installerReported && lower.find(L"msxml6.msi") != std::wstring::npos);
    if (!exempt) FrameworkMessageBox(LoadText(Text::MsiInstallFailed), MB_OK);
}

void ShowFailureNotice(const std::wstring& name, const TextDef& text) {
    std::wstring message = FormatText(L"%s,%s", name.c_str(), LoadText(text).c_str());
    MessageBoxW(nullptr, message.c_str(), State().ProductName.c_str(),
                MB_ICONERROR | MB_SYSTEMMODAL | MB_SETFOREGROUND | MB_TOPMOST);
}

// Field `number` of a Windows Installer record text "1: a 2: b 3: c".
bool RecordField(const wchar_t* text, int number, long& value) {
    std::wstring tag = std::to_wstring(number) + L": ";
    const wchar_t* at = wcsstr(text, tag.c_str());
    if (!at) return false;
    wchar_t* end = nullptr;
    value = wcstol(at + tag.size(), &end, 10);
    return end != at + tag.size();
}

}  // namespace

std::wstring SystemFolder() {
    wchar_t buffer[MAX_PATH] = {};
    UINT length = GetSystemDirectoryW(buffer, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return L"";
    return TrimRight(std::wstring(buffer, length), L'\\');
}

StartResult StartAndWait(const std::wstring& application, const std::wstring& commandLine, size_t bufferUnits) {
    if (commandLine.size() + 1 > bufferUnits) {
        FrameworkMessageBox(FillFirstPlaceholder(kCommandLineTooLong, commandLine), MB_OK);
        return StartResult::TooLong;
    }
    // CreateProcessW may write into the command line, so it gets its own copy.
    std::vector<wchar_t> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back(L'\0');
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    // The program is named by its full path as the application, so nothing
    // is looked up through the search order (which starts beside Setup.exe).
    if (!CreateProcessW(application.c_str(), buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info)) {
        return StartResult::NotStarted;
    }
    unique_handle process(info.hProcess);
    unique_handle thread(info.hThread);
    WaitForSingleObject(process.get(), INFINITE);
    return StartResult::Ran;
}

int RunPassivePackage(const std::wstring& path, HWND page) {
    return RunPackageWith(path, page, L" -passive -norestart");
}

int RunQuietPackage(const std::wstring& path, HWND page) { return RunPackageWith(path, page, L" -q -norestart"); }

int RunMsiPackage(const std::wstring& path, HWND page) {
    PostNotice(page, WM_PACKAGE_STARTED);
    if (!LoadMsiLibrary() || !FileExists(path)) {
        ShowMsiFailure(path, false);
        return 0;
    }
    g_setInternalUI(kSilentUiLevel, nullptr);
    if (g_setExternalUI) g_setExternalUI(MsiUiHandler, kUiFilter, g_uiContext);
    UINT result = g_installProduct(path.c_str(), nullptr);
    if (result != ERROR_SUCCESS) {
        ShowMsiFailure(path, true);
        return 0;
    }
    PostNotice(page, WM_PACKAGE_FINISHED);
    return 1;
}

std::wstring ConfigurationToolCommandLine(const std::wstring& path) {
    const SetupState& state = State();
    return L"\"" + path + L"\" lang=" + ReplaceAll(state.LanguageLower, L"_", L"-") + L" TARGETDIR=\"" +
           state.TargetDir + L"\" PRODUCTNAME=\"" + state.ProductName + L"\" VERSION=" + state.Version +
           L" PLATFROM=" + (state.Is64BitPackage == 1 ? L"x64" : L"x86") + L" NUM=" + std::to_wstring(state.Num) +
           L" WorkspaceName=" + (state.Classic != 0 ? L"0" : L"1") + L" -q";
}

int RunConfigurationTool(const std::wstring& path, HWND) {
    SetupState& state = State();
    state.TargetDir = TrimRight(state.TargetDir, L'\\');
    if (!FileExists(path)) {
        ShowFileMissing(path);
        return 0;
    }
    return StartAndWait(path, ConfigurationToolCommandLine(path), kConfigurationBuffer) == StartResult::Ran ? 1 : 0;
}

int RunRegsvr32(const std::wstring& dllPath) {
    if (!FileExists(dllPath)) return 1;
    std::wstring regsvr32 = SystemFolder() + L"\\regsvr32.exe";
    return StartAndWait(regsvr32, L"regsvr32 \"" + dllPath + L"\" -s", kPathBuffer) == StartResult::Ran ? 1 : 0;
}

int RunProgram(const std::wstring& path, const std::wstring& arguments) {
    if (!FileExists(path)) return 1;
    return StartAndWait(path, L"\"" + path + L"\"" + arguments, kPathBuffer) == StartResult::Ran ? 1 : 0;
}

void ShowInstallFailure(const std::wstring& name) { ShowFailureNotice(name, Text::InstallFailed); }

void ShowRegisterFailure(const std::wstring& name) { ShowFailureNotice(name, Text::RegisterFailed); }

int WINAPI MsiUiHandler(LPVOID, UINT messageType, LPCWSTR message) {
    if (g_firstUiMessage) {
        // From here on Windows Installer may show its basic progress UI.
        if (g_setInternalUI) g_setInternalUI(INSTALLUILEVEL_BASIC, nullptr);
        g_firstUiMessage = false;
    }
    if (!message) return 0;
    UINT kind = messageType & 0xFF000000u;
    UINT flags = messageType & 0x00FFFFFFu;
    switch (kind) {
    case INSTALLMESSAGE_FATALEXIT:
        return MessageBoxW(nullptr, message, L"FatalError", flags);
    case INSTALLMESSAGE_ERROR:
        MessageBeep(flags & 0xF0);
        return MessageBoxExW(nullptr, message, L"Error", flags, g_errorLanguage);
    case INSTALLMESSAGE_WARNING:
        return MessageBoxW(nullptr, message, L"Warning", flags);
    case INSTALLMESSAGE_USER:
    case INSTALLMESSAGE_INFO:
    case INSTALLMESSAGE_OUTOFDISKSPACE:
    case INSTALLMESSAGE_ACTIONSTART:
    case INSTALLMESSAGE_ACTIONDATA:
    case INSTALLMESSAGE_PROGRESS:
    case INSTALLMESSAGE_INITIALIZE:
    case INSTALLMESSAGE_TERMINATE:
    case INSTALLMESSAGE_SHOWDIALOG:
        return IDOK;
    case INSTALLMESSAGE_COMMONDATA: {
        long field1 = -1, field2 = 0;
        if (RecordField(message, 1, field1) && field1 == 0 && RecordField(message, 2, field2)) {
            g_errorLanguage = static_cast<WORD>(field2);
        }
        return IDOK;
    }
    default:
        return 0;
    }
}

void ReleaseMsiLibrary() {
    if (g_msiModule) FreeLibrary(g_msiModule);
    g_msiModule = nullptr;
    g_setInternalUI = nullptr;
    g_setExternalUI = nullptr;
    g_installProduct = nullptr;
}
