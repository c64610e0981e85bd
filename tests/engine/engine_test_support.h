// What the engine tests share: a watcher that reads and answers the message
// boxes of this process, a hidden window that collects the page notices, a
// medium laid out from fixture programs, and the recorder's log.
#pragma once
#include <windows.h>

#include <atomic>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "app/setup_state.h"
#include "tests/common/test_paths.h"

// build/<arch>/tests/fixtures, as a Windows path.
std::wstring FixtureDir();
std::wstring FixturePath(const std::wstring& name);

struct SeenBox {
    std::wstring Caption;
    std::wstring Text;
    bool TopMost = false;
};

// Answers every message box of this process (its first button, which is the
// OK button of an OK box) and keeps what it showed. Boxes block the thread
// that shows them, so answering must come from another thread.
class BoxWatcher {
public:
    BoxWatcher();
    ~BoxWatcher();
    std::vector<SeenBox> Boxes() const;
    void Clear();

private:
    void Watch();
    mutable std::mutex m_mutex;
    std::vector<SeenBox> m_boxes;
    std::vector<HWND> m_answered;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

// A hidden window that records the page notices posted to it, in order.
class NoticeCollector {
public:
    NoticeCollector();
    ~NoticeCollector();
    HWND Window() const { return m_window; }
    // Serves this thread's queue for `milliseconds` or until `last` arrived.
    void PumpUntil(UINT last, DWORD milliseconds);
    // Serves the queue until it is empty.
    void Drain();
    const std::vector<UINT>& Notices() const { return m_notices; }
    int Count(UINT message) const;
    void Clear() { m_notices.clear(); }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND m_window = nullptr;
    std::vector<UINT> m_notices;
};

// Short names of the notices, for readable failure output.
std::wstring NoticeNames(const std::vector<UINT>& notices);

// One line of the recorder's log: the command line as the program got it and
// the folder the program ran from.
struct RecordedRun {
    std::wstring CommandLine;
    std::wstring Folder;
};

// Points RECORDER_LOG at a fresh file for the fixtures this test starts.
class RecorderLog {
public:
    explicit RecorderLog(const std::wstring& path);
    ~RecorderLog();
    std::vector<RecordedRun> Runs() const;
    std::vector<std::wstring> CommandLines() const;
    // Waits (up to `milliseconds`) until at least `count` runs are recorded.
    bool WaitForRuns(size_t count, DWORD milliseconds) const;

private:
    std::wstring m_path;
};

// A medium in a scratch folder: Setup.exe, IntallerRes.dll, Setup.ini and
// PUninstall.exe beside Msi\ and files\ holding recorder copies under the
// names the sequence runs. `exitCodes` gives some programs a non-zero exit.
class FixtureMedium {
public:
    FixtureMedium();
    const std::wstring& Folder() const { return m_scratch.Path(); }
    std::wstring Msi(const std::wstring& name) const { return Folder() + L"\\Msi\\" + name; }
    std::wstring Files(const std::wstring& name) const { return Folder() + L"\\files\\" + name; }
    // Copies a fixture (recorder.exe, fixture_ok.msi, ...) to a path.
    static void Place(const std::wstring& fixture, const std::wstring& path);
    static void SetExitCode(const std::wstring& program, int code);

private:
    ScratchFolder m_scratch{L"medium"};
};

// Restores the setup state a test changed.
class StateRestorer {
public:
    StateRestorer() : m_saved(State()) {}
    ~StateRestorer() { State() = m_saved; }

private:
    SetupState m_saved;
};

// The lines of a file written as install.log (records split at CR CR LF).
std::vector<std::wstring> LogRecords(const std::wstring& path);

// Converts the UTF-8 text the fixtures write.
std::wstring FromUtf8(const std::string& text);
