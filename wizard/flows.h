// The two page flows of the wizard: loops over page results. Each page is a
// separate modal dialog; what passes from page to page lives in State().
#pragma once
#include <functional>
#include <string>

// A page of the wizard, or one of the few non-page steps of the flows.
enum class WizardStep {
    Welcome,
    License,
    Features,
    StartCopy,
    Maintenance,
    CopyFiles,
    Finish,
    Error,
    QuickRemovalQuestion,  // Yes/No box without a page; returns IDYES or IDNO
    RemoveProduct,         // UninstallProduct(); returns its result
    UninstallFailedNotice, // text 2013 in the plain message box
    End,
};

const wchar_t* StepName(WizardStep step);

// The transition tables. A result a page does not produce in its row leads
// to the error page, like Cancel; the finish and error pages end the flow.
WizardStep NextInstallStep(WizardStep shown, int result);
WizardStep NextMaintenanceStep(WizardStep shown, int result, int installMode);

// Runs one step and returns its result. The flows call nothing else, so a
// scripted runner can drive every row of both tables.
using WizardStepRunner = std::function<int(WizardStep)>;
int RunWizardStep(WizardStep step);

void RunInstallFlow();
void RunMaintenanceFlow();
void RunInstallFlowWith(const WizardStepRunner& run);
void RunMaintenanceFlowWith(const WizardStepRunner& run, bool runningFromInstalledCopy);

// True when `setupFolder` holds an "install.log" and no "Msi" folder: the
// program runs from the copy an installation left in the product folder.
bool IsRunningFromInstalledCopy(const std::wstring& setupFolder);
