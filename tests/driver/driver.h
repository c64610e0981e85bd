// The test driver: runs a Windows program under test, watches its top-level
// windows, reads and answers its message boxes and dialogs, and reports its
// exit code. Every wait has a time limit; nothing waits on an unanswered box.
//
// Link the static library `setup_driver` (C++ API below) or use the command
// line program build/<arch>/bin/driver.exe from scripts:
//
//   driver.exe [--timeout SECONDS] [--answer OK|Yes|No|Cancel|Retry|Ignore|Abort|<id>]...
//              [--cwd FOLDER] [--descendants] -- <command line as it is given to CreateProcess>
//
//   Everything after " -- " is passed on verbatim. Each message box is printed
//   as   box: <caption> | <text>   (line feeds in the text as \n), and answered
//   with the next --answer in order; a box beyond the given answers is answered
//   with its default button and reported as "box unanswered-by-script". Other
//   windows are reported once as   window: <class> | <text>. Finally it prints
//   exit: <code> and exits with the program's exit code; on timeout it kills
//   the program, prints "timeout" and exits with kDriverTimeoutExit; when the
//   program cannot be started it exits with kDriverStartFailedExit.
//
// A typical end-to-end test:
//
//   driver::RunOptions options;
//   options.Answers = {IDOK};
//   driver::RunResult run = driver::RunAnswering(L"\"C:\\m\\Setup.exe\" quiet=1", options);
//   ASSERT_TRUE(run.Exited);
//   EXPECT_EQ(run.ExitCode, 1603u);
//   ASSERT_EQ(run.Boxes.size(), 1u);
//   EXPECT_EQ(run.Boxes[0].Caption, L"Setup");
//
// For a wizard, drive the process step by step:
//
//   driver::Process setup = driver::Process::Start(commandLine, folder);
//   HWND page = setup.WaitForWindow(L"Pelmora2016", 10000);   // by window text
//   driver::ClickButton(page, 1001);
//   ...
//   DWORD code = 0;
//   setup.WaitForExit(30000, &code);        // false on timeout
//   // the Process destructor kills a program that is still running
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace driver {

inline constexpr int kDriverTimeoutExit = 3258;       // driver.exe: the program did not end in time
inline constexpr int kDriverStartFailedExit = 3257;   // driver.exe: the program could not be started

// --- Windows of a process -------------------------------------------------

struct MessageBoxInfo {
    HWND Window = nullptr;
    std::wstring Caption;
    std::wstring Text;
    int AnsweredWith = 0;          // button id the box was answered with (RunAnswering)
    bool AnsweredByDefault = false; // true when the script had no answer left
};

// Window text, read with WM_GETTEXT (works across processes; edit controls included).
std::wstring WindowText(HWND window);
std::wstring ClassName(HWND window);

// A message box: a "#32770" dialog that holds a static text with id 0xFFFF.
bool IsMessageBox(HWND window);
MessageBoxInfo ReadMessageBox(HWND box);

// Default push button id of a dialog (DM_GETDEFID when it names an existing
// button, else the BS_DEFPUSHBUTTON child), or 0.
int DefaultButton(HWND dialog);

// Answers a message box or dialog with the given button id (IDOK, IDYES, ...):
// posts WM_COMMAND/BN_CLICKED for that id to the dialog. False when the
// dialog has no such button.
bool AnswerDialog(HWND dialog, int buttonId);

// Controls of a dialog by id.
HWND FindControl(HWND dialog, int id);
std::wstring ControlText(HWND dialog, int id);
bool IsControlVisible(HWND dialog, int id);
bool IsControlEnabled(HWND dialog, int id);
bool SetControlText(HWND dialog, int id, const std::wstring& text);   // WM_SETTEXT
bool ClickButton(HWND dialog, int id);                                 // posted BN_CLICKED
bool IsButtonChecked(HWND dialog, int id);                             // BM_GETCHECK

// Closes a window as the title bar's close button does (WM_SYSCOMMAND SC_CLOSE).
void CloseWindowLikeUser(HWND window);
// Posts WM_CLOSE.
void PostClose(HWND window);

// Writes a 24-bit .bmp of the window as it is on the screen (the window may
// be covered), or of the whole screen when `window` is null.
bool SaveScreenshot(HWND window, const std::wstring& bmpPath);

// --- Processes ------------------------------------------------------------

struct StartOptions {
    std::wstring WorkingFolder;                 // empty: the driver's own
    std::vector<std::wstring> ExtraEnvironment; // "NAME=value" entries added to (or replacing in) the driver's environment
};

class Process {
public:
    Process() = default;
    ~Process();  // kills the program if it is still running
    Process(Process&& other) noexcept;
    Process& operator=(Process&& other) noexcept;
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    // Starts a command line (program path included, quoted as CreateProcess
    // wants it). Check Started(); LastError() tells why it did not.
    static Process Start(const std::wstring& commandLine, const StartOptions& options = {});
    static Process Start(const std::wstring& commandLine, const std::wstring& workingFolder);

    bool Started() const { return m_process != nullptr; }
    DWORD LastError() const { return m_error; }
    DWORD Id() const { return m_id; }
    HANDLE Handle() const { return m_process; }
    bool Running() const;

    // Waits up to `timeoutMs` for the program to end; false on timeout.
    bool WaitForExit(DWORD timeoutMs, DWORD* exitCode = nullptr);
    // Terminates the program (and waits up to 5 s for it to be gone).
    void Kill();

    // Visible top-level windows of the program (and, with `descendants`, of
    // the programs it started), in no particular order.
    std::vector<HWND> Windows(bool descendants = false) const;

    // Waits for a visible top-level window of the program that satisfies
    // `match`; null on timeout or when the program ended first.
    HWND WaitForWindowMatching(const std::function<bool(HWND)>& match, DWORD timeoutMs,
                               bool descendants = false) const;
    // ... whose window text equals `text` (any dialog, message boxes included).
    HWND WaitForWindow(const std::wstring& text, DWORD timeoutMs, bool descendants = false) const;
    // ... that is a message box.
    HWND WaitForMessageBox(DWORD timeoutMs, bool descendants = false) const;

private:
    HANDLE m_process = nullptr;
    HANDLE m_thread = nullptr;
    DWORD m_id = 0;
    DWORD m_error = 0;
    void Close();
};

// Ids of the running processes started (directly or not) by `rootId`, root included.
std::vector<DWORD> ProcessTree(DWORD rootId);

// Visible top-level windows of any process by id (the test's own included).
std::vector<HWND> WindowsOfProcess(DWORD processId);

// Answers the message boxes of the current process from a background thread,
// for unit tests of code that shows a box on the calling thread. Boxes get the
// given answers in order, then their default button.
class InProcessBoxAnswerer {
public:
    explicit InProcessBoxAnswerer(std::vector<int> answers = {});
    ~InProcessBoxAnswerer();  // stops the thread
    InProcessBoxAnswerer(const InProcessBoxAnswerer&) = delete;
    InProcessBoxAnswerer& operator=(const InProcessBoxAnswerer&) = delete;

    // The boxes answered so far (copy, safe to call at any time).
    std::vector<MessageBoxInfo> Boxes() const;

    struct Shared;  // state shared with the answering thread

private:
    Shared* m_shared;
    HANDLE m_thread;
};

// --- A whole scripted run -------------------------------------------------

struct RunOptions {
    std::vector<int> Answers;        // button ids for the message boxes, in order
    DWORD TimeoutMs = 60000;         // for the whole run
    StartOptions Start;
    bool Descendants = false;        // also watch programs started by the program
    // Windows that are not message boxes: called once for each new one; when
    // null they are only recorded.
    std::function<void(HWND)> OnOtherWindow;
    // Called for each message box before it is answered (e.g. to start a
    // second program while the first waits at its box).
    std::function<void(const MessageBoxInfo&)> OnMessageBox;
};

struct RunResult {
    bool Started = false;
    bool Exited = false;       // false: timed out and killed
    DWORD ExitCode = 0;
    std::vector<MessageBoxInfo> Boxes;
    std::vector<std::wstring> OtherWindows;   // "<class> | <text>" of each other window seen
};

// Starts `commandLine`, answers its message boxes in order (a box beyond the
// answers gets its default button), and waits for the exit.
RunResult RunAnswering(const std::wstring& commandLine, const RunOptions& options = {});

// "IDOK" style names for reports: OK, Cancel, Yes, No, ... or the number.
std::wstring ButtonName(int id);
// The inverse, for command lines: OK, Yes, No, Cancel, Retry, Ignore, Abort
// (any case) or a decimal id; 0 when not recognised.
int ButtonIdFromName(const std::wstring& name);

}  // namespace driver
