// The refusal checks of start-up: rights, the running product, the installed
// product and the bitness combinations. What Wine cannot vary (an old Windows,
// a refused token, a 32-bit system) is decided by small functions that take
// the facts as arguments; the functions that ask Windows stay thin.
#pragma once
#include <windows.h>
#include <string>

#include "app/local_text.h"
#include "app/setup_state.h"

// Name of the product's own program; compared exactly, case included.
inline constexpr const wchar_t* kProductProcessName = L"pelm.exe";

// Folder of the system's list of installed programs (HKLM, 32-bit view).
inline constexpr const wchar_t* kUninstallKeyRoot = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

// 1 when the process may install software, else 0.
int IsElevated();
// 1 when the process token holds the built-in administrators group, else 0.
int IsMemberOfAdministrators();
// Process id of a running "pelm.exe", or 0.
DWORD FindRunningProduct();
// Process id of the first running process whose executable file name equals
// `exeName` exactly (case-sensitive), or 0.
DWORD FindProcessByExactName(const std::wstring& exeName);

// Sets Installed, InstalledIs64, InstallMode and TargetDir of State() from the
// product's "Uninstall" entry.
void DetectInstalledProduct();
void DetectInstalledProductInto(SetupState& state);

// Name of the product's "Uninstall" entry below kUninstallKeyRoot, e.g. Pelmora2016_zh_cn.
std::wstring UninstallEntryName(const SetupState& state);

// --- Decisions from facts -------------------------------------------------

// Elevation: from Windows 6.0 on, the token's elevation flag decides; before
// that, membership of the administrators group is enough. `elevationQueried`
// is false when the token query failed or did not return the 4-byte record.
int ElevationVerdict(DWORD majorVersion, DWORD minorVersion, bool elevationQueried,
                     DWORD tokenIsElevated, int memberOfAdministrators);

// 1 for AMD64 (9) and IA64 (6), else 0.
int Is64BitArchitecture(WORD processorArchitecture);

// The bitness refusal after the installed product has been looked up; null
// when the combination may run.
const TextDef* BitnessRefusal(int is64BitSystem, int is64BitPackage, int installed, int installedIs64);

// A registry value as the installed-product lookup accepts it: a string type
// (REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ) whose terminator lies inside the
// returned data. `bytes` is what the registry returned. On success `text`
// holds the characters before the first terminator.
bool StringFromRegistryData(DWORD type, const BYTE* data, DWORD bytes, std::wstring& text);

// Reads a string value with room for `roomBytes` bytes, terminator included;
// false when the value is missing, not a string, unterminated or too long.
bool ReadRegistryString(HKEY key, const wchar_t* name, DWORD roomBytes, std::wstring& text);
