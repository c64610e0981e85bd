// What the wizard's end-to-end tests share: a medium laid out in a scratch
// folder from build/<arch>/medium, an installed product faked or cleaned up
// around a test, and a running Setup.exe whose pages are found by their
// window texts, clicked by control id and photographed.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "tests/common/test_paths.h"
#include "tests/driver/driver.h"

namespace wizard_e2e {

// Window texts of the pages (the templates' captions).
inline constexpr wchar_t kWelcome[] = L"Pelmora 2016 Setup - Welcome";
inline constexpr wchar_t kLicense[] = L"Pelmora 2016 Setup - License Agreement";
inline constexpr wchar_t kFeatures[] = L"Pelmora 2016 Setup - Features";
inline constexpr wchar_t kStartCopy[] = L"Pelmora 2016 Setup - Ready to Install";
inline constexpr wchar_t kMaintenance[] = L"Pelmora 2016 Setup - Maintenance";
inline constexpr wchar_t kError[] = L"Pelmora 2016 Setup - Not Completed";
inline constexpr wchar_t kFinish[] = L"Pelmora 2016 Setup - Completed";
inline constexpr wchar_t kCopyFiles[] = L"Pelmora 2016 Setup - Installing";

inline constexpr wchar_t kProductName[] = L"Pelmora2016";
inline constexpr wchar_t kUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Pelmora2016_en_us";

// build/<arch>/medium, and the fixture program of these tests.
std::wstring MediumSource();
std::wstring FixtureProgram();
// build/screenshots (beside the architecture folders).
std::wstring ScreenshotFolder();

// A medium of its own in a scratch folder, and a target folder beside it
// that does not exist yet. The product's traces are cleaned up before and
// after the test, so tests can follow each other in one Wine prefix.
class WizardMedium {
public:
    WizardMedium();
    ~WizardMedium();
    WizardMedium(const WizardMedium&) = delete;
    WizardMedium& operator=(const WizardMedium&) = delete;

    const std::wstring& Folder() const { return m_medium; }
    const std::wstring& Target() const { return m_target; }
    std::wstring Root() const { return m_root.Path(); }
    std::wstring File(const std::wstring& relative) const { return m_medium + L"\\" + relative; }
    std::wstring SetupCommand() const { return L"\"" + File(L"Setup.exe") + L"\""; }

    // Writes a key of the medium's Setup.ini.
    void SetIni(const std::wstring& section, const std::wstring& key, const std::wstring& value) const;
    // Replaces the feature sections: one entry per feature, "name|description|packages|check|enable".
    void SetFeatures(const std::vector<std::wstring>& features) const;
    // Puts the fixture program at `relative` (a package or the uninstaller),
    // sleeping `delayMs` per run; its runs go to RunsOf(relative).
    void PlaceFixture(const std::wstring& relative, int delayMs = 0) const;
    std::vector<std::wstring> RunsOf(const std::wstring& relativeOrFull) const;

    // An installed product as start-up finds it: the Uninstall entry naming
    // Target(), the setup's copies and a Setup.ini there, an install.log, and
    // the fixture program as the uninstaller.
    void FakeInstalledProduct(const std::vector<std::wstring>& installedChecks) const;

private:
    ScratchFolder m_root{L"wiz"};
    std::wstring m_medium;
    std::wstring m_target;
};

// Removes what an installation of the sample product leaves on the machine:
// the product's packages (through the medium's uninstaller), the Windows
// Installer companion, the Uninstall entry, the setup record and the product
// keys, and the shortcuts.
void CleanUpProduct(const std::wstring& medium, const std::wstring& target);

// One run of Setup.exe; a run still going at the end is killed with every
// program it started, so no window is left unanswered.
class WizardRun {
public:
    // `environment`: "NAME=value" entries added for the program and what it starts.
    explicit WizardRun(const std::wstring& commandLine, const std::wstring& folder = L"",
                       const std::vector<std::wstring>& environment = {});
    ~WizardRun();

    bool Started() const { return m_process.Started(); }
    driver::Process& Process() { return m_process; }

    // Waits for the page with window text `title` that is not `previous`.
    HWND WaitPage(const wchar_t* title, DWORD timeoutMs = 20000, HWND previous = nullptr);
    // Waits for a message box, returns what it says and answers it.
    driver::MessageBoxInfo AnswerBox(int buttonId, DWORD timeoutMs = 20000);
    // Saves a screenshot of `window` as build/screenshots/<name>.bmp.
    void Shot(HWND window, const std::wstring& name);
    // Waits until the page is gone (ended or replaced).
    bool WaitGone(HWND page, DWORD timeoutMs = 20000);
    bool WaitExit(DWORD timeoutMs = 30000);
    void KillAll();

private:
    driver::Process m_process;
};

// Waits until `done` holds or the time is up.
template <typename Condition>
bool WaitUntil(Condition done, DWORD timeoutMs) {
    for (DWORD start = GetTickCount(); !done(); Sleep(100)) {
        if (GetTickCount() - start > timeoutMs) return false;
    }
    return true;
}

// The client-relative rectangle of a control of `dialog`.
RECT ControlRect(HWND dialog, int id);

// Records of an install.log (split at CR CR LF).
std::vector<std::string> LogRecords(const std::string& bytes);

}  // namespace wizard_e2e
