// The application object of the setup program.
#pragma once
#include "app/command_line.h"
#include "framework/win_app.h"

class CPelmInstallerApp : public CWinApp {
public:
    CPelmInstallerApp();
    ~CPelmInstallerApp() override;

    BOOL InitInstance() override;
    int ExitInstance() override;

    // Silent installation road: applies TARGETDIR and NUM from the command line.
    int RunSilentInstall();

    CommandLineMap m_commandLine;
};

extern CPelmInstallerApp theApp;
