// What the tests of the sample medium share: where the laid-out medium is,
// running its programs with exact command lines, and a setup record that
// points the packages at a scratch folder and is put back afterwards.
#pragma once
#include "medium/common/standin.h"
#include "tests/common/test_paths.h"
#include "tests/driver/driver.h"

#include <windows.h>
#include <tlhelp32.h>

#include <set>
#include <string>
#include <vector>

inline std::wstring MediumDir() { return BuildDir() + L"\\medium"; }
inline std::wstring MediumFile(const std::wstring& relative) { return MediumDir() + L"\\" + relative; }

struct ProgramRun {
    bool Ended = false;
    DWORD ExitCode = 0;
};

// Runs a command line as given to CreateProcess and waits for it.
inline ProgramRun RunCommand(const std::wstring& commandLine, DWORD timeoutMs = 60000) {
    ProgramRun run;
    driver::Process process = driver::Process::Start(commandLine);
    if (!process.Started()) return run;
    run.Ended = process.WaitForExit(timeoutMs, &run.ExitCode);
    return run;
}

// Points the setup record ("path") at a folder for the life of the object and
// then restores what was there (the tests share one Wine prefix).
class SetupRecordScope {
public:
    explicit SetupRecordScope(const std::wstring& path) {
        m_hadKey = standin::MachineKeyExists(standin::kSetupRecordKey);
        m_hadPath = standin::ReadMachineString(standin::kSetupRecordKey, standin::kSetupRecordPath, m_oldPath);
        Set(path);
    }
    ~SetupRecordScope() {
        if (m_hadPath) standin::WriteMachineString(standin::kSetupRecordKey, standin::kSetupRecordPath, m_oldPath);
        else if (m_hadKey) standin::WriteMachineString(standin::kSetupRecordKey, standin::kSetupRecordPath, L"");
        else standin::DeleteMachineTree(standin::kSetupRecordKey);
    }
    SetupRecordScope(const SetupRecordScope&) = delete;
    SetupRecordScope& operator=(const SetupRecordScope&) = delete;

    void Set(const std::wstring& path) {
        standin::WriteMachineString(standin::kSetupRecordKey, standin::kSetupRecordPath, path);
    }

private:
    bool m_hadKey = false, m_hadPath = false;
    std::wstring m_oldPath;
};

// Ids of the running processes with this file name (case ignored).
inline std::vector<DWORD> ProcessesNamed(const std::wstring& image) {
    std::vector<DWORD> ids;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return ids;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry))
        if (lstrcmpiW(entry.szExeFile, image.c_str()) == 0) ids.push_back(entry.th32ProcessID);
    CloseHandle(snapshot);
    return ids;
}

// For programs that another program started and left running (the setup's
// uninstaller): answers their message boxes with the default button until
// none of them runs. `appearMs`: how long to wait for one to show up at all.
struct LeftRunning {
    bool Seen = false;
    bool Ended = false;  // false: still running when the time was up
    std::vector<driver::MessageBoxInfo> Boxes;
    std::vector<std::wstring> OtherWindows;  // "<class> | <text>"
};

inline LeftRunning AnswerUntilEnded(const std::wstring& image, DWORD timeoutMs, DWORD appearMs) {
    LeftRunning result;
    std::set<HWND> reported;
    for (const DWORD start = GetTickCount();; Sleep(100)) {
        std::vector<DWORD> ids = ProcessesNamed(image);
        if (!ids.empty()) result.Seen = true;
        if (ids.empty() && (result.Seen || GetTickCount() - start >= appearMs)) {
            result.Ended = true;
            return result;
        }
        if (GetTickCount() - start >= timeoutMs) return result;
        for (DWORD id : ids) {
            for (HWND window : driver::WindowsOfProcess(id)) {
                if (!reported.insert(window).second) continue;
                if (driver::IsMessageBox(window)) {
                    driver::MessageBoxInfo box = driver::ReadMessageBox(window);
                    int button = driver::DefaultButton(window);
                    box.AnsweredWith = button ? button : IDOK;
                    driver::AnswerDialog(window, box.AnsweredWith);
                    result.Boxes.push_back(box);
                } else {
                    result.OtherWindows.push_back(driver::ClassName(window) + L" | " + driver::WindowText(window));
                }
            }
        }
    }
}
