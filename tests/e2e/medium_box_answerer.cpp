// medium_box_answerer.exe: waits for programs that someone else started (by
// their file name), answers their message boxes with the default button and
// reports them, and ends when none of them runs any more. scripts/demo uses
// it for the uninstaller, which the setup starts and leaves running.
//
//   medium_box_answerer.exe --image PUninstall.exe [--timeout SECONDS] [--appear SECONDS]
//
// Prints "box: <caption> | <text>" for each box and "window: <class> | <text>"
// for each other window, then "ended" (exit 0) once no such program runs, or
// "timeout" (exit 3258) when one still runs after --timeout seconds. A program
// that never appears within --appear seconds (default 10) counts as ended and
// is reported as "not seen".
#include "tests/driver/driver.h"

#include <windows.h>
#include <tlhelp32.h>

#include <cstdio>
#include <set>
#include <string>
#include <vector>

namespace {

void Print(const std::wstring& line) {
    std::wstring text = line + L"\n";
    int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), utf8.data(), size, nullptr, nullptr);
    fwrite(utf8.data(), 1, utf8.size(), stdout);
    fflush(stdout);
}

std::wstring OneLine(std::wstring text) {
    std::wstring result;
    for (wchar_t ch : text) {
        if (ch == L'\n') result += L"\\n";
        else if (ch != L'\r') result.push_back(ch);
    }
    return result;
}

std::vector<DWORD> ProcessesNamed(const std::wstring& image) {
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

}  // namespace

int wmain(int argc, wchar_t** argv) {
    std::wstring image;
    DWORD timeoutMs = 60000, appearMs = 10000;
    for (int i = 1; i + 1 < argc; i += 2) {
        std::wstring option = argv[i];
        if (option == L"--image") image = argv[i + 1];
        else if (option == L"--timeout") timeoutMs = static_cast<DWORD>(_wtoi(argv[i + 1])) * 1000;
        else if (option == L"--appear") appearMs = static_cast<DWORD>(_wtoi(argv[i + 1])) * 1000;
    }
    if (image.empty()) {
        Print(L"usage: medium_box_answerer.exe --image <file name> [--timeout SECONDS] [--appear SECONDS]");
        return 2;
    }

    const DWORD start = GetTickCount();
    bool seen = false;
    std::set<HWND> reported;
    for (;;) {
        std::vector<DWORD> ids = ProcessesNamed(image);
        if (!ids.empty()) seen = true;
        if (ids.empty() && (seen || GetTickCount() - start >= appearMs)) {
            Print(seen ? L"ended" : L"not seen");
            return 0;
        }
        if (GetTickCount() - start >= timeoutMs) {
            Print(L"timeout");
            return driver::kDriverTimeoutExit;
        }
        for (DWORD id : ids) {
            for (HWND window : driver::WindowsOfProcess(id)) {
                if (driver::IsMessageBox(window)) {
                    if (!reported.insert(window).second) continue;
                    driver::MessageBoxInfo box = driver::ReadMessageBox(window);
                    Print(L"box: " + OneLine(box.Caption) + L" | " + OneLine(box.Text));
                    int button = driver::DefaultButton(window);
                    driver::AnswerDialog(window, button ? button : IDOK);
                } else if (reported.insert(window).second) {
                    Print(L"window: " + driver::ClassName(window) + L" | " + OneLine(driver::WindowText(window)));
                }
            }
        }
        Sleep(100);
    }
}
