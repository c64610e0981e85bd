// PUninstall.exe, the uninstaller of the sample medium. The setup starts it
// from a copy in a folder of its own under the temporary folder, with
// install.log and IntallerRes.dll beside it, as `PUninstall.exe /norestart`
// (removal), or from the medium with a copy of install.log beside it as
// `PUninstall.exe /quiet /norestart` (rollback of a failed installation).
// With "/quiet" it shows nothing; without it, a small window while it works
// and a final message. It never restarts the machine ("/norestart" is the
// only way it works) and never waits on another program without a limit.
//
// Exit codes: 0 everything removed; 1 something could not be removed (named
// in the final message); 2 no install.log beside the uninstaller, nothing done.
#include "framework/handles.h"
#include "medium/common/standin.h"
#include "medium/uninstaller/install_log_records.h"
#include "medium/uninstaller/removal.h"

#include <windows.h>

#include <string>

namespace {

constexpr int kRemoved = 0;
constexpr int kLeftovers = 1;
constexpr int kNoLog = 2;
constexpr UINT kProductNameText = 2015;

std::wstring ProductName(HMODULE resources) {
    wchar_t text[260] = {};
    if (resources && LoadStringW(resources, kProductNameText, text, 260) > 0) return text;
    return L"Pelmora 2016";
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) return 0;  // removal cannot be stopped half way
    return DefWindowProcW(window, message, wParam, lParam);
}

// The small window of an interactive removal: what it is and what it is doing.
class ProgressWindow {
public:
    ProgressWindow(HINSTANCE instance, const std::wstring& product) {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = WindowProc;
        windowClass.hInstance = instance;
        windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32514));  // IDC_WAIT
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = L"PelmoraSampleUninstaller";
        RegisterClassW(&windowClass);
        m_window = CreateWindowExW(0, windowClass.lpszClassName, (product + L" - Uninstall").c_str(),
                                   WS_OVERLAPPED | WS_CAPTION, CW_USEDEFAULT, CW_USEDEFAULT, 520, 150, nullptr,
                                   nullptr, instance, nullptr);
        if (!m_window) return;
        CreateWindowExW(0, L"STATIC",
                        (L"Removing " + product + L" (uninstaller of the sample medium)...").c_str(),
                        WS_CHILD | WS_VISIBLE, 16, 16, 480, 20, m_window, nullptr, instance, nullptr);
        m_status = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_PATHELLIPSIS, 16, 48, 480, 20,
                                   m_window, nullptr, instance, nullptr);
        ShowWindow(m_window, SW_SHOWNORMAL);
        UpdateWindow(m_window);
        Pump();
    }
    ~ProgressWindow() {
        if (m_window) DestroyWindow(m_window);
    }
    ProgressWindow(const ProgressWindow&) = delete;
    ProgressWindow& operator=(const ProgressWindow&) = delete;

    HWND Handle() const { return m_window; }
    void Show(const std::wstring& text) {
        if (m_status) SetWindowTextW(m_status, text.c_str());
        Pump();
    }

private:
    static void Pump() {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    HWND m_window = nullptr;
    HWND m_status = nullptr;
};

bool IsTemporarySubfolder(const std::wstring& folder) {
    wchar_t temp[MAX_PATH + 1];
    DWORD length = GetTempPathW(MAX_PATH + 1, temp);
    if (length == 0 || length > MAX_PATH) return false;
    std::wstring tempFolder(temp, length);
    while (!tempFolder.empty() && tempFolder.back() == L'\\') tempFolder.pop_back();
    return standin::IsInside(folder, tempFolder) && folder.find(L'\\', tempFolder.size() + 1) == std::wstring::npos;
}

// A running program cannot delete its own file. When the uninstaller runs
// from the folder that removal made for it in the temporary folder, a hidden
// command interpreter deletes the program and that folder once it has ended
// (it retries for up to half a minute, about once a second). The blank before
// the closing parenthesis keeps the command interpreter from reading ")" as
// part of the redirection's file name.
void RemoveOwnTemporaryCopy(const std::wstring& folder) {
    wchar_t system[MAX_PATH];
    UINT length = GetSystemDirectoryW(system, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return;
    const std::wstring self = standin::OwnPath();
    std::wstring commandLine = L"\"" + std::wstring(system) + L"\\cmd.exe\" /d /q /c for /l %i in (1,1,30) do @if exist \"" +
                               self + L"\" (ping -n 2 127.0.0.1 >nul & del /f /q \"" + self + L"\" 2>nul & rd \"" +
                               folder + L"\" 2>nul )";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                       system, &startup, &process)) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    bool quiet = false;
    for (const std::wstring& argument : standin::Arguments()) {
        std::wstring lower = standin::Lower(argument);
        if (lower == L"/quiet" || lower == L"-quiet" || lower == L"/q") quiet = true;
    }

    const std::wstring folder = standin::OwnFolder();
    unique_hmodule resources(LoadLibraryExW((folder + L"\\IntallerRes.dll").c_str(), nullptr,
                                            LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
    const std::wstring product = ProductName(resources.get());

    std::string log;
    if (!standin::ReadWholeFile(folder + L"\\" + standin::kInstallLogName, log)) {
        if (!quiet)
            MessageBoxW(nullptr,
                        (L"The installation record install.log was not found in " + folder +
                         L".\r\nNothing was removed.").c_str(),
                        product.c_str(), MB_OK | MB_ICONERROR);
        return kNoLog;
    }

    RemovalReport report;
    {
        const InstallLogRecords records = ParseInstallLog(log);
        if (quiet) {
            report = RemoveInstallation(records, {});
        } else {
            ProgressWindow window(instance, product);
            report = RemoveInstallation(records, [&window](const std::wstring& what) { window.Show(what); });
            std::wstring message = product + L" has been removed from this computer.";
            if (!report.Leftovers.empty()) {
                message = product + L" has been removed, but these items could not be removed:\r\n";
                for (const std::wstring& item : report.Leftovers) message += L"\r\n" + item;
            }
            MessageBoxW(window.Handle(), message.c_str(), product.c_str(),
                        MB_OK | (report.Leftovers.empty() ? MB_ICONINFORMATION : MB_ICONWARNING));
        }
    }

    // The copies that removal made for this run are not needed any more.
    if (standin::Lower(folder) != standin::Lower(report.TargetFolder) && IsTemporarySubfolder(folder)) {
        resources.reset();
        DeleteFileW((folder + L"\\" + standin::kInstallLogName).c_str());
        DeleteFileW((folder + L"\\IntallerRes.dll").c_str());
        RemoveOwnTemporaryCopy(folder);
    }
    return report.Leftovers.empty() ? kRemoved : kLeftovers;
}
