#include "wizard/copy_files_dlg.h"

#include "engine/install_messages.h"
#include "engine/install_thread.h"
#include "framework/win_thread.h"
#include "removal/uninstall.h"
#include "wizard/page_ids.h"
#include "wizard/progress_steps.h"

int NextSlideshowFrame(int frame) { return frame >= kSlideshowFrames ? 1 : frame + 1; }

int SlideshowBitmap(int frame) { return IDB_FINISH_MAINTENANCE + frame; }

int NextProgressStep(int current, int total) { return total > 0 ? (current + 1) % total : 0; }

CPelmCopyFilesDlg::CPelmCopyFilesDlg() : CPelmPage(IDD_COPY_FILES) {}

CPelmCopyFilesDlg::~CPelmCopyFilesDlg() = default;

void CPelmCopyFilesDlg::DoDataExchange(CDataExchange* dx) {
    DDX_Control(dx, IDC_REQUIREMENT_LINK, m_link);
    DDX_Control(dx, IDCANCEL, m_cancelButton);
    DDX_Control(dx, IDC_LABEL_1032, m_label1032);
    DDX_Control(dx, IDC_LABEL_1033, m_label1033);
    DDX_Control(dx, IDC_PROGRESS, m_progress);
}

BOOL CPelmCopyFilesDlg::OnInitDialog() {
    InitPage(IDB_SLIDESHOW_FIRST);
    SetTimer(kSlideshowTimer, kSlideshowPeriodMs);
    m_label1032.SetTextColor(RGB(255, 255, 255));
    m_label1033.SetTextColor(RGB(255, 255, 255));
    m_cancelButton.LoadBitmaps(IDB_CANCEL_LARGE[0], IDB_CANCEL_LARGE[1], IDB_CANCEL_LARGE[2]);
    SetUpLinkLabel(m_link);

    m_progress.ShowWindow(SW_SHOW);
    m_stepTotal = CopyFilesStepTotal(CurrentProgressFacts(), State().Features);
    m_progress.SetRange(0, m_stepTotal);
    m_currentStep = 1;
    m_progress.SetPos(1);
    m_progress.SetBackgroundColor(RGB(58, 58, 58));
    m_progress.SetBarColor(RGB(252, 200, 15));

    StartInstallThread();
    return TRUE;
}

void CPelmCopyFilesDlg::StartInstallThread() {
    m_installThread = BeginUiThread<CInstallThread>(THREAD_PRIORITY_NORMAL, 0, 0);
    if (!m_installThread) {
        // Nothing was installed and nothing will report back: without this
        // the page would wait for ever, as Cancel does not end it.
        KillTimer(kSlideshowTimer);
        EndDialog(kResultCancel);
        return;
    }
    m_installThreadId = m_installThread->m_nThreadID;
    m_installRunning = true;
    ::PostThreadMessageW(m_installThreadId, WM_INSTALL_RUN, 0, reinterpret_cast<LPARAM>(m_hWnd));
}

LRESULT CPelmCopyFilesDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INSTALL_STARTED:
    case WM_PACKAGE_STARTED: return 0;
    case WM_PACKAGE_FINISHED: OnPackageFinished(); return 0;
    case WM_INSTALL_FINISHED: OnInstallEnded(false); return 0;
    case WM_INSTALL_FAILED: OnInstallEnded(true); return 0;
    default: return CPelmPage::WindowProc(message, wParam, lParam);
    }
}

void CPelmCopyFilesDlg::OnPackageFinished() {
    m_currentStep = NextProgressStep(m_currentStep, m_stepTotal);
    m_progress.SetPos(m_currentStep);
}

void CPelmCopyFilesDlg::OnInstallEnded(bool failed) {
    m_currentStep = m_stepTotal;
    m_progress.SetPos(m_stepTotal);
    KillTimer(kSlideshowTimer);
    if (m_installThread) ::PostThreadMessageW(m_installThreadId, WM_QUIT, 0, 0);
    m_installRunning = false;
    m_installThread = nullptr;
    if (failed) RollBackFailedInstall();
    EndDialog(failed ? kResultCancel : kResultSucceeded);
}

void CPelmCopyFilesDlg::OnTimer(UINT_PTR id) {
    if (id == kSlideshowTimer) {
        m_slideshowFrame = NextSlideshowFrame(m_slideshowFrame);
        SetBackground(static_cast<UINT>(SlideshowBitmap(m_slideshowFrame)), BackgroundStretch);
    }
    Invalidate(TRUE);
    CPelmPage::OnTimer(id);
}

BOOL CPelmCopyFilesDlg::OnCommand(UINT id, UINT code) {
    if (id == IDCANCEL) {
        // The installation cannot be stopped half-way; Cancel only nudges the
        // thread (suspend and resume) and the page stays.
        if (m_installRunning && m_installThread) {
            ::SuspendThread(m_installThread->m_hThread);
            ::ResumeThread(m_installThread->m_hThread);
        }
        return TRUE;
    }
    if (code == BN_CLICKED && id == IDC_REQUIREMENT_LINK) {
        ShowRequirementPage(*this, m_link);
        return TRUE;
    }
    return CPelmPage::OnCommand(id, code);
}
