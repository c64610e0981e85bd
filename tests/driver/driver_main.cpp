// driver.exe: the test driver for scripts (see driver.h for the usage).
#include "tests/driver/driver.h"

#include <windows.h>

#include <cstdio>
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

std::wstring OneLine(const std::wstring& text) {
    std::wstring result;
    for (wchar_t ch : text) {
        if (ch == L'\n') result += L"\\n";
        else if (ch == L'\r') result += L"\\r";
        else result.push_back(ch);
    }
    return result;
}

int Usage() {
    Print(L"usage: driver.exe [--timeout SECONDS] [--answer OK|Yes|No|Cancel|Retry|Ignore|Abort|<id>]... "
          L"[--cwd FOLDER] [--descendants] -- <command line>");
    return 2;
}

// The program's command line exactly as given after the first " -- ".
std::wstring RawCommandAfterSeparator() {
    std::wstring all = GetCommandLineW();
    size_t at = all.find(L" -- ");
    if (at == std::wstring::npos) return {};
    return all.substr(at + 4);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    driver::RunOptions options;
    int i = 1;
    for (; i < argc; ++i) {
        std::wstring arg = argv[i];
        if (arg == L"--") break;
        if (i + 1 >= argc && arg != L"--descendants") return Usage();
        if (arg == L"--timeout") {
            options.TimeoutMs = static_cast<DWORD>(_wtoi(argv[++i])) * 1000;
        } else if (arg == L"--answer") {
            int id = driver::ButtonIdFromName(argv[++i]);
            if (id == 0) return Usage();
            options.Answers.push_back(id);
        } else if (arg == L"--cwd") {
            options.Start.WorkingFolder = argv[++i];
        } else if (arg == L"--descendants") {
            options.Descendants = true;
        } else {
            return Usage();
        }
    }
    std::wstring commandLine = RawCommandAfterSeparator();
    if (i >= argc || commandLine.empty()) return Usage();

    options.OnOtherWindow = [](HWND window) {
        Print(L"window: " + driver::ClassName(window) + L" | " + OneLine(driver::WindowText(window)));
    };
    options.OnMessageBox = [](const driver::MessageBoxInfo& box) {
        Print(L"box: " + OneLine(box.Caption) + L" | " + OneLine(box.Text));
    };
    driver::RunResult run = driver::RunAnswering(commandLine, options);
    for (const auto& box : run.Boxes) {
        if (box.AnsweredByDefault) Print(L"box unanswered-by-script, answered " + driver::ButtonName(box.AnsweredWith));
    }
    if (!run.Started) {
        Print(L"start failed");
        return driver::kDriverStartFailedExit;
    }
    if (!run.Exited) {
        Print(L"timeout");
        return driver::kDriverTimeoutExit;
    }
    Print(L"exit: " + std::to_wstring(run.ExitCode));
    return static_cast<int>(run.ExitCode);
}
