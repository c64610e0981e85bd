// The copy-files page: runs the install job on CInstallThread, moves the bar
// on its notices, shows a slideshow, and rolls back a failed installation.
#pragma once
#include <windows.h>

#include "controls/label_ex.h"
#include "controls/my_progress_ctrl.h"
#include "controls/soft_bitmap_button.h"
#include "wizard/page_base.h"

class CInstallThread;

class CPelmCopyFilesDlg : public CPelmPage {
public:
    CPelmCopyFilesDlg();
    ~CPelmCopyFilesDlg() override;

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnCommand(UINT id, UINT code) override;
    void OnTimer(UINT_PTR id) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    int StepTotal() const { return m_stepTotal; }
    int CurrentStep() const { return m_currentStep; }

private:
    void StartInstallThread();
    void OnPackageFinished();
    // The last notice of the job: fill the bar, stop the slideshow, let the
    // thread end, and end the page with `result`.
    void OnInstallEnded(bool failed);

    CLabelEx m_link;
    CSoftBitmapButton m_cancelButton;
    int m_stepTotal = 0;
    int m_currentStep = 0;
    // Not owned: the thread object deletes itself when its thread ends, so
    // after WM_QUIT only the id is used (and not even that).
    CInstallThread* m_installThread = nullptr;
    DWORD m_installThreadId = 0;
    bool m_installRunning = false;
    int m_slideshowFrame = 1;
    CLabelEx m_label1032;
    CLabelEx m_label1033;
    CMyProgressCtrl m_progress;
};

// The slideshow frame after `frame` (1..6, wrapping) and its bitmap id.
int NextSlideshowFrame(int frame);
int SlideshowBitmap(int frame);
// The bar position after one more finished package; wraps when the estimate was low.
int NextProgressStep(int current, int total);
