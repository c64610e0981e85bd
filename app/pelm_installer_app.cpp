#include "app/pelm_installer_app.h"

#include "app/exit_codes.h"
#include "app/local_text.h"
#include "app/road_choice.h"
#include "app/setup_ini.h"
#include "app/setup_state.h"
#include "app/startup_checks.h"
#include "engine/install_sequence.h"
#include "engine/runners.h"
#include "framework/handles.h"
#include "framework/module.h"
#include "removal/uninstall.h"
#include "wizard/flows.h"

#include <commctrl.h>
#include <ole2.h>

namespace {

// Shell controls in our dialogs need no manager object of their own (the
// pages use no shell list or tree controls); the object marks the place in
// start-up where one lives for the whole run.
class CShellManager {
public:
    CShellManager() = default;
    CShellManager(const CShellManager&) = delete;
    CShellManager& operator=(const CShellManager&) = delete;
};

// OLE for the pages' browser control and the shell links, for the whole run
// of the main thread.
class OleSession {
public:
    OleSession() : m_ok(SUCCEEDED(OleInitialize(nullptr))) {}
    ~OleSession() {
        if (m_ok) OleUninitialize();
    }
    OleSession(const OleSession&) = delete;
    OleSession& operator=(const OleSession&) = delete;

private:
    bool m_ok;
};

// Rich edit 2.0 stays loaded for the whole process (the licence page's
// control class lives in it).
void InitRichEdit2() {
    static HMODULE richEdit = LoadSystemLibrary(L"riched20.dll");
    (void)richEdit;
}

void InitCommonControlClasses() {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_WIN95_CLASSES;
    InitCommonControlsEx(&controls);
}

void ReleaseFeatures(SetupState& state) {
    state.Features.clear();
    state.Features.shrink_to_fit();
    state.FeatureCount = 0;
}

}  // namespace

CPelmInstallerApp::CPelmInstallerApp() { m_restartManagerSupport = 1; }

CPelmInstallerApp::~CPelmInstallerApp() = default;

void CPelmInstallerApp::Refuse(const std::wstring& text, int exitCode) {
    FrameworkMessageBox(text, MB_OK);
    m_exitCode = exitCode;
}

BOOL CPelmInstallerApp::InitInstance() {
    SetupState& state = State();
    m_exitCode = kExitFailure;

    InitRichEdit2();
    InitCommonControlClasses();
    OleSession ole;

    // Every dialog template, bitmap, icon and string of the pages comes from
    // the resource library; a missing library leaves texts at their defaults.
    state.SavedResourceModule = ResourceModule();
    if (HMODULE library = LoadResourceLibrary()) SetResourceModule(library);

    [[maybe_unused]] CShellManager shellManager;

    SYSTEM_INFO system{};
    GetNativeSystemInfo(&system);
    state.Is64BitSystem = Is64BitArchitecture(system.wProcessorArchitecture);

    if (!IsElevated()) {
        Refuse(LoadText(Text::NotElevated), kExitFailure);
        return FALSE;
    }

    unique_handle mutex(CreateMutexW(nullptr, TRUE, LoadText(Text::MutexName).c_str()));
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        mutex.reset();
        Refuse(LoadText(Text::AnotherInstance), kExitAnotherInstance);
        return FALSE;
    }

    if (FindRunningProduct() != 0) {
        Refuse(LoadText(Text::ProductRunning), kExitFailure);
        return FALSE;
    }

    if (!ReadSetupIni()) {
        Refuse(kNoSetupIniText, kExitFailure);
        return FALSE;
    }

    DetectInstalledProduct();

    if (const TextDef* refusal =
            BitnessRefusal(state.Is64BitSystem, state.Is64BitPackage, state.Installed, state.InstalledIs64)) {
        Refuse(LoadText(*refusal), kExitFailure);
        ReleaseFeatures(state);
        return FALSE;
    }

    ParseCommandLine(GetCommandLineW(), m_commandLine);
    m_exitCode = RunRoad();

    ReleaseFeatures(state);
    return FALSE;
}

int CPelmInstallerApp::RunRoad() {
    SetupState& state = State();
    switch (ChooseRoad(m_commandLine, state.Installed)) {
    case Road::SilentUninstall: {
        auto target = m_commandLine.find(L"TARGETDIR");
        if (target != m_commandLine.end()) state.TargetDir = TargetDirFromCommandLine(target->second);
        return UninstallProduct() ? kExitSuccess : kExitFailure;
    }
    case Road::SilentInstall:
        return RunSilentInstall() ? kExitSuccess : kExitFailure;
    case Road::MaintenanceFlow:
        RunMaintenanceFlow();
        return kExitSuccess;
    case Road::InstallFlow:
        RunInstallFlow();
        return kExitSuccess;
    }
    return kExitFailure;
}

int CPelmInstallerApp::ExitInstance() {
    // The package runners load msi.dll on first use and keep it for the run.
    ReleaseMsiLibrary();
    SetResourceModule(State().SavedResourceModule);
    return CWinApp::ExitInstance();
}

int CPelmInstallerApp::RunSilentInstall() { return ::RunSilentInstall(m_commandLine); }
