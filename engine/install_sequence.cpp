#include "engine/install_sequence.h"

#include <objbase.h>
#include <shlobj.h>

#include <cwchar>
#include <exception>

#include "app/local_text.h"
#include "app/setup_record.h"
#include "app/setup_state.h"
#include "engine/install_log.h"
#include "engine/install_messages.h"
#include "engine/registration.h"
#include "engine/runners.h"
#include "framework/strings.h"
#include "framework/win_app.h"

namespace {

enum class Form { Interactive, Silent };

// How one run of the sequence reports: the interactive job shows a failure
// notice and posts WM_INSTALL_FAILED; the silent form only stops.
struct JobReport {
    Form form;
    HWND page;
    bool finalPosted = false;

    void Post(UINT message) {
        if (page) PostMessageW(page, message, 0, 0);
    }
    void Finish(UINT message) {
        Post(message);
        finalPosted = true;
    }
    bool Fail(const std::wstring& name, bool registerFailure = false) {
        if (form == Form::Interactive) {
            if (registerFailure) {
                ShowRegisterFailure(name);
            } else {
                ShowInstallFailure(name);
            }
            Finish(WM_INSTALL_FAILED);
        }
        return false;
    }
};

std::wstring CommonProgramFilesFolder() {
    wchar_t path[MAX_PATH] = {};
    // The 32-bit program on 64-bit Windows gets the "(x86)" folder for
    // CSIDL_PROGRAM_FILES_COMMON; the 64-bit build asks for that folder by name.
#ifdef _WIN64
    const int csidl = CSIDL_PROGRAM_FILES_COMMONX86;
#else
    const int csidl = CSIDL_PROGRAM_FILES_COMMON;
#endif
    if (FAILED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path))) return L"";
    return path;
}

bool PathExistsAsFile(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void WriteBackSelections(const std::wstring& iniPath) {
    const SetupState& state = State();
    for (size_t i = 0; i < state.Features.size(); ++i) {
        std::wstring section = L"sub" + std::to_wstring(i + 1);
        WritePrivateProfileStringW(section.c_str(), L"check", std::to_wstring(state.Features[i].Check).c_str(),
                                   iniPath.c_str());
    }
    if (state.InstallMode != Install) {
        WritePrivateProfileStringW(L"SETUP", L"CLASSIC", state.Classic != 0 ? L"1" : L"0", iniPath.c_str());
    }
}

// Every step of both forms; true when all of them were done.
bool RunSequence(JobReport& report, const std::wstring& setup) {
    const bool interactive = report.form == Form::Interactive;
    HWND page = report.page;
    const std::wstring msi = setup + L"\\Msi\\";
    const std::wstring files = setup + L"\\files\\";

    if (interactive) {
        report.Post(WM_INSTALL_STARTED);
        if (!WindowsInstallerRegistered() && !RunQuietPackage(msi + L"WindowsInstaller-KB893803-v2-x86.exe", page)) {
            return report.Fail(L"WindowsInstaller-KB893803-v2-x86.exe");
        }
    }
    // Read once: the configuration runner may change TargetDir, nothing else here does.
    const int is64Package = State().Is64BitPackage;
    const int is64System = State().Is64BitSystem;
    if (is64Package == 0 && !RunQuietPackage(msi + L"vcredist_x86_10.exe", page)) {
        return report.Fail(L"vcredist_x86_10.exe");
    }
    if (is64System == 1 && !RunQuietPackage(msi + L"vcredist_x64_10.exe", page)) {
        return report.Fail(L"vcredist_x64_10.exe");
    }
    if (is64Package == 1 && !RunMsiPackage(msi + L"msxml6_x64.msi", page)) return report.Fail(L"msxml6_x64.msi");
    if (is64Package == 0 && !RunMsiPackage(msi + L"msxml6.msi", page) && !interactive) return false;
    if (!RunPassivePackage(files + L"pelm_global.exe", page)) return report.Fail(L"pelm_global.exe");
    if (!RunPassivePackage(files + L"pelm_local.exe", page)) return report.Fail(L"pelm_local.exe");

    for (const FeatureRecord& feature : State().Features) {
        if (feature.Check != 1) continue;
        for (const std::wstring& entry : SplitFeaturePackages(feature.Package)) {
            if (IsExecutableEntry(entry)) {
                if (!RunPassivePackage(files + entry, page)) return report.Fail(entry);
            } else {
                RunMsiPackage(msi + entry, page);
            }
        }
    }

    if (!RunPassivePackage(files + L"pelm_help.exe", page)) return report.Fail(L"pelm_help.exe");
    if (!RunPassivePackage(files + L"pelm_encryption.exe", page)) return report.Fail(L"pelm_encryption.exe");
    if (interactive) report.Post(WM_PACKAGE_STARTED);

    const std::wstring target = State().TargetDir;
    CopyFileW((setup + L"\\Setup.exe").c_str(), (target + L"\\Setup.exe").c_str(), FALSE);
    CopyFileW((setup + L"\\IntallerRes.dll").c_str(), (target + L"\\IntallerRes.dll").c_str(), FALSE);
    CopyFileW((setup + L"\\PUninstall.exe").c_str(), (target + L"\\PUninstall").c_str(), FALSE);
    CopyFileW((setup + L"\\Setup.ini").c_str(), (target + L"\\Setup.ini").c_str(), FALSE);

    if (interactive && PathExistsAsFile(target + L"\\Setup.ini")) WriteBackSelections(target + L"\\Setup.ini");

    std::wstring common = CommonProgramFilesFolder();
    if (!common.empty()) {
        common += L"\\Orvanti\\";
        CreateDirectoryChain(common);
        std::wstring thumbnail = common + L"dwgthumb.dll";
        CopyFileW((target + L"\\dwgthumb.dll").c_str(), thumbnail.c_str(), FALSE);
        if (!RunRegsvr32(thumbnail)) return report.Fail(L"dwgthumb.dll", true);
    }

    const int num = State().Num;
    if ((interactive || num == 1 || num == 44) && !RunProgram(target + L"\\pelm.exe", L" -Regserver -nologo")) {
        return report.Fail(L"pelm.exe", true);
    }

    if (!interactive || State().InstallMode != Install) {
        const wchar_t* tool = is64Package == 1 ? L"WriteRegister_x64.exe" : L"WriteRegister.exe";
        if (!RunConfigurationTool(files + tool, page)) return report.Fail(tool);
    }

    if (interactive) RegisterInstallation();
    DeleteFileW((State().TargetDir + L"\\uninst.exe").c_str());
    if (interactive) {
        report.Post(WM_PACKAGE_FINISHED);
        report.Finish(WM_INSTALL_FINISHED);
    }
    return true;
}

bool IsDriveLetter(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); }

}  // namespace

