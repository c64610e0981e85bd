#include "wizard/pages.h"

#include "wizard/complete_error_dlg.h"
#include "wizard/copy_files_dlg.h"
#include "wizard/feature_dlg.h"
#include "wizard/finish_dlg.h"
#include "wizard/license_dlg.h"
#include "wizard/page_ids.h"
#include "wizard/start_copy_dlg.h"
#include "wizard/welcome_dlg.h"
#include "wizard/welcome_maint_dlg.h"

namespace {
template <class Page>
int RunModal() {
    Page page;
    // A page that cannot be created (-1: its template is missing) counts as Cancel.
    return static_cast<int>(page.DoModal());
}
}  // namespace

int RunPage(WizardStep page) {
    switch (page) {
    case WizardStep::Welcome: return RunModal<CPelmWelcomeDlg>();
    case WizardStep::License: return RunModal<CPelmLicenseDlg>();
    case WizardStep::Features: return RunModal<CPelmFeatureDlg>();
    case WizardStep::StartCopy: return RunModal<CPelmStartCopyDlg>();
    case WizardStep::Maintenance: return RunModal<CPelmWelcomeMaintDlg>();
    case WizardStep::CopyFiles: return RunModal<CPelmCopyFilesDlg>();
    case WizardStep::Finish: return RunModal<CPelmFinishDlg>();
    case WizardStep::Error: return RunModal<CPelmCompleteErrorDlg>();
    default: return kResultCancel;
    }
}
