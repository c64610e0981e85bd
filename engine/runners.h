// Runners for the programs and packages the installation is carried out by:
// each starts its program with a fixed command line and waits for it, and
// the package runners report their start and end to the progress page.
// Results: 1 success, 0 failure. Exit codes of started programs are never read.
#pragma once
#include <windows.h>
#include <string>

// "<path>" -passive -norestart. Posts WM_PACKAGE_STARTED first, and
// WM_PACKAGE_FINISHED once the program has run. A missing file shows text 2005.
int RunPassivePackage(const std::wstring& path, HWND page);
// "<path>" -q -norestart, with the same notices.
int RunQuietPackage(const std::wstring& path, HWND page);
// Installs a Windows Installer package without user interface; 1 only when
// Windows Installer reports 0 (a pending restart, 3010, counts as failure).
int RunMsiPackage(const std::wstring& path, HWND page);
// The product's configuration tool with the properties of the setup state.
// Removes trailing backslashes from State().TargetDir first. No notices.
int RunConfigurationTool(const std::wstring& path, HWND page);
// regsvr32 "<dll>" -s. 1 also when the DLL does not exist (nothing is run);
// 0 only when regsvr32 could not be started.
int RunRegsvr32(const std::wstring& dllPath);
// "<path>" followed by `arguments` (which bring their own leading blank).
// 1 also when the program does not exist; 0 only when it could not be started.
int RunProgram(const std::wstring& path, const std::wstring& arguments);

// The two failure notices: "<name>,<text 2033>" and "<name>,<text 2017>",
// error icon, system-modal and top-most, caption ProductName.
void ShowInstallFailure(const std::wstring& name);
void ShowRegisterFailure(const std::wstring& name);

// The external UI handler installed for every Windows Installer run.
int WINAPI MsiUiHandler(LPVOID context, UINT messageType, LPCWSTR message);

// msi.dll stays loaded from its first use until the application exits.
void ReleaseMsiLibrary();

// The system folder (where regsvr32.exe and msiexec.exe are taken from),
// without trailing backslash.
std::wstring SystemFolder();

// How a start-and-wait ended.
enum class StartResult {
    Ran,          // started, and it has ended
    NotStarted,   // the system could not start it
    TooLong,      // the command line does not fit its buffer; nothing was run
};

// The one routine every runner starts its program with: `application` is the
// full path of the program, `commandLine` the exact text it receives, and
// `bufferUnits` the room for it including the terminator. Waits without time
// limit for the program to end. A command line that does not fit is shown to
// the user (in a framework message box) and not run.
StartResult StartAndWait(const std::wstring& application, const std::wstring& commandLine, size_t bufferUnits);

// The text of the configuration tool's command line for `path` (after the
// state's TargetDir lost its trailing backslashes).
std::wstring ConfigurationToolCommandLine(const std::wstring& path);
