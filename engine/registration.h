// The product's "Uninstall" entry, its shortcuts, and their install.log records.
#pragma once
#include <string>

// Folder kinds of CreateShortcut.
inline constexpr int kShortcutDesktop = 0;   // all users' desktop
inline constexpr int kShortcutPrograms = 2;  // all users' Start-menu programs\<company>\<product>

// Key below HKEY_LOCAL_MACHINE (32-bit view): ...\Uninstall\<ProductName>_<LanguageLower>.
std::wstring UninstallKeyPath();

// Writes the Uninstall entry, its eight log records, the five shortcuts and
// the two records of the uninstaller copy. A key that cannot be opened or
// created shows text 2003 and nothing else happens.
void RegisterInstallation();

// Saves "<folder>\<name>.lnk" pointing to `targetFile`, with the target's
// folder as working directory. 1 when the file was saved (and logged), else 0.
int CreateShortcut(const std::wstring& name, const std::wstring& targetFile, int folderKind);
