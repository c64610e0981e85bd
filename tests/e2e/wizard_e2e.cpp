#include "tests/e2e/wizard_e2e.h"

#include <shlobj.h>

#include "medium/common/standin.h"

namespace wizard_e2e {

namespace {
void CopyTree(const std::wstring& from, const std::wstring& to) {
    CreateDirectoryW(to.c_str(), nullptr);
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((from + L"\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        std::wstring name = data.cFileName;
        if (name == L"." || name == L".." || name == L"CMakeFiles" || name == L"Makefile" ||
            name == L"cmake_install.cmake") {
            continue;
        }
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            CopyTree(from + L"\\" + name, to + L"\\" + name);
        } else {
            CopyFileW((from + L"\\" + name).c_str(), (to + L"\\" + name).c_str(), FALSE);
        }
    } while (FindNextFileW(find, &data));
    FindClose(find);
}

std::wstring SpecialFolder(int csidl) {
    wchar_t path[MAX_PATH] = L"";
    SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
    return path;
}

void RunAndWait(const std::wstring& commandLine, DWORD timeoutMs) {
    driver::Process process = driver::Process::Start(commandLine);
    if (process.Started()) process.WaitForExit(timeoutMs);
}

std::vector<std::wstring> SplitLines(const std::string& bytes) {
    std::vector<std::wstring> lines;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        if (end == std::string::npos) end = bytes.size();
        lines.push_back(standin::Widen(bytes.substr(start, end - start), CP_UTF8));
        start = end + 1;
    }
    return lines;
}
}  // namespace

std::wstring MediumSource() { return BuildDir() + L"\\medium"; }
std::wstring FixtureProgram() { return BuildDir() + L"\\tests\\wizard_fixture_program.exe"; }
std::wstring ScreenshotFolder() { return BuildDir() + L"\\..\\screenshots"; }

WizardMedium::WizardMedium() {
    m_medium = m_root / L"medium";
    m_target = m_root / L"Orvanti\\Pelmora 2016";
    CopyTree(MediumSource(), m_medium);
    CleanUpProduct(L"", L"");
}

WizardMedium::~WizardMedium() { CleanUpProduct(m_medium, m_target); }

void WizardMedium::SetIni(const std::wstring& section, const std::wstring& key, const std::wstring& value) const {
    WritePrivateProfileStringW(section.c_str(), key.c_str(), value.c_str(), File(L"Setup.ini").c_str());
}

void WizardMedium::SetFeatures(const std::vector<std::wstring>& features) const {
    const std::wstring ini = File(L"Setup.ini");
    for (int i = 1; i <= 9; ++i) WritePrivateProfileStringW((L"sub" + std::to_wstring(i)).c_str(), nullptr, nullptr, ini.c_str());
    SetIni(L"packnum", L"count", std::to_wstring(features.size()));
    for (size_t i = 0; i < features.size(); ++i) {
        std::vector<std::wstring> parts;
        size_t start = 0;
        for (;;) {
            size_t bar = features[i].find(L'|', start);
            parts.push_back(features[i].substr(start, bar == std::wstring::npos ? std::wstring::npos : bar - start));
            if (bar == std::wstring::npos) break;
            start = bar + 1;
        }
        parts.resize(5);
        const std::wstring section = L"sub" + std::to_wstring(i + 1);
        SetIni(section, L"name", parts[0]);
        SetIni(section, L"description", parts[1]);
        SetIni(section, L"package", parts[2]);
        SetIni(section, L"check", parts[3]);
        SetIni(section, L"enable", parts[4]);
    }
}

void WizardMedium::PlaceFixture(const std::wstring& relative, int delayMs) const {
    const std::wstring path = File(relative);
    CopyFileW(FixtureProgram().c_str(), path.c_str(), FALSE);
    DeleteFileW((path + L".runs").c_str());
    if (delayMs > 0) WriteFileBytes(path + L".delay", std::to_string(delayMs));
}

std::vector<std::wstring> WizardMedium::RunsOf(const std::wstring& relativeOrFull) const {
    std::wstring path = relativeOrFull.find(L':') == std::wstring::npos ? File(relativeOrFull) : relativeOrFull;
    return SplitLines(ReadFileBytes(path + L".runs"));
}

void WizardMedium::FakeInstalledProduct(const std::vector<std::wstring>& installedChecks) const {
    std::vector<std::wstring> created;
    standin::CreateFolderChain(m_target, created);
    for (const wchar_t* name : {L"Setup.exe", L"IntallerRes.dll", L"Setup.ini"}) {
        CopyFileW(File(name).c_str(), (m_target + L"\\" + name).c_str(), FALSE);
    }
    const std::wstring installedIni = m_target + L"\\Setup.ini";
    for (size_t i = 0; i < installedChecks.size(); ++i) {
        WritePrivateProfileStringW((L"sub" + std::to_wstring(i + 1)).c_str(), L"check", installedChecks[i].c_str(),
                                   installedIni.c_str());
    }
    WritePrivateProfileStringW(L"SETUP", L"CLASSIC", L"0", installedIni.c_str());
    standin::AppendInstallLogRecord(m_target, L"CreateDirectory: \"" + m_target + L"\" (0)");
    CopyFileW(FixtureProgram().c_str(), (m_target + L"\\PUninstall").c_str(), FALSE);
    standin::WriteMachineString(kUninstallKey, L"InstallLocation", m_target);
    standin::WriteMachineString(kUninstallKey, L"Platfrom", L"x86");
    standin::WriteMachineString(kUninstallKey, L"DisplayName", kProductName);
}

