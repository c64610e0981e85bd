#include "removal/uninstall.h"

#include <windows.h>
#include <shellapi.h>

#include "app/setup_state.h"
#include "engine/runners.h"

namespace {

constexpr const wchar_t* kCompanionProductCode = L"{5A0C9E21-7B3D-4F60-9C18-2E4D6B8A0F37}";
constexpr size_t kPathBuffer = 260;

bool OpenWithShell(const std::wstring& file, const wchar_t* parameters) {
    HINSTANCE result = ShellExecuteW(nullptr, L"open", file.c_str(), parameters, nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(result) > 32;
}

}  // namespace

std::wstring CreateUniqueFolder(const std::wstring& parent) {
    // The shared temporary folder is writable by other programs of the user;
    // a folder made afresh here holds only what removal puts into it, so no
    // planted library can sit beside the (elevated) uninstaller.
    DWORD seed = GetTickCount() ^ (GetCurrentProcessId() << 16);
    for (DWORD attempt = 0; attempt < 1000; ++attempt) {
        wchar_t name[32];
        swprintf(name, 32, L"PUninstall.%08lX", static_cast<unsigned long>(seed + attempt * 7919u));
        std::wstring folder = parent + name;
        if (CreateDirectoryW(folder.c_str(), nullptr)) return folder;
        if (GetLastError() != ERROR_ALREADY_EXISTS) return L"";
    }
    return L"";
}

int UninstallProduct() {
    const std::wstring target = State().TargetDir;
    if (!RunProgram(target + L"\\pelm.exe", L" -UnRegserver -nologo")) ShowRegisterFailure(L"pelm.exe");

    std::wstring removeCompanion = std::wstring(L"msiexec ") + L" -x" + L" " + kCompanionProductCode + L" -q";
    // Neither a failed start nor a failure of msiexec stops the removal, and
    // a command line that does not fit is refused inside StartAndWait.
    StartAndWait(SystemFolder() + L"\\msiexec.exe", removeCompanion, kPathBuffer);

    wchar_t temp[MAX_PATH + 1] = {};
    DWORD length = GetTempPathW(MAX_PATH + 1, temp);
    if (length == 0 || length > MAX_PATH) return 0;
    std::wstring folder = CreateUniqueFolder(temp);
    if (folder.empty()) return 0;
    std::wstring uninstaller = folder + L"\\PUninstall.exe";
    if (!CopyFileW((target + L"\\PUninstall").c_str(), uninstaller.c_str(), FALSE)) return 0;
    if (!CopyFileW((target + L"\\install.log").c_str(), (folder + L"\\install.log").c_str(), FALSE)) return 0;
    if (!CopyFileW((target + L"\\IntallerRes.dll").c_str(), (folder + L"\\IntallerRes.dll").c_str(), FALSE)) return 0;
    return OpenWithShell(uninstaller, L"/norestart") ? 1 : 0;
}

int RollBackFailedInstallFrom(const std::wstring& setupFolder) {
    if (!CopyFileW((State().TargetDir + L"\\install.log").c_str(), (setupFolder + L"\\install.log").c_str(), FALSE)) {
        return 0;
    }
    return OpenWithShell(setupFolder + L"\\PUninstall.exe", L"/quiet /norestart") ? 1 : 0;
}

int RollBackFailedInstall() { return RollBackFailedInstallFrom(SetupFolder()); }
