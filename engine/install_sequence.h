// The install sequence: the interactive job and its silent form.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

#include "app/command_line.h"

// Interactive job, run on the install thread; reports to `page` with posted
// notices and ends with exactly one of WM_INSTALL_FINISHED or WM_INSTALL_FAILED.
void RunInstallJob(HWND page);

// Silent form, run on the main thread: 1 when every step was done, 0 when it
// stopped (a refused TARGETDIR included).
int RunSilentInstall(const CommandLineMap& commandLine);

// The same two forms with the medium's folder given (RunInstallJob and
// RunSilentInstall pass the folder of the running setup program).
void RunInstallJobFrom(HWND page, const std::wstring& setupFolder);
int RunSilentInstallFrom(const CommandLineMap& commandLine, const std::wstring& setupFolder);

// The entries of a feature's ";"-separated package text, consumed from the
// left: no ";" or one at the very start makes the rest one last entry; a
// final ";" ends the walk. Entries are not trimmed; "" gives one empty entry.
std::vector<std::wstring> SplitFeaturePackages(const std::wstring& packageText);

// A feature entry is run as a program only when it ends in ".exe" exactly
// (case-sensitive); every other entry goes to Windows Installer.
bool IsExecutableEntry(const std::wstring& entry);

// 0 when `folder` (a TARGETDIR value as TargetDirFromCommandLine returns it) is an absolute folder path
// usable as installation folder; else the id of the text that refuses it:
// 2027 when it is not an absolute path below a drive or a network share,
// 2028 when a character / : * ? " < > | (or a control character) follows
// the drive part.
int SilentTargetDirError(const std::wstring& folder);

// The Windows Installer update runs only when its programmatic identifier
// does not resolve to a class.
bool WindowsInstallerRegistered();