void CleanUpProduct(const std::wstring& medium, const std::wstring& target) {
    (void)medium;
    if (!target.empty() && FileExists(target + L"\\install.log") && FileExists(target + L"\\pelm.exe")) {
        // The medium's own uninstaller undoes a real installation from its log,
        // as a rollback does: a copy beside the log, quiet.
        ScratchFolder removal(L"wizrm");
        CopyFileW((MediumSource() + L"\\PUninstall.exe").c_str(), (removal / L"PUninstall.exe").c_str(), FALSE);
        CopyFileW((MediumSource() + L"\\IntallerRes.dll").c_str(), (removal / L"IntallerRes.dll").c_str(), FALSE);
        CopyFileW((target + L"\\install.log").c_str(), (removal / L"install.log").c_str(), FALSE);
        RunAndWait(L"\"" + (removal / L"PUninstall.exe") + L"\" /quiet /norestart", 60000);
        RunAndWait(L"msiexec /x " + std::wstring(standin::kCompanionProductCode) + L" /quiet", 60000);
        RunAndWait(L"msiexec /x " + std::wstring(standin::kMigrationProductCode) + L" /quiet", 60000);
    }
    standin::DeleteMachineTree(kUninstallKey);
    standin::DeleteMachineTree(standin::kSetupRecordKey);
    standin::DeleteMachineTree(standin::kProductKey);
    DeleteFileW((SpecialFolder(CSIDL_COMMON_DESKTOPDIRECTORY) + L"\\Pelmora2016.lnk").c_str());
    RemoveTree(SpecialFolder(CSIDL_COMMON_PROGRAMS) + L"\\Orvanti\\Pelmora2016");
    RemoveDirectoryW((SpecialFolder(CSIDL_COMMON_PROGRAMS) + L"\\Orvanti").c_str());
}

WizardRun::WizardRun(const std::wstring& commandLine, const std::wstring& folder,
                     const std::vector<std::wstring>& environment) {
    driver::StartOptions options;
    options.WorkingFolder = folder;
    options.ExtraEnvironment = environment;
    m_process = driver::Process::Start(commandLine, options);
}

WizardRun::~WizardRun() { KillAll(); }

void WizardRun::KillAll() {
    if (!m_process.Started()) return;
    std::vector<DWORD> tree = driver::ProcessTree(m_process.Id());
    for (DWORD id : tree) {
        if (id == m_process.Id()) continue;
        if (HANDLE child = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id)) {
            TerminateProcess(child, 1);
            WaitForSingleObject(child, 5000);
            CloseHandle(child);
        }
    }
    if (m_process.Running()) m_process.Kill();
}

HWND WizardRun::WaitPage(const wchar_t* title, DWORD timeoutMs, HWND previous) {
    const std::wstring wanted = title;
    return m_process.WaitForWindowMatching(
        [&](HWND window) { return window != previous && driver::WindowText(window) == wanted; }, timeoutMs);
}

driver::MessageBoxInfo WizardRun::AnswerBox(int buttonId, DWORD timeoutMs) {
    driver::MessageBoxInfo info;
    HWND box = m_process.WaitForMessageBox(timeoutMs);
    if (!box) return info;
    info = driver::ReadMessageBox(box);
    driver::AnswerDialog(box, buttonId);
    WaitGone(box, 10000);
    return info;
}

void WizardRun::Shot(HWND window, const std::wstring& name) {
    CreateDirectoryW(ScreenshotFolder().c_str(), nullptr);
    Sleep(700);   // let the page finish painting
    driver::SaveScreenshot(window, ScreenshotFolder() + L"\\" + name + L".bmp");
}

bool WizardRun::WaitGone(HWND page, DWORD timeoutMs) {
    return WaitUntil([&] { return !IsWindow(page) || !IsWindowVisible(page); }, timeoutMs);
}

bool WizardRun::WaitExit(DWORD timeoutMs) { return m_process.WaitForExit(timeoutMs); }

RECT ControlRect(HWND dialog, int id) {
    RECT rect{};
    HWND control = GetDlgItem(dialog, id);
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::vector<std::string> LogRecords(const std::string& bytes) {
    std::vector<std::string> records;
    const std::string separator = "\r\r\n";
    size_t position = bytes.find(separator);
    while (position != std::string::npos) {
        size_t next = bytes.find(separator, position + separator.size());
        records.push_back(bytes.substr(position + separator.size(),
                                       next == std::string::npos ? std::string::npos : next - position - separator.size()));
        position = next;
    }
    return records;
}

}  // namespace wizard_e2e
