// Stand-in for the product's package executables (pelm_global.exe,
// pelm_local.exe, pelm_help.exe, pelm_encryption.exe and the feature packages
// pelm_express.exe and pelm_migrate.exe). It is not the product: each package
// writes a few small payload files that say what they are. Which payload a
// copy installs is chosen by its own file name.
//
// Started by the setup as `"<path>" -passive -norestart`, with no window. The
// target folder comes from the setup record ("path" under
// HKLM\SOFTWARE\Orvanti\Pelmora\Pelmora_Setup, 32-bit view), which the setup
// writes before any package runs. What a package writes is listed in
// <target>\packages.manifest for the uninstaller. The folders a package
// creates on the way to the target folder are recorded in <target>\install.log
// in the setup's own record format, so that removal finds the target folder
// and the log exists even after a silent installation (which logs little).
//
// Exit codes: 0 installed; 1603 no usable setup record, unknown package name,
// or a file that could not be written.
#include "medium/common/standin.h"

#include <windows.h>

#include <string>
#include <vector>

namespace {

constexpr int kInstalled = 0;
constexpr int kInstallFailure = 1603;

// Resource ids of the binaries that pelm_global.exe carries (package_global.rc).
constexpr int kProductProgramResource = 101;
constexpr int kThumbnailResource = 102;

struct PayloadFile {
    const wchar_t* RelativePath;  // below the target folder
    int Resource;                 // 0: a generated text file
};

struct Package {
    const wchar_t* Name;  // lower-case file name without extension
    std::vector<PayloadFile> Files;
};

const std::vector<Package>& Packages() {
    static const std::vector<Package> packages = {
        {L"pelm_global", {{L"pelm.exe", kProductProgramResource},
                          {L"dwgthumb.dll", kThumbnailResource},
                          {L"Support\\pelm_global.txt", 0}}},
        {L"pelm_local", {{L"Support\\Local\\pelm_local.txt", 0}}},
        {L"pelm_help", {{L"Help\\pelm_help.htm", 0}}},
        {L"pelm_encryption", {{L"Licensing\\pelm_encryption.txt", 0}}},
        {L"pelm_express", {{L"Express\\express_tools.txt", 0}}},
        {L"pelm_migrate", {{L"Migration\\migrate_tools.txt", 0}}},
    };
    return packages;
}

std::string GeneratedText(const std::wstring& package, const std::wstring& file) {
    return "Pelmora 2016 sample medium\r\n"
           "This file is the payload of the stand-in package " + standin::Narrow(package, CP_UTF8) +
           ".exe.\r\nIt stands for the product file " + standin::Narrow(file, CP_UTF8) +
           " and holds nothing else.\r\n";
}

bool ResourceBytes(int id, std::string& bytes) {
    HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(10 /* RT_RCDATA */));
    if (!found) return false;
    HGLOBAL loaded = LoadResource(nullptr, found);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data) return false;
    bytes.assign(static_cast<const char*>(data), SizeofResource(nullptr, found));
    return true;
}

bool InstallFile(const std::wstring& package, const std::wstring& target, const PayloadFile& file) {
    std::wstring path = target + L"\\" + file.RelativePath;
    std::vector<std::wstring> created;
    if (!standin::CreateFolderChain(standin::ParentFolder(path), created)) return false;
    for (const std::wstring& folder : created) standin::AddManifestEntry(target, true, folder);

    std::string bytes;
    if (file.Resource != 0) {
        if (!ResourceBytes(file.Resource, bytes)) return false;
    } else {
        bytes = GeneratedText(package, file.RelativePath);
    }
    // Recorded before writing, so that a half-written file is still removed.
    if (!standin::AddManifestEntry(target, false, path)) return false;
    return standin::WriteWholeFile(path, bytes);
}

int RunPackage() {
    const std::wstring name = standin::OwnBaseName();
    const Package* package = nullptr;
    for (const Package& candidate : Packages())
        if (name == candidate.Name) package = &candidate;
    if (!package) return kInstallFailure;

    const std::wstring target = standin::TargetFolderFromSetupRecord();
    if (target.empty()) return kInstallFailure;

    std::vector<std::wstring> created;
    if (!standin::CreateFolderChain(target, created)) return kInstallFailure;
    for (const std::wstring& folder : created) {
        standin::AppendInstallLogRecord(target, L"CreateDirectory: \"" + folder + L"\" (0)");
        standin::AppendInstallLogRecord(target, L"CreateDirectory: \"" + folder + L"\" created");
    }
    // The log must exist for removal even when every folder was there already.
    if (!standin::AppendToFile(target + L"\\" + standin::kInstallLogName, "")) return kInstallFailure;

    for (const PayloadFile& file : package->Files)
        if (!InstallFile(name, target, file)) return kInstallFailure;
    return kInstalled;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // "-passive" and "-norestart" need nothing: a package never shows more
    // than nothing and never restarts the machine.
    return RunPackage();
}
