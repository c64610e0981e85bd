#include "wizard/flows.h"

#include <windows.h>

#include "app/local_text.h"
#include "app/path_checks.h"
#include "app/setup_state.h"
#include "framework/handles.h"
#include "framework/win_app.h"
#include "removal/uninstall.h"
#include "wizard/page_ids.h"
#include "wizard/pages.h"

const wchar_t* StepName(WizardStep step) {
    switch (step) {
    case WizardStep::Welcome: return L"Welcome";
    case WizardStep::License: return L"License";
    case WizardStep::Features: return L"Features";
    case WizardStep::StartCopy: return L"StartCopy";
    case WizardStep::Maintenance: return L"Maintenance";
    case WizardStep::CopyFiles: return L"CopyFiles";
    case WizardStep::Finish: return L"Finish";
    case WizardStep::Error: return L"Error";
    case WizardStep::QuickRemovalQuestion: return L"QuickRemovalQuestion";
    case WizardStep::RemoveProduct: return L"RemoveProduct";
    case WizardStep::UninstallFailedNotice: return L"UninstallFailedNotice";
    case WizardStep::End: return L"End";
    }
    return L"?";
}

namespace {
struct Transition {
    WizardStep Shown;
    int Result;
    WizardStep Next;
};

constexpr Transition kInstallTable[] = {
    {WizardStep::Welcome, kResultWelcomeNext, WizardStep::License},
    {WizardStep::Welcome, kResultWelcomeFeatures, WizardStep::Features},
    {WizardStep::Features, kResultNext, WizardStep::Welcome},
    {WizardStep::Features, kResultBack, WizardStep::Welcome},
    {WizardStep::License, kResultNext, WizardStep::StartCopy},
    {WizardStep::License, kResultBack, WizardStep::Welcome},
    {WizardStep::StartCopy, kResultNext, WizardStep::CopyFiles},
    {WizardStep::StartCopy, kResultBack, WizardStep::License},
    {WizardStep::CopyFiles, kResultSucceeded, WizardStep::Finish},
};

// The maintenance page's Next is decided by InstallMode (NextMaintenanceStep).
constexpr Transition kMaintenanceTable[] = {
    {WizardStep::Features, kResultNext, WizardStep::StartCopy},
    {WizardStep::Features, kResultBack, WizardStep::Maintenance},
    {WizardStep::StartCopy, kResultNext, WizardStep::CopyFiles},
    {WizardStep::StartCopy, kResultBack, WizardStep::Features},
    {WizardStep::CopyFiles, kResultSucceeded, WizardStep::Finish},
};

template <size_t N>
WizardStep Lookup(const Transition (&table)[N], WizardStep shown, int result) {
    if (shown == WizardStep::Finish || shown == WizardStep::Error) return WizardStep::End;
    for (const Transition& row : table) {
        if (row.Shown == shown && row.Result == result) return row.Next;
    }
    return WizardStep::Error;
}

bool IsPage(WizardStep step) {
    switch (step) {
    case WizardStep::Welcome:
    case WizardStep::License:
    case WizardStep::Features:
    case WizardStep::StartCopy:
    case WizardStep::Maintenance:
    case WizardStep::CopyFiles:
    case WizardStep::Finish:
    case WizardStep::Error: return true;
    default: return false;
    }
}
}  // namespace

WizardStep NextInstallStep(WizardStep shown, int result) { return Lookup(kInstallTable, shown, result); }

WizardStep NextMaintenanceStep(WizardStep shown, int result, int installMode) {
    if (shown == WizardStep::Maintenance) {
        if (result != kResultNext) return WizardStep::Error;
        if (installMode == Repair) return WizardStep::CopyFiles;
        if (installMode == Remove) return WizardStep::RemoveProduct;
        return WizardStep::Features;
    }
    return Lookup(kMaintenanceTable, shown, result);
}

void RunInstallFlowWith(const WizardStepRunner& run) {
    WizardStep step = WizardStep::Welcome;
    while (step != WizardStep::End) {
        int result = run(step);
        step = NextInstallStep(step, result);
    }
}

namespace {
// Removal after a Yes: the product's uninstaller takes over; no page follows.
void RemoveProductStep(const WizardStepRunner& run) {
    if (run(WizardStep::RemoveProduct) == 0) run(WizardStep::UninstallFailedNotice);
}
}  // namespace

void RunMaintenanceFlowWith(const WizardStepRunner& run, bool runningFromInstalledCopy) {
    if (runningFromInstalledCopy) {
        State().InstallMode = Remove;
        if (run(WizardStep::QuickRemovalQuestion) == IDYES) {
            RemoveProductStep(run);
        } else {
            run(WizardStep::Error);
        }
        return;
    }
    WizardStep step = WizardStep::Maintenance;
    while (step != WizardStep::End) {
        if (step == WizardStep::RemoveProduct) {
            RemoveProductStep(run);
            return;
        }
        int result = run(step);
        step = NextMaintenanceStep(step, result, State().InstallMode);
    }
}

bool IsRunningFromInstalledCopy(const std::wstring& setupFolder) {
    std::wstring logFile = setupFolder + L"\\install.log";
    if (PathExists(setupFolder + L"\\Msi")) return false;
    WIN32_FIND_DATAW data;
    unique_hfind find(FindFirstFileW(logFile.c_str(), &data));
    return static_cast<bool>(find);
}

int RunWizardStep(WizardStep step) {
    const std::wstring& productName = State().ProductName;
    switch (step) {
    case WizardStep::QuickRemovalQuestion: {
        std::wstring question = LoadText(Text::UninstallQuestion);
        return MessageBoxW(nullptr, question.c_str(), productName.c_str(), MB_YESNO);
    }
    case WizardStep::RemoveProduct: return UninstallProduct();
    case WizardStep::UninstallFailedNotice:
        FrameworkMessageBox(LoadText(Text::UninstallFailed), MB_OK);
        return 0;
    default: break;
    }
    return IsPage(step) ? RunPage(step) : kResultCancel;
}

void RunInstallFlow() { RunInstallFlowWith(RunWizardStep); }

void RunMaintenanceFlow() {
    RunMaintenanceFlowWith(RunWizardStep, IsRunningFromInstalledCopy(SetupFolder()));
}
