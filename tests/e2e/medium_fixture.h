// What the tests of the sample medium share: where the laid-out medium is,
// running its programs with exact command lines, and a setup record that
// points the packages at a scratch folder and is put back afterwards.
#pragma once
#include "medium/common/standin.h"
#include "tests/common/test_paths.h"
#include "tests/driver/driver.h"

#include <windows.h>

#include <string>

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
