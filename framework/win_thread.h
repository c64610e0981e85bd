// A user-interface thread: a thread with its own message queue and loop.
// Thread messages (posted to the thread id) go to OnThreadMessage; window
// messages are dispatched as usual. The object deletes itself when its
// thread ends unless m_bAutoDelete is cleared.
#pragma once
#include <windows.h>
#include <new>

class CWinThread {
public:
    CWinThread();
    virtual ~CWinThread();
    CWinThread(const CWinThread&) = delete;
    CWinThread& operator=(const CWinThread&) = delete;

    // Runs on the new thread before its loop; FALSE ends the thread at once.
    virtual BOOL InitInstance();
    // Runs on the thread after its loop; the result is the thread's exit code.
    virtual int ExitInstance();
    // The message loop; ends on WM_QUIT.
    virtual int Run();
    // A message posted to the thread rather than to a window. TRUE: handled.
    virtual BOOL OnThreadMessage(UINT message, WPARAM wParam, LPARAM lParam);

    // Starts the thread. Unless `flags` holds CREATE_SUSPENDED, returns only
    // once the thread's queue exists and InitInstance has run, so messages
    // may be posted to m_nThreadID at once. FALSE when the thread could not
    // start or InitInstance refused; the object is then still the caller's.
    BOOL CreateThread(DWORD flags = 0, unsigned stackSize = 0, int priority = THREAD_PRIORITY_NORMAL);

    HANDLE m_hThread = nullptr;   // owned by the object, closed when it is destroyed
    DWORD m_nThreadID = 0;
    BOOL m_bAutoDelete = TRUE;

private:
    static unsigned __stdcall ThreadMain(void* self);
    HANDLE m_started = nullptr;   // set once InitInstance has run
    BOOL m_initResult = FALSE;
    bool m_creatorWaits = false;
};

// Creates a T (derived from CWinThread) and starts its thread. Returns null
// when the object or the thread cannot be made or InitInstance refused.
// With auto-delete on, the object may be gone once its thread received
// WM_QUIT: keep m_nThreadID, not the pointer, for talking to it after that.
template <class T>
T* BeginUiThread(int priority = THREAD_PRIORITY_NORMAL, unsigned stackSize = 0, DWORD flags = 0) {
    T* thread = new (std::nothrow) T();
    if (!thread) return nullptr;
    if (!thread->CreateThread(flags, stackSize, priority)) {
        delete thread;
        return nullptr;
    }
    return thread;
}
