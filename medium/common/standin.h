// Helpers shared by the stand-in programs of the sample medium: the names the
// setup and the stand-ins agree on, the 32-bit registry view, the packages'
// manifest and the install log format. The stand-ins are separate programs and
// do not link the setup's own code.
#pragma once
#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace standin {

// The setup record, written by the setup before any package runs: "path" is
// the target folder that every package installs into.
inline constexpr wchar_t kSetupRecordKey[] = L"SOFTWARE\\Orvanti\\Pelmora\\Pelmora_Setup";
inline constexpr wchar_t kSetupRecordPath[] = L"path";
// The product's own keys: the configuration tool writes below "Config".
inline constexpr wchar_t kProductKey[] = L"SOFTWARE\\Orvanti\\Pelmora\\2016";
inline constexpr wchar_t kConfigKey[] = L"SOFTWARE\\Orvanti\\Pelmora\\2016\\Config";
// Where the prerequisite stand-ins record their runs. Prerequisites stay on a
// machine when the product is removed, so nothing removes this key.
inline constexpr wchar_t kPrerequisiteKey[] = L"SOFTWARE\\Orvanti Sample Medium\\Prerequisites";

// What the packages installed, one entry a line, kept in the target folder.
inline constexpr wchar_t kManifestName[] = L"packages.manifest";
// One line per run of the configuration tool, kept in the target folder.
inline constexpr wchar_t kConfigurationRunsName[] = L"WriteRegister.runs";
inline constexpr wchar_t kInstallLogName[] = L"install.log";

// COM classes of the stand-ins.
inline constexpr wchar_t kProductClsid[] = L"{6E1F4A2B-3C5D-4E7F-8A9B-0C1D2E3F4A5B}";
inline constexpr wchar_t kProductProgId[] = L"Pelmora.Application.16";
inline constexpr wchar_t kProductProgIdIndependent[] = L"Pelmora.Application";
inline constexpr wchar_t kThumbnailClsid[] = L"{B3E2D1C0-9F8E-4D7C-B6A5-948372615041}";

// Windows Installer packages of the medium whose product codes the uninstaller knows.
inline constexpr wchar_t kCompanionProductCode[] = L"{5A0C9E21-7B3D-4F60-9C18-2E4D6B8A0F37}";
inline constexpr wchar_t kMigrationProductCode[] = L"{C4A7E3D2-1B6F-4A8E-9D2C-7F3B5E1A9C64}";

// This program's full path, folder (no trailing backslash) and lower-case
// file name without extension.
std::wstring OwnPath();
std::wstring OwnFolder();
std::wstring OwnBaseName();

std::wstring Lower(std::wstring_view text);
bool EndsWithNoCase(std::wstring_view text, std::wstring_view suffix);
std::wstring ParentFolder(std::wstring_view path);
bool FileExists(const std::wstring& path);
bool FolderExists(const std::wstring& path);
// "C:\..." with at least one component below the root (no drive roots, no
// relative paths, none of the characters that Windows refuses in names).
bool IsAbsoluteFolder(std::wstring_view path);
// `path` lies strictly inside `folder` (compared without regard to case).
bool IsInside(std::wstring_view path, std::wstring_view folder);

std::string Narrow(std::wstring_view text, UINT codePage);
std::wstring Widen(std::string_view text, UINT codePage);

bool WriteWholeFile(const std::wstring& path, std::string_view bytes);
bool ReadWholeFile(const std::wstring& path, std::string& bytes);
bool AppendToFile(const std::wstring& path, std::string_view bytes);

// Registry under HKEY_LOCAL_MACHINE, always in the 32-bit view (the setup is
// a 32-bit program and everything it reads lives there).
bool ReadMachineString(const wchar_t* key, const wchar_t* name, std::wstring& value);
bool WriteMachineString(const wchar_t* key, const wchar_t* name, const std::wstring& value);
bool WriteMachineDword(const wchar_t* key, const wchar_t* name, DWORD value);
bool ReadMachineDword(const wchar_t* key, const wchar_t* name, DWORD& value);
bool MachineKeyExists(const wchar_t* key);
// Removes the key with everything below it; a missing key counts as removed.
bool DeleteMachineTree(const wchar_t* key);
// Removes the key only when it holds no values and no subkeys.
bool DeleteMachineKeyIfEmpty(const wchar_t* key);

// The target folder named by the setup record, without trailing backslash;
// empty when there is no usable record.
std::wstring TargetFolderFromSetupRecord();

// Creates every missing folder of `folder` (no trailing backslash) and
// returns those it created, outermost first. False when one cannot be made.
bool CreateFolderChain(const std::wstring& folder, std::vector<std::wstring>& created);

// packages.manifest: "F <path>" for a file and "D <path>" for a folder that a
// package created, in UTF-8. Entries are added once.
struct ManifestEntry {
    bool IsFolder = false;
    std::wstring Path;
};
bool AddManifestEntry(const std::wstring& target, bool isFolder, const std::wstring& path);
std::vector<ManifestEntry> ReadManifest(const std::wstring& manifestPath);

// Appends one record to <target>\install.log in the setup's own format:
// CR CR LF, then the text in the ANSI code page.
bool AppendInstallLogRecord(const std::wstring& target, std::wstring_view text);

// Arguments of the command line, quotes removed (CommandLineToArgvW rules),
// without the program name.
std::vector<std::wstring> Arguments();

}  // namespace standin
