#include "engine/install_thread.h"

#include "engine/install_messages.h"
#include "engine/install_sequence.h"

CInstallThread::CInstallThread() = default;

CInstallThread::~CInstallThread() = default;

BOOL CInstallThread::InitInstance() { return TRUE; }

int CInstallThread::ExitInstance() { return CWinThread::ExitInstance(); }

BOOL CInstallThread::OnThreadMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INSTALL_RUN) {
        OnInstallRun(wParam, lParam);
        return TRUE;
    }
    return CWinThread::OnThreadMessage(message, wParam, lParam);
}

void CInstallThread::OnInstallRun(WPARAM, LPARAM lParam) { RunInstallJob(reinterpret_cast<HWND>(lParam)); }