std::vector<std::wstring> SplitFeaturePackages(const std::wstring& packageText) {
    std::vector<std::wstring> entries;
    std::wstring rest = packageText;
    for (;;) {
        size_t semicolon = rest.find(L';');
        if (semicolon == std::wstring::npos || semicolon == 0) {
            entries.push_back(rest);
            break;
        }
        entries.push_back(rest.substr(0, semicolon));
        rest = rest.substr(semicolon + 1);
        if (rest.empty()) break;
    }
    return entries;
}

bool IsExecutableEntry(const std::wstring& entry) { return EndsWith(entry, L".exe"); }

int SilentTargetDirError(const std::wstring& folder) {
    size_t rest = 0;
    if (folder.size() > 3 && IsDriveLetter(folder[0]) && folder[1] == L':' && folder[2] == L'\\') {
        rest = 3;
    } else if (folder.size() > 2 && folder[0] == L'\\' && folder[1] == L'\\') {
        // \\server\share: both parts must be there.
        size_t shareStart = folder.find(L'\\', 2);
        if (shareStart == std::wstring::npos || shareStart == 2 || shareStart + 1 >= folder.size()) return 2027;
        rest = 2;
    } else {
        return 2027;
    }
    for (size_t i = rest; i < folder.size(); ++i) {
        wchar_t c = folder[i];
        if (c < 0x20 || wcschr(L"/:*?\"<>|", c)) return 2028;
    }
    return 0;
}

bool WindowsInstallerRegistered() {
    CLSID clsid;
    return SUCCEEDED(CLSIDFromProgID(L"WindowsInstaller.Installer", &clsid));
}

void RunInstallJobFrom(HWND page, const std::wstring& setupFolder) {
    JobReport report{Form::Interactive, page};
    try {
        RunSequence(report, setupFolder);
    } catch (...) {
        // Exhausted memory or any other fault inside the job: the page must
        // not be left waiting for a final notice.
        if (!report.finalPosted) report.Finish(WM_INSTALL_FAILED);
    }
}

void RunInstallJob(HWND page) {
    try {
        RunInstallJobFrom(page, SetupFolder());
    } catch (...) {
        if (page) PostMessageW(page, WM_INSTALL_FAILED, 0, 0);
    }
}

int RunSilentInstallFrom(const CommandLineMap& commandLine, const std::wstring& setupFolder) {
    try {
        SetupState& state = State();
        auto target = commandLine.find(L"TARGETDIR");
        if (target != commandLine.end()) {
            // Checked before anything changes: a quote in the folder would
            // also break the configuration tool's command line.
            std::wstring folder = TargetDirFromCommandLine(target->second);
            int error = SilentTargetDirError(folder);
            if (error == 2027) {
                FrameworkMessageBox(LoadText(Text::PathInputError), MB_OK);
                return 0;
            }
            if (error == 2028) {
                FrameworkMessageBox(LoadText(Text::InvalidPathCharsWelcome), MB_OK);
                return 0;
            }
            state.TargetDir = folder;
        }
        auto num = commandLine.find(L"NUM");
        if (num != commandLine.end()) state.Num = _wtoi(num->second.c_str());
        WriteSetupRecord();
        JobReport report{Form::Silent, nullptr};
        return RunSequence(report, setupFolder) ? 1 : 0;
    } catch (...) {
        return 0;
    }
}

int RunSilentInstall(const CommandLineMap& commandLine) {
    try {
        return RunSilentInstallFrom(commandLine, SetupFolder());
    } catch (...) {
        return 0;
    }
}
