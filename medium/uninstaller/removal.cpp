#include "medium/uninstaller/removal.h"

#include "framework/handles.h"
#include "medium/common/standin.h"

#include <windows.h>
#include <shlobj.h>

#include <algorithm>

namespace {

// Removal never waits on another program for longer than this.
constexpr DWORD kProgramTimeoutMs = 120000;
// A file in use (Setup.exe of the installed copy that started the removal is
// still ending) is tried again until this much time has been spent in total.
constexpr DWORD kRetryBudgetMs = 20000;

const wchar_t* const kSetupFiles[] = {L"Setup.exe", L"IntallerRes.dll", L"Setup.ini", L"PUninstall",
                                      L"install.log", standin::kManifestName};
// Folders below the target that the Windows Installer feature packages create
// and Windows Installer may leave behind empty.
const wchar_t* const kFeaturePackageFolders[] = {L"Samples", L"MigrationData"};
const wchar_t kUninstallKeyPrefix[] = L"software\\microsoft\\windows\\currentversion\\uninstall\\";

std::wstring SystemFolder() {
    wchar_t folder[MAX_PATH];
    UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    return length == 0 || length >= MAX_PATH ? std::wstring() : std::wstring(folder, length);
}

// Runs a command line and waits for it within the time limit. The program
// is named by its full path, so nothing beside the uninstaller is picked up.
bool RunAndWait(std::wstring commandLine) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    unique_handle processHandle(process.hProcess), threadHandle(process.hThread);
    return WaitForSingleObject(processHandle.get(), kProgramTimeoutMs) == WAIT_OBJECT_0;
}

class Remover {
public:
    Remover(const std::function<void(const std::wstring&)>& progress, RemovalReport& report)
        : m_progress(progress), m_report(report), m_retryUntil(GetTickCount() + kRetryBudgetMs) {}

    void Tell(const std::wstring& what) {
        if (m_progress) m_progress(what);
    }

    void DeleteFileNamed(const std::wstring& path) {
        if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) return;
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        for (;;) {
            if (DeleteFileW(path.c_str())) return;
            DWORD error = GetLastError();
            if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return;
            bool inUse = error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION;
            if (!inUse || static_cast<LONG>(GetTickCount() - m_retryUntil) >= 0) break;
            Sleep(250);
        }
        m_report.Leftovers.push_back(path);
    }

    // Removes the folder only when it is empty; a missing folder is fine.
    void RemoveEmptyFolder(const std::wstring& path) { RemoveDirectoryW(path.c_str()); }

    void DeleteKeyTree(const std::wstring& key) {
        if (!standin::DeleteMachineTree(key.c_str())) m_report.Leftovers.push_back(L"HKEY_LOCAL_MACHINE\\" + key);
    }

private:
    const std::function<void(const std::wstring&)>& m_progress;
    RemovalReport& m_report;
    DWORD m_retryUntil;
};

void RemoveFeaturePackages(Remover& remover) {
    using QueryProductState = int(WINAPI*)(const wchar_t*);
    unique_hmodule msi(LoadLibraryExW(L"msi.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
    auto queryState = reinterpret_cast<QueryProductState>(
        reinterpret_cast<void*>(GetProcAddress(msi.get(), "MsiQueryProductStateW")));
    const std::wstring msiexec = SystemFolder() + L"\\msiexec.exe";
    for (const wchar_t* productCode : {standin::kCompanionProductCode, standin::kMigrationProductCode}) {
        constexpr int kInstalledState = 5;  // INSTALLSTATE_DEFAULT
        if (queryState && queryState(productCode) != kInstalledState) continue;
        remover.Tell(std::wstring(L"Windows Installer package ") + productCode);
        RunAndWait(L"\"" + msiexec + L"\" /x " + productCode + L" /qn REBOOT=ReallySuppress");
    }
}

void RemoveSharedThumbnail(Remover& remover) {
    wchar_t common[MAX_PATH];
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_PROGRAM_FILES_COMMONX86, nullptr, SHGFP_TYPE_CURRENT, common))) return;
    const std::wstring dll = std::wstring(common) + L"\\Orvanti\\dwgthumb.dll";
    if (!standin::FileExists(dll)) return;
    remover.Tell(dll);
    RunAndWait(L"\"" + SystemFolder() + L"\\regsvr32.exe\" /u /s \"" + dll + L"\"");
    remover.DeleteFileNamed(dll);
}

