#include "app/pelm_installer_app.h"

#include "engine/install_sequence.h"

CPelmInstallerApp theApp;

CPelmInstallerApp::CPelmInstallerApp() { m_restartManagerSupport = 1; }

CPelmInstallerApp::~CPelmInstallerApp() = default;

BOOL CPelmInstallerApp::InitInstance() { return FALSE; }

int CPelmInstallerApp::ExitInstance() { return CWinApp::ExitInstance(); }

int CPelmInstallerApp::RunSilentInstall() { return ::RunSilentInstall(m_commandLine); }
