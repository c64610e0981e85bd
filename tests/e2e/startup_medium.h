// A medium laid out by a start-up test: a copy of the real Setup.exe (and,
// unless told otherwise, IntallerRes.dll) in a scratch folder, with the
// Setup.ini the test writes, run through the test driver.
#pragma once
#include <windows.h>

#include <string>

#include "tests/common/test_paths.h"
#include "tests/driver/driver.h"

class StartupMedium {
public:
    explicit StartupMedium(bool withLibrary = true) {
        CopyFileW((BinDir() + L"\\Setup.exe").c_str(), (m_folder / L"Setup.exe").c_str(), FALSE);
        if (withLibrary) {
            CopyFileW((BinDir() + L"\\IntallerRes.dll").c_str(), (m_folder / L"IntallerRes.dll").c_str(), FALSE);
        }
    }
    const std::wstring& Folder() const { return m_folder.Path(); }
    std::wstring SetupPath() const { return m_folder / L"Setup.exe"; }
    bool WriteIni(const std::string& content) const { return WriteFileBytes(m_folder / L"Setup.ini", content); }

    // The quoted program path followed by `arguments`, as a shell would start it.
    std::wstring CommandLine(const std::wstring& arguments = L"") const {
        return L"\"" + SetupPath() + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
    }

    driver::RunResult Run(const std::wstring& arguments, driver::RunOptions options = {}) const {
        if (options.TimeoutMs == 60000) options.TimeoutMs = 90000;
        return driver::RunAnswering(CommandLine(arguments), options);
    }

private:
    ScratchFolder m_folder{L"medium"};
};

// The stub program (tests/app) copied to `path`; it records its command line
// in "<path>.calls" and sleeps for sleep-ms=N.
inline bool PlaceStubProgram(const std::wstring& path) {
    return CopyFileW((BuildDir() + L"\\tests\\stub_program.exe").c_str(), path.c_str(), FALSE) != FALSE;
}