void RemoveRegistryValues(const InstallLogRecords& records, Remover& remover) {
    std::vector<std::wstring> keys;
    for (const LoggedRegistryValue& value : records.RegistryValues) {
        unique_hkey key;
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, value.Key.c_str(), 0, KEY_SET_VALUE | KEY_WOW64_32KEY, key.put()) ==
            ERROR_SUCCESS)
            RegDeleteValueW(key.get(), value.Name.c_str());
        if (std::find(keys.begin(), keys.end(), value.Key) == keys.end()) keys.push_back(value.Key);
    }
    for (const std::wstring& key : keys) {
        remover.Tell(L"HKEY_LOCAL_MACHINE\\" + key);
        std::wstring lower = standin::Lower(key);
        // The product's own "Uninstall" entry goes entirely; any other logged
        // key only when nothing but the logged values was in it.
        if (lower.rfind(kUninstallKeyPrefix, 0) == 0 && lower.size() > std::size(kUninstallKeyPrefix) - 1)
            remover.DeleteKeyTree(key);
        else
            standin::DeleteMachineKeyIfEmpty(key.c_str());
    }
}

}  // namespace

std::wstring FindTargetFolder(const InstallLogRecords& records) {
    for (const std::wstring& file : records.WrittenFiles) {
        std::wstring folder = standin::ParentFolder(file);
        if (standin::IsAbsoluteFolder(folder)) return folder;
    }
    for (const LoggedRegistryValue& value : records.RegistryValues) {
        std::wstring folder = value.Data;
        while (!folder.empty() && folder.back() == L'\\') folder.pop_back();
        if (value.Name == L"InstallLocation" && standin::IsAbsoluteFolder(folder)) return folder;
    }
    return standin::TargetFolderFromSetupRecord();
}

RemovalReport RemoveInstallation(const InstallLogRecords& records,
                                 const std::function<void(const std::wstring&)>& progress) {
    RemovalReport report;
    Remover remover(progress, report);
    const std::wstring target = FindTargetFolder(records);
    report.TargetFolder = target;

    RemoveFeaturePackages(remover);
    if (!target.empty() && standin::FileExists(target + L"\\pelm.exe")) {
        remover.Tell(target + L"\\pelm.exe -UnRegserver");
        RunAndWait(L"\"" + target + L"\\pelm.exe\" -UnRegserver -nologo");
    }
    RemoveSharedThumbnail(remover);

    for (const std::wstring& link : records.Shortcuts) {
        remover.Tell(link);
        remover.DeleteFileNamed(link);
    }
    RemoveRegistryValues(records, remover);

    std::vector<std::wstring> packageFolders;
    if (!target.empty()) {
        for (const standin::ManifestEntry& entry : standin::ReadManifest(target + L"\\" + standin::kManifestName)) {
            // A manifest names only what a package put into the target folder;
            // anything else in it is not ours to delete.
            if (!standin::IsInside(entry.Path, target)) continue;
            if (entry.IsFolder) {
                packageFolders.push_back(entry.Path);
            } else {
                remover.Tell(entry.Path);
                remover.DeleteFileNamed(entry.Path);
            }
        }
        for (const wchar_t* name : kSetupFiles) {
            remover.Tell(target + L"\\" + name);
            remover.DeleteFileNamed(target + L"\\" + name);
        }
    }
    for (const std::wstring& file : records.WrittenFiles)
        if (!target.empty() && standin::IsInside(file, target)) remover.DeleteFileNamed(file);

    remover.Tell(L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Orvanti");
    remover.DeleteKeyTree(standin::kSetupRecordKey);
    remover.DeleteKeyTree(standin::kProductKey);
    standin::DeleteMachineKeyIfEmpty(L"SOFTWARE\\Orvanti\\Pelmora");
    standin::DeleteMachineKeyIfEmpty(L"SOFTWARE\\Orvanti");

    for (auto folder = packageFolders.rbegin(); folder != packageFolders.rend(); ++folder)
        remover.RemoveEmptyFolder(*folder);
    // Only folders known to be the product's: the target may be a folder
    // that also held empty folders of someone else's.
    if (!target.empty()) {
        for (const wchar_t* name : kFeaturePackageFolders) remover.RemoveEmptyFolder(target + L"\\" + name);
        remover.RemoveEmptyFolder(target);
    }
    for (auto folder = records.CreatedFolders.rbegin(); folder != records.CreatedFolders.rend(); ++folder)
        remover.RemoveEmptyFolder(*folder);
    if (!target.empty() && standin::FolderExists(target)) report.Leftovers.push_back(target);
    return report;
}
