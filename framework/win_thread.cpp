#include "framework/win_thread.h"

#include <process.h>

CWinThread::CWinThread() = default;

CWinThread::~CWinThread() {
    if (m_hThread) CloseHandle(m_hThread);
    if (m_started) CloseHandle(m_started);
}

BOOL CWinThread::InitInstance() { return TRUE; }

int CWinThread::ExitInstance() { return 0; }

BOOL CWinThread::OnThreadMessage(UINT, WPARAM, LPARAM) { return FALSE; }

int CWinThread::Run() {
    MSG msg;
    for (;;) {
        BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) break;        // WM_QUIT
        if (got == -1) break;       // the queue is gone; nothing more can arrive
        if (msg.hwnd == nullptr) {
            OnThreadMessage(msg.message, msg.wParam, msg.lParam);
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return ExitInstance();
}

unsigned __stdcall CWinThread::ThreadMain(void* self) {
    auto* thread = static_cast<CWinThread*>(self);
    // Makes the queue exist before the creator is told the thread is ready,
    // so a message posted to the thread id right after start is not lost.
    MSG msg;
    PeekMessageW(&msg, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
    thread->m_initResult = thread->InitInstance();
    // After this the creator may delete the object when InitInstance
    // refused: nothing of it may be touched on that path.
    BOOL started = thread->m_initResult;
    HANDLE startedEvent = thread->m_started;
    if (!started) {
        int code = thread->ExitInstance();
        // A creator that waits deletes the object itself; one that started
        // the thread suspended has already gone and cannot.
        if (!thread->m_creatorWaits && thread->m_bAutoDelete) {
            delete thread;
            return static_cast<unsigned>(code);
        }
        SetEvent(startedEvent);
        return static_cast<unsigned>(code);
    }
    SetEvent(startedEvent);
    int code = thread->Run();
    if (thread->m_bAutoDelete) delete thread;
    return static_cast<unsigned>(code);
}

BOOL CWinThread::CreateThread(DWORD flags, unsigned stackSize, int priority) {
    if (m_hThread) return FALSE;
    m_started = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (!m_started) return FALSE;
    unsigned id = 0;
    // Suspended first, so the priority is set before the thread runs any code.
    uintptr_t handle = _beginthreadex(nullptr, stackSize, &CWinThread::ThreadMain, this, CREATE_SUSPENDED, &id);
    if (handle == 0) return FALSE;
    m_hThread = reinterpret_cast<HANDLE>(handle);
    m_nThreadID = id;
    SetThreadPriority(m_hThread, priority);
    m_creatorWaits = !(flags & CREATE_SUSPENDED);
    if (!m_creatorWaits) return TRUE;
    ResumeThread(m_hThread);
    // The started event outlives this wait: the thread signals it before its
    // loop, and it is closed by the destructor on whichever side deletes.
    HANDLE waits[2] = {m_started, m_hThread};
    DWORD which = WaitForMultipleObjects(2, waits, FALSE, INFINITE);
    if (which != WAIT_OBJECT_0 || !m_initResult) {
        // InitInstance refused (or the thread died early): wait for it to end
        // so the caller may delete the object safely.
        WaitForSingleObject(m_hThread, INFINITE);
        return FALSE;
    }
    return TRUE;
}
