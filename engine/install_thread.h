// The install thread of an interactive installation. The copy-files page
// starts it with BeginUiThread<CInstallThread>(), posts WM_INSTALL_RUN with
// its own window as lParam to m_nThreadID, and posts WM_QUIT once the job's
// last notice (WM_INSTALL_FINISHED or WM_INSTALL_FAILED) has arrived. The
// object deletes itself when the thread ends.
#pragma once
#include "framework/win_thread.h"

class CInstallThread : public CWinThread {
public:
    CInstallThread();
    ~CInstallThread() override;

    BOOL InitInstance() override;
    int ExitInstance() override;
    BOOL OnThreadMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Runs the whole job synchronously; the queue waits meanwhile.
    void OnInstallRun(WPARAM wParam, LPARAM lParam);
};
