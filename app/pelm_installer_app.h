// The application object of the setup program: start-up, the refusal checks
// and the choice of one road (install flow, maintenance flow, silent
// installation or silent removal).
#pragma once
#include "app/command_line.h"
#include "framework/win_app.h"

class CPelmInstallerApp : public CWinApp {
public:
    CPelmInstallerApp();
    ~CPelmInstallerApp() override;

    // Does the whole run and returns FALSE, so the program ends without a
    // message loop of its own; the outcome is left in m_exitCode.
    BOOL InitInstance() override;
    // Releases the Windows Installer library and restores the resource module.
    int ExitInstance() override;

    // Silent installation road: applies TARGETDIR and NUM from the command
    // line. 1 when every step was done, 0 when it stopped.
    int RunSilentInstall();

    CommandLineMap m_commandLine;

private:
    // Runs the chosen road and returns the process exit code.
    int RunRoad();
    // Shows a refusal in the framework's message box and sets the exit code.
    void Refuse(const std::wstring& text, int exitCode);
};

// The one application object of Setup.exe (defined beside wWinMain, so that
// tests linking the program's code can make their own).
extern CPelmInstallerApp theApp;
